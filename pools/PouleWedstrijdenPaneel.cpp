#include "pools/PouleWedstrijdenPaneel.h"

#include "model/Poules.h"
#include "model/ToernooiDocument.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

using namespace Poulewedstrijden;

namespace {

constexpr int RijHoogte = 16;

// Standings columns.
enum TStandKolom {
    PlaatsKolom,
    StandNaamKolom,
    GespeeldKolom,
    GewonnenKolom,
    GelijkKolom,
    VerlorenKolom,
    PuntenKolom,
    GamesKolom,
    PuntsaldoKolom,
    BeslistKolom,
    AantalStandKolommen
};

const char* const StandKoppen[] = {"Pl", "Naam", "Gs",    "W",     "G",
                                   "V",  "Pnt",  "Games", "Saldo", "Beslist"};
const char* const StandUitleg[] = {"Plaats",          "Naam",
                                   "Gespeeld",        "Gewonnen",
                                   "Gelijk",          "Verloren",
                                   "Wedstrijdpunten", "Gamesaldo",
                                   "Puntsaldo",       "Wat de plaats besliste"};

void InitTabel(QTableWidget* tabel, const QString& naam) {
    tabel->setObjectName(naam);
    tabel->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabel->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabel->setSelectionMode(QAbstractItemView::SingleSelection);
    tabel->setTabKeyNavigation(false);
    tabel->setWordWrap(false);
    tabel->setTextElideMode(Qt::ElideRight);
    tabel->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    tabel->verticalHeader()->hide();
    tabel->verticalHeader()->setMinimumSectionSize(RijHoogte);
    tabel->verticalHeader()->setDefaultSectionSize(
        std::max(RijHoogte, tabel->fontMetrics().height() + 2));
    tabel->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tabel->horizontalHeader()->setSectionsClickable(false);
    tabel->horizontalHeader()->setHighlightSections(false);
    tabel->horizontalHeader()->setMinimumSectionSize(0);
    tabel->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

// Writes a cell only when its text changes: an unchanged cell is not
// repainted.
void ZetCel(QTableWidget* tabel, int rij, int kolom, const QString& tekst,
            Qt::Alignment uitlijning = Qt::AlignLeft | Qt::AlignVCenter) {
    QTableWidgetItem* item = tabel->item(rij, kolom);
    if (!item) {
        item = new QTableWidgetItem(tekst);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        item->setTextAlignment(uitlijning);
        tabel->setItem(rij, kolom, item);
    } else if (item->text() != tekst) {
        item->setText(tekst);
    }
}

// A withdrawn participant's name is struck through wherever the pool shows
// it; the tip says from which round.
void ZetTeruggetrokken(QTableWidgetItem* item, const TDeelnemer* deelnemer) {
    if (!item)
        return;
    const bool terug = deelnemer && deelnemer->Teruggetrokken;
    if (item->font().strikeOut() != terug) {
        QFont font = item->font();
        font.setStrikeOut(terug);
        item->setFont(font);
    }
    const QString tip =
        !terug ? QString()
        : deelnemer->TeruggetrokkenVanaf > 0
            ? QStringLiteral("Teruggetrokken vanaf ronde %1").arg(deelnemer->TeruggetrokkenVanaf)
            : QStringLiteral("Teruggetrokken");
    if (item->toolTip() != tip)
        item->setToolTip(tip);
}

QString Saldo(int verschil) {
    return verschil > 0 ? QStringLiteral("+%1").arg(verschil) : QString::number(verschil);
}

int Breedte(const QWidget* w, const QString& tekst) {
    return w->fontMetrics().horizontalAdvance(tekst) + 12;
}

} // namespace

TPouleWedstrijdenPaneel::TPouleWedstrijdenPaneel(const TToernooiDocument& document, QWidget* parent)
    : QWidget(parent)
    , WedstrijdenGrid(new QTableWidget(this))
    , StandGrid(new QTableWidget(this))
    , KruistabelGrid(new QTableWidget(this))
    , TellingBitBtn(new QPushButton(QStringLiteral("&Telling..."), this))
    , TeruggetrokkenBitBtn(new QPushButton(QStringLiteral("Te&ruggetrokken..."), this))
    , LotenBitBtn(new QPushButton(QStringLiteral("&Loten"), this))
    , VolgordeBitBtn(new QPushButton(QStringLiteral("&Volgorde..."), this))
    , StandLabel(new QLabel(this))
    , m_document(document) {
    setObjectName(QStringLiteral("PouleWedstrijdenPaneel"));
    InitTabel(WedstrijdenGrid, QStringLiteral("WedstrijdenGrid"));
    InitTabel(StandGrid, QStringLiteral("StandGrid"));
    InitTabel(KruistabelGrid, QStringLiteral("KruistabelGrid"));
    WedstrijdenGrid->setAccessibleName(QStringLiteral("Wedstrijden van de poule"));
    StandGrid->setAccessibleName(QStringLiteral("Stand van de poule"));
    KruistabelGrid->setAccessibleName(QStringLiteral("Kruistabel van de poule"));
    KruistabelGrid->setSelectionMode(QAbstractItemView::NoSelection);
    KruistabelGrid->setFocusPolicy(Qt::NoFocus);
    KruistabelGrid->verticalHeader()->show();
    KruistabelGrid->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    TellingBitBtn->setObjectName(QStringLiteral("TellingBitBtn"));
    TellingBitBtn->setToolTip(QStringLiteral("De telling van de poulewedstrijden kiezen"));
    TeruggetrokkenBitBtn->setObjectName(QStringLiteral("TeruggetrokkenBitBtn"));
    TeruggetrokkenBitBtn->setToolTip(
        QStringLiteral("De gekozen deelnemer trekt zich terug, of is weer aanwezig"));
    TeruggetrokkenBitBtn->setAutoDefault(false);
    LotenBitBtn->setObjectName(QStringLiteral("LotenBitBtn"));
    VolgordeBitBtn->setObjectName(QStringLiteral("VolgordeBitBtn"));
    LotenBitBtn->setToolTip(QStringLiteral("De volgorde van gelijk geëindigde deelnemers loten"));
    VolgordeBitBtn->setToolTip(
        QStringLiteral("De volgorde van gelijk geëindigde deelnemers zelf bepalen"));
    StandLabel->setObjectName(QStringLiteral("StandLabel"));
    for (QPushButton* knop : {LotenBitBtn, VolgordeBitBtn}) {
        knop->setAutoDefault(false);
        knop->setEnabled(false);
    }

    WedstrijdenGrid->setColumnCount(4);
    WedstrijdenGrid->setHorizontalHeaderLabels(
        {QStringLiteral("Ronde"), QStringLiteral("Deelnemer"), QStringLiteral("Tegenstander"),
         QStringLiteral("Uitslag")});
    StandGrid->setColumnCount(AantalStandKolommen);
    for (int kolom = 0; kolom < AantalStandKolommen; ++kolom) {
        auto* kop = new QTableWidgetItem(QString::fromUtf8(StandKoppen[kolom]));
        kop->setToolTip(QString::fromUtf8(StandUitleg[kolom]));
        StandGrid->setHorizontalHeaderItem(kolom, kop);
    }
    PasKoppenAan();

    WedstrijdenGrid->installEventFilter(this);
    WedstrijdenGrid->viewport()->installEventFilter(this);
}

void TPouleWedstrijdenPaneel::PasKoppenAan() {
    // Fixed widths from the font, so that a score never moves a column.
    const QWidget* w = WedstrijdenGrid;
    const int naam = std::max(m_naamBreedte, Breedte(w, QStringLiteral("Tegenstander")));
    WedstrijdenGrid->setColumnWidth(0, Breedte(w, QStringLiteral("Ronde")));
    WedstrijdenGrid->setColumnWidth(1, naam);
    WedstrijdenGrid->setColumnWidth(2, naam);
    // A retirement shows its score so far and the winner.
    WedstrijdenGrid->setColumnWidth(
        3, std::max(Breedte(w, QStringLiteral("21-19 19-21 30-29")),
                    Breedte(w, QStringLiteral("opg. 21-17 5-3, winst A"))));
    const int getal = Breedte(w, QStringLiteral("Pnt"));
    for (int kolom = 0; kolom < AantalStandKolommen; ++kolom)
        StandGrid->setColumnWidth(kolom, getal);
    StandGrid->setColumnWidth(StandNaamKolom, naam);
    StandGrid->setColumnWidth(GamesKolom, Breedte(w, QStringLiteral("Games")));
    StandGrid->setColumnWidth(PuntsaldoKolom, Breedte(w, QStringLiteral("-999")));
    StandGrid->setColumnWidth(BeslistKolom, Breedte(w, QStringLiteral("gediskwalificeerd")));
    PlaatsDelen();
}

void TPouleWedstrijdenPaneel::MeetNamen() {
    const TDeelnemerLijst& lijst = m_document.Deelnemers();
    const QFontMetrics maat = WedstrijdenGrid->fontMetrics();
    int breedste = 0;
    std::vector<int> groottes;
    for (const auto& deelnemer : lijst) {
        breedste = std::max(breedste, maat.horizontalAdvance(deelnemer->Naam()));
        if (deelnemer->Poule > 0) {
            if (static_cast<std::size_t>(deelnemer->Poule) > groottes.size())
                groottes.resize(static_cast<std::size_t>(deelnemer->Poule));
            ++groottes[static_cast<std::size_t>(deelnemer->Poule - 1)];
        }
    }
    m_grootstePoule = groottes.empty() ? 0 : *std::max_element(groottes.begin(), groottes.end());
    // The letter and a blank before the name, and the cell's margins.
    const int cel = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    m_naamBreedte = breedste + maat.horizontalAdvance(QStringLiteral("W ")) + cel + 2;
    PasKoppenAan();
}

namespace {

// The width of a table that shows all its columns beside a vertical
// scroll bar.
int TabelBreedte(const QTableWidget* tabel) {
    int breedte =
        2 * tabel->frameWidth() + tabel->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    for (int kolom = 0; kolom < tabel->columnCount(); ++kolom)
        if (!tabel->isColumnHidden(kolom))
            breedte += tabel->columnWidth(kolom);
    return breedte;
}

// The height of a table that shows `rijen` rows under its header.
int TabelHoogte(const QTableWidget* tabel, int rijen) {
    return 2 * tabel->frameWidth() + tabel->horizontalHeader()->sizeHint().height() +
           rijen * tabel->verticalHeader()->defaultSectionSize() +
           tabel->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
}

} // namespace

void TPouleWedstrijdenPaneel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaatsDelen();
}

// The matches down the left side; on the right the standings, their tie
// buttons and the cross table, each as tall as the largest pool needs, and
// smaller when the window is.
void TPouleWedstrijdenPaneel::PlaatsDelen() {
    constexpr int Ruimte = 6;
    // Narrower than needed, both sides give up room alike.
    const int nodig = NodigeBreedte();
    const int links = width() >= nodig ? TabelBreedte(WedstrijdenGrid)
                                       : TabelBreedte(WedstrijdenGrid) * width() / nodig;
    WedstrijdenGrid->setGeometry(0, 0, links, height());
    const int x = links + Ruimte;
    const int rechts = std::max(width() - x, 0);
    const int knop = std::max(LotenBitBtn->sizeHint().height(), 25);
    const int beschikbaar = std::max(height() - knop - 2 * Ruimte, 0);
    const int stand =
        std::min(TabelHoogte(StandGrid, std::max(m_grootstePoule, 3)), beschikbaar / 2);
    StandGrid->setGeometry(x, 0, rechts, stand);
    const int knopY = stand + Ruimte;
    const int loten = std::max(LotenBitBtn->sizeHint().width(), 75);
    const int volgorde = std::max(VolgordeBitBtn->sizeHint().width(), 75);
    VolgordeBitBtn->setGeometry(x + rechts - volgorde, knopY, volgorde, knop);
    LotenBitBtn->setGeometry(VolgordeBitBtn->x() - loten, knopY, loten, knop);
    StandLabel->setGeometry(x, knopY, std::max(LotenBitBtn->x() - x - Ruimte, 0), knop);
    ZetStandTekst(m_standTekst);
    // The scoring system under the cross table, at the right: it takes no
    // width the standings do not need already.
    const int telling = std::max(TellingBitBtn->sizeHint().width(), 75);
    const int tellingY = std::max(height() - knop, 0);
    TellingBitBtn->setGeometry(x + rechts - telling, tellingY, telling, knop);
    const int terug = std::max(TeruggetrokkenBitBtn->sizeHint().width(), 75);
    TeruggetrokkenBitBtn->setGeometry(TellingBitBtn->x() - Ruimte - terug, tellingY, terug, knop);
    const int kruisY = knopY + knop + Ruimte;
    KruistabelGrid->setGeometry(x, kruisY, rechts, std::max(tellingY - Ruimte - kruisY, 0));
}

int TPouleWedstrijdenPaneel::NodigeBreedte() const {
    auto som = [](const QTableWidget* tabel) { return TabelBreedte(tabel); };
    // The cross table under the standings: the names in its row headers and
    // a cell per member of the largest pool.
    const int kruis = 2 * KruistabelGrid->frameWidth() + m_naamBreedte + 8 +
                      m_grootstePoule * Breedte(KruistabelGrid, QStringLiteral("disk. W")) +
                      KruistabelGrid->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    const int knoppen = std::max(LotenBitBtn->sizeHint().width(), 75) +
                        std::max(VolgordeBitBtn->sizeHint().width(), 75) + 6 +
                        StandLabel->fontMetrics().horizontalAdvance(
                            QStringLiteral("Gelijke stand: loot of bepaal de volgorde."));
    return som(WedstrijdenGrid) + 6 + std::max({som(StandGrid), kruis, knoppen});
}

const TPoule* TPouleWedstrijdenPaneel::Data() const {
    const TPoulewedstrijden& alle = m_document.PouleWedstrijden();
    if (m_poule < 1 || m_poule > static_cast<int>(alle.Poules.size()))
        return nullptr;
    return &alle.Poules[static_cast<std::size_t>(m_poule - 1)];
}

QString TPouleWedstrijdenPaneel::Naam(int deelnemer) const {
    const TDeelnemerLijst& lijst = m_document.Deelnemers();
    if (deelnemer < 0 || deelnemer >= static_cast<int>(lijst.size()))
        return {};
    return lijst[static_cast<std::size_t>(deelnemer)]->Naam();
}

const TDeelnemer* TPouleWedstrijdenPaneel::Deelnemer(int deelnemer) const {
    const TDeelnemerLijst& lijst = m_document.Deelnemers();
    if (deelnemer < 0 || deelnemer >= static_cast<int>(lijst.size()))
        return nullptr;
    return lijst[static_cast<std::size_t>(deelnemer)].get();
}

QString TPouleWedstrijdenPaneel::Letter(int deelnemer) const {
    const auto plek = std::find(m_leden.begin(), m_leden.end(), deelnemer);
    if (plek == m_leden.end())
        return QStringLiteral("?");
    return QChar(u'A' + static_cast<char16_t>(plek - m_leden.begin()));
}

void TPouleWedstrijdenPaneel::ToonPoule(int poule) {
    m_poule = poule;
    m_leden = poule > 0 ? Poules::Leden(m_document.Deelnemers(), poule) : std::vector<int>();
    const bool score = m_document.PouleWedstrijden().Telling.Spelvorm == TSpelvorm::Score;
    if (StandGrid->isColumnHidden(GelijkKolom) == score) {
        StandGrid->setColumnHidden(GelijkKolom, !score);
        StandGrid->setColumnHidden(GamesKolom, score);
    }
    VulWedstrijden(true);
    VulKruistabel(true);
    VulStand();
}

void TPouleWedstrijdenPaneel::Ververs() {
    if (!m_poule)
        return;
    const std::vector<int> leden = Poules::Leden(m_document.Deelnemers(), m_poule);
    const TPoule* data = Data();
    // Another schedule (a newcomer, a swap): everything anew.
    if (leden != m_leden || !data ||
        static_cast<int>(data->Wedstrijden.size()) != WedstrijdenGrid->rowCount()) {
        const int wedstrijd = GeselecteerdeWedstrijd();
        ToonPoule(m_poule);
        SelecteerWedstrijd(wedstrijd);
        return;
    }
    VulWedstrijden(false);
    VulKruistabel(false);
    VulStand();
}

void TPouleWedstrijdenPaneel::VulWedstrijden(bool opnieuw) {
    const TPoule* data = Data();
    const int aantal = data ? static_cast<int>(data->Wedstrijden.size()) : 0;
    if (opnieuw) {
        WedstrijdenGrid->clearContents();
        WedstrijdenGrid->setRowCount(aantal);
    }
    for (int i = 0; i < aantal; ++i) {
        const TPouleWedstrijd& w = data->Wedstrijden[static_cast<std::size_t>(i)];
        ZetCel(WedstrijdenGrid, i, 0, QString::number(w.Ronde), Qt::AlignCenter);
        ZetCel(WedstrijdenGrid, i, 1, Letter(w.A) + u' ' + Naam(w.A));
        ZetCel(WedstrijdenGrid, i, 2, Letter(w.B) + u' ' + Naam(w.B));
        ZetTeruggetrokken(WedstrijdenGrid->item(i, 1), Deelnemer(w.A));
        ZetTeruggetrokken(WedstrijdenGrid->item(i, 2), Deelnemer(w.B));
        const int verliezer = w.AfloopVerliezer();
        ZetCel(WedstrijdenGrid, i, 3,
               UitslagTekst(w, verliezer < 0 ? QString() : Letter(verliezer == w.A ? w.B : w.A)));
    }
    if (opnieuw && aantal > 0)
        SelecteerWedstrijd(VolgendeOngespeeld(-1) >= 0 ? VolgendeOngespeeld(-1) : 0);
}

void TPouleWedstrijdenPaneel::VulKruistabel(bool opnieuw) {
    const int n = static_cast<int>(m_leden.size());
    if (opnieuw) {
        KruistabelGrid->clear();
        KruistabelGrid->setRowCount(n);
        KruistabelGrid->setColumnCount(n);
        QStringList letters;
        QStringList namen;
        for (int i = 0; i < n; ++i) {
            letters << Letter(m_leden[std::size_t(i)]);
            namen << letters.last() + u' ' + Naam(m_leden[std::size_t(i)]);
        }
        KruistabelGrid->setHorizontalHeaderLabels(letters);
        KruistabelGrid->setVerticalHeaderLabels(namen);
        for (int i = 0; i < n; ++i)
            ZetTeruggetrokken(KruistabelGrid->verticalHeaderItem(i),
                              Deelnemer(m_leden[std::size_t(i)]));
        const int cel = Breedte(KruistabelGrid, QStringLiteral("disk. W"));
        for (int i = 0; i < n; ++i) {
            KruistabelGrid->setColumnWidth(i, cel);
            ZetCel(KruistabelGrid, i, i, QStringLiteral("×"), Qt::AlignCenter);
        }
    }
    const TPoule* data = Data();
    if (!data)
        return;
    const bool score = m_document.PouleWedstrijden().Telling.Spelvorm == TSpelvorm::Score;
    auto plek = [this](int deelnemer) {
        return static_cast<int>(std::find(m_leden.begin(), m_leden.end(), deelnemer) -
                                m_leden.begin());
    };
    // Each cell from the row's side: the games won and lost, or the score.
    for (const TPouleWedstrijd& w : data->Wedstrijden) {
        const int a = plek(w.A);
        const int b = plek(w.B);
        if (a >= n || b >= n)
            continue;
        int voor = 0;
        int tegen = 0;
        if (score && !w.Games.empty()) {
            voor = w.Games.front().A;
            tegen = w.Games.front().B;
        } else {
            for (const TGame& game : w.Games)
                (game.A > game.B ? voor : tegen)++;
        }
        const bool gespeeld = w.Gespeeld();
        QString vanA = gespeeld ? QStringLiteral("%1-%2").arg(voor).arg(tegen) : QString();
        QString vanB = gespeeld ? QStringLiteral("%1-%2").arg(tegen).arg(voor) : QString();
        // Not played out: how it ended, and W or V as the standings count it.
        if (w.Afloop != TAfloop::Gespeeld) {
            const bool aWint = w.AfloopVerliezer() == w.B;
            vanA =
                AfloopAfkorting(w.Afloop) + (aWint ? QStringLiteral(" W") : QStringLiteral(" V"));
            vanB =
                AfloopAfkorting(w.Afloop) + (aWint ? QStringLiteral(" V") : QStringLiteral(" W"));
        }
        ZetCel(KruistabelGrid, a, b, vanA, Qt::AlignCenter);
        ZetCel(KruistabelGrid, b, a, vanB, Qt::AlignCenter);
    }
}

void TPouleWedstrijdenPaneel::VulStand() {
    const TStand stand = m_poule ? m_document.PouleStand(m_poule) : TStand();
    const int aantal = static_cast<int>(stand.Rijen.size());
    if (StandGrid->rowCount() != aantal)
        StandGrid->setRowCount(aantal);
    const Qt::Alignment rechts = Qt::AlignRight | Qt::AlignVCenter;
    for (int i = 0; i < aantal; ++i) {
        const TStandRij& rij = stand.Rijen[static_cast<std::size_t>(i)];
        const bool telt = rij.Gespeeld > 0;
        ZetCel(StandGrid, i, PlaatsKolom,
               rij.Plaats > 0
                   ? QString::number(rij.Plaats) + (rij.Open ? QStringLiteral("=") : QString())
                   : QString(),
               rechts);
        ZetCel(StandGrid, i, StandNaamKolom, Letter(rij.Deelnemer) + u' ' + Naam(rij.Deelnemer));
        ZetTeruggetrokken(StandGrid->item(i, StandNaamKolom), Deelnemer(rij.Deelnemer));
        ZetCel(StandGrid, i, GespeeldKolom, QString::number(rij.Gespeeld), rechts);
        ZetCel(StandGrid, i, GewonnenKolom, QString::number(rij.Gewonnen), rechts);
        ZetCel(StandGrid, i, GelijkKolom, QString::number(rij.Gelijk), rechts);
        ZetCel(StandGrid, i, VerlorenKolom, QString::number(rij.Verloren), rechts);
        ZetCel(StandGrid, i, PuntenKolom, QString::number(rij.Punten), rechts);
        ZetCel(StandGrid, i, GamesKolom, Saldo(rij.GamesVoor - rij.GamesTegen), rechts);
        ZetCel(StandGrid, i, PuntsaldoKolom, Saldo(rij.PuntenVoor - rij.PuntenTegen), rechts);
        // Before any match nothing decided a place; an open tie says so.
        QString beslist;
        const TDeelnemer* deelnemer = Deelnemer(rij.Deelnemer);
        if (rij.Vervallen)
            beslist = deelnemer && deelnemer->Teruggetrokken ? QStringLiteral("teruggetrokken")
                                                             : QStringLiteral("gediskwalificeerd");
        else if (rij.Open)
            beslist = QStringLiteral("gelijk");
        else if (telt || rij.Beslist == TCriterium::Lot)
            beslist = CriteriumTekst(rij.Beslist);
        ZetCel(StandGrid, i, BeslistKolom, beslist);
    }
    const bool open = !stand.OpenGelijk.empty();
    LotenBitBtn->setEnabled(open);
    VolgordeBitBtn->setEnabled(open);
    QString tekst;
    if (open)
        tekst = QStringLiteral("Gelijke stand: loot of bepaal de volgorde.");
    else if (stand.AllesGespeeld && aantal > 0)
        tekst = QStringLiteral("Alle wedstrijden gespeeld.");
    ZetStandTekst(tekst);
}

// The line beside the tie buttons, shortened to the room it has; the whole
// line shows as its tip.
void TPouleWedstrijdenPaneel::ZetStandTekst(const QString& tekst) {
    m_standTekst = tekst;
    const QString kort =
        StandLabel->fontMetrics().elidedText(tekst, Qt::ElideRight, StandLabel->width());
    if (StandLabel->text() != kort)
        StandLabel->setText(kort);
    StandLabel->setToolTip(kort == tekst ? QString() : tekst);
}

int TPouleWedstrijdenPaneel::GeselecteerdeWedstrijd() const {
    return WedstrijdenGrid->currentRow();
}

void TPouleWedstrijdenPaneel::SelecteerWedstrijd(int wedstrijd) {
    if (wedstrijd < 0 || wedstrijd >= WedstrijdenGrid->rowCount())
        return;
    WedstrijdenGrid->setCurrentCell(wedstrijd, 0);
    WedstrijdenGrid->scrollToItem(WedstrijdenGrid->item(wedstrijd, 0));
}

int TPouleWedstrijdenPaneel::VolgendeOngespeeld(int wedstrijd) const {
    const TPoule* data = Data();
    if (!data)
        return -1;
    const int aantal = static_cast<int>(data->Wedstrijden.size());
    for (int stap = 1; stap <= aantal; ++stap) {
        const int i = ((wedstrijd + stap) % aantal + aantal) % aantal;
        if (!data->Wedstrijden[static_cast<std::size_t>(i)].Gespeeld())
            return i;
    }
    return -1;
}

int TPouleWedstrijdenPaneel::GeselecteerdeStandDeelnemer() const {
    const int rij = StandGrid->currentRow();
    if (rij < 0 || !m_poule)
        return -1;
    const TStand stand = m_document.PouleStand(m_poule);
    return rij < static_cast<int>(stand.Rijen.size())
               ? stand.Rijen[static_cast<std::size_t>(rij)].Deelnemer
               : -1;
}

bool TPouleWedstrijdenPaneel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == WedstrijdenGrid && event->type() == QEvent::KeyPress) {
        const auto* toets = static_cast<QKeyEvent*>(event);
        if ((toets->key() == Qt::Key_Return || toets->key() == Qt::Key_Enter) &&
            GeselecteerdeWedstrijd() >= 0) {
            Q_EMIT UitslagGevraagd(GeselecteerdeWedstrijd());
            return true;
        }
    }
    if (watched == WedstrijdenGrid->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* muis = static_cast<QMouseEvent*>(event);
        const int rij = WedstrijdenGrid->rowAt(muis->position().toPoint().y());
        if (rij >= 0) {
            SelecteerWedstrijd(rij);
            Q_EMIT UitslagGevraagd(rij);
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
