#include "element.h"

#include "window.h"

#include <QAccessibleWidget>
#include <QMouseEvent>

#include <algorithm>
#include <utility>

namespace tk {

namespace {

// Elements speak to assistive technology in the layout's terms: the caption
// as shown, the role the element plays, and a press action for buttons that
// is refused while something covers the button.
class AccessibleElement : public QAccessibleWidget {
public:
    explicit AccessibleElement(Element* element)
        : QAccessibleWidget(element, element->accessibleRole())
    {
    }

    // Asked each time: the interface may exist before the element is told
    // its role, and a bridge may still ask after the element is gone.
    QAccessible::Role role() const override { return isValid() ? element()->accessibleRole() : QAccessible::NoRole; }

    QString text(QAccessible::Text kind) const override
    {
        if (isValid() && kind == QAccessible::Name && element()->accessibleName().isEmpty())
            return element()->caption();
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (isValid() && isButton() && !element()->reachable())
            state.disabled = true;
        return state;
    }

    QStringList actionNames() const override { return isButton() ? QStringList{pressAction()} : QStringList{}; }

    void doAction(const QString& action) override
    {
        if (isValid() && isButton() && action == pressAction())
            element()->activate();
    }

private:
    Element* element() const { return static_cast<Element*>(widget()); }
    bool isButton() const { return role() == QAccessible::Button || role() == QAccessible::Link; }
};

QAccessibleInterface* accessibleElement(const QString&, QObject* object)
{
    auto* element = qobject_cast<Element*>(object);
    return element ? new AccessibleElement(element) : nullptr;
}

}  // namespace

Element::Element(QWidget* parent, const QString& name)
    : QWidget(parent)
{
    setObjectName(name);
    // Moves without a button reach the handlers too.
    setMouseTracking(true);
    // Qt asks the factories only for objects it has no interface for yet, so
    // installing it once, before the first element is seen, is enough.
    static const bool factoryInstalled = (QAccessible::installFactory(accessibleElement), true);
    Q_UNUSED(factoryInstalled);
}

bool Element::reachable() const
{
    const QWidget* top = window();
    return isVisible() && isEnabled() && top->childAt(mapTo(top, rect().center())) == this;
}

void Element::activate()
{
    if (reachable())
        emit clicked();
}

void Element::setLeft(float twips)
{
    m_left = twips;
    place();
}

void Element::setTop(float twips)
{
    m_top = twips;
    place();
}

void Element::setRect(float left, float top, float width, float height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    place();
}

void Element::place()
{
    const auto* window = qobject_cast<const Window*>(parentWidget());
    const QPoint origin = window ? window->clientOrigin() : QPoint();
    setGeometry(toPixels(m_left) + origin.x(), toPixels(m_top) + origin.y(), toPixels(m_width), toPixels(m_height));
}

// Every mouse event is accepted, so nothing behind the element ever sees it:
// an element in front takes the mouse over its whole rectangle.
void Element::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        m_clickPending = true;
    emitMouse(this, &Element::mouseDown, *event);
}

// The second press of a double-click is a press to the mouse handlers, but
// not the start of another click: a double-click acts once.
void Element::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    emitMouse(this, &Element::mouseDown, *event);
}

void Element::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    emitMouse(this, &Element::mouseMove, *event);
}

void Element::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    emitMouse(this, &Element::mouseUp, *event);
    // A click is a left press and release over the same element.
    if (event->button() == Qt::LeftButton && std::exchange(m_clickPending, false)
        && rect().contains(event->position().toPoint()))
        emit clicked();
}

void stackFrontToBack(std::initializer_list<QWidget*> widgets)
{
    std::for_each(std::rbegin(widgets), std::rend(widgets), [](QWidget* widget) { widget->raise(); });
}

}  // namespace tk
