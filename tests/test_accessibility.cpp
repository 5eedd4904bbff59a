// What a screen reader finds in the game window: what it is told after each
// step, the gallows by its stage, the About window's link,
// and buttons pressed by their actions. The windows' roles and presses over
// AT-SPI are checked by atspi_session.py, and what Orca says by
// orca_session.py.

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

    // What a screen reader is told after each step, in the game's words; a
    // lost word's answer stays untold, and the clock is not told.
    void eachStepAnnounced()
    {
        GameHarness game;
        const auto said = [&game] { return name(game, u"Announcer"_s); };
        game.newWord(101);
        QCOMPARE(said(), u"Měsíc : Délka slova : 5. - - - - -"_s);
        game.guess(u"EX"_s);
        QCOMPARE(said(), u"X není ve slově. - E - E -. Špatně : 1 z 8"_s);
        game.guess(u"LDN"_s);
        QCOMPARE(said(), u"N je ve slově. L E D E N. Výsledek slova : Správně"_s);
        game.guess(u"+EABCFGHIJ"_s);  // the first entry again
        game.tick();
        QCOMPARE(said(), u"J není ve slově. - E - E -. Špatně : 8 z 8. Výsledek slova : Špatně"_s);
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
