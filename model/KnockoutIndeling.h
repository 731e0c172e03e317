#pragma once

#include "model/Deelnemer.h"

// Splitting the pool finishers between the winners' round (bracket 1) and
// the losers' round (bracket 2).
namespace KnockoutIndeling {

// The highest pool position of any participant; 0 when none is higher.
int HoogstePositie(const TDeelnemerLijst& deelnemers);

// The best n of every pool to the winners' round, all others to the losers'
// round; a participant without a position goes to the winners' round.
void PasBesteToe(TDeelnemerLijst& deelnemers, int n);

// The worst n of every pool to the losers' round, all others to the
// winners' round, also when a pool is smaller than the others.
void PasSlechtsteToe(TDeelnemerLijst& deelnemers, int n);

// The knockout division dialog's choice: the best Aantal of every pool to
// the winners' round, or (not Beste) the worst Aantal to the losers' round.
struct TKeuze {
    bool Beste = true;
    int Aantal = 0;
};
void PasToe(TDeelnemerLijst& deelnemers, const TKeuze& keuze);

} // namespace KnockoutIndeling
