#pragma once

#include "model/Deelnemer.h"

#include <QDialog>

// The pool-division window: lists the ways to divide the participants into
// pools and draws the chosen one.
class TPouleIndelingForm : public QDialog {
    Q_OBJECT

public:
    explicit TPouleIndelingForm(QWidget* owner);

    // The number of pools when a division was chosen and drawn, 0 for
    // "&Direct naar knockout", -1 when the user cancelled.
    int KiesIndeling(TDeelnemerLijst& deelnemers);
};
