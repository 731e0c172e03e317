#pragma once

#include <QString>

#include <cstdint>
#include <functional>

class TDeelnemer;

// One match of a knockout bracket. Whenever it changes it hands its winner
// (or nobody) to the next match, whose setter clears that match's result and
// hands on in turn, so a changed result clears every later result on its path.
//
// The match owns no widget: a view registers an observer with ZetWaarnemer
// and redraws its box from Regel(0), Regel(1), IsCompleet() and IsSpeelbaar().
// Changes of tournament data are reported through the callback given at
// construction (the owner marks the tournament modified).
class TKnockoutWedstrijd {
public:
    using Melding = std::function<void()>;

    explicit TKnockoutWedstrijd(Melding gewijzigd = {});
    TKnockoutWedstrijd(const TKnockoutWedstrijd&) = delete;
    TKnockoutWedstrijd& operator=(const TKnockoutWedstrijd&) = delete;

    bool Bye() const { return m_bye; }
    TDeelnemer* DeelnemerBoven() const { return m_deelnemerBoven; }
    TDeelnemer* DeelnemerOnder() const { return m_deelnemerOnder; }
    std::int32_t ScoreBoven() const { return m_scoreBoven; } // -1 = no result
    std::int32_t ScoreOnder() const { return m_scoreOnder; }
    TKnockoutWedstrijd* Volgende() const { return m_volgende; }  // nullptr for the final
    std::int32_t VolgendePlek() const { return m_volgendePlek; } // 0 = upper, else lower

    // Called at the end of every Vernieuw, after the winner has been handed on.
    void ZetWaarnemer(Melding waarnemer) { m_waarnemer = std::move(waarnemer); }

    // The setters. Calls that do not apply to a bye are ignored.
    void ZetEindstand(std::int32_t scoreBoven, std::int32_t scoreOnder);
    void ZetVolgende(TKnockoutWedstrijd* volgende, std::int32_t plek);
    void ZetDeelnemerBoven(TDeelnemer* deelnemer);
    void ZetDeelnemerOnder(TDeelnemer* deelnemer);
    void ZetBye(bool bye);

    // Refreshes the observer and hands the winner to the next match.
    void Vernieuw();

    // Derived values.
    TDeelnemer* Winnaar() const;
    QString Regel(int plek) const; // 0 = upper line, anything else the lower line
    QString Tekst() const;         // both lines, CR LF between them
    bool IsCompleet() const;       // shown in the window colour
    bool IsSpeelbaar() const;      // the box reacts to a click

    // Entering a score on a playable match first asks this question when the
    // next match already has a result.
    bool VraagtBevestiging() const;
    static QString BevestigingsTekst();

    // The click action of a playable box: asks the question through
    // messages() when needed, then lets the caller show its score dialog.
    void VoerEindstandIn(const std::function<void(TKnockoutWedstrijd&)>& toonScoreDialoog);

private:
    void MeldGewijzigd() const;

    bool m_bye = false;
    TDeelnemer* m_deelnemerBoven = nullptr;
    TDeelnemer* m_deelnemerOnder = nullptr;
    std::int32_t m_scoreBoven = -1;
    std::int32_t m_scoreOnder = -1;
    TKnockoutWedstrijd* m_volgende = nullptr;
    std::int32_t m_volgendePlek = -1;
    Melding m_gewijzigd;
    Melding m_waarnemer;
};
