// Run natively on Wayland, where the windows draw their own title bar: the
// layout keeps its place below it, and the bar offers what the window's
// frame should and never makes the window grow.

#include "game_harness.h"

#include <QPointer>
#include <QSignalSpy>

class TitleBarTest : public QObject {
    Q_OBJECT

private slots:
    void barAboveTheLayout_data()
    {
        QTest::addColumn<bool>("about");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QPoint>("free");  // a spot of the layout's background
        QTest::newRow("game") << false << QSize(328, 364) << QStringList{u"TitleClose"_s, u"TitleMinimise"_s}
                              << QPoint(300, 340);
        QTest::newRow("about") << true << QSize(312, 217) << QStringList{u"TitleClose"_s} << QPoint(200, 10);
    }

    void barAboveTheLayout()
    {
        QFETCH(bool, about);
        QFETCH(QSize, client);
        GameHarness game;
        if (about)
            game.click(u"Image4"_s);
        QWidget* window = about ? static_cast<QWidget*>(game.window().findChild<AboutWindow*>()) : &game.window();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        // Qt draws no frame of its own, with its maximise button.
        QCOMPARE(window->windowHandle()->frameMargins(), QMargins());
        const auto* bar = game.find<QWidget>(u"TitleBar"_s, window);
        QCOMPARE(window->size(), client + QSize(0, bar->height()));
        QCOMPARE(bar->geometry(), QRect(0, 0, client.width(), 26));
        QStringList found;
        for (const auto* button : bar->findChildren<tk::Element*>())
            found << button->objectName();
        QTEST(found, "buttons");
        // The element at the layout's top left lies just below the bar.
        QCOMPARE(game.find<QWidget>(about ? u"Image1"_s : u"Label23"_s, window)->pos(),
                 about ? QPoint(8, 34) : QPoint(8, 90));
        // The window's own mouse events come in the layout's terms.
        QFETCH(QPoint, free);
        QSignalSpy downs(static_cast<tk::Window*>(window), &tk::Window::mouseDown);
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, free + QPoint(0, bar->height()));
        QCOMPARE(downs.value(0).mid(1), (QVariantList{free.x() * 15.0f, free.y() * 15.0f}));

        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, QPoint(client.width() / 2, 13));
        QTest::qWait(300);
        QCOMPARE(window->windowState(), Qt::WindowNoState);
        QCOMPARE(window->size(), client + QSize(0, bar->height()));

        // The About window is destroyed as it closes.
        const QPointer<QWidget> open = window;
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, QPoint(client.width() - 13, 13));
        QTRY_VERIFY(!open || !open->isVisible());
    }
};

QTEST_MAIN(TitleBarTest)
#include "test_title_bar.moc"
