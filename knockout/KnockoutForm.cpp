#include "knockout/KnockoutForm.h"

#include "app/Help.h"

TKnockoutForm::TKnockoutForm(QWidget* owner)
    : QWidget(owner, Qt::Window) {
    setWindowTitle(QStringLiteral("Knockout"));
    setHelpContext(this, HelpContext::Knockout);
}

void TKnockoutForm::Bouw(TDeelnemerLijst&, int) {
    // Placeholder until the knockout stage is built: builds and shows nothing.
}

void TKnockoutForm::ZetExportwaarden(const QString& knockoutSjabloon, int beginRij,
                                     int beginKolom) {
    m_knockoutSjabloon = knockoutSjabloon;
    m_beginRij = beginRij;
    m_beginKolom = beginKolom;
}
