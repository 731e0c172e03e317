#pragma once

#include "model/Deelnemer.h"

#include <QWidget>

class QPushButton;
class QStatusBar;
class QTableWidget;
class TMainForm;

// The participant list window ("Deelnemers invoeren"): the sorted list of
// names from which every tournament starts. Closing it only hides it.
class TDeelnemersForm : public QWidget {
    Q_OBJECT

public:
    explicit TDeelnemersForm(TMainForm* mainForm);

    void VoegToe(const QString& voornaam, const QString& achternaam);
    int ZoekRij(const QString& voornaam, const QString& achternaam) const;
    void Sorteer();
    void Leegmaken();
    TDeelnemerLijst MaakDeelnemerslijst() const;
    void VulMetDeelnemers(const TDeelnemerLijst& deelnemers);
    void ToonAantal();
    void PasKolombreedtesAan();

    QTableWidget* DeelnemersStringGrid;
    QPushButton* NieuwBitBtn;
    QPushButton* BewerkBitBtn;
    QPushButton* VerwijderBitBtn;
    QPushButton* ExcelBitBtn;
    QPushButton* MaakPoulesBitBtn;
    QStatusBar* StatusBar;

private:
    TMainForm* m_mainForm;
};
