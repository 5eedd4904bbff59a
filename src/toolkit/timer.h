#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace tk {

// A timer whose enabled switch behaves as the handlers expect: switching on a
// stopped timer starts its interval afresh, and switching it to the state it
// is already in changes nothing (QTimer::start() would restart a running one).
class Timer : public QObject {
    Q_OBJECT
public:
    Timer(QObject* parent, const QString& name, int intervalMs, bool enabled);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    int interval() const { return m_interval; }

    // For a handler with nothing left to do: the timer stays enabled but
    // stops waking the program. Switched on again, it ticks when it would
    // have had it never rested, so the ticks keep their phase.
    void rest();
    // Whether it will wake the program for a tick: enabled and not resting.
    bool wakes() const { return m_enabled && !m_resting; }

    // Delivers one tick now, as the event loop does when an interval has
    // passed; nothing while disabled or resting. Lets tests and replays drive
    // the clock tick by tick instead of waiting for it.
    void fire();

    // Off in the program. Switched on, no timer wakes the program by itself
    // and time passes only by fire(), so a test or a replay sees the same
    // ticks however slowly it runs.
    static void setTicksOnlyWhenFired(bool only) { s_ticksOnlyWhenFired = only; }

signals:
    void tick();

private:
    void onTimeout();
    void wake(int firstWaitMs);

    static inline bool s_ticksOnlyWhenFired = false;
    QTimer m_timer;
    int m_interval;
    bool m_enabled = false;
    bool m_resting = false;
    QElapsedTimer m_sinceTick;  // since the last tick the interval ran out for
};

}  // namespace tk
