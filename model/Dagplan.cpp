#include "model/Dagplan.h"

#include "model/Knockout.h"
#include "model/Programmastatus.h"
#include "model/Toernooi.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace Dagplan {

using namespace Planning;

namespace {

constexpr int Nooit = std::numeric_limits<int>::max();

std::uint64_t Sleutel(const TWedstrijdPlek& plek) {
    return (((static_cast<std::uint64_t>(plek.KnockoutNr) << 16 |
              static_cast<std::uint16_t>(plek.Poule))
                 << 16 |
             static_cast<std::uint16_t>(plek.Ronde))
            << 16) |
           static_cast<std::uint16_t>(plek.Nummer);
}

QString KnockoutNaam(int knockoutNr) {
    return knockoutNr == 1 ? QStringLiteral("Winnaarsronde") : QStringLiteral("Verliezersronde");
}

// Thousands of these are made for every overview: joined, not formatted.
QString KnockoutOmschrijving(int knockoutNr, int ronde, int nummer) {
    return KnockoutNaam(knockoutNr) + QStringLiteral(", ronde ") + QString::number(ronde + 1) +
           QStringLiteral(", wedstrijd ") + QString::number(nummer + 1);
}

QString WinnaarVan(int ronde, int nummer) {
    return QStringLiteral("Winnaar ronde ") + QString::number(ronde + 1) +
           QStringLiteral(", wedstrijd ") + QString::number(nummer + 1);
}

class TVerzamelaar {
public:
    TVerzamelaar(const TToernooi& toernooi, bool metTekst)
        : m_toernooi(toernooi)
        , m_metTekst(metTekst) {}

    std::vector<TWedstrijd> Alles() {
        const int status = m_toernooi.Programmastatus;
        if (m_metTekst) {
            m_namen.reserve(m_toernooi.Lijst.size());
            for (const auto& deelnemer : m_toernooi.Lijst)
                m_namen.push_back(deelnemer->Naam());
        }
        if (status == psPoules || status == psKnockout)
            Poules();
        if (m_toernooi.Winnaars) {
            for (std::size_t i = 0; i < m_toernooi.Lijst.size(); ++i)
                m_index.emplace(m_toernooi.Lijst[i].get(), static_cast<int>(i));
            Knockout(*m_toernooi.Winnaars);
            if (m_toernooi.Verliezers)
                Knockout(*m_toernooi.Verliezers);
        } else if (status == psPoules) {
            VerwachteKnockouts();
        }
        return std::move(m_wedstrijden);
    }

private:
    void Poules() {
        const auto& poules = m_toernooi.Wedstrijden.Poules;
        QString omschrijving;
        for (std::size_t p = 0; p < poules.size(); ++p) {
            const auto& schema = poules[p].Wedstrijden;
            for (std::size_t i = 0; i < schema.size(); ++i) {
                const auto& w = schema[i];
                TWedstrijd wedstrijd;
                wedstrijd.Plek = {0, static_cast<int>(p) + 1, 0, static_cast<int>(i)};
                wedstrijd.Plan.Deelnemers = {w.A, w.B};
                wedstrijd.Plan.Ronde = w.Ronde;
                if (m_metTekst) {
                    // One text per round, shared by its matches.
                    if (i == 0 || schema[i - 1].Ronde != w.Ronde)
                        omschrijving = QStringLiteral("Poule ") + QString::number(p + 1) +
                                       QStringLiteral(", ronde ") + QString::number(w.Ronde);
                    wedstrijd.Omschrijving = omschrijving;
                    wedstrijd.Boven = m_namen[static_cast<std::size_t>(w.A)];
                    wedstrijd.Onder = m_namen[static_cast<std::size_t>(w.B)];
                }
                wedstrijd.Gespeeld = w.Gespeeld();
                m_wedstrijden.push_back(std::move(wedstrijd));
            }
        }
    }

    void Knockout(const TKnockout& knockout) {
        const int nr = knockout.KnockoutNr();
        std::vector<int> vorige; // list index of each match of the round before; -1: bye
        for (int r = 0; r < knockout.AantalRondes(); ++r) {
            std::vector<int> deze(static_cast<std::size_t>(knockout.AantalWedstrijden(r)), -1);
            for (int n = 0; n < knockout.AantalWedstrijden(r); ++n) {
                const TKnockoutWedstrijd* m = knockout.Wedstrijd(r, n);
                if (m->Bye())
                    continue;
                TWedstrijd wedstrijd;
                wedstrijd.Plek = {nr, 0, r, n};
                wedstrijd.Plan.Knockout = true;
                wedstrijd.Plan.Ronde = r;
                if (m_metTekst)
                    wedstrijd.Omschrijving = KnockoutOmschrijving(nr, r, n);
                wedstrijd.Boven = Speler(m->DeelnemerBoven(), wedstrijd, r, n, 0);
                wedstrijd.Onder = Speler(m->DeelnemerOnder(), wedstrijd, r, n, 1);
                if (r > 0)
                    for (int plek = 0; plek < 2; ++plek) {
                        const int voor = vorige[static_cast<std::size_t>(2 * n + plek)];
                        if (voor >= 0)
                            wedstrijd.Plan.Voorgangers.push_back(voor);
                    }
                wedstrijd.Gespeeld = m->Winnaar() != nullptr;
                deze[static_cast<std::size_t>(n)] = static_cast<int>(m_wedstrijden.size());
                m_wedstrijden.push_back(std::move(wedstrijd));
            }
            vorige = std::move(deze);
        }
    }

    QString Speler(const TDeelnemer* deelnemer, TWedstrijd& wedstrijd, int ronde, int nummer,
                   int plek) {
        if (deelnemer) {
            const auto it = m_index.find(deelnemer);
            if (it == m_index.end())
                return {};
            wedstrijd.Plan.Deelnemers.push_back(it->second);
            return m_metTekst ? m_namen[static_cast<std::size_t>(it->second)] : QString();
        }
        if (ronde == 0 || !m_metTekst)
            return {};
        return WinnaarVan(ronde - 1, 2 * nummer + plek);
    }

    // Before the division: the brackets of the assumed split, with the
    // byes where the draws put them, waiting for the whole pool stage.
    void VerwachteKnockouts() {
        const TDagInstellingen& instellingen = m_toernooi.Dag.Instellingen;
        std::unordered_map<int, int> grootte;
        for (const auto& deelnemer : m_toernooi.Lijst)
            if (deelnemer->Poule > 0)
                ++grootte[deelnemer->Poule];
        int winnaars = 0;
        int verliezers = 0;
        for (const auto& [poule, aantal] : grootte) {
            const int n = std::clamp(instellingen.Doorstroming, 0, aantal);
            const int beste = instellingen.DoorstromingBeste ? n : aantal - n;
            winnaars += beste;
            verliezers += aantal - beste;
        }
        VerwachteKnockout(1, winnaars);
        VerwachteKnockout(2, verliezers);
    }

    void VerwachteKnockout(int nr, int aantal) {
        if (aantal < 2)
            return;
        int grootte = 2;
        int bits = 0;
        while (grootte < aantal) {
            grootte *= 2;
            ++bits;
        }
        std::vector<bool> bye(static_cast<std::size_t>(grootte / 2), false);
        for (int b = 0; b < grootte - aantal; ++b)
            bye[static_cast<std::size_t>(TKnockout::SpreidingsPlek(b, bits))] = true;
        std::vector<int> vorige;
        int r = 0;
        for (int wedstrijden = grootte / 2; wedstrijden >= 1; wedstrijden /= 2, ++r) {
            std::vector<int> deze(static_cast<std::size_t>(wedstrijden), -1);
            for (int n = 0; n < wedstrijden; ++n) {
                if (r == 0 && bye[static_cast<std::size_t>(n)])
                    continue;
                TWedstrijd wedstrijd;
                wedstrijd.Plek = {nr, 0, r, n};
                wedstrijd.Plan.Knockout = true;
                wedstrijd.Plan.Ronde = r;
                wedstrijd.Plan.NaPoules = true;
                if (m_metTekst)
                    wedstrijd.Omschrijving = KnockoutOmschrijving(nr, r, n);
                for (int plek = 0; plek < 2; ++plek) {
                    const int voor = r == 0 ? -1 : vorige[static_cast<std::size_t>(2 * n + plek)];
                    if (voor >= 0)
                        wedstrijd.Plan.Voorgangers.push_back(voor);
                    if (m_metTekst)
                        (plek == 0 ? wedstrijd.Boven : wedstrijd.Onder) =
                            voor >= 0 ? WinnaarVan(r - 1, 2 * n + plek)
                                      : QStringLiteral("Uit de poules");
                }
                deze[static_cast<std::size_t>(n)] = static_cast<int>(m_wedstrijden.size());
                m_wedstrijden.push_back(std::move(wedstrijd));
            }
            vorige = std::move(deze);
        }
    }

    const TToernooi& m_toernooi;
    const bool m_metTekst;
    std::vector<QString> m_namen; // per participant, made once
    std::vector<TWedstrijd> m_wedstrijden;
    std::unordered_map<const TDeelnemer*, int> m_index;
};

// The matches of the day with what the plan and the day made of them.
struct TStand {
    std::vector<TWedstrijd> Wedstrijden;
    std::vector<int> Gepland; // per match its entry in TDag::Gepland, or -1
    std::vector<TDagToestand> Toestand;
};

TStand MaakStand(const TToernooi& toernooi, bool metTekst = false) {
    TStand stand;
    stand.Wedstrijden = TVerzamelaar(toernooi, metTekst).Alles();
    const auto& gepland = toernooi.Dag.Gepland;
    std::unordered_map<std::uint64_t, int> opPlek;
    opPlek.reserve(gepland.size());
    for (std::size_t g = 0; g < gepland.size(); ++g)
        opPlek.emplace(Sleutel(gepland[g].Plek), static_cast<int>(g));
    stand.Gepland.assign(stand.Wedstrijden.size(), -1);
    stand.Toestand.assign(stand.Wedstrijden.size(), TDagToestand::Gepland);
    for (std::size_t i = 0; i < stand.Wedstrijden.size(); ++i) {
        const TWedstrijd& w = stand.Wedstrijden[i];
        const auto it = opPlek.find(Sleutel(w.Plek));
        if (it != opPlek.end())
            stand.Gepland[i] = it->second;
        if (w.Gespeeld)
            stand.Toestand[i] = TDagToestand::Gespeeld;
        else if (it != opPlek.end() && gepland[static_cast<std::size_t>(it->second)].EchtBegin >= 0)
            stand.Toestand[i] = TDagToestand::Opgeroepen;
    }
    return stand;
}

struct TTijden {
    std::vector<int> Baan;
    std::vector<int> Begin;
    std::vector<int> Einde;
};

// The expected times: per court in the order of the plan, each match that
// has not begun moves with the difference the last real event on its court
// made, and waits for a match on the court that has begun.
TTijden Verwacht(const TToernooi& toernooi, const TStand& stand) {
    const TDag& dag = toernooi.Dag;
    const TInstellingen& instellingen = dag.Instellingen.Plan;
    const std::size_t n = stand.Wedstrijden.size();
    TTijden tijden{std::vector<int>(n, -1), std::vector<int>(n, -1), std::vector<int>(n, -1)};
    std::vector<std::vector<int>> perBaan(
        static_cast<std::size_t>(std::max(0, instellingen.Banen)));
    for (std::size_t i = 0; i < n; ++i) {
        const int g = stand.Gepland[i];
        if (g < 0)
            continue;
        const TGepland& plan = dag.Gepland[static_cast<std::size_t>(g)];
        if (plan.Baan < 0 || plan.Baan >= instellingen.Banen)
            continue;
        perBaan[static_cast<std::size_t>(plan.Baan)].push_back(static_cast<int>(i));
    }
    const auto plan = [&](int i) -> const TGepland& {
        return dag.Gepland[static_cast<std::size_t>(stand.Gepland[static_cast<std::size_t>(i)])];
    };
    const auto start = [&](int i) {
        const TGepland& p = plan(i);
        return p.EchtBegin >= 0 ? p.EchtBegin : p.Begin;
    };
    for (std::size_t b = 0; b < perBaan.size(); ++b) {
        auto& lijst = perBaan[b];
        std::stable_sort(lijst.begin(), lijst.end(),
                         [&](int x, int y) { return start(x) < start(y); });
        int verschil = 0;
        int vorigeEinde = std::numeric_limits<int>::min();
        for (int i : lijst) {
            const auto k = static_cast<std::size_t>(i);
            const TGepland& p = plan(i);
            const int duur = Duur(instellingen, stand.Wedstrijden[k].Plan);
            int begin = p.Begin + verschil;
            int einde = begin + duur;
            if (p.EchtBegin >= 0 || p.EchtEinde >= 0) {
                begin = p.EchtBegin >= 0 ? p.EchtBegin : begin;
                einde = p.EchtEinde >= 0 ? p.EchtEinde : begin + duur;
                verschil = einde - (p.Begin + duur);
                vorigeEinde = std::max(vorigeEinde, einde);
            } else if (begin < vorigeEinde) {
                // Only what really happened pushes a match on: two planned
                // ones on top of each other are a clash to show.
                begin = vorigeEinde;
                einde = begin + duur;
            }
            tijden.Baan[k] = static_cast<int>(b);
            tijden.Begin[k] = begin;
            tijden.Einde[k] = einde;
        }
    }
    return tijden;
}

std::vector<TPlanWedstrijd> Plannen(const std::vector<TWedstrijd>& wedstrijden) {
    std::vector<TPlanWedstrijd> plannen;
    plannen.reserve(wedstrijden.size());
    for (const TWedstrijd& w : wedstrijden)
        plannen.push_back(w.Plan);
    return plannen;
}

// The clashes of the expected day that still matter: those with a match
// that has not begun.
std::vector<TBotsing> Botsingen(const TToernooi& toernooi, const TStand& stand,
                                const TTijden& tijden) {
    const std::vector<TPlanWedstrijd> plannen = Plannen(stand.Wedstrijden);
    TPlan plan;
    plan.Wedstrijden.resize(plannen.size());
    for (std::size_t i = 0; i < plannen.size(); ++i)
        plan.Wedstrijden[i] = {tijden.Baan[i], tijden.Baan[i] >= 0 ? tijden.Begin[i] : -1};
    std::vector<TBotsing> botsingen = Controleer(plannen, toernooi.Dag.Instellingen.Plan, plan);
    const auto begonnen = [&](int i) {
        return i < 0 || stand.Toestand[static_cast<std::size_t>(i)] != TDagToestand::Gepland;
    };
    std::erase_if(botsingen, [&](const TBotsing& botsing) {
        return begonnen(botsing.Wedstrijd) && begonnen(botsing.Ander);
    });
    return botsingen;
}

QStringList BotsingTeksten(const TToernooi& toernooi, const TStand& stand, const TTijden& tijden,
                           const std::vector<TBotsing>& botsingen) {
    const TDagInstellingen& instellingen = toernooi.Dag.Instellingen;
    TNamen namen;
    namen.Wedstrijd = [&](int i) {
        const TWedstrijd& w = stand.Wedstrijden[static_cast<std::size_t>(i)];
        return QStringLiteral("%1 (%2 – %3)").arg(w.Omschrijving, w.Boven, w.Onder);
    };
    namen.Deelnemer = [&](int d) { return toernooi.Lijst[static_cast<std::size_t>(d)]->Naam(); };
    namen.Baan = [&](int i) {
        return BaanNaam(instellingen, tijden.Baan[static_cast<std::size_t>(i)]);
    };
    namen.Tijd = [&](int i) {
        return TijdTekst(instellingen, tijden.Begin[static_cast<std::size_t>(i)]);
    };
    QStringList teksten;
    for (const TBotsing& botsing : botsingen)
        teksten << BotsingTekst(botsing, namen);
    return teksten;
}

int Zoek(const TStand& stand, const TWedstrijdPlek& plek) {
    for (std::size_t i = 0; i < stand.Wedstrijden.size(); ++i)
        if (stand.Wedstrijden[i].Plek == plek)
            return static_cast<int>(i);
    return -1;
}

// When each participant may play again: after the rest that follows the
// end of a match played or being played.
std::unordered_map<int, int> UitgerustVanaf(const TToernooi& toernooi, const TStand& stand,
                                            const TTijden& tijden) {
    const int rust = toernooi.Dag.Instellingen.Plan.Rust();
    std::unordered_map<int, int> vrij;
    for (std::size_t i = 0; i < stand.Wedstrijden.size(); ++i) {
        if (stand.Toestand[i] == TDagToestand::Gepland || tijden.Einde[i] < 0)
            continue;
        for (int d : stand.Wedstrijden[i].Plan.Deelnemers) {
            int& v = vrij[d];
            v = std::max(v, tijden.Einde[i] + rust);
        }
    }
    return vrij;
}

} // namespace

std::vector<TWedstrijd> Wedstrijden(const TToernooi& toernooi) {
    return TVerzamelaar(toernooi, true).Alles();
}

TDagoverzicht Overzicht(const TToernooi& toernooi) {
    TStand stand = MaakStand(toernooi, true);
    const TTijden tijden = Verwacht(toernooi, stand);
    TDagoverzicht overzicht;
    overzicht.Ondergrens = toernooi.Dag.Ondergrens;
    overzicht.Botsingen =
        BotsingTeksten(toernooi, stand, tijden, Botsingen(toernooi, stand, tijden));
    std::vector<int> volgorde(stand.Wedstrijden.size());
    for (std::size_t i = 0; i < volgorde.size(); ++i)
        volgorde[i] = static_cast<int>(i);
    const auto sleutel = [&](int i) {
        const auto k = static_cast<std::size_t>(i);
        return std::pair(tijden.Baan[k] < 0 ? Nooit : tijden.Begin[k], tijden.Baan[k]);
    };
    std::stable_sort(volgorde.begin(), volgorde.end(),
                     [&](int a, int b) { return sleutel(a) < sleutel(b); });
    overzicht.Wedstrijden.reserve(volgorde.size());
    for (int i : volgorde) {
        const auto k = static_cast<std::size_t>(i);
        TWedstrijd& w = stand.Wedstrijden[k];
        TDagWedstrijd dag;
        dag.Plek = w.Plek;
        dag.Omschrijving = std::move(w.Omschrijving);
        dag.Boven = std::move(w.Boven);
        dag.Onder = std::move(w.Onder);
        dag.Deelnemers = std::move(w.Plan.Deelnemers);
        dag.Baan = tijden.Baan[k];
        dag.Begin = tijden.Begin[k];
        dag.Einde = tijden.Einde[k];
        dag.Toestand = stand.Toestand[k];
        overzicht.Einde = std::max(overzicht.Einde, dag.Einde);
        overzicht.Wedstrijden.push_back(std::move(dag));
    }
    return overzicht;
}

std::vector<TBaanStand> Banen(const TToernooi& toernooi, const TDagoverzicht& overzicht) {
    std::vector<TBaanStand> banen(
        static_cast<std::size_t>(std::max(0, toernooi.Dag.Instellingen.Plan.Banen)));
    for (std::size_t i = 0; i < overzicht.Wedstrijden.size(); ++i) {
        const TDagWedstrijd& w = overzicht.Wedstrijden[i];
        if (w.Baan < 0 || w.Baan >= static_cast<int>(banen.size()))
            continue;
        TBaanStand& baan = banen[static_cast<std::size_t>(w.Baan)];
        // The list runs by start: the first of each kind is the one.
        if (w.Toestand == TDagToestand::Opgeroepen && baan.Nu < 0)
            baan.Nu = static_cast<int>(i);
        else if (w.Toestand == TDagToestand::Gepland && baan.Volgende < 0)
            baan.Volgende = static_cast<int>(i);
    }
    return banen;
}

void Maak(TToernooi& toernooi, int nu) {
    TDag& dag = toernooi.Dag;
    const TInstellingen& instellingen = dag.Instellingen.Plan;
    const TStand stand = MaakStand(toernooi);
    const TTijden tijden = Verwacht(toernooi, stand);
    const std::size_t n = stand.Wedstrijden.size();

    // What is played or on its court stays; the rest is planned anew.
    std::vector<TGepland> blijft;
    std::vector<int> nieuw(n, -1); // index among the matches to plan
    std::vector<TPlanWedstrijd> teplannen;
    std::vector<int> terug;
    bool begonnen = false;
    for (std::size_t i = 0; i < n; ++i) {
        const bool vast = stand.Toestand[i] != TDagToestand::Gepland;
        if (vast) {
            if (stand.Gepland[i] >= 0) {
                blijft.push_back(dag.Gepland[static_cast<std::size_t>(stand.Gepland[i])]);
                begonnen = true;
            }
            continue;
        }
        nieuw[i] = static_cast<int>(teplannen.size());
        teplannen.push_back(stand.Wedstrijden[i].Plan);
        terug.push_back(static_cast<int>(i));
    }
    for (TPlanWedstrijd& w : teplannen) {
        std::vector<int> voor;
        for (int v : w.Voorgangers)
            if (nieuw[static_cast<std::size_t>(v)] >= 0)
                voor.push_back(nieuw[static_cast<std::size_t>(v)]);
        w.Voorgangers = std::move(voor);
    }
    TBeginstand beginstand;
    beginstand.Vanaf = begonnen ? std::max(0, nu) : 0;
    beginstand.BaanVrij.assign(static_cast<std::size_t>(std::max(0, instellingen.Banen)), 0);
    for (std::size_t i = 0; i < n; ++i)
        if (stand.Toestand[i] == TDagToestand::Opgeroepen && tijden.Baan[i] >= 0)
            beginstand.BaanVrij[static_cast<std::size_t>(tijden.Baan[i])] = std::max(
                beginstand.BaanVrij[static_cast<std::size_t>(tijden.Baan[i])], tijden.Einde[i]);
    for (const auto& [deelnemer, vrij] : UitgerustVanaf(toernooi, stand, tijden))
        beginstand.DeelnemerVrij.emplace_back(deelnemer, vrij);

    const TPlan plan = MaakPlan(teplannen, instellingen, beginstand);
    dag.Gepland = std::move(blijft);
    for (std::size_t k = 0; k < teplannen.size(); ++k) {
        const TToewijzing& t = plan.Wedstrijden[k];
        if (t.Begin < 0)
            continue;
        TGepland g;
        g.Plek = stand.Wedstrijden[static_cast<std::size_t>(terug[k])].Plek;
        g.Baan = t.Baan;
        g.Begin = t.Begin;
        dag.Gepland.push_back(g);
    }
    dag.Ondergrens = Ondergrens(Plannen(stand.Wedstrijden), instellingen);
}

bool Verplaats(TToernooi& toernooi, const TWedstrijdPlek& plek, int baan, int begin,
               QStringList* botsingen) {
    TDag& dag = toernooi.Dag;
    if (baan < 0 || baan >= dag.Instellingen.Plan.Banen || begin < 0)
        return false;
    TStand stand = MaakStand(toernooi, botsingen != nullptr);
    const int i = Zoek(stand, plek);
    if (i < 0 || stand.Toestand[static_cast<std::size_t>(i)] == TDagToestand::Gespeeld)
        return false;
    int& g = stand.Gepland[static_cast<std::size_t>(i)];
    if (g < 0) {
        g = static_cast<int>(dag.Gepland.size());
        dag.Gepland.push_back({plek, -1, -1, -1, -1});
    }
    TGepland& gepland = dag.Gepland[static_cast<std::size_t>(g)];
    gepland.Baan = baan;
    if (gepland.EchtBegin < 0)
        gepland.Begin = begin;
    if (botsingen) {
        const TTijden tijden = Verwacht(toernooi, stand);
        std::vector<TBotsing> alle = Botsingen(toernooi, stand, tijden);
        std::erase_if(alle, [&](const TBotsing& b) { return b.Wedstrijd != i && b.Ander != i; });
        *botsingen = BotsingTeksten(toernooi, stand, tijden, alle);
    }
    return true;
}

namespace {

// The match for a free court: the first in the plan whose players are all
// known, on no court and rested; its own court's before another's.
int Volgende(const TToernooi& toernooi, const TStand& stand, int baan, int nu) {
    const TDag& dag = toernooi.Dag;
    const TTijden tijden = Verwacht(toernooi, stand);
    const std::unordered_map<int, int> vrij = UitgerustVanaf(toernooi, stand, tijden);
    std::unordered_map<int, bool> bezig;
    for (std::size_t i = 0; i < stand.Wedstrijden.size(); ++i)
        if (stand.Toestand[i] == TDagToestand::Opgeroepen)
            for (int d : stand.Wedstrijden[i].Plan.Deelnemers)
                bezig[d] = true;
    const auto klaar = [&](std::size_t i) {
        const TWedstrijd& w = stand.Wedstrijden[i];
        if (stand.Toestand[i] != TDagToestand::Gepland || stand.Gepland[i] < 0 ||
            w.Plan.Deelnemers.size() != 2)
            return false;
        return std::none_of(w.Plan.Deelnemers.begin(), w.Plan.Deelnemers.end(), [&](int d) {
            const auto it = vrij.find(d);
            return bezig.contains(d) || (it != vrij.end() && it->second > nu);
        });
    };
    const auto sleutel = [&](std::size_t i) {
        const TGepland& g = dag.Gepland[static_cast<std::size_t>(stand.Gepland[i])];
        return std::tuple(g.Begin, g.Baan != baan, g.Baan);
    };
    int gekozen = -1;
    for (std::size_t i = 0; i < stand.Wedstrijden.size(); ++i)
        if (klaar(i) && (gekozen < 0 || sleutel(i) < sleutel(static_cast<std::size_t>(gekozen))))
            gekozen = static_cast<int>(i);
    return gekozen;
}

void Roep(TToernooi& toernooi, const TStand& stand, int wedstrijd, int baan, int nu) {
    TGepland& gepland =
        toernooi.Dag
            .Gepland[static_cast<std::size_t>(stand.Gepland[static_cast<std::size_t>(wedstrijd)])];
    // On another court than planned it starts a line of its own there: the
    // matches after it wait for it, but its lateness is not theirs.
    if (gepland.Baan != baan)
        gepland.Begin = nu;
    gepland.Baan = baan;
    gepland.EchtBegin = nu;
}

} // namespace

int RoepOp(TToernooi& toernooi, const TWedstrijdPlek* plek, int baan, int nu) {
    if (baan < 0 || baan >= toernooi.Dag.Instellingen.Plan.Banen || toernooi.Dag.Gepland.empty())
        return -1;
    nu = std::max(0, nu);
    const TStand stand = MaakStand(toernooi);
    int gekozen = -1;
    if (plek) {
        gekozen = Zoek(stand, *plek);
        if (gekozen < 0 ||
            stand.Toestand[static_cast<std::size_t>(gekozen)] != TDagToestand::Gepland ||
            stand.Gepland[static_cast<std::size_t>(gekozen)] < 0)
            return -1;
    } else {
        gekozen = Volgende(toernooi, stand, baan, nu);
        if (gekozen < 0)
            return -1;
    }
    Roep(toernooi, stand, gekozen, baan, nu);
    return baan;
}

int NaUitslag(TToernooi& toernooi, const TWedstrijdPlek& plek, int nu) {
    TDag& dag = toernooi.Dag;
    if (dag.Gepland.empty())
        return -1;
    nu = std::max(0, nu);
    const TStand stand = MaakStand(toernooi);
    const int i = Zoek(stand, plek);
    if (i < 0 || stand.Gepland[static_cast<std::size_t>(i)] < 0)
        return -1;
    TGepland& gepland =
        dag.Gepland[static_cast<std::size_t>(stand.Gepland[static_cast<std::size_t>(i)])];
    if (stand.Toestand[static_cast<std::size_t>(i)] != TDagToestand::Gespeeld) {
        // The result went again: the match is back on its court.
        gepland.EchtEinde = -1;
        return -1;
    }
    if (gepland.EchtEinde >= 0)
        return -1; // a correction: the match ended when it ended
    const int duur =
        Duur(dag.Instellingen.Plan, stand.Wedstrijden[static_cast<std::size_t>(i)].Plan);
    if (gepland.EchtBegin < 0)
        gepland.EchtBegin = std::max(0, nu - duur);
    gepland.EchtEinde = std::max(nu, gepland.EchtBegin);
    const int baan = gepland.Baan;
    if (baan < 0)
        return -1;
    for (std::size_t k = 0; k < stand.Wedstrijden.size(); ++k)
        if (stand.Toestand[k] == TDagToestand::Opgeroepen &&
            dag.Gepland[static_cast<std::size_t>(stand.Gepland[k])].Baan == baan)
            return -1; // the court still has a match on it
    const int volgende = Volgende(toernooi, stand, baan, nu);
    if (volgende < 0)
        return -1;
    Roep(toernooi, stand, volgende, baan, nu);
    return baan;
}

} // namespace Dagplan
