#pragma once

#include "model/Planning.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimeEdit;

// "Baaninstellingen": the courts of the day and their names, the start
// time, the length of a pool and of a knockout match, the rest between two
// matches of one participant and the breaks. Breaks are typed as clock
// times; the settings keep them in minutes from the start.
class TDagInstellingenForm : public QDialog {
    Q_OBJECT

public:
    explicit TDagInstellingenForm(QWidget* owner);

    // The settings the organiser confirmed, starting from `huidig`;
    // nothing when cancelled.
    std::optional<Planning::TDagInstellingen> Wijzig(const Planning::TDagInstellingen& huidig);

    // What the controls hold, or nothing after telling the organiser in
    // Dutch what is wrong. Public for the tests.
    std::optional<Planning::TDagInstellingen> Instellingen() const;

    QSpinBox* BanenSpinBox;
    QTableWidget* BaannamenGrid;
    QTimeEdit* BegintijdEdit;
    QSpinBox* PouleSlotSpinBox;
    QSpinBox* KnockoutSlotSpinBox;
    QSpinBox* RustSpinBox;
    QComboBox* DoorstromingComboBox;
    QSpinBox* DoorstromingSpinBox;
    QTableWidget* PauzesGrid;
    QPushButton* PauzeToevoegenBitBtn;
    QPushButton* PauzeVerwijderenBitBtn;
    QPushButton* OKBitBtn;
    QPushButton* AnnulerenBitBtn;

    static constexpr int MaxBanen = 200;

private:
    void BanenGewijzigd(int banen);
    void VoegPauzeToe(const QString& van, const QString& tot);
    void OKBitBtnClick();

    // What the dialog does not show stays as it was.
    Planning::TDagInstellingen m_huidig;
};
