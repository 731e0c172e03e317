#include "pools/PouleIndelingForm.h"

#include "app/Help.h"

TPouleIndelingForm::TPouleIndelingForm(QWidget* owner)
    : QDialog(owner) {
    setWindowTitle(QStringLiteral("Poule-indeling"));
    setHelpContext(this, HelpContext::PouleIndeling);
}

int TPouleIndelingForm::KiesIndeling(TDeelnemerLijst&) {
    return -1; // Placeholder until the pool stage is built: always "cancelled".
}
