#pragma once

#include "model/Deelnemer.h"
#include "model/KnockoutIndeling.h"

#include <QDialog>

#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The knockout division dialog: the best N of every pool to the winners'
// round, or the worst N of every pool to the losers' round.
class TKnockoutIndelingForm : public QDialog {
    Q_OBJECT

public:
    explicit TKnockoutIndelingForm(QWidget* owner);

    // The split the user confirmed for these pool finishers; nothing when
    // cancelled.
    std::optional<KnockoutIndeling::TKeuze> Kies(const TDeelnemerLijst& deelnemers);
    void VulKeuzes();

    QRadioButton* RadioBeste;
    QComboBox* BesteComboBox;
    QRadioButton* RadioSlechtste;
    QComboBox* SlechtsteComboBox;
    QPushButton* OKBitBtn;
    QPushButton* AnnuleerBitBtn;
    // Label1 .. Label10, in the order of their numbers.
    QList<QLabel*> Labels;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MaakLabels();
    void MaakKeuzes();
    void MaakKnoppen();
    QLabel* MaakLabel(const QString& tekst, QPoint plaats, bool vet = false);
    void SchikRegels();
    void SchikRegel(QLabel* de, QLabel* woord, QComboBox* keuze, QLabel* doorNaar, QLabel* ronde,
                    std::array<int, 4> ontwerp);

    const TDeelnemerLijst* m_deelnemers = nullptr;
};
