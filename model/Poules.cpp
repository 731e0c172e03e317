#include "model/Poules.h"

#include "model/Ansi.h"
#include "model/Deelnemerslijst.h"
#include "model/PouleIndeling.h"
#include "model/Text.h"

#include <algorithm>
#include <utility>

namespace Poules {

namespace {

const QString OngeldigGetal = QStringLiteral("U hebt geen geldig getal ingevoerd.");
const QString TeKlein = QStringLiteral("Een eindstand onder de 1 is niet mogelijk.");

} // namespace

QString PositieTekst(int positie) {
    return positie < 0 ? NietOpgegeven : QString::number(positie);
}

QString Letter(int volgnummer) {
    return QString(QChar(u'A' + volgnummer));
}

int HoogstePoule(const TDeelnemerLijst& deelnemers, std::optional<int> knockoutNr) {
    int hoogste = 0;
    for (const auto& deelnemer : deelnemers) {
        if (deelnemer && (!knockoutNr || deelnemer->KnockoutNr == *knockoutNr))
            hoogste = std::max(hoogste, static_cast<int>(deelnemer->Poule));
    }
    return hoogste;
}

bool EindstandenCompleet(const TDeelnemerLijst& deelnemers) {
    // Sorting (pool, position) pairs puts a doubled position side by side;
    // this stays fast for thousands of participants at every key press.
    std::vector<std::pair<std::int32_t, std::int32_t>> standen;
    standen.reserve(deelnemers.size());
    for (const auto& deelnemer : deelnemers) {
        if (deelnemer->Positie < 0)
            return false;
        standen.emplace_back(deelnemer->Poule, deelnemer->Positie);
    }
    std::sort(standen.begin(), standen.end());
    return std::adjacent_find(standen.begin(), standen.end()) == standen.end();
}

TPouleIndex MaakPouleIndex(const TDeelnemerLijst& deelnemers) {
    TPouleIndex index(static_cast<std::size_t>(HoogstePoule(deelnemers)));
    for (std::size_t i = 0; i < deelnemers.size(); ++i) {
        const int poule = deelnemers[i]->Poule;
        if (poule >= 1)
            index[static_cast<std::size_t>(poule - 1)].push_back(static_cast<int>(i));
    }
    return index;
}

std::vector<int> Leden(const TDeelnemerLijst& deelnemers, int poule) {
    std::vector<int> leden;
    for (std::size_t i = 0; i < deelnemers.size(); ++i) {
        if (deelnemers[i]->Poule == poule)
            leden.push_back(static_cast<int>(i));
    }
    return leden;
}

TRijen Rijen(const TDeelnemerLijst& deelnemers, const std::vector<int>& leden) {
    TRijen rijen;
    rijen.reserve(leden.size());
    for (const int i : leden) {
        const TDeelnemer& deelnemer = *deelnemers[static_cast<std::size_t>(i)];
        rijen.push_back({QString::number(i), Letter(static_cast<int>(rijen.size())),
                         deelnemer.Naam(), PositieTekst(deelnemer.Positie)});
    }
    return rijen;
}

int SorteerOp(int sorteerKolom) {
    return sorteerKolom == NrKolom || sorteerKolom == NaamKolom ? sorteerKolom : PosKolom;
}

int Sorteer(TRijen& rijen, int sorteerKolom, int geselecteerd) {
    const std::size_t kolom = static_cast<std::size_t>(SorteerOp(sorteerKolom));
    const int aantal = static_cast<int>(rijen.size());
    bool verwisseld = true;
    while (verwisseld) {
        verwisseld = false;
        for (int r = 0; r + 1 < aantal; ++r) {
            auto& boven = rijen[static_cast<std::size_t>(r)];
            auto& onder = rijen[static_cast<std::size_t>(r + 1)];
            if (Ansi::compare(boven[kolom], onder[kolom]) <= 0)
                continue;
            std::swap(boven, onder);
            verwisseld = true;
            if (geselecteerd == r)
                geselecteerd = r + 1;
            else if (geselecteerd == r + 1)
                geselecteerd = r;
        }
    }
    return geselecteerd;
}

bool IsPositieToets(QChar toets) {
    return toets == u'\b' || toets == u'.' || (toets >= u'0' && toets <= u'9');
}

std::optional<int> PositieNaToets(QChar toets, int pouleGrootte, int positie) {
    if (!IsPositieToets(toets))
        return std::nullopt;
    int nieuw = -1;
    if (toets >= u'1' && toets <= u'9') {
        const int cijfer = toets.unicode() - u'0';
        // A digit beyond the pool clears, without a word.
        if (cijfer <= pouleGrootte)
            nieuw = cijfer;
    }
    if (nieuw == positie)
        return std::nullopt;
    return nieuw;
}

QString StandaardAntwoord(const QString& positieTekst) {
    return positieTekst == NietOpgegeven ? QString() : positieTekst;
}

QString EindstandVraag(const TDeelnemer& deelnemer) {
    return QStringLiteral("Op welke plaats is ") + deelnemer.Naam() + QStringLiteral(" geëindigd?");
}

TEindstandAntwoord BeoordeelEindstand(const QString& antwoord, int pouleGrootte, int positie) {
    using TSoort = TEindstandAntwoord::TSoort;
    TEindstandAntwoord uitkomst;
    if (Text::trimmed(antwoord).isEmpty()) {
        uitkomst.Soort = TSoort::Wis;
        return uitkomst;
    }
    const std::optional<std::int32_t> getal = PouleIndeling::LeesGetal(antwoord);
    uitkomst.Soort = TSoort::Melding;
    if (!getal) {
        uitkomst.Melding = OngeldigGetal;
    } else if (*getal < 1) {
        uitkomst.Melding = TeKlein;
    } else if (*getal > pouleGrootte) {
        uitkomst.Melding = QStringLiteral("Dit is een te grote waarde. Er zitten slechts ") +
                           QString::number(pouleGrootte) +
                           QStringLiteral(" deelnemers in deze poule.");
    } else {
        uitkomst.Soort = *getal == positie ? TSoort::Niets : TSoort::Zet;
        uitkomst.Positie = *getal;
    }
    return uitkomst;
}

bool Wissel(TDeelnemerLijst& deelnemers, int links, int linksPoule, int rechts, int rechtsPoule) {
    if (linksPoule == rechtsPoule || links == rechts)
        return false;
    deelnemers[static_cast<std::size_t>(links)]->Poule = rechtsPoule;
    deelnemers[static_cast<std::size_t>(rechts)]->Poule = linksPoule;
    return true;
}

bool BestaatNaam(const TDeelnemerLijst& deelnemers, const QString& voornaam,
                 const QString& achternaam) {
    return std::any_of(deelnemers.begin(), deelnemers.end(), [&](const auto& deelnemer) {
        return Deelnemerslijst::ZelfdeNaam(deelnemer->Voornaam, deelnemer->Achternaam, voornaam,
                                           achternaam);
    });
}

int PouleVoorLateInschrijving(const TDeelnemerLijst& deelnemers, int aantalPoules) {
    std::vector<int> grootte(static_cast<std::size_t>(std::max(aantalPoules, 1)) + 1, 0);
    for (const auto& deelnemer : deelnemers) {
        if (deelnemer->Poule >= 1 && deelnemer->Poule <= aantalPoules)
            ++grootte[static_cast<std::size_t>(deelnemer->Poule)];
    }
    for (int j = 2; j <= aantalPoules; ++j) {
        if (grootte[static_cast<std::size_t>(j)] < grootte[1])
            return j;
    }
    return 1;
}

QString LateInschrijvingVraag(const TDeelnemer& deelnemer, int poule) {
    return QStringLiteral("Weet u zeker dat u ") + deelnemer.Naam() +
           QStringLiteral(" wilt toevoegen aan poule ") + QString::number(poule) + u'?';
}

} // namespace Poules
