// The three clocks: ticks counted only while a word is in play, split into
// hours, minutes and seconds, and the average over the words given.

#include "game_harness.h"
#include "time_statistics.h"

namespace {

constexpr int kLastLetter = 131;  // Z: one guess wins it

}  // namespace

class ClockTest : public QObject {
    Q_OBJECT

private slots:
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
};

QTEST_MAIN(ClockTest)
#include "test_clock.moc"
