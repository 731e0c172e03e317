#include "model/KnockoutIndeling.h"

#include "model/Poules.h"

#include <algorithm>
#include <unordered_map>

namespace KnockoutIndeling {

namespace {

constexpr int HoogstePoulepositie = 8;

void ZetRonde(TDeelnemer& deelnemer, std::uint8_t knockoutNr) {
    deelnemer.KnockoutNr = knockoutNr;
    deelnemer.Wedstrijd = nullptr;
}

// The first participant, in list order, at every (pool, position).
class PlaatsIndex {
public:
    explicit PlaatsIndex(const TDeelnemerLijst& deelnemers) {
        for (const auto& deelnemer : deelnemers)
            m_eerste.try_emplace(sleutel(deelnemer->Poule, deelnemer->Positie), deelnemer.get());
    }
    TDeelnemer* Zoek(int poule, int positie) const {
        const auto gevonden = m_eerste.find(sleutel(poule, positie));
        return gevonden == m_eerste.end() ? nullptr : gevonden->second;
    }

private:
    static std::int64_t sleutel(int poule, int positie) {
        return (static_cast<std::int64_t>(poule) << 32) | static_cast<std::uint32_t>(positie);
    }
    std::unordered_map<std::int64_t, TDeelnemer*> m_eerste;
};

} // namespace

int HoogstePositie(const TDeelnemerLijst& deelnemers) {
    int hoogste = 0;
    for (const auto& deelnemer : deelnemers)
        hoogste = std::max(hoogste, static_cast<int>(deelnemer->Positie));
    return hoogste;
}

void PasBesteToe(TDeelnemerLijst& deelnemers, int n) {
    for (const auto& deelnemer : deelnemers)
        ZetRonde(*deelnemer, deelnemer->Positie > n ? 2 : 1);
}

void PasSlechtsteToe(TDeelnemerLijst& deelnemers, int n) {
    // The walk below reaches only pool places 1..8. Anyone it cannot reach
    // (a position outside that range, or a second participant on one place)
    // goes to the winners' round rather than keeping a bracket and a match
    // of an earlier division.
    for (const auto& deelnemer : deelnemers)
        ZetRonde(*deelnemer, 1);
    const int hoogstePoule = Poules::HoogstePoule(deelnemers);
    const PlaatsIndex index(deelnemers);
    for (int poule = 1; poule <= hoogstePoule; ++poule) {
        int naarVerliezers = 0;
        for (int positie = HoogstePoulepositie; positie >= 1 && naarVerliezers < n; --positie) {
            if (TDeelnemer* deelnemer = index.Zoek(poule, positie)) {
                ZetRonde(*deelnemer, 2);
                ++naarVerliezers;
            }
        }
    }
}

void PasToe(TDeelnemerLijst& deelnemers, const TKeuze& keuze) {
    if (keuze.Beste)
        PasBesteToe(deelnemers, keuze.Aantal);
    else
        PasSlechtsteToe(deelnemers, keuze.Aantal);
}

} // namespace KnockoutIndeling
