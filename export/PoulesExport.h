#pragma once

#include "model/Deelnemer.h"

#include <QString>
#include <QStringList>

// The pool export: every pool on its own worksheet of a new workbook, named
// after the pool's tab. From a template, each pool's sheet is a copy of the
// template's model sheet for its size ("4poule" for four participants) with
// the pool's name in the cell named POULENAAM and the names downwards from
// the cell named DEELNEMERS; without a template, the pool's name goes into
// A1 and the names from A3 down. The template's own sheets, or the default
// workbook's, are removed afterwards. Messages go through messages().
namespace PoulesExport {

// `tabTeksten` are the captions of the pool tabs, pool 1 first. Pools run
// from 1 upwards and end at the first number that has no participant.
void Exporteer(const TDeelnemerLijst& deelnemers, const QStringList& tabTeksten,
               const QString& pouleSjabloon);

QString GeenSjabloonTekst();
QString SjabloonFoutTekst(const QString& pouleSjabloon);
QString FoutTekst(const QString& foutmelding);
// Help topic of the failure message: the options, where the template is set.
constexpr int FoutHelpContext = 1007;

} // namespace PoulesExport
