// Long sessions leave the heap where they started: the About window opened
// and closed many times, and many words played to their end.
//
//   DELVORAN_LEAK_ROUNDS=200 valgrind --leak-check=full tests/test_leaks
//
// runs a shorter session under memcheck.

#include "about_window.h"
#include "game_harness.h"

#include <malloc.h>

namespace {

int rounds()
{
    return qEnvironmentVariableIsSet("DELVORAN_LEAK_ROUNDS") ? qEnvironmentVariableIntValue("DELVORAN_LEAK_ROUNDS")
                                                             : 10000;
}

std::size_t heapInUse()
{
    return mallinfo2().uordblks;
}

// Qt's caches settle slowly, but anything the game itself kept from a round
// (a window, a picture, a connection) would cost far more than this.
constexpr std::size_t kGrowthPerRound = 16;

// Sanitizers and memcheck keep their own heaps; there the leak checkers judge.
bool heapMeasurable()
{
#if defined(__SANITIZE_ADDRESS__)
    return false;
#else
    return heapInUse() > 0 && !qEnvironmentVariableIsSet("DELVORAN_LEAK_ROUNDS");
#endif
}

// Keys A to Z in turn until the word is over: every word ends within 26.
void playWord(GameHarness& game, int id)
{
    game.newWord(id);
    for (QChar letter = u'A'; game.wordInPlay(); letter = QChar(letter.unicode() + 1))
        game.click(keyName(letter));
}

int liveObjects(GameHarness& game)
{
    return int(game.window().findChildren<QObject*>().size());
}

}  // namespace

class LeakTest : public QObject {
    Q_OBJECT

private slots:
    void aboutWindowOpenedAndClosed()
    {
        GameHarness game;
        const auto openAndClose = [&] {
            game.click(u"Image4"_s);
            game.window().findChild<AboutWindow*>()->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
        openAndClose();  // first use fills Qt's caches
        const int objects = liveObjects(game);
        const std::size_t heap = heapInUse();
        for (int i = 0; i < rounds(); ++i)
            openAndClose();
        QCOMPARE(liveObjects(game), objects);
        if (heapMeasurable())
            QVERIFY2(heapInUse() < heap + kGrowthPerRound * rounds(), qPrintable(QString::number(heapInUse() - heap)));
    }

    void wordsPlayedToTheirEnd()
    {
        GameHarness game;
        for (int id = 101; id <= 216; ++id)  // every entry once fills the caches
            playWord(game, id);
        const int objects = liveObjects(game);
        const std::size_t heap = heapInUse();
        for (int i = 0; i < rounds(); ++i)
            playWord(game, 101 + i % 116);
        QCOMPARE(liveObjects(game), objects);
        if (heapMeasurable())
            QVERIFY2(heapInUse() < heap + kGrowthPerRound * rounds(), qPrintable(QString::number(heapInUse() - heap)));
        QCOMPARE(game.state().WordsGiven, float(116 + rounds()));
    }
};

QTEST_MAIN(LeakTest)
#include "test_leaks.moc"
