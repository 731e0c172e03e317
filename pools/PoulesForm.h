#pragma once

#include "model/Deelnemer.h"
#include "model/Poules.h"
#include "pools/PouleControls.h"
#include "pools/PouleWedstrijdenPaneel.h"

#include <QWidget>

class QKeyEvent;
class QPushButton;
class QTableWidget;
class TToernooiDocument;

// The pools window ("Poules"): one tab per pool, in which the organiser
// enters every participant's final position. It shows the document's
// participants and hands every position to the document as one step.
class TPoulesForm : public QWidget {
    Q_OBJECT

public:
    TPoulesForm(TToernooiDocument& document, QWidget* owner);

    // Shows the document's pools from the first one: a start, a file or an
    // undo brought them.
    void ToonPoules();
    // Fills the grid with the selected pool; also the refresh after the
    // pools themselves have changed.
    void PoulesTabControlChange();
    bool EindstandenCompleet() const;
    void SorteerRooster();
    void VraagEindstand();
    void PasKolombreedtesAan();

    // Grid rows as a grid numbers them: 0 the header, 1.. the participants.
    int RowCount() const;
    int Row() const;
    void SelecteerRij(int rij);
    QString Cel(int kolom, int rij) const;

    // 1 = letter, 2 = name, any other value = position.
    int SorteerKolom = Poules::PosKolom;
    QString PouleSjabloon; // template of the pool export

    TPouleTabControl* PoulesTabControl;
    QTableWidget* DeelnemersStringGrid;
    QPushButton* WijzigBitBtn;
    QPushButton* ExcelBitBtn;
    QPushButton* KnockoutBitBtn;
    QPushButton* AfdrukBitBtn;
    // Beside the grid while the tournament has pool matches.
    TPouleWedstrijdenPaneel* WedstrijdenPaneel;

    // The score of match `wedstrijd` of the shown pool: asks it, asks what
    // the change would touch, and hands it to the document; then selects
    // the next unplayed match.
    void VraagUitslag(int wedstrijd);
    void TellingBitBtnClick();
    void LotenBitBtnClick();
    void VolgordeBitBtnClick();
    // The participant last chosen in the pool's grid or its standings
    // withdraws from a round the organiser gives, or comes back.
    void TeruggetrokkenBitBtnClick();

Q_SIGNALS:
    // "&Knockout -->", with the stage back at the pools: divide and build.
    void KnockoutGevraagd();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormResize();
    // The position keys, whichever control has the focus; true when handled.
    bool FormKeyPress(const QKeyEvent* event);
    void TabGewisseld();
    void VulRooster();
    void WijzigBitBtnClick();
    void ExcelBitBtnClick();
    void KnockoutBitBtnClick();
    // Asks to end a running knockout; true = go on in the pool stage. The
    // document ends it with the change that follows.
    bool VraagTerugNaarPoules(const QString& vraag) const;
    // The list index of the selected row's participant, or -1.
    int GeselecteerdeIndex() const;
    // The document's participants changed under the window.
    void ToonVervangen();
    // Pools or positions changed in the document.
    void ToonWijziging();
    bool MetWedstrijden() const;
    // Shows the matches of the selected pool, or hides them when the
    // tournament has none; the window widens for them.
    void ToonWedstrijden();
    // Whether a change of the shown pool that gives it these standings may
    // go on: the questions about positions set by hand and a running
    // knockout. `herbereken` returns the answer to the first.
    bool MagStandWijzigen(const Poulewedstrijden::TStand& stand, bool& herbereken) const;

    TToernooiDocument& m_document;
    int m_gekozen = -1; // list index of the participant last chosen, for a withdrawal
    QWidget* m_vlak;    // the client area inside the 10-pixel border
    const TDeelnemerLijst* m_deelnemers = nullptr;
    // The participants of every pool, so that a tab change reads one pool.
    Poules::TPouleIndex m_pouleIndex;
    // The list indices in the order the rows stood when the user began to
    // type positions; Up and Down follow it while the typed rows re-sort.
    std::vector<int> m_typVolgorde;
    // Another tournament or participant came: the pool matches measure the
    // names again when next shown.
    bool m_meetNamen = true;
    bool m_metWedstrijden = false; // the tournament has pool matches
    // The client width the window was designed with.
    int OntwerpBreedte() const;
    void BinnenScherm();
    std::size_t m_aantalGemeten = 0;
    // Up or Down after a typed position: the neighbour in m_typVolgorde;
    // false when the typing is over and the keys move through the grid.
    bool VolgTypVolgorde(int stap);
};
