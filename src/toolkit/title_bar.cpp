#include "title_bar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace tk {

namespace {

constexpr QColor kActiveBar{214, 210, 192};
constexpr QColor kEdge{160, 156, 140};
constexpr QColor kInactiveText{120, 120, 120};
constexpr QColor kHover{192, 188, 172};
constexpr QColor kCloseHover{196, 43, 28};
constexpr int kIconSize = 16;
constexpr int kGlyphSize = 9;

}  // namespace

TitleBar::TitleBar(QWidget* window, bool minimise)
    : QWidget(window)
{
    setObjectName(u"TitleBar"_s);
    setGeometry(0, 0, window->width(), kHeight);
    int right = width();
    for (const auto kind : {TitleButton::Kind::Close, TitleButton::Kind::Minimise}) {
        if (kind == TitleButton::Kind::Minimise && !minimise)
            continue;
        right -= kHeight;
        (new TitleButton(this, kind))->move(right, 0);
    }
}

void TitleBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool active = window()->isActiveWindow();
    painter.fillRect(rect(), active ? kActiveBar : kButtonFace);
    painter.fillRect(0, height() - 1, width(), 1, kEdge);
    const int margin = (kHeight - kIconSize) / 2;
    painter.drawPixmap(margin, margin, window()->windowIcon().pixmap(kIconSize, kIconSize));
    painter.setFont(tk::font(FontSpec{FontSpec::Face::SansSerif, 9, true}));
    painter.setPen(active ? QColor(Qt::black) : kInactiveText);
    const QRect text(kIconSize + 2 * margin, 0, width() - kIconSize - 2 * margin - 2 * kHeight, height() - 1);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(window()->windowTitle(), Qt::ElideRight, text.width()));
}

void TitleBar::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        window()->windowHandle()->startSystemMove();
}

// A double-click maximises on most title bars; this window keeps its size.
void TitleBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}

// The mouse over the bar is outside the window's client area, so its
// handlers do not hear of it, as with a desktop's frame.
void TitleBar::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
}

void TitleBar::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

TitleButton::TitleButton(QWidget* bar, Kind kind)
    : Element(bar, kind == Kind::Close ? u"TitleClose"_s : u"TitleMinimise"_s)
    , m_kind(kind)
{
    setAccessibleRole(QAccessible::Button);
    setAccessibleName(kind == Kind::Close ? u"Zavřít"_s : u"Minimalizovat"_s);
    resize(TitleBar::kHeight, TitleBar::kHeight - 1);
    connect(this, &Element::clicked, this, [this] {
        if (m_kind == Kind::Close)
            window()->close();
        else
            window()->showMinimized();
    });
}

void TitleButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool hover = underMouse();
    const bool close = m_kind == Kind::Close;
    if (hover)
        painter.fillRect(rect(), close ? kCloseHover : kHover);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(hover && close ? QColor(Qt::white) : QColor(40, 40, 40), 1.5));
    const QRectF glyph(QPointF(width() - kGlyphSize, height() - kGlyphSize) / 2, QSizeF(kGlyphSize, kGlyphSize));
    if (close) {
        painter.drawLine(glyph.topLeft(), glyph.bottomRight());
        painter.drawLine(glyph.topRight(), glyph.bottomLeft());
    } else {
        painter.drawLine(glyph.bottomLeft(), glyph.bottomRight());
    }
}

void TitleButton::enterEvent(QEnterEvent* event)
{
    Element::enterEvent(event);
    update();
}

void TitleButton::leaveEvent(QEvent* event)
{
    Element::leaveEvent(event);
    update();
}

}  // namespace tk
