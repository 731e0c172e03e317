#pragma once

#include "model/Programmastatus.h"
#include "model/ToernooiDocument.h"
#include "model/Toernooibestand.h"

#include <QString>

namespace PoulesHulp {

// Puts a tournament of these participants in the pool stage into the
// document the way a user gets one there: by opening its file, unmodified.
// The names must differ, as in any tournament.
inline void OpenPoules(TToernooiDocument& document, const TDeelnemerLijst& deelnemers) {
    if (document.Open(Toernooibestand::Schrijf(psPoules, deelnemers, nullptr, nullptr), QString()))
        qFatal("the test's pools cannot be opened");
}

} // namespace PoulesHulp
