// Times saving and reading a 4,096-participant tournament in stage 2 (pools
// of 8, best 4 to the winners' round, both brackets fully played), in
// memory, bracket views excluded. Exits non-zero only when the file does
// not read back to itself, never because of time.
#include "model/Knockout.h"
#include "model/RandomSource.h"
#include "model/Toernooi.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Herhalingen = 30;
constexpr int AantalPoules = 512;
constexpr int Grootte = 8;

void Speel(TKnockout& knockout) {
    for (int r = 0; r < knockout.AantalRondes(); ++r)
        for (int m = 0; m < knockout.AantalWedstrijden(r); ++m)
            knockout.Wedstrijd(r, m)->ZetEindstand(m % 2 ? 3 : 1, 2);
}

void MaakToernooi(TToernooi& toernooi) {
    toernooi.Programmastatus = 2;
    for (int poule = 1; poule <= AantalPoules; ++poule) {
        for (int positie = 1; positie <= Grootte; ++positie) {
            auto d = std::make_unique<TDeelnemer>(QStringLiteral("Speler %1").arg(positie),
                                                  QStringLiteral("van Poule %1").arg(poule));
            d->Poule = poule;
            d->Positie = positie;
            d->KnockoutNr = positie <= Grootte / 2 ? 1 : 2;
            toernooi.Lijst.push_back(std::move(d));
        }
    }
    toernooi.Winnaars = std::make_unique<TKnockout>(toernooi.Lijst, 1, TKnockout::VolgensPoules);
    toernooi.Verliezers = std::make_unique<TKnockout>(toernooi.Lijst, 2, TKnockout::VolgensPoules);
    Speel(*toernooi.Winnaars);
    Speel(*toernooi.Verliezers);
}

double Meet(const std::function<void()>& stap) {
    const auto begin = std::chrono::steady_clock::now();
    stap();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
        .count();
}

void Druk(const char* wat, std::vector<double> tijden) {
    std::sort(tijden.begin(), tijden.end());
    std::printf("%-58s median %8.2f ms  max %8.2f ms  (target < 30 ms)\n", wat,
                tijden[tijden.size() / 2], tijden.back());
}

} // namespace

int main() {
    auto vorige =
        setRandomSource(std::make_unique<ClockSeededRandomSource>([] { return std::uint64_t{7}; }));
    TToernooi toernooi;
    MaakToernooi(toernooi);

    std::vector<double> bewaren;
    std::vector<double> lezen;
    bool goed = true;
    QByteArray bestand;
    for (int h = 0; h < Herhalingen; ++h) {
        bewaren.push_back(Meet([&] { bestand = toernooi.Bewaar(); }));
        TToernooi geladen;
        std::optional<Toernooibestand::Leesfout> fout;
        lezen.push_back(Meet([&] { fout = Toernooibestand::Lees(bestand, geladen); }));
        goed = goed && !fout && geladen.Bewaar() == bestand;
    }
    Druk("save a 4096-participant stage-2 tournament, played out", bewaren);
    Druk("read it back into the model", lezen);
    std::printf("%-58s %lld bytes%s\n", "file size", static_cast<long long>(bestand.size()),
                goed ? "" : "  WRONG RESULT");
    setRandomSource(std::move(vorige));
    return goed ? 0 : 1;
}
