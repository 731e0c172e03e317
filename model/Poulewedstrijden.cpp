#include "model/Poulewedstrijden.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace Poulewedstrijden {

// ------------------------------------------------------------------ schedule

std::vector<TParen> BergerRondes(int aantal) {
    if (aantal < 2)
        return {};
    // An odd pool plays as the next even one; whoever meets the missing
    // highest number sits out.
    const int even = aantal + aantal % 2;
    const int kring = even - 1; // everyone but the highest turns around a circle
    const auto opKring = [kring](int nummer) { return ((nummer - 1) % kring + kring) % kring + 1; };
    std::vector<TParen> rondes;
    rondes.reserve(static_cast<std::size_t>(kring));
    int tegenHoogste = 1;
    for (int ronde = 0; ronde < kring; ++ronde) {
        TParen paren;
        paren.reserve(static_cast<std::size_t>(even / 2));
        // The highest number changes colour every round: second in the first.
        if (even == aantal) {
            if (ronde % 2 == 0)
                paren.emplace_back(tegenHoogste, even);
            else
                paren.emplace_back(even, tegenHoogste);
        }
        for (int k = 1; k < even / 2; ++k)
            paren.emplace_back(opKring(tegenHoogste + k), opKring(tegenHoogste - k));
        rondes.push_back(std::move(paren));
        tegenHoogste = opKring(tegenHoogste + even / 2);
    }
    return rondes;
}

std::vector<TPouleWedstrijd> MaakSchema(const std::vector<int>& leden,
                                        const std::vector<TPouleWedstrijd>& vorige) {
    std::vector<TPouleWedstrijd> schema;
    const std::vector<TParen> rondes = BergerRondes(static_cast<int>(leden.size()));
    for (std::size_t r = 0; r < rondes.size(); ++r) {
        for (const auto& [eerste, tweede] : rondes[r]) {
            TPouleWedstrijd wedstrijd;
            wedstrijd.Ronde = static_cast<int>(r) + 1;
            wedstrijd.A = leden[static_cast<std::size_t>(eerste - 1)];
            wedstrijd.B = leden[static_cast<std::size_t>(tweede - 1)];
            for (const TPouleWedstrijd& oud : vorige) {
                // How the match ended goes with its score, or a w.o. would
                // come back unplayed and a retirement as a finished match.
                if (oud.A == wedstrijd.A && oud.B == wedstrijd.B) {
                    wedstrijd.Games = oud.Games;
                    wedstrijd.Afloop = oud.Afloop;
                    wedstrijd.Verliezer = oud.Verliezer;
                } else if (oud.A == wedstrijd.B && oud.B == wedstrijd.A) {
                    for (const TGame& game : oud.Games)
                        wedstrijd.Games.push_back({game.B, game.A});
                    wedstrijd.Afloop = oud.Afloop;
                    wedstrijd.Verliezer = oud.Verliezer < 0 ? -1 : 1 - oud.Verliezer;
                }
            }
            schema.push_back(std::move(wedstrijd));
        }
    }
    return schema;
}

std::vector<TPouleWedstrijd> VervallenUitslagen(const std::vector<int>& leden,
                                                const std::vector<TPouleWedstrijd>& vorige) {
    const auto lid = [&leden](int deelnemer) {
        return std::find(leden.begin(), leden.end(), deelnemer) != leden.end();
    };
    std::vector<TPouleWedstrijd> vervallen;
    for (const TPouleWedstrijd& wedstrijd : vorige)
        if (wedstrijd.Gespeeld() && !(lid(wedstrijd.A) && lid(wedstrijd.B)))
            vervallen.push_back(wedstrijd);
    return vervallen;
}

QString UitslagTekst(const TPouleWedstrijd& wedstrijd, const QString& winnaar) {
    if (wedstrijd.Afloop == TAfloop::Gespeeld)
        return GamesTekst(wedstrijd.Games);
    QString tekst = AfloopAfkorting(wedstrijd.Afloop);
    if (!wedstrijd.Games.empty())
        tekst += u' ' + GamesTekst(wedstrijd.Games);
    if (!winnaar.isEmpty())
        tekst += QStringLiteral(", winst ") + winnaar;
    return tekst;
}

// ------------------------------------------------------------------ scoring

QString CriteriumTekst(TCriterium criterium) {
    switch (criterium) {
    case TCriterium::Gewonnen:
        return QStringLiteral("gewonnen");
    case TCriterium::Wedstrijdpunten:
        return QStringLiteral("wedstrijdpunten");
    case TCriterium::Punten:
        return QStringLiteral("punten");
    case TCriterium::OnderlingDuel:
    case TCriterium::WedstrijdpuntenOnderling:
    case TCriterium::PuntenOnderling:
        return QStringLiteral("onderling");
    case TCriterium::GamequotientOnderling:
        return QStringLiteral("gamequotiënt");
    case TCriterium::PuntquotientOnderling:
        return QStringLiteral("puntquotiënt");
    case TCriterium::Gamesaldo:
        return QStringLiteral("gamesaldo");
    case TCriterium::Puntsaldo:
        return QStringLiteral("puntsaldo");
    case TCriterium::PuntenVoor:
        return QStringLiteral("gescoord");
    case TCriterium::Lot:
        return QStringLiteral("lot");
    }
    return {};
}

QString CriteriumNaam(TCriterium criterium) {
    switch (criterium) {
    case TCriterium::Gewonnen:
        return QStringLiteral("Gewonnen wedstrijden");
    case TCriterium::Wedstrijdpunten:
        return QStringLiteral("Wedstrijdpunten (winst 2, verlies 1)");
    case TCriterium::Punten:
        return QStringLiteral("Punten (winst, gelijk, verlies)");
    case TCriterium::OnderlingDuel:
        return QStringLiteral("Onderlinge wedstrijd (bij twee gelijken)");
    case TCriterium::WedstrijdpuntenOnderling:
        return QStringLiteral("Wedstrijdpunten onderling");
    case TCriterium::PuntenOnderling:
        return QStringLiteral("Punten onderling");
    case TCriterium::GamequotientOnderling:
        return QStringLiteral("Gamequotiënt onderling");
    case TCriterium::PuntquotientOnderling:
        return QStringLiteral("Puntquotiënt onderling");
    case TCriterium::Gamesaldo:
        return QStringLiteral("Gamesaldo");
    case TCriterium::Puntsaldo:
        return QStringLiteral("Puntsaldo");
    case TCriterium::PuntenVoor:
        return QStringLiteral("Gescoorde punten");
    case TCriterium::Lot:
        return QStringLiteral("Lot");
    }
    return {};
}

TTelling Preset(TSysteem systeem) {
    TTelling telling;
    telling.Systeem = systeem;
    switch (systeem) {
    case TSysteem::Tafeltennis:
        telling.Spelvorm = TSpelvorm::Tafeltennis;
        telling.Volgorde = {TCriterium::Wedstrijdpunten, TCriterium::WedstrijdpuntenOnderling,
                            TCriterium::GamequotientOnderling, TCriterium::PuntquotientOnderling};
        break;
    case TSysteem::Punten:
        telling.Spelvorm = TSpelvorm::Score;
        telling.Volgorde = {TCriterium::Punten, TCriterium::PuntenOnderling, TCriterium::Puntsaldo,
                            TCriterium::PuntenVoor};
        break;
    case TSysteem::Badminton:
    case TSysteem::Eigen: // starts from the badminton order
        telling.Spelvorm = TSpelvorm::Badminton;
        telling.Volgorde = {TCriterium::Gewonnen, TCriterium::OnderlingDuel, TCriterium::Gamesaldo,
                            TCriterium::Puntsaldo};
        break;
    }
    return telling;
}

QString SysteemNaam(TSysteem systeem) {
    switch (systeem) {
    case TSysteem::Badminton:
        return QStringLiteral("Badminton");
    case TSysteem::Tafeltennis:
        return QStringLiteral("Tafeltennis");
    case TSysteem::Punten:
        return QStringLiteral("Punten");
    case TSysteem::Eigen:
        return QStringLiteral("Eigen volgorde");
    }
    return {};
}

std::optional<TGames> LeesGames(const QString& tekst, QString* melding) {
    // Three digits are more than any game needs and keep the sums small.
    static const QRegularExpression game(
        QStringLiteral("\\G[\\s,;]*(\\d{1,3})\\s*[-:]\\s*(\\d{1,3})"));
    static const QRegularExpression rest(QStringLiteral("^[\\s,;]*$"));
    TGames games;
    qsizetype positie = 0;
    for (;;) {
        const QRegularExpressionMatch gevonden = game.match(tekst, positie);
        if (!gevonden.hasMatch())
            break;
        games.push_back({gevonden.captured(1).toInt(), gevonden.captured(2).toInt()});
        positie = gevonden.capturedEnd();
    }
    if (rest.match(tekst.mid(positie)).hasMatch())
        return games;
    if (melding)
        *melding = QStringLiteral("\"%1\" is geen reeks games; typ ze als 21-17 19-21 21-15.")
                       .arg(tekst.trimmed());
    return std::nullopt;
}

QString GamesTekst(const TGames& games) {
    QStringList delen;
    for (const TGame& game : games)
        delen << QStringLiteral("%1-%2").arg(game.A).arg(game.B);
    return delen.join(u' ');
}

namespace {

struct TGameRegels {
    int Tot;      // points that win a game without a fight for two
    int Plafond;  // the point that wins whatever the difference; 0: none
    int TeWinnen; // games that win the match
};

TGameRegels Regels(TSpelvorm spelvorm) {
    return spelvorm == TSpelvorm::Tafeltennis ? TGameRegels{11, 0, 3} : TGameRegels{21, 30, 2};
}

// Why a game is not a finished game; empty when it is.
QString GameFout(const TGameRegels& regels, const TGame& game) {
    const int winnaar = std::max(game.A, game.B);
    const int verliezer = std::min(game.A, game.B);
    if (winnaar < regels.Tot)
        return QStringLiteral("een game gaat tot %1 punten.").arg(regels.Tot);
    if (regels.Plafond > 0 && winnaar > regels.Plafond)
        return QStringLiteral("een game eindigt uiterlijk bij %1 punten.").arg(regels.Plafond);
    if (regels.Plafond > 0 && winnaar == regels.Plafond && verliezer == regels.Plafond - 1)
        return {};
    if (winnaar - verliezer < 2)
        return QStringLiteral("een game wordt gewonnen met twee punten verschil.");
    if (winnaar > regels.Tot && winnaar - verliezer > 2)
        return QStringLiteral("boven %1 punten eindigt een game zodra het verschil twee punten is.")
            .arg(regels.Tot);
    return {};
}

} // namespace

std::optional<QString> ControleerUitslag(TSpelvorm spelvorm, const TGames& games) {
    if (games.empty())
        return QStringLiteral("Er is geen uitslag ingevuld.");
    if (spelvorm == TSpelvorm::Score) {
        if (games.size() != 1)
            return QStringLiteral("Vul één uitslag in: de score van elke kant.");
        return std::nullopt;
    }
    const TGameRegels regels = Regels(spelvorm);
    int gewonnenA = 0;
    int gewonnenB = 0;
    for (std::size_t i = 0; i < games.size(); ++i) {
        const TGame& game = games[i];
        const QString nummer = QString::number(i + 1);
        if (gewonnenA == regels.TeWinnen || gewonnenB == regels.TeWinnen)
            return QStringLiteral("Game %1: de wedstrijd was al beslist.").arg(nummer);
        const QString fout = GameFout(regels, game);
        if (!fout.isEmpty())
            return QStringLiteral("Game %1: %2-%3 is geen uitslag; %4")
                .arg(nummer, QString::number(game.A), QString::number(game.B), fout);
        (game.A > game.B ? gewonnenA : gewonnenB)++;
    }
    if (gewonnenA < regels.TeWinnen && gewonnenB < regels.TeWinnen)
        return QStringLiteral(
                   "De wedstrijd is nog niet beslist: wie %1 games wint, wint de wedstrijd.")
            .arg(regels.TeWinnen);
    return std::nullopt;
}

std::optional<QString> ControleerOnderbroken(TSpelvorm spelvorm, const TGames& games) {
    if (games.empty())
        return std::nullopt;
    if (spelvorm == TSpelvorm::Score) {
        if (games.size() != 1)
            return QStringLiteral("Vul één uitslag in: de score van elke kant.");
        return std::nullopt;
    }
    const TGameRegels regels = Regels(spelvorm);
    int gewonnenA = 0;
    int gewonnenB = 0;
    for (std::size_t i = 0; i < games.size(); ++i) {
        const TGame& game = games[i];
        const QString nummer = QString::number(i + 1);
        if (gewonnenA == regels.TeWinnen || gewonnenB == regels.TeWinnen)
            return QStringLiteral("Game %1: de wedstrijd was al beslist.").arg(nummer);
        const QString fout = GameFout(regels, game);
        if (fout.isEmpty()) {
            (game.A > game.B ? gewonnenA : gewonnenB)++;
            continue;
        }
        // Only the last game may be under way, and only at a score the game
        // can still pass through.
        const int hoog = std::max(game.A, game.B);
        const bool onderweg = hoog < regels.Tot || (std::abs(game.A - game.B) < 2 &&
                                                    (regels.Plafond == 0 || hoog < regels.Plafond));
        if (i + 1 < games.size() || !onderweg)
            return QStringLiteral("Game %1: %2-%3 is geen stand; %4")
                .arg(nummer, QString::number(game.A), QString::number(game.B), fout);
    }
    if (gewonnenA == regels.TeWinnen || gewonnenB == regels.TeWinnen)
        return QStringLiteral("Deze games beslissen de wedstrijd al: vul de stand in op het "
                              "moment dat de wedstrijd werd afgebroken.");
    return std::nullopt;
}

// ------------------------------------------------------------- the standings

namespace {

// A fraction with a positive denominator, so that differences, counts and
// ratios compare alike.
struct TWaarde {
    long long Teller = 0;
    long long Noemer = 1;
    bool operator<(const TWaarde& ander) const {
        return Teller * ander.Noemer < ander.Teller * Noemer;
    }
    bool operator==(const TWaarde& ander) const {
        return Teller * ander.Noemer == ander.Teller * Noemer;
    }
};

// Won against lost as won / (won + lost), which orders as won / lost does
// and stays finite; nothing played counts as even.
TWaarde Quotient(long long voor, long long tegen) {
    if (voor + tegen == 0)
        return {1, 2};
    return {voor, voor + tegen};
}

// One played match as the standings count it, by row number.
struct TTelwedstrijd {
    int RijA = -1;
    int RijB = -1;
    int GamesA = 0;
    int GamesB = 0;
    int PuntenA = 0;
    int PuntenB = 0;
    int Uitkomst = 0;        // 1: A won, -1: B won, 0: a draw
    bool Uitgespeeld = true; // false: not played out, the loser earns nothing
};

struct TTotalen {
    int Gespeeld = 0, Gewonnen = 0, Gelijk = 0, Verloren = 0;
    int GamesVoor = 0, GamesTegen = 0, PuntenVoor = 0, PuntenTegen = 0;
    int Wedstrijdpunten = 0, Punten = 0;
};

class TRangschikking {
public:
    TRangschikking(const TTelling& telling, const std::vector<int>& leden, const TPoule& poule,
                   const std::vector<int>& teruggetrokken)
        : m_telling(telling)
        , m_leden(leden)
        , m_poule(poule)
        , m_vervallen(leden.size(), false) {
        // Under badminton a withdrawal or a disqualification voids all the
        // player's results; the other systems count each match on its own.
        if (m_telling.Spelvorm == TSpelvorm::Badminton) {
            for (int deelnemer : teruggetrokken)
                if (const int rij = Rij(deelnemer); rij >= 0)
                    m_vervallen[static_cast<std::size_t>(rij)] = true;
            for (const TPouleWedstrijd& wedstrijd : poule.Wedstrijden)
                if (wedstrijd.Afloop == TAfloop::Diskwalificatie && Rij(wedstrijd.A) >= 0 &&
                    Rij(wedstrijd.B) >= 0)
                    if (const int rij = Rij(wedstrijd.AfloopVerliezer()); rij >= 0)
                        m_vervallen[static_cast<std::size_t>(rij)] = true;
        }
        for (const TPouleWedstrijd& wedstrijd : poule.Wedstrijden)
            if (wedstrijd.Gespeeld())
                Tel(wedstrijd);
        m_alle = Totalen(std::vector<bool>(leden.size(), true));
    }

    TStand Stand() {
        std::vector<int> iedereen;
        for (std::size_t rij = 0; rij < m_leden.size(); ++rij)
            if (!m_vervallen[rij])
                iedereen.push_back(static_cast<int>(rij));
        m_beslist.assign(m_leden.size(),
                         m_telling.Volgorde.empty() ? TCriterium::Lot : m_telling.Volgorde.front());
        Orden(iedereen);
        // Those whose results are void close the pool, in list order: no
        // lot is needed to rank players who count as never having played.
        for (std::size_t rij = 0; rij < m_leden.size(); ++rij)
            if (m_vervallen[rij])
                m_volgorde.push_back({static_cast<int>(rij)});
        return Resultaat();
    }

private:
    int Rij(int deelnemer) const {
        const auto it = std::find(m_leden.begin(), m_leden.end(), deelnemer);
        return it == m_leden.end() ? -1 : static_cast<int>(it - m_leden.begin());
    }

    void Tel(const TPouleWedstrijd& wedstrijd) {
        TTelwedstrijd tel;
        tel.RijA = Rij(wedstrijd.A);
        tel.RijB = Rij(wedstrijd.B);
        if (tel.RijA < 0 || tel.RijB < 0 || m_vervallen[static_cast<std::size_t>(tel.RijA)] ||
            m_vervallen[static_cast<std::size_t>(tel.RijB)])
            return;
        if (wedstrijd.Afloop != TAfloop::Gespeeld) {
            TelNietUitgespeeld(wedstrijd, tel);
            return;
        }
        for (const TGame& game : wedstrijd.Games) {
            tel.PuntenA += game.A;
            tel.PuntenB += game.B;
            if (game.A > game.B)
                ++tel.GamesA;
            else if (game.B > game.A)
                ++tel.GamesB;
        }
        const bool score = m_telling.Spelvorm == TSpelvorm::Score;
        const int a = score ? tel.PuntenA : tel.GamesA;
        const int b = score ? tel.PuntenB : tel.GamesB;
        if (score)
            tel.GamesA = tel.GamesB = 0; // one score is no games
        tel.Uitkomst = a > b ? 1 : (b > a ? -1 : 0);
        m_gespeeld.push_back(tel);
    }

    // A match not played out: won by the other player whatever the score,
    // and counted by the game rule (see BerekenStand).
    void TelNietUitgespeeld(const TPouleWedstrijd& wedstrijd, TTelwedstrijd& tel) {
        const int verliezer = wedstrijd.AfloopVerliezer();
        if (verliezer < 0)
            return; // nobody lost: nothing to count
        tel.Uitkomst = verliezer == wedstrijd.B ? 1 : -1;
        tel.Uitgespeeld = false;
        switch (m_telling.Spelvorm) {
        case TSpelvorm::Badminton: {
            // The games finished and every point played, nothing made up.
            const TGameRegels regels = Regels(m_telling.Spelvorm);
            for (const TGame& game : wedstrijd.Games) {
                tel.PuntenA += game.A;
                tel.PuntenB += game.B;
                if (GameFout(regels, game).isEmpty())
                    ++(game.A > game.B ? tel.GamesA : tel.GamesB);
            }
            break;
        }
        case TSpelvorm::Tafeltennis:
            break; // no games and no points in the ratios
        case TSpelvorm::Score: {
            int winnaar = m_telling.WalkoverVoor;
            int verliezerScore = m_telling.WalkoverTegen;
            if (!wedstrijd.Games.empty()) {
                const TGame& stand = wedstrijd.Games.front();
                const int voor = tel.Uitkomst > 0 ? stand.A : stand.B;
                const int tegen = tel.Uitkomst > 0 ? stand.B : stand.A;
                if (voor - tegen > winnaar - verliezerScore) {
                    winnaar = voor;
                    verliezerScore = tegen;
                }
            }
            tel.PuntenA = tel.Uitkomst > 0 ? winnaar : verliezerScore;
            tel.PuntenB = tel.Uitkomst > 0 ? verliezerScore : winnaar;
            break;
        }
        }
        m_gespeeld.push_back(tel);
    }

    void TelKant(TTotalen& t, int uitkomst, int gamesVoor, int gamesTegen, int voor, int tegen,
                 bool uitgespeeld) const {
        ++t.Gespeeld;
        t.GamesVoor += gamesVoor;
        t.GamesTegen += gamesTegen;
        t.PuntenVoor += voor;
        t.PuntenTegen += tegen;
        if (uitkomst > 0) {
            ++t.Gewonnen;
            t.Wedstrijdpunten += 2;
            t.Punten += m_telling.PuntenWinst;
        } else if (uitkomst < 0) {
            ++t.Verloren;
            t.Wedstrijdpunten += uitgespeeld ? 1 : 0;
            t.Punten += m_telling.PuntenVerlies;
        } else {
            ++t.Gelijk;
            t.Wedstrijdpunten += 1;
            t.Punten += m_telling.PuntenGelijk;
        }
    }

    // The totals of every row over the matches among the rows in `binnen`.
    std::vector<TTotalen> Totalen(const std::vector<bool>& binnen) const {
        std::vector<TTotalen> totalen(m_leden.size());
        for (const TTelwedstrijd& w : m_gespeeld) {
            if (!binnen[static_cast<std::size_t>(w.RijA)] ||
                !binnen[static_cast<std::size_t>(w.RijB)])
                continue;
            TelKant(totalen[static_cast<std::size_t>(w.RijA)], w.Uitkomst, w.GamesA, w.GamesB,
                    w.PuntenA, w.PuntenB, w.Uitgespeeld);
            TelKant(totalen[static_cast<std::size_t>(w.RijB)], -w.Uitkomst, w.GamesB, w.GamesA,
                    w.PuntenB, w.PuntenA, w.Uitgespeeld);
        }
        return totalen;
    }

    // The values of one step for the rows of a level group.
    std::vector<TWaarde> Waarden(TCriterium criterium, const std::vector<int>& groep) const {
        std::vector<TTotalen> onderling;
        const bool isOnderling = criterium == TCriterium::WedstrijdpuntenOnderling ||
                                 criterium == TCriterium::PuntenOnderling ||
                                 criterium == TCriterium::GamequotientOnderling ||
                                 criterium == TCriterium::PuntquotientOnderling ||
                                 criterium == TCriterium::OnderlingDuel;
        if (isOnderling) {
            std::vector<bool> binnen(m_leden.size(), false);
            for (int rij : groep)
                binnen[static_cast<std::size_t>(rij)] = true;
            onderling = Totalen(binnen);
        }
        std::vector<TWaarde> waarden;
        waarden.reserve(groep.size());
        for (int rij : groep) {
            const TTotalen& a = m_alle[static_cast<std::size_t>(rij)];
            const TTotalen& o = isOnderling ? onderling[static_cast<std::size_t>(rij)] : a;
            switch (criterium) {
            case TCriterium::Gewonnen:
                waarden.push_back({a.Gewonnen});
                break;
            case TCriterium::Wedstrijdpunten:
            case TCriterium::WedstrijdpuntenOnderling:
                waarden.push_back({o.Wedstrijdpunten});
                break;
            case TCriterium::Punten:
            case TCriterium::PuntenOnderling:
                waarden.push_back({o.Punten});
                break;
            case TCriterium::OnderlingDuel:
                // Only a pair is decided by the match between them.
                waarden.push_back({groep.size() == 2 ? o.Gewonnen : 0});
                break;
            case TCriterium::GamequotientOnderling:
                waarden.push_back(Quotient(o.GamesVoor, o.GamesTegen));
                break;
            case TCriterium::PuntquotientOnderling:
                waarden.push_back(Quotient(o.PuntenVoor, o.PuntenTegen));
                break;
            case TCriterium::Gamesaldo:
                waarden.push_back({a.GamesVoor - a.GamesTegen});
                break;
            case TCriterium::Puntsaldo:
                waarden.push_back({a.PuntenVoor - a.PuntenTegen});
                break;
            case TCriterium::PuntenVoor:
                waarden.push_back({a.PuntenVoor});
                break;
            case TCriterium::Lot:
                waarden.push_back({0});
                break;
            }
        }
        return waarden;
    }

    // Ranks a level group: the first step that separates any of them splits
    // it, and every part that is still level starts again on its own.
    void Orden(const std::vector<int>& groep) {
        if (groep.empty())
            return; // a pool without members
        if (groep.size() == 1) {
            m_volgorde.push_back({groep.front()});
            return;
        }
        for (TCriterium criterium : m_telling.Volgorde) {
            const std::vector<TWaarde> waarden = Waarden(criterium, groep);
            std::vector<std::size_t> volgorde(groep.size());
            std::iota(volgorde.begin(), volgorde.end(), 0);
            std::stable_sort(
                volgorde.begin(), volgorde.end(),
                [&waarden](std::size_t x, std::size_t y) { return waarden[y] < waarden[x]; });
            if (waarden[volgorde.front()] == waarden[volgorde.back()])
                continue;
            for (int rij : groep)
                m_beslist[static_cast<std::size_t>(rij)] = criterium;
            std::size_t begin = 0;
            while (begin < volgorde.size()) {
                std::size_t eind = begin + 1;
                while (eind < volgorde.size() &&
                       waarden[volgorde[eind]] == waarden[volgorde[begin]])
                    ++eind;
                std::vector<int> deel;
                for (std::size_t i = begin; i < eind; ++i)
                    deel.push_back(groep[volgorde[i]]);
                std::sort(deel.begin(), deel.end()); // list order within a level group
                Orden(deel);
                begin = eind;
            }
            return;
        }
        OrdenOpLot(groep);
    }

    void OrdenOpLot(const std::vector<int>& groep) {
        std::vector<int> deelnemers;
        for (int rij : groep)
            deelnemers.push_back(m_leden[static_cast<std::size_t>(rij)]);
        std::vector<int> gesorteerd = deelnemers;
        std::sort(gesorteerd.begin(), gesorteerd.end());
        for (const TLot& lot : m_poule.Loten) {
            std::vector<int> lotLeden = lot.Volgorde;
            std::sort(lotLeden.begin(), lotLeden.end());
            if (lotLeden != gesorteerd)
                continue;
            for (int deelnemer : lot.Volgorde) {
                const int rij = Rij(deelnemer);
                m_beslist[static_cast<std::size_t>(rij)] = TCriterium::Lot;
                m_volgorde.push_back({rij});
            }
            return;
        }
        m_volgorde.push_back(groep);
    }

    TStand Resultaat() const {
        TStand stand;
        // A void player's matches no longer need playing.
        stand.AllesGespeeld =
            std::all_of(m_poule.Wedstrijden.begin(), m_poule.Wedstrijden.end(),
                        [this](const TPouleWedstrijd& w) {
                            return w.Gespeeld() || Vervallen(w.A) || Vervallen(w.B);
                        });
        int plaats = 1;
        for (const std::vector<int>& groep : m_volgorde) {
            const bool open = groep.size() > 1;
            if (open) {
                std::vector<int>& deelnemers = stand.OpenGelijk.emplace_back();
                for (int rij : groep)
                    deelnemers.push_back(m_leden[static_cast<std::size_t>(rij)]);
            }
            for (int rij : groep) {
                const TTotalen& t = m_alle[static_cast<std::size_t>(rij)];
                TStandRij regel;
                regel.Deelnemer = m_leden[static_cast<std::size_t>(rij)];
                regel.Gespeeld = t.Gespeeld;
                regel.Gewonnen = t.Gewonnen;
                regel.Gelijk = t.Gelijk;
                regel.Verloren = t.Verloren;
                regel.Punten = PrimairePunten(t);
                regel.GamesVoor = t.GamesVoor;
                regel.GamesTegen = t.GamesTegen;
                regel.PuntenVoor = t.PuntenVoor;
                regel.PuntenTegen = t.PuntenTegen;
                regel.Plaats = plaats;
                regel.Beslist = m_beslist[static_cast<std::size_t>(rij)];
                regel.Open = open;
                regel.Vervallen = m_vervallen[static_cast<std::size_t>(rij)];
                stand.Rijen.push_back(regel);
            }
            plaats += static_cast<int>(groep.size());
        }
        return stand;
    }

    bool Vervallen(int deelnemer) const {
        const int rij = Rij(deelnemer);
        return rij >= 0 && m_vervallen[static_cast<std::size_t>(rij)];
    }

    int PrimairePunten(const TTotalen& t) const {
        switch (m_telling.Spelvorm) {
        case TSpelvorm::Tafeltennis:
            return t.Wedstrijdpunten;
        case TSpelvorm::Score:
            return t.Punten;
        case TSpelvorm::Badminton:
            break;
        }
        return t.Gewonnen;
    }

    const TTelling& m_telling;
    const std::vector<int>& m_leden;
    const TPoule& m_poule;
    std::vector<bool> m_vervallen; // per row: badminton voids its results
    std::vector<TTelwedstrijd> m_gespeeld;
    std::vector<TTotalen> m_alle;
    std::vector<TCriterium> m_beslist;
    std::vector<std::vector<int>> m_volgorde; // rows best first; a group of more is open
};

} // namespace

TStand BerekenStand(const TTelling& telling, const std::vector<int>& leden, const TPoule& poule,
                    const std::vector<int>& teruggetrokken) {
    return TRangschikking(telling, leden, poule, teruggetrokken).Stand();
}

std::vector<int> Teruggetrokken(const TDeelnemerLijst& lijst, const std::vector<int>& leden) {
    std::vector<int> teruggetrokken;
    for (int lid : leden)
        if (lid >= 0 && static_cast<std::size_t>(lid) < lijst.size() &&
            lijst[static_cast<std::size_t>(lid)]->Teruggetrokken)
            teruggetrokken.push_back(lid);
    return teruggetrokken;
}

} // namespace Poulewedstrijden
