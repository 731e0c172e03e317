#pragma once

#include "model/Deelnemer.h"
#include "model/Deelnemerslijst.h"
#include "model/Planning.h"
#include "model/Poulewedstrijden.h"
#include "model/Toernooibestand.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class TKnockout;
class TToernooi;

// What the tournament file holds beyond the participants and the brackets:
// one block after "#Einde", where a reader of the older form never looks.
// It opens with its version and ends with a marker of its own, so a block
// that was cut short or that a newer program wrote is recognised, never read
// as far as it goes. Sections:
//
//   #Uitbreiding 1
//   #Herstel                        the recovery file's file name and the
//   /home/jan/cup.txt               names of the participant list window
//   2                               (first and last name on lines of their
//   Jeffrey / Hoffmann / ...        own)
//   #Telling                        the scoring system: system, game rule,
//   punten score 3 1 0 5 0          points for win, draw and loss (then a
//   punten punten-onderling ...     walkover's score, when not 3-0), and
//                                   the ranking steps in order
//   #Namen 1                        club and seed of the recovery part's
//   0 3 De Shuttle                  names that have one: index, seed (0 =
//                                   none) and the club, the rest of the line
//   #Deelnemers 2                   the same for the participant list
//   4 1 De Shuttle                  (index in the list), in every stage
//   11 0 BC Amersfoort '78
//   #Poules 2                       the pools that hold anything, each:
//   -Poule 3 0 3 16 17 18 19        number, positions set by hand (0/1),
//   1 4 21-17 19-21 21-15           the lines that follow and its members;
//   2 3 opg. 3 21-17 5-3            a played match by its players' pool
//   Lot 2 3                         letters (1 = A), one not played out with
//   #Teruggetrokken 1               "w.o.", "opg." or "disk." and the
//   17 3                            loser's letter before any games, and a
//   #EindeUitbreiding               lot best first; the participants who
//                                   withdrew (list index, and the pool
//                                   round from which their matches were
//                                   given away; 0 for none)
//   #Knockout 1                     the knockout matches not played out
//   1 0 2 walkover 1                (UitbreidingKnockout.h)
//
// The day's plan, when the organiser set up courts, is a section "#Planning"
// (see SchrijfPlanning): settings, court names and the planned matches.
//
// Nobody's club or seed is written as no line at all, so a tournament
// without them writes no such section; its file reads as it always did.
//
// The matches that are not played follow from the pool's members in list
// order, so they are not written. A tournament whose pool matches hold
// nothing beyond what a file without the block gives (no score, no lot, the
// default scoring system) writes no pool sections: such a file stays exactly
// as the older form wrote it.
namespace Uitbreiding {

constexpr int Versie = 1;
// The highest score of a game and the most points for a result the block
// takes: three digits, as the score dialog reads them, which keeps every
// sum of the standings far from overflowing.
constexpr int HoogsteScore = 999;

// The recovery file's part: the file name the tournament had and the names
// of the participant list window, in its order.
struct THerstel {
    QString Bestandsnaam;
    Deelnemerslijst::TNamen Namen;
    bool operator==(const THerstel&) const = default;
};

// The block, to follow "#Einde": its lines that may hold any character (the
// recovery part, clubs and seeds), then the rest as ASCII bytes with their
// CR LF, for Toernooibestand::Schrijf. Empty when the block would hold
// nothing; pool sections only in the stages with pools.
struct TNawoord {
    QStringList Regels;
    QByteArray Slot;
};
// The knockout section (UitbreidingKnockout.h) comes from the brackets.
TNawoord Nawoord(int programmastatus, const TDeelnemerLijst& deelnemers,
                 const Poulewedstrijden::TPoulewedstrijden& wedstrijden,
                 const THerstel* herstel = nullptr, const TKnockout* winnaars = nullptr,
                 const TKnockout* verliezers = nullptr, const Planning::TDag* dag = nullptr);

// The whole file of a tournament: the older form, then the block.
QByteArray Schrijf(const TToernooi& toernooi, const THerstel* herstel = nullptr);

enum class TBlok : bool { Lezen, Overslaan };

// Reads a whole file into `toernooi`, which starts empty. In the stages
// with pools every pool gets its schedule, also from a file without the
// block (scored as badminton; a pool whose positions were typed counts as
// set by hand). A fault in the block is a Leesfout of kind Uitbreiding with
// the participants and brackets read; `TBlok::Overslaan` reads the file as
// if it had no block. On a failure the caller empties the tournament.
std::optional<Toernooibestand::Leesfout> Lees(const QByteArray& inhoud, TToernooi& toernooi,
                                              std::optional<THerstel>* herstel = nullptr,
                                              TBlok blok = TBlok::Lezen);

// The pool matches of a tournament without any: every pool's schedule, the
// default scoring system, and the positions of a pool that has any counted
// as set by hand (they were typed).
Poulewedstrijden::TPoulewedstrijden ZonderUitslagen(const TDeelnemerLijst& deelnemers);

// The question after a fault in the block: whether to open the tournament
// without its pool matches.
QString OverslaanVraag(const Toernooibestand::Leesfout& fout);

} // namespace Uitbreiding
