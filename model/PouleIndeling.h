#pragma once

#include "model/Deelnemer.h"
#include "model/Loting.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

// The smallest and largest pool size the user may ask for; the knockout draw
// also takes MaxPouleGrootte as the highest pool position.
inline constexpr std::int32_t MinPouleGrootte = 3;
inline constexpr std::int32_t MaxPouleGrootte = 8;

// One way to divide the participants: pools of one size, possibly together
// with pools one larger. A single-size division has GrotePouleGrootte and
// AantalGrotePoules 0.
class TPouleIndeling {
public:
    std::int32_t KleinePouleGrootte;
    std::int32_t AantalKleinePoules;
    std::int32_t GrotePouleGrootte;
    std::int32_t AantalGrotePoules;

    TPouleIndeling(std::int32_t kleinePouleGrootte, std::int32_t aantalKleinePoules,
                   std::int32_t grotePouleGrootte, std::int32_t aantalGrotePoules)
        : KleinePouleGrootte(kleinePouleGrootte)
        , AantalKleinePoules(aantalKleinePoules)
        , GrotePouleGrootte(grotePouleGrootte)
        , AantalGrotePoules(aantalGrotePoules) {}

    std::int32_t AantalPoules() const { return AantalKleinePoules + AantalGrotePoules; }

    bool operator==(const TPouleIndeling&) const = default;
};

// The pool-division window's rules, kept free of widgets: checking the typed
// sizes, listing the divisions and drawing the chosen one.
namespace PouleIndeling {

// Every division of `aantalDeelnemers` into pools of two adjacent sizes
// between `kleinste` and `grootste`: by smaller size ascending, then by number
// of smaller pools descending; pools all of size `grootste` come last.
std::vector<TPouleIndeling> ZoekIndelingen(int aantalDeelnemers, int kleinste, int grootste);

// The list line of a division, e.g. "(3) 2 poules van 4 en 1 poule van 5".
QString RegelTekst(const TPouleIndeling& indeling);
QStringList RegelTeksten(const std::vector<TPouleIndeling>& indelingen);

// The status bar text for the number of listed divisions.
QString StatusTekst(qsizetype aantalRegels);

// A whole number as the size fields take it: leading blanks, an optional
// sign, decimal digits and nothing after them, within 32 bits.
std::optional<std::int32_t> LeesGetal(const QString& tekst);

enum class TGrootteVeld { Geen, Kleinste, Grootste };

// What the window does with the two typed sizes. When Verwisseld, the two
// texts below go into the fields first (also when a message follows). Then,
// when Melding is set, Focus gets the focus with all its text selected and the
// message is shown; otherwise the search runs with Kleinste..Grootste.
struct TGrootteControle {
    QString Melding;
    TGrootteVeld Focus = TGrootteVeld::Geen;
    bool Verwisseld = false;
    QString KleinsteTekst;
    QString GrootsteTekst;
    std::int32_t Kleinste = 0;
    std::int32_t Grootste = 0;

    bool Goed() const { return Melding.isEmpty(); }
};

TGrootteControle ControleerGroottes(const QString& kleinsteTekst, const QString& grootsteTekst);

// Fills `aantal` pools of `grootte` participants, numbered from `eerste`,
// with participants that are in no pool yet, picked by a random cyclic walk.
// When too few are free, assigns nobody and returns false: an internal
// fault, which whoever drew tells the user (SoftwarefoutTekst).
bool VulPoules(TDeelnemerLijst& deelnemers, int aantal, int grootte, int eerste);

// Draws every participant into a pool of `indeling`: the larger pools get the
// numbers 1.., the smaller ones follow. The list order is not changed.
// Returns how many of the two fills failed (see VulPoules).
int VerdeelDeelnemers(TDeelnemerLijst& deelnemers, const TPouleIndeling& indeling);

// The draw a tournament start makes: with clubs or seeds among the
// participants the fair draw (Loting::Verdeel), whose clubs it could not
// spread go to `knelpunten`; without either exactly VerdeelDeelnemers, with
// the same random numbers. Returns how many fills failed, as that does.
int VerdeelEerlijk(TDeelnemerLijst& deelnemers, const TPouleIndeling& indeling,
                   std::vector<Loting::TKnelpunt>* knelpunten = nullptr);

// The error box for a fill that failed.
QString SoftwarefoutTekst();

} // namespace PouleIndeling
