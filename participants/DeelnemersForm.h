#pragma once

#include "model/Deelnemer.h"
#include "model/Deelnemerslijst.h"
#include "model/Import.h"

#include <QWidget>

class QKeyEvent;
class QPushButton;
class QStatusBar;
class QTableView;
class TDeelnemersModel;
class TToernooiDocument;

// The participant list window ("Deelnemers invoeren"): the sorted list of
// names from which every tournament starts. Closing it only hides it. The
// names belong to the document; the grid shows them through a model, and
// every edit is one operation of the document.
//
// Rows are numbered as in a grid whose row 0 is the header: rows 1 to
// RowCount() - 2 hold the participants and the last row is always empty.
// The table shows the header in its own header, so grid row r is table row
// r - 1.
class TDeelnemersForm : public QWidget {
    Q_OBJECT

public:
    TDeelnemersForm(TToernooiDocument& document, QWidget* owner);

    void ToonAantal();
    void PasKolombreedtesAan();

    // Number of grid rows: the participants plus the header and the empty row.
    int RowCount() const;
    // The selected grid row (1 to RowCount() - 1).
    int Row() const;
    void SelecteerRij(int rij);
    // Text of a cell: column 0 the first name, column 1 the last name,
    // column 2 the club and column 3 the seed.
    QString Cel(int kolom, int rij) const;

    QTableView* DeelnemersStringGrid;
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

    // Asks to end a running tournament before the names change; true = go
    // on. The operation that changes the names ends it.
    bool BeeindigToernooiGevraagd(const QString& eersteZin);
    // After the names changed: the selection, the count and the buttons.
    void ToonNamen();
    // The import dialog on a source; the names it accepts are added in one
    // step, which ends a running tournament as adding by hand does.
    void Importeer(Import::TImport import, const QString& bron);
    // The participant dialog's refusal of a seed someone other than the
    // name at `behalve` holds; empty when it is free.
    QString PlaatsingBezet(int plaatsing, int behalve) const;
    // The club and seed columns after the designed ones, and the width the
    // window grows by for them at its creation.
    int VerenigingBreedte() const;
    int PlaatsingBreedte() const;
    int ExtraBreedte() const;

    TToernooiDocument& m_document;
    TDeelnemersModel* m_model;
    int m_rij = 1; // the selected grid row, kept while the model is reset
    int m_verenigingBreedte = 0; // what the longest club needs
    // Where the import dialog starts: the folder of the last import.
    QString m_importMap;
};
