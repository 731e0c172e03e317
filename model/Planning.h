#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

// The plan of a tournament day: every match gets a court and a start time,
// so that nobody plays twice at once, everyone gets the rest the organiser
// asked for, and a knockout match waits for the matches that feed it. Times
// are minutes from the start of the day.
namespace Planning {

struct TPauze {
    int Van = 0; // minutes from the start, inclusive
    int Tot = 0; // exclusive
    bool operator==(const TPauze&) const = default;
};

struct TInstellingen {
    int Banen = 4;
    int PouleSlot = 20;    // minutes per pool match
    int KnockoutSlot = 20; // minutes per knockout match
    int RustSlots = 1;     // pool slots between two matches of one participant
    std::vector<TPauze> Pauzes;

    int Rust() const { return RustSlots * PouleSlot; }
    bool operator==(const TInstellingen&) const = default;
};

// One match to plan. A knockout match whose players are not known yet names
// the matches whose outcome it waits for; it may start once they are over
// and their players have rested.
struct TPlanWedstrijd {
    std::vector<int> Deelnemers;  // known players
    std::vector<int> Voorgangers; // indices of the matches it waits for
    bool Knockout = false;
    int Ronde = 0; // the order among equals: Berger round, bracket round
    // Waits for every match that is not a knockout match: a bracket drawn
    // from the pools cannot start before all of them are over. Its players
    // are not known yet, so their rest is not either: the draw decides who
    // plays first, and the calls take only rested players.
    bool NaPoules = false;
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

// Where a plan starts when part of the day is behind it: nothing before
// `Vanaf`, a court not before it is free, a participant not before the rest
// after the last match played.
struct TBeginstand {
    int Vanaf = 0;
    std::vector<int> BaanVrij;                      // per court; missing: Vanaf
    std::vector<std::pair<int, int>> DeelnemerVrij; // participant, free from
};

// A plan without clashes, made greedily: whenever a court comes free, the
// ready match on the longest chain of matches still to follow goes on it.
TPlan MaakPlan(const std::vector<TPlanWedstrijd>& wedstrijden, const TInstellingen& instellingen,
               const TBeginstand& beginstand = {});

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

// --- the tournament day: the plan of the tournament's own matches

// Which match of the tournament: a pool match by its pool (from 1) and its
// index in that pool's schedule, or a knockout match by bracket (1
// winners', 2 losers'), round and number (both from 0).
struct TWedstrijdPlek {
    int KnockoutNr = 0; // 0: a pool match
    int Poule = 0;
    int Ronde = 0;
    int Nummer = 0;
    bool operator==(const TWedstrijdPlek&) const = default;
};

// The organiser's settings of the day, saved with the tournament.
struct TDagInstellingen {
    TInstellingen Plan;     // courts, slots, rest; breaks in minutes from the start
    QStringList Baannamen;  // per court; a missing or empty name is "Baan n"
    int Begintijd = 9 * 60; // minutes after midnight
    // Before the knockout division the plan assumes this split: the best
    // (or, not Beste, the worst) this many of every pool to the winners'
    // round, the others to the losers' round.
    bool DoorstromingBeste = true;
    int Doorstroming = 2;
    bool operator==(const TDagInstellingen&) const = default;
};

// "Baan 3", or the organiser's name for court index 2.
QString BaanNaam(const TDagInstellingen& instellingen, int baan);
// The clock time of a moment of the day: "10:40" (past midnight: "00:20").
QString TijdTekst(const TDagInstellingen& instellingen, int minuut);

enum class TDagToestand : std::uint8_t {
    Gepland,    // waits for its turn
    Opgeroepen, // called to its court and being played
    Gespeeld,   // its result is in
};

// One match of the day as the windows and paper show it.
struct TDagWedstrijd {
    TWedstrijdPlek Plek;
    QString Omschrijving;        // "Poule 3, ronde 2", "Winnaarsronde, halve finale"
    QString Boven;               // the players' names; for a knockout match whose
    QString Onder;               // player is not known yet: "Winnaar poule 3"-like text
    std::vector<int> Deelnemers; // running list indices of the known players
    int Baan = -1;               // -1: not planned
    int Begin = -1;              // expected (or real) start, minutes from the day's start
    int Einde = -1;              // expected (or real) end
    TDagToestand Toestand = TDagToestand::Gepland;
};

struct TDagoverzicht {
    std::vector<TDagWedstrijd> Wedstrijden; // by start, then court
    int Einde = 0;                          // the expected end of the day
    int Ondergrens = 0;                     // what no plan can beat
    QStringList Botsingen;                  // every clash, in Dutch
};

// What the tournament keeps of its day: the settings and, per planned
// match, its court, its planned start and what became of it. Real starts
// and ends are kept once known; the rest of the day follows from them.
struct TGepland {
    TWedstrijdPlek Plek;
    int Baan = -1;
    int Begin = -1;     // planned start
    int EchtBegin = -1; // when it was called; -1: not yet
    int EchtEinde = -1; // when its result came in; -1: not yet
    bool operator==(const TGepland&) const = default;
};

struct TDag {
    TDagInstellingen Instellingen;
    std::vector<TGepland> Gepland; // empty: no plan made
    int Ondergrens = 0;            // of the day as it was planned
    bool operator==(const TDag&) const = default;
};

// Per court what is on it now and what comes next (indices into
// TDagoverzicht::Wedstrijden, or -1).
struct TBaanStand {
    int Nu = -1;
    int Volgende = -1;
};

} // namespace Planning
