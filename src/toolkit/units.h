#pragma once

// The terms the windows' layouts are written in: twips, the button face,
// fonts by their face and point size, and mouse buttons as values.

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPointF>

#include <cstdint>

class QMouseEvent;

namespace tk {

inline constexpr float kTwipsPerPixel = 15.0f;

// The button-face colour of both windows; the shades and the corner mask are
// drawn in it, so the background must match it exactly.
inline constexpr QColor kButtonFace{236, 233, 216};

// Nearest whole pixel of a twips value; positions are kept in twips and
// only rounded for display.
int toPixels(float twips);
float toTwips(qreal pixels);

// Button values of mouse events: 1 left, 2 right, 4 middle, added together.
using ButtonValue = qint16;
inline constexpr ButtonValue kLeftButton = 1;
inline constexpr ButtonValue kRightButton = 2;
inline constexpr ButtonValue kMiddleButton = 4;
ButtonValue buttonValue(Qt::MouseButtons buttons);

// A mouse event as the handlers take it: for a press or release the button
// concerned, for a move the buttons held, and the position in twips.
struct MouseAt {
    ButtonValue button;
    float x;
    float y;
};
// The position is taken relative to origin, in the receiver's pixels.
MouseAt mouseAt(const QMouseEvent& event, QPointF origin = {});

// Emits one of the mouse signals of an element or a window with what the
// event carries.
template <class Source>
void emitMouse(Source* source, void (Source::*signal)(ButtonValue, float, float), const QMouseEvent& event,
               QPointF origin = {})
{
    const MouseAt at = mouseAt(event, origin);
    emit(source->*signal)(at.button, at.x, at.y);
}

// A font as the layout names it. The layout's faces are not found on Linux;
// font() picks metric-compatible substitutes and sizes them in pixels, so
// the layout does not change with the DPI the screen reports.
struct FontSpec {
    enum class Face : std::uint8_t { SansSerif, Monospace };
    Face face;
    float points;
    bool bold;
};
QFont font(const FontSpec& wanted);

enum class Align : std::uint8_t { Left, Center };

}  // namespace tk
