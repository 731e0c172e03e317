// Times entering every result of a large bracket, round by round, as the
// organiser does; each result runs its winner down the path to the final.
// Exits non-zero only when the bracket ends wrong, never because of time.
#include "model/Knockout.h"
#include "model/RandomSource.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

int main() {
    constexpr int Herhalingen = 40;
    constexpr int Aantal = 4096;
    auto vorige =
        setRandomSource(std::make_unique<ClockSeededRandomSource>([] { return std::uint64_t{7}; }));

    TDeelnemerLijst lijst;
    for (int i = 0; i < Aantal; ++i) {
        lijst.push_back(std::make_unique<TDeelnemer>(QStringLiteral("V%1").arg(i), QString()));
        lijst.back()->KnockoutNr = 1;
    }

    std::vector<double> tijden;
    bool goed = true;
    for (int h = 0; h < Herhalingen; ++h) {
        for (auto& d : lijst)
            d->Wedstrijd = nullptr;
        TKnockout knockout(lijst, 1, TKnockout::LootWillekeurig);

        const auto begin = std::chrono::steady_clock::now();
        // The upper participant wins in odd matches, the lower one in even.
        for (int r = 0; r < knockout.AantalRondes(); ++r) {
            for (int m = 0; m < knockout.AantalWedstrijden(r); ++m)
                knockout.Wedstrijd(r, m)->ZetEindstand(m % 2 ? 3 : 1, 2);
        }
        const auto einde = std::chrono::steady_clock::now();
        tijden.push_back(std::chrono::duration<double, std::milli>(einde - begin).count());

        // Follow the expected winner from the first round to the final.
        const TKnockoutWedstrijd* w = knockout.Wedstrijd(0, 0);
        const TDeelnemer* kampioen = nullptr;
        for (int r = 0; r < knockout.AantalRondes(); ++r) {
            const TKnockoutWedstrijd* hier = knockout.Wedstrijd(r, 0);
            kampioen = hier->Winnaar();
            if (!kampioen || hier->ScoreBoven() < 0)
                goed = false;
        }
        const TKnockoutWedstrijd* finale = knockout.Wedstrijd(knockout.AantalRondes() - 1, 0);
        goed = goed && w->Winnaar() == w->DeelnemerOnder() && finale->Winnaar() == kampioen &&
               kampioen == finale->DeelnemerOnder();
    }
    std::sort(tijden.begin(), tijden.end());
    std::printf("%-58s median %8.2f ms  max %8.2f ms  (target < 20 ms)%s\n",
                "entering every result, 4096, round by round", tijden[tijden.size() / 2],
                tijden.back(), goed ? "" : "  WRONG RESULT");
    setRandomSource(std::move(vorige));
    return goed ? 0 : 1;
}
