// The game window as it opens: a layout that holds together, the shades that
// swallow clicks, captions drawn where their alignment puts them, the "?"
// button and the end of the program.

#include "game_harness.h"

#include <QBitmap>

namespace {

QList<QWidget*> keys(GameHarness& game)
{
    QList<QWidget*> found;
    for (QChar letter = u'A'; letter <= u'Z'; letter = QChar(letter.unicode() + 1))
        found.append(game.find<QWidget>(keyName(letter)));
    return found;
}

}  // namespace

class GameWindowTest : public QObject {
    Q_OBJECT

private slots:
    void windowProperties()
    {
        GameHarness game;
        GameWindow& window = game.window();
        QCOMPARE(window.windowTitle(), u"Delvoran"_s);
        QCOMPARE(window.size(), QSize(328, 364));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(!window.windowIcon().isNull());
        QVERIFY(!game.wordInPlay());
        QCOMPARE(game.markersShown(), 0);
    }

    // Where the design puts a few elements, in twips and in pixels.
    void spotPositions()
    {
        GameHarness game;
        const auto at = [&](const QString& name) {
            const auto* element = game.find<tk::Element>(name);
            return QPointF(element->left(), element->top());
        };
        QCOMPARE(at(u"Label1"_s), QPointF(840, 240));
        QCOMPARE(at(keyName(u'A')), QPointF(120, 600));
        QCOMPARE(at(keyName(u'Z')), QPointF(4440, 960));
        QCOMPARE(at(u"Image15"_s), QPointF(3720, 3840));
        QCOMPARE(game.find<QWidget>(u"Image12"_s)->geometry(), QRect(288, 328, 32, 32));
        QCOMPARE(game.find<QWidget>(u"Line1"_s)->geometry(), QRect(8, 88, 305, 1));
    }

    void layoutHoldsTogether()
    {
        GameHarness game;
        game.newWord(101);
        game.guess(u"ABCFGHIJ"_s);  // lost: every marker shown
        const QRect client = game.window().rect();
        for (auto* element : game.window().findChildren<tk::Element*>()) {
            if (!element->isHidden() && !element->geometry().isEmpty())
                QVERIFY2(client.contains(element->geometry()), qPrintable(element->objectName()));
        }
        const QRect shade = game.find<QWidget>(u"Image24"_s)->geometry();
        const QList<QWidget*> all = keys(game);
        for (qsizetype i = 0; i < all.size(); ++i) {
            QVERIFY(shade.contains(all[i]->geometry()));
            for (qsizetype j = i + 1; j < all.size(); ++j)
                QVERIFY(!all[i]->geometry().intersects(all[j]->geometry()));
        }
        QCOMPARE(game.find<QWidget>(u"Image13"_s)->geometry(), game.find<QWidget>(u"Image15"_s)->geometry());
        // The corner mask lies in front of the gallows.
        QCOMPARE(game.window().childAt(game.find<QWidget>(u"Image1"_s)->geometry().center()),
                 game.find<QWidget>(u"Image25"_s));
        QVERIFY(game.showsPicture(u"Image25"_s, u"corner_mask"_s));
        QVERIFY(game.showsPicture(u"Image12"_s, u"warning"_s));
    }

    // A key's letter stands in its middle, and the captions drawn bold are
    // wider than the same captions in the regular weight.
    void captionsCentredAndBoldAsDesigned()
    {
        GameHarness game;
        // The mask leaves out the key's white background: it is the letter.
        const QPixmap key = game.find(keyName(u'M'))->grab();
        const QRect ink = QRegion(key.createMaskFromColor(Qt::white)).boundingRect();
        QVERIFY(qAbs(ink.left() - (key.width() - 1 - ink.right())) <= 1);
        game.click(u"Image4"_s);
        for (const tk::Label* label : {game.find(keyName(u'A')), game.find(u"Label39"_s), game.find(u"Label40"_s),
                                       game.find(u"Label1"_s, game.about())}) {
            QFont regular = label->font();
            regular.setBold(false);
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->caption())
                         > QFontMetrics(regular).horizontalAdvance(label->caption()),
                     qPrintable(label->objectName()));
        }
    }

    void keyboardShadeSwallowsEveryClickBeforeTheFirstWord()
    {
        GameHarness game;
        // Every pixel of the keyboard area, transparent ones of the shade included.
        for (int y = 40; y < 85; y += 3) {
            for (int x = 8; x < 318; x += 3)
                game.clickAt({x, y});
        }
        for (QWidget* key : keys(game))
            QVERIFY(!key->isHidden());
        QCOMPARE(game.caption(u"Label49"_s), u"Pokusů : 0"_s);
    }

    void closingTheGameWindowEndsTheProgram()
    {
        GameHarness game;
        game.newWord(101);
        game.click(u"Image4"_s);
        QPointer<AboutWindow> about = game.about();
        QTimer::singleShot(0, &game.window(), &QWidget::close);
        // Should the program not end, this ends the loop with a failure.
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!game.wordInPlay());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(about.isNull());
    }
};

QTEST_MAIN(GameWindowTest)
#include "test_game_window.moc"
