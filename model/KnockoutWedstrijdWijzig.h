#pragma once

#include "model/Deelnemer.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class TKnockoutWedstrijd;

// The contents of the choose-participant list of one slot: the fixed rows
// ("n.o.", and "bye" for a lower slot) followed by the unplaced participants
// of the bracket, and the share of the grid width for the code column.
struct TKeuzelijst {
    struct Rij {
        QString code;
        QString naam;
    };
    std::vector<Rij> rijen;
    float kolomverhouding = 0; // 0.3 with pool codes, 0 without pools
};

// The logic behind one first-round choice button: which participant, nobody
// or a bye stands in its slot. The button itself belongs to the view, which
// shows Bijschrift() and listens through ZetWaarnemer.
class TKnockoutWedstrijdWijzig {
public:
    using Melding = std::function<void()>;
    // Shows the list and returns the chosen row, or nothing when cancelled.
    using Kiezer = std::function<std::optional<int>(const TKeuzelijst&)>;

    // `boven` is the upper controller of the same match, for a lower slot:
    // making a bye can move the lower participant up into the upper slot.
    TKnockoutWedstrijdWijzig(TDeelnemerLijst& deelnemers, std::uint8_t knockoutNr,
                             TKnockoutWedstrijd* wedstrijd, std::int32_t plek,
                             TKnockoutWedstrijdWijzig* boven = nullptr);
    TKnockoutWedstrijdWijzig(const TKnockoutWedstrijdWijzig&) = delete;
    TKnockoutWedstrijdWijzig& operator=(const TKnockoutWedstrijdWijzig&) = delete;

    std::uint8_t KnockoutNr() const { return m_knockoutNr; }
    TKnockoutWedstrijd* Wedstrijd() const { return m_wedstrijd; }
    std::int32_t Plek() const { return m_plek; } // 0 = upper slot, 1 = lower slot

    // The button caption: the pool code of the slot's participant.
    const QString& Bijschrift() const { return m_bijschrift; }
    void ZetWaarnemer(Melding waarnemer) { m_waarnemer = std::move(waarnemer); }
    void Vernieuw();

    // A click: asks through messages() when the change would clear a result,
    // then lets `kies` show the list and applies the chosen row.
    void KnopKlik(const Kiezer& kies);
    bool VraagtBevestiging() const;
    static QString BevestigingsTekst();

    TKeuzelijst VulKeuzelijst() const;
    // Row 0 empties the slot, row 1 of a lower slot makes a bye, any other
    // row puts that candidate in. Refreshes this caption. Negative = no choice.
    void KiesRij(int rij);

    // The n-th (from 1) participant of this bracket without a match, in list
    // order; nullptr when there are fewer.
    TDeelnemer* Kandidaat(int n) const;
    // Puts a candidate (or nobody) in the slot; the participant it replaces
    // loses its match. The lower slot of a bye stops being a bye.
    void WijsToe(TDeelnemer* deelnemer);
    // Empties the lower slot and makes the match a bye.
    void MaakBye();

private:
    TDeelnemerLijst& m_deelnemers;
    std::uint8_t m_knockoutNr;
    TKnockoutWedstrijd* m_wedstrijd;
    std::int32_t m_plek;
    TKnockoutWedstrijdWijzig* m_boven;
    QString m_bijschrift;
    Melding m_waarnemer;
};
