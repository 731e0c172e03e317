#include "print/PoulesAfdruk.h"

#include "model/Poules.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int TitelPunten = 11;
constexpr int KopPunten = 8;
constexpr int NaamPunten = 9;
constexpr double TitelBand = 20;
constexpr double Rij = 16;
constexpr double NrKolom = 28;
constexpr double EindstandKolom = 60;
constexpr double KleinsteNaam = 150;
constexpr double Witregel = 10;
constexpr double ParenKop = 16;
constexpr double ParenRij = 20;
constexpr double ParenCel = 124; // "A–B", two score boxes and a dash between them
constexpr double ParenLabel = 32;
constexpr double ScoreVak = 32;
constexpr double Ondermarge = 20;
constexpr double Binnenrand = 4;

double Basis(double top) {
    return top + Rij - 4.5;
}

} // namespace

TPoulesAfdruk::TPoulesAfdruk(const TDeelnemerLijst& deelnemers, Afdruk::TKop kop) {
    Kop = std::move(kop);
    if (Kop.Onderwerp.isEmpty())
        Kop.Onderwerp = QStringLiteral("Poules");
    const Poules::TPouleIndex index = Poules::MaakPouleIndex(deelnemers);
    const Afdruk::TMaat maat(Afdruk::Lettertype(NaamPunten));
    double breedste = 0;
    for (std::size_t p = 0; p < index.size(); ++p) {
        if (index[p].empty())
            continue;
        TPoule poule;
        poule.nummer = static_cast<int>(p) + 1;
        for (int lid : index[p]) {
            poule.namen << deelnemers[lid]->Naam();
            breedste = std::max(breedste, maat.Breedte(poule.namen.back()));
        }
        m_poules.push_back(std::move(poule));
    }
    m_naamBreedte = std::max(KleinsteNaam, breedste + 2 * Binnenrand);
}

QStringList TPoulesAfdruk::Paren(int grootte) {
    QStringList paren;
    for (int a = 0; a < grootte; ++a)
        for (int b = a + 1; b < grootte; ++b)
            paren << Poules::Letter(a) + QStringLiteral("–") + Poules::Letter(b);
    return paren;
}

double TPoulesAfdruk::Breedte() const {
    return std::max(NrKolom + m_naamBreedte + EindstandKolom, m_paarKolommen * ParenCel);
}

double TPoulesAfdruk::Hoogte(const TPoule& poule) const {
    const auto grootte = poule.namen.size();
    const auto paren = grootte * (grootte - 1) / 2;
    const auto rijen = (paren + m_paarKolommen - 1) / m_paarKolommen;
    return TitelBand + Rij * double(grootte + 1) + Witregel + ParenKop + ParenRij * double(rijen) +
           Ondermarge;
}

int TPoulesAfdruk::Opmaken(QSizeF romp) {
    m_bladen.assign(1, {});
    m_paarKolommen = std::max(1, static_cast<int>(romp.width() / ParenCel));
    const double schaal = std::min(1.0, romp.width() / Breedte());
    double y = 0;
    for (std::size_t p = 0; p < m_poules.size(); ++p) {
        const double hoogte = Hoogte(m_poules[p]);
        // A pool taller than a page is made smaller rather than split.
        const double eigen = std::min(schaal, romp.height() / hoogte);
        if (y > 0 && y + hoogte * eigen > romp.height()) {
            m_bladen.emplace_back();
            y = 0;
        }
        m_bladen.back().push_back({static_cast<int>(p), y, eigen});
        y += hoogte * eigen;
    }
    return static_cast<int>(m_bladen.size());
}

void TPoulesAfdruk::TekenPagina(QPainter& painter, int index) const {
    if (index < 0 || index >= static_cast<int>(m_bladen.size()))
        return;
    if (m_poules.empty()) {
        Afdruk::TekenGeenPoules(painter);
        return;
    }
    for (const TPlaats& plaats : m_bladen[index]) {
        painter.save();
        painter.translate(0, plaats.y);
        painter.scale(plaats.schaal, plaats.schaal);
        TekenPoule(painter, m_poules[plaats.poule], plaats.schaal);
        painter.restore();
    }
}

void TPoulesAfdruk::TekenPoule(QPainter& painter, const TPoule& poule, double schaal) const {
    // A pool made smaller keeps its lines printable.
    const QPen dun(Qt::black, Afdruk::DunsteLijn * 1.2 / schaal);
    painter.setPen(dun);
    painter.setFont(Afdruk::Lettertype(TitelPunten, true));
    painter.drawText(QPointF(0, TitelBand - 6), QStringLiteral("Poule %1").arg(poule.nummer));

    // The participants: letter, name, and a box for the final position.
    const double naamX = NrKolom;
    const double eindX = NrKolom + m_naamBreedte;
    const double tabelBreedte = eindX + EindstandKolom;
    double y = TitelBand;
    painter.setFont(Afdruk::Lettertype(KopPunten, true));
    painter.drawText(QPointF(Binnenrand, Basis(y)), QStringLiteral("Nr"));
    painter.drawText(QPointF(naamX + Binnenrand, Basis(y)), QStringLiteral("Naam"));
    painter.drawText(QPointF(eindX + Binnenrand, Basis(y)), QStringLiteral("Eindstand"));
    const double tabelTop = y;
    y += Rij;
    painter.setFont(Afdruk::Lettertype(NaamPunten));
    for (int lid = 0; lid < poule.namen.size(); ++lid) {
        painter.drawLine(QPointF(0, y), QPointF(tabelBreedte, y));
        painter.drawText(QPointF(Binnenrand, Basis(y)), Poules::Letter(lid));
        painter.drawText(QPointF(naamX + Binnenrand, Basis(y)), poule.namen[lid]);
        y += Rij;
    }
    painter.drawRect(QRectF(0, tabelTop, tabelBreedte, y - tabelTop));
    for (double x : {naamX, eindX})
        painter.drawLine(QPointF(x, tabelTop), QPointF(x, y));

    // Every pair with an empty score on either side of a dash.
    y += Witregel;
    painter.setFont(Afdruk::Lettertype(KopPunten, true));
    painter.drawText(QPointF(0, y + ParenKop - 5), QStringLiteral("Wedstrijden"));
    y += ParenKop;
    painter.setFont(Afdruk::Lettertype(NaamPunten));
    const QStringList paren = Paren(static_cast<int>(poule.namen.size()));
    for (int i = 0; i < paren.size(); ++i) {
        const double x = (i % m_paarKolommen) * ParenCel;
        const double top = y + (i / m_paarKolommen) * ParenRij;
        painter.drawText(QPointF(x, top + ParenRij - 6), paren[i]);
        const QRectF links(x + ParenLabel, top + 2, ScoreVak, ParenRij - 4);
        painter.drawRect(links);
        painter.drawRect(links.translated(ScoreVak + 12, 0));
        painter.drawLine(QPointF(links.right() + 3, top + ParenRij / 2),
                         QPointF(links.right() + 9, top + ParenRij / 2));
    }
}
