// Times the pool draw with seeds and clubs: 4,096 players in 512 pools of 8,
// everyone in one of 200 clubs of uneven size, 64 seeds; the draw alone, and
// the whole start of the pools through the document. Fails only when a club
// could have been spread better, never on time.
#include "model/Loting.h"
#include "model/RandomSource.h"
#include "model/ToernooiDocument.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<Loting::TSpeler> spelers(4096);
    for (std::size_t i = 0; i < spelers.size(); ++i) {
        // Club sizes from 1 to about 40, as in a regional ranking event.
        spelers[i].Vereniging = QStringLiteral("Vereniging %1").arg((i * i + 7 * i) % 200);
        if (i % 64 == 0)
            spelers[i].Plaatsing = static_cast<int>(i / 64) + 1;
    }
    const std::vector<int> grootten(512, 8);
    std::vector<double> tijden;
    bool goed = true;
    for (std::uint64_t zaad = 1; zaad <= 15; ++zaad) {
        ClockSeededRandomSource bron([zaad] { return zaad; });
        const auto begin = std::chrono::steady_clock::now();
        const Loting::TUitkomst uitkomst = Loting::Verdeel(spelers, grootten, bron);
        const auto einde = std::chrono::steady_clock::now();
        tijden.push_back(std::chrono::duration<double, std::milli>(einde - begin).count());
        goed = goed && uitkomst.Knelpunten.empty();
    }
    std::sort(tijden.begin(), tijden.end());
    std::printf(
        "pool draw with 200 clubs and 64 seeds, 4096 in 512 pools  median %.1f ms, max %.1f ms%s\n",
        tijden[tijden.size() / 2], tijden.back(), goed ? "" : "  CLUB NOT SPREAD");

    // The same field through the document: list, draw, schedules and the
    // undo step, as the organiser's OK on the pool division starts it.
    Deelnemerslijst::TNamen namen;
    for (std::size_t i = 0; i < spelers.size(); ++i)
        namen.push_back({QStringLiteral("Jeffrey %1").arg(i), QStringLiteral("Hoffmann"),
                         spelers[i].Vereniging, spelers[i].Plaatsing});
    std::vector<double> document;
    for (std::uint64_t zaad = 1; zaad <= 7; ++zaad) {
        auto vorige =
            setRandomSource(std::make_unique<ClockSeededRandomSource>([zaad] { return zaad; }));
        TToernooiDocument toernooi;
        toernooi.ImporteerNamen(namen);
        std::vector<Loting::TKnelpunt> knelpunten;
        const auto begin = std::chrono::steady_clock::now();
        toernooi.StartPoules(TPouleIndeling(8, 512, 0, 0),
                             Poulewedstrijden::Preset(Poulewedstrijden::TSysteem::Badminton),
                             &knelpunten);
        const auto einde = std::chrono::steady_clock::now();
        document.push_back(std::chrono::duration<double, std::milli>(einde - begin).count());
        goed = goed && knelpunten.empty() && toernooi.Deelnemers().back()->Poule > 0;
        setRandomSource(std::move(vorige));
    }
    std::sort(document.begin(), document.end());
    std::printf("pool start through the document, same field (target < 100 ms)  median %.1f ms, "
                "max %.1f ms%s\n",
                document[document.size() / 2], document.back(), goed ? "" : "  CLUB NOT SPREAD");
    return goed ? 0 : 1;
}
