// The three clocks: ticks counted only while a word is in play, split into
// hours, minutes and seconds, and the average over the words given.

#include "game_harness.h"
#include "game_state.h"
#include "time_statistics.h"

namespace {

constexpr int kLastLetter = 131;  // Z: one guess wins it

}  // namespace

class ClockTest : public QObject {
    Q_OBJECT

private slots:
    void secondsMinutesHours()
    {
        GameHarness game;
        game.newWord(kLastLetter);
        QCOMPARE(game.find<tk::Timer>(u"Timer1"_s)->interval(), 1000);
        game.tick(59);
        QCOMPARE(game.caption(u"Label41"_s), u"Celkový čas : 0:0:59"_s);
        game.tick();
        QCOMPARE(game.caption(u"Label41"_s), u"Celkový čas : 0:1:0"_s);
        QCOMPARE(game.caption(u"Label42"_s), u"Čas slova : 0:1:0"_s);
        game.tick(3540);
        QCOMPARE(game.caption(u"Label41"_s), u"Celkový čas : 1:0:0"_s);
        game.tick(125);
        QCOMPARE(game.caption(u"Label41"_s), u"Celkový čas : 1:2:5"_s);
        QCOMPARE(game.caption(u"Label43"_s), u"Prům. čas slova : 1:2:5"_s);
    }

    void averageOverTheWordsGiven()
    {
        GameHarness game;
        for (int seconds : {50, 30}) {
            game.newWord(kLastLetter);
            game.tick(seconds);
            game.guess(u"Z"_s);
        }
        game.newWord(kLastLetter);
        game.tick(20);
        QCOMPARE(game.state().AverageTime, 100.0f / 3.0f);
        QCOMPARE(game.caption(u"Label43"_s), u"Prům. čas slova : 0:0:33"_s);
        QCOMPARE(game.caption(u"Label42"_s), u"Čas slova : 0:0:20"_s);
        QCOMPARE(game.caption(u"Label41"_s), u"Celkový čas : 0:1:40"_s);
    }

    void exactAverage()
    {
        GameHarness game;
        for (int word = 0; word < 3; ++word) {
            game.newWord(kLastLetter);
            game.tick(2400);
            game.guess(u"Z"_s);
        }
        QCOMPARE(game.caption(u"Label43"_s), u"Prům. čas slova : 0:40:0"_s);
        QCOMPARE(game.caption(u"Label41"_s), u"Celkový čas : 2:0:0"_s);
    }

    void noTimeBetweenWordsAndTheLastWordsTimeKept()
    {
        GameHarness game;
        game.newWord(kLastLetter);
        game.tick(7);
        game.guess(u"Z"_s);
        QVERIFY(!game.find<tk::Timer>(u"Timer1"_s)->isEnabled());
        game.tick(5);
        QCOMPARE(game.state().TotalTime, 7.0f);
        QCOMPARE(game.caption(u"Label42"_s), u"Čas slova : 0:0:7"_s);

        game.newWord(kLastLetter);
        // Until the first tick the captions show the last word's times.
        QCOMPARE(game.state().WordTime, 0.0f);
        QCOMPARE(game.caption(u"Label42"_s), u"Čas slova : 0:0:7"_s);
        game.tick();
        QCOMPARE(game.caption(u"Label42"_s), u"Čas slova : 0:0:1"_s);
        QCOMPARE(game.caption(u"Label41"_s), u"Celkový čas : 0:0:8"_s);
        QCOMPARE(game.caption(u"Label43"_s), u"Prům. čas slova : 0:0:4"_s);
    }

    void clockStartsAFullIntervalAfterTheWord()
    {
        GameHarness game;
        game.newWord(kLastLetter);
        const auto* clock = game.find<tk::Timer>(u"Timer1"_s);
        QVERIFY(clock->isEnabled());
        QVERIFY(clock->remainingTime() > 900);
    }

    void splitAtTheEdgesOfASingle()
    {
        float h = -1, m = -1, s = -1;
        splitTime(3725, h, m, s);
        QCOMPARE(clockText(h, m, s), u"1:2:5"_s);
        // Hours do not wrap at a day.
        splitTime(90061, h, m, s);
        QCOMPARE(clockText(h, m, s), u"25:1:1"_s);
        // The last whole second a single counts exactly.
        splitTime(16777216.0f, h, m, s);
        QCOMPARE(clockText(h, m, s), u"4660:20:16"_s);
        // A fraction of a second is dropped.
        splitTime(100.0f / 3.0f, h, m, s);
        QCOMPARE(clockText(h, m, s), u"0:0:33"_s);
        splitTime(3599.99f, h, m, s);
        QCOMPARE(clockText(h, m, s), u"0:59:59"_s);
    }

    // About 194 days of play: the total stops at 2^24 seconds and every
    // caption stays a whole number.
    void longestRun()
    {
        GameState s;
        s.WordsGiven = 3;
        s.TotalTime = 16777214;
        s.WordTime = 16777214;
        for (int tick = 0; tick < 4; ++tick)
            CountSecond(s);
        QCOMPARE(s.TotalTime, 16777216.0f);
        QCOMPARE(s.WordTime, 16777216.0f);
        QCOMPARE(clockText(s.TotalHours, s.TotalMinutes, s.TotalSeconds), u"4660:20:16"_s);
        QCOMPARE(clockText(s.AverageHours, s.AverageMinutes, s.AverageSeconds), u"1553:26:45"_s);
    }
};

QTEST_MAIN(ClockTest)
#include "test_clock.moc"
