#pragma once

#include "model/Deelnemer.h"
#include "model/Deelnemerslijst.h"
#include "model/Import.h"

#include <QWidget>

class QKeyEvent;
class QPushButton;
class QStatusBar;
class QTableWidget;
class TToernooiDocument;

// The participant list window ("Deelnemers invoeren"): the sorted list of
// names from which every tournament starts. Closing it only hides it. The
// names belong to the document; the grid shows them and every edit hands the
// new list back to the document as one step.
//
// Rows are numbered as in a grid whose row 0 is the header: rows 1 to
// RowCount() - 2 hold the participants and the last row is always empty.
// The table shows the header in its own header, so grid row r is table row
// r - 1.
class TDeelnemersForm : public QWidget {
    Q_OBJECT

public:
    TDeelnemersForm(TToernooiDocument& document, QWidget* owner);

    void VoegToe(const QString& voornaam, const QString& achternaam);
    int ZoekRij(const QString& voornaam, const QString& achternaam) const;
    void Sorteer();
    void Leegmaken();
    TDeelnemerLijst MaakDeelnemerslijst() const;
    void VulMetDeelnemers(const TDeelnemerLijst& deelnemers);
    void ToonAantal();
    void PasKolombreedtesAan();

    // Number of grid rows: the participants plus the header and the empty row.
    int RowCount() const;
    // The selected grid row (1 to RowCount() - 1).
    int Row() const;
    void SelecteerRij(int rij);
    // Text of a cell: column 0 the first name, column 1 the last name.
    QString Cel(int kolom, int rij) const;

    QTableWidget* DeelnemersStringGrid;
    QPushButton* NieuwBitBtn;
    QPushButton* BewerkBitBtn;
    QPushButton* VerwijderBitBtn;
    QPushButton* ExcelBitBtn;
    QPushButton* MaakPoulesBitBtn;
    QPushButton* AfdrukBitBtn;
    QPushButton* ImporteerBitBtn;
    QStatusBar* StatusBar;

Q_SIGNALS:
    // "&Poules -->": start a tournament from these names.
    void PoulesGevraagd();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void NieuwBitBtnClick();
    void BewerkBitBtnClick();
    void VerwijderBitBtnClick();
    void ExcelBitBtnClick();
    void MaakPoulesBitBtnClick();
    // "Importeren..." (Ctrl+I): names from a file.
    void ImporteerBitBtnClick();
    // Ctrl+V with more than one line on the clipboard: names from it.
    bool ImporteerKlembord();
    void FormResize();
    // The window's own keys; true when the key was one of them.
    bool FormKeyDown(const QKeyEvent* event);

    // Asks to end a running tournament before the names change; true = go on.
    bool BeeindigToernooi(const QString& eersteZin);
    // Asks the same before an import, but leaves ending it to the import.
    bool BeeindigToernooiGevraagd();
    // The names of the participant rows, in the order shown.
    Deelnemerslijst::TNamen Namen() const;
    void ZetRowCount(int aantal);
    void ZetCel(int kolom, int rij, const QString& tekst);
    void MaakRijLeeg(int rij);
    // Hands the grid's names to the document as one step.
    void GeefNamenDoor(const QString& omschrijving);
    // Shows the document's names, after undo, redo, new or open.
    void ToonNamen();
    // The import dialog on a source; the names it accepts are added in one
    // step, which ends a running tournament as adding by hand does.
    void Importeer(Import::TImport import, const QString& bron);

    TToernooiDocument& m_document;
    // Where the import dialog starts: the folder of the last import.
    QString m_importMap;
    bool m_geeftDoor = false;
};
