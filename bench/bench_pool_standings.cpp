// Times the standings of one pool of 8 with all 28 scores in, under each
// preset: the work behind every score the organiser types. Fails only when
// a standings row is missing, never on time.
#include "model/Poulewedstrijden.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <vector>

using namespace Poulewedstrijden;

namespace {

constexpr int grootte = 8;
constexpr int herhalingen = 20000;

// Every match played; the lower letter wins, in three games now and then,
// so that level groups and their tie-breaks occur.
TPoule VollePoule(TSpelvorm spelvorm, const std::vector<int>& leden) {
    TPoule poule;
    poule.Wedstrijden = MaakSchema(leden);
    int n = 0;
    for (TPouleWedstrijd& w : poule.Wedstrijden) {
        const bool aWint = (w.A + w.B + n++) % 3 != 0;
        const int tot = spelvorm == TSpelvorm::Tafeltennis ? 11 : 21;
        const TGame winst = aWint ? TGame{tot, n % 9} : TGame{n % 9, tot};
        const TGame verlies{winst.B, winst.A};
        if (spelvorm == TSpelvorm::Score)
            w.Games = {{aWint ? 2 : 1, aWint ? 1 : 2}};
        else if (spelvorm == TSpelvorm::Tafeltennis)
            w.Games = {winst, verlies, winst, winst};
        else
            w.Games = {winst, verlies, winst};
    }
    return poule;
}

bool meet(TSysteem systeem) {
    std::vector<int> leden(grootte);
    std::iota(leden.begin(), leden.end(), 4000);
    const TTelling telling = Preset(systeem);
    const TPoule poule = VollePoule(telling.Spelvorm, leden);
    std::vector<double> tijden;
    bool goed = true;
    for (int i = 0; i < herhalingen; ++i) {
        const auto begin = std::chrono::steady_clock::now();
        const TStand stand = BerekenStand(telling, leden, poule);
        const auto einde = std::chrono::steady_clock::now();
        tijden.push_back(std::chrono::duration<double, std::micro>(einde - begin).count());
        goed = goed && stand.Rijen.size() == leden.size() && stand.AllesGespeeld;
    }
    std::sort(tijden.begin(), tijden.end());
    std::printf("standings of one pool of 8, %-12s median %.2f us, p99 %.2f us%s\n",
                qPrintable(SysteemNaam(systeem)), tijden[tijden.size() / 2],
                tijden[tijden.size() * 99 / 100], goed ? "" : "  WRONG STANDINGS");
    return goed;
}

} // namespace

int main() {
    bool goed = true;
    for (TSysteem systeem : {TSysteem::Badminton, TSysteem::Tafeltennis, TSysteem::Punten})
        goed = meet(systeem) && goed;
    return goed ? 0 : 1;
}
