#pragma once

#include "model/Poulewedstrijden.h"

#include <QGroupBox>
#include <QStringList>

#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

// A list whose order the user sets: the buttons or Ctrl+Up and Ctrl+Down
// move the current line. Each line carries a number, which Volgorde returns
// in the order shown; with `aanvinken` only the lines that are ticked.
class TVolgordeLijst : public QWidget {
    Q_OBJECT

public:
    explicit TVolgordeLijst(QWidget* parent);

    void ZetRegels(const QStringList& teksten, const std::vector<int>& nummers,
                   const std::vector<bool>& aangevinkt = {});
    std::vector<int> Volgorde() const;
    // Moves the current line up (-1) or down (+1), keeping it current.
    void Verplaats(int stap);

    QListWidget* Lijst;
    QPushButton* OmhoogKnop;
    QPushButton* OmlaagKnop;

Q_SIGNALS:
    void Gewijzigd();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PasKnoppenAan();
    bool m_aanvinken = false;
};

// The choice of the scoring system of the pool matches: a preset, the
// points of a win, a draw and a loss where they count, and for a custom
// order the ranking steps and the way a match is scored.
class TTellingKeuze : public QGroupBox {
    Q_OBJECT

public:
    explicit TTellingKeuze(QWidget* parent);

    Poulewedstrijden::TTelling Telling() const;
    void ZetTelling(const Poulewedstrijden::TTelling& telling);
    // The room the box needs in its widest and its tallest form.
    int NodigeBreedte() const;
    int NodigeHoogte() const;

    QComboBox* SysteemComboBox;
    QSpinBox* WinstSpinBox;
    QSpinBox* GelijkSpinBox;
    QSpinBox* VerliesSpinBox;
    // The score a walkover counts as under one score per side.
    QSpinBox* WalkoverVoorSpinBox;
    QSpinBox* WalkoverTegenSpinBox;
    QComboBox* SpelvormComboBox;
    TVolgordeLijst* CriteriaLijst;
    QLabel* BeschrijvingLabel;

private:
    void ToonVoorSysteem();
    Poulewedstrijden::TSysteem Systeem() const;

    Poulewedstrijden::TSysteem m_vorige = Poulewedstrijden::TSysteem::Badminton;
    QWidget* m_punten;
    QWidget* m_walkover;
    QWidget* m_spelvorm;
};
