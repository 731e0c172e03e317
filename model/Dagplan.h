#pragma once

#include "model/Planning.h"

#include <QString>

#include <vector>

class TToernooi;

// The tournament day on the tournament itself: which matches there are to
// plan (the pool matches, and the knockout matches, also before the
// knockout is drawn), the plan as it stands with the times shifted by what
// really happened, and the calls to the courts. The document runs these
// inside its steps; they hold no state of their own.
namespace Dagplan {

// One match of the tournament, as the planner sees it.
struct TWedstrijd {
    Planning::TWedstrijdPlek Plek;
    Planning::TPlanWedstrijd Plan; // Voorgangers index this list
    QString Omschrijving;
    QString Boven;
    QString Onder;
    bool Gespeeld = false; // its result is in
};

// Every match of the day, pools first in round order, then the brackets
// round by round. Before the knockout division the brackets are the ones
// the assumed split (TDagInstellingen::Doorstroming) would give.
std::vector<TWedstrijd> Wedstrijden(const TToernooi& toernooi);

// The plan as it stands. Per court, the times follow what really happened:
// a match that ended late or early moves the later ones of its court by the
// difference, never before the match ahead of them ends.
Planning::TDagoverzicht Overzicht(const TToernooi& toernooi);
std::vector<Planning::TBaanStand> Banen(const TToernooi& toernooi,
                                        const Planning::TDagoverzicht& overzicht);

// Plans every match that is neither played nor on its court, from `nu` on
// once the day has begun; those keep their court and times.
void Maak(TToernooi& toernooi, int nu);

// The organiser's move. False when the match is not in the plan (or
// played) or the court does not exist. `botsingen` gets the clashes
// that involve the moved match.
bool Verplaats(TToernooi& toernooi, const Planning::TWedstrijdPlek& plek, int baan, int begin,
               QStringList* botsingen);

// A result came in (or went) for the match at `plek`: it ended now, its
// court is free, and the next match is called to it. The court called on,
// or -1.
int NaUitslag(TToernooi& toernooi, const Planning::TWedstrijdPlek& plek, int nu);

// Calls the match at `plek` to `baan` now; without `plek` the next match
// whose players are all free and rested. The court, or -1 when nothing
// could be called.
int RoepOp(TToernooi& toernooi, const Planning::TWedstrijdPlek* plek, int baan, int nu);

} // namespace Dagplan
