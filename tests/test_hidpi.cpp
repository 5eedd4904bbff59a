// Run at a device pixel ratio of 2: the layout keeps its logical size and the
// pictures stay crisp pixel art instead of being smoothed.

#include "game_harness.h"

namespace {

// Every logical pixel is a uniform 2 × 2 block of device pixels.
bool blocky(const QImage& image, QRect logical)
{
    for (int y = logical.top(); y <= logical.bottom(); ++y) {
        for (int x = logical.left(); x <= logical.right(); ++x) {
            const QRgb pixel = image.pixel(2 * x, 2 * y);
            if (image.pixel(2 * x + 1, 2 * y) != pixel || image.pixel(2 * x, 2 * y + 1) != pixel
                || image.pixel(2 * x + 1, 2 * y + 1) != pixel)
                return false;
        }
    }
    return true;
}

}  // namespace

class HiDpiTest : public QObject {
    Q_OBJECT

private slots:
    void picturesStayPixelArt()
    {
        GameHarness game;
        QCOMPARE(game.window().devicePixelRatio(), 2.0);
        QCOMPARE(game.window().size(), QSize(328, 364));
        const QImage shot = game.window().grab().toImage();
        QCOMPARE(shot.size(), QSize(656, 728));
        // The keyboard shade over the corner of a white key, and a sign.
        QVERIFY(blocky(shot, QRect(8, 40, 6, 4)));
        QVERIFY(shot.pixel(16, 80) != shot.pixel(18, 80));
        QVERIFY(blocky(shot, game.find<QWidget>(u"Image2"_s)->geometry()));
        // The About window's separator: one-pixel lines fill whole logical pixels.
        game.click(u"Image4"_s);
        const QImage about = game.about()->grab().toImage();
        const int greys[] = {255, 224, 192, 128, 64, 0};
        for (int i = 0; i < 6; ++i) {
            for (int row : {2 * (144 + i), 2 * (144 + i) + 1})
                QCOMPARE(about.pixelColor(200, row), QColor(greys[i], greys[i], greys[i]));
        }
    }
};

QTEST_MAIN(HiDpiTest)
#include "test_hidpi.moc"
