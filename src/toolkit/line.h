#pragma once

#include "element.h"

namespace tk {

// A one-pixel line between two points given in twips. It takes no mouse.
class Line : public Element {
    Q_OBJECT
public:
    Line(QWidget* parent, const QString& name, QPointF from, QPointF to, QColor color = Qt::black);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointF m_from;
    QPointF m_to;
    QColor m_color;
};

}  // namespace tk
