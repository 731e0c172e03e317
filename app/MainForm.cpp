#include "app/MainForm.h"

#include "app/Herstel.h"
#include "app/OptiesDialog.h"
#include "app/PresentatieForm.h"
#include "courts/BanenForm.h"
#include "export/Spreadsheet.h"
#include "knockout/KnockoutForm.h"
#include "knockout/KnockoutIndelingForm.h"
#include "knockout/KnockoutView.h"
#include "model/Bestand.h"
#include "model/Deelnemerslijst.h"
#include "model/Knockout.h"
#include "model/MessageService.h"
#include "model/PouleIndeling.h"
#include "model/Text.h"
#include "model/ToernooiDocument.h"
#include "model/Toernooibestand.h"
#include "model/Uitbreiding.h"
#include "participants/DeelnemersForm.h"
#include "pools/PouleIndelingForm.h"
#include "pools/PoulesForm.h"
#include "ui/Help.h"
#include "ui/Icons.h"
#include "ui/Paths.h"
#include "ui/Scherm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <vector>

const QString TMainForm::VersieRegel = QStringLiteral("Zegerooster versie 1.0");

namespace {

const QString GeenDeelnemersTekst = QStringLiteral("Er zijn geen deelnemers ingevoerd.");
const QString BewarenVraag = QStringLiteral("Wilt u het huidige toernooi bewaren?");
const QString LeegToernooiTekst = QStringLiteral("Het toernooi heeft nog geen enkele deelnemer.");
const QString OverschrijvenVraag = QStringLiteral("Wilt u het bestaande bestand overschrijven?");
const QString ToernooiFilter = QStringLiteral("Toernooien (*.txt)|*.txt|Alle bestanden (*.*)|*.*");

const QString OngedaanMakenHint = QStringLiteral("Ongedaan maken");
const QString OpnieuwHint = QStringLiteral("Opnieuw");

// Wide enough for the undo, redo and presentation buttons after the five
// glyph buttons.
constexpr int ClientBreedte = 209;
constexpr int ClientHoogte = 156;
constexpr int StatusBarHoogte = 19;

QString HerstelVraag(const QDateTime& tijd, int deelnemers, const QString& bestandsnaam) {
    QString vraag = QStringLiteral("Het toernooi is op %1 om %2 niet bewaard afgesloten")
                        .arg(tijd.toString(QStringLiteral("d-M-yyyy")),
                             tijd.toString(QStringLiteral("HH:mm:ss")));
    if (!bestandsnaam.isEmpty())
        vraag += QStringLiteral(" (") + QFileInfo(bestandsnaam).fileName() + u')';
    vraag += QStringLiteral(". Het telt ") +
             (deelnemers == 1 ? QStringLiteral("1 deelnemer")
                              : QString::number(deelnemers) + QStringLiteral(" deelnemers")) +
             u'.' + Text::lineBreak + Text::lineBreak +
             QStringLiteral("Wilt u het niet bewaarde toernooi herstellen?");
    return vraag;
}

QString HerstelBeschadigdTekst(const QString& opzij) {
    return QStringLiteral("Het herstelbestand van het vorige toernooi is beschadigd en kan niet "
                          "worden geladen. Het is opzij gezet als:") +
           Text::lineBreak + Text::lineBreak + QDir::toNativeSeparators(opzij);
}

// A window not made yet has nothing to hide.
void verberg(QWidget* venster) {
    if (venster)
        venster->hide();
}

// As designed, or wider when the desktop's font needs more room for the
// version line: a status bar keeps 6 px left and 12 px right of its text.
int Breedte(const QFontMetrics& maat) {
    const int versie = maat.tightBoundingRect(TMainForm::VersieRegel).right() + 1;
    return std::max(ClientBreedte, versie + 6 + 12);
}

} // namespace

TMainForm::TMainForm(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , DeelnemersForm([this] { return MaakDeelnemersForm(); })
    , PouleIndelingForm([this] { return new TPouleIndelingForm(this); })
    , PoulesForm([this] { return MaakPoulesForm(); })
    , KnockoutIndelingForm([this] { return new TKnockoutIndelingForm(this); })
    , KnockoutForm([this] { return MaakKnockoutForm(); })
    , OptiesDialog([this] { return new TOptiesDialog(this); })
    // A window of its own, not owned by this one: it must not stay above
    // the main window or share its screen.
    , PresentatieForm([this] { return new TPresentatieForm(*m_document); })
    , BanenForm([this] { return MaakBanenForm(); })
    , m_help(new THelp(this))
    , m_document(new TToernooiDocument(this))
    , m_herstel(new THerstel(*m_document, &Bestand::SchrijfVeilig, this)) {
    setWindowTitle(QStringLiteral("Zegerooster"));
    setHelpContext(this, HelpContext::Hoofdvenster);
    setFixedSize(Breedte(fontMetrics()), ClientHoogte);
    setCentralWidget(new QWidget(this));
    MaakKnoppen();
    move(0, 0);
    KoppelDocument();
    Spreadsheet::SetBringToFront([this] {
        raise();
        activateWindow();
    });
    ZetGewijzigd(false);
    ZetProgrammastatus(psGeen);
    ToonGeschiedenis();
    // Ctrl+Z, Ctrl+Y, Ctrl+N, Ctrl+O and Ctrl+S reach this window from every
    // window of the program.
    QApplication::instance()->installEventFilter(this);
}

TMainForm::~TMainForm() {
    QApplication::instance()->removeEventFilter(this);
    Spreadsheet::SetBringToFront({});
    // The help windows go first; then the owned windows in creation order,
    // and only then the tournament they show.
    delete m_help;
    m_help = nullptr;
    delete DeelnemersForm.Gemaakt();
    delete PouleIndelingForm.Gemaakt();
    delete PoulesForm.Gemaakt();
    delete KnockoutIndelingForm.Gemaakt();
    delete KnockoutForm.Gemaakt();
    delete OptiesDialog.Gemaakt();
    delete BanenForm.Gemaakt();
    delete PresentatieForm.Gemaakt();
    delete m_herstel;
    delete m_document;
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
        // A glyph says nothing to a screen reader; the hint does.
        button->setAccessibleName(hint);
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
    OngedaanMakenBitBtn = glyphKnop(OngedaanMakenHint, {128, 8, 25, 25},
                                    themaIcoon(QStringLiteral("edit-undo"), QStyle::SP_ArrowBack));
    OpnieuwBitBtn = glyphKnop(OpnieuwHint, {152, 8, 25, 25},
                              themaIcoon(QStringLiteral("edit-redo"), QStyle::SP_ArrowForward));
    PresentatieBitBtn =
        glyphKnop(QStringLiteral("Presentatie (F11)"), {176, 8, 25, 25},
                  themaIcoon(QStringLiteral("x-office-presentation"), QStyle::SP_MediaPlay));
    // In the room the design leaves right of the stage buttons, under the
    // glyphs' right edge, so no designed control moves.
    BanenBitBtn = knop(QStringLiteral("&Banen"), {137, 104, 64, 25});
    BanenBitBtn->setToolTip(QStringLiteral("Banen en tijden van de dag"));

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
    connect(OngedaanMakenBitBtn, &QPushButton::clicked, this, &TMainForm::OngedaanMakenBitBtnClick);
    connect(OpnieuwBitBtn, &QPushButton::clicked, this, &TMainForm::OpnieuwBitBtnClick);
    connect(PresentatieBitBtn, &QPushButton::clicked, this, &TMainForm::PresentatieBitBtnClick);
    connect(BanenBitBtn, &QPushButton::clicked, this, &TMainForm::BanenBitBtnClick);
}

// The windows that show the tournament are made with the document as it
// stands, and the options reach them from the options dialog when they are made.
// The participant and pools windows open side by side to the right of this
// one, at the designed gaps: windows that grew for new buttons push their
// neighbours right instead of covering them.
TDeelnemersForm* TMainForm::MaakDeelnemersForm() {
    auto* form = new TDeelnemersForm(*m_document, this);
    // The gaps lie between the frames the window manager draws.
    const QMargins rand = vensterRand(form, this);
    plaatsKader(form, {std::max(form->x(), kader(this, rand).right() + 1 + 18), form->y()}, rand);
    connect(form, &TDeelnemersForm::PoulesGevraagd, this, &TMainForm::StartToernooi);
    return form;
}

TPoulesForm* TMainForm::MaakPoulesForm() {
    auto* form = new TPoulesForm(*m_document, this);
    const QMargins rand = vensterRand(form, this);
    plaatsKader(
        form, {std::max(form->x(), kader(DeelnemersForm.get(), rand).right() + 1 + 10), form->y()},
        rand);
    connect(form, &TPoulesForm::KnockoutGevraagd, this, &TMainForm::StartKnockout);
    form->PouleSjabloon = OptiesDialog->PouleSjabloon();
    return form;
}

TBanenForm* TMainForm::MaakBanenForm() {
    auto* form = new TBanenForm(*m_document, this);
    connect(form, &TBanenForm::Oproepen, this, &TMainForm::ToonOproep);
    return form;
}

void TMainForm::ToonOproep(const QStringList& regels) {
    // A call is meant for the hall: the presentation opens for it.
    PresentatieForm->ToonOproep(regels);
    if (!PresentatieForm->isVisible())
        PresentatieForm->Open(this);
}

TKnockoutForm* TMainForm::MaakKnockoutForm() {
    auto* form = new TKnockoutForm(*m_document, this);
    // Below the windows above it, 10 pixels from their frames, down to the
    // bottom of the screen.
    const QMargins rand = vensterRand(form, this);
    int boven = form->y();
    for (const QWidget* erboven :
         {static_cast<const QWidget*>(this), static_cast<const QWidget*>(DeelnemersForm.Gemaakt()),
          static_cast<const QWidget*>(PoulesForm.Gemaakt())})
        if (erboven)
            boven = std::max(boven, kader(erboven, rand).bottom() + 1 + 10);
    if (const QScreen* scherm = form->screen()) {
        const int onder = scherm->availableGeometry().bottom() + 1 - rand.top() - rand.bottom();
        form->resize(form->width(), std::max(form->minimumHeight(), onder - boven));
    }
    plaatsKader(form, {form->x(), boven}, rand);
    form->ZetExportwaarden(OptiesDialog->KnockoutSjabloon(), OptiesDialog->BeginRij(),
                           OptiesDialog->BeginKolom());
    return form;
}

void TMainForm::KoppelDocument() {
    connect(m_document, &TToernooiDocument::ProgrammastatusVeranderd, this,
            [this](int status) { ToonProgrammastatus(static_cast<TProgrammastatus>(status)); });
    connect(m_document, &TToernooiDocument::GewijzigdVeranderd, this, &TMainForm::ToonStatusregel);
    connect(m_document, &TToernooiDocument::GeschiedenisVeranderd, this,
            &TMainForm::ToonGeschiedenis);
    connect(m_document, &TToernooiDocument::Hersteld, this, &TMainForm::ToonHersteldeStage);
}

void TMainForm::GeefOptiesDoor() {
    PoulesForm->PouleSjabloon = OptiesDialog->PouleSjabloon();
    KnockoutForm->ZetExportwaarden(OptiesDialog->KnockoutSjabloon(), OptiesDialog->BeginRij(),
                                   OptiesDialog->BeginKolom());
}

void TMainForm::ZetProgrammastatus(TProgrammastatus status) {
    m_document->ZetProgrammastatus(status);
}

void TMainForm::ToonProgrammastatus(TProgrammastatus status) {
    // A stage's window is made when its stage begins, so that it hears the
    // document from then on: a start, a file or an undo shows the stage.
    if (status == psPoules || status == psKnockout)
        PoulesForm.get();
    if (status == psKnockout || status == psDirectKnockout)
        KnockoutForm.get();
    switch (status) {
    case psGeen:
        PoulesBitBtn->setEnabled(false);
        verberg(PoulesForm.Gemaakt());
        KnockoutBitBtn->setEnabled(false);
        verberg(KnockoutForm.Gemaakt());
        break;
    case psPoules:
        PoulesBitBtn->setEnabled(true);
        KnockoutBitBtn->setEnabled(false);
        verberg(KnockoutForm.Gemaakt());
        break;
    case psKnockout:
        PoulesBitBtn->setEnabled(true);
        KnockoutBitBtn->setEnabled(true);
        break;
    case psDirectKnockout:
        PoulesBitBtn->setEnabled(false);
        verberg(PoulesForm.Gemaakt());
        KnockoutBitBtn->setEnabled(true);
        break;
    }
    // A day is planned once there are matches to play.
    BanenBitBtn->setEnabled(status == psPoules || status == psKnockout ||
                            status == psDirectKnockout);
}

void TMainForm::ToonHersteldeStage(int vorigeStatus) {
    // The pools window shows returning pools itself.
    const TProgrammastatus status = m_document->Programmastatus();
    auto metKnockouts = [](int s) { return s == psKnockout || s == psDirectKnockout; };
    if (metKnockouts(status) && !metKnockouts(vorigeStatus)) {
        KnockoutForm->show();
        KnockoutForm->raise();
    }
}

void TMainForm::ZetGewijzigd(bool gewijzigd) {
    m_document->ZetGewijzigd(gewijzigd);
    ToonStatusregel();
}

void TMainForm::ToonStatusregel() {
    const QString& bestandsnaam = m_document->Bestandsnaam();
    if (bestandsnaam.isEmpty()) {
        StatusBar->showMessage(VersieRegel);
        return;
    }
    const QString naam = QFileInfo(bestandsnaam).completeBaseName();
    StatusBar->showMessage(m_document->Gewijzigd() ? naam + u'*' : naam);
}

void TMainForm::ToonGeschiedenis() {
    const bool terug = m_document->KanOngedaanMaken();
    const bool vooruit = m_document->KanOpnieuw();
    OngedaanMakenBitBtn->setEnabled(terug);
    OpnieuwBitBtn->setEnabled(vooruit);
    OngedaanMakenBitBtn->setToolTip(terug ? OngedaanMakenHint + QStringLiteral(": ") +
                                                m_document->OngedaanMakenOmschrijving()
                                          : OngedaanMakenHint);
    OpnieuwBitBtn->setToolTip(vooruit ? OpnieuwHint + QStringLiteral(": ") +
                                            m_document->OpnieuwOmschrijving()
                                      : OpnieuwHint);
}

void TMainForm::StartToernooi() {
    if (m_document->Namen().empty()) {
        // Nothing to start: the stage ends, but that is no change to keep.
        ZetProgrammastatus(psGeen);
        m_document->ZetDeelnemers({});
        messages().information(GeenDeelnemersTekst);
        return;
    }
    const TPouleIndelingForm::TKeuze keuze =
        PouleIndelingForm->KiesIndeling(static_cast<int>(m_document->Namen().size()));
    if (keuze.DirectKnockout) {
        m_document->StartDirecteKnockout();
        MeldClubOntmoetingen();
        return;
    }
    std::vector<Loting::TKnelpunt> knelpunten;
    for (int fout = m_document->StartPoules(keuze.Indeling, keuze.Telling, &knelpunten); fout > 0;
         --fout)
        messages().error(PouleIndeling::SoftwarefoutTekst());
    // Clubs the pool sizes forced together: the organiser may want to
    // choose another division, or at least know before the matches start.
    if (!knelpunten.empty())
        messages().information(Loting::KnelpuntenMelding(knelpunten));
}

void TMainForm::StartKnockout() {
    const TToernooiDocument& document = *m_document;
    const auto keuze = KnockoutIndelingForm->Kies(document.Deelnemers());
    for (const int knockoutNr : m_document->StartKnockout(keuze))
        messages().information(TKnockout::MeldingOnvolledig(static_cast<std::uint8_t>(knockoutNr)),
                               TKnockout::HelpContextIndeling);
    if (keuze)
        MeldClubOntmoetingen();
}

void TMainForm::MeldClubOntmoetingen() {
    // Only a draw with clubs has anything to say about them; the organiser
    // hears what it could not avoid, and that it worked when it did.
    if (const std::optional<int> aantal = m_document->ClubOntmoetingen())
        messages().information(TKnockout::MeldingClubOntmoetingen(*aantal),
                               TKnockout::HelpContextIndeling);
}

void TMainForm::NieuwToernooi() {
    m_document->Nieuw();
    ToonStatusregel();
    DeelnemersForm->show();
    DeelnemersForm->raise();
}

namespace {

// Holds the repaints of the windows a load fills until it is complete. Each
// match the loader fills asks for its box to be repainted, and the region
// waiting to be painted grows with every box: a large bracket would take
// seconds to load, and the windows would show half a tournament meanwhile.
class HoudSchermen {
public:
    explicit HoudSchermen(std::initializer_list<QWidget*> vensters)
        : m_vensters(vensters) {
        for (QWidget* venster : m_vensters)
            venster->setUpdatesEnabled(false);
    }
    ~HoudSchermen() {
        for (QWidget* venster : m_vensters)
            venster->setUpdatesEnabled(true);
    }
    HoudSchermen(const HoudSchermen&) = delete;
    HoudSchermen& operator=(const HoudSchermen&) = delete;

private:
    std::vector<QWidget*> m_vensters;
};

} // namespace

FileDialogRequest TMainForm::ToernooiDialoog(const QString& titel) const {
    FileDialogRequest verzoek;
    verzoek.title = titel;
    verzoek.filter = ToernooiFilter;
    verzoek.helpContext = HelpContext::Toernooibestand;
    const QString& bestandsnaam = m_document->Bestandsnaam();
    if (bestandsnaam.isEmpty()) {
        // Never the program's own folder: installed it is no place for
        // tournaments, and a build folder offers its own *.txt files.
        verzoek.directory = Paths::dialogStartFolder(OptiesDialog->ToernooiMap());
    } else {
        const QFileInfo bestand(bestandsnaam);
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
    QByteArray inhoud;
    if (const QString reden = Bestand::Lees(pad, inhoud); !reden.isEmpty()) {
        messages().information(Toernooibestand::LaadFoutTekst(reden));
        return false;
    }
    // The document takes the file over only when it loaded completely, so a
    // damaged file never costs the tournament that was open; nor does a
    // file built to need more memory than there is.
    std::optional<Toernooibestand::Leesfout> fout;
    try {
        const HoudSchermen houd{DeelnemersForm, PoulesForm, KnockoutForm};
        fout = m_document->Open(inhoud, pad);
        // Pool matches that cannot be read are never dropped unasked.
        if (fout && fout->Soort == Toernooibestand::Leesfout::TSoort::Uitbreiding) {
            if (messages().confirm(Uitbreiding::OverslaanVraag(*fout), Buttons::YesNo,
                                   HelpContext::Toernooibestand) != Answer::Yes)
                return false;
            fout = m_document->Open(inhoud, pad, true);
        }
        if (!fout)
            ToonGeladenToernooi();
    } catch (const std::bad_alloc&) {
        messages().information(Toernooibestand::LaadFoutTekst(Bestand::TeGrootTekst(pad)));
        return false;
    }
    if (fout) {
        messages().information(Toernooibestand::LaadFoutTekst(*fout), HelpContext::Toernooibestand);
        return false;
    }
    OptiesDialog->ZetToernooiMap(QFileInfo(pad).absolutePath());
    return true;
}

void TMainForm::ToonGeladenToernooi() {
    ToonStatusregel();
    DeelnemersForm->show();
    DeelnemersForm->raise();
    // The pools window shows the pools of a file itself.
    const TProgrammastatus status = m_document->Programmastatus();
    if (status == psKnockout || status == psDirectKnockout) {
        KnockoutForm->show();
        KnockoutForm->raise();
    }
}

bool TMainForm::BewaarToernooi() {
    const QByteArray inhoud = m_document->Bestand();
    if (!m_document->HeeftDeelnemers()) {
        messages().information(LeegToernooiTekst, HelpContext::Toernooibestand);
        return false;
    }
    FileDialogRequest verzoek = ToernooiDialoog(QStringLiteral("Toernooi bewaren"));
    verzoek.defaultSuffix = QStringLiteral("txt");
    const QString pad = messages().saveFile(verzoek);
    if (pad.isEmpty())
        return false;
    if (QFileInfo::exists(pad)) {
        if (messages().confirm(OverschrijvenVraag, Buttons::YesNo) != Answer::Yes)
            return false;
        // The file it replaces stays beside it, for a change of mind.
        const QString reserve = pad + QStringLiteral(".bak");
        QFile::remove(reserve);
        QFile::copy(pad, reserve);
    }
    const QString fout = Bestand::SchrijfVeilig(pad, inhoud);
    if (!fout.isEmpty()) {
        messages().information(Toernooibestand::BewaarFoutTekst(fout),
                               HelpContext::Toernooibestand);
        return false;
    }
    m_document->Bewaard(pad);
    ToonStatusregel();
    OptiesDialog->ZetToernooiMap(QFileInfo(pad).absolutePath());
    return true;
}

bool TMainForm::VraagBewaren() {
    if (!m_document->Gewijzigd())
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
    if (m_beeindigd) {
        event->accept();
    } else if (VraagBewaren()) {
        m_herstel->SchoonAfsluiten();
        event->accept();
    } else {
        event->ignore();
    }
}

bool TMainForm::BiedHerstelAan() {
    // One question per copy of the program that ended without saving, the
    // newest first, until one is restored.
    QString vorige;
    for (QString pad; !(pad = m_herstel->TeHerstellen()).isEmpty() && pad != vorige; vorige = pad) {
        QByteArray inhoud;
        std::optional<TToernooiDocument::TSamenvatting> samenvatting;
        // A version that cannot be read, or needs more memory than there
        // is, counts as damaged.
        try {
            if (Bestand::Lees(pad, inhoud).isEmpty())
                samenvatting = TToernooiDocument::Samenvatting(inhoud);
        } catch (const std::bad_alloc&) {
            samenvatting.reset();
        }
        if (!samenvatting) {
            const QString opzij = m_herstel->ZetOpzij(pad);
            messages().warning(HerstelBeschadigdTekst(opzij), HelpContext::Herstel);
            continue;
        }
        const QString vraag =
            HerstelVraag(THerstel::Tijd(pad), samenvatting->Deelnemers, samenvatting->Bestandsnaam);
        if (messages().confirm(vraag, Buttons::YesNo, HelpContext::Herstel) != Answer::Yes) {
            m_herstel->Afgewezen();
            continue;
        }
        try {
            const auto fout = m_document->Herstel(inhoud);
            if (fout && fout->Soort == Toernooibestand::Leesfout::TSoort::Uitbreiding) {
                if (messages().confirm(Uitbreiding::OverslaanVraag(*fout), Buttons::YesNo,
                                       HelpContext::Herstel) != Answer::Yes) {
                    m_herstel->Afgewezen();
                    continue;
                }
                m_document->Herstel(inhoud, true);
            }
        } catch (const std::bad_alloc&) {
            messages().warning(HerstelBeschadigdTekst(m_herstel->ZetOpzij(pad)),
                               HelpContext::Herstel);
            continue;
        }
        ToonGeladenToernooi();
        m_herstel->Overgenomen();
        return true;
    }
    return false;
}

void TMainForm::Beeindig() {
    // Nobody is there to answer the save question (a logout): unsaved
    // changes go into a recovery version, offered at the next start;
    // without them the program ends as after the question.
    if (m_document->Gewijzigd()) {
        m_herstel->SchrijfNu();
        m_herstel->Wacht();
    } else {
        m_herstel->SchoonAfsluiten();
    }
    m_beeindigd = true;
    QCoreApplication::exit(0);
}

void TMainForm::OngedaanMakenBitBtnClick() {
    m_document->MaakOngedaan();
}

void TMainForm::OpnieuwBitBtnClick() {
    m_document->Opnieuw();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || QApplication::activeModalWidget() ||
        !watched->isWidgetType())
        return QMainWindow::eventFilter(watched, event);
    const auto* toets = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = toets->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = modifiers == Qt::ControlModifier;
    const bool ctrlShift = modifiers == (Qt::ControlModifier | Qt::ShiftModifier);
    if (toets->key() == Qt::Key_Z && ctrl) {
        OngedaanMakenBitBtnClick();
        return true;
    }
    if ((toets->key() == Qt::Key_Y && ctrl) || (toets->key() == Qt::Key_Z && ctrlShift)) {
        OpnieuwBitBtnClick();
        return true;
    }
    if (toets->key() == Qt::Key_F11 && modifiers == Qt::NoModifier) {
        PresentatieBitBtnClick();
        return true;
    }
    // New, open and save are the main window's buttons, but the user works in
    // the other windows and would otherwise have to find it first.
    if (ctrl &&
        (toets->key() == Qt::Key_N || toets->key() == Qt::Key_O || toets->key() == Qt::Key_S)) {
        if (toets->key() == Qt::Key_N)
            NieuwBitBtnClick();
        else if (toets->key() == Qt::Key_O)
            OpenBitBtnClick();
        else
            BewaarBitBtnClick();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
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

void TMainForm::BanenBitBtnClick() {
    BanenForm->show();
    BanenForm->raise();
    BanenForm->activateWindow();
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

void TMainForm::PresentatieBitBtnClick() {
    PresentatieForm->Wissel(this);
}

void TMainForm::HelpBitBtnClick() {
    m_help->ToonStandaard();
}
