#pragma once

#include "model/PouleIndeling.h"

#include <QDialog>

#include <optional>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QStatusBar;

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
};
