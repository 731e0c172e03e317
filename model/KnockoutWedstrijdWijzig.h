#pragma once

#include "model/Deelnemer.h"

#include <QString>

#include <cstdint>
#include <vector>

class TKnockoutWedstrijd;

// The contents of the choose-participant list of one slot: the fixed rows
// ("n.o.", and "bye" for a lower slot) followed by the unplaced participants
// of the bracket, and the share of the grid width for the code column. Each
// row says what choosing it does: nobody (no participant, no bye), a bye,
// or that participant.
struct TKeuzelijst {
    struct Rij {
        QString code;
        QString naam;
        const TDeelnemer* deelnemer = nullptr;
        bool bye = false;
    };
    std::vector<Rij> rijen;
    float kolomverhouding = 0; // 0.3 with pool codes, 0 without pools
};

// The logic behind one first-round choice button: which participant, nobody
// or a bye stands in its slot. The button itself belongs to the view, which
// shows Bijschrift(); the document changes the slot.
class TKnockoutWedstrijdWijzig {
public:
    // `boven` is the upper controller of the same match, for a lower slot:
    // making a bye can move the lower participant up into the upper slot.
    TKnockoutWedstrijdWijzig(TDeelnemerLijst& deelnemers, std::uint8_t knockoutNr,
                             TKnockoutWedstrijd* wedstrijd, std::int32_t plek,
                             TKnockoutWedstrijdWijzig* boven = nullptr);
    TKnockoutWedstrijdWijzig(const TKnockoutWedstrijdWijzig&) = delete;
    TKnockoutWedstrijdWijzig& operator=(const TKnockoutWedstrijdWijzig&) = delete;

    std::uint8_t KnockoutNr() const { return m_knockoutNr; }
    const TKnockoutWedstrijd* Wedstrijd() const { return m_wedstrijd; }
    std::int32_t Plek() const { return m_plek; } // 0 = upper slot, 1 = lower slot

    // The button caption: the pool code of the slot's participant.
    const QString& Bijschrift() const { return m_bijschrift; }
    void Vernieuw();

    // Whether a change of this slot clears a result (the match's own, or
    // for a bye its next match's): the user is asked before such a change.
    bool VraagtBevestiging() const;

    TKeuzelijst VulKeuzelijst() const;

    // Puts a candidate (or nobody) in the slot; the participant it replaces
    // loses its match. The lower slot of a bye stops being a bye. Both
    // refresh the captions they change.
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
};
