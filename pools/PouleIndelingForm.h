#pragma once

#include "model/PouleIndeling.h"
#include "model/Poulewedstrijden.h"

#include <QDialog>

#include <optional>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QStatusBar;
class TTellingKeuze;

// The pool-division window ("Poule-indeling"): lists every division of the
// participants into pools of two adjacent sizes and returns the chosen one;
// the document draws it.
class TPouleIndelingForm : public QDialog {
    Q_OBJECT

public:
    explicit TPouleIndelingForm(QWidget* owner);

    // What the user chose for `aantalDeelnemers`: a division, or
    // "&Direct naar knockout" (everyone then plays in the winners' round);
    // neither when cancelled.
    struct TKeuze {
        std::optional<TPouleIndeling> Indeling;
        bool DirectKnockout = false;
        // The scoring system of the pool matches, chosen beside the division.
        Poulewedstrijden::TTelling Telling;
    };
    TKeuze KiesIndeling(int aantalDeelnemers);
    void BepaalIndelingen();
    void VulLijst();

    std::vector<TPouleIndeling> Indelingen;

    QLineEdit* KleinstePouleGrootteEdit;
    QLineEdit* GrootstePouleGrootteEdit;
    QPushButton* BepaalMogelijkhedenBitBtn;
    QListWidget* PouleIndelingenListBox;
    QPushButton* OKBitBtn;
    QPushButton* AnnulerenBitBtn;
    QPushButton* DirectKnockoutBitBtn;
    QStatusBar* StatusBar;
    // Beside the designed controls, to their right.
    TTellingKeuze* TellingKeuze;

    // The result code of "&Direct naar knockout".
    static constexpr int DirectKnockoutResultaat = 2;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void MaakGroottePaneel();
    void MaakLijstEnKnoppen();
    void PasIndelingAan();
    void PasBreedteAan();
    int GeselecteerdeRegel() const;
    void LeegLijst();
    void ToonFout(QLineEdit* veld, const QString& melding);

    void OKBitBtnClick();
    void PouleIndelingenListBoxDblClick();
    void DirectKnockoutBitBtnClick();

    int m_aantalDeelnemers = 0; // while the window is open
    // The width of the designed part of the window; the scoring system
    // takes its own room to the right of it.
    int m_ontwerpBreedte = 0;
    int TellingBreedte() const;
};
