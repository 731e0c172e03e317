#include "model/KnockoutWedstrijd.h"

#include "model/Deelnemer.h"

#include <utility>

namespace {

const QString nietOpgegeven = QStringLiteral("n.o.");

QString RegelVoor(const TDeelnemer* deelnemer, std::int32_t score, const QString& afloop = {}) {
    if (!deelnemer)
        return nietOpgegeven;
    // The loser of a match not played out carries "w.o." (or "opg.",
    // "disk.") where a score would stand; the winner only its name.
    if (!afloop.isEmpty())
        return afloop + QStringLiteral(": ") + deelnemer->Naam();
    if (score < 0)
        return deelnemer->Naam();
    // The score stands first so that the scores of a column line up.
    return QString::number(score) + QStringLiteral(": ") + deelnemer->Naam();
}

} // namespace

void TKnockoutWedstrijd::ZetEindstand(std::int32_t scoreBoven, std::int32_t scoreOnder) {
    if (m_bye)
        return;
    m_scoreBoven = scoreBoven;
    m_scoreOnder = scoreOnder;
    m_afloop = {};
    Vernieuw();
}

void TKnockoutWedstrijd::ZetAfloop(const TKnockoutAfloop& afloop) {
    if (m_bye || afloop.Soort == TAfloop::Gespeeld || afloop.Verliezer < 0 || afloop.Verliezer > 1)
        return;
    m_afloop = afloop;
    m_afloop.DoorTerugtrekking = afloop.DoorTerugtrekking && afloop.Soort == TAfloop::Walkover;
    // Only a retirement has a score of its own, and only as a pair.
    if (afloop.Soort != TAfloop::Opgegeven || afloop.StandBoven < 0 || afloop.StandOnder < 0)
        m_afloop.StandBoven = m_afloop.StandOnder = -1;
    std::int32_t winnaar = afloop.Verliezer == 0 ? m_afloop.StandOnder : m_afloop.StandBoven;
    std::int32_t verliezer = afloop.Verliezer == 0 ? m_afloop.StandBoven : m_afloop.StandOnder;
    if (winnaar <= verliezer) {
        winnaar = 1;
        verliezer = 0;
    }
    m_scoreBoven = afloop.Verliezer == 0 ? verliezer : winnaar;
    m_scoreOnder = afloop.Verliezer == 0 ? winnaar : verliezer;
    Vernieuw();
}

void TKnockoutWedstrijd::ZetVolgende(TKnockoutWedstrijd* volgende, std::int32_t plek) {
    m_volgende = volgende;
    m_volgendePlek = plek;
    Vernieuw();
}

void TKnockoutWedstrijd::ZetDeelnemerOnder(TDeelnemer* deelnemer) {
    if (m_bye)
        return;
    m_deelnemerOnder = deelnemer;
    m_scoreBoven = -1;
    m_scoreOnder = -1;
    m_afloop = {};
    Vernieuw();
}

void TKnockoutWedstrijd::ZetDeelnemerBoven(TDeelnemer* deelnemer) {
    // No bye guard: a bye keeps its flag and takes the new upper participant.
    m_deelnemerBoven = deelnemer;
    m_scoreBoven = -1;
    m_scoreOnder = -1;
    m_afloop = {};
    Vernieuw();
}

void TKnockoutWedstrijd::ZetBye(bool bye) {
    m_bye = bye;
    if (bye) {
        if (!m_deelnemerBoven)
            m_deelnemerBoven = m_deelnemerOnder;
        m_deelnemerOnder = nullptr;
        m_scoreBoven = -1;
        m_scoreOnder = -1;
        m_afloop = {};
    }
    Vernieuw();
}

void TKnockoutWedstrijd::Vernieuw() {
    // The same winner is handed on again on purpose: the next match's setter
    // clears its result, which is how a changed result clears the path.
    if (m_volgende) {
        if (m_volgendePlek != 0)
            m_volgende->ZetDeelnemerOnder(Winnaar());
        else
            m_volgende->ZetDeelnemerBoven(Winnaar());
    }
}

TDeelnemer* TKnockoutWedstrijd::Winnaar() {
    return const_cast<TDeelnemer*>(std::as_const(*this).Winnaar());
}

const TDeelnemer* TKnockoutWedstrijd::Winnaar() const {
    if (m_bye)
        return m_deelnemerBoven;
    if (m_scoreBoven < 0)
        return nullptr;
    // Equal scores cannot be entered; from a file they send the lower one on.
    return m_scoreBoven > m_scoreOnder ? m_deelnemerBoven : m_deelnemerOnder;
}

QString TKnockoutWedstrijd::Regel(int plek) const {
    // The 1-0 of a match not played out is for older readers only: its
    // winner shows the name alone.
    const bool nietGespeeld = m_afloop.Soort != TAfloop::Gespeeld;
    const QString afloop =
        m_afloop.Verliezer == (plek == 0 ? 0 : 1) ? AfloopAfkorting(m_afloop.Soort) : QString();
    if (plek == 0)
        return RegelVoor(m_deelnemerBoven, nietGespeeld ? -1 : m_scoreBoven, afloop);
    if (m_bye)
        return QStringLiteral("bye");
    return RegelVoor(m_deelnemerOnder, nietGespeeld ? -1 : m_scoreOnder, afloop);
}

QString TKnockoutWedstrijd::Tekst() const {
    return Regel(0) + QStringLiteral("\r\n") + Regel(1);
}

bool TKnockoutWedstrijd::IsCompleet() const {
    return m_deelnemerBoven && (m_bye || m_deelnemerOnder);
}

bool TKnockoutWedstrijd::IsSpeelbaar() const {
    return !m_bye && m_deelnemerBoven && m_deelnemerOnder;
}

bool TKnockoutWedstrijd::IsOpenBye() const {
    return m_bye && m_deelnemerBoven && (!m_volgende || m_volgende->m_scoreBoven < 0);
}

bool TKnockoutWedstrijd::GeefWalkovers() {
    // The whole path is looked at: a bye or a match decided before may lie
    // between this match and the one a participant just reached.
    bool gegeven = false;
    for (TKnockoutWedstrijd* w = this; w; w = w->m_volgende) {
        if (!w->IsSpeelbaar() || w->m_scoreBoven >= 0)
            continue;
        const bool boven = w->m_deelnemerBoven->Teruggetrokken;
        if (!boven && !w->m_deelnemerOnder->Teruggetrokken)
            continue;
        w->ZetAfloop({TAfloop::Walkover, boven && !w->m_deelnemerOnder->Teruggetrokken ? 0 : 1, -1,
                      -1, true});
        gegeven = true;
    }
    return gegeven;
}

std::vector<const TKnockoutWedstrijd*> TKnockoutWedstrijd::TeWissen() const {
    std::vector<const TKnockoutWedstrijd*> wedstrijden;
    for (const TKnockoutWedstrijd* verder = m_volgende; verder; verder = verder->m_volgende)
        if (verder->m_scoreBoven >= 0)
            wedstrijden.push_back(verder);
    return wedstrijden;
}
