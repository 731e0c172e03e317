// Times the pool draw with seeds and clubs: 4,096 players in 512 pools of 8,
// everyone in one of 200 clubs of uneven size, 64 seeds. Fails only when a
// club could have been spread better, never on time.
#include "model/Loting.h"
#include "model/RandomSource.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main() {
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
    return goed ? 0 : 1;
}
