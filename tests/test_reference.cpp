// The windows in the states a player sees, compared with pictures a person
// has checked against the layout: colours, fonts, positions and which
// picture stands where. Run once at each scale factor the environment sets.
// tools/make-references.sh writes the pictures again.

#include "game_harness.h"

#include <QDir>

namespace {

// Debian 12, 13 and unstable draw the captions apart: other versions of the
// Liberation fonts and of FreeType move glyph edges, by up to 236 levels on
// up to 6552 pixels of a picture, where a wrong ground colour differs by 39
// levels and a grey line under the keys on 305 pixels. No tolerance tells
// the two apart, so each release has pictures of its own; on one release
// every run draws the same pixels, so the comparison is exact.
QString release()
{
    const QString version = QSysInfo::productVersion();  // unstable has none
    return QSysInfo::productType() + u'-' + (version == u"unknown" ? u"unstable"_s : version);
}

const QDir kReferences(QStringLiteral(DELVORAN_REFERENCE_DIR));

// The numbers of the version caption: they change with every release of the
// game, so they alone are left out of the comparison.
QRect versionNumbers(QWidget& about)
{
    const auto* label = about.findChild<tk::Label*>(u"Label6"_s);
    QRect numbers = label->geometry();
    numbers.setLeft(numbers.left() + label->fontMetrics().horizontalAdvance(u"Verze programu : "_s));
    numbers.setRight(about.width() - 1);
    const qreal ratio = about.devicePixelRatioF();
    return {(QPointF(numbers.topLeft()) * ratio).toPoint(), (QSizeF(numbers.size()) * ratio).toSize()};
}

}  // namespace

class ReferenceTest : public QObject {
    Q_OBJECT

private slots:
    void looksAsChecked_data()
    {
        QTest::addColumn<int>("entry");  // 0: no word drawn
        QTest::addColumn<QString>("letters");
        QTest::addColumn<bool>("about");
        QTest::newRow("start") << 0 << QString() << false;
        // "pocitac": P, A and C found, three letters wrong.
        QTest::newRow("play") << 118 << u"PBADCE"_s << false;
        // "listopad" won after three wrong letters: the stage stays.
        QTest::newRow("won") << 111 << u"LIBSTCOPEAD"_s << false;
        QTest::newRow("lost") << 101 << u"EABCFGHIJ"_s << false;
        QTest::newRow("about") << 0 << QString() << true;
    }

    void looksAsChecked()
    {
        QFETCH(int, entry);
        QFETCH(QString, letters);
        QFETCH(bool, about);
        GameHarness game;
        if (entry) {
            game.newWord(entry);
            game.guess(letters);
        }
        if (about)
            game.click(u"Image4"_s);
        QWidget& window = about ? *static_cast<QWidget*>(game.about()) : game.window();
        const QImage actual = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect masked = about ? versionNumbers(window) : QRect();
        // Named by the scale asked for, not the one got, so that a scale
        // ignored compares with pictures of the other size.
        const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", u"1"_s);
        const QString name = release() + u'/' + QLatin1String(QTest::currentDataTag()) + u'@' + scale + u"x.png"_s;
        // Set by tools/make-references.sh alone: the folder to write to.
        if (const QString to = qEnvironmentVariable("DELVORAN_WRITE_REFERENCES"); !to.isEmpty()) {
            QVERIFY(QDir(to).mkpath(release()) && actual.save(QDir(to).filePath(name)));
            return;
        }
        if (!kReferences.exists(release()))
            QSKIP(qPrintable(u"no reference pictures for "_s + release()));
        const QImage expected = QImage(kReferences.filePath(name)).convertToFormat(QImage::Format_RGB32);
        const QString stem = QCoreApplication::applicationDirPath() + u'/' + name.chopped(4).replace(u'/', u'-');
        const QString kinds[] = {u"-actual.png"_s, u"-expected.png"_s, u"-difference.png"_s};
        for (const QString& kind : kinds)
            QFile::remove(stem + kind);  // left by an earlier failure
        // Differences in red, what is left out in blue.
        QImage difference = expected;
        int pixels = 0;
        for (int y = 0; y < actual.height() && actual.size() == expected.size(); ++y) {
            for (int x = 0; x < actual.width(); ++x) {
                if (masked.contains(x, y)) {
                    difference.setPixel(x, y, qRgb(0, 0, 255));
                } else if (actual.pixel(x, y) != expected.pixel(x, y)) {
                    difference.setPixel(x, y, qRgb(255, 0, 0));
                    ++pixels;
                }
            }
        }
        if (actual.size() == expected.size() && pixels == 0)
            return;
        const QImage pictures[] = {actual, expected, difference};
        for (int i = 0; i < 3; ++i)
            pictures[i].save(stem + kinds[i]);
        QFAIL(qPrintable(
            u"%1 pixels differ, or the sizes do: see %2-actual.png, -expected.png and -difference.png"_s.arg(pixels)
                .arg(stem)));
    }
};

QTEST_MAIN(ReferenceTest)
#include "test_reference.moc"
