// A seeded stream of random user events through both windows: clicks,
// presses, moves and releases with every combination of buttons, at random
// points inside, on the edges of and outside the elements, drags that leave
// the window, the About window closed and reopened, and ticks of all three
// timers. After every event the game must still make sense.
//
//   DELVORAN_SOAK_EVENTS=1000000 DELVORAN_SEED=7 QT_QPA_PLATFORM=offscreen tests/test_soak
//
// replays or lengthens a run; a failure names the seed and the event.

#include "about_window.h"
#include "game_harness.h"

#include <QElapsedTimer>

#include <cstdio>
#include <random>

namespace {

constexpr Qt::MouseButton kButtons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};

// One window's mouse, remembering which buttons the stream holds down.
struct Mouse {
    Qt::MouseButtons held;

    void press(QWindow* window, Qt::MouseButton button, QPoint at)
    {
        if (held & button)
            return;
        held |= button;
        QTest::mousePress(window, button, {}, at);
    }

    void release(QWindow* window, Qt::MouseButton button, QPoint at)
    {
        if (!(held & button))
            return;
        held &= ~Qt::MouseButtons(button);
        QTest::mouseRelease(window, button, {}, at);
    }

    void releaseAll(QWindow* window, QPoint at)
    {
        for (Qt::MouseButton button : kButtons)
            release(window, button, at);
    }
};

class Soak {
public:
    explicit Soak(std::uint32_t seed)
        : m_random(seed)
    {
    }

    GameHarness game;

    void step()
    {
        switch (pick(12)) {
        case 0: game.tick(); break;
        case 1: fireAbout(u"Timer1"_s); break;
        case 2: fireAbout(u"Timer2"_s); break;
        case 3: game.click(u"Image15"_s); break;
        case 4: game.click(u"Image4"_s); break;
        case 5: closeAbout(); break;
        case 6: game.clickAt({pick(310) + 8, pick(46) + 40}); break;  // the keyboard
        case 7: mouseOn(game.window(), m_gameMouse); break;
        default:
            if (AboutWindow* about = openAbout())
                mouseOn(*about, m_aboutMouse);
            else
                game.clickAt(anywhere(game.window()));
            break;
        }
    }

    QString brokenInvariant()
    {
        const GameState& s = game.state();
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
        if (AboutWindow* about = openAbout()) {
            const auto* bottom = about->findChild<tk::Element*>(u"Image2"_s);
            const auto* side = about->findChild<tk::Element*>(u"Image3"_s);
            if (bottom->left() > 4560 || bottom->top() != 2880 || side->top() > 2880 || side->left() != 4440)
                return u"a mark left its row or column or passed its limit"_s;
        }
        return {};
    }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

    AboutWindow* openAbout()
    {
        for (AboutWindow* about : game.window().findChildren<AboutWindow*>()) {
            if (about->isVisible())
                return about;
        }
        return nullptr;
    }

    void fireAbout(const QString& timer)
    {
        if (AboutWindow* about = openAbout())
            about->findChild<tk::Timer*>(timer)->fire();
    }

    // Sometimes with buttons still held: the pointer then goes on to the game
    // window, and they are let go there.
    void closeAbout()
    {
        AboutWindow* about = openAbout();
        if (!about)
            return;
        const bool released = pick(2);
        if (released)
            m_aboutMouse.releaseAll(about->windowHandle(), {0, 0});
        about->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!released) {
            const Qt::MouseButtons held = std::exchange(m_aboutMouse.held, {});
            for (Qt::MouseButton button : kButtons) {
                if (held & button)
                    QTest::mouseRelease(game.window().windowHandle(), button, {}, anywhere(game.window()));
            }
        }
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
        case 1:
            return {pick(window.width() + 80) - 40, pick(window.height() + 80) - 40};
        default:
            return {pick(window.width()), pick(window.height())};
        }
    }

    void mouseOn(QWidget& window, Mouse& mouse)
    {
        QWindow* handle = window.windowHandle();
        const QPoint at = anywhere(window);
        const Qt::MouseButton button = kButtons[pick(3)];
        switch (pick(3)) {
        case 0: mouse.press(handle, button, at); break;
        case 1: mouse.release(handle, button, at); break;
        default: QTest::mouseMove(handle, at); break;
        }
    }

    std::mt19937 m_random;
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
        std::printf("events per second: %.0f\n", events / (static_cast<double>(clock.nsecsElapsed()) / 1e9));
        QVERIFY(soak.game.state().WordsGiven > events / 1000);
    }
};

QTEST_MAIN(SoakTest)
#include "test_soak.moc"
