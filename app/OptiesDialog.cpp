#include "app/OptiesDialog.h"

#include "app/Help.h"

TOptiesDialog::TOptiesDialog(QWidget* owner)
    : QDialog(owner) {
    setWindowTitle(QStringLiteral("Opties"));
    setHelpContext(this, HelpContext::Opties);
}

bool TOptiesDialog::Wijzig(const QString&, const QString&, int, int) {
    return false; // Placeholder until the options are built: always cancelled.
}
