#include "print/PlanningAfdruk.h"

#include "print/AfdrukKeuze.h"

namespace PlanningAfdruk {

std::unique_ptr<Afdruk::TDocument> Maak(const TToernooiDocument&, const Afdruk::TKop&) {
    return std::make_unique<TAfdrukKeuze>();
}

} // namespace PlanningAfdruk
