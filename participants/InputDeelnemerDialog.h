#pragma once

#include "model/Deelnemerslijst.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

// The small modal dialog for one participant's first and last name, and to
// their right the club and the seed. It refuses an empty name, "bye" and a
// seed that is no whole number from 1 up; a seed that another participant
// holds is refused too when the caller says who holds which
// (ZetPlaatsingBezet), so the organiser corrects it in place. Duplicate
// names are the caller's business. A caller creates it for one use and may
// run it any number of times.
class TInputDeelnemerDialog : public QDialog {
    Q_OBJECT

public:
    explicit TInputDeelnemerDialog(QWidget* owner);

    // Runs the dialog with these names filled in; true when closed with OK.
    bool Bewerken(const QString& voornaam, const QString& achternaam);
    // Runs the dialog with two empty names.
    bool Invoeren();
    // Runs the dialog with the name, club and seed filled in.
    bool Bewerken(const Deelnemerslijst::TNaam& naam);
    // The refusal of a seed, or empty when it is free to take.
    using TPlaatsingBezet = std::function<QString(int plaatsing)>;
    void ZetPlaatsingBezet(TPlaatsingBezet bezet) { m_plaatsingBezet = std::move(bezet); }

    // The typed names, trimmed once the dialog has closed.
    QString Voornaam() const;
    QString Achternaam() const;
    QString Vereniging() const;
    // 0 when left empty.
    int Plaatsing() const;
    // All four as one name.
    Deelnemerslijst::TNaam Naam() const;

    QLabel* DeelnemerBovenLabel;
    QLabel* DeelnemerOnderLabel;
    QLineEdit* VoornaamEdit;
    QLineEdit* AchternaamEdit;
    QPushButton* OKBitBtn;
    QPushButton* AnnulerenBitBtn;
    QLabel* VerenigingLabel;
    QLabel* PlaatsingLabel;
    QLineEdit* VerenigingEdit;
    QLineEdit* PlaatsingEdit;

private:
    void OKBitBtnClick();

    TPlaatsingBezet m_plaatsingBezet;
};
