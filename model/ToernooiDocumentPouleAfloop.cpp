#include "model/ToernooiDocument.h"

// Pool matches that were not played out.

void TToernooiDocument::PoulesNaTerugtrekking(int, int) {}
