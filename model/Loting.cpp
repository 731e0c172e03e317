#include "model/Loting.h"

#include "model/RandomSource.h"

#include <algorithm>
#include <map>
#include <numeric>

namespace Loting {

namespace {

class TVerdeling {
public:
    TVerdeling(const std::vector<TSpeler>& spelers, const std::vector<int>& grootten,
               RandomSource& toeval)
        : m_spelers(spelers)
        , m_ruimte(grootten)
        , m_poule(spelers.size(), -1)
        , m_club(spelers.size(), -1)
        , m_vast(spelers.size(), false)
        , m_toeval(toeval) {
        std::map<QString, int> nummers;
        for (std::size_t i = 0; i < spelers.size(); ++i) {
            const QString sleutel = spelers[i].Vereniging.trimmed().toCaseFolded();
            if (sleutel.isEmpty())
                continue;
            const auto [it, nieuw] = nummers.emplace(sleutel, static_cast<int>(m_leden.size()));
            if (nieuw) {
                m_leden.emplace_back();
                m_namen.push_back(spelers[i].Vereniging.trimmed());
            }
            m_club[i] = it->second;
            m_leden[static_cast<std::size_t>(it->second)].push_back(static_cast<int>(i));
        }
        const int k = static_cast<int>(grootten.size());
        for (const std::vector<int>& leden : m_leden) {
            m_grens.push_back((static_cast<int>(leden.size()) + k - 1) / std::max(1, k));
            m_telling.emplace_back(grootten.size(), 0);
        }
    }

    TUitkomst Maak() {
        PlaatsZaadjes();
        PlaatsClubs();
        PlaatsRest();
        Verbeter();
        TUitkomst uitkomst;
        for (int poule : m_poule)
            uitkomst.Poule.push_back(poule + 1);
        uitkomst.Knelpunten = Knelpunten();
        return uitkomst;
    }

private:
    std::size_t Poules() const { return m_ruimte.size(); }

    void Zet(int speler, int poule) {
        m_poule[static_cast<std::size_t>(speler)] = poule;
        --m_ruimte[static_cast<std::size_t>(poule)];
        const int club = m_club[static_cast<std::size_t>(speler)];
        if (club >= 0)
            Tel(club, poule, +1);
    }

    // Keeps the count of every club in every pool, and how many pools hold
    // each excess over the club's limit.
    void Tel(int club, int poule, int verschil) {
        int& aantal = m_telling[static_cast<std::size_t>(club)][static_cast<std::size_t>(poule)];
        const int grens = m_grens[static_cast<std::size_t>(club)];
        Histogram(aantal - grens, -1);
        aantal += verschil;
        Histogram(aantal - grens, +1);
    }

    void Histogram(int teVeel, int verschil) {
        if (teVeel <= 0)
            return;
        if (m_histogram.size() <= static_cast<std::size_t>(teVeel))
            m_histogram.resize(static_cast<std::size_t>(teVeel) + 1, 0);
        m_histogram[static_cast<std::size_t>(teVeel)] += verschil;
        m_totaal += verschil * teVeel;
    }

    // The largest excess in any pool, then the total excess: the smaller the better.
    std::pair<int, int> Overschot() const {
        int grootste = static_cast<int>(m_histogram.size()) - 1;
        while (grootste > 0 && m_histogram[static_cast<std::size_t>(grootste)] == 0)
            --grootste;
        return {std::max(grootste, 0), m_totaal};
    }

    void PlaatsZaadjes() {
        std::vector<int> zaadjes;
        for (std::size_t i = 0; i < m_spelers.size(); ++i)
            if (m_spelers[i].Plaatsing > 0)
                zaadjes.push_back(static_cast<int>(i));
        std::stable_sort(zaadjes.begin(), zaadjes.end(), [this](int a, int b) {
            return m_spelers[static_cast<std::size_t>(a)].Plaatsing <
                   m_spelers[static_cast<std::size_t>(b)].Plaatsing;
        });
        const int k = static_cast<int>(Poules());
        long long beurt = 0;
        for (int zaadje : zaadjes) {
            for (long long poging = 0; poging < 2LL * k; ++poging, ++beurt) {
                const int ronde = static_cast<int>(beurt / k);
                const int plek = static_cast<int>(beurt % k);
                const int poule = ronde % 2 == 0 ? plek : k - 1 - plek;
                if (m_ruimte[static_cast<std::size_t>(poule)] > 0) {
                    Zet(zaadje, poule);
                    m_vast[static_cast<std::size_t>(zaadje)] = true;
                    ++beurt;
                    break;
                }
            }
        }
    }

    // A pool with room where the club has the fewest so far, drawn with a
    // weight of its room, so that small pools do not fill first.
    int KiesPoule(int club) {
        int minste = -1;
        int gewicht = 0;
        for (std::size_t p = 0; p < Poules(); ++p) {
            if (m_ruimte[p] <= 0)
                continue;
            const int aantal = m_telling[static_cast<std::size_t>(club)][p];
            if (minste < 0 || aantal < minste) {
                minste = aantal;
                gewicht = 0;
            }
            if (aantal == minste)
                gewicht += m_ruimte[p];
        }
        if (gewicht == 0)
            return -1;
        int trek = m_toeval.below(gewicht);
        for (std::size_t p = 0; p < Poules(); ++p) {
            if (m_ruimte[p] <= 0 || m_telling[static_cast<std::size_t>(club)][p] != minste)
                continue;
            trek -= m_ruimte[p];
            if (trek < 0)
                return static_cast<int>(p);
        }
        return -1;
    }

    template <typename T> void Schud(std::vector<T>& lijst) {
        for (std::size_t i = lijst.size(); i > 1; --i)
            std::swap(lijst[i - 1],
                      lijst[static_cast<std::size_t>(m_toeval.below(static_cast<int>(i)))]);
    }

    void PlaatsClubs() {
        std::vector<int> clubs(m_leden.size());
        std::iota(clubs.begin(), clubs.end(), 0);
        Schud(clubs);
        std::stable_sort(clubs.begin(), clubs.end(), [this](int a, int b) {
            return m_leden[static_cast<std::size_t>(a)].size() >
                   m_leden[static_cast<std::size_t>(b)].size();
        });
        for (int club : clubs) {
            std::vector<int> leden = m_leden[static_cast<std::size_t>(club)];
            Schud(leden);
            for (int speler : leden) {
                if (m_poule[static_cast<std::size_t>(speler)] >= 0)
                    continue; // a seed has its pool already
                const int poule = KiesPoule(club);
                if (poule >= 0)
                    Zet(speler, poule);
            }
        }
    }

    void PlaatsRest() {
        std::vector<int> plekken;
        for (std::size_t p = 0; p < Poules(); ++p)
            plekken.insert(plekken.end(), static_cast<std::size_t>(std::max(0, m_ruimte[p])),
                           static_cast<int>(p));
        Schud(plekken);
        std::size_t volgende = 0;
        for (std::size_t i = 0; i < m_spelers.size() && volgende < plekken.size(); ++i)
            if (m_poule[i] < 0)
                Zet(static_cast<int>(i), plekken[volgende++]);
    }

    bool Vast(int speler) const { return m_vast[static_cast<std::size_t>(speler)]; }

    void Wissel(int a, int b) {
        const int pa = m_poule[static_cast<std::size_t>(a)];
        const int pb = m_poule[static_cast<std::size_t>(b)];
        for (auto [speler, van, naar] : {std::tuple(a, pa, pb), std::tuple(b, pb, pa)}) {
            const int club = m_club[static_cast<std::size_t>(speler)];
            if (club >= 0) {
                Tel(club, van, -1);
                Tel(club, naar, +1);
            }
            m_poule[static_cast<std::size_t>(speler)] = naar;
        }
    }

    // Where the sizes forced a club together, swaps that lower the excess:
    // a player of an overfull club against a player of another club in a
    // pool where the first club has fewer. Each swap lowers the excess, so
    // this ends.
    void Verbeter() {
        if (Overschot().second == 0)
            return;
        std::vector<std::vector<int>> perPoule(Poules());
        for (std::size_t i = 0; i < m_spelers.size(); ++i)
            if (m_poule[i] >= 0)
                perPoule[static_cast<std::size_t>(m_poule[i])].push_back(static_cast<int>(i));
        for (bool beter = true; beter && Overschot().second > 0;) {
            beter = false;
            for (std::size_t a = 0; a < m_spelers.size(); ++a) {
                const int club = m_club[a];
                const int pa = m_poule[a];
                if (club < 0 || pa < 0 || Vast(static_cast<int>(a)))
                    continue;
                const std::vector<int>& telling = m_telling[static_cast<std::size_t>(club)];
                if (telling[static_cast<std::size_t>(pa)] <=
                    m_grens[static_cast<std::size_t>(club)])
                    continue;
                for (std::size_t q = 0; q < Poules() && !beter; ++q) {
                    if (telling[q] + 1 >= telling[static_cast<std::size_t>(pa)])
                        continue;
                    for (int& b : perPoule[q]) {
                        if (m_club[static_cast<std::size_t>(b)] == club || Vast(b))
                            continue;
                        const std::pair<int, int> voor = Overschot();
                        Wissel(static_cast<int>(a), b);
                        if (Overschot() < voor) {
                            auto& van = perPoule[static_cast<std::size_t>(pa)];
                            *std::find(van.begin(), van.end(), static_cast<int>(a)) = b;
                            b = static_cast<int>(a);
                            beter = true;
                            break;
                        }
                        Wissel(static_cast<int>(a), b);
                    }
                }
            }
        }
    }

    std::vector<TKnelpunt> Knelpunten() const {
        std::vector<TKnelpunt> knelpunten;
        for (std::size_t c = 0; c < m_leden.size(); ++c) {
            const auto meeste = std::max_element(m_telling[c].begin(), m_telling[c].end());
            if (meeste == m_telling[c].end() || *meeste <= m_grens[c])
                continue;
            knelpunten.push_back({m_namen[c], static_cast<int>(m_leden[c].size()),
                                  static_cast<int>(Poules()), *meeste,
                                  static_cast<int>(meeste - m_telling[c].begin()) + 1});
        }
        return knelpunten;
    }

    const std::vector<TSpeler>& m_spelers;
    std::vector<int> m_ruimte;
    std::vector<int> m_poule;
    std::vector<int> m_club;
    std::vector<std::vector<int>> m_leden;
    std::vector<QString> m_namen;
    std::vector<int> m_grens;
    std::vector<std::vector<int>> m_telling;
    std::vector<int> m_histogram;
    int m_totaal = 0;
    std::vector<bool> m_vast; // seeds keep the pool the snake gave them
    RandomSource& m_toeval;
};

} // namespace

bool Nodig(const std::vector<TSpeler>& spelers) {
    return std::any_of(spelers.begin(), spelers.end(), [](const TSpeler& speler) {
        return speler.Plaatsing > 0 || !speler.Vereniging.trimmed().isEmpty();
    });
}

TUitkomst Verdeel(const std::vector<TSpeler>& spelers, const std::vector<int>& grootten,
                  RandomSource& toeval) {
    toeval.seedFromClock();
    return TVerdeling(spelers, grootten, toeval).Maak();
}

QString KnelpuntTekst(const TKnelpunt& knelpunt) {
    return QStringLiteral("Vereniging %1: %2 spelers over %3 poules, %4 in poule %5")
        .arg(knelpunt.Vereniging, QString::number(knelpunt.Spelers),
             QString::number(knelpunt.Poules), QString::number(knelpunt.Meeste),
             QString::number(knelpunt.Poule));
}

QString KnelpuntenMelding(const std::vector<TKnelpunt>& knelpunten) {
    QString melding = QStringLiteral(
        "De poulegrootten lieten niet toe alle verenigingen gelijkmatig over de poules te "
        "verdelen:");
    for (const TKnelpunt& knelpunt : knelpunten)
        melding += u'\n' + KnelpuntTekst(knelpunt);
    return melding;
}

} // namespace Loting
