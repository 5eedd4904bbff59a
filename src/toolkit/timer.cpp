#include "timer.h"

namespace tk {

Timer::Timer(QObject* parent, const QString& name, int intervalMs, bool enabled)
    : QObject(parent)
    , m_interval(intervalMs)
{
    setObjectName(name);
    m_timer.setInterval(intervalMs);
    m_timer.callOnTimeout(this, &Timer::onTimeout);
    setEnabled(enabled);
}

void Timer::setEnabled(bool enabled)
{
    if (m_resting && enabled) {
        m_resting = false;
        const qint64 intoInterval = m_sinceTick.elapsed() % m_interval;
        wake(static_cast<int>(m_interval - intoInterval));
        return;
    }
    m_resting = false;
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (enabled) {
        wake(m_interval);
        m_sinceTick.start();
    } else {
        m_timer.stop();
    }
}

void Timer::wake(int firstWaitMs)
{
    if (!s_ticksOnlyWhenFired)
        m_timer.start(firstWaitMs);
}

void Timer::rest()
{
    if (wakes()) {
        m_timer.stop();
        m_resting = true;
    }
}

void Timer::onTimeout()
{
    // After a rest the first wait was the rest of an interval.
    if (m_timer.interval() != m_interval)
        m_timer.setInterval(m_interval);
    m_sinceTick.start();
    emit tick();
}

void Timer::fire()
{
    if (wakes())
        emit tick();
}

}  // namespace tk
