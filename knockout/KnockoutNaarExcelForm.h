#pragma once

#include "export/KnockoutExport.h"

#include <QDialog>

class QCheckBox;
class QPushButton;
class TKnockout;

// The knockout export dialog ("Knockout naar Excel"): how the bracket is to
// be labelled. The knockout window keeps one for its lifetime, so the
// choices last from one export to the next while the program runs. It also
// holds the template and the start cell the options hand on.
class TKnockoutNaarExcelForm : public QDialog {
    Q_OBJECT

public:
    explicit TKnockoutNaarExcelForm(QWidget* owner);

    // Shows the dialog; on OK the bracket is exported, on Annuleren nothing
    // happens.
    void ExporteerKnockout(const TKnockout& knockout);
    // The check boxes and the three values as the export takes them.
    KnockoutExport::TInstellingen Instellingen() const;

    QString KnockoutSjabloon;
    int BeginKolom = Opties::StandaardBeginKolom;
    int BeginRij = Opties::StandaardBeginRij;

    QCheckBox* cbxRonden;
    QCheckBox* cbxWedstrijden;
    QCheckBox* cbxDeelnemerNO;
    QCheckBox* cbxUitslagNO;
    QCheckBox* cbxPouleInformatie;
    QPushButton* OKBitBtn;
    QPushButton* AnnulerenBitBtn;

private:
    QCheckBox* MaakKeuze(const QString& naam, const QString& tekst, int boven);
    void MaakKnoppen();
    void PasBreedteAan();
};
