#pragma once

#include "model/Planning.h"

#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QTableView;
class TDagInstellingenForm;
class TToernooiDocument;
class TVerplaatsForm;

// "Banen": the tournament day at the courts. At the top every court with the
// match on it now, the one it gets next and their times; below it the whole
// plan as a grid of courts by start times, in which a match is dragged to
// another court or time (or moved by keyboard with "Verplaatsen..."), and
// the clashes of the plan as it stands. The window keeps nothing of the
// tournament but a copy of the day's overview, which the document's signals
// renew; every change goes through the document.
class TBanenForm : public QWidget {
    Q_OBJECT

public:
    explicit TBanenForm(TToernooiDocument& document, QWidget* owner = nullptr);
    ~TBanenForm() override;

    QPushButton* InstellingenBitBtn;
    QPushButton* PlanningBitBtn;
    QPushButton* VerplaatsBitBtn;
    QPushButton* OproepenBitBtn;
    QPushButton* AfdrukkenBitBtn;
    QLabel* ResultaatLabel;
    QTableView* BanenGrid;
    QTableView* PlanningGrid;
    QLabel* BotsingenLabel;
    QListWidget* BotsingenLijst;

    // The dialogs, made when first needed.
    TDagInstellingenForm* InstellingenForm();
    TVerplaatsForm* VerplaatsForm();

    void InstellingenBitBtnClick();
    void PlanningBitBtnClick();
    void VerplaatsBitBtnClick();
    void OproepenBitBtnClick();

    // Reads the day from the document again; the signals set it off, and
    // the benchmark calls it.
    void Vernieuw();
    const Planning::TDagoverzicht& Overzicht() const { return m_overzicht; }
    const std::vector<Planning::TBaanStand>& Stand() const { return m_banen; }
    // Puts the plan grid's cursor on a match of the overview; false when it
    // is not in the grid.
    bool KiesWedstrijd(int index);
    // The match under the plan grid's cursor, or -1.
    int GekozenWedstrijd() const;

    // "Baan 3: Jan de Vries – Piet Bakker".
    static QString OproepRegel(const Planning::TDagInstellingen& instellingen,
                               const Planning::TDagWedstrijd& wedstrijd);

Q_SIGNALS:
    // The calls to show large in the hall, one line per court.
    void Oproepen(const QStringList& regels);

protected:
    void showEvent(QShowEvent* event) override;

private:
    class TPlanningModel;
    class TBanenModel;

    // Signals come in bursts (a call, the plan, the step's end): one read
    // of the day after them, and none while the window is hidden.
    void VraagVernieuwing();
    void Verplaats(const Planning::TWedstrijdPlek& plek, int baan, int begin);
    void PasKolommenAan();
    int Index(const Planning::TWedstrijdPlek& plek) const;

    TToernooiDocument& m_document;
    // Copies: the document's tournament is replaced by an open or an undo,
    // and the grids may paint before the next read.
    Planning::TDagInstellingen m_instellingen;
    Planning::TDagoverzicht m_overzicht;
    std::vector<Planning::TBaanStand> m_banen;
    TPlanningModel* m_planning;
    TBanenModel* m_banenModel;
    TDagInstellingenForm* m_instellingenForm = nullptr;
    TVerplaatsForm* m_verplaatsForm = nullptr;
    bool m_vernieuwingGevraagd = false;
    std::size_t m_gemeten = 0; // matches when the plan's columns were measured
    bool m_verouderd = true;
    // What the last move did, for the line above the clashes at the next read.
    std::optional<QString> m_verplaatsing;
    QStringList m_getoondeBotsingen; // what the clash list shows
    // The match the plan grid's cursor is on, where a cell holds more.
    std::optional<Planning::TWedstrijdPlek> m_cursor;
    // Which grid the organiser chose in last: the plan's or the courts'.
    bool m_planningGekozen = false;
};
