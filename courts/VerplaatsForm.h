#pragma once

#include "model/Planning.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QTimeEdit;

// "Verplaatsen": another court and start for one match, by keyboard. The
// clashes the move causes show in the courts window once it is made.
class TVerplaatsForm : public QDialog {
    Q_OBJECT

public:
    explicit TVerplaatsForm(QWidget* owner);

    struct TDoel {
        int Baan = 0;
        int Begin = 0; // minutes from the day's start
    };
    // Where the organiser moves `wedstrijd` to; nothing when cancelled.
    std::optional<TDoel> Kies(const Planning::TDagInstellingen& instellingen,
                              const Planning::TDagWedstrijd& wedstrijd);

    QLabel* WedstrijdLabel;
    QComboBox* BaanComboBox;
    QTimeEdit* BeginEdit;
    QPushButton* OKBitBtn;
    QPushButton* AnnulerenBitBtn;
};
