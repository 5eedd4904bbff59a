#include "toolkit.h"

#include "packed_pictures.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTranslator>
#include <QUrl>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tk {

namespace {

// Point sizes of the layout are meant for a 96 DPI screen.
constexpr float kPixelsPerPoint = 96.0f / 72.0f;

// Emits one of the mouse signals of an element or a window with the event's
// button value (for a press or release the button concerned, for a move the
// buttons held) and position in twips.
template <class Source>
void emitMouse(Source* source, void (Source::*signal)(ButtonValue, float, float), const QMouseEvent* event)
{
    const bool move = event->type() == QEvent::MouseMove;
    const QPointF at = event->position();
    emit(source->*signal)(buttonValue(move ? event->buttons() : Qt::MouseButtons(event->button())), toTwips(at.x()),
                          toTwips(at.y()));
}

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
    // its role.
    // A bridge may still ask after the element is gone.
    QAccessible::Role role() const override { return isValid() ? element()->accessibleRole() : QAccessible::NoRole; }

    QString text(QAccessible::Text kind) const override
    {
        if (isValid() && kind == QAccessible::Name && element()->accessibleName().isEmpty())
            return element()->text();
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

// Every pixel that is not fully transparent, as one-pixel-high runs in
// top-to-bottom, left-to-right order, which is the order QRegion keeps.
QRegion coveredPixels(const QImage& image)
{
    QList<QRect> runs;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width();) {
            if (qAlpha(line[x]) == 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < image.width() && qAlpha(line[x]) != 0)
                ++x;
            runs.append(QRect(start, y, x - start, 1));
        }
    }
    QRegion covered;
    covered.setRects(runs.constData(), static_cast<int>(runs.size()));
    return covered;
}

// A top-level window is a window to assistive technology, not the filler
// Qt makes of a plain widget: screen readers read its title only then.
QAccessibleInterface* accessibleElement(const QString&, QObject* object)
{
    if (auto* element = qobject_cast<Element*>(object))
        return new AccessibleElement(element);
    if (auto* window = qobject_cast<Window*>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    return nullptr;
}

}  // namespace

int toPixels(float twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

float toTwips(qreal pixels)
{
    return static_cast<float>(pixels * kTwipsPerPixel);
}

ButtonValue buttonValue(Qt::MouseButtons buttons)
{
    ButtonValue value = 0;
    if (buttons & Qt::LeftButton)
        value |= kLeftButton;
    if (buttons & Qt::RightButton)
        value |= kRightButton;
    if (buttons & Qt::MiddleButton)
        value |= kMiddleButton;
    return value;
}

QFont font(const FontSpec& wanted)
{
    QFont font;
    font.setFamilies(wanted.face == FontSpec::Face::Monospace
                         ? QStringList{u"Liberation Mono"_s, u"DejaVu Sans Mono"_s, u"monospace"_s}
                         : QStringList{u"Liberation Sans"_s, u"DejaVu Sans"_s, u"sans-serif"_s});
    font.setStyleHint(wanted.face == FontSpec::Face::Monospace ? QFont::TypeWriter : QFont::SansSerif);
    // Every face in the list covers all the game's texts, so Qt need not
    // gather other fonts to fall back on for missing characters.
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setPixelSize(static_cast<int>(std::lround(wanted.points * kPixelsPerPoint)));
    font.setBold(wanted.bold);
    return font;
}

// ---------------------------------------------------------------- Element

Element::Element(QWidget* parent, const QString& name)
    : QLabel(parent)
{
    setObjectName(name);
    // Moves without a button reach the handlers too.
    setMouseTracking(true);
    // Qt asks the factories only for objects it has no interface for yet, so
    // installing it once, before the first window or element is seen, is
    // enough: every window makes an element first.
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
    setGeometry(toPixels(m_left), toPixels(m_top), toPixels(m_width), toPixels(m_height));
}

// Every mouse event is accepted, so nothing behind the element ever sees it:
// an element in front takes the mouse over its whole rectangle.
void Element::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        m_clickPending = true;
    emitMouse(this, &Element::mouseDown, event);
}

// The second press of a double-click is a press to the mouse handlers, but
// not the start of another click: a double-click acts once.
void Element::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    emitMouse(this, &Element::mouseDown, event);
}

void Element::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    emitMouse(this, &Element::mouseMove, event);
}

void Element::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    emitMouse(this, &Element::mouseUp, event);
    // A click is a left press and release over the same element.
    if (event->button() == Qt::LeftButton && std::exchange(m_clickPending, false)
        && rect().contains(event->position().toPoint()))
        emit clicked();
}

// ------------------------------------------------------------------ Label

Label::Label(QWidget* parent, const QString& name, QRectF twips, const Style& style, const QString& caption)
    : Element(parent, name)
    , m_autoSize(style.autoSize)
    , m_align(style.align)
{
    setTextFormat(Qt::PlainText);
    setFont(tk::font(style.font));
    setWordWrap(style.wordWrap);
    setAlignment((style.align == Align::Center ? Qt::AlignHCenter : Qt::AlignLeft)
                 | (style.wordWrap ? Qt::AlignTop : Qt::AlignVCenter));
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, style.textColor);
    if (style.backColor) {
        colors.setColor(QPalette::Window, *style.backColor);
        setAutoFillBackground(true);
    }
    setPalette(colors);
    setRect(static_cast<float>(twips.left()), static_cast<float>(twips.top()), static_cast<float>(twips.width()),
            static_cast<float>(twips.height()));
    setCaption(caption);
}

void Label::setCaption(const QString& caption)
{
    setText(caption);
    m_ink.reset();
    if (m_autoSize)
        fitToCaption();
}

// A repaint of a strip beside the caption, as a blinking neighbour asks for,
// would lay the caption out and shape it again only to draw none of it.
void Label::paintEvent(QPaintEvent* event)
{
    // Not region().contains(rect()): for a rectangle that asks only whether
    // the two overlap, so every strip would pass for a whole repaint.
    const bool whole = QRegion(rect()).subtracted(event->region()).isEmpty();
    if (whole || event->region().intersects(ink()))
        QLabel::paintEvent(event);
}

// Found by drawing the caption once as QLabel draws a plain-text caption, so
// it is exactly the pixels QLabel covers.
QRegion Label::ink() const
{
    if (!m_ink) {
        QImage image(size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setFont(font());
            QStyleOption option;
            option.initFrom(this);
            const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
            const int flags = static_cast<int>(align.toInt()) | (wordWrap() ? Qt::TextWordWrap : 0);
            style()->drawItemText(&painter, contentsRect(), flags, option.palette, isEnabled(), text(),
                                  foregroundRole());
        }
        m_ink = coveredPixels(image);
    }
    return *m_ink;
}

void Label::resizeEvent(QResizeEvent* event)
{
    m_ink.reset();
    QLabel::resizeEvent(event);
}

void Label::changeEvent(QEvent* event)
{
    m_ink.reset();
    QLabel::changeEvent(event);
}

void Label::fitToCaption()
{
    const QFontMetrics metrics(font());
    const float newWidth = toTwips(metrics.horizontalAdvance(text()));
    const float newHeight = toTwips(metrics.height());
    const float newLeft = m_align == Align::Center ? left() + (widthTwips() - newWidth) / 2 : left();
    setRect(newLeft, top(), newWidth, newHeight);
}

// ---------------------------------------------------------------- Picture

namespace {

const PackedPicture* packedPicture(QStringView name)
{
    const auto pictures = packedPictures();
    const auto found = std::find_if(pictures.begin(), pictures.end(), [name](const PackedPicture& picture) {
        return name == QStringView(picture.name.data(), qsizetype(picture.name.size()));
    });
    return found == pictures.end() ? nullptr : &*found;
}

}  // namespace

QSize pictureSize(const QString& name)
{
    const PackedPicture* picture = packedPicture(name);
    return picture ? QSize(picture->width, picture->height) : QSize();
}

// The pixmap reads the compiled-in pixels in place: QPixmap keeps a
// read-only image's buffer rather than copying it.
QPixmap loadPicture(const QString& name)
{
    const PackedPicture* picture = packedPicture(name);
    if (!picture) {
        qWarning("No picture is compiled in as %s", qUtf8Printable(name));
        return {};
    }
    return QPixmap::fromImage(
        QImage(reinterpret_cast<const uchar*>(picture->pixels), picture->width, picture->height, picture->format));
}

Picture::Picture(QWidget* parent, const QString& name, float left, float top, const QString& picture)
    : Element(parent, name)
    , m_pictureName(picture)
{
    setAccessibleRole(QAccessible::Graphic);
    const QSize natural = pictureSize(picture);
    setRect(left, top, toTwips(natural.width()), toTwips(natural.height()));
}

const QPixmap& Picture::picture() const
{
    if (!m_pictureName.isEmpty())
        m_picture = loadPicture(std::exchange(m_pictureName, QString()));
    return m_picture;
}

void Picture::takePictureOf(const Picture& other)
{
    m_pictureName.clear();
    m_picture = other.picture();
    setRect(left(), top(), toTwips(m_picture.width()), toTwips(m_picture.height()));
    setAccessibleName(other.accessibleName());
    update();
}

// Drawn here rather than by QLabel, which smooths a picture it has to scale
// for a high-density screen; pixel art stays crisp only with nearest
// neighbours.
void Picture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(rect(), picture());
}

// ------------------------------------------------------------------- Line

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

// ------------------------------------------------------------------ Timer

Timer::Timer(QObject* parent, const QString& name, int intervalMs, bool enabled)
    : QObject(parent)
    , m_interval(intervalMs)
{
    setObjectName(name);
    m_timer.setInterval(intervalMs);
    m_timer.callOnTimeout(this, &Timer::onTimeout);
    setEnabled(enabled);
}

void Timer::setEnabled(bool enabled)
{
    if (m_resting && enabled) {
        m_resting = false;
        const qint64 intoInterval = m_sinceTick.elapsed() % m_interval;
        wake(static_cast<int>(m_interval - intoInterval));
        return;
    }
    m_resting = false;
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (enabled) {
        wake(m_interval);
        m_sinceTick.start();
    } else {
        m_timer.stop();
    }
}

void Timer::wake(int firstWaitMs)
{
    if (!s_ticksOnlyWhenFired)
        m_timer.start(firstWaitMs);
}

void Timer::rest()
{
    if (wakes()) {
        m_timer.stop();
        m_resting = true;
    }
}

void Timer::onTimeout()
{
    // After a rest the first wait was the rest of an interval.
    if (m_timer.interval() != m_interval)
        m_timer.setInterval(m_interval);
    m_sinceTick.start();
    emit tick();
}

void Timer::fire()
{
    if (wakes())
        emit tick();
}

// ----------------------------------------------------------------- Window

Window::Window(QWidget* owner, const QString& name, Frame frame, QSizeF clientTwips, const QString& caption)
    : QWidget(owner)
    , m_announcer(new Element(this, u"Announcer"_s))
{
    // A notification, as screen readers speak one when it is shown. It has
    // no size, so it paints nothing and a review of the screen passes it by,
    // and it takes no mouse.
    m_announcer->setAccessibleRole(QAccessible::Notification);
    m_announcer->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_announcer->setRect(0, 0, 0, 0);
    m_announcer->hide();
    setObjectName(name);
    setWindowTitle(caption);
    Qt::WindowFlags flags
        = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    flags |= frame == Frame::FixedToolWindow ? Qt::Tool : Qt::Window | Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
    setFixedSize(toPixels(static_cast<float>(clientTwips.width())), toPixels(static_cast<float>(clientTwips.height())));
    QPalette colors = palette();
    colors.setColor(QPalette::Window, kButtonFace);
    colors.setColor(QPalette::WindowText, Qt::black);
    setPalette(colors);
    setAutoFillBackground(true);
    setMouseTracking(true);
}

void Window::showInFront()
{
    show();
    raise();
    activateWindow();
}

void Window::announce(const QString& text)
{
    // Kept on the notification whichever way it is spoken, for a screen
    // reader that asks for the latest message.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // From Qt 6.8 on, an announcement reaches screen readers that speak
    // announcements; the notification stays hidden, or they would say the
    // text twice.
    m_announcer->setAccessibleName(text);
    QAccessibleAnnouncementEvent announcement(this, text);
    QAccessible::updateAccessibility(&announcement);
#else
    // Orca speaks a notification when it is shown, not when its text
    // changes, so each message hides it and shows it anew.
    m_announcer->hide();
    m_announcer->setAccessibleName(text);
    m_announcer->show();
#endif
}

void Window::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    m_closed = event->isAccepted();
}

void Window::mousePressEvent(QMouseEvent* event)
{
    emitMouse(this, &Window::mouseDown, event);
}

void Window::mouseMoveEvent(QMouseEvent* event)
{
    emitMouse(this, &Window::mouseMove, event);
}

void Window::mouseReleaseEvent(QMouseEvent* event)
{
    emitMouse(this, &Window::mouseUp, event);
}

// ---------------------------------------------------------------- helpers

void stackFrontToBack(std::initializer_list<QWidget*> widgets)
{
    std::for_each(std::rbegin(widgets), std::rend(widgets), [](QWidget* widget) { widget->raise(); });
}

void messageBox(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, title, QString(text).replace(u"\r\n"_s, u"\n"_s), QMessageBox::Ok, parent);
    box.exec();
}

bool installCzechQtTexts()
{
    auto* texts = new QTranslator(QCoreApplication::instance());
    if (!texts->load(QLocale(QLocale::Czech), u"qtbase"_s, u"_"_s,
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete texts;
        return false;
    }
    return QCoreApplication::installTranslator(texts);
}

void openAddress(const QUrl& address)
{
    QDesktopServices::openUrl(address);
}

}  // namespace tk
