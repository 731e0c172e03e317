#pragma once

#include "model/Deelnemer.h"

#include <QDialog>

class QPushButton;
class QTableWidget;
class TToernooiDocument;
class TPouleTabControl;

// The pool editing window ("Poules wijzigen"): two pools side by side, a
// swap of one participant of each, and late registration into the smallest
// pool. The pools window creates it for one use and runs WijzigPoules.
class TPoulesWijzigenForm : public QDialog {
    Q_OBJECT

public:
    TPoulesWijzigenForm(TToernooiDocument& document, QWidget* owner);

    // Shows the document's pools and returns when the window closes.
    void WijzigPoules();
    void VulRooster(TPouleTabControl* tabs, QTableWidget* grid);
    void PlaatsRooster(TPouleTabControl* tabs, QTableWidget* grid);

    void WisselBitBtnClick();
    void LateInschrijvingBitBtnClick();

    // The swap button's caption: one letter per line, reading downwards.
    static const QString WisselTekst;

    TPouleTabControl* TabControlLinks;
    QTableWidget* StringGridLinks;
    QPushButton* WisselBitBtn;
    TPouleTabControl* TabControlRechts;
    QTableWidget* StringGridRechts;
    QPushButton* LateInschrijvingBitBtn;
    QPushButton* SluitBitBtn;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormResize();

    TToernooiDocument& m_document;
    const TDeelnemerLijst* m_deelnemers = nullptr;
};
