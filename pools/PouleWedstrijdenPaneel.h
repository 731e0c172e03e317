#pragma once

#include "model/Deelnemer.h"
#include "model/Poulewedstrijden.h"

#include <QWidget>

#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;
class TToernooiDocument;

// The pool matches of the pool on the selected tab, beside its grid: the
// matches in round order with their scores, the standings that follow from
// them, and a cross table. It shows one pool at a time and fills it only
// when shown; a changed score rewrites only the cells whose text changed,
// so one entry repaints a handful of cells whatever the tournament's size.
class TPouleWedstrijdenPaneel : public QWidget {
    Q_OBJECT

public:
    TPouleWedstrijdenPaneel(const TToernooiDocument& document, QWidget* parent);

    // Shows pool `poule` (from 1); 0 shows nothing.
    void ToonPoule(int poule);
    int Poule() const { return m_poule; }
    // The shown pool's data changed in the document.
    void Ververs();

    // The match of the selected row, -1 when none.
    int GeselecteerdeWedstrijd() const;
    void SelecteerWedstrijd(int wedstrijd);
    // The first unplayed match after `wedstrijd`, round the end; -1 when
    // every match is played.
    int VolgendeOngespeeld(int wedstrijd) const;
    // The participant of the selected standings row, -1 when none.
    int GeselecteerdeStandDeelnemer() const;
    // Measures the names and pool sizes of the tournament: the columns fit
    // the longest name, so that a tab change never moves a column.
    void MeetNamen();
    // The width the panel needs for its columns.
    int NodigeBreedte() const;

    QTableWidget* WedstrijdenGrid;
    QTableWidget* StandGrid;
    QTableWidget* KruistabelGrid;
    QPushButton* TellingBitBtn;
    // Marks the chosen participant withdrawn, or back.
    QPushButton* TeruggetrokkenBitBtn;
    QPushButton* LotenBitBtn;
    QPushButton* VolgordeBitBtn;
    QLabel* StandLabel;

Q_SIGNALS:
    // Enter or a double-click on a match.
    void UitslagGevraagd(int wedstrijd);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const Poulewedstrijden::TPoule* Data() const;
    QString Naam(int deelnemer) const;
    const TDeelnemer* Deelnemer(int deelnemer) const;
    QString Letter(int deelnemer) const;
    void VulWedstrijden(bool opnieuw);
    void VulStand();
    void VulKruistabel(bool opnieuw);
    void PasKoppenAan();
    void PlaatsDelen();
    void ZetStandTekst(const QString& tekst);

    const TToernooiDocument& m_document;
    int m_poule = 0;
    std::vector<int> m_leden; // the shown pool's members in list order
    int m_naamBreedte = 0;
    int m_grootstePoule = 0;
    QString m_standTekst;
};
