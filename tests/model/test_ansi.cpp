#include <QTest>

#include "model/Ansi.h"

// The 8-bit files of the program: what fits Windows-1252 stays byte for byte
// compatible with older files, everything else survives as UTF-8.
class TestAnsi : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void codePageTextRoundTripsByteForByte() {
        const QString naam = QStringLiteral("Zoë d’Hondt – €5 Œuvre ™");
        QVERIFY(Ansi::fitsCodePage(naam));
        const QByteArray bytes = Ansi::encode(naam);
        QCOMPARE(bytes.size(), naam.size());
        QCOMPARE(bytes.at(2), char(0xEB));  // ë
        QCOMPARE(bytes.at(5), char(0x92));  // ’
        QCOMPARE(bytes.at(14), char(0x80)); // €
        QCOMPARE(Ansi::decode(bytes), naam);
    }

    void textOutsideTheCodePageBecomesUtf8WithMark() {
        const QString naam = QStringLiteral("Łukasz Ωmega 🎾");
        QVERIFY(!Ansi::fitsCodePage(naam));
        const QByteArray bytes = Ansi::encode(naam);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(Ansi::decode(bytes), naam);
    }

    void everyByteDecodesAndEncodesBack() {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = Ansi::decode(all);
        QVERIFY(Ansi::fitsCodePage(text));
        QCOMPARE(Ansi::encode(text), all);
    }

    void namesSortInCodePageByteOrder_data() {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("higher");
        QTest::newRow("prefix first") << QStringLiteral("JAN") << QStringLiteral("JANB");
        QTest::newRow("DEL before euro") << QStringLiteral("\u007F") << QStringLiteral("€");
        QTest::newRow("undefined byte 0x81") << QStringLiteral("€") << QStringLiteral("\u0081");
        QTest::newRow("Ÿ before no-break space") << QStringLiteral("Ÿ") << QStringLiteral("\u00A0");
        QTest::newRow("Š before É") << QStringLiteral("Šimon") << QStringLiteral("Éva");
        QTest::newRow("dash before À") << QStringLiteral("–") << QStringLiteral("À");
        QTest::newRow("ÿ before outside") << QStringLiteral("ÿ") << QStringLiteral("Ā");
        QTest::newRow("outside in code point order")
            << QStringLiteral("Ł") << QStringLiteral("\u2010");
        QTest::newRow("BMP before surrogates") << QStringLiteral("\uFFFD") << QStringLiteral("😀");
    }

    void namesSortInCodePageByteOrder() {
        QFETCH(QString, lower);
        QFETCH(QString, higher);
        QVERIFY(Ansi::compare(lower, higher) < 0);
        QVERIFY(Ansi::compare(higher, lower) > 0);
        QCOMPARE(Ansi::compare(higher, higher), 0);
        QVERIFY(Ansi::sortKey(lower) < Ansi::sortKey(higher));
    }

    void linesSplitAtEveryKindOfLineEnd() {
        QCOMPARE(Ansi::splitLines(QStringLiteral("a\r\nb\nc\rd")),
                 QStringList({"a", "b", "c", "d"}));
        QCOMPARE(Ansi::splitLines(QStringLiteral("a\r\n\r\nb\r\n")), QStringList({"a", "", "b"}));
        QCOMPARE(Ansi::splitLines(QStringLiteral("a\n\rb")), QStringList({"a", "", "b"}));
        QVERIFY(Ansi::splitLines(QString()).isEmpty());
    }

    // Files are read a line at a time; that must give the very lines of
    // the whole decoded text, broken UTF-8 beside a line end included.
    void linesReadOneByOneAreTheLinesOfTheWholeText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("mark only") << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("code page, every line end") << QByteArray("Zo\xEB\r\n\x80\x81\n\n\r\rd\x92"
                                                                 "Hondt\r");
        QTest::newRow("mark without UTF-8 after a line") << QByteArray("a\r\n\xEF\xBB\xBF"
                                                                       "b");
        QTest::newRow("UTF-8") << QByteArray("\xEF\xBB\xBF\xC5\x81"
                                             "ukasz\r\n\xF0\x9F\x8E\xBE\n");
        QTest::newRow("broken UTF-8 at line ends")
            << QByteArray("\xEF\xBB\xBF\xE2\x82\r\n\xF0\x9F\r\x80\n\xC5\xE2\x82");
        QTest::newRow("second mark") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                                                   "a\r\nb");
        QTest::newRow("mark starting a later line")
            << QByteArray("\xEF\xBB\xBF"
                          "a\r\n\xEF\xBB\xBF b\r\n\xEF\xBB\xBF\xC5");
    }
    void linesReadOneByOneAreTheLinesOfTheWholeText() {
        QFETCH(QByteArray, bytes);
        Ansi::LineReader reader(bytes);
        QStringList lines;
        while (!reader.atEnd())
            lines << reader.next();
        QCOMPARE(lines, Ansi::splitLines(Ansi::decode(bytes)));
        QCOMPARE(reader.next(), QString());
    }
};

QTEST_APPLESS_MAIN(TestAnsi)
#include "test_ansi.moc"
