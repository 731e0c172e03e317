#pragma once

#include "model/Deelnemer.h"

#include <QDialog>

// The knockout division dialog: splits the pool finishers between the
// winners' and the losers' round.
class TKnockoutIndelingForm : public QDialog {
    Q_OBJECT

public:
    explicit TKnockoutIndelingForm(QWidget* owner);

    // True when the user confirmed; every participant then has a bracket.
    bool Kies(TDeelnemerLijst& deelnemers);
};
