// Undo, redo and autosave of a 4,096-participant tournament in stage 2 (pools
// of 8, best 4 to the winners' round, both brackets fully played), shown in
// the program's own windows:
// - one undo or redo of a score, the windows' refresh included (< 50 ms);
// - the memory of 200 steps of history (< 100 MB above the tournament);
// - the longest wait of the user-interface thread for one autosave (< 16 ms).
// Exits non-zero only when undo does not bring the tournament back exactly.
#include "app/Herstel.h"
#include "app/MainForm.h"
#include "bench/GrootToernooi.h"
#include "knockout/KnockoutForm.h"
#include "model/Knockout.h"
#include "model/Toernooi.h"
#include "model/ToernooiDocument.h"
#include "pools/PoulesForm.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

QByteArray GroteToernooibestand() {
    TToernooi toernooi;
    GrootToernooi::Maak(toernooi);
    return toernooi.Bewaar();
}

double Meet(const std::function<void()>& stap) {
    const auto begin = std::chrono::steady_clock::now();
    stap();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
        .count();
}

void Druk(const char* wat, std::vector<double> tijden, const char* doel) {
    std::sort(tijden.begin(), tijden.end());
    std::printf("%-58s median %8.2f ms  max %8.2f ms  (target %s)\n", wat,
                tijden[tijden.size() / 2], tijden.back(), doel);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    TMainForm hoofd;
    TToernooiDocument& document = hoofd.Document();
    if (document.Open(GroteToernooibestand(), QString()))
        return 1;
    hoofd.show();
    hoofd.KnockoutForm->show();
    QApplication::processEvents();

    auto corrigeer = [&](int score) { document.ZetUitslag(1, 0, 0, score, 9); };
    std::vector<double> ongedaan;
    std::vector<double> opnieuw;
    bool exact = true;
    for (int i = 0; i < 10; ++i) {
        const QByteArray voor = document.Bestand();
        corrigeer(10 + i);
        const QByteArray na = document.Bestand();
        ongedaan.push_back(Meet([&] {
            document.MaakOngedaan();
            QApplication::processEvents();
        }));
        exact = exact && document.Bestand() == voor;
        opnieuw.push_back(Meet([&] {
            document.Opnieuw();
            QApplication::processEvents();
        }));
        exact = exact && document.Bestand() == na;
    }
    Druk("undo of a score, 4096 participants, windows refreshed", ongedaan, "< 50 ms");
    Druk("redo of a score, 4096 participants, windows refreshed", opnieuw, "< 50 ms");

    const qsizetype voor = document.GeschiedenisGrootte();
    for (int i = 0; i < 200; ++i)
        corrigeer(100 + i);
    const double mb = (document.GeschiedenisGrootte() - voor) / (1024.0 * 1024.0);
    std::printf("%-58s %8.1f MB  (target < 100 MB)\n", "history of 200 steps, 4096 participants",
                mb);

    QTemporaryDir map;
    hoofd.Herstel().ZetMap(map.path());
    std::vector<double> wachten;
    for (int i = 0; i < 20; ++i)
        wachten.push_back(Meet([&] { hoofd.Herstel().SchrijfNu(); }));
    hoofd.Herstel().Wacht();
    Druk("autosave: user-interface thread per write, 4096", wachten, "< 16 ms");
    if (!exact)
        std::printf("undo or redo did not restore the tournament exactly\n");
    return exact ? 0 : 1;
}
