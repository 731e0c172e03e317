#include "pools/PoulesWijzigenForm.h"

#include "ui/Help.h"
#include "ui/Scherm.h"
#include "model/MessageService.h"
#include "model/Poules.h"
#include "model/Text.h"
#include "model/ToernooiDocument.h"
#include "participants/InputDeelnemerDialog.h"
#include "pools/PouleControls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>

#include <utility>

using namespace Poules;

// Each letter followed by LF CR, as the message texts break their lines.
const QString TPoulesWijzigenForm::WisselTekst =
    QStringLiteral("W\n\ri\n\rs\n\rs\n\re\n\rl\n\re\n\rn");

namespace {

const QString DubbeleNaamTekst = QStringLiteral("Er bestaat reeds een deelnemer met deze naam.");
const QString VervallenVraag =
    QStringLiteral("Door deze wissel vervallen de volgende uitslagen:\n\n%1\n\nWeet u zeker dat u "
                   "wilt wisselen?");

constexpr int KnopHoogte = 25;
constexpr int WisselBreedte = 33;
constexpr int LateInschrijvingBreedte = 113;
constexpr int SluitBreedte = 75;

QPushButton* MaakKnop(const QString& tekst, const QString& naam, QWidget* ouder) {
    auto* knop = new QPushButton(tekst, ouder);
    knop->setObjectName(naam);
    // Enter belongs to nobody here; only a click or the accelerator acts.
    knop->setAutoDefault(false);
    return knop;
}

} // namespace

TPoulesWijzigenForm::TPoulesWijzigenForm(TToernooiDocument& document, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                         Qt::WindowCloseButtonHint)
    , TabControlLinks(new TPouleTabControl(this))
    , StringGridLinks(new QTableWidget(TabControlLinks))
    , WisselBitBtn(
          MaakKnop(Text::displayLineBreaks(WisselTekst), QStringLiteral("WisselBitBtn"), this))
    , TabControlRechts(new TPouleTabControl(this))
    , StringGridRechts(new QTableWidget(TabControlRechts))
    , LateInschrijvingBitBtn(MaakKnop(QStringLiteral("&Late inschrijving"),
                                      QStringLiteral("LateInschrijvingBitBtn"), this))
    , SluitBitBtn(MaakKnop(QStringLiteral("&Sluiten"), QStringLiteral("SluitBitBtn"), this))
    , m_document(document) {
    setWindowTitle(QStringLiteral("Poules wijzigen"));
    setHelpContext(this, HelpContext::PoulesWijzigen);
    // A larger desktop font makes the window and its buttons larger with it.
    setMinimumSize(naarLettertype(this, 300), naarLettertype(this, 200));
    resize(naarLettertype(this, 670), naarLettertype(this, 300));

    TabControlLinks->setObjectName(QStringLiteral("TabControlLinks"));
    StringGridLinks->setObjectName(QStringLiteral("StringGridLinks"));
    TabControlRechts->setObjectName(QStringLiteral("TabControlRechts"));
    StringGridRechts->setObjectName(QStringLiteral("StringGridRechts"));
    PouleRooster::Init(StringGridLinks);
    PouleRooster::Init(StringGridRechts);
    // Two pools side by side: a screen reader tells which side it is on.
    TabControlLinks->TabBar()->setAccessibleName(QStringLiteral("Poules links"));
    TabControlRechts->TabBar()->setAccessibleName(QStringLiteral("Poules rechts"));
    StringGridLinks->setAccessibleName(QStringLiteral("Deelnemers van de linker poule"));
    StringGridRechts->setAccessibleName(QStringLiteral("Deelnemers van de rechter poule"));

    WisselBitBtn->resize(naarLettertype(this, WisselBreedte), KnopHoogte);
    LateInschrijvingBitBtn->resize(naarLettertype(this, LateInschrijvingBreedte), KnopHoogte);
    LateInschrijvingBitBtn->setToolTip(QStringLiteral("Alsnog een deelnemer inschrijven"));
    SluitBitBtn->resize(naarLettertype(this, SluitBreedte), KnopHoogte);

    setTabOrder(TabControlLinks->TabBar(), StringGridLinks);
    setTabOrder(StringGridLinks, TabControlRechts->TabBar());
    setTabOrder(TabControlRechts->TabBar(), StringGridRechts);
    setTabOrder(StringGridRechts, WisselBitBtn);
    setTabOrder(WisselBitBtn, LateInschrijvingBitBtn);
    setTabOrder(LateInschrijvingBitBtn, SluitBitBtn);

    connect(TabControlLinks, &TPouleTabControl::Change, this, [this] {
        VulRooster(TabControlLinks, StringGridLinks);
        StringGridLinks->setFocus();
    });
    connect(TabControlRechts, &TPouleTabControl::Change, this, [this] {
        VulRooster(TabControlRechts, StringGridRechts);
        StringGridRechts->setFocus();
    });
    connect(WisselBitBtn, &QPushButton::clicked, this, &TPoulesWijzigenForm::WisselBitBtnClick);
    connect(LateInschrijvingBitBtn, &QPushButton::clicked, this,
            &TPoulesWijzigenForm::LateInschrijvingBitBtnClick);
    connect(SluitBitBtn, &QPushButton::clicked, this, &QDialog::accept);

    // A grid's room for the names is known only once its viewport has been
    // laid out, and changes with its scroll bar.
    StringGridLinks->viewport()->installEventFilter(this);
    StringGridRechts->viewport()->installEventFilter(this);

    FormResize();
    connect(&m_document, &TToernooiDocument::PoulesVeranderd, this, [this] {
        VulRooster(TabControlLinks, StringGridLinks);
        VulRooster(TabControlRechts, StringGridRechts);
    });
}

void TPoulesWijzigenForm::WijzigPoules() {
    m_deelnemers = &std::as_const(m_document).Deelnemers();
    const int aantal = HoogstePoule(*m_deelnemers);
    TabControlLinks->ZetPoules(aantal);
    TabControlRechts->ZetPoules(aantal);
    VulRooster(TabControlLinks, StringGridLinks);
    if (aantal > 1)
        TabControlRechts->ZetTabIndex(1);
    VulRooster(TabControlRechts, StringGridRechts);
    StringGridLinks->setFocus();
    FormResize();
    centreerOpScherm(this);
    exec();
}

void TPoulesWijzigenForm::VulRooster(TPouleTabControl* tabs, QTableWidget* grid) {
    TRijen rijen;
    if (m_deelnemers && tabs->TabIndex() >= 0)
        rijen = Rijen(*m_deelnemers, Leden(*m_deelnemers, tabs->TabIndex() + 1));
    PouleRooster::Vul(grid, rijen);
    PouleRooster::PasKolombreedtesAan(grid);
}

void TPoulesWijzigenForm::PlaatsRooster(TPouleTabControl* tabs, QTableWidget* grid) {
    grid->setGeometry(tabs->Pagina().adjusted(8, 8, -8, -8));
    PouleRooster::PasKolombreedtesAan(grid);
}

void TPoulesWijzigenForm::WisselBitBtnClick() {
    const int linksPoule = TabControlLinks->TabIndex() + 1;
    const int rechtsPoule = TabControlRechts->TabIndex() + 1;
    if (!m_deelnemers || linksPoule == rechtsPoule)
        return;
    const int links = PouleRooster::Index(StringGridLinks, PouleRooster::Row(StringGridLinks));
    const int rechts = PouleRooster::Index(StringGridRechts, PouleRooster::Row(StringGridRechts));
    // An empty pool has nobody to give.
    if (links < 0 || rechts < 0)
        return;
    // Scores of matches that no longer exist after the swap go with it; the
    // organiser sees which before they do.
    const std::vector<Poulewedstrijden::TPouleWedstrijd> vervallen =
        m_document.WisselVervalt(links, linksPoule, rechts, rechtsPoule);
    if (!vervallen.empty()) {
        QStringList regels;
        for (const Poulewedstrijden::TPouleWedstrijd& wedstrijd : vervallen)
            regels << (*m_deelnemers)[std::size_t(wedstrijd.A)]->Naam() + QStringLiteral(" - ") +
                          (*m_deelnemers)[std::size_t(wedstrijd.B)]->Naam() + u' ' +
                          Poulewedstrijden::GamesTekst(wedstrijd.Games);
        if (messages().confirm(VervallenVraag.arg(regels.join(u'\n')), Buttons::YesNo) !=
            Answer::Yes)
            return;
    }
    if (!m_document.WisselPoules(links, linksPoule, rechts, rechtsPoule))
        return;
    PouleRooster::SelecteerRij(StringGridLinks, PouleRooster::ZoekRij(StringGridLinks, rechts));
    PouleRooster::SelecteerRij(StringGridRechts, PouleRooster::ZoekRij(StringGridRechts, links));
}

void TPoulesWijzigenForm::LateInschrijvingBitBtnClick() {
    if (!m_deelnemers)
        return;
    QString voornaam;
    QString achternaam;
    Deelnemerslijst::TNaam naam;
    {
        TInputDeelnemerDialog dialoog(this);
        // A latecomer's seed must be free, as in the participant window.
        dialoog.ZetPlaatsingBezet([this](int plaatsing) {
            const int houder = m_document.NaamMetPlaatsing(plaatsing);
            return houder < 0 ? QString()
                              : Deelnemerslijst::PlaatsingBezetTekst(
                                    plaatsing, m_document.Namen()[std::size_t(houder)]);
        });
        if (!dialoog.Invoeren())
            return;
        voornaam = Text::cleanName(dialoog.Voornaam());
        achternaam = Text::cleanName(dialoog.Achternaam());
        naam = {voornaam, achternaam, dialoog.Vereniging(), dialoog.Plaatsing()};
    }
    if (BestaatNaam(*m_deelnemers, voornaam, achternaam)) {
        messages().information(DubbeleNaamTekst);
        return;
    }
    const int poule = PouleVoorLateInschrijving(*m_deelnemers, TabControlLinks->AantalTabs());
    const TDeelnemer nieuw(voornaam, achternaam);
    if (messages().confirm(LateInschrijvingVraag(nieuw, poule), Buttons::YesNo) != Answer::Yes)
        return;
    m_document.LateInschrijving(naam, poule);
    TabControlLinks->ZetTabIndex(poule - 1);
    VulRooster(TabControlLinks, StringGridLinks);
    PouleRooster::SelecteerRij(StringGridLinks, PouleRooster::RowCount(StringGridLinks) - 1);
}

void TPoulesWijzigenForm::FormResize() {
    const int cw = width();
    const int ch = height();
    const int sluitTop = ch - SluitBitBtn->height() - 8;
    SluitBitBtn->move(cw / 2 + 8, sluitTop);
    LateInschrijvingBitBtn->move(cw / 2 - 8 - LateInschrijvingBitBtn->width(), sluitTop);
    const int wisselBreedte = WisselBitBtn->width();
    WisselBitBtn->setGeometry(cw / 2 - wisselBreedte / 2, 8, wisselBreedte, sluitTop - 16);
    const int tabBreedte = cw / 2 - wisselBreedte / 2 - 16;
    TabControlLinks->setGeometry(8, 8, tabBreedte, sluitTop - 16);
    TabControlRechts->setGeometry(WisselBitBtn->x() + wisselBreedte + 8, 8, tabBreedte,
                                  sluitTop - 16);
    PlaatsRooster(TabControlLinks, StringGridLinks);
    PlaatsRooster(TabControlRechts, StringGridRechts);
}

void TPoulesWijzigenForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FormResize();
}

void TPoulesWijzigenForm::keyPressEvent(QKeyEvent* event) {
    // Escape closes as "&Sluiten" does, with OK.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TPoulesWijzigenForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        if (watched == StringGridLinks->viewport())
            PouleRooster::PasKolombreedtesAan(StringGridLinks);
        else if (watched == StringGridRechts->viewport())
            PouleRooster::PasKolombreedtesAan(StringGridRechts);
    }
    return QDialog::eventFilter(watched, event);
}
