#include "knockout/KnockoutForm.h"

#include "knockout/KiesDeelnemerForm.h"
#include "knockout/KnockoutNaarExcelForm.h"
#include "knockout/KnockoutView.h"
#include "model/Knockout.h"
#include "model/MessageService.h"
#include "model/Opties.h"
#include "model/Text.h"
#include "model/ToernooiDocument.h"
#include "participants/InputDeelnemerDialog.h"
#include "print/KnockoutAfdruk.h"
#include "ui/Afdrukken.h"
#include "ui/Help.h"
#include "ui/Paths.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QScrollArea* MaakFrame(QTabWidget* tabs, const QString& titel) {
    auto* frame = new QScrollArea;
    frame->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    frame->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    frame->setWidgetResizable(false);
    // The keyboard goes straight from the tabs to the bracket inside.
    frame->setFocusPolicy(Qt::NoFocus);
    tabs->addTab(frame, titel);
    return frame;
}

QString GecorrigeerdTekst(int gewist) {
    const QString aantal = gewist == 1
                               ? QStringLiteral("1 latere uitslag is")
                               : QString::number(gewist) + QStringLiteral(" latere uitslagen zijn");
    return aantal + QStringLiteral(" gewist. Ctrl+Z zet ") +
           (gewist == 1 ? QStringLiteral("hem") : QStringLiteral("ze")) + QStringLiteral(" terug.");
}

// Said in the middle of a frame whose bracket has no participants, instead
// of an empty grey area. It lies beside the bracket view, which the frame
// keeps as its widget.
QLabel* MaakLeegMelding(QScrollArea* frame) {
    auto* melding = new QLabel(QStringLiteral("Geen deelnemers in deze ronde"));
    melding->setObjectName(QStringLiteral("LeegLabel"));
    melding->setAlignment(Qt::AlignCenter);
    auto* indeling = new QVBoxLayout(frame->viewport());
    indeling->addWidget(melding, 0, Qt::AlignCenter);
    melding->hide();
    return melding;
}

} // namespace

TKnockoutForm::TKnockoutForm(TToernooiDocument& document, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                         Qt::WindowCloseButtonHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
    , m_document(document) {
    setWindowTitle(QStringLiteral("Knockout"));
    setHelpContext(this, HelpContext::Knockout);
    setMinimumSize(350, 150);
    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setAccessibleName(QStringLiteral("Knockoutschema's"));
    PageControl->move(8, 8);
    WinnaarsFrame = MaakFrame(PageControl, QStringLiteral("Winnaarsronde"));
    VerliezersFrame = MaakFrame(PageControl, QStringLiteral("Verliezersronde"));
    m_winnaarsLeeg = MaakLeegMelding(WinnaarsFrame);
    m_verliezersLeeg = MaakLeegMelding(VerliezersFrame);
    ExcelWinnaarsRondeBitBtn = new QPushButton(QStringLiteral("Excel (&Winnaarsronde)"), this);
    ExcelVerliezersrondeBitBtn = new QPushButton(QStringLiteral("Excel (&Verliezersronde)"), this);
    ExcelWinnaarsRondeBitBtn->setObjectName(QStringLiteral("ExcelWinnaarsRondeBitBtn"));
    ExcelVerliezersrondeBitBtn->setObjectName(QStringLiteral("ExcelVerliezersrondeBitBtn"));
    for (QPushButton* knop : {ExcelWinnaarsRondeBitBtn, ExcelVerliezersrondeBitBtn})
        knop->setFixedHeight(25);
    connect(ExcelWinnaarsRondeBitBtn, &QPushButton::clicked, this,
            &TKnockoutForm::ExcelWinnaarsRondeBitBtnClick);
    connect(ExcelVerliezersrondeBitBtn, &QPushButton::clicked, this,
            &TKnockoutForm::ExcelVerliezersrondeBitBtnClick);
    StatusBar = new QStatusBar(this);
    StatusBar->setFixedHeight(19);
    StatusBar->setSizeGripEnabled(false);
    auto statusKnop = [this](const QString& tekst, const QString& naam, const QString& tip) {
        auto* knop = new QToolButton(StatusBar);
        knop->setText(tekst);
        knop->setObjectName(naam);
        knop->setToolTip(tip);
        knop->setAutoRaise(true);
        knop->setToolButtonStyle(Qt::ToolButtonTextOnly);
        knop->setFocusPolicy(Qt::TabFocus);
        StatusBar->addPermanentWidget(knop);
        return knop;
    };
    TeruggetrokkenBitBtn =
        statusKnop(QStringLiteral("&Teruggetrokken..."), QStringLiteral("TeruggetrokkenBitBtn"),
                   QStringLiteral("Een deelnemer trekt zich terug, of is weer aanwezig"));
    LaatkomerBitBtn =
        statusKnop(QStringLiteral("&Laatkomer in bye..."), QStringLiteral("LaatkomerBitBtn"),
                   QStringLiteral("Een late deelnemer neemt een open bye in"));
    connect(TeruggetrokkenBitBtn, &QToolButton::clicked, this,
            &TKnockoutForm::TeruggetrokkenBitBtnClick);
    connect(LaatkomerBitBtn, &QToolButton::clicked, this, &TKnockoutForm::LaatkomerBitBtnClick);
    // Prints the bracket of the tab shown.
    AfdrukBitBtn = Afdrukken::MaakKnop(this, [this]() -> std::unique_ptr<Afdruk::TDocument> {
        const TKnockout* knockout = PageControl->currentIndex() == 0
                                        ? m_document.WinnaarsKnockout()
                                        : m_document.VerliezersKnockout();
        if (!knockout)
            return nullptr;
        return std::make_unique<TKnockoutAfdruk>(
            *knockout, Afdrukken::Kop(m_document, TKnockoutAfdruk::Naam(knockout->KnockoutNr())));
    });
    // In the corner of the tabs the button leaves the export buttons' row
    // as it was.
    PageControl->setCornerWidget(AfdrukBitBtn, Qt::TopRightCorner);
    ExportDialoog = new TKnockoutNaarExcelForm(this);
    // Until the options are handed over, the export starts from the default
    // template.
    ZetExportwaarden(Paths::defaultTemplate(QStringLiteral("knockout.xlt")),
                     Opties::StandaardBeginRij, Opties::StandaardBeginKolom);
    if (const QScreen* scherm = QGuiApplication::primaryScreen()) {
        const QRect beschikbaar = scherm->geometry();
        setGeometry(0, 315, beschikbaar.width(), std::max(150, beschikbaar.height() - 315 - 25));
    }
    PasIndelingAan();
    // The views let go of the brackets before the document drops them, and
    // show whatever brackets the document holds afterwards.
    connect(&m_document, &TToernooiDocument::KnockoutsVerdwijnen, this,
            &TKnockoutForm::VerwijderViews);
    connect(&m_document, &TToernooiDocument::KnockoutsGebouwd, this, &TKnockoutForm::ToonGebouwd);
    connect(&m_document, &TToernooiDocument::Vervangen, this, &TKnockoutForm::MaakViews);
    // The window is made when first needed, perhaps after the brackets were.
    MaakViews();
}

TKnockoutForm::~TKnockoutForm() {
    VerwijderViews();
}

const TKnockout* TKnockoutForm::WinnaarsKnockout() const {
    return m_document.WinnaarsKnockout();
}

const TKnockout* TKnockoutForm::VerliezersKnockout() const {
    return m_document.VerliezersKnockout();
}

void TKnockoutForm::resizeEvent(QResizeEvent* event) {
    PasIndelingAan();
    QWidget::resizeEvent(event);
}

void TKnockoutForm::PasIndelingAan() {
    // The status bar lies below the client area the buttons are placed in.
    const int hoogte = height() - StatusBar->height();
    StatusBar->setGeometry(0, hoogte, width(), StatusBar->height());
    const int breedte = (width() - 16) / 2;
    const int boven = hoogte - 25 - 8;
    ExcelWinnaarsRondeBitBtn->setGeometry(8, boven, breedte, 25);
    ExcelVerliezersrondeBitBtn->setGeometry(width() / 2, boven, breedte, 25);
    PageControl->setGeometry(8, 8, width() - 16, boven - 16);
}

void TKnockoutForm::VerwijderViews() {
    // Views first: they observe the matches of their bracket.
    delete WinnaarsFrame->takeWidget();
    delete VerliezersFrame->takeWidget();
    m_winnaarsView = nullptr;
    m_verliezersView = nullptr;
    m_winnaarsLeeg->hide();
    m_verliezersLeeg->hide();
}

TKnockoutView* TKnockoutForm::MaakView(const TKnockout* knockout, QScrollArea* frame) {
    if (!knockout)
        return nullptr;
    auto* view = new TKnockoutView(*knockout, nullptr);
    view->ZetDocument(&m_document);
    connect(view, &TKnockoutView::Gecorrigeerd, this,
            [this](int gewist) { StatusBar->showMessage(GecorrigeerdTekst(gewist)); });
    frame->setWidget(view);
    return view;
}

void TKnockoutForm::MaakViews() {
    VerwijderViews();
    StatusBar->clearMessage();
    m_winnaarsView = MaakView(m_document.WinnaarsKnockout(), WinnaarsFrame);
    m_verliezersView = MaakView(m_document.VerliezersKnockout(), VerliezersFrame);
    if (!m_winnaarsView || !m_verliezersView)
        return;
    // Tab runs from the tabs through the bracket shown to the buttons.
    setTabOrder(PageControl->tabBar(), m_winnaarsView);
    setTabOrder(m_winnaarsView, m_verliezersView);
    setTabOrder(m_verliezersView, ExcelWinnaarsRondeBitBtn);
    setTabOrder(ExcelWinnaarsRondeBitBtn, ExcelVerliezersrondeBitBtn);
    setTabOrder(ExcelVerliezersrondeBitBtn, AfdrukBitBtn);
    setTabOrder(AfdrukBitBtn, TeruggetrokkenBitBtn);
    setTabOrder(TeruggetrokkenBitBtn, LaatkomerBitBtn);
    m_winnaarsLeeg->setVisible(m_document.WinnaarsKnockout()->AantalRondes() == 0);
    m_verliezersLeeg->setVisible(m_document.VerliezersKnockout()->AantalRondes() == 0);
}

void TKnockoutForm::ToonGebouwd() {
    MaakViews();
    PageControl->setCurrentIndex(0);
    show();
    raise();
}

QString TKnockoutForm::KnockoutSjabloon() const {
    return ExportDialoog->KnockoutSjabloon;
}

int TKnockoutForm::BeginRij() const {
    return ExportDialoog->BeginRij;
}

int TKnockoutForm::BeginKolom() const {
    return ExportDialoog->BeginKolom;
}

void TKnockoutForm::ZetExportwaarden(const QString& knockoutSjabloon, int beginRij,
                                     int beginKolom) {
    ExportDialoog->KnockoutSjabloon = knockoutSjabloon;
    ExportDialoog->BeginRij = beginRij;
    ExportDialoog->BeginKolom = beginKolom;
}

void TKnockoutForm::ExcelWinnaarsRondeBitBtnClick() {
    if (const TKnockout* knockout = WinnaarsKnockout())
        ExportDialoog->ExporteerKnockout(*knockout);
}

void TKnockoutForm::ExcelVerliezersrondeBitBtnClick() {
    if (const TKnockout* knockout = VerliezersKnockout())
        ExportDialoog->ExporteerKnockout(*knockout);
}

const TKnockout* TKnockoutForm::GetoondeKnockout() const {
    const TKnockout* knockout = PageControl->currentIndex() == 0 ? m_document.WinnaarsKnockout()
                                                                 : m_document.VerliezersKnockout();
    return knockout && knockout->AantalRondes() > 0 ? knockout : nullptr;
}

void TKnockoutForm::TeruggetrokkenBitBtnClick() {
    const TKnockout* knockout = GetoondeKnockout();
    if (!knockout)
        return;
    // Everyone of the bracket shown, in list order as the choice buttons
    // offer them; who withdrew already can be marked present again.
    const TDeelnemerLijst& lijst = m_document.Deelnemers();
    TKeuzelijst keuze;
    std::vector<int> indices;
    for (std::size_t i = 0; i < lijst.size(); ++i) {
        const TDeelnemer& deelnemer = *lijst[i];
        if (deelnemer.KnockoutNr != knockout->KnockoutNr())
            continue;
        keuze.rijen.push_back(
            {deelnemer.PouleCode(),
             deelnemer.Naam() +
                 (deelnemer.Teruggetrokken ? QStringLiteral(" (teruggetrokken)") : QString())});
        indices.push_back(static_cast<int>(i));
    }
    keuze.kolomverhouding = !lijst.empty() && lijst.front()->Positie >= 1 ? 0.3f : 0.0f;
    std::optional<int> rij;
    {
        TKiesDeelnemerForm kies(this);
        kies.setWindowTitle(QStringLiteral("Teruggetrokken"));
        rij = kies.Kies(keuze);
    }
    if (!rij)
        return;
    const int index = indices[static_cast<std::size_t>(*rij)];
    const TDeelnemer& deelnemer = *lijst[static_cast<std::size_t>(index)];
    const bool terug = !deelnemer.Teruggetrokken;
    const QString vraag =
        terug ? QStringLiteral("%1 trekt zich terug. De volgende wedstrijd van %1 wordt een "
                               "walkover voor de tegenstander, ook als die nog niet bekend is.")
                    .arg(deelnemer.Naam())
              : QStringLiteral("%1 is weer aanwezig. De walkover die de terugtrekking gaf, "
                               "vervalt als er daarna nog niet verder gespeeld is.")
                    .arg(deelnemer.Naam());
    if (messages().confirm(vraag + Text::lineBreak + Text::lineBreak +
                               QStringLiteral("Wilt u doorgaan?"),
                           Buttons::YesNo) != Answer::Yes)
        return;
    m_document.ZetTeruggetrokken(index, terug);
}

void TKnockoutForm::LaatkomerBitBtnClick() {
    const TKnockout* knockout = GetoondeKnockout();
    if (!knockout)
        return;
    TKeuzelijst keuze;
    std::vector<int> byes;
    for (int nummer = 0; nummer < knockout->AantalWedstrijden(0); ++nummer) {
        const TKnockoutWedstrijd* wedstrijd = knockout->Wedstrijd(0, nummer);
        if (!wedstrijd->IsOpenBye())
            continue;
        keuze.rijen.push_back({QStringLiteral("Wedstrijd %1").arg(nummer + 1),
                               wedstrijd->DeelnemerBoven()->Naam() + QStringLiteral(" - bye")});
        byes.push_back(nummer);
    }
    if (byes.empty()) {
        messages().information(
            QStringLiteral("Deze ronde heeft geen open bye: een laatkomer kan alleen een bye van "
                           "de eerste ronde innemen waarvan de volgende wedstrijd nog niet "
                           "gespeeld is."));
        return;
    }
    keuze.kolomverhouding = 0.4f;
    std::optional<int> rij;
    {
        TKiesDeelnemerForm kies(this);
        kies.setWindowTitle(QStringLiteral("Laatkomer in bye"));
        rij = kies.Kies(keuze);
    }
    if (!rij)
        return;
    TInputDeelnemerDialog dialoog(this);
    if (!dialoog.Invoeren())
        return;
    const int nummer = byes[static_cast<std::size_t>(*rij)];
    if (!m_document.LaatkomerInBye(knockout->KnockoutNr(), nummer, dialoog.Voornaam(),
                                   dialoog.Achternaam()))
        messages().information(QStringLiteral("Er bestaat reeds een deelnemer met deze naam."));
}
