// The About window: what it loads, one window at a time, the link, and the
// picture that is dragged about and glides home.

#include "game_harness.h"

#include <QAccessible>
#include <QDesktopServices>

namespace {

// A point of the window's background, free of elements.
constexpr QPoint kFree(250, 170);
// A point of the donation text.
constexpr QPoint kOnText(60, 110);

// Receives what the link hands to the desktop.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class AboutHarness : public GameHarness {
public:
    AboutHarness()
    {
        click(u"Image4"_s);
        m_about = about();
    }

    AboutWindow& dialog() { return *m_about; }
    QWindow* handle() { return m_about->windowHandle(); }

    template <class T = tk::Element> T* part(const QString& name) { return find<T>(name, m_about); }

    QPointF picture() { return {part(u"Image1"_s)->left(), part(u"Image1"_s)->top()}; }
    // Where the marks point: the bottom one along, the side one down.
    QPointF marks() { return {part(u"Image2"_s)->left(), part(u"Image3"_s)->top()}; }
    tk::Timer* glide() { return part<tk::Timer>(u"Timer1"_s); }
    tk::Timer* blink() { return part<tk::Timer>(u"Timer2"_s); }
    bool marksShown() { return !part(u"Image2"_s)->isHidden() && !part(u"Image3"_s)->isHidden(); }

    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton) { QTest::mousePress(handle(), button, {}, at); }
    void release(QPoint at, Qt::MouseButton button = Qt::LeftButton) { QTest::mouseRelease(handle(), button, {}, at); }
    void move(QPoint at) { QTest::mouseMove(handle(), at); }

private:
    QPointer<AboutWindow> m_about;
};

Qt::MouseButton buttonOf(QChar letter)
{
    return letter == u'L' ? Qt::LeftButton : letter == u'R' ? Qt::RightButton : Qt::MiddleButton;
}

}  // namespace

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void oneWindowLoadedOnceAndBroughtToTheFront()
    {
        AboutHarness game;
        QPointer<AboutWindow> first = &game.dialog();
        // How it looks is test_reference's, but for the version numbers.
        QCOMPARE(game.part<tk::Label>(u"Label6"_s)->caption(), u"Verze programu : 1.0.12."_s);
        QVERIFY(game.glide()->isEnabled() && game.blink()->isEnabled());
        // The program's own icon, the figure standing, as the desktop shows it.
        QVERIFY(GameHarness::iconIs(game.dialog(), u"icons/program_icon_32.png"_s));
        game.press({200, 80});
        game.release({200, 80});
        // A second "?" keeps the window, and what load would reset stays.
        game.part<tk::Label>(u"Label5"_s)->setCaption(u"x"_s);
        // A tool window counts as active with its owner, so ask which window
        // has the focus.
        const auto focused = [](QWidget* window) {
            return QTest::qWaitFor([window] { return QGuiApplication::focusWindow() == window->windowHandle(); });
        };
        game.window().activateWindow();
        QVERIFY(focused(&game.window()));
        // As the button goes down already: some desktops grant the focus
        // only for the press.
        const QPoint question = game.find<QWidget>(u"Image4"_s)->geometry().center();
        QTest::mousePress(game.window().windowHandle(), Qt::LeftButton, {}, question);
        QVERIFY(focused(first));
        QTest::mouseRelease(game.window().windowHandle(), Qt::LeftButton, {}, question);
        QCOMPARE(game.window().findChildren<AboutWindow*>().size(), 1);
        QCOMPARE(game.part<tk::Label>(u"Label5"_s)->caption(), u"x"_s);
        QCOMPARE(game.picture(), QPointF(3000, 1200));
        // Hidden but not closed, it is still the one window.
        first->hide();
        game.click(u"Image4"_s);
        QCOMPARE(game.window().findChildren<AboutWindow*>().size(), 1);
        QVERIFY(first->isVisible());

        // Closed, it is gone even before it is deleted: "?" makes a new one.
        first->close();
        game.click(u"Image4"_s);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        AboutWindow* second = game.about();
        QVERIFY(second);
        QCOMPARE(second->findChild<tk::Label*>(u"Label5"_s)->caption(), u"Počet slov ve slovníku : 116"_s);
    }

    void presses_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("buttons");  // pressed in turn, all held
        QTest::addColumn<QPointF>("picture");
        QTest::addColumn<bool>("held");  // or gliding

        QTest::newRow("left on the background") << QPoint(150, 185) << u"L"_s << QPointF(2250, 2775) << true;
        QTest::newRow("left on the donation text") << kOnText << u"L"_s << QPointF(900, 1650) << true;
        QTest::newRow("right") << QPoint(150, 185) << u"R"_s << QPointF(120, 120) << false;
        QTest::newRow("middle on the donation text") << kOnText << u"M"_s << QPointF(120, 120) << false;
        QTest::newRow("left, then right") << QPoint(200, 80) << u"LR"_s << QPointF(3000, 1200) << false;
        QTest::newRow("right, then left") << QPoint(200, 80) << u"RL"_s << QPointF(3000, 1200) << true;
    }

    void presses()
    {
        AboutHarness game;
        QFETCH(QPoint, at);
        QFETCH(QString, buttons);
        for (QChar button : buttons)
            game.press(at, buttonOf(button));
        QTEST(game.picture(), "picture");
        QFETCH(bool, held);
        QCOMPARE(game.glide()->isEnabled(), !held);
        QCOMPARE(game.blink()->isEnabled(), held);
        if (held)
            QCOMPARE(game.marks(), game.picture());
        else
            QVERIFY(game.marksShown());
        // A move drags the picture with the left button alone, not with others.
        const QPointF before = game.picture();
        game.move(at + QPoint(10, 5));
        QCOMPARE(game.picture(), buttons == u"L"_s ? before + QPointF(150, 75) : before);
        for (QChar button : buttons)
            game.release(at, buttonOf(button));
    }

    void pressOnThePictureStartsTheGlide()
    {
        AboutHarness game;
        game.press({150, 185});
        game.release({150, 185});
        // The picture now lies under the pointer and takes the mouse itself.
        const QPoint onPicture(155, 190);
        QCOMPARE(game.dialog().childAt(onPicture)->objectName(), u"Image1"_s);
        game.press(onPicture);
        QTest::mouseMove(game.handle(), {156, 191});
        QCOMPARE(game.picture(), QPointF(2250, 2775));
        QVERIFY(game.glide()->isEnabled());
        QVERIFY(!game.blink()->isEnabled());
        game.release({156, 191});
    }

    void glide_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPointF>("picture");  // after a tick
        QTest::addColumn<QPointF>("marks");  // after a tick
        QTest::newRow("right of and below home")
            << QPoint(200, 80) << QPointF(2971.2f, 1189.2f) << QPointF(2971.2f, 1189.2f);
        QTest::newRow("left of home") << QPoint(4, 195) << QPointF(60.6f, 2896.95f) << QPointF(60.6f, 2880);
        QTest::newRow("above home") << QPoint(150, 4) << QPointF(2228.7f, 60.6f) << QPointF(2228.7f, 60.6f);
        QTest::newRow("beyond the mark limits") << QPoint(400, 300) << QPointF(5941.2f, 4456.2f) << QPointF(4560, 2880);
        // Past the left or top edge it jumps home; its mark catches up a tick later.
        QTest::newRow("negative left") << QPoint(-20, 50) << QPointF(120, 743.7f) << QPointF(-295.8f, 743.7f);
        QTest::newRow("negative top") << QPoint(50, -20) << QPointF(743.7f, 120) << QPointF(743.7f, -295.8f);
    }

    void glide()
    {
        AboutHarness game;
        QFETCH(QPoint, from);
        // Dragged from the donation text, which passes its mouse on, and let
        // go: it stays held until a move without the left button.
        game.press(kOnText);
        game.move(from);
        game.release(from);
        QVERIFY(!game.glide()->isEnabled());
        game.move(kFree);
        QVERIFY(game.glide()->isEnabled() && !game.blink()->isEnabled() && game.marksShown());
        QCOMPARE(game.picture(), QPointF(from * 15));
        game.glide()->fire();
        QVERIFY(game.glide()->wakes());  // still on its way
        QTEST(game.picture(), "picture");
        QTEST(game.marks(), "marks");
        game.glide()->fire();
        QCOMPARE(game.marks(), QPointF(std::min(game.picture().x(), 4560.0), std::min(game.picture().y(), 2880.0)));
        QVERIFY(game.picture().x() >= 0 && game.picture().y() >= 0);
        // It brings it home smoothly rather than in whole pixels, waking for
        // every tick that moves it and resting at the first that does not.
        for (int i = 0; i < 5000 && game.glide()->wakes(); ++i) {
            const QPointF before = game.picture();
            game.glide()->fire();
            QCOMPARE(game.glide()->wakes(), game.picture() != before);
        }
        QVERIFY(qAbs(game.picture().x() - 120) < 0.01 && qAbs(game.picture().y() - 120) < 0.01);
        QCOMPARE(game.part(u"Image1"_s)->pos(), QPoint(8, 8));
        QVERIFY(game.glide()->isEnabled() && !game.glide()->wakes());
        // A left press while it rests holds the picture; a move after the
        // release starts the glide again.
        game.press(kFree);
        QVERIFY(!game.glide()->isEnabled());
        QCOMPARE(game.picture(), QPointF(kFree * 15));
        game.release(kFree);
        game.move(kOnText);
        QVERIFY(game.glide()->wakes());
    }

    void partialRepaintsDrawWhatAFullOneDoes_data()
    {
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QPoint>("probe");
        QTest::addColumn<QString>("front");
        QTest::newRow("under the link") << QPoint(60, 74) << QPoint(70, 78) << u"Label4"_s;
        QTest::newRow("over the donation text") << QPoint(60, 74) << QPoint(70, 100) << u"Image1"_s;
        QTest::newRow("under the copyright") << QPoint(60, 30) << QPoint(70, 52) << u"Label3"_s;
        QTest::newRow("over the footer") << QPoint(20, 195) << QPoint(25, 205) << u"Image1"_s;
        QTest::newRow("under its mark") << QPoint(20, 195) << QPoint(22, 197) << u"Image2"_s;
        QTest::newRow("over the texts") << QPoint(150, 100) << QPoint(160, 110) << u"Image1"_s;
    }

    // What the screen shows after repainting only what changed is what a
    // full repaint draws: marks blinking together over the footer, and the
    // picture dragged between the texts, under the marks.
    void partialRepaintsDrawWhatAFullOneDoes()
    {
        AboutHarness game;
        for (bool shown : {false, true, false}) {
            game.blink()->fire();
            QCOMPARE(game.part(u"Image2"_s)->isHidden(), !shown);
            QCOMPARE(game.part(u"Image3"_s)->isHidden(), !shown);
            QVERIFY(GameHarness::screenShowsFullRender(game.dialog()));
        }
        QFETCH(QPoint, to);
        QFETCH(QPoint, probe);
        game.press({200, 80});
        game.move(to);
        QTEST(game.dialog().childAt(probe)->objectName(), "front");
        QVERIFY(GameHarness::screenShowsFullRender(game.dialog()));
        game.release(to);
        // The glide shows both marks again.
        game.move(kFree);
        QVERIFY(!game.blink()->isEnabled() && game.marksShown());
    }

    void linkOpensOnlyTheWebSite()
    {
        AboutHarness game;
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(u"https"_s, &catcher, "open");
        const QPoint link = game.part(u"Label4"_s)->geometry().center();
        QTest::mouseDClick(game.handle(), Qt::LeftButton, {}, link);
        QDesktopServices::unsetUrlHandler(u"https"_s);
        QCOMPARE(catcher.opened, QList<QUrl>{QUrl(u"https://www.delvoran.cz/"_s)});
        // A screen reader hears a link.
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(game.part(u"Label4"_s));
        QCOMPARE(face->role(), QAccessible::Link);
        QCOMPARE(face->text(QAccessible::Name), u"www.delvoran.cz"_s);
        // With nothing to open it, the click changes nothing and says nothing.
        QTest::mouseClick(game.handle(), Qt::LeftButton, {}, link);
        QVERIFY(game.dialog().isVisible());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(AboutTest)
#include "test_about.moc"
