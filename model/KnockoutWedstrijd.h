#pragma once

#include "model/Afloop.h"

#include <QString>

#include <cstdint>
#include <vector>

class TDeelnemer;

// How a knockout match ended when it was not played out: the kind, the slot
// of the loser and, for a retirement, the score at that moment.
struct TKnockoutAfloop {
    TAfloop Soort = TAfloop::Gespeeld;
    std::int32_t Verliezer = -1;  // 0 = upper, 1 = lower; -1 for a match played out
    std::int32_t StandBoven = -1; // the score when the loser retired; -1 = none
    std::int32_t StandOnder = -1;
    // A walkover that the loser's withdrawal gave, which its return takes back.
    bool DoorTerugtrekking = false;
    bool operator==(const TKnockoutAfloop&) const = default;
};

// One match of a knockout bracket. Whenever it changes it hands its winner
// (or nobody) to the next match, whose setter clears that match's result and
// hands on in turn, so a changed result clears every later result on its path.
//
// The match owns no widget and tells nobody of its changes: the document
// changes matches only through its operations and names the match whose
// path changed, and a view redraws those boxes from Regel(0), Regel(1),
// IsCompleet() and IsSpeelbaar(). Through a const match the participants are
// const as well.
class TKnockoutWedstrijd {
public:
    TKnockoutWedstrijd() = default;
    TKnockoutWedstrijd(const TKnockoutWedstrijd&) = delete;
    TKnockoutWedstrijd& operator=(const TKnockoutWedstrijd&) = delete;

    bool Bye() const { return m_bye; }
    const TDeelnemer* DeelnemerBoven() const { return m_deelnemerBoven; }
    const TDeelnemer* DeelnemerOnder() const { return m_deelnemerOnder; }
    TDeelnemer* DeelnemerBoven() { return m_deelnemerBoven; }
    TDeelnemer* DeelnemerOnder() { return m_deelnemerOnder; }
    std::int32_t ScoreBoven() const { return m_scoreBoven; } // -1 = no result
    std::int32_t ScoreOnder() const { return m_scoreOnder; }
    const TKnockoutWedstrijd* Volgende() const { return m_volgende; } // nullptr for the final
    TKnockoutWedstrijd* Volgende() { return m_volgende; }
    std::int32_t VolgendePlek() const { return m_volgendePlek; } // 0 = upper, else lower

    // A match not played out keeps in its scores what a reader that knows
    // only scores needs: the winner ahead (the score at retirement when that
    // already says so, else 1-0). What really happened stands here.
    const TKnockoutAfloop& Afloop() const { return m_afloop; }

    // The setters. Calls that do not apply to a bye are ignored.
    void ZetEindstand(std::int32_t scoreBoven, std::int32_t scoreOnder);
    // Ends the match without playing it out; the other participant wins.
    // Ignored for a match played out (use ZetEindstand) or without a loser.
    void ZetAfloop(const TKnockoutAfloop& afloop);
    void ZetVolgende(TKnockoutWedstrijd* volgende, std::int32_t plek);
    void ZetDeelnemerBoven(TDeelnemer* deelnemer);
    void ZetDeelnemerOnder(TDeelnemer* deelnemer);
    void ZetBye(bool bye);

    // Hands the winner to the next match.
    void Vernieuw();

    // Derived values.
    const TDeelnemer* Winnaar() const;
    TDeelnemer* Winnaar();
    QString Regel(int plek) const; // 0 = upper line, anything else the lower line
    QString Tekst() const;         // both lines, CR LF between them
    bool IsCompleet() const;       // shown in the window colour
    bool IsSpeelbaar() const;      // the box reacts to a click
    // A first-round bye whose next match is not played yet: a participant
    // who arrives late can still take its lower slot.
    bool IsOpenBye() const;

    // Every match from this one to the final that holds a withdrawn
    // participant and has no result becomes a walkover for the other one
    // (with both withdrawn the upper one goes on, so that its next opponent
    // gets the walkover). True when any did.
    bool GeefWalkovers();

    // The later matches on the way to the final whose result a new score of
    // this match clears, nearest first. Even the same score again clears
    // them: the winner is handed on anew. Before a new score the user is
    // asked whether these may go.
    std::vector<const TKnockoutWedstrijd*> TeWissen() const;

private:
    bool m_bye = false;
    TDeelnemer* m_deelnemerBoven = nullptr;
    TDeelnemer* m_deelnemerOnder = nullptr;
    std::int32_t m_scoreBoven = -1;
    std::int32_t m_scoreOnder = -1;
    TKnockoutWedstrijd* m_volgende = nullptr;
    std::int32_t m_volgendePlek = -1;
    TKnockoutAfloop m_afloop;
};
