// The game window as it opens: a fixed size, the shades that swallow clicks,
// the "?" button and the end of the program. How it looks is test_reference's.

#include "game_harness.h"

namespace {

QList<QWidget*> keys(GameHarness& game)
{
    QList<QWidget*> found;
    for (QChar letter = u'A'; letter <= u'Z'; letter = QChar(letter.unicode() + 1))
        found.append(game.find<QWidget>(keyName(letter)));
    return found;
}

}  // namespace

class GameWindowTest : public QObject {
    Q_OBJECT

private slots:
    void windowProperties()
    {
        GameHarness game;
        GameWindow& window = game.window();
        QCOMPARE(window.windowTitle(), u"Delvoran"_s);
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(!window.windowIcon().isNull());
        QVERIFY(!game.wordInPlay());
    }

    void keyboardShadeSwallowsEveryClickBeforeTheFirstWord()
    {
        GameHarness game;
        // Every pixel of the keyboard area, transparent ones of the shade included.
        for (int y = 40; y < 85; y += 3) {
            for (int x = 8; x < 318; x += 3)
                game.clickAt({x, y});
        }
        for (QWidget* key : keys(game))
            QVERIFY(!key->isHidden());
        QCOMPARE(game.caption(u"Label49"_s), u"Pokusů : 0"_s);
    }

    void closingTheGameWindowEndsTheProgram()
    {
        GameHarness game;
        game.newWord(101);
        game.click(u"Image4"_s);
        QPointer<AboutWindow> about = game.about();
        QTimer::singleShot(0, &game.window(), &QWidget::close);
        // Should the program not end, this ends the loop with a failure.
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!game.wordInPlay());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(about.isNull());
    }
};

QTEST_MAIN(GameWindowTest)
#include "test_game_window.moc"
