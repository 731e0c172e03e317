#pragma once

#include "model/Deelnemerslijst.h"
#include "model/Import.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

// The import dialog: shows every row of a source with the name it gives and
// whether it will be added, before anything changes. The organiser may
// choose the separator of a text, whether the first row is a header and
// which columns hold the name, the club and the seed or rating; the preview
// shows the club and seed each row brings once such a column is chosen. OK
// says how many participants it adds (and how many it fills in).
class TImporteerDialog : public QDialog {
    Q_OBJECT

public:
    // `bron` names the source ("klembord" or the file's name); `bestaand`
    // are the names already in the tournament.
    TImporteerDialog(QWidget* owner, Import::TImport import, Deelnemerslijst::TNamen bestaand,
                     const QString& bron);

    // Runs the dialog; true when the organiser chose to add the names.
    bool Importeren();
    // The names that will be added, in the source's order.
    Deelnemerslijst::TNamen Toevoegen() const { return m_voorbeeld.Toevoegen(); }
    // The names in the tournament whose club or seed the import fills in.
    Deelnemerslijst::TNamen Aanvullen() const { return m_voorbeeld.Aanvullen(); }
    const Import::TVoorbeeld& Voorbeeld() const { return m_voorbeeld; }

    // The parts of a name a column can hold, then what may stand beside it,
    // in the order of KolomComboBoxen.
    enum TDeel {
        Voornaam,
        Tussenvoegsel,
        Achternaam,
        Naam,
        Vereniging,
        Plaatsing,
        Rating,
        AantalDelen
    };

    QLabel* BronLabel;
    QLabel* ScheidingLabel;
    QComboBox* ScheidingComboBox;
    QCheckBox* KopCheckBox;
    std::array<QLabel*, AantalDelen> KolomLabels;
    std::array<QComboBox*, AantalDelen> KolomComboBoxen;
    QTableView* VoorbeeldStringGrid;
    QLabel* SamenvattingLabel;
    QPushButton* OKBitBtn;
    QPushButton* AnnulerenBitBtn;

private:
    void ScheidingComboBoxChange();
    void KopCheckBoxClick();
    void KolomComboBoxChange(int deel);
    // Shows the source's separator, header and columns in the controls.
    void ToonKeuzes();
    void ToonVoorbeeld();
    // Every column but the last as wide as its widest text.
    void PasKolombreedtesAan();

    class TVoorbeeldModel;

    Import::TImport m_import;
    Deelnemerslijst::TNamen m_bestaand;
    QString m_bron;
    Import::TVoorbeeld m_voorbeeld;
    TVoorbeeldModel* m_model = nullptr;
    bool m_toontKeuzes = false;
};
