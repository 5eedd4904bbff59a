#include "game_window.h"

#ifdef DELVORAN_REPORT_FIRST_FRAME
#include "first_frame.h"
#endif

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string_view>

using namespace Qt::StringLiterals;

namespace {

// Without a display Qt's default platform aborts with a core dump; say
// instead how to get one. A platform named on the command line or in
// QT_QPA_PLATFORM is Qt's to judge.
bool displayAvailable(int argc, char* argv[])
{
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-platform" || argument == "--platform")
            return true;
    }
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char* argv[])
{
    if (!displayAvailable(argc, argv)) {
        std::fputs("Delvoran needs a graphical display and found none: start it from a desktop "
                   "session, or under a virtual display with `xvfb-run ./run.sh`.\n",
                   stderr);
        return EXIT_FAILURE;
    }
    // Over X11's shared-memory image path every frame waits for a round
    // trip to the server. The About window sends twenty tiny frames a second
    // while its marks blink, and there the wait costs more than copying the
    // few pixels: without it the window idles at about half the CPU time.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    // Read while connecting; the browser the link starts should not inherit it.
    qunsetenv("QT_XCB_NO_MITSHM");
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(u"cz.delvoran.Delvoran"_s);
    tk::installCzechQtTexts();
    GameWindow window;
#ifdef DELVORAN_REPORT_FIRST_FRAME
    bench::reportFirstFrameWhenAsked(window);
#endif
    window.show();
    return QApplication::exec();
}
