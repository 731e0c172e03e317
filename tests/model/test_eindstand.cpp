#include "model/Eindstand.h"

#include <QtTest>

using Actie = Eindstand::TControle::Actie;

class EindstandTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void checksRunInOrder_data() {
        QTest::addColumn<QString>("boven");
        QTest::addColumn<QString>("onder");
        QTest::addColumn<int>("actie");
        QTest::addColumn<QString>("tekst");
        QTest::addColumn<int>("veld");
        QTest::addColumn<bool>("selecteer");
        const int boven = int(Eindstand::TVeld::Boven);
        const int onder = int(Eindstand::TVeld::Onder);
        QTest::newRow("both empty clears") << ""
                                           << " " << int(Actie::Wissen) << "" << boven << true;
        QTest::newRow("one empty asks")
            << "2"
            << "" << int(Actie::VraagWissen) << Eindstand::VraagEenLeeg << boven << true;
        QTest::newRow("upper not a number, lower not looked at")
            << "x"
            << "-5" << int(Actie::Melding) << Eindstand::GeenGetal << boven << true;
        QTest::newRow("trailing blank is no number")
            << "3 "
            << "1" << int(Actie::Melding) << Eindstand::GeenGetal << boven << true;
        QTest::newRow("upper negative")
            << "-1"
            << "2" << int(Actie::Melding) << Eindstand::Negatief << boven << true;
        QTest::newRow("lower negative")
            << "2"
            << "-1" << int(Actie::Melding) << Eindstand::Negatief << onder << true;
        QTest::newRow("lower not a number")
            << "2"
            << "1a" << int(Actie::Melding) << Eindstand::GeenGetal << onder << true;
        QTest::newRow("draw") << "2"
                              << "2" << int(Actie::Melding) << Eindstand::Gelijkspel << boven
                              << false;
        QTest::newRow("zero against three")
            << "0"
            << "3" << int(Actie::ZetEindstand) << "" << boven << true;
        QTest::newRow("leading blank") << " 3"
                                       << "1" << int(Actie::ZetEindstand) << "" << boven << true;
    }

    void checksRunInOrder() {
        QFETCH(QString, boven);
        QFETCH(QString, onder);
        QFETCH(int, actie);
        QFETCH(QString, tekst);
        QFETCH(int, veld);
        QFETCH(bool, selecteer);
        const Eindstand::TControle controle = Eindstand::Controleer(boven, onder);
        QCOMPARE(int(controle.Soort), actie);
        QCOMPARE(controle.Tekst, tekst);
        if (controle.Soort == Actie::Melding) {
            QCOMPARE(int(controle.Veld), veld);
            QCOMPARE(controle.SelecteerVeld, selecteer);
        }
    }

    void acceptedScoresAreParsed() {
        const Eindstand::TControle controle =
            Eindstand::Controleer(QStringLiteral("0"), QStringLiteral("12"));
        QCOMPARE(controle.Boven, 0);
        QCOMPARE(controle.Onder, 12);
    }
};

QTEST_GUILESS_MAIN(EindstandTest)
#include "test_eindstand.moc"
