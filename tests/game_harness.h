#pragma once

// Drives a real game window the way a player does: clicks go to the window at
// a point and reach whatever element lies in front there.

#include "about_window.h"
#include "game_window.h"

#include <QFileInfo>
#include <QRegularExpression>
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
        // Without a window manager every window opens at the top left; the
        // game window stands aside for the About window, so that in the shots
        // neither hides the other.
        if (qEnvironmentVariableIsSet("DELVORAN_SHOTS_DIR"))
            m_window.move(320, 0);
        m_window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_window));
        shoot();
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

    // Whether the window's icon is that picture of assets/, as drawn.
    static bool iconIs(const QWidget& window, const QString& asset)
    {
        const auto argb
            = [](const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32_Premultiplied); };
        return argb(window.windowIcon().pixmap(32, 32).toImage())
            == argb(QImage(QStringLiteral(DELVORAN_ASSETS_DIR "/") + asset));
    }

    // Whether the screen shows what a full repaint of the window draws; the
    // screen catches up within a few passes of the event loop.
    static bool screenShowsFullRender(QWidget& window)
    {
        return QTest::qWaitFor(
            [&] { return window.screen()->grabWindow(window.winId()).toImage() == window.grab().toImage(); }, 2000);
    }

    int markersShown()
    {
        int count = 0;
        for (int k = 5; k <= 12; ++k)
            count += shown(u"Image"_s + QString::number(k)) ? 1 : 0;
        return count;
    }

    // The word's ten slots: the caption of each one shown, '.' for each hidden.
    QString wordSlots()
    {
        QString text;
        for (int k = 1; k <= 10; ++k)
            text += shown(u"Label"_s + QString::number(k)) ? caption(u"Label"_s + QString::number(k)) : u"."_s;
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

    void clickAt(QPoint pixel)
    {
        QTest::mouseClick(m_window.windowHandle(), Qt::LeftButton, {}, pixel);
        shoot();
    }

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
        shoot();
    }

    // With DELVORAN_SHOTS_DIR set, what the screen shows of the game's windows
    // after each step is saved there, numbered, so that the runs of two builds
    // can be compared picture for picture (tools/compare-shots.sh).
    void shoot()
    {
        static const QString dir = qEnvironmentVariable("DELVORAN_SHOTS_DIR");
        static int count = 0;
        if (dir.isEmpty())
            return;
        QString step = QFileInfo(QCoreApplication::applicationFilePath()).baseName() + u'-'
            + QString::number(++count).rightJustified(5, u'0') + u'-' + QLatin1String(QTest::currentTestFunction());
        if (const char* tag = QTest::currentDataTag())
            step += u'-' + QString::fromUtf8(tag).replace(QRegularExpression(u"\\W"_s), u"_"_s);
        for (auto [window, kind] : {std::pair<QWidget*, QString>(&m_window, u"game"_s), {about(), u"about"_s}}) {
            if (!window || !QTest::qWaitForWindowExposed(window))
                continue;
            // The first round trip hands the X server what is painted and
            // brings back what it exposes; the second, that repainted.
            for (int pass = 0; pass < 2; ++pass) {
                QCoreApplication::processEvents();
                QGuiApplication::sync();
            }
            const QString file = dir + u'/' + step + u'-' + kind + u".png"_s;
            QVERIFY2(window->screen()->grabWindow(window->winId()).save(file), qPrintable(file));
        }
    }

    bool wordInPlay() const { return m_window.findChild<tk::Timer*>(u"Timer1"_s)->isEnabled(); }

private:
    std::shared_ptr<std::deque<double>> m_draws;
    std::shared_ptr<QStringList> m_warnings;
    GameWindow m_window;
};
