#pragma once

#include "model/Knockout.h"
#include "support/KnockoutTestHulp.h"

#include <QStringList>

#include <map>

// Everything a saved tournament must bring back, as text: the stage, every
// match of both brackets and the participants in list order with the
// first-round match each stands in.
inline QStringList ToernooiBeeld(int programmastatus, const TDeelnemerLijst& lijst,
                                 const TKnockout* winnaars, const TKnockout* verliezers) {
    using KnockoutTestHulp::Naam;
    QStringList beeld{QString::number(programmastatus)};
    std::map<const TKnockoutWedstrijd*, QString> plaats;
    for (const TKnockout* knockout : {winnaars, verliezers}) {
        if (!knockout)
            continue;
        for (int r = 0; r < knockout->AantalRondes(); ++r) {
            for (int m = 0; m < knockout->AantalWedstrijden(r); ++m) {
                const TKnockoutWedstrijd* w = knockout->Wedstrijd(r, m);
                plaats[w] = QStringLiteral("%1.%2.%3").arg(knockout->KnockoutNr()).arg(r).arg(m);
                beeld << plaats[w] + u' ' + Naam(w->DeelnemerBoven()) + u' ' +
                             QString::number(w->ScoreBoven()) + u' ' +
                             (w->Bye() ? QStringLiteral("bye") : Naam(w->DeelnemerOnder())) + u' ' +
                             QString::number(w->ScoreOnder());
            }
        }
    }
    for (const auto& d : lijst)
        beeld << QStringLiteral("%1|%2|%3|%4|%5|%6")
                     .arg(d->Voornaam, d->Achternaam)
                     .arg(d->Poule)
                     .arg(d->Positie)
                     .arg(d->KnockoutNr)
                     .arg(d->Wedstrijd ? plaats[d->Wedstrijd] : QStringLiteral("-"));
    return beeld;
}
