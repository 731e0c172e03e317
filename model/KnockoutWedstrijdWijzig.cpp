#include "model/KnockoutWedstrijdWijzig.h"

#include "model/KnockoutWedstrijd.h"
#include "model/MessageService.h"
#include "model/Text.h"

TKnockoutWedstrijdWijzig::TKnockoutWedstrijdWijzig(TDeelnemerLijst& deelnemers,
                                                   std::uint8_t knockoutNr,
                                                   TKnockoutWedstrijd* wedstrijd, std::int32_t plek,
                                                   TKnockoutWedstrijdWijzig* boven)
    : m_deelnemers(deelnemers)
    , m_knockoutNr(knockoutNr)
    , m_wedstrijd(wedstrijd)
    , m_plek(plek)
    , m_boven(boven) {
    Vernieuw();
}

void TKnockoutWedstrijdWijzig::Vernieuw() {
    const TDeelnemer* deelnemer = nullptr;
    if (m_wedstrijd)
        deelnemer = m_plek == 0 ? m_wedstrijd->DeelnemerBoven() : m_wedstrijd->DeelnemerOnder();
    m_bijschrift = deelnemer ? deelnemer->PouleCode() : QString();
    if (m_waarnemer)
        m_waarnemer();
}

bool TKnockoutWedstrijdWijzig::VraagtBevestiging() const {
    // A bye has no result of its own; its result is the next match's.
    const TKnockoutWedstrijd* w = m_wedstrijd;
    if (w && w->Bye())
        w = w->Volgende();
    return w && !(w->ScoreBoven() == -1 && w->ScoreOnder() == -1);
}

QString TKnockoutWedstrijdWijzig::BevestigingsTekst() {
    return QStringLiteral("Het kiezen van een andere deelnemer verandert het verdere verloop van "
                          "de knockout.") +
           Text::lineBreak + Text::lineBreak + QStringLiteral("Wilt u toch doorgaan?");
}

void TKnockoutWedstrijdWijzig::KnopKlik(const Kiezer& kies) {
    if (VraagtBevestiging() &&
        messages().confirm(BevestigingsTekst(), Buttons::YesNo) != Answer::Yes)
        return;
    if (!kies)
        return;
    const std::optional<int> rij = kies(VulKeuzelijst());
    if (rij)
        KiesRij(*rij);
}

TKeuzelijst TKnockoutWedstrijdWijzig::VulKeuzelijst() const {
    TKeuzelijst lijst;
    lijst.rijen.push_back({QString(), QStringLiteral("n.o.")});
    if (m_plek == 1)
        lijst.rijen.push_back({QString(), QStringLiteral("bye")});
    for (const auto& deelnemer : m_deelnemers) {
        if (deelnemer && deelnemer->KnockoutNr == m_knockoutNr && !deelnemer->Wedstrijd)
            lijst.rijen.push_back({deelnemer->PouleCode(), deelnemer->Naam()});
    }
    // Without pools there are no codes to show.
    const bool metPoules =
        !m_deelnemers.empty() && m_deelnemers.front() && m_deelnemers.front()->Positie >= 1;
    lijst.kolomverhouding = metPoules ? 0.3f : 0.0f;
    return lijst;
}

void TKnockoutWedstrijdWijzig::KiesRij(int rij) {
    if (rij < 0)
        return;
    if (rij == 0)
        WijsToe(nullptr);
    else if (m_plek == 1 && rij == 1)
        MaakBye();
    else
        WijsToe(Kandidaat(m_plek == 0 ? rij : rij - 1));
    Vernieuw();
}

TDeelnemer* TKnockoutWedstrijdWijzig::Kandidaat(int n) const {
    if (n < 1)
        return nullptr;
    for (const auto& deelnemer : m_deelnemers) {
        if (deelnemer && deelnemer->KnockoutNr == m_knockoutNr && !deelnemer->Wedstrijd && --n == 0)
            return deelnemer.get();
    }
    return nullptr;
}

void TKnockoutWedstrijdWijzig::WijsToe(TDeelnemer* deelnemer) {
    if (!m_wedstrijd)
        return;
    if (m_plek == 0) {
        if (TDeelnemer* vorige = m_wedstrijd->DeelnemerBoven())
            vorige->Wedstrijd = nullptr;
        m_wedstrijd->ZetDeelnemerBoven(deelnemer);
    } else {
        m_wedstrijd->ZetBye(false);
        if (TDeelnemer* vorige = m_wedstrijd->DeelnemerOnder())
            vorige->Wedstrijd = nullptr;
        m_wedstrijd->ZetDeelnemerOnder(deelnemer);
    }
    if (deelnemer)
        deelnemer->Wedstrijd = m_wedstrijd;
}

void TKnockoutWedstrijdWijzig::MaakBye() {
    if (!m_wedstrijd)
        return;
    TDeelnemer* onder = m_wedstrijd->DeelnemerOnder();
    // With the upper slot empty the bye moves the lower participant up: it
    // stays in this match, so it keeps its link and the upper caption changes.
    const bool schuiftOp = onder && !m_wedstrijd->DeelnemerBoven();
    if (onder && !schuiftOp)
        onder->Wedstrijd = nullptr;
    m_wedstrijd->ZetBye(true);
    if (schuiftOp) {
        if (m_boven)
            m_boven->Vernieuw();
        Vernieuw();
    }
}
