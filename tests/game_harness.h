#pragma once

// Drives a real game window the way a player does: clicks go to the window at
// a point and reach whatever element lies in front there.

#include "about_window.h"
#include "game_window.h"

#include <QScreen>
#include <QTest>
#include <QWindow>

#include <deque>
#include <memory>

using namespace Qt::StringLiterals;

// The random fraction that draws the entry with this identifier.
inline double drawing(int id)
{
    return (id - dictionary::kFirstId + 0.5) / dictionary::kSize;
}

// Element name of the key that carries the letter.
inline QString keyName(QChar letter)
{
    const int index = letter.unicode() - u'A';
    return u"Label"_s + QString::number(index == 0 ? 37 : 10 + index);
}

class GameHarness {
public:
    // Words are drawn as newWord() asks; any other draw comes from `others`.
    explicit GameHarness(
        dictionary::Lookup lookup = dictionary::loadResString, dictionary::RandomSource others = [] { return 0.0; })
        : m_draws(std::make_shared<std::deque<double>>())
        , m_warnings(std::make_shared<QStringList>())
        , m_window(GameServices{
              .random =
                  [draws = m_draws, others = std::move(others)] {
                      if (draws->empty())
                          return others();
                      const double r = draws->front();
                      draws->pop_front();
                      return r;
                  },
              .lookup = std::move(lookup),
              .warn = [warnings = m_warnings](QWidget*, const QString& text,
                                              const QString& title) { warnings->append(title + u'|' + text); }})
    {
        // Real ticks would land between the events a test sends.
        tk::Timer::setTicksOnlyWhenFired(true);
        m_window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_window));
    }

    GameWindow& window() { return m_window; }
    const GameState& state() const { return m_window.state(); }
    const QStringList& warnings() const { return *m_warnings; }

    // An element of the game window, or of another window of the game.
    template <class T = tk::Label> T* find(const QString& name, QWidget* window = nullptr)
    {
        T* element = (window ? window : &m_window)->findChild<T*>(name);
        if (!element)
            qFatal("no element %s", qPrintable(name));
        return element;
    }

    QString caption(const QString& name) { return find<tk::Label>(name)->caption(); }
    bool shown(const QString& name) { return !find<QWidget>(name)->isHidden(); }

    // Whether the element holds the compiled-in picture of that name, pixel
    // for pixel.
    bool showsPicture(const QString& name, const QString& picture, QWidget* window = nullptr)
    {
        return find<tk::Picture>(name, window)->picture().toImage() == tk::loadPicture(picture).toImage();
    }

    // Whether the screen shows what a full repaint of the window draws; the
    // screen catches up within a few passes of the event loop.
    static bool screenShowsFullRender(QWidget& window)
    {
        return QTest::qWaitFor(
            [&] { return window.screen()->grabWindow(window.winId()).toImage() == window.grab().toImage(); }, 2000);
    }

    // How many of the elements named prefix + first … last are shown.
    int shownOf(const QString& prefix, int first, int last)
    {
        int count = 0;
        for (int k = first; k <= last; ++k)
            count += shown(prefix + QString::number(k)) ? 1 : 0;
        return count;
    }

    int markersShown() { return shownOf(u"Image"_s, 5, 12); }
    int slotsShown() { return shownOf(u"Label"_s, 1, 10); }

    QString slotCaptions()
    {
        QString text;
        for (int k = 1; k <= 10; ++k)
            text += caption(u"Label"_s + QString::number(k));
        return text;
    }

    // The About window the user has open, if any.
    AboutWindow* about()
    {
        for (AboutWindow* window : m_window.findChildren<AboutWindow*>()) {
            if (window->isVisible())
                return window;
        }
        return nullptr;
    }

    void clickAt(QPoint pixel) { QTest::mouseClick(m_window.windowHandle(), Qt::LeftButton, {}, pixel); }

    // A click on the middle of the element's rectangle, through the window.
    void click(const QString& name)
    {
        const QWidget* element = find<QWidget>(name);
        clickAt(element->mapTo(&m_window, element->rect().center()));
    }

    void newWord(int id)
    {
        m_draws->push_back(drawing(id));
        click(u"Image15"_s);
    }

    // Keys by their letters; '+' stands for the new-word button.
    void guess(const QString& letters)
    {
        for (QChar letter : letters)
            click(letter == u'+' ? u"Image15"_s : keyName(letter));
    }

    void tick(int count = 1)
    {
        auto* clock = find<tk::Timer>(u"Timer1"_s);
        for (int i = 0; i < count; ++i)
            clock->fire();
    }

    bool wordInPlay() const { return m_window.findChild<tk::Timer*>(u"Timer1"_s)->isEnabled(); }

private:
    std::shared_ptr<std::deque<double>> m_draws;
    std::shared_ptr<QStringList> m_warnings;
    GameWindow m_window;
};
