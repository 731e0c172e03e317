#include "model/Uitbreiding.h"

#include "model/Poules.h"
#include "model/Text.h"
#include "model/Toernooi.h"
#include "model/UitbreidingKnockout.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

namespace Uitbreiding {

using namespace Poulewedstrijden;
using Toernooibestand::Leesfout;

namespace {

const QString Begin = QStringLiteral("#Uitbreiding");
constexpr QLatin1StringView TellingWoord("#Telling");
constexpr QLatin1StringView PouleWoord("-Poule");
constexpr QLatin1StringView LotWoord("Lot");
const QString Telling = QStringLiteral("#Telling");
const QString PoulesWoord = QStringLiteral("#Poules");
const QString Poule = QStringLiteral("-Poule");
const QString Lot = QStringLiteral("Lot");
const QString Herstel = QStringLiteral("#Herstel");
const QString Einde = QStringLiteral("#EindeUitbreiding");

bool HeeftPoules(int programmastatus) {
    return programmastatus == 1 || programmastatus == 2;
}

bool HeeftKnockouts(int programmastatus) {
    return programmastatus == 2 || programmastatus == 3;
}

// The words the file gives the enumerations, fixed here so that a later
// order of the enumerations never changes what a file means.
template <typename T> struct TWoord {
    T Waarde;
    const char* Woord;
};

constexpr std::array<TWoord<TSysteem>, 4> Systemen{{{TSysteem::Badminton, "badminton"},
                                                    {TSysteem::Tafeltennis, "tafeltennis"},
                                                    {TSysteem::Punten, "punten"},
                                                    {TSysteem::Eigen, "eigen"}}};
constexpr std::array<TWoord<TSpelvorm>, 3> Spelvormen{{{TSpelvorm::Badminton, "badminton"},
                                                       {TSpelvorm::Tafeltennis, "tafeltennis"},
                                                       {TSpelvorm::Score, "score"}}};
constexpr std::array<TWoord<TCriterium>, 11> Criteria{{
    {TCriterium::Gewonnen, "gewonnen"},
    {TCriterium::Wedstrijdpunten, "wedstrijdpunten"},
    {TCriterium::Punten, "punten"},
    {TCriterium::OnderlingDuel, "onderling-duel"},
    {TCriterium::WedstrijdpuntenOnderling, "wedstrijdpunten-onderling"},
    {TCriterium::PuntenOnderling, "punten-onderling"},
    {TCriterium::GamequotientOnderling, "gamequotient-onderling"},
    {TCriterium::PuntquotientOnderling, "puntquotient-onderling"},
    {TCriterium::Gamesaldo, "gamesaldo"},
    {TCriterium::Puntsaldo, "puntsaldo"},
    {TCriterium::PuntenVoor, "punten-voor"},
}};

template <typename T, std::size_t N>
QLatin1StringView Woord(const std::array<TWoord<T>, N>& woorden, T waarde) {
    for (const auto& w : woorden)
        if (w.Waarde == waarde)
            return QLatin1StringView(w.Woord);
    return {};
}

template <typename T, std::size_t N>
std::optional<T> Waarde(const std::array<TWoord<T>, N>& woorden, QStringView woord) {
    for (const auto& w : woorden)
        if (woord == QLatin1StringView(w.Woord))
            return w.Waarde;
    return std::nullopt;
}

const TTelling& StandaardTelling() {
    static const TTelling telling = Preset(TSysteem::Badminton);
    return telling;
}

// The positions of a pool count as set by hand when any is known: in a file
// without pool matches they can only have been typed.
bool PositiesBekend(const TDeelnemerLijst& deelnemers, const std::vector<int>& leden) {
    return std::any_of(leden.begin(), leden.end(), [&](int i) {
        return deelnemers[static_cast<std::size_t>(i)]->Positie >= 0;
    });
}

// Whether the pool holds anything that a file without the block would not
// give it back.
bool HeeftGegevens(const TPoule& poule, bool handmatigZonder) {
    return !poule.Loten.empty() || poule.PositiesHandmatig != handmatigZonder ||
           std::any_of(poule.Wedstrijden.begin(), poule.Wedstrijden.end(),
                       [](const TPouleWedstrijd& w) { return w.Gespeeld(); });
}

// ---------------------------------------------------------------- writing

// Writes the pool sections straight as bytes: a large tournament has
// thousands of lines, and no character in them needs encoding.
class Schrijver {
public:
    Schrijver(const TDeelnemerLijst& deelnemers, const TPoulewedstrijden& wedstrijden)
        : m_deelnemers(deelnemers)
        , m_wedstrijden(wedstrijden)
        , m_index(Poules::MaakPouleIndex(deelnemers)) {}

    // The pool sections, or nothing when a file without them reads the same.
    QByteArray Bytes() {
        std::vector<int> metGegevens;
        // At most this many bytes: a number takes up to 11 characters, a
        // criterion's word up to 25, each with a blank or dash before it.
        qsizetype ruimte = 128 + 28 * static_cast<qsizetype>(m_wedstrijden.Telling.Volgorde.size());
        const std::size_t aantal = std::min(m_index.size(), m_wedstrijden.Poules.size());
        for (std::size_t p = 0; p < aantal; ++p) {
            const TPoule& poule = m_wedstrijden.Poules[p];
            if (!HeeftGegevens(poule, PositiesBekend(m_deelnemers, m_index[p])))
                continue;
            metGegevens.push_back(static_cast<int>(p));
            ruimte += 64 + 12 * static_cast<qsizetype>(m_index[p].size());
            for (const TPouleWedstrijd& wedstrijd : poule.Wedstrijden)
                if (wedstrijd.Gespeeld())
                    ruimte += 28 + 24 * static_cast<qsizetype>(wedstrijd.Games.size());
            for (const TLot& lot : poule.Loten)
                ruimte += 8 + 12 * static_cast<qsizetype>(lot.Volgorde.size());
        }
        if (metGegevens.empty() && m_wedstrijden.Telling == StandaardTelling())
            return {};
        m_bytes = QByteArray(ruimte, Qt::Uninitialized);
        m_plek = m_bytes.data();
        Telling();
        Regel(QLatin1StringView("#Poules"));
        Spatie();
        Getal(static_cast<int>(metGegevens.size()));
        Einde();
        for (int p : metGegevens)
            Poule(static_cast<std::size_t>(p));
        m_bytes.truncate(m_plek - m_bytes.data());
        return std::move(m_bytes);
    }

private:
    void Regel(QLatin1StringView tekst) {
        m_plek = std::copy_n(tekst.data(), tekst.size(), m_plek);
    }
    void Einde() {
        *m_plek++ = '\r';
        *m_plek++ = '\n';
    }
    void Spatie() { *m_plek++ = ' '; }
    void Getal(int getal) { m_plek = std::to_chars(m_plek, m_plek + 11, getal).ptr; }

    void Telling() {
        const TTelling& telling = m_wedstrijden.Telling;
        Regel(TellingWoord);
        Einde();
        Regel(Woord(Systemen, telling.Systeem));
        Spatie();
        Regel(Woord(Spelvormen, telling.Spelvorm));
        for (int punten : {telling.PuntenWinst, telling.PuntenGelijk, telling.PuntenVerlies}) {
            Spatie();
            Getal(punten);
        }
        Einde();
        for (std::size_t i = 0; i < telling.Volgorde.size(); ++i) {
            if (i > 0)
                Spatie();
            Regel(Woord(Criteria, telling.Volgorde[i]));
        }
        Einde();
    }

    void Poule(std::size_t p) {
        const TPoule& poule = m_wedstrijden.Poules[p];
        const std::vector<int>& leden = m_index[p];
        auto letter = [&](int deelnemer) {
            return static_cast<int>(std::find(leden.begin(), leden.end(), deelnemer) -
                                    leden.begin()) +
                   1;
        };
        const auto gespeeld = std::count_if(poule.Wedstrijden.begin(), poule.Wedstrijden.end(),
                                            [](const TPouleWedstrijd& w) { return w.Gespeeld(); });
        Regel(PouleWoord);
        Spatie();
        Getal(static_cast<int>(p) + 1);
        Spatie();
        Getal(poule.PositiesHandmatig ? 1 : 0);
        Spatie();
        Getal(static_cast<int>(gespeeld + static_cast<qsizetype>(poule.Loten.size())));
        for (int lid : leden) {
            Spatie();
            Getal(lid);
        }
        Einde();
        for (const TPouleWedstrijd& wedstrijd : poule.Wedstrijden) {
            if (!wedstrijd.Gespeeld())
                continue;
            Getal(letter(wedstrijd.A));
            Spatie();
            Getal(letter(wedstrijd.B));
            for (const TGame& game : wedstrijd.Games) {
                Spatie();
                Getal(game.A);
                *m_plek++ = '-';
                Getal(game.B);
            }
            Einde();
        }
        for (const TLot& lot : poule.Loten) {
            Regel(LotWoord);
            for (int deelnemer : lot.Volgorde) {
                Spatie();
                Getal(letter(deelnemer));
            }
            Einde();
        }
    }

    const TDeelnemerLijst& m_deelnemers;
    const TPoulewedstrijden& m_wedstrijden;
    const Poules::TPouleIndex m_index;
    QByteArray m_bytes;
    char* m_plek = nullptr;
};

// ---------------------------------------------------------------- reading

struct Afgebroken {
    Leesfout fout;
};

class Lezer {
public:
    Lezer(Toernooibestand::TNaEinde& naEinde, TToernooi& toernooi, std::optional<THerstel>* herstel)
        : m_regels(naEinde.Regels)
        , m_regelnummer(naEinde.Regelnummer)
        , m_toernooi(toernooi)
        , m_herstel(herstel) {}

    void LeesAlles() {
        // The recovery file of earlier versions: "#Herstel" right after
        // "#Einde", read from its count on the last line.
        if (m_regels.atEnd())
            return;
        QString regel = Volgende();
        if (regel == Herstel) {
            LeesOudHerstel();
            return;
        }
        while (Text::trimmed(regel).isEmpty() && !m_regels.atEnd())
            regel = Volgende();
        // Anything else after "#Einde" was never read; it still is not.
        const QString kop = Text::trimmed(regel);
        if (!kop.startsWith(Begin))
            return;
        const QStringList delen = Delen(kop);
        if (delen.size() != 2 || delen[0] != Begin)
            Faal(QStringLiteral("\"%1 <versie>\" verwacht.").arg(Begin));
        const int versie = Getal(delen[1]);
        if (versie > Versie)
            Faal(QStringLiteral("De poulewedstrijden zijn bewaard door een nieuwere versie van "
                                "Zegerooster (versie %1 van het formaat; deze versie leest tot "
                                "en met versie %2).")
                     .arg(versie)
                     .arg(Versie));
        if (versie < 1)
            Faal(QStringLiteral("Onbekende versie %1 van de poulewedstrijden.").arg(versie));
        LeesOnderdelen();
    }

private:
    [[noreturn]] void Faal(const QString& melding) const {
        throw Afgebroken{{m_regelnummer, melding, Leesfout::TSoort::Uitbreiding}};
    }

    QString Volgende() {
        if (m_regels.atEnd()) {
            ++m_regelnummer;
            Faal(QStringLiteral("De poulewedstrijden zijn onvolledig: \"%1\" ontbreekt.")
                     .arg(Einde));
        }
        ++m_regelnummer;
        return m_regels.next();
    }
    QString VolgendeGetrimd() { return Text::trimmed(Volgende()); }

    static QStringList Delen(const QString& regel) { return regel.split(u' ', Qt::SkipEmptyParts); }

    // Only the digits of a number that is not negative, within 32 bits.
    int Getal(QStringView tekst) const {
        int getal = 0;
        bool goed = !tekst.isEmpty() && tekst.size() <= 10;
        for (QChar c : tekst) {
            if (!goed)
                break;
            const int cijfer = c.unicode() - u'0';
            goed = cijfer >= 0 && cijfer <= 9 &&
                   getal <= (std::numeric_limits<int>::max() - cijfer) / 10;
            getal = getal * 10 + cijfer;
        }
        if (!goed)
            Faal(QStringLiteral("'%1' is geen geldig getal.").arg(tekst));
        return getal;
    }

    int Score(QStringView tekst) const {
        const int score = Getal(tekst);
        if (score > HoogsteScore)
            Faal(QStringLiteral("%1 is meer dan %2.").arg(score).arg(HoogsteScore));
        return score;
    }

    void LeesOnderdelen() {
        bool telling = false;
        bool poules = false;
        bool herstel = false;
        bool knockout = false;
        for (QString regel = VolgendeGetrimd(); regel != Einde; regel = VolgendeGetrimd()) {
            const QStringList delen = Delen(regel);
            const QString woord = delen.value(0);
            bool* gelezen = woord == Telling                      ? &telling
                            : woord == PoulesWoord                ? &poules
                            : woord == Herstel                    ? &herstel
                            : woord == UitbreidingKnockout::Woord ? &knockout
                                                                  : nullptr;
            if (!gelezen)
                Faal(QStringLiteral("Onbekend onderdeel '%1' in de poulewedstrijden.").arg(regel));
            if (*gelezen)
                Faal(QStringLiteral("\"%1\" staat twee keer in de poulewedstrijden.").arg(woord));
            *gelezen = true;
            if (woord == Telling) {
                ControleerPoulefase();
                LeesTelling();
            } else if (woord == PoulesWoord) {
                ControleerPoulefase();
                if (!telling)
                    Faal(QStringLiteral("\"%1\" verwacht.").arg(Telling));
                if (delen.size() != 2)
                    Faal(QStringLiteral("\"%1 <aantal>\" verwacht.").arg(PoulesWoord));
                LeesPoules(Getal(delen[1]));
            } else if (woord == UitbreidingKnockout::Woord) {
                if (delen.size() != 2)
                    Faal(QStringLiteral("\"%1 <aantal>\" verwacht.").arg(woord));
                LeesKnockout(Getal(delen[1]));
            } else {
                LeesHerstel();
            }
        }
        if (poules != telling)
            Faal(QStringLiteral("\"%1\" verwacht.").arg(PoulesWoord));
    }

    void LeesKnockout(int aantal) {
        if (!HeeftKnockouts(m_toernooi.Programmastatus))
            Faal(QStringLiteral("Knockoutuitslagen in een toernooi zonder knockout."));
        const int eerste = m_regelnummer + 1;
        QStringList regels;
        for (int i = 0; i < aantal; ++i)
            regels << VolgendeGetrimd();
        if (const auto fout = UitbreidingKnockout::Lees(
                regels, m_toernooi.Lijst, m_toernooi.Winnaars.get(), m_toernooi.Verliezers.get())) {
            m_regelnummer = eerste + fout->Regel;
            Faal(fout->Melding);
        }
    }

    void ControleerPoulefase() const {
        if (!HeeftPoules(m_toernooi.Programmastatus))
            Faal(QStringLiteral("Poulewedstrijden in een toernooi zonder poules."));
    }

    void LeesTelling() {
        TTelling telling;
        const QStringList delen = Delen(VolgendeGetrimd());
        if (delen.size() != 5)
            Faal(QStringLiteral("Telling verwacht: systeem, spelvorm en punten voor winst, "
                                "gelijkspel en verlies."));
        const auto systeem = Waarde(Systemen, delen[0]);
        if (!systeem)
            Faal(QStringLiteral("Onbekend telsysteem '%1'.").arg(delen[0]));
        const auto spelvorm = Waarde(Spelvormen, delen[1]);
        if (!spelvorm)
            Faal(QStringLiteral("Onbekende spelvorm '%1'.").arg(delen[1]));
        telling.Systeem = *systeem;
        telling.Spelvorm = *spelvorm;
        telling.PuntenWinst = Score(delen[2]);
        telling.PuntenGelijk = Score(delen[3]);
        telling.PuntenVerlies = Score(delen[4]);
        for (const QString& woord : Delen(VolgendeGetrimd())) {
            const auto criterium = Waarde(Criteria, woord);
            if (!criterium)
                Faal(QStringLiteral("Onbekend criterium '%1'.").arg(woord));
            telling.Volgorde.push_back(*criterium);
        }
        m_toernooi.Wedstrijden.Telling = std::move(telling);
    }

    void LeesPoules(int aantal) {
        const TDeelnemerLijst& deelnemers = m_toernooi.Lijst;
        std::vector<TPoule>& poules = m_toernooi.Wedstrijden.Poules;
        const Poules::TPouleIndex index = Poules::MaakPouleIndex(deelnemers);
        std::vector<bool> gelezen(poules.size(), false);
        for (int i = 0; i < aantal; ++i) {
            const QStringList delen = Delen(VolgendeGetrimd());
            if (delen.size() < 4 || delen[0] != Poule)
                Faal(QStringLiteral("\"%1\" verwacht.").arg(Poule));
            const int nummer = Getal(delen[1]);
            if (nummer < 1 || static_cast<std::size_t>(nummer) > poules.size())
                Faal(QStringLiteral("Poule %1 bestaat niet.").arg(nummer));
            const auto p = static_cast<std::size_t>(nummer - 1);
            if (gelezen[p])
                Faal(
                    QStringLiteral("Poule %1 staat twee keer in de poulewedstrijden.").arg(nummer));
            gelezen[p] = true;
            const int handmatig = Getal(delen[2]);
            if (handmatig > 1)
                Faal(QStringLiteral("'%1' is geen 0 of 1.").arg(delen[2]));
            const int regels = Getal(delen[3]);
            std::vector<int> leden;
            for (qsizetype d = 4; d < delen.size(); ++d) {
                const int lid = Getal(delen[d]);
                if (static_cast<std::size_t>(lid) >= deelnemers.size())
                    Faal(QStringLiteral("Deelnemer %1 bestaat niet.").arg(lid));
                leden.push_back(lid);
            }
            // The list decides who plays in a pool; a block that names
            // others belongs to another tournament or was edited by hand.
            if (leden != index[p])
                Faal(QStringLiteral("De deelnemers van poule %1 zijn niet die van de "
                                    "deelnemerslijst.")
                         .arg(nummer));
            TPoule& poule = poules[p];
            poule.PositiesHandmatig = handmatig == 1;
            LeesPoule(nummer, leden, poule, regels);
        }
    }

    void LeesPoule(int nummer, const std::vector<int>& leden, TPoule& poule, int regels) {
        const auto grootte = static_cast<int>(leden.size());
        auto lid = [&](QStringView tekst) {
            const int letter = Getal(tekst);
            if (letter < 1 || letter > grootte)
                Faal(QStringLiteral("Poule %1 heeft geen deelnemer %2.").arg(nummer).arg(letter));
            return leden[static_cast<std::size_t>(letter - 1)];
        };
        std::vector<bool> gelezen(poule.Wedstrijden.size(), false);
        std::size_t zoek = 0; // matches come in schedule order: look on from the last
        for (int r = 0; r < regels; ++r) {
            const QString regel = VolgendeGetrimd();
            const QStringList delen = Delen(regel);
            if (delen.value(0) == Lot) {
                TLot lot;
                for (qsizetype d = 1; d < delen.size(); ++d) {
                    const int deelnemer = lid(delen[d]);
                    if (std::find(lot.Volgorde.begin(), lot.Volgorde.end(), deelnemer) !=
                        lot.Volgorde.end())
                        Faal(QStringLiteral("Een deelnemer staat twee keer in het lot."));
                    lot.Volgorde.push_back(deelnemer);
                }
                if (lot.Volgorde.size() < 2)
                    Faal(QStringLiteral("Een lot ordent minstens twee deelnemers."));
                poule.Loten.push_back(std::move(lot));
                continue;
            }
            if (delen.size() < 3)
                Faal(QStringLiteral("Uitslag verwacht: twee deelnemers en de games."));
            const int a = lid(delen[0]);
            const int b = lid(delen[1]);
            const QString paar = delen[0] + u'-' + delen[1];
            std::size_t w = 0;
            const std::size_t aantal = poule.Wedstrijden.size();
            for (; w < aantal; ++w) {
                const TPouleWedstrijd& kandidaat = poule.Wedstrijden[(zoek + w) % aantal];
                if ((kandidaat.A == a && kandidaat.B == b) ||
                    (kandidaat.A == b && kandidaat.B == a))
                    break;
            }
            if (w == aantal)
                Faal(QStringLiteral("Wedstrijd %1 hoort niet bij poule %2.").arg(paar).arg(nummer));
            w = (zoek + w) % aantal;
            zoek = w + 1;
            if (gelezen[w])
                Faal(QStringLiteral("Wedstrijd %1 van poule %2 staat er twee keer.")
                         .arg(paar)
                         .arg(nummer));
            gelezen[w] = true;
            TPouleWedstrijd& wedstrijd = poule.Wedstrijden[w];
            const bool om = wedstrijd.A != a;
            TGames games;
            for (qsizetype d = 2; d < delen.size(); ++d) {
                const qsizetype streep = delen[d].indexOf(u'-');
                if (streep < 0)
                    Faal(QStringLiteral("'%1' is geen game.").arg(delen[d]));
                TGame game{Score(QStringView(delen[d]).left(streep)),
                           Score(QStringView(delen[d]).mid(streep + 1))};
                if (om)
                    std::swap(game.A, game.B);
                games.push_back(game);
            }
            if (const auto fout = ControleerUitslag(m_toernooi.Wedstrijden.Telling.Spelvorm, games))
                Faal(QStringLiteral("Poule %1, wedstrijd %2: %3").arg(nummer).arg(paar, *fout));
            wedstrijd.Games = std::move(games);
        }
    }

    void LeesHerstel() {
        THerstel herstel;
        herstel.Bestandsnaam = Volgende();
        const int aantal = Getal(VolgendeGetrimd());
        for (int i = 0; i < aantal; ++i) {
            QString voornaam = Volgende();
            herstel.Namen.push_back({std::move(voornaam), Volgende()});
        }
        if (m_herstel)
            *m_herstel = std::move(herstel);
    }

    // "#Herstel", the file name, the names (first and last name on lines of
    // their own) and their count on the last line.
    void LeesOudHerstel() {
        QStringList regels;
        while (!m_regels.atEnd())
            regels << m_regels.next();
        bool getal = false;
        const qsizetype aantal = regels.isEmpty() ? -1 : regels.last().toLongLong(&getal);
        if (!getal || aantal < 0 || regels.size() != 2 + 2 * aantal)
            return;
        THerstel herstel;
        herstel.Bestandsnaam = regels.first();
        for (qsizetype i = 1; i + 1 < regels.size(); i += 2)
            herstel.Namen.push_back({regels.at(i), regels.at(i + 1)});
        if (m_herstel)
            *m_herstel = std::move(herstel);
    }

    Ansi::LineReader& m_regels;
    int m_regelnummer;
    TToernooi& m_toernooi;
    std::optional<THerstel>* m_herstel;
};

} // namespace

TNawoord Nawoord(int programmastatus, const TDeelnemerLijst& deelnemers,
                 const TPoulewedstrijden& wedstrijden, const THerstel* herstel,
                 const TKnockout* winnaars, const TKnockout* verliezers) {
    QByteArray poules;
    if (HeeftPoules(programmastatus) && !wedstrijden.Leeg())
        poules = Schrijver(deelnemers, wedstrijden).Bytes();
    if (HeeftKnockouts(programmastatus))
        poules += UitbreidingKnockout::Schrijf(deelnemers, winnaars, verliezers);
    if (poules.isEmpty() && !herstel)
        return {};
    TNawoord nawoord;
    nawoord.Regels.reserve(4 + (herstel ? 2 * static_cast<qsizetype>(herstel->Namen.size()) : 0));
    nawoord.Regels << Begin + u' ' + QString::number(Versie);
    if (herstel) {
        nawoord.Regels << Herstel << herstel->Bestandsnaam
                       << QString::number(herstel->Namen.size());
        for (const auto& naam : herstel->Namen)
            nawoord.Regels << naam.Voornaam << naam.Achternaam;
    }
    nawoord.Slot = std::move(poules);
    nawoord.Slot.append(Einde.toLatin1() + "\r\n");
    return nawoord;
}

QByteArray Schrijf(const TToernooi& toernooi, const THerstel* herstel) {
    const TNawoord nawoord = Nawoord(toernooi.Programmastatus, toernooi.Lijst, toernooi.Wedstrijden,
                                     herstel, toernooi.Winnaars.get(), toernooi.Verliezers.get());
    return Toernooibestand::Schrijf(toernooi.Programmastatus, toernooi.Lijst,
                                    toernooi.Winnaars.get(), toernooi.Verliezers.get(),
                                    nawoord.Regels, nawoord.Slot);
}

TPoulewedstrijden ZonderUitslagen(const TDeelnemerLijst& deelnemers) {
    TPoulewedstrijden wedstrijden;
    wedstrijden.Telling = StandaardTelling();
    const Poules::TPouleIndex index = Poules::MaakPouleIndex(deelnemers);
    wedstrijden.Poules.resize(index.size());
    for (std::size_t p = 0; p < index.size(); ++p) {
        wedstrijden.Poules[p].Wedstrijden = MaakSchema(index[p]);
        wedstrijden.Poules[p].PositiesHandmatig = PositiesBekend(deelnemers, index[p]);
    }
    return wedstrijden;
}

std::optional<Leesfout> Lees(const QByteArray& inhoud, TToernooi& toernooi,
                             std::optional<THerstel>* herstel, TBlok blok) {
    Toernooibestand::TNaEinde naEinde;
    if (auto fout = Toernooibestand::Lees(inhoud, toernooi, &naEinde))
        return fout;
    if (HeeftPoules(toernooi.Programmastatus))
        toernooi.Wedstrijden = ZonderUitslagen(toernooi.Lijst);
    if (blok == TBlok::Overslaan)
        return std::nullopt;
    try {
        Lezer(naEinde, toernooi, herstel).LeesAlles();
    } catch (const Afgebroken& afgebroken) {
        return afgebroken.fout;
    }
    return std::nullopt;
}

QString OverslaanVraag(const Leesfout& fout) {
    return QStringLiteral("De deelnemers en de knockoutrondes van het toernooi zijn gelezen, "
                          "maar de poulewedstrijden erachter (uitslagen, telling en loten) niet.") +
           Text::lineBreak + Text::lineBreak + QStringLiteral("Regelnummer: ") +
           QString::number(fout.Regelnummer) + Text::lineBreak + QStringLiteral("Foutmelding: ") +
           fout.Melding + Text::lineBreak + Text::lineBreak +
           QStringLiteral("Wilt u het toernooi openen zonder de poulewedstrijden? Het bestand "
                          "zelf blijft zoals het is tot u het toernooi bewaart.");
}

} // namespace Uitbreiding
