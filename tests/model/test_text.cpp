#include "model/Text.h"

#include <QtTest>

class TextTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void trimmingRemovesOnlyCodesUpTo32() {
        QCOMPARE(Text::trimmed(QStringLiteral(" \t\r\n\x01 Jan de Vries \x1f")),
                 QStringLiteral("Jan de Vries"));
        QCOMPARE(Text::trimmed(QStringLiteral("   ")), QString());
        QCOMPARE(Text::trimmed(QString()), QString());
        // A no-break space and other Unicode blanks are characters of a name.
        const QString noBreak = QString(QChar(0x00A0)) + QStringLiteral("Ana") + QChar(0x2003);
        QCOMPARE(Text::trimmed(noBreak), noBreak);
    }

    void namesLoseLineBreaksAndOtherControlCharacters() {
        QCOMPARE(Text::cleanName(QStringLiteral("Jan\r\nKees")), QStringLiteral("Jan Kees"));
        QCOMPARE(Text::cleanName(QStringLiteral("\n\tde\x01\x1f\x02Vries\r")),
                 QStringLiteral("de Vries"));
        // Blanks typed on purpose stay, and so do characters from 32 up.
        QCOMPARE(Text::cleanName(QStringLiteral("de  Vries \t x\x7f")),
                 QStringLiteral("de  Vries   x\x7f"));
        QCOMPARE(Text::cleanName(QStringLiteral("\r\n")), QString());
    }

    void halfASurrogatePairBecomesTheReplacementCharacter() {
        const QChar hoog(0xD83D), laag(0xDE00); // together U+1F600
        const QString paar = QString(hoog) + laag;
        QCOMPARE(Text::cleanName(QStringLiteral("Jan") + paar), QStringLiteral("Jan") + paar);
        const QChar vervang = QChar::ReplacementCharacter;
        QCOMPARE(Text::cleanName(QString(laag) + QStringLiteral("Jan") + hoog),
                 QString(vervang) + QStringLiteral("Jan") + vervang);
        QCOMPARE(Text::cleanName(QString(hoog) + hoog + laag), QString(vervang) + paar);
    }

    void foldingTouchesOnlyAsciiLetters() {
        const QString mixed = QStringLiteral("aZé ÉłŁΩω 09 [`{");
        QCOMPARE(Text::upperAscii(mixed), QStringLiteral("AZé ÉłŁΩω 09 [`{"));
        QCOMPARE(Text::lowerAscii(mixed), QStringLiteral("azé ÉłŁΩω 09 [`{"));
        QCOMPARE(Text::lowerAscii(QStringLiteral("ByE")), QStringLiteral("bye"));
    }

    void codePointOrder_data() {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("higher");
        QTest::newRow("prefix first") << QStringLiteral("JAN") << QStringLiteral("JANB");
        QTest::newRow("case-sensitive") << QStringLiteral("Z") << QStringLiteral("a");
        QTest::newRow("accent after Z") << QStringLiteral("ZZ") << QStringLiteral("É");
        QTest::newRow("Latin-1 byte order") << QStringLiteral("é") << QStringLiteral("ł");
        QTest::newRow("emoji after BMP") << QStringLiteral("\uFF01") << QStringLiteral("😀");
        QTest::newRow("empty first") << QString() << QStringLiteral(" ");
    }

    void codePointOrder() {
        QFETCH(QString, lower);
        QFETCH(QString, higher);
        QVERIFY(Text::compareCodePoints(lower, higher) < 0);
        QVERIFY(Text::compareCodePoints(higher, lower) > 0);
        QCOMPARE(Text::compareCodePoints(lower, lower), 0);
    }

    void lineBreaksForDisplay_data() {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("shown");
        QTest::newRow("LF CR") << QStringLiteral("a\n\rb") << QStringLiteral("a\nb");
        QTest::newRow("double LF CR") << QStringLiteral("a\n\r\n\rb") << QStringLiteral("a\n\nb");
        QTest::newRow("CR LF") << QStringLiteral("a\r\nb") << QStringLiteral("a\nb");
        QTest::newRow("lone CR") << QStringLiteral("a\rb") << QStringLiteral("a\nb");
        QTest::newRow("LF LF") << QStringLiteral("a\n\nb") << QStringLiteral("a\n\nb");
        QTest::newRow("trailing") << QStringLiteral("a\n\r") << QStringLiteral("a\n");
        QTest::newRow("none") << QStringLiteral("abc") << QStringLiteral("abc");
    }

    void lineBreaksForDisplay() {
        QFETCH(QString, written);
        QFETCH(QString, shown);
        QCOMPARE(Text::displayLineBreaks(written), shown);
        QVERIFY(!Text::displayLineBreaks(written).contains(u'\r'));
    }
};

QTEST_GUILESS_MAIN(TextTest)
#include "test_text.moc"
