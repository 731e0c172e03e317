#pragma once

#include "model/Ansi.h"
#include "model/Deelnemer.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class TKnockout;

// What loading a tournament file fills: the stage, the participant list and
// the brackets.
class TToernooiDoel {
public:
    virtual ~TToernooiDoel() = default;
    virtual void ZetProgrammastatus(int status) = 0;
    virtual TDeelnemerLijst& Deelnemers() = 0;
    // Stages 2 and 3: builds both brackets empty from the participants.
    virtual void BouwKnockouts() = 0;
    virtual TKnockout* WinnaarsKnockout() = 0;
    virtual TKnockout* VerliezersKnockout() = 0;
};

// The tournament file: one value per line, with section keywords, written
// and read without any window.
namespace Toernooibestand {

struct Leesfout {
    int Regelnummer = 0;
    QString Melding;
    // Uitbreiding: the participants and brackets read well, the block after
    // "#Einde" did not (see Uitbreiding::Lees).
    enum class TSoort { Bestand, Uitbreiding };
    TSoort Soort = TSoort::Bestand;
};

// Where a reader stopped: just after "#Einde", which is line `Regelnummer`.
struct TNaEinde {
    Ansi::LineReader Regels{QByteArray()};
    int Regelnummer = 0;
};

// The file's bytes: Windows-1252 with CR LF, or UTF-8 behind a byte-order
// mark when a name needs it. Brackets are written for stages 2 and 3 only.
// Lines of `nawoord` follow "#Einde", where a reader never looks, and after
// them the bytes of `slot`: ASCII lines, each with its CR LF.
QByteArray Schrijf(int programmastatus, const TDeelnemerLijst& deelnemers,
                   const TKnockout* winnaars, const TKnockout* verliezers,
                   const QStringList& nawoord = {}, QByteArrayView slot = {});

// Reads the file's bytes into `doel`, which starts empty. On a failure the
// target holds what was read so far; the caller empties it. Nothing after
// "#Einde" is read; `naEinde` gets the lines from there.
std::optional<Leesfout> Lees(const QByteArray& inhoud, TToernooiDoel& doel,
                             TNaEinde* naEinde = nullptr);

// The message texts of the main window.
QString BewaarFoutTekst(const QString& foutmelding);
// With the reason the file could not be read at all.
QString LaadFoutTekst(const QString& reden);
QString LaadFoutTekst(const Leesfout& fout);

} // namespace Toernooibestand
