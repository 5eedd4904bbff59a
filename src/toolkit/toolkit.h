#pragma once

// The thin layer between the game's windows and Qt. It is the only code that
// knows about twips, stacking, auto-size, mouse button values and timer
// switching, so the windows can be written in the terms of their layout.

#include <QAccessible>
#include <QColor>
#include <QElapsedTimer>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <initializer_list>
#include <optional>

class QMouseEvent;
class QUrl;

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

// What every element of a window has: a twips rectangle, mouse events in
// twips relative to the element, and the mouse over its whole rectangle.
class Element : public QLabel {
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

class Label : public Element {
    Q_OBJECT
public:
    struct Style {
        FontSpec font;
        Align align = Align::Left;
        bool autoSize = false;
        QColor textColor = Qt::black;
        std::optional<QColor> backColor = std::nullopt;
        bool wordWrap = false;
    };

    // left, top, width and height in twips; an auto-sized label takes its
    // size from the caption and keeps its left edge or its centre.
    Label(QWidget* parent, const QString& name, QRectF twips, const Style& style, const QString& caption);

    QString caption() const { return text(); }
    void setCaption(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fitToCaption();
    QRegion ink() const;

    bool m_autoSize;
    Align m_align;
    mutable std::optional<QRegion> m_ink;  // the pixels the caption covers, found when first needed
};

// The game's pictures, by the name of their PNG without ".png", compiled in
// as pixels (packed_pictures.h) so that showing one decodes nothing. An
// unknown name gives an empty size and a null pixmap.
QSize pictureSize(const QString& name);
QPixmap loadPicture(const QString& name);

class Picture : public Element {
    Q_OBJECT
public:
    // Shown at its natural size with its top-left corner at (left, top)
    // twips. The pixels are read only when the picture is first shown or
    // taken, so pictures kept in reserve cost nothing at start-up.
    Picture(QWidget* parent, const QString& name, float left, float top, const QString& picture);

    const QPixmap& picture() const;
    // The picture's accessible name travels with it, so a screen reader
    // names what is shown.
    void takePictureOf(const Picture& other);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    mutable QString m_pictureName;  // not read yet while not empty
    mutable QPixmap m_picture;
};

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

// A timer whose enabled switch behaves as the handlers expect: switching on a
// stopped timer starts its interval afresh, and switching it to the state it
// is already in changes nothing (QTimer::start() would restart a running one).
class Timer : public QObject {
    Q_OBJECT
public:
    Timer(QObject* parent, const QString& name, int intervalMs, bool enabled);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    int interval() const { return m_interval; }

    // For a handler with nothing left to do: the timer stays enabled but
    // stops waking the program. Switched on again, it ticks when it would
    // have had it never rested, so the ticks keep their phase.
    void rest();
    // Whether it will wake the program for a tick: enabled and not resting.
    bool wakes() const { return m_enabled && !m_resting; }

    // Delivers one tick now, as the event loop does when an interval has
    // passed; nothing while disabled or resting. Lets tests and replays drive
    // the clock tick by tick instead of waiting for it.
    void fire();

    // Off in the program. Switched on, no timer wakes the program by itself
    // and time passes only by fire(), so a test or a replay sees the same
    // ticks however slowly it runs.
    static void setTicksOnlyWhenFired(bool only) { s_ticksOnlyWhenFired = only; }

signals:
    void tick();

private:
    void onTimeout();
    void wake(int firstWaitMs);

    static inline bool s_ticksOnlyWhenFired = false;
    QTimer m_timer;
    int m_interval;
    bool m_enabled = false;
    bool m_resting = false;
    QElapsedTimer m_sinceTick;  // since the last tick the interval ran out for
};

// A top-level window with a client area given in twips, the fixed frame of
// its kind and mouse events in twips on its background.
class Window : public QWidget {
    Q_OBJECT
public:
    enum class Frame : std::uint8_t {
        FixedSingle,  // title bar with minimise and close, a task-bar button
        FixedToolWindow  // small caption with close only, owned, no task-bar button
    };

    Window(QWidget* owner, const QString& name, Frame frame, QSizeF clientTwips, const QString& caption);

    // Shows the window, or brings it to the front when it is shown already.
    void showInFront();

    // Whether the user or the program has closed it; a hidden window is not
    // closed.
    bool isClosed() const { return m_closed; }

    // Has a screen reader speak the text now, once. Nothing on screen shows
    // it, and a review of the screen does not find it.
    void announce(const QString& text);

signals:
    void mouseDown(tk::ButtonValue button, float x, float y);
    void mouseMove(tk::ButtonValue button, float x, float y);
    void mouseUp(tk::ButtonValue button, float x, float y);

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Element* m_announcer;
    bool m_closed = false;
};

// Raises the widgets so that each lies in front of the ones listed after it.
void stackFrontToBack(std::initializer_list<QWidget*> widgets);

// A modal warning with one OK button. The text's lines are separated by
// carriage return and line feed.
void messageBox(QWidget* parent, const QString& text, const QString& title);

// Qt's own texts (message box buttons, window menus) in Czech, whatever the
// user's locale, as every other text of the program is Czech. Returns false
// when the translation is not installed; Qt then speaks English.
bool installCzechQtTexts();

// Hands the address to the desktop's default program; the outcome is not
// reported, as there is nothing the player could do about it.
void openAddress(const QUrl& address);

}  // namespace tk
