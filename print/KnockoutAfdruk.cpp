#include "print/KnockoutAfdruk.h"

#include "model/Knockout.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int NaamPunten = 9;
constexpr int LabelPunten = 7;
constexpr int RondePunten = 8;
constexpr double Regel = 12;                                   // height of one line of a box
constexpr double DoosHoogte = 2 * Regel + 4;                   // two lines and a little air
constexpr double LabelBand = 10;                               // the match caption above a box
constexpr double Tussenruimte = 5;                             // below a box
constexpr double Stap = LabelBand + DoosHoogte + Tussenruimte; // per first-round match
constexpr double RondeKop = 16;                                // the round captions
constexpr double Kolomruimte = 30;                             // between two rounds, for the lines
constexpr double Binnenrand = 4;
constexpr double KleinsteDoos = 90;
constexpr double DikkeLijn = 1.8; // a played match
constexpr double GewoneLijn = 0.9;

double Schaalbaar(double breedte, double schaal) {
    // Lines stay at least the thinnest printable width on paper.
    return std::max(breedte, Afdruk::DunsteLijn / schaal);
}

bool IsGespeeld(const TKnockoutWedstrijd& wedstrijd) {
    if (wedstrijd.Bye())
        return wedstrijd.DeelnemerBoven() != nullptr;
    return wedstrijd.ScoreBoven() >= 0 && wedstrijd.ScoreOnder() >= 0;
}

} // namespace

TKnockoutAfdruk::TKnockoutAfdruk(const TKnockout& knockout, Afdruk::TKop kop)
    : m_knockout(knockout)
    , m_naamFont(Afdruk::Lettertype(NaamPunten))
    , m_winnaarFont(Afdruk::Lettertype(NaamPunten, true))
    , m_labelFont(Afdruk::Lettertype(LabelPunten))
    , m_rondeFont(Afdruk::Lettertype(RondePunten, true))
    , m_naamMaat(m_naamFont)
    , m_winnaarMaat(m_winnaarFont)
    , m_labelMaat(m_labelFont)
    , m_rondeMaat(m_rondeFont)
    , m_rondes(knockout.AantalRondes())
    , m_eersteRonde(knockout.AantalWedstrijden(0)) {
    Kop = std::move(kop);
    if (Kop.Onderwerp.isEmpty())
        Kop.Onderwerp = Naam(knockout.KnockoutNr());
    // A round's boxes are as wide as its longest line, in bold as a
    // winner's is: one long name widens only the rounds it reaches.
    for (int ronde = 0; ronde < m_rondes; ++ronde) {
        double breedste = 0;
        for (int nummer = 0; nummer < knockout.AantalWedstrijden(ronde); ++nummer) {
            const TKnockoutWedstrijd& wedstrijd = *knockout.Wedstrijd(ronde, nummer);
            breedste = std::max({breedste, m_winnaarMaat.Breedte(wedstrijd.Regel(0)),
                                 m_winnaarMaat.Breedte(wedstrijd.Regel(1))});
        }
        m_eigenBreedtes.push_back(std::max(KleinsteDoos, breedste + 2 * Binnenrand));
    }
    m_breedtes = m_eigenBreedtes;
    const Afdruk::TMaat& label = m_labelMaat;
    double code = 0;
    for (int nummer = 0; nummer < m_eersteRonde; ++nummer) {
        const TKnockoutWedstrijd& wedstrijd = *knockout.Wedstrijd(0, nummer);
        for (const TDeelnemer* deelnemer : {wedstrijd.DeelnemerBoven(), wedstrijd.DeelnemerOnder()})
            if (deelnemer)
                code = std::max(code, label.Breedte(deelnemer->PouleCode()));
    }
    m_codeBreedte = code > 0 ? code + 2 * Binnenrand : 0;
    m_merkInBreedte = label.Breedte(QStringLiteral("← blad 8888 en 8888")) + 10;
    m_merkUitBreedte = label.Breedte(QStringLiteral("→ blad 8888")) + 10;
}

QString TKnockoutAfdruk::Naam(std::uint8_t knockoutNr) {
    return knockoutNr == 1 ? QStringLiteral("Winnaarsronde") : QStringLiteral("Verliezersronde");
}

double TKnockoutAfdruk::BlokBreedte(int eersteRonde, int rondes) const {
    const double links = eersteRonde == 0 ? m_codeBreedte : m_merkInBreedte;
    const double rechts = eersteRonde + rondes < m_rondes ? m_merkUitBreedte : 0;
    double kolommen = (rondes - 1) * Kolomruimte;
    for (int ronde = eersteRonde; ronde < eersteRonde + rondes; ++ronde)
        kolommen += m_breedtes[static_cast<std::size_t>(ronde)];
    return links + kolommen + rechts;
}

QPageLayout::Orientation TKnockoutAfdruk::Richting() const {
    const double hoogte = RondeKop + m_eersteRonde * Stap;
    double breedte = m_codeBreedte + std::max(0, m_rondes - 1) * Kolomruimte;
    for (double kolom : m_eigenBreedtes)
        breedte += kolom;
    return breedte > hoogte ? QPageLayout::Landscape : QPageLayout::Portrait;
}

int TKnockoutAfdruk::Opmaken(QSizeF romp) {
    m_blokken.clear();
    m_breedtes = m_eigenBreedtes;
    if (m_rondes == 0) {
        m_blokken.push_back({});
        return 1;
    }
    const double geheleHoogte = RondeKop + m_eersteRonde * Stap;
    const double hoogtePast = std::min(1.0, romp.height() / geheleHoogte);
    auto passend = [&] { return std::min(hoogtePast, romp.width() / BlokBreedte(0, m_rondes)); };
    const double leesbaar = KleinsteNaamMm * Afdruk::PuntenPerMm / NaamPunten;
    if (!OpEenBlad && passend() < leesbaar && hoogtePast >= leesbaar) {
        // Only too wide: the widest columns give way, their long names set
        // smaller or shortened, rather than the bracket be cut into tiles.
        m_breedtes = TSchemaGeometrie::PasIn(
            m_eigenBreedtes, Kolomruimte, romp.width() / hoogtePast - m_codeBreedte, KleinsteDoos);
        if (passend() < leesbaar)
            m_breedtes = m_eigenBreedtes;
    }
    if (OpEenBlad || passend() >= leesbaar) {
        m_blokken.push_back({0, m_rondes, 1, 0, passend()});
        return 1;
    }
    // Tiles: any two rounds fit side by side at full size, so that a long
    // name never leaves a round alone on its pages without its lines.
    const double kap = std::max(
        KleinsteDoos, (romp.width() - m_merkInBreedte - m_merkUitBreedte - Kolomruimte) / 2);
    for (double& breedte : m_breedtes)
        breedte = std::min(breedte, kap);
    int blad = 0;
    int eersteRonde = 0;
    int wedstrijden = m_eersteRonde;
    while (eersteRonde < m_rondes) {
        TBlok blok;
        blok.eersteRonde = eersteRonde;
        blok.eersteBlad = blad;
        // Only a single round too wide for the page makes a tile smaller.
        blok.schaal = std::min(
            {1.0, romp.width() / BlokBreedte(eersteRonde, 1), romp.height() / (RondeKop + Stap)});
        const double hoogte = romp.height() / blok.schaal;
        const double breedte = romp.width() / blok.schaal;
        while (blok.delen < wedstrijden && RondeKop + (wedstrijden / blok.delen) * Stap > hoogte)
            blok.delen *= 2;
        // Every round of a block keeps at least one match per slice, so no
        // line crosses a slice's edge.
        blok.rondes = 1;
        while (eersteRonde + blok.rondes < m_rondes && (wedstrijden >> blok.rondes) >= blok.delen &&
               BlokBreedte(eersteRonde, blok.rondes + 1) <= breedte)
            ++blok.rondes;
        m_blokken.push_back(blok);
        blad += blok.delen;
        eersteRonde += blok.rondes;
        wedstrijden >>= blok.rondes;
    }
    return blad;
}

const TKnockoutAfdruk::TBlok& TKnockoutAfdruk::BlokVan(int ronde) const {
    for (const TBlok& blok : m_blokken)
        if (ronde < blok.eersteRonde + blok.rondes)
            return blok;
    return m_blokken.back();
}

int TKnockoutAfdruk::PerDeel(const TBlok& blok, int ronde) const {
    return std::max(1, m_knockout.AantalWedstrijden(ronde) / blok.delen);
}

int TKnockoutAfdruk::BladVan(int ronde, int nummer) const {
    if (m_blokken.empty())
        return 0;
    const TBlok& blok = BlokVan(ronde);
    return blok.eersteBlad + nummer / PerDeel(blok, ronde) + 1;
}

double TKnockoutAfdruk::Schaal(int index) const {
    for (const TBlok& blok : m_blokken)
        if (index < blok.eersteBlad + blok.delen)
            return blok.schaal;
    return 1.0;
}

double TKnockoutAfdruk::Links(const TBlok& blok) const {
    return blok.eersteRonde == 0 ? m_codeBreedte : m_merkInBreedte;
}

TSchemaGeometrie TKnockoutAfdruk::Geometrie(const TBlok& blok, int deel) const {
    std::vector<TSchemaGeometrie::TKolom> kolommen;
    for (int ronde = blok.eersteRonde; ronde < blok.eersteRonde + blok.rondes; ++ronde) {
        const int per = PerDeel(blok, ronde);
        kolommen.push_back({m_breedtes[static_cast<std::size_t>(ronde)], deel * per, per});
    }
    // The first column's matches each take a step down, the box centred
    // below its caption.
    const double boven = RondeKop + LabelBand + DoosHoogte / 2 - Stap / 2;
    return {blok.eersteRonde,
            std::move(kolommen),
            Links(blok),
            Kolomruimte,
            boven,
            PerDeel(blok, blok.eersteRonde) * Stap};
}

void TKnockoutAfdruk::TekenPagina(QPainter& painter, int index) const {
    if (m_rondes == 0) {
        painter.setFont(m_naamFont);
        painter.drawText(QPointF(0, RondeKop),
                         QStringLiteral("Dit schema heeft geen wedstrijden."));
        return;
    }
    const TBlok* gevonden = &m_blokken.front();
    for (const TBlok& blok : m_blokken)
        if (index >= blok.eersteBlad)
            gevonden = &blok;
    const TBlok& blok = *gevonden;
    const int deel = index - blok.eersteBlad;
    painter.save();
    painter.scale(blok.schaal, blok.schaal);
    const double lijn = Schaalbaar(GewoneLijn, blok.schaal);
    const int laatste = blok.eersteRonde + blok.rondes - 1;
    const TSchemaGeometrie geometrie = Geometrie(blok, deel);
    for (int ronde = blok.eersteRonde; ronde <= laatste; ++ronde) {
        const double x = geometrie.X(ronde);
        const double breedte = geometrie.Breedte(ronde);
        const QString kop = TKnockout::RondeTitel(ronde);
        painter.setPen(QPen(Qt::black, lijn));
        painter.setFont(m_rondeFont);
        painter.drawText(QPointF(geometrie.KopLinks(ronde, m_rondeMaat.Breedte(kop)), RondeKop - 6),
                         kop);
        const TSchemaGeometrie::TKolom& kolom = geometrie.Kolom(ronde);
        for (int nummer = kolom.eerste; nummer < kolom.eerste + kolom.aantal; ++nummer) {
            const double midden = geometrie.MiddenY(ronde, nummer);
            painter.setPen(QPen(Qt::black, lijn, Qt::SolidLine, Qt::FlatCap));
            if (ronde > blok.eersteRonde)
                painter.drawLine(QPointF(geometrie.Knik(ronde - 1), midden), QPointF(x, midden));
            if (ronde < laatste) {
                const double knik = geometrie.Knik(ronde);
                painter.drawLine(QPointF(x + breedte, midden), QPointF(knik, midden));
                if ((nummer - kolom.eerste) % 2 == 0)
                    painter.drawLine(QPointF(knik, midden),
                                     QPointF(knik, geometrie.MiddenY(ronde, nummer + 1)));
            } else if (ronde < m_rondes - 1) {
                // The line runs on in the next block of rounds.
                const double rechts = x + breedte;
                painter.drawLine(QPointF(rechts, midden), QPointF(rechts + 6, midden));
                painter.setFont(m_labelFont);
                painter.drawText(QPointF(rechts + 8, midden + LabelPunten / 3.0),
                                 QStringLiteral("→ blad %1").arg(BladVan(ronde + 1, nummer / 2)));
            }
            if (ronde == blok.eersteRonde && ronde > 0) {
                const int boven = BladVan(ronde - 1, 2 * nummer);
                const int onder = BladVan(ronde - 1, 2 * nummer + 1);
                const QString merk = boven == onder
                                         ? QStringLiteral("← blad %1").arg(boven)
                                         : QStringLiteral("← blad %1 en %2").arg(boven).arg(onder);
                painter.drawLine(QPointF(x - 6, midden), QPointF(x, midden));
                painter.setFont(m_labelFont);
                painter.drawText(
                    QPointF(x - 8 - m_labelMaat.Breedte(merk), midden + LabelPunten / 3.0), merk);
            }
            const TKnockoutWedstrijd& wedstrijd = *m_knockout.Wedstrijd(ronde, nummer);
            painter.setFont(m_labelFont);
            const QString label = QStringLiteral("Wedstrijd %1").arg(nummer + 1);
            painter.drawText(QPointF(geometrie.KopLinks(ronde, m_labelMaat.Breedte(label)),
                                     geometrie.DoosBoven(ronde, nummer, DoosHoogte) - 3),
                             label);
            if (ronde == 0 && m_codeBreedte > 0)
                TekenCodes(painter, wedstrijd, x, midden);
            TekenWedstrijd(painter, wedstrijd, x, breedte, midden, blok.schaal);
        }
    }
    painter.restore();
}

void TKnockoutAfdruk::TekenCodes(QPainter& painter, const TKnockoutWedstrijd& wedstrijd, double x,
                                 double midden) const {
    painter.setFont(m_labelFont);
    const TDeelnemer* plekken[] = {wedstrijd.DeelnemerBoven(), wedstrijd.DeelnemerOnder()};
    for (int plek = 0; plek < 2; ++plek) {
        if (!plekken[plek])
            continue;
        const QString code = plekken[plek]->PouleCode();
        const double basis = midden - DoosHoogte / 2 + 2 + Regel * plek + Regel - 3;
        painter.drawText(QPointF(x - Binnenrand - m_labelMaat.Breedte(code), basis), code);
    }
}

void TKnockoutAfdruk::TekenWedstrijd(QPainter& painter, const TKnockoutWedstrijd& wedstrijd,
                                     double x, double breedte, double midden, double schaal) const {
    const QRectF doos(x, midden - DoosHoogte / 2, breedte, DoosHoogte);
    // In black and white a played match stands out by its heavy frame and
    // its winner in bold; a match still waiting for a participant is dashed.
    const bool gespeeld = IsGespeeld(wedstrijd);
    QPen rand(Qt::black, Schaalbaar(gespeeld ? DikkeLijn : GewoneLijn, schaal));
    rand.setJoinStyle(Qt::MiterJoin);
    if (!wedstrijd.IsCompleet())
        rand.setStyle(Qt::DashLine);
    painter.setPen(rand);
    painter.setBrush(Qt::white);
    painter.drawRect(doos);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, Schaalbaar(Afdruk::DunsteLijn, schaal)));
    painter.drawLine(QPointF(x + Binnenrand, midden), QPointF(x + breedte - Binnenrand, midden));
    const TDeelnemer* winnaar = gespeeld ? wedstrijd.Winnaar() : nullptr;
    const TDeelnemer* plekken[] = {wedstrijd.DeelnemerBoven(),
                                   wedstrijd.Bye() ? nullptr : wedstrijd.DeelnemerOnder()};
    for (int plek = 0; plek < 2; ++plek) {
        const bool vet = winnaar && plekken[plek] == winnaar;
        const double basis = doos.top() + 2 + Regel * plek + Regel - 3;
        // Smaller, but never below the legible size on paper.
        Afdruk::TekenPassend(painter, vet ? m_winnaarFont : m_naamFont,
                             vet ? m_winnaarMaat : m_naamMaat, QPointF(x + Binnenrand, basis),
                             wedstrijd.Regel(plek), breedte - 2 * Binnenrand,
                             KleinsteNaamMm * Afdruk::PuntenPerMm / NaamPunten / schaal);
    }
}
