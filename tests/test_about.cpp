// The About window: its captions, one window at a time, the link, and the
// picture that is dragged about and glides home.

#include "about_window.h"
#include "game_harness.h"

#include <QDesktopServices>
#include <QSignalSpy>

namespace {

// A point of the window's background, free of elements.
constexpr QPoint kFree(250, 170);

// Receives what the link hands to the desktop.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class AboutHarness : public GameHarness {
public:
    AboutHarness()
    {
        click(u"Image4"_s);
        m_about = window().findChild<AboutWindow*>();
    }

    AboutWindow& about() { return *m_about; }
    QWindow* handle() { return m_about->windowHandle(); }

    template <class T = tk::Element>
    T* part(const QString& name)
    {
        T* element = m_about->findChild<T*>(name);
        if (!element)
            qFatal("no element %s", qPrintable(name));
        return element;
    }

    QPointF picture() { return {part(u"Image1"_s)->left(), part(u"Image1"_s)->top()}; }
    float bottomMark() { return part(u"Image2"_s)->left(); }
    float sideMark() { return part(u"Image3"_s)->top(); }
    tk::Timer* glide() { return part<tk::Timer>(u"Timer1"_s); }
    tk::Timer* blink() { return part<tk::Timer>(u"Timer2"_s); }
    bool marksShown() { return !part(u"Image2"_s)->isHidden() && !part(u"Image3"_s)->isHidden(); }

    // A press at a window pixel; with the left button on the background it
    // puts the picture's corner there and holds it.
    void pressAt(QPoint pixel, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(handle(), button, {}, pixel);
    }

private:
    QPointer<AboutWindow> m_about;
};

}  // namespace

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithItsCaptions()
    {
        AboutHarness game;
        AboutWindow& about = game.about();
        QCOMPARE(about.windowTitle(), u"O programu"_s);
        QCOMPARE(about.size(), QSize(312, 217));
        QVERIFY(about.windowFlags().testFlag(Qt::Tool));
        QVERIFY(about.testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(game.part<tk::Label>(u"Label5"_s)->caption(), u"Počet slov ve slovníku : 116"_s);
        QCOMPARE(game.part<tk::Label>(u"Label6"_s)->caption(), u"Verze programu : 1.0.12."_s);
        QCOMPARE(game.part<tk::Label>(u"Label7"_s)->caption(),
                 u"v1.0."_s + QString(76, u' ') + u"Id.:84210"_s);
        QCOMPARE(game.part<tk::Label>(u"Label1"_s)->caption(), u"Delvoran v1.0."_s);
        QVERIFY(game.part<tk::Label>(u"Label2"_s)->caption().startsWith(u"Vytvořil : "_s));
        QVERIFY(game.part<tk::Label>(u"Label15"_s)->caption().endsWith(u"tarvik"_s));
        QCOMPARE(game.part<tk::Label>(u"Label4"_s)->caption(), AboutWindow::kWebAddress.host());
        QCOMPARE(game.part<tk::Label>(u"Label15"_s)->palette().color(QPalette::WindowText),
                 QColor(192, 0, 0));
        QCOMPARE(game.picture(), QPointF(120, 120));
        QCOMPARE(game.bottomMark(), 120.0f);
        QCOMPARE(game.part(u"Image2"_s)->top(), 2880.0f);
        QCOMPARE(game.sideMark(), 120.0f);
        QCOMPARE(game.part(u"Image3"_s)->left(), 4440.0f);
        QCOMPARE(game.glide()->interval(), 35);
        QCOMPARE(game.blink()->interval(), 50);
        QVERIFY(game.glide()->isEnabled() && game.blink()->isEnabled());
    }

    void elementsInPlaceAndInFrontOfEachOther()
    {
        AboutHarness game;
        struct Place {
            const char16_t* name;
            float left, top;
            int fontPixels;
        };
        const Place places[] = {{u"Label1", 840, 120, 13}, {u"Label2", 840, 480, 11}, {u"Label3", 840, 720, 11},
                                {u"Label4", 840, 1080, 13}, {u"Label5", 120, 2400, 11}, {u"Label6", 120, 2640, 11},
                                {u"Label7", 120, 3000, 11}, {u"Label15", 120, 1440, 11}};
        for (const Place& place : places) {
            const auto* label = game.part<tk::Label>(QString::fromUtf16(place.name));
            QCOMPARE(QPointF(label->left(), label->top()), QPointF(place.left, place.top));
            QCOMPARE(label->font().pixelSize(), place.fontPixels);
        }
        QCOMPARE(game.part(u"Label15"_s)->size(), QSize(299, 45));
        // Dragged about, the picture lies behind the copyright line and the
        // link and in front of every other text.
        game.pressAt({200, 80});
        const auto frontAt = [&](QPoint picture, QPoint probe) {
            QTest::mouseMove(game.handle(), picture);
            return game.about().childAt(probe)->objectName();
        };
        QCOMPARE(frontAt({60, 74}, {70, 78}), u"Label4"_s);
        QCOMPARE(frontAt({60, 74}, {70, 100}), u"Image1"_s);  // over the donation text
        QCOMPARE(frontAt({60, 30}, {70, 52}), u"Label3"_s);
        QCOMPARE(frontAt({60, 30}, {70, 36}), u"Image1"_s);   // over the credit line
        QCOMPARE(frontAt({60, 5}, {70, 15}), u"Image1"_s);    // over the title
        QCOMPARE(frontAt({20, 160}, {25, 165}), u"Image1"_s); // over the dictionary size
        QCOMPARE(frontAt({20, 176}, {25, 181}), u"Image1"_s); // over the version
        QCOMPARE(frontAt({20, 195}, {25, 205}), u"Image1"_s); // over the footer
        // The marks lie in front of everything.
        QCOMPARE(game.about().childAt(game.part(u"Image2"_s)->geometry().center()), game.part(u"Image2"_s));
        QTest::mouseRelease(game.handle(), Qt::LeftButton, {}, {20, 195});
    }

    void separatorGradesFromWhiteToBlack()
    {
        AboutHarness game;
        const QImage shot = game.about().grab().toImage();
        const int greys[] = {255, 224, 192, 128, 64, 0};
        for (int i = 0; i < 6; ++i) {
            const QColor pixel = shot.pixelColor(100, 144 + i);
            QCOMPARE(pixel, QColor(greys[i], greys[i], greys[i]));
        }
    }

    void marksHaveTheirPixelRows()
    {
        AboutHarness game;
        const auto rows = [](const QImage& image, bool byRow) {
            QList<int> counts;
            const int lines = byRow ? image.height() : image.width();
            const int along = byRow ? image.width() : image.height();
            for (int a = 0; a < lines; ++a) {
                int red = 0;
                for (int b = 0; b < along; ++b) {
                    const QColor c = byRow ? image.pixelColor(b, a) : image.pixelColor(a, b);
                    red += c == QColor(255, 0, 0) ? 1 : (c.alpha() == 0 ? 0 : 100);
                }
                counts.append(red);
            }
            return counts;
        };
        const QImage bottom = game.part<tk::Picture>(u"Image2"_s)->picture().toImage();
        QCOMPARE(bottom.size(), QSize(5, 10));
        QCOMPARE(rows(bottom, true), (QList<int>{1, 1, 3, 3, 5, 5, 3, 3, 1, 1}));
        const QImage side = game.part<tk::Picture>(u"Image3"_s)->picture().toImage();
        QCOMPARE(side.size(), QSize(10, 5));
        QCOMPARE(rows(side, true), (QList<int>{2, 6, 10, 6, 2}));
    }

    void oneWindowLoadedOnceAndRestoredWhenReopened()
    {
        AboutHarness game;
        QPointer<AboutWindow> first = &game.about();
        game.pressAt({200, 80});
        QTest::mouseRelease(game.handle(), Qt::LeftButton, {}, {200, 80});
        // A second "?" keeps the window, and what load would reset stays.
        game.part<tk::Label>(u"Label5"_s)->setCaption(u"x"_s);
        game.click(u"Image4"_s);
        QCOMPARE(game.window().findChildren<AboutWindow*>().size(), 1);
        QCOMPARE(game.part<tk::Label>(u"Label5"_s)->caption(), u"x"_s);
        QCOMPARE(game.picture(), QPointF(3000, 1200));

        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        game.click(u"Image4"_s);
        auto* second = game.window().findChild<AboutWindow*>();
        QVERIFY(second);
        QCOMPARE(second->findChild<tk::Label*>(u"Label5"_s)->caption(), u"Počet slov ve slovníku : 116"_s);
        const auto* picture = second->findChild<tk::Element*>(u"Image1"_s);
        QCOMPARE(QPointF(picture->left(), picture->top()), QPointF(120, 120));
        QVERIFY(second->findChild<tk::Timer*>(u"Timer1"_s)->isEnabled());
        QVERIFY(second->findChild<tk::Timer*>(u"Timer2"_s)->isEnabled());
    }

    void leftPressOnTheBackgroundHoldsThePicture()
    {
        AboutHarness game;
        game.pressAt({150, 185});
        QCOMPARE(game.picture(), QPointF(2250, 2775));
        QCOMPARE(game.bottomMark(), 2250.0f);
        QCOMPARE(game.sideMark(), 2775.0f);
        QVERIFY(!game.glide()->isEnabled());
        QVERIFY(game.blink()->isEnabled());
        // The drag goes on over the picture and beyond the window, and the
        // marks stop at their limits.
        QTest::mouseMove(game.handle(), {160, 187});
        QCOMPARE(game.picture(), QPointF(2400, 2805));
        QTest::mouseMove(game.handle(), {400, 300});
        QCOMPARE(game.picture(), QPointF(6000, 4500));
        QCOMPARE(game.bottomMark(), 4560.0f);
        QCOMPARE(game.sideMark(), 2880.0f);
        // Releasing the left button keeps it held; the next free move glides.
        QTest::mouseRelease(game.handle(), Qt::LeftButton, {}, {400, 300});
        QVERIFY(!game.glide()->isEnabled());
        QTest::mouseMove(game.handle(), kFree);
        QVERIFY(game.glide()->isEnabled());
        QVERIFY(!game.blink()->isEnabled());
        QVERIFY(game.marksShown());
    }

    void pressOnTheDonationTextIsAPressOnTheWindow()
    {
        AboutHarness game;
        const QPoint onText(60, 110);
        QCOMPARE(game.about().childAt(onText)->objectName(), u"Label15"_s);
        game.pressAt(onText);
        QCOMPARE(game.picture(), QPointF(900, 1650));
        QCOMPARE(game.sideMark(), 1650.0f);
        QVERIFY(game.blink()->isEnabled());
    }

    void pressOnThePictureStartsTheGlide()
    {
        AboutHarness game;
        game.pressAt({150, 185});
        QTest::mouseRelease(game.handle(), Qt::LeftButton, {}, {150, 185});
        QVERIFY(game.blink()->isEnabled());
        // The picture now lies under the pointer and takes the mouse itself.
        const QPoint onPicture(155, 190);
        QCOMPARE(game.about().childAt(onPicture)->objectName(), u"Image1"_s);
        game.pressAt(onPicture);
        QCOMPARE(game.picture(), QPointF(2250, 2775));
        QTest::mouseMove(game.handle(), {156, 191});
        QCOMPARE(game.picture(), QPointF(2250, 2775));
        QVERIFY(game.glide()->isEnabled());
        QVERIFY(!game.blink()->isEnabled());
        QTest::mouseRelease(game.handle(), Qt::LeftButton, {}, {156, 191});
    }

    void otherButtonsGlide()
    {
        AboutHarness game;
        game.pressAt({200, 80});
        QTest::mousePress(game.handle(), Qt::RightButton, {}, {200, 80});
        QVERIFY(game.glide()->isEnabled());
        QTest::mouseMove(game.handle(), {210, 85});
        // Left and right together are not the left button alone.
        QCOMPARE(game.picture(), QPointF(3000, 1200));
        QVERIFY(game.glide()->isEnabled());
        QTest::mouseRelease(game.handle(), Qt::RightButton, {}, {210, 85});
        QTest::mouseRelease(game.handle(), Qt::LeftButton, {}, {210, 85});
        QCOMPARE(game.picture(), QPointF(3150, 1275));
        QVERIFY(game.blink()->isEnabled());
    }

    void glideMovesAHundredthOfTheDistance()
    {
        AboutHarness game;
        game.pressAt({4, 195});  // Left 60, Top 2925
        QTest::mouseRelease(game.handle(), Qt::LeftButton, {}, {4, 195});
        QTest::mouseMove(game.handle(), kFree);
        game.glide()->fire();
        const float top = 2925 - (2925.0f - 120) / 100;
        QCOMPARE(game.picture(), QPointF(60.6f, top));
        QCOMPARE(game.bottomMark(), 60.6f);
        QCOMPARE(game.sideMark(), 2880.0f);
        game.glide()->fire();
        QCOMPARE(game.sideMark(), top - (top - 120) / 100);

        game.pressAt({200, 80});  // Left 3000
        QTest::mouseRelease(game.handle(), Qt::LeftButton, {}, {200, 80});
        QTest::mouseMove(game.handle(), kFree);
        game.glide()->fire();
        QCOMPARE(game.picture().x(), 3000 - 28.8f);
        // Many ticks bring it home, smoothly rather than in whole pixels.
        for (int i = 0; i < 3000; ++i)
            game.glide()->fire();
        QVERIFY(qAbs(game.picture().x() - 120) < 0.01);
        QVERIFY(qAbs(game.picture().y() - 120) < 0.01);
        QCOMPARE(game.part(u"Image1"_s)->pos(), QPoint(8, 8));
    }

    void negativeCoordinateJumpsHome()
    {
        AboutHarness game;
        game.pressAt({200, 80});
        QTest::mouseMove(game.handle(), {-20, 50});
        QTest::mouseRelease(game.handle(), Qt::LeftButton, {}, {-20, 50});
        QCOMPARE(game.picture(), QPointF(-300, 750));
        QCOMPARE(game.bottomMark(), -300.0f);
        QTest::mouseMove(game.handle(), kFree);
        game.glide()->fire();
        // The mark still shows where the picture was this tick.
        QCOMPARE(game.picture().x(), 120.0);
        QCOMPARE(game.bottomMark(), -300 + 4.2f);
        game.glide()->fire();
        QCOMPARE(game.bottomMark(), 120.0f);
    }

    void blinkTogglesBothMarksTogether()
    {
        AboutHarness game;
        game.blink()->fire();
        QVERIFY(game.part(u"Image2"_s)->isHidden() && game.part(u"Image3"_s)->isHidden());
        game.blink()->fire();
        QVERIFY(game.marksShown());
        game.blink()->fire();
        // Stopping the blink shows both.
        QTest::mouseMove(game.handle(), kFree);
        QVERIFY(!game.blink()->isEnabled());
        QVERIFY(game.marksShown());
    }

    void movesKeepTheTimersPace()
    {
        AboutHarness game;
        QTest::mouseMove(game.handle(), kFree);
        QTest::qWait(20);
        const int before = game.glide()->remainingTime();
        QTest::mouseMove(game.handle(), kFree + QPoint(1, 1));
        QVERIFY(game.glide()->remainingTime() <= before);
    }

    void linkOpensOnlyTheWebSite()
    {
        AboutHarness game;
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(u"https"_s, &catcher, "open");
        auto* link = game.part<tk::Label>(u"Label4"_s);
        QCOMPARE(link->cursor().shape(), Qt::WhatsThisCursor);
        QTest::mouseClick(game.handle(), Qt::LeftButton, {}, link->geometry().center());
        QDesktopServices::unsetUrlHandler(u"https"_s);
        QCOMPARE(catcher.opened, QList<QUrl>{AboutWindow::kWebAddress});
        // With nothing to open it, the click changes nothing and says nothing.
        QTest::mouseClick(game.handle(), Qt::LeftButton, {}, link->geometry().center());
        QVERIFY(game.about().isVisible());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(AboutTest)
#include "test_about.moc"
