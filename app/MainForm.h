#pragma once

#include "app/OpVraag.h"
#include "model/Deelnemer.h"
#include "model/MessageService.h"
#include "model/Programmastatus.h"
#include "model/ToernooiDocument.h"

#include <QMainWindow>

#include <memory>

class QPushButton;
class QStatusBar;
class THelp;
class TDeelnemersForm;
class TPouleIndelingForm;
class TPoulesForm;
class TKnockoutIndelingForm;
class TKnockoutForm;
class TOptiesDialog;
class TPresentatieForm;
class TBanenForm;
class TToernooiDocument;
class THerstel;

// The main window: owns the tournament document and the long-lived windows of
// every stage, and carries the tournament lifecycle as steps over the
// document. It shows the stage and the unsaved changes the document reports.
class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    void ZetProgrammastatus(TProgrammastatus status);
    void ZetGewijzigd(bool gewijzigd);
    void StartToernooi();
    void StartKnockout();
    // After a knockout draw: the club meetings before the semi-final it
    // could not avoid, when clubs take part.
    void MeldClubOntmoetingen();
    void NieuwToernooi();
    // Asks for a file and replaces the tournament by its content; true
    // when a tournament was loaded. Virtual so a test can stand in for it.
    virtual bool OpenToernooi();
    // Replaces the tournament by the content of the given file, with the
    // messages of opening; true when a tournament was loaded. Opening runs it
    // on the chosen file, and so does a file named on the command line.
    bool LaadToernooi(const QString& pad);
    // Asks for a file and writes the tournament; true when written completely.
    virtual bool BewaarToernooi();

    // The tournament: stage, participants, brackets, file name, changes.
    TToernooiDocument& Document() const { return *m_document; }

    // Undo and redo of the last step, as Ctrl+Z and Ctrl+Y do in every window.
    void OngedaanMakenBitBtnClick();
    void OpnieuwBitBtnClick();
    // Opens or closes the presentation, as F11 does in every window.
    void PresentatieBitBtnClick();
    // The recovery question at start; false when nothing was recovered.
    bool BiedHerstelAan();
    THerstel& Herstel() const { return *m_herstel; }
    // The program is asked to end from outside (SIGTERM at a logout):
    // unsaved changes are kept for recovery, and no question is asked.
    void Beeindig();

    // Controls, named as the window's design names them.
    QPushButton* DeelnemersBitBtn;
    QPushButton* PoulesBitBtn;
    QPushButton* KnockoutBitBtn;
    QPushButton* NieuwBitBtn;
    QPushButton* OpenBitBtn;
    QPushButton* BewaarBitBtn;
    QPushButton* OptiesBitBtn;
    QPushButton* HelpBitBtn;
    QPushButton* OngedaanMakenBitBtn;
    QPushButton* OpnieuwBitBtn;
    QPushButton* PresentatieBitBtn;
    // Beyond the design: the courts of the day, beside the stage buttons.
    QPushButton* BanenBitBtn;
    QStatusBar* StatusBar;

    // The owned long-lived windows, each made hidden when first needed.
    TOpVraag<TDeelnemersForm> DeelnemersForm;
    TOpVraag<TPouleIndelingForm> PouleIndelingForm;
    TOpVraag<TPoulesForm> PoulesForm;
    TOpVraag<TKnockoutIndelingForm> KnockoutIndelingForm;
    TOpVraag<TKnockoutForm> KnockoutForm;
    TOpVraag<TOptiesDialog> OptiesDialog;
    // The hall's full-screen view; F11 opens and closes it from every window.
    TOpVraag<TPresentatieForm> PresentatieForm;
    // The courts and times of the day.
    TOpVraag<TBanenForm> BanenForm;

    THelp& Help() { return *m_help; }

    // The version line the status bar shows while no file is in use.
    static const QString VersieRegel;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MaakKnoppen();
    TDeelnemersForm* MaakDeelnemersForm();
    TPoulesForm* MaakPoulesForm();
    TKnockoutForm* MaakKnockoutForm();
    TBanenForm* MaakBanenForm();
    // The courts window's call, large on the presentation.
    void ToonOproep(const QStringList& regels);
    void GeefOptiesDoor();
    // The save question shared by new, open and close; true = go on.
    bool VraagBewaren();
    FileDialogRequest ToernooiDialoog(const QString& titel) const;
    void KoppelDocument();
    // The buttons and windows of the document's stage.
    void ToonProgrammastatus(TProgrammastatus status);
    void ToonStatusregel();
    void ToonGeschiedenis();
    // After undo or redo: the windows a changed stage needs come up.
    void ToonHersteldeStage(int vorigeStatus);
    // After open or recovery: the windows of the loaded stage.
    void ToonGeladenToernooi();

    void DeelnemersBitBtnClick();
    void PoulesBitBtnClick();
    void KnockoutBitBtnClick();
    void BanenBitBtnClick();
    void NieuwBitBtnClick();
    void OpenBitBtnClick();
    void BewaarBitBtnClick();
    void OptiesBitBtnClick();
    void HelpBitBtnClick();

    THelp* m_help;
    TToernooiDocument* m_document;
    THerstel* m_herstel;
    bool m_beeindigd = false;
};
