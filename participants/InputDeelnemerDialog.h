#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The small modal dialog for one participant's first and last name. It
// refuses an empty name and "bye"; duplicates are the caller's business.
// A caller creates it for one use and may run it any number of times.
class TInputDeelnemerDialog : public QDialog {
    Q_OBJECT

public:
    explicit TInputDeelnemerDialog(QWidget* owner);

    // Runs the dialog with these names filled in; true when closed with OK.
    bool Bewerken(const QString& voornaam, const QString& achternaam);
    // Runs the dialog with two empty names.
    bool Invoeren();

    // The typed names, trimmed once the dialog has closed.
    QString Voornaam() const;
    QString Achternaam() const;

    QLabel* DeelnemerBovenLabel;
    QLabel* DeelnemerOnderLabel;
    QLineEdit* VoornaamEdit;
    QLineEdit* AchternaamEdit;
    QPushButton* OKBitBtn;
    QPushButton* AnnulerenBitBtn;

private:
    void OKBitBtnClick();
};
