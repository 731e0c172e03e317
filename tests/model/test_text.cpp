#include "model/Text.h"
#include <QtTest>
class TextTest : public QObject { Q_OBJECT
private Q_SLOTS:
    void trims() { QCOMPARE(Text::trimmed(QStringLiteral(" \t a b\x01 ")), QStringLiteral("a b")); }
};
QTEST_GUILESS_MAIN(TextTest)
#include "test_text.moc"
