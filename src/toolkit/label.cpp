#include "label.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>

#include <cmath>
#include <utility>

namespace tk {

namespace {

// The logical pixels of the label that any pixel the caption changed
// overlaps. The images hold the window's device pixels up to the label's far
// corner, painted on white and on black; `box` is the label's part of them.
QRegion touchedPixels(const QImage& onWhite, const QImage& onBlack, QRect box, qreal ratio, QPoint place)
{
    const auto first
        = [ratio](int device, int offset) { return static_cast<int>(std::floor(device / ratio)) - offset; };
    const auto last
        = [ratio](int deviceEnd, int offset) { return static_cast<int>(std::ceil(deviceEnd / ratio)) - 1 - offset; };
    QRegion touched;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const auto* white = reinterpret_cast<const QRgb*>(onWhite.constScanLine(y));
        const auto* black = reinterpret_cast<const QRgb*>(onBlack.constScanLine(y));
        const auto changed = [&](int x) { return white[x] != 0xffffffff || black[x] != 0xff000000; };
        for (int x = box.left(); x <= box.right();) {
            if (!changed(x)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x <= box.right() && changed(x))
                ++x;
            touched += QRect(QPoint(first(start, place.x()), first(y, place.y())),
                             QPoint(last(x, place.x()), last(y + 1, place.y())));
        }
    }
    return touched;
}

}  // namespace

Label::Label(QWidget* parent, const QString& name, QRectF twips, const Style& style, const QString& caption)
    : Element(parent, name)
    , m_alignment((style.align == Align::Center ? Qt::AlignHCenter : Qt::AlignLeft)
                  | (style.wordWrap ? Qt::AlignTop : Qt::AlignVCenter))
    , m_wordWrap(style.wordWrap)
    , m_autoSize(style.autoSize)
{
    setFont(tk::font(style.font));
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
    const bool changed = caption != m_caption;
    m_caption = caption;
    if (m_autoSize)
        fitToCaption();
    if (!changed)
        return;
    m_ink.reset();
    update();
    if (accessibleName().isEmpty()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

// The one routine that draws the caption, on the screen and when finding its
// pixels. Aligned by the caption's own direction, whatever the window's.
void Label::drawCaption(QPainter& painter) const
{
    const Qt::LayoutDirection direction = m_caption.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    const int flags = static_cast<int>(QStyle::visualAlignment(direction, m_alignment))
        | (direction == Qt::LeftToRight ? Qt::TextForceLeftToRight : Qt::TextForceRightToLeft)
        | (m_wordWrap ? Qt::TextWordWrap : 0);
    // A painter on the label starts with its font and its text colour.
    painter.drawText(rect(), flags, m_caption);
}

// A repaint that misses every pixel of the caption, as a blinking neighbour
// asks for, need not lay the caption out and shape it again.
void Label::paintEvent(QPaintEvent* event)
{
    // Not region().contains(rect()): for a rectangle that asks only whether
    // the two overlap, so every strip would pass for a whole repaint.
    const bool whole = QRegion(rect()).subtracted(event->region()).isEmpty();
    if (!whole) {
        const QRegion* ink = inkOnThisScreen();
        if (ink && !event->region().intersects(*ink))
            return;
        // The ink is found by painting, which cannot happen inside a paint,
        // so it is found once this one is done; until then every repaint
        // draws.
        if (!ink && !std::exchange(m_inkWanted, true))
            QMetaObject::invokeMethod(this, &Label::findInk, Qt::QueuedConnection);
    }
    QPainter painter(this);
    drawCaption(painter);
}

Label::Screen Label::devicePlacement() const
{
    return {devicePixelRatioF(), mapTo(window(), QPoint(0, 0))};
}

const QRegion* Label::inkOnThisScreen() const
{
    return m_ink && m_ink->screen == devicePlacement() ? &m_ink->pixels : nullptr;
}

// Found by painting the label whole as the window paints it, from the
// window's corner at the window's ratio, so that every glyph lands on the
// device pixels it lands on in the window. render() paints it as a widget, so
// the glyphs come out with the screen's own smoothing, subpixel included.
// Painted on opaque grounds, as the screen is, and on two: a pixel the
// caption changes on any ground it changes on the one of these farther from
// the text's colour. A label's own background is left out: Qt fills the
// part to repaint before the label paints, caption or not.
void Label::findInk()
{
    m_inkWanted = false;
    if (size().isEmpty())
        return;
    const Screen now = devicePlacement();
    const QSize extent(static_cast<int>(std::ceil((now.place.x() + width()) * now.ratio)),
                       static_cast<int>(std::ceil((now.place.y() + height()) * now.ratio)));
    const bool hadNoBackground = testAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    const auto paintOn = [&](QColor ground) {
        QImage image(extent, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(now.ratio);
        image.fill(ground);
        QPainter painter(&image);
        painter.translate(now.place);
        render(&painter, QPoint(), QRegion(), {});
        return image;
    };
    const QImage onWhite = paintOn(Qt::white);
    const QImage onBlack = paintOn(Qt::black);
    setAttribute(Qt::WA_NoSystemBackground, hadNoBackground);
    const QPoint corner(static_cast<int>(std::floor(now.place.x() * now.ratio)),
                        static_cast<int>(std::floor(now.place.y() * now.ratio)));
    const QRect box = QRect(corner, QPoint(extent.width() - 1, extent.height() - 1));
    m_ink = Ink{touchedPixels(onWhite, onBlack, box, now.ratio, now.place), now};
}

void Label::resizeEvent(QResizeEvent* event)
{
    m_ink.reset();
    Element::resizeEvent(event);
}

void Label::changeEvent(QEvent* event)
{
    m_ink.reset();
    Element::changeEvent(event);
}

void Label::fitToCaption()
{
    const QFontMetrics metrics(font());
    const float newWidth = toTwips(metrics.horizontalAdvance(m_caption));
    const float newHeight = toTwips(metrics.height());
    const float newLeft = m_alignment & Qt::AlignHCenter ? left() + (widthTwips() - newWidth) / 2 : left();
    setRect(newLeft, top(), newWidth, newHeight);
}

}  // namespace tk
