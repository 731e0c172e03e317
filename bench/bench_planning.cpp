// Times making the plan of a whole day: 4,096 participants in 512 pools of 8
// with a winners' and a losers' bracket of 2,048 each (18,430 matches) on 64
// courts, first for the planner alone, then through the tournament document
// ("Planning maken" before the knockout draw), and a score that frees a
// court and calls the next match. Fails only on a plan with a clash, never
// on time.
#include "model/Planning.h"
#include "model/Poulewedstrijden.h"
#include "model/ToernooiDocument.h"

#include <QCoreApplication>

#include <type_traits>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace Planning;

namespace {

constexpr int poules = 512;
constexpr int grootte = 8;

// Every bracket match waits for its two feeders; a first-round match for
// the pools of its two players.
void Bracket(std::vector<TPlanWedstrijd>& dag, const std::vector<std::vector<int>>& perPoule,
             int verschuiving) {
    std::vector<int> ronde;
    for (int m = 0; m < poules * 2; ++m) {
        TPlanWedstrijd eerste{{}, {}, true, 1};
        for (int poule : {m % poules, (m / 2 + verschuiving) % poules})
            for (int w : perPoule[static_cast<std::size_t>(poule)])
                eerste.Voorgangers.push_back(w);
        ronde.push_back(static_cast<int>(dag.size()));
        dag.push_back(std::move(eerste));
    }
    for (int nummer = 2; ronde.size() > 1; ++nummer) {
        std::vector<int> volgende;
        for (std::size_t m = 0; m < ronde.size(); m += 2) {
            volgende.push_back(static_cast<int>(dag.size()));
            dag.push_back({{}, {ronde[m], ronde[m + 1]}, true, nummer});
        }
        ronde = volgende;
    }
}

// Times f, or takes the time it measured itself.
template <typename F> std::pair<double, double> Tijd(int keer, F&& f) {
    std::vector<double> tijden;
    for (int i = 0; i < keer; ++i) {
        const auto begin = std::chrono::steady_clock::now();
        double eigen = -1;
        if constexpr (std::is_same_v<decltype(f(i)), void>)
            f(i);
        else
            eigen = f(i);
        tijden.push_back(eigen >= 0 ? eigen
                                    : std::chrono::duration<double, std::milli>(
                                          std::chrono::steady_clock::now() - begin)
                                          .count());
    }
    std::sort(tijden.begin(), tijden.end());
    return {tijden[tijden.size() / 2], tijden.back()};
}

bool Document() {
    TToernooiDocument document;
    QTime klok(9, 0);
    document.ZetKlok([&klok] { return QDateTime(QDate(2026, 12, 12), klok); });
    Deelnemerslijst::TNamen namen;
    for (int i = 0; i < poules * grootte; ++i)
        namen.push_back({QStringLiteral("Speler %1").arg(i), QStringLiteral("van der Berg")});
    document.ImporteerNamen(namen);
    document.StartPoules(TPouleIndeling(grootte, poules, 0, 0));
    Planning::TDagInstellingen instellingen;
    instellingen.Plan.Banen = 64;
    document.ZetDagInstellingen(instellingen);
    const auto [maak, maakMax] = Tijd(3, [&](int) { document.MaakPlanning(); });
    const TDagoverzicht dag = document.Dagoverzicht();
    std::printf("Planning maken through the document            median %.1f ms, max %.1f ms "
                "(%zu matches, %d slots, lower bound %d)%s\n",
                maak, maakMax, dag.Wedstrijden.size(), dag.Einde / 20, dag.Ondergrens / 20,
                dag.Botsingen.isEmpty() ? "" : "  CLASH");
    for (int baan = 0; baan < 64; ++baan)
        document.RoepOp({}, baan);
    // Each score ends the match on court 0 twenty minutes on, which calls
    // the next one there.
    const auto [roep, roepMax] = Tijd(9, [&](int) {
        klok = klok.addSecs(20 * 60);
        const TDagWedstrijd& nu =
            document.Dagoverzicht().Wedstrijden[std::size_t(document.Banen()[0].Nu)];
        document.ZetPouleUitslag(nu.Plek.Poule, nu.Plek.Nummer, {{21, 15}, {21, 17}});
    });
    // What a window asks after each change: the overview of the new state.
    const auto [overzicht, overzichtMax] = Tijd(9, [&](int) {
        klok = klok.addSecs(20 * 60);
        const TDagWedstrijd& nu =
            document.Dagoverzicht().Wedstrijden[std::size_t(document.Banen()[1].Nu)];
        document.ZetPouleUitslag(nu.Plek.Poule, nu.Plek.Nummer, {{21, 15}, {21, 17}});
        const auto begin = std::chrono::steady_clock::now();
        (void)document.Dagoverzicht();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
            .count();
    });
    std::printf("a score that calls the next match (model)      median %.1f ms, max %.1f ms\n"
                "the day's overview after it                    median %.1f ms, max %.1f ms\n",
                roep, roepMax, overzicht, overzichtMax);
    return dag.Botsingen.isEmpty();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<TPlanWedstrijd> dag;
    std::vector<std::vector<int>> perPoule(poules);
    const auto rondes = Poulewedstrijden::BergerRondes(grootte);
    for (int poule = 0; poule < poules; ++poule)
        for (std::size_t r = 0; r < rondes.size(); ++r)
            for (const auto& [a, b] : rondes[r]) {
                perPoule[static_cast<std::size_t>(poule)].push_back(static_cast<int>(dag.size()));
                dag.push_back(
                    {{grootte * poule + a - 1, grootte * poule + b - 1}, {}, false, int(r) + 1});
            }
    Bracket(dag, perPoule, 1);
    Bracket(dag, perPoule, 7);
    TInstellingen zaal;
    zaal.Banen = 64;
    std::vector<double> tijden;
    TPlan plan;
    for (int i = 0; i < 5; ++i) {
        const auto begin = std::chrono::steady_clock::now();
        plan = MaakPlan(dag, zaal);
        const auto einde = std::chrono::steady_clock::now();
        tijden.push_back(std::chrono::duration<double, std::milli>(einde - begin).count());
    }
    std::sort(tijden.begin(), tijden.end());
    const bool goed = Controleer(dag, zaal, plan).empty();
    std::printf("plan of %zu matches on 64 courts              median %.1f ms, max %.1f ms "
                "(%d slots, lower bound %d)%s\n",
                dag.size(), tijden[tijden.size() / 2], tijden.back(), plan.Einde / zaal.PouleSlot,
                Ondergrens(dag, zaal) / zaal.PouleSlot, goed ? "" : "  CLASH");
    return goed && Document() ? 0 : 1;
}
