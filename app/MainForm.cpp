#include "app/MainForm.h"

#include "app/Help.h"
#include "app/Icons.h"
#include "app/OptiesDialog.h"
#include "app/Paths.h"
#include "export/Spreadsheet.h"
#include "knockout/KnockoutForm.h"
#include "knockout/KnockoutIndelingForm.h"
#include "knockout/KnockoutView.h"
#include "model/Knockout.h"
#include "model/MessageService.h"
#include "model/Toernooibestand.h"
#include "participants/DeelnemersForm.h"
#include "pools/PouleIndelingForm.h"
#include "pools/PoulesForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QIcon>
#include <QPushButton>
#include <QSaveFile>
#include <QStatusBar>
#include <QStyle>

const QString TMainForm::VersieRegel = QStringLiteral("Zegerooster versie 1.0");

namespace {

const QString GeenDeelnemersTekst = QStringLiteral("Er zijn geen deelnemers ingevoerd.");
const QString BewarenVraag = QStringLiteral("Wilt u het huidige toernooi bewaren?");
const QString LeegToernooiTekst = QStringLiteral("Het toernooi heeft nog geen enkele deelnemer.");
const QString OverschrijvenVraag = QStringLiteral("Wilt u het bestaande bestand overschrijven?");
const QString ToernooiFilter = QStringLiteral("Toernooien (*.txt)|*.txt|Alle bestanden (*.*)|*.*");

constexpr int ClientBreedte = 142;
constexpr int ClientHoogte = 156;
constexpr int StatusBarHoogte = 19;

} // namespace

TMainForm::TMainForm(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_help(new THelp(this)) {
    setWindowTitle(QStringLiteral("Zegerooster"));
    setHelpContext(this, HelpContext::Hoofdvenster);
    setFixedSize(ClientBreedte, ClientHoogte);
    setCentralWidget(new QWidget(this));
    MaakKnoppen();
    move(0, 0);
    MaakVensters();
    KnockoutForm->ZetGewijzigdMelding([this] { ZetGewijzigd(true); });
    Spreadsheet::SetBringToFront([this] {
        raise();
        activateWindow();
    });
    GeefOptiesDoor();
    Bestandsnaam.clear();
    ZetGewijzigd(false);
    ZetProgrammastatus(psGeen);
}

TMainForm::~TMainForm() {
    Spreadsheet::SetBringToFront({});
    // The help windows go first; then the owned windows in creation order,
    // and only then the participants they point into.
    delete m_help;
    m_help = nullptr;
    delete DeelnemersForm;
    delete PouleIndelingForm;
    delete PoulesForm;
    delete KnockoutIndelingForm;
    delete KnockoutForm;
    delete OptiesDialog;
    Deelnemers.clear();
}

void TMainForm::MaakKnoppen() {
    QWidget* vlak = centralWidget();
    auto knop = [vlak](const QString& tekst, QRect plaats) {
        auto* button = new QPushButton(tekst, vlak);
        button->setGeometry(plaats);
        button->setAutoDefault(false);
        return button;
    };
    auto glyphKnop = [&](const QString& hint, QRect plaats, const QIcon& icoon) {
        QPushButton* button = knop(QString(), plaats);
        button->setToolTip(hint);
        button->setIcon(icoon);
        return button;
    };
    // Created in tab order.
    DeelnemersBitBtn = knop(QStringLiteral("&Deelnemers"), {8, 40, 121, 25});
    PoulesBitBtn = knop(QStringLiteral("&Poules"), {8, 72, 121, 25});
    KnockoutBitBtn = knop(QStringLiteral("&Knockout"), {8, 104, 121, 25});
    NieuwBitBtn = glyphKnop(QStringLiteral("Nieuw toernooi"), {8, 8, 25, 25},
                            themaIcoon(QStringLiteral("document-new"), QStyle::SP_FileIcon));
    OpenBitBtn =
        glyphKnop(QStringLiteral("Open toernooi"), {32, 8, 25, 25},
                  themaIcoon(QStringLiteral("document-open"), QStyle::SP_DialogOpenButton));
    BewaarBitBtn =
        glyphKnop(QStringLiteral("Bewaar toernooi"), {56, 8, 25, 25},
                  themaIcoon(QStringLiteral("document-save"), QStyle::SP_DialogSaveButton));
    OptiesBitBtn = glyphKnop(
        QStringLiteral("Opties/Instellingen"), {80, 8, 25, 25},
        themaIcoon(QStringLiteral("preferences-system"), QStyle::SP_FileDialogDetailedView));
    HelpBitBtn =
        glyphKnop(QStringLiteral("Help"), {104, 8, 25, 25},
                  themaIcoon(QStringLiteral("help-contents"), QStyle::SP_DialogHelpButton));

    StatusBar = new QStatusBar(this);
    StatusBar->setFixedHeight(StatusBarHoogte);
    StatusBar->setSizeGripEnabled(false);
    setStatusBar(StatusBar);

    connect(DeelnemersBitBtn, &QPushButton::clicked, this, &TMainForm::DeelnemersBitBtnClick);
    connect(PoulesBitBtn, &QPushButton::clicked, this, &TMainForm::PoulesBitBtnClick);
    connect(KnockoutBitBtn, &QPushButton::clicked, this, &TMainForm::KnockoutBitBtnClick);
    connect(NieuwBitBtn, &QPushButton::clicked, this, &TMainForm::NieuwBitBtnClick);
    connect(OpenBitBtn, &QPushButton::clicked, this, &TMainForm::OpenBitBtnClick);
    connect(BewaarBitBtn, &QPushButton::clicked, this, &TMainForm::BewaarBitBtnClick);
    connect(OptiesBitBtn, &QPushButton::clicked, this, &TMainForm::OptiesBitBtnClick);
    connect(HelpBitBtn, &QPushButton::clicked, this, &TMainForm::HelpBitBtnClick);
}

void TMainForm::MaakVensters() {
    DeelnemersForm = new TDeelnemersForm(this);
    PouleIndelingForm = new TPouleIndelingForm(this);
    PoulesForm = new TPoulesForm(this);
    KnockoutIndelingForm = new TKnockoutIndelingForm(this);
    KnockoutForm = new TKnockoutForm(this);
    OptiesDialog = new TOptiesDialog(this);
}

void TMainForm::GeefOptiesDoor() {
    PoulesForm->PouleSjabloon = OptiesDialog->PouleSjabloon();
    KnockoutForm->ZetExportwaarden(OptiesDialog->KnockoutSjabloon(), OptiesDialog->BeginRij(),
                                   OptiesDialog->BeginKolom());
}

void TMainForm::ZetProgrammastatus(TProgrammastatus status) {
    Programmastatus = status;
    switch (status) {
    case psGeen:
        PoulesBitBtn->setEnabled(false);
        PoulesForm->hide();
        KnockoutBitBtn->setEnabled(false);
        KnockoutForm->hide();
        break;
    case psPoules:
        PoulesBitBtn->setEnabled(true);
        KnockoutBitBtn->setEnabled(false);
        KnockoutForm->hide();
        break;
    case psKnockout:
        PoulesBitBtn->setEnabled(true);
        KnockoutBitBtn->setEnabled(true);
        break;
    case psDirectKnockout:
        PoulesBitBtn->setEnabled(false);
        PoulesForm->hide();
        KnockoutBitBtn->setEnabled(true);
        break;
    }
}

void TMainForm::ZetGewijzigd(bool gewijzigd) {
    Gewijzigd = gewijzigd;
    if (Bestandsnaam.isEmpty()) {
        StatusBar->showMessage(VersieRegel);
        return;
    }
    const QString naam = QFileInfo(Bestandsnaam).completeBaseName();
    StatusBar->showMessage(Gewijzigd ? naam + u'*' : naam);
}

void TMainForm::StartToernooi() {
    ZetProgrammastatus(psGeen);
    Deelnemers = DeelnemersForm->MaakDeelnemerslijst();
    if (Deelnemers.empty()) {
        messages().information(GeenDeelnemersTekst);
        return;
    }
    const int resultaat = PouleIndelingForm->KiesIndeling(Deelnemers);
    TProgrammastatus nieuweStatus;
    if (resultaat > 0) {
        PoulesForm->ToonPoules(Deelnemers);
        nieuweStatus = psPoules;
    } else if (resultaat == 0) {
        KnockoutForm->Bouw(Deelnemers, 0);
        nieuweStatus = psDirectKnockout;
    } else {
        return;
    }
    ZetProgrammastatus(nieuweStatus);
    ZetGewijzigd(true);
}

void TMainForm::StartKnockout() {
    if (!KnockoutIndelingForm->Kies(Deelnemers))
        return;
    KnockoutForm->Bouw(Deelnemers, 1);
    ZetProgrammastatus(psKnockout);
    ZetGewijzigd(true);
}

int TMainForm::ZoekDeelnemer(const QString& voornaam, const QString& achternaam) const {
    for (std::size_t i = 0; i < Deelnemers.size(); ++i) {
        const TDeelnemer& deelnemer = *Deelnemers[i];
        if (deelnemer.Voornaam == voornaam && deelnemer.Achternaam == achternaam)
            return static_cast<int>(i);
    }
    return -1;
}

void TMainForm::NieuwToernooi() {
    ZetProgrammastatus(psGeen);
    DeelnemersForm->Leegmaken();
    KnockoutForm->Leegmaken();
    Deelnemers.clear();
    Bestandsnaam.clear();
    ZetGewijzigd(false);
    DeelnemersForm->show();
    DeelnemersForm->raise();
}

namespace {

// Loading drives the main window's own stage and lists and its windows.
class VenstersAlsDoel : public TToernooiDoel {
public:
    explicit VenstersAlsDoel(TMainForm& venster)
        : m_venster(venster) {}

    void ZetProgrammastatus(int status) override {
        m_venster.ZetProgrammastatus(static_cast<TProgrammastatus>(status));
    }
    TDeelnemerLijst& Deelnemers() override { return m_venster.Deelnemers; }
    void ToonDeelnemers() override {
        m_venster.DeelnemersForm->VulMetDeelnemers(m_venster.Deelnemers);
        m_venster.DeelnemersForm->show();
    }
    void ToonPoules() override { m_venster.PoulesForm->ToonPoules(m_venster.Deelnemers); }
    void BouwKnockouts() override { m_venster.KnockoutForm->Bouw(m_venster.Deelnemers, 2); }
    TKnockout* WinnaarsKnockout() override { return m_venster.KnockoutForm->WinnaarsKnockout(); }
    TKnockout* VerliezersKnockout() override {
        return m_venster.KnockoutForm->VerliezersKnockout();
    }

private:
    TMainForm& m_venster;
};

} // namespace

FileDialogRequest TMainForm::ToernooiDialoog(const QString& titel) const {
    FileDialogRequest verzoek;
    verzoek.title = titel;
    verzoek.filter = ToernooiFilter;
    verzoek.helpContext = HelpContext::Toernooibestand;
    if (Bestandsnaam.isEmpty()) {
        // Never the program's own folder: installed it is no place for
        // tournaments, and a build folder offers its own *.txt files.
        verzoek.directory = Paths::dialogStartFolder(OptiesDialog->ToernooiMap());
    } else {
        const QFileInfo bestand(Bestandsnaam);
        verzoek.directory = bestand.absolutePath();
        verzoek.fileName = bestand.fileName();
    }
    return verzoek;
}

bool TMainForm::OpenToernooi() {
    FileDialogRequest verzoek = ToernooiDialoog(QStringLiteral("Toernooi openen"));
    verzoek.mustExist = true;
    const QString pad = messages().openFile(verzoek);
    return !pad.isEmpty() && LaadToernooi(pad);
}

bool TMainForm::LaadToernooi(const QString& pad) {
    // Read whole before anything changes: a file that cannot be read keeps
    // the current tournament.
    QFile bestand(pad);
    QByteArray inhoud;
    if (bestand.open(QIODevice::ReadOnly))
        inhoud = bestand.readAll();
    if (!bestand.isOpen() || bestand.error() != QFileDevice::NoError) {
        messages().information(Toernooibestand::LaadFoutTekst());
        return false;
    }
    NieuwToernooi();
    VenstersAlsDoel doel(*this);
    if (const auto fout = Toernooibestand::Lees(inhoud, doel)) {
        messages().information(Toernooibestand::LaadFoutTekst(*fout), HelpContext::Toernooibestand);
        NieuwToernooi();
        return false;
    }
    Bestandsnaam = pad;
    ZetGewijzigd(false);
    OptiesDialog->ZetToernooiMap(QFileInfo(pad).absolutePath());
    return true;
}

bool TMainForm::BewaarToernooi() {
    TDeelnemerLijst namen;
    if (Programmastatus == psGeen)
        namen = DeelnemersForm->MaakDeelnemerslijst();
    const TDeelnemerLijst& lijst = Programmastatus == psGeen ? namen : Deelnemers;
    if (lijst.empty()) {
        messages().information(LeegToernooiTekst, HelpContext::Toernooibestand);
        return false;
    }
    FileDialogRequest verzoek = ToernooiDialoog(QStringLiteral("Toernooi bewaren"));
    verzoek.defaultSuffix = QStringLiteral("txt");
    const QString pad = messages().saveFile(verzoek);
    if (pad.isEmpty())
        return false;
    if (QFileInfo::exists(pad) &&
        messages().confirm(OverschrijvenVraag, Buttons::YesNo) != Answer::Yes)
        return false;
    const bool knockouts = Programmastatus == psKnockout || Programmastatus == psDirectKnockout;
    const QByteArray inhoud = Toernooibestand::Schrijf(
        Programmastatus, lijst, knockouts ? KnockoutForm->WinnaarsKnockout() : nullptr,
        knockouts ? KnockoutForm->VerliezersKnockout() : nullptr);
    const QString fout = SchrijfVeilig(pad, inhoud);
    if (!fout.isEmpty()) {
        messages().information(Toernooibestand::BewaarFoutTekst(fout),
                               HelpContext::Toernooibestand);
        return false;
    }
    Bestandsnaam = pad;
    ZetGewijzigd(false);
    OptiesDialog->ZetToernooiMap(QFileInfo(pad).absolutePath());
    return true;
}

QString TMainForm::SchrijfVeilig(const QString& pad, const QByteArray& inhoud) {
    // The new file replaces the old one only once it is complete, so a full
    // disk or a lost connection never costs the organiser the earlier file.
    // Unbuffered, because a buffered flush can miss a short write.
    QSaveFile bestand(pad);
    if (!bestand.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return bestand.errorString();
    for (qint64 geschreven = 0; geschreven < inhoud.size();) {
        const qint64 deel =
            bestand.write(inhoud.constData() + geschreven, inhoud.size() - geschreven);
        if (deel <= 0) {
            const QString fout = bestand.errorString();
            bestand.cancelWriting();
            return fout;
        }
        geschreven += deel;
    }
    if (!bestand.commit())
        return bestand.errorString();
    return {};
}

bool TMainForm::VraagBewaren() {
    if (!Gewijzigd)
        return true;
    switch (messages().confirm(BewarenVraag, Buttons::YesNoCancel)) {
    case Answer::Yes:
        return BewaarToernooi();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (VraagBewaren())
        event->accept();
    else
        event->ignore();
}

void TMainForm::DeelnemersBitBtnClick() {
    DeelnemersForm->show();
    DeelnemersForm->raise();
    DeelnemersForm->activateWindow();
}

void TMainForm::PoulesBitBtnClick() {
    PoulesForm->show();
    PoulesForm->raise();
    PoulesForm->activateWindow();
}

void TMainForm::KnockoutBitBtnClick() {
    KnockoutForm->show();
    KnockoutForm->raise();
    KnockoutForm->activateWindow();
}

void TMainForm::NieuwBitBtnClick() {
    if (VraagBewaren())
        NieuwToernooi();
}

void TMainForm::OpenBitBtnClick() {
    if (VraagBewaren())
        OpenToernooi();
}

void TMainForm::BewaarBitBtnClick() {
    BewaarToernooi();
}

void TMainForm::OptiesBitBtnClick() {
    const bool ok =
        OptiesDialog->Wijzig(PoulesForm->PouleSjabloon, KnockoutForm->KnockoutSjabloon(),
                             KnockoutForm->BeginKolom(), KnockoutForm->BeginRij());
    if (ok)
        GeefOptiesDoor();
}

void TMainForm::HelpBitBtnClick() {
    m_help->ToonStandaard();
}
