#include "window.h"

#include "element.h"
#include "title_bar.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace tk {

namespace {

// A top-level window is a window to assistive technology, not the filler
// Qt makes of a plain widget: screen readers read its title only then.
QAccessibleInterface* accessibleWindow(const QString&, QObject* object)
{
    auto* window = qobject_cast<Window*>(object);
    return window ? new QAccessibleWidget(window, QAccessible::Window) : nullptr;
}

// On Wayland the desktop may leave the frame to the program; Qt's own frame
// there maximises on a double-click or a button whatever the window's size
// (and GNOME carries it out), so the window goes without it and draws its
// own. Elsewhere the desktop's frame follows the window's flags.
bool drawsOwnTitleBar()
{
    return QGuiApplication::platformName().startsWith(u"wayland"_s);
}

}  // namespace

Window::Window(QWidget* owner, const QString& name, Frame frame, QSizeF clientTwips, const QString& caption)
    : QWidget(owner)
{
    // Installed before Qt first asks about a window, as it asks only once.
    static const bool factoryInstalled = (QAccessible::installFactory(accessibleWindow), true);
    Q_UNUSED(factoryInstalled);
    m_announcer = new Element(this, u"Announcer"_s);
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
    const QSize client(toPixels(static_cast<float>(clientTwips.width())),
                       toPixels(static_cast<float>(clientTwips.height())));
    if (drawsOwnTitleBar()) {
        // Alone: Qt takes a minimise button hint as a wish for its frame.
        flags = (frame == Frame::FixedToolWindow ? Qt::Tool : Qt::Window) | Qt::FramelessWindowHint;
        setFixedSize(client + QSize(0, TitleBar::kHeight));
        m_titleBar = new TitleBar(this, frame == Frame::FixedSingle);
    } else {
        setFixedSize(client);
    }
    setWindowFlags(flags);
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

QPoint Window::clientOrigin() const
{
    return m_titleBar ? QPoint(0, TitleBar::kHeight) : QPoint();
}

void Window::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    const auto type = event->type();
    if (m_titleBar
        && (type == QEvent::ActivationChange || type == QEvent::WindowTitleChange || type == QEvent::WindowIconChange))
        m_titleBar->update();
}

void Window::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    m_closed = event->isAccepted();
}

// A picture dragged above the client area passes under the bar, as it
// would under a desktop's frame; the layout stacks its elements after the
// bar was made.
void Window::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_titleBar)
        m_titleBar->raise();
}

void Window::mousePressEvent(QMouseEvent* event)
{
    emitMouse(this, &Window::mouseDown, *event, clientOrigin());
}

void Window::mouseMoveEvent(QMouseEvent* event)
{
    emitMouse(this, &Window::mouseMove, *event, clientOrigin());
}

void Window::mouseReleaseEvent(QMouseEvent* event)
{
    emitMouse(this, &Window::mouseUp, *event, clientOrigin());
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
