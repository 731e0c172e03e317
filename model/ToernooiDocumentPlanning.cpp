#include "model/ToernooiDocument.h"

#include "model/Dagplan.h"

// The tournament day's operations of the document: courts, times and calls.

namespace {

QString PlekTekst(const Planning::TWedstrijdPlek& plek) {
    if (plek.KnockoutNr == 0)
        return QStringLiteral("poule %1, wedstrijd %2").arg(plek.Poule).arg(plek.Nummer + 1);
    return QStringLiteral("%1, ronde %2, wedstrijd %3")
        .arg(plek.KnockoutNr == 1 ? QStringLiteral("winnaarsronde")
                                  : QStringLiteral("verliezersronde"))
        .arg(plek.Ronde + 1)
        .arg(plek.Nummer + 1);
}

} // namespace

const Planning::TDagInstellingen& TToernooiDocument::DagInstellingen() const {
    return m_toernooi->Dag.Instellingen;
}

void TToernooiDocument::ZetDagInstellingen(const Planning::TDagInstellingen& instellingen) {
    if (instellingen == m_toernooi->Dag.Instellingen)
        return;
    TStap stap(*this, QStringLiteral("baaninstellingen"));
    m_toernooi->Dag.Instellingen = instellingen;
    // A plan on courts that are gone no longer holds.
    for (Planning::TGepland& gepland : m_toernooi->Dag.Gepland)
        if (gepland.Baan >= instellingen.Plan.Banen)
            gepland.Baan = -1;
    Q_EMIT PlanningVeranderd();
}

void TToernooiDocument::MaakPlanning() {
    TStap stap(*this, QStringLiteral("planning maken"));
    Dagplan::Maak(*m_toernooi, Nu());
    Q_EMIT PlanningVeranderd();
}

bool TToernooiDocument::HeeftPlanning() const {
    return !m_toernooi->Dag.Gepland.empty();
}

Planning::TDagoverzicht TToernooiDocument::Dagoverzicht() const {
    return Dagplan::Overzicht(*m_toernooi);
}

std::vector<Planning::TBaanStand> TToernooiDocument::Banen() const {
    return Dagplan::Banen(*m_toernooi, Dagoverzicht());
}

bool TToernooiDocument::VerplaatsWedstrijd(const Planning::TWedstrijdPlek& plek, int baan,
                                           int begin, QStringList* botsingen) {
    TStap stap(*this, QStringLiteral("%1 verplaatst").arg(PlekTekst(plek)));
    if (!Dagplan::Verplaats(*m_toernooi, plek, baan, begin, botsingen))
        return false;
    Q_EMIT PlanningVeranderd();
    return true;
}

bool TToernooiDocument::RoepOp(const Planning::TWedstrijdPlek& plek, int baan) {
    const bool volgende = plek == Planning::TWedstrijdPlek{};
    TStap stap(*this,
               volgende
                   ? QStringLiteral("oproepen %1").arg(Planning::BaanNaam(DagInstellingen(), baan))
                   : QStringLiteral("%1 opgeroepen").arg(PlekTekst(plek)));
    if (Dagplan::RoepOp(*m_toernooi, volgende ? nullptr : &plek, baan, Nu()) < 0)
        return false;
    Q_EMIT Opgeroepen(baan);
    Q_EMIT PlanningVeranderd();
    return true;
}

void TToernooiDocument::ZetKlok(TKlok klok) {
    m_klok = std::move(klok);
}

int TToernooiDocument::Nu() const {
    const QDateTime tijd = m_klok ? m_klok() : QDateTime::currentDateTime();
    return tijd.time().msecsSinceStartOfDay() / 60000 - DagInstellingen().Begintijd;
}

void TToernooiDocument::PlanningNaUitslag(const Planning::TWedstrijdPlek& plek) {
    if (!HeeftPlanning())
        return;
    const int baan = Dagplan::NaUitslag(*m_toernooi, plek, Nu());
    if (baan >= 0)
        Q_EMIT Opgeroepen(baan);
    Q_EMIT PlanningVeranderd();
}
