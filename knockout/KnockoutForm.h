#pragma once

#include "model/Deelnemer.h"

#include <QWidget>

#include <functional>
#include <memory>

class QPushButton;
class QScrollArea;
class QTabWidget;
class TKnockout;
class TKnockoutNaarExcelForm;
class TKnockoutView;

// The knockout window: the winners' round and the losers' round, each on its
// own tab in a scrolling frame, and the two export buttons. It also keeps
// the knockout export values on behalf of the options.
class TKnockoutForm : public QWidget {
    Q_OBJECT

public:
    explicit TKnockoutForm(QWidget* owner);
    ~TKnockoutForm() override;

    // Builds both brackets from the participant list, 0 = random draw, 1 =
    // seeded from the pool results, 2 = empty (for loading); then shows the
    // window. The brackets report changes of tournament data to `gewijzigd`.
    void Bouw(TDeelnemerLijst& deelnemers, int indeling);
    // Drops both brackets, before the participants they point to go.
    void Leegmaken() { VerwijderKnockouts(); }
    // Where the brackets report that the tournament changed.
    void ZetGewijzigdMelding(std::function<void()> gewijzigd) {
        m_gewijzigd = std::move(gewijzigd);
    }

    TKnockout* WinnaarsKnockout() const { return m_winnaars.get(); }
    TKnockout* VerliezersKnockout() const { return m_verliezers.get(); }
    TKnockoutView* WinnaarsView() const { return m_winnaarsView; }
    TKnockoutView* VerliezersView() const { return m_verliezersView; }

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

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void VerwijderKnockouts();
    void PasIndelingAan();
    void ExcelWinnaarsRondeBitBtnClick();
    void ExcelVerliezersrondeBitBtnClick();

    std::unique_ptr<TKnockout> m_winnaars;
    std::unique_ptr<TKnockout> m_verliezers;
    TKnockoutView* m_winnaarsView = nullptr;
    TKnockoutView* m_verliezersView = nullptr;
    std::function<void()> m_gewijzigd;
};
