#include "model/Deelnemer.h"

#include "model/Text.h"

#include <utility>

TDeelnemer::TDeelnemer(QString voornaam, QString achternaam)
    : Voornaam(std::move(voornaam))
    , Achternaam(std::move(achternaam)) {}

QString TDeelnemer::Naam() const {
    return Text::trimmed(Voornaam + u' ' + Achternaam);
}

QString TDeelnemer::PouleCode() const {
    if (Poule <= 0)
        return {};
    if (Positie < 1)
        return QStringLiteral("p%1").arg(Poule);
    return QStringLiteral("%1p%2").arg(Positie).arg(Poule);
}
