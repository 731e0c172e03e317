#include "pools/PoulesForm.h"

#include "export/PoulesExport.h"
#include "model/MessageService.h"
#include "model/ToernooiDocument.h"
#include "pools/LotVolgordeForm.h"
#include "pools/PouleUitslagForm.h"
#include "pools/PoulesWijzigenForm.h"
#include "pools/TellingForm.h"
#include "print/WedstrijdbladAfdruk.h"
#include "ui/Afdrukken.h"
#include "ui/Help.h"
#include "ui/Scherm.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

using namespace Poules;

namespace {

const QString KnockoutBezigTerugVraag =
    QStringLiteral("De knockouts zijn reeds bezig. Wilt u die beëindigen en terugkeren naar de "
                   "poulewedstrijden?");
const QString KnockoutBezigIndelenVraag =
    QStringLiteral("De knockouts zijn reeds bezig. Wilt u die beëindigen en opnieuw indelen?");
const QString EindstandenIngevuldVraag =
    QStringLiteral("Er zijn reeds 1 of meerdere poule-eindstanden ingevuld. Weet u zeker dat u "
                   "de poules wilt wijzigen?");
const QString EindstandTitel = QStringLiteral("Eindstand invoeren");
const QString HerberekenVraag =
    QStringLiteral("De eindstanden van poule %1 zijn met de hand ingevuld. Wilt u ze opnieuw "
                   "berekenen uit de uitslagen?");

const QString TellingGeweigerdMelding =
    QStringLiteral("Er zijn al uitslagen ingevoerd. De telling kan nu alleen nog veranderen naar "
                   "een telling met dezelfde soort uitslag.");

// Room between the designed grid and the pool matches.
constexpr int PaneelAfstand = 8;
// The narrowest the pool matches are shown.
constexpr int PaneelMinimum = 400;
// The height the window takes when it shows pool matches.
constexpr int HoogteMetWedstrijden = 460;

constexpr int Rand = 10;
constexpr int KnopHoogte = 25;

// The position key of a key press: Backspace as '\b', else the typed
// character; nothing for keys held with Ctrl, Alt or Meta, which belong to
// shortcuts and accelerators.
QChar Toets(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return {};
    if (event.key() == Qt::Key_Backspace)
        return u'\b';
    const QString tekst = event.text();
    return tekst.size() == 1 ? tekst.at(0) : QChar();
}

} // namespace

// --- TPoulesForm -----------------------------------------------------------

TPoulesForm::TPoulesForm(TToernooiDocument& document, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                         Qt::WindowCloseButtonHint)
    , m_document(document)
    , m_vlak(new QWidget(this)) {
    setWindowTitle(QStringLiteral("Poules"));
    setHelpContext(this, HelpContext::Poules);
    setMinimumSize(200 + KnopHoogte, 175);
    move(445, 0);
    // Wider by the print button, so the other buttons keep their width.
    // A larger desktop font makes the window, and so its buttons, larger.
    resize(naarLettertype(this, 315) + KnopHoogte, naarLettertype(this, 305));

    PoulesTabControl = new TPouleTabControl(m_vlak);
    PoulesTabControl->setObjectName(QStringLiteral("PoulesTabControl"));
    PoulesTabControl->ZetSneltoetsBereik(Qt::WindowShortcut);
    DeelnemersStringGrid = new QTableWidget(PoulesTabControl);
    DeelnemersStringGrid->setObjectName(QStringLiteral("DeelnemersStringGrid"));
    PoulesTabControl->TabBar()->setAccessibleName(QStringLiteral("Poules"));
    DeelnemersStringGrid->setAccessibleName(QStringLiteral("Deelnemers van de poule"));
    WijzigBitBtn = new QPushButton(QStringLiteral("&Wijzig"), m_vlak);
    WijzigBitBtn->setObjectName(QStringLiteral("WijzigBitBtn"));
    ExcelBitBtn = new QPushButton(QStringLiteral("&Excel"), m_vlak);
    ExcelBitBtn->setObjectName(QStringLiteral("ExcelBitBtn"));
    KnockoutBitBtn = new QPushButton(QStringLiteral("&Knockout -->"), m_vlak);
    KnockoutBitBtn->setObjectName(QStringLiteral("KnockoutBitBtn"));
    KnockoutBitBtn->setEnabled(false);
    AfdrukBitBtn = Afdrukken::MaakKnop(
        this,
        [this]() -> std::unique_ptr<Afdruk::TDocument> {
            if (!m_deelnemers)
                return nullptr;
            return MaakPoulesAfdruk(*m_deelnemers, m_document.PouleWedstrijden(),
                                    Afdrukken::Kop(m_document, QStringLiteral("Poules")));
        },
        m_vlak);

    PouleRooster::Init(DeelnemersStringGrid);
    WedstrijdenPaneel = new TPouleWedstrijdenPaneel(m_document, PoulesTabControl);
    WedstrijdenPaneel->hide();

    setTabOrder(PoulesTabControl->TabBar(), DeelnemersStringGrid);
    setTabOrder(DeelnemersStringGrid, WijzigBitBtn);
    setTabOrder(WijzigBitBtn, ExcelBitBtn);
    setTabOrder(ExcelBitBtn, KnockoutBitBtn);
    setTabOrder(KnockoutBitBtn, AfdrukBitBtn);
    // The pool matches after every designed control.
    setTabOrder(AfdrukBitBtn, WedstrijdenPaneel->WedstrijdenGrid);
    setTabOrder(WedstrijdenPaneel->WedstrijdenGrid, WedstrijdenPaneel->StandGrid);
    setTabOrder(WedstrijdenPaneel->StandGrid, WedstrijdenPaneel->LotenBitBtn);
    setTabOrder(WedstrijdenPaneel->LotenBitBtn, WedstrijdenPaneel->VolgordeBitBtn);
    setTabOrder(WedstrijdenPaneel->VolgordeBitBtn, WedstrijdenPaneel->TeruggetrokkenBitBtn);
    setTabOrder(WedstrijdenPaneel->TeruggetrokkenBitBtn, WedstrijdenPaneel->TellingBitBtn);

    connect(PoulesTabControl, &TPouleTabControl::Change, this, &TPoulesForm::TabGewisseld);
    connect(WijzigBitBtn, &QPushButton::clicked, this, &TPoulesForm::WijzigBitBtnClick);
    connect(ExcelBitBtn, &QPushButton::clicked, this, &TPoulesForm::ExcelBitBtnClick);
    connect(KnockoutBitBtn, &QPushButton::clicked, this, &TPoulesForm::KnockoutBitBtnClick);
    connect(WedstrijdenPaneel, &TPouleWedstrijdenPaneel::UitslagGevraagd, this,
            &TPoulesForm::VraagUitslag);
    connect(WedstrijdenPaneel->TellingBitBtn, &QPushButton::clicked, this,
            &TPoulesForm::TellingBitBtnClick);
    connect(WedstrijdenPaneel->LotenBitBtn, &QPushButton::clicked, this,
            &TPoulesForm::LotenBitBtnClick);
    connect(WedstrijdenPaneel->TeruggetrokkenBitBtn, &QPushButton::clicked, this,
            &TPoulesForm::TeruggetrokkenBitBtnClick);
    connect(DeelnemersStringGrid, &QTableWidget::currentCellChanged, this,
            [this]() { m_gekozen = GeselecteerdeIndex(); });
    connect(WedstrijdenPaneel->StandGrid, &QTableWidget::currentCellChanged, this, [this]() {
        if (WedstrijdenPaneel->StandGrid->hasFocus())
            m_gekozen = WedstrijdenPaneel->GeselecteerdeStandDeelnemer();
    });
    connect(WedstrijdenPaneel->VolgordeBitBtn, &QPushButton::clicked, this,
            &TPoulesForm::VolgordeBitBtnClick);

    // The window sees key presses before its controls; the grid's viewport
    // and header report double-clicks, header clicks and width changes.
    const QList<QWidget*> kinderen = findChildren<QWidget*>();
    for (QWidget* kind : kinderen)
        kind->installEventFilter(this);

    FormResize();

    connect(&m_document, &TToernooiDocument::PoulesVeranderd, this, &TPoulesForm::ToonWijziging);
    connect(&m_document, &TToernooiDocument::Vervangen, this, &TPoulesForm::ToonVervangen);
    connect(&m_document, &TToernooiDocument::PoulesGetrokken, this, &TPoulesForm::ToonPoules);
    // Only the shown pool is on screen; the others are read when shown.
    connect(&m_document, &TToernooiDocument::PouleWedstrijdenVeranderd, this, [this](int poule) {
        if (!m_deelnemers)
            return;
        if (MetWedstrijden() != m_metWedstrijden)
            ToonWedstrijden();
        else if (poule == WedstrijdenPaneel->Poule())
            WedstrijdenPaneel->Ververs();
    });
    connect(&m_document, &TToernooiDocument::Hersteld, this, [this](int vorigeStatus) {
        // Undo or redo that brings the pools back shows them as a start does.
        auto metPoules = [](int status) { return status == psPoules || status == psKnockout; };
        if (metPoules(m_document.Programmastatus()) && !metPoules(vorigeStatus))
            ToonPoules();
    });
}

void TPoulesForm::ToonWijziging() {
    if (!m_deelnemers)
        return;
    const TProgrammastatus status = m_document.Programmastatus();
    if ((status == psPoules || status == psKnockout) &&
        HoogstePoule(*m_deelnemers) != PoulesTabControl->AantalTabs()) {
        ToonVervangen(); // a new list with other pools
        return;
    }
    m_pouleIndex = MaakPouleIndex(*m_deelnemers);
    const std::size_t poule = static_cast<std::size_t>(PoulesTabControl->TabIndex());
    const std::vector<int> leden =
        poule < m_pouleIndex.size() ? m_pouleIndex[poule] : std::vector<int>();
    std::vector<int> getoond;
    for (int rij = 1; rij < RowCount(); ++rij)
        getoond.push_back(PouleRooster::Index(DeelnemersStringGrid, rij));
    std::sort(getoond.begin(), getoond.end());
    if (getoond != leden) {
        VulRooster();
    } else {
        // The same participants, a position changed: the rows stay where
        // they are and only what changed moves, with the selection.
        for (const TRij& rij : Rijen(*m_deelnemers, leden)) {
            const int r = PouleRooster::ZoekRij(DeelnemersStringGrid, rij[IndexKolom].toInt());
            for (int kolom = NrKolom; kolom <= PosKolom; ++kolom)
                PouleRooster::ZetCel(DeelnemersStringGrid, kolom, r,
                                     rij[static_cast<std::size_t>(kolom)]);
        }
        SorteerRooster();
    }
    KnockoutBitBtn->setEnabled(EindstandenCompleet());
    if (MetWedstrijden() != m_metWedstrijden)
        ToonWedstrijden();
    else if (MetWedstrijden())
        WedstrijdenPaneel->Ververs();
}

void TPoulesForm::ToonVervangen() {
    if (!m_deelnemers)
        return;
    m_deelnemers = &std::as_const(m_document).Deelnemers();
    m_meetNamen = true;
    const int tab = PoulesTabControl->TabIndex();
    const TProgrammastatus status = m_document.Programmastatus();
    PoulesTabControl->ZetPoules(
        status == psPoules || status == psKnockout ? HoogstePoule(*m_deelnemers) : 0);
    if (tab > 0 && tab < PoulesTabControl->AantalTabs())
        PoulesTabControl->ZetTabIndex(tab);
    PoulesTabControlChange();
    KnockoutBitBtn->setEnabled(EindstandenCompleet());
}

bool TPoulesForm::MetWedstrijden() const {
    return m_deelnemers && !m_document.PouleWedstrijden().Leeg();
}

void TPoulesForm::ToonWedstrijden() {
    const bool met = MetWedstrijden();
    const bool wissel = met != m_metWedstrijden;
    m_metWedstrijden = met;
    if (m_deelnemers && m_deelnemers->size() != m_aantalGemeten)
        m_meetNamen = true;
    const bool meet = met && (wissel || m_meetNamen);
    if (meet) {
        WedstrijdenPaneel->MeetNamen();
        m_meetNamen = false;
        m_aantalGemeten = m_deelnemers->size();
    }
    // The designed part keeps its size; the window widens for the matches.
    if (met && (wissel || meet))
        resize(std::max(width(), OntwerpBreedte() + 2 * Rand + WedstrijdenPaneel->NodigeBreedte() +
                                     PaneelAfstand),
               std::max(height(), naarLettertype(this, HoogteMetWedstrijden)));
    if (met && (wissel || meet))
        BinnenScherm();
    if (wissel || meet)
        FormResize();
    WedstrijdenPaneel->ToonPoule(met ? PoulesTabControl->TabIndex() + 1 : 0);
}

// A window widened at its place may run off the screen's right or bottom
// edge: it moves back, and is made smaller where the screen is.
void TPoulesForm::BinnenScherm() {
    const QScreen* scherm = screen();
    if (!scherm)
        return;
    const QRect ruimte = scherm->availableGeometry();
    const QMargins rand(x() - frameGeometry().x(), y() - frameGeometry().y(),
                        frameGeometry().right() - geometry().right(),
                        frameGeometry().bottom() - geometry().bottom());
    resize(std::min(width(), ruimte.width() - rand.left() - rand.right()),
           std::min(height(), ruimte.height() - rand.top() - rand.bottom()));
    // move() places the frame.
    const QRect kader = frameGeometry();
    move(std::max(ruimte.left(), std::min(kader.x(), ruimte.right() + 1 - kader.width())),
         std::max(ruimte.top(), std::min(kader.y(), ruimte.bottom() + 1 - kader.height())));
}

int TPoulesForm::OntwerpBreedte() const {
    return naarLettertype(this, 315) + KnopHoogte - 2 * Rand;
}

int TPoulesForm::RowCount() const {
    return PouleRooster::RowCount(DeelnemersStringGrid);
}

int TPoulesForm::Row() const {
    return PouleRooster::Row(DeelnemersStringGrid);
}

void TPoulesForm::SelecteerRij(int rij) {
    PouleRooster::SelecteerRij(DeelnemersStringGrid, rij);
}

QString TPoulesForm::Cel(int kolom, int rij) const {
    return PouleRooster::Cel(DeelnemersStringGrid, kolom, rij);
}

void TPoulesForm::ToonPoules() {
    m_deelnemers = &std::as_const(m_document).Deelnemers();
    m_meetNamen = true;
    PoulesTabControl->ZetPoules(HoogstePoule(*m_deelnemers));
    PoulesTabControlChange();
    KnockoutBitBtn->setEnabled(EindstandenCompleet());
    DeelnemersStringGrid->setFocus();
    FormResize();
    show();
    raise();
}

void TPoulesForm::PoulesTabControlChange() {
    // Called from outside after the pools themselves changed.
    m_pouleIndex = m_deelnemers ? MaakPouleIndex(*m_deelnemers) : TPouleIndex();
    VulRooster();
}

void TPoulesForm::TabGewisseld() {
    VulRooster();
}

bool TPoulesForm::VolgTypVolgorde(int stap) {
    const int index = PouleRooster::Index(DeelnemersStringGrid, Row());
    const auto plek = std::find(m_typVolgorde.begin(), m_typVolgorde.end(), index);
    if (plek == m_typVolgorde.end())
        return false;
    const auto volgende = plek - m_typVolgorde.begin() + stap;
    if (volgende < 0 || volgende >= static_cast<std::ptrdiff_t>(m_typVolgorde.size()))
        return true; // the first or the last row typed: the cursor stays
    const int rij =
        PouleRooster::ZoekRij(DeelnemersStringGrid, m_typVolgorde[std::size_t(volgende)]);
    if (rij < 1)
        return false;
    SelecteerRij(rij);
    return true;
}

void TPoulesForm::VulRooster() {
    m_typVolgorde.clear();
    TRijen rijen;
    const std::size_t poule = static_cast<std::size_t>(PoulesTabControl->TabIndex());
    if (m_deelnemers && poule < m_pouleIndex.size()) {
        std::vector<int> leden = m_pouleIndex[poule];
        // The list may have shrunk under a stale index; ToonPoules rebuilds it.
        std::erase_if(leden, [this](int i) { return i >= static_cast<int>(m_deelnemers->size()); });
        rijen = Rijen(*m_deelnemers, leden);
    }
    PouleRooster::Vul(DeelnemersStringGrid, rijen);
    SorteerRooster();
    PasKolombreedtesAan();
    ToonWedstrijden();
}

bool TPoulesForm::EindstandenCompleet() const {
    return m_deelnemers && Poules::EindstandenCompleet(*m_deelnemers);
}

void TPoulesForm::SorteerRooster() {
    TRijen rijen = PouleRooster::Rijen(DeelnemersStringGrid);
    const int geselecteerd = Sorteer(rijen, SorteerKolom, Row() - 1);
    for (std::size_t i = 0; i < rijen.size(); ++i) {
        for (int kolom = 0; kolom < 4; ++kolom)
            PouleRooster::ZetCel(DeelnemersStringGrid, kolom, static_cast<int>(i) + 1,
                                 rijen[i][static_cast<std::size_t>(kolom)]);
    }
    SelecteerRij(geselecteerd + 1);
}

void TPoulesForm::PasKolombreedtesAan() {
    PouleRooster::PasKolombreedtesAan(DeelnemersStringGrid);
}

void TPoulesForm::FormResize() {
    m_vlak->setGeometry(rect().adjusted(Rand, Rand, -Rand, -Rand));
    const int cw = m_vlak->width();
    const int ch = m_vlak->height();
    // The square print button closes the row; the other three share the rest.
    const int w = (cw - KnopHoogte) / 3;
    const int top = ch - KnopHoogte;
    WijzigBitBtn->setGeometry(0, top, w, KnopHoogte);
    ExcelBitBtn->setGeometry(w, top, w, KnopHoogte);
    KnockoutBitBtn->setGeometry(2 * w, top, w, KnopHoogte);
    AfdrukBitBtn->setGeometry(cw - KnopHoogte, top, KnopHoogte, KnopHoogte);
    PoulesTabControl->setGeometry(0, 0, cw, ExcelBitBtn->y() - 10);
    const QRect pagina = PoulesTabControl->Pagina().adjusted(8, 8, -8, -8);
    // The matches show where the window has room for them beside the
    // designed part; a window made narrower again is the designed one.
    // On a small screen the matches take what is left, down to a width
    // where their tables still show a few columns; they scroll sideways.
    const int paneel =
        std::min(WedstrijdenPaneel->NodigeBreedte(), cw - OntwerpBreedte() - PaneelAfstand);
    const bool paneelPast = m_metWedstrijden && paneel >= naarLettertype(this, PaneelMinimum);
    if (paneelPast != WedstrijdenPaneel->isVisibleTo(this))
        WedstrijdenPaneel->setVisible(paneelPast);
    if (paneelPast) {
        // The designed part on the left as designed; the matches take the
        // width the window gained.
        const int ontwerp = std::max(cw - paneel - PaneelAfstand, 0);
        const int knop = (ontwerp - KnopHoogte) / 3;
        WijzigBitBtn->setGeometry(0, top, knop, KnopHoogte);
        ExcelBitBtn->setGeometry(knop, top, knop, KnopHoogte);
        KnockoutBitBtn->setGeometry(2 * knop, top, knop, KnopHoogte);
        AfdrukBitBtn->setGeometry(ontwerp - KnopHoogte, top, KnopHoogte, KnopHoogte);
        DeelnemersStringGrid->setGeometry(pagina.adjusted(0, 0, -(cw - ontwerp), 0));
        WedstrijdenPaneel->setGeometry(DeelnemersStringGrid->geometry().right() + 1 + PaneelAfstand,
                                       pagina.top(), paneel, pagina.height());
    } else {
        DeelnemersStringGrid->setGeometry(pagina);
    }
    PasKolombreedtesAan();
}

void TPoulesForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

int TPoulesForm::GeselecteerdeIndex() const {
    const int index = PouleRooster::Index(DeelnemersStringGrid, Row());
    if (!m_deelnemers || index < 0 || index >= static_cast<int>(m_deelnemers->size()))
        return -1;
    return index;
}

bool TPoulesForm::VraagTerugNaarPoules(const QString& vraag) const {
    return m_document.Programmastatus() == psPoules ||
           messages().confirm(vraag, Buttons::YesNo) == Answer::Yes;
}

bool TPoulesForm::FormKeyPress(const QKeyEvent* event) {
    const QChar toets = Toets(*event);
    if (!IsPositieToets(toets))
        return false;
    // The pool matches have keys of their own; a digit there is no position.
    if (WedstrijdenPaneel->isAncestorOf(QApplication::focusWidget()))
        return false;
    if (!VraagTerugNaarPoules(KnockoutBezigTerugVraag))
        return true;
    DeelnemersStringGrid->setFocus();
    const int index = GeselecteerdeIndex();
    std::optional<int> positie;
    if (index >= 0) {
        // The row re-sorts on its new position; Down must still reach the row
        // that stood below it while the user typed down the pool.
        if (std::find(m_typVolgorde.begin(), m_typVolgorde.end(), index) == m_typVolgorde.end()) {
            m_typVolgorde.clear();
            for (int rij = 1; rij < RowCount(); ++rij)
                m_typVolgorde.push_back(PouleRooster::Index(DeelnemersStringGrid, rij));
        }
        positie = PositieNaToets(toets, RowCount() - 1,
                                 (*m_deelnemers)[static_cast<std::size_t>(index)]->Positie);
    }
    // Ending the knockouts and the position are one step.
    m_document.ZetPositie(index, positie);
    return true;
}

void TPoulesForm::VraagEindstand() {
    if (!VraagTerugNaarPoules(KnockoutBezigTerugVraag))
        return;
    const int index = GeselecteerdeIndex();
    std::optional<int> positie;
    if (index >= 0) {
        const TDeelnemer& deelnemer = *(*m_deelnemers)[static_cast<std::size_t>(index)];
        const QString standaard = StandaardAntwoord(Cel(PosKolom, Row()));
        const QString antwoord = messages()
                                     .input(EindstandTitel, EindstandVraag(deelnemer), standaard)
                                     .value_or(standaard);
        const TEindstandAntwoord uitkomst =
            BeoordeelEindstand(antwoord, RowCount() - 1, deelnemer.Positie);
        // An empty answer counts as a change even for an open position.
        if (uitkomst.Soort == TEindstandAntwoord::TSoort::Wis ||
            uitkomst.Soort == TEindstandAntwoord::TSoort::Zet)
            positie = uitkomst.Positie;
        else if (uitkomst.Soort == TEindstandAntwoord::TSoort::Melding)
            messages().information(uitkomst.Melding);
    }
    // Ending the knockouts and the position are one step.
    m_document.ZetPositie(index, positie);
}

void TPoulesForm::WijzigBitBtnClick() {
    if (!m_deelnemers)
        return;
    if (m_document.Programmastatus() == psPoules) {
        const bool ingevuld = std::any_of(m_deelnemers->begin(), m_deelnemers->end(),
                                          [](const auto& d) { return d->Positie >= 1; });
        if (ingevuld && messages().confirm(EindstandenIngevuldVraag, Buttons::YesNo) != Answer::Yes)
            return;
    } else {
        if (!VraagTerugNaarPoules(KnockoutBezigIndelenVraag))
            return;
        m_document.TerugNaarPoules();
    }
    TPoulesWijzigenForm wijzigen(m_document, this);
    wijzigen.WijzigPoules();
}

void TPoulesForm::ExcelBitBtnClick() {
    if (!m_deelnemers)
        return;
    QStringList tabTeksten;
    for (int tab = 0; tab < PoulesTabControl->AantalTabs(); ++tab)
        tabTeksten << PoulesTabControl->TabTekst(tab);
    PoulesExport::Exporteer(*m_deelnemers, tabTeksten, PouleSjabloon,
                            &m_document.PouleWedstrijden());
}

void TPoulesForm::KnockoutBitBtnClick() {
    // The knockout division ends a running knockout in the same step.
    if (VraagTerugNaarPoules(KnockoutBezigIndelenVraag))
        Q_EMIT KnockoutGevraagd();
}

void TPoulesForm::keyPressEvent(QKeyEvent* event) {
    if (!FormKeyPress(event))
        QWidget::keyPressEvent(event);
}

void TPoulesForm::VraagUitslag(int wedstrijd) {
    const int poule = WedstrijdenPaneel->Poule();
    const Poulewedstrijden::TPoulewedstrijden& alle = m_document.PouleWedstrijden();
    if (!m_deelnemers || poule < 1 || poule > static_cast<int>(alle.Poules.size()))
        return;
    const Poulewedstrijden::TPoule& data = alle.Poules[static_cast<std::size_t>(poule - 1)];
    if (wedstrijd < 0 || wedstrijd >= static_cast<int>(data.Wedstrijden.size()))
        return;
    const Poulewedstrijden::TPouleWedstrijd& oud = data.Wedstrijden[std::size_t(wedstrijd)];
    auto naam = [this](int index) { return (*m_deelnemers)[std::size_t(index)]->Naam(); };
    const TPouleUitslagForm::TUitslag huidig{oud.Afloop, oud.Verliezer, oud.Games};
    std::optional<TPouleUitslagForm::TUitslag> uitslag;
    {
        TPouleUitslagForm dialoog(this);
        uitslag =
            dialoog.Invoeren(naam(oud.A), naam(oud.B), oud.Ronde, alle.Telling.Spelvorm, huidig);
    }
    if (!uitslag)
        return;
    if (*uitslag != huidig) {
        Poulewedstrijden::TPoule nieuw = data;
        Poulewedstrijden::TPouleWedstrijd& w = nieuw.Wedstrijden[std::size_t(wedstrijd)];
        w.Games = uitslag->Games;
        w.Afloop = uitslag->Afloop;
        w.Verliezer = uitslag->Verliezer;
        const std::vector<int> leden = Leden(*m_deelnemers, poule);
        const Poulewedstrijden::TStand stand = Poulewedstrijden::BerekenStand(
            alle.Telling, leden, nieuw, Poulewedstrijden::Teruggetrokken(*m_deelnemers, leden));
        bool herbereken = false;
        if (!MagStandWijzigen(stand, herbereken))
            return;
        m_document.ZetPouleAfloop(poule, wedstrijd, uitslag->Afloop, uitslag->Verliezer,
                                  uitslag->Games, herbereken);
    }
    // On to the next match on the sheet.
    const int volgende = WedstrijdenPaneel->VolgendeOngespeeld(wedstrijd);
    WedstrijdenPaneel->SelecteerWedstrijd(volgende >= 0 ? volgende : wedstrijd);
    WedstrijdenPaneel->WedstrijdenGrid->setFocus();
}

bool TPoulesForm::MagStandWijzigen(const Poulewedstrijden::TStand& stand, bool& herbereken) const {
    const int poule = WedstrijdenPaneel->Poule();
    const Poulewedstrijden::TPoule& data =
        m_document.PouleWedstrijden().Poules[static_cast<std::size_t>(poule - 1)];
    // The positions follow the standings only once the pool is complete
    // without an open tie; otherwise they stay as they are.
    bool anders = false;
    if (stand.AllesGespeeld && stand.OpenGelijk.empty()) {
        for (const Poulewedstrijden::TStandRij& rij : stand.Rijen)
            anders = anders || (*m_deelnemers)[std::size_t(rij.Deelnemer)]->Positie != rij.Plaats;
    }
    herbereken = false;
    if (anders && data.PositiesHandmatig) {
        herbereken = messages().confirm(HerberekenVraag.arg(poule), Buttons::YesNo) == Answer::Yes;
        anders = herbereken;
    }
    // New positions end a running knockout, as a typed position does.
    return !anders || VraagTerugNaarPoules(KnockoutBezigTerugVraag);
}

void TPoulesForm::TellingBitBtnClick() {
    std::optional<Poulewedstrijden::TTelling> telling;
    {
        TTellingForm dialoog(this);
        telling = dialoog.Kies(m_document.PouleWedstrijden().Telling);
    }
    if (!telling || *telling == m_document.PouleWedstrijden().Telling)
        return;
    // Other ranking steps may reorder complete pools, and with them the
    // positions a running knockout was drawn from: it ends first.
    if (!VraagTerugNaarPoules(KnockoutBezigTerugVraag))
        return;
    if (m_document.Programmastatus() == psKnockout)
        m_document.TerugNaarPoules();
    if (!m_document.ZetTelling(*telling))
        messages().information(TellingGeweigerdMelding);
}

void TPoulesForm::LotenBitBtnClick() {
    const int poule = WedstrijdenPaneel->Poule();
    if (poule < 1 || m_document.PouleStand(poule).OpenGelijk.empty())
        return;
    // The draw may complete the pool's positions; that ends a running
    // knockout, so it asks as a typed position does.
    if (m_document.PouleStand(poule).AllesGespeeld &&
        !VraagTerugNaarPoules(KnockoutBezigTerugVraag))
        return;
    m_document.TrekLot(poule);
}

void TPoulesForm::VolgordeBitBtnClick() {
    const int poule = WedstrijdenPaneel->Poule();
    if (poule < 1 || !m_deelnemers)
        return;
    const Poulewedstrijden::TStand stand = m_document.PouleStand(poule);
    if (stand.OpenGelijk.empty())
        return;
    // The tie of the selected standings row, or else the first one.
    std::vector<int> groep = stand.OpenGelijk.front();
    const int gekozen = WedstrijdenPaneel->GeselecteerdeStandDeelnemer();
    for (const std::vector<int>& open : stand.OpenGelijk) {
        if (std::find(open.begin(), open.end(), gekozen) != open.end())
            groep = open;
    }
    QStringList namen;
    for (int index : groep)
        namen << (*m_deelnemers)[std::size_t(index)]->Naam();
    std::optional<std::vector<int>> volgorde;
    {
        TLotVolgordeForm dialoog(this);
        volgorde = dialoog.Kies(groep, namen);
    }
    if (!volgorde)
        return;
    if (stand.AllesGespeeld && !VraagTerugNaarPoules(KnockoutBezigTerugVraag))
        return;
    m_document.ZetLot(poule, *volgorde);
}

void TPoulesForm::TeruggetrokkenBitBtnClick() {
    const int poule = WedstrijdenPaneel->Poule();
    int index = m_gekozen;
    if (!m_deelnemers || poule < 1)
        return;
    if (index < 0 || index >= static_cast<int>(m_deelnemers->size()) ||
        (*m_deelnemers)[std::size_t(index)]->Poule != poule)
        index = GeselecteerdeIndex();
    if (index < 0)
        return;
    const TDeelnemer& deelnemer = *(*m_deelnemers)[std::size_t(index)];
    if (deelnemer.Teruggetrokken) {
        if (messages().confirm(QStringLiteral("%1 is teruggetrokken. Is %1 weer aanwezig? De "
                                              "w.o.'s die de terugtrekking gaf, vervallen dan.")
                                   .arg(deelnemer.Naam()),
                               Buttons::YesNo) == Answer::Yes)
            m_document.ZetTeruggetrokken(index, false);
        return;
    }
    // The rounds of its pool, and the first in which it has a match to play.
    const auto& wedstrijden =
        m_document.PouleWedstrijden().Poules[static_cast<std::size_t>(poule - 1)].Wedstrijden;
    int rondes = 0;
    int volgende = 0;
    for (const Poulewedstrijden::TPouleWedstrijd& w : wedstrijden) {
        if (w.A != index && w.B != index)
            continue;
        rondes = std::max(rondes, w.Ronde);
        if (!w.Gespeeld() && volgende == 0)
            volgende = w.Ronde;
    }
    const QString vraag =
        QStringLiteral("%1 trekt zich terug. Vanaf welke ronde (1 tot en met %2) verliest %1 "
                       "de wedstrijden die nog niet gespeeld zijn met w.o.? Gespeelde "
                       "wedstrijden houden hun uitslag.")
            .arg(deelnemer.Naam())
            .arg(rondes);
    const std::optional<QString> antwoord =
        messages().input(QStringLiteral("Teruggetrokken"), vraag,
                         QString::number(volgende > 0 ? volgende : std::max(rondes, 1)));
    if (!antwoord)
        return;
    bool getal = false;
    const int ronde = antwoord->trimmed().toInt(&getal);
    if (!getal || ronde < 1 || (rondes > 0 && ronde > rondes)) {
        messages().information(
            QStringLiteral("\"%1\" is geen ronde van de poule; typ 1 tot en met %2.")
                .arg(antwoord->trimmed())
                .arg(rondes));
        return;
    }
    m_document.ZetTeruggetrokken(index, true, ronde);
}

bool TPoulesForm::eventFilter(QObject* watched, QEvent* event) {
    QHeaderView* kop = DeelnemersStringGrid->horizontalHeader();
    const bool inRooster =
        watched == DeelnemersStringGrid->viewport() || watched == kop->viewport();
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* toets = static_cast<QKeyEvent*>(event);
        if (FormKeyPress(toets))
            return true;
        if (watched == DeelnemersStringGrid &&
            (toets->key() == Qt::Key_Return || toets->key() == Qt::Key_Enter)) {
            VraagEindstand();
            return true;
        }
        if (watched == DeelnemersStringGrid && toets->modifiers() == Qt::NoModifier &&
            (toets->key() == Qt::Key_Down || toets->key() == Qt::Key_Up) &&
            VolgTypVolgorde(toets->key() == Qt::Key_Down ? 1 : -1))
            return true;
        // Any other way through the grid ends the typing.
        if (watched == DeelnemersStringGrid &&
            (toets->key() == Qt::Key_Down || toets->key() == Qt::Key_Up ||
             toets->key() == Qt::Key_PageDown || toets->key() == Qt::Key_PageUp ||
             toets->key() == Qt::Key_Home || toets->key() == Qt::Key_End))
            m_typVolgorde.clear();
        break;
    }
    case QEvent::MouseButtonPress:
        if (inRooster)
            m_typVolgorde.clear();
        break;
    case QEvent::MouseButtonRelease:
        if (watched == kop->viewport()) {
            const auto* muis = static_cast<QMouseEvent*>(event);
            SorteerKolom = PouleRooster::Kolom(kop->logicalIndexAt(muis->position().toPoint()));
            SorteerRooster();
        }
        break;
    case QEvent::MouseButtonDblClick:
        if (inRooster) {
            VraagEindstand();
            return true;
        }
        break;
    case QEvent::Resize:
        // A scroll bar that comes or goes changes the room for the names.
        if (watched == DeelnemersStringGrid->viewport())
            PasKolombreedtesAan();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
