#include "print/WedstrijdbladAfdruk.h"

#include "model/Poules.h"
#include "print/AfdrukKeuze.h"
#include "print/PoulesAfdruk.h"

#include <QPainter>

#include <algorithm>
#include <map>

namespace PW = Poulewedstrijden;

namespace {

constexpr int TitelPunten = 11;
constexpr int KopPunten = 8;
constexpr int NaamPunten = 9;
constexpr double TitelBand = 20;
constexpr double Rij = 16;
constexpr double Witregel = 10;
constexpr double Ondermarge = 20;
constexpr double Binnenrand = 4;
// A name column is never narrower than this; longer names are set smaller
// and, past the legible size, shortened.
constexpr double KleinsteNaam = 96;
constexpr double GrootsteNaam = 190;
// The cross table.
constexpr double NrKolom = 22;
constexpr double KruisKolom = 30;
constexpr double PuntenKolom = 30;
constexpr double SaldoKolom = 34;
constexpr double PlaatsKolom = 30;
// The match list: round, two letters with names, and a box pair per game.
constexpr double RondeKolom = 36;
constexpr double LetterKolom = 14;
constexpr double Streep = 14;
constexpr double ScoreVak = 15;
constexpr double GameCel = 2 * ScoreVak + 12; // two boxes, a dash, a gap

const QColor Diagonaal(205, 205, 205);
const QColor Grijs(90, 90, 90);

double Basis(double top) {
    return top + Rij - 4.5;
}

int Games(PW::TSpelvorm spelvorm) {
    switch (spelvorm) {
    case PW::TSpelvorm::Badminton:
        return 3;
    case PW::TSpelvorm::Tafeltennis:
        return 5;
    case PW::TSpelvorm::Score:
        break;
    }
    return 1;
}

// Games won by A and by B; under one score per side the scores themselves.
std::pair<int, int> Telling(PW::TSpelvorm spelvorm, const PW::TGames& games) {
    if (spelvorm == PW::TSpelvorm::Score)
        return games.empty() ? std::pair{0, 0} : std::pair{games.front().A, games.front().B};
    std::pair<int, int> gewonnen{0, 0};
    for (const PW::TGame& game : games) {
        if (game.A > game.B)
            ++gewonnen.first;
        else if (game.B > game.A)
            ++gewonnen.second;
    }
    return gewonnen;
}

QString MetTeken(int getal) {
    return getal > 0 ? QStringLiteral("+%1").arg(getal) : QString::number(getal);
}

double NaamRuimte(double beschikbaar, double langste) {
    return std::clamp(beschikbaar, KleinsteNaam, std::max(KleinsteNaam, langste));
}

} // namespace

QString TWedstrijdbladAfdruk::Kruisscore(PW::TSpelvorm spelvorm, const PW::TGames& games,
                                         bool alsA) {
    if (games.empty())
        return {};
    auto [a, b] = Telling(spelvorm, games);
    if (!alsA)
        std::swap(a, b);
    return QStringLiteral("%1-%2").arg(a).arg(b);
}

TWedstrijdbladAfdruk::TWedstrijdbladAfdruk(const TDeelnemerLijst& deelnemers,
                                           const PW::TPoulewedstrijden& wedstrijden,
                                           Afdruk::TKop kop) {
    Kop = std::move(kop);
    if (Kop.Onderwerp.isEmpty())
        Kop.Onderwerp = QStringLiteral("Poulewedstrijden");
    m_spelvorm = wedstrijden.Telling.Spelvorm;
    const bool punten = wedstrijden.Telling.Systeem == PW::TSysteem::Tafeltennis ||
                        wedstrijden.Telling.Systeem == PW::TSysteem::Punten;
    m_puntenKop = punten ? QStringLiteral("Ptn") : QStringLiteral("Gew.");
    const Afdruk::TMaat maat(Afdruk::Lettertype(NaamPunten, true));
    double breedste = 0;
    const Poules::TPouleIndex index = Poules::MaakPouleIndex(deelnemers);
    for (std::size_t p = 0; p < index.size(); ++p) {
        const std::vector<int>& leden = index[p];
        if (leden.empty())
            continue;
        TPoule poule;
        poule.nummer = static_cast<int>(p) + 1;
        std::map<int, int> letter; // running list index -> letter
        for (int lid : leden) {
            letter[lid] = static_cast<int>(poule.namen.size());
            // On paper a withdrawal has to be read, not seen struck through.
            poule.namen << deelnemers[std::size_t(lid)]->Naam() +
                               (deelnemers[std::size_t(lid)]->Teruggetrokken
                                    ? QStringLiteral(" (teruggetrokken)")
                                    : QString());
            breedste = std::max(breedste, maat.Breedte(poule.namen.back()));
        }
        const int n = static_cast<int>(leden.size());
        // A pool the file brought without its matches still gets the order
        // they are to be played in.
        const PW::TPoule leeg;
        const PW::TPoule& data = p < wedstrijden.Poules.size() ? wedstrijden.Poules[p] : leeg;
        const std::vector<PW::TPouleWedstrijd> schema =
            data.Wedstrijden.empty() ? PW::MaakSchema(leden) : data.Wedstrijden;

        poule.kruis.assign(std::size_t(n), QStringList(n, QString()));
        int vorigeRonde = 0;
        std::vector<bool> speelt(std::size_t(n), false);
        auto sluitRonde = [&] {
            // With an odd number one player sits out each round.
            if (vorigeRonde == 0 || n % 2 == 0)
                return;
            for (int i = 0; i < n; ++i)
                if (!speelt[std::size_t(i)])
                    poule.regels.push_back({vorigeRonde, false, i, -1, {}, -1});
        };
        for (const PW::TPouleWedstrijd& wedstrijd : schema) {
            const auto a = letter.find(wedstrijd.A);
            const auto b = letter.find(wedstrijd.B);
            if (a == letter.end() || b == letter.end())
                continue;
            if (wedstrijd.Ronde != vorigeRonde) {
                sluitRonde();
                speelt.assign(std::size_t(n), false);
            }
            TRegel regel{
                wedstrijd.Ronde, wedstrijd.Ronde != vorigeRonde, a->second, b->second, {}, -1};
            vorigeRonde = wedstrijd.Ronde;
            speelt[std::size_t(a->second)] = speelt[std::size_t(b->second)] = true;
            if (wedstrijd.Afloop != TAfloop::Gespeeld) {
                // Not played out: how it ended, any score so far, and the
                // winner whatever that score says.
                regel.uitslag = PW::UitslagTekst(wedstrijd, QString());
                regel.winnaar = wedstrijd.AfloopVerliezer() == wedstrijd.A ? b->second : a->second;
                poule.kruis[std::size_t(a->second)][b->second] =
                    poule.kruis[std::size_t(b->second)][a->second] =
                        AfloopAfkorting(wedstrijd.Afloop);
            } else if (wedstrijd.Gespeeld()) {
                regel.uitslag = PW::GamesTekst(wedstrijd.Games);
                const auto [voorA, voorB] = Telling(m_spelvorm, wedstrijd.Games);
                regel.winnaar = voorA > voorB ? a->second : voorB > voorA ? b->second : -1;
                poule.kruis[std::size_t(a->second)][b->second] =
                    Kruisscore(m_spelvorm, wedstrijd.Games, true);
                poule.kruis[std::size_t(b->second)][a->second] =
                    Kruisscore(m_spelvorm, wedstrijd.Games, false);
            }
            poule.regels.push_back(std::move(regel));
        }
        sluitRonde();

        // The figures of everyone who has played; the place once it is known.
        poule.gewonnen = poule.saldo = poule.plaats = QStringList(n, QString());
        if (!data.Wedstrijden.empty()) {
            const PW::TStand stand = PW::BerekenStand(wedstrijden.Telling, leden, data,
                                                      PW::Teruggetrokken(deelnemers, leden));
            for (const PW::TStandRij& rij : stand.Rijen) {
                const auto plek = letter.find(rij.Deelnemer);
                if (plek == letter.end() || rij.Gespeeld == 0)
                    continue;
                const int i = plek->second;
                poule.gewonnen[i] = QString::number(punten ? rij.Punten : rij.Gewonnen);
                poule.saldo[i] =
                    MetTeken(m_spelvorm == PW::TSpelvorm::Score ? rij.PuntenVoor - rij.PuntenTegen
                                                                : rij.GamesVoor - rij.GamesTegen);
            }
        }
        for (int i = 0; i < n; ++i)
            if (const int positie = deelnemers[std::size_t(leden[std::size_t(i)])]->Positie;
                positie >= 1)
                poule.plaats[i] = QString::number(positie);
        m_poules.push_back(std::move(poule));
    }
    m_naamBreedte = std::min(GrootsteNaam, breedste + 2 * Binnenrand);
}

double TWedstrijdbladAfdruk::Hoogte(const TPoule& poule, bool kruis, std::size_t regels) const {
    const double kruistabel = kruis ? Rij * double(poule.namen.size() + 1) + Witregel : 0;
    return TitelBand + kruistabel + Rij + Rij * double(regels) + Ondermarge;
}

namespace {

// The fixed columns of a cross table of `n` and of the match list.
double KruisVast(int n) {
    return NrKolom + n * KruisKolom + PuntenKolom + SaldoKolom + PlaatsKolom;
}

double LijstVast(PW::TSpelvorm spelvorm) {
    return RondeKolom + 2 * LetterKolom + Streep + Games(spelvorm) * GameCel;
}

} // namespace

double TWedstrijdbladAfdruk::Breedte(const TPoule& poule) const {
    const int n = static_cast<int>(poule.namen.size());
    return std::max(KruisVast(n) + KleinsteNaam, LijstVast(m_spelvorm) + 2 * KleinsteNaam);
}

int TWedstrijdbladAfdruk::Opmaken(QSizeF romp) {
    m_bladen.assign(1, {});
    m_breedte = romp.width();
    double y = 0;
    for (std::size_t p = 0; p < m_poules.size(); ++p) {
        const TPoule& poule = m_poules[p];
        const std::size_t regels = poule.regels.size();
        const double hoogte = Hoogte(poule, true, regels);
        // A pool too wide for the page is made smaller.
        double schaal = std::min(1.0, romp.width() / Breedte(poule));
        if (hoogte * schaal <= romp.height()) {
            if (y > 0 && y + hoogte * schaal > romp.height()) {
                m_bladen.emplace_back();
                y = 0;
            }
            m_bladen.back().push_back({static_cast<int>(p), y, schaal, 0, regels, true});
            y += hoogte * schaal;
            continue;
        }
        // Taller than a page: it starts on a page of its own and goes on
        // over the next, broken between rounds. Only a cross table with
        // one round that does not fit a page makes it smaller.
        std::size_t eersteRonde = 1;
        while (eersteRonde < regels && !poule.regels[eersteRonde].begin)
            ++eersteRonde;
        schaal = std::min(schaal, romp.height() / Hoogte(poule, true, eersteRonde));
        if (y > 0) {
            m_bladen.emplace_back();
            y = 0;
        }
        for (std::size_t van = 0; van < regels;) {
            const bool kruis = van == 0;
            const double ruimte = romp.height() / schaal - Hoogte(poule, kruis, 0);
            std::size_t tot =
                std::min(regels, van + std::max<std::size_t>(1, std::size_t(ruimte / Rij)));
            if (tot < regels) {
                std::size_t ronde = tot;
                while (ronde > van && !poule.regels[ronde].begin)
                    --ronde;
                if (ronde > van)
                    tot = ronde;
            }
            if (!kruis) {
                m_bladen.emplace_back();
                y = 0;
            }
            m_bladen.back().push_back({static_cast<int>(p), y, schaal, van, tot, kruis});
            y += Hoogte(poule, kruis, tot - van) * schaal;
            van = tot;
        }
    }
    return static_cast<int>(m_bladen.size());
}

void TWedstrijdbladAfdruk::TekenPagina(QPainter& painter, int index) const {
    if (index < 0 || index >= static_cast<int>(m_bladen.size()))
        return;
    if (m_poules.empty()) {
        Afdruk::TekenGeenPoules(painter);
        return;
    }
    for (const TPlaats& plaats : m_bladen[std::size_t(index)]) {
        painter.save();
        painter.translate(0, plaats.y);
        painter.scale(plaats.schaal, plaats.schaal);
        TekenPoule(painter, plaats);
        painter.restore();
    }
}

void TWedstrijdbladAfdruk::TekenPoule(QPainter& painter, const TPlaats& plaats) const {
    const TPoule& poule = m_poules[std::size_t(plaats.poule)];
    // A pool made smaller keeps its lines printable.
    painter.setPen(QPen(Qt::black, Afdruk::DunsteLijn * 1.2 / plaats.schaal));
    painter.setFont(Afdruk::Lettertype(TitelPunten, true));
    painter.drawText(QPointF(0, TitelBand - 6),
                     plaats.kruis ? QStringLiteral("Poule %1").arg(poule.nummer)
                                  : QStringLiteral("Poule %1 (vervolg)").arg(poule.nummer));
    double y = TitelBand;
    if (plaats.kruis) {
        TekenKruistabel(painter, poule, y);
        y += Rij * double(poule.namen.size() + 1) + Witregel;
    }
    TekenRondes(painter, poule, y, plaats.van, plaats.tot);
}

void TWedstrijdbladAfdruk::TekenKruistabel(QPainter& painter, const TPoule& poule,
                                           double top) const {
    const int n = static_cast<int>(poule.namen.size());
    const double naamRuimte = NaamRuimte(m_breedte - KruisVast(n), m_naamBreedte);
    // Column edges: number, name, one per opponent, wins, balance, place.
    std::vector<double> x{0, NrKolom, NrKolom + naamRuimte};
    for (int k = 0; k < n; ++k)
        x.push_back(x.back() + KruisKolom);
    for (double breedte : {PuntenKolom, SaldoKolom, PlaatsKolom})
        x.push_back(x.back() + breedte);
    const double rechts = x.back();
    const double onder = top + Rij * (n + 1);

    auto midden = [&](const QString& tekst, std::size_t kolom, double y) {
        const double breedte = x[kolom + 1] - x[kolom];
        const Afdruk::TMaat maat(painter.font());
        Afdruk::TekenPassend(
            painter, painter.font(), maat,
            QPointF(x[kolom] + std::max(1.0, (breedte - maat.Breedte(tekst)) / 2), Basis(y)), tekst,
            breedte - 2, 0.7);
    };
    painter.setFont(Afdruk::Lettertype(KopPunten, true));
    painter.drawText(QPointF(Binnenrand, Basis(top)), QStringLiteral("Nr"));
    painter.drawText(QPointF(x[1] + Binnenrand, Basis(top)), QStringLiteral("Naam"));
    for (int k = 0; k < n; ++k)
        midden(Poules::Letter(k), std::size_t(k) + 2, top);
    const QStringList staart{m_puntenKop, QStringLiteral("Saldo"), QStringLiteral("Pl.")};
    for (int s = 0; s < 3; ++s)
        midden(staart[s], std::size_t(n + 2 + s), top);

    const QFont naamFont = Afdruk::Lettertype(NaamPunten);
    const Afdruk::TMaat naamMaat(naamFont);
    for (int r = 0; r < n; ++r) {
        const double y = top + Rij * (r + 1);
        painter.fillRect(QRectF(x[std::size_t(r) + 2], y, KruisKolom, Rij), Diagonaal);
        painter.drawLine(QPointF(0, y), QPointF(rechts, y));
        painter.setFont(Afdruk::Lettertype(NaamPunten, true));
        painter.drawText(QPointF(Binnenrand, Basis(y)), Poules::Letter(r));
        Afdruk::TekenPassend(painter, naamFont, naamMaat, QPointF(x[1] + Binnenrand, Basis(y)),
                             poule.namen[r], naamRuimte - 2 * Binnenrand,
                             Afdruk::KleinsteLetterMm * Afdruk::PuntenPerMm / NaamPunten);
        painter.setFont(naamFont);
        for (int k = 0; k < n; ++k)
            if (!poule.kruis[std::size_t(r)][k].isEmpty())
                midden(poule.kruis[std::size_t(r)][k], std::size_t(k) + 2, y);
        midden(poule.gewonnen[r], std::size_t(n) + 2, y);
        midden(poule.saldo[r], std::size_t(n) + 3, y);
        painter.setFont(Afdruk::Lettertype(NaamPunten, true));
        midden(poule.plaats[r], std::size_t(n) + 4, y);
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0, top, rechts, onder - top));
    for (std::size_t k = 1; k + 1 < x.size(); ++k)
        painter.drawLine(QPointF(x[k], top), QPointF(x[k], onder));
}

void TWedstrijdbladAfdruk::TekenRondes(QPainter& painter, const TPoule& poule, double top,
                                       std::size_t van, std::size_t tot) const {
    const int games = Games(m_spelvorm);
    const double naamRuimte = NaamRuimte((m_breedte - LijstVast(m_spelvorm)) / 2, m_naamBreedte);
    const double aX = RondeKolom;
    const double streepX = aX + LetterKolom + naamRuimte;
    const double bX = streepX + Streep;
    const double scoreX = bX + LetterKolom + naamRuimte;
    const double rechts = scoreX + games * GameCel;

    painter.setFont(Afdruk::Lettertype(KopPunten, true));
    painter.drawText(QPointF(0, Basis(top)), QStringLiteral("Ronde"));
    painter.drawText(QPointF(aX, Basis(top)), QStringLiteral("Wedstrijd"));
    painter.drawText(QPointF(scoreX, Basis(top)), m_spelvorm == PW::TSpelvorm::Score
                                                      ? QStringLiteral("Uitslag")
                                                      : QStringLiteral("Uitslag per game"));
    const QFont gewoon = Afdruk::Lettertype(NaamPunten);
    const QFont vet = Afdruk::Lettertype(NaamPunten, true);
    const Afdruk::TMaat gewoneMaat(gewoon);
    const Afdruk::TMaat vetteMaat(vet);
    const double kleinste = Afdruk::KleinsteLetterMm * Afdruk::PuntenPerMm / NaamPunten;
    auto naam = [&](int letter, double x, double y, bool wint) {
        painter.setFont(vet);
        painter.drawText(QPointF(x, Basis(y)), Poules::Letter(letter));
        Afdruk::TekenPassend(painter, wint ? vet : gewoon, wint ? vetteMaat : gewoneMaat,
                             QPointF(x + LetterKolom, Basis(y)), poule.namen[letter],
                             naamRuimte - Binnenrand, kleinste);
    };

    double y = top + Rij;
    for (std::size_t i = van; i < tot && i < poule.regels.size(); ++i) {
        const TRegel& regel = poule.regels[i];
        // A page that goes on within a round names it again.
        if (regel.begin || i == van) {
            painter.drawLine(QPointF(0, y), QPointF(rechts, y));
            painter.setFont(vet);
            painter.drawText(QPointF(Binnenrand, Basis(y)), QString::number(regel.ronde));
        }
        if (regel.b < 0) {
            painter.save();
            painter.setPen(Grijs);
            painter.setFont(gewoon);
            painter.drawText(QPointF(aX, Basis(y)), QStringLiteral("vrij:"));
            painter.restore();
            painter.save();
            painter.setPen(Grijs);
            naam(regel.a, aX + gewoneMaat.Breedte(QStringLiteral("vrij: ")), y, false);
            painter.restore();
            y += Rij;
            continue;
        }
        naam(regel.a, aX, y, regel.winnaar == regel.a);
        painter.setFont(gewoon);
        painter.drawText(QPointF(streepX + 3, Basis(y)), QStringLiteral("–"));
        naam(regel.b, bX, y, regel.winnaar == regel.b);
        if (!regel.uitslag.isEmpty()) {
            painter.setFont(gewoon);
            Afdruk::TekenPassend(painter, gewoon, gewoneMaat, QPointF(scoreX, Basis(y)),
                                 regel.uitslag, rechts - scoreX, 0.6);
        } else {
            // Room to write each game's score by hand.
            for (int g = 0; g < games; ++g) {
                const QRectF links(scoreX + g * GameCel, y + 2, ScoreVak, Rij - 4);
                painter.drawRect(links);
                painter.drawRect(links.translated(ScoreVak + 6, 0));
                painter.drawLine(QPointF(links.right() + 1.5, y + Rij / 2),
                                 QPointF(links.right() + 4.5, y + Rij / 2));
            }
        }
        y += Rij;
    }
}

std::unique_ptr<Afdruk::TDocument> MaakPoulesAfdruk(const TDeelnemerLijst& deelnemers,
                                                    const PW::TPoulewedstrijden& wedstrijden,
                                                    const Afdruk::TKop& kop) {
    auto poulebladen = std::make_unique<TPoulesAfdruk>(deelnemers, kop);
    if (wedstrijden.Leeg())
        return poulebladen;
    Afdruk::TKop wedstrijdKop = kop;
    wedstrijdKop.Onderwerp = QStringLiteral("Poulewedstrijden");
    auto keuze = std::make_unique<TAfdrukKeuze>();
    keuze->VoegToe(QStringLiteral("Wedstrijdbladen"),
                   std::make_unique<TWedstrijdbladAfdruk>(deelnemers, wedstrijden, wedstrijdKop));
    keuze->VoegToe(QStringLiteral("Poulebladen"), std::move(poulebladen));
    return keuze;
}
