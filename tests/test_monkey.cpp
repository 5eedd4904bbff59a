// A long seeded run of clicks on random points of the game window and clock
// ticks; after every event the game state must still make sense.

#include "game_harness.h"

#include <random>

namespace {

constexpr int kEvents = 20000;

QString checkInvariants(GameHarness& game)
{
    const GameState& s = game.state();
    const bool inPlay = game.wordInPlay();
    const float given = s.WordsRight + s.WordsWrong + (inPlay ? 1.0f : 0.0f);
    if (s.WordsGiven != given)
        return u"WordsGiven %1 != %2"_s.arg(s.WordsGiven).arg(given);
    if (s.RevealedCount > s.WordLength)
        return u"RevealedCount %1 > WordLength %2"_s.arg(s.RevealedCount).arg(s.WordLength);
    if (s.WrongCount > 8)
        return u"WrongCount %1"_s.arg(s.WrongCount);
    if (!inPlay && (s.Attempts != 0 || s.RevealedCount != 0 || s.WrongCount != 0))
        return u"per-word counters not 0 between words"_s;
    if (game.shown(u"Image24"_s) == inPlay)
        return u"keyboard shade does not match the word in play"_s;
    if (game.find<QWidget>(u"Image15"_s)->isEnabled() == inPlay)
        return u"new-word button does not match the word in play"_s;
    return {};
}

}  // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void randomClicksAndTicksKeepTheStateSound()
    {
        const auto seed = static_cast<std::uint32_t>(qEnvironmentVariableIntValue("DELVORAN_SEED"));
        std::mt19937 random(seed);
        GameHarness game;
        const QSize size = game.window().size();
        // Mostly the keyboard, sometimes the new-word button, anywhere else too.
        std::uniform_int_distribution<int> kind(0, 9);
        std::uniform_int_distribution<int> anyX(-5, size.width() + 5);
        std::uniform_int_distribution<int> anyY(-5, size.height() + 5);
        std::uniform_int_distribution<int> keyX(8, 318);
        std::uniform_int_distribution<int> keyY(40, 85);
        for (int event = 0; event < kEvents; ++event) {
            switch (kind(random)) {
            case 0:
                game.tick();
                break;
            case 1:
                game.click(u"Image15"_s);
                break;
            case 2:
                game.clickAt({anyX(random), anyY(random)});
                break;
            default:
                game.clickAt({keyX(random), keyY(random)});
                break;
            }
            const QString broken = checkInvariants(game);
            QVERIFY2(broken.isEmpty(),
                     qPrintable(u"seed %1, event %2: %3"_s.arg(seed).arg(event).arg(broken)));
        }
        QVERIFY(game.state().WordsGiven > 10);
    }
};

QTEST_MAIN(MonkeyTest)
#include "test_monkey.moc"
