#pragma once

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class TKnockoutWedstrijd;

// The score dialog ("Eindstand"): takes the final score of one match and
// returns it; the caller hands it to the document.
class TInputEindstandDialog : public QDialog {
    Q_OBJECT

public:
    explicit TInputEindstandDialog(QWidget* owner);

    struct TEindstand {
        int Boven = -1; // -1, -1 clears the result
        int Onder = -1;
    };

    // Shows the dialog modally for the match; nothing when cancelled.
    std::optional<TEindstand> ToonVoorWedstrijd(const TKnockoutWedstrijd& wedstrijd);

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
    void Sluit(TEindstand eindstand);

    std::optional<TEindstand> m_eindstand;
};
