#pragma once

#include "model/Deelnemer.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class TKnockout;

// The section of the block after "#Einde" (see Uitbreiding.h) that holds
// what the brackets' own lines cannot: how a match that was not played out
// ended. Those lines keep, for a reader that knows only scores, the winner
// ahead. Who withdrew is kept in the block's own "#Teruggetrokken" section.
//
//   #Knockout 2                    the lines that follow:
//   1 0 2 walkover 1               bracket, round and match (from 0), how it
//   2 1 0 opgegeven 0 1-2          ended, the loser's slot (0 upper), and a
//                                  retirement's score at that moment
//
// "teruggetrokken" in place of "walkover" is the walkover that a withdrawal
// gave. A tournament without any writes no section.
namespace UitbreidingKnockout {

inline const QString Woord = QStringLiteral("#Knockout");

// The section's lines, each with its CR LF; empty when there is nothing to keep.
QByteArray Schrijf(const TKnockout* winnaars, const TKnockout* verliezers);

struct TFout {
    int Regel = 0; // index in the lines handed over
    QString Melding;
};

// Applies the section's lines (trimmed, without the heading) to brackets
// read from the file: the results are handed on anew in round order, so
// every later result stays.
std::optional<TFout> Lees(const QStringList& regels, TKnockout* winnaars, TKnockout* verliezers);

} // namespace UitbreidingKnockout
