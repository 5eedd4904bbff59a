// LD_PRELOAD probe: writes every paint, update request and timer event of
// the program to the file named by DELVORAN_PAINT_LOG, one line each:
//   <ms since exec()> paint <class> <objectName> <x>,<y> <w>x<h> rects=<n>
//   <ms> updaterequest <class> <objectName>
//   <ms> timer <class> id=<n>
// Counting these over a few seconds of idling shows which widgets a timer
// makes repaint, how often, and how large a region.
//
//   DELVORAN_PAINT_LOG=/tmp/paint.log LD_PRELOAD=.../libpaint_log.so delvoran
//
// It takes over QApplication::exec() (the program calls it through the PLT),
// installs an application-wide event filter, then runs the real one.

#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QTimerEvent>

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace {

FILE* out = nullptr;
QElapsedTimer sinceExec;

class EventLogger : public QObject {
public:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        const char* cls = object->metaObject()->className();
        const QByteArray name = object->objectName().toUtf8();
        switch (event->type()) {
        case QEvent::Paint: {
            const QRegion& region = static_cast<QPaintEvent*>(event)->region();
            const QRect box = region.boundingRect();
            std::fprintf(out, "%lld paint %s %s %d,%d %dx%d rects=%d\n", sinceExec.elapsed(), cls, name.constData(),
                         box.x(), box.y(), box.width(), box.height(), static_cast<int>(region.rectCount()));
            break;
        }
        case QEvent::UpdateRequest:
            std::fprintf(out, "%lld updaterequest %s %s\n", sinceExec.elapsed(), cls, name.constData());
            break;
        case QEvent::Timer:
            std::fprintf(out, "%lld timer %s id=%d\n", sinceExec.elapsed(), cls,
                         static_cast<QTimerEvent*>(event)->timerId());
            break;
        default: break;
        }
        return false;
    }
};

}  // namespace

// QApplication::exec()
extern "C" int _ZN12QApplication4execEv()
{
    using Exec = int (*)();
    static const auto realExec = reinterpret_cast<Exec>(dlsym(RTLD_NEXT, "_ZN12QApplication4execEv"));
    const char* path = std::getenv("DELVORAN_PAINT_LOG");
    out = std::fopen(path ? path : "/dev/stderr", "w");
    if (out != nullptr) {
        std::setvbuf(out, nullptr, _IOLBF, 0);
        sinceExec.start();
        qApp->installEventFilter(new EventLogger);
    }
    return realExec();
}
