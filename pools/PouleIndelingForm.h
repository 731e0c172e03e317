#pragma once

#include "model/Deelnemer.h"
#include "model/PouleIndeling.h"

#include <QDialog>

#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QStatusBar;

// The pool-division window ("Poule-indeling"): lists every division of the
// participants into pools of two adjacent sizes and draws the chosen one.
class TPouleIndelingForm : public QDialog {
    Q_OBJECT

public:
    explicit TPouleIndelingForm(QWidget* owner);

    // The number of pools when a division was chosen and drawn, 0 for
    // "&Direct naar knockout" (everyone then plays in the winners' round),
    // -1 when the user cancelled.
    int KiesIndeling(TDeelnemerLijst& deelnemers);
    void BepaalIndelingen();
    void VulLijst();
    void VerdeelDeelnemers();

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

    TDeelnemerLijst* m_deelnemers = nullptr;
};
