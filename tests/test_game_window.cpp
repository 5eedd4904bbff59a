// The game window as it opens: a layout that holds together, the shades that
// swallow clicks, the "?" button and the end of the program. How it looks is
// test_reference's.

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
        QCOMPARE(window.size(), QSize(328, 364));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(!window.windowIcon().isNull());
        QVERIFY(!game.wordInPlay());
        QCOMPARE(game.markersShown(), 0);
    }

    // Where the design puts a few elements, in twips.
    void spotPositions()
    {
        GameHarness game;
        const auto at = [&](const QString& name) {
            const auto* element = game.find<tk::Element>(name);
            return QPointF(element->left(), element->top());
        };
        QCOMPARE(at(u"Label1"_s), QPointF(840, 240));
        QCOMPARE(at(keyName(u'A')), QPointF(120, 600));
        QCOMPARE(at(keyName(u'Z')), QPointF(4440, 960));
        QCOMPARE(at(u"Image15"_s), QPointF(3720, 3840));
    }

    void layoutHoldsTogether()
    {
        GameHarness game;
        game.newWord(101);
        game.guess(u"ABCFGHIJ"_s);  // lost: every marker shown
        const QRect client = game.window().rect();
        for (auto* element : game.window().findChildren<tk::Element*>()) {
            if (!element->isHidden() && !element->geometry().isEmpty())
                QVERIFY2(client.contains(element->geometry()), qPrintable(element->objectName()));
        }
        const QRect shade = game.find<QWidget>(u"Image24"_s)->geometry();
        const QList<QWidget*> all = keys(game);
        for (qsizetype i = 0; i < all.size(); ++i) {
            QVERIFY(shade.contains(all[i]->geometry()));
            for (qsizetype j = i + 1; j < all.size(); ++j)
                QVERIFY(!all[i]->geometry().intersects(all[j]->geometry()));
        }
        QCOMPARE(game.find<QWidget>(u"Image13"_s)->geometry(), game.find<QWidget>(u"Image15"_s)->geometry());
        // The corner mask lies in front of the gallows.
        QCOMPARE(game.window().childAt(game.find<QWidget>(u"Image1"_s)->geometry().center()),
                 game.find<QWidget>(u"Image25"_s));
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
