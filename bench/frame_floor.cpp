// The frame floor: the least a Qt client pays to hand the About window's
// blink to the display server. No widgets and no text: a raster window of
// the About window's size whose paint fills the two 10 x 10 marks' places,
// lit or not, every 50 ms. What the game pays above it is its own; what it
// pays up to it, no Qt program can skip.

#include "first_frame.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QRasterWindow>
#include <QTimer>

#include <utility>

namespace {

const QRect kMarks[] = {{8, 192, 10, 10}, {296, 8, 10, 10}};

class Blink : public QRasterWindow {
public:
    void toggle()
    {
        m_lit = !m_lit;
        for (const QRect& mark : kMarks)
            update(mark);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        for (const QRect& place : event->region())
            painter.fillRect(place, m_lit ? QColor(Qt::red) : QColor(236, 233, 216));
        if (std::exchange(m_first, false))
            bench::reportFrameBeingPainted(this);
    }

private:
    bool m_lit = true;
    bool m_first = true;
};

}  // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    Blink window;
    window.setTitle(QStringLiteral("Delvoran frame floor"));
    window.resize(312, 217);
    QTimer blink;
    QObject::connect(&blink, &QTimer::timeout, &window, [&window] { window.toggle(); });
    blink.start(50);
    window.show();
    return QGuiApplication::exec();
}
