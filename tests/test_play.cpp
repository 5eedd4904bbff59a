// The game window played through: as it opens, whole words started, guessed,
// won and lost with the next word after each, the clocks, what a screen
// reader hears and presses, and the end of the program. How it looks is
// test_reference's; the windows' roles and presses over AT-SPI, and what
// Orca says, are atspi_session.py's.

#include "game_harness.h"
#include "time_statistics.h"

#include <QAccessible>

namespace {

// Entries used below, by identifier: 101 LEDEN, 118 POCITAC, 123 PÁSMENA,
// 131 Z, 135 SMAJLIK (a colon in the clue), 152 MYS, 195 KALKULACKA (ten
// letters, K and A three times each).
constexpr int kPocitac = 118;
constexpr int kLastLetter = 131;

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

// The board as a word leaves it in play or closes it.
void verifyBoard(GameHarness& game, bool inPlay)
{
    QCOMPARE(game.wordInPlay(), inPlay);
    QCOMPARE(game.shown(u"Image24"_s), !inPlay);
    QCOMPARE(game.shown(u"Image13"_s), inPlay);
    QCOMPARE(game.find<QWidget>(u"Image15"_s)->isEnabled(), !inPlay);
}

}  // namespace

class PlayTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithTheKeyboardShaded()
    {
        GameHarness game;
        GameWindow& window = game.window();
        QCOMPARE(window.windowTitle(), u"Delvoran"_s);
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(GameHarness::iconIs(window, u"hanged_icon.png"_s));  // the picture About's figure shows
        verifyBoard(game, false);
        // Every pixel of the keyboard area, transparent ones of the shade
        // included, is swallowed before the first word.
        for (int y = 40; y < 85; y += 3) {
            for (int x = 8; x < 318; x += 3)
                game.clickAt({x, y});
        }
        for (QChar letter = u'A'; letter <= u'Z'; letter = QChar(letter.unicode() + 1))
            QVERIFY(game.shown(keyName(letter)));
    }

    void play_data()
    {
        QTest::addColumn<QString>("words");  // entries drawn in turn, each with the letters then pressed
        QTest::addColumn<QString>("shownSlots");  // the captions of the slots shown
        QTest::addColumn<QString>("counters");  // attempts, right, wrong, words given, won, lost
        QTest::addColumn<QString>("result");  // none while the word is in play
        QTest::addColumn<int>("markers");
        QTest::newRow("part guessed") << u"101 LEDABCF"_s << u"LEDE-"_s << u"7 4 4 1 0 0"_s << u""_s << 4;
        QTest::newRow("won without a wrong letter")
            << u"101 LEDN"_s << u"LEDEN"_s << u"4 5 0 1 1 0"_s << u"Správně"_s << 0;
        QTest::newRow("seven wrong letters") << u"101 LABCFGHI"_s << u"L----"_s << u"8 1 7 1 0 0"_s << u""_s << 7;
        QTest::newRow("eighth wrong letter loses")
            << u"101 LABCFGHIJ"_s << u"L----"_s << u"9 1 8 1 0 1"_s << u"Špatně"_s << 8;
        QTest::newRow("won after seven wrong letters")
            << u"101 ABCFGHILEDN"_s << u"LEDEN"_s << u"11 5 7 1 1 0"_s << u"Správně"_s << 0;
        QTest::newRow("a letter three times, the tenth slot")
            << u"195 KA"_s << u"KA-K--A-KA"_s << u"2 6 0 1 0 0"_s << u""_s << 0;
        QTest::newRow("ten letters won") << u"195 KALUC"_s << u"KALKULACKA"_s << u"5 10 0 1 1 0"_s << u"Správně"_s << 0;
        QTest::newRow("accented letter by its key") << u"123 AB"_s << u"-Á----A"_s << u"2 2 1 1 0 0"_s << u""_s << 1;
        QTest::newRow("colon in the clue") << u"135 SMAJLIK"_s << u"SMAJLIK"_s << u"7 7 0 1 1 0"_s << u"Správně"_s << 0;
        QTest::newRow("keys and button swallowed") << u"131 +ZABC"_s << u"Z"_s << u"1 1 0 1 1 0"_s << u"Správně"_s << 0;
        QTest::newRow("ten letters after three")
            << u"152 MYS, 195"_s << u"----------"_s << u"0 0 0 2 1 0"_s << u""_s << 0;
        QTest::newRow("three letters after ten") << u"195 KALUC, 152"_s << u"---"_s << u"0 0 0 2 1 0"_s << u""_s << 0;
        QTest::newRow("after a lost word") << u"152 ABCDEFGH, 118"_s << u"-------"_s << u"0 0 0 2 0 1"_s << u""_s << 0;
        QTest::newRow("same entry twice") << u"131 Z, 131 Z"_s << u"Z"_s << u"1 1 0 2 2 0"_s << u"Správně"_s << 0;
    }

    void play()
    {
        QFETCH(QString, words);
        GameHarness game;
        int entry = 0;
        QString letters;
        for (const QString& word : words.split(u", "_s)) {
            entry = word.section(u' ', 0, 0).toInt();
            letters = word.section(u' ', 1);
            game.newWord(entry);
            game.guess(letters);
        }

        QCOMPARE(game.caption(u"Label40"_s), u"Slovo č.: "_s + QString::number(entry - 100));
        QFETCH(QString, shownSlots);
        QCOMPARE(game.wordSlots(), shownSlots.leftJustified(10, u'.'));
        QCOMPARE(game.caption(u"Label39"_s), u"Délka slova : "_s + QString::number(shownSlots.size()));
        QStringList counters;
        for (int label : {49, 44, 45, 50, 36, 38})
            counters.append(game.caption(u"Label"_s + QString::number(label)).section(u' ', -1));
        QTEST(counters.join(u' '), "counters");
        QFETCH(QString, result);
        QCOMPARE(game.caption(u"Label46"_s), result);
        QTEST(game.markersShown(), "markers");
        QVERIFY(GameHarness::screenShowsFullRender(game.window()));
        verifyBoard(game, result.isEmpty());
        // Keys pressed during this word are gone; every other key is back.
        for (QChar letter = u'A'; letter <= u'Z'; letter = QChar(letter.unicode() + 1)) {
            if (!letters.contains(letter))
                QVERIFY2(game.shown(keyName(letter)), qPrintable(QString(letter)));
        }
        if (!letters.isEmpty() && letters[0] != u'+')
            QVERIFY(!game.shown(keyName(letters[0])));
        QVERIFY(game.warnings().isEmpty());
    }

    void wonCounterHasRoomForTwoDigits()
    {
        GameHarness game;
        for (int word = 0; word < 10; ++word) {
            game.newWord(kLastLetter);
            game.guess(u"Z"_s);
        }
        const auto* counter = game.find<tk::Label>(u"Label36"_s);
        QCOMPARE(counter->caption(), u"10"_s);
        QVERIFY(counter->width() >= counter->fontMetrics().horizontalAdvance(counter->caption()));
    }

    void overLongAnswerWarnsAndStaysInPlay()
    {
        GameHarness game([](int id) { return id == 101 ? u"Dlouhé :abcdefghijkl"_s : dictionary::loadResString(id); });
        game.newWord(kPocitac);
        game.guess(u"POCITA"_s);
        game.newWord(101);
        QCOMPARE(game.warnings(),
                 QStringList{u"Chybné slovo|Najduto chybné slovo : 101\r\n"
                             u"Prosím, oznamte to na e-mail : tarvik@delvoran.cz.\r\n"
                             u"Nezapoměňte uvést číslo slova.\r\n"
                             u"Děkuji. Vantik Software"_s});
        QCOMPARE(game.state().Word, u"ABCDEFGHIJKL"_s);
        QCOMPARE(game.caption(u"Label39"_s), u"Délka slova : 12"_s);
        // The slots keep the visibility of the last word.
        QCOMPARE(game.wordSlots(), u"-------..."_s);
        // It can be lost but never won.
        game.guess(u"ABCDEFGHIJ"_s);
        QVERIFY(game.wordInPlay());
        game.guess(u"MNOPQRST"_s);
        verifyBoard(game, false);
        QCOMPARE(game.caption(u"Label46"_s), u"Špatně"_s);
    }

    // Only a word in play counts; the average is over every word given, the
    // one in play included. Each clock shows hours, minutes and seconds apart.
    void timeCountedPerWordAndOnAverage()
    {
        GameHarness game;
        for (int seconds : {50, 3725}) {
            game.newWord(kLastLetter);
            game.tick(seconds);
            game.guess(u"Z"_s);
            game.tick(5);
        }
        game.newWord(kLastLetter);
        // Until the first tick the captions show the last word's times.
        QCOMPARE(game.caption(u"Label42"_s), u"Čas slova : 1:2:5"_s);
        game.tick(20);
        QCOMPARE(game.caption(u"Label42"_s), u"Čas slova : 0:0:20"_s);
        QCOMPARE(game.caption(u"Label41"_s), u"Celkový čas : 1:3:15"_s);
        QCOMPARE(game.caption(u"Label43"_s), u"Prům. čas slova : 0:21:5"_s);
    }

    void splitAtTheEdgesOfASingle_data()
    {
        QTest::addColumn<float>("seconds");
        QTest::addColumn<QString>("clock");
        QTest::newRow("hours go past a day") << 90061.0f << u"25:1:1"_s;
        QTest::newRow("last whole second of a single") << 16777216.0f << u"4660:20:16"_s;
        QTest::newRow("just below an hour") << 3599.99f << u"0:59:59"_s;
    }

    void splitAtTheEdgesOfASingle()
    {
        QFETCH(float, seconds);
        float h = -1, m = -1, s = -1;
        splitTime(seconds, h, m, s);
        QTEST(clockText(h, m, s), "clock");
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

    // What a screen reader is told after each step, in the game's words; a
    // lost word's answer stays untold, and the clock is not told. The
    // gallows is named by its stage.
    void eachStepAnnounced()
    {
        GameHarness game;
        const auto said = [&game] { return name(game, u"Announcer"_s); };
        const auto stage = [&game] { return name(game, u"Image1"_s).section(u':', 0, 0); };
        QCOMPARE(stage(), u"Šibenice, fáze 0 z 8"_s);
        game.newWord(101);
        QCOMPARE(said(), u"Měsíc : Délka slova : 5. - - - - -"_s);
        game.guess(u"EX"_s);
        QCOMPARE(said(), u"X není ve slově. - E - E -. Špatně : 1 z 8"_s);
        QCOMPARE(stage(), u"Šibenice, fáze 1 z 8"_s);
        game.guess(u"LDN"_s);
        QCOMPARE(said(), u"N je ve slově. L E D E N. Výsledek slova : Správně"_s);
        game.guess(u"+EABCFGHIJ"_s);  // the first entry again
        game.tick();
        QCOMPARE(said(), u"J není ve slově. - E - E -. Špatně : 8 z 8. Výsledek slova : Špatně"_s);
        QCOMPARE(stage(), u"Šibenice, fáze 8 z 8"_s);
    }

    // Last, as it ends the program: the About window goes with it.
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

QTEST_MAIN(PlayTest)
#include "test_play.moc"
