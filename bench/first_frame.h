#pragma once

// For the start-up benchmark: when DELVORAN_EXEC_NS holds the realtime clock
// in nanoseconds taken just before the program was started, the time from
// then to the first frame of the window is printed to standard error as
// "first-frame-ms N". Header-only, so the benchmark's bare Qt window measures
// itself the same way without linking the game; the game itself is built with
// it only when DELVORAN_REPORT_FIRST_FRAME is on.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace bench {

// Prints the report once the frame being painted now has been flushed (a
// queued call runs after it), when DELVORAN_EXEC_NS asks for one.
inline void reportFrameBeingPainted(QObject* context)
{
    bool ok = false;
    const long long execNs = qEnvironmentVariable("DELVORAN_EXEC_NS").toLongLong(&ok);
    if (!ok)
        return;
    QTimer::singleShot(0, context, [execNs] {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        const long long ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
        std::fprintf(stderr, "first-frame-ms %.1f\n", static_cast<double>(ns - execNs) / 1e6);
        std::fflush(stderr);
    });
}

class FirstFrameReporter : public QObject {
public:
    explicit FirstFrameReporter(QWidget& window)
        : QObject(&window)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            reportFrameBeingPainted(watched);
        }
        return false;
    }
};

inline void reportFirstFrameWhenAsked(QWidget& window)
{
    if (qEnvironmentVariableIsSet("DELVORAN_EXEC_NS"))
        new FirstFrameReporter(window);
}

}  // namespace bench
