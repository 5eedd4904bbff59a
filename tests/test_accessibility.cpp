// What a screen reader finds in the game window: captions as shown, the word
// as one pattern, the gallows by its stage, the About window's link, and
// buttons pressed by their actions. Changes reaching a screen reader are
// checked over AT-SPI by atspi_session.py.

#include "game_harness.h"

#include <QAccessible>

namespace {

QAccessibleInterface* accessible(QObject* object)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    if (!face)
        qFatal("no accessible interface");
    return face;
}

QString name(GameHarness& game, const QString& element)
{
    return accessible(game.find<QWidget>(element))->text(QAccessible::Name);
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void labelsReadAsTheyShow()
    {
        GameHarness game;
        QCOMPARE(name(game, u"Label49"_s), u"Pokusů : 0"_s);
    }

    // A press through the screen reader's action does what a click would,
    // and a button a click would not reach says it is disabled.
    void pressesActOnlyWhereAClickWould()
    {
        GameHarness game;
        const auto press = [&](const QString& element) {
            QAccessibleInterface* face = accessible(game.find<QWidget>(element));
            const bool enabled = !face->state().disabled;
            face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            return enabled;
        };
        QVERIFY(!press(keyName(u'E')));  // under the keyboard shade
        QVERIFY(game.shown(keyName(u'E')));
        QVERIFY(press(u"Image15"_s));
        QVERIFY(game.wordInPlay());
        QVERIFY(!press(u"Image15"_s));  // under its shade while the word is in play
        QCOMPARE(game.state().WordsGiven, 1.0f);
        QVERIFY(press(keyName(u'E')));
        QCOMPARE(game.state().Attempts, 1.0f);
    }

    void slotsReadAsOneWord()
    {
        GameHarness game;
        QCOMPARE(name(game, u"WordPattern"_s), u"- - - - - - - - - -"_s);
        game.newWord(101);
        QCOMPARE(name(game, u"WordPattern"_s), u"- - - - -"_s);
        game.guess(u"EL"_s);
        QCOMPARE(name(game, u"WordPattern"_s), u"L E - E -"_s);
        // It takes no clicks from the slots it lies over.
        QCOMPARE(game.window().childAt(game.find<QWidget>(u"Label1"_s)->geometry().center()),
                 game.find<QWidget>(u"Label1"_s));
    }

    void gallowsNamedByItsStage()
    {
        GameHarness game;
        QVERIFY(name(game, u"Image1"_s).startsWith(u"Šibenice, fáze 0 z 8"_s));
        game.newWord(101);
        game.guess(u"ABC"_s);
        QVERIFY(name(game, u"Image1"_s).startsWith(u"Šibenice, fáze 3 z 8"_s));
        game.guess(u"FGHIJ"_s);
        QVERIFY(name(game, u"Image1"_s).startsWith(u"Šibenice, fáze 8 z 8"_s));
    }

    void aboutLinkIsALink()
    {
        GameHarness game;
        game.click(u"Image4"_s);
        QAccessibleInterface* link = accessible(game.find(u"Label4"_s, game.about()));
        QCOMPARE(link->role(), QAccessible::Link);
        QCOMPARE(link->text(QAccessible::Name), u"www.delvoran.cz"_s);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
