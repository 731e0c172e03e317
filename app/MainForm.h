#pragma once

#include "model/Deelnemer.h"
#include "model/MessageService.h"
#include "model/Programmastatus.h"

#include <QMainWindow>

class QPushButton;
class QStatusBar;
class THelp;
class TDeelnemersForm;
class TPouleIndelingForm;
class TPoulesForm;
class TKnockoutIndelingForm;
class TKnockoutForm;
class TOptiesDialog;

// The main window: owns the running tournament's participants and the
// long-lived windows of every stage, records the stage and whether there are
// unsaved changes, and carries the tournament lifecycle.
class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    void ZetProgrammastatus(TProgrammastatus status);
    void ZetGewijzigd(bool gewijzigd);
    void StartToernooi();
    void StartKnockout();
    int ZoekDeelnemer(const QString& voornaam, const QString& achternaam) const;
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

    TProgrammastatus Programmastatus = psGeen;
    bool Gewijzigd = false;
    QString Bestandsnaam;
    TDeelnemerLijst Deelnemers;

    // Controls, named as the window's design names them.
    QPushButton* DeelnemersBitBtn;
    QPushButton* PoulesBitBtn;
    QPushButton* KnockoutBitBtn;
    QPushButton* NieuwBitBtn;
    QPushButton* OpenBitBtn;
    QPushButton* BewaarBitBtn;
    QPushButton* OptiesBitBtn;
    QPushButton* HelpBitBtn;
    QStatusBar* StatusBar;

    // The owned long-lived windows, created hidden in this order.
    TDeelnemersForm* DeelnemersForm = nullptr;
    TPouleIndelingForm* PouleIndelingForm = nullptr;
    TPoulesForm* PoulesForm = nullptr;
    TKnockoutIndelingForm* KnockoutIndelingForm = nullptr;
    TKnockoutForm* KnockoutForm = nullptr;
    TOptiesDialog* OptiesDialog = nullptr;

    THelp& Help() { return *m_help; }

    // The version line the status bar shows while no file is in use.
    static const QString VersieRegel;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void MaakKnoppen();
    void MaakVensters();
    void GeefOptiesDoor();
    // The save question shared by new, open and close; true = go on.
    bool VraagBewaren();
    FileDialogRequest ToernooiDialoog(const QString& titel) const;
    // Writes the whole file or leaves the old one as it was; the failure's
    // own message, or nothing on success.
    static QString SchrijfVeilig(const QString& pad, const QByteArray& inhoud);

    void DeelnemersBitBtnClick();
    void PoulesBitBtnClick();
    void KnockoutBitBtnClick();
    void NieuwBitBtnClick();
    void OpenBitBtnClick();
    void BewaarBitBtnClick();
    void OptiesBitBtnClick();
    void HelpBitBtnClick();

    THelp* m_help;
};
