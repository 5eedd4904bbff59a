#include "units.h"

#include <QMouseEvent>

#include <cmath>

using namespace Qt::StringLiterals;

namespace tk {

namespace {

// Point sizes of the layout are meant for a 96 DPI screen.
constexpr float kPixelsPerPoint = 96.0f / 72.0f;

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

MouseAt mouseAt(const QMouseEvent& event, QPointF origin)
{
    const bool move = event.type() == QEvent::MouseMove;
    const QPointF at = event.position() - origin;
    return {buttonValue(move ? event.buttons() : Qt::MouseButtons(event.button())), toTwips(at.x()), toTwips(at.y())};
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

}  // namespace tk
