#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class TKnockoutWedstrijd;

// One participant, followed through the whole tournament: the pool draw
// gives it a pool, the standings a position, the knockout division a
// bracket and the bracket draw its first-round match.
class TDeelnemer {
public:
    QString Voornaam;
    QString Achternaam;
    std::int32_t Poule = 0;                  // 0 = not in a pool
    std::int32_t Positie = -1;               // -1 = not known yet
    std::uint8_t KnockoutNr = 0;             // 0 = none, 1 = winners', 2 = losers' round
    TKnockoutWedstrijd* Wedstrijd = nullptr; // first-round match; not owned
    // Beyond the older file (kept in the block after "#Einde"): the club the
    // draw keeps apart, the seed (1, 2, ...; 0 = none) and whether the
    // participant withdrew, after which every match still to come is lost
    // without being played.
    QString Vereniging;
    std::int32_t Plaatsing = 0;
    bool Teruggetrokken = false;
    // The pool round from which the withdrawal gave the matches away, so
    // that a return takes back only those; 0 when none.
    std::int32_t TeruggetrokkenVanaf = 0;

    TDeelnemer() = default;
    TDeelnemer(QString voornaam, QString achternaam);

    // First and last name joined by one blank, without blanks around it.
    QString Naam() const;
    // Short origin code: empty, "p3" (pool only) or "2p3" (position 2, pool 3).
    QString PouleCode() const;
};

// The running tournament's participants; the list owns them, everything else
// refers to them.
using TDeelnemerLijst = std::vector<std::unique_ptr<TDeelnemer>>;
