#include "line.h"

#include <QPainter>

namespace tk {

Line::Line(QWidget* parent, const QString& name, QPointF from, QPointF to, QColor color)
    : Element(parent, name)
    , m_from(from)
    , m_to(to)
    , m_color(color)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleRole(QAccessible::Separator);
    const QRectF box = QRectF(from, to).normalized();
    // One pixel wide: the end points themselves are drawn.
    setRect(static_cast<float>(box.left()), static_cast<float>(box.top()),
            static_cast<float>(box.width()) + kTwipsPerPixel, static_cast<float>(box.height()) + kTwipsPerPixel);
}

void Line::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // One logical pixel wide whatever the screen's scale: a square pen of
    // width 1 through the pixel centres.
    painter.setPen(QPen(m_color, 1, Qt::SolidLine, Qt::SquareCap));
    painter.translate(0.5, 0.5);
    const QPointF origin(left(), top());
    const auto local = [&](QPointF twips) {
        const QPointF offset = twips - origin;
        return QPoint(toPixels(static_cast<float>(offset.x())), toPixels(static_cast<float>(offset.y())));
    };
    painter.drawLine(local(m_from), local(m_to));
}

}  // namespace tk
