// What a screen reader finds in the game window: captions as shown, the word
// as one pattern, the gallows by its stage and the About window's link.
// Pressing the buttons, and changes reaching a screen reader, are checked over
// AT-SPI by atspi_session.py.

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
        for (tk::Label* label : game.window().findChildren<tk::Label*>()) {
            QAccessibleInterface* face = accessible(label);
            QCOMPARE(face->text(QAccessible::Name), label->caption());
        }
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
        game.newWord(101);
        QVERIFY(name(game, u"Image1"_s).startsWith(u"Šibenice, fáze 0 z 8"_s));
    }

    void aboutLinkIsALink()
    {
        GameHarness game;
        game.click(u"Image4"_s);
        auto* about = game.window().findChild<AboutWindow*>();
        QAccessibleInterface* link = accessible(about->findChild<tk::Label*>(u"Label4"_s));
        QCOMPARE(link->role(), QAccessible::Link);
        QCOMPARE(link->text(QAccessible::Name), AboutWindow::kWebAddress.host());
    }
};

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
