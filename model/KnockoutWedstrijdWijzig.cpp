#include "model/KnockoutWedstrijdWijzig.h"

#include "model/KnockoutWedstrijd.h"

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
}

bool TKnockoutWedstrijdWijzig::VraagtBevestiging() const {
    // A bye has no result of its own; its result is the next match's.
    const TKnockoutWedstrijd* w = m_wedstrijd;
    if (w && w->Bye())
        w = w->Volgende();
    return w && !(w->ScoreBoven() == -1 && w->ScoreOnder() == -1);
}

TKeuzelijst TKnockoutWedstrijdWijzig::VulKeuzelijst() const {
    TKeuzelijst lijst;
    lijst.rijen.push_back({QString(), QStringLiteral("n.o.")});
    if (m_plek == 1)
        lijst.rijen.push_back({QString(), QStringLiteral("bye"), nullptr, true});
    for (const auto& deelnemer : m_deelnemers) {
        if (deelnemer && deelnemer->KnockoutNr == m_knockoutNr && !deelnemer->Wedstrijd)
            lijst.rijen.push_back({deelnemer->PouleCode(), deelnemer->Naam(), deelnemer.get()});
    }
    // Without pools there are no codes to show.
    const bool metPoules =
        !m_deelnemers.empty() && m_deelnemers.front() && m_deelnemers.front()->Positie >= 1;
    lijst.kolomverhouding = metPoules ? 0.3f : 0.0f;
    return lijst;
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
    Vernieuw();
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
    if (schuiftOp && m_boven)
        m_boven->Vernieuw();
    Vernieuw();
}
