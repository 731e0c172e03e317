#include "participants/DeelnemersForm.h"

#include "app/Help.h"
#include "app/MainForm.h"

#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>

TDeelnemersForm::TDeelnemersForm(TMainForm* mainForm)
    : QWidget(mainForm, Qt::Window)
    , DeelnemersStringGrid(new QTableWidget(this))
    , NieuwBitBtn(new QPushButton(this))
    , BewerkBitBtn(new QPushButton(this))
    , VerwijderBitBtn(new QPushButton(this))
    , ExcelBitBtn(new QPushButton(QStringLiteral("&Excel"), this))
    , MaakPoulesBitBtn(new QPushButton(QStringLiteral("&Poules -->"), this))
    , StatusBar(new QStatusBar(this))
    , m_mainForm(mainForm) {
    setWindowTitle(QStringLiteral("Deelnemers invoeren"));
    setHelpContext(this, HelpContext::Deelnemers);
}

void TDeelnemersForm::VoegToe(const QString&, const QString&) {}
int TDeelnemersForm::ZoekRij(const QString&, const QString&) const { return -1; }
void TDeelnemersForm::Sorteer() {}
void TDeelnemersForm::Leegmaken() {}
TDeelnemerLijst TDeelnemersForm::MaakDeelnemerslijst() const { return {}; }
void TDeelnemersForm::VulMetDeelnemers(const TDeelnemerLijst&) {}
void TDeelnemersForm::ToonAantal() {}
void TDeelnemersForm::PasKolombreedtesAan() {}
