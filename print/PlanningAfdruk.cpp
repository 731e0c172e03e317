#include "print/PlanningAfdruk.h"

#include "model/Ansi.h"
#include "model/ToernooiDocument.h"
#include "print/AfdrukKeuze.h"

#include <QPainter>

#include <algorithm>
#include <numeric>

namespace PlanningAfdruk {

namespace {

using Planning::TDagWedstrijd;

constexpr int TitelPunten = 11;
constexpr int KopPunten = 8;
constexpr int RegelPunten = 9;
constexpr double Binnenrand = 4;
constexpr double Streep = 14;
// A column of descriptions or court names is as wide as its longest text,
// within these bounds; longer ones are set smaller and then shortened.
constexpr double KleinsteKolom = 40;
constexpr double GrootsteOmschrijving = 170;
constexpr double GrootsteBaan = 90;
constexpr double TijdKolom = 40;
constexpr double ToestandKolom = 52;
// A name column is never narrower than this.
constexpr double KleinsteNaam = 90;

const QColor Grijs(90, 90, 90);

double Kleinste(int punten) {
    return Afdruk::KleinsteLetterMm * Afdruk::PuntenPerMm / punten;
}

// The baseline of a row of `hoogte` that starts at `top`.
double Basis(double top, double hoogte) {
    return top + hoogte - 4.5;
}

// The only line of a page when no match has a court yet.
void TekenGeenPlanning(QPainter& painter) {
    painter.setFont(Afdruk::Lettertype(9));
    painter.drawText(QPointF(0, 16), QStringLiteral("Er is nog geen planning."));
}

bool Gepland(const TDagWedstrijd& wedstrijd) {
    return wedstrijd.Baan >= 0 && wedstrijd.Begin >= 0;
}

QString GeenBaan() {
    return QStringLiteral("nog geen baan");
}

// What the three printouts share: the data, and the matches in the plan's
// order (by start, then court; what has no court yet comes last).
struct TDag {
    TGegevens Gegevens;
    std::vector<int> Volgorde;
    bool HeeftPlanning = false;

    const TDagWedstrijd& Wedstrijd(int index) const {
        return Gegevens.Overzicht.Wedstrijden[std::size_t(index)];
    }
    QString Baan(const TDagWedstrijd& wedstrijd) const {
        return Gepland(wedstrijd) ? Planning::BaanNaam(Gegevens.Instellingen, wedstrijd.Baan)
                                  : QString();
    }
    QString Tijd(const TDagWedstrijd& wedstrijd) const {
        return Gepland(wedstrijd) ? Planning::TijdTekst(Gegevens.Instellingen, wedstrijd.Begin)
                                  : QString();
    }
};

std::shared_ptr<const TDag> MaakDag(TGegevens gegevens) {
    auto dag = std::make_shared<TDag>();
    dag->Gegevens = std::move(gegevens);
    const auto& wedstrijden = dag->Gegevens.Overzicht.Wedstrijden;
    dag->Volgorde.resize(wedstrijden.size());
    std::iota(dag->Volgorde.begin(), dag->Volgorde.end(), 0);
    std::stable_sort(dag->Volgorde.begin(), dag->Volgorde.end(), [&](int a, int b) {
        const TDagWedstrijd& x = wedstrijden[std::size_t(a)];
        const TDagWedstrijd& y = wedstrijden[std::size_t(b)];
        if (Gepland(x) != Gepland(y))
            return Gepland(x);
        if (!Gepland(x))
            return false;
        return std::pair{x.Begin, x.Baan} < std::pair{y.Begin, y.Baan};
    });
    dag->HeeftPlanning = std::any_of(wedstrijden.begin(), wedstrijden.end(), Gepland);
    return dag;
}

// A part of a block that stands on one page: its rows from `van` up to
// `tot`, at height `y` of the page.
struct TStuk {
    int Blok = 0;
    int Van = 0;
    int Tot = 0;
    double Y = 0;
};
using TBladen = std::vector<std::vector<TStuk>>;

// Lays blocks of rows out on pages, one after another: a block with a title
// band of `titel` and its rows moves to the next page whole, unless it is
// taller than a page, when it starts on a page of its own and goes on over
// the next. Every page's blocks start at `begin`.
TBladen Verdeel(const std::vector<int>& regels, double titel, double rij, double marge,
                double begin, double hoogte) {
    TBladen bladen(1);
    double y = begin;
    const int perBlad = std::max(1, int((hoogte - begin - titel) / rij));
    auto nieuwBlad = [&] {
        bladen.emplace_back();
        y = begin;
    };
    for (std::size_t blok = 0; blok < regels.size(); ++blok) {
        const int aantal = regels[blok];
        // The margin below the last block of a page may fall off it.
        if (y > begin && y + titel + aantal * rij > hoogte)
            nieuwBlad();
        for (int van = 0;;) {
            const int tot = std::min(aantal, van + perBlad);
            if (van > 0)
                nieuwBlad();
            bladen.back().push_back({int(blok), van, tot, y});
            y += titel + (tot - van) * rij + marge;
            van = tot;
            if (van >= aantal)
                break;
        }
    }
    return bladen;
}

double Breedste(const Afdruk::TMaat& maat, const QStringList& teksten, double grens) {
    double breedste = 0;
    for (const QString& tekst : teksten) {
        breedste = std::max(breedste, maat.Breedte(tekst));
        if (breedste >= grens)
            break;
    }
    return std::clamp(breedste + 2 * Binnenrand, KleinsteKolom, grens);
}

// How much smaller a list is drawn on paper narrower than its narrowest
// layout, so that no column runs off the page.
double Schaal(QSizeF romp, double smalste) {
    return std::min(1.0, romp.width() / smalste);
}

// The fonts of a list and their measures, made once for every row.
struct TLettertypen {
    QFont Titel = Afdruk::Lettertype(TitelPunten, true);
    QFont Kop = Afdruk::Lettertype(KopPunten, true);
    QFont Gewoon = Afdruk::Lettertype(RegelPunten);
    QFont Vet = Afdruk::Lettertype(RegelPunten, true);
    Afdruk::TMaat TitelMaat{Titel};
    Afdruk::TMaat GewoneMaat{Gewoon};
    Afdruk::TMaat VetteMaat{Vet};
};

// ------------------------------------------------------------ per court

// Per court its matches in time order, with the time, what match and the
// two names (or what they wait for); several courts to a page when they
// fit. Matches without a court close the list.
class TBaanAfdruk : public Afdruk::TDocument {
public:
    TBaanAfdruk(std::shared_ptr<const TDag> dag, Afdruk::TKop kop);

    int Opmaken(QSizeF romp) override;
    void TekenPagina(QPainter& painter, int index) const override;

private:
    static constexpr double TitelBand = 20;
    static constexpr double Rij = 15;
    static constexpr double Marge = 16;

    struct TBaan {
        QString Naam;
        std::vector<int> Wedstrijden; // in time order
    };

    void TekenStuk(QPainter& painter, const TStuk& stuk) const;

    std::shared_ptr<const TDag> m_dag;
    std::vector<TBaan> m_banen;
    TLettertypen m_letters;
    double m_omschrijving = 0; // the description column's width
    double m_naamRuimte = 0;   // as laid out
    double m_schaal = 1.0;
    TBladen m_bladen;
};

TBaanAfdruk::TBaanAfdruk(std::shared_ptr<const TDag> dag, Afdruk::TKop kop)
    : m_dag(std::move(dag)) {
    Kop = std::move(kop);
    Kop.Onderwerp = QStringLiteral("Planning per baan");
    if (!m_dag->HeeftPlanning)
        return;
    const TGegevens& gegevens = m_dag->Gegevens;
    Kop.Onderwerp += QStringLiteral(", verwacht einde %1")
                         .arg(Planning::TijdTekst(gegevens.Instellingen, gegevens.Overzicht.Einde));
    // A court the settings no longer hold keeps its matches on paper.
    int banen = std::max(0, gegevens.Instellingen.Plan.Banen);
    for (const TDagWedstrijd& wedstrijd : gegevens.Overzicht.Wedstrijden)
        if (Gepland(wedstrijd))
            banen = std::max(banen, wedstrijd.Baan + 1);
    m_banen.resize(std::size_t(banen));
    for (int baan = 0; baan < banen; ++baan)
        m_banen[std::size_t(baan)].Naam = Planning::BaanNaam(gegevens.Instellingen, baan);
    TBaan ongepland{QStringLiteral("Nog zonder baan"), {}};
    QStringList omschrijvingen;
    for (int index : m_dag->Volgorde) {
        const TDagWedstrijd& wedstrijd = m_dag->Wedstrijd(index);
        (Gepland(wedstrijd) ? m_banen[std::size_t(wedstrijd.Baan)] : ongepland)
            .Wedstrijden.push_back(index);
        omschrijvingen << wedstrijd.Omschrijving;
    }
    if (!ongepland.Wedstrijden.empty())
        m_banen.push_back(std::move(ongepland));
    m_omschrijving = Breedste(m_letters.GewoneMaat, omschrijvingen, GrootsteOmschrijving);
}

int TBaanAfdruk::Opmaken(QSizeF romp) {
    const double vast = TijdKolom + m_omschrijving + Streep + ToestandKolom;
    m_schaal = Schaal(romp, vast + 2 * KleinsteNaam);
    romp /= m_schaal;
    m_naamRuimte = (romp.width() - vast) / 2;
    std::vector<int> regels;
    for (const TBaan& baan : m_banen)
        regels.push_back(std::max<int>(1, int(baan.Wedstrijden.size())));
    m_bladen = Verdeel(regels, TitelBand + Rij, Rij, Marge, 0, romp.height());
    return int(m_bladen.size());
}

void TBaanAfdruk::TekenPagina(QPainter& painter, int index) const {
    if (index < 0 || index >= int(m_bladen.size()))
        return;
    if (m_banen.empty()) {
        TekenGeenPlanning(painter);
        return;
    }
    painter.scale(m_schaal, m_schaal);
    for (const TStuk& stuk : m_bladen[std::size_t(index)])
        TekenStuk(painter, stuk);
}

void TBaanAfdruk::TekenStuk(QPainter& painter, const TStuk& stuk) const {
    const TBaan& baan = m_banen[std::size_t(stuk.Blok)];
    const double omschrijvingX = TijdKolom;
    const double bovenX = omschrijvingX + m_omschrijving;
    const double streepX = bovenX + m_naamRuimte;
    const double onderX = streepX + Streep;
    const double toestandX = onderX + m_naamRuimte;
    const double rechts = toestandX + ToestandKolom;
    const double naamRuimte = m_naamRuimte - Binnenrand;

    painter.setPen(QPen(Qt::black, Afdruk::DunsteLijn / m_schaal));
    double y = stuk.Y;
    Afdruk::TekenPassend(
        painter, m_letters.Titel, m_letters.TitelMaat, QPointF(0, y + TitelBand - 6),
        stuk.Van > 0 ? baan.Naam + QStringLiteral(" (vervolg)") : baan.Naam, rechts, 0.7);
    y += TitelBand;
    painter.setFont(m_letters.Kop);
    painter.drawText(QPointF(0, Basis(y, Rij)), QStringLiteral("Tijd"));
    painter.drawText(QPointF(omschrijvingX, Basis(y, Rij)), QStringLiteral("Wedstrijd"));
    painter.drawText(QPointF(bovenX, Basis(y, Rij)), QStringLiteral("Deelnemers"));
    y += Rij;
    if (baan.Wedstrijden.empty()) {
        painter.drawLine(QPointF(0, y), QPointF(rechts, y));
        painter.setFont(m_letters.Gewoon);
        painter.drawText(QPointF(omschrijvingX, Basis(y, Rij)),
                         QStringLiteral("Geen wedstrijden op deze baan."));
        return;
    }
    const double kleinste = Kleinste(RegelPunten);
    for (int regel = stuk.Van; regel < stuk.Tot; ++regel) {
        const TDagWedstrijd& wedstrijd = m_dag->Wedstrijd(baan.Wedstrijden[std::size_t(regel)]);
        painter.drawLine(QPointF(0, y), QPointF(rechts, y));
        const double basis = Basis(y, Rij);
        painter.setFont(m_letters.Vet);
        painter.drawText(QPointF(0, basis), m_dag->Tijd(wedstrijd));
        Afdruk::TekenPassend(painter, m_letters.Gewoon, m_letters.GewoneMaat,
                             QPointF(omschrijvingX, basis), wedstrijd.Omschrijving,
                             m_omschrijving - Binnenrand, kleinste);
        Afdruk::TekenPassend(painter, m_letters.Gewoon, m_letters.GewoneMaat,
                             QPointF(bovenX, basis), wedstrijd.Boven, naamRuimte, kleinste);
        painter.drawText(QPointF(streepX + 3, basis), QStringLiteral("–"));
        Afdruk::TekenPassend(painter, m_letters.Gewoon, m_letters.GewoneMaat,
                             QPointF(onderX, basis), wedstrijd.Onder, naamRuimte, kleinste);
        if (wedstrijd.Toestand != Planning::TDagToestand::Gepland) {
            painter.save();
            painter.setPen(Grijs);
            painter.setFont(m_letters.Gewoon);
            painter.drawText(QPointF(toestandX + Binnenrand, basis),
                             wedstrijd.Toestand == Planning::TDagToestand::Gespeeld
                                 ? QStringLiteral("gespeeld")
                                 : QStringLiteral("bezig"));
            painter.restore();
        }
        y += Rij;
    }
}

// ------------------------------------------------------- per participant

// A personal list per participant, sorted by name as the participant list
// is: every match with its court and time, and whom it is against. Several
// participants to a page; one is split only when longer than a page.
class TDeelnemerAfdruk : public Afdruk::TDocument {
public:
    TDeelnemerAfdruk(std::shared_ptr<const TDag> dag, Afdruk::TKop kop);

    int Opmaken(QSizeF romp) override;
    void TekenPagina(QPainter& painter, int index) const override;

private:
    static constexpr double TitelBand = 17;
    static constexpr double Rij = 13;
    static constexpr double Marge = 7;
    static constexpr double Kolomkop = 14;

    struct TPersoon {
        QString Naam;
        std::vector<int> Wedstrijden; // in the plan's order
    };

    void TekenStuk(QPainter& painter, const TStuk& stuk) const;

    std::shared_ptr<const TDag> m_dag;
    std::vector<TPersoon> m_personen;
    TLettertypen m_letters;
    double m_baan = 0;         // the court column's width
    double m_omschrijving = 0; // the description column's width
    double m_breedte = 0;      // of the page's body, as laid out
    double m_schaal = 1.0;
    TBladen m_bladen;
};

TDeelnemerAfdruk::TDeelnemerAfdruk(std::shared_ptr<const TDag> dag, Afdruk::TKop kop)
    : m_dag(std::move(dag)) {
    Kop = std::move(kop);
    Kop.Onderwerp = QStringLiteral("Planning per deelnemer");
    if (!m_dag->HeeftPlanning)
        return;
    const Deelnemerslijst::TNamen& namen = m_dag->Gegevens.Namen;
    std::vector<TPersoon> personen(namen.size());
    std::vector<std::u16string> sleutels(namen.size());
    for (std::size_t i = 0; i < namen.size(); ++i) {
        personen[i].Naam = TDeelnemer(namen[i].Voornaam, namen[i].Achternaam).Naam();
        sleutels[i] = Ansi::sortKey(Deelnemerslijst::Sleutel(namen[i]));
    }
    // The courts' names once each, to measure their column by.
    QStringList banen, omschrijvingen;
    std::vector<bool> baanGezien;
    for (int index : m_dag->Volgorde) {
        const TDagWedstrijd& wedstrijd = m_dag->Wedstrijd(index);
        for (int deelnemer : wedstrijd.Deelnemers)
            if (deelnemer >= 0 && std::size_t(deelnemer) < personen.size())
                personen[std::size_t(deelnemer)].Wedstrijden.push_back(index);
        omschrijvingen << wedstrijd.Omschrijving;
        const std::size_t baan = Gepland(wedstrijd) ? std::size_t(wedstrijd.Baan) + 1 : 0;
        if (baan >= baanGezien.size())
            baanGezien.resize(baan + 1);
        if (!baanGezien[baan]) {
            baanGezien[baan] = true;
            banen << (baan > 0 ? m_dag->Baan(wedstrijd) : GeenBaan());
        }
    }
    std::vector<std::size_t> volgorde(personen.size());
    std::iota(volgorde.begin(), volgorde.end(), std::size_t{0});
    std::stable_sort(volgorde.begin(), volgorde.end(),
                     [&](std::size_t a, std::size_t b) { return sleutels[a] < sleutels[b]; });
    for (std::size_t i : volgorde)
        m_personen.push_back(std::move(personen[i]));
    m_baan = Breedste(m_letters.GewoneMaat, banen, GrootsteBaan);
    m_omschrijving = Breedste(m_letters.GewoneMaat, omschrijvingen, GrootsteOmschrijving);
}

int TDeelnemerAfdruk::Opmaken(QSizeF romp) {
    m_schaal = Schaal(romp, TijdKolom + m_baan + m_omschrijving + KleinsteNaam);
    romp /= m_schaal;
    m_breedte = romp.width();
    std::vector<int> regels;
    for (const TPersoon& persoon : m_personen)
        regels.push_back(std::max<int>(1, int(persoon.Wedstrijden.size())));
    m_bladen = Verdeel(regels, TitelBand, Rij, Marge, Kolomkop, romp.height());
    return int(m_bladen.size());
}

void TDeelnemerAfdruk::TekenPagina(QPainter& painter, int index) const {
    if (index < 0 || index >= int(m_bladen.size()))
        return;
    if (m_personen.empty()) {
        TekenGeenPlanning(painter);
        return;
    }
    const double baanX = TijdKolom;
    const double omschrijvingX = baanX + m_baan;
    const double tegenX = omschrijvingX + m_omschrijving;
    painter.scale(m_schaal, m_schaal);
    painter.setPen(QPen(Qt::black, Afdruk::DunsteLijn / m_schaal));
    painter.setFont(m_letters.Kop);
    const double basis = Basis(0, Kolomkop) - 2;
    painter.drawText(QPointF(0, basis), QStringLiteral("Tijd"));
    painter.drawText(QPointF(baanX, basis), QStringLiteral("Baan"));
    painter.drawText(QPointF(omschrijvingX, basis), QStringLiteral("Wedstrijd"));
    painter.drawText(QPointF(tegenX, basis), QStringLiteral("Tegen"));
    for (const TStuk& stuk : m_bladen[std::size_t(index)])
        TekenStuk(painter, stuk);
}

void TDeelnemerAfdruk::TekenStuk(QPainter& painter, const TStuk& stuk) const {
    const TPersoon& persoon = m_personen[std::size_t(stuk.Blok)];
    const double baanX = TijdKolom;
    const double omschrijvingX = baanX + m_baan;
    const double tegenX = omschrijvingX + m_omschrijving;
    const double kleinste = Kleinste(RegelPunten);

    double y = stuk.Y;
    Afdruk::TekenPassend(painter, m_letters.Titel, m_letters.TitelMaat,
                         QPointF(0, y + TitelBand - 5),
                         stuk.Van > 0 ? persoon.Naam + QStringLiteral(" (vervolg)") : persoon.Naam,
                         m_breedte, Kleinste(TitelPunten));
    y += TitelBand;
    painter.drawLine(QPointF(0, y), QPointF(m_breedte, y));
    if (persoon.Wedstrijden.empty()) {
        painter.setFont(m_letters.Gewoon);
        painter.drawText(QPointF(baanX, Basis(y, Rij)),
                         QStringLiteral("Geen wedstrijden gepland."));
        return;
    }
    for (int regel = stuk.Van; regel < stuk.Tot; ++regel) {
        const TDagWedstrijd& wedstrijd = m_dag->Wedstrijd(persoon.Wedstrijden[std::size_t(regel)]);
        const double basis = Basis(y, Rij);
        painter.setFont(m_letters.Vet);
        painter.drawText(QPointF(0, basis), m_dag->Tijd(wedstrijd));
        Afdruk::TekenPassend(painter, m_letters.Gewoon, m_letters.GewoneMaat, QPointF(baanX, basis),
                             Gepland(wedstrijd) ? m_dag->Baan(wedstrijd) : GeenBaan(),
                             m_baan - Binnenrand, kleinste);
        Afdruk::TekenPassend(painter, m_letters.Gewoon, m_letters.GewoneMaat,
                             QPointF(omschrijvingX, basis), wedstrijd.Omschrijving,
                             m_omschrijving - Binnenrand, kleinste);
        // The other side; a side that is still open reads as what it waits
        // for, and a list whose own name is not among the two shows both.
        const QString tegen = wedstrijd.Boven == persoon.Naam ? wedstrijd.Onder
                              : wedstrijd.Onder == persoon.Naam
                                  ? wedstrijd.Boven
                                  : wedstrijd.Boven + QStringLiteral(" – ") + wedstrijd.Onder;
        Afdruk::TekenPassend(painter, m_letters.Gewoon, m_letters.GewoneMaat,
                             QPointF(tegenX, basis), tegen, m_breedte - tegenX, kleinste);
        y += Rij;
    }
}

// ------------------------------------------------------------ the slips

// One slip per match, four to a page in the plan's order, with dashed lines
// to cut along: court and time, what match, the two names and a pair of
// boxes per game for the score. A slip that the page leaves too little
// height for is drawn smaller.
class TBriefjesAfdruk : public Afdruk::TDocument {
public:
    TBriefjesAfdruk(std::shared_ptr<const TDag> dag, Afdruk::TKop kop);

    int Opmaken(QSizeF romp) override;
    void TekenPagina(QPainter& painter, int index) const override;

private:
    static constexpr int PerBlad = 4;
    static constexpr double Rand = 12;
    static constexpr int GrootPunten = 14;
    static constexpr int NaamPunten = 11;
    static constexpr double Vak = 36;    // a score box's width
    static constexpr double VakRij = 24; // a side's row, with the box in it
    static constexpr double Tussen = 10; // between two games' boxes
    // The height a slip needs at its natural size.
    static constexpr double Nodig = 2 * Rand + 20 + 18 + 14 + 2 * VakRij + 6;

    void TekenBriefje(QPainter& painter, const TDagWedstrijd& wedstrijd) const;

    std::shared_ptr<const TDag> m_dag;
    QFont m_groot = Afdruk::Lettertype(GrootPunten, true);
    QFont m_omschrijving = Afdruk::Lettertype(10);
    QFont m_kop = Afdruk::Lettertype(KopPunten);
    QFont m_naam = Afdruk::Lettertype(NaamPunten);
    Afdruk::TMaat m_grootMaat{m_groot};
    Afdruk::TMaat m_omschrijvingMaat{m_omschrijving};
    Afdruk::TMaat m_kopMaat{m_kop};
    Afdruk::TMaat m_naamMaat{m_naam};
    QSizeF m_vlak; // of a slip at its natural size
    double m_schaal = 1.0;
    double m_hoogte = 0; // of a slip on the page
};

TBriefjesAfdruk::TBriefjesAfdruk(std::shared_ptr<const TDag> dag, Afdruk::TKop kop)
    : m_dag(std::move(dag)) {
    Kop = std::move(kop);
    Kop.Onderwerp = QStringLiteral("Wedstrijdbriefjes");
}

int TBriefjesAfdruk::Opmaken(QSizeF romp) {
    m_hoogte = romp.height() / PerBlad;
    m_schaal = std::min(1.0, m_hoogte / Nodig);
    m_vlak = QSizeF(romp.width() / m_schaal, m_hoogte / m_schaal);
    if (!m_dag->HeeftPlanning)
        return 1;
    const int aantal = int(m_dag->Volgorde.size());
    return std::max(1, (aantal + PerBlad - 1) / PerBlad);
}

void TBriefjesAfdruk::TekenPagina(QPainter& painter, int index) const {
    if (!m_dag->HeeftPlanning) {
        TekenGeenPlanning(painter);
        return;
    }
    const int aantal = int(m_dag->Volgorde.size());
    for (int plek = 0; plek < PerBlad; ++plek) {
        const int nummer = index * PerBlad + plek;
        if (nummer >= aantal)
            break;
        const double y = plek * m_hoogte;
        // The line to cut along below every slip but the page's last.
        if (plek + 1 < PerBlad) {
            painter.setPen(QPen(Grijs, Afdruk::DunsteLijn, Qt::DashLine));
            painter.drawLine(QPointF(0, y + m_hoogte),
                             QPointF(m_vlak.width() * m_schaal, y + m_hoogte));
        }
        painter.save();
        painter.translate(0, y);
        painter.scale(m_schaal, m_schaal);
        TekenBriefje(painter, m_dag->Wedstrijd(m_dag->Volgorde[std::size_t(nummer)]));
        painter.restore();
    }
}

void TBriefjesAfdruk::TekenBriefje(QPainter& painter, const TDagWedstrijd& wedstrijd) const {
    const bool knockout = wedstrijd.Plek.KnockoutNr != 0;
    const int games = knockout ? 1 : std::clamp(m_dag->Gegevens.PouleGames, 1, 9);
    const double breedte = m_vlak.width() - 2 * Rand;
    const double vakken = games * Vak + (games - 1) * Tussen;
    const double vakX = Rand + breedte - vakken;
    painter.setPen(QPen(Qt::black, Afdruk::DunsteLijn * 1.2 / m_schaal));

    // Court and time, large; without a plan for this match, lines to fill in.
    double y = Rand + 16;
    const QString baan = m_dag->Baan(wedstrijd);
    const QString tijd = m_dag->Tijd(wedstrijd);
    const QString tijdTekst = tijd.isEmpty() ? QStringLiteral("Tijd: ........") : tijd;
    const double tijdBreedte = m_grootMaat.Breedte(tijdTekst);
    painter.setFont(m_groot);
    painter.drawText(QPointF(Rand + breedte - tijdBreedte, y), tijdTekst);
    Afdruk::TekenPassend(painter, m_groot, m_grootMaat, QPointF(Rand, y),
                         baan.isEmpty() ? QStringLiteral("Baan: ..............") : baan,
                         breedte - tijdBreedte - 12, 0.6);
    y += 20;
    Afdruk::TekenPassend(painter, m_omschrijving, m_omschrijvingMaat, QPointF(Rand, y),
                         wedstrijd.Omschrijving, breedte, 0.7);
    y += 16;

    // The captions above the boxes, one pair per game.
    painter.setFont(m_kop);
    for (int game = 0; game < games; ++game) {
        const QString kop =
            games == 1 ? QStringLiteral("Uitslag") : QStringLiteral("Game %1").arg(game + 1);
        painter.drawText(
            QPointF(vakX + game * (Vak + Tussen) + (Vak - m_kopMaat.Breedte(kop)) / 2, y), kop);
    }
    y += 4;
    const double naamRuimte = vakX - Rand - 12;
    for (const QString& naam : {wedstrijd.Boven, wedstrijd.Onder}) {
        Afdruk::TekenPassend(painter, m_naam, m_naamMaat, QPointF(Rand, Basis(y, VakRij) - 2), naam,
                             naamRuimte, Kleinste(NaamPunten));
        for (int game = 0; game < games; ++game)
            painter.drawRect(QRectF(vakX + game * (Vak + Tussen), y + 2, Vak, VakRij - 4));
        y += VakRij;
    }
}

} // namespace

std::unique_ptr<Afdruk::TDocument> Maak(TGegevens gegevens, const Afdruk::TKop& kop) {
    const std::shared_ptr<const TDag> dag = MaakDag(std::move(gegevens));
    auto keuze = std::make_unique<TAfdrukKeuze>();
    keuze->VoegToe(QStringLiteral("Planning per baan"), std::make_unique<TBaanAfdruk>(dag, kop));
    keuze->VoegToe(QStringLiteral("Planning per deelnemer"),
                   std::make_unique<TDeelnemerAfdruk>(dag, kop));
    keuze->VoegToe(QStringLiteral("Wedstrijdbriefjes"),
                   std::make_unique<TBriefjesAfdruk>(dag, kop));
    return keuze;
}

std::unique_ptr<Afdruk::TDocument> Maak(const TToernooiDocument& document,
                                        const Afdruk::TKop& kop) {
    TGegevens gegevens;
    gegevens.Overzicht = document.Dagoverzicht();
    gegevens.Instellingen = document.DagInstellingen();
    for (const auto& deelnemer : document.Deelnemers())
        gegevens.Namen.emplace_back(deelnemer->Voornaam, deelnemer->Achternaam);
    switch (document.PouleWedstrijden().Telling.Spelvorm) {
    case Poulewedstrijden::TSpelvorm::Badminton:
        gegevens.PouleGames = 3;
        break;
    case Poulewedstrijden::TSpelvorm::Tafeltennis:
        gegevens.PouleGames = 5;
        break;
    case Poulewedstrijden::TSpelvorm::Score:
        gegevens.PouleGames = 1;
        break;
    }
    return Maak(std::move(gegevens), kop);
}

} // namespace PlanningAfdruk
