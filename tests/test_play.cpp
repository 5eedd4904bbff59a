// Whole words played through the window: starting, guessing, winning, losing
// and the next word after each.

#include "game_harness.h"

namespace {

// Entries used below, by identifier.
constexpr int kLeden = 101;        // LEDEN
constexpr int kPocitac = 118;      // POCITAC, seven letters
constexpr int kPasmena = 123;      // PÁSMENA
constexpr int kLastLetter = 131;   // Z
constexpr int kSmajlik = 135;      // clue ":" alone
constexpr int kMys = 152;          // MYS, three letters
constexpr int kKalkulacka = 195;   // KALKULACKA, ten letters, K and A three times each

int slotsShown(GameHarness& game)
{
    int shown = 0;
    for (int k = 1; k <= 10; ++k)
        shown += game.shown(u"Label%1"_s.arg(k)) ? 1 : 0;
    return shown;
}

QString slotCaptions(GameHarness& game)
{
    QString text;
    for (int k = 1; k <= 10; ++k)
        text += game.caption(u"Label%1"_s.arg(k));
    return text;
}

int markersShown(GameHarness& game)
{
    int shown = 0;
    for (int k = 5; k <= 12; ++k)
        shown += game.shown(u"Image%1"_s.arg(k)) ? 1 : 0;
    return shown;
}

qint64 pictureOf(GameHarness& game, const QString& name)
{
    return game.find<tk::Picture>(name)->picture().cacheKey();
}

// Everything a new word shows, whatever came before it.
void verifyFreshWord(GameHarness& game, int length)
{
    for (QChar letter : u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s)
        QVERIFY(game.shown(keyName(letter)));
    QCOMPARE(slotsShown(game), length);
    for (int k = 1; k <= length; ++k)
        QVERIFY(game.shown(u"Label%1"_s.arg(k)));
    QCOMPARE(slotCaptions(game), QString(10, u'-'));
    QCOMPARE(game.caption(u"Label46"_s), QString());
    QCOMPARE(game.caption(u"Label49"_s), u"Pokusů : 0"_s);
    QCOMPARE(game.caption(u"Label44"_s), u"Správně : 0"_s);
    QCOMPARE(game.caption(u"Label45"_s), u"Špatně : 0"_s);
    QCOMPARE(pictureOf(game, u"Image1"_s), pictureOf(game, u"Image14"_s));
    QCOMPARE(markersShown(game), 0);
    QVERIFY(!game.shown(u"Image24"_s));
    QVERIFY(game.shown(u"Image13"_s));
    QVERIFY(game.wordInPlay());
}

void verifyWordClosed(GameHarness& game, const QString& result)
{
    QCOMPARE(game.caption(u"Label46"_s), result);
    QVERIFY(!game.wordInPlay());
    QVERIFY(game.shown(u"Image24"_s));
    QVERIFY(!game.shown(u"Image13"_s));
    QVERIFY(game.find<QWidget>(u"Image15"_s)->isEnabled());
    QCOMPARE(game.state().Attempts, 0.0f);
    QCOMPARE(game.state().RevealedCount, 0.0f);
    QCOMPARE(game.state().WrongCount, 0.0f);
}

}  // namespace

class PlayTest : public QObject {
    Q_OBJECT

private slots:
    void firstWordOfARun()
    {
        GameHarness game;
        game.newWord(kLeden);
        QCOMPARE(game.state().WordIndex, 101.0f);
        QCOMPARE(game.state().Entry, u"Měsíc :leden"_s);
        QCOMPARE(game.state().Clue, u"Měsíc :"_s);
        QCOMPARE(game.state().Word, u"LEDEN"_s);
        QCOMPARE(game.caption(u"Label40"_s), u"Slovo č.: 1"_s);
        QCOMPARE(game.caption(u"Label47"_s), u"Měsíc :"_s);
        QCOMPARE(game.caption(u"Label39"_s), u"Délka slova : 5"_s);
        QCOMPARE(game.caption(u"Label50"_s), u"Zadáno slov : 1"_s);
        QCOMPARE(game.caption(u"Label36"_s), u"0"_s);
        QCOMPARE(game.caption(u"Label38"_s), u"0"_s);
        verifyFreshWord(game, 5);
        QVERIFY(game.warnings().isEmpty());
    }

    void clueGrowsAroundItsCentre()
    {
        GameHarness game;
        game.newWord(163);  // the longest clue
        const auto* clue = game.find<tk::Label>(u"Label47"_s);
        QCOMPARE(clue->left() + clue->widthTwips() / 2, 2445.0f);
        QVERIFY(clue->left() > 0);
        QVERIFY(clue->geometry().right() < game.window().width());
        QVERIFY(clue->widthTwips() > 150);
    }

    void cluesAndAnswersCutAtTheColons()
    {
        GameHarness game;
        game.newWord(kSmajlik);
        QCOMPARE(game.caption(u"Label47"_s), u":"_s);
        QCOMPARE(game.state().Word, u"SMAJLIK"_s);
        QCOMPARE(game.caption(u"Label39"_s), u"Délka slova : 7"_s);
        QCOMPARE(game.caption(u"Label40"_s), u"Slovo č.: 35"_s);
        game.guess(u"SMAJLIK"_s);
        verifyWordClosed(game, u"Správně"_s);

        game.newWord(kLastLetter);
        QCOMPARE(game.state().Word, u"Z"_s);
        QCOMPARE(game.caption(u"Label39"_s), u"Délka slova : 1"_s);
        QCOMPARE(slotsShown(game), 1);
    }

    void wordWonWithoutAWrongLetter()
    {
        GameHarness game;
        game.newWord(kLeden);
        game.guess(u"LED"_s);
        QCOMPARE(slotCaptions(game), u"LEDE-"_s + QString(5, u'-'));
        QVERIFY(game.wordInPlay());
        QCOMPARE(game.caption(u"Label36"_s), u"0"_s);  // only the end of a word changes it
        game.guess(u"N"_s);
        QCOMPARE(slotCaptions(game), u"LEDEN"_s + QString(5, u'-'));
        QCOMPARE(game.caption(u"Label44"_s), u"Správně : 5"_s);
        QCOMPARE(game.caption(u"Label49"_s), u"Pokusů : 4"_s);
        QCOMPARE(game.caption(u"Label45"_s), u"Špatně : 0"_s);
        QCOMPARE(game.caption(u"Label36"_s), u"1"_s);
        QCOMPARE(game.caption(u"Label38"_s), u"0"_s);
        QCOMPARE(game.state().WordsRight, 1.0f);
        verifyWordClosed(game, u"Správně"_s);
        // Pressed keys stay hidden, the others stay under the shade.
        QVERIFY(!game.shown(keyName(u'L')));
        QVERIFY(game.shown(keyName(u'A')));
    }

    void letterAtThreePositions()
    {
        GameHarness game;
        game.newWord(kKalkulacka);
        QCOMPARE(slotsShown(game), 10);
        game.guess(u"K"_s);
        QCOMPARE(slotCaptions(game), u"K--K----K-"_s);
        QCOMPARE(game.caption(u"Label49"_s), u"Pokusů : 1"_s);
        QCOMPARE(game.caption(u"Label44"_s), u"Správně : 3"_s);
        // The tenth slot is revealed like the others.
        game.guess(u"A"_s);
        QCOMPARE(slotCaptions(game), u"KA-K--A-KA"_s);
        QCOMPARE(game.caption(u"Label10"_s), u"A"_s);
        game.guess(u"LUC"_s);
        verifyWordClosed(game, u"Správně"_s);
        QCOMPARE(game.caption(u"Label44"_s), u"Správně : 10"_s);
    }

    void eighthWrongLetterLosesTheWord()
    {
        GameHarness game;
        game.newWord(kLeden);
        game.guess(u"L"_s);
        game.guess(u"ABCFGHI"_s);
        QVERIFY(game.wordInPlay());
        QCOMPARE(game.caption(u"Label45"_s), u"Špatně : 7"_s);
        QCOMPARE(markersShown(game), 7);
        QCOMPARE(pictureOf(game, u"Image1"_s), pictureOf(game, u"Image22"_s));
        game.guess(u"J"_s);
        QCOMPARE(game.caption(u"Label45"_s), u"Špatně : 8"_s);
        QCOMPARE(game.caption(u"Label49"_s), u"Pokusů : 9"_s);
        QCOMPARE(game.caption(u"Label38"_s), u"1"_s);
        QCOMPARE(game.caption(u"Label36"_s), u"0"_s);
        verifyWordClosed(game, u"Špatně"_s);
        // The figure and all markers stay; the word is not disclosed.
        QCOMPARE(markersShown(game), 8);
        QCOMPARE(pictureOf(game, u"Image1"_s), pictureOf(game, u"Image23"_s));
        QCOMPARE(slotCaptions(game), u"L----"_s + QString(5, u'-'));
    }

    void winAfterSevenWrongLetters()
    {
        GameHarness game;
        game.newWord(kLeden);
        game.guess(u"ABCFGHI"_s);
        game.guess(u"LEDN"_s);
        verifyWordClosed(game, u"Správně"_s);
        QCOMPARE(game.caption(u"Label36"_s), u"1"_s);
        QCOMPARE(game.caption(u"Label45"_s), u"Špatně : 7"_s);
        QCOMPARE(markersShown(game), 0);
        QCOMPARE(pictureOf(game, u"Image1"_s), pictureOf(game, u"Image22"_s));
    }

    void nextWordAfterAWonAndAfterALostWord()
    {
        GameHarness game;
        game.newWord(kPocitac);
        game.guess(u"XPOCITA"_s);
        verifyWordClosed(game, u"Správně"_s);
        game.newWord(kMys);
        verifyFreshWord(game, 3);
        QCOMPARE(game.caption(u"Label50"_s), u"Zadáno slov : 2"_s);
        QCOMPARE(game.caption(u"Label36"_s), u"1"_s);

        game.guess(u"ABCDEFGH"_s);
        verifyWordClosed(game, u"Špatně"_s);
        game.newWord(kPocitac);
        verifyFreshWord(game, 7);
        QCOMPARE(game.caption(u"Label38"_s), u"1"_s);
        QCOMPARE(game.state().WordsGiven, 3.0f);
    }

    void keysAndButtonBetweenAndDuringWords()
    {
        GameHarness game;
        game.newWord(kLastLetter);
        game.click(u"Image15"_s);  // during the word: under its shade
        QCOMPARE(game.state().WordsGiven, 1.0f);
        game.guess(u"Z"_s);
        game.guess(u"ABC"_s);  // between words: under the keyboard shade
        QCOMPARE(game.caption(u"Label49"_s), u"Pokusů : 1"_s);
        QVERIFY(game.shown(keyName(u'A')));
        QCOMPARE(game.state().Attempts, 0.0f);
    }

    void sameEntryTwiceInARow()
    {
        GameHarness game;
        game.newWord(kLastLetter);
        game.guess(u"Z"_s);
        game.newWord(kLastLetter);
        verifyFreshWord(game, 1);
        QCOMPARE(game.caption(u"Label40"_s), u"Slovo č.: 31"_s);
    }

    // The keyboard has no Á; its A stands for it, and the slot shows the
    // word's own letter.
    void accentedLetterRevealedByItsKey()
    {
        GameHarness game;
        game.newWord(kPasmena);
        QCOMPARE(game.state().Word, u"PÁSMENA"_s);
        QCOMPARE(game.state().WordLength, 7.0f);
        game.guess(u"A"_s);
        QCOMPARE(slotCaptions(game), u"-Á----A"_s + QString(3, u'-'));
        QCOMPARE(game.caption(u"Label44"_s), u"Správně : 2"_s);
        game.guess(u"PSMEN"_s);
        verifyWordClosed(game, u"Správně"_s);
        QCOMPARE(slotCaptions(game), u"PÁSMENA"_s + QString(3, u'-'));
    }

    void overLongAnswerWarnsAndStaysInPlay()
    {
        GameHarness game([](int id) {
            return id == 101 ? u"Dlouhé :abcdefghijkl"_s : dictionary::loadResString(id);
        });
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
        QCOMPARE(slotsShown(game), 7);
        QVERIFY(game.wordInPlay());
        // It can be lost but never won.
        game.guess(u"ABCDEFGHIJ"_s);
        QVERIFY(game.wordInPlay());
        game.guess(u"MNOPQRST"_s);
        verifyWordClosed(game, u"Špatně"_s);
    }
};

QTEST_MAIN(PlayTest)
#include "test_play.moc"
