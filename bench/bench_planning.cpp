// Times making the plan of a whole day: 4,096 participants in 512 pools of 8
// with a winners' and a losers' bracket of 2,048 each (18,430 matches) on 64
// courts. Fails only on a plan with a clash, never on time.
#include "model/Planning.h"
#include "model/Poulewedstrijden.h"

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

} // namespace

int main() {
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
    return goed ? 0 : 1;
}
