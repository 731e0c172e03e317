// Times the bracket draws on large tournaments. Exits non-zero only when a
// draw gives a wrong bracket, never because of the time taken.
#include "model/Knockout.h"
#include "model/RandomSource.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <vector>

namespace {

constexpr int Herhalingen = 40;

TDeelnemerLijst Poules(int aantalPoules, int grootte, int beste) {
    TDeelnemerLijst lijst;
    for (int poule = 1; poule <= aantalPoules; ++poule) {
        for (int positie = 1; positie <= grootte; ++positie) {
            auto d = std::make_unique<TDeelnemer>(QStringLiteral("V%1").arg(lijst.size()),
                                                  QStringLiteral("A"));
            d->Poule = poule;
            d->Positie = positie;
            d->KnockoutNr = positie <= beste ? 1 : 2;
            lijst.push_back(std::move(d));
        }
    }
    // The participant list is in random order, as a tournament makes it.
    std::shuffle(lijst.begin(), lijst.end(), std::mt19937(99));
    return lijst;
}

void WisPlaatsing(TDeelnemerLijst& lijst) {
    for (auto& d : lijst)
        d->Wedstrijd = nullptr;
}

// How many of the bracket are placed; -1 when the bracket is inconsistent:
// a link that does not match the slot, a participant twice, or two of one
// pool in one match while there are several pools.
int Controleer(const TDeelnemerLijst& lijst, const TKnockout& knockout) {
    std::set<const TDeelnemer*> gezien;
    for (int i = 0; i < knockout.AantalWedstrijden(0); ++i) {
        const TKnockoutWedstrijd* w = knockout.Wedstrijd(0, i);
        for (const TDeelnemer* d : {w->DeelnemerBoven(), w->DeelnemerOnder()}) {
            if (d && (d->Wedstrijd != w || d->KnockoutNr != knockout.KnockoutNr() ||
                      !gezien.insert(d).second))
                return -1;
        }
        if (knockout.AantalPoules() > 1 && w->DeelnemerBoven() && w->DeelnemerOnder() &&
            w->DeelnemerBoven()->Poule == w->DeelnemerOnder()->Poule)
            return -1;
    }
    for (const auto& d : lijst) {
        if (d->KnockoutNr == knockout.KnockoutNr() && d->Wedstrijd && !gezien.count(d.get()))
            return -1;
    }
    return static_cast<int>(gezien.size());
}

// Runs `stap` Herhalingen times; prints median and maximum. `stap` returns
// false on a wrong result.
bool Meet(const char* naam, const char* doel, const std::function<bool()>& stap) {
    std::vector<double> tijden;
    bool goed = true;
    for (int i = 0; i < Herhalingen; ++i) {
        const auto begin = std::chrono::steady_clock::now();
        goed = stap() && goed;
        const auto einde = std::chrono::steady_clock::now();
        tijden.push_back(std::chrono::duration<double, std::milli>(einde - begin).count());
    }
    std::sort(tijden.begin(), tijden.end());
    std::printf("%-58s median %8.2f ms  max %8.2f ms  (target %s)%s\n", naam,
                tijden[tijden.size() / 2], tijden.back(), doel, goed ? "" : "  WRONG RESULT");
    return goed;
}

} // namespace

int main() {
    bool goed = true;

    {
        TDeelnemerLijst lijst = Poules(512, 8, 4);
        goed = Meet("seeded draw, both brackets, 4096 (512 pools of 8, best 4)", "< 20 ms",
                    [&] {
                        WisPlaatsing(lijst);
                        const TKnockout winnaars(lijst, 1, TKnockout::VolgensPoules);
                        const TKnockout verliezers(lijst, 2, TKnockout::VolgensPoules);
                        return winnaars.IsVolledig() && verliezers.IsVolledig() &&
                               Controleer(lijst, winnaars) == 2048 &&
                               Controleer(lijst, verliezers) == 2048;
                    }) &&
               goed;
    }

    {
        // One pool winner recorded as position 9 is never found: every
        // attempt of every pool order fails.
        TDeelnemerLijst lijst = Poules(128, 8, 8);
        for (auto& d : lijst) {
            if (d->Poule == 1 && d->Positie == 8)
                d->Positie = 9;
        }
        goed = Meet("seeded draw that always fails, 1024 (128 pools of 8)", "< 300 ms",
                    [&] {
                        WisPlaatsing(lijst);
                        const TKnockout winnaars(lijst, 1, TKnockout::VolgensPoules);
                        return !winnaars.IsVolledig() && Controleer(lijst, winnaars) == 1023;
                    }) &&
               goed;
    }

    {
        // The same with pools of two: six times 513 attempts.
        TDeelnemerLijst lijst = Poules(512, 2, 2);
        lijst.front()->Positie = 9;
        goed = Meet("seeded draw that always fails, 1024 (512 pools of 2)", "-",
                    [&] {
                        WisPlaatsing(lijst);
                        const TKnockout winnaars(lijst, 1, TKnockout::VolgensPoules);
                        return !winnaars.IsVolledig() && Controleer(lijst, winnaars) == 1023;
                    }) &&
               goed;
    }

    {
        auto vorige = setRandomSource(
            std::make_unique<ClockSeededRandomSource>([] { return std::uint64_t{20240611}; }));
        TDeelnemerLijst lijst = Poules(1, 4096, 4096);
        for (auto& d : lijst) {
            d->Poule = 0;
            d->Positie = -1;
        }
        goed = Meet("random draw, 4096", "< 5 ms",
                    [&] {
                        WisPlaatsing(lijst);
                        const TKnockout knockout(lijst, 1, TKnockout::LootWillekeurig);
                        return knockout.IsVolledig() && Controleer(lijst, knockout) == 4096;
                    }) &&
               goed;
        lijst.resize(4095); // one bye, at the top
        goed = Meet("random draw, 4095 (one bye)", "-",
                    [&] {
                        WisPlaatsing(lijst);
                        const TKnockout knockout(lijst, 1, TKnockout::LootWillekeurig);
                        return knockout.IsVolledig() && Controleer(lijst, knockout) == 4095 &&
                               knockout.Wedstrijd(0, 0)->Bye();
                    }) &&
               goed;
        setRandomSource(std::move(vorige));
    }

    return goed ? 0 : 1;
}
