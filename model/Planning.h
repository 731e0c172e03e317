#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

// The plan of a tournament day: every match gets a court and a start time,
// so that nobody plays twice at once, everyone gets the rest the organiser
// asked for, and a knockout match waits for the matches that feed it. Times
// are minutes from the start of the day.
namespace Planning {

struct TPauze {
    int Van = 0; // minutes from the start, inclusive
    int Tot = 0; // exclusive
};

struct TInstellingen {
    int Banen = 4;
    int PouleSlot = 20;    // minutes per pool match
    int KnockoutSlot = 20; // minutes per knockout match
    int RustSlots = 1;     // pool slots between two matches of one participant
    std::vector<TPauze> Pauzes;

    int Rust() const { return RustSlots * PouleSlot; }
};

// One match to plan. A knockout match whose players are not known yet names
// the matches whose outcome it waits for; it may start once they are over
// and their players have rested.
struct TPlanWedstrijd {
    std::vector<int> Deelnemers;  // known players
    std::vector<int> Voorgangers; // indices of the matches it waits for
    bool Knockout = false;
    int Ronde = 0; // the order among equals: Berger round, bracket round
};

struct TToewijzing {
    int Baan = -1; // 0-based; -1: not planned
    int Begin = -1;
};

struct TPlan {
    std::vector<TToewijzing> Wedstrijden; // per match, in the order of the input
    int Einde = 0;                        // when the last match ends
};

int Duur(const TInstellingen& instellingen, const TPlanWedstrijd& wedstrijd);

// A plan without clashes, made greedily: whenever a court comes free, the
// ready match on the longest chain of matches still to follow goes on it.
TPlan MaakPlan(const std::vector<TPlanWedstrijd>& wedstrijden, const TInstellingen& instellingen);

// What no plan can beat: the playing time over the courts, and the longest
// chain of matches that must follow each other (with rest in between).
int Ondergrens(const std::vector<TPlanWedstrijd>& wedstrijden, const TInstellingen& instellingen);

enum class TBotsingSoort {
    BaanDubbel,      // two matches on one court at once
    DeelnemerDubbel, // a participant in two matches at once
    RustTeKort,      // less rest between two matches of a participant than asked
    VoorVoorganger,  // a match before one it waits for is over
    InPauze,         // a match in a break
};

struct TBotsing {
    TBotsingSoort Soort;
    int Wedstrijd = -1;
    int Ander = -1;     // the other match, where there is one
    int Deelnemer = -1; // for the participant's clashes
};

// Every clash of a plan; planned matches only.
std::vector<TBotsing> Controleer(const std::vector<TPlanWedstrijd>& wedstrijden,
                                 const TInstellingen& instellingen, const TPlan& plan);

// A clash in Dutch; the callbacks name a match ("Jan de Vries – Piet
// Bakker"), a participant and a court, and write a time.
struct TNamen {
    std::function<QString(int)> Wedstrijd;
    std::function<QString(int)> Deelnemer;
    std::function<QString(int)> Baan;
    std::function<QString(int)> Tijd;
};
QString BotsingTekst(const TBotsing& botsing, const TNamen& namen);

// A match ended at `einde` instead of when planned: the later matches of its
// court move by the difference, and the end of the day follows.
void Verschuif(TPlan& plan, const std::vector<TPlanWedstrijd>& wedstrijden,
               const TInstellingen& instellingen, int wedstrijd, int einde);

} // namespace Planning
