#pragma once

#include "print/Afdruk.h"

#include <memory>

class TToernooiDocument;

// The paper of the tournament day, chosen in the print preview: the plan per
// court, a personal list per participant (match, court, time) and the match
// slips, four to an A4 page in the plan's order.
namespace PlanningAfdruk {

std::unique_ptr<Afdruk::TDocument> Maak(const TToernooiDocument& document, const Afdruk::TKop& kop);

} // namespace PlanningAfdruk
