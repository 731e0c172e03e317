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
};

QTEST_APPLESS_MAIN(TestAnsi)
#include "test_ansi.moc"
