#pragma once

#include "model/Poulewedstrijden.h"

#include <QDialog>

#include <optional>

class QPushButton;
class TTellingKeuze;

// "Telling": the scoring system of a tournament whose pools are drawn, for
// an older tournament that opened as badminton or a choice to correct.
class TTellingForm : public QDialog {
    Q_OBJECT

public:
    explicit TTellingForm(QWidget* owner);

    // The system chosen from `huidig`; nothing when cancelled.
    std::optional<Poulewedstrijden::TTelling> Kies(const Poulewedstrijden::TTelling& huidig);

    TTellingKeuze* Keuze;
    QPushButton* OKBitBtn;
    QPushButton* AnnulerenBitBtn;
};
