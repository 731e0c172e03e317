#include "pools/PouleIndelingForm.h"

#include "pools/TellingKeuze.h"

#include "ui/Help.h"
#include "ui/Icons.h"
#include "ui/Scherm.h"
#include "model/MessageService.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>

#include <algorithm>

namespace {

constexpr int ClientBreedte = 225;
constexpr int ClientHoogte = 324;
constexpr int MinimaleClientHoogte = 170;
constexpr int StatusBarHoogte = 19;

bool IsEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int toets = static_cast<const QKeyEvent*>(event)->key();
    return toets == Qt::Key_Return || toets == Qt::Key_Enter;
}

} // namespace

TPouleIndelingForm::TPouleIndelingForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("Poule-indeling"));
    setHelpContext(this, HelpContext::PouleIndeling);
    MaakGroottePaneel();
    MaakLijstEnKnoppen();
    TellingKeuze = new TTellingKeuze(this);
    setTabOrder(PouleIndelingenListBox, OKBitBtn);
    setTabOrder(OKBitBtn, AnnulerenBitBtn);
    setTabOrder(AnnulerenBitBtn, DirectKnockoutBitBtn);
    setTabOrder(DirectKnockoutBitBtn, KleinstePouleGrootteEdit);
    setTabOrder(KleinstePouleGrootteEdit, GrootstePouleGrootteEdit);
    setTabOrder(GrootstePouleGrootteEdit, BepaalMogelijkhedenBitBtn);
    // The scoring system comes after every designed control.
    setTabOrder(BepaalMogelijkhedenBitBtn, TellingKeuze->SysteemComboBox);
    setTabOrder(TellingKeuze->SysteemComboBox, TellingKeuze->SpelvormComboBox);
    setTabOrder(TellingKeuze->SpelvormComboBox, TellingKeuze->WinstSpinBox);
    setTabOrder(TellingKeuze->WinstSpinBox, TellingKeuze->GelijkSpinBox);
    setTabOrder(TellingKeuze->GelijkSpinBox, TellingKeuze->VerliesSpinBox);
    setTabOrder(TellingKeuze->VerliesSpinBox, TellingKeuze->WalkoverVoorSpinBox);
    setTabOrder(TellingKeuze->WalkoverVoorSpinBox, TellingKeuze->WalkoverTegenSpinBox);
    setTabOrder(TellingKeuze->WalkoverTegenSpinBox, TellingKeuze->CriteriaLijst->Lijst);
    setTabOrder(TellingKeuze->CriteriaLijst->Lijst, TellingKeuze->CriteriaLijst->OmhoogKnop);
    setTabOrder(TellingKeuze->CriteriaLijst->OmhoogKnop, TellingKeuze->CriteriaLijst->OmlaagKnop);
    KleinstePouleGrootteEdit->setObjectName(QStringLiteral("KleinstePouleGrootteEdit"));
    GrootstePouleGrootteEdit->setObjectName(QStringLiteral("GrootstePouleGrootteEdit"));
    BepaalMogelijkhedenBitBtn->setObjectName(QStringLiteral("BepaalMogelijkhedenBitBtn"));
    PouleIndelingenListBox->setObjectName(QStringLiteral("PouleIndelingenListBox"));
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    AnnulerenBitBtn->setObjectName(QStringLiteral("AnnulerenBitBtn"));
    DirectKnockoutBitBtn->setObjectName(QStringLiteral("DirectKnockoutBitBtn"));
    m_ontwerpBreedte = naarLettertype(this, ClientBreedte);
    setFixedWidth(m_ontwerpBreedte + TellingBreedte());
    // Tall enough for the longest form of the scoring system.
    setMinimumHeight(
        std::max(MinimaleClientHoogte, TellingKeuze->NodigeHoogte() + 16 + StatusBarHoogte));
    resize(width(), std::max(ClientHoogte, minimumHeight()));
    PasBreedteAan();
    PasIndelingAan();
    // The window sees every key before its controls: Enter depends on where
    // the focus is.
    for (QWidget* kind : findChildren<QWidget*>())
        kind->installEventFilter(this);
}

void TPouleIndelingForm::MaakGroottePaneel() {
    auto* paneel = new QFrame(this);
    paneel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    paneel->setGeometry(8, 8, 209, 89);
    auto* label = new QLabel(QStringLiteral("Poulegroottes"), paneel);
    label->move(16, 20);
    // A wider font moves the rest of the line, and the panel grows with it.
    const int verschuiving = naTekst(label, 88) - 88;
    KleinstePouleGrootteEdit = new QLineEdit(QStringLiteral("4"), paneel);
    KleinstePouleGrootteEdit->setGeometry(88 + verschuiving, 16, 33, 21);
    auto* tot = new QLabel(QStringLiteral("tot"), paneel);
    tot->move(136 + verschuiving, 20);
    GrootstePouleGrootteEdit = new QLineEdit(QStringLiteral("5"), paneel);
    GrootstePouleGrootteEdit->setGeometry(naTekst(tot, 160 + verschuiving), 16, 33, 21);
    // One label stands before both fields; a screen reader hears each bound.
    KleinstePouleGrootteEdit->setAccessibleName(QStringLiteral("Kleinste poulegrootte"));
    GrootstePouleGrootteEdit->setAccessibleName(QStringLiteral("Grootste poulegrootte"));
    BepaalMogelijkhedenBitBtn =
        new QPushButton(QStringLiteral("&Bepaal mogelijke indelingen"), paneel);
    // A larger font widens the button to its caption, and the panel with it.
    BepaalMogelijkhedenBitBtn->setGeometry(
        16, 48, std::max(177, BepaalMogelijkhedenBitBtn->sizeHint().width()), 25);
    paneel->resize(
        std::max({209, GrootstePouleGrootteEdit->x() + 33 + 16,
                  BepaalMogelijkhedenBitBtn->x() + BepaalMogelijkhedenBitBtn->width() + 16}),
        89);
    BepaalMogelijkhedenBitBtn->setAutoDefault(false);
    connect(BepaalMogelijkhedenBitBtn, &QPushButton::clicked, this,
            &TPouleIndelingForm::BepaalIndelingen);
}

void TPouleIndelingForm::MaakLijstEnKnoppen() {
    PouleIndelingenListBox = new QListWidget(this);
    PouleIndelingenListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    PouleIndelingenListBox->setAccessibleName(QStringLiteral("Mogelijke indelingen"));
    OKBitBtn = new QPushButton(okIcoon(), QStringLiteral("&OK"), this);
    AnnulerenBitBtn = new QPushButton(annulerenIcoon(), QStringLiteral("&Annuleren"), this);
    DirectKnockoutBitBtn = new QPushButton(QStringLiteral("&Direct naar knockout"), this);
    for (QPushButton* knop : {OKBitBtn, AnnulerenBitBtn, DirectKnockoutBitBtn})
        knop->setAutoDefault(false);
    StatusBar = new QStatusBar(this);
    StatusBar->setSizeGripEnabled(false);
    connect(OKBitBtn, &QPushButton::clicked, this, &TPouleIndelingForm::OKBitBtnClick);
    connect(AnnulerenBitBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(DirectKnockoutBitBtn, &QPushButton::clicked, this,
            &TPouleIndelingForm::DirectKnockoutBitBtnClick);
    connect(PouleIndelingenListBox, &QListWidget::itemDoubleClicked, this,
            &TPouleIndelingForm::PouleIndelingenListBoxDblClick);
}

void TPouleIndelingForm::resizeEvent(QResizeEvent* event) {
    PasIndelingAan();
    QDialog::resizeEvent(event);
}

void TPouleIndelingForm::PasIndelingAan() {
    // The list grows with the window; the buttons keep their distance to
    // the bottom edge.
    const int hoogte = height();
    PouleIndelingenListBox->setGeometry(8, 112, m_ontwerpBreedte - 16, hoogte - 195);
    // The buttons grow with a larger desktop font.
    const int ok = naarLettertype(this, 104);
    const int annuleren = naarLettertype(this, 105);
    OKBitBtn->setGeometry(8, hoogte - 73, ok, 25);
    AnnulerenBitBtn->setGeometry(8 + ok, hoogte - 73, annuleren, 25);
    DirectKnockoutBitBtn->setGeometry(8, hoogte - 44, ok + annuleren, 25);
    StatusBar->setGeometry(0, hoogte - StatusBarHoogte, width(), StatusBarHoogte);
    TellingKeuze->setGeometry(m_ontwerpBreedte, 8, width() - m_ontwerpBreedte - 8,
                              hoogte - 16 - StatusBarHoogte);
}

int TPouleIndelingForm::TellingBreedte() const {
    return TellingKeuze->NodigeBreedte() + 8;
}

bool TPouleIndelingForm::eventFilter(QObject* watched, QEvent* event) {
    if (!IsEnter(event))
        return QDialog::eventFilter(watched, event);
    QWidget* focus = focusWidget();
    if (focus == KleinstePouleGrootteEdit || focus == GrootstePouleGrootteEdit ||
        focus == BepaalMogelijkhedenBitBtn)
        BepaalIndelingen();
    else if (OKBitBtn->isEnabled())
        OKBitBtnClick();
    return true;
}

TPouleIndelingForm::TKeuze TPouleIndelingForm::KiesIndeling(int aantalDeelnemers) {
    m_aantalDeelnemers = aantalDeelnemers;
    BepaalIndelingen();
    centreerOpScherm(this);
    const int resultaat = exec();
    TKeuze keuze;
    if (resultaat == DirectKnockoutResultaat)
        keuze.DirectKnockout = true;
    else if (resultaat == QDialog::Accepted && GeselecteerdeRegel() >= 0)
        keuze.Indeling = Indelingen[static_cast<std::size_t>(GeselecteerdeRegel())];
    keuze.Telling = TellingKeuze->Telling();
    m_aantalDeelnemers = 0;
    return keuze;
}

void TPouleIndelingForm::ToonFout(QLineEdit* veld, const QString& melding) {
    veld->setFocus();
    veld->selectAll();
    messages().information(melding);
}

void TPouleIndelingForm::BepaalIndelingen() {
    const PouleIndeling::TGrootteControle controle = PouleIndeling::ControleerGroottes(
        KleinstePouleGrootteEdit->text(), GrootstePouleGrootteEdit->text());
    if (controle.Verwisseld) {
        KleinstePouleGrootteEdit->setText(controle.KleinsteTekst);
        GrootstePouleGrootteEdit->setText(controle.GrootsteTekst);
    }
    if (!controle.Goed()) {
        // Before the window shows, a failed check must not leave candidates
        // of an earlier participant count that could still be confirmed.
        if (!isVisible()) {
            LeegLijst();
            return;
        }
        QLineEdit* veld = controle.Focus == PouleIndeling::TGrootteVeld::Grootste
                              ? GrootstePouleGrootteEdit
                              : KleinstePouleGrootteEdit;
        if (controle.Focus == PouleIndeling::TGrootteVeld::Geen)
            messages().information(controle.Melding);
        else
            ToonFout(veld, controle.Melding);
        return;
    }
    Indelingen =
        PouleIndeling::ZoekIndelingen(m_aantalDeelnemers, controle.Kleinste, controle.Grootste);
    VulLijst();
    PouleIndelingenListBox->setFocus();
}

void TPouleIndelingForm::LeegLijst() {
    Indelingen.clear();
    VulLijst();
}

void TPouleIndelingForm::VulLijst() {
    PouleIndelingenListBox->clear();
    PouleIndelingenListBox->addItems(PouleIndeling::RegelTeksten(Indelingen));
    if (PouleIndelingenListBox->count() > 0) {
        PouleIndelingenListBox->setCurrentRow(0);
        PouleIndelingenListBox->item(0)->setSelected(true);
    }
    StatusBar->showMessage(PouleIndeling::StatusTekst(PouleIndelingenListBox->count()));
    OKBitBtn->setEnabled(PouleIndelingenListBox->count() > 0);
    PasBreedteAan();
}

// The window is as wide as designed, or wider when the desktop's font needs
// more room for the longest line or the status text; only the list and the
// status bar grow with it.
void TPouleIndelingForm::PasBreedteAan() {
    // The widest line as the list draws it, and the room a status bar keeps
    // around its message.
    constexpr int StatusMarge = 18;
    const int lijstBreedte = PouleIndelingenListBox->sizeHintForColumn(0) +
                             2 * PouleIndelingenListBox->frameWidth() +
                             style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 16;
    const int statusBreedte =
        StatusBar->fontMetrics().horizontalAdvance(StatusBar->currentMessage()) + StatusMarge;
    const int paneel = BepaalMogelijkhedenBitBtn->parentWidget()->width() + 16;
    const int breedte = std::max({naarLettertype(this, ClientBreedte), paneel, lijstBreedte,
                                  statusBreedte - TellingBreedte()});
    if (breedte != m_ontwerpBreedte || breedte + TellingBreedte() != width()) {
        m_ontwerpBreedte = breedte;
        setFixedWidth(breedte + TellingBreedte());
        PasIndelingAan();
    }
}

int TPouleIndelingForm::GeselecteerdeRegel() const {
    const QList<QListWidgetItem*> geselecteerd = PouleIndelingenListBox->selectedItems();
    if (geselecteerd.isEmpty())
        return -1;
    const int regel = PouleIndelingenListBox->row(geselecteerd.constFirst());
    return regel < static_cast<int>(Indelingen.size()) ? regel : -1;
}

void TPouleIndelingForm::OKBitBtnClick() {
    accept();
}

void TPouleIndelingForm::PouleIndelingenListBoxDblClick() {
    if (GeselecteerdeRegel() >= 0)
        accept();
}

void TPouleIndelingForm::DirectKnockoutBitBtnClick() {
    done(DirectKnockoutResultaat);
}
