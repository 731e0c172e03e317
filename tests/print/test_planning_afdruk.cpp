// The day's paper from a hand-made plan, as PDF files read back with
// poppler's pdftotext and pdfinfo.
#include "print/AfdrukKeuze.h"
#include "print/PlanningAfdruk.h"

#include "model/ToernooiDocument.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <numeric>

namespace {

using Planning::TDagWedstrijd;

enum { PerBaan, PerDeelnemer, Briefjes };

QString Draai(const QString& programma, const QStringList& argumenten) {
    QProcess proces;
    proces.start(programma, argumenten);
    proces.waitForFinished(60000);
    return QString::fromUtf8(proces.readAllStandardOutput());
}

// The text of one page, lines in the order they were drawn.
QString Tekst(const QString& pdf, int blad) {
    const QString nr = QString::number(blad);
    return Draai(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), QStringLiteral("-f"), nr,
                                               QStringLiteral("-l"), nr, pdf, QStringLiteral("-")});
}

int Bladen(const QString& pdf) {
    const QString info = Draai(QStringLiteral("pdfinfo"), {pdf});
    return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
}

const QStringList Voornamen{"Jeffrey", "Sofie", "Jan", "Floor", "Piet", "Anouk", "Raffi"};
const QStringList Achternamen{"Hoffmann", "van der Berg", "de Vries",
                              "Bakker",   "Griffioen",    "Kieft"};

// Participant i of 42: first names cycle fastest, so the list order is not
// the alphabetical one.
Deelnemerslijst::TNaam Naam(int i) {
    return {Voornamen[i % Voornamen.size()], Achternamen[i / Voornamen.size()]};
}
QString Volledig(int i) {
    return Naam(i).Voornaam + ' ' + Naam(i).Achternaam;
}

TDagWedstrijd Wedstrijd(int a, int b, int baan, int begin, int knockout = 0) {
    TDagWedstrijd w;
    w.Plek.KnockoutNr = knockout;
    w.Omschrijving = knockout
                         ? QStringLiteral("Winnaarsronde, finale")
                         : QStringLiteral("Poule %1, ronde %2").arg(a / 7 + 1).arg(begin / 20 + 1);
    w.Boven = Volledig(a);
    w.Onder = Volledig(b);
    w.Deelnemers = {a, b};
    w.Baan = baan;
    w.Begin = begin;
    w.Einde = begin + 20;
    return w;
}

PlanningAfdruk::TGegevens Gegevens(std::vector<TDagWedstrijd> wedstrijden) {
    PlanningAfdruk::TGegevens gegevens;
    gegevens.Overzicht.Wedstrijden = std::move(wedstrijden);
    gegevens.Overzicht.Einde = 8 * 60 + 40;
    gegevens.Instellingen.Plan.Banen = 3;
    gegevens.Instellingen.Baannamen = {QString(), QStringLiteral("Tafel 2")};
    for (int i = 0; i < 42; ++i)
        gegevens.Namen.push_back(Naam(i));
    return gegevens;
}

} // namespace

class TestPlanningAfdruk : public QObject {
    Q_OBJECT

    QTemporaryDir m_map;

    QString Pdf(std::unique_ptr<Afdruk::TDocument> document, int keuze) {
        static_cast<TAfdrukKeuze&>(*document).Kies(keuze);
        const QString pad = m_map.filePath(QStringLiteral("%1.pdf").arg(keuze));
        return Afdruk::BewaarPdf(*document, pad) ? pad : QString();
    }
    QString Pdf(PlanningAfdruk::TGegevens gegevens, int keuze) {
        return Pdf(PlanningAfdruk::Maak(std::move(gegevens), {"Clubkampioenschap", {}, {}}), keuze);
    }

private Q_SLOTS:
    void withoutAPlanEveryPrintoutSaysSo() {
        for (int keuze : {PerBaan, PerDeelnemer, Briefjes}) {
            const QString pdf = Pdf(Gegevens({}), keuze);
            QCOMPARE(Bladen(pdf), 1);
            QVERIFY(Tekst(pdf, 1).contains(QStringLiteral("Er is nog geen planning.")));
        }
    }

    void slipsGoFourToAPageInThePlansOrder() {
        // Nine matches handed over out of order: by start, then court.
        std::vector<TDagWedstrijd> wedstrijden;
        for (int i : {4, 0, 8, 2, 6, 1, 5, 3, 7})
            wedstrijden.push_back(Wedstrijd(i, i + 9, i % 2, i / 2 * 20));
        const QString pdf = Pdf(Gegevens(wedstrijden), Briefjes);
        QCOMPARE(Bladen(pdf), 3);
        for (int blad = 1; blad <= 3; ++blad) {
            const QString tekst = Tekst(pdf, blad);
            qsizetype vorige = -1;
            for (int i = 0; i < 9; ++i) {
                const qsizetype plek = tekst.indexOf(Volledig(i) + '\n');
                QCOMPARE(plek >= 0, (i / 4 + 1) == blad);
                if (plek >= 0) {
                    QVERIFY2(plek > vorige, qPrintable(Volledig(i)));
                    QVERIFY(tekst.indexOf(Volledig(i + 9) + '\n') > plek);
                    vorige = plek;
                }
            }
        }
        const QString eerste = Tekst(pdf, 1);
        for (const char* stuk : {"Baan 1", "Tafel 2", "09:00", "09:20", "Poule 1, ronde 2"})
            QVERIFY2(eerste.contains(QLatin1String(stuk)), stuk);
    }

    void slipsHaveABoxPairPerGameOfTheRule_data() {
        QTest::addColumn<int>("games");
        QTest::addColumn<int>("knockout");
        QTest::addColumn<QString>("laatste");
        QTest::addColumn<QString>("teVeel");
        QTest::newRow("badminton") << 3 << 0 << "Game 3"
                                   << "Game 4";
        QTest::newRow("tafeltennis") << 5 << 0 << "Game 5"
                                     << "Game 6";
        QTest::newRow("punten") << 1 << 0 << "Uitslag"
                                << "Game 1";
        QTest::newRow("knockout") << 5 << 1 << "Uitslag"
                                  << "Game 1";
    }
    void slipsHaveABoxPairPerGameOfTheRule() {
        QFETCH(int, games);
        QFETCH(int, knockout);
        QFETCH(QString, laatste);
        QFETCH(QString, teVeel);
        PlanningAfdruk::TGegevens gegevens = Gegevens({Wedstrijd(0, 1, 0, 0, knockout)});
        gegevens.PouleGames = games;
        const QString tekst = Tekst(Pdf(gegevens, Briefjes), 1);
        QVERIFY(tekst.contains(laatste));
        QVERIFY(!tekst.contains(teVeel));
    }

    void theDocumentsPlanNamesAndGameRuleReachThePaper() {
        TToernooiDocument document;
        Deelnemerslijst::TNamen namen;
        for (int i = 0; i < 8; ++i)
            namen.push_back(Naam(i));
        document.ImporteerNamen(namen);
        document.StartPoules(TPouleIndeling(4, 2, 0, 0),
                             Poulewedstrijden::Preset(Poulewedstrijden::TSysteem::Tafeltennis));
        Planning::TDagInstellingen instellingen;
        instellingen.Plan.Banen = 2;
        instellingen.Baannamen = {QStringLiteral("Tafel 1")};
        document.ZetDagInstellingen(instellingen);
        document.MaakPlanning();
        const TDagWedstrijd eerste = document.Dagoverzicht().Wedstrijden.front();
        const QString tekst = Tekst(Pdf(PlanningAfdruk::Maak(document, {}), Briefjes), 1);
        for (const QString& stuk : {QStringLiteral("Tafel 1"), QStringLiteral("09:00"),
                                    QStringLiteral("Game 5"), eerste.Boven, eerste.Onder})
            QVERIFY2(tekst.contains(stuk), qPrintable(stuk));
    }

    void aLongCourtGoesOnOverPagesAndShortOnesShareOne() {
        // 60 matches on the first court, three on each other, one not
        // planned yet.
        std::vector<TDagWedstrijd> wedstrijden;
        for (int i = 0; i < 60; ++i)
            wedstrijden.push_back(Wedstrijd(i % 21, i % 21 + 21, 0, i * 10));
        for (int i = 0; i < 6; ++i)
            wedstrijden.push_back(Wedstrijd(i, i + 7, 1 + i % 2, i / 2 * 20));
        wedstrijden.push_back(Wedstrijd(40, 41, -1, -1));
        const QString pdf = Pdf(Gegevens(wedstrijden), PerBaan);
        QCOMPARE(Bladen(pdf), 2);
        const QString eerste = Tekst(pdf, 1);
        const QString tweede = Tekst(pdf, 2);
        QVERIFY(eerste.contains(QStringLiteral("Planning per baan, verwacht einde 17:40")));
        QVERIFY(eerste.contains(QStringLiteral("09:00 Poule 1, ronde 1 Jeffrey Hoffmann – "
                                               "Jeffrey Bakker")));
        for (const char* stuk :
             {"Baan 1 (vervolg)", "Tafel 2", "Baan 3", "Nog zonder baan", "17:20", "Anouk Kieft"})
            QVERIFY2(tweede.contains(QLatin1String(stuk)), stuk);
    }

    void personalListsAreSortedByNameAndKeptWhole() {
        // Six pools of seven, everyone plays six matches.
        std::vector<TDagWedstrijd> wedstrijden;
        for (int poule = 0; poule < 6; ++poule)
            for (int a = 0; a < 7; ++a)
                for (int b = a + 1; b < 7; ++b)
                    wedstrijden.push_back(Wedstrijd(poule * 7 + a, poule * 7 + b,
                                                    int(wedstrijden.size() % 3),
                                                    int(wedstrijden.size() / 3) * 20));
        const QString pdf = Pdf(Gegevens(wedstrijden), PerDeelnemer);
        // As the participant list sorts: first name, then last name.
        std::vector<int> volgorde(42);
        std::iota(volgorde.begin(), volgorde.end(), 0);
        std::sort(volgorde.begin(), volgorde.end(), [](int a, int b) {
            return (Naam(a).Voornaam + Naam(a).Achternaam).toUpper() <
                   (Naam(b).Voornaam + Naam(b).Achternaam).toUpper();
        });
        QStringList verwacht;
        for (int i : volgorde)
            verwacht << Volledig(i);
        QStringList gezien;
        const QRegularExpression rij(QStringLiteral("^\\d\\d:\\d\\d "),
                                     QRegularExpression::MultilineOption);
        const int bladen = Bladen(pdf);
        QVERIFY(bladen > 2);
        for (int blad = 1; blad <= bladen; ++blad) {
            const QString tekst = Tekst(pdf, blad);
            int hier = 0;
            for (const QString& regel : tekst.split('\n'))
                if (verwacht.contains(regel)) {
                    gezien << regel;
                    ++hier;
                }
            QCOMPARE(int(tekst.count(rij)), 6 * hier);
        }
        QCOMPARE(gezien, verwacht);
    }
};

QTEST_MAIN(TestPlanningAfdruk)
#include "test_planning_afdruk.moc"
