#include "model/Knockout.h"

#include "model/Poules.h"
#include "model/RandomSource.h"
#include "model/Text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <limits>
#include <map>
#include <utility>

namespace {

// Participants of the bracket that are still free to be drawn, by list index:
// the nearest free one at or after an index and at or before it, each found
// in nearly constant time (union-find with path halving), so a random draw
// stays linear however the starts fall.
class VrijeDeelnemers {
public:
    VrijeDeelnemers(const TDeelnemerLijst& deelnemers, std::uint8_t knockoutNr)
        : m_aantal(static_cast<int>(deelnemers.size()))
        , m_volgende(m_aantal + 1)
        , m_vorige(m_aantal + 1) {
        for (int i = 0; i < m_aantal; ++i) {
            const TDeelnemer* d = deelnemers[i].get();
            const bool vrij = d && d->KnockoutNr == knockoutNr && !d->Wedstrijd;
            m_volgende[i] = vrij ? i : i + 1;
            m_vorige[i + 1] = vrij ? i + 1 : i;
        }
        m_volgende[m_aantal] = m_aantal;
        m_vorige[0] = 0;
    }

    // The first free index >= i, or -1.
    int VanafNaarAchter(int i) {
        const int gevonden = Wortel(m_volgende, i);
        return gevonden < m_aantal ? gevonden : -1;
    }
    // The last free index <= i, or -1.
    int VanafNaarVoor(int i) { return Wortel(m_vorige, i + 1) - 1; }

    void Neem(int i) {
        m_volgende[i] = i + 1;
        m_vorige[i + 1] = i;
    }

private:
    static int Wortel(std::vector<int>& ouder, int i) {
        while (ouder[i] != i) {
            ouder[i] = ouder[ouder[i]];
            i = ouder[i];
        }
        return i;
    }

    int m_aantal;
    std::vector<int> m_volgende;
    std::vector<int> m_vorige; // shifted by one; slot 0 stands for "none"
};

int BitOmgekeerd(int waarde, int bits) {
    int resultaat = 0;
    for (int b = 0; b < bits; ++b) {
        resultaat = (resultaat << 1) | (waarde & 1);
        waarde >>= 1;
    }
    return resultaat;
}

// Fisher-Yates on the program's random source.
template <typename T> void Schud(std::vector<T>& lijst, RandomSource& toeval) {
    for (std::size_t i = lijst.size(); i > 1; --i)
        std::swap(lijst[i - 1], lijst[static_cast<std::size_t>(toeval.below(static_cast<int>(i)))]);
}

// A number per club (-1: none), the clubs told apart as the pool draw does:
// without surrounding blanks and regardless of case.
template <typename Deelnemers> std::vector<int> ClubNummers(const Deelnemers& deelnemers) {
    std::map<QString, int> nummers;
    std::vector<int> clubs;
    clubs.reserve(deelnemers.size());
    for (const auto& deelnemer : deelnemers) {
        const QString sleutel = deelnemer->Vereniging.trimmed().toCaseFolded();
        clubs.push_back(
            sleutel.isEmpty()
                ? -1
                : nummers.emplace(sleutel, static_cast<int>(nummers.size())).first->second);
    }
    return clubs;
}

// Puts `spelers` on the free lines of a bracket (lines 0 .. lijn.size() - 1,
// `vrijeLijnen` ascending, at least as many as players), halving the bracket
// again and again: every club is split over the two halves as evenly as
// their room allows, its members already on a line (the seeds) counted, so
// that club mates meet as late as they can. Clubs go largest first; the
// rest of the choice is random.
void VerdeelClubs(std::vector<int>& lijn, const std::vector<int>& vrijeLijnen,
                  std::vector<int> spelers, const std::vector<int>& clubVan, RandomSource& toeval) {
    const auto club = [&clubVan](int speler) { return clubVan[static_cast<std::size_t>(speler)]; };
    const int clubs = *std::max_element(clubVan.begin(), clubVan.end()) + 1;
    std::vector<std::vector<int>> vast(static_cast<std::size_t>(clubs));
    for (std::size_t l = 0; l < lijn.size(); ++l)
        if (lijn[l] >= 0 && club(lijn[l]) >= 0)
            vast[static_cast<std::size_t>(club(lijn[l]))].push_back(static_cast<int>(l));
    const auto vastIn = [&vast](int c, int van, int tot) {
        return static_cast<int>(std::count_if(vast[static_cast<std::size_t>(c)].begin(),
                                              vast[static_cast<std::size_t>(c)].end(),
                                              [=](int l) { return l >= van && l < tot; }));
    };
    std::vector<int> omvang(static_cast<std::size_t>(clubs), 0);
    std::vector<int> eerste(static_cast<std::size_t>(clubs), -1);

    struct TDeel {
        int Begin;
        int Breedte;
        std::size_t Van; // its free lines: vrijeLijnen[Van .. Tot)
        std::size_t Tot;
        std::vector<int> Spelers;
    };
    std::vector<TDeel> stapel;
    stapel.push_back({0, static_cast<int>(lijn.size()), 0, vrijeLijnen.size(), std::move(spelers)});
    while (!stapel.empty()) {
        TDeel deel = std::move(stapel.back());
        stapel.pop_back();
        std::vector<int>& sp = deel.Spelers;
        if (sp.empty())
            continue;
        if (deel.Tot - deel.Van == 1 || deel.Breedte == 1) {
            lijn[static_cast<std::size_t>(vrijeLijnen[deel.Van])] = sp.front();
            continue;
        }
        const int midden = deel.Begin + deel.Breedte / 2;
        const std::size_t splits = static_cast<std::size_t>(
            std::lower_bound(vrijeLijnen.begin() + static_cast<std::ptrdiff_t>(deel.Van),
                             vrijeLijnen.begin() + static_cast<std::ptrdiff_t>(deel.Tot), midden) -
            vrijeLijnen.begin());
        int ruimteLinks = static_cast<int>(splits - deel.Van);
        int ruimteRechts = static_cast<int>(deel.Tot - splits);

        // Clubs together, largest first, equal sizes in random order.
        Schud(sp, toeval);
        for (std::size_t i = 0; i < sp.size(); ++i) {
            if (const int c = club(sp[i]); c >= 0 && omvang[static_cast<std::size_t>(c)]++ == 0)
                eerste[static_cast<std::size_t>(c)] = static_cast<int>(i);
        }
        std::stable_sort(sp.begin(), sp.end(), [&](int a, int b) {
            const int ca = club(a);
            const int cb = club(b);
            if ((ca < 0) != (cb < 0))
                return cb < 0;
            if (ca < 0 || ca == cb)
                return false;
            if (omvang[static_cast<std::size_t>(ca)] != omvang[static_cast<std::size_t>(cb)])
                return omvang[static_cast<std::size_t>(ca)] > omvang[static_cast<std::size_t>(cb)];
            return eerste[static_cast<std::size_t>(ca)] < eerste[static_cast<std::size_t>(cb)];
        });
        for (int speler : sp)
            if (club(speler) >= 0)
                omvang[static_cast<std::size_t>(club(speler))] = 0;

        std::vector<int> links;
        std::vector<int> rechts;
        int inLinks = 0;
        int inRechts = 0;
        for (std::size_t i = 0; i < sp.size(); ++i) {
            const int c = club(sp[i]);
            if (c >= 0 && (i == 0 || club(sp[i - 1]) != c)) {
                inLinks = vastIn(c, deel.Begin, midden);
                inRechts = vastIn(c, midden, deel.Begin + deel.Breedte);
            }
            bool naarLinks;
            if (ruimteLinks == 0 || ruimteRechts == 0)
                naarLinks = ruimteLinks > 0;
            else if (c >= 0 && inLinks != inRechts)
                naarLinks = inLinks < inRechts;
            else
                naarLinks = toeval.below(ruimteLinks + ruimteRechts) < ruimteLinks;
            if (naarLinks) {
                links.push_back(sp[i]);
                --ruimteLinks;
                ++inLinks;
            } else {
                rechts.push_back(sp[i]);
                --ruimteRechts;
                ++inRechts;
            }
        }
        stapel.push_back({deel.Begin, deel.Breedte / 2, deel.Van, splits, std::move(links)});
        stapel.push_back({midden, deel.Breedte / 2, splits, deel.Tot, std::move(rechts)});
    }
}

// The seeded draw on a compact copy of the first round. Every attempt starts
// from an empty first round, so attempts are independent and only the last
// one's placement matters; the bracket writes that into its matches at the
// end. The searches that would rescan the first round are answered from:
// - the unplaced participants per pool and position (a cursor per bucket:
//   only the first unplaced one of a bucket is ever placed);
// - the placed participants per pool (at most two per position, since every
//   pool and position is visited once per step);
// - two minimum trees over the matches, whose nodes are exactly the aligned
//   power-of-two ranges the placement descends through: the free upper slot
//   first in spread order, and the free lower slot opposite the best-placed
//   upper participant.
class SeededDraw {
public:
    static constexpr int MaxPositie = TKnockout::MaxPouleGrootte;

    SeededDraw(std::vector<const TDeelnemer*> deelnemers, int m1, std::int64_t aantalPoules)
        : m_deelnemers(std::move(deelnemers))
        , m_k(static_cast<int>(m_deelnemers.size()))
        , m_m1(m1)
        , m_aantalPoules(aantalPoules) {
        BouwEmmers();
        BouwBomen();
        BouwClubs();
        m_boven.assign(m_m1, -1);
        m_onder.assign(m_m1, -1);
        m_bye.assign(m_m1, 0);
        m_wedstrijdVan.assign(m_k, -1);
    }

    // Runs the attempts; true when one of them completes the first round.
    // Only the last attempt's placement is kept, so the others may stop at
    // their first participant that finds no place: the first round can no
    // longer be completed then.
    bool Voer() {
        // vlag only matters while it is positive, and the lower step finds
        // at most K - M1 participants: later j repeat an earlier attempt.
        const int jMax = static_cast<int>(std::min<std::int64_t>(m_aantalPoules, m_k - m_m1));
        if (!KanSlagen()) {
            Poging(6, jMax, true);
            return false;
        }
        for (int orde = 1; orde <= 6; ++orde) {
            for (int j = 0; j <= jMax; ++j) {
                const bool laatste = orde == 6 && j == jMax;
                if (Poging(orde, j, laatste) && IsVolledig())
                    return true;
            }
        }
        return false;
    }

    // After a complete draw with clubs: where the descent still left club
    // mates together (it chooses one participant at a time), exchanges that
    // keep the pool rule spread them. Two kinds: two participants of one
    // position (so every match keeps the positions it had) when no pool's
    // mates then meet earlier, and two whole pools with the same positions
    // (which changes nothing for any pool). Kept when they lower the club
    // mates over ceil(m / 4) in a quarter, then over ceil(m / 2) in a half.
    void SpreidClubs() {
        if (m_clubVan.empty() || m_m1 < 2 || !IsVolledig())
            return;
        m_lijnVan.assign(m_k, -1);
        for (int i = 0; i < m_m1; ++i) {
            if (m_boven[i] >= 0)
                m_lijnVan[m_boven[i]] = 2 * i;
            if (!m_bye[i] && m_onder[i] >= 0)
                m_lijnVan[m_onder[i]] = 2 * i + 1;
        }
        const std::size_t clubs = m_clubPlekken.size();
        m_leden.assign(clubs, 0);
        for (int p = 0; p < m_k; ++p)
            if (m_clubVan[p] >= 0 && m_lijnVan[p] >= 0)
                ++m_leden[static_cast<std::size_t>(m_clubVan[p])];
        m_telling.assign(clubs * 6, 0); // four quarters, then two halves
        m_teVeel = {0, 0};
        std::vector<std::vector<int>> perPositie(MaxPositie + 1);
        std::vector<std::vector<int>> perPoule(m_aantalGeplaatst.size());
        for (int p = 0; p < m_k; ++p) {
            if (m_lijnVan[p] < 0)
                continue;
            Tel(p, m_lijnVan[p], +1);
            perPositie[static_cast<std::size_t>(m_deelnemers[p]->Positie)].push_back(p);
            perPoule[static_cast<std::size_t>(m_pouleVan[p])].push_back(p);
        }
        // A pool's positions as a bit set; pools with the same set can trade
        // places. A position twice in a pool (0) trades with none.
        std::vector<unsigned> posities(perPoule.size(), 0);
        for (std::size_t a = 0; a < perPoule.size(); ++a) {
            for (int p : perPoule[a]) {
                const unsigned bit = 1u << m_deelnemers[p]->Positie;
                posities[a] = posities[a] & bit ? ~0u : posities[a] | bit;
            }
        }
        std::vector<int> opPositie(perPoule.size() * (MaxPositie + 1), -1);
        for (int p = 0; p < m_k; ++p)
            if (m_lijnVan[p] >= 0)
                opPositie[static_cast<std::size_t>(m_pouleVan[p]) * (MaxPositie + 1) +
                          static_cast<std::size_t>(m_deelnemers[p]->Positie)] = p;
        const auto wisselPoules = [&](int a, int b) {
            for (int x : perPoule[static_cast<std::size_t>(a)])
                Wissel(x, opPositie[static_cast<std::size_t>(b) * (MaxPositie + 1) +
                                    static_cast<std::size_t>(m_deelnemers[x]->Positie)]);
        };
        const auto probeer = [&](int x) {
            const auto voor = m_teVeel;
            const int a = m_pouleVan[x];
            for (int y : perPositie[static_cast<std::size_t>(m_deelnemers[x]->Positie)]) {
                if (m_clubVan[y] == m_clubVan[x] || m_pouleVan[y] == a ||
                    !Ruimte(x, m_lijnVan[y]) || !Ruimte(y, m_lijnVan[x]))
                    continue;
                Wissel(x, y);
                if (m_teVeel < voor) {
                    // The pool rule is looked at only for an exchange worth it.
                    const auto poulesNa = PouleRondes(perPoule, a, m_pouleVan[y]);
                    Wissel(x, y);
                    const auto poulesVoor = PouleRondes(perPoule, a, m_pouleVan[y]);
                    Wissel(x, y);
                    if (poulesNa <= poulesVoor)
                        return true;
                }
                Wissel(x, y);
            }
            if (posities[static_cast<std::size_t>(a)] == ~0u)
                return false;
            for (std::size_t b = 0; b < perPoule.size(); ++b) {
                if (static_cast<int>(b) == a ||
                    posities[b] != posities[static_cast<std::size_t>(a)])
                    continue;
                const int tegenhanger =
                    opPositie[b * (MaxPositie + 1) +
                              static_cast<std::size_t>(m_deelnemers[x]->Positie)];
                if (!Ruimte(x, m_lijnVan[tegenhanger]) || !Ruimte(tegenhanger, m_lijnVan[x]))
                    continue;
                wisselPoules(a, static_cast<int>(b));
                if (m_teVeel < voor)
                    return true;
                wisselPoules(a, static_cast<int>(b));
            }
            return false;
        };
        // Each exchange lowers the excess, so this ends; a few passes over
        // everyone find nearly all there is. Where the excess cannot be
        // lowered the search would try every exchange in vain, so it has a
        // budget that keeps a large draw quick.
        m_wissels = 0;
        const std::int64_t budget = 24 * std::int64_t{m_k} + 4096;
        for (int ronde = 0; ronde < 8 && (m_teVeel[0] > 0 || m_teVeel[1] > 0); ++ronde) {
            bool beter = false;
            for (int x = 0; x < m_k && m_wissels < budget; ++x)
                if (TeVeelBij(x) && probeer(x))
                    beter = true;
            if (!beter)
                break;
        }
        for (int i = 0; i < m_m1; ++i) {
            m_boven[i] = -1;
            m_onder[i] = -1;
        }
        for (int p = 0; p < m_k; ++p) {
            if (m_lijnVan[p] < 0)
                continue;
            (m_lijnVan[p] % 2 == 0 ? m_boven : m_onder)[m_lijnVan[p] / 2] = p;
        }
    }

    int Boven(int i) const { return m_boven[i]; }
    int Onder(int i) const { return m_onder[i]; }
    bool IsBye(int i) const { return m_bye[i] != 0; }

private:
    static constexpr int Geen = std::numeric_limits<int>::max();
    static constexpr std::int64_t GeenSleutel = std::numeric_limits<std::int64_t>::max();

    struct Geplaatst {
        int wedstrijd;
        int positie;
    };

    void BouwEmmers() {
        // Only pools 1..P and positions 1..8 are ever looked for.
        std::vector<std::int64_t> poules;
        for (const TDeelnemer* d : m_deelnemers) {
            if (IsVindbaar(d))
                poules.push_back(d->Poule);
        }
        std::sort(poules.begin(), poules.end());
        poules.erase(std::unique(poules.begin(), poules.end()), poules.end());
        const int aantalPoules = static_cast<int>(poules.size());

        m_pouleVan.assign(m_k, -1);
        m_emmerVan.assign(m_k, -1);
        std::vector<int> grootte(static_cast<std::size_t>(aantalPoules) * MaxPositie + 1, 0);
        for (int p = 0; p < m_k; ++p) {
            const TDeelnemer* d = m_deelnemers[p];
            if (!IsVindbaar(d))
                continue;
            const int pouleIndex = static_cast<int>(
                std::lower_bound(poules.begin(), poules.end(), std::int64_t{d->Poule}) -
                poules.begin());
            m_pouleVan[p] = pouleIndex;
            m_emmerVan[p] = pouleIndex * MaxPositie + d->Positie - 1;
            ++grootte[m_emmerVan[p] + 1];
        }
        for (std::size_t e = 1; e < grootte.size(); ++e)
            grootte[e] += grootte[e - 1];
        m_emmerBegin = grootte;
        m_emmerInhoud.assign(m_emmerBegin.back(), -1);
        std::vector<int> vul(m_emmerBegin.begin(), m_emmerBegin.end() - 1);
        for (int p = 0; p < m_k; ++p) {
            if (m_emmerVan[p] >= 0)
                m_emmerInhoud[vul[m_emmerVan[p]]++] = p; // list order within a bucket
        }
        m_cursor.assign(m_emmerBegin.size() - 1, 0);
        m_geplaatst.assign(static_cast<std::size_t>(aantalPoules) * 2 * MaxPositie, {});
        m_aantalGeplaatst.assign(aantalPoules, 0);

        for (int orde = 1; orde <= 6; ++orde) {
            std::vector<std::pair<std::int64_t, int>> plaatsen;
            plaatsen.reserve(aantalPoules);
            for (int i = 0; i < aantalPoules; ++i)
                plaatsen.emplace_back(TKnockout::PlaatsInVolgorde(orde, m_aantalPoules, poules[i]),
                                      i);
            std::sort(plaatsen.begin(), plaatsen.end());
            m_volgorde[orde - 1].clear();
            for (const auto& plaats : plaatsen)
                m_volgorde[orde - 1].push_back(plaats.second);
        }
    }

    // False when no attempt can complete the first round: some participant
    // is never found, or, while pool mates may not meet, a pool has more
    // participants than there are first-round matches. A participant is
    // never found without a pool, with a position outside 1..8, or as the
    // third of one pool and position: each step looks for every pool and
    // position once.
    bool KanSlagen() const {
        for (std::size_t e = 0; e + 1 < m_emmerBegin.size(); ++e) {
            if (m_emmerBegin[e + 1] - m_emmerBegin[e] > 2)
                return false;
        }
        std::vector<int> perPoule(m_aantalGeplaatst.size(), 0);
        for (const int pouleIndex : m_pouleVan) {
            if (pouleIndex < 0)
                return false;
            if (m_aantalPoules > 1 && ++perPoule[pouleIndex] > m_m1)
                return false;
        }
        return true;
    }

    bool IsVindbaar(const TDeelnemer* d) const {
        return d->Poule >= 1 && d->Positie >= 1 && d->Positie <= MaxPositie;
    }

    void BouwBomen() {
        int bits = 0;
        while ((1 << bits) < m_m1)
            ++bits;
        m_bovenBoomLeeg.assign(2 * static_cast<std::size_t>(m_m1), Geen);
        m_onderBoomLeeg.assign(2 * static_cast<std::size_t>(m_m1), GeenSleutel);
        for (int i = 0; i < m_m1; ++i) {
            m_bovenBoomLeeg[m_m1 + i] = BitOmgekeerd(i, bits);
            m_onderBoomLeeg[m_m1 + i] = OnderSleutel(MaxPositie + 1, i);
        }
        for (int knoop = m_m1 - 1; knoop >= 1; --knoop) {
            m_bovenBoomLeeg[knoop] =
                std::min(m_bovenBoomLeeg[2 * knoop], m_bovenBoomLeeg[2 * knoop + 1]);
            m_onderBoomLeeg[knoop] =
                std::min(m_onderBoomLeeg[2 * knoop], m_onderBoomLeeg[2 * knoop + 1]);
        }
        m_bits = bits;
    }

    // Club mates are kept apart only below the pool rule, where it leaves
    // the choice free; without clubs none of this is kept.
    void BouwClubs() {
        m_clubVan = ClubNummers(m_deelnemers);
        const int clubs =
            m_clubVan.empty() ? 0 : *std::max_element(m_clubVan.begin(), m_clubVan.end()) + 1;
        if (clubs == 0) {
            m_clubVan.clear();
            return;
        }
        m_clubPlekken.assign(static_cast<std::size_t>(clubs), {});
        m_bovenVrijLeeg.assign(2 * static_cast<std::size_t>(m_m1), 0);
        for (int i = 0; i < m_m1; ++i)
            m_bovenVrijLeeg[m_m1 + i] = 1;
        for (int knoop = m_m1 - 1; knoop >= 1; --knoop)
            m_bovenVrijLeeg[knoop] = m_bovenVrijLeeg[2 * knoop] + m_bovenVrijLeeg[2 * knoop + 1];
    }

    // Club mates already placed in the matches under a tree node.
    int Clubgenoten(int club, int knoop) const {
        const int breedte = m_m1 >> (std::bit_width(static_cast<unsigned>(knoop)) - 1);
        const int lo = knoop * breedte - m_m1;
        int aantal = 0;
        for (int wedstrijd : m_clubPlekken[static_cast<std::size_t>(club)])
            aantal += wedstrijd >= lo && wedstrijd < lo + breedte;
        return aantal;
    }

    // The match under `knoop` where p goes: the pool rule's own choice,
    // except where the other half is just as good for the bracket (as many
    // free upper slots, or a lower slot opposite the same position) and
    // holds fewer of p's club mates. Returns the leaf.
    int KiesBlad(int p, int knoop, bool boven) const {
        const int club = m_clubVan.empty() ? -1 : m_clubVan[p];
        if (club < 0 || m_clubPlekken[static_cast<std::size_t>(club)].empty())
            return knoop;
        if (boven ? m_bovenBoom[knoop] == Geen : m_onderBoom[knoop] == GeenSleutel)
            return knoop;
        while (knoop < m_m1) {
            const int links = 2 * knoop;
            const int gewoon = (boven ? m_bovenBoom[links] == m_bovenBoom[knoop]
                                      : m_onderBoom[links] == m_onderBoom[knoop])
                                   ? links
                                   : links + 1;
            const int ander = gewoon ^ 1;
            const bool gelijk =
                boven ? m_bovenBoom[ander] != Geen && m_bovenVrij[ander] == m_bovenVrij[gewoon]
                      : m_onderBoom[ander] != GeenSleutel &&
                            m_onderBoom[ander] / m_m1 == m_onderBoom[gewoon] / m_m1;
            knoop = gelijk && Clubgenoten(club, ander) < Clubgenoten(club, gewoon) ? ander : gewoon;
        }
        return knoop;
    }

    std::int64_t OnderSleutel(int positie, int wedstrijd) const {
        return std::int64_t{positie} * m_m1 + wedstrijd;
    }

    // The tree node that covers exactly lo..hi (an aligned power-of-two range).
    int Knoop(int lo, int hi) const {
        const int n = hi - lo + 1;
        return (m_m1 + lo) / n;
    }

    template <typename T> static void Werk(std::vector<T>& boom, int blad, T waarde) {
        boom[blad] = waarde;
        for (blad /= 2; blad >= 1; blad /= 2)
            boom[blad] = std::min(boom[2 * blad], boom[2 * blad + 1]);
    }

    // One attempt; false when it stopped at a participant without a place,
    // which only a `volledig` attempt never does.
    bool Poging(int orde, int vlagStart, bool volledig) {
        m_bovenBoom = m_bovenBoomLeeg;
        m_onderBoom = m_onderBoomLeeg;
        std::fill(m_boven.begin(), m_boven.end(), -1);
        std::fill(m_onder.begin(), m_onder.end(), -1);
        std::fill(m_bye.begin(), m_bye.end(), 0);
        std::fill(m_wedstrijdVan.begin(), m_wedstrijdVan.end(), -1);
        std::fill(m_cursor.begin(), m_cursor.end(), 0);
        std::fill(m_aantalGeplaatst.begin(), m_aantalGeplaatst.end(), 0);
        if (!m_clubVan.empty()) {
            m_bovenVrij = m_bovenVrijLeeg;
            for (std::vector<int>& plekken : m_clubPlekken)
                plekken.clear();
        }

        const std::vector<int>& volgorde = m_volgorde[orde - 1];
        const int byes = 2 * m_m1 - m_k;

        // Upper slots, best first; the first ones placed get the byes.
        int byesOver = byes;
        int n = 1;
        for (int positie = 1; positie <= MaxPositie && n <= m_m1; ++positie) {
            for (auto it = volgorde.begin(); it != volgorde.end() && n <= m_m1; ++it) {
                const int p = Ongeplaatst(*it, positie);
                if (p < 0)
                    continue;
                const bool geplaatst = Plaats(p, 0, 0, m_m1 - 1, true);
                if (!geplaatst && !volledig)
                    return false;
                if (geplaatst && byesOver > 0) {
                    ZetBye(m_wedstrijdVan[p]);
                    --byesOver;
                }
                ++n;
            }
        }

        // Lower slots, worst first.
        int vlag = vlagStart;
        n = 1;
        for (int positie = MaxPositie; positie >= 1 && n <= m_m1 - byes; --positie) {
            for (auto it = volgorde.rbegin(); it != volgorde.rend() && n <= m_m1 - byes; ++it) {
                const int p = Ongeplaatst(*it, positie);
                if (p < 0)
                    continue;
                if (!Plaats(p, vlag, 0, m_m1 - 1, false) && !volledig)
                    return false;
                --vlag;
                ++n;
            }
        }
        return true;
    }

    int Ongeplaatst(int pouleIndex, int positie) const {
        const int emmer = pouleIndex * MaxPositie + positie - 1;
        const int i = m_emmerBegin[emmer] + m_cursor[emmer];
        return i < m_emmerBegin[emmer + 1] ? m_emmerInhoud[i] : -1;
    }

    bool Plaats(int p, int vlag, int lo, int hi, bool boven) {
        const int pouleIndex = m_pouleVan[p];
        const Geplaatst* genoten =
            &m_geplaatst[static_cast<std::size_t>(pouleIndex) * 2 * MaxPositie];
        const int aantalGenoten = m_aantalGeplaatst[pouleIndex];
        for (;;) {
            // The best-placed pool mate in lo..hi (lowest match on equal
            // position) and the pool mates in either half, in one pass.
            const int mid = lo + (hi - lo + 1) / 2;
            int q = -1;
            int qPositie = 0;
            int f = 0;
            int g = 0;
            for (int e = 0; e < aantalGenoten; ++e) {
                const Geplaatst& genoot = genoten[e];
                if (genoot.wedstrijd < lo || genoot.wedstrijd > hi)
                    continue;
                if (genoot.wedstrijd < mid)
                    ++f;
                else
                    ++g;
                if (q < 0 || genoot.positie < qPositie ||
                    (genoot.positie == qPositie && genoot.wedstrijd < q)) {
                    q = genoot.wedstrijd;
                    qPositie = genoot.positie;
                }
            }
            if (q < 0)
                return Plaatser(p, lo, hi, boven);
            if (lo < hi) {
                if (q < mid) {
                    if (vlag > 0 && f == g)
                        vlag = 0;
                    else if (g <= f && Plaats(p, vlag, mid, hi, boven))
                        return true;
                    if (f > g)
                        return false;
                    hi = mid - 1;
                } else {
                    if (vlag > 0 && f == g)
                        vlag = 0;
                    else if (f <= g && Plaats(p, vlag, lo, mid - 1, boven))
                        return true;
                    if (g > f)
                        return false;
                    lo = mid;
                }
            }
            if (hi != lo)
                continue;
            // A single match that holds a pool mate: only one pool may meet itself.
            if (m_aantalPoules > 1)
                return false;
            return Plaatser(p, lo, hi, boven);
        }
    }

    bool Plaatser(int p, int lo, int hi, bool boven) {
        const int knoop = KiesBlad(p, Knoop(lo, hi), boven);
        if (boven) {
            const int spreiding = m_bovenBoom[knoop];
            if (spreiding == Geen)
                return false;
            const int i = BitOmgekeerd(spreiding, m_bits);
            m_boven[i] = p;
            Werk(m_bovenBoom, m_m1 + i, Geen);
            if (!m_clubVan.empty())
                for (int blad = m_m1 + i; blad >= 1; blad /= 2)
                    --m_bovenVrij[blad];
            if (!m_bye[i] && m_onder[i] < 0)
                Werk(m_onderBoom, m_m1 + i, OnderSleutel(m_deelnemers[p]->Positie, i));
            Neem(p, i);
            return true;
        }
        const std::int64_t sleutel = m_onderBoom[knoop];
        if (sleutel == GeenSleutel)
            return false;
        const int i = static_cast<int>(sleutel % m_m1);
        m_onder[i] = p;
        Werk(m_onderBoom, m_m1 + i, GeenSleutel);
        Neem(p, i);
        return true;
    }

    void Neem(int p, int wedstrijd) {
        m_wedstrijdVan[p] = wedstrijd;
        if (!m_clubVan.empty() && m_clubVan[p] >= 0)
            m_clubPlekken[static_cast<std::size_t>(m_clubVan[p])].push_back(wedstrijd);
        ++m_cursor[m_emmerVan[p]];
        const int pouleIndex = m_pouleVan[p];
        m_geplaatst[static_cast<std::size_t>(pouleIndex) * 2 * MaxPositie +
                    m_aantalGeplaatst[pouleIndex]++] = {wedstrijd, m_deelnemers[p]->Positie};
    }

    // Counts a club member in the quarter and half of `lijn`, or (-1) no
    // longer, keeping the totals over the limits.
    void Tel(int p, int lijn, int verschil) {
        const int club = m_clubVan[p];
        if (club < 0)
            return;
        const int leden = m_leden[static_cast<std::size_t>(club)];
        const int lijnen = 2 * m_m1;
        const std::array<std::pair<int, int>, 2> delen{
            std::pair{lijn / (lijnen / 4), (leden + 3) / 4},
            std::pair{4 + lijn / (lijnen / 2), (leden + 1) / 2}};
        for (std::size_t d = 0; d < 2; ++d) {
            int& aantal = m_telling[static_cast<std::size_t>(club) * 6 +
                                    static_cast<std::size_t>(delen[d].first)];
            m_teVeel[d] -= std::max(0, aantal - delen[d].second);
            aantal += verschil;
            m_teVeel[d] += std::max(0, aantal - delen[d].second);
        }
    }

    bool TeVeelBij(int p) const {
        const int club = m_clubVan[p];
        if (club < 0 || m_lijnVan[p] < 0)
            return false;
        const int leden = m_leden[static_cast<std::size_t>(club)];
        const int lijnen = 2 * m_m1;
        const int* telling = &m_telling[static_cast<std::size_t>(club) * 6];
        return telling[m_lijnVan[p] / (lijnen / 4)] > (leden + 3) / 4 ||
               telling[4 + m_lijnVan[p] / (lijnen / 2)] > (leden + 1) / 2;
    }

    // Whether x's club has room under its limits at `lijn`, in a quarter or
    // a half other than x's own (always without a club). The search tries
    // only exchanges where both sides' clubs have: nearly every one that
    // lowers the excess, for a small part of the work.
    bool Ruimte(int x, int lijn) const {
        const int club = m_clubVan[x];
        if (club < 0)
            return true;
        const int leden = m_leden[static_cast<std::size_t>(club)];
        const int lijnen = 2 * m_m1;
        const int* telling = &m_telling[static_cast<std::size_t>(club) * 6];
        const int kwart = lijn / (lijnen / 4);
        const int helft = lijn / (lijnen / 2);
        return (kwart != m_lijnVan[x] / (lijnen / 4) && telling[kwart] < (leden + 3) / 4) ||
               (helft != m_lijnVan[x] / (lijnen / 2) && telling[4 + helft] < (leden + 1) / 2);
    }

    void Wissel(int x, int y) {
        ++m_wissels;
        const int lx = m_lijnVan[x];
        const int ly = m_lijnVan[y];
        Tel(x, lx, -1);
        Tel(y, ly, -1);
        m_lijnVan[x] = ly;
        m_lijnVan[y] = lx;
        Tel(x, ly, +1);
        Tel(y, lx, +1);
    }

    // How many pairs of mates of two pools meet in each round: the pool
    // rule holds while this does not grow in an earlier round.
    std::array<int, 32> PouleRondes(const std::vector<std::vector<int>>& perPoule, int a,
                                    int b) const {
        std::array<int, 32> rondes{};
        for (int poule : {a, b}) {
            const std::vector<int>& leden = perPoule[static_cast<std::size_t>(poule)];
            for (std::size_t i = 0; i < leden.size(); ++i)
                for (std::size_t j = i + 1; j < leden.size(); ++j)
                    ++rondes[static_cast<std::size_t>(std::bit_width(static_cast<unsigned>(
                        (m_lijnVan[leden[i]] / 2) ^ (m_lijnVan[leden[j]] / 2))))];
        }
        // Compared from the first round on: fewer early meetings is better.
        return rondes;
    }

    void ZetBye(int i) {
        m_bye[i] = 1;
        Werk(m_onderBoom, m_m1 + i, GeenSleutel);
    }

    bool IsVolledig() const {
        for (int i = 0; i < m_m1; ++i) {
            if (m_boven[i] < 0 || (!m_bye[i] && m_onder[i] < 0))
                return false;
        }
        return true;
    }

    std::vector<const TDeelnemer*> m_deelnemers;
    int m_k;
    int m_m1;
    std::int64_t m_aantalPoules;
    int m_bits = 0;

    std::vector<int> m_pouleVan;    // participant -> pool index (-1: never looked for)
    std::vector<int> m_emmerVan;    // participant -> bucket (pool index * 8 + position - 1)
    std::vector<int> m_emmerBegin;  // bucket -> first entry in m_emmerInhoud
    std::vector<int> m_emmerInhoud; // participants per bucket, in list order
    std::vector<int> m_cursor;      // bucket -> how many of it are placed
    std::array<std::vector<int>, 6> m_volgorde; // pool indices in each pool order
    std::vector<Geplaatst> m_geplaatst;         // placed participants, 16 slots per pool
    std::vector<int> m_aantalGeplaatst;

    std::vector<int> m_bovenBoomLeeg;
    std::vector<std::int64_t> m_onderBoomLeeg;
    std::vector<int> m_bovenBoom;
    std::vector<std::int64_t> m_onderBoom;

    std::vector<int> m_boven;
    std::vector<int> m_onder;
    std::vector<char> m_bye;
    std::vector<int> m_wedstrijdVan;

    std::vector<int> m_clubVan;                  // participant -> club (-1: none); empty: no clubs
    std::vector<std::vector<int>> m_clubPlekken; // club -> matches of its placed members
    std::vector<int> m_bovenVrijLeeg;            // free upper slots per tree node
    std::vector<int> m_bovenVrij;
    // Spreading the clubs after the draw.
    std::vector<int> m_lijnVan; // participant -> line (2 * match + 0 upper, 1 lower)
    std::vector<int> m_leden;   // club -> members in the bracket
    std::vector<int> m_telling; // club -> members per quarter (4), per half (2)
    std::array<int, 2> m_teVeel{0, 0};
    std::int64_t m_wissels = 0;
};

} // namespace

TKnockout::TKnockout(TDeelnemerLijst& deelnemers, std::uint8_t knockoutNr, int indeling)
    : m_deelnemers(deelnemers)
    , m_knockoutNr(knockoutNr) {
    for (const auto& deelnemer : m_deelnemers) {
        if (deelnemer && deelnemer->KnockoutNr == m_knockoutNr)
            ++m_aantal;
    }
    m_aantalPoules = Poules::HoogstePoule(m_deelnemers, m_knockoutNr);
    Opbouwen();
    if (m_rondes.empty())
        return;
    // The draws fill the first round before the rounds are linked, so that
    // each placement does not run down the path to the final; linking hands
    // every first-round winner on once, which ends in the same bracket.
    if (indeling == VolgensPoules) {
        DeelInVolgensPoules();
    } else if (indeling == LootWillekeurig) {
        // Without seeds and clubs the draw stays the one it always was,
        // number for number.
        const bool eerlijk =
            std::any_of(m_deelnemers.begin(), m_deelnemers.end(), [this](const auto& d) {
                return d && d->KnockoutNr == m_knockoutNr &&
                       (d->Plaatsing > 0 || !d->Vereniging.trimmed().isEmpty());
            });
        if (eerlijk)
            LootMetPlaatsingenUit();
        else
            LootWillekeurigUit();
    }
    KoppelRondes();
    VernieuwKnoppen();
}

TKnockout::~TKnockout() = default;

void TKnockout::Opbouwen() {
    m_rondes.clear();
    m_wijzigers.clear();
    if (m_aantal <= 0)
        return;
    std::int64_t grootte = 2;
    while (grootte < m_aantal)
        grootte *= 2;
    for (std::int64_t aantal = grootte / 2; aantal >= 1; aantal /= 2) {
        auto& ronde = m_rondes.emplace_back();
        ronde.reserve(static_cast<std::size_t>(aantal));
        for (std::int64_t m = 0; m < aantal; ++m)
            ronde.push_back(std::make_unique<TKnockoutWedstrijd>());
    }
    m_wijzigers.reserve(2 * m_rondes.front().size());
    for (const auto& wedstrijd : m_rondes.front()) {
        auto boven = std::make_unique<TKnockoutWedstrijdWijzig>(m_deelnemers, m_knockoutNr,
                                                                wedstrijd.get(), 0);
        auto onder = std::make_unique<TKnockoutWedstrijdWijzig>(m_deelnemers, m_knockoutNr,
                                                                wedstrijd.get(), 1, boven.get());
        m_wijzigers.push_back(std::move(boven));
        m_wijzigers.push_back(std::move(onder));
    }
}

void TKnockout::KoppelRondes() {
    for (std::size_t r = 1; r < m_rondes.size(); ++r) {
        const auto& vorige = m_rondes[r - 1];
        for (std::size_t m = 0; m < m_rondes[r].size(); ++m) {
            vorige[2 * m]->ZetVolgende(m_rondes[r][m].get(), 0);
            vorige[2 * m + 1]->ZetVolgende(m_rondes[r][m].get(), 1);
        }
    }
}

int TKnockout::SpreidingsPlek(int volgorde, int bits) {
    return BitOmgekeerd(volgorde, bits);
}

QString TKnockout::RondeTitel(int ronde) {
    return QStringLiteral("Ronde %1").arg(ronde + 1);
}

std::int32_t TKnockout::AantalRondes() const {
    return static_cast<std::int32_t>(m_rondes.size());
}

std::int32_t TKnockout::AantalWedstrijden(int ronde) const {
    if (ronde < 0 || ronde >= AantalRondes())
        return 0;
    return static_cast<std::int32_t>(m_rondes[ronde].size());
}

const TKnockoutWedstrijd* TKnockout::Wedstrijd(int ronde, int nummer) const {
    if (nummer < 0 || nummer >= AantalWedstrijden(ronde))
        return nullptr;
    return m_rondes[ronde][nummer].get();
}

TKnockoutWedstrijd* TKnockout::Wedstrijd(int ronde, int nummer) {
    return const_cast<TKnockoutWedstrijd*>(std::as_const(*this).Wedstrijd(ronde, nummer));
}

QString TKnockout::WedstrijdNaam(int ronde, int nummer) const {
    QString naam = QStringLiteral("Wedstrijd %1, Ronde %2").arg(nummer + 1).arg(ronde + 1);
    if (m_knockoutNr == 2)
        naam += QStringLiteral(" (Verliezersronde)");
    return naam;
}

const TKnockoutWedstrijdWijzig* TKnockout::Wijziger(int nummer, int plek) const {
    if (nummer < 0 || nummer >= AantalWedstrijden(0) || plek < 0 || plek > 1)
        return nullptr;
    return m_wijzigers[static_cast<std::size_t>(2 * nummer + plek)].get();
}

TKnockoutWedstrijdWijzig* TKnockout::Wijziger(int nummer, int plek) {
    return const_cast<TKnockoutWedstrijdWijzig*>(std::as_const(*this).Wijziger(nummer, plek));
}

void TKnockout::VernieuwKnoppen() {
    for (const auto& wijziger : m_wijzigers)
        wijziger->Vernieuw();
}

bool TKnockout::IsVolledig() const {
    if (m_rondes.empty())
        return true;
    for (const auto& wedstrijd : m_rondes.front()) {
        if (!wedstrijd->DeelnemerBoven() || !(wedstrijd->Bye() || wedstrijd->DeelnemerOnder()))
            return false;
    }
    return true;
}

void TKnockout::LootWillekeurigUit() {
    auto& eersteRonde = m_rondes.front();
    const int m1 = static_cast<int>(eersteRonde.size());
    const int aantal = static_cast<int>(m_deelnemers.size());
    VrijeDeelnemers vrij(m_deelnemers, m_knockoutNr);

    // A random start, then the first free participant scanning forward from
    // it and, failing that, backward from just before it.
    auto willekeurigeDeelnemer = [&]() -> TDeelnemer* {
        const int start = aantal > 1 ? randomSource().below(aantal - 1) : 0;
        int gevonden = vrij.VanafNaarAchter(start);
        if (gevonden < 0 && start > 0)
            gevonden = vrij.VanafNaarVoor(start - 1);
        if (gevonden < 0)
            return nullptr;
        vrij.Neem(gevonden);
        return m_deelnemers[gevonden].get();
    };
    auto plaats = [](TKnockoutWedstrijd* wedstrijd, TDeelnemer* deelnemer, bool boven) {
        if (boven)
            wedstrijd->ZetDeelnemerBoven(deelnemer);
        else
            wedstrijd->ZetDeelnemerOnder(deelnemer);
        if (deelnemer)
            deelnemer->Wedstrijd = wedstrijd;
    };

    // Byes in spread order: the top of the bracket, then the top of its
    // second half, then of the quarters.
    int bits = 0;
    while ((1 << bits) < m1)
        ++bits;
    int volgende = 0;
    for (int bye = 0; bye < 2 * m1 - m_aantal; ++bye) {
        int i = -1;
        while (volgende < m1 && i < 0) {
            const int kandidaat = BitOmgekeerd(volgende, bits);
            if (!eersteRonde[kandidaat]->DeelnemerBoven())
                i = kandidaat;
            else
                ++volgende;
        }
        if (i < 0)
            break;
        eersteRonde[i]->ZetBye(true);
        plaats(eersteRonde[i].get(), willekeurigeDeelnemer(), true);
    }
    for (const auto& wedstrijd : eersteRonde) {
        if (wedstrijd->Bye())
            continue;
        plaats(wedstrijd.get(), willekeurigeDeelnemer(), true);
        plaats(wedstrijd.get(), willekeurigeDeelnemer(), false);
    }
}

int TKnockout::ClubOntmoetingen() const {
    if (m_rondes.empty())
        return 0;
    std::vector<const TDeelnemer*> deelnemers;
    std::vector<int> wedstrijden;
    const auto& eersteRonde = m_rondes.front();
    for (std::size_t i = 0; i < eersteRonde.size(); ++i) {
        for (const TDeelnemer* d :
             {eersteRonde[i]->DeelnemerBoven(),
              eersteRonde[i]->Bye() ? nullptr : eersteRonde[i]->DeelnemerOnder()}) {
            if (d) {
                deelnemers.push_back(d);
                wedstrijden.push_back(static_cast<int>(i));
            }
        }
    }
    const std::vector<int> clubs = ClubNummers(deelnemers);
    std::vector<std::vector<int>> perClub;
    for (std::size_t i = 0; i < clubs.size(); ++i) {
        if (clubs[i] < 0)
            continue;
        if (perClub.size() <= static_cast<std::size_t>(clubs[i]))
            perClub.resize(static_cast<std::size_t>(clubs[i]) + 1);
        perClub[static_cast<std::size_t>(clubs[i])].push_back(wedstrijden[i]);
    }
    // Two first-round matches a and b meet in round bit_width(a xor b)
    // (the first round is 0); the semi-final is the round before the last.
    const int halveFinale = AantalRondes() - 2;
    int aantal = 0;
    for (const std::vector<int>& plekken : perClub)
        for (std::size_t a = 0; a < plekken.size(); ++a)
            for (std::size_t b = a + 1; b < plekken.size(); ++b)
                aantal += static_cast<int>(std::bit_width(
                              static_cast<unsigned>(plekken[a] ^ plekken[b]))) < halveFinale;
    return aantal;
}

void TKnockout::LootMetPlaatsingenUit() {
    auto& eersteRonde = m_rondes.front();
    const int m1 = static_cast<int>(eersteRonde.size());
    const int lijnen = 2 * m1; // line 2m is the upper slot of match m, 2m + 1 its lower one
    RandomSource& toeval = randomSource();
    const auto schud = [&toeval](std::vector<int>& lijst) { Schud(lijst, toeval); };

    std::vector<int> leden; // list indices of this bracket's participants
    for (std::size_t i = 0; i < m_deelnemers.size(); ++i)
        if (m_deelnemers[i] && m_deelnemers[i]->KnockoutNr == m_knockoutNr)
            leden.push_back(static_cast<int>(i));
    std::vector<int> zaadjes;
    for (int i : leden)
        if (m_deelnemers[static_cast<std::size_t>(i)]->Plaatsing > 0)
            zaadjes.push_back(i);
    std::stable_sort(zaadjes.begin(), zaadjes.end(), [this](int a, int b) {
        return m_deelnemers[static_cast<std::size_t>(a)]->Plaatsing <
               m_deelnemers[static_cast<std::size_t>(b)]->Plaatsing;
    });

    // Seed 1 at the top, seed 2 at the bottom; seeds 3 and 4 drawn into the
    // nearest ends of the two middle quarters, seeds 5 to 8 into the eighths
    // that hold no seed yet, at their ends facing the middle of their half.
    std::vector<int> doelen{0, lijnen - 1};
    if (lijnen >= 4) {
        std::vector<int> kwarten{lijnen / 4, 3 * lijnen / 4 - 1};
        schud(kwarten);
        doelen.insert(doelen.end(), kwarten.begin(), kwarten.end());
    }
    if (lijnen >= 8) {
        std::vector<int> achtsten{lijnen / 4 - 1, lijnen / 2 - 1, lijnen / 2, 3 * lijnen / 4};
        schud(achtsten);
        doelen.insert(doelen.end(), achtsten.begin(), achtsten.end());
    }

    std::vector<int> lijn(static_cast<std::size_t>(lijnen), -1);
    std::vector<char> bye(static_cast<std::size_t>(m1), 0);
    const auto lijnVrij = [&](int l) { return lijn[l] < 0 && !bye[l / 2]; };
    const auto wedstrijdVrij = [&](int m) { return lijnVrij(2 * m) && lijnVrij(2 * m + 1); };
    // The place nearest the target: the target itself, else a free place in
    // the smallest section of the bracket around it, drawn.
    const auto zoek = [&](int doel, bool heleWedstrijd) {
        const int stap = heleWedstrijd ? 2 : 1;
        for (int breedte = stap; breedte <= lijnen; breedte *= 2) {
            std::vector<int> kandidaten;
            for (int l = doel / breedte * breedte; l < doel / breedte * breedte + breedte;
                 l += stap)
                if (heleWedstrijd ? wedstrijdVrij(l / 2) : lijnVrij(l))
                    kandidaten.push_back(l);
            if (!kandidaten.empty())
                return kandidaten.size() == 1 ? kandidaten.front()
                                              : kandidaten[static_cast<std::size_t>(toeval.below(
                                                    static_cast<int>(kandidaten.size())))];
        }
        return -1;
    };

    const int byes = lijnen - m_aantal;
    int byesGegeven = 0;
    std::size_t geplaatsteZaadjes = 0;
    for (; geplaatsteZaadjes < std::min(zaadjes.size(), doelen.size()); ++geplaatsteZaadjes) {
        const int zaadje = zaadjes[geplaatsteZaadjes];
        const bool metBye = byesGegeven < byes;
        const int l = zoek(doelen[geplaatsteZaadjes], metBye);
        if (l < 0)
            break;
        if (metBye) {
            bye[static_cast<std::size_t>(l / 2)] = 1;
            lijn[static_cast<std::size_t>(l / 2 * 2)] = zaadje;
            ++byesGegeven;
        } else {
            lijn[static_cast<std::size_t>(l)] = zaadje;
        }
    }
    // The other byes in spread order, first to the seeds beyond the eighth.
    int bits = 0;
    while ((1 << bits) < m1)
        ++bits;
    for (int volgende = 0; volgende < m1 && byesGegeven < byes; ++volgende) {
        const int m = BitOmgekeerd(volgende, bits);
        if (!wedstrijdVrij(m))
            continue;
        bye[static_cast<std::size_t>(m)] = 1;
        ++byesGegeven;
        if (geplaatsteZaadjes < zaadjes.size())
            lijn[static_cast<std::size_t>(2 * m)] = zaadjes[geplaatsteZaadjes++];
    }

    std::vector<char> geplaatst(m_deelnemers.size(), 0);
    for (int i : lijn)
        if (i >= 0)
            geplaatst[static_cast<std::size_t>(i)] = 1;
    std::vector<int> vrijeLijnen;
    for (int l = 0; l < lijnen; ++l)
        if (lijn[l] < 0 && (!bye[l / 2] || l % 2 == 0))
            vrijeLijnen.push_back(l);
    std::vector<int> over;
    for (int i : leden)
        if (!geplaatst[static_cast<std::size_t>(i)])
            over.push_back(i);
    over.resize(std::min(over.size(), vrijeLijnen.size()));

    const std::vector<int> clubVan = ClubNummers(m_deelnemers);
    if (std::none_of(over.begin(), over.end(),
                     [&](int i) { return clubVan[static_cast<std::size_t>(i)] >= 0; })) {
        schud(over);
        for (std::size_t i = 0; i < over.size(); ++i)
            lijn[static_cast<std::size_t>(vrijeLijnen[i])] = over[i];
    } else {
        VerdeelClubs(lijn, vrijeLijnen, over, clubVan, toeval);
    }

    for (int m = 0; m < m1; ++m) {
        TKnockoutWedstrijd* wedstrijd = eersteRonde[static_cast<std::size_t>(m)].get();
        if (bye[static_cast<std::size_t>(m)])
            wedstrijd->ZetBye(true);
        for (int plek = 0; plek < (bye[static_cast<std::size_t>(m)] ? 1 : 2); ++plek) {
            const int i = lijn[static_cast<std::size_t>(2 * m + plek)];
            if (i < 0)
                continue;
            TDeelnemer* deelnemer = m_deelnemers[static_cast<std::size_t>(i)].get();
            if (plek == 0)
                wedstrijd->ZetDeelnemerBoven(deelnemer);
            else
                wedstrijd->ZetDeelnemerOnder(deelnemer);
            deelnemer->Wedstrijd = wedstrijd;
        }
    }
}

void TKnockout::DeelInVolgensPoules() {
    auto& eersteRonde = m_rondes.front();
    std::vector<const TDeelnemer*> deelnemers;
    std::vector<TDeelnemer*> lijst;
    for (const auto& deelnemer : m_deelnemers) {
        if (deelnemer && deelnemer->KnockoutNr == m_knockoutNr) {
            deelnemers.push_back(deelnemer.get());
            lijst.push_back(deelnemer.get());
        }
    }
    SeededDraw draw(std::move(deelnemers), static_cast<int>(eersteRonde.size()), m_aantalPoules);
    draw.Voer();
    draw.SpreidClubs();

    for (TDeelnemer* deelnemer : lijst)
        deelnemer->Wedstrijd = nullptr;
    for (std::size_t i = 0; i < eersteRonde.size(); ++i) {
        TKnockoutWedstrijd* wedstrijd = eersteRonde[i].get();
        const int m = static_cast<int>(i);
        if (draw.Boven(m) >= 0) {
            wedstrijd->ZetDeelnemerBoven(lijst[draw.Boven(m)]);
            lijst[draw.Boven(m)]->Wedstrijd = wedstrijd;
        }
        if (draw.IsBye(m)) {
            wedstrijd->ZetBye(true);
        } else if (draw.Onder(m) >= 0) {
            wedstrijd->ZetDeelnemerOnder(lijst[draw.Onder(m)]);
            lijst[draw.Onder(m)]->Wedstrijd = wedstrijd;
        }
    }
}

std::int64_t TKnockout::PouleInVolgorde(int orde, std::int64_t aantalPoules, std::int64_t b) {
    const std::int64_t p = aantalPoules;
    if (b < 1 || b > p)
        return 0;
    switch (orde) {
    case 1:
        return b;
    case 2:
        return p + 1 - b;
    case 3:
        return b % 2 != 0 ? (b + 1) / 2 : p - (b - 2) / 2;
    case 4:
        return b % 2 != 0 ? p - (b - 1) / 2 : b / 2;
    case 5: {
        // The odd pool numbers ascending, then the even ones descending.
        const std::int64_t oneven = (p + 1) / 2;
        return b <= oneven ? 2 * b - 1 : (p - p % 2) - 2 * (b - oneven - 1);
    }
    case 6:
        return p + 1 - PouleInVolgorde(5, p, b);
    default:
        return 0;
    }
}

std::int64_t TKnockout::PlaatsInVolgorde(int orde, std::int64_t aantalPoules, std::int64_t poule) {
    const std::int64_t p = aantalPoules;
    if (poule < 1 || poule > p)
        return 0;
    const std::int64_t oneven = (p + 1) / 2;
    switch (orde) {
    case 1:
        return poule;
    case 2:
        return p + 1 - poule;
    case 3:
        return poule <= oneven ? 2 * poule - 1 : 2 * (p - poule) + 2;
    case 4:
        return poule <= p / 2 ? 2 * poule : 2 * (p - poule) + 1;
    case 5:
        return poule % 2 != 0 ? (poule + 1) / 2 : oneven + ((p - p % 2) - poule) / 2 + 1;
    case 6:
        return PlaatsInVolgorde(5, p, p + 1 - poule);
    default:
        return 0;
    }
}

QString TKnockout::MeldingOnvolledig(std::uint8_t knockoutNr) {
    // The second sentence speaks of the winners' round in both brackets.
    return QStringLiteral("Het programma is niet in staat een verdeling te maken in de ") +
           (knockoutNr == 1 ? QStringLiteral("winnaarsronde") : QStringLiteral("verliezersronde")) +
           QStringLiteral(".") +
           QStringLiteral(
               "U kunt de knockout handmatig verder indelen of u moet een ander aantal ") +
           QStringLiteral("deelnemers naar de winnaarsronde sturen. ") + Text::lineBreak +
           QStringLiteral("Zie de help voor meer informatie over probleemgevallen als deze.");
}

QString TKnockout::MeldingClubOntmoetingen(int aantal) {
    if (aantal <= 0)
        return QStringLiteral(
            "De loting heeft alle clubgenoten tot de halve finale uit elkaar gehouden.");
    return (aantal == 1 ? QStringLiteral("De loting kon 1 ontmoeting")
                        : QStringLiteral("De loting kon %1 ontmoetingen").arg(aantal)) +
           QStringLiteral(" van clubgenoten vóór de halve finale niet vermijden.");
}
