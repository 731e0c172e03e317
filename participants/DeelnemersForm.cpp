#include "participants/DeelnemersForm.h"

#include "export/DeelnemersExport.h"
#include "export/DeelnemersImport.h"
#include "export/SpreadsheetExport.h"
#include "model/Ansi.h"
#include "model/Deelnemerslijst.h"
#include "model/MessageService.h"
#include "model/Text.h"
#include "model/ToernooiDocument.h"
#include "participants/DeelnemersModel.h"
#include "participants/ImporteerDialog.h"
#include "participants/InputDeelnemerDialog.h"
#include "print/DeelnemersAfdruk.h"
#include "ui/Afdrukken.h"
#include "ui/Help.h"
#include "ui/Icons.h"
#include "ui/Paths.h"
#include "ui/Scherm.h"

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
#include <QTableView>

#include <algorithm>
#include <memory>
#include <new>
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

// An import that failed: what, and the error's own text ("Foutmelding: ...").
void MeldImportFout(const QString& eersteZin, const std::exception& fout) {
    messages().information(
        SpreadsheetExport::FoutTekst(eersteZin, SpreadsheetExport::Foutmelding(fout)),
        HelpContext::Importeren);
}

constexpr int RijHoogte = 16;
constexpr int KnopMaat = 25;
// The club column's width at the designed font: room for
// a club such as "BC Velo"; longer ones widen it while there is room.
constexpr int VerenigingOntwerp = 100;
// The names' room in the designed window (275 wide, the grid 8 from each
// side).
constexpr int NamenOntwerp = 259;

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
    , DeelnemersStringGrid(new QTableView(this))
    , NieuwBitBtn(new QPushButton(this))
    , BewerkBitBtn(new QPushButton(this))
    , VerwijderBitBtn(new QPushButton(this))
    , ExcelBitBtn(new QPushButton(QStringLiteral("&Excel"), this))
    , MaakPoulesBitBtn(new QPushButton(QStringLiteral("&Poules -->"), this))
    , ImporteerBitBtn(new QPushButton(QStringLiteral("&Importeren…"), this))
    , StatusBar(new QStatusBar(this))
    , m_document(document)
    , m_model(new TDeelnemersModel(document, this)) {
    setWindowTitle(QStringLiteral("Deelnemers invoeren"));
    setHelpContext(this, HelpContext::Deelnemers);
    move(160, 0);

    QTableView* grid = DeelnemersStringGrid;
    grid->setAccessibleName(QStringLiteral("Deelnemers"));
    grid->setModel(m_model);
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
            TDeelnemersAfdruk::Rijen(m_document.Namen(), m_document.Deelnemers()),
            Afdrukken::Kop(m_document, QStringLiteral("Deelnemers")));
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
    resize(std::max(275 + nieuw, knoppen) + ExtraBreedte(), 305);

    FormResize();

    // A reset forgets the current row: the selection stays on the row
    // number it had, as it did in a grid whose cells were rewritten.
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_rij = Row(); });
    connect(&m_document, &TToernooiDocument::NamenVeranderd, this, &TDeelnemersForm::ToonNamen);
    // The window is made when first needed, perhaps after names were loaded.
    ToonNamen();
}

void TDeelnemersForm::ToonNamen() {
    // The longest club, measured once per change of the names rather than
    // at every resize.
    const QFontMetrics maat = DeelnemersStringGrid->fontMetrics();
    const int marge =
        2 * (DeelnemersStringGrid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 2;
    m_verenigingBreedte = 0;
    for (const TNaam& naam : m_document.Namen())
        if (!naam.Vereniging.isEmpty())
            m_verenigingBreedte =
                std::max(m_verenigingBreedte, maat.horizontalAdvance(naam.Vereniging) + marge);
    SelecteerRij(std::min(m_rij, RowCount() - 1));
    PasKolombreedtesAan();
    ToonAantal();
    MaakPoulesBitBtn->setEnabled(RowCount() > 2);
}

int TDeelnemersForm::RowCount() const {
    return m_model->rowCount() + 1;
}

int TDeelnemersForm::Row() const {
    return std::max(DeelnemersStringGrid->currentIndex().row(), 0) + 1;
}

void TDeelnemersForm::SelecteerRij(int rij) {
    m_rij = rij;
    DeelnemersStringGrid->setCurrentIndex(m_model->index(rij - 1, 0));
}

QString TDeelnemersForm::Cel(int kolom, int rij) const {
    return m_model->index(rij - 1, kolom).data().toString();
}

void TDeelnemersForm::ToonAantal() {
    StatusBar->showMessage(Deelnemerslijst::AantalTekst(RowCount() - 2));
}

int TDeelnemersForm::ExtraBreedte() const {
    return naarLettertype(this, VerenigingOntwerp) + PlaatsingBreedte();
}

int TDeelnemersForm::VerenigingBreedte() const {
    // At least its designed width, wider for a longer club, as long as the
    // names keep their designed room: on a screen too small for the
    // widened window the club column gives way first, down to its header.
    const int grid = DeelnemersStringGrid->viewport()->width();
    const int kop = DeelnemersStringGrid->horizontalHeader()->sectionSizeHint(2);
    const int ruimte = grid - PlaatsingBreedte() - naarLettertype(this, NamenOntwerp);
    return std::max(
        kop,
        std::min(std::max(m_verenigingBreedte, naarLettertype(this, VerenigingOntwerp)), ruimte));
}

int TDeelnemersForm::PlaatsingBreedte() const {
    return DeelnemersStringGrid->horizontalHeader()->sectionSizeHint(3);
}

void TDeelnemersForm::PasKolombreedtesAan() {
    // The names share the width as designed; the club and seed columns
    // come after them, in the room the window was widened by.
    const int breedte =
        DeelnemersStringGrid->viewport()->width() - VerenigingBreedte() - PlaatsingBreedte();
    const int eerste = static_cast<int>(0.4 * breedte);
    DeelnemersStringGrid->setColumnWidth(0, eerste);
    DeelnemersStringGrid->setColumnWidth(1, breedte - eerste - 2);
    DeelnemersStringGrid->setColumnWidth(2, VerenigingBreedte());
    DeelnemersStringGrid->setColumnWidth(3, PlaatsingBreedte());
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

bool TDeelnemersForm::BeeindigToernooiGevraagd(const QString& eersteZin) {
    if (m_document.Programmastatus() == psGeen)
        return true;
    const QString vraag = eersteZin + Text::lineBreak + Text::lineBreak + DoorgaanZin;
    return messages().confirm(vraag, Buttons::YesNo) == Answer::Yes;
}

void TDeelnemersForm::NieuwBitBtnClick() {
    if (!BeeindigToernooiGevraagd(ToevoegenZin))
        return;
    bool toegevoegd = false;
    TInputDeelnemerDialog dialoog(this);
    dialoog.ZetPlaatsingBezet([this](int plaatsing) { return PlaatsingBezet(plaatsing, -1); });
    while (dialoog.Invoeren()) {
        if (dialoog.Voornaam().isEmpty() && dialoog.Achternaam().isEmpty())
            continue;
        if (m_document.NaamBestaat(dialoog.Voornaam(), dialoog.Achternaam())) {
            messages().information(DubbeleNaamTekst);
            continue;
        }
        SelecteerRij(m_document.VoegDeelnemerToe(dialoog.Naam()) + 1);
        toegevoegd = true;
    }
    // The organiser agreed to end the tournament, also without a newcomer.
    if (!toegevoegd)
        m_document.BeeindigToernooi();
}

void TDeelnemersForm::BewerkBitBtnClick() {
    if (RowCount() < 3 || Row() == RowCount() - 1) {
        NieuwBitBtnClick();
        return;
    }
    if (!BeeindigToernooiGevraagd(WijzigenZin))
        return;
    TInputDeelnemerDialog dialoog(this);
    const int index = Row() - 1;
    dialoog.ZetPlaatsingBezet(
        [this, index](int plaatsing) { return PlaatsingBezet(plaatsing, index); });
    const Deelnemerslijst::TNaam oud = m_document.Namen()[std::size_t(index)];
    while (dialoog.Bewerken(oud)) {
        const int nieuw = m_document.WijzigDeelnemer(index, dialoog.Naam());
        if (nieuw >= 0) {
            SelecteerRij(nieuw + 1);
            return;
        }
        messages().information(DubbeleNaamTekst);
    }
    m_document.BeeindigToernooi();
}

QString TDeelnemersForm::PlaatsingBezet(int plaatsing, int behalve) const {
    const int houder = m_document.NaamMetPlaatsing(plaatsing, behalve);
    return houder < 0 ? QString()
                      : Deelnemerslijst::PlaatsingBezetTekst(
                            plaatsing, m_document.Namen()[static_cast<std::size_t>(houder)]);
}

void TDeelnemersForm::VerwijderBitBtnClick() {
    if (RowCount() <= 2 || Row() == RowCount() - 1)
        return;
    if (!BeeindigToernooiGevraagd(VerwijderenZin))
        return;
    m_document.VerwijderDeelnemer(Row() - 1);
}

void TDeelnemersForm::ExcelBitBtnClick() {
    DeelnemersExport::Exporteer(m_document.Namen());
}

void TDeelnemersForm::MaakPoulesBitBtnClick() {
    if (m_document.Programmastatus() == psGeen ||
        messages().confirm(ToernooiBezigVraag, Buttons::YesNo) == Answer::Yes)
        Q_EMIT PoulesGevraagd();
}

void TDeelnemersForm::ImporteerBitBtnClick() {
    if (!BeeindigToernooiGevraagd(ToevoegenZin))
        return;
    FileDialogRequest vraag;
    vraag.title = QStringLiteral("Deelnemers importeren");
    vraag.filter = ImportFilter;
    vraag.mustExist = true;
    vraag.helpContext = HelpContext::Importeren;
    // Never the working folder the program happened to start in: the
    // folder of the last import, or the documents folder. A list is only
    // read, so a folder that cannot be written to is remembered as well.
    vraag.directory =
        QFileInfo(m_importMap).isDir() ? m_importMap : Paths::dialogStartFolder(QString());
    const QString pad = messages().openFile(vraag);
    if (pad.isEmpty())
        return;
    m_importMap = QFileInfo(pad).absolutePath();
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
    if (!BeeindigToernooiGevraagd(ToevoegenZin))
        return true;
    std::optional<Import::TImport> import;
    try {
        import = Import::TImport::UitTekst(tekst);
    } catch (const std::bad_alloc& fout) {
        MeldImportFout(QStringLiteral("Het klembord kan niet worden geïmporteerd."), fout);
        return true;
    }
    Importeer(std::move(*import), QStringLiteral("klembord"));
    return true;
}

void TDeelnemersForm::Importeer(Import::TImport import, const QString& bron) {
    // The dialog judges every row when it opens; a source too large for
    // the memory ends here with a message, the tournament untouched.
    std::unique_ptr<TImporteerDialog> dialoog;
    try {
        dialoog =
            std::make_unique<TImporteerDialog>(this, std::move(import), m_document.Namen(), bron);
    } catch (const std::bad_alloc& fout) {
        MeldImportFout(QStringLiteral("Het bestand kan niet worden geïmporteerd."), fout);
        return;
    }
    if (!dialoog->Importeren())
        return;
    // The tournament ends only now the names really change, in the same step.
    m_document.ImporteerNamen(dialoog->Toevoegen(), dialoog->Aanvullen());
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
    case QEvent::Show:
        // A scroll bar that comes or goes changes the room for the columns.
        // A hidden grid settles its viewport's width only as it is shown,
        // without a resize event of its own.
        if (watched == DeelnemersStringGrid->viewport())
            PasKolombreedtesAan();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
