#pragma once

#include <QString>

#include <cstdint>

// How a match ended. Besides a score played out, a match can end without
// being played to the end: the opponent did not appear, retired during the
// match (the score at that moment is kept), or was disqualified. The
// winner is then the other player, whatever the score says.
enum class TAfloop : std::uint8_t {
    Gespeeld,
    Walkover,        // "w.o.": the loser did not appear
    Opgegeven,       // "opg.": the loser retired
    Diskwalificatie, // "disk.": the loser was disqualified
};

// What the bracket, the printouts, the presentation screen and the export
// show in place of (or beside) the score; empty for a match played out.
inline QString AfloopAfkorting(TAfloop afloop) {
    switch (afloop) {
    case TAfloop::Gespeeld:
        return {};
    case TAfloop::Walkover:
        return QStringLiteral("w.o.");
    case TAfloop::Opgegeven:
        return QStringLiteral("opg.");
    case TAfloop::Diskwalificatie:
        return QStringLiteral("disk.");
    }
    return {};
}

// The word in the score dialogs' choice.
inline QString AfloopNaam(TAfloop afloop) {
    switch (afloop) {
    case TAfloop::Gespeeld:
        return QStringLiteral("Gespeeld");
    case TAfloop::Walkover:
        return QStringLiteral("w.o.");
    case TAfloop::Opgegeven:
        return QStringLiteral("Opgegeven");
    case TAfloop::Diskwalificatie:
        return QStringLiteral("Diskwalificatie");
    }
    return {};
}
