#include "pools/TellingKeuze.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

using namespace Poulewedstrijden;

namespace {

constexpr int NummerRol = Qt::UserRole;

// Every step a custom order may use, in the order the list offers them
// first: those of the badminton preset, then the rest.
std::vector<TCriterium> AlleCriteria() {
    return {TCriterium::Gewonnen,
            TCriterium::OnderlingDuel,
            TCriterium::Gamesaldo,
            TCriterium::Puntsaldo,
            TCriterium::Wedstrijdpunten,
            TCriterium::WedstrijdpuntenOnderling,
            TCriterium::GamequotientOnderling,
            TCriterium::PuntquotientOnderling,
            TCriterium::Punten,
            TCriterium::PuntenOnderling,
            TCriterium::PuntenVoor};
}

const TSpelvorm Spelvormen[] = {TSpelvorm::Badminton, TSpelvorm::Tafeltennis, TSpelvorm::Score};

QString SpelvormNaam(TSpelvorm spelvorm) {
    switch (spelvorm) {
    case TSpelvorm::Badminton:
        return QStringLiteral("Games tot 21, best of 3");
    case TSpelvorm::Tafeltennis:
        return QStringLiteral("Games tot 11, best of 5");
    case TSpelvorm::Score:
        return QStringLiteral("Eén score per kant");
    }
    return {};
}

// What each system does, in a line or two under the choice.
QString Beschrijving(TSysteem systeem) {
    switch (systeem) {
    case TSysteem::Badminton:
        return QStringLiteral("Twee gewonnen games tot 21. Gewonnen wedstrijden tellen; bij twee "
                              "gelijk beslist hun onderlinge wedstrijd, bij meer het game- en "
                              "puntsaldo.");
    case TSysteem::Tafeltennis:
        return QStringLiteral("Drie gewonnen games tot 11. Winst 2, verlies 1 wedstrijdpunt; bij "
                              "gelijke stand tellen alleen de onderlinge wedstrijden.");
    case TSysteem::Punten:
        return QStringLiteral("Eén score per kant. Bij gelijke punten eerst onderling, dan het "
                              "saldo en de gescoorde punten.");
    case TSysteem::Eigen:
        return QStringLiteral("Vink de criteria aan die tellen en zet ze in volgorde.");
    }
    return {};
}

QSpinBox* MaakPunten(int waarde, const QString& naam, QWidget* ouder) {
    auto* veld = new QSpinBox(ouder);
    veld->setRange(0, 99);
    veld->setValue(waarde);
    veld->setObjectName(naam + QStringLiteral("SpinBox"));
    veld->setAccessibleName(QStringLiteral("Punten bij ") + naam.toLower());
    return veld;
}

} // namespace

// --- TVolgordeLijst --------------------------------------------------------

TVolgordeLijst::TVolgordeLijst(QWidget* parent)
    : QWidget(parent)
    , Lijst(new QListWidget(this))
    , OmhoogKnop(new QPushButton(QStringLiteral("Om&hoog"), this))
    , OmlaagKnop(new QPushButton(QStringLiteral("Om&laag"), this)) {
    Lijst->setSelectionMode(QAbstractItemView::SingleSelection);
    Lijst->installEventFilter(this);
    for (QPushButton* knop : {OmhoogKnop, OmlaagKnop})
        knop->setAutoDefault(false);
    auto* knoppen = new QHBoxLayout;
    knoppen->addWidget(OmhoogKnop);
    knoppen->addWidget(OmlaagKnop);
    knoppen->addStretch();
    auto* indeling = new QVBoxLayout(this);
    indeling->setContentsMargins(0, 0, 0, 0);
    indeling->addWidget(Lijst, 1);
    indeling->addLayout(knoppen);
    connect(OmhoogKnop, &QPushButton::clicked, this, [this] { Verplaats(-1); });
    connect(OmlaagKnop, &QPushButton::clicked, this, [this] { Verplaats(1); });
    connect(Lijst, &QListWidget::currentRowChanged, this, &TVolgordeLijst::PasKnoppenAan);
    connect(Lijst, &QListWidget::itemChanged, this, &TVolgordeLijst::Gewijzigd);
}

void TVolgordeLijst::ZetRegels(const QStringList& teksten, const std::vector<int>& nummers,
                               const std::vector<bool>& aangevinkt) {
    const QSignalBlocker stil(Lijst);
    m_aanvinken = !aangevinkt.empty();
    Lijst->clear();
    for (qsizetype i = 0; i < teksten.size(); ++i) {
        auto* regel = new QListWidgetItem(teksten.at(i), Lijst);
        regel->setData(NummerRol, nummers.at(static_cast<std::size_t>(i)));
        if (m_aanvinken) {
            regel->setFlags(regel->flags() | Qt::ItemIsUserCheckable);
            regel->setCheckState(aangevinkt.at(static_cast<std::size_t>(i)) ? Qt::Checked
                                                                            : Qt::Unchecked);
        }
    }
    Lijst->setCurrentRow(teksten.isEmpty() ? -1 : 0);
    PasKnoppenAan();
}

std::vector<int> TVolgordeLijst::Volgorde() const {
    std::vector<int> volgorde;
    for (int i = 0; i < Lijst->count(); ++i) {
        const QListWidgetItem* regel = Lijst->item(i);
        if (!m_aanvinken || regel->checkState() == Qt::Checked)
            volgorde.push_back(regel->data(NummerRol).toInt());
    }
    return volgorde;
}

void TVolgordeLijst::Verplaats(int stap) {
    const int van = Lijst->currentRow();
    const int naar = van + stap;
    if (van < 0 || naar < 0 || naar >= Lijst->count())
        return;
    QListWidgetItem* regel = Lijst->takeItem(van);
    Lijst->insertItem(naar, regel);
    Lijst->setCurrentRow(naar);
    Q_EMIT Gewijzigd();
}

void TVolgordeLijst::PasKnoppenAan() {
    const int rij = Lijst->currentRow();
    OmhoogKnop->setEnabled(rij > 0);
    OmlaagKnop->setEnabled(rij >= 0 && rij + 1 < Lijst->count());
}

bool TVolgordeLijst::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Lijst && event->type() == QEvent::KeyPress) {
        const auto* toets = static_cast<QKeyEvent*>(event);
        if (toets->modifiers() == Qt::ControlModifier &&
            (toets->key() == Qt::Key_Up || toets->key() == Qt::Key_Down)) {
            Verplaats(toets->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- TTellingKeuze ---------------------------------------------------------

TTellingKeuze::TTellingKeuze(QWidget* parent)
    : QGroupBox(QStringLiteral("Telling"), parent)
    , SysteemComboBox(new QComboBox(this))
    , WinstSpinBox(MaakPunten(3, QStringLiteral("Winst"), this))
    , GelijkSpinBox(MaakPunten(1, QStringLiteral("Gelijk"), this))
    , VerliesSpinBox(MaakPunten(0, QStringLiteral("Verlies"), this))
    , WalkoverVoorSpinBox(new QSpinBox(this))
    , WalkoverTegenSpinBox(new QSpinBox(this))
    , SpelvormComboBox(new QComboBox(this))
    , CriteriaLijst(new TVolgordeLijst(this))
    , BeschrijvingLabel(new QLabel(this))
    , m_punten(new QWidget(this))
    , m_walkover(new QWidget(m_punten))
    , m_spelvorm(new QWidget(this)) {
    setObjectName(QStringLiteral("TellingGroupBox"));
    SysteemComboBox->setObjectName(QStringLiteral("SysteemComboBox"));
    SysteemComboBox->setAccessibleName(QStringLiteral("Telling"));
    for (TSysteem systeem :
         {TSysteem::Badminton, TSysteem::Tafeltennis, TSysteem::Punten, TSysteem::Eigen})
        SysteemComboBox->addItem(SysteemNaam(systeem), static_cast<int>(systeem));
    SpelvormComboBox->setObjectName(QStringLiteral("SpelvormComboBox"));
    SpelvormComboBox->setAccessibleName(QStringLiteral("Uitslag van een wedstrijd"));
    for (TSpelvorm spelvorm : Spelvormen)
        SpelvormComboBox->addItem(SpelvormNaam(spelvorm), static_cast<int>(spelvorm));
    CriteriaLijst->setObjectName(QStringLiteral("CriteriaLijst"));
    CriteriaLijst->Lijst->setObjectName(QStringLiteral("CriteriaListBox"));
    CriteriaLijst->Lijst->setAccessibleName(QStringLiteral("Volgorde van de criteria"));

    auto* punten = new QFormLayout(m_punten);
    punten->setContentsMargins(0, 0, 0, 0);
    punten->addRow(QStringLiteral("&Winst"), WinstSpinBox);
    punten->addRow(QStringLiteral("&Gelijk"), GelijkSpinBox);
    punten->addRow(QStringLiteral("&Verlies"), VerliesSpinBox);
    WalkoverVoorSpinBox->setObjectName(QStringLiteral("WalkoverVoorSpinBox"));
    WalkoverTegenSpinBox->setObjectName(QStringLiteral("WalkoverTegenSpinBox"));
    WalkoverVoorSpinBox->setAccessibleName(QStringLiteral("Uitslag van een w.o. voor de winnaar"));
    WalkoverTegenSpinBox->setAccessibleName(
        QStringLiteral("Uitslag van een w.o. voor de verliezer"));
    auto* walkover = new QHBoxLayout(m_walkover);
    walkover->setContentsMargins(0, 0, 0, 0);
    for (QSpinBox* veld : {WalkoverVoorSpinBox, WalkoverTegenSpinBox}) {
        veld->setRange(0, 99);
        walkover->addWidget(veld);
        if (veld == WalkoverVoorSpinBox)
            walkover->addWidget(new QLabel(QStringLiteral("-"), m_walkover));
    }
    walkover->addStretch();
    punten->addRow(QStringLiteral("W.&o.-uitslag"), m_walkover);
    qobject_cast<QLabel*>(punten->labelForField(m_walkover))->setBuddy(WalkoverVoorSpinBox);
    // Their own row moved them to the end of the tab chain: back after the points.
    setTabOrder(VerliesSpinBox, WalkoverVoorSpinBox);
    setTabOrder(WalkoverVoorSpinBox, WalkoverTegenSpinBox);
    auto* spelvorm = new QFormLayout(m_spelvorm);
    spelvorm->setContentsMargins(0, 0, 0, 0);
    spelvorm->addRow(QStringLiteral("&Uitslag"), SpelvormComboBox);

    auto* indeling = new QVBoxLayout(this);
    indeling->addWidget(SysteemComboBox);
    BeschrijvingLabel->setObjectName(QStringLiteral("BeschrijvingLabel"));
    BeschrijvingLabel->setWordWrap(true);
    indeling->addWidget(BeschrijvingLabel);
    indeling->addWidget(m_spelvorm);
    indeling->addWidget(m_punten);
    indeling->addWidget(CriteriaLijst, 1);
    indeling->addStretch(0);

    ZetTelling(Preset(TSysteem::Badminton));
    connect(SysteemComboBox, &QComboBox::currentIndexChanged, this,
            &TTellingKeuze::ToonVoorSysteem);
    // The walkover score counts only where a match is one score per side.
    connect(SpelvormComboBox, &QComboBox::currentIndexChanged, this, [this]() {
        static_cast<QFormLayout*>(m_punten->layout())
            ->setRowVisible(m_walkover, Systeem() == TSysteem::Punten ||
                                            (Systeem() == TSysteem::Eigen &&
                                             SpelvormComboBox->currentData().toInt() ==
                                                 static_cast<int>(TSpelvorm::Score)));
    });
}

TSysteem TTellingKeuze::Systeem() const {
    return static_cast<TSysteem>(SysteemComboBox->currentData().toInt());
}

void TTellingKeuze::ToonVoorSysteem() {
    const TSysteem systeem = Systeem();
    // A custom order starts from the preset the organiser had chosen.
    if (systeem == TSysteem::Eigen && m_vorige != TSysteem::Eigen) {
        TTelling basis = Preset(m_vorige);
        basis.Systeem = TSysteem::Eigen;
        basis.PuntenWinst = WinstSpinBox->value();
        basis.PuntenGelijk = GelijkSpinBox->value();
        basis.PuntenVerlies = VerliesSpinBox->value();
        basis.WalkoverVoor = WalkoverVoorSpinBox->value();
        basis.WalkoverTegen = WalkoverTegenSpinBox->value();
        m_vorige = systeem;
        ZetTelling(basis);
        return;
    }
    m_vorige = systeem;
    BeschrijvingLabel->setText(Beschrijving(systeem));
    // Win, draw and loss points count under Punten, and in a custom order
    // that may rank on them.
    m_punten->setVisible(systeem == TSysteem::Punten || systeem == TSysteem::Eigen);
    m_spelvorm->setVisible(systeem == TSysteem::Eigen);
    static_cast<QFormLayout*>(m_punten->layout())
        ->setRowVisible(m_walkover,
                        systeem == TSysteem::Punten || (systeem == TSysteem::Eigen &&
                                                        SpelvormComboBox->currentData().toInt() ==
                                                            static_cast<int>(TSpelvorm::Score)));
    CriteriaLijst->setVisible(systeem == TSysteem::Eigen);
}

Poulewedstrijden::TTelling TTellingKeuze::Telling() const {
    const TSysteem systeem = Systeem();
    TTelling telling = Preset(systeem == TSysteem::Eigen ? TSysteem::Badminton : systeem);
    telling.Systeem = systeem;
    if (systeem == TSysteem::Punten || systeem == TSysteem::Eigen) {
        telling.PuntenWinst = WinstSpinBox->value();
        telling.PuntenGelijk = GelijkSpinBox->value();
        telling.PuntenVerlies = VerliesSpinBox->value();
        telling.WalkoverVoor = WalkoverVoorSpinBox->value();
        telling.WalkoverTegen = WalkoverTegenSpinBox->value();
    }
    if (systeem == TSysteem::Eigen) {
        telling.Spelvorm = static_cast<TSpelvorm>(SpelvormComboBox->currentData().toInt());
        telling.Volgorde.clear();
        for (int nummer : CriteriaLijst->Volgorde())
            telling.Volgorde.push_back(static_cast<TCriterium>(nummer));
    }
    return telling;
}

void TTellingKeuze::ZetTelling(const Poulewedstrijden::TTelling& telling) {
    {
        const QSignalBlocker stil(SysteemComboBox);
        SysteemComboBox->setCurrentIndex(
            SysteemComboBox->findData(static_cast<int>(telling.Systeem)));
    }
    m_vorige = telling.Systeem;
    WinstSpinBox->setValue(telling.PuntenWinst);
    GelijkSpinBox->setValue(telling.PuntenGelijk);
    VerliesSpinBox->setValue(telling.PuntenVerlies);
    WalkoverVoorSpinBox->setValue(telling.WalkoverVoor);
    WalkoverTegenSpinBox->setValue(telling.WalkoverTegen);
    SpelvormComboBox->setCurrentIndex(
        SpelvormComboBox->findData(static_cast<int>(telling.Spelvorm)));
    // The steps in use first, in their order, ticked; the others after them.
    std::vector<TCriterium> volgorde = telling.Volgorde;
    std::erase(volgorde, TCriterium::Lot);
    const std::size_t gebruikt = volgorde.size();
    for (TCriterium criterium : AlleCriteria()) {
        if (std::find(volgorde.begin(), volgorde.end(), criterium) == volgorde.end())
            volgorde.push_back(criterium);
    }
    QStringList teksten;
    std::vector<int> nummers;
    std::vector<bool> aangevinkt;
    for (std::size_t i = 0; i < volgorde.size(); ++i) {
        teksten << CriteriumNaam(volgorde[i]);
        nummers.push_back(static_cast<int>(volgorde[i]));
        aangevinkt.push_back(i < gebruikt);
    }
    CriteriaLijst->ZetRegels(teksten, nummers, aangevinkt);
    ToonVoorSysteem();
}

int TTellingKeuze::NodigeBreedte() const {
    const QListWidget* lijst = CriteriaLijst->Lijst;
    const int lijstBreedte = lijst->sizeHintForColumn(0) + 2 * lijst->frameWidth() +
                             style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4;
    const QMargins marge = contentsMargins() + layout()->contentsMargins();
    return std::max({SysteemComboBox->sizeHint().width(), m_spelvorm->sizeHint().width(),
                     m_punten->sizeHint().width(), CriteriaLijst->sizeHint().width(),
                     lijstBreedte}) +
           marge.left() + marge.right();
}

int TTellingKeuze::NodigeHoogte() const {
    // The custom order shows everything; its list may shrink to four lines.
    const int ruimte = layout()->spacing();
    const QMargins marge = contentsMargins() + layout()->contentsMargins();
    const int lijst = 4 * CriteriaLijst->Lijst->sizeHintForRow(0) +
                      2 * CriteriaLijst->Lijst->frameWidth() +
                      CriteriaLijst->OmhoogKnop->sizeHint().height() + ruimte;
    return marge.top() + marge.bottom() + SysteemComboBox->sizeHint().height() +
           BeschrijvingLabel->heightForWidth(NodigeBreedte() - marge.left() - marge.right()) +
           ruimte + m_spelvorm->sizeHint().height() + m_punten->sizeHint().height() + lijst +
           3 * ruimte;
}
