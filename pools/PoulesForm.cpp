#include "pools/PoulesForm.h"

#include "app/Help.h"

TPoulesForm::TPoulesForm(QWidget* owner)
    : QWidget(owner, Qt::Window) {
    setWindowTitle(QStringLiteral("Poules"));
    setHelpContext(this, HelpContext::Poules);
}

void TPoulesForm::ToonPoules(TDeelnemerLijst&) {
    // Placeholder until the pool stage is built: shows nothing.
}
