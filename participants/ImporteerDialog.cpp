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
    "&Voornaam:",   "&Tussenvoegsel:", "A&chternaam:", "Volledige &naam:",
    "Vere&niging:", "&Plaatsing:",     "&Rating:"};

int& Deel(TKolommen& kolommen, int deel) {
    switch (deel) {
    case TImporteerDialog::Voornaam:
        return kolommen.Voornaam;
    case TImporteerDialog::Tussenvoegsel:
        return kolommen.Tussenvoegsel;
    case TImporteerDialog::Achternaam:
        return kolommen.Achternaam;
    case TImporteerDialog::Vereniging:
        return kolommen.Vereniging;
    case TImporteerDialog::Plaatsing:
        return kolommen.Plaatsing;
    case TImporteerDialog::Rating:
        return kolommen.Rating;
    default:
        return kolommen.Naam;
    }
}

// The preview's columns; club and seed show only once a column gives them.
enum TVoorbeeldKolom {
    RijKolom,
    VoornaamKolom,
    AchternaamKolom,
    VerenigingKolom,
    PlaatsingKolom,
    BeoordelingKolom
};
constexpr std::array<const char*, 6> VoorbeeldKoppen{"Rij",        "Voornaam",  "Achternaam",
                                                     "Vereniging", "Plaatsing", "Beoordeling"};
// The widest texts of a column are among its longest; measuring only those
// keeps a long preview quick.
constexpr int GemetenTeksten = 64;

QString Celtekst(const Import::TVoorbeeldRij& rij, int kolom) {
    switch (kolom) {
    case RijKolom:
        return QString::number(rij.Regel);
    case VoornaamKolom:
        return rij.Naam.Voornaam;
    case AchternaamKolom:
        return rij.Naam.Achternaam;
    case VerenigingKolom:
        return rij.Naam.Vereniging;
    case PlaatsingKolom:
        return rij.Naam.Plaatsing > 0 ? QString::number(rij.Naam.Plaatsing) : QString();
    default:
        return Import::OordeelTekst(rij.Oordeel);
    }
}

QString OKTekst(const Import::TVoorbeeld& voorbeeld) {
    const int toevoegen = voorbeeld.AantalToevoegen;
    const int aanvullen = voorbeeld.AantalAanvullen;
    const QString aanvulTekst = aanvullen == 1
                                    ? QStringLiteral("1 deelnemer aanvullen")
                                    : QStringLiteral("%1 deelnemers aanvullen").arg(aanvullen);
    if (toevoegen == 0 && aanvullen > 0)
        return aanvulTekst;
    const QString tekst = toevoegen == 1 ? QStringLiteral("1 deelnemer toevoegen")
                                         : QStringLiteral("%1 deelnemers toevoegen").arg(toevoegen);
    return aanvullen > 0 ? tekst + QStringLiteral(", %1 aanvullen").arg(aanvullen) : tekst;
}

QString SamenvattingTekst(const Import::TVoorbeeld& voorbeeld) {
    const auto rijen = static_cast<int>(voorbeeld.Rijen.size());
    const QString rijenTekst =
        rijen == 1 ? QStringLiteral("1 rij") : QStringLiteral("%1 rijen").arg(rijen);
    QString tekst = QStringLiteral("Van %1 worden er %2 toegevoegd")
                        .arg(rijenTekst)
                        .arg(voorbeeld.AantalToevoegen);
    if (voorbeeld.AantalAanvullen > 0)
        tekst += QStringLiteral(" en %1 aangevuld").arg(voorbeeld.AantalAanvullen);
    return tekst + u'.';
}

} // namespace

// The preview's rows, read straight from the verdicts: thousands of rows cost
// no item each.
class TImporteerDialog::TVoorbeeldModel : public QAbstractTableModel {
public:
    TVoorbeeldModel(const Import::TVoorbeeld& voorbeeld, QObject* parent)
        : QAbstractTableModel(parent)
        , m_voorbeeld(voorbeeld) {}

    void Vernieuw(const TKolommen& gekozen, const std::function<void()>& verander) {
        beginResetModel();
        verander();
        m_kolommen = {RijKolom, VoornaamKolom, AchternaamKolom};
        if (gekozen.Vereniging >= 0)
            m_kolommen.push_back(VerenigingKolom);
        if (gekozen.Plaatsing >= 0 || gekozen.Rating >= 0)
            m_kolommen.push_back(PlaatsingKolom);
        m_kolommen.push_back(BeoordelingKolom);
        endResetModel();
    }
    int rowCount(const QModelIndex& ouder) const override {
        return ouder.isValid() ? 0 : static_cast<int>(m_voorbeeld.Rijen.size());
    }
    int columnCount(const QModelIndex& ouder) const override {
        return ouder.isValid() ? 0 : static_cast<int>(m_kolommen.size());
    }
    // What the view's column `kolom` shows (a TVoorbeeldKolom).
    int Soort(int kolom) const { return m_kolommen[static_cast<std::size_t>(kolom)]; }
    QVariant data(const QModelIndex& index, int rol) const override {
        const Import::TVoorbeeldRij& rij = m_voorbeeld.Rijen[index.row()];
        const int soort = Soort(index.column());
        if (rol == Qt::DisplayRole)
            return Celtekst(rij, soort);
        // A refusal stands out in its verdict; the names stay readable.
        if (rol == Qt::ForegroundRole && soort == BeoordelingKolom &&
            rij.Oordeel != TOordeel::Toevoegen && rij.Oordeel != TOordeel::Aanvullen)
            return QBrush(QColor(0xa0, 0x10, 0x10));
        if (rol == Qt::TextAlignmentRole && soort == PlaatsingKolom)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    QVariant headerData(int sectie, Qt::Orientation richting, int rol) const override {
        if (richting != Qt::Horizontal || rol != Qt::DisplayRole)
            return {};
        return QString::fromLatin1(VoorbeeldKoppen[static_cast<std::size_t>(Soort(sectie))]);
    }

private:
    const Import::TVoorbeeld& m_voorbeeld;
    std::vector<int> m_kolommen{RijKolom, VoornaamKolom, AchternaamKolom, BeoordelingKolom};
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
        // The name's parts in two rows, then club, seed and rating in a
        // third.
        const int rij = deel < Vereniging ? deel % 2 : 2;
        const int kolom = deel < Vereniging ? deel / 2 : deel - Vereniging;
        kolommen->addWidget(KolomLabels[deel], rij, 2 * kolom);
        kolommen->addWidget(KolomComboBoxen[deel], rij, 2 * kolom + 1);
        connect(KolomComboBoxen[deel], &QComboBox::currentIndexChanged, this,
                [this, deel] { KolomComboBoxChange(deel); });
    }
    kolommen->setColumnStretch(6, 1);

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
    return exec() == QDialog::Accepted &&
           m_voorbeeld.AantalToevoegen + m_voorbeeld.AantalAanvullen > 0;
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
    // A full name and separate parts exclude each other, as do a seed and
    // a rating: the last choice counts. Club and seed leave the name alone.
    if (Deel(kolommen, deel) >= 0) {
        if (deel == Naam)
            kolommen.Voornaam = kolommen.Tussenvoegsel = kolommen.Achternaam = -1;
        else if (deel < Naam)
            kolommen.Naam = -1;
        else if (deel == Plaatsing)
            kolommen.Rating = -1;
        else if (deel == Rating)
            kolommen.Plaatsing = -1;
    }
    m_import.ZetKolommen(kolommen);
    m_toontKeuzes = true;
    for (int ander = 0; ander < AantalDelen; ++ander)
        KolomComboBoxen[ander]->setCurrentIndex(Deel(kolommen, ander) + 1);
    m_toontKeuzes = false;
    ToonVoorbeeld();
}

void TImporteerDialog::ToonVoorbeeld() {
    m_model->Vernieuw(m_import.Kolommen(),
                      [this] { m_voorbeeld = m_import.Voorbeeld(m_bestaand); });
    PasKolombreedtesAan();
    SamenvattingLabel->setText(SamenvattingTekst(m_voorbeeld));
    OKBitBtn->setText(OKTekst(m_voorbeeld));
    OKBitBtn->setEnabled(m_voorbeeld.AantalToevoegen + m_voorbeeld.AantalAanvullen > 0);
}

void TImporteerDialog::PasKolombreedtesAan() {
    QTableView* grid = VoorbeeldStringGrid;
    const QFontMetrics maat = grid->fontMetrics();
    const int marge =
        2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1) + 6;
    // The last column takes the rest of the width.
    for (int kolom = 0; kolom + 1 < m_model->columnCount({}); ++kolom) {
        std::vector<QString> teksten;
        teksten.reserve(m_voorbeeld.Rijen.size());
        for (const Import::TVoorbeeldRij& rij : m_voorbeeld.Rijen)
            teksten.push_back(Celtekst(rij, m_model->Soort(kolom)));
        const auto langer = [](const QString& a, const QString& b) { return a.size() > b.size(); };
        const auto gemeten = teksten.begin() + std::min<qsizetype>(GemetenTeksten, teksten.size());
        std::partial_sort(teksten.begin(), gemeten, teksten.end(), langer);
        int breedte = grid->horizontalHeader()->sectionSizeHint(kolom);
        for (auto tekst = teksten.begin(); tekst != gemeten; ++tekst)
            breedte = std::max(breedte, maat.horizontalAdvance(*tekst) + marge);
        grid->setColumnWidth(kolom, breedte);
    }
}
