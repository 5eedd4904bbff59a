// The floor of the benchmark: the least a Qt 6 Widgets program that shows a
// line of text pays. Same client size as the game window, same way of
// reporting its first frame, nothing else: whatever the game costs above
// this is the game's own.

#include "first_frame.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Delvoran floor"));
    window.setFixedSize(328, 364);

    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Holá podlaha: jeden řádek textu."), &window));

    bench::reportFirstFrameWhenAsked(window);
    window.show();
    return app.exec();
}
