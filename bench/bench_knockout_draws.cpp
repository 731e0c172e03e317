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

using Brackets = std::vector<std::unique_ptr<TKnockout>>;

// Runs a draw `herhalingen` times and prints the median and maximum of the
// draw alone: the links the previous draw left are cleared before the clock
// starts, `loot` builds the brackets, `controleer` checks them after the
// clock stops (false on a wrong result), and only then are they destroyed.
bool Meet(const char* naam, const char* doel, TDeelnemerLijst& lijst,
          const std::function<void(Brackets&)>& loot,
          const std::function<bool(const Brackets&)>& controleer, int herhalingen = Herhalingen) {
    std::vector<double> tijden;
    bool goed = true;
    for (int i = 0; i < herhalingen; ++i) {
        WisPlaatsing(lijst);
        Brackets brackets;
        brackets.reserve(2);
        const auto begin = std::chrono::steady_clock::now();
        loot(brackets);
        const auto einde = std::chrono::steady_clock::now();
        tijden.push_back(std::chrono::duration<double, std::milli>(einde - begin).count());
        goed = controleer(brackets) && goed;
    }
    std::sort(tijden.begin(), tijden.end());
    std::printf("%-58s median %8.2f ms  max %8.2f ms  (target %s)%s\n", naam,
                tijden[tijden.size() / 2], tijden.back(), doel, goed ? "" : "  WRONG RESULT");
    return goed;
}

std::function<void(Brackets&)> Geplaatst(TDeelnemerLijst& lijst, int knockouts, int indeling) {
    return [&lijst, knockouts, indeling](Brackets& brackets) {
        for (int nr = 1; nr <= knockouts; ++nr)
            brackets.push_back(
                std::make_unique<TKnockout>(lijst, static_cast<std::uint8_t>(nr), indeling));
    };
}

// A seeded draw of bracket 1 that cannot be completed; the last attempt's
// placement stays, consistent, with `geplaatst` participants placed (-1:
// any number).
bool MeetOnmogelijk(const char* naam, const char* doel, TDeelnemerLijst& lijst, int geplaatst,
                    int herhalingen = Herhalingen) {
    return Meet(
        naam, doel, lijst, Geplaatst(lijst, 1, TKnockout::VolgensPoules),
        [&lijst, geplaatst](const Brackets& b) {
            const int aantal = Controleer(lijst, *b[0]);
            return !b[0]->IsVolledig() && aantal >= 0 && (geplaatst < 0 || aantal == geplaatst);
        },
        herhalingen);
}

// One pool winner recorded as position 9, which the draw never looks for.
TDeelnemerLijst MetPositieNegen(int aantalPoules) {
    TDeelnemerLijst lijst = Poules(aantalPoules, 8, 8);
    for (auto& d : lijst) {
        if (d->Poule == 1 && d->Positie == 8)
            d->Positie = 9;
    }
    return lijst;
}

// Pool 1 holding `groot` of the bracket, the others pools of eight.
TDeelnemerLijst MetGrotePoule(int aantal, int groot) {
    TDeelnemerLijst lijst = Poules((aantal - groot) / 8, 8, 8);
    for (auto& d : lijst)
        ++d->Poule;
    for (int i = 0; i < groot; ++i) {
        auto d = std::make_unique<TDeelnemer>(QStringLiteral("G%1").arg(i), QStringLiteral("A"));
        d->Poule = 1;
        d->Positie = i % 8 + 1;
        d->KnockoutNr = 1;
        lijst.push_back(std::move(d));
    }
    std::shuffle(lijst.begin(), lijst.end(), std::mt19937(98));
    return lijst;
}

} // namespace

int main() {
    bool goed = true;

    {
        TDeelnemerLijst lijst = Poules(512, 8, 4);
        goed = Meet("seeded draw, both brackets, 4096 (512 pools of 8, best 4)", "< 20 ms", lijst,
                    Geplaatst(lijst, 2, TKnockout::VolgensPoules),
                    [&lijst](const Brackets& b) {
                        return b[0]->IsVolledig() && b[1]->IsVolledig() &&
                               Controleer(lijst, *b[0]) == 2048 && Controleer(lijst, *b[1]) == 2048;
                    }) &&
               goed;
    }

    {
        // The same field with everyone in one of 200 clubs of uneven size.
        TDeelnemerLijst lijst = Poules(512, 8, 4);
        for (std::size_t i = 0; i < lijst.size(); ++i)
            lijst[i]->Vereniging = QStringLiteral("Vereniging %1").arg((i * i + 7 * i) % 200);
        int ontmoetingen = 0;
        goed = Meet("seeded draw with 200 clubs, both brackets, 4096", "< 50 ms", lijst,
                    Geplaatst(lijst, 2, TKnockout::VolgensPoules),
                    [&](const Brackets& b) {
                        ontmoetingen = b[0]->ClubOntmoetingen() + b[1]->ClubOntmoetingen();
                        return b[0]->IsVolledig() && b[1]->IsVolledig() &&
                               Controleer(lijst, *b[0]) == 2048 && Controleer(lijst, *b[1]) == 2048;
                    }) &&
               goed;
        std::printf("  club meetings before the semi-final: %d\n", ontmoetingen);
        // A direct knockout of them all, with 8 seeds.
        auto vorige = setRandomSource(
            std::make_unique<ClockSeededRandomSource>([] { return std::uint64_t{20240612}; }));
        for (std::size_t i = 0; i < lijst.size(); ++i) {
            lijst[i]->KnockoutNr = 1;
            lijst[i]->Poule = 0;
            lijst[i]->Plaatsing = i < 8 ? static_cast<int>(i) + 1 : 0;
        }
        goed = Meet("random draw with 200 clubs and 8 seeds, 4096", "< 50 ms", lijst,
                    Geplaatst(lijst, 1, TKnockout::LootWillekeurig),
                    [&](const Brackets& b) {
                        ontmoetingen = b[0]->ClubOntmoetingen();
                        return b[0]->IsVolledig() && Controleer(lijst, *b[0]) == 4096;
                    }) &&
               goed;
        std::printf("  club meetings before the semi-final: %d\n", ontmoetingen);
        setRandomSource(std::move(vorige));
    }

    // Draws that cannot succeed: every attempt of every pool order fails.
    {
        TDeelnemerLijst lijst = MetPositieNegen(128);
        goed = MeetOnmogelijk("seeded draw that always fails, 1024 (128 pools of 8)", "-", lijst,
                              1023) &&
               goed;
    }
    {
        // The same with pools of two: six times 513 attempts.
        TDeelnemerLijst lijst = Poules(512, 2, 2);
        lijst.front()->Positie = 9;
        goed = MeetOnmogelijk("seeded draw that always fails, 1024 (512 pools of 2)", "-", lijst,
                              1023) &&
               goed;
    }
    {
        TDeelnemerLijst lijst = MetPositieNegen(512);
        goed = MeetOnmogelijk("impossible draw, 4096, a position 9 (512 pools of 8)", "< 50 ms",
                              lijst, 4095) &&
               goed;
    }
    {
        TDeelnemerLijst lijst = MetPositieNegen(2048);
        goed = MeetOnmogelijk("impossible draw, 16384, a position 9 (2048 pools of 8)", "< 300 ms",
                              lijst, 16383, 10) &&
               goed;
    }
    {
        TDeelnemerLijst lijst = MetGrotePoule(4096, 2056);
        goed = MeetOnmogelijk("impossible draw, 4096, one pool over half", "< 50 ms", lijst, -1) &&
               goed;
    }
    {
        TDeelnemerLijst lijst = MetGrotePoule(16384, 8200);
        goed = MeetOnmogelijk("impossible draw, 16384, one pool over half", "< 300 ms", lijst, -1,
                              10) &&
               goed;
    }

    {
        // Exactly half: each pool and position is looked for once per step,
        // so the third of one pool and position is never found.
        TDeelnemerLijst lijst = MetGrotePoule(4096, 2048);
        goed = MeetOnmogelijk("impossible draw, 4096, one pool of exactly half", "-", lijst, -1) &&
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
        goed = Meet("random draw, 4096", "< 5 ms", lijst,
                    Geplaatst(lijst, 1, TKnockout::LootWillekeurig),
                    [&lijst](const Brackets& b) {
                        return b[0]->IsVolledig() && Controleer(lijst, *b[0]) == 4096;
                    }) &&
               goed;
        lijst.resize(4095); // one bye, at the top
        goed = Meet("random draw, 4095 (one bye)", "-", lijst,
                    Geplaatst(lijst, 1, TKnockout::LootWillekeurig),
                    [&lijst](const Brackets& b) {
                        return b[0]->IsVolledig() && Controleer(lijst, *b[0]) == 4095 &&
                               b[0]->Wedstrijd(0, 0)->Bye();
                    }) &&
               goed;
        setRandomSource(std::move(vorige));
    }

    return goed ? 0 : 1;
}
