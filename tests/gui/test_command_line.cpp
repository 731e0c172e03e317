#include "app/Opdrachtregel.h"
#include "support/TestMain.h"

using Actie = Opdrachtregel::Actie;

class CommandLineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsTheArguments_data() {
        QTest::addColumn<QStringList>("argumenten");
        QTest::addColumn<Actie>("actie");
        QTest::addColumn<QString>("bestand");
        QTest::addColumn<QString>("melding"); // a part of it
        QTest::newRow("niets") << QStringList{} << Actie::Starten << QString() << QString();
        QTest::newRow("een bestand") << QStringList{"Club toernooi.txt"} << Actie::Starten
                                     << "Club toernooi.txt" << QString();
        QTest::newRow("--help") << QStringList{"--help"} << Actie::Hulp << QString()
                                << "Gebruik: zegerooster [optie] [toernooibestand]\n";
        QTest::newRow("-h na een bestand")
            << QStringList{"a.txt", "-h"} << Actie::Hulp << QString() << "--version";
        QTest::newRow("--version wint van een onbekende optie")
            << QStringList{"--onzin", "--version"} << Actie::Versie << QString()
            << "Zegerooster versie 1.0\n";
        QTest::newRow("onbekende optie")
            << QStringList{"a.txt", "--onzin", "-x"} << Actie::Fout << QString()
            << "zegerooster: onbekende optie \"--onzin\".\n";
        QTest::newRow("twee bestanden") << QStringList{"a.txt", "b.txt"} << Actie::Fout << QString()
                                        << "hooguit één toernooibestand";
        QTest::newRow("na -- is alles een bestand")
            << QStringList{"--", "--help"} << Actie::Starten << "--help" << QString();
        QTest::newRow("Qt's own options are passed over")
            << QStringList{"-platform", "offscreen", "--style=fusion", "-reverse", "a.txt"}
            << Actie::Starten << "a.txt" << QString();
        QTest::newRow("een los streepje is een bestand")
            << QStringList{"-"} << Actie::Starten << "-" << QString();
    }

    void readsTheArguments() {
        QFETCH(QStringList, argumenten);
        QFETCH(QString, melding);
        const Opdrachtregel regel = Opdrachtregel::Lees(argumenten);
        QTEST(regel.actie, "actie");
        QTEST(regel.bestand, "bestand");
        QVERIFY2(regel.melding.contains(melding), qPrintable(regel.melding));
        QCOMPARE(regel.melding.isEmpty(), melding.isEmpty());
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(CommandLineTest)
#include "test_command_line.moc"
