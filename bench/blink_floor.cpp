// The blink floor: what Qt itself pays for the only visible work of the
// About window at rest. A window of its size with a few lines of text, two
// 10 x 10 marks shown and hidden every 50 ms, and an idle 35 ms timer, as
// the About window's blink and glide timers are; nothing else.

#include "first_frame.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace {

QLabel* mark(QWidget* window, int x, int y)
{
    QPixmap pixels(10, 10);
    pixels.fill(Qt::red);
    auto* label = new QLabel(window);
    label->setPixmap(pixels);
    label->setGeometry(x, y, 10, 10);
    return label;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Delvoran blink floor"));
    window.setFixedSize(312, 217);
    const char* lines[] = {"Holá podlaha", "Řádek textu pod ní", "Další řádek", "Poslední řádek textu"};
    for (int i = 0; i < 4; ++i)
        (new QLabel(QString::fromUtf8(lines[i]), &window))->move(56, 8 + 24 * i);
    QLabel* marks[] = {mark(&window, 8, 192), mark(&window, 296, 8)};

    QTimer blink;
    QObject::connect(&blink, &QTimer::timeout, &window, [&marks] {
        for (QLabel* label : marks)
            label->setVisible(label->isHidden());
    });
    blink.start(50);
    QTimer glide;
    QObject::connect(&glide, &QTimer::timeout, &window, [] {});
    glide.start(35);

    bench::reportFirstFrameWhenAsked(window);
    window.show();
    return QApplication::exec();
}
