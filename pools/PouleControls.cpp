#include "pools/PouleControls.h"

#include "ui/GeschilderdeToegang.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QTableWidget>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>

using namespace Poules;

namespace {

constexpr int RijHoogte = 16;
constexpr int SmalleKolom = 25;

// Screen readers see the strip as a page tab list with one page tab per pool.
class TPouleTabToegang : public TGeschilderdDeel {
public:
    TPouleTabToegang(TPouleTabBalk* balk, int index)
        : TGeschilderdDeel(balk, index) {}

    QString text(QAccessible::Text soort) const override {
        return soort == QAccessible::Name && Balk() ? Balk()->tabText(Index()) : QString();
    }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override {
        QAccessible::State toestand = TGeschilderdDeel::state();
        toestand.selectable = true;
        toestand.selected = Balk() && Balk()->currentIndex() == Index();
        return toestand;
    }

protected:
    QRect LokaalRect() const override { return Balk() ? Balk()->tabRect(Index()) : QRect(); }
    bool IsKlikbaar() const override { return true; }
    bool HeeftFocus() const override {
        return Balk() && Balk()->hasFocus() && Balk()->currentIndex() == Index();
    }
    void Klik() override {
        if (Balk())
            Balk()->setCurrentIndex(Index());
    }

private:
    TPouleTabBalk* Balk() const { return static_cast<TPouleTabBalk*>(Widget()); }
};

class TPouleTabBalkToegang : public TGeschilderdeToegang {
public:
    explicit TPouleTabBalkToegang(TPouleTabBalk* balk)
        : TGeschilderdeToegang(balk, QAccessible::PageTabList) {}

    int childCount() const override { return Balk()->count(); }
    QAccessibleInterface* focusChild() const override {
        return Balk()->hasFocus() ? child(Balk()->currentIndex()) : nullptr;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        return child(Balk()->tabAt(Balk()->mapFromGlobal(QPoint(x, y))));
    }

protected:
    QAccessibleInterface* MaakKind(int index) const override {
        return new TPouleTabToegang(Balk(), index);
    }

private:
    TPouleTabBalk* Balk() const { return static_cast<TPouleTabBalk*>(widget()); }
};

QAccessibleInterface* TabBalkFabriek(const QString& klasse, QObject* object) {
    if (klasse == QLatin1String("TPouleTabBalk") && object && object->isWidgetType())
        return new TPouleTabBalkToegang(static_cast<TPouleTabBalk*>(object));
    return nullptr;
}

} // namespace

// --- TPouleTabBalk ---------------------------------------------------------

TPouleTabBalk::TPouleTabBalk(QWidget* parent)
    : QWidget(parent)
    , LinksKnop(new QToolButton(this))
    , RechtsKnop(new QToolButton(this)) {
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover); // hot tracking
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    LinksKnop->setObjectName(QStringLiteral("LinksKnop"));
    RechtsKnop->setObjectName(QStringLiteral("RechtsKnop"));
    LinksKnop->setArrowType(Qt::LeftArrow);
    RechtsKnop->setArrowType(Qt::RightArrow);
    for (QToolButton* knop : {LinksKnop, RechtsKnop}) {
        knop->setAutoRepeat(true);
        knop->setFocusPolicy(Qt::NoFocus);
        knop->setAutoFillBackground(true);
        knop->hide();
    }
    static const bool toegang = [] {
        QAccessible::installFactory(TabBalkFabriek);
        return true;
    }();
    (void)toegang;
    connect(LinksKnop, &QToolButton::clicked, this, [this] { Schuif(m_eerste - 1); });
    connect(RechtsKnop, &QToolButton::clicked, this, [this] { Schuif(m_eerste + 1); });
}

void TPouleTabBalk::ZetTabs(QStringList teksten) {
    m_teksten = std::move(teksten);
    m_huidige = m_teksten.isEmpty() ? -1 : 0;
    m_eerste = 0;
    m_zweef = -1;
    m_gemeten = false;
    updateGeometry();
    PlaatsKnoppen();
    update();
}

void TPouleTabBalk::setCurrentIndex(int index) {
    if (index < 0 || index >= count() || index == m_huidige)
        return;
    m_huidige = index;
    MaakZichtbaar(index);
    update();
    MeldFocus();
    Q_EMIT currentChanged(index);
}

void TPouleTabBalk::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    MeldFocus();
}

void TPouleTabBalk::MeldFocus() {
    if (!hasFocus() || m_huidige < 0)
        return;
    MeldToegang(this, QAccessible::Focus, m_huidige);
}

void TPouleTabBalk::Meet() const {
    if (m_gemeten)
        return;
    QStyleOptionTab optie;
    optie.initFrom(this);
    optie.shape = QTabBar::RoundedNorth;
    const QFontMetrics metriek = fontMetrics();
    const int hRuimte = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &optie, this);
    const int vRuimte = style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &optie, this);
    auto maat = [&](const QString& tekst) {
        optie.text = tekst;
        const QSize inhoud(metriek.size(Qt::TextShowMnemonic, tekst).width() + hRuimte,
                           metriek.height() + vRuimte);
        return style()->sizeFromContents(QStyle::CT_TabBarTab, &optie, inhoud, this);
    };
    m_randen.assign(1, 0);
    m_randen.reserve(m_teksten.size() + 1);
    // Without tabs the strip keeps the height one tab would give it.
    m_hoogte = maat(QStringLiteral("Poule 1")).height();
    for (const QString& tekst : m_teksten) {
        const QSize grootte = maat(tekst);
        m_randen.push_back(m_randen.back() + grootte.width());
        m_hoogte = std::max(m_hoogte, grootte.height());
    }
    m_gemeten = true;
}

int TPouleTabBalk::Ruimte() const {
    Meet();
    if (m_randen.back() <= width())
        return width();
    return std::max(
        width() - 2 * style()->pixelMetric(QStyle::PM_TabBarScrollButtonWidth, nullptr, this), 0);
}

QRect TPouleTabBalk::tabRect(int index) const {
    Meet();
    if (index < m_eerste || index >= count())
        return {};
    const std::size_t i = static_cast<std::size_t>(index);
    const int links = m_randen[i] - m_randen[static_cast<std::size_t>(m_eerste)];
    return {links, 0, m_randen[i + 1] - m_randen[i], height()};
}

int TPouleTabBalk::tabAt(QPoint punt) const {
    if (punt.x() < 0 || punt.x() >= Ruimte() || punt.y() < 0 || punt.y() >= height())
        return -1;
    const int x = punt.x() + m_randen[static_cast<std::size_t>(m_eerste)];
    const auto na = std::upper_bound(m_randen.begin(), m_randen.end(), x);
    const int index = static_cast<int>(na - m_randen.begin()) - 1;
    return index < count() ? index : -1;
}

void TPouleTabBalk::Schuif(int eerste) {
    Meet();
    const int laatste = std::max(count() - 1, 0);
    eerste = std::clamp(eerste, 0, laatste);
    // No further to the right than needed to show the last tab.
    if (eerste > m_eerste && !RechtsKnop->isEnabled())
        return;
    m_eerste = eerste;
    PlaatsKnoppen();
    update();
}

void TPouleTabBalk::MaakZichtbaar(int index) {
    Meet();
    const std::size_t i = static_cast<std::size_t>(index);
    int eerste = std::min(m_eerste, index);
    while (eerste < index &&
           m_randen[i + 1] - m_randen[static_cast<std::size_t>(eerste)] > Ruimte())
        ++eerste;
    if (eerste != m_eerste) {
        m_eerste = eerste;
        PlaatsKnoppen();
    }
}

void TPouleTabBalk::PlaatsKnoppen() {
    Meet();
    const bool nodig = m_randen.back() > width();
    const int breedte = style()->pixelMetric(QStyle::PM_TabBarScrollButtonWidth, nullptr, this);
    LinksKnop->setGeometry(width() - 2 * breedte, 0, breedte, height());
    RechtsKnop->setGeometry(width() - breedte, 0, breedte, height());
    LinksKnop->setEnabled(m_eerste > 0);
    RechtsKnop->setEnabled(m_randen.back() - m_randen[static_cast<std::size_t>(m_eerste)] >
                           Ruimte());
    LinksKnop->setVisible(nodig);
    RechtsKnop->setVisible(nodig);
}

QStyleOptionTab TPouleTabBalk::TabOptie(int index) const {
    QStyleOptionTab optie;
    optie.initFrom(this);
    optie.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    optie.rect = tabRect(index);
    optie.text = m_teksten.at(index);
    optie.shape = QTabBar::RoundedNorth;
    optie.tabIndex = index;
    if (index == m_huidige) {
        optie.state |= QStyle::State_Selected;
        if (hasFocus())
            optie.state |= QStyle::State_HasFocus;
    }
    if (index == m_zweef && isEnabled())
        optie.state |= QStyle::State_MouseOver;
    const int laatste = count() - 1;
    if (laatste == 0)
        optie.position = QStyleOptionTab::OnlyOneTab;
    else if (index == 0)
        optie.position = QStyleOptionTab::Beginning;
    else if (index == laatste)
        optie.position = QStyleOptionTab::End;
    else
        optie.position = QStyleOptionTab::Middle;
    if (m_huidige == index - 1)
        optie.selectedPosition = QStyleOptionTab::PreviousIsSelected;
    else if (m_huidige == index + 1)
        optie.selectedPosition = QStyleOptionTab::NextIsSelected;
    else
        optie.selectedPosition = QStyleOptionTab::NotAdjacent;
    return optie;
}

void TPouleTabBalk::paintEvent(QPaintEvent*) {
    Meet();
    QPainter painter(this);
    const int ruimte = Ruimte();
    painter.setClipRect(0, 0, ruimte, height());
    const int begin = m_randen[static_cast<std::size_t>(m_eerste)];
    bool geselecteerdZichtbaar = false;
    // Only the tabs in view are drawn; the selected one last, over its
    // neighbours, as a tab bar draws it.
    for (int i = m_eerste; i < count() && m_randen[static_cast<std::size_t>(i)] - begin < ruimte;
         ++i) {
        if (i == m_huidige) {
            geselecteerdZichtbaar = true;
            continue;
        }
        const QStyleOptionTab optie = TabOptie(i);
        style()->drawControl(QStyle::CE_TabBarTab, &optie, &painter, this);
    }
    if (geselecteerdZichtbaar) {
        const QStyleOptionTab optie = TabOptie(m_huidige);
        style()->drawControl(QStyle::CE_TabBarTab, &optie, &painter, this);
    }
}

QSize TPouleTabBalk::sizeHint() const {
    Meet();
    return {m_randen.back(), m_hoogte};
}

QSize TPouleTabBalk::minimumSizeHint() const {
    Meet();
    return {2 * style()->pixelMetric(QStyle::PM_TabBarScrollButtonWidth, nullptr, this), m_hoogte};
}

void TPouleTabBalk::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaatsKnoppen();
}

void TPouleTabBalk::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_gemeten = false;
        updateGeometry();
        PlaatsKnoppen();
    }
}

void TPouleTabBalk::mousePressEvent(QMouseEvent* event) {
    const int index = tabAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || index < 0) {
        event->ignore();
        return;
    }
    setCurrentIndex(index);
}

void TPouleTabBalk::mouseMoveEvent(QMouseEvent* event) {
    const int zweef = tabAt(event->position().toPoint());
    if (zweef != m_zweef) {
        m_zweef = zweef;
        update();
    }
    QWidget::mouseMoveEvent(event);
}

void TPouleTabBalk::leaveEvent(QEvent* event) {
    m_zweef = -1;
    update();
    QWidget::leaveEvent(event);
}

void TPouleTabBalk::keyPressEvent(QKeyEvent* event) {
    int stap = 0;
    if (event->key() == Qt::Key_Left)
        stap = -1;
    else if (event->key() == Qt::Key_Right)
        stap = 1;
    if (stap == 0 || m_huidige < 0) {
        event->ignore();
        return;
    }
    if (layoutDirection() == Qt::RightToLeft)
        stap = -stap;
    setCurrentIndex(m_huidige + stap);
}

void TPouleTabBalk::wheelEvent(QWheelEvent* event) {
    const int delta =
        event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    if (delta == 0) {
        event->ignore();
        return;
    }
    Schuif(delta > 0 ? m_eerste - 1 : m_eerste + 1);
}

// --- TPouleTabControl ------------------------------------------------------

TPouleTabControl::TPouleTabControl(QWidget* parent)
    : QWidget(parent)
    , m_tabBar(new TPouleTabBalk(this))
    , m_volgende(new QShortcut(this))
    , m_vorige(new QShortcut(this)) {
    m_tabBar->setObjectName(QStringLiteral("TabBar"));
    // Shift+Tab arrives as Backtab on most keyboards.
    m_volgende->setKeys({QKeySequence(Qt::CTRL | Qt::Key_Tab)});
    m_vorige->setKeys({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)});
    ZetSneltoetsBereik(Qt::WidgetWithChildrenShortcut);
    connect(m_volgende, &QShortcut::activated, this, [this] { WisselTab(1); });
    connect(m_vorige, &QShortcut::activated, this, [this] { WisselTab(-1); });
    connect(m_tabBar, &TPouleTabBalk::currentChanged, this, [this] { Q_EMIT Change(); });
}

void TPouleTabControl::ZetPoules(int aantal) {
    QStringList teksten;
    teksten.reserve(aantal);
    for (int i = 1; i <= aantal; ++i)
        teksten << QStringLiteral("Poule ") + QString::number(i);
    m_tabBar->ZetTabs(std::move(teksten));
    m_tabBar->setGeometry(0, 0, width(), TabHoogte());
}

int TPouleTabControl::AantalTabs() const {
    return m_tabBar->count();
}

QString TPouleTabControl::TabTekst(int index) const {
    return m_tabBar->tabText(index);
}

int TPouleTabControl::TabIndex() const {
    return m_tabBar->currentIndex();
}

void TPouleTabControl::ZetTabIndex(int index) {
    const QSignalBlocker blokkeer(m_tabBar);
    m_tabBar->setCurrentIndex(index);
}

void TPouleTabControl::ZetSneltoetsBereik(Qt::ShortcutContext bereik) {
    m_volgende->setContext(bereik);
    m_vorige->setContext(bereik);
}

void TPouleTabControl::WisselTab(int stap) {
    const int aantal = AantalTabs();
    if (aantal < 2)
        return;
    m_tabBar->setCurrentIndex(((TabIndex() + stap) % aantal + aantal) % aantal);
}

int TPouleTabControl::TabHoogte() const {
    return m_tabBar->sizeHint().height();
}

QRect TPouleTabControl::Pagina() const {
    const int boven = TabHoogte();
    return {0, boven, width(), std::max(height() - boven, 0)};
}

void TPouleTabControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_tabBar->setGeometry(0, 0, width(), TabHoogte());
}

void TPouleTabControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = Pagina();
    frame.shape = QTabBar::RoundedNorth;
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    frame.tabBarSize = m_tabBar->size();
    frame.tabBarRect = m_tabBar->geometry();
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

// --- PouleRooster ----------------------------------------------------------

namespace PouleRooster {

namespace {

constexpr int IndexRol = Qt::UserRole;

// The grid's column of a column of Poules::TRijen; the index shares the
// letter's cell.
int RoosterKolom(int kolom) {
    return kolom == IndexKolom ? NrKolom - 1 : kolom - 1;
}

} // namespace

int Kolom(int roosterKolom) {
    return roosterKolom + 1;
}

void Init(QTableWidget* grid) {
    grid->setColumnCount(3);
    grid->setHorizontalHeaderLabels(
        {QStringLiteral("Nr"), QStringLiteral("Naam"), QStringLiteral("Pos")});
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setTabKeyNavigation(false);
    grid->setWordWrap(false);
    // A name too long for its cell ends in an ellipsis, so the eye sees it
    // goes on.
    grid->setTextElideMode(Qt::ElideRight);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(RijHoogte);
    grid->verticalHeader()->setDefaultSectionSize(RijHoogte);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* kop = grid->horizontalHeader();
    kop->setSectionsClickable(false);
    kop->setHighlightSections(false);
    kop->setStretchLastSection(false);
    kop->setMinimumSectionSize(0);
    kop->setSectionResizeMode(QHeaderView::Fixed);
    // Two grid rows: the header and one empty row.
    grid->setRowCount(1);
    for (int kolom = 0; kolom < 4; ++kolom)
        ZetCel(grid, kolom, 1, QString());
    PasKolombreedtesAan(grid);
}

// The letter and position columns are 25 wide, or as wide as "n.o." needs
// in the desktop's font: the cell's margins and its grid line come on top.
// On an X display the hinted glyphs can reach past the text's advance, and
// the cell then elides "n.o." to "n…": the ink's width counts as well.
int SmalleKolomBreedte(const QTableWidget* grid) {
    const int marge =
        2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
    const QString tekst = QStringLiteral("n.o.");
    const QFontMetrics maat = grid->fontMetrics();
    const int breedte = std::max(maat.horizontalAdvance(tekst), maat.boundingRect(tekst).right() + 1);
    return std::max(SmalleKolom, breedte + marge + 2);
}

void PasKolombreedtesAan(QTableWidget* grid) {
    const int smal = SmalleKolomBreedte(grid);
    grid->setColumnWidth(RoosterKolom(NrKolom), smal);
    grid->setColumnWidth(RoosterKolom(NaamKolom), grid->viewport()->width() - 2 * smal);
    grid->setColumnWidth(RoosterKolom(PosKolom), smal);
}

void Vul(QTableWidget* grid, const TRijen& rijen) {
    grid->setRowCount(static_cast<int>(rijen.size()));
    for (std::size_t i = 0; i < rijen.size(); ++i) {
        for (int kolom = 0; kolom < 4; ++kolom)
            ZetCel(grid, kolom, static_cast<int>(i) + 1, rijen[i][static_cast<std::size_t>(kolom)]);
    }
    SelecteerRij(grid, rijen.empty() ? 0 : 1);
}

TRijen Rijen(const QTableWidget* grid) {
    TRijen rijen(static_cast<std::size_t>(grid->rowCount()));
    for (std::size_t i = 0; i < rijen.size(); ++i) {
        for (int kolom = 0; kolom < 4; ++kolom)
            rijen[i][static_cast<std::size_t>(kolom)] = Cel(grid, kolom, static_cast<int>(i) + 1);
    }
    return rijen;
}

int RowCount(const QTableWidget* grid) {
    return grid->rowCount() + 1;
}

int Row(const QTableWidget* grid) {
    return grid->currentRow() + 1;
}

void SelecteerRij(QTableWidget* grid, int rij) {
    if (rij < 1 || rij > grid->rowCount()) {
        grid->setCurrentCell(-1, -1);
        return;
    }
    grid->setCurrentCell(rij - 1, RoosterKolom(NrKolom));
}

QString Cel(const QTableWidget* grid, int kolom, int rij) {
    const QTableWidgetItem* item = grid->item(rij - 1, RoosterKolom(kolom));
    if (!item)
        return {};
    return kolom == IndexKolom ? item->data(IndexRol).toString() : item->text();
}

void ZetCel(QTableWidget* grid, int kolom, int rij, const QString& tekst) {
    QTableWidgetItem* item = grid->item(rij - 1, RoosterKolom(kolom));
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        grid->setItem(rij - 1, RoosterKolom(kolom), item);
    }
    if (kolom == IndexKolom)
        item->setData(IndexRol, tekst);
    else
        item->setText(tekst);
}

int Index(const QTableWidget* grid, int rij) {
    if (rij < 1 || rij > grid->rowCount())
        return -1;
    bool ok = false;
    const int index = Cel(grid, IndexKolom, rij).toInt(&ok);
    return ok ? index : -1;
}

int ZoekRij(const QTableWidget* grid, int index) {
    for (int rij = 1; rij <= grid->rowCount(); ++rij) {
        if (Index(grid, rij) == index)
            return rij;
    }
    return -1;
}

} // namespace PouleRooster
