#include "model/ToernooiDocument.h"

#include "model/Knockout.h"
#include "model/Text.h"

#include <algorithm>

// Knockout matches that were not played out, and late arrivals.

std::vector<const TKnockoutWedstrijd*>
TToernooiDocument::ZetAfloop(int knockoutNr, int ronde, int nummer, const TKnockoutAfloop& afloop) {
    TKnockout* knockout = Knockout(knockoutNr);
    TKnockoutWedstrijd* wedstrijd = knockout ? knockout->Wedstrijd(ronde, nummer) : nullptr;
    const bool geldig = afloop.Soort != TAfloop::Gespeeld &&
                        (afloop.Verliezer == 0 || afloop.Verliezer == 1) &&
                        afloop.StandBoven >= -1 && afloop.StandOnder >= -1;
    if (!wedstrijd || !wedstrijd->IsSpeelbaar() || !geldig)
        return {};
    std::vector<const TKnockoutWedstrijd*> gewist = wedstrijd->TeWissen();
    {
        TStap stap(*this, QStringLiteral("uitslag ") + knockout->WedstrijdNaam(ronde, nummer));
        const TKnockoutAfloop oud = wedstrijd->Afloop();
        // What the organiser enters is no withdrawal's walkover: a return
        // leaves it standing.
        TKnockoutAfloop nieuw = afloop;
        nieuw.DoorTerugtrekking = false;
        wedstrijd->ZetAfloop(nieuw);
        const bool anders = !(wedstrijd->Afloop() == oud);
        if (anders)
            m_uitslag = TUitslag{knockoutNr, ronde, nummer};
        // The winner may meet a withdrawn participant next.
        if (TKnockoutWedstrijd* volgende = wedstrijd->Volgende())
            volgende->GeefWalkovers();
        Q_EMIT KnockoutGewijzigd(knockoutNr, ronde, nummer);
        if (anders)
            PlanningNaUitslag({knockoutNr, 0, ronde, nummer});
    }
    std::erase_if(gewist, [](const TKnockoutWedstrijd* w) { return w->ScoreBoven() >= 0; });
    return gewist;
}

void TToernooiDocument::KnockoutsNaTerugtrekking(int index) {
    TDeelnemer& deelnemer = *Lijst()[static_cast<std::size_t>(index)];
    TKnockout* knockout = Knockout(deelnemer.KnockoutNr);
    if (!knockout || !deelnemer.Wedstrijd)
        return;
    int nummer = 0;
    while (nummer < knockout->AantalWedstrijden(0) &&
           knockout->Wedstrijd(0, nummer) != deelnemer.Wedstrijd)
        ++nummer;
    if (nummer == knockout->AantalWedstrijden(0))
        return;
    // The participant's match now: along its path as far as it won.
    int ronde = 0;
    TKnockoutWedstrijd* wedstrijd = deelnemer.Wedstrijd;
    while (wedstrijd->Winnaar() == &deelnemer && wedstrijd->Volgende()) {
        wedstrijd = wedstrijd->Volgende();
        ++ronde;
        nummer /= 2;
    }
    if (deelnemer.Teruggetrokken) {
        // A walkover now when the opponent is known; otherwise as soon as
        // one reaches the match, wherever a result hands it on.
        if (wedstrijd->GeefWalkovers())
            Q_EMIT KnockoutGewijzigd(deelnemer.KnockoutNr, ronde, nummer);
        return;
    }
    // Back again: the walkover the withdrawal gave goes, as long as nothing
    // was played on the strength of it.
    const TKnockoutAfloop& afloop = wedstrijd->Afloop();
    const TDeelnemer* verliezer =
        afloop.Verliezer == 0 ? wedstrijd->DeelnemerBoven() : wedstrijd->DeelnemerOnder();
    if (!afloop.DoorTerugtrekking || verliezer != &deelnemer || !wedstrijd->TeWissen().empty())
        return;
    wedstrijd->ZetEindstand(-1, -1);
    // The opponent may have withdrawn as well.
    wedstrijd->GeefWalkovers();
    Q_EMIT KnockoutGewijzigd(deelnemer.KnockoutNr, ronde, nummer);
}

bool TToernooiDocument::LaatkomerInBye(int knockoutNr, int nummer, const QString& voornaam,
                                       const QString& achternaam) {
    TKnockout* knockout = Knockout(knockoutNr);
    TKnockoutWedstrijd* bye = knockout ? knockout->Wedstrijd(0, nummer) : nullptr;
    TKnockoutWedstrijdWijzig* onder = knockout ? knockout->Wijziger(nummer, 1) : nullptr;
    auto nieuw =
        std::make_unique<TDeelnemer>(Text::cleanName(voornaam), Text::cleanName(achternaam));
    const QString naam = nieuw->Naam();
    // The file refuses a name that is empty, "bye" or that of another
    // participant of the list; the names may hold some that the list does not.
    const bool bestaat =
        NaamBestaat(nieuw->Voornaam, nieuw->Achternaam) ||
        std::any_of(Lijst().begin(), Lijst().end(), [&](const auto& d) {
            return d->Voornaam == nieuw->Voornaam && d->Achternaam == nieuw->Achternaam;
        });
    if (!bye || !onder || !bye->IsOpenBye() || naam.isEmpty() ||
        Text::lowerAscii(naam) == QStringLiteral("bye") || bestaat)
        return false;
    TStap stap(*this, QStringLiteral("laatkomer ") + naam + QStringLiteral(" in ") +
                          knockout->WedstrijdNaam(0, nummer));
    nieuw->KnockoutNr = static_cast<std::uint8_t>(knockoutNr);
    TDeelnemer* deelnemer = nieuw.get();
    Deelnemerslijst::TNamen namen = m_namen;
    namen.push_back({deelnemer->Voornaam, deelnemer->Achternaam});
    ZetGesorteerdeNamen(std::move(namen), -1);
    Lijst().push_back(std::move(nieuw));
    knockout->TelLaatkomer();
    onder->WijsToe(deelnemer);
    // The participant of the bye may have withdrawn meanwhile.
    bye->GeefWalkovers();
    Q_EMIT PoulesVeranderd();
    Q_EMIT KnockoutGewijzigd(knockoutNr, 0, nummer);
    return true;
}
