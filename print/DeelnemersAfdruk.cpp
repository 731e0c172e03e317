#include "print/DeelnemersAfdruk.h"

#include <QHash>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int NaamPunten = 9;
constexpr int KopPunten = 8;
constexpr double Rij = 14;
constexpr double KopRij = 18;
constexpr double PouleKolom = 40;
constexpr double PositieKolom = 32;
constexpr double Kolomruimte = 24;
constexpr double Binnenrand = 4;
constexpr double KleinsteNaam = 90; // room for a name when it must give way

} // namespace

TDeelnemersAfdruk::TDeelnemersAfdruk(std::vector<TRij> rijen, Afdruk::TKop kop)
    : m_rijen(std::move(rijen)) {
    Kop = std::move(kop);
    if (Kop.Onderwerp.isEmpty())
        Kop.Onderwerp = QStringLiteral("Deelnemers");
    const Afdruk::TMaat maat(Afdruk::Lettertype(NaamPunten));
    m_nrBreedte = maat.Breedte(QString::number(m_rijen.size()) + u'.') + 2 * Binnenrand;
    double breedste = maat.Breedte(QStringLiteral("Naam"));
    for (const TRij& rij : m_rijen)
        breedste = std::max(breedste, maat.Breedte(rij.Naam));
    m_naamBreedte = breedste + 2 * Binnenrand;
}

std::vector<TDeelnemersAfdruk::TRij> TDeelnemersAfdruk::Rijen(const Deelnemerslijst::TNamen& namen,
                                                              const TDeelnemerLijst& toernooi) {
    QHash<QPair<QString, QString>, const TDeelnemer*> opNaam;
    for (const auto& deelnemer : toernooi)
        opNaam.insert({deelnemer->Voornaam, deelnemer->Achternaam}, deelnemer.get());
    std::vector<TRij> rijen;
    rijen.reserve(namen.size());
    for (const Deelnemerslijst::TNaam& naam : namen) {
        TRij rij{TDeelnemer(naam.Voornaam, naam.Achternaam).Naam()};
        if (const TDeelnemer* deelnemer = opNaam.value({naam.Voornaam, naam.Achternaam})) {
            rij.Poule = deelnemer->Poule;
            rij.Positie = deelnemer->Positie;
        }
        rijen.push_back(std::move(rij));
    }
    return rijen;
}

int TDeelnemersAfdruk::Opmaken(QSizeF romp) {
    const double vast = m_nrBreedte + PouleKolom + PositieKolom;
    m_naamRuimte = m_naamBreedte;
    const auto rijen = static_cast<std::size_t>(std::max(1.0, (romp.height() - KopRij) / Rij));
    if (m_rijen.size() > rijen)
        m_naamRuimte = std::min(m_naamBreedte,
                                std::max(KleinsteNaam, (romp.width() - Kolomruimte) / 2 - vast));
    const double kolom = vast + m_naamRuimte;
    m_schaal = std::min(1.0, romp.width() / kolom);
    const double breedte = romp.width() / m_schaal;
    const double hoogte = romp.height() / m_schaal;
    m_perKolom = std::max(1, static_cast<int>((hoogte - KopRij) / Rij));
    m_kolommen = std::max(1, static_cast<int>((breedte + Kolomruimte) / (kolom + Kolomruimte)));
    const int perBlad = m_perKolom * m_kolommen;
    return std::max(1, static_cast<int>((m_rijen.size() + perBlad - 1) / perBlad));
}

void TDeelnemersAfdruk::TekenPagina(QPainter& painter, int index) const {
    painter.save();
    painter.scale(m_schaal, m_schaal);
    painter.setPen(QPen(Qt::black, Afdruk::DunsteLijn / m_schaal));
    const QFont kop = Afdruk::Lettertype(KopPunten, true);
    const QFont naam = Afdruk::Lettertype(NaamPunten);
    const Afdruk::TMaat maat(naam);
    const double kolom = m_nrBreedte + m_naamRuimte + PouleKolom + PositieKolom;
    const double kleinste = Afdruk::KleinsteLetterMm * Afdruk::PuntenPerMm / NaamPunten / m_schaal;
    const std::size_t eerste = std::size_t(index) * m_perKolom * m_kolommen;
    for (int k = 0; k < m_kolommen; ++k) {
        const std::size_t begin = eerste + std::size_t(k) * m_perKolom;
        if (begin >= m_rijen.size() && !(index == 0 && k == 0))
            break;
        const double x = k * (kolom + Kolomruimte);
        const double pouleX = x + m_nrBreedte + m_naamRuimte;
        const double posX = pouleX + PouleKolom;
        painter.setFont(kop);
        painter.drawText(QPointF(x + m_nrBreedte + Binnenrand, KopRij - 6), QStringLiteral("Naam"));
        painter.drawText(QPointF(pouleX + Binnenrand, KopRij - 6), QStringLiteral("Poule"));
        painter.drawText(QPointF(posX + Binnenrand, KopRij - 6), QStringLiteral("Pos"));
        painter.drawLine(QPointF(x, KopRij - 1), QPointF(x + kolom, KopRij - 1));
        painter.setFont(naam);
        const std::size_t eind = std::min(m_rijen.size(), begin + std::size_t(m_perKolom));
        for (std::size_t i = begin; i < eind; ++i) {
            const TRij& rij = m_rijen[i];
            const double basis = KopRij + double(i - begin + 1) * Rij - 4;
            const QString nummer = QString::number(i + 1) + u'.';
            painter.drawText(QPointF(x + m_nrBreedte - Binnenrand - maat.Breedte(nummer), basis),
                             nummer);
            Afdruk::TekenPassend(painter, naam, maat, QPointF(x + m_nrBreedte + Binnenrand, basis),
                                 rij.Naam, m_naamRuimte - 2 * Binnenrand, kleinste);
            if (rij.Poule > 0)
                painter.drawText(QPointF(pouleX + Binnenrand, basis), QString::number(rij.Poule));
            if (rij.Positie >= 1)
                painter.drawText(QPointF(posX + Binnenrand, basis), QString::number(rij.Positie));
        }
    }
    painter.restore();
}
