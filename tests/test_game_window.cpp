// The game window as it opens: every element where the layout puts it, the
// shades that swallow clicks, the gallows, the "?" button and the end of the
// program.

#include "about_window.h"
#include "gallows.h"
#include "game_harness.h"

#include <QSignalSpy>

namespace {

enum class Sizing { Fixed, AutoLeft, AutoCentre };

struct Expected {
    QString name;
    float left, top, width, height;
    Sizing sizing;
    bool visible;
    QString caption;  // labels only
};

QList<Expected> expectedLabels()
{
    QList<Expected> rows;
    for (int k = 1; k <= 10; ++k)
        rows.append({u"Label%1"_s.arg(k), 840.0f + 360 * (k - 1), 240, 120, 300, Sizing::AutoLeft, true, u"-"_s});
    const QString letters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s;
    for (int i = 0; i < 26; ++i) {
        rows.append({keyName(letters[i]), 120.0f + 360 * (i % 13), 600.0f + 360 * (i / 13), 315, 300,
                     Sizing::Fixed, true, letters.mid(i, 1)});
    }
    rows += QList<Expected>{
        {u"Label47"_s, 2370, 0, 150, 195, Sizing::AutoCentre, true, u"..."_s},
        {u"Label46"_s, 2880, 1560, 1395, 300, Sizing::Fixed, true, u""_s},
        {u"Label36"_s, 2540, 1920, 225, 345, Sizing::AutoCentre, true, u"0"_s},
        {u"Label38"_s, 4340, 1920, 225, 345, Sizing::AutoCentre, true, u"0"_s},
        {u"Label39"_s, 3000, 2400, 1560, 240, Sizing::AutoLeft, true, u"Délka slova : 5"_s},
        {u"Label40"_s, 3000, 2640, 1095, 240, Sizing::AutoLeft, true, u"Slovo č.: 0"_s},
        {u"Label41"_s, 2400, 3000, 1365, 195, Sizing::AutoLeft, true, u"Celkový čas : 0:0:0"_s},
        {u"Label42"_s, 2400, 3240, 1185, 195, Sizing::AutoLeft, true, u"Čas slova : 0:0:0"_s},
        {u"Label43"_s, 2400, 3480, 1620, 195, Sizing::AutoLeft, true, u"Prům. čas slova : 0:0:0"_s},
        {u"Label50"_s, 2400, 3840, 1110, 195, Sizing::AutoLeft, true, u"Zadáno slov : 0"_s},
        {u"Label49"_s, 2400, 4200, 765, 195, Sizing::AutoLeft, true, u"Pokusů : 0"_s},
        {u"Label44"_s, 2400, 4440, 825, 195, Sizing::AutoLeft, true, u"Správně : 0"_s},
        {u"Label45"_s, 2400, 4680, 735, 195, Sizing::AutoLeft, true, u"Špatně : 0"_s},
    };
    return rows;
}

QList<Expected> expectedPictures()
{
    QList<Expected> rows = {
        {u"Image1"_s, 120, 1440, 2190, 3405, Sizing::Fixed, true, {}},
        {u"Image25"_s, 120, 1440, 2190, 3405, Sizing::Fixed, true, {}},
        {u"Image14"_s, 5280, 720, 2190, 3405, Sizing::Fixed, false, {}},
        {u"Image2"_s, 2400, 1440, 480, 480, Sizing::Fixed, true, {}},
        {u"Image3"_s, 4200, 1440, 480, 480, Sizing::Fixed, true, {}},
        {u"Image4"_s, 2400, 2400, 480, 480, Sizing::Fixed, true, {}},
        {u"Image15"_s, 3720, 3840, 960, 960, Sizing::Fixed, true, {}},
        {u"Image13"_s, 3720, 3840, 960, 960, Sizing::Fixed, false, {}},
        {u"Image24"_s, 120, 600, 4650, 675, Sizing::Fixed, true, {}},
    };
    for (int k = 16; k <= 23; ++k)
        rows.append({u"Image%1"_s.arg(k), 5280, 720, 2190, 3405, Sizing::Fixed, false, {}});
    for (int k = 5; k <= 12; ++k)
        rows.append({u"Image%1"_s.arg(k), 120.0f + 600 * (k - 5), 4920, 480, 480, Sizing::Fixed, false, {}});
    return rows;
}

void verifyPlace(const tk::Element& element, const Expected& row)
{
    const QByteArray what = row.name.toUtf8();
    QVERIFY2(element.isHidden() != row.visible, what);
    QCOMPARE(element.top(), row.top);
    switch (row.sizing) {
    case Sizing::Fixed:
        QCOMPARE(element.left(), row.left);
        QCOMPARE(element.widthTwips(), row.width);
        QCOMPARE(element.heightTwips(), row.height);
        break;
    case Sizing::AutoLeft:
        QCOMPARE(element.left(), row.left);
        break;
    case Sizing::AutoCentre:
        QCOMPARE(element.left() + element.widthTwips() / 2, row.left + row.width / 2);
        break;
    }
    // Shown at the nearest pixel of its twips.
    QCOMPARE(element.geometry(), QRect(tk::toPixels(element.left()), tk::toPixels(element.top()),
                                       tk::toPixels(element.widthTwips()), tk::toPixels(element.heightTwips())));
}

std::array<tk::Picture*, 9> stages(GameHarness& game)
{
    std::array<tk::Picture*, 9> pictures{};
    for (int stage = 0; stage <= 8; ++stage)
        pictures[stage] = game.find<tk::Picture>(u"Image%1"_s.arg(stage == 0 ? 14 : 15 + stage));
    return pictures;
}

std::array<tk::Picture*, 8> markers(GameHarness& game)
{
    std::array<tk::Picture*, 8> pictures{};
    for (int i = 0; i < 8; ++i)
        pictures[i] = game.find<tk::Picture>(u"Image%1"_s.arg(5 + i));
    return pictures;
}

int markersShown(GameHarness& game)
{
    int shown = 0;
    for (tk::Picture* marker : markers(game))
        shown += marker->isHidden() ? 0 : 1;
    return shown;
}

qint64 gallowsPicture(GameHarness& game)
{
    return game.find<tk::Picture>(u"Image1"_s)->picture().cacheKey();
}

qint64 stagePicture(GameHarness& game, int stage)
{
    return stages(game)[stage]->picture().cacheKey();
}

}  // namespace

class GameWindowTest : public QObject {
    Q_OBJECT

private slots:
    void windowProperties()
    {
        GameHarness game;
        GameWindow& window = game.window();
        QCOMPARE(window.objectName(), u"Form1"_s);
        QCOMPARE(window.windowTitle(), u"Delvoran"_s);
        QCOMPARE(window.size(), QSize(328, 364));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(window.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(window.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(window.palette().color(QPalette::Window), QColor(236, 233, 216));
        QVERIFY(!window.windowIcon().isNull());
        QCOMPARE(game.state().PocetOtazek, 116.0f);
        QVERIFY(!game.wordInPlay());
    }

    void everyLabelInPlace()
    {
        GameHarness game;
        for (const Expected& row : expectedLabels()) {
            const tk::Label* label = game.find<tk::Label>(row.name);
            verifyPlace(*label, row);
            QCOMPARE(label->caption(), row.caption);
            // What a screen reader reads is what the label shows.
            QCOMPARE(label->text(), row.caption);
        }
    }

    void everyPictureInPlace()
    {
        GameHarness game;
        for (const Expected& row : expectedPictures())
            verifyPlace(*game.find<tk::Picture>(row.name), row);
        QCOMPARE(game.find<tk::Picture>(u"Image15"_s)->toolTip(), u"Vylosovat slovo"_s);
        QCOMPARE(game.find<tk::Picture>(u"Image4"_s)->cursor().shape(), Qt::WhatsThisCursor);
        QVERIFY(game.find<tk::Picture>(u"Image15"_s)->isEnabled());
        QCOMPARE(gallowsPicture(game), stagePicture(game, 0));
        // The corner mask lies in front of the gallows picture.
        QCOMPARE(game.window().childAt(game.find<QWidget>(u"Image1"_s)->geometry().center()),
                 game.find<QWidget>(u"Image25"_s));
        const auto* line = game.find<tk::Line>(u"Line1"_s);
        QCOMPARE(line->geometry(), QRect(8, 88, 305, 1));
    }

    void fontsAreTheLayoutsSizesInPixels()
    {
        GameHarness game;
        QCOMPARE(game.find(u"Label41"_s)->font().pixelSize(), 11);
        QCOMPARE(game.find(u"Label1"_s)->font().pixelSize(), 16);
        QVERIFY(game.find(u"Label1"_s)->font().bold());
        QCOMPARE(game.find(u"Label39"_s)->font().pixelSize(), 13);
        QCOMPARE(game.find(u"Label36"_s)->font().pixelSize(), 21);
        QCOMPARE(game.find(u"Label36"_s)->font().styleHint(), QFont::TypeWriter);
        QCOMPARE(game.find(u"Label1"_s)->palette().color(QPalette::WindowText), QColor(0, 0, 192));
        QCOMPARE(game.find(u"Label37"_s)->palette().color(QPalette::Window), QColor(Qt::white));
    }

    void keyboardShadeSwallowsEveryClickBeforeTheFirstWord()
    {
        GameHarness game;
        // Every pixel of the keyboard area, transparent ones of the shade included.
        for (int y = 40; y < 85; y += 3) {
            for (int x = 8; x < 318; x += 3)
                game.clickAt({x, y});
        }
        for (QChar letter : u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s)
            QVERIFY(game.shown(keyName(letter)));
        QCOMPARE(game.state().Attempts, 0.0f);
        QCOMPARE(game.state().Letter, QString());
        QCOMPARE(game.caption(u"Label49"_s), u"Pokusů : 0"_s);
    }

    void buttonShadeSwallowsClicksOnTheNewWordButton()
    {
        GameHarness game;
        game.newWord(101);
        QVERIFY(game.shown(u"Image13"_s));
        QVERIFY(!game.find<tk::Picture>(u"Image15"_s)->isEnabled());
        auto* shade = game.find<QWidget>(u"Image13"_s);
        // (0,1) is transparent in the checkerboard, (0,0) is not; the shade
        // takes the mouse at both.
        for (const QPoint& offset : {QPoint(0, 1), QPoint(0, 0), QPoint(32, 32)}) {
            QCOMPARE(game.window().childAt(shade->pos() + offset), shade);
            game.clickAt(shade->pos() + offset);
        }
        QCOMPARE(game.state().WordsGiven, 1.0f);
        QCOMPARE(game.state().Word, u"LEDEN"_s);
    }

    void physicalKeyboardDoesNothing()
    {
        GameHarness game;
        game.newWord(101);
        QTest::keyClicks(&game.window(), u"LEDEN"_s);
        QCOMPARE(game.state().Attempts, 0.0f);
        QVERIFY(game.shown(u"Label14"_s));
    }

    void showGallowsFollowsTheWrongCount()
    {
        GameHarness game;
        auto& gallows = *game.find<tk::Picture>(u"Image1"_s);
        for (int k = 1; k <= 8; ++k) {
            ShowGallows(static_cast<float>(k), gallows, stages(game), markers(game));
            QCOMPARE(markersShown(game), k);
            for (int i = 0; i < 8; ++i)
                QCOMPARE(!markers(game)[i]->isHidden(), i < k);
            QCOMPARE(gallowsPicture(game), stagePicture(game, k));
        }
        // Other values change nothing at all.
        for (float other : {9.0f, 0.5f, -1.0f, 7.5f}) {
            ShowGallows(other, gallows, stages(game), markers(game));
            QCOMPARE(markersShown(game), 8);
            QCOMPARE(gallowsPicture(game), stagePicture(game, 8));
        }
        // None hides the markers and keeps the picture.
        ShowGallows(0, gallows, stages(game), markers(game));
        QCOMPARE(markersShown(game), 0);
        QCOMPARE(gallowsPicture(game), stagePicture(game, 8));
    }

    void aboutButtonOpensOneWindowAtATime()
    {
        GameHarness game;
        game.click(u"Image4"_s);
        QList<AboutWindow*> open = game.window().findChildren<AboutWindow*>();
        QCOMPARE(open.size(), 1);
        QPointer<AboutWindow> first = open.first();
        QVERIFY(first->isVisible());
        QCOMPARE(first->windowTitle(), u"O programu"_s);
        QCOMPARE(first->parentWidget(), &game.window());

        game.click(u"Image4"_s);
        QCOMPARE(game.window().findChildren<AboutWindow*>().size(), 1);

        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        game.click(u"Image4"_s);
        open = game.window().findChildren<AboutWindow*>();
        QCOMPARE(open.size(), 1);
        QVERIFY(open.first()->isVisible());
    }

    void gameGoesOnWhileAboutIsOpen()
    {
        GameHarness game;
        game.click(u"Image4"_s);
        game.newWord(101);
        game.guess(u"L"_s);
        game.tick();
        QCOMPARE(game.caption(u"Label1"_s), u"L"_s);
        QCOMPARE(game.caption(u"Label42"_s), u"Čas slova : 0:0:1"_s);
    }

    void closingTheGameWindowEndsTheProgram()
    {
        GameHarness game;
        game.newWord(101);
        game.click(u"Image4"_s);
        QPointer<AboutWindow> about = game.window().findChild<AboutWindow*>();
        QTimer::singleShot(0, &game.window(), &QWidget::close);
        // Should the program not end, this ends the loop with a failure.
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!game.window().isVisible());
        QVERIFY(!game.wordInPlay());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(about.isNull());
    }
};

QTEST_MAIN(GameWindowTest)
#include "test_game_window.moc"
