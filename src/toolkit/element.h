#pragma once

#include "units.h"

#include <QAccessible>
#include <QWidget>

#include <initializer_list>

namespace tk {

// What every element of a window has: a twips rectangle, mouse events in
// twips relative to the element, and the mouse over its whole rectangle.
class Element : public QWidget {
    Q_OBJECT
public:
    Element(QWidget* parent, const QString& name);

    float left() const { return m_left; }
    float top() const { return m_top; }
    // Twips; QWidget's width() and height() stay the pixels on screen.
    float widthTwips() const { return m_width; }
    float heightTwips() const { return m_height; }
    void setLeft(float twips);
    void setTop(float twips);
    void setRect(float left, float top, float width, float height);

    // The text the element shows, which assistive technology reads as its
    // name unless it is given another.
    virtual QString caption() const { return {}; }

    // What assistive technology is told the element is; a button offers a
    // press action that does what a click does.
    QAccessible::Role accessibleRole() const { return m_role; }
    void setAccessibleRole(QAccessible::Role role) { m_role = role; }

    // True when a click on the middle of the element would reach it: shown,
    // enabled and not covered by another element.
    bool reachable() const;
    // Does what a left click does, when a click would reach the element.
    void activate();

signals:
    void clicked();
    void mouseDown(tk::ButtonValue button, float x, float y);
    void mouseMove(tk::ButtonValue button, float x, float y);
    void mouseUp(tk::ButtonValue button, float x, float y);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void place();

    float m_left = 0;
    float m_top = 0;
    float m_width = 0;
    float m_height = 0;
    bool m_clickPending = false;
    QAccessible::Role m_role = QAccessible::StaticText;
};

// Raises the widgets so that each lies in front of the ones listed after it.
void stackFrontToBack(std::initializer_list<QWidget*> widgets);

}  // namespace tk
