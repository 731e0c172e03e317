#include "model/ToernooiDocument.h"

#include "model/Uitbreiding.h"

#include <algorithm>
#include <limits>

// Pool matches that were not played out.

using namespace Poulewedstrijden;

bool TToernooiDocument::ZetPouleAfloop(int poule, int wedstrijd, TAfloop afloop, int verliezer,
                                       const TGames& games, bool herbereken) {
    if (afloop == TAfloop::Gespeeld)
        return ZetPouleUitslag(poule, wedstrijd, games, herbereken);
    TPoule* wedstrijden = WedstrijdPoule(poule);
    if (!wedstrijden || wedstrijd < 0 ||
        static_cast<std::size_t>(wedstrijd) >= wedstrijden->Wedstrijden.size() ||
        (verliezer != 0 && verliezer != 1))
        return false;
    // Nobody played at a w.o.; a match broken off keeps the score it had.
    const bool buitenBereik = std::any_of(games.begin(), games.end(), [](const TGame& game) {
        return game.A < 0 || game.B < 0 || game.A > Uitbreiding::HoogsteScore ||
               game.B > Uitbreiding::HoogsteScore;
    });
    if ((afloop == TAfloop::Walkover && !games.empty()) || buitenBereik ||
        ControleerOnderbroken(m_toernooi->Wedstrijden.Telling.Spelvorm, games))
        return false;
    TPouleWedstrijd& w = wedstrijden->Wedstrijden[static_cast<std::size_t>(wedstrijd)];
    TStap stap(*this,
               QStringLiteral("%1 poule %2: %3 - %4")
                   .arg(AfloopAfkorting(afloop), QString::number(poule),
                        Lijst()[std::size_t(w.A)]->Naam(), Lijst()[std::size_t(w.B)]->Naam()));
    bool anders = herbereken && wedstrijden->PositiesHandmatig;
    if (w.Afloop != afloop || w.Verliezer != verliezer || w.Games != games) {
        w.Afloop = afloop;
        w.Verliezer = verliezer;
        w.Games = games;
        // A lot ordered a tie of the results as they were.
        wedstrijden->Loten.clear();
        anders = true;
    }
    VolgStand(poule, herbereken);
    if (anders) {
        Q_EMIT PouleWedstrijdenVeranderd(poule);
        PlanningNaUitslag({0, poule, 0, wedstrijd});
    }
    return true;
}

// A withdrawal gives away the participant's matches from the chosen round
// on that are not played yet: each is a w.o. lost by the participant. Its
// matches played by then, in any round, keep their scores: what happened on
// court stays, and the scoring system decides what it still counts for.
// Unplayed matches before the chosen round stay open, as the match may have
// been played with its score still to come. A return takes back exactly the
// w.o.'s that are still as the withdrawal left them.
//
// While the knockout runs, the pools are over: their positions stay as the
// knockout was drawn from them, and only the knockout side acts.
void TToernooiDocument::PoulesNaTerugtrekking(int index, int vanafRonde) {
    TDeelnemer& deelnemer = *Lijst()[static_cast<std::size_t>(index)];
    TPoule* wedstrijden = Programmastatus() == psPoules ? WedstrijdPoule(deelnemer.Poule) : nullptr;
    const auto vanHem = [index](const TPouleWedstrijd& w) { return w.A == index || w.B == index; };
    if (!wedstrijden) {
        deelnemer.TeruggetrokkenVanaf = 0;
        return;
    }
    bool anders = false;
    if (deelnemer.Teruggetrokken) {
        int vanaf = std::max(vanafRonde, 0);
        if (vanaf == 0) {
            // From the next match it has not played.
            vanaf = std::numeric_limits<int>::max();
            for (const TPouleWedstrijd& w : wedstrijden->Wedstrijden)
                if (vanHem(w) && !w.Gespeeld())
                    vanaf = std::min(vanaf, w.Ronde);
        }
        for (TPouleWedstrijd& w : wedstrijden->Wedstrijden) {
            if (!vanHem(w) || w.Gespeeld() || w.Ronde < vanaf)
                continue;
            w.Afloop = TAfloop::Walkover;
            w.Verliezer = w.A == index ? 0 : 1;
            anders = true;
        }
        deelnemer.TeruggetrokkenVanaf = vanaf == std::numeric_limits<int>::max() ? 0 : vanaf;
    } else {
        const int vanaf = deelnemer.TeruggetrokkenVanaf;
        for (TPouleWedstrijd& w : wedstrijden->Wedstrijden) {
            if (vanaf < 1 || !vanHem(w) || w.Ronde < vanaf || w.Afloop != TAfloop::Walkover ||
                w.AfloopVerliezer() != index || !w.Games.empty())
                continue;
            w.Afloop = TAfloop::Gespeeld;
            w.Verliezer = -1;
            anders = true;
        }
        deelnemer.TeruggetrokkenVanaf = 0;
    }
    // The standings change even when no match does (badminton voids the
    // results); a lot ordered a tie of the standings as they were.
    if (anders)
        wedstrijden->Loten.clear();
    VolgStand(deelnemer.Poule, false);
    Q_EMIT PouleWedstrijdenVeranderd(deelnemer.Poule);
}
