#include "model/UitbreidingKnockout.h"

#include "model/Knockout.h"

#include <array>
#include <limits>
#include <map>
#include <tuple>
#include <vector>

namespace UitbreidingKnockout {

namespace {

// The walkover that a withdrawal gave has a word of its own.
const QString DoorTerugtrekking = QStringLiteral("teruggetrokken");

// Fixed here, so that a later order of TAfloop never changes what a file means.
constexpr std::array<std::pair<TAfloop, const char*>, 3> Woorden{{
    {TAfloop::Walkover, "walkover"},
    {TAfloop::Opgegeven, "opgegeven"},
    {TAfloop::Diskwalificatie, "diskwalificatie"},
}};

QString WoordVan(const TKnockoutAfloop& afloop) {
    if (afloop.DoorTerugtrekking)
        return DoorTerugtrekking;
    for (const auto& [soort, woord] : Woorden)
        if (soort == afloop.Soort)
            return QLatin1StringView(woord);
    return {};
}

std::optional<TKnockoutAfloop> AfloopVan(const QString& woord) {
    if (woord == DoorTerugtrekking)
        return TKnockoutAfloop{TAfloop::Walkover, -1, -1, -1, true};
    for (const auto& [soort, tekst] : Woorden)
        if (woord == QLatin1StringView(tekst))
            return TKnockoutAfloop{soort};
    return std::nullopt;
}

struct Afgebroken {
    QString melding;
};

// Only digits, within 32 bits.
int Getal(QStringView tekst) {
    int getal = 0;
    bool goed = !tekst.isEmpty() && tekst.size() <= 10;
    for (QChar c : tekst) {
        const int cijfer = c.unicode() - u'0';
        goed = goed && cijfer >= 0 && cijfer <= 9 &&
               getal <= (std::numeric_limits<int>::max() - cijfer) / 10;
        if (!goed)
            break;
        getal = getal * 10 + cijfer;
    }
    if (!goed)
        throw Afgebroken{QStringLiteral("'%1' is geen geldig getal.").arg(tekst)};
    return getal;
}

} // namespace

QByteArray Schrijf(const TKnockout* winnaars, const TKnockout* verliezers) {
    QStringList regels;
    for (const TKnockout* knockout : {winnaars, verliezers}) {
        if (!knockout)
            continue;
        for (int ronde = 0; ronde < knockout->AantalRondes(); ++ronde)
            for (int nummer = 0; nummer < knockout->AantalWedstrijden(ronde); ++nummer) {
                const TKnockoutAfloop& afloop = knockout->Wedstrijd(ronde, nummer)->Afloop();
                if (afloop.Soort == TAfloop::Gespeeld)
                    continue;
                QString regel = QStringLiteral("%1 %2 %3 %4 %5")
                                    .arg(knockout->KnockoutNr())
                                    .arg(ronde)
                                    .arg(nummer)
                                    .arg(WoordVan(afloop))
                                    .arg(afloop.Verliezer);
                if (afloop.StandBoven >= 0)
                    regel += QStringLiteral(" %1-%2").arg(afloop.StandBoven).arg(afloop.StandOnder);
                regels << regel;
            }
    }
    if (regels.isEmpty())
        return {};
    QByteArray bytes =
        (Woord + u' ' + QString::number(regels.size()) + QStringLiteral("\r\n")).toLatin1();
    for (const QString& regel : regels)
        bytes += regel.toLatin1() + "\r\n";
    return bytes;
}

std::optional<TFout> Lees(const QStringList& regels, TKnockout* winnaars, TKnockout* verliezers) {
    // Per bracket the matches by round and number, with the line each came from.
    std::map<std::tuple<int, int, int>, std::pair<TKnockoutAfloop, int>> aflopen;
    int regelnummer = 0;
    try {
        for (; regelnummer < regels.size(); ++regelnummer) {
            const QStringList delen = regels[regelnummer].split(u' ', Qt::SkipEmptyParts);
            if (delen.size() != 5 && delen.size() != 6)
                throw Afgebroken{QStringLiteral("Knockoutronde, ronde, wedstrijd, afloop en "
                                                "verliezer verwacht.")};
            const int knockoutNr = Getal(delen[0]);
            const TKnockout* knockout = knockoutNr == 1   ? winnaars
                                        : knockoutNr == 2 ? verliezers
                                                          : nullptr;
            const int ronde = Getal(delen[1]);
            const int nummer = Getal(delen[2]);
            if (!knockout || !knockout->Wedstrijd(ronde, nummer))
                throw Afgebroken{QStringLiteral("Wedstrijd %1 van ronde %2 bestaat niet.")
                                     .arg(nummer + 1)
                                     .arg(ronde + 1)};
            std::optional<TKnockoutAfloop> afloop = AfloopVan(delen[3]);
            if (!afloop)
                throw Afgebroken{QStringLiteral("Onbekende afloop '%1'.").arg(delen[3])};
            afloop->Verliezer = Getal(delen[4]);
            if (afloop->Verliezer > 1)
                throw Afgebroken{QStringLiteral("'%1' is geen 0 of 1.").arg(delen[4])};
            if (delen.size() == 6) {
                const qsizetype streep = delen[5].indexOf(u'-');
                if (afloop->Soort != TAfloop::Opgegeven || streep < 0)
                    throw Afgebroken{
                        QStringLiteral("'%1' hoort niet bij deze afloop.").arg(delen[5])};
                afloop->StandBoven = Getal(QStringView(delen[5]).left(streep));
                afloop->StandOnder = Getal(QStringView(delen[5]).mid(streep + 1));
            }
            if (!aflopen
                     .emplace(std::tuple{knockoutNr, ronde, nummer},
                              std::pair{*afloop, regelnummer})
                     .second)
                throw Afgebroken{QStringLiteral("Wedstrijd %1 van ronde %2 staat er twee keer.")
                                     .arg(nummer + 1)
                                     .arg(ronde + 1)};
        }
        // The results anew in round order, as the file's own lines were
        // read: a result given later would clear every result after it.
        for (TKnockout* knockout : {winnaars, verliezers}) {
            if (!knockout || aflopen.lower_bound({knockout->KnockoutNr(), 0, 0}) ==
                                 aflopen.lower_bound({knockout->KnockoutNr() + 1, 0, 0}))
                continue;
            std::vector<std::vector<std::pair<int, int>>> scores(
                static_cast<std::size_t>(knockout->AantalRondes()));
            for (int ronde = 0; ronde < knockout->AantalRondes(); ++ronde)
                for (int nummer = 0; nummer < knockout->AantalWedstrijden(ronde); ++nummer) {
                    const TKnockoutWedstrijd* w = knockout->Wedstrijd(ronde, nummer);
                    scores[static_cast<std::size_t>(ronde)].emplace_back(w->ScoreBoven(),
                                                                         w->ScoreOnder());
                }
            for (int ronde = 0; ronde < knockout->AantalRondes(); ++ronde)
                for (int nummer = 0; nummer < knockout->AantalWedstrijden(ronde); ++nummer) {
                    TKnockoutWedstrijd* w = knockout->Wedstrijd(ronde, nummer);
                    const auto gevonden = aflopen.find({knockout->KnockoutNr(), ronde, nummer});
                    if (gevonden == aflopen.end()) {
                        const auto [boven, onder] = scores[static_cast<std::size_t>(ronde)]
                                                          [static_cast<std::size_t>(nummer)];
                        w->ZetEindstand(boven, onder);
                        continue;
                    }
                    regelnummer = gevonden->second.second;
                    if (!w->IsSpeelbaar())
                        throw Afgebroken{
                            QStringLiteral("Wedstrijd %1 van ronde %2 heeft geen twee deelnemers.")
                                .arg(nummer + 1)
                                .arg(ronde + 1)};
                    w->ZetAfloop(gevonden->second.first);
                }
        }
    } catch (const Afgebroken& afgebroken) {
        return TFout{regelnummer, afgebroken.melding};
    }
    return std::nullopt;
}

} // namespace UitbreidingKnockout
