// The toolkit's promises: twips, number captions, auto-size anchors, mouse
// events and capture, the timer switch and the warning box.

#include "game_state.h"
#include "toolkit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

const tk::FontSpec kFont{tk::FontSpec::Face::SansSerif, 8.25f, false};

struct MouseLog {
    QList<QList<QVariant>> events;
    void record(const char* kind, tk::ButtonValue button, float x, float y)
    {
        events.append({QByteArray(kind), int(button), x, y});
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
        QTest::newRow("twelve") << 12.0f << u"12"_s;
        QTest::newRow("dictionary") << 116.0f << u"116"_s;
        QTest::newRow("2^24") << 16777216.0f << u"16777216"_s;
        QTest::newRow("large") << 1e10f << u"10000000000"_s;
        QTest::newRow("half") << 0.5f << u"0.5"_s;
        QTest::newRow("third") << 100.0f / 3.0f << u"33.333332"_s;
    }

    void numberCaptions()
    {
        QFETCH(float, value);
        QFETCH(QString, caption);
        QCOMPARE(formatSingle(value), caption);
    }

    void autoSizeKeepsLeftEdgeOrCentre()
    {
        tk::Window window(nullptr, u"W"_s, tk::Window::Frame::FixedSingle, {3000, 3000}, u"W"_s);
        tk::Label left(&window, u"L"_s, {300, 30, 150, 195}, {.font = kFont, .autoSize = true}, u"-"_s);
        tk::Label centre(&window, u"C"_s, {300, 300, 150, 195},
                         {.font = kFont, .align = tk::Align::Center, .autoSize = true}, u"-"_s);
        tk::Label fixed(&window, u"F"_s, {300, 600, 150, 195}, {.font = kFont}, u"-"_s);
        const float centreX = centre.left() + centre.widthTwips() / 2;
        QCOMPARE(centreX, 375.0f);
        const QString longText = u"Země s největším počtem obyvatel :"_s;
        for (tk::Label* label : {&left, &centre, &fixed})
            label->setCaption(longText);
        const float textWidth = tk::toTwips(QFontMetrics(left.font()).horizontalAdvance(longText));
        QCOMPARE(left.left(), 300.0f);
        QCOMPARE(left.widthTwips(), textWidth);
        QCOMPARE(centre.widthTwips(), textWidth);
        QCOMPARE(centre.left() + centre.widthTwips() / 2, centreX);
        QCOMPARE(fixed.widthTwips(), 150.0f);
        QCOMPARE(fixed.left(), 300.0f);
    }

    void mouseEventsCarryButtonsAndTwips()
    {
        tk::Window window(nullptr, u"W"_s, tk::Window::Frame::FixedSingle, {3000, 3000}, u"W"_s);
        tk::Label label(&window, u"L"_s, {300, 300, 600, 600}, {.font = kFont}, u"x"_s);
        tk::Line line(&window, u"Line"_s, {0, 1500}, {3000, 1500});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        MouseLog onLabel;
        MouseLog onWindow;
        QSignalSpy clicks(&label, &tk::Element::clicked);
        for (const auto& [signal, kind] : {std::pair{&tk::Element::mouseDown, "down"},
                                          std::pair{&tk::Element::mouseMove, "move"},
                                          std::pair{&tk::Element::mouseUp, "up"}}) {
            QObject::connect(&label, signal, &label,
                             [&, kind](tk::ButtonValue b, float x, float y) { onLabel.record(kind, b, x, y); });
        }
        QObject::connect(&window, &tk::Window::mouseDown, &window,
                         [&](tk::ButtonValue b, float x, float y) { onWindow.record("down", b, x, y); });
        QObject::connect(&window, &tk::Window::mouseMove, &window,
                         [&](tk::ButtonValue b, float x, float y) { onWindow.record("move", b, x, y); });
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
        QCOMPARE(onLabel.events, (QList<QList<QVariant>>{
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

        // The line takes no mouse: the window behind it does.
        QTest::mousePress(handle, Qt::MiddleButton, {}, {150, 100});
        QCOMPARE(onWindow.events.value(1), (QList<QVariant>{QByteArray("down"), 4, 2250.0f, 1500.0f}));
        QTest::mouseRelease(handle, Qt::MiddleButton, {}, {150, 100});
    }

    void disabledPictureTakesNoClicks()
    {
        tk::Window window(nullptr, u"W"_s, tk::Window::Frame::FixedSingle, {3000, 3000}, u"W"_s);
        tk::Picture picture(&window, u"P"_s, 150, 150, u":/tick.png"_s);
        QCOMPARE(picture.widthTwips(), 480.0f);
        QCOMPARE(picture.size(), QSize(32, 32));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy clicks(&picture, &tk::Element::clicked);
        picture.setEnabled(false);
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, {15, 15});
        QCOMPARE(clicks.count(), 0);
        picture.setEnabled(true);
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, {15, 15});
        QCOMPARE(clicks.count(), 1);
    }

    void timerSwitch()
    {
        QObject owner;
        tk::Timer timer(&owner, u"T"_s, 400, false);
        QSignalSpy ticks(&timer, &tk::Timer::tick);
        timer.fire();
        QCOMPARE(ticks.count(), 0);  // a stopped timer does not tick

        timer.setEnabled(true);
        QVERIFY(timer.isEnabled());
        QTest::qWait(150);
        const int before = timer.remainingTime();
        QVERIFY(before < 300);
        // Switching it on again does not restart the interval.
        timer.setEnabled(true);
        QVERIFY(timer.remainingTime() <= before);

        timer.fire();
        QCOMPARE(ticks.count(), 1);
        timer.setEnabled(false);
        timer.setEnabled(false);
        QVERIFY(!timer.isEnabled());
        // Switching on a stopped timer starts a full interval.
        timer.setEnabled(true);
        QVERIFY(timer.remainingTime() > 300);
    }

    void warningBoxShowsItsLinesTitleAndOneButton()
    {
        QWidget owner;
        QString text;
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        QString okText;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            buttons = int(box->buttons().size());
            okText = box->button(QMessageBox::Ok)->text();
            box->button(QMessageBox::Ok)->click();
        });
        QVERIFY(tk::installCzechQtTexts());
        tk::messageBox(&owner, u"první\r\ndruhá"_s, u"Titulek"_s);
        QCOMPARE(text, u"první\ndruhá"_s);
        QCOMPARE(title, u"Titulek"_s);
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(buttons, 1);
        // Qt's own texts speak Czech too.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Zrušit"_s);
        QVERIFY(!okText.isEmpty());
    }
};

QTEST_MAIN(ToolkitTest)
#include "test_toolkit.moc"
