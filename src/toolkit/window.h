#pragma once

#include "units.h"

#include <QWidget>

#include <cstdint>

class QUrl;

namespace tk {

class Element;

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

    // Where the client area starts: below the title bar where the window
    // draws its own, else at the top-left corner.
    QPoint clientOrigin() const;

    // Has a screen reader speak the text now, once. Nothing on screen shows
    // it, and a review of the screen does not find it.
    void announce(const QString& text);

signals:
    void mouseDown(tk::ButtonValue button, float x, float y);
    void mouseMove(tk::ButtonValue button, float x, float y);
    void mouseUp(tk::ButtonValue button, float x, float y);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Element* m_announcer = nullptr;
    QWidget* m_titleBar = nullptr;
    bool m_closed = false;
};

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
