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
const QString PlanningWoord = QStringLiteral("#Planning");
const QString GeplandWoord = QStringLiteral("#Gepland");
const QString NogNiet = QStringLiteral("-");
const QString NamenWoord = QStringLiteral("#Namen");
const QString DeelnemersWoord = QStringLiteral("#Deelnemers");
const QString TeruggetrokkenWoord = QStringLiteral("#Teruggetrokken");
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

// How a match ended, on its line in a pool; a match played out has no word.
constexpr std::array<TWoord<TAfloop>, 3> Aflopen{{{TAfloop::Walkover, "w.o."},
                                                  {TAfloop::Opgegeven, "opg."},
                                                  {TAfloop::Diskwalificatie, "disk."}}};

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

// The club and seed section of a list: a line for each participant (or
// name) that has either, by its index; nothing when nobody has.
template <typename T, typename Ophalen>
void SchrijfVelden(QStringList& regels, const QString& woord, const std::vector<T>& lijst,
                   Ophalen ophalen) {
    QStringList velden;
    for (std::size_t i = 0; i < lijst.size(); ++i) {
        const auto& [vereniging, plaatsing] = ophalen(lijst[i]);
        if (vereniging.isEmpty() && plaatsing <= 0)
            continue;
        QString regel = QString::number(i) + u' ' + QString::number(std::max(plaatsing, 0));
        // Written as held: a club is a cleaned name, which no reader trims.
        if (!vereniging.isEmpty())
            regel += u' ' + Text::cleanName(vereniging);
        velden << regel;
    }
    if (velden.isEmpty())
        return;
    regels << woord + u' ' + QString::number(velden.size());
    regels << velden;
}

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
                    ruimte += 44 + 24 * static_cast<qsizetype>(wedstrijd.Games.size());
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
        // The walkover score only when the organiser changed it, so that
        // the line stays as it was for everyone else.
        const TTelling standaard;
        if (telling.WalkoverVoor != standaard.WalkoverVoor ||
            telling.WalkoverTegen != standaard.WalkoverTegen) {
            Spatie();
            Getal(telling.WalkoverVoor);
            Spatie();
            Getal(telling.WalkoverTegen);
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
            if (wedstrijd.Afloop != TAfloop::Gespeeld) {
                // Not played out: the word, then the letter of the loser.
                Spatie();
                Regel(Woord(Aflopen, wedstrijd.Afloop));
                Spatie();
                Getal(letter(wedstrijd.AfloopVerliezer()));
            }
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
        bool planning = false;
        bool gepland = false;
        bool namen = false;
        bool deelnemers = false;
        bool teruggetrokken = false;
        bool knockout = false;
        for (QString regel = VolgendeGetrimd(); regel != Einde; regel = VolgendeGetrimd()) {
            const QStringList delen = Delen(regel);
            const QString woord = delen.value(0);
            bool* gelezen = woord == Telling               ? &telling
                            : woord == PoulesWoord         ? &poules
                            : woord == Herstel             ? &herstel
                            : woord == PlanningWoord       ? &planning
                            : woord == GeplandWoord        ? &gepland
                            : woord == NamenWoord          ? &namen
                            : woord == DeelnemersWoord     ? &deelnemers
                            : woord == TeruggetrokkenWoord ? &teruggetrokken
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
            } else if (woord == TeruggetrokkenWoord) {
                if (delen.size() != 2)
                    Faal(QStringLiteral("\"%1 <aantal>\" verwacht.").arg(TeruggetrokkenWoord));
                LeesTeruggetrokken(Getal(delen[1]));
            } else if (woord == PlanningWoord) {
                LeesPlanning();
            } else if (woord == GeplandWoord) {
                if (!planning)
                    Faal(QStringLiteral("\"%1\" verwacht.").arg(PlanningWoord));
                if (delen.size() != 2)
                    Faal(QStringLiteral("\"%1 <aantal>\" verwacht.").arg(GeplandWoord));
                LeesGepland(Getal(delen[1]));
            } else if (woord == Herstel) {
                LeesHerstel();
            } else {
                LeesVeldenOnderdeel(delen, woord == NamenWoord, herstel);
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
        if (const auto fout = UitbreidingKnockout::Lees(regels, m_toernooi.Winnaars.get(),
                                                        m_toernooi.Verliezers.get())) {
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
        if (delen.size() != 5 && delen.size() != 7)
            Faal(QStringLiteral("Telling verwacht: systeem, spelvorm en punten voor winst, "
                                "gelijkspel en verlies (en de uitslag van een walkover)."));
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
        if (delen.size() == 7) {
            telling.WalkoverVoor = Score(delen[5]);
            telling.WalkoverTegen = Score(delen[6]);
        }
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
            // A match not played out names how it ended and who lost.
            const std::optional<TAfloop> afloop =
                delen.size() > 2 ? Waarde(Aflopen, delen[2]) : std::nullopt;
            const qsizetype eersteGame = afloop ? 4 : 2;
            if (delen.size() < 3 || (afloop && delen.size() < 4))
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
            for (qsizetype d = eersteGame; d < delen.size(); ++d) {
                const qsizetype streep = delen[d].indexOf(u'-');
                if (streep < 0)
                    Faal(QStringLiteral("'%1' is geen game.").arg(delen[d]));
                TGame game{Score(QStringView(delen[d]).left(streep)),
                           Score(QStringView(delen[d]).mid(streep + 1))};
                if (om)
                    std::swap(game.A, game.B);
                games.push_back(game);
            }
            const TSpelvorm spelvorm = m_toernooi.Wedstrijden.Telling.Spelvorm;
            const auto fout = !afloop ? ControleerUitslag(spelvorm, games)
                              : *afloop == TAfloop::Walkover && !games.empty()
                                  ? std::optional(QStringLiteral("bij een w.o. is niet gespeeld."))
                                  : ControleerOnderbroken(spelvorm, games);
            if (fout)
                Faal(QStringLiteral("Poule %1, wedstrijd %2: %3").arg(nummer).arg(paar, *fout));
            if (afloop) {
                const int verliezer = lid(delen[3]);
                if (verliezer != a && verliezer != b)
                    Faal(QStringLiteral("Poule %1, wedstrijd %2: de verliezer speelde niet mee.")
                             .arg(nummer)
                             .arg(paar));
                wedstrijd.Afloop = *afloop;
                wedstrijd.Verliezer = verliezer == wedstrijd.A ? 0 : 1;
            }
            wedstrijd.Games = std::move(games);
        }
    }

    static bool BinnenDag(int minuut) { return minuut >= -1 && minuut <= Planning::MaxMinuut; }

    // A time or place that may be "not yet" ("-").
    int MisschienGetal(QStringView tekst) const { return tekst == NogNiet ? -1 : Getal(tekst); }

    QList<int> Getallen(int aantal) {
        const QStringList delen = Delen(VolgendeGetrimd());
        if (delen.size() != aantal)
            Faal(QStringLiteral("%1 getallen verwacht.").arg(aantal));
        QList<int> getallen;
        for (const QString& deel : delen)
            getallen << MisschienGetal(deel);
        return getallen;
    }

    void LeesPlanning() {
        Planning::TDag dag;
        Planning::TDagInstellingen& i = dag.Instellingen;
        const QList<int> kop = Getallen(9);
        i.Begintijd = kop[0];
        i.Plan.Banen = kop[1];
        i.Plan.PouleSlot = kop[2];
        i.Plan.KnockoutSlot = kop[3];
        i.Plan.RustSlots = kop[4];
        i.DoorstromingBeste = kop[5] == 1;
        i.Doorstroming = kop[6];
        dag.Ondergrens = kop[7];
        for (int p = 0; p < kop[8]; ++p) {
            const QList<int> pauze = Getallen(2);
            i.Plan.Pauzes.push_back({pauze[0], pauze[1]});
        }
        if (kop[5] < 0 || kop[5] > 1 || !Planning::Geldig(i) || !BinnenDag(dag.Ondergrens))
            Faal(QStringLiteral("Ongeldige instellingen van de planning."));
        for (int baan = 0; baan < i.Plan.Banen; ++baan)
            i.Baannamen << Text::trimmed(Volgende());
        while (!i.Baannamen.isEmpty() && i.Baannamen.last().isEmpty())
            i.Baannamen.removeLast();
        m_toernooi.Dag = std::move(dag);
    }

    void LeesGepland(int aantal) {
        Planning::TDag& dag = m_toernooi.Dag;
        for (int g = 0; g < aantal; ++g) {
            const QList<int> w = Getallen(8);
            if (w[0] < 0 || w[0] > 2 || w[1] < 0 || w[2] < 0 || w[3] < 0 ||
                w[4] >= dag.Instellingen.Plan.Banen || !BinnenDag(w[5]) || !BinnenDag(w[6]) ||
                !BinnenDag(w[7]))
                Faal(QStringLiteral("Ongeldige wedstrijd in de planning."));
            dag.Gepland.push_back({{w[0], w[1], w[2], w[3]}, w[4], w[5], w[6], w[7]});
        }
    }

    // Per line the running list index of a participant who withdrew and the
    // pool round from which its matches were given away (0: none).
    void LeesTeruggetrokken(int aantal) {
        TDeelnemerLijst& deelnemers = m_toernooi.Lijst;
        for (int i = 0; i < aantal; ++i) {
            const QStringList delen = Delen(VolgendeGetrimd());
            if (delen.size() != 2)
                Faal(QStringLiteral("Deelnemer en ronde verwacht."));
            const int index = Getal(delen[0]);
            if (static_cast<std::size_t>(index) >= deelnemers.size())
                Faal(QStringLiteral("Deelnemer %1 bestaat niet.").arg(index));
            TDeelnemer& deelnemer = *deelnemers[static_cast<std::size_t>(index)];
            if (deelnemer.Teruggetrokken)
                Faal(QStringLiteral("Deelnemer %1 staat twee keer bij de teruggetrokkenen.")
                         .arg(index));
            const int vanaf = Getal(delen[1]);
            // No pool has more rounds than the list has participants.
            if (static_cast<std::size_t>(vanaf) > deelnemers.size())
                Faal(QStringLiteral("Poule ronde %1 bestaat niet.").arg(vanaf));
            deelnemer.Teruggetrokken = true;
            deelnemer.TeruggetrokkenVanaf = vanaf;
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
        m_aantalNamen = herstel.Namen.size();
        if (m_herstel)
            *m_herstel = std::move(herstel);
    }

    // "#Deelnemers" or "#Namen" with its count, then per line an index, a
    // seed and perhaps a club. The recovery part's names must stand before
    // their clubs: the section refers to them.
    void LeesVeldenOnderdeel(const QStringList& kop, bool namen, bool herstelGelezen) {
        const QString& woord = namen ? NamenWoord : DeelnemersWoord;
        if (kop.size() != 2)
            Faal(QStringLiteral("\"%1 <aantal>\" verwacht.").arg(woord));
        if (namen && !herstelGelezen)
            Faal(QStringLiteral("\"%1\" verwacht voor \"%2\".").arg(Herstel, woord));
        const int aantal = Getal(kop[1]);
        const std::size_t grootte = namen ? m_aantalNamen : m_toernooi.Lijst.size();
        std::vector<bool> gezien(grootte, false);
        std::vector<int> plaatsingen;
        for (int i = 0; i < aantal; ++i) {
            const QString regel = VolgendeGetrimd();
            const qsizetype eerste = regel.indexOf(u' ');
            if (eerste < 0)
                Faal(QStringLiteral("Deelnemer, plaatsing en vereniging verwacht."));
            const qsizetype tweede = regel.indexOf(u' ', eerste + 1);
            const int index = Getal(QStringView(regel).left(eerste));
            const int plaatsing =
                Getal(QStringView(regel).mid(eerste + 1, tweede < 0 ? -1 : tweede - eerste - 1));
            if (static_cast<std::size_t>(index) >= grootte)
                Faal(QStringLiteral("Deelnemer %1 bestaat niet.").arg(index));
            if (gezien[static_cast<std::size_t>(index)])
                Faal(QStringLiteral("Deelnemer %1 staat twee keer in \"%2\".")
                         .arg(index)
                         .arg(woord));
            gezien[static_cast<std::size_t>(index)] = true;
            if (plaatsing > Deelnemerslijst::MaxPlaatsing)
                Faal(QStringLiteral("Plaatsing %1 is meer dan %2.")
                         .arg(plaatsing)
                         .arg(Deelnemerslijst::MaxPlaatsing));
            // Two participants with one seed leave the draw no order to
            // follow: the file was edited or belongs to no tournament.
            if (plaatsing > 0 &&
                std::find(plaatsingen.begin(), plaatsingen.end(), plaatsing) != plaatsingen.end())
                Faal(QStringLiteral("Plaatsing %1 staat twee keer in \"%2\".")
                         .arg(plaatsing)
                         .arg(woord));
            plaatsingen.push_back(plaatsing);
            QString vereniging = tweede < 0 ? QString() : Text::cleanName(regel.mid(tweede + 1));
            if (!namen) {
                TDeelnemer& deelnemer = *m_toernooi.Lijst[static_cast<std::size_t>(index)];
                deelnemer.Vereniging = std::move(vereniging);
                deelnemer.Plaatsing = plaatsing;
            } else if (m_herstel && *m_herstel) {
                Deelnemerslijst::TNaam& naam = (*m_herstel)->Namen[static_cast<std::size_t>(index)];
                naam.Vereniging = std::move(vereniging);
                naam.Plaatsing = plaatsing;
            }
        }
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
    std::size_t m_aantalNamen = 0; // of the recovery part, once read
};

// "#Planning", then the settings on one line: start, courts, the two slot
// lengths, rest, the assumed split (best 1/0 and how many), the lower bound
// and the count of breaks; a line per break and a line per court name (they
// may hold any character).
void SchrijfPlanning(QStringList& regels, const Planning::TDag& dag) {
    const Planning::TDagInstellingen& i = dag.Instellingen;
    const auto getal = [](int g) { return QString::number(g); };
    regels << PlanningWoord;
    regels << QStringList{getal(i.Begintijd),
                          getal(i.Plan.Banen),
                          getal(i.Plan.PouleSlot),
                          getal(i.Plan.KnockoutSlot),
                          getal(i.Plan.RustSlots),
                          getal(i.DoorstromingBeste ? 1 : 0),
                          getal(i.Doorstroming),
                          getal(dag.Ondergrens),
                          getal(static_cast<int>(i.Plan.Pauzes.size()))}
                  .join(u' ');
    for (const Planning::TPauze& pauze : i.Plan.Pauzes)
        regels << getal(pauze.Van) + u' ' + getal(pauze.Tot);
    for (int baan = 0; baan < i.Plan.Banen; ++baan)
        regels << i.Baannamen.value(baan);
}

// "#Gepland <count>" and a line per planned match: its place (bracket,
// pool, round, number), court, start, and real start and end ("-": not
// yet). Thousands of lines of digits: written straight as bytes.
QByteArray GeplandBytes(const Planning::TDag& dag) {
    QByteArray bytes;
    if (dag.Gepland.empty())
        return bytes;
    bytes.reserve(16 + 64 * static_cast<qsizetype>(dag.Gepland.size()));
    const auto getal = [&](int g) {
        if (g < 0) {
            bytes.append('-');
            return;
        }
        char buffer[16];
        const auto [einde, fout] = std::to_chars(buffer, buffer + sizeof buffer, g);
        bytes.append(buffer, einde - buffer);
    };
    bytes.append(GeplandWoord.toLatin1()).append(' ');
    getal(static_cast<int>(dag.Gepland.size()));
    bytes.append("\r\n");
    for (const Planning::TGepland& g : dag.Gepland) {
        const int velden[] = {g.Plek.KnockoutNr, g.Plek.Poule, g.Plek.Ronde, g.Plek.Nummer, g.Baan,
                              g.Begin,           g.EchtBegin,  g.EchtEinde};
        for (std::size_t v = 0; v < std::size(velden); ++v) {
            if (v > 0)
                bytes.append(' ');
            getal(velden[v]);
        }
        bytes.append("\r\n");
    }
    return bytes;
}

// The participants who withdrew, in list order; nothing when nobody did.
QByteArray TeruggetrokkenBytes(const TDeelnemerLijst& deelnemers) {
    QByteArray regels;
    int aantal = 0;
    for (std::size_t i = 0; i < deelnemers.size(); ++i) {
        if (!deelnemers[i]->Teruggetrokken)
            continue;
        ++aantal;
        regels += QByteArray::number(static_cast<qulonglong>(i)) + ' ' +
                  QByteArray::number(deelnemers[i]->TeruggetrokkenVanaf) + "\r\n";
    }
    if (aantal == 0)
        return {};
    return TeruggetrokkenWoord.toLatin1() + ' ' + QByteArray::number(aantal) + "\r\n" + regels;
}

} // namespace

TNawoord Nawoord(int programmastatus, const TDeelnemerLijst& deelnemers,
                 const TPoulewedstrijden& wedstrijden, const THerstel* herstel,
                 const TKnockout* winnaars, const TKnockout* verliezers,
                 const Planning::TDag* dag) {
    QByteArray poules;
    if (HeeftPoules(programmastatus) && !wedstrijden.Leeg())
        poules = Schrijver(deelnemers, wedstrijden).Bytes();
    poules += TeruggetrokkenBytes(deelnemers);
    if (HeeftKnockouts(programmastatus))
        poules += UitbreidingKnockout::Schrijf(winnaars, verliezers);
    const bool planning = dag && *dag != Planning::TDag{};
    QStringList velden;
    if (herstel)
        SchrijfVelden(velden, NamenWoord, herstel->Namen, [](const Deelnemerslijst::TNaam& naam) {
            return std::pair<const QString&, int>(naam.Vereniging, naam.Plaatsing);
        });
    SchrijfVelden(velden, DeelnemersWoord, deelnemers, [](const std::unique_ptr<TDeelnemer>& d) {
        return std::pair<const QString&, int>(d->Vereniging, d->Plaatsing);
    });
    if (poules.isEmpty() && !herstel && velden.isEmpty() && !planning)
        return {};
    TNawoord nawoord;
    nawoord.Regels.reserve(4 + velden.size() +
                           (herstel ? 2 * static_cast<qsizetype>(herstel->Namen.size()) : 0));
    nawoord.Regels << Begin + u' ' + QString::number(Versie);
    if (herstel) {
        nawoord.Regels << Herstel << herstel->Bestandsnaam
                       << QString::number(herstel->Namen.size());
        for (const auto& naam : herstel->Namen)
            nawoord.Regels << naam.Voornaam << naam.Achternaam;
    }
    nawoord.Regels << velden;
    if (planning)
        SchrijfPlanning(nawoord.Regels, *dag);
    nawoord.Slot = std::move(poules);
    if (planning)
        nawoord.Slot.append(GeplandBytes(*dag));
    nawoord.Slot.append(Einde.toLatin1() + "\r\n");
    return nawoord;
}

QByteArray Schrijf(const TToernooi& toernooi, const THerstel* herstel) {
    const TNawoord nawoord = Nawoord(toernooi.Programmastatus, toernooi.Lijst, toernooi.Wedstrijden,
                                     herstel, toernooi.Winnaars.get(), toernooi.Verliezers.get(),
                                     &toernooi.Dag);
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
