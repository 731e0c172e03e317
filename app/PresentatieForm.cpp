#include "app/PresentatieForm.h"

#include "model/Knockout.h"
#include "model/Poules.h"
#include "model/ToernooiDocument.h"
#include "print/SchemaGeometrie.h"
#include "ui/Help.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QStringList>

#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>

namespace {

// High contrast for a beamer in a lit hall: white on black, captions in
// yellow, the match just played in yellow with black text.
const QColor Achtergrond(0, 0, 0);
const QColor Tekst(255, 255, 255);
const QColor Accent(255, 210, 0);
const QColor Vak(38, 38, 38);
const QColor Rand(150, 150, 150);
const QColor Zwak(190, 190, 190);

// The smallest text, the largest a round in play or a pool may grow to.
constexpr double GrootsteFactor = 1.6;

QFont Letter(const QFont& basis, int pixels, bool vet = false) {
    QFont font = basis;
    font.setPixelSize(pixels);
    font.setBold(vet);
    return font;
}

int Breedste(const QFontMetrics& maat, const QStringList& teksten) {
    int breedste = 0;
    for (const QString& tekst : teksten)
        breedste = std::max(breedste, maat.horizontalAdvance(tekst));
    return breedste;
}

// The largest of a few sizes from `kleinste` up to GrootsteFactor times it
// at which `past` holds; `kleinste` when none does (the text is then
// shortened). A few fixed steps, not every pixel size: each size is a font
// of its own with its own cache of drawn letters, and with too many of them
// the caches are thrown away and every paint draws its letters anew.
template <typename Past> int GrootstePassende(int kleinste, Past past) {
    for (const double stap : {GrootsteFactor, 1.45, 1.3, 1.15}) {
        const int pixels = static_cast<int>(kleinste * stap);
        if (pixels > kleinste && past(pixels))
            return pixels;
    }
    return kleinste;
}

void TekenRegel(QPainter& painter, const QRect& rect, const QString& tekst, int uitlijning) {
    const QString kort =
        painter.fontMetrics().elidedText(tekst, Qt::ElideRight, std::max(rect.width(), 0));
    painter.drawText(rect, uitlijning | Qt::AlignVCenter | Qt::TextSingleLine, kort);
}

} // namespace

struct TPresentatieForm::TMaten {
    int letter = 0;    // pixel size of the smallest text
    int rand = 0;      // margin round the screen and inside a box
    QRect kop;         // the title line
    QRect inhoud;      // everything below it
    int perPagina = 1; // matches of a bracket page's first column
};

TPresentatieForm::TPresentatieForm(TToernooiDocument& document, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_document(document) {
    setWindowTitle(QStringLiteral("Presentatie"));
    setHelpContext(this, HelpContext::Presentatie);
    // The whole screen is painted at once, over the previous picture: a
    // change shows without a blank frame in between.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::BlankCursor);
    // It never keeps the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::StrongFocus);

    m_paginaTimer.setInterval(PaginaInterval);
    m_markeringTimer.setInterval(MarkeringDuur);
    m_markeringTimer.setSingleShot(true);
    connect(&m_paginaTimer, &QTimer::timeout, this, [this] {
        if (!m_paginas.empty())
            ZetPagina((m_pagina + 1) % static_cast<int>(m_paginas.size()));
    });
    connect(&m_markeringTimer, &QTimer::timeout, this, [this] {
        m_gemarkeerd = {};
        m_gemarkeerdePoule = 0;
        update();
    });

    for (auto signaal : {&TToernooiDocument::InhoudVeranderd, &TToernooiDocument::PoulesVeranderd,
                         &TToernooiDocument::KnockoutsGebouwd})
        connect(&m_document, signaal, this, &TPresentatieForm::Vernieuw);
    connect(&m_document, &TToernooiDocument::ProgrammastatusVeranderd, this,
            &TPresentatieForm::Vernieuw);
    connect(&m_document, &TToernooiDocument::Vervangen, this, [this] {
        m_gemarkeerd = {};
        m_gemarkeerdePoule = 0;
        Vernieuw();
    });
    connect(&m_document, &TToernooiDocument::KnockoutsVerdwijnen, this, [this] {
        m_gemarkeerd = {};
        m_paginas.clear();
    });
    connect(&m_document, &TToernooiDocument::UitslagIngevoerd, this,
            &TPresentatieForm::MarkeerUitslag);
    connect(&m_document, &TToernooiDocument::PouleWedstrijdenVeranderd, this,
            &TPresentatieForm::MarkeerPoule);
    // The courts pages follow the day's plan; a call leaves by itself.
    connect(&m_document, &TToernooiDocument::PlanningVeranderd, this, &TPresentatieForm::Vernieuw);
    m_oproepTimer.setInterval(OproepDuur);
    m_oproepTimer.setSingleShot(true);
    connect(&m_oproepTimer, &QTimer::timeout, this, [this] {
        m_oproep.clear();
        update();
    });
    Vernieuw();
}

QScreen* TPresentatieForm::KiesScherm(const QWidget* hoofdvenster) {
    QScreen* huidig = hoofdvenster ? hoofdvenster->screen() : QGuiApplication::primaryScreen();
    for (QScreen* scherm : QGuiApplication::screens())
        if (scherm != huidig)
            return scherm;
    return huidig;
}

void TPresentatieForm::Open(QWidget* hoofdvenster) {
    QScreen* scherm = KiesScherm(hoofdvenster);
    if (scherm && scherm != screen())
        setScreen(scherm);
    if (scherm)
        setGeometry(scherm->geometry());
    showFullScreen();
    raise();
    activateWindow();
    setFocus();
}

void TPresentatieForm::Wissel(QWidget* hoofdvenster) {
    if (isVisible())
        close();
    else
        Open(hoofdvenster);
}

int TPresentatieForm::MinimaleLetter() const {
    if (m_letter.first == height())
        return m_letter.second;
    const int doel = static_cast<int>(std::ceil(height() / 40.0));
    // Measured on letters that reach from ascender to descender, as a name
    // stands on the screen.
    int pixels = std::max(doel, 1);
    while (pixels < 4 * doel &&
           QFontMetrics(Letter(font(), pixels)).tightBoundingRect(QStringLiteral("lpJg")).height() <
               doel)
        ++pixels;
    m_letter = {height(), pixels};
    return pixels;
}

TPresentatieForm::TMaten TPresentatieForm::Maten() const {
    TMaten maten;
    maten.letter = MinimaleLetter();
    maten.rand = std::max(8, maten.letter / 2);
    const QFontMetrics kopMaat(Letter(font(), maten.letter, true));
    const QRect scherm = rect().adjusted(maten.rand, maten.rand / 2, -maten.rand, -maten.rand / 2);
    maten.kop = QRect(scherm.left(), scherm.top(), scherm.width(), kopMaat.height() + maten.rand);
    maten.inhoud = scherm.adjusted(0, maten.kop.height(), 0, 0);
    // A bracket page: round captions, then slots of two lines and a gap.
    const QFontMetrics maat(Letter(font(), maten.letter));
    const int schema = maten.inhoud.height() - maat.height() - maten.rand;
    const int vakMin = 2 * maat.height() + maten.rand + maat.height() / 2;
    while (2 * maten.perPagina * vakMin <= schema)
        maten.perPagina *= 2;
    return maten;
}

// ------------------------------------------------------------------ pages

const TKnockout* TPresentatieForm::Knockout(int knockoutNr) const {
    return knockoutNr == 1 ? m_document.WinnaarsKnockout() : m_document.VerliezersKnockout();
}

std::vector<TPresentatieForm::TPagina> TPresentatieForm::MaakPaginas() const {
    std::vector<TPagina> paginas;
    switch (m_document.Programmastatus()) {
    case psPoules: {
        const int poules = Poules::HoogstePoule(m_document.Deelnemers());
        const int perPagina = MetStanden() ? StandenPerPagina() : PoulesPerPagina;
        for (int eerste = 1; eerste <= poules; eerste += perPagina)
            paginas.push_back({0, 0, eerste, std::min(perPagina, poules - eerste + 1), 0});
        break;
    }
    case psKnockout:
    case psDirectKnockout:
        VoegKnockoutToe(paginas, 1);
        VoegKnockoutToe(paginas, 2);
        break;
    default:
        break;
    }
    VoegBanenToe(paginas);
    return paginas;
}

void TPresentatieForm::VoegKnockoutToe(std::vector<TPagina>& paginas, int knockoutNr) const {
    const TKnockout* knockout = Knockout(knockoutNr);
    if (!knockout || knockout->AantalRondes() == 0)
        return;
    // The round in play is the first with a match still to be played; the
    // round before it stays in sight, with the results that led there.
    const int rondes = knockout->AantalRondes();
    int inSpel = rondes - 1;
    for (int ronde = 0; ronde < rondes && inSpel == rondes - 1; ++ronde)
        for (int nummer = 0; nummer < knockout->AantalWedstrijden(ronde); ++nummer) {
            const TKnockoutWedstrijd* wedstrijd = knockout->Wedstrijd(ronde, nummer);
            if (!wedstrijd->Bye() && wedstrijd->ScoreBoven() < 0) {
                inSpel = ronde;
                break;
            }
        }
    const int eersteRonde = std::max(0, inSpel - 1);
    const int aantal = knockout->AantalWedstrijden(eersteRonde);
    const int perPagina = Maten().perPagina;
    for (int eerste = 0; eerste < aantal; eerste += perPagina)
        paginas.push_back(
            {knockoutNr, eersteRonde, eerste, std::min(perPagina, aantal - eerste), inSpel});
}

int TPresentatieForm::LaatsteRonde(const TPagina& pagina) const {
    const TKnockout* knockout = Knockout(pagina.knockoutNr);
    if (!knockout)
        return pagina.ronde;
    int laatste = pagina.ronde;
    while (laatste + 1 < knockout->AantalRondes() &&
           (pagina.aantal >> (laatste + 1 - pagina.ronde)))
        ++laatste;
    return laatste;
}

void TPresentatieForm::Vernieuw() {
    const TPagina huidige = m_pagina < static_cast<int>(m_paginas.size())
                                ? m_paginas[std::size_t(m_pagina)]
                                : TPagina{};
    m_paginas = MaakPaginas();
    // The same page stays, else the page at the same place.
    const auto gelijk = std::find(m_paginas.begin(), m_paginas.end(), huidige);
    if (gelijk != m_paginas.end())
        m_pagina = static_cast<int>(gelijk - m_paginas.begin());
    else
        m_pagina = std::clamp(m_pagina, 0, std::max(0, static_cast<int>(m_paginas.size()) - 1));
    if (!m_paginaTimer.isActive())
        StartPaginaTimer();
    else if (m_paginas.size() < 2)
        m_paginaTimer.stop();
    update();
}

void TPresentatieForm::MarkeerUitslag(int knockoutNr, int ronde, int nummer) {
    m_gemarkeerd = {knockoutNr, ronde, nummer};
    m_markeringTimer.start();
    // The page that shows the match comes up.
    for (std::size_t i = 0; i < m_paginas.size(); ++i) {
        const TPagina& pagina = m_paginas[i];
        if (pagina.knockoutNr != knockoutNr || ronde < pagina.ronde || ronde > LaatsteRonde(pagina))
            continue;
        const int eerste = nummer << (ronde - pagina.ronde);
        if (eerste >= pagina.eerste && eerste < pagina.eerste + pagina.aantal) {
            ZetPagina(static_cast<int>(i));
            StartPaginaTimer();
            break;
        }
    }
    update();
}

void TPresentatieForm::MarkeerPoule(int poule) {
    Vernieuw();
    if (poule < 1 || !MetStanden())
        return;
    m_gemarkeerdePoule = poule;
    m_markeringTimer.start();
    for (std::size_t i = 0; i < m_paginas.size(); ++i) {
        const TPagina& pagina = m_paginas[i];
        if (pagina.knockoutNr == 0 && poule >= pagina.eerste &&
            poule < pagina.eerste + pagina.aantal) {
            ZetPagina(static_cast<int>(i));
            StartPaginaTimer();
            break;
        }
    }
    update();
}

void TPresentatieForm::ZetPagina(int pagina) {
    if (pagina == m_pagina)
        return;
    m_pagina = pagina;
    update();
}

void TPresentatieForm::VolgendePagina() {
    if (m_paginas.empty())
        return;
    ZetPagina((m_pagina + 1) % static_cast<int>(m_paginas.size()));
    StartPaginaTimer();
}

void TPresentatieForm::VorigePagina() {
    if (m_paginas.empty())
        return;
    const int aantal = static_cast<int>(m_paginas.size());
    ZetPagina((m_pagina + aantal - 1) % aantal);
    StartPaginaTimer();
}

void TPresentatieForm::ZetGepauzeerd(bool gepauzeerd) {
    m_gepauzeerd = gepauzeerd;
    StartPaginaTimer();
    update();
}

void TPresentatieForm::ZetIntervallen(int pagina, int markering) {
    m_paginaTimer.setInterval(pagina);
    m_markeringTimer.setInterval(markering);
    StartPaginaTimer();
}

void TPresentatieForm::StartPaginaTimer() {
    // Every turn, by hand or by the clock, gives the page its full time.
    if (isVisible() && !m_gepauzeerd && m_paginas.size() > 1)
        m_paginaTimer.start();
    else
        m_paginaTimer.stop();
}

// ----------------------------------------------------------------- events

void TPresentatieForm::keyPressEvent(QKeyEvent* event) {
    if (!m_oproep.isEmpty() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        m_oproepTimer.stop();
        m_oproep.clear();
        update();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_F11:
        close();
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        VolgendePagina();
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        VorigePagina();
        break;
    case Qt::Key_Space:
        ZetGepauzeerd(!m_gepauzeerd);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TPresentatieForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Text size and the matches per page follow the screen.
    Vernieuw();
}

void TPresentatieForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    StartPaginaTimer();
}

void TPresentatieForm::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_paginaTimer.stop();
}

// --------------------------------------------------------------- painting

void TPresentatieForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Achtergrond);
    const TMaten maten = Maten();
    if (!m_oproep.isEmpty()) {
        TekenOproep(painter, maten);
        return;
    }
    if (m_pagina >= static_cast<int>(m_paginas.size())) {
        TekenKop(painter, maten, QStringLiteral("Zegerooster"));
        painter.setPen(Tekst);
        painter.setFont(Letter(font(), maten.letter));
        painter.drawText(maten.inhoud, Qt::AlignCenter,
                         m_document.Programmastatus() == psGeen
                             ? QStringLiteral("Het toernooi is nog niet begonnen.")
                             : QStringLiteral("Er is nog niets te tonen."));
        return;
    }
    const TPagina& pagina = m_paginas[std::size_t(m_pagina)];
    if (pagina.knockoutNr == BanenPagina)
        TekenBanen(painter, maten, pagina);
    else if (pagina.knockoutNr == 0 && MetStanden())
        TekenStanden(painter, maten, pagina);
    else if (pagina.knockoutNr == 0)
        TekenPoules(painter, maten, pagina);
    else
        TekenKnockout(painter, maten, pagina);
}

void TPresentatieForm::TekenKop(QPainter& painter, const TMaten& maten,
                                const QString& titel) const {
    painter.setFont(Letter(font(), maten.letter, true));
    painter.setPen(Accent);
    QString rechts;
    if (m_paginas.size() > 1)
        rechts = QStringLiteral("Pagina %1 van %2").arg(m_pagina + 1).arg(m_paginas.size());
    if (m_gepauzeerd)
        rechts += rechts.isEmpty() ? QStringLiteral("Gepauzeerd") : QStringLiteral(" (gepauzeerd)");
    const int rechtsBreedte = painter.fontMetrics().horizontalAdvance(rechts);
    const QRect regel = maten.kop.adjusted(0, 0, 0, -maten.rand);
    TekenRegel(painter, regel.adjusted(0, 0, -rechtsBreedte - maten.rand, 0), titel, Qt::AlignLeft);
    painter.drawText(regel, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, rechts);
    painter.fillRect(QRect(maten.kop.left(), maten.kop.bottom() - maten.rand / 2, maten.kop.width(),
                           std::max(2, maten.letter / 10)),
                     Accent);
}

void TPresentatieForm::TekenPoules(QPainter& painter, const TMaten& maten,
                                   const TPagina& pagina) const {
    const int laatste = pagina.eerste + pagina.aantal - 1;
    TekenKop(painter, maten,
             pagina.aantal == 1 ? QStringLiteral("Poule %1").arg(pagina.eerste)
                                : QStringLiteral("Poules %1–%2").arg(pagina.eerste).arg(laatste));
    // Each pool in its standing: the positions entered first, in order,
    // then the others in the order of their letters.
    std::vector<std::vector<const TDeelnemer*>> poules(std::size_t(pagina.aantal));
    for (const auto& deelnemer : m_document.Deelnemers())
        if (deelnemer->Poule >= pagina.eerste && deelnemer->Poule <= laatste)
            poules[std::size_t(deelnemer->Poule - pagina.eerste)].push_back(deelnemer.get());
    std::size_t grootste = 0;
    QStringList namen;
    for (auto& poule : poules) {
        std::stable_sort(poule.begin(), poule.end(), [](const TDeelnemer* a, const TDeelnemer* b) {
            auto sleutel = [](const TDeelnemer* d) {
                return d->Positie >= 1 ? d->Positie : INT_MAX;
            };
            return sleutel(a) < sleutel(b);
        });
        grootste = std::max(grootste, poule.size());
        for (const TDeelnemer* deelnemer : poule)
            namen << deelnemer->Naam();
    }
    // One size for the whole page, as large as the fullest pool and the
    // longest name allow. Long names take fewer, wider columns of pools
    // while the height has room for the extra row.
    const int regels = static_cast<int>(grootste) + 1;
    auto rijenBij = [&](int kolommen) { return (pagina.aantal + kolommen - 1) / kolommen; };
    auto pastHoogte = [&](int kolommen, const QFontMetrics& maat) {
        return maat.lineSpacing() * regels + maten.rand <=
               maten.inhoud.height() / rijenBij(kolommen);
    };
    auto past = [&](int kolommen, int pixels) {
        const QFontMetrics maat(Letter(font(), pixels));
        const int nummer = maat.horizontalAdvance(QStringLiteral("88 "));
        return pastHoogte(kolommen, maat) &&
               nummer + Breedste(maat, namen) + 3 * maten.rand <= maten.inhoud.width() / kolommen;
    };
    int kolommen = std::min(4, pagina.aantal);
    const QFontMetrics kleinste(Letter(font(), maten.letter));
    for (int k = kolommen; k >= 2; --k) {
        if (past(k, maten.letter)) {
            kolommen = k;
            break;
        }
        if (pastHoogte(k, kleinste))
            kolommen = k; // the widest that holds the pools, when none holds the names
    }
    const int rijen = rijenBij(kolommen);
    const int celBreedte = maten.inhoud.width() / kolommen;
    const int celHoogte = maten.inhoud.height() / rijen;
    const int letter =
        GrootstePassende(maten.letter, [&](int pixels) { return past(kolommen, pixels); });
    const QFont gewoon = Letter(font(), letter);
    const QFontMetrics maat(gewoon);
    const int regelHoogte = maat.lineSpacing();
    const int nummerBreedte = maat.horizontalAdvance(QStringLiteral("88"));
    for (int i = 0; i < pagina.aantal; ++i) {
        const QRect cel(maten.inhoud.left() + (i % kolommen) * celBreedte,
                        maten.inhoud.top() + (i / kolommen) * celHoogte, celBreedte, celHoogte);
        const QRect binnen = cel.adjusted(maten.rand / 2, maten.rand / 2, -maten.rand, 0);
        painter.setFont(Letter(font(), letter, true));
        painter.setPen(Accent);
        TekenRegel(painter, QRect(binnen.left(), binnen.top(), binnen.width(), regelHoogte),
                   QStringLiteral("Poule %1").arg(pagina.eerste + i), Qt::AlignLeft);
        painter.fillRect(QRect(binnen.left(), binnen.top() + regelHoogte, binnen.width(), 2), Rand);
        painter.setFont(gewoon);
        int y = binnen.top() + regelHoogte + 4;
        for (const TDeelnemer* deelnemer : poules[std::size_t(i)]) {
            painter.setPen(Zwak);
            if (deelnemer->Positie >= 1)
                painter.drawText(QRect(binnen.left(), y, nummerBreedte, regelHoogte),
                                 Qt::AlignRight | Qt::AlignVCenter,
                                 QString::number(deelnemer->Positie));
            painter.setPen(Tekst);
            const int links = binnen.left() + nummerBreedte + maten.rand;
            TekenRegel(painter, QRect(links, y, binnen.right() - links, regelHoogte),
                       deelnemer->Naam(), Qt::AlignLeft);
            y += regelHoogte;
        }
    }
}

void TPresentatieForm::TekenKnockout(QPainter& painter, const TMaten& maten,
                                     const TPagina& pagina) const {
    const TKnockout* knockout = Knockout(pagina.knockoutNr);
    if (!knockout || pagina.ronde >= knockout->AantalRondes())
        return;
    const QString naam = pagina.knockoutNr == 1 ? QStringLiteral("Winnaarsronde")
                                                : QStringLiteral("Verliezersronde");
    TekenKop(painter, maten, naam);

    // The columns: the round before the one in play, the round in play and
    // the later rounds that the page's matches feed.
    struct TKolom {
        int ronde = 0;
        int eerste = 0;
        int aantal = 0;
        int letter = 0;
        int breedte = 0;
        int x = 0;
        QStringList regels;
    };
    std::vector<TKolom> kolommen;
    for (int ronde = pagina.ronde; ronde <= LaatsteRonde(pagina); ++ronde) {
        const int stap = ronde - pagina.ronde;
        TKolom kolom{
            ronde, pagina.eerste >> stap, std::max(1, pagina.aantal >> stap), maten.letter, 0, 0,
            {}};
        for (int nummer = kolom.eerste; nummer < kolom.eerste + kolom.aantal; ++nummer)
            if (const TKnockoutWedstrijd* w = knockout->Wedstrijd(ronde, nummer))
                kolom.regels << w->Regel(0) << w->Regel(1);
        kolommen.push_back(std::move(kolom));
    }
    const QFontMetrics klein(Letter(font(), maten.letter));
    const int tussen = std::max(2 * maten.rand, maten.letter * 3 / 2); // room for the lines
    // Each column's width at the smallest text, measured in bold as the
    // winner's line and the round in play stand; its title fits too.
    const QFontMetrics vet(Letter(font(), maten.letter, true));
    for (TKolom& kolom : kolommen)
        kolom.breedte = std::max(Breedste(vet, kolom.regels) + 2 * maten.rand,
                                 vet.horizontalAdvance(TKnockout::RondeTitel(kolom.ronde)));
    // Every round of the page stands on the screen: when the names make the
    // columns too wide, the widest give way and their names are shortened.
    // Only a screen too narrow even for that loses the rounds after the one
    // in play.
    auto totaal = [&] {
        int som = tussen * (static_cast<int>(kolommen.size()) - 1);
        for (const TKolom& kolom : kolommen)
            som += kolom.breedte;
        return som;
    };
    const int smalste = vet.horizontalAdvance(QStringLiteral("88: Xxxxxxxx…")) + 2 * maten.rand;
    std::vector<double> breedtes;
    for (const TKolom& kolom : kolommen)
        breedtes.push_back(kolom.breedte);
    breedtes = TSchemaGeometrie::PasIn(std::move(breedtes), tussen, maten.inhoud.width(), smalste);
    for (std::size_t k = 0; k < kolommen.size(); ++k)
        kolommen[k].breedte = static_cast<int>(breedtes[k]);
    while (kolommen.size() > 1 && kolommen.back().ronde > pagina.inSpel &&
           totaal() > maten.inhoud.width())
        kolommen.pop_back();

    const QRect koppen(maten.inhoud.left(), maten.inhoud.top(), maten.inhoud.width(),
                       klein.height() + maten.rand / 2);
    const QRect schema = maten.inhoud.adjusted(0, koppen.height() + maten.rand / 2, 0, 0);
    const double vak = double(schema.height()) / pagina.aantal;
    // What the width leaves over is shared; the round in play then takes
    // the largest text its boxes have room for.
    const int vrij = std::max(0, maten.inhoud.width() - totaal());
    const int extra = vrij / static_cast<int>(kolommen.size());
    std::vector<TSchemaGeometrie::TKolom> vorm;
    for (TKolom& kolom : kolommen) {
        kolom.breedte += extra;
        vorm.push_back({double(kolom.breedte), kolom.eerste, kolom.aantal});
    }
    const TSchemaGeometrie geometrie(pagina.ronde, std::move(vorm), maten.inhoud.left(), tussen,
                                     schema.top(), schema.height(), true);
    for (TKolom& kolom : kolommen) {
        kolom.x = static_cast<int>(geometrie.X(kolom.ronde));
        if (kolom.ronde != pagina.inSpel)
            continue;
        const double ruimte = vak * (1 << (kolom.ronde - pagina.ronde));
        kolom.letter = GrootstePassende(maten.letter, [&](int pixels) {
            const QFontMetrics maat(Letter(font(), pixels, true));
            return 2 * maat.height() + 2 * maten.rand <= ruimte * 0.8 &&
                   Breedste(maat, kolom.regels) + 2 * maten.rand <= kolom.breedte;
        });
    }

    auto midden = [&](const TKolom& kolom, int nummer) {
        return static_cast<int>(geometrie.MiddenY(kolom.ronde, nummer));
    };
    auto vakHoogte = [&](const TKolom& kolom) {
        return 2 * QFontMetrics(Letter(font(), kolom.letter)).height() + maten.rand;
    };

    // Round captions and the lines from each pair of matches to the next.
    for (std::size_t k = 0; k < kolommen.size(); ++k) {
        const TKolom& kolom = kolommen[k];
        const bool inSpel = kolom.ronde == pagina.inSpel;
        painter.setFont(Letter(font(), maten.letter, inSpel));
        painter.setPen(inSpel ? Accent : Zwak);
        TekenRegel(painter, QRect(kolom.x, koppen.top(), kolom.breedte, koppen.height()),
                   TKnockout::RondeTitel(kolom.ronde), Qt::AlignLeft);
        if (k + 1 >= kolommen.size())
            continue;
        const TKolom& volgende = kolommen[k + 1];
        const int dikte = std::max(2, maten.letter / 12);
        const int knik = static_cast<int>(geometrie.Knik(kolom.ronde));
        for (int nummer = volgende.eerste; nummer < volgende.eerste + volgende.aantal; ++nummer) {
            const int boven = midden(kolom, 2 * nummer);
            const int onder = midden(kolom, 2 * nummer + 1);
            const int doel = midden(volgende, nummer);
            painter.fillRect(
                QRect(kolom.x + kolom.breedte, boven, knik - kolom.x - kolom.breedte, dikte), Rand);
            painter.fillRect(
                QRect(kolom.x + kolom.breedte, onder, knik - kolom.x - kolom.breedte, dikte), Rand);
            painter.fillRect(QRect(knik, boven, dikte, onder - boven + dikte), Rand);
            painter.fillRect(QRect(knik, doel, volgende.x - knik, dikte), Rand);
        }
    }

    // The boxes: two lines each, the winner's in bold; the match just
    // played in yellow.
    for (const TKolom& kolom : kolommen) {
        const int hoogte = vakHoogte(kolom);
        const bool inSpel = kolom.ronde == pagina.inSpel;
        for (int nummer = kolom.eerste; nummer < kolom.eerste + kolom.aantal; ++nummer) {
            const TKnockoutWedstrijd* wedstrijd = knockout->Wedstrijd(kolom.ronde, nummer);
            if (!wedstrijd)
                continue;
            const QRect box(kolom.x, midden(kolom, nummer) - hoogte / 2, kolom.breedte, hoogte);
            const bool gemarkeerd = m_gemarkeerd == TPlaats{pagina.knockoutNr, kolom.ronde, nummer};
            const int lijn = inSpel || gemarkeerd ? 3 : 1;
            painter.fillRect(box, gemarkeerd ? Accent : inSpel ? Tekst : Rand);
            painter.fillRect(box.adjusted(lijn, lijn, -lijn, -lijn), gemarkeerd ? Accent : Vak);
            const QRect tekst =
                box.adjusted(maten.rand, maten.rand / 2, -maten.rand / 2, -maten.rand / 2);
            // A bye is decided from the start: its participant goes on.
            const TDeelnemer* winnaar =
                wedstrijd->Bye() || wedstrijd->ScoreBoven() >= 0 ? wedstrijd->Winnaar() : nullptr;
            for (int plek = 0; plek < 2; ++plek) {
                const TDeelnemer* deelnemer =
                    plek == 0 ? wedstrijd->DeelnemerBoven() : wedstrijd->DeelnemerOnder();
                const bool wint = winnaar && deelnemer == winnaar;
                painter.setFont(Letter(font(), kolom.letter, wint || (inSpel && !winnaar)));
                painter.setPen(gemarkeerd                        ? Achtergrond
                               : deelnemer && (!winnaar || wint) ? Tekst
                                                                 : Zwak);
                const int h = tekst.height() / 2;
                TekenRegel(painter, QRect(tekst.left(), tekst.top() + plek * h, tekst.width(), h),
                           wedstrijd->Regel(plek), Qt::AlignLeft);
            }
        }
    }

    // The winner of the final, under it.
    const TKolom& laatste = kolommen.back();
    if (laatste.ronde + 1 == knockout->AantalRondes()) {
        const TKnockoutWedstrijd* finale = knockout->Wedstrijd(laatste.ronde, 0);
        if (const TDeelnemer* winnaar = finale ? finale->Winnaar() : nullptr;
            winnaar && finale->ScoreBoven() >= 0) {
            painter.setFont(Letter(font(), maten.letter, true));
            painter.setPen(Accent);
            const int y = midden(laatste, 0) + vakHoogte(laatste) / 2 + maten.rand / 2;
            TekenRegel(painter, QRect(laatste.x, y, laatste.breedte, klein.height()),
                       QStringLiteral("Winnaar: ") + winnaar->Naam(), Qt::AlignLeft);
        }
    }
}

// ------------------------------------------------------- pool standings

namespace {

// Lines a pool of `grootte` takes on a standings page: its name, the
// column captions, a row per player, the caption of the next matches and
// the matches of one round.
int StandRegels(int grootte) {
    return 3 + grootte + std::max(1, grootte / 2);
}

QString MetTeken(int getal) {
    return getal > 0 ? QStringLiteral("+%1").arg(getal) : QString::number(getal);
}

// The captions of the figures the scoring system ranks by: points only
// where they are more than the wins, games only where a match has games.
QStringList StandKoppen(const Poulewedstrijden::TTelling& telling) {
    namespace PW = Poulewedstrijden;
    const bool punten =
        std::any_of(telling.Volgorde.begin(), telling.Volgorde.end(), [](PW::TCriterium c) {
            return c == PW::TCriterium::Wedstrijdpunten || c == PW::TCriterium::Punten ||
                   c == PW::TCriterium::WedstrijdpuntenOnderling ||
                   c == PW::TCriterium::PuntenOnderling;
        });
    const bool games = telling.Spelvorm != PW::TSpelvorm::Score;
    QStringList koppen{QStringLiteral("Gs"), QStringLiteral("W")};
    if (punten)
        koppen << QStringLiteral("Ptn");
    if (games)
        koppen << QStringLiteral("Games");
    koppen << (games ? QStringLiteral("Punten") : QStringLiteral("Saldo"));
    return koppen;
}

// The width of each figure column, as wide as its caption or a balance of
// three digits, with a gap before it.
std::vector<int> CijferBreedtes(const QFontMetrics& maat, const QStringList& koppen, int rand) {
    const int getal = maat.horizontalAdvance(QStringLiteral("+888"));
    std::vector<int> breedtes;
    for (const QString& kop : koppen)
        breedtes.push_back(std::max(getal, maat.horizontalAdvance(kop)) + rand);
    return breedtes;
}

int PlaatsBreedte(const QFontMetrics& maat) {
    return maat.horizontalAdvance(QStringLiteral("88="));
}

// Whether a pool's standings fit `breedte` at this text size.
bool StandPast(const QFontMetrics& maat, const QStringList& koppen, int rand, int breedte) {
    const std::vector<int> cijfers = CijferBreedtes(maat, koppen, rand);
    return PlaatsBreedte(maat) + std::accumulate(cijfers.begin(), cijfers.end(), 0) +
               maat.horizontalAdvance(QStringLiteral("Xxxxxxxxxxxxxxx")) + 3 * rand <=
           breedte;
}

} // namespace

bool TPresentatieForm::MetStanden() const {
    // Once a score is in, the pools are played by their matches; until then
    // the pools page is the one of positions, as a tournament run on
    // positions alone keeps it.
    for (const Poulewedstrijden::TPoule& poule : m_document.PouleWedstrijden().Poules)
        for (const Poulewedstrijden::TPouleWedstrijd& wedstrijd : poule.Wedstrijden)
            if (wedstrijd.Gespeeld())
                return true;
    return false;
}

int TPresentatieForm::StandenPerPagina() const {
    std::size_t grootste = 1;
    for (const std::vector<int>& leden : Poules::MaakPouleIndex(m_document.Deelnemers()))
        grootste = std::max(grootste, leden.size());
    const TMaten maten = Maten();
    const QFontMetrics maat(Letter(font(), maten.letter));
    const int hoogte = StandRegels(static_cast<int>(grootste)) * maat.lineSpacing() + maten.rand;
    return StandKolommen(maten) *
           std::clamp(maten.inhoud.height() / std::max(1, hoogte), 1, StandRijenMax);
}

int TPresentatieForm::StandKolommen(const TMaten& maten) const {
    const QFontMetrics maat(Letter(font(), maten.letter));
    const QStringList koppen = StandKoppen(m_document.PouleWedstrijden().Telling);
    return StandPast(maat, koppen, maten.rand, maten.inhoud.width() / 2) ? 2 : 1;
}

void TPresentatieForm::TekenStanden(QPainter& painter, const TMaten& maten,
                                    const TPagina& pagina) const {
    namespace PW = Poulewedstrijden;
    const int laatste = pagina.eerste + pagina.aantal - 1;
    TekenKop(painter, maten,
             pagina.aantal == 1 ? QStringLiteral("Poule %1").arg(pagina.eerste)
                                : QStringLiteral("Poules %1–%2").arg(pagina.eerste).arg(laatste));
    const PW::TPoulewedstrijden& alle = m_document.PouleWedstrijden();
    const TDeelnemerLijst& deelnemers = m_document.Deelnemers();
    const Poules::TPouleIndex index = Poules::MaakPouleIndex(deelnemers);
    auto naam = [&](int lid) {
        return lid >= 0 && std::size_t(lid) < deelnemers.size()
                   ? deelnemers[std::size_t(lid)]->Naam()
                   : QString();
    };

    const QStringList koppen = StandKoppen(alle.Telling);
    const bool punten = koppen.contains(QStringLiteral("Ptn"));
    const bool games = koppen.contains(QStringLiteral("Games"));

    struct TRij {
        QString plaats;
        QString naam;
        QStringList cijfers;
    };
    struct TBlok {
        std::vector<TRij> rijen;
        std::vector<std::pair<QString, QString>> volgende;
        bool klaar = false;
    };
    std::vector<TBlok> blokken(std::size_t(pagina.aantal));
    int grootste = 1;
    for (int i = 0; i < pagina.aantal; ++i) {
        const std::size_t p = std::size_t(pagina.eerste + i - 1);
        if (p >= index.size())
            continue;
        TBlok& blok = blokken[std::size_t(i)];
        grootste = std::max(grootste, static_cast<int>(index[p].size()));
        const PW::TPoule* data = p < alle.Poules.size() ? &alle.Poules[p] : nullptr;
        const bool gespeeld =
            data && std::any_of(data->Wedstrijden.begin(), data->Wedstrijden.end(),
                                [](const PW::TPouleWedstrijd& w) { return w.Gespeeld(); });
        if (data) {
            // Before any score, everyone stands level: no places yet.
            for (const PW::TStandRij& rij : m_document.PouleStand(pagina.eerste + i).Rijen) {
                TRij regel;
                if (gespeeld)
                    regel.plaats =
                        QString::number(rij.Plaats) + (rij.Open ? QStringLiteral("=") : QString());
                regel.naam = naam(rij.Deelnemer);
                // The hall reads why someone stands last or plays no more.
                if (deelnemers[std::size_t(rij.Deelnemer)]->Teruggetrokken)
                    regel.naam += QStringLiteral(" (teruggetrokken)");
                else if (rij.Vervallen)
                    regel.naam +=
                        QStringLiteral(" (") + AfloopAfkorting(TAfloop::Diskwalificatie) + u')';
                regel.cijfers << QString::number(rij.Gespeeld) << QString::number(rij.Gewonnen);
                if (punten)
                    regel.cijfers << QString::number(rij.Punten);
                if (games)
                    regel.cijfers << MetTeken(rij.GamesVoor - rij.GamesTegen);
                regel.cijfers << MetTeken(rij.PuntenVoor - rij.PuntenTegen);
                blok.rijen.push_back(std::move(regel));
            }
            // The next matches: those still open in the earliest round that
            // has any.
            int ronde = INT_MAX;
            for (const PW::TPouleWedstrijd& w : data->Wedstrijden)
                if (!w.Gespeeld())
                    ronde = std::min(ronde, w.Ronde);
            for (const PW::TPouleWedstrijd& w : data->Wedstrijden)
                if (!w.Gespeeld() && w.Ronde == ronde)
                    blok.volgende.emplace_back(naam(w.A), naam(w.B));
            blok.klaar = ronde == INT_MAX && !data->Wedstrijden.empty();
        }
        if (blok.rijen.empty())
            for (int lid : index[p])
                blok.rijen.push_back({{}, naam(lid), {}});
    }

    const int kolommen = pagina.aantal == 1 ? 1 : StandKolommen(maten);
    const int rijen = (pagina.aantal + kolommen - 1) / kolommen;
    const int celBreedte = maten.inhoud.width() / kolommen;
    const int celHoogte = maten.inhoud.height() / rijen;
    const int regels = StandRegels(grootste);
    const int letter = GrootstePassende(maten.letter, [&](int pixels) {
        const QFontMetrics maat(Letter(font(), pixels));
        return regels * maat.lineSpacing() + maten.rand <= celHoogte &&
               StandPast(maat, koppen, maten.rand, celBreedte);
    });
    const QFont gewoon = Letter(font(), letter);
    const QFontMetrics maat(gewoon);
    const int regelHoogte = maat.lineSpacing();
    const int plaatsBreedte = PlaatsBreedte(maat);
    const std::vector<int> cijferBreedtes = CijferBreedtes(maat, koppen, maten.rand);
    const int cijfersBreedte = std::accumulate(cijferBreedtes.begin(), cijferBreedtes.end(), 0);

    for (int i = 0; i < pagina.aantal; ++i) {
        const TBlok& blok = blokken[std::size_t(i)];
        const QRect cel(maten.inhoud.left() + (i % kolommen) * celBreedte,
                        maten.inhoud.top() + (i / kolommen) * celHoogte, celBreedte, celHoogte);
        const QRect binnen = cel.adjusted(maten.rand / 2, maten.rand / 2, -maten.rand, 0);
        const int cijfersLinks = binnen.right() - cijfersBreedte;
        const int naamLinks = binnen.left() + plaatsBreedte + maten.rand / 2;
        const QRect naamVak(naamLinks, 0, cijfersLinks - maten.rand / 2 - naamLinks, regelHoogte);
        auto cijfers = [&](const QStringList& teksten, int y) {
            int x = cijfersLinks;
            for (std::size_t k = 0; k < cijferBreedtes.size() && k < std::size_t(teksten.size());
                 ++k) {
                painter.drawText(QRect(x, y, cijferBreedtes[k], regelHoogte),
                                 Qt::AlignRight | Qt::AlignVCenter, teksten[qsizetype(k)]);
                x += cijferBreedtes[k];
            }
        };

        // The pool whose score came in last stands out for a while.
        const QRect titel(binnen.left(), binnen.top(), binnen.width(), regelHoogte);
        const bool gemarkeerd = m_gemarkeerdePoule == pagina.eerste + i;
        if (gemarkeerd)
            painter.fillRect(titel, Accent);
        painter.setFont(Letter(font(), letter, true));
        painter.setPen(gemarkeerd ? Achtergrond : Accent);
        TekenRegel(painter, titel.adjusted(maten.rand / 4, 0, 0, 0),
                   QStringLiteral("Poule %1").arg(pagina.eerste + i), Qt::AlignLeft);
        painter.fillRect(QRect(binnen.left(), binnen.top() + regelHoogte, binnen.width(), 2), Rand);
        painter.setFont(gewoon);
        int y = binnen.top() + regelHoogte + 4;
        painter.setPen(Zwak);
        cijfers(koppen, y);
        y += regelHoogte;
        for (const TRij& rij : blok.rijen) {
            painter.setPen(Zwak);
            painter.drawText(QRect(binnen.left(), y, plaatsBreedte, regelHoogte),
                             Qt::AlignRight | Qt::AlignVCenter, rij.plaats);
            painter.setPen(Tekst);
            TekenRegel(painter, naamVak.translated(0, y), rij.naam, Qt::AlignLeft);
            cijfers(rij.cijfers, y);
            y += regelHoogte;
        }
        if (blok.rijen.empty() || (blok.volgende.empty() && !blok.klaar))
            continue;
        painter.setPen(blok.klaar ? Zwak : Accent);
        TekenRegel(painter, QRect(naamLinks, y, binnen.right() - naamLinks, regelHoogte),
                   blok.klaar ? QStringLiteral("Alle wedstrijden gespeeld")
                              : QStringLiteral("Volgende wedstrijden"),
                   Qt::AlignLeft);
        y += regelHoogte;
        painter.setPen(Tekst);
        const int streep = maat.horizontalAdvance(QStringLiteral(" – "));
        const int half = (binnen.right() - naamLinks - streep) / 2;
        for (const auto& [a, b] : blok.volgende) {
            // Two long names share the line half and half.
            const QString paar = a + QStringLiteral(" – ") + b;
            if (maat.horizontalAdvance(paar) <= binnen.right() - naamLinks) {
                painter.drawText(QRect(naamLinks, y, binnen.right() - naamLinks, regelHoogte),
                                 Qt::AlignLeft | Qt::AlignVCenter, paar);
                y += regelHoogte;
                continue;
            }
            TekenRegel(painter, QRect(naamLinks, y, half, regelHoogte), a, Qt::AlignLeft);
            painter.drawText(QRect(naamLinks + half, y, streep, regelHoogte), Qt::AlignCenter,
                             QStringLiteral("–"));
            TekenRegel(painter, QRect(naamLinks + half + streep, y, half, regelHoogte), b,
                       Qt::AlignLeft);
            y += regelHoogte;
        }
    }
}

// ------------------------------------------------------------ the courts

void TPresentatieForm::ToonOproep(const QStringList& regels) {
    m_oproep = regels;
    if (m_oproep.isEmpty())
        m_oproepTimer.stop();
    else
        m_oproepTimer.start();
    update();
}

struct TPresentatieForm::TBaanRij {
    QString baan, nu, volgende;
};

std::vector<TPresentatieForm::TBaanRij> TPresentatieForm::BaanRijen() const {
    const Planning::TDagInstellingen& instellingen = m_document.DagInstellingen();
    const Planning::TDagoverzicht overzicht = m_document.Dagoverzicht();
    const std::vector<Planning::TBaanStand> banen = m_document.Banen();
    auto wedstrijd = [&](int i) -> const Planning::TDagWedstrijd* {
        return i >= 0 && i < static_cast<int>(overzicht.Wedstrijden.size())
                   ? &overzicht.Wedstrijden[std::size_t(i)]
                   : nullptr;
    };
    std::vector<TBaanRij> rijen;
    for (std::size_t baan = 0; baan < banen.size(); ++baan) {
        TBaanRij rij{Planning::BaanNaam(instellingen, static_cast<int>(baan)),
                     QStringLiteral("vrij"), QString()};
        if (const auto* nu = wedstrijd(banen[baan].Nu))
            rij.nu = nu->Boven + QStringLiteral(" – ") + nu->Onder;
        if (const auto* volgende = wedstrijd(banen[baan].Volgende))
            rij.volgende = Planning::TijdTekst(instellingen, volgende->Begin) + u' ' +
                           volgende->Boven + QStringLiteral(" – ") + volgende->Onder;
        rijen.push_back(std::move(rij));
    }
    return rijen;
}

// Each court on one line with its match now and next side by side where the
// names fit, otherwise on two: now, and under it next.
bool TPresentatieForm::BanenNaastElkaar(const TMaten& maten,
                                        const std::vector<TBaanRij>& rijen) const {
    const QFontMetrics maat(Letter(font(), maten.letter, true));
    int baan = 0, nu = 0, volgende = 0;
    for (const TBaanRij& rij : rijen) {
        baan = std::max(baan, maat.horizontalAdvance(rij.baan));
        nu = std::max(nu, maat.horizontalAdvance(rij.nu));
        volgende = std::max(volgende, maat.horizontalAdvance(rij.volgende));
    }
    const int half =
        (maten.inhoud.width() - std::min(baan + 2 * maten.rand, maten.inhoud.width() / 5)) / 2;
    return nu + maten.rand < half && volgende < half;
}

int TPresentatieForm::BanenPerPagina(const TMaten& maten, bool naastElkaar) const {
    const QFontMetrics maat(Letter(font(), maten.letter, true));
    const int baan = naastElkaar ? maat.lineSpacing() * 5 / 4 : maat.lineSpacing() * 5 / 2;
    return std::max(1, maten.inhoud.height() / baan - (naastElkaar ? 1 : 0));
}

void TPresentatieForm::VoegBanenToe(std::vector<TPagina>& paginas) const {
    if (!m_document.HeeftPlanning())
        return;
    const std::vector<TBaanRij> rijen = BaanRijen();
    const TMaten maten = Maten();
    const int banen = static_cast<int>(rijen.size());
    const int perPagina = BanenPerPagina(maten, BanenNaastElkaar(maten, rijen));
    for (int eerste = 0; eerste < banen; eerste += perPagina)
        paginas.push_back({BanenPagina, 0, eerste, std::min(perPagina, banen - eerste), 0});
}

void TPresentatieForm::TekenBanen(QPainter& painter, const TMaten& maten,
                                  const TPagina& pagina) const {
    TekenKop(
        painter, maten,
        QStringLiteral("Banen – verwacht klaar om ") +
            Planning::TijdTekst(m_document.DagInstellingen(), m_document.Dagoverzicht().Einde));
    const std::vector<TBaanRij> alle = BaanRijen();
    const bool naast = BanenNaastElkaar(maten, alle);
    // On two lines the second says what it is.
    std::vector<TBaanRij> rijen;
    for (int baan = pagina.eerste;
         baan < pagina.eerste + pagina.aantal && baan < static_cast<int>(alle.size()); ++baan) {
        rijen.push_back(alle[std::size_t(baan)]);
        if (!naast && !rijen.back().volgende.isEmpty())
            rijen.back().volgende.prepend(QStringLiteral("volgende "));
    }
    QStringList baanNamen, nu, volgende;
    for (const TBaanRij& rij : rijen) {
        baanNamen << rij.baan;
        nu << rij.nu;
        volgende << rij.volgende;
    }
    auto baanKolom = [&](const QFontMetrics& maat) {
        return std::min(Breedste(maat, baanNamen) + 2 * maten.rand, maten.inhoud.width() / 5);
    };
    auto hoogte = [&](const QFontMetrics& maat) {
        return naast ? maat.lineSpacing() * 5 / 4 : maat.lineSpacing() * 5 / 2;
    };
    // One size for the page, larger while the courts still fit the height
    // and the names their room.
    const int letter = GrootstePassende(maten.letter, [&](int pixels) {
        const QFontMetrics maat(Letter(font(), pixels, true));
        const int rest = maten.inhoud.width() - baanKolom(maat);
        const int ruimte = naast ? rest / 2 - maten.rand : rest;
        return (static_cast<int>(rijen.size()) + (naast ? 1 : 0)) * hoogte(maat) <=
                   maten.inhoud.height() &&
               Breedste(maat, nu) < ruimte && Breedste(maat, volgende) < ruimte;
    });
    const QFont gewoon = Letter(font(), letter);
    const QFont vet = Letter(font(), letter, true);
    const QFontMetrics maat(vet);
    const int regel = maat.lineSpacing();
    const int baanBreedte = baanKolom(maat);
    const int rest = maten.inhoud.width() - baanBreedte;
    const int nuLinks = maten.inhoud.left() + baanBreedte;
    const int nuBreedte = naast ? rest / 2 - maten.rand : rest;
    const int volgendeLinks = naast ? nuLinks + rest / 2 : nuLinks;
    const int volgendeBreedte = naast ? rest / 2 : rest;
    int y = maten.inhoud.top();
    if (naast) {
        painter.setFont(gewoon);
        painter.setPen(Zwak);
        TekenRegel(painter, QRect(nuLinks, y, nuBreedte, regel), QStringLiteral("Nu"),
                   Qt::AlignLeft);
        TekenRegel(painter, QRect(volgendeLinks, y, volgendeBreedte, regel),
                   QStringLiteral("Volgende"), Qt::AlignLeft);
        y += hoogte(maat);
    }
    for (const TBaanRij& rij : rijen) {
        painter.setFont(vet);
        painter.setPen(Accent);
        TekenRegel(painter, QRect(maten.inhoud.left(), y, baanBreedte - maten.rand, regel),
                   rij.baan, Qt::AlignLeft);
        painter.setPen(Tekst);
        TekenRegel(painter, QRect(nuLinks, y, nuBreedte, regel), rij.nu, Qt::AlignLeft);
        painter.setFont(gewoon);
        painter.setPen(Zwak);
        TekenRegel(painter, QRect(volgendeLinks, naast ? y : y + regel, volgendeBreedte, regel),
                   rij.volgende, Qt::AlignLeft);
        y += hoogte(maat);
    }
}

void TPresentatieForm::TekenOproep(QPainter& painter, const TMaten& maten) const {
    TekenKop(painter, maten, QStringLiteral("Oproep"));
    // As large as the lines allow, from a quarter of the screen's height
    // down to the smallest text; what still does not fit is shortened.
    const int regels = static_cast<int>(m_oproep.size());
    int letter = std::max(maten.letter, maten.inhoud.height() / (2 * std::max(regels, 2)));
    for (; letter > maten.letter; letter = letter * 9 / 10) {
        const QFontMetrics maat(Letter(font(), letter, true));
        if (maat.lineSpacing() * 3 / 2 * regels <= maten.inhoud.height() &&
            Breedste(maat, m_oproep) + maten.rand <= maten.inhoud.width())
            break;
    }
    letter = std::max(letter, maten.letter);
    const QFont vet = Letter(font(), letter, true);
    const QFontMetrics maat(vet);
    const int regel = maat.lineSpacing() * 3 / 2;
    painter.setFont(vet);
    int y = maten.inhoud.top() + std::max(0, (maten.inhoud.height() - regel * regels) / 2);
    for (const QString& tekst : m_oproep) {
        // The court in yellow, the players in white.
        const qsizetype dubbelepunt = tekst.indexOf(QStringLiteral(": "));
        const QString baan = dubbelepunt > 0 ? tekst.left(dubbelepunt + 1) : QString();
        const QString spelers = dubbelepunt > 0 ? tekst.mid(dubbelepunt + 2) : tekst;
        const int baanBreedte = baan.isEmpty() ? 0 : maat.horizontalAdvance(baan + u' ');
        // A few pixels to spare: a text measured to the pixel may still be
        // shortened by the rounding of its letters.
        const int breedte =
            std::min(maten.inhoud.width(), baanBreedte + maat.horizontalAdvance(spelers) + 4);
        const int x = maten.inhoud.left() + (maten.inhoud.width() - breedte) / 2;
        painter.setPen(Accent);
        painter.drawText(QRect(x, y, baanBreedte, regel), Qt::AlignLeft | Qt::AlignVCenter, baan);
        painter.setPen(Tekst);
        TekenRegel(painter, QRect(x + baanBreedte, y, breedte - baanBreedte, regel), spelers,
                   Qt::AlignLeft);
        y += regel;
    }
}
