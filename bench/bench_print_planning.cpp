// Times the day's paper of 4,096 participants (512 pools of 8, the best four
// of every pool in the winners' round, the others in the losers' round:
// 18,430 matches) planned on 64 courts, each printout to a PDF file on A4:
// gathering, layout, drawing and the written file. Exits non-zero only when
// a file is missing, never because of time. With a folder as argument the
// PDF files stay there.
#include "print/AfdrukKeuze.h"
#include "print/PlanningAfdruk.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int AantalPoules = 512;
constexpr int Grootte = 8;
constexpr int Banen = 64;
constexpr int Slot = 20;

PlanningAfdruk::TGegevens MaakDag() {
    PlanningAfdruk::TGegevens gegevens;
    gegevens.Instellingen.Plan.Banen = Banen;
    for (int poule = 1; poule <= AantalPoules; ++poule)
        for (int positie = 1; positie <= Grootte; ++positie)
            gegevens.Namen.emplace_back(QStringLiteral("Speler %1").arg(positie),
                                        QStringLiteral("van Poule %1").arg(poule));
    auto naam = [&](int i) {
        return gegevens.Namen[std::size_t(i)].Voornaam + ' ' +
               gegevens.Namen[std::size_t(i)].Achternaam;
    };
    auto& wedstrijden = gegevens.Overzicht.Wedstrijden;
    // The pools round by round (a circle of eight: seven rounds of four).
    for (int ronde = 0; ronde < Grootte - 1; ++ronde)
        for (int poule = 0; poule < AantalPoules; ++poule)
            for (int paar = 0; paar < Grootte / 2; ++paar) {
                const int a = paar == 0 ? 0 : (ronde + paar) % (Grootte - 1) + 1;
                const int b = (ronde + Grootte - 1 - paar) % (Grootte - 1) + 1;
                Planning::TDagWedstrijd w;
                w.Plek = {0, poule + 1, ronde, paar};
                w.Omschrijving = QStringLiteral("Poule %1, ronde %2").arg(poule + 1).arg(ronde + 1);
                w.Deelnemers = {poule * Grootte + a, poule * Grootte + b};
                w.Boven = naam(w.Deelnemers[0]);
                w.Onder = naam(w.Deelnemers[1]);
                wedstrijden.push_back(std::move(w));
            }
    // Both brackets of 2,048: the first round with its players known, the
    // later ones waiting for the winners of the round before.
    for (int knockout = 1; knockout <= 2; ++knockout) {
        const QString ronde =
            knockout == 1 ? QStringLiteral("Winnaarsronde") : QStringLiteral("Verliezersronde");
        int r = 0;
        for (int aantal = 1024; aantal >= 1; aantal /= 2, ++r)
            for (int nummer = 0; nummer < aantal; ++nummer) {
                Planning::TDagWedstrijd w;
                w.Plek = {knockout, 0, r, nummer};
                w.Omschrijving = QStringLiteral("%1, ronde %2").arg(ronde).arg(r + 1);
                if (r == 0) {
                    // The k-th of the bracket's 2,048 against the k-th from the end.
                    const int eerste = knockout == 1 ? 0 : Grootte / 2;
                    auto speler = [&](int k) { return k / 4 * Grootte + eerste + k % 4; };
                    w.Deelnemers = {speler(nummer), speler(2047 - nummer)};
                    w.Boven = naam(w.Deelnemers[0]);
                    w.Onder = naam(w.Deelnemers[1]);
                } else {
                    w.Boven = QStringLiteral("Winnaar van %1, ronde %2 wedstrijd %3")
                                  .arg(ronde)
                                  .arg(r)
                                  .arg(2 * nummer + 1);
                    w.Onder = QStringLiteral("Winnaar van %1, ronde %2 wedstrijd %3")
                                  .arg(ronde)
                                  .arg(r)
                                  .arg(2 * nummer + 2);
                }
                wedstrijden.push_back(std::move(w));
            }
    }
    // Slot by slot over the courts, in this order.
    for (std::size_t i = 0; i < wedstrijden.size(); ++i) {
        wedstrijden[i].Baan = int(i % Banen);
        wedstrijden[i].Begin = int(i / Banen) * Slot;
        wedstrijden[i].Einde = wedstrijden[i].Begin + Slot;
        gegevens.Overzicht.Einde = wedstrijden[i].Einde;
    }
    return gegevens;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    constexpr int Herhalingen = 3;
    QTemporaryDir tijdelijk;
    const QString map = argc > 1 ? QString::fromLocal8Bit(argv[1]) : tijdelijk.path();
    QDir().mkpath(map);
    const PlanningAfdruk::TGegevens dag = MaakDag();
    const Afdruk::TKop kop{QStringLiteral("Benchmark"), {}, QDateTime::currentDateTime()};
    const char* namen[] = {"per court", "per participant", "match slips"};
    bool goed = true;
    for (int keuze = 0; keuze < 3; ++keuze) {
        const QString pad = QDir(map).filePath(QStringLiteral("planning-%1.pdf").arg(keuze));
        std::vector<double> tijden;
        int bladen = 0;
        for (int h = 0; h < Herhalingen && goed; ++h) {
            const auto begin = std::chrono::steady_clock::now();
            auto document = PlanningAfdruk::Maak(dag, kop);
            auto& gekozen = static_cast<TAfdrukKeuze&>(*document);
            gekozen.Kies(keuze);
            goed = Afdruk::BewaarPdf(gekozen, pad);
            const auto einde = std::chrono::steady_clock::now();
            tijden.push_back(std::chrono::duration<double, std::milli>(einde - begin).count());
            bladen = gekozen.Opmaken(Afdruk::Romp(Afdruk::StandaardLayout()));
        }
        goed = goed && QFileInfo(pad).size() > 0;
        if (tijden.empty())
            break;
        std::sort(tijden.begin(), tijden.end());
        std::printf("day plan %-15s, %zu matches, 4096 participants, to PDF (A4, %4d pages)  "
                    "median %8.1f ms  max %8.1f ms%s\n",
                    namen[keuze], dag.Overzicht.Wedstrijden.size(), bladen,
                    tijden[tijden.size() / 2], tijden.back(), goed ? "" : "  WRONG RESULT");
    }
    return goed ? 0 : 1;
}
