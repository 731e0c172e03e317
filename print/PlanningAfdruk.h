#pragma once

#include "model/Deelnemerslijst.h"
#include "model/Planning.h"
#include "print/Afdruk.h"

#include <memory>

class TToernooiDocument;

// The paper of the tournament day, chosen in the print preview: the plan per
// court, a personal list per participant (match, court, time) and the match
// slips, four to an A4 page in the plan's order.
namespace PlanningAfdruk {

// What the day's paper is drawn from: the plan as it stands, the day's
// settings (court names, start of the day), the running participants' names
// by list index, and how many games a pool match's score has (badminton 3,
// table tennis 5, one score for points). A knockout score is one number a
// side, so its slip has a single pair of boxes.
struct TGegevens {
    Planning::TDagoverzicht Overzicht;
    Planning::TDagInstellingen Instellingen;
    Deelnemerslijst::TNamen Namen;
    int PouleGames = 3;
};

// The day's paper of the document's tournament.
std::unique_ptr<Afdruk::TDocument> Maak(const TToernooiDocument& document, const Afdruk::TKop& kop);
// The same from gathered data: "Planning per baan" (first), "Planning per
// deelnemer" and "Wedstrijdbriefjes".
std::unique_ptr<Afdruk::TDocument> Maak(TGegevens gegevens, const Afdruk::TKop& kop);

} // namespace PlanningAfdruk
