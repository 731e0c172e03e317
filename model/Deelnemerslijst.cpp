#include "model/Deelnemerslijst.h"

#include "model/Ansi.h"
#include "model/RandomSource.h"
#include "model/Text.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <utility>

namespace Deelnemerslijst {

bool ZelfdeNaam(const QString& voornaam1, const QString& achternaam1, const QString& voornaam2,
                const QString& achternaam2) {
    return voornaam1 == voornaam2 && achternaam1 == achternaam2;
}

qsizetype ZoekNaam(const TNamen& namen, const QString& voornaam, const QString& achternaam) {
    const auto gevonden = std::find_if(namen.begin(), namen.end(), [&](const TNaam& naam) {
        return ZelfdeNaam(naam.Voornaam, naam.Achternaam, voornaam, achternaam);
    });
    return gevonden == namen.end() ? -1 : gevonden - namen.begin();
}

qsizetype ZoekPlaatsing(const TNamen& namen, int plaatsing, qsizetype behalve) {
    if (plaatsing <= 0)
        return -1;
    for (std::size_t i = 0; i < namen.size(); ++i) {
        if (namen[i].Plaatsing == plaatsing && static_cast<qsizetype>(i) != behalve)
            return static_cast<qsizetype>(i);
    }
    return -1;
}

std::optional<int> LeesPlaatsing(const QString& tekst) {
    const QString schoon = Text::trimmed(tekst);
    if (schoon.isEmpty())
        return 0;
    // Digits only: "+3", "3.0" or " 3 4" are no seed a person means.
    if (schoon.size() > 5 ||
        !std::all_of(schoon.begin(), schoon.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const int plaatsing = schoon.toInt();
    if (plaatsing < 1 || plaatsing > MaxPlaatsing)
        return std::nullopt;
    return plaatsing;
}

QString PlaatsingBezetTekst(int plaatsing, const TNaam& houder) {
    return QStringLiteral("Plaatsing %1 is al gegeven aan %2. Elke plaatsing hoort bij één "
                          "deelnemer.")
        .arg(plaatsing)
        .arg(Text::trimmed(houder.Voornaam + u' ' + houder.Achternaam));
}

QString GeenPlaatsingTekst() {
    return QStringLiteral("De plaatsing is een heel getal van 1 tot en met %1, of leeg.")
        .arg(MaxPlaatsing);
}

QString Sleutel(const TNaam& naam) {
    return Text::upperAscii(naam.Voornaam + naam.Achternaam);
}

qsizetype Sorteer(TNamen& namen, qsizetype gevolgd) {
    const std::size_t aantal = namen.size();
    if (aantal < 2)
        return gevolgd;
    // One key per name, built once; a stable sort gives the order that
    // swapping only strictly greater neighbours would.
    std::vector<std::u16string> sleutels;
    sleutels.reserve(aantal);
    for (const TNaam& naam : namen)
        sleutels.push_back(Ansi::sortKey(Sleutel(naam)));
    std::vector<std::size_t> volgorde(aantal);
    std::iota(volgorde.begin(), volgorde.end(), std::size_t{0});
    std::stable_sort(volgorde.begin(), volgorde.end(), [&sleutels](std::size_t a, std::size_t b) {
        return sleutels[a] < sleutels[b];
    });

    TNamen gesorteerd;
    gesorteerd.reserve(aantal);
    qsizetype nieuw = gevolgd;
    for (const std::size_t van : volgorde) {
        if (static_cast<qsizetype>(van) == gevolgd)
            nieuw = static_cast<qsizetype>(gesorteerd.size());
        gesorteerd.push_back(std::move(namen[van]));
    }
    namen = std::move(gesorteerd);
    return nieuw;
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

TDeelnemerLijst MaakLijst(const TNamen& namen, RandomSource& toeval) {
    TDeelnemerLijst deelnemers;
    deelnemers.reserve(namen.size());
    for (const TNaam& naam : namen) {
        auto deelnemer = std::make_unique<TDeelnemer>(naam.Voornaam, naam.Achternaam);
        // The draws keep club mates apart and spread the seeds.
        deelnemer->Vereniging = naam.Vereniging;
        deelnemer->Plaatsing = naam.Plaatsing;
        deelnemers.push_back(std::move(deelnemer));
    }
    Schud(deelnemers, toeval);
    return deelnemers;
}

TDeelnemerLijst MaakLijst(const TNamen& namen) {
    return MaakLijst(namen, randomSource());
}

void Schud(TDeelnemerLijst& deelnemers, RandomSource& toeval) {
    toeval.seedFromClock();
    const int aantal = static_cast<int>(deelnemers.size());
    for (int ronde = 0; ronde < 3; ++ronde) {
        for (int stap = 0; stap < aantal; ++stap)
            std::swap(deelnemers[0], deelnemers[toeval.below(aantal)]);
    }
}

} // namespace Deelnemerslijst
