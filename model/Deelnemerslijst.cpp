#include "model/Deelnemerslijst.h"

#include "model/RandomSource.h"
#include "model/Text.h"

#include <utility>

namespace Deelnemerslijst {

QString Sleutel(const TNaam& naam) {
    return Text::upperAscii(naam.Voornaam + naam.Achternaam);
}

qsizetype Sorteer(TNamen& namen, qsizetype gevolgd) {
    const qsizetype aantal = static_cast<qsizetype>(namen.size());
    if (aantal < 2)
        return gevolgd;
    // The keys are swapped along with the names, so each is built only once.
    std::vector<QString> sleutels;
    sleutels.reserve(namen.size());
    for (const TNaam& naam : namen)
        sleutels.push_back(Sleutel(naam));

    bool gewisseld = true;
    while (gewisseld) {
        gewisseld = false;
        for (qsizetype i = 0; i + 1 < aantal; ++i) {
            if (Text::compareCodePoints(sleutels[i], sleutels[i + 1]) <= 0)
                continue;
            std::swap(sleutels[i], sleutels[i + 1]);
            std::swap(namen[i], namen[i + 1]);
            if (gevolgd == i)
                gevolgd = i + 1;
            else if (gevolgd == i + 1)
                gevolgd = i;
            gewisseld = true;
        }
    }
    return gevolgd;
}

TNaamOordeel Beoordeel(const QString& voornaam, const QString& achternaam) {
    const QString naam = Text::lowerAscii(Text::trimmed(voornaam + u' ' + achternaam));
    if (naam.isEmpty())
        return TNaamOordeel::Leeg;
    if (naam == u"bye")
        return TNaamOordeel::Bye;
    return TNaamOordeel::Goed;
}

QString AantalTekst(qsizetype aantal) {
    if (aantal <= 0)
        return {};
    if (aantal == 1)
        return QStringLiteral("1 deelnemer ingevoerd.");
    return QString::number(aantal) + QStringLiteral(" deelnemers ingevoerd.");
}

TDeelnemerLijst MaakLijst(const TNamen& namen) {
    TDeelnemerLijst deelnemers;
    deelnemers.reserve(namen.size());
    for (const TNaam& naam : namen)
        deelnemers.push_back(std::make_unique<TDeelnemer>(naam.Voornaam, naam.Achternaam));
    Schud(deelnemers);
    return deelnemers;
}

void Schud(TDeelnemerLijst& deelnemers) {
    RandomSource& toeval = randomSource();
    toeval.seedFromClock();
    const int aantal = static_cast<int>(deelnemers.size());
    for (int ronde = 0; ronde < 3; ++ronde) {
        for (int stap = 0; stap < aantal; ++stap)
            std::swap(deelnemers[0], deelnemers[toeval.below(aantal)]);
    }
}

} // namespace Deelnemerslijst
