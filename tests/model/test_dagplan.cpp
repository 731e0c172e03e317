#include <QTest>

#include "model/ToernooiDocument.h"
#include "support/ScriptedMessageService.h"

using namespace Planning;

namespace {

Deelnemerslijst::TNamen Namen(int aantal) {
    const QStringList voor{"Jeffrey", "Jan van der", "Anna",   "Bram",
                           "Carla",   "Piet",        "Fatima", "Kees"};
    const QStringList achter{"Hoffmann", "Berg",   "de Vries",  "Jansen",
                             "Smit",     "Bakker", "El Amrani", "Visser"};
    Deelnemerslijst::TNamen namen;
    for (int i = 0; i < aantal; ++i)
        namen.push_back({voor[i % voor.size()], achter[(i / voor.size()) % achter.size()] +
                                                    (i < 64 ? QString() : QString::number(i))});
    return namen;
}

// The day of the issue: 64 players in 16 pools of 4, the best 2 to the
// winners' round, 8 courts, 20-minute slots and one slot of rest.
void Referentiedag(TToernooiDocument& document, const QTime& klok) {
    document.ZetKlok([klok] { return QDateTime(QDate(2026, 12, 12), klok); });
    document.ImporteerNamen(Namen(64));
    document.StartPoules(TPouleIndeling(4, 16, 0, 0));
    TDagInstellingen instellingen;
    instellingen.Plan = {8, 20, 20, 1, {}};
    document.ZetDagInstellingen(instellingen);
    document.MaakPlanning();
}

} // namespace

class DagplanTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void referentiedag();
    void uitslagVerschuiftAlleenDeBaanEnRoeptOp();
    void planningBlijftBewaard();
};

void DagplanTest::referentiedag() {
    TToernooiDocument document;
    Referentiedag(document, QTime(9, 0));
    const TDagoverzicht dag = document.Dagoverzicht();
    QCOMPARE(dag.Wedstrijden.size(), std::size_t(158)); // 96 + 31 + 31
    for (const TDagWedstrijd& w : dag.Wedstrijden)
        QVERIFY2(w.Baan >= 0, qPrintable(w.Omschrijving));
    QVERIFY2(dag.Botsingen.isEmpty(), qPrintable(dag.Botsingen.join(u'\n')));
    QCOMPARE(dag.Ondergrens % 20, 0);
    QVERIFY(dag.Ondergrens >= 20 * 20);
    QVERIFY2(dag.Einde <= 24 * 20, qPrintable(QString::number(dag.Einde / 20)));
    qInfo("Reference day: %d slots, lower bound %d", dag.Einde / 20, dag.Ondergrens / 20);
    // The first knockout round waits for every pool match.
    int poulesKlaar = 0;
    int knockout = std::numeric_limits<int>::max();
    for (const TDagWedstrijd& w : dag.Wedstrijden)
        (w.Plek.KnockoutNr == 0 ? poulesKlaar : knockout) =
            w.Plek.KnockoutNr == 0 ? std::max(poulesKlaar, w.Einde) : std::min(knockout, w.Begin);
    QVERIFY(knockout >= poulesKlaar);
}

void DagplanTest::uitslagVerschuiftAlleenDeBaanEnRoeptOp() {
    TToernooiDocument document;
    QTime klok(9, 0);
    Referentiedag(document, klok);
    document.ZetKlok([&klok] { return QDateTime(QDate(2026, 12, 12), klok); });
    for (int baan = 0; baan < 8; ++baan)
        QVERIFY(document.RoepOp({}, baan));
    const TDagoverzicht voor = document.Dagoverzicht();
    const int nu = document.Banen()[0].Nu;
    QVERIFY(nu >= 0);
    const TDagWedstrijd gespeeld = voor.Wedstrijden[std::size_t(nu)];
    QCOMPARE(gespeeld.Toestand, TDagToestand::Opgeroepen);

    klok = klok.addSecs(35 * 60); // a quarter of an hour late
    QVERIFY(
        document.ZetPouleUitslag(gespeeld.Plek.Poule, gespeeld.Plek.Nummer, {{21, 15}, {21, 17}}));
    const TDagoverzicht na = document.Dagoverzicht();
    for (const TDagWedstrijd& w : voor.Wedstrijden) {
        const auto zelfde = std::find_if(na.Wedstrijden.begin(), na.Wedstrijden.end(),
                                         [&](const TDagWedstrijd& n) { return n.Plek == w.Plek; });
        QVERIFY(zelfde != na.Wedstrijden.end());
        if (w.Plek == gespeeld.Plek) {
            QCOMPARE(zelfde->Toestand, TDagToestand::Gespeeld);
            QCOMPARE(zelfde->Einde, 35);
        } else if (zelfde->Toestand == TDagToestand::Gepland) {
            const bool later = w.Baan == 0 && w.Begin > gespeeld.Begin;
            QCOMPARE(zelfde->Begin, w.Begin + (later ? 15 : 0));
        }
    }
    // The freed court got the next match whose players are free and rested.
    const int opgeroepen = document.Banen()[0].Nu;
    QVERIFY(opgeroepen >= 0);
    const TDagWedstrijd& volgende = na.Wedstrijden[std::size_t(opgeroepen)];
    QCOMPARE(volgende.Toestand, TDagToestand::Opgeroepen);
    QCOMPARE(volgende.Begin, 35);
    for (int d : volgende.Deelnemers)
        QVERIFY(std::find(gespeeld.Deelnemers.begin(), gespeeld.Deelnemers.end(), d) ==
                gespeeld.Deelnemers.end());

    // A move into a clash is made and named.
    QStringList botsingen;
    const TDagWedstrijd& ander = na.Wedstrijden.back();
    QVERIFY(document.VerplaatsWedstrijd(ander.Plek, volgende.Baan, volgende.Begin, &botsingen));
    QVERIFY(!botsingen.isEmpty());
    QVERIFY2(botsingen.join(u'\n').contains(QStringLiteral("dubbel bezet")),
             qPrintable(botsingen.join(u'\n')));
    document.MaakOngedaan();
    QCOMPARE(document.Dagoverzicht().Botsingen, na.Botsingen);
}

void DagplanTest::planningBlijftBewaard() {
    TToernooiDocument document;
    Referentiedag(document, QTime(9, 0));
    TDagInstellingen instellingen = document.DagInstellingen();
    instellingen.Baannamen = {QStringLiteral("Tafel 1 (zaal Noord)"), {}, QStringLiteral("Baan é")};
    instellingen.Plan.Pauzes = {{240, 270}};
    document.ZetDagInstellingen(instellingen);
    document.MaakPlanning();
    QVERIFY(document.RoepOp({}, 2));
    const QByteArray bestand = document.Bestand();
    QVERIFY(bestand.contains("#Planning"));

    TToernooiDocument geladen;
    QVERIFY(!geladen.Open(bestand, QStringLiteral("/tmp/dag.txt")));
    QCOMPARE(geladen.DagInstellingen(), document.DagInstellingen());
    QCOMPARE(geladen.Bestand(), bestand);
    QCOMPARE(BaanNaam(geladen.DagInstellingen(), 1), QStringLiteral("Baan 2"));
}

QTEST_GUILESS_MAIN(DagplanTest)
#include "test_dagplan.moc"
