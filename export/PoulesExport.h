#pragma once

#include "model/Deelnemer.h"
#include "model/Poulewedstrijden.h"

#include <QString>
#include <QStringList>

#include <vector>

// The pool export: every pool on its own worksheet of a new workbook, named
// after the pool's tab. From a template, each pool's sheet is a copy of the
// template's model sheet for its size ("4poule" for four participants) with
// the pool's name in the cell named POULENAAM and the names downwards from
// the cell named DEELNEMERS; without a template, the pool's name goes into
// A1 and the names from A3 down. The template's own sheets, or the default
// workbook's, are removed afterwards. Once a pool match has its score, a
// last sheet, "Wedstrijden", lists every match with its pool, round, players
// and score.
// Messages go through messages().
namespace PoulesExport {

// `tabTeksten` are the captions of the pool tabs, pool 1 first. Pools run
// from 1 upwards and end at the first number that has no participant.
void Exporteer(const TDeelnemerLijst& deelnemers, const QStringList& tabTeksten,
               const QString& pouleSjabloon,
               const Poulewedstrijden::TPoulewedstrijden* wedstrijden = nullptr);

// The rows of the matches sheet below its heading: pool (its tab caption),
// round, the two players and the score, empty while unplayed; pool by pool
// in the order they are played. Nothing while no pool match has a score.
struct TWedstrijdRij {
    QString Poule;
    int Ronde = 0;
    QString A;
    QString B;
    QString Uitslag;
};
std::vector<TWedstrijdRij> WedstrijdRijen(const TDeelnemerLijst& deelnemers,
                                          const QStringList& tabTeksten,
                                          const Poulewedstrijden::TPoulewedstrijden& wedstrijden);
// The matches sheet's name: "Wedstrijden", unless a pool tab has it.
QString WedstrijdenBladNaam(const QStringList& tabTeksten);

QString GeenSjabloonTekst();
QString SjabloonFoutTekst(const QString& pouleSjabloon);
QString FoutTekst(const QString& foutmelding);
// Help topic of the failure message: the options, where the template is set.
constexpr int FoutHelpContext = 1007;

} // namespace PoulesExport
