// The pool matches of a 4,096-participant tournament in stage 2 (512 pools
// of 8, every one of the 14,336 pool matches played, both brackets played
// out):
// - saving and reading the whole tournament, in memory (< 60 ms each);
// - the file against the same tournament without pool matches (<= 3 x);
// - entering one pool score in the document, the step's snapshot of the
//   whole tournament for undo included (well below 16 ms);
// - the standings of one pool as the document gives them (< 50 us).
// Exits non-zero only when the file does not read back to itself or a score
// is refused, never because of time.
#include "bench/GrootToernooi.h"
#include "model/Knockout.h"
#include "model/RandomSource.h"
#include "model/Toernooi.h"
#include "model/ToernooiDocument.h"
#include "model/Uitbreiding.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Herhalingen = 30;

double Meet(const std::function<void()>& stap) {
    const auto begin = std::chrono::steady_clock::now();
    stap();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
        .count();
}

void Druk(const char* wat, std::vector<double> tijden, const char* doel, double schaal = 1,
          const char* eenheid = "ms") {
    std::sort(tijden.begin(), tijden.end());
    std::printf("%-58s median %8.2f %s  max %8.2f %s  (target %s)\n", wat,
                tijden[tijden.size() / 2] * schaal, eenheid, tijden.back() * schaal, eenheid,
                doel);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    auto vorige =
        setRandomSource(std::make_unique<ClockSeededRandomSource>([] { return std::uint64_t{7}; }));
    TToernooi toernooi;
    GrootToernooi::Maak(toernooi);
    GrootToernooi::SpeelPoules(toernooi);

    std::vector<double> bewaren;
    std::vector<double> lezen;
    QByteArray bestand;
    bool goed = true;
    for (int h = 0; h < Herhalingen; ++h) {
        bewaren.push_back(Meet([&] { bestand = toernooi.Bewaar(); }));
        TToernooi geladen;
        std::optional<Toernooibestand::Leesfout> fout;
        lezen.push_back(Meet([&] { fout = Uitbreiding::Lees(bestand, geladen); }));
        goed = goed && !fout && geladen.Wedstrijden == toernooi.Wedstrijden &&
               geladen.Bewaar() == bestand;
    }
    const QByteArray zonder =
        Toernooibestand::Schrijf(toernooi.Programmastatus, toernooi.Lijst,
                                 toernooi.Winnaars.get(), toernooi.Verliezers.get());
    Druk("save 4096 participants with 14336 pool matches played", bewaren, "< 60 ms");
    Druk("read it back into the model", lezen, "< 60 ms");
    std::printf("%-58s %lld bytes against %lld = %.2f x  (target <= 3 x)%s\n", "file size",
                static_cast<long long>(bestand.size()), static_cast<long long>(zonder.size()),
                double(bestand.size()) / double(zonder.size()), goed ? "" : "  WRONG RESULT");

    // The document: a score entered, corrected and entered again, each one
    // step with its snapshot; the pool's positions stay as they are.
    TToernooiDocument document;
    goed = goed && !document.Open(bestand, QStringLiteral("/tmp/groot.txt"));
    std::vector<double> invoeren;
    std::vector<double> stand;
    for (int h = 0; h < Herhalingen; ++h) {
        const int poule = 1 + (h * 37) % GrootToernooi::AantalPoules;
        const auto wedstrijd = document.PouleWedstrijden().Poules[std::size_t(poule - 1)]
                                   .Wedstrijden[std::size_t(h % 28)];
        Poulewedstrijden::TGames games = wedstrijd.Games;
        games.front() = games.front().A > games.front().B ? Poulewedstrijden::TGame{22, 20}
                                                           : Poulewedstrijden::TGame{20, 22};
        bool aanvaard = false;
        invoeren.push_back(
            Meet([&] { aanvaard = document.ZetPouleUitslag(poule, h % 28, games); }));
        goed = goed && aanvaard;
        stand.push_back(Meet([&] {
            volatile auto rijen = document.PouleStand(poule).Rijen.size();
            (void)rijen;
        }));
    }
    Druk("enter one pool score in the document, undo snapshot incl.", invoeren, "well < 16 ms");
    Druk("the standings of one pool (PouleStand)", stand, "< 50 us", 1000, "us");
    setRandomSource(std::move(vorige));
    return goed ? 0 : 1;
}
