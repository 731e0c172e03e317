#include "model/Toernooibestand.h"

#include "model/Ansi.h"
#include "model/Knockout.h"
#include "model/PouleIndeling.h"
#include "model/Text.h"

#include <QHash>

#include <algorithm>
#include <charconv>
#include <unordered_map>
#include <vector>

namespace Toernooibestand {

namespace {

constexpr QLatin1StringView Programmastatus("#Programmastatus");
constexpr QLatin1StringView Deelnemer("#Deelnemer");
constexpr QLatin1StringView Winnaarsronde("#Winnaarsronde");
constexpr QLatin1StringView Verliezersronde("#Verliezersronde");
constexpr QLatin1StringView Ronde("-Ronde");
constexpr QLatin1StringView Einde("#Einde");

bool HeeftKnockouts(int programmastatus) {
    return programmastatus == 2 || programmastatus == 3;
}

// ---------------------------------------------------------------- writing

// Builds the file's bytes straight into one buffer: a first pass over the
// tournament only counts them, the second writes them into a buffer of that
// size. A large tournament so costs little beyond the file itself.
class Schrijver {
public:
    Schrijver(int programmastatus, const TDeelnemerLijst& deelnemers, const TKnockout* winnaars,
              const TKnockout* verliezers, const QStringList& nawoord, QByteArrayView slot)
        : m_programmastatus(programmastatus)
        , m_deelnemers(deelnemers)
        , m_winnaars(winnaars)
        , m_verliezers(verliezers)
        , m_nawoord(nawoord)
        , m_slot(slot) {
        // Only names and the lines after the end can hold a character
        // outside the code page.
        m_utf8 = std::any_of(deelnemers.begin(), deelnemers.end(),
                             [](const auto& deelnemer) {
                                 return !Ansi::fitsCodePage(deelnemer->Voornaam) ||
                                        !Ansi::fitsCodePage(deelnemer->Achternaam);
                             }) ||
                 std::any_of(nawoord.begin(), nawoord.end(),
                             [](const QString& regel) { return !Ansi::fitsCodePage(regel); });
        m_nummers.reserve(deelnemers.size());
        for (std::size_t i = 0; i < deelnemers.size(); ++i)
            m_nummers.emplace(deelnemers[i].get(), static_cast<int>(i));
    }

    QByteArray Bytes() {
        Alles();
        QByteArray bytes(m_lengte, Qt::Uninitialized);
        m_plek = bytes.data();
        m_lengte = 0;
        Alles();
        Q_ASSERT(m_lengte == bytes.size());
        return bytes;
    }

private:
    void Alles() {
        if (m_utf8)
            Ruw("\xEF\xBB\xBF", 3);
        Regel(Programmastatus);
        Getal(m_programmastatus);
        Deelnemers();
        if (HeeftKnockouts(m_programmastatus)) {
            Knockout(Winnaarsronde, m_winnaars);
            Knockout(Verliezersronde, m_verliezers);
        }
        Regel(Einde);
        for (const QString& regel : m_nawoord)
            Naam(regel);
        Ruw(m_slot.data(), m_slot.size());
    }

    void Deelnemers() {
        for (const auto& deelnemer : m_deelnemers) {
            Regel(Deelnemer);
            Naam(deelnemer->Voornaam);
            Naam(deelnemer->Achternaam);
            Getal(deelnemer->Poule);
            Getal(deelnemer->Positie);
            Getal(deelnemer->KnockoutNr);
        }
    }

    void Knockout(QLatin1StringView sleutelwoord, const TKnockout* knockout) {
        Regel(sleutelwoord);
        if (!knockout)
            return;
        for (int ronde = 0; ronde < knockout->AantalRondes(); ++ronde) {
            Regel(Ronde);
            for (int nummer = 0; nummer < knockout->AantalWedstrijden(ronde); ++nummer)
                Wedstrijd(*knockout->Wedstrijd(ronde, nummer), ronde == 0);
        }
    }

    void Wedstrijd(const TKnockoutWedstrijd& wedstrijd, bool eersteRonde) {
        if (eersteRonde)
            Getal(Nummer(wedstrijd.DeelnemerBoven()));
        Getal(wedstrijd.ScoreBoven());
        if (eersteRonde)
            Getal(wedstrijd.Bye() ? static_cast<qint64>(m_deelnemers.size())
                                  : Nummer(wedstrijd.DeelnemerOnder()));
        Getal(wedstrijd.ScoreOnder());
    }

    int Nummer(const TDeelnemer* deelnemer) const {
        if (!deelnemer)
            return -1;
        const auto gevonden = m_nummers.find(deelnemer);
        return gevonden == m_nummers.end() ? -1 : gevonden->second;
    }

    // Keywords and numbers are ASCII, the same bytes in either encoding.
    void Ruw(const char* tekst, qsizetype lengte) {
        if (m_plek)
            m_plek = std::copy_n(tekst, lengte, m_plek);
        m_lengte += lengte;
    }
    void RegelEinde() { Ruw("\r\n", 2); }
    void Regel(QLatin1StringView sleutelwoord) {
        Ruw(sleutelwoord.data(), sleutelwoord.size());
        RegelEinde();
    }
    void Getal(qint64 getal) {
        char cijfers[24];
        const auto einde = std::to_chars(std::begin(cijfers), std::end(cijfers), getal).ptr;
        Ruw(cijfers, einde - cijfers);
        RegelEinde();
    }
    void Naam(const QString& naam) {
        if (!m_plek) {
            m_lengte += m_utf8 ? Ansi::utf8Size(naam) : naam.size();
        } else {
            char* const begin = m_plek;
            m_plek = m_utf8 ? Ansi::writeUtf8(m_plek, naam) : Ansi::writeCodePage(m_plek, naam);
            m_lengte += m_plek - begin;
        }
        RegelEinde();
    }

    const int m_programmastatus;
    const TDeelnemerLijst& m_deelnemers;
    const TKnockout* const m_winnaars;
    const TKnockout* const m_verliezers;
    const QStringList& m_nawoord;
    const QByteArrayView m_slot;
    bool m_utf8 = false;
    std::unordered_map<const TDeelnemer*, int> m_nummers;
    char* m_plek = nullptr; // null while counting
    qsizetype m_lengte = 0;
};

// ---------------------------------------------------------------- reading

struct Afgebroken {
    Leesfout fout;
};

class Lezer {
public:
    Lezer(const QByteArray& inhoud, TToernooiDoel& doel)
        : m_regels(inhoud)
        , m_doel(doel) {}

    void LeesAlles() {
        if (VolgendeRegel() != Programmastatus)
            SleutelwoordVerwacht(Programmastatus);
        const int status = Getal(VolgendeRegel());
        if (status < 0 || status > 3)
            Faal(QStringLiteral("Onbekende programmastatus."));
        m_doel.ZetProgrammastatus(status);
        VolgendeGetrimd();
        LeesDeelnemers();
        if (HeeftKnockouts(status))
            LeesKnockouts();
        if (m_huidige != Einde)
            SleutelwoordVerwacht(Einde);
    }

    TNaEinde NaEinde() const { return {m_regels, m_regelnummer}; }

private:
    // Past the end come empty lines, numbered on.
    QString VolgendeRegel() {
        ++m_regelnummer;
        return m_regels.next();
    }
    void VolgendeGetrimd() { m_huidige = Text::trimmed(VolgendeRegel()); }
    int VolgendGetal() { return Getal(Text::trimmed(VolgendeRegel())); }

    [[noreturn]] void Faal(const QString& melding) const {
        throw Afgebroken{{m_regelnummer, melding}};
    }
    [[noreturn]] void SleutelwoordVerwacht(QLatin1StringView sleutelwoord) const {
        Faal(u'"' + QString(sleutelwoord) + QStringLiteral("\" verwacht."));
    }
    int Getal(const QString& tekst) const {
        const std::optional<std::int32_t> getal = PouleIndeling::LeesGetal(tekst);
        if (!getal)
            Faal(QStringLiteral("'%1' is not a valid integer value").arg(tekst));
        return *getal;
    }

    void LeesDeelnemers() {
        TDeelnemerLijst& deelnemers = m_doel.Deelnemers();
        while (m_huidige != Winnaarsronde && m_huidige != Einde) {
            if (m_huidige != Deelnemer)
                SleutelwoordVerwacht(Deelnemer);
            deelnemers.push_back(std::make_unique<TDeelnemer>());
            LeesDeelnemer(*deelnemers.back());
            VolgendeGetrimd();
        }
        ControleerPoules();
    }

    void LeesDeelnemer(TDeelnemer& deelnemer) {
        // A hand-edited file may hold tabs and other control characters in
        // a name; they read as the participant dialog would have taken them.
        deelnemer.Voornaam = Text::cleanName(VolgendeRegel());
        deelnemer.Achternaam = Text::cleanName(VolgendeRegel());
        if (deelnemer.Naam().isEmpty())
            Faal(QStringLiteral("Deelnemer heeft geen naam."));
        if (Text::lowerAscii(deelnemer.Naam()) == QStringLiteral("bye"))
            Faal(QStringLiteral("Deelnemer heeft \"Bye\" als naam."));
        // Names are compared exactly, case included, as ZoekDeelnemer does.
        if (m_namen.contains({deelnemer.Voornaam, deelnemer.Achternaam}))
            Faal(QStringLiteral("Er bestaat al een deelnemer met deze naam."));
        m_namen.insert({deelnemer.Voornaam, deelnemer.Achternaam}, true);
        deelnemer.Poule = VolgendGetal();
        m_pouleRegels.push_back(m_regelnummer);
        deelnemer.Positie = VolgendGetal();
        deelnemer.KnockoutNr = static_cast<std::uint8_t>(VolgendGetal() & 0xFF);
    }

    // Pools are numbered from 1 without gaps, so no pool number can exceed
    // the number of participants. A larger one (a damaged or hand-edited
    // file) would make the pools window build billions of empty pools.
    void ControleerPoules() {
        const TDeelnemerLijst& deelnemers = m_doel.Deelnemers();
        const auto aantal = static_cast<std::int64_t>(deelnemers.size());
        for (std::size_t i = 0; i < deelnemers.size(); ++i) {
            const std::int32_t poule = deelnemers[i]->Poule;
            if (poule < 0 || poule > aantal) {
                m_regelnummer = m_pouleRegels[i];
                Faal(QStringLiteral("Ongeldig poulenummer."));
            }
        }
    }

    void LeesKnockouts() {
        m_doel.BouwKnockouts();
        LeesKnockout(m_doel.WinnaarsKnockout(), 1, Winnaarsronde);
        LeesKnockout(m_doel.VerliezersKnockout(), 2, Verliezersronde);
        m_doel.WinnaarsKnockout()->VernieuwKnoppen();
        m_doel.VerliezersKnockout()->VernieuwKnoppen();
    }

    void LeesKnockout(TKnockout* knockout, int knockoutNr, QLatin1StringView sleutelwoord) {
        if (m_huidige != sleutelwoord)
            SleutelwoordVerwacht(sleutelwoord);
        VolgendeGetrimd();
        for (int ronde = 0; m_huidige != Verliezersronde && m_huidige != Einde; ++ronde) {
            if (m_huidige != Ronde)
                SleutelwoordVerwacht(Ronde);
            for (int nummer = 0; nummer < knockout->AantalWedstrijden(ronde); ++nummer)
                LeesWedstrijd(*knockout->Wedstrijd(ronde, nummer), knockoutNr, ronde == 0);
            VolgendeGetrimd();
        }
    }

    void LeesWedstrijd(TKnockoutWedstrijd& wedstrijd, int knockoutNr, bool eersteRonde) {
        if (eersteRonde) {
            const int boven = VolgendGetal();
            wedstrijd.ZetDeelnemerBoven(boven == -1 ? nullptr
                                                    : Ingedeeld(boven, knockoutNr, wedstrijd));
        }
        const int scoreBoven = VolgendGetal();
        if (eersteRonde) {
            const int onder = VolgendGetal();
            if (onder == static_cast<int>(m_doel.Deelnemers().size()))
                wedstrijd.ZetBye(true);
            else
                wedstrijd.ZetDeelnemerOnder(onder == -1 ? nullptr
                                                        : Ingedeeld(onder, knockoutNr, wedstrijd));
        }
        const int scoreOnder = VolgendGetal();
        wedstrijd.ZetEindstand(scoreBoven, scoreOnder);
    }

    // The participant of a first-round slot, which now stands in `wedstrijd`.
    TDeelnemer* Ingedeeld(int nummer, int knockoutNr, TKnockoutWedstrijd& wedstrijd) {
        TDeelnemerLijst& deelnemers = m_doel.Deelnemers();
        if (nummer < 0 || nummer >= static_cast<int>(deelnemers.size()))
            Faal(QStringLiteral("List index out of bounds (%1)").arg(nummer));
        TDeelnemer* deelnemer = deelnemers[static_cast<std::size_t>(nummer)].get();
        if (deelnemer->KnockoutNr != knockoutNr)
            Faal(QStringLiteral("Deelnemer moet in de verkeerde knockoutronde spelen."));
        if (deelnemer->Wedstrijd)
            Faal(QStringLiteral("Deelnemer is ingedeeld in meerdere wedstrijden in de 1e ronde."));
        deelnemer->Wedstrijd = &wedstrijd;
        return deelnemer;
    }

    Ansi::LineReader m_regels;
    TToernooiDoel& m_doel;
    int m_regelnummer = 0;
    QString m_huidige;
    QHash<std::pair<QString, QString>, bool> m_namen;
    std::vector<int> m_pouleRegels;
};

const QString LaadFout =
    QStringLiteral("Er is een fout opgetreden bij het laden van het toernooi.");

} // namespace

QByteArray Schrijf(int programmastatus, const TDeelnemerLijst& deelnemers,
                   const TKnockout* winnaars, const TKnockout* verliezers,
                   const QStringList& nawoord, QByteArrayView slot) {
    return Schrijver(programmastatus, deelnemers, winnaars, verliezers, nawoord, slot).Bytes();
}

std::optional<Leesfout> Lees(const QByteArray& inhoud, TToernooiDoel& doel, TNaEinde* naEinde) {
    try {
        Lezer lezer(inhoud, doel);
        lezer.LeesAlles();
        if (naEinde)
            *naEinde = lezer.NaEinde();
    } catch (const Afgebroken& afgebroken) {
        return afgebroken.fout;
    }
    return std::nullopt;
}

QString BewaarFoutTekst(const QString& foutmelding) {
    return QStringLiteral("Er is een fout opgetreden bij het bewaren van het toernooi.") +
           Text::lineBreak + Text::lineBreak + QStringLiteral("Foutmelding: ") + foutmelding;
}

QString LaadFoutTekst(const QString& reden) {
    return LaadFout + Text::lineBreak + Text::lineBreak + QStringLiteral("Foutmelding: ") + reden;
}

QString LaadFoutTekst(const Leesfout& fout) {
    return LaadFout + Text::lineBreak + Text::lineBreak + QStringLiteral("Regelnummer: ") +
           QString::number(fout.Regelnummer) + Text::lineBreak + QStringLiteral("Foutmelding: ") +
           fout.Melding;
}

} // namespace Toernooibestand
