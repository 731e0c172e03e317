#include "knockout/KnockoutIndelingForm.h"

#include "app/Help.h"

TKnockoutIndelingForm::TKnockoutIndelingForm(QWidget* owner)
    : QDialog(owner) {
    setWindowTitle(QStringLiteral("Knockout-indeling"));
    setHelpContext(this, HelpContext::KnockoutIndeling);
}

bool TKnockoutIndelingForm::Kies(TDeelnemerLijst&) {
    return false; // Placeholder until the knockout stage is built: never confirmed.
}
