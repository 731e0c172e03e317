#include "participants/DeelnemersForm.h"

#include "app/Afdrukken.h"
#include "app/Help.h"
#include "app/Icons.h"
#include "export/DeelnemersExport.h"
#include "export/DeelnemersImport.h"
#include "export/SpreadsheetExport.h"
#include "model/Ansi.h"
#include "model/Deelnemerslijst.h"
#include "model/MessageService.h"
#include "model/Text.h"
#include "model/ToernooiDocument.h"
#include "participants/ImporteerDialog.h"
#include "participants/InputDeelnemerDialog.h"
#include "print/DeelnemersAfdruk.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>
#include <optional>

using Deelnemerslijst::TNaam;
using Deelnemerslijst::TNamen;

namespace {

const QString DubbeleNaamTekst = QStringLiteral("Er bestaat reeds een deelnemer met deze naam.");
const QString ToevoegenZin = QStringLiteral("Wanneer er een nieuwe deelnemer wordt toegevoegd, "
                                            "dan moet het huidige toernooi beëindigd worden.");
const QString WijzigenZin = QStringLiteral(
    "Wanneer er een deelnemer wordt gewijzigd, dan moet het huidige toernooi beëindigd worden.");
const QString VerwijderenZin = QStringLiteral(
    "Wanneer er een deelnemer wordt verwijderd, dan moet het huidige toernooi beëindigd worden.");
const QString DoorgaanZin = QStringLiteral(" Wilt u doorgaan en het toernooi beëindigen?");
const QString ImportFilter =
    QStringLiteral("Deelnemerslijsten|*.csv;*.txt;*.xlsx;*.xlsm;*.ods;*.xls|"
                   "Alle bestanden (*.*)|*.*");
const QString ToernooiBezigVraag =
    QStringLiteral("Er is momenteel een toernooi bezig. Wilt u dit beëindigen?");

constexpr int StatusBarHoogte = 19;

// A name as a step of the history names it.
QString NaamTekst(const QString& voornaam, const QString& achternaam) {
    return Text::trimmed(voornaam + u' ' + achternaam);
}
constexpr int RijHoogte = 16;
constexpr int KnopMaat = 25;

// What a button with a caption needs to show it whole.
int TekstKnopBreedte(const QPushButton* knop) {
    QString tekst = knop->text();
    tekst.remove(u'&');
    return knop->fontMetrics().horizontalAdvance(tekst) + 16;
}

} // namespace

TDeelnemersForm::TDeelnemersForm(TToernooiDocument& document, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
    , DeelnemersStringGrid(new QTableWidget(this))
    , NieuwBitBtn(new QPushButton(this))
    , BewerkBitBtn(new QPushButton(this))
    , VerwijderBitBtn(new QPushButton(this))
    , ExcelBitBtn(new QPushButton(QStringLiteral("&Excel"), this))
    , MaakPoulesBitBtn(new QPushButton(QStringLiteral("&Poules -->"), this))
    , ImporteerBitBtn(new QPushButton(QStringLiteral("&Importeren…"), this))
    , StatusBar(new QStatusBar(this))
    , m_document(document) {
    setWindowTitle(QStringLiteral("Deelnemers invoeren"));
    setHelpContext(this, HelpContext::Deelnemers);
    move(160, 0);

    QTableWidget* grid = DeelnemersStringGrid;
    grid->setAccessibleName(QStringLiteral("Deelnemers"));
    grid->setColumnCount(2);
    grid->setHorizontalHeaderLabels({QStringLiteral("Voornaam"), QStringLiteral("Achternaam")});
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setShowGrid(true);
    grid->setWordWrap(false);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(RijHoogte);
    grid->verticalHeader()->setDefaultSectionSize(RijHoogte);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setSectionsClickable(false);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setStretchLastSection(false);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    auto glyphKnop = [](QPushButton* knop, const QString& hint, const QIcon& icoon) {
        knop->setToolTip(hint);
        // A glyph says nothing to a screen reader; the hint without its keys does.
        knop->setAccessibleName(hint.section(QStringLiteral(" ("), 0, 0));
        knop->setIcon(icoon);
        knop->resize(KnopMaat, KnopMaat);
    };
    glyphKnop(NieuwBitBtn, QStringLiteral("Nieuw deelnemer"),
              themaIcoon(QStringLiteral("list-add"), QStyle::SP_FileIcon));
    glyphKnop(BewerkBitBtn, QStringLiteral("Bewerk deelnemer (Enter of F2)"),
              themaIcoon(QStringLiteral("document-edit"), QStyle::SP_FileDialogDetailedView));
    glyphKnop(VerwijderBitBtn, QStringLiteral("Verwijder deelnemer (Ctrl+Del)"),
              themaIcoon(QStringLiteral("list-remove"), QStyle::SP_TrashIcon));
    StatusBar->setFixedHeight(StatusBarHoogte);
    AfdrukBitBtn = Afdrukken::MaakKnop(this, [this] {
        return std::make_unique<TDeelnemersAfdruk>(
            TDeelnemersAfdruk::Rijen(Namen(), m_document.Deelnemers()),
            Afdrukken::Kop(this, QStringLiteral("Deelnemers")));
    });

    setTabOrder(DeelnemersStringGrid, NieuwBitBtn);
    setTabOrder(NieuwBitBtn, BewerkBitBtn);
    setTabOrder(BewerkBitBtn, VerwijderBitBtn);
    setTabOrder(VerwijderBitBtn, ExcelBitBtn);
    setTabOrder(ExcelBitBtn, MaakPoulesBitBtn);
    setTabOrder(MaakPoulesBitBtn, ImporteerBitBtn);
    setTabOrder(ImporteerBitBtn, AfdrukBitBtn);
    ImporteerBitBtn->setToolTip(QStringLiteral("Deelnemers importeren (Ctrl+I)"));

    connect(NieuwBitBtn, &QPushButton::clicked, this, &TDeelnemersForm::NieuwBitBtnClick);
    connect(BewerkBitBtn, &QPushButton::clicked, this, &TDeelnemersForm::BewerkBitBtnClick);
    connect(VerwijderBitBtn, &QPushButton::clicked, this, &TDeelnemersForm::VerwijderBitBtnClick);
    connect(ExcelBitBtn, &QPushButton::clicked, this, &TDeelnemersForm::ExcelBitBtnClick);
    connect(MaakPoulesBitBtn, &QPushButton::clicked, this, &TDeelnemersForm::MaakPoulesBitBtnClick);
    connect(ImporteerBitBtn, &QPushButton::clicked, this, &TDeelnemersForm::ImporteerBitBtnClick);

    // The window sees key presses before its controls do; the viewport also
    // reports double-clicks and the width changes a scroll bar causes.
    const QList<QWidget*> kinderen = findChildren<QWidget*>();
    for (QWidget* kind : kinderen)
        kind->installEventFilter(this);

    // The window opens wider by the import and print buttons, so the other
    // buttons keep their designed width, and never gets so narrow that a
    // caption is cut off.
    const int nieuw = KnopMaat + TekstKnopBreedte(ImporteerBitBtn);
    const int knoppen =
        91 + nieuw +
        2 * std::max(TekstKnopBreedte(ExcelBitBtn), TekstKnopBreedte(MaakPoulesBitBtn));
    setMinimumSize(knoppen, 200);
    resize(std::max(275 + nieuw, knoppen), 305);

    MaakPoulesBitBtn->setEnabled(false);
    ZetRowCount(2);
    MaakRijLeeg(1);
    SelecteerRij(1);
    ToonAantal();
    FormResize();

    connect(&m_document, &TToernooiDocument::NamenVeranderd, this, [this] {
        if (!m_geeftDoor)
            ToonNamen();
    });
    connect(&m_document, &TToernooiDocument::Vervangen, this, &TDeelnemersForm::ToonNamen);
    // The window is made when first needed, perhaps after names were loaded.
    ToonNamen();
}

void TDeelnemersForm::GeefNamenDoor(const QString& omschrijving) {
    // The edit names the step, also when a guard opened it.
    m_document.ZetStapOmschrijving(omschrijving);
    m_geeftDoor = true;
    m_document.ZetNamen(Namen(), omschrijving);
    m_geeftDoor = false;
}

void TDeelnemersForm::ToonNamen() {
    const TNamen& namen = m_document.Namen();
    // Undoing a score leaves the names as they are: nothing to redraw.
    const TNamen getoond = Namen();
    if (std::equal(getoond.begin(), getoond.end(), namen.begin(), namen.end(),
                   [](const TNaam& a, const TNaam& b) {
                       return a.Voornaam == b.Voornaam && a.Achternaam == b.Achternaam;
                   }))
        return;
    const int rij = Row();
    DeelnemersStringGrid->setUpdatesEnabled(false);
    DeelnemersStringGrid->setRowCount(static_cast<int>(namen.size()) + 1);
    for (std::size_t i = 0; i < namen.size(); ++i) {
        ZetCel(0, static_cast<int>(i) + 1, namen[i].Voornaam);
        ZetCel(1, static_cast<int>(i) + 1, namen[i].Achternaam);
    }
    MaakRijLeeg(RowCount() - 1);
    SelecteerRij(std::min(rij, RowCount() - 1));
    DeelnemersStringGrid->setUpdatesEnabled(true);
    PasKolombreedtesAan();
    ToonAantal();
    MaakPoulesBitBtn->setEnabled(RowCount() > 2);
}

int TDeelnemersForm::RowCount() const {
    return DeelnemersStringGrid->rowCount() + 1;
}

int TDeelnemersForm::Row() const {
    return std::max(DeelnemersStringGrid->currentRow(), 0) + 1;
}

void TDeelnemersForm::SelecteerRij(int rij) {
    DeelnemersStringGrid->setCurrentCell(rij - 1, 0);
}

QString TDeelnemersForm::Cel(int kolom, int rij) const {
    const QTableWidgetItem* item = DeelnemersStringGrid->item(rij - 1, kolom);
    return item ? item->text() : QString();
}

void TDeelnemersForm::ZetCel(int kolom, int rij, const QString& tekst) {
    if (QTableWidgetItem* item = DeelnemersStringGrid->item(rij - 1, kolom)) {
        item->setText(tekst);
        return;
    }
    auto* item = new QTableWidgetItem(tekst);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    DeelnemersStringGrid->setItem(rij - 1, kolom, item);
}

void TDeelnemersForm::MaakRijLeeg(int rij) {
    ZetCel(0, rij, QString());
    ZetCel(1, rij, QString());
}

void TDeelnemersForm::ZetRowCount(int aantal) {
    // Like a grid, a shrinking table keeps the selection on its last row.
    const int rij = std::min(Row(), aantal - 1);
    DeelnemersStringGrid->setRowCount(aantal - 1);
    SelecteerRij(rij);
}

void TDeelnemersForm::ToonAantal() {
    StatusBar->showMessage(Deelnemerslijst::AantalTekst(RowCount() - 2));
}

void TDeelnemersForm::PasKolombreedtesAan() {
    const int breedte = DeelnemersStringGrid->viewport()->width();
    const int eerste = static_cast<int>(0.4 * breedte);
    DeelnemersStringGrid->setColumnWidth(0, eerste);
    DeelnemersStringGrid->setColumnWidth(1, breedte - eerste - 2);
}

void TDeelnemersForm::FormResize() {
    const int cw = width();
    const int ch = height();
    const int sh = StatusBar->height();
    const int t = ch - sh - 33;
    NieuwBitBtn->move(8, t);
    BewerkBitBtn->move(33, t);
    VerwijderBitBtn->move(58, t);
    // The import and print buttons close the row; the other two share what
    // is left.
    const int import = TekstKnopBreedte(ImporteerBitBtn);
    const int w = (cw - 91 - KnopMaat - import) / 2;
    ExcelBitBtn->setGeometry(83, t, w, KnopMaat);
    MaakPoulesBitBtn->setGeometry(83 + w, t, w, KnopMaat);
    ImporteerBitBtn->setGeometry(83 + 2 * w, t, import, KnopMaat);
    AfdrukBitBtn->setGeometry(83 + 2 * w + import, t, KnopMaat, KnopMaat);
    DeelnemersStringGrid->setGeometry(8, 8, cw - 16, t - 16);
    StatusBar->setGeometry(0, ch - sh, cw, sh);
    PasKolombreedtesAan();
}

void TDeelnemersForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

int TDeelnemersForm::ZoekRij(const QString& voornaam, const QString& achternaam) const {
    for (int rij = 1; rij <= RowCount() - 2; ++rij) {
        if (Cel(0, rij) == voornaam && Cel(1, rij) == achternaam)
            return rij;
    }
    return -1;
}

void TDeelnemersForm::Sorteer() {
    const int aantal = RowCount() - 2;
    if (aantal < 2)
        return;
    TNamen namen;
    namen.reserve(aantal);
    for (int rij = 1; rij <= aantal; ++rij)
        namen.push_back({Cel(0, rij), Cel(1, rij)});
    const int gekozen = Row();
    const qsizetype nieuw = Deelnemerslijst::Sorteer(namen, gekozen - 1);
    for (int rij = 1; rij <= aantal; ++rij) {
        ZetCel(0, rij, namen[rij - 1].Voornaam);
        ZetCel(1, rij, namen[rij - 1].Achternaam);
    }
    SelecteerRij(static_cast<int>(nieuw) + 1);
}

void TDeelnemersForm::VoegToe(const QString& voornaam, const QString& achternaam) {
    if (voornaam.isEmpty() && achternaam.isEmpty())
        return;
    const int rij = RowCount() - 1;
    SelecteerRij(rij);
    ZetCel(0, rij, voornaam);
    ZetCel(1, rij, achternaam);
    ZetRowCount(RowCount() + 1);
    MaakRijLeeg(RowCount() - 1);
    PasKolombreedtesAan();
    ToonAantal();
    Sorteer();
    MaakPoulesBitBtn->setEnabled(RowCount() > 2);
    GeefNamenDoor(QStringLiteral("deelnemer ") + NaamTekst(voornaam, achternaam) +
                  QStringLiteral(" toevoegen"));
}

void TDeelnemersForm::Leegmaken() {
    MaakPoulesBitBtn->setEnabled(false);
    ZetRowCount(2);
    MaakRijLeeg(1);
    ToonAantal();
    GeefNamenDoor(QStringLiteral("deelnemerslijst leegmaken"));
}

void TDeelnemersForm::VulMetDeelnemers(const TDeelnemerLijst& deelnemers) {
    TToernooiDocument::TStap stap(m_document, QStringLiteral("deelnemers inlezen"));
    Leegmaken();
    ZetRowCount(RowCount() + static_cast<int>(deelnemers.size()));
    SelecteerRij(RowCount() - 1);
    int rij = 1;
    for (const auto& deelnemer : deelnemers) {
        ZetCel(0, rij, deelnemer->Voornaam);
        ZetCel(1, rij, deelnemer->Achternaam);
        ++rij;
    }
    MaakRijLeeg(RowCount() - 1);
    PasKolombreedtesAan();
    ToonAantal();
    Sorteer();
    MaakPoulesBitBtn->setEnabled(RowCount() > 2);
    GeefNamenDoor(QStringLiteral("deelnemers inlezen"));
}

TNamen TDeelnemersForm::Namen() const {
    TNamen namen;
    for (int rij = 1; rij <= RowCount() - 2; ++rij)
        namen.push_back({Cel(0, rij), Cel(1, rij)});
    return namen;
}

TDeelnemerLijst TDeelnemersForm::MaakDeelnemerslijst() const {
    return Deelnemerslijst::MaakLijst(m_document.Namen());
}

bool TDeelnemersForm::BeeindigToernooi(const QString& eersteZin) {
    if (m_document.Programmastatus() == psGeen)
        return true;
    const QString vraag = eersteZin + Text::lineBreak + Text::lineBreak + DoorgaanZin;
    if (messages().confirm(vraag, Buttons::YesNo) != Answer::Yes)
        return false;
    m_document.ZetProgrammastatus(psGeen);
    return true;
}

void TDeelnemersForm::NieuwBitBtnClick() {
    // Ending the tournament is one step with the first participant added.
    std::optional<TToernooiDocument::TStap> eerste;
    eerste.emplace(m_document, QString());
    if (!BeeindigToernooi(ToevoegenZin))
        return;
    TInputDeelnemerDialog dialoog(this);
    while (dialoog.Invoeren()) {
        if (ZoekRij(dialoog.Voornaam(), dialoog.Achternaam()) == -1) {
            VoegToe(dialoog.Voornaam(), dialoog.Achternaam());
            eerste.reset();
        } else {
            messages().information(DubbeleNaamTekst);
        }
    }
}

void TDeelnemersForm::BewerkBitBtnClick() {
    if (RowCount() < 3 || Row() == RowCount() - 1) {
        NieuwBitBtnClick();
        return;
    }
    TToernooiDocument::TStap stap(m_document, QString());
    if (!BeeindigToernooi(WijzigenZin))
        return;
    TInputDeelnemerDialog dialoog(this);
    const int rij = Row();
    const QString oud = NaamTekst(Cel(0, rij), Cel(1, rij));
    while (dialoog.Bewerken(Cel(0, rij), Cel(1, rij))) {
        const int gevonden = ZoekRij(dialoog.Voornaam(), dialoog.Achternaam());
        if (gevonden == -1 || gevonden == rij) {
            ZetCel(0, rij, dialoog.Voornaam());
            ZetCel(1, rij, dialoog.Achternaam());
            Sorteer();
            GeefNamenDoor(QStringLiteral("deelnemer ") + oud + QStringLiteral(" wijzigen"));
            // Even an unchanged name counts as a change, as the organiser
            // confirmed one.
            m_document.ZetGewijzigd(true);
            return;
        }
        messages().information(DubbeleNaamTekst);
    }
}

void TDeelnemersForm::VerwijderBitBtnClick() {
    if (RowCount() <= 2 || Row() == RowCount() - 1)
        return;
    TToernooiDocument::TStap stap(m_document, QString());
    if (!BeeindigToernooi(VerwijderenZin))
        return;
    const QString naam = NaamTekst(Cel(0, Row()), Cel(1, Row()));
    for (int rij = Row(); rij < RowCount() - 1; ++rij) {
        ZetCel(0, rij, Cel(0, rij + 1));
        ZetCel(1, rij, Cel(1, rij + 1));
    }
    ZetRowCount(RowCount() - 1);
    ToonAantal();
    Sorteer();
    PasKolombreedtesAan();
    MaakPoulesBitBtn->setEnabled(RowCount() > 2);
    GeefNamenDoor(QStringLiteral("deelnemer ") + naam + QStringLiteral(" verwijderen"));
}

void TDeelnemersForm::ExcelBitBtnClick() {
    DeelnemersExport::Exporteer(Namen());
}

void TDeelnemersForm::MaakPoulesBitBtnClick() {
    if (m_document.Programmastatus() == psGeen ||
        messages().confirm(ToernooiBezigVraag, Buttons::YesNo) == Answer::Yes)
        Q_EMIT PoulesGevraagd();
}

void TDeelnemersForm::ImporteerBitBtnClick() {
    if (!BeeindigToernooiGevraagd())
        return;
    FileDialogRequest vraag;
    vraag.title = QStringLiteral("Deelnemers importeren");
    vraag.filter = ImportFilter;
    vraag.mustExist = true;
    vraag.helpContext = HelpContext::Importeren;
    const QString pad = messages().openFile(vraag);
    if (pad.isEmpty())
        return;
    // Converting a workbook with LibreOffice takes a few seconds.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::optional<Import::TImport> import;
    QString fout;
    try {
        import = DeelnemersImport::LeesBestand(pad);
    } catch (const std::exception& e) {
        fout = SpreadsheetExport::Foutmelding(e);
    }
    QApplication::restoreOverrideCursor();
    if (!import) {
        messages().information(
            SpreadsheetExport::FoutTekst(
                QStringLiteral("Het bestand kan niet worden geïmporteerd."), fout),
            HelpContext::Importeren);
        return;
    }
    Importeer(std::move(*import), QFileInfo(pad).fileName());
}

bool TDeelnemersForm::ImporteerKlembord() {
    const QString tekst = QApplication::clipboard()->text();
    const QStringList regels = Ansi::splitLines(tekst);
    const auto gevuld = std::count_if(regels.cbegin(), regels.cend(), [](const QString& regel) {
        return !Text::trimmed(regel).isEmpty();
    });
    // One line is an ordinary paste, which this window does not take.
    if (gevuld < 2)
        return false;
    if (BeeindigToernooiGevraagd())
        Importeer(Import::TImport::UitTekst(tekst), QStringLiteral("klembord"));
    return true;
}

bool TDeelnemersForm::BeeindigToernooiGevraagd() {
    if (m_document.Programmastatus() == psGeen)
        return true;
    const QString vraag = ToevoegenZin + Text::lineBreak + Text::lineBreak + DoorgaanZin;
    return messages().confirm(vraag, Buttons::YesNo) == Answer::Yes;
}

void TDeelnemersForm::Importeer(Import::TImport import, const QString& bron) {
    TImporteerDialog dialoog(this, std::move(import), m_document.Namen(), bron);
    if (!dialoog.Importeren())
        return;
    const TNamen nieuw = dialoog.Toevoegen();
    const QString omschrijving =
        nieuw.size() == 1 ? QStringLiteral("importeren van 1 deelnemer")
                          : QStringLiteral("importeren van %1 deelnemers").arg(nieuw.size());
    // The tournament ends only now the names really change, in the same step.
    TToernooiDocument::TStap stap(m_document, omschrijving);
    m_document.ZetStapOmschrijving(omschrijving);
    if (m_document.Programmastatus() != psGeen)
        m_document.ZetProgrammastatus(psGeen);
    TNamen namen = m_document.Namen();
    namen.insert(namen.end(), nieuw.begin(), nieuw.end());
    Deelnemerslijst::Sorteer(namen, -1);
    m_document.ZetNamen(std::move(namen), omschrijving);
}

bool TDeelnemersForm::FormKeyDown(const QKeyEvent* event) {
    const Qt::KeyboardModifiers toetsen = event->modifiers() & ~Qt::KeypadModifier;
    if (event->matches(QKeySequence::Paste))
        return ImporteerKlembord();
    switch (event->key()) {
    case Qt::Key_I:
        if (toetsen != Qt::ControlModifier)
            return false;
        ImporteerBitBtnClick();
        return true;
    case Qt::Key_Delete:
        if (toetsen != Qt::ControlModifier)
            return false;
        VerwijderBitBtnClick();
        return true;
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        BewerkBitBtnClick();
        return true;
    default:
        return false;
    }
}

void TDeelnemersForm::keyPressEvent(QKeyEvent* event) {
    if (!FormKeyDown(event))
        QWidget::keyPressEvent(event);
}

bool TDeelnemersForm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        return FormKeyDown(static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonDblClick:
        if (watched != DeelnemersStringGrid->viewport())
            break;
        BewerkBitBtnClick();
        return true;
    case QEvent::Resize:
        // A scroll bar that comes or goes changes the room for the columns.
        if (watched == DeelnemersStringGrid->viewport())
            PasKolombreedtesAan();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
