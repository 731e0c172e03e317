#pragma once

#include "model/Deelnemer.h"
#include "model/Knockout.h"
#include "support/KnockoutOrakel.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>

namespace KnockoutTestHulp {

// Appends a participant named after its origin ("1p3" for the winner of
// pool 3, "d4" without a pool) and returns it.
inline TDeelnemer& Voeg(TDeelnemerLijst& lijst, int poule, int positie, std::uint8_t knockoutNr) {
    const QString naam = poule > 0 ? QStringLiteral("%1p%2").arg(positie).arg(poule)
                                   : QStringLiteral("d%1").arg(lijst.size());
    auto deelnemer = std::make_unique<TDeelnemer>(naam, QString());
    deelnemer->Poule = poule;
    deelnemer->Positie = positie;
    deelnemer->KnockoutNr = knockoutNr;
    lijst.push_back(std::move(deelnemer));
    return *lijst.back();
}

// Pools 1..aantalPoules with positions 1..grootte, the best `beste` of each
// to the winners' round and the others to the losers' round; pool by pool.
inline TDeelnemerLijst Poules(int aantalPoules, int grootte, int beste) {
    TDeelnemerLijst lijst;
    for (int poule = 1; poule <= aantalPoules; ++poule) {
        for (int positie = 1; positie <= grootte; ++positie)
            Voeg(lijst, poule, positie, positie <= beste ? 1 : 2);
    }
    return lijst;
}

inline QString Naam(const TDeelnemer* deelnemer) {
    return deelnemer ? deelnemer->Naam() : QStringLiteral("-");
}

// The first round as "upper v lower" lines, a bye as "upper bye".
inline QStringList EersteRonde(const TKnockout& knockout) {
    QStringList regels;
    for (int i = 0; i < knockout.AantalWedstrijden(0); ++i) {
        const TKnockoutWedstrijd* w = knockout.Wedstrijd(0, i);
        regels << Naam(w->DeelnemerBoven()) +
                      (w->Bye() ? QStringLiteral(" bye")
                                : QStringLiteral(" v ") + Naam(w->DeelnemerOnder()));
    }
    return regels;
}

// Empty when every participant of the bracket is linked to exactly the
// first-round match it stands in, and nobody stands in two slots; otherwise
// the names of those for which this fails.
inline QString Verbanden(const TDeelnemerLijst& lijst, const TKnockout& knockout) {
    std::map<const TDeelnemer*, std::vector<const TKnockoutWedstrijd*>> plekken;
    for (int i = 0; i < knockout.AantalWedstrijden(0); ++i) {
        const TKnockoutWedstrijd* w = knockout.Wedstrijd(0, i);
        plekken[w->DeelnemerBoven()].push_back(w);
        plekken[w->DeelnemerOnder()].push_back(w);
    }
    QStringList fouten;
    for (const auto& d : lijst) {
        const auto& staatIn = plekken[d.get()];
        if (d->KnockoutNr == knockout.KnockoutNr() &&
            (staatIn.size() > 1 || d->Wedstrijd != (staatIn.empty() ? nullptr : staatIn[0])))
            fouten << d->Naam();
    }
    return fouten.join(u' ');
}

// The bracket's first round in the oracle's form: participants by number.
inline std::vector<OrakelEersteRonde::Wedstrijd> Nummers(const TDeelnemerLijst& lijst,
                                                         const TKnockout& knockout) {
    std::map<const TDeelnemer*, int> index{{nullptr, -1}};
    for (std::size_t i = 0; i < lijst.size(); ++i)
        index[lijst[i].get()] = static_cast<int>(i);
    std::vector<OrakelEersteRonde::Wedstrijd> ronde;
    for (int i = 0; i < knockout.AantalWedstrijden(0); ++i) {
        const TKnockoutWedstrijd* w = knockout.Wedstrijd(0, i);
        ronde.push_back({index.at(w->DeelnemerBoven()), index.at(w->DeelnemerOnder()), w->Bye()});
    }
    return ronde;
}

// "3 7" for participant 3 against 7, "2 bye", "-1 5" for an empty slot.
inline QString Regels(const std::vector<OrakelEersteRonde::Wedstrijd>& ronde) {
    QStringList regels;
    for (const auto& w : ronde)
        regels << QString::number(w.boven) + u' ' +
                      (w.bye ? QStringLiteral("bye") : QString::number(w.onder));
    return regels.join(QStringLiteral(", "));
}

} // namespace KnockoutTestHulp
