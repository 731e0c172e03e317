#pragma once

#include "model/Deelnemer.h"
#include "model/KnockoutWedstrijd.h"
#include "model/KnockoutWedstrijdWijzig.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

// One knockout bracket: the winners' round (1) or the losers' round (2). It
// takes the participants of the list whose KnockoutNr is its own, builds all
// rounds with their links and fills the first round by a random draw
// (Indeling 0), a seeded draw from the pool results (1) or not at all (any
// other value; the tournament loader fills it).
//
// No window is involved: the document changes a bracket through its
// operations and tells the windows; through a const bracket the matches
// and choice controllers are const as well. A seeded draw that cannot
// complete the bracket leaves it incomplete (IsVolledig); whoever asked for
// the draw tells the user (MeldingOnvolledig).
class TKnockout {
public:
    // Highest pool position the seeded draw looks for.
    static constexpr int MaxPouleGrootte = 8;
    static constexpr int HelpContextIndeling = 1004;

    enum Indeling { LootWillekeurig = 0, VolgensPoules = 1, Leeg = 2 };

    TKnockout(TDeelnemerLijst& deelnemers, std::uint8_t knockoutNr, int indeling);
    ~TKnockout();
    TKnockout(const TKnockout&) = delete;
    TKnockout& operator=(const TKnockout&) = delete;

    std::uint8_t KnockoutNr() const { return m_knockoutNr; }
    std::int32_t Aantal() const { return m_aantal; }             // participants in this bracket
    // A participant who arrived late took an open bye (the bracket's shape
    // stays: there was room for one more).
    void TelLaatkomer() { ++m_aantal; }
    std::int32_t AantalPoules() const { return m_aantalPoules; } // highest pool number among them

    std::int32_t AantalRondes() const;
    std::int32_t AantalWedstrijden(int ronde) const;            // 0 outside the rounds
    // nullptr outside the bracket
    const TKnockoutWedstrijd* Wedstrijd(int ronde, int nummer) const;
    TKnockoutWedstrijd* Wedstrijd(int ronde, int nummer);
    // The step name of a match: "Wedstrijd 3, Ronde 1", with the losers'
    // round named.
    QString WedstrijdNaam(int ronde, int nummer) const;

    // The choice controller of a slot (0 upper, 1 lower) of a first-round
    // match; nullptr outside the first round.
    const TKnockoutWedstrijdWijzig* Wijziger(int nummer, int plek) const;
    TKnockoutWedstrijdWijzig* Wijziger(int nummer, int plek);
    // Every choice controller refreshes its caption.
    void VernieuwKnoppen();

    // True when every first-round match has its participants (or is a bye).
    bool IsVolledig() const;
    // Pairs of club mates in the first round who meet before the semi-final
    // if both keep winning: what the draw could not keep apart.
    int ClubOntmoetingen() const;

    // Pool number at place b (from 1) of one of the six pool orders the
    // seeded draw runs through; 0 outside 1..aantalPoules.
    static std::int64_t PouleInVolgorde(int orde, std::int64_t aantalPoules, std::int64_t b);
    // Its inverse: the place of a pool in that order; 0 outside 1..aantalPoules.
    static std::int64_t PlaatsInVolgorde(int orde, std::int64_t aantalPoules, std::int64_t poule);
    // The message shown when the seeded draw cannot complete a bracket.
    static QString MeldingOnvolledig(std::uint8_t knockoutNr);
    // What a draw with clubs tells: how many club meetings before the
    // semi-final it could not avoid (ClubOntmoetingen of both brackets).
    static QString MeldingClubOntmoetingen(int aantal);
    // The title of a round (counted from 0) wherever a bracket is shown,
    // printed or exported: "Ronde 1", ..., the final included.
    static QString RondeTitel(int ronde);
    // The first-round match of a bracket with 2^bits first-round matches
    // that the draws give their `volgorde`-th bye, as far apart as can be:
    // also where the day's plan expects the byes before the draw.
    static int SpreidingsPlek(int volgorde, int bits);

private:
    void Opbouwen();
    void KoppelRondes();
    void LootWillekeurigUit();
    // The random draw when seeds or clubs take part: seeds on their lines,
    // byes to the highest seeds, club mates spread over the bracket.
    void LootMetPlaatsingenUit();
    void DeelInVolgensPoules();

    TDeelnemerLijst& m_deelnemers;
    std::int32_t m_aantal = 0;
    std::int32_t m_aantalPoules = 0;
    std::vector<std::vector<std::unique_ptr<TKnockoutWedstrijd>>> m_rondes;
    // Two per first-round match, upper then lower, in match order.
    std::vector<std::unique_ptr<TKnockoutWedstrijdWijzig>> m_wijzigers;
    std::uint8_t m_knockoutNr;
};
