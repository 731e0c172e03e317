// The oracle rescans everything at every step and is slow by design; it is
// optimised even in debug builds so that the differential test stays short.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("O2")
#endif

#include "KnockoutOrakel.h"

#include "model/RandomSource.h"

#include <algorithm>

namespace {

constexpr int MaxPositie = 8;

class Orakel {
public:
    Orakel(const TDeelnemerLijst& deelnemers, std::uint8_t knockoutNr)
        : lijst(deelnemers)
        , nr(knockoutNr)
        , wedstrijdVan(deelnemers.size(), -1) {
        for (std::size_t i = 0; i < lijst.size(); ++i) {
            poule.push_back(lijst[i]->Poule);
            positie.push_back(lijst[i]->Positie);
            knockout.push_back(lijst[i]->KnockoutNr);
            if (lijst[i]->Wedstrijd)
                wedstrijdVan[i] = -2; // placed somewhere outside this draw
            if (lijst[i]->KnockoutNr == nr) {
                ++aantal;
                aantalPoules = std::max(aantalPoules, lijst[i]->Poule);
            }
        }
        if (aantal >= 1) {
            int grootte = 2;
            while (grootte < aantal)
                grootte *= 2;
            m1 = grootte / 2;
        }
        ronde.wedstrijden.resize(m1);
    }

    const TDeelnemerLijst& lijst;
    std::uint8_t nr;
    std::vector<int> wedstrijdVan;
    // Copies of the fields, read far more often than anything else here.
    std::vector<int> poule;
    std::vector<int> positie;
    std::vector<int> knockout;
    int aantal = 0;
    int aantalPoules = 0;
    int m1 = 0;
    OrakelEersteRonde ronde;

    OrakelEersteRonde::Wedstrijd& W(int i) { return ronde.wedstrijden[i]; }

    void ZetDeelnemerBoven(int i, int p) { W(i).boven = p; }
    void ZetDeelnemerOnder(int i, int p) {
        if (!W(i).bye)
            W(i).onder = p;
    }
    void ZetBye(int i, bool bye) {
        W(i).bye = bye;
        if (bye) {
            if (W(i).boven < 0)
                W(i).boven = W(i).onder;
            W(i).onder = -1;
        }
    }

    int ZoekVrijeBovenplek(int start, int minimum, int stap) {
        int gevonden = W(start).boven < 0 ? start : -1;
        int d = stap;
        while (gevonden < 0 && d > minimum) {
            gevonden = ZoekVrijeBovenplek(start + d, d, stap);
            d /= 2;
        }
        return gevonden;
    }

    int WillekeurigeDeelnemer() {
        const int count = static_cast<int>(lijst.size());
        const int s = count > 1 ? randomSource().below(count - 1) : 0;
        for (int i = s; i < count; ++i) {
            if (knockout[i] == nr && wedstrijdVan[i] == -1)
                return i;
        }
        for (int i = s - 1; i >= 0; --i) {
            if (knockout[i] == nr && wedstrijdVan[i] == -1)
                return i;
        }
        return -1;
    }

    void LootWillekeurig() {
        for (int b = 0; b < 2 * m1 - aantal; ++b) {
            const int i = ZoekVrijeBovenplek(0, 0, m1 / 2);
            ZetBye(i, true);
            const int p = WillekeurigeDeelnemer();
            ZetDeelnemerBoven(i, p);
            if (p >= 0)
                wedstrijdVan[p] = i;
        }
        for (int i = 0; i < m1; ++i) {
            if (W(i).bye)
                continue;
            int p = WillekeurigeDeelnemer();
            ZetDeelnemerBoven(i, p);
            if (p >= 0)
                wedstrijdVan[p] = i;
            p = WillekeurigeDeelnemer();
            ZetDeelnemerOnder(i, p);
            if (p >= 0)
                wedstrijdVan[p] = i;
        }
    }

    bool Hoort(int p, int pl, int ps) const { return p >= 0 && poule[p] == pl && positie[p] == ps; }

    int ZoekOngeplaatst(int pl, int ps) const {
        if (pl < 0)
            return -1;
        for (std::size_t i = 0; i < lijst.size(); ++i) {
            if (knockout[i] == nr && poule[i] == pl && positie[i] == ps && wedstrijdVan[i] == -1)
                return static_cast<int>(i);
        }
        return -1;
    }

    int ZoekPoulegenoot(int pl, int lo, int hi) {
        for (int ps = 1; ps <= MaxPositie; ++ps) {
            for (int i = lo; i <= hi; ++i) {
                if (Hoort(W(i).boven, pl, ps))
                    return i;
                if (!W(i).bye && Hoort(W(i).onder, pl, ps))
                    return i;
            }
        }
        return -1;
    }

    int TelPoulegenoten(int pl, int lo, int hi) {
        int n = 0;
        for (int i = lo; i <= hi; ++i) {
            if (W(i).boven >= 0 && poule[W(i).boven] == pl)
                ++n;
            if (W(i).onder >= 0 && poule[W(i).onder] == pl)
                ++n;
        }
        return n;
    }

    bool IsVolledig() {
        for (int i = 0; i < m1; ++i) {
            if (W(i).boven < 0 || (!W(i).bye && W(i).onder < 0))
                return false;
        }
        return true;
    }

    bool PlaatsBoven(int p, int lo, int hi) {
        const int i = ZoekVrijeBovenplek(lo, 0, (hi - lo + 1) / 2);
        if (i < 0)
            return false;
        ZetDeelnemerBoven(i, p);
        wedstrijdVan[p] = i;
        return true;
    }

    bool PlaatsOnder(int p, int lo, int hi) {
        int beste = -1;
        int bestePositie = 0;
        for (int i = lo; i <= hi; ++i) {
            if (W(i).bye || W(i).onder >= 0)
                continue;
            const int ps = W(i).boven >= 0 ? positie[W(i).boven] : MaxPositie + 1;
            if (beste < 0 || ps < bestePositie) {
                beste = i;
                bestePositie = ps;
            }
        }
        if (beste < 0)
            return false;
        ZetDeelnemerOnder(beste, p);
        wedstrijdVan[p] = beste;
        return true;
    }

    using Plaatser = bool (Orakel::*)(int, int, int);

    bool Plaats(int p, int vlag, int lo, int hi, Plaatser plaatser) {
        const int pl = poule[p];
        for (;;) {
            const int q = ZoekPoulegenoot(pl, lo, hi);
            if (q < 0)
                return (this->*plaatser)(p, lo, hi);
            if (lo < hi) {
                const int mid = lo + (hi - lo + 1) / 2;
                const int f = TelPoulegenoten(pl, lo, mid - 1);
                const int g = TelPoulegenoten(pl, mid, hi);
                if (q < mid) {
                    if (vlag > 0 && f == g)
                        vlag = 0;
                    else if (g <= f && Plaats(p, vlag, mid, hi, plaatser))
                        return true;
                    if (f > g)
                        return false;
                    hi = mid - 1;
                } else {
                    if (vlag > 0 && f == g)
                        vlag = 0;
                    else if (f <= g && Plaats(p, vlag, lo, mid - 1, plaatser))
                        return true;
                    if (g > f)
                        return false;
                    lo = mid;
                }
            }
            if (hi != lo)
                continue;
            if (aantalPoules > 1)
                return false;
            return (this->*plaatser)(p, lo, hi);
        }
    }

    void DeelInVolgensPoules() {
        const int byesTotaal = 2 * m1 - aantal;
        const int P = aantalPoules;
        for (int k = 1; k <= 6; ++k) {
            const std::vector<int> tabel = OrakelPouletabel(k, P);
            // Without pools the table is empty and no participant is found.
            auto pouleOp = [&](int b) { return b >= 1 && b <= P ? tabel[b - 1] : -1; };
            for (int j = 0; j <= P; ++j) {
                for (std::size_t i = 0; i < lijst.size(); ++i) {
                    if (knockout[i] == nr)
                        wedstrijdVan[i] = -1;
                }
                for (int i = 0; i < m1; ++i) {
                    ZetDeelnemerBoven(i, -1);
                    ZetDeelnemerOnder(i, -1);
                    ZetBye(i, false);
                }

                int byes = byesTotaal;
                int b = 1;
                int ps = 1;
                int n = 1;
                while (n <= m1) {
                    const int p = ZoekOngeplaatst(pouleOp(b), ps);
                    if (p >= 0) {
                        const bool ok = Plaats(p, 0, 0, m1 - 1, &Orakel::PlaatsBoven);
                        if (ok && byes > 0) {
                            ZetBye(wedstrijdVan[p], true);
                            --byes;
                        }
                        ++n;
                    }
                    if (++b > P) {
                        b = 1;
                        if (++ps > MaxPositie)
                            break;
                    }
                }

                byes = byesTotaal;
                b = P;
                ps = MaxPositie;
                n = 1;
                int vlag = j;
                while (n <= m1 - byes) {
                    const int p = ZoekOngeplaatst(pouleOp(b), ps);
                    if (p >= 0) {
                        Plaats(p, vlag, 0, m1 - 1, &Orakel::PlaatsOnder);
                        --vlag;
                        ++n;
                    }
                    if (--b < 1) {
                        b = P;
                        if (--ps < 1)
                            break;
                    }
                }

                if (IsVolledig())
                    return;
            }
        }
    }
};

} // namespace

std::vector<int> OrakelPouletabel(int orde, int P) {
    std::vector<int> tabel;
    for (int b = 1; b <= P; ++b) {
        switch (orde) {
        case 1:
            tabel.push_back(b);
            break;
        case 2:
            tabel.push_back(P + 1 - b);
            break;
        case 3:
            tabel.push_back(b % 2 == 1 ? (b + 1) / 2 : P - (b - 2) / 2);
            break;
        case 4:
            tabel.push_back(b % 2 == 1 ? P - (b - 1) / 2 : b / 2);
            break;
        default:
            break;
        }
    }
    if (orde >= 5) {
        for (int v = 1; v <= P; v += 2)
            tabel.push_back(v);
        for (int v = P; v >= 1; --v) {
            if (v % 2 == 0)
                tabel.push_back(v);
        }
        if (orde == 6) {
            for (int& v : tabel)
                v = P + 1 - v;
        }
    }
    return tabel;
}

OrakelEersteRonde OrakelVolgensPoules(const TDeelnemerLijst& deelnemers, std::uint8_t knockoutNr) {
    Orakel orakel(deelnemers, knockoutNr);
    if (orakel.m1 > 0) {
        orakel.DeelInVolgensPoules();
        orakel.ronde.volledig = orakel.IsVolledig();
    }
    return orakel.ronde;
}

OrakelEersteRonde OrakelWillekeurig(const TDeelnemerLijst& deelnemers, std::uint8_t knockoutNr) {
    Orakel orakel(deelnemers, knockoutNr);
    if (orakel.m1 > 0) {
        orakel.LootWillekeurig();
        orakel.ronde.volledig = orakel.IsVolledig();
    }
    return orakel.ronde;
}
