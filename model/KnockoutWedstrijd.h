#pragma once

#include <QString>

#include <cstdint>
#include <vector>

class TDeelnemer;

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
    std::int32_t VolgendePlek() const { return m_volgendePlek; } // 0 = upper, else lower

    // The setters. Calls that do not apply to a bye are ignored.
    void ZetEindstand(std::int32_t scoreBoven, std::int32_t scoreOnder);
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
};
