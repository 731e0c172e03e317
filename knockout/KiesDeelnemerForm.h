#pragma once

#include <QDialog>

#include <optional>

class QPushButton;
class QTableWidget;
struct TKeuzelijst;

// The choose-participant dialog ("Kies deelnemer"): a list of candidates for
// one first-round slot. It returns the chosen row; the caller hands the
// choice to the document.
class TKiesDeelnemerForm : public QDialog {
    Q_OBJECT

public:
    explicit TKiesDeelnemerForm(QWidget* owner);

    // Shows the list modally; the chosen row of it, or nothing when cancelled.
    std::optional<int> Kies(const TKeuzelijst& lijst);

    // Share of the grid width for the code column; 0 hides it.
    void ZetKolomverhouding(float verhouding);
    void PasKolommenAan();
    // Appends a row with the two cells.
    void VoegRijToe(const QString& code, const QString& naam);
    // The selected row, counted from 0; -1 when none.
    int GeselecteerdeRij() const;

    QTableWidget* DeelnemersStringGrid;
    QPushButton* OKBitBtn;
    QPushButton* AnnuleerBitBtn;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PasIndelingAan();
    void PasBreedteAan();

    float m_kolomverhouding = 0;
};
