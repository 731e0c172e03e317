#pragma once

#include "model/Deelnemer.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QTabWidget;
class QToolButton;
class TKnockout;
class TToernooiDocument;
class TKnockoutNaarExcelForm;
class TKnockoutView;

// The knockout window: the winners' round and the losers' round of the
// document, each on its own tab in a scrolling frame, and the two export
// buttons. It also keeps the knockout export values on behalf of the options.
class TKnockoutForm : public QWidget {
    Q_OBJECT

public:
    TKnockoutForm(TToernooiDocument& document, QWidget* owner);
    ~TKnockoutForm() override;

    const TKnockout* WinnaarsKnockout() const;
    const TKnockout* VerliezersKnockout() const;

    // The export values, kept in the export dialog.
    QString KnockoutSjabloon() const;
    int BeginRij() const;
    int BeginKolom() const;
    void ZetExportwaarden(const QString& knockoutSjabloon, int beginRij, int beginKolom);

    // Exports a bracket after the user has chosen its labels here.
    TKnockoutNaarExcelForm* ExportDialoog;

    QTabWidget* PageControl;
    QScrollArea* WinnaarsFrame;
    QScrollArea* VerliezersFrame;
    QPushButton* ExcelWinnaarsRondeBitBtn;
    QPushButton* ExcelVerliezersrondeBitBtn;
    QPushButton* AfdrukBitBtn;
    // Says what a correction cleared.
    QStatusBar* StatusBar;
    // For the bracket shown: a participant withdraws (or is back), and one
    // who arrives late takes an open bye. They stand at the right of the
    // status bar, where they leave the designed controls as they are.
    QToolButton* TeruggetrokkenBitBtn;
    QToolButton* LaatkomerBitBtn;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void VerwijderViews();
    void MaakViews();
    // New brackets stand in the document: shown from the winners' round.
    void ToonGebouwd();
    TKnockoutView* MaakView(const TKnockout* knockout, QScrollArea* frame);
    void PasIndelingAan();
    void ExcelWinnaarsRondeBitBtnClick();
    void ExcelVerliezersrondeBitBtnClick();
    const TKnockout* GetoondeKnockout() const;
    void TeruggetrokkenBitBtnClick();
    void LaatkomerBitBtnClick();

    TToernooiDocument& m_document;
    TKnockoutView* m_winnaarsView = nullptr;
    TKnockoutView* m_verliezersView = nullptr;
    // "Geen deelnemers in deze ronde" over an empty bracket's frame.
    QLabel* m_winnaarsLeeg = nullptr;
    QLabel* m_verliezersLeeg = nullptr;
};
