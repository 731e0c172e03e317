#include "courts/BanenForm.h"

#include "courts/DagInstellingenForm.h"
#include "courts/VerplaatsForm.h"
#include "model/MessageService.h"
#include "model/Programmastatus.h"
#include "model/ToernooiDocument.h"
#include "print/PlanningAfdruk.h"
#include "ui/Afdrukken.h"
#include "ui/Help.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIODevice>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

using namespace Planning;

namespace {

const QString WedstrijdMime = QStringLiteral("application/x-zegerooster-wedstrijd");

// Light tints that keep black text readable: on court now, played, and two
// matches starting on one court at once.
const QColor OpBaanKleur(200, 235, 200);
const QColor GespeeldKleur(232, 232, 232);
const QColor DubbelKleur(245, 190, 190);
const QColor BezigKleur(240, 244, 250);

QString Paar(const TDagWedstrijd& w) {
    return w.Boven + QStringLiteral(" – ") + w.Onder;
}

QString ToestandTekst(TDagToestand toestand) {
    switch (toestand) {
    case TDagToestand::Gepland:
        return QStringLiteral("gepland");
    case TDagToestand::Opgeroepen:
        return QStringLiteral("op de baan");
    case TDagToestand::Gespeeld:
        return QStringLiteral("gespeeld");
    }
    return {};
}

QString Van(const TDagInstellingen& instellingen, const TDagWedstrijd& w) {
    return TijdTekst(instellingen, w.Begin) + QStringLiteral("–") +
           TijdTekst(instellingen, w.Einde);
}

} // namespace

// ------------------------------------------------------------ the plan grid

// Courts across, the start times of the plan down: a cell holds the match
// that starts on that court then. Only the rows and the matches per court
// are kept; every cell is read from the window's overview when drawn, so a
// day of 18,000 matches costs no more than the rows in sight.
class TBanenForm::TPlanningModel : public QAbstractTableModel {
public:
    using TVerplaats = std::function<void(const TWedstrijdPlek&, int, int)>;

    TPlanningModel(const TBanenForm& form, TVerplaats verplaats, QObject* ouder)
        : QAbstractTableModel(ouder)
        , m_form(form)
        , m_verplaats(std::move(verplaats)) {}

    // True when the rows or columns changed.
    bool Herbouw(int banen) {
        const auto& wedstrijden = m_form.m_overzicht.Wedstrijden;
        std::vector<int> tijden;
        std::vector<std::vector<int>> perBaan(std::size_t(std::max(banen, 0)));
        for (std::size_t i = 0; i < wedstrijden.size(); ++i) {
            const TDagWedstrijd& w = wedstrijden[i];
            if (w.Baan < 0 || w.Begin < 0 || w.Baan >= banen)
                continue;
            tijden.push_back(w.Begin);
            perBaan[std::size_t(w.Baan)].push_back(static_cast<int>(i));
        }
        std::sort(tijden.begin(), tijden.end());
        tijden.erase(std::unique(tijden.begin(), tijden.end()), tijden.end());
        for (std::vector<int>& baan : perBaan)
            std::stable_sort(baan.begin(), baan.end(), [&](int a, int b) {
                return wedstrijden[std::size_t(a)].Begin < wedstrijden[std::size_t(b)].Begin;
            });
        // The same rows and columns only change their cells: the cursor and
        // the scroll position stay where the organiser left them.
        if (tijden == m_tijden && perBaan.size() == m_perBaan.size()) {
            m_perBaan = std::move(perBaan);
            if (!m_tijden.empty() && !m_perBaan.empty())
                Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
            Q_EMIT headerDataChanged(Qt::Horizontal, 0, std::max(0, columnCount() - 1));
            return false;
        }
        beginResetModel();
        m_tijden = std::move(tijden);
        m_perBaan = std::move(perBaan);
        endResetModel();
        return true;
    }

    // The matches starting in a cell, and the one still being played there
    // when none starts.
    std::pair<std::vector<int>, int> Cel(int rij, int baan) const {
        std::pair<std::vector<int>, int> uit{{}, -1};
        if (rij < 0 || rij >= rowCount() || baan < 0 || baan >= columnCount())
            return uit;
        const int tijd = m_tijden[std::size_t(rij)];
        const std::vector<int>& lijst = m_perBaan[std::size_t(baan)];
        const auto& wedstrijden = m_form.m_overzicht.Wedstrijden;
        auto begin = [&](int i) { return wedstrijden[std::size_t(i)].Begin; };
        auto eerste = std::partition_point(lijst.begin(), lijst.end(),
                                           [&](int i) { return begin(i) < tijd; });
        for (auto it = eerste; it != lijst.end() && begin(*it) == tijd; ++it)
            uit.first.push_back(*it);
        if (uit.first.empty() && eerste != lijst.begin() &&
            wedstrijden[std::size_t(*(eerste - 1))].Einde > tijd)
            uit.second = *(eerste - 1);
        return uit;
    }

    // The match a drag from this cell takes: under the cursor the one the
    // cursor is on (of two that clash there, the one just moved), elsewhere
    // the first; -1 when it is played or on its court.
    int Versleepbaar(const QModelIndex& index) const {
        const auto hier = Cel(index.row(), index.column()).first;
        if (hier.empty())
            return -1;
        const int i =
            index == m_form.PlanningGrid->currentIndex() ? m_form.GekozenWedstrijd() : hier.front();
        return i >= 0 && m_form.m_overzicht.Wedstrijden[std::size_t(i)].Toestand ==
                             TDagToestand::Gepland
                   ? i
                   : -1;
    }

    int Rij(int begin) const {
        const auto it = std::lower_bound(m_tijden.begin(), m_tijden.end(), begin);
        return it != m_tijden.end() && *it == begin ? static_cast<int>(it - m_tijden.begin()) : -1;
    }

    int rowCount(const QModelIndex& ouder = {}) const override {
        return ouder.isValid() ? 0 : static_cast<int>(m_tijden.size());
    }
    int columnCount(const QModelIndex& ouder = {}) const override {
        return ouder.isValid() ? 0 : static_cast<int>(m_perBaan.size());
    }

    QVariant data(const QModelIndex& index, int rol) const override {
        const auto [hier, bezig] = Cel(index.row(), index.column());
        const auto& wedstrijden = m_form.m_overzicht.Wedstrijden;
        if (hier.empty())
            return rol == Qt::BackgroundRole && bezig >= 0 ? QVariant(BezigKleur) : QVariant();
        const TDagWedstrijd& w = wedstrijden[std::size_t(hier.front())];
        switch (rol) {
        case Qt::DisplayRole: {
            QStringList paren;
            for (int i : hier)
                paren << Paar(wedstrijden[std::size_t(i)]);
            return paren.join(QStringLiteral(" / "));
        }
        case Qt::ToolTipRole: {
            QStringList regels;
            for (int i : hier) {
                const TDagWedstrijd& d = wedstrijden[std::size_t(i)];
                regels << d.Omschrijving + QStringLiteral(": ") + Paar(d) + QStringLiteral(", ") +
                              Van(m_form.m_instellingen, d) + QStringLiteral(" (") +
                              ToestandTekst(d.Toestand) + u')';
            }
            return regels.join(u'\n');
        }
        case Qt::BackgroundRole:
            if (hier.size() > 1)
                return DubbelKleur;
            if (w.Toestand == TDagToestand::Opgeroepen)
                return OpBaanKleur;
            if (w.Toestand == TDagToestand::Gespeeld)
                return GespeeldKleur;
            return {};
        case Qt::FontRole:
            if (w.Toestand == TDagToestand::Opgeroepen) {
                QFont vet;
                vet.setBold(true);
                return vet;
            }
            return {};
        default:
            return {};
        }
    }

    QVariant headerData(int sectie, Qt::Orientation richting, int rol) const override {
        if (rol != Qt::DisplayRole)
            return {};
        if (richting == Qt::Horizontal)
            return BaanNaam(m_form.m_instellingen, sectie);
        return sectie >= 0 && sectie < rowCount()
                   ? TijdTekst(m_form.m_instellingen, m_tijden[std::size_t(sectie)])
                   : QVariant();
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid())
            return Qt::ItemIsDropEnabled;
        Qt::ItemFlags vlaggen = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
        // A match that is played or on its court stays where it is.
        if (Versleepbaar(index) >= 0)
            vlaggen |= Qt::ItemIsDragEnabled;
        return vlaggen;
    }

    QStringList mimeTypes() const override { return {WedstrijdMime}; }
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }

    // The match travels by its place in the tournament, which stays true
    // whatever the overview does meanwhile.
    QMimeData* mimeData(const QModelIndexList& indexes) const override {
        for (const QModelIndex& index : indexes) {
            const int i = Versleepbaar(index);
            if (i < 0)
                continue;
            const TWedstrijdPlek& plek = m_form.m_overzicht.Wedstrijden[std::size_t(i)].Plek;
            auto* data = new QMimeData;
            data->setData(WedstrijdMime, QStringLiteral("%1 %2 %3 %4")
                                             .arg(plek.KnockoutNr)
                                             .arg(plek.Poule)
                                             .arg(plek.Ronde)
                                             .arg(plek.Nummer)
                                             .toLatin1());
            return data;
        }
        return nullptr;
    }

    bool dropMimeData(const QMimeData* data, Qt::DropAction, int rij, int kolom,
                      const QModelIndex& ouder) override {
        if (!data || !data->hasFormat(WedstrijdMime))
            return false;
        if (ouder.isValid()) {
            rij = ouder.row();
            kolom = ouder.column();
        }
        if (rij < 0 || kolom < 0 || kolom >= columnCount())
            return false;
        const QList<QByteArray> delen = data->data(WedstrijdMime).split(' ');
        if (delen.size() != 4)
            return false;
        const TWedstrijdPlek plek{delen[0].toInt(), delen[1].toInt(), delen[2].toInt(),
                                  delen[3].toInt()};
        // Below the last row: after the end of the day.
        const int begin = rij < rowCount() ? m_tijden[std::size_t(rij)] : m_form.m_overzicht.Einde;
        m_verplaats(plek, kolom, begin);
        return true;
    }

private:
    const TBanenForm& m_form;
    TVerplaats m_verplaats;
    std::vector<int> m_tijden;
    std::vector<std::vector<int>> m_perBaan;
};

// ------------------------------------------------------- the courts table

class TBanenForm::TBanenModel : public QAbstractTableModel {
public:
    enum TKolom { KolBaan, KolNu, KolNuTijd, KolVolgende, KolVolgendeTijd, Kolommen };

    TBanenModel(const TBanenForm& form, QObject* ouder)
        : QAbstractTableModel(ouder)
        , m_form(form) {}

    void Herbouw(int banen) {
        if (banen == m_rijen) {
            if (m_rijen > 0)
                Q_EMIT dataChanged(index(0, 0), index(m_rijen - 1, Kolommen - 1));
            return;
        }
        beginResetModel();
        m_rijen = banen;
        endResetModel();
    }

    int rowCount(const QModelIndex& ouder = {}) const override {
        return ouder.isValid() ? 0 : m_rijen;
    }
    int columnCount(const QModelIndex& ouder = {}) const override {
        return ouder.isValid() ? 0 : Kolommen;
    }

    QVariant data(const QModelIndex& index, int rol) const override {
        if (rol != Qt::DisplayRole && rol != Qt::BackgroundRole)
            return {};
        const int baan = index.row();
        if (index.column() == KolBaan)
            return rol == Qt::DisplayRole ? QVariant(BaanNaam(m_form.m_instellingen, baan))
                                          : QVariant();
        const auto& stand = m_form.m_banen;
        const bool nu = index.column() == KolNu || index.column() == KolNuTijd;
        const int i = baan < static_cast<int>(stand.size())
                          ? (nu ? stand[std::size_t(baan)].Nu : stand[std::size_t(baan)].Volgende)
                          : -1;
        const auto& wedstrijden = m_form.m_overzicht.Wedstrijden;
        if (i < 0 || i >= static_cast<int>(wedstrijden.size()))
            return rol == Qt::DisplayRole && index.column() == KolNu
                       ? QVariant(QStringLiteral("vrij"))
                       : QVariant();
        const TDagWedstrijd& w = wedstrijden[std::size_t(i)];
        if (rol == Qt::BackgroundRole)
            return nu ? QVariant(OpBaanKleur) : QVariant();
        switch (index.column()) {
        case KolNu:
        case KolVolgende:
            return Paar(w);
        case KolNuTijd:
            return Van(m_form.m_instellingen, w);
        case KolVolgendeTijd:
            return TijdTekst(m_form.m_instellingen, w.Begin);
        default:
            return {};
        }
    }

    QVariant headerData(int sectie, Qt::Orientation richting, int rol) const override {
        if (rol != Qt::DisplayRole || richting != Qt::Horizontal)
            return {};
        static const QStringList koppen{QStringLiteral("Baan"), QStringLiteral("Nu"),
                                        QStringLiteral("Tijd"), QStringLiteral("Volgende"),
                                        QStringLiteral("Verwacht")};
        return sectie >= 0 && sectie < koppen.size() ? koppen[sectie] : QVariant();
    }

private:
    const TBanenForm& m_form;
    int m_rijen = 0;
};

// ---------------------------------------------------------------- window

TBanenForm::TBanenForm(TToernooiDocument& document, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                         Qt::WindowCloseButtonHint)
    , InstellingenBitBtn(new QPushButton(QStringLiteral("&Instellingen..."), this))
    , PlanningBitBtn(new QPushButton(QStringLiteral("&Planning maken"), this))
    , VerplaatsBitBtn(new QPushButton(QStringLiteral("&Verplaatsen..."), this))
    , OproepenBitBtn(new QPushButton(QStringLiteral("&Oproepen"), this))
    , AfdrukkenBitBtn(nullptr)
    , ResultaatLabel(new QLabel(this))
    , BanenGrid(new QTableView(this))
    , PlanningGrid(new QTableView(this))
    , BotsingenLabel(new QLabel(this))
    , BotsingenLijst(new QListWidget(this))
    , m_document(document)
    , m_planning(new TPlanningModel(
          *this,
          [this](const TWedstrijdPlek& plek, int baan, int begin) { Verplaats(plek, baan, begin); },
          this))
    , m_banenModel(new TBanenModel(*this, this)) {
    setWindowTitle(QStringLiteral("Banen"));
    setHelpContext(this, HelpContext::Banen);
    InstellingenBitBtn->setObjectName(QStringLiteral("InstellingenBitBtn"));
    PlanningBitBtn->setObjectName(QStringLiteral("PlanningBitBtn"));
    VerplaatsBitBtn->setObjectName(QStringLiteral("VerplaatsBitBtn"));
    OproepenBitBtn->setObjectName(QStringLiteral("OproepenBitBtn"));
    for (QPushButton* knop : {InstellingenBitBtn, PlanningBitBtn, VerplaatsBitBtn, OproepenBitBtn})
        knop->setAutoDefault(false);
    OproepenBitBtn->setToolTip(
        QStringLiteral("Toont de gekozen wedstrijd, of wat nu op de banen staat, groot op het "
                       "presentatiescherm"));
    AfdrukkenBitBtn = Afdrukken::MaakKnop(this, [this] {
        return PlanningAfdruk::Maak(m_document,
                                    Afdrukken::Kop(m_document, QStringLiteral("Planning")));
    });

    ResultaatLabel->setObjectName(QStringLiteral("ResultaatLabel"));
    ResultaatLabel->setWordWrap(true);
    ResultaatLabel->setTextFormat(Qt::PlainText);
    BotsingenLabel->setObjectName(QStringLiteral("BotsingenLabel"));
    BotsingenLabel->setWordWrap(true);
    BotsingenLabel->setTextFormat(Qt::PlainText);
    BotsingenLijst->setObjectName(QStringLiteral("BotsingenLijst"));
    BotsingenLijst->setAccessibleName(QStringLiteral("Botsingen"));
    // A late day can hold thousands of clashes: one line each, so the list
    // need not measure every text on each refresh.
    BotsingenLijst->setUniformItemSizes(true);

    BanenGrid->setObjectName(QStringLiteral("BanenGrid"));
    BanenGrid->setAccessibleName(QStringLiteral("Banen"));
    BanenGrid->setModel(m_banenModel);
    BanenGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    BanenGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    BanenGrid->setTabKeyNavigation(false);
    BanenGrid->verticalHeader()->hide();
    BanenGrid->horizontalHeader()->setStretchLastSection(true);
    BanenGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Rows of one line of text: as many courts and times in sight as fit.
    const int regel = fontMetrics().height() + 6;
    BanenGrid->verticalHeader()->setDefaultSectionSize(regel);

    PlanningGrid->setObjectName(QStringLiteral("PlanningGrid"));
    PlanningGrid->setAccessibleName(QStringLiteral("Planning"));
    PlanningGrid->setModel(m_planning);
    PlanningGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    PlanningGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PlanningGrid->setTabKeyNavigation(false);
    PlanningGrid->setWordWrap(false);
    PlanningGrid->setDragEnabled(true);
    PlanningGrid->setAcceptDrops(true);
    PlanningGrid->setDropIndicatorShown(true);
    PlanningGrid->setDragDropMode(QAbstractItemView::DragDrop);
    PlanningGrid->setDragDropOverwriteMode(true);
    PlanningGrid->setDefaultDropAction(Qt::MoveAction);
    // Fixed sizes: the view never measures 18,000 rows.
    PlanningGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    PlanningGrid->verticalHeader()->setDefaultSectionSize(regel);
    PlanningGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);

    auto* knoppen = new QHBoxLayout;
    for (QPushButton* knop : {InstellingenBitBtn, PlanningBitBtn, VerplaatsBitBtn, OproepenBitBtn})
        knoppen->addWidget(knop);
    knoppen->addStretch();
    knoppen->addWidget(AfdrukkenBitBtn);

    auto* botsingen = new QWidget(this);
    auto* botsingenIndeling = new QVBoxLayout(botsingen);
    botsingenIndeling->setContentsMargins(0, 0, 0, 0);
    botsingenIndeling->addWidget(BotsingenLabel);
    botsingenIndeling->addWidget(BotsingenLijst, 1);

    auto* splitser = new QSplitter(Qt::Vertical, this);
    splitser->setChildrenCollapsible(false);
    splitser->addWidget(BanenGrid);
    splitser->addWidget(PlanningGrid);
    splitser->addWidget(botsingen);
    splitser->setStretchFactor(0, 2);
    splitser->setStretchFactor(1, 5);
    splitser->setStretchFactor(2, 1);
    splitser->setSizes({9 * regel, 18 * regel, 5 * regel});

    auto* indeling = new QVBoxLayout(this);
    indeling->addLayout(knoppen);
    indeling->addWidget(ResultaatLabel);
    indeling->addWidget(splitser, 1);
    resize(fontMetrics().averageCharWidth() * 120, fontMetrics().height() * 40);

    connect(InstellingenBitBtn, &QPushButton::clicked, this, &TBanenForm::InstellingenBitBtnClick);
    connect(PlanningBitBtn, &QPushButton::clicked, this, &TBanenForm::PlanningBitBtnClick);
    connect(VerplaatsBitBtn, &QPushButton::clicked, this, &TBanenForm::VerplaatsBitBtnClick);
    connect(OproepenBitBtn, &QPushButton::clicked, this, &TBanenForm::OproepenBitBtnClick);
    // Enter or a double click on a match moves it, as the button does.
    connect(PlanningGrid, &QTableView::activated, this, &TBanenForm::VerplaatsBitBtnClick);
    connect(PlanningGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& cel) {
                m_planningGekozen = true;
                // The cursor on another cell is on that cell's match.
                const auto hier = m_planning->Cel(cel.row(), cel.column()).first;
                const auto& wedstrijden = m_overzicht.Wedstrijden;
                if (m_cursor && std::any_of(hier.begin(), hier.end(), [&](int i) {
                        return wedstrijden[std::size_t(i)].Plek == *m_cursor;
                    }))
                    return;
                m_cursor = hier.empty()
                               ? std::nullopt
                               : std::optional(wedstrijden[std::size_t(hier.front())].Plek);
            });
    connect(BanenGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { m_planningGekozen = false; });

    for (auto signaal : {&TToernooiDocument::PlanningVeranderd, &TToernooiDocument::InhoudVeranderd,
                         &TToernooiDocument::NamenVeranderd})
        connect(&m_document, signaal, this, &TBanenForm::VraagVernieuwing);
    connect(&m_document, &TToernooiDocument::Vervangen, this, &TBanenForm::VraagVernieuwing);
    connect(&m_document, &TToernooiDocument::ProgrammastatusVeranderd, this,
            &TBanenForm::VraagVernieuwing);
}

TBanenForm::~TBanenForm() = default;

TDagInstellingenForm* TBanenForm::InstellingenForm() {
    if (!m_instellingenForm)
        m_instellingenForm = new TDagInstellingenForm(this);
    return m_instellingenForm;
}

TVerplaatsForm* TBanenForm::VerplaatsForm() {
    if (!m_verplaatsForm)
        m_verplaatsForm = new TVerplaatsForm(this);
    return m_verplaatsForm;
}

void TBanenForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_verouderd)
        Vernieuw();
}

void TBanenForm::VraagVernieuwing() {
    if (m_vernieuwingGevraagd)
        return;
    m_vernieuwingGevraagd = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_vernieuwingGevraagd = false;
            if (isVisible())
                Vernieuw();
            else
                m_verouderd = true;
        },
        Qt::QueuedConnection);
}

int TBanenForm::Index(const TWedstrijdPlek& plek) const {
    const auto& wedstrijden = m_overzicht.Wedstrijden;
    const auto it = std::find_if(wedstrijden.begin(), wedstrijden.end(),
                                 [&](const TDagWedstrijd& w) { return w.Plek == plek; });
    return it == wedstrijden.end() ? -1 : static_cast<int>(it - wedstrijden.begin());
}

void TBanenForm::Vernieuw() {
    m_verouderd = false;
    // The cursor stays on its match wherever the match went.
    const int gekozen = GekozenWedstrijd();
    const std::optional<TWedstrijdPlek> plek =
        m_cursor       ? m_cursor
        : gekozen >= 0 ? std::optional(m_overzicht.Wedstrijden[std::size_t(gekozen)].Plek)
                       : std::nullopt;
    const int kolom = PlanningGrid->currentIndex().column();

    m_overzicht = m_document.Dagoverzicht();
    m_banen = m_document.Banen();
    m_instellingen = m_document.DagInstellingen();
    const TDagInstellingen& instellingen = m_instellingen;
    const int banen = std::max(instellingen.Plan.Banen, static_cast<int>(m_banen.size()));
    // The names change with a new plan or tournament, not with a call.
    const std::size_t aantal = m_overzicht.Wedstrijden.size();
    if (m_planning->Herbouw(banen) || aantal != m_gemeten) {
        m_gemeten = aantal;
        PasKolommenAan();
    }
    m_banenModel->Herbouw(banen);
    BanenGrid->resizeColumnsToContents();
    if (plek) {
        const bool opPlanning = m_planningGekozen;
        if (const int index = Index(*plek); index < 0 || !KiesWedstrijd(index))
            PlanningGrid->setCurrentIndex(m_planning->index(0, std::max(kolom, 0)));
        m_planningGekozen = opPlanning;
    }

    const bool planning = m_document.HeeftPlanning();
    const bool wedstrijden = m_document.Programmastatus() != psGeen;
    PlanningBitBtn->setEnabled(wedstrijden);
    VerplaatsBitBtn->setEnabled(planning);
    OproepenBitBtn->setEnabled(planning);
    if (!planning)
        ResultaatLabel->setText(
            wedstrijden
                ? QStringLiteral("Nog geen planning. Stel de banen en tijden in en kies "
                                 "\"Planning maken\".")
                : QStringLiteral("Er zijn nog geen wedstrijden: begin eerst het toernooi."));
    else
        ResultaatLabel->setText(QStringLiteral("Klaar om %1. Geen planning kan eerder klaar zijn "
                                               "dan %2.")
                                    .arg(TijdTekst(instellingen, m_overzicht.Einde),
                                         TijdTekst(instellingen, m_overzicht.Ondergrens)));

    const QStringList& botsingen = m_overzicht.Botsingen;
    if (botsingen != m_getoondeBotsingen) {
        BotsingenLijst->clear();
        BotsingenLijst->addItems(botsingen);
        m_getoondeBotsingen = botsingen;
    }
    QString kop =
        botsingen.isEmpty()
            ? QStringLiteral("Geen botsingen.")
            : (botsingen.size() == 1 ? QStringLiteral("1 botsing:")
                                     : QStringLiteral("%1 botsingen:").arg(botsingen.size()));
    if (m_verplaatsing)
        kop = *m_verplaatsing + u' ' + kop;
    m_verplaatsing.reset();
    BotsingenLabel->setText(kop);
}

void TBanenForm::PasKolommenAan() {
    // The plan's courts as wide as its widest pair of names. Only the
    // longest texts are measured: measuring 18,000 would cost more than the
    // rest of a refresh.
    const auto& wedstrijden = m_overzicht.Wedstrijden;
    std::vector<std::pair<qsizetype, std::size_t>> lengtes;
    lengtes.reserve(wedstrijden.size());
    for (std::size_t i = 0; i < wedstrijden.size(); ++i)
        lengtes.emplace_back(wedstrijden[i].Boven.size() + wedstrijden[i].Onder.size(), i);
    const std::size_t gemeten = std::min<std::size_t>(lengtes.size(), 20);
    std::partial_sort(lengtes.begin(), lengtes.begin() + std::ptrdiff_t(gemeten), lengtes.end(),
                      std::greater<>());
    const QFontMetrics maat = PlanningGrid->fontMetrics();
    int breedste = maat.horizontalAdvance(QStringLiteral("Jeffrey Hoffmann – Berg, Jan van der"));
    for (std::size_t i = 0; i < gemeten; ++i)
        breedste = std::max(breedste, maat.horizontalAdvance(Paar(wedstrijden[lengtes[i].second])));
    const int marge =
        2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, PlanningGrid) + 1) + 4;
    QHeaderView* kop = PlanningGrid->horizontalHeader();
    if (kop->defaultSectionSize() != breedste + marge) {
        kop->setDefaultSectionSize(breedste + marge);
        for (int kolom = 0; kolom < kop->count(); ++kolom)
            kop->resizeSection(kolom, breedste + marge);
    }
}

bool TBanenForm::KiesWedstrijd(int index) {
    if (index < 0 || index >= static_cast<int>(m_overzicht.Wedstrijden.size()))
        return false;
    const TDagWedstrijd& w = m_overzicht.Wedstrijden[std::size_t(index)];
    const int rij = m_planning->Rij(w.Begin);
    if (rij < 0 || w.Baan < 0 || w.Baan >= m_planning->columnCount())
        return false;
    const QModelIndex cel = m_planning->index(rij, w.Baan);
    PlanningGrid->setCurrentIndex(cel);
    PlanningGrid->scrollTo(cel);
    m_cursor = w.Plek;
    m_planningGekozen = true;
    return true;
}

int TBanenForm::GekozenWedstrijd() const {
    const QModelIndex cel = PlanningGrid->currentIndex();
    if (!cel.isValid())
        return -1;
    const auto hier = m_planning->Cel(cel.row(), cel.column()).first;
    for (int i : hier)
        if (m_cursor && m_overzicht.Wedstrijden[std::size_t(i)].Plek == *m_cursor)
            return i;
    return hier.empty() ? -1 : hier.front();
}

QString TBanenForm::OproepRegel(const TDagInstellingen& instellingen, const TDagWedstrijd& w) {
    return BaanNaam(instellingen, w.Baan) + QStringLiteral(": ") + Paar(w);
}

// ---------------------------------------------------------------- actions

void TBanenForm::InstellingenBitBtnClick() {
    if (const auto instellingen = InstellingenForm()->Wijzig(m_document.DagInstellingen()))
        m_document.ZetDagInstellingen(*instellingen);
}

void TBanenForm::PlanningBitBtnClick() {
    // The document keeps what is played or on a court; the rest of the
    // organiser's work on the plan (moves by hand) goes.
    const bool begonnen =
        std::any_of(m_overzicht.Wedstrijden.begin(), m_overzicht.Wedstrijden.end(),
                    [](const TDagWedstrijd& w) { return w.Toestand != TDagToestand::Gepland; });
    if (m_document.HeeftPlanning() && begonnen &&
        messages().confirm(QStringLiteral("Er zijn al wedstrijden gespeeld of opgeroepen. Die "
                                          "houden hun baan en tijd; alle andere wedstrijden "
                                          "worden opnieuw gepland.\n\nWilt u opnieuw plannen?"),
                           Buttons::YesNo, HelpContext::Banen) != Answer::Yes)
        return;
    m_document.MaakPlanning();
}

void TBanenForm::VerplaatsBitBtnClick() {
    int index = m_planningGekozen ? GekozenWedstrijd() : -1;
    if (index < 0 && !m_planningGekozen) {
        const int baan = BanenGrid->currentIndex().row();
        if (baan >= 0 && baan < static_cast<int>(m_banen.size()))
            index = m_banen[std::size_t(baan)].Volgende;
    }
    if (index < 0 || index >= static_cast<int>(m_overzicht.Wedstrijden.size())) {
        messages().information(QStringLiteral("Kies eerst in de planning de wedstrijd die u wilt "
                                              "verplaatsen."),
                               HelpContext::Banen);
        return;
    }
    const TDagWedstrijd w = m_overzicht.Wedstrijden[std::size_t(index)];
    if (w.Toestand == TDagToestand::Gespeeld) {
        messages().information(QStringLiteral("Deze wedstrijd is al gespeeld en blijft staan waar "
                                              "hij gespeeld is."),
                               HelpContext::Banen);
        return;
    }
    if (const auto doel = VerplaatsForm()->Kies(m_document.DagInstellingen(), w))
        Verplaats(w.Plek, doel->Baan, doel->Begin);
}

void TBanenForm::Verplaats(const TWedstrijdPlek& plek, int baan, int begin) {
    QStringList botsingen;
    if (!m_document.VerplaatsWedstrijd(plek, baan, begin, &botsingen)) {
        messages().information(QStringLiteral("Deze wedstrijd kan niet naar die baan of tijd."),
                               HelpContext::Banen);
        return;
    }
    const TDagInstellingen& instellingen = m_document.DagInstellingen();
    QString tekst = QStringLiteral("Verplaatst naar %1 om %2")
                        .arg(BaanNaam(instellingen, baan), TijdTekst(instellingen, begin));
    tekst += botsingen.isEmpty()
                 ? QStringLiteral(", zonder nieuwe botsing.")
                 : QStringLiteral(": dat botst. ") + botsingen.join(QStringLiteral(" "));
    m_verplaatsing = tekst;
    m_cursor = plek;
    // The cursor follows the match to its new place at the next read.
    VraagVernieuwing();
}

void TBanenForm::OproepenBitBtnClick() {
    const TDagInstellingen& instellingen = m_document.DagInstellingen();
    QStringList regels;
    const int gekozen = m_planningGekozen ? GekozenWedstrijd() : -1;
    if (gekozen >= 0) {
        const TDagWedstrijd w = m_overzicht.Wedstrijden[std::size_t(gekozen)];
        if (w.Toestand == TDagToestand::Gespeeld) {
            messages().information(QStringLiteral("Deze wedstrijd is al gespeeld."),
                                   HelpContext::Banen);
            return;
        }
        // A match called by hand goes to its court now.
        if (w.Toestand == TDagToestand::Gepland && !m_document.RoepOp(w.Plek, w.Baan)) {
            messages().information(
                QStringLiteral("%1 kan nu niet worden opgeroepen: de baan of een speler is nog "
                               "bezet.")
                    .arg(Paar(w)),
                HelpContext::Banen);
            return;
        }
        regels << OproepRegel(instellingen, w);
    } else {
        // The courts chosen, or every court, with what is on it now.
        QList<int> banen;
        for (const QModelIndex& rij : BanenGrid->selectionModel()->selectedRows())
            banen << rij.row();
        if (banen.isEmpty())
            for (int baan = 0; baan < static_cast<int>(m_banen.size()); ++baan)
                banen << baan;
        std::sort(banen.begin(), banen.end());
        for (int baan : banen) {
            const int nu =
                baan < static_cast<int>(m_banen.size()) ? m_banen[std::size_t(baan)].Nu : -1;
            if (nu >= 0 && nu < static_cast<int>(m_overzicht.Wedstrijden.size()))
                regels << OproepRegel(instellingen, m_overzicht.Wedstrijden[std::size_t(nu)]);
        }
    }
    if (regels.isEmpty()) {
        messages().information(QStringLiteral("Er staat nog geen wedstrijd op een baan om op te "
                                              "roepen."),
                               HelpContext::Banen);
        return;
    }
    Q_EMIT Oproepen(regels);
}
