#pragma once

// What every participant import must give, whatever its source: the
// preview offers only names the participant dialog could have produced,
// each new to the tournament and to the import, and counts them right.
#include "model/Import.h"
#include "model/Text.h"

#include <QSet>

#include <algorithm>
#include <cstdlib>

inline void Eis(bool voorwaarde) {
    if (!voorwaarde)
        std::abort();
}

// No line break or other control character, which would break the file's
// one name per line, and trimmed as the participant dialog trims.
inline bool IsSchoon(const QString& naam) {
    return naam == Text::cleanName(naam) &&
           std::none_of(naam.begin(), naam.end(), [](QChar c) { return c.unicode() < 32; });
}

inline void EisGoedeVoorbeeld(const Import::TVoorbeeld& voorbeeld,
                              const Deelnemerslijst::TNamen& bestaand) {
    QSet<QString> gezien;
    for (const auto& naam : bestaand)
        gezien.insert(naam.Voornaam + u'\n' + naam.Achternaam);
    int toevoegen = 0;
    for (const auto& rij : voorbeeld.Rijen) {
        if (rij.Oordeel != Import::TOordeel::Toevoegen)
            continue;
        ++toevoegen;
        Eis(IsSchoon(rij.Naam.Voornaam) && IsSchoon(rij.Naam.Achternaam));
        Eis(!(rij.Naam.Voornaam + rij.Naam.Achternaam).isEmpty());
        const QString sleutel = rij.Naam.Voornaam + u'\n' + rij.Naam.Achternaam;
        Eis(!gezien.contains(sleutel));
        gezien.insert(sleutel);
    }
    Eis(toevoegen == voorbeeld.AantalToevoegen);
    Eis(static_cast<int>(voorbeeld.Toevoegen().size()) == toevoegen);
}
