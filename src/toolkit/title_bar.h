#pragma once

#include "element.h"

#include <cstdint>

namespace tk {

// The title bar a window draws itself where the desktop leaves the frame to
// the program (Wayland). The frame Qt would draw there offers maximise, by
// a button or a double-click, and some desktops carry that out whatever the
// window's fixed size; this one offers only what the window's frame should:
// the icon, the title, minimise where wanted, and close. A press on the
// rest of it moves the window.
class TitleBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 26;  // pixels

    TitleBar(QWidget* window, bool minimise);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// One of the title bar's buttons: a glyph on the bar, darker under the
// mouse, and a button to assistive technology.
class TitleButton : public Element {
    Q_OBJECT
public:
    enum class Kind : std::uint8_t { Minimise, Close };

    TitleButton(QWidget* bar, Kind kind);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    Kind m_kind;
};

}  // namespace tk
