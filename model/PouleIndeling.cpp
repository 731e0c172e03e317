#include "model/PouleIndeling.h"

#include "model/RandomSource.h"

#include <algorithm>
#include <utility>

namespace PouleIndeling {

namespace {

// A Fenwick tree over the participants the draw's walk stops at. It finds the
// i-th of them in index order in O(log n), so a walk that would pass the list
// many times costs no more than one that stops at once.
class VrijeIndex {
public:
    explicit VrijeIndex(const TDeelnemerLijst& deelnemers)
        : m_boom(deelnemers.size() + 1, 0) {
        const int lengte = static_cast<int>(deelnemers.size());
        for (int i = 1; i <= lengte; ++i) {
            if (deelnemers[i - 1]->Poule <= 0) {
                ++m_boom[i];
                ++m_aantal;
            }
            const int ouder = i + (i & -i);
            if (ouder <= lengte)
                m_boom[ouder] += m_boom[i];
        }
        m_stap = 1;
        while (m_stap * 2 <= lengte)
            m_stap *= 2;
    }

    int aantal() const { return m_aantal; }

    // Index of the rang-th free participant, 1 <= rang <= aantal().
    int zoek(int rang) const {
        const int lengte = static_cast<int>(m_boom.size()) - 1;
        int positie = 0;
        for (int stap = m_stap; stap > 0; stap /= 2) {
            if (positie + stap <= lengte && m_boom[positie + stap] < rang) {
                positie += stap;
                rang -= m_boom[positie];
            }
        }
        return positie;
    }

    void haalWeg(int index) {
        const int lengte = static_cast<int>(m_boom.size()) - 1;
        for (int i = index + 1; i <= lengte; i += i & -i)
            --m_boom[i];
        --m_aantal;
    }

private:
    std::vector<int> m_boom;
    int m_aantal = 0;
    int m_stap = 0;
};

} // namespace

std::vector<TPouleIndeling> ZoekIndelingen(int aantalDeelnemers, int kleinste, int grootste) {
    std::vector<TPouleIndeling> indelingen;
    // Without participants every "division" would have no pools at all.
    if (aantalDeelnemers <= 0 || kleinste < 1 || grootste < kleinste)
        return indelingen;
    for (int grootte = kleinste; grootte < grootste; ++grootte) {
        for (int aantal = aantalDeelnemers / grootte; aantal >= 1; --aantal) {
            const int rest = aantalDeelnemers - aantal * grootte;
            if (rest % (grootte + 1) == 0)
                indelingen.emplace_back(grootte, aantal, grootte + 1, rest / (grootte + 1));
        }
    }
    // Pools of one size below the largest were found above, with no larger pools.
    if (aantalDeelnemers % grootste == 0)
        indelingen.emplace_back(grootste, aantalDeelnemers / grootste, 0, 0);
    return indelingen;
}

namespace {
QString Poules(std::int32_t aantal, std::int32_t grootte) {
    if (aantal == 1)
        return QStringLiteral("1 poule van ") + QString::number(grootte);
    return QString::number(aantal) + QStringLiteral(" poules van ") + QString::number(grootte);
}
} // namespace

QString RegelTekst(const TPouleIndeling& indeling) {
    QString regel = u'(' + QString::number(indeling.AantalPoules()) + QStringLiteral(") ") +
                    Poules(indeling.AantalKleinePoules, indeling.KleinePouleGrootte);
    if (indeling.AantalGrotePoules > 0)
        regel +=
            QStringLiteral(" en ") + Poules(indeling.AantalGrotePoules, indeling.GrotePouleGrootte);
    return regel;
}

QStringList RegelTeksten(const std::vector<TPouleIndeling>& indelingen) {
    QStringList regels;
    regels.reserve(static_cast<qsizetype>(indelingen.size()));
    for (const TPouleIndeling& indeling : indelingen)
        regels << RegelTekst(indeling);
    return regels;
}

QString StatusTekst(qsizetype aantalRegels) {
    if (aantalRegels <= 0)
        return QStringLiteral("Geen mogelijke poule-indeling gevonden.");
    if (aantalRegels == 1)
        return QStringLiteral("1 mogelijke poule-indeling gevonden.");
    return QString::number(aantalRegels) + QStringLiteral(" mogelijke poule-indelingen gevonden.");
}

std::optional<std::int32_t> LeesGetal(const QString& tekst) {
    qsizetype i = 0;
    const qsizetype lengte = tekst.size();
    while (i < lengte && tekst.at(i) == u' ')
        ++i;
    bool negatief = false;
    if (i < lengte && (tekst.at(i) == u'+' || tekst.at(i) == u'-')) {
        negatief = tekst.at(i) == u'-';
        ++i;
    }
    if (i == lengte)
        return std::nullopt;
    // Gathered as a negative number, so that the lowest 32-bit value fits.
    constexpr std::int64_t grens = std::int64_t{1} << 31;
    std::int64_t waarde = 0;
    for (; i < lengte; ++i) {
        const char16_t c = tekst.at(i).unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        waarde = waarde * 10 - (c - u'0');
        if (waarde < -grens)
            return std::nullopt;
    }
    if (!negatief) {
        if (waarde == -grens)
            return std::nullopt;
        waarde = -waarde;
    }
    return static_cast<std::int32_t>(waarde);
}

TGrootteControle ControleerGroottes(const QString& kleinsteTekst, const QString& grootsteTekst) {
    TGrootteControle controle;
    controle.KleinsteTekst = kleinsteTekst;
    controle.GrootsteTekst = grootsteTekst;
    const std::optional<std::int32_t> kleinste = LeesGetal(kleinsteTekst);
    const std::optional<std::int32_t> grootste = LeesGetal(grootsteTekst);
    if (!kleinste || !grootste) {
        controle.Melding = QStringLiteral("Er zijn geen getallen ingevuld.");
        return controle;
    }
    controle.Kleinste = *kleinste;
    controle.Grootste = *grootste;
    if (controle.Grootste < controle.Kleinste) {
        std::swap(controle.Kleinste, controle.Grootste);
        controle.Verwisseld = true;
        controle.KleinsteTekst = QString::number(controle.Kleinste);
        controle.GrootsteTekst = QString::number(controle.Grootste);
    }
    if (controle.Kleinste < MinPouleGrootte) {
        controle.Focus = TGrootteVeld::Kleinste;
        controle.Melding =
            QStringLiteral("De minimale poulegrootte is %1.").arg(QString::number(MinPouleGrootte));
    } else if (controle.Grootste > MaxPouleGrootte) {
        controle.Focus = TGrootteVeld::Grootste;
        controle.Melding =
            QStringLiteral("De maximale poulegrootte is %1.").arg(QString::number(MaxPouleGrootte));
    }
    return controle;
}

bool VulPoules(TDeelnemerLijst& deelnemers, int aantal, int grootte, int eerste) {
    // F counts only Poule 0, while the walk below stops at any Poule <= 0.
    int vrij = 0;
    for (const auto& deelnemer : deelnemers) {
        if (deelnemer->Poule == 0)
            ++vrij;
    }
    if (static_cast<std::int64_t>(aantal) * grootte > vrij)
        return false;
    RandomSource& toeval = randomSource();
    toeval.seedFromClock();
    if (aantal <= 0 || grootte <= 0)
        return true;

    // The walk from cursor k with r steps over free participants stops at
    // the free participant whose rank, counted cyclically in index order, is
    // r past the number of free participants at or before k. The cursor
    // starts at index 0.
    VrijeIndex index(deelnemers);
    int rangCursor = deelnemers.front()->Poule <= 0 ? 1 : 0;
    const std::int64_t laatste = static_cast<std::int64_t>(eerste) + aantal - 1;
    for (std::int64_t nummer = eerste; nummer <= laatste; ++nummer) {
        const auto poule = static_cast<std::int32_t>(nummer);
        for (int plaats = 0; plaats < grootte; ++plaats) {
            const int stappen = toeval.below(vrij) + 1;
            const int rang =
                static_cast<int>((static_cast<std::int64_t>(rangCursor) + stappen - 1) %
                                 index.aantal()) +
                1;
            const int k = index.zoek(rang);
            deelnemers[k]->Poule = poule;
            if (poule > 0) {
                index.haalWeg(k);
                rangCursor = rang - 1;
            } else {
                rangCursor = rang; // a pool number <= 0 leaves it free for the walk
            }
        }
    }
    return true;
}

int VerdeelDeelnemers(TDeelnemerLijst& deelnemers, const TPouleIndeling& indeling) {
    for (auto& deelnemer : deelnemers)
        deelnemer->Poule = 0;
    int mislukt = 0;
    if (!VulPoules(deelnemers, indeling.AantalGrotePoules, indeling.GrotePouleGrootte, 1))
        ++mislukt;
    if (!VulPoules(deelnemers, indeling.AantalKleinePoules, indeling.KleinePouleGrootte,
                   indeling.AantalGrotePoules + 1))
        ++mislukt;
    return mislukt;
}

int VerdeelEerlijk(TDeelnemerLijst& deelnemers, const TPouleIndeling& indeling,
                   std::vector<Loting::TKnelpunt>* knelpunten) {
    if (knelpunten)
        knelpunten->clear();
    std::vector<Loting::TSpeler> spelers;
    spelers.reserve(deelnemers.size());
    for (const auto& deelnemer : deelnemers)
        spelers.push_back({deelnemer->Vereniging, deelnemer->Plaatsing});
    std::vector<int> grootten(static_cast<std::size_t>(std::max(0, indeling.AantalGrotePoules)),
                              indeling.GrotePouleGrootte);
    grootten.insert(grootten.end(),
                    static_cast<std::size_t>(std::max(0, indeling.AantalKleinePoules)),
                    indeling.KleinePouleGrootte);
    std::int64_t plaatsen = 0;
    for (int grootte : grootten)
        plaatsen += std::max(0, grootte);
    // A division that does not fit the list is the ordinary draw's internal
    // fault to report; the fair draw would leave pools short instead.
    if (!Loting::Nodig(spelers) || plaatsen != static_cast<std::int64_t>(deelnemers.size()))
        return VerdeelDeelnemers(deelnemers, indeling);
    const Loting::TUitkomst uitkomst = Loting::Verdeel(spelers, grootten, randomSource());
    for (std::size_t i = 0; i < deelnemers.size(); ++i)
        deelnemers[i]->Poule = uitkomst.Poule[i];
    if (knelpunten)
        *knelpunten = uitkomst.Knelpunten;
    return 0;
}

QString SoftwarefoutTekst() {
    return QStringLiteral("Er zijn te weinig vrije deelnemers om de poules te vullen! Dit is een "
                          "softwarefout. \r\rBewaar de deelnemerslijst en poule-indeling en "
                          "neem contact op met de programmeur!");
}

} // namespace PouleIndeling
