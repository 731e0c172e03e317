#pragma once

#include "model/KnockoutWedstrijd.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The score dialog ("Eindstand"): takes the final score of one match and
// returns it; the caller hands it to the document. Right of the designed
// part the organiser chooses how the match ended (played out, w.o.,
// opgegeven with the score at that moment, diskwalificatie) and who lost.
class TInputEindstandDialog : public QDialog {
    Q_OBJECT

public:
    explicit TInputEindstandDialog(QWidget* owner);

    struct TEindstand {
        int Boven = -1; // -1, -1 clears the result
        int Onder = -1;
        // Soort Gespeeld: the scores above; otherwise the match was not
        // played out and this says how.
        TKnockoutAfloop Afloop;
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
    QLabel* AfloopLabel;
    QComboBox* AfloopComboBox; // in the order of TAfloop
    QLabel* VerliezerLabel;
    QComboBox* VerliezerComboBox; // upper, lower participant

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MaakNamen();
    void MaakScores();
    void MaakKnoppen();
    void MaakAfloop();
    void AfloopGekozen();
    void OKBitBtnClick();
    // A match not played out: checked and closed, or a message and open.
    void SluitNietGespeeld();
    void Sluit(TEindstand eindstand);

    std::optional<TEindstand> m_eindstand;
};
