#pragma once

#include "model/Opties.h"

#include <QString>

class TKnockout;

// The knockout export: one bracket drawn on the active sheet of a new
// workbook, one block of four columns per round (match caption, names,
// scores, connector), one bordered two-row box per match and a connector
// of bordered blank cells from each pair of matches to the match they feed.
namespace KnockoutExport {

// What the user chose in the export dialog, and where the drawing starts.
struct TInstellingen {
    bool Ronden = true;                           // "Ronde r" above every round
    bool Wedstrijden = true;                      // "Wedstrijd j" beside every match
    bool DeelnemerNO = true;                      // a marker for a participant not yet known
    bool UitslagNO = true;                        // a marker for a score not yet known
    bool PouleInformatie = true;                  // the pool code before every name
    QString Sjabloon;                             // template workbook
    int BeginRij = Opties::StandaardBeginRij;     // row of the round captions
    int BeginKolom = Opties::StandaardBeginKolom; // column of the first round's match captions
};

// Writes the bracket; nothing at all for a bracket without rounds. Messages
// (the template that cannot be opened, a failure) go through messages().
void Exporteer(const TKnockout& knockout, const TInstellingen& instellingen);

QString SjabloonFoutTekst(const QString& knockoutSjabloon);
QString FoutTekst(const QString& foutmelding);

} // namespace KnockoutExport
