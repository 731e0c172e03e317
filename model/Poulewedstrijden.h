#pragma once

#include "model/Afloop.h"
#include "model/Deelnemer.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

// The matches inside the pools: who plays whom in which round, the scores,
// and the standings that follow from them under a federation's tie-break
// rules. Participants are named by their index in the running list; a pool's
// members are numbered 1, 2, ... in list order, as their letters A, B, ...
namespace Poulewedstrijden {

// ------------------------------------------------------------------ schedule

// The round-robin pairings of `aantal` players numbered 1..aantal, round by
// round, as the Berger tables give them. With an odd number the player who
// would meet the missing number aantal + 1 sits out that round.
using TParen = std::vector<std::pair<int, int>>;
std::vector<TParen> BergerRondes(int aantal);

// ------------------------------------------------------------------ scoring

// One game as the first-named player (A) and the second (B) scored it. Under
// "Punten" a match is one game: the two scores.
struct TGame {
    int A = 0;
    int B = 0;
    bool operator==(const TGame&) const = default;
};
using TGames = std::vector<TGame>;

// How a single game or the match score is counted.
enum class TSpelvorm : std::uint8_t {
    Badminton,   // best of 3 games to 21, two points clear, 30 caps
    Tafeltennis, // best of 5 games to 11, two points clear
    Score,       // one score per side; a draw is allowed
};

// One step of the ranking. "Alle" steps count every pool match of a player;
// "onderling" steps only the matches among the players still level.
enum class TCriterium : std::uint8_t {
    Gewonnen,        // matches won, all matches
    Wedstrijdpunten, // 2 per win, 1 per played loss, all matches
    Punten,          // win/draw/loss points, all matches
    OnderlingDuel,   // exactly two level: their mutual match decides
    WedstrijdpuntenOnderling,
    PuntenOnderling,
    GamequotientOnderling, // games won / lost among the level players
    PuntquotientOnderling, // points won / lost among the level players
    Gamesaldo,             // game difference, all matches
    Puntsaldo,             // point difference, all matches (Score: goal difference)
    PuntenVoor,            // points (scores) made, all matches
    Lot,                   // drawn or set by hand; never part of a Volgorde
};

// The Dutch word a standings row shows for the criterion that decided its
// place, e.g. "onderling", "gamesaldo" or "lot".
QString CriteriumTekst(TCriterium criterium);
// The longer name the custom order list shows.
QString CriteriumNaam(TCriterium criterium);

enum class TSysteem : std::uint8_t { Badminton, Tafeltennis, Punten, Eigen };

// The scoring system of a tournament, chosen with the pool division.
struct TTelling {
    TSysteem Systeem = TSysteem::Badminton;
    TSpelvorm Spelvorm = TSpelvorm::Badminton;
    // Used by the Punten criteria.
    int PuntenWinst = 3;
    int PuntenGelijk = 1;
    int PuntenVerlies = 0;
    // Under Punten a walkover counts as a win by this score.
    int WalkoverVoor = 3;
    int WalkoverTegen = 0;
    // The ranking steps in order. Whenever a step separates some players of
    // a level group, each group that is still level is ranked again from the
    // first step, on its own.
    std::vector<TCriterium> Volgorde;

    bool operator==(const TTelling&) const = default;
};

// The three presets, with their game rules and ranking steps filled in.
TTelling Preset(TSysteem systeem);
// Name of a system for lists: "Badminton", "Tafeltennis", "Punten", "Eigen volgorde".
QString SysteemNaam(TSysteem systeem);

// Reads typed games: "21-17 19-21 21-15", also with ',' or ';' between games
// and blanks around '-'. A Dutch message when the text is not a list of games.
std::optional<TGames> LeesGames(const QString& tekst, QString* melding = nullptr);
// The games as LeesGames reads them back: "21-17 19-21 21-15".
QString GamesTekst(const TGames& games);

// Whether these games are a finished match under the system's rules; the
// Dutch message names the first fault, e.g. "Game 2: 21-20 is geen uitslag;
// een game wordt gewonnen met twee punten verschil."
std::optional<QString> ControleerUitslag(TSpelvorm spelvorm, const TGames& games);
// Whether these games can be the score of a match broken off (a retirement
// or a disqualification): finished games, then perhaps one under way, and
// nobody through yet. No games at all is a match broken off before it began.
std::optional<QString> ControleerOnderbroken(TSpelvorm spelvorm, const TGames& games);

// -------------------------------------------------------------- the matches

struct TPouleWedstrijd {
    int Ronde = 0; // 1, 2, ...
    int A = -1;    // running list index of the first-named player
    int B = -1;    // and of the second
    TGames Games;  // empty: not played yet (unless Afloop says otherwise)
    // A match not played out: the loser is `Verliezer` (0 = A, 1 = B);
    // `Games` holds the score at a retirement, and may be empty otherwise.
    TAfloop Afloop = TAfloop::Gespeeld;
    int Verliezer = -1;

    bool Gespeeld() const { return !Games.empty() || Afloop != TAfloop::Gespeeld; }
    // The list index of the participant who lost a match not played out;
    // -1 for a match played out or not yet played.
    int AfloopVerliezer() const {
        if (Afloop == TAfloop::Gespeeld || (Verliezer != 0 && Verliezer != 1))
            return -1;
        return Verliezer == 0 ? A : B;
    }
    bool operator==(const TPouleWedstrijd&) const = default;
};

// An order the organiser set for players the rules left level: drawn in
// the program or set by hand. It applies while exactly these players are
// level; `Volgorde` holds them best first.
struct TLot {
    std::vector<int> Volgorde;
    bool operator==(const TLot&) const = default;
};

// Everything one pool holds beyond its members and their positions.
struct TPoule {
    std::vector<TPouleWedstrijd> Wedstrijden; // in round order
    std::vector<TLot> Loten;
    // The positions were typed (or changed) by hand: a score change asks
    // before it recomputes them.
    bool PositiesHandmatig = false;

    bool operator==(const TPoule&) const = default;
};

// The pool matches of a tournament: element p - 1 is pool p.
struct TPoulewedstrijden {
    TTelling Telling;
    std::vector<TPoule> Poules;

    bool Leeg() const { return Poules.empty(); }
    bool operator==(const TPoulewedstrijden&) const = default;
};

// The schedule of a pool with these members (running list indices in list
// order), in Berger order. Results of `vorige` carry over to the same pairs;
// the played matches of pairs that no longer both belong are dropped.
std::vector<TPouleWedstrijd> MaakSchema(const std::vector<int>& leden,
                                        const std::vector<TPouleWedstrijd>& vorige = {});
// The played matches of `vorige` whose pair has no match among `leden`.
std::vector<TPouleWedstrijd> VervallenUitslagen(const std::vector<int>& leden,
                                                const std::vector<TPouleWedstrijd>& vorige);

// The result as the match lists, the sheets and the export show it: the
// games, or for a match not played out its abbreviation, the score when it
// was broken off and who won it, "opg. 21-17 5-3, winst Jan".
QString UitslagTekst(const TPouleWedstrijd& wedstrijd, const QString& winnaar);

// ------------------------------------------------------------- the standings

struct TStandRij {
    int Deelnemer = -1; // running list index
    int Gespeeld = 0;
    int Gewonnen = 0;
    int Gelijk = 0;
    int Verloren = 0;
    int Punten = 0; // match points (Tafeltennis) or points (Punten); wins otherwise
    int GamesVoor = 0;
    int GamesTegen = 0;
    int PuntenVoor = 0; // points of all games (Score: goals made)
    int PuntenTegen = 0;
    int Plaats = 0; // 1-based; players of an open tie share the best place
    // The step that separated this player from those level with it; the
    // first step of the order when nobody was level.
    TCriterium Beslist = TCriterium::Gewonnen;
    bool Open = false; // level with others, and no lot says the order
    // Badminton: withdrawn or disqualified, so every result of the player
    // is void and it stands last, counted as if it never played.
    bool Vervallen = false;
};

struct TStand {
    std::vector<TStandRij> Rijen; // best first
    // The groups of players the rules could not separate and no lot orders,
    // each in list order.
    std::vector<std::vector<int>> OpenGelijk;
    bool AllesGespeeld = false;
};

// The standings of a pool with these members (running list indices) and
// this pool's data; `teruggetrokken` names the members who withdrew.
// Unplayed matches count for nothing. A match not played out counts by the
// game rule of the scoring system (an own order counts as its game rule):
// - badminton: a withdrawn player, and one disqualified in a match of the
//   pool, has all results void and stands last (several: in list order).
//   Any other match not played out is won by the opponent; of a retirement
//   the games finished and every point played count, of a w.o. nothing;
// - table tennis: the loser gets 0 match points (an uncompleted match is no
//   played loss), and the match counts no games and no points, for either;
// - one score per side (Punten): the winner wins by the walkover score of
//   the scoring system, or by the score at a retirement or
//   disqualification where it already led by more.
// A match not played out gives its loser no match points in any system.
TStand BerekenStand(const TTelling& telling, const std::vector<int>& leden, const TPoule& poule,
                    const std::vector<int>& teruggetrokken = {});
// The members of `leden` who withdrew, for BerekenStand.
std::vector<int> Teruggetrokken(const TDeelnemerLijst& lijst, const std::vector<int>& leden);

} // namespace Poulewedstrijden
