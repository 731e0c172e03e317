#include "model/Planning.h"

#include <algorithm>
#include <limits>
#include <map>
#include <queue>
#include <unordered_map>

namespace Planning {

namespace {

constexpr int Nooit = std::numeric_limits<int>::max();

// The matches each participant plays, in the order they are meant to come:
// pool rounds first, then the knockout rounds.
std::map<int, std::vector<int>> PerDeelnemer(const std::vector<TPlanWedstrijd>& wedstrijden) {
    std::map<int, std::vector<int>> per;
    for (std::size_t i = 0; i < wedstrijden.size(); ++i)
        for (int deelnemer : wedstrijden[i].Deelnemers)
            per[deelnemer].push_back(static_cast<int>(i));
    for (auto& [deelnemer, lijst] : per)
        std::stable_sort(lijst.begin(), lijst.end(), [&](int a, int b) {
            const TPlanWedstrijd& x = wedstrijden[static_cast<std::size_t>(a)];
            const TPlanWedstrijd& y = wedstrijden[static_cast<std::size_t>(b)];
            return std::pair(x.Knockout, x.Ronde) < std::pair(y.Knockout, y.Ronde);
        });
    return per;
}

// The order in which the chains are measured: a match after everything it
// waits for and after its players' earlier matches.
bool Eerder(const TPlanWedstrijd& x, int a, const TPlanWedstrijd& y, int b) {
    return std::tuple(x.Knockout, x.Ronde, a) < std::tuple(y.Knockout, y.Ronde, b);
}

// Every match after what it waits for and after its players' earlier ones.
std::vector<int> InVolgorde(const std::vector<TPlanWedstrijd>& wedstrijden) {
    std::vector<int> volgorde(wedstrijden.size());
    for (std::size_t i = 0; i < volgorde.size(); ++i)
        volgorde[i] = static_cast<int>(i);
    std::sort(volgorde.begin(), volgorde.end(), [&](int a, int b) {
        return Eerder(wedstrijden[static_cast<std::size_t>(a)], a,
                      wedstrijden[static_cast<std::size_t>(b)], b);
    });
    return volgorde;
}

// How long the chain from the start of each match to the end of the day
// lasts at least: the match, then rest, then the longest chain after it
// through the matches that wait for it or the players' next matches.
std::vector<int> Staarten(const std::vector<TPlanWedstrijd>& wedstrijden,
                          const TInstellingen& instellingen) {
    const std::size_t n = wedstrijden.size();
    std::vector<std::vector<int>> na(n);
    for (std::size_t i = 0; i < n; ++i)
        for (int v : wedstrijden[i].Voorgangers)
            na[static_cast<std::size_t>(v)].push_back(static_cast<int>(i));
    const std::vector<int> volgorde = InVolgorde(wedstrijden);
    std::vector<int> plaats(n);
    for (std::size_t k = 0; k < n; ++k)
        plaats[static_cast<std::size_t>(volgorde[k])] = static_cast<int>(k);
    std::vector<int> staart(n, 0);
    // The knockout waiting for the pools comes later in the order than
    // every pool match, so its chains are known when those are measured.
    int naPoules = -1;
    for (auto it = volgorde.rbegin(); it != volgorde.rend(); ++it) {
        const std::size_t i = static_cast<std::size_t>(*it);
        int langste = 0;
        if (!wedstrijden[i].Knockout && naPoules >= 0)
            langste = naPoules;
        for (int j : na[i])
            if (plaats[static_cast<std::size_t>(j)] > plaats[i]) // only forward: no loop
                langste =
                    std::max(langste, instellingen.Rust() + staart[static_cast<std::size_t>(j)]);
        staart[i] = Duur(instellingen, wedstrijden[i]) + langste;
        if (wedstrijden[i].NaPoules)
            naPoules = std::max(naPoules, staart[i]);
    }
    return staart;
}

// The first start from `begin` on at which a match of `duur` minutes
// touches no break.
int NaPauzes(const TInstellingen& instellingen, int begin, int duur) {
    bool verschoven = true;
    while (verschoven) {
        verschoven = false;
        for (const TPauze& pauze : instellingen.Pauzes) {
            if (begin < pauze.Tot && begin + duur > pauze.Van) {
                begin = pauze.Tot;
                verschoven = true;
            }
        }
    }
    return begin;
}

class TPlanner {
public:
    TPlanner(const std::vector<TPlanWedstrijd>& wedstrijden, const TInstellingen& instellingen,
             const TBeginstand& beginstand)
        : m_wedstrijden(wedstrijden)
        , m_instellingen(instellingen)
        , m_staart(Staarten(wedstrijden, instellingen))
        , m_beginstand(beginstand)
        , m_wachtOp(wedstrijden.size(), 0)
        , m_klaarVanaf(wedstrijden.size(), beginstand.Vanaf)
        , m_na(wedstrijden.size())
        , m_klaar([this](int a, int b) { return Minder(a, b); }) {
        for (const auto& [deelnemer, vrij] : beginstand.DeelnemerVrij)
            m_deelnemerVrij[deelnemer] = std::max(m_deelnemerVrij[deelnemer], vrij);
        for (const TPlanWedstrijd& w : wedstrijden)
            m_poulesOpen += w.Knockout ? 0 : 1;
        for (std::size_t i = 0; i < wedstrijden.size(); ++i) {
            for (int v : wedstrijden[i].Voorgangers) {
                m_na[static_cast<std::size_t>(v)].push_back(static_cast<int>(i));
                ++m_wachtOp[i];
            }
            if (wedstrijden[i].NaPoules && m_poulesOpen > 0) {
                m_naPoules.push_back(static_cast<int>(i));
                ++m_wachtOp[i];
            }
            if (m_wachtOp[i] == 0)
                m_klaar.push(static_cast<int>(i));
        }
    }

    TPlan Maak() {
        TPlan plan;
        plan.Wedstrijden.resize(m_wedstrijden.size());
        const int banen = std::max(1, m_instellingen.Banen);
        std::vector<int> baanVrij(static_cast<std::size_t>(banen), m_beginstand.Vanaf);
        for (std::size_t b = 0; b < baanVrij.size() && b < m_beginstand.BaanVrij.size(); ++b)
            baanVrij[b] = std::max(baanVrij[b], m_beginstand.BaanVrij[b]);
        std::size_t gepland = 0;
        while (gepland < m_wedstrijden.size()) {
            const auto baan = static_cast<std::size_t>(
                std::min_element(baanVrij.begin(), baanVrij.end()) - baanVrij.begin());
            const int tijd = baanVrij[baan];
            int volgendeKans = Nooit;
            const int gekozen = Kies(tijd, volgendeKans);
            if (gekozen < 0) {
                // Nothing can start here now: wait for the next moment that
                // something may become possible.
                for (std::size_t b = 0; b < baanVrij.size(); ++b)
                    if (baanVrij[b] > tijd)
                        volgendeKans = std::min(volgendeKans, baanVrij[b]);
                if (volgendeKans == Nooit)
                    break; // what is left waits for itself
                baanVrij[baan] = volgendeKans;
                continue;
            }
            const int einde = tijd + Duur(m_instellingen, Wedstrijd(gekozen));
            plan.Wedstrijden[static_cast<std::size_t>(gekozen)] = {static_cast<int>(baan), tijd};
            plan.Einde = std::max(plan.Einde, einde);
            baanVrij[baan] = einde;
            Gespeeld(gekozen, einde);
            ++gepland;
        }
        return plan;
    }

private:
    const TPlanWedstrijd& Wedstrijd(int i) const {
        return m_wedstrijden[static_cast<std::size_t>(i)];
    }

    // Whether match a comes after match b in the choice: a shorter chain
    // after it, then a later round, then later in the list.
    bool Minder(int a, int b) const {
        const int sa = m_staart[static_cast<std::size_t>(a)];
        const int sb = m_staart[static_cast<std::size_t>(b)];
        if (sa != sb)
            return sa < sb;
        return b < a;
    }

    int KlaarVanaf(int i) const {
        int vanaf = m_klaarVanaf[static_cast<std::size_t>(i)];
        for (int deelnemer : Wedstrijd(i).Deelnemers) {
            const auto it = m_deelnemerVrij.find(deelnemer);
            if (it != m_deelnemerVrij.end())
                vanaf = std::max(vanaf, it->second);
        }
        return NaPauzes(m_instellingen, vanaf, Duur(m_instellingen, Wedstrijd(i)));
    }

    // The best match that can start at `tijd`, or -1; `volgendeKans` gets
    // the earliest time one of the waiting matches could.
    int Kies(int tijd, int& volgendeKans) {
        std::vector<int> later;
        int gekozen = -1;
        while (!m_klaar.empty()) {
            const int kandidaat = m_klaar.top();
            m_klaar.pop();
            const int vanaf = KlaarVanaf(kandidaat);
            if (vanaf <= tijd) {
                gekozen = kandidaat;
                break;
            }
            volgendeKans = std::min(volgendeKans, vanaf);
            later.push_back(kandidaat);
        }
        for (int i : later)
            m_klaar.push(i);
        return gekozen;
    }

    void Gespeeld(int i, int einde) {
        const int uitgerust = einde + m_instellingen.Rust();
        for (int deelnemer : Wedstrijd(i).Deelnemers)
            m_deelnemerVrij[deelnemer] = uitgerust;
        for (int volgende : m_na[static_cast<std::size_t>(i)])
            Vrij(volgende, uitgerust);
        if (Wedstrijd(i).Knockout)
            return;
        m_poulesEinde = std::max(m_poulesEinde, einde);
        if (--m_poulesOpen == 0)
            for (int volgende : m_naPoules)
                Vrij(volgende, m_poulesEinde);
    }

    // One of the things match `volgende` waits for is over, from `vanaf` on.
    void Vrij(int volgende, int vanaf) {
        const auto v = static_cast<std::size_t>(volgende);
        m_klaarVanaf[v] = std::max(m_klaarVanaf[v], vanaf);
        if (--m_wachtOp[v] == 0)
            m_klaar.push(volgende);
    }

    const std::vector<TPlanWedstrijd>& m_wedstrijden;
    const TInstellingen& m_instellingen;
    std::vector<int> m_staart;
    const TBeginstand& m_beginstand;
    std::vector<int> m_wachtOp;
    std::vector<int> m_klaarVanaf;
    std::vector<std::vector<int>> m_na;
    std::vector<int> m_naPoules;
    int m_poulesOpen = 0;
    int m_poulesEinde = 0;
    std::unordered_map<int, int> m_deelnemerVrij;
    std::priority_queue<int, std::vector<int>, std::function<bool(int, int)>> m_klaar;
};

int Einde(const std::vector<TPlanWedstrijd>& wedstrijden, const TInstellingen& instellingen,
          const TPlan& plan, int i) {
    return plan.Wedstrijden[static_cast<std::size_t>(i)].Begin +
           Duur(instellingen, wedstrijden[static_cast<std::size_t>(i)]);
}

} // namespace

int Duur(const TInstellingen& instellingen, const TPlanWedstrijd& wedstrijd) {
    return wedstrijd.Knockout ? instellingen.KnockoutSlot : instellingen.PouleSlot;
}

TPlan MaakPlan(const std::vector<TPlanWedstrijd>& wedstrijden, const TInstellingen& instellingen,
               const TBeginstand& beginstand) {
    return TPlanner(wedstrijden, instellingen, beginstand).Maak();
}

int Ondergrens(const std::vector<TPlanWedstrijd>& wedstrijden, const TInstellingen& instellingen) {
    if (wedstrijden.empty())
        return 0;
    const int banen = std::max(1, instellingen.Banen);
    // The time the courts need for these matches at the least; with one
    // slot length the time ends on a slot.
    const auto capaciteit = [&](bool metKnockout) {
        long long totaal = 0;
        for (const TPlanWedstrijd& w : wedstrijden)
            if (metKnockout || !w.Knockout)
                totaal += Duur(instellingen, w);
        int tijd = static_cast<int>((totaal + banen - 1) / banen);
        if (instellingen.PouleSlot == instellingen.KnockoutSlot && instellingen.PouleSlot > 0) {
            const int slot = instellingen.PouleSlot;
            tijd = (tijd + slot - 1) / slot * slot;
        }
        return tijd;
    };
    const bool naPoules = std::any_of(wedstrijden.begin(), wedstrijden.end(),
                                      [](const TPlanWedstrijd& w) { return w.NaPoules; });
    // The earliest start of each match: after what it waits for, and after
    // every match among those that one of their players must play first.
    const std::size_t n = wedstrijden.size();
    const std::vector<int> volgorde = InVolgorde(wedstrijden);
    std::vector<int> vroegst(n, 0);
    int keten = 0;
    // The pools come first in the order; what waits for all of them waits
    // for the courts to play them too.
    int poulesKlaar = naPoules ? capaciteit(false) : -1;
    for (int i : volgorde) {
        const TPlanWedstrijd& w = wedstrijden[static_cast<std::size_t>(i)];
        if (w.NaPoules && poulesKlaar >= 0)
            vroegst[static_cast<std::size_t>(i)] = poulesKlaar;
        std::map<int, std::pair<int, int>> belasting; // player: minutes, matches
        for (int v : w.Voorgangers) {
            const TPlanWedstrijd& voor = wedstrijden[static_cast<std::size_t>(v)];
            const int duur = Duur(instellingen, voor);
            vroegst[static_cast<std::size_t>(i)] =
                std::max(vroegst[static_cast<std::size_t>(i)],
                         vroegst[static_cast<std::size_t>(v)] + duur + instellingen.Rust());
            for (int d : voor.Deelnemers) {
                belasting[d].first += duur;
                ++belasting[d].second;
            }
        }
        for (const auto& [deelnemer, last] : belasting)
            vroegst[static_cast<std::size_t>(i)] =
                std::max(vroegst[static_cast<std::size_t>(i)],
                         last.first + last.second * instellingen.Rust());
        keten = std::max(keten, vroegst[static_cast<std::size_t>(i)] + Duur(instellingen, w));
        if (!w.Knockout)
            poulesKlaar = std::max(poulesKlaar, keten);
    }
    for (const auto& [deelnemer, lijst] : PerDeelnemer(wedstrijden)) {
        int eigen = static_cast<int>(lijst.size() - 1) * instellingen.Rust();
        for (int i : lijst)
            eigen += Duur(instellingen, wedstrijden[static_cast<std::size_t>(i)]);
        keten = std::max(keten, eigen);
    }
    return std::max(capaciteit(true), keten);
}

std::vector<TBotsing> Controleer(const std::vector<TPlanWedstrijd>& wedstrijden,
                                 const TInstellingen& instellingen, const TPlan& plan) {
    std::vector<TBotsing> botsingen;
    const auto gepland = [&](int i) {
        return plan.Wedstrijden[static_cast<std::size_t>(i)].Begin >= 0;
    };
    const auto begin = [&](int i) { return plan.Wedstrijden[static_cast<std::size_t>(i)].Begin; };
    const auto einde = [&](int i) { return Einde(wedstrijden, instellingen, plan, i); };
    const auto opBegin = [&](std::vector<int>& lijst) {
        std::stable_sort(lijst.begin(), lijst.end(),
                         [&](int a, int b) { return begin(a) < begin(b); });
    };
    // Per court and per player, each match against the one before it.
    std::map<int, std::vector<int>> perBaan;
    for (std::size_t i = 0; i < wedstrijden.size(); ++i)
        if (gepland(static_cast<int>(i)))
            perBaan[plan.Wedstrijden[i].Baan].push_back(static_cast<int>(i));
    for (auto& [baan, lijst] : perBaan) {
        opBegin(lijst);
        for (std::size_t k = 1; k < lijst.size(); ++k)
            if (begin(lijst[k]) < einde(lijst[k - 1]))
                botsingen.push_back({TBotsingSoort::BaanDubbel, lijst[k], lijst[k - 1], -1});
    }
    for (auto [deelnemer, lijst] : PerDeelnemer(wedstrijden)) {
        std::erase_if(lijst, [&](int i) { return !gepland(i); });
        opBegin(lijst);
        for (std::size_t k = 1; k < lijst.size(); ++k) {
            const int tussen = begin(lijst[k]) - einde(lijst[k - 1]);
            if (tussen < 0)
                botsingen.push_back(
                    {TBotsingSoort::DeelnemerDubbel, lijst[k], lijst[k - 1], deelnemer});
            else if (tussen < instellingen.Rust())
                botsingen.push_back({TBotsingSoort::RustTeKort, lijst[k], lijst[k - 1], deelnemer});
        }
    }
    int laatstePoule = -1; // the pool match that ends last
    for (std::size_t i = 0; i < wedstrijden.size(); ++i) {
        const int w = static_cast<int>(i);
        if (!wedstrijden[i].Knockout && gepland(w) &&
            (laatstePoule < 0 || einde(w) > einde(laatstePoule)))
            laatstePoule = w;
    }
    for (std::size_t i = 0; i < wedstrijden.size(); ++i) {
        const int w = static_cast<int>(i);
        if (!gepland(w))
            continue;
        if (wedstrijden[i].NaPoules && laatstePoule >= 0 && begin(w) < einde(laatstePoule))
            botsingen.push_back({TBotsingSoort::VoorVoorganger, w, laatstePoule, -1});
        for (int v : wedstrijden[i].Voorgangers)
            if (!gepland(v) || begin(w) < einde(v) + instellingen.Rust())
                botsingen.push_back({TBotsingSoort::VoorVoorganger, w, v, -1});
        for (const TPauze& pauze : instellingen.Pauzes)
            if (begin(w) < pauze.Tot && einde(w) > pauze.Van)
                botsingen.push_back({TBotsingSoort::InPauze, w, -1, -1});
    }
    return botsingen;
}

QString BotsingTekst(const TBotsing& botsing, const TNamen& namen) {
    const QString wedstrijd = namen.Wedstrijd(botsing.Wedstrijd);
    switch (botsing.Soort) {
    case TBotsingSoort::BaanDubbel:
        return QStringLiteral("%1 is dubbel bezet: %2 begint voordat %3 klaar is.")
            .arg(namen.Baan(botsing.Wedstrijd), wedstrijd, namen.Wedstrijd(botsing.Ander));
    case TBotsingSoort::DeelnemerDubbel:
        return QStringLiteral("%1 speelt twee wedstrijden tegelijk: %2 en %3.")
            .arg(namen.Deelnemer(botsing.Deelnemer), namen.Wedstrijd(botsing.Ander), wedstrijd);
    case TBotsingSoort::RustTeKort:
        return QStringLiteral("%1 heeft te weinig rust voor %2 om %3.")
            .arg(namen.Deelnemer(botsing.Deelnemer), wedstrijd, namen.Tijd(botsing.Wedstrijd));
    case TBotsingSoort::VoorVoorganger:
        return QStringLiteral(
                   "%1 begint om %2, voordat %3 gespeeld is en de spelers gerust hebben.")
            .arg(wedstrijd, namen.Tijd(botsing.Wedstrijd), namen.Wedstrijd(botsing.Ander));
    case TBotsingSoort::InPauze:
        return QStringLiteral("%1 om %2 valt in de pauze.")
            .arg(wedstrijd, namen.Tijd(botsing.Wedstrijd));
    }
    return {};
}

void Verschuif(TPlan& plan, const std::vector<TPlanWedstrijd>& wedstrijden,
               const TInstellingen& instellingen, int wedstrijd, int einde) {
    const TToewijzing gespeeld = plan.Wedstrijden[static_cast<std::size_t>(wedstrijd)];
    if (gespeeld.Begin < 0)
        return;
    const int verschil = einde - Einde(wedstrijden, instellingen, plan, wedstrijd);
    plan.Einde = 0;
    for (std::size_t i = 0; i < plan.Wedstrijden.size(); ++i) {
        TToewijzing& t = plan.Wedstrijden[i];
        if (t.Begin < 0)
            continue;
        if (t.Baan == gespeeld.Baan && t.Begin > gespeeld.Begin)
            t.Begin += verschil;
        plan.Einde =
            std::max(plan.Einde, Einde(wedstrijden, instellingen, plan, static_cast<int>(i)));
    }
}

} // namespace Planning

namespace Planning {

QString BaanNaam(const TDagInstellingen& instellingen, int baan) {
    if (baan >= 0 && baan < instellingen.Baannamen.size()) {
        const QString naam = instellingen.Baannamen.at(baan).trimmed();
        if (!naam.isEmpty())
            return naam;
    }
    return QStringLiteral("Baan %1").arg(baan + 1);
}

QString TijdTekst(const TDagInstellingen& instellingen, int minuut) {
    constexpr int Dag = 24 * 60;
    const int klok = ((instellingen.Begintijd + minuut) % Dag + Dag) % Dag;
    return QStringLiteral("%1:%2")
        .arg(klok / 60, 2, 10, QLatin1Char('0'))
        .arg(klok % 60, 2, 10, QLatin1Char('0'));
}

} // namespace Planning
