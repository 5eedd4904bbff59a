// A caption repainted in part shows what a repaint of the whole window shows
// there. Run once for each screen the game may meet (device pixel ratio,
// subpixel or greyscale smoothing, set by the test's environment), and here
// in both text directions: a label that skips a patch must be sure its
// caption has no pixel in it on that screen.

#include "game_harness.h"

#include <QPicture>

#include <functional>

namespace {

const tk::FontSpec kFont{tk::FontSpec::Face::SansSerif, 9.75f, false};
const tk::FontSpec kBoldMonospace{tk::FontSpec::Face::Monospace, 12.0f, true};

using Change = std::function<void(tk::Label&)>;

// No paint of the game leaves this colour.
constexpr QRgb kUntouched = qRgba(1, 2, 3, 4);

QImage deviceImage(const QWidget& window)
{
    const qreal ratio = window.devicePixelRatioF();
    QImage image((QSizeF(window.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(kUntouched);
    return image;
}

// Repaints each logical pixel of every shown caption of the window alone and
// returns how many device pixels came out unlike the whole repaint, naming
// the first few.
int patchesUnlikeTheWhole(QWidget& window)
{
    QImage whole = deviceImage(window);
    window.render(&whole);
    QImage patch = deviceImage(window);
    const qreal ratio = window.devicePixelRatioF();
    int wrong = 0;
    for (const tk::Label* label : window.findChildren<tk::Label*>()) {
        if (!label->isVisible() || label->window() != &window)
            continue;
        const QRect area(label->mapTo(&window, QPoint()), label->size());
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                window.render(&patch, {x, y}, QRegion(x, y, 1, 1));
                // A label learns its caption's pixels after its first
                // repaint in part, and skips patches from then on.
                QCoreApplication::processEvents();
                // The patch's device pixels, and one more around them for
                // the rounding of a fractional ratio.
                const QRect device = QRect(QPoint(int(x * ratio) - 1, int(y * ratio) - 1),
                                           QPoint(int((x + 1) * ratio) + 1, int((y + 1) * ratio) + 1))
                                         .intersected(patch.rect());
                bool painted = false;
                for (int dy = device.top(); dy <= device.bottom(); ++dy) {
                    for (int dx = device.left(); dx <= device.right(); ++dx) {
                        const QRgb shown = patch.pixel(dx, dy);
                        if (shown == kUntouched)
                            continue;
                        patch.setPixel(dx, dy, kUntouched);
                        painted = true;
                        if (shown != whole.pixel(dx, dy) && ++wrong <= 5)
                            qWarning("%s: device pixel %d,%d of the patch at %d,%d", qPrintable(label->objectName()),
                                     dx, dy, x, y);
                    }
                }
                if (!painted)
                    qFatal("nothing painted at %d,%d", x, y);
            }
        }
    }
    return wrong;
}

}  // namespace

class CaptionsTest : public QObject {
    Q_OBJECT

private slots:
    // The run's smoothing is the one its name says: subpixel smoothing tints
    // the edges of black text on white, greyscale leaves them grey.
    void smoothingIsTheOneAsked()
    {
        tk::Window window(nullptr, u"Form1"_s, tk::Window::Frame::FixedSingle, {2400, 600}, u"Ground"_s);
        window.setPalette(Qt::white);
        tk::Label label(&window, u"Label1"_s, {0, 0, 2400, 600}, {.font = kFont}, u"Příliš žluťoučký kůň"_s);
        const QImage shown = window.grab().toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x)
                colours.insert(shown.pixel(x, y));
        }
        const bool tinted = std::any_of(colours.begin(), colours.end(),
                                        [](QRgb c) { return qRed(c) != qGreen(c) || qGreen(c) != qBlue(c); });
        QVERIFY(colours.size() > 2);  // smoothed text on the white ground
        QCOMPARE(tinted, qEnvironmentVariable("DELVORAN_SMOOTHING") == u"subpixel"_s);
    }

    void patchesRepaintAsTheWholeDoes_data()
    {
        QTest::addColumn<Qt::LayoutDirection>("direction");
        QTest::newRow("left to right") << Qt::LeftToRight;
        QTest::newRow("reversed") << Qt::RightToLeft;
    }

    void patchesRepaintAsTheWholeDoes()
    {
        QFETCH(Qt::LayoutDirection, direction);
        QGuiApplication::setLayoutDirection(direction);
        GameHarness game;
        // Captions of every kind: letters found, counters, the clue, the
        // wrapped and centred texts of the About window.
        game.newWord(100);
        game.guess(u"EAOIKT"_s);
        QCOMPARE(patchesUnlikeTheWhole(game.window()), 0);
        game.click(u"Image4"_s);
        QCOMPARE(patchesUnlikeTheWhole(*game.about()), 0);
    }

    void cleanup() { QGuiApplication::setLayoutDirection(Qt::LeftToRight); }

    // A label finds its caption's pixels again when what it draws changes;
    // light text on a dark ground shows pixels a white ground would hide.
    void pixelsFoundAgainAfterAChange_data()
    {
        QTest::addColumn<Change>("change");
        QTest::newRow("caption") << Change([](tk::Label& label) { label.setCaption(u"Ťuk, ťuk"_s); });
        QTest::newRow("font") << Change([](tk::Label& label) { label.setFont(tk::font(kBoldMonospace)); });
        QTest::newRow("size") << Change([](tk::Label& label) { label.setRect(300, 300, 1200, 450); });
        QTest::newRow("place") << Change([](tk::Label& label) { label.setLeft(label.left() + 15); });
    }

    void pixelsFoundAgainAfterAChange()
    {
        QFETCH(Change, change);
        tk::Window window(nullptr, u"Form1"_s, tk::Window::Frame::FixedSingle, {2400, 1200}, u"Ground"_s);
        window.setPalette(QColor(40, 40, 90));
        tk::Label label(&window, u"Label1"_s, {300, 300, 1800, 450},
                        {.font = kFont, .align = tk::Align::Center, .textColor = Qt::white}, u"Příliš žluťoučký kůň"_s);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(patchesUnlikeTheWhole(window), 0);
        // Known now, the pixels spare the caption a patch they miss (the
        // label's top row lies above the glyphs): less is drawn there than
        // in a patch of a glyph.
        const auto bytesDrawn = [&label](QPoint patch) {
            QPicture recorded;
            label.render(&recorded, patch, QRegion(QRect(patch, QSize(1, 1))), {});
            return recorded.size();
        };
        const QImage shown = label.grab().toImage();
        QPoint glyph;
        while (shown.pixel(glyph) == shown.pixel(0, 0))
            glyph = glyph.x() + 1 < label.width() ? glyph + QPoint(1, 0) : QPoint(0, glyph.y() + 1);
        QVERIFY(bytesDrawn({0, 0}) < bytesDrawn(glyph));
        change(label);
        QCOMPARE(patchesUnlikeTheWhole(window), 0);
    }
};

QTEST_MAIN(CaptionsTest)
#include "test_captions.moc"
