// Times entering one pool score at 4,096 participants in 512 pools of 8 with
// every other score in: the document's step, the standings of the pool, and
// the pools window showing that pool repainting what changed. Fails only on
// a wrong result, never on time.
#include "app/MainForm.h"
#include "model/Poules.h"
#include "model/Toernooi.h"
#include "model/ToernooiDocument.h"
#include "model/Uitbreiding.h"
#include "pools/PouleWedstrijdenPaneel.h"
#include "pools/PoulesForm.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTableWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace Poulewedstrijden;

namespace {

constexpr int AantalPoules = 512;
constexpr int Grootte = 8;
constexpr int Herhalingen = 30;
constexpr int Poule = AantalPoules / 2;

// The better letter wins, so every pool ends in a clear order.
TGames Uitslag(int letterA, int letterB, int wedstrijd) {
    const TGame game{21, 10 + wedstrijd % 9};
    return letterA < letterB ? TGames{game, {21, 12}} : TGames{{game.B, 21}, {12, 21}};
}

int Letter(const std::vector<int>& leden, int index) {
    return static_cast<int>(std::find(leden.begin(), leden.end(), index) - leden.begin());
}

void stil(QtMsgType soort, const QMessageLogContext&, const QString& tekst) {
    // The offscreen platform cannot raise a window and says so at every show.
    if (soort != QtWarningMsg || !tekst.contains(QStringLiteral("raise")))
        std::fprintf(stderr, "%s\n", qPrintable(tekst));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The recovery files of this tournament go to the test folders, never
    // where the program finds them at its next start.
    QStandardPaths::setTestModeEnabled(true);
    qInstallMessageHandler(stil);
    TMainForm hoofd;
    TToernooiDocument& document = hoofd.Document();
    // The tournament as a file holds it, every score but one in, opened as
    // a user opens it.
    const auto begin = std::chrono::steady_clock::now();
    TToernooi toernooi;
    toernooi.Programmastatus = psPoules;
    for (int i = 0; i < AantalPoules * Grootte; ++i) {
        auto d = std::make_unique<TDeelnemer>(QStringLiteral("Speler %1").arg(i),
                                              QStringLiteral("van der Berg"));
        d->Poule = i % AantalPoules + 1;
        toernooi.Lijst.push_back(std::move(d));
    }
    toernooi.Wedstrijden = Uitbreiding::ZonderUitslagen(toernooi.Lijst);
    int laatste = -1;
    for (int p = 1; p <= AantalPoules; ++p) {
        const std::vector<int> leden = Poules::Leden(toernooi.Lijst, p);
        auto& wedstrijden = toernooi.Wedstrijden.Poules[std::size_t(p - 1)].Wedstrijden;
        const int aantal = static_cast<int>(wedstrijden.size());
        for (int i = 0; i < aantal; ++i) {
            TPouleWedstrijd& w = wedstrijden[std::size_t(i)];
            if (p == Poule && i == aantal - 1)
                laatste = i;
            else
                w.Games = Uitslag(Letter(leden, w.A), Letter(leden, w.B), i);
        }
    }
    if (document.Open(Uitbreiding::Schrijf(toernooi), QStringLiteral("/tmp/groot.txt"))) {
        std::printf("the tournament cannot be opened\n");
        return 1;
    }
    std::printf("opening the tournament with %d scores: %.1f s\n",
                AantalPoules * Grootte * (Grootte - 1) / 2 - 1,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count());

    TPoulesForm& form = *hoofd.PoulesForm;
    form.PoulesTabControl->ZetTabIndex(Poule - 1);
    form.PoulesTabControlChange();
    form.show();
    QCoreApplication::processEvents();

    const std::vector<int> leden = Poules::Leden(document.Deelnemers(), Poule);
    const TPouleWedstrijd w = document.PouleWedstrijden()
                                  .Poules[std::size_t(Poule - 1)]
                                  .Wedstrijden[std::size_t(laatste)];
    const TGames games = Uitslag(Letter(leden, w.A), Letter(leden, w.B), laatste);
    std::vector<double> tijden;
    bool goed = true;
    for (int i = 0; i < Herhalingen; ++i) {
        if (i > 0) {
            document.MaakOngedaan();
            QCoreApplication::processEvents();
        }
        const auto start = std::chrono::steady_clock::now();
        goed = document.ZetPouleUitslag(Poule, laatste, games) && goed;
        QCoreApplication::processEvents();
        tijden.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        // The pool is complete: its positions follow the standings, and the
        // window shows the score.
        for (int index : leden)
            goed = goed &&
                   document.Deelnemers()[std::size_t(index)]->Positie == Letter(leden, index) + 1;
        const QTableWidgetItem* cel = form.WedstrijdenPaneel->WedstrijdenGrid->item(laatste, 3);
        goed = goed && cel && cel->text() == GamesTekst(games);
    }
    std::sort(tijden.begin(), tijden.end());
    std::printf("%-52s median %8.3f ms, max %8.3f ms%s\n",
                "one pool score, 512 pools of 8, window showing it", tijden[tijden.size() / 2],
                tijden.back(), goed ? "" : "  WRONG RESULT");
    return goed ? 0 : 1;
}
