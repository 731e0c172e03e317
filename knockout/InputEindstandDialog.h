#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TKnockoutWedstrijd;

// The score dialog ("Eindstand"): takes the final score of one match and
// writes it into the match itself.
class TInputEindstandDialog : public QDialog {
    Q_OBJECT

public:
    explicit TInputEindstandDialog(QWidget* owner);

    // Shows the dialog modally for the match.
    void ToonVoorWedstrijd(TKnockoutWedstrijd& wedstrijd);

    QLabel* DeelnemerBovenLabel;
    QLabel* DeelnemerOnderLabel;
    QLabel* StreepjeLabel;
    QLineEdit* DeelnemerBovenEdit;
    QLineEdit* DeelnemerOnderEdit;
    QPushButton* OKBitBtn;
    QPushButton* AnnulerenBitBtn;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MaakNamen();
    void MaakScores();
    void MaakKnoppen();
    void OKBitBtnClick();
    void Wis();

    TKnockoutWedstrijd* m_wedstrijd = nullptr;
};
