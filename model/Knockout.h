#pragma once

#include "model/Deelnemer.h"
#include "model/KnockoutWedstrijd.h"
#include "model/KnockoutWedstrijdWijzig.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// One knockout bracket: the winners' round (1) or the losers' round (2). It
// takes the participants of the list whose KnockoutNr is its own, builds all
// rounds with their links and fills the first round by a random draw
// (Indeling 0), a seeded draw from the pool results (1) or not at all (any
// other value; the tournament loader fills it).
//
// No window is involved: tournament changes are reported through the
// callback given here (the owner marks the tournament modified). A seeded
// draw that cannot complete the bracket leaves it incomplete (IsVolledig);
// whoever asked for the draw tells the user (MeldingOnvolledig).
class TKnockout {
public:
    // Highest pool position the seeded draw looks for.
    static constexpr int MaxPouleGrootte = 8;
    static constexpr int HelpContextIndeling = 1004;

    enum Indeling { LootWillekeurig = 0, VolgensPoules = 1, Leeg = 2 };

    TKnockout(TDeelnemerLijst& deelnemers, std::uint8_t knockoutNr, int indeling,
              std::function<void()> gewijzigd = {});
    ~TKnockout();
    TKnockout(const TKnockout&) = delete;
    TKnockout& operator=(const TKnockout&) = delete;

    std::uint8_t KnockoutNr() const { return m_knockoutNr; }
    std::int32_t Aantal() const { return m_aantal; }             // participants in this bracket
    std::int32_t AantalPoules() const { return m_aantalPoules; } // highest pool number among them

    std::int32_t AantalRondes() const;
    std::int32_t AantalWedstrijden(int ronde) const;            // 0 outside the rounds
    TKnockoutWedstrijd* Wedstrijd(int ronde, int nummer) const; // nullptr outside the bracket

    // Two per first-round match, upper then lower, in match order.
    const std::vector<std::unique_ptr<TKnockoutWedstrijdWijzig>>& Wijzigers() const {
        return m_wijzigers;
    }
    // Every choice controller refreshes its caption.
    void VernieuwKnoppen();

    // True when every first-round match has its participants (or is a bye).
    bool IsVolledig() const;

    // Pool number at place b (from 1) of one of the six pool orders the
    // seeded draw runs through; 0 outside 1..aantalPoules.
    static std::int64_t PouleInVolgorde(int orde, std::int64_t aantalPoules, std::int64_t b);
    // Its inverse: the place of a pool in that order; 0 outside 1..aantalPoules.
    static std::int64_t PlaatsInVolgorde(int orde, std::int64_t aantalPoules, std::int64_t poule);
    // The message shown when the seeded draw cannot complete a bracket.
    static QString MeldingOnvolledig(std::uint8_t knockoutNr);

private:
    void Opbouwen();
    void KoppelRondes();
    void LootWillekeurigUit();
    void DeelInVolgensPoules();

    TDeelnemerLijst& m_deelnemers;
    std::int32_t m_aantal = 0;
    std::int32_t m_aantalPoules = 0;
    std::vector<std::vector<std::unique_ptr<TKnockoutWedstrijd>>> m_rondes;
    std::vector<std::unique_ptr<TKnockoutWedstrijdWijzig>> m_wijzigers;
    std::uint8_t m_knockoutNr;
    std::function<void()> m_gewijzigd;
};
