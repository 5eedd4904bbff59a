// The toolkit's promises: twips, number captions, auto-size anchors, mouse
// events and capture, the timer switch, the warning box and the compiled-in
// pictures.

#include "number_caption.h"
#include "packed_pictures.h"
#include "toolkit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

const tk::FontSpec kFont{tk::FontSpec::Face::SansSerif, 8.25f, false};

// Every mouse signal of an element or a window, in order.
struct MouseLog {
    QList<QList<QVariant>> events;

    template <class Source> explicit MouseLog(Source* source)
    {
        for (const auto& [signal, kind] : {std::pair{&Source::mouseDown, "down"}, std::pair{&Source::mouseMove, "move"},
                                           std::pair{&Source::mouseUp, "up"}}) {
            QObject::connect(source, signal, source, [this, kind](tk::ButtonValue b, float x, float y) {
                events.append({QByteArray(kind), int(b), x, y});
            });
        }
    }
};

}  // namespace

class ToolkitTest : public QObject {
    Q_OBJECT

private slots:
    void numberCaptions_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("caption");
        QTest::newRow("zero") << 0.0f << u"0"_s;
        QTest::newRow("negative zero") << -0.0f << u"0"_s;
        QTest::newRow("2^24") << 16777216.0f << u"16777216"_s;
        QTest::newRow("large") << 1e10f << u"10000000000"_s;
        QTest::newRow("half") << 0.5f << u"0.5"_s;
        QTest::newRow("third") << 100.0f / 3.0f << u"33.333332"_s;
    }

    void numberCaptions()
    {
        QFETCH(float, value);
        QTEST(formatSingle(value), "caption");
    }

    void autoSizeKeepsLeftEdgeOrCentre()
    {
        tk::Window window(nullptr, u"W"_s, tk::Window::Frame::FixedSingle, {3000, 3000}, u"W"_s);
        tk::Label left(&window, u"L"_s, {300, 30, 150, 900}, {.font = kFont, .autoSize = true}, u"-"_s);
        tk::Label centre(&window, u"C"_s, {300, 300, 150, 195},
                         {.font = kFont, .align = tk::Align::Center, .autoSize = true}, u"-"_s);
        tk::Label fixed(&window, u"F"_s, {300, 600, 150, 195}, {.font = kFont}, u"-"_s);
        const QString longText = u"Země s největším počtem obyvatel :"_s;
        for (tk::Label* label : {&left, &centre, &fixed})
            label->setCaption(longText);
        const float width = tk::toTwips(QFontMetrics(left.font()).horizontalAdvance(longText));
        const float height = tk::toTwips(QFontMetrics(left.font()).height());
        const auto twips
            = [](const tk::Label& l) { return QRectF(l.left(), l.top(), l.widthTwips(), l.heightTwips()); };
        QCOMPARE(twips(left), QRectF(300, 30, width, height));
        QCOMPARE(twips(centre), QRectF(375 - width / 2, 300, width, height));
        QCOMPARE(twips(fixed), QRectF(300, 600, 150, 195));
    }

    void mouseEventsCarryButtonsAndTwips()
    {
        tk::Window window(nullptr, u"W"_s, tk::Window::Frame::FixedSingle, {3000, 3000}, u"W"_s);
        tk::Label label(&window, u"L"_s, {300, 300, 600, 600}, {.font = kFont}, u"x"_s);
        tk::Line line(&window, u"Line"_s, {0, 1500}, {3000, 1500});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        MouseLog onLabel(&label);
        MouseLog onWindow(&window);
        QSignalSpy clicks(&label, &tk::Element::clicked);
        QWindow* handle = window.windowHandle();

        // A move with no button held reaches the element under the pointer.
        QTest::mouseMove(handle, {25, 22});
        // Press left, add right, move out of the label and the window: the
        // label keeps the mouse until the last button is up.
        QTest::mousePress(handle, Qt::LeftButton, {}, {25, 22});
        QTest::mousePress(handle, Qt::RightButton, {}, {25, 22});
        QTest::mouseMove(handle, {250, 300});
        QTest::mouseRelease(handle, Qt::RightButton, {}, {250, 300});
        QTest::mouseRelease(handle, Qt::LeftButton, {}, {-10, 5});
        QCOMPARE(onLabel.events,
                 (QList<QList<QVariant>>{
                     {QByteArray("move"), 0, 75.0f, 30.0f},
                     {QByteArray("down"), 1, 75.0f, 30.0f},
                     {QByteArray("down"), 2, 75.0f, 30.0f},
                     {QByteArray("move"), 3, 3450.0f, 4200.0f},
                     {QByteArray("up"), 2, 3450.0f, 4200.0f},
                     {QByteArray("move"), 1, -450.0f, -225.0f},
                     {QByteArray("up"), 1, -450.0f, -225.0f},
                 }));
        QVERIFY(onWindow.events.isEmpty());
        // Released outside: no click.
        QCOMPARE(clicks.count(), 0);
        QTest::mouseClick(handle, Qt::LeftButton, {}, {30, 30});
        QCOMPARE(clicks.count(), 1);
        // Only the left button clicks.
        QTest::mouseClick(handle, Qt::RightButton, {}, {30, 30});
        QCOMPARE(clicks.count(), 1);
        // A double-click is one click, and two presses to the handlers.
        onLabel.events.clear();
        QTest::mouseDClick(handle, Qt::LeftButton, {}, {30, 30});
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(onLabel.events.count(QList<QVariant>{QByteArray("down"), 1, 150.0f, 150.0f}), 2);

        // The line takes no mouse: the window behind it does.
        QTest::mousePress(handle, Qt::MiddleButton, {}, {150, 100});
        QCOMPARE(onWindow.events.value(1), (QList<QVariant>{QByteArray("down"), 4, 2250.0f, 1500.0f}));
        QTest::mouseRelease(handle, Qt::MiddleButton, {}, {150, 100});
    }

    // The one test that waits for real ticks.
    void timerSwitch()
    {
        QObject owner;
        tk::Timer timer(&owner, u"T"_s, 250, false);
        QSignalSpy ticks(&timer, &tk::Timer::tick);
        timer.fire();
        QCOMPARE(ticks.count(), 0);  // a stopped timer does not tick
        timer.setEnabled(true);
        timer.fire();
        QCOMPARE(ticks.count(), 1);
        // Switched on again and again, it keeps its pace rather than
        // restarting: the interval still runs out. Waiting much longer would
        // let a stall of the machine pass for a tick.
        QDeadlineTimer patience(1000);
        while (ticks.count() < 2 && !patience.hasExpired()) {
            timer.setEnabled(true);
            QCoreApplication::processEvents();
        }
        QCOMPARE(ticks.count(), 2);
        // Rested, it stays enabled but ticks for nobody until switched on
        // again; then it ticks when the interval runs out, and at whole
        // intervals after that.
        timer.rest();
        timer.fire();
        QVERIFY(timer.isEnabled() && !timer.wakes());
        QVERIFY(!QTest::qWaitFor([&] { return ticks.count() > 2; }, 425));
        timer.setEnabled(true);
        QElapsedTimer resumed;
        resumed.start();
        QVERIFY(QTest::qWaitFor([&] { return ticks.count() > 4; }, 10000));
        QVERIFY2(resumed.elapsed() >= 450, qPrintable(QString::number(resumed.elapsed())));
        timer.setEnabled(false);
        QVERIFY(!timer.isEnabled());
        // Told to tick only when fired, no timer wakes by itself.
        tk::Timer::setTicksOnlyWhenFired(true);
        tk::Timer quiet(&owner, u"Q"_s, 1, true);
        QSignalSpy quietTicks(&quiet, &tk::Timer::tick);
        QVERIFY(!QTest::qWaitFor([&] { return !quietTicks.isEmpty(); }, 50));
    }

    void warningBoxShowsItsLinesTitleAndOneButton()
    {
        QWidget owner;
        QStringList seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = QStringList{box->text(), box->windowTitle(), QString::number(box->buttons().size())};
            QCOMPARE(box->icon(), QMessageBox::Warning);
            box->button(QMessageBox::Ok)->click();
        });
        QVERIFY(tk::installCzechQtTexts());
        tk::messageBox(&owner, u"první\r\ndruhá"_s, u"Titulek"_s);
        QCOMPARE(seen, (QStringList{u"první\ndruhá"_s, u"Titulek"_s, u"1"_s}));
    }

    // What the game shows is exactly what a QPixmap made from the PNG shows:
    // same size, same pixel format, same pixels, read where they are
    // compiled in rather than copied.
    void picturesShowWhatTheirPngsShow()
    {
        const QDir assets(QStringLiteral(DELVORAN_ASSETS_DIR));
        const auto packed = tk::packedPictures();
        for (const tk::PackedPicture& picture : packed) {
            const QString name = QString::fromUtf16(picture.name.data(), static_cast<qsizetype>(picture.name.size()));
            const QImage expected = QPixmap(assets.filePath(name + u".png"_s)).toImage();
            const QImage shown = tk::loadPicture(name).toImage();
            QVERIFY2(!expected.isNull(), qPrintable(name));
            QCOMPARE(tk::pictureSize(name), expected.size());
            QCOMPARE(shown.format(), expected.format());
            QVERIFY2(shown == expected, qPrintable(name));
            QCOMPARE(shown.constBits(), reinterpret_cast<const uchar*>(picture.pixels));
        }
    }
};

QTEST_MAIN(ToolkitTest)
#include "test_toolkit.moc"
