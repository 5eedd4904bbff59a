// The built-in word list and the drawing of one entry.

#include "dictionary.h"

#include <QTest>

#include <cmath>
#include <set>

using namespace Qt::StringLiterals;

class DictionaryTest : public QObject {
    Q_OBJECT

private slots:
    // Identifiers 101 to 216, without gaps; every entry a clue that ends in a
    // space and a colon, then an answer of one to ten lower-case letters.
    void everyEntryHasAClueAndAShortAnswer()
    {
        QVERIFY(dictionary::loadResString(100).isEmpty());
        QVERIFY(dictionary::loadResString(217).isEmpty());
        for (int id = 101; id <= 216; ++id) {
            const QString entry = dictionary::loadResString(id);
            const QByteArray what = entry.toUtf8();
            const qsizetype colon = entry.lastIndexOf(u':');
            QVERIFY2(colon > 0 && entry.at(colon - 1) == u' ', what);
            const QString answer = entry.mid(colon + 1);
            QVERIFY2(!answer.isEmpty() && answer.size() <= dictionary::kLongestAnswer, what);
            QVERIFY2(answer == answer.toLower() && !answer.contains(u' '), what);
        }
    }

    void drawingCoversEveryIdentifier()
    {
        const float size = dictionary::kSize;
        QCOMPARE(dictionary::drawEntry(0.0, size, dictionary::loadResString).WordIndex, 101.0f);
        const double largestBelowOne = std::nextafter(1.0, 0.0);
        QCOMPARE(dictionary::drawEntry(largestBelowOne, size, dictionary::loadResString).WordIndex, 216.0f);
        std::set<float> drawn;
        for (int i = 0; i < 116 * 8; ++i)
            drawn.insert(dictionary::drawEntry(i / (116.0 * 8), size, dictionary::loadResString).WordIndex);
        QCOMPARE(drawn.size(), std::size_t{116});
    }

    void entrySplitAtTheFirstAndLastColon_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("clue");
        QTest::addColumn<QString>("word");
        QTest::addColumn<float>("length");
        QTest::newRow("plain") << u"Měsíc :leden"_s << u"Měsíc :"_s << u"LEDEN"_s << 5.0f;
        QTest::newRow("colon in the clue") << u":-) :smajlik"_s << u":"_s << u"SMAJLIK"_s << 7.0f;
        QTest::newRow("one letter") << u"Poslední písmeno v abecedě :z"_s << u"Poslední písmeno v abecedě :"_s << u"Z"_s
                                    << 1.0f;
        QTest::newRow("diacritics kept") << u"Skládá se z nich věta :pásmena"_s << u"Skládá se z nich věta :"_s
                                         << u"PÁSMENA"_s << 7.0f;
        QTest::newRow("no colon") << u"bez dvojtečky"_s << QString() << u"BEZ DVOJTEČKY"_s << 13.0f;
        QTest::newRow("one letter per letter") << u"x :straße"_s << u"x :"_s << u"STRAßE"_s << 6.0f;
    }

    void entrySplitAtTheFirstAndLastColon()
    {
        QFETCH(QString, entry);
        const auto drawn = dictionary::drawEntry(0.0, 1, [&](int id) { return id == 101 ? entry : QString(); });
        QTEST(drawn.Clue, "clue");
        QTEST(drawn.Word, "word");
        QTEST(drawn.WordLength, "length");
    }

    void clockSeededSourceGivesFractions()
    {
        dictionary::RandomSource random = dictionary::clockSeededRandom();
        std::set<double> seen;
        for (int i = 0; i < 1000; ++i) {
            const double r = random();
            QVERIFY(r >= 0.0 && r < 1.0);
            seen.insert(r);
        }
        QVERIFY(seen.size() > 990);
        // Each run of the program draws its own words.
        QVERIFY(dictionary::clockSeededRandom()() != dictionary::clockSeededRandom()());
    }
};

QTEST_GUILESS_MAIN(DictionaryTest)
#include "test_dictionary.moc"
