#pragma once

#include "model/Deelnemer.h"

#include <cstdint>
#include <vector>

// A plain, step-by-step rendering of the two knockout draws, rescanning the
// list and the first round at every placement as the steps are written. It
// is slow on purpose and shares no code with the bracket, so the bracket's
// indexed draw can be checked against it. It does not touch the participants.
struct OrakelEersteRonde {
    struct Wedstrijd {
        int boven = -1; // index in the participant list, -1 = nobody
        int onder = -1;
        bool bye = false;
    };
    std::vector<Wedstrijd> wedstrijden;
    bool volledig = true;
};

// The seeded draw from the pool results, with all its attempts.
OrakelEersteRonde OrakelVolgensPoules(const TDeelnemerLijst& deelnemers, std::uint8_t knockoutNr);

// The random draw; takes its numbers from randomSource().
OrakelEersteRonde OrakelWillekeurig(const TDeelnemerLijst& deelnemers, std::uint8_t knockoutNr);

// The pool number at place b (from 1) of pool order k, built as a table the
// way the steps describe each order.
std::vector<int> OrakelPouletabel(int orde, int aantalPoules);
