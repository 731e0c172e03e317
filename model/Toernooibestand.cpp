#include "model/Toernooibestand.h"

#include "model/Ansi.h"
#include "model/Knockout.h"
#include "model/PouleIndeling.h"
#include "model/Text.h"

#include <QHash>
#include <QStringList>

#include <unordered_map>
#include <vector>

namespace Toernooibestand {

namespace {

const QString Programmastatus = QStringLiteral("#Programmastatus");
const QString Deelnemer = QStringLiteral("#Deelnemer");
const QString Winnaarsronde = QStringLiteral("#Winnaarsronde");
const QString Verliezersronde = QStringLiteral("#Verliezersronde");
const QString Ronde = QStringLiteral("-Ronde");
const QString Einde = QStringLiteral("#Einde");

bool HeeftKnockouts(int programmastatus) {
    return programmastatus == 2 || programmastatus == 3;
}

// ---------------------------------------------------------------- writing

class Schrijver {
public:
    explicit Schrijver(const TDeelnemerLijst& deelnemers)
        : m_deelnemers(deelnemers) {
        m_nummers.reserve(deelnemers.size());
        for (std::size_t i = 0; i < deelnemers.size(); ++i)
            m_nummers.emplace(deelnemers[i].get(), static_cast<int>(i));
    }

    void Regel(const QString& tekst) { m_regels << tekst; }
    void Getal(qint64 getal) { m_regels << QString::number(getal); }

    void Deelnemers() {
        for (const auto& deelnemer : m_deelnemers) {
            Regel(Deelnemer);
            Regel(deelnemer->Voornaam);
            Regel(deelnemer->Achternaam);
            Getal(deelnemer->Poule);
            Getal(deelnemer->Positie);
            Getal(deelnemer->KnockoutNr);
        }
    }

    void Knockout(const QString& sleutelwoord, const TKnockout* knockout) {
        Regel(sleutelwoord);
        if (!knockout)
            return;
        for (int ronde = 0; ronde < knockout->AantalRondes(); ++ronde) {
            Regel(Ronde);
            for (int nummer = 0; nummer < knockout->AantalWedstrijden(ronde); ++nummer)
                Wedstrijd(*knockout->Wedstrijd(ronde, nummer), ronde == 0);
        }
    }

    QByteArray Bytes() const {
        return Ansi::encode(m_regels.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    }

private:
    int Nummer(const TDeelnemer* deelnemer) const {
        if (!deelnemer)
            return -1;
        const auto gevonden = m_nummers.find(deelnemer);
        return gevonden == m_nummers.end() ? -1 : gevonden->second;
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

    const TDeelnemerLijst& m_deelnemers;
    std::unordered_map<const TDeelnemer*, int> m_nummers;
    QStringList m_regels;
};

// ---------------------------------------------------------------- reading

struct Afgebroken {
    Leesfout fout;
};

class Lezer {
public:
    Lezer(const QByteArray& inhoud, TToernooiDoel& doel)
        : m_regels(Ansi::splitLines(Ansi::decode(inhoud)))
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
        m_doel.ToonDeelnemers();
        if (status == 1 || status == 2)
            m_doel.ToonPoules();
        if (HeeftKnockouts(status))
            LeesKnockouts();
        if (m_huidige != Einde)
            SleutelwoordVerwacht(Einde);
    }

private:
    // Past the end come empty lines, numbered on.
    QString VolgendeRegel() {
        ++m_regelnummer;
        return m_regelnummer <= m_regels.size() ? m_regels.at(m_regelnummer - 1) : QString();
    }
    void VolgendeGetrimd() { m_huidige = Text::trimmed(VolgendeRegel()); }
    int VolgendGetal() { return Getal(Text::trimmed(VolgendeRegel())); }

    [[noreturn]] void Faal(const QString& melding) const {
        throw Afgebroken{{m_regelnummer, melding}};
    }
    [[noreturn]] void SleutelwoordVerwacht(const QString& sleutelwoord) const {
        Faal(u'"' + sleutelwoord + QStringLiteral("\" verwacht."));
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
        deelnemer.Voornaam = Text::trimmed(VolgendeRegel());
        deelnemer.Achternaam = Text::trimmed(VolgendeRegel());
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

    void LeesKnockout(TKnockout* knockout, int knockoutNr, const QString& sleutelwoord) {
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

    const QStringList m_regels;
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
                   const QStringList& nawoord) {
    Schrijver schrijver(deelnemers);
    schrijver.Regel(Programmastatus);
    schrijver.Getal(programmastatus);
    schrijver.Deelnemers();
    if (HeeftKnockouts(programmastatus)) {
        schrijver.Knockout(Winnaarsronde, winnaars);
        schrijver.Knockout(Verliezersronde, verliezers);
    }
    schrijver.Regel(Einde);
    for (const QString& regel : nawoord)
        schrijver.Regel(regel);
    return schrijver.Bytes();
}

std::optional<Leesfout> Lees(const QByteArray& inhoud, TToernooiDoel& doel) {
    try {
        Lezer(inhoud, doel).LeesAlles();
    } catch (const Afgebroken& afgebroken) {
        return afgebroken.fout;
    }
    return std::nullopt;
}

QString BewaarFoutTekst(const QString& foutmelding) {
    return QStringLiteral("Er is een fout opgetreden bij het bewaren van het toernooi.") +
           Text::lineBreak + Text::lineBreak + QStringLiteral("Foutmelding: ") + foutmelding;
}

QString LaadFoutTekst() {
    return LaadFout;
}

QString LaadFoutTekst(const Leesfout& fout) {
    return LaadFout + Text::lineBreak + Text::lineBreak + QStringLiteral("Regelnummer: ") +
           QString::number(fout.Regelnummer) + Text::lineBreak + QStringLiteral("Foutmelding: ") +
           fout.Melding;
}

} // namespace Toernooibestand
