#include "model/ToernooiDocument.h"

// The tournament day's operations of the document: courts, times and calls.

const Planning::TDagInstellingen& TToernooiDocument::DagInstellingen() const {
    return m_toernooi->Dag.Instellingen;
}

void TToernooiDocument::ZetDagInstellingen(const Planning::TDagInstellingen& instellingen) {
    if (instellingen == m_toernooi->Dag.Instellingen)
        return;
    TStap stap(*this, QStringLiteral("baaninstellingen"));
    m_toernooi->Dag.Instellingen = instellingen;
    Q_EMIT PlanningVeranderd();
}

void TToernooiDocument::MaakPlanning() {}

bool TToernooiDocument::HeeftPlanning() const {
    return !m_toernooi->Dag.Gepland.empty();
}

Planning::TDagoverzicht TToernooiDocument::Dagoverzicht() const {
    return {};
}

std::vector<Planning::TBaanStand> TToernooiDocument::Banen() const {
    return {};
}

bool TToernooiDocument::VerplaatsWedstrijd(const Planning::TWedstrijdPlek&, int, int,
                                           QStringList*) {
    return false;
}

bool TToernooiDocument::RoepOp(const Planning::TWedstrijdPlek&, int) {
    return false;
}

void TToernooiDocument::ZetKlok(TKlok klok) {
    m_klok = std::move(klok);
}
