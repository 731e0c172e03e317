#include "model/ToernooiDocument.h"

// Knockout matches that were not played out, and late arrivals.

void TToernooiDocument::KnockoutsNaTerugtrekking(int) {}
