#include "courts/DagInstellingenForm.h"

#include "model/MessageService.h"
#include "ui/Help.h"
#include "ui/Icons.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>

using namespace Planning;

namespace {

constexpr int Dag = 24 * 60;

QString StandaardNaam(int baan) {
    return QStringLiteral("Baan %1").arg(baan + 1);
}

// "12:30" or "12.30" as minutes after midnight; -1 when it is no time.
int LeesKlok(const QString& tekst) {
    const QString schoon = tekst.trimmed().replace(u'.', u':');
    for (const QString& vorm :
         {QStringLiteral("H:mm"), QStringLiteral("H:m"), QStringLiteral("H")}) {
        const QTime tijd = QTime::fromString(schoon, vorm);
        if (tijd.isValid())
            return tijd.hour() * 60 + tijd.minute();
    }
    return -1;
}

QTableWidgetItem* Cel(const QString& tekst) {
    return new QTableWidgetItem(tekst);
}

QSpinBox* Minuten(QWidget* ouder, int van, int tot) {
    auto* box = new QSpinBox(ouder);
    box->setRange(van, tot);
    box->setSuffix(QStringLiteral(" min"));
    return box;
}

} // namespace

TDagInstellingenForm::TDagInstellingenForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , BanenSpinBox(new QSpinBox(this))
    , BaannamenGrid(new QTableWidget(0, 1, this))
    , BegintijdEdit(new QTimeEdit(this))
    , PouleSlotSpinBox(Minuten(this, 1, 480))
    , KnockoutSlotSpinBox(Minuten(this, 1, 480))
    , RustSpinBox(new QSpinBox(this))
    , DoorstromingComboBox(new QComboBox(this))
    , DoorstromingSpinBox(new QSpinBox(this))
    , PauzesGrid(new QTableWidget(0, 2, this))
    , PauzeToevoegenBitBtn(new QPushButton(QStringLiteral("Pauze &toevoegen"), this))
    , PauzeVerwijderenBitBtn(new QPushButton(QStringLiteral("Pauze &verwijderen"), this))
    , OKBitBtn(new QPushButton(okIcoon(), QStringLiteral("&OK"), this))
    , AnnulerenBitBtn(new QPushButton(annulerenIcoon(), QStringLiteral("&Annuleren"), this)) {
    setWindowTitle(QStringLiteral("Baaninstellingen"));
    setHelpContext(this, HelpContext::Banen);
    BanenSpinBox->setObjectName(QStringLiteral("BanenSpinBox"));
    BaannamenGrid->setObjectName(QStringLiteral("BaannamenGrid"));
    BegintijdEdit->setObjectName(QStringLiteral("BegintijdEdit"));
    PouleSlotSpinBox->setObjectName(QStringLiteral("PouleSlotSpinBox"));
    KnockoutSlotSpinBox->setObjectName(QStringLiteral("KnockoutSlotSpinBox"));
    RustSpinBox->setObjectName(QStringLiteral("RustSpinBox"));
    DoorstromingComboBox->setObjectName(QStringLiteral("DoorstromingComboBox"));
    DoorstromingSpinBox->setObjectName(QStringLiteral("DoorstromingSpinBox"));
    DoorstromingComboBox->addItems({QStringLiteral("de beste"), QStringLiteral("de slechtste")});
    DoorstromingComboBox->setAccessibleName(
        QStringLiteral("Beste of slechtste naar de winnaarsronde"));
    DoorstromingSpinBox->setRange(0, 64);
    DoorstromingSpinBox->setSuffix(QStringLiteral(" per poule"));
    DoorstromingSpinBox->setAccessibleName(
        QStringLiteral("Aantal per poule naar de winnaarsronde"));
    const QString doorstroming = QStringLiteral(
        "Zolang de knockout niet is ingedeeld, plant het programma de knockout met deze verdeling");
    DoorstromingComboBox->setToolTip(doorstroming);
    DoorstromingSpinBox->setToolTip(doorstroming);
    PauzesGrid->setObjectName(QStringLiteral("PauzesGrid"));
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    AnnulerenBitBtn->setObjectName(QStringLiteral("AnnulerenBitBtn"));
    OKBitBtn->setDefault(true);
    for (QPushButton* knop : {AnnulerenBitBtn, PauzeToevoegenBitBtn, PauzeVerwijderenBitBtn})
        knop->setAutoDefault(false);

    BanenSpinBox->setRange(1, MaxBanen);
    BegintijdEdit->setDisplayFormat(QStringLiteral("HH:mm"));
    RustSpinBox->setRange(0, 20);
    RustSpinBox->setToolTip(QStringLiteral(
        "Hoeveel poulewedstrijden iemand minstens rust tussen twee eigen wedstrijden"));

    BaannamenGrid->setHorizontalHeaderLabels({QStringLiteral("Naam")});
    BaannamenGrid->horizontalHeader()->setStretchLastSection(true);
    BaannamenGrid->setAccessibleName(QStringLiteral("Namen van de banen"));
    BaannamenGrid->setTabKeyNavigation(false);
    PauzesGrid->setHorizontalHeaderLabels({QStringLiteral("Van"), QStringLiteral("Tot")});
    PauzesGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    PauzesGrid->verticalHeader()->hide();
    PauzesGrid->setAccessibleName(QStringLiteral("Pauzes"));
    PauzesGrid->setTabKeyNavigation(false);

    auto* form = new QFormLayout;
    auto rij = [&](const QString& tekst, QWidget* veld) {
        auto* label = new QLabel(tekst, this);
        label->setBuddy(veld);
        form->addRow(label, veld);
    };
    rij(QStringLiteral("Aantal &banen:"), BanenSpinBox);
    rij(QStringLiteral("&Begintijd:"), BegintijdEdit);
    rij(QStringLiteral("&Poulewedstrijd:"), PouleSlotSpinBox);
    rij(QStringLiteral("&Knockoutwedstrijd:"), KnockoutSlotSpinBox);
    rij(QStringLiteral("&Rust (wedstrijden):"), RustSpinBox);
    auto* doorstromingRij = new QHBoxLayout;
    doorstromingRij->addWidget(DoorstromingComboBox);
    doorstromingRij->addWidget(DoorstromingSpinBox, 1);
    auto* doorstromingLabel = new QLabel(QStringLiteral("Naar de &winnaarsronde:"), this);
    doorstromingLabel->setBuddy(DoorstromingComboBox);
    form->addRow(doorstromingLabel, doorstromingRij);

    auto* pauzeKnoppen = new QHBoxLayout;
    pauzeKnoppen->addWidget(PauzeToevoegenBitBtn);
    pauzeKnoppen->addWidget(PauzeVerwijderenBitBtn);
    pauzeKnoppen->addStretch();
    auto* pauzes = new QGroupBox(QStringLiteral("Pauzes"), this);
    auto* pauzeIndeling = new QVBoxLayout(pauzes);
    pauzeIndeling->addWidget(PauzesGrid, 1);
    pauzeIndeling->addLayout(pauzeKnoppen);

    auto* links = new QVBoxLayout;
    links->addLayout(form);
    links->addWidget(pauzes, 1);
    auto* namen = new QGroupBox(QStringLiteral("&Namen van de banen"), this);
    auto* namenIndeling = new QVBoxLayout(namen);
    namenIndeling->addWidget(BaannamenGrid);

    auto* midden = new QHBoxLayout;
    midden->addLayout(links, 3);
    midden->addWidget(namen, 2);
    auto* knoppen = new QHBoxLayout;
    knoppen->addStretch();
    knoppen->addWidget(OKBitBtn);
    knoppen->addWidget(AnnulerenBitBtn);
    auto* indeling = new QVBoxLayout(this);
    indeling->addLayout(midden, 1);
    indeling->addLayout(knoppen);

    connect(BanenSpinBox, &QSpinBox::valueChanged, this, &TDagInstellingenForm::BanenGewijzigd);
    connect(PauzeToevoegenBitBtn, &QPushButton::clicked, this, [this] {
        VoegPauzeToe(QString(), QString());
        PauzesGrid->setFocus();
        PauzesGrid->editItem(PauzesGrid->item(PauzesGrid->rowCount() - 1, 0));
    });
    connect(PauzeVerwijderenBitBtn, &QPushButton::clicked, this, [this] {
        if (PauzesGrid->currentRow() >= 0)
            PauzesGrid->removeRow(PauzesGrid->currentRow());
    });
    connect(OKBitBtn, &QPushButton::clicked, this, &TDagInstellingenForm::OKBitBtnClick);
    connect(AnnulerenBitBtn, &QPushButton::clicked, this, &QDialog::reject);
    resize(sizeHint().expandedTo(QSize(560, 420)));
}

void TDagInstellingenForm::BanenGewijzigd(int banen) {
    // Names already typed stay when the number goes down and up again
    // within one visit of the dialog.
    const int oud = BaannamenGrid->rowCount();
    BaannamenGrid->setRowCount(banen);
    for (int baan = oud; baan < banen; ++baan)
        if (!BaannamenGrid->item(baan, 0))
            BaannamenGrid->setItem(baan, 0, Cel(StandaardNaam(baan)));
}

void TDagInstellingenForm::VoegPauzeToe(const QString& van, const QString& tot) {
    const int rij = PauzesGrid->rowCount();
    PauzesGrid->insertRow(rij);
    PauzesGrid->setItem(rij, 0, Cel(van));
    PauzesGrid->setItem(rij, 1, Cel(tot));
}

std::optional<TDagInstellingen> TDagInstellingenForm::Wijzig(const TDagInstellingen& huidig) {
    m_huidig = huidig;
    BaannamenGrid->setRowCount(0);
    BanenSpinBox->setValue(std::clamp(huidig.Plan.Banen, 1, MaxBanen));
    BanenGewijzigd(BanenSpinBox->value());
    for (int baan = 0; baan < BanenSpinBox->value(); ++baan)
        BaannamenGrid->item(baan, 0)->setText(BaanNaam(huidig, baan));
    BegintijdEdit->setTime(QTime(0, 0).addSecs(huidig.Begintijd * 60));
    PouleSlotSpinBox->setValue(huidig.Plan.PouleSlot);
    KnockoutSlotSpinBox->setValue(huidig.Plan.KnockoutSlot);
    RustSpinBox->setValue(huidig.Plan.RustSlots);
    DoorstromingComboBox->setCurrentIndex(huidig.DoorstromingBeste ? 0 : 1);
    DoorstromingSpinBox->setValue(huidig.Doorstroming);
    PauzesGrid->setRowCount(0);
    for (const TPauze& pauze : huidig.Plan.Pauzes)
        VoegPauzeToe(TijdTekst(huidig, pauze.Van), TijdTekst(huidig, pauze.Tot));
    BanenSpinBox->setFocus();
    BanenSpinBox->selectAll();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return Instellingen();
}

std::optional<TDagInstellingen> TDagInstellingenForm::Instellingen() const {
    TDagInstellingen uit = m_huidig;
    uit.Baannamen.clear();
    uit.Plan.Pauzes.clear();
    uit.DoorstromingBeste = DoorstromingComboBox->currentIndex() == 0;
    uit.Doorstroming = DoorstromingSpinBox->value();
    const QTime begin = BegintijdEdit->time();
    uit.Begintijd = begin.hour() * 60 + begin.minute();
    uit.Plan.Banen = BanenSpinBox->value();
    uit.Plan.PouleSlot = PouleSlotSpinBox->value();
    uit.Plan.KnockoutSlot = KnockoutSlotSpinBox->value();
    uit.Plan.RustSlots = RustSpinBox->value();

    // A name left as it was offered is no name of the organiser's: it stays
    // empty, so a day with the usual names keeps no list of them.
    QStringList namen;
    bool eigen = false;
    for (int baan = 0; baan < uit.Plan.Banen; ++baan) {
        const QTableWidgetItem* cel = BaannamenGrid->item(baan, 0);
        const QString naam = cel ? cel->text().trimmed() : QString();
        const bool standaard = naam.isEmpty() || naam == StandaardNaam(baan);
        eigen = eigen || !standaard;
        namen << (standaard ? QString() : naam);
    }
    if (eigen)
        uit.Baannamen = namen;
    for (int a = 0; a < uit.Plan.Banen; ++a)
        for (int b = a + 1; b < uit.Plan.Banen; ++b)
            if (BaanNaam(uit, a).compare(BaanNaam(uit, b), Qt::CaseInsensitive) == 0) {
                messages().information(
                    QStringLiteral("Twee banen heten \"%1\". Geef elke baan een eigen naam.")
                        .arg(BaanNaam(uit, b)),
                    HelpContext::Banen);
                return std::nullopt;
            }

    // Breaks in minutes from the start; a clock time before the start lies
    // after midnight, as on an evening that runs late.
    for (int rij = 0; rij < PauzesGrid->rowCount(); ++rij) {
        const QTableWidgetItem* vanCel = PauzesGrid->item(rij, 0);
        const QTableWidgetItem* totCel = PauzesGrid->item(rij, 1);
        const QString vanTekst = vanCel ? vanCel->text().trimmed() : QString();
        const QString totTekst = totCel ? totCel->text().trimmed() : QString();
        if (vanTekst.isEmpty() && totTekst.isEmpty())
            continue; // a row added and left empty
        const int van = LeesKlok(vanTekst);
        const int tot = LeesKlok(totTekst);
        if (van < 0 || tot < 0) {
            messages().information(
                QStringLiteral("Pauze %1: \"%2\" is geen tijd. Schrijf een tijd als 12:30.")
                    .arg(rij + 1)
                    .arg(van < 0 ? vanTekst : totTekst),
                HelpContext::Banen);
            return std::nullopt;
        }
        TPauze pauze{(van - uit.Begintijd + Dag) % Dag, (tot - uit.Begintijd + Dag) % Dag};
        if (pauze.Tot <= pauze.Van) {
            messages().information(
                QStringLiteral("Pauze %1 eindigt niet na haar begin (%2 tot %3).")
                    .arg(rij + 1)
                    .arg(vanTekst, totTekst),
                HelpContext::Banen);
            return std::nullopt;
        }
        uit.Plan.Pauzes.push_back(pauze);
    }
    std::sort(uit.Plan.Pauzes.begin(), uit.Plan.Pauzes.end(),
              [](const TPauze& a, const TPauze& b) { return a.Van < b.Van; });
    for (std::size_t i = 1; i < uit.Plan.Pauzes.size(); ++i)
        if (uit.Plan.Pauzes[i].Van < uit.Plan.Pauzes[i - 1].Tot) {
            messages().information(QStringLiteral("De pauzes van %1 en van %2 overlappen elkaar.")
                                       .arg(TijdTekst(uit, uit.Plan.Pauzes[i - 1].Van),
                                            TijdTekst(uit, uit.Plan.Pauzes[i].Van)),
                                   HelpContext::Banen);
            return std::nullopt;
        }
    return uit;
}

void TDagInstellingenForm::OKBitBtnClick() {
    if (Instellingen())
        accept();
}
