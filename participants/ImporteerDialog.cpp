#include "participants/ImporteerDialog.h"

#include "ui/Help.h"
#include "ui/Icons.h"
#include "ui/Scherm.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <functional>

using Import::TKolommen;
using Import::TOordeel;

namespace {

constexpr int RijHoogte = 16;
// The longest example text a column choice shows of its first row.
constexpr int VoorbeeldLengte = 24;

struct TScheidingKeuze {
    char16_t Teken;
    const char* Tekst;
};
constexpr std::array<TScheidingKeuze, 4> ScheidingKeuzes{{
    {u';', "puntkomma (;)"},
    {u',', "komma (,)"},
    {u'\t', "tab"},
    {u'\0', "geen: één naam per regel"},
}};

constexpr std::array<const char*, TImporteerDialog::AantalDelen> DeelTeksten{
    "&Voornaam:", "&Tussenvoegsel:", "A&chternaam:", "Volledige &naam:"};

int& Deel(TKolommen& kolommen, int deel) {
    switch (deel) {
    case TImporteerDialog::Voornaam:
        return kolommen.Voornaam;
    case TImporteerDialog::Tussenvoegsel:
        return kolommen.Tussenvoegsel;
    case TImporteerDialog::Achternaam:
        return kolommen.Achternaam;
    default:
        return kolommen.Naam;
    }
}

constexpr int AantalKolommen = 4;
// The widest texts of a column are among its longest; measuring only those
// keeps a long preview quick.
constexpr int GemetenTeksten = 64;

QString Celtekst(const Import::TVoorbeeldRij& rij, int kolom) {
    switch (kolom) {
    case 0:
        return QString::number(rij.Regel);
    case 1:
        return rij.Naam.Voornaam;
    case 2:
        return rij.Naam.Achternaam;
    default:
        return Import::OordeelTekst(rij.Oordeel);
    }
}

QString OKTekst(int aantal) {
    return aantal == 1 ? QStringLiteral("1 deelnemer toevoegen")
                       : QStringLiteral("%1 deelnemers toevoegen").arg(aantal);
}

QString SamenvattingTekst(const Import::TVoorbeeld& voorbeeld) {
    const auto rijen = static_cast<int>(voorbeeld.Rijen.size());
    const QString rijenTekst =
        rijen == 1 ? QStringLiteral("1 rij") : QStringLiteral("%1 rijen").arg(rijen);
    return QStringLiteral("Van %1 worden er %2 toegevoegd.")
        .arg(rijenTekst)
        .arg(voorbeeld.AantalToevoegen);
}

} // namespace

// The preview's rows, read straight from the verdicts: thousands of rows cost
// no item each.
class TImporteerDialog::TVoorbeeldModel : public QAbstractTableModel {
public:
    TVoorbeeldModel(const Import::TVoorbeeld& voorbeeld, QObject* parent)
        : QAbstractTableModel(parent)
        , m_voorbeeld(voorbeeld) {}

    void Vernieuw(const std::function<void()>& verander) {
        beginResetModel();
        verander();
        endResetModel();
    }
    int rowCount(const QModelIndex& ouder) const override {
        return ouder.isValid() ? 0 : static_cast<int>(m_voorbeeld.Rijen.size());
    }
    int columnCount(const QModelIndex& ouder) const override {
        return ouder.isValid() ? 0 : AantalKolommen;
    }
    QVariant data(const QModelIndex& index, int rol) const override {
        const Import::TVoorbeeldRij& rij = m_voorbeeld.Rijen[index.row()];
        if (rol == Qt::DisplayRole)
            return Celtekst(rij, index.column());
        // A refusal stands out in its verdict; the names stay readable.
        if (rol == Qt::ForegroundRole && index.column() == 3 && rij.Oordeel != TOordeel::Toevoegen)
            return QBrush(QColor(0xa0, 0x10, 0x10));
        return {};
    }
    QVariant headerData(int sectie, Qt::Orientation richting, int rol) const override {
        static const std::array<const char*, AantalKolommen> koppen{"Rij", "Voornaam", "Achternaam",
                                                                    "Beoordeling"};
        if (richting != Qt::Horizontal || rol != Qt::DisplayRole)
            return {};
        return QString::fromLatin1(koppen[sectie]);
    }

private:
    const Import::TVoorbeeld& m_voorbeeld;
};

TImporteerDialog::TImporteerDialog(QWidget* owner, Import::TImport import,
                                   Deelnemerslijst::TNamen bestaand, const QString& bron)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
    , BronLabel(new QLabel(this))
    , ScheidingLabel(new QLabel(QStringLiteral("&Scheidingsteken:"), this))
    , ScheidingComboBox(new QComboBox(this))
    , KopCheckBox(new QCheckBox(QStringLiteral("&Eerste rij noemt de kolommen"), this))
    , VoorbeeldStringGrid(new QTableView(this))
    , SamenvattingLabel(new QLabel(this))
    , OKBitBtn(new QPushButton(this))
    , AnnulerenBitBtn(new QPushButton(QStringLiteral("&Annuleren"), this))
    , m_import(std::move(import))
    , m_bestaand(std::move(bestaand))
    , m_bron(bron) {
    setWindowTitle(QStringLiteral("Deelnemers importeren"));
    setHelpContext(this, HelpContext::Importeren);

    ScheidingLabel->setBuddy(ScheidingComboBox);
    for (const TScheidingKeuze& keuze : ScheidingKeuzes)
        ScheidingComboBox->addItem(QString::fromUtf8(keuze.Tekst), QChar(keuze.Teken));
    // A sheet has its own cells: no separator to choose.
    ScheidingLabel->setVisible(m_import.IsTekst());
    ScheidingComboBox->setVisible(m_import.IsTekst());

    auto* kolommen = new QGridLayout;
    for (int deel = 0; deel < AantalDelen; ++deel) {
        KolomLabels[deel] = new QLabel(QString::fromUtf8(DeelTeksten[deel]), this);
        KolomComboBoxen[deel] = new QComboBox(this);
        KolomComboBoxen[deel]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        KolomLabels[deel]->setBuddy(KolomComboBoxen[deel]);
        kolommen->addWidget(KolomLabels[deel], deel % 2, 2 * (deel / 2));
        kolommen->addWidget(KolomComboBoxen[deel], deel % 2, 2 * (deel / 2) + 1);
        connect(KolomComboBoxen[deel], &QComboBox::currentIndexChanged, this,
                [this, deel] { KolomComboBoxChange(deel); });
    }
    kolommen->setColumnStretch(4, 1);

    QTableView* grid = VoorbeeldStringGrid;
    grid->setAccessibleName(QStringLiteral("Voorbeeld van de import"));
    m_model = new TVoorbeeldModel(m_voorbeeld, grid);
    grid->setModel(m_model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(RijHoogte);
    grid->verticalHeader()->setDefaultSectionSize(RijHoogte);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setSectionsClickable(false);
    grid->horizontalHeader()->setStretchLastSection(true);

    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    AnnulerenBitBtn->setObjectName(QStringLiteral("AnnulerenBitBtn"));
    OKBitBtn->setIcon(okIcoon());
    AnnulerenBitBtn->setIcon(annulerenIcoon());
    OKBitBtn->setDefault(true);

    auto* keuzes = new QHBoxLayout;
    keuzes->addWidget(ScheidingLabel);
    keuzes->addWidget(ScheidingComboBox);
    keuzes->addSpacing(16);
    keuzes->addWidget(KopCheckBox);
    keuzes->addStretch(1);
    auto* knoppen = new QHBoxLayout;
    knoppen->addWidget(SamenvattingLabel, 1);
    knoppen->addWidget(OKBitBtn);
    knoppen->addWidget(AnnulerenBitBtn);
    auto* venster = new QVBoxLayout(this);
    venster->addWidget(BronLabel);
    venster->addLayout(keuzes);
    venster->addLayout(kolommen);
    venster->addWidget(VoorbeeldStringGrid, 1);
    venster->addLayout(knoppen);

    connect(ScheidingComboBox, &QComboBox::currentIndexChanged, this,
            &TImporteerDialog::ScheidingComboBoxChange);
    connect(KopCheckBox, &QCheckBox::clicked, this, &TImporteerDialog::KopCheckBoxClick);
    connect(OKBitBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(AnnulerenBitBtn, &QPushButton::clicked, this, &QDialog::reject);

    ToonKeuzes();
    resize(620, 480);
}

bool TImporteerDialog::Importeren() {
    centreerOpScherm(this);
    return exec() == QDialog::Accepted && m_voorbeeld.AantalToevoegen > 0;
}

void TImporteerDialog::ToonKeuzes() {
    m_toontKeuzes = true;
    for (int i = 0; i < ScheidingComboBox->count(); ++i) {
        if (ScheidingComboBox->itemData(i).value<QChar>() == m_import.Scheiding())
            ScheidingComboBox->setCurrentIndex(i);
    }
    KopCheckBox->setChecked(m_import.HeeftKop());
    const Import::TTabel& tabel = m_import.Tabel();
    // A header below a title says where it stands.
    const std::size_t kopRij = m_import.HeeftKop() ? m_import.KopRij() : 0;
    KopCheckBox->setText(
        kopRij == 0 ? QStringLiteral("&Eerste rij noemt de kolommen")
                    : QStringLiteral("%1 %2 noemt de &kolommen")
                          .arg(m_import.IsTekst() ? QStringLiteral("Regel") : QStringLiteral("Rij"))
                          .arg(tabel[kopRij].Regel));

    // A line split into thousands of fields is no list of names: only the
    // first columns are offered, and the source line says so.
    const int aantal = m_import.AantalKolommen();
    const int aangeboden = std::min(aantal, Import::MaxKolommen);
    BronLabel->setText(
        QStringLiteral("Bron: ") + m_bron +
        (aangeboden < aantal
             ? QStringLiteral(" (alleen de eerste %1 van de %2 kolommen zijn te kiezen)")
                   .arg(aangeboden)
                   .arg(aantal)
             : QString()));

    // A column is named by its header, or by its number and first value.
    const QStringList* kop = m_import.HeeftKop() ? &tabel[kopRij].Cellen : nullptr;
    const std::size_t eerste = m_import.HeeftKop() ? kopRij + 1 : 0;
    const QStringList voorbeeld = eerste < tabel.size() ? tabel[eerste].Cellen : QStringList();
    QStringList namen{QStringLiteral("(geen)")};
    for (int kolom = 0; kolom < aangeboden; ++kolom) {
        QString naam = QStringLiteral("Kolom %1").arg(kolom + 1);
        const QString kopTekst = kop ? kop->value(kolom).simplified() : QString();
        const QString waarde = voorbeeld.value(kolom).simplified();
        if (!kopTekst.isEmpty())
            naam += QStringLiteral(": ") + kopTekst.left(VoorbeeldLengte);
        else if (!waarde.isEmpty())
            naam += QStringLiteral(" (") + waarde.left(VoorbeeldLengte) + u')';
        namen << naam;
    }
    TKolommen kolommen = m_import.Kolommen();
    for (int deel = 0; deel < AantalDelen; ++deel) {
        QComboBox* keuze = KolomComboBoxen[deel];
        keuze->clear();
        keuze->addItems(namen);
        keuze->setCurrentIndex(std::clamp(Deel(kolommen, deel) + 1, 0, int(namen.size()) - 1));
    }
    m_toontKeuzes = false;
    ToonVoorbeeld();
}

void TImporteerDialog::ScheidingComboBoxChange() {
    if (m_toontKeuzes)
        return;
    m_import.ZetScheiding(ScheidingComboBox->currentData().value<QChar>());
    ToonKeuzes();
}

void TImporteerDialog::KopCheckBoxClick() {
    m_import.ZetKop(KopCheckBox->isChecked());
    ToonKeuzes();
}

void TImporteerDialog::KolomComboBoxChange(int deel) {
    if (m_toontKeuzes)
        return;
    TKolommen kolommen = m_import.Kolommen();
    Deel(kolommen, deel) = KolomComboBoxen[deel]->currentIndex() - 1;
    // A full name and separate parts exclude each other: the last choice
    // counts.
    if (Deel(kolommen, deel) >= 0) {
        if (deel == Naam)
            kolommen = {.Naam = kolommen.Naam};
        else
            kolommen.Naam = -1;
    }
    m_import.ZetKolommen(kolommen);
    m_toontKeuzes = true;
    for (int ander = 0; ander < AantalDelen; ++ander)
        KolomComboBoxen[ander]->setCurrentIndex(Deel(kolommen, ander) + 1);
    m_toontKeuzes = false;
    ToonVoorbeeld();
}

void TImporteerDialog::ToonVoorbeeld() {
    m_model->Vernieuw([this] { m_voorbeeld = m_import.Voorbeeld(m_bestaand); });
    PasKolombreedtesAan();
    SamenvattingLabel->setText(SamenvattingTekst(m_voorbeeld));
    OKBitBtn->setText(OKTekst(m_voorbeeld.AantalToevoegen));
    OKBitBtn->setEnabled(m_voorbeeld.AantalToevoegen > 0);
}

void TImporteerDialog::PasKolombreedtesAan() {
    QTableView* grid = VoorbeeldStringGrid;
    const QFontMetrics maat = grid->fontMetrics();
    const int marge =
        2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1) + 6;
    // The last column takes the rest of the width.
    for (int kolom = 0; kolom + 1 < AantalKolommen; ++kolom) {
        std::vector<QString> teksten;
        teksten.reserve(m_voorbeeld.Rijen.size());
        for (const Import::TVoorbeeldRij& rij : m_voorbeeld.Rijen)
            teksten.push_back(Celtekst(rij, kolom));
        const auto langer = [](const QString& a, const QString& b) { return a.size() > b.size(); };
        const auto gemeten = teksten.begin() + std::min<qsizetype>(GemetenTeksten, teksten.size());
        std::partial_sort(teksten.begin(), gemeten, teksten.end(), langer);
        int breedte = grid->horizontalHeader()->sectionSizeHint(kolom);
        for (auto tekst = teksten.begin(); tekst != gemeten; ++tekst)
            breedte = std::max(breedte, maat.horizontalAdvance(*tekst) + marge);
        grid->setColumnWidth(kolom, breedte);
    }
}
