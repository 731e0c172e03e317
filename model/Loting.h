#pragma once

#include <QString>

#include <vector>

class RandomSource;

// The pool draw that keeps a fair field: seeds spread over the pools in a
// snake, club mates spread as evenly as the pool sizes allow, and among the
// draws that do that the choice stays random.
namespace Loting {

struct TSpeler {
    QString Vereniging; // empty: bound to nobody
    int Plaatsing = 0;  // seed 1, 2, ...; 0: not seeded
};

// A club the pool sizes did not let the draw spread: most of its players
// in one pool.
struct TKnelpunt {
    QString Vereniging;
    int Spelers = 0;
    int Poules = 0;
    int Meeste = 0;
    int Poule = 0;
};

struct TUitkomst {
    std::vector<int> Poule; // per player, pools numbered from 1
    std::vector<TKnelpunt> Knelpunten;
};

// Whether anyone has a club or a seed; without either the ordinary draw runs.
bool Nodig(const std::vector<TSpeler>& spelers);

// The seeds' pools: seed 1 in pool 1, seed 2 in pool 2, ... up to pool k,
// then back from k to 1, and so on; a full pool passes its turn on.
// `grootten` holds the size of each pool.
//
// Then every club, largest first, goes over the pools: a club of m players
// has no more than ceil(m / k) in any pool while the sizes allow it; where
// they don't, the largest excess in any pool and then the total excess are
// kept as small as the draw can make them.
TUitkomst Verdeel(const std::vector<TSpeler>& spelers, const std::vector<int>& grootten,
                  RandomSource& toeval);

// "Vereniging De Shuttle: 9 spelers over 4 poules, 3 in poule 2"
QString KnelpuntTekst(const TKnelpunt& knelpunt);
// The message after a draw with such clubs: a line for each.
QString KnelpuntenMelding(const std::vector<TKnelpunt>& knelpunten);

} // namespace Loting
