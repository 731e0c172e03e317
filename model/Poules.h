#pragma once

#include "model/Deelnemer.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

// The rules behind the pools window and the pool editing window, kept free
// of widgets: the grid rows of a pool, their sort, the positions typed as
// keys or in the input box, and the changes to the pools themselves.
namespace Poules {

// The grid columns; column 0 holds the participant's index in the list.
enum TKolom { IndexKolom = 0, NrKolom = 1, NaamKolom = 2, PosKolom = 3 };

// The texts of one participant row, column by column.
using TRij = std::array<QString, 4>;
using TRijen = std::vector<TRij>;

// The text of a position that is not known yet.
inline const QString NietOpgegeven = QStringLiteral("n.o.");

// "n.o." for a negative position, the number otherwise.
QString PositieTekst(int positie);

// The letter of the participant at `volgnummer` (0, 1, ...) of its pool in
// list order: "A", "B", ...
QString Letter(int volgnummer);

// The highest pool number among the participants; 0 when none is in a pool.
// With `knockoutNr`, only among the participants of that bracket.
int HoogstePoule(const TDeelnemerLijst& deelnemers, std::optional<int> knockoutNr = std::nullopt);

// True when every participant has a position of 0 or more and no pool holds
// a position twice.
bool EindstandenCompleet(const TDeelnemerLijst& deelnemers);

// The list indices of the participants of every pool, in list order:
// element p - 1 belongs to pool p, for p = 1 .. HoogstePoule.
using TPouleIndex = std::vector<std::vector<int>>;
TPouleIndex MaakPouleIndex(const TDeelnemerLijst& deelnemers);

// The list indices of the participants of one pool, in list order.
std::vector<int> Leden(const TDeelnemerLijst& deelnemers, int poule);

// The grid rows of these participants, lettered from "A" in the given order.
TRijen Rijen(const TDeelnemerLijst& deelnemers, const std::vector<int>& leden);

// The column a sort column number sorts on: 1 and 2 themselves, any other
// value the position column.
int SorteerOp(int sorteerKolom);

// Bubble sort with early exit on the column of `sorteerKolom`, in the order of
// Ansi::compare; only a strictly greater row moves down, so equal cells keep their
// order. `geselecteerd` (an index into `rijen`) follows its row; the result is
// where that row ended up.
int Sorteer(TRijen& rijen, int sorteerKolom, int geselecteerd);

// Whether a typed character is one of the position keys: Backspace ('\b'),
// '.' and the digits.
bool IsPositieToets(QChar toets);

// The position after a position key for a participant at `positie` in a pool
// of `pouleGrootte`: -1 for Backspace, '.', '0' and digits beyond the pool;
// the digit otherwise. Nothing when the key leaves the position as it is.
std::optional<int> PositieNaToets(QChar toets, int pouleGrootte, int positie);

// What the answer of the position input box does.
struct TEindstandAntwoord {
    enum class TSoort {
        Wis,     // empty answer: "n.o.", position -1 (even when it already was)
        Zet,     // a new position in Positie
        Niets,   // the same position as before
        Melding, // refused: Melding is shown, the position stays
    };
    TSoort Soort = TSoort::Niets;
    int Positie = -1;
    QString Melding;
};

// The default answer of the input box for the text of the position cell.
QString StandaardAntwoord(const QString& positieTekst);
// The question of the input box.
QString EindstandVraag(const TDeelnemer& deelnemer);
// Judges an answer as typed; a leading blank is allowed, a trailing one not.
TEindstandAntwoord BeoordeelEindstand(const QString& antwoord, int pouleGrootte, int positie);

// Exchanges the pools of the participants at list indices `links` (shown in
// pool `linksPoule`) and `rechts` (shown in pool `rechtsPoule`); their
// positions go with them. False, and nothing changed, when both sides show
// the same pool or the same participant.
bool Wissel(TDeelnemerLijst& deelnemers, int links, int linksPoule, int rechts, int rechtsPoule);

// Whether a participant has exactly these names (case-sensitive).
bool BestaatNaam(const TDeelnemerLijst& deelnemers, const QString& voornaam,
                 const QString& achternaam);

// The pool of a late participant: the first of pools 2 .. aantalPoules with
// fewer participants than pool 1, else pool 1.
int PouleVoorLateInschrijving(const TDeelnemerLijst& deelnemers, int aantalPoules);

// The question before a late participant joins `poule`.
QString LateInschrijvingVraag(const TDeelnemer& deelnemer, int poule);

} // namespace Poules
