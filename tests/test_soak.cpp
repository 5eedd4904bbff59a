// A seeded stream of random user events through both windows: clicks,
// presses, moves and releases with every combination of buttons, at random
// points inside, on the edges of and outside the elements, drags that leave
// the window, the About window closed and reopened, and ticks of all three
// timers. Words are drawn from the dictionary by the same seed. After every
// event the game must still make sense and hold no more objects than it began
// with.
//
//   DELVORAN_SOAK_EVENTS=1000000 DELVORAN_SEED=7 QT_QPA_PLATFORM=offscreen tests/test_soak
//
// replays or lengthens a run; a failure names the seed and the event. Timers
// tick only when the stream fires them, so a seed replays its run exactly.

#include "game_harness.h"

#include <QElapsedTimer>

#include <cstdio>
#include <random>
#include <set>

namespace {

constexpr Qt::MouseButton kButtons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};

// One window's mouse, remembering which buttons the stream holds down.
struct Mouse {
    Qt::MouseButtons held;

    void set(QWindow* window, Qt::MouseButton button, QPoint at, bool down)
    {
        if (held.testFlag(button) == down)
            return;
        held.setFlag(button, down);
        down ? QTest::mousePress(window, button, {}, at) : QTest::mouseRelease(window, button, {}, at);
    }

    void releaseAll(QWindow* window, QPoint at)
    {
        for (Qt::MouseButton button : kButtons)
            set(window, button, at, false);
    }
};

class Soak {
    std::mt19937 m_random;
    std::mt19937 m_words;

public:
    explicit Soak(std::uint32_t seed)
        : m_random(seed)
        , m_words(seed)
    {
    }

    GameHarness game{dictionary::loadResString,
                     [this] { return std::uniform_real_distribution<double>(0.0, 1.0)(m_words); }};
    std::set<float> played;

    // Out of 18 events: 6 on the keys, 2 on the new-word button, 3 on the
    // About window while it is open, and one of each other kind.
    void step()
    {
        const int kind = pick(18);
        if (kind < 6)
            return clickKey();
        switch (kind) {
        case 6: game.tick(); break;
        case 7: fireAbout(u"Timer1"_s); break;
        case 8: fireAbout(u"Timer2"_s); break;
        case 9:
        case 10: game.click(u"Image15"_s); break;
        case 11: game.click(u"Image4"_s); break;
        case 12: closeAbout(); break;
        case 13: game.clickAt({pick(310) + 8, pick(46) + 40}); break;  // the keyboard
        case 14: mouseOn(game.window(), m_gameMouse); break;
        default:
            if (AboutWindow* about = game.about())
                mouseOn(*about, m_aboutMouse);
            else
                game.clickAt(anywhere(game.window()));
            break;
        }
    }

    QString brokenInvariant()
    {
        const GameState& s = game.state();
        if (s.WordsGiven > 0)
            played.insert(s.WordIndex);
        const bool inPlay = game.wordInPlay();
        if (s.WordsGiven != s.WordsRight + s.WordsWrong + (inPlay ? 1.0f : 0.0f))
            return u"WordsGiven is not won + lost (+1 in play)"_s;
        if (s.RevealedCount > s.WordLength)
            return u"RevealedCount > WordLength"_s;
        if (s.WrongCount > 8)
            return u"WrongCount > 8"_s;
        if (!inPlay && (s.Attempts != 0 || s.RevealedCount != 0 || s.WrongCount != 0))
            return u"per-word counters not 0 between words"_s;
        if (game.shown(u"Image24"_s) == inPlay)
            return u"keyboard shade does not match the word in play"_s;
        if (game.find<QWidget>(u"Image15"_s)->isEnabled() == inPlay)
            return u"new-word button does not match the word in play"_s;
        int open = 0;
        for (AboutWindow* about : game.window().findChildren<AboutWindow*>())
            open += about->isVisible() ? 1 : 0;
        if (open > 1)
            return u"more than one About window"_s;
        if (!game.about() && game.window().findChildren<QObject*>().size() != m_objects)
            return u"objects left behind by a closed About window or a played word"_s;
        if (AboutWindow* about = game.about()) {
            const auto* bottom = about->findChild<tk::Element*>(u"Image2"_s);
            const auto* side = about->findChild<tk::Element*>(u"Image3"_s);
            if (bottom->left() > 4560 || bottom->top() != 2880 || side->top() > 2880 || side->left() != 4440)
                return u"a mark left its row or column or passed its limit"_s;
        }
        return {};
    }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

    // Where a key stands, or stood before it was taken.
    void clickKey() { game.click(keyName(QChar(u'A' + pick(26)))); }

    void fireAbout(const QString& name)
    {
        if (AboutWindow* about = game.about())
            about->findChild<tk::Timer*>(name)->fire();
    }

    // Sometimes with buttons still held: the pointer then goes on to the game
    // window, and they are let go there.
    void closeAbout()
    {
        AboutWindow* about = game.about();
        if (!about)
            return;
        if (pick(2))
            m_aboutMouse.releaseAll(about->windowHandle(), {0, 0});
        about->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_aboutMouse.releaseAll(game.window().windowHandle(), anywhere(game.window()));
    }

    // Inside, on the edge of an element, or outside the window.
    QPoint anywhere(const QWidget& window)
    {
        const QList<QWidget*> parts = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        switch (pick(3)) {
        case 0: {
            const QRect box = parts.at(pick(int(parts.size())))->geometry();
            return pick(2) ? box.topLeft() : box.bottomRight() + QPoint(1, 1);
        }
        case 1: return {pick(window.width() + 80) - 40, pick(window.height() + 80) - 40};
        default: return {pick(window.width()), pick(window.height())};
        }
    }

    void mouseOn(QWidget& window, Mouse& mouse)
    {
        QWindow* handle = window.windowHandle();
        const QPoint at = anywhere(window);
        if (pick(3) == 0)
            QTest::mouseMove(handle, at);
        else
            mouse.set(handle, kButtons[pick(3)], at, pick(2));
    }

    const qsizetype m_objects = game.window().findChildren<QObject*>().size();
    Mouse m_gameMouse;
    Mouse m_aboutMouse;
};

}  // namespace

class SoakTest : public QObject {
    Q_OBJECT

private slots:
    void randomEventsKeepTheGameSound()
    {
        const auto seed = static_cast<std::uint32_t>(qEnvironmentVariableIntValue("DELVORAN_SEED"));
        const int events = qEnvironmentVariableIsSet("DELVORAN_SOAK_EVENTS")
            ? qEnvironmentVariableIntValue("DELVORAN_SOAK_EVENTS")
            : 50000;
        Soak soak(seed);
        QElapsedTimer clock;
        clock.start();
        for (int event = 0; event < events; ++event) {
            soak.step();
            const QString broken = soak.brokenInvariant();
            QVERIFY2(broken.isEmpty(), qPrintable(u"seed %1, event %2: %3"_s.arg(seed).arg(event).arg(broken)));
        }
        std::printf("seed %u: %d events, %.0f a second, %.0f words, %zu of the %d entries\n", seed, events,
                    events / (static_cast<double>(clock.nsecsElapsed()) / 1e9), soak.game.state().WordsGiven,
                    soak.played.size(), dictionary::kSize);
        if (events >= 50000)
            QVERIFY(soak.played.size() >= 100);
    }
};

QTEST_MAIN(SoakTest)
#include "test_soak.moc"
