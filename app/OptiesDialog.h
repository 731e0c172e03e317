#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The options dialog: the templates and start cell of the exports. The
// values live in the edit fields; the options file holds them between runs.
class TOptiesDialog : public QDialog {
    Q_OBJECT

public:
    // Reads the usual options file (Paths::optionsFile).
    explicit TOptiesDialog(QWidget* owner);
    // Reads and later writes the given options file instead.
    TOptiesDialog(QWidget* owner, const QString& iniBestand);

    // Shows the values for change; true when the user chose OK (the options
    // file has then been written, or its failure reported).
    bool Wijzig(const QString& pouleSjabloon, const QString& knockoutSjabloon, int beginKolom,
                int beginRij);

    QString PouleSjabloon() const;
    QString KnockoutSjabloon() const;
    // The typed number, or 1 when the field holds no whole number.
    int BeginRij() const;
    int BeginKolom() const;

    void ZetStandaardwaarden();
    // Reads the options file into the fields, then checks the numbers
    // silently; false when the file could not be read (no message).
    bool LeesOpties();
    // Writes the four trimmed values; a failure is reported, and the earlier
    // file stays as it was.
    bool BewaarOpties();
    // True when the start row and column are usable. Silently a faulty
    // number becomes 1; otherwise the field is selected and a message shown.
    bool ControleerGetallen(bool stil);
    // False, with the field selected and a message, when a template path
    // holds a line break or another control character.
    bool ControleerSjablonen();
    // The file the user picks from the folder of `huidig`, or `huidig`
    // trimmed when the user cancels.
    QString KiesSjabloon(const QString& huidig);

    // The folder of the tournament last opened or saved, kept after the four
    // options on a line of its own; empty when none is known.
    QString ToernooiMap() const { return m_toernooiMap; }
    // Remembers a new tournament folder in the options file at once. Quietly:
    // it is a convenience, not worth a message when it cannot be written.
    void ZetToernooiMap(const QString& map);

    const QString IniBestand;

    // Controls, named as the window's design names them.
    QLabel* PouleSjabloonLabel;
    QLineEdit* PoulesSjabloonEdit;
    QPushButton* BladerenPoulesBitBtn;
    QLabel* KnockoutSjabloonLabel;
    QLineEdit* KnockoutSjabloonEdit;
    QPushButton* BladerenKnockoutBitBtn;
    QLabel* BeginBijLabel;
    QLabel* RijLabel;
    QLineEdit* RijEdit;
    QLabel* KolomLabel;
    QLineEdit* KolomEdit;
    QLabel* HelpLabel;
    QPushButton* OKBitBtn;
    QPushButton* AnnulerenBitBtn;

private:
    void MaakSjabloonVelden();
    void MaakGetalVelden();
    void MaakKnoppen();
    QLabel* MaakLabel(const QString& tekst, QPoint plaats);
    QLineEdit* MaakEdit(const QString& naam, QRect plaats);
    QPushButton* MaakKnop(const QString& naam, const QString& tekst, QRect plaats);
    void ZetTabvolgorde();
    bool LeesBestand();
    // Writes the file; the failure's own message, or nothing on success.
    QString SchrijfBestand();
    bool ControleerGetal(QLineEdit* veld, bool stil);

    void OKBitBtnClick();
    void BladerenPoulesBitBtnClick();
    void BladerenKnockoutBitBtnClick();

    QString m_toernooiMap;
};
