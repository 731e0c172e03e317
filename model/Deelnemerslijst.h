#pragma once

#include "model/Deelnemer.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

class RandomSource;

// The rules behind the participant list window and the participant dialog,
// kept free of widgets: how names sort, which names are refused and how a
// new tournament's list is built and shuffled.
namespace Deelnemerslijst {

struct TNaam {
    TNaam() = default;
    TNaam(QString voornaam, QString achternaam, QString vereniging = {}, int plaatsing = 0)
        : Voornaam(std::move(voornaam)), Achternaam(std::move(achternaam)),
          Vereniging(std::move(vereniging)), Plaatsing(plaatsing) {}

    QString Voornaam;
    QString Achternaam;
    QString Vereniging; // empty: none
    int Plaatsing = 0;  // seed 1, 2, ...; 0: none
    bool operator==(const TNaam&) const = default;
};
using TNamen = std::vector<TNaam>;

// The one rule for "this name already exists": first and last name equal,
// exactly and case included ("jan jansen" and "Jan Jansen" are two people).
bool ZelfdeNaam(const QString& voornaam1, const QString& achternaam1, const QString& voornaam2,
                const QString& achternaam2);
// Index of the exact name among the names, or -1.
qsizetype ZoekNaam(const TNamen& namen, const QString& voornaam, const QString& achternaam);

// A seed is a whole number from 1 to this; the draw orders on it, so a
// larger one would mean nothing a tournament can use.
constexpr int MaxPlaatsing = 99999;
// Index of the name holding seed `plaatsing` other than `behalve`, or -1
// (also for 0, which is no seed).
qsizetype ZoekPlaatsing(const TNamen& namen, int plaatsing, qsizetype behalve = -1);
// A typed seed: empty (blanks only) gives 0, a whole number from 1 to
// MaxPlaatsing itself, anything else nothing.
std::optional<int> LeesPlaatsing(const QString& tekst);
// The refusal when a seed is given twice, naming who holds it.
QString PlaatsingBezetTekst(int plaatsing, const TNaam& houder);
// The refusal of a typed seed that is no whole number from 1 up.
QString GeenPlaatsingTekst();

// First name immediately followed by the last name, a-z in upper case; the
// list sorts on this key in the order of Ansi::compare.
QString Sleutel(const TNaam& naam);

// Sorts on Sleutel; equal keys keep their order. `gevolgd` is the index of
// the selected name; the result is its index after sorting (an index outside
// the list is returned unchanged).
qsizetype Sorteer(TNamen& namen, qsizetype gevolgd);

enum class TNaamOordeel { Goed, Leeg, Bye };

// Judges the name as the brackets would show it: the two parts joined by a
// blank, trimmed, a-z lowered; empty and "bye" are refused.
TNaamOordeel Beoordeel(const QString& voornaam, const QString& achternaam);

// The status line for a number of participants: empty for none.
QString AantalTekst(qsizetype aantal);

// A fresh participant for every name, club and seed included, in random
// order (see Schud).
TDeelnemerLijst MaakLijst(const TNamen& namen, RandomSource& toeval);
TDeelnemerLijst MaakLijst(const TNamen& namen);

// Seeds the random source from the clock, then three passes of as many steps
// as the list is long, each exchanging the first item with a random one.
void Schud(TDeelnemerLijst& deelnemers, RandomSource& toeval);

} // namespace Deelnemerslijst
