// Times the pool-division search plus the pool draw for a large list, with
// the program's own random source. Fails only on a wrong draw, never on time.
#include "model/PouleIndeling.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <vector>

namespace {

constexpr int aantalDeelnemers = 10000;
constexpr int herhalingen = 50;

bool klopt(const TDeelnemerLijst& deelnemers, const TPouleIndeling& indeling) {
    std::map<int, int> grootten;
    for (const auto& deelnemer : deelnemers)
        ++grootten[deelnemer->Poule];
    if (static_cast<int>(grootten.size()) != indeling.AantalPoules())
        return false;
    for (int p = 1; p <= indeling.AantalPoules(); ++p) {
        const int verwacht = p <= indeling.AantalGrotePoules ? indeling.GrotePouleGrootte
                                                             : indeling.KleinePouleGrootte;
        if (grootten[p] != verwacht)
            return false;
    }
    return true;
}

// Search and draw, `herhalingen` times; the first or the last listed division.
bool meet(TDeelnemerLijst& deelnemers, bool laatste, const char* naam) {
    std::vector<double> tijden;
    bool goed = true;
    for (int i = 0; i < herhalingen; ++i) {
        const auto begin = std::chrono::steady_clock::now();
        const auto indelingen = PouleIndeling::ZoekIndelingen(static_cast<int>(deelnemers.size()),
                                                              MinPouleGrootte, MaxPouleGrootte);
        if (indelingen.empty())
            return false;
        const TPouleIndeling& indeling = laatste ? indelingen.back() : indelingen.front();
        PouleIndeling::VerdeelDeelnemers(deelnemers, indeling);
        const auto einde = std::chrono::steady_clock::now();
        tijden.push_back(std::chrono::duration<double, std::milli>(einde - begin).count());
        goed = goed && klopt(deelnemers, indeling);
    }
    std::sort(tijden.begin(), tijden.end());
    std::printf("%-42s median %.3f ms, max %.3f ms%s\n", naam, tijden[tijden.size() / 2],
                tijden.back(), goed ? "" : "  WRONG DRAW");
    return goed;
}

} // namespace

int main() {
    TDeelnemerLijst deelnemers;
    for (int i = 0; i < aantalDeelnemers; ++i)
        deelnemers.push_back(
            std::make_unique<TDeelnemer>(QStringLiteral("Speler"), QString::number(i)));
    bool goed = meet(deelnemers, false, "10000 participants, 3-8, first division");
    goed = meet(deelnemers, true, "10000 participants, 3-8, last division") && goed;
    return goed ? 0 : 1;
}
