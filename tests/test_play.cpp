// Whole words played through the window: starting, guessing, winning, losing
// and the next word after each.

#include "game_harness.h"

namespace {

// Entries used below, by identifier.
constexpr int kLeden = 101;  // LEDEN
constexpr int kPocitac = 118;  // POCITAC
constexpr int kPasmena = 123;  // PÁSMENA
constexpr int kLastLetter = 131;  // Z
constexpr int kSmajlik = 135;  // ":-) :smajlik", a colon in the clue
constexpr int kMys = 152;  // MYS
constexpr int kKalkulacka = 195;  // KALKULACKA, ten letters, K and A three times each

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
    void play_data()
    {
        QTest::addColumn<int>("before");  // entry played first, 0 for none
        QTest::addColumn<QString>("beforeLetters");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("letters");  // '+' is the new-word button
        QTest::addColumn<QString>("captions");  // of all ten slots
        QTest::addColumn<int>("shown");  // slots shown
        QTest::addColumn<QString>("counters");  // attempts, right, wrong, words given
        QTest::addColumn<QString>("result");  // none while the word is in play
        QTest::addColumn<int>("markers");
        QTest::addColumn<int>("stage");
        QTest::addColumn<QString>("wonLost");

        QTest::newRow("part guessed") << 0 << u""_s << kLeden << u"LEDABCF"_s << u"LEDE------"_s << 5 << u"7 4 4 1"_s
                                      << u""_s << 4 << 4 << u"0 0"_s;
        QTest::newRow("won without a wrong letter") << 0 << u""_s << kLeden << u"LEDN"_s << u"LEDEN-----"_s << 5
                                                    << u"4 5 0 1"_s << u"Správně"_s << 0 << 0 << u"1 0"_s;
        QTest::newRow("seven wrong letters") << 0 << u""_s << kLeden << u"LABCFGHI"_s << u"L---------"_s << 5
                                             << u"8 1 7 1"_s << u""_s << 7 << 7 << u"0 0"_s;
        QTest::newRow("eighth wrong letter loses") << 0 << u""_s << kLeden << u"LABCFGHIJ"_s << u"L---------"_s << 5
                                                   << u"9 1 8 1"_s << u"Špatně"_s << 8 << 8 << u"0 1"_s;
        QTest::newRow("won after seven wrong letters") << 0 << u""_s << kLeden << u"ABCFGHILEDN"_s << u"LEDEN-----"_s
                                                       << 5 << u"11 5 7 1"_s << u"Správně"_s << 0 << 7 << u"1 0"_s;
        QTest::newRow("a letter three times, the tenth slot") << 0 << u""_s << kKalkulacka << u"KA"_s << u"KA-K--A-KA"_s
                                                              << 10 << u"2 6 0 1"_s << u""_s << 0 << 0 << u"0 0"_s;
        QTest::newRow("ten letters won") << 0 << u""_s << kKalkulacka << u"KALUC"_s << u"KALKULACKA"_s << 10
                                         << u"5 10 0 1"_s << u"Správně"_s << 0 << 0 << u"1 0"_s;
        QTest::newRow("accented letter by its key")
            << 0 << u""_s << kPasmena << u"AB"_s << u"-Á----A---"_s << 7 << u"2 2 1 1"_s << u""_s << 1 << 1 << u"0 0"_s;
        QTest::newRow("colon in the clue") << 0 << u""_s << kSmajlik << u"SMAJLIK"_s << u"SMAJLIK---"_s << 7
                                           << u"7 7 0 1"_s << u"Správně"_s << 0 << 0 << u"1 0"_s;
        QTest::newRow("keys and button swallowed") << 0 << u""_s << kLastLetter << u"+ZABC"_s << u"Z---------"_s << 1
                                                   << u"1 1 0 1"_s << u"Správně"_s << 0 << 0 << u"1 0"_s;
        QTest::newRow("ten letters after three") << kMys << u"MYS"_s << kKalkulacka << u""_s << u"----------"_s << 10
                                                 << u"0 0 0 2"_s << u""_s << 0 << 0 << u"1 0"_s;
        QTest::newRow("three letters after ten") << kKalkulacka << u"KALUC"_s << kMys << u""_s << u"----------"_s << 3
                                                 << u"0 0 0 2"_s << u""_s << 0 << 0 << u"1 0"_s;
        QTest::newRow("after a lost word") << kMys << u"ABCDEFGH"_s << kPocitac << u""_s << u"----------"_s << 7
                                           << u"0 0 0 2"_s << u""_s << 0 << 0 << u"0 1"_s;
        QTest::newRow("same entry twice") << kLastLetter << u"Z"_s << kLastLetter << u"Z"_s << u"Z---------"_s << 1
                                          << u"1 1 0 2"_s << u"Správně"_s << 0 << 0 << u"2 0"_s;
    }

    void play()
    {
        QFETCH(int, before);
        QFETCH(QString, beforeLetters);
        QFETCH(int, entry);
        QFETCH(QString, letters);
        GameHarness game;
        if (before) {
            game.newWord(before);
            game.guess(beforeLetters);
        }
        game.newWord(entry);
        game.guess(letters);

        QCOMPARE(game.caption(u"Label40"_s), u"Slovo č.: "_s + QString::number(entry - 100));
        QFETCH(QString, captions);
        QCOMPARE(game.slotCaptions(), captions);
        QFETCH(int, shown);
        QCOMPARE(game.slotsShown(), shown);
        QCOMPARE(game.caption(u"Label39"_s), u"Délka slova : "_s + QString::number(shown));
        for (int k = 1; k <= shown; ++k)
            QVERIFY(game.shown(u"Label"_s + QString::number(k)));
        QFETCH(QString, counters);
        const QStringList count = counters.split(u' ');
        QCOMPARE(game.caption(u"Label49"_s), u"Pokusů : "_s + count[0]);
        QCOMPARE(game.caption(u"Label44"_s), u"Správně : "_s + count[1]);
        QCOMPARE(game.caption(u"Label45"_s), u"Špatně : "_s + count[2]);
        QCOMPARE(game.caption(u"Label50"_s), u"Zadáno slov : "_s + count[3]);
        QFETCH(QString, result);
        QCOMPARE(game.caption(u"Label46"_s), result);
        QFETCH(int, markers);
        QCOMPARE(game.markersShown(), markers);
        QCOMPARE(game.shownOf(u"Image"_s, 5, 4 + markers), markers);
        QFETCH(int, stage);
        QVERIFY(game.showsPicture(u"Image1"_s, u"stage"_s + QString::number(stage)));
        QVERIFY(GameHarness::screenShowsFullRender(game.window()));
        QFETCH(QString, wonLost);
        QCOMPARE(game.caption(u"Label36"_s) + u' ' + game.caption(u"Label38"_s), wonLost);
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

    void clueGrowsAroundItsCentre()
    {
        GameHarness game;
        const auto* clue = game.find<tk::Label>(u"Label47"_s);
        game.newWord(163);  // the longest clue
        QCOMPARE(clue->caption(), u"Země s největším počtem obyvatel :"_s);
        QCOMPARE(clue->left() + clue->widthTwips() / 2, 2445.0f);
        QVERIFY(clue->left() > 0);
        QVERIFY(clue->widthTwips() > 1500);
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
        QCOMPARE(game.slotsShown(), 7);
        // It can be lost but never won.
        game.guess(u"ABCDEFGHIJ"_s);
        QVERIFY(game.wordInPlay());
        game.guess(u"MNOPQRST"_s);
        verifyBoard(game, false);
        QCOMPARE(game.caption(u"Label46"_s), u"Špatně"_s);
    }
};

QTEST_MAIN(PlayTest)
#include "test_play.moc"
