#pragma once

#include "model/Knockout.h"
#include "model/Planning.h"
#include "model/Poulewedstrijden.h"
#include "model/Toernooibestand.h"
#include "model/Uitbreiding.h"

#include <memory>

// A whole tournament held without windows: its stage, participants and
// brackets. Tests, the fuzzer and the benchmarks load and save through it.
class TToernooi : public TToernooiDoel {
public:
    ~TToernooi() override { Leegmaken(); }

    int Programmastatus = 0;
    TDeelnemerLijst Lijst;
    std::unique_ptr<TKnockout> Winnaars;
    std::unique_ptr<TKnockout> Verliezers;
    Poulewedstrijden::TPoulewedstrijden Wedstrijden;
    Planning::TDag Dag;

    // Back to an empty tournament; the brackets go before the participants
    // they point to.
    void Leegmaken() {
        Winnaars.reset();
        Verliezers.reset();
        Lijst.clear();
        Wedstrijden = {};
        Dag = {};
        Programmastatus = 0;
    }

    // The file with its pool matches (see Uitbreiding).
    QByteArray Bewaar() const { return Uitbreiding::Schrijf(*this); }

    void ZetProgrammastatus(int status) override { Programmastatus = status; }
    TDeelnemerLijst& Deelnemers() override { return Lijst; }
    void BouwKnockouts() override {
        Winnaars = std::make_unique<TKnockout>(Lijst, 1, TKnockout::Leeg);
        Verliezers = std::make_unique<TKnockout>(Lijst, 2, TKnockout::Leeg);
    }
    TKnockout* WinnaarsKnockout() override { return Winnaars.get(); }
    TKnockout* VerliezersKnockout() override { return Verliezers.get(); }
};
