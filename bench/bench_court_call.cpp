// Times calling the next match after a score at 4,096 participants in 512
// pools of 8 on 64 courts, with the courts window showing: the document's
// step, the call to the freed court and the window reading the day again
// and repainting. Fails only on a wrong result, never on time.
#include "app/MainForm.h"
#include "courts/BanenForm.h"
#include "model/Toernooi.h"
#include "model/ToernooiDocument.h"
#include "model/Uitbreiding.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTableView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int AantalPoules = 512;
constexpr int Grootte = 8;
constexpr int Banen = 64;
constexpr int Herhalingen = 30;

void stil(QtMsgType soort, const QMessageLogContext&, const QString& tekst) {
    // The offscreen platform cannot raise a window and says so at every show.
    if (soort != QtWarningMsg || !tekst.contains(QStringLiteral("raise")))
        std::fprintf(stderr, "%s\n", qPrintable(tekst));
}

double Sinds(std::chrono::steady_clock::time_point begin) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
        .count();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    qInstallMessageHandler(stil);
    TMainForm hoofd;
    TToernooiDocument& document = hoofd.Document();
    document.ZetKlok([] { return QDateTime(QDate(2026, 3, 14), QTime(9, 0)); });

    TToernooi toernooi;
    toernooi.Programmastatus = psPoules;
    for (int i = 0; i < AantalPoules * Grootte; ++i) {
        auto d = std::make_unique<TDeelnemer>(QStringLiteral("Speler %1").arg(i),
                                              QStringLiteral("van der Berg"));
        d->Poule = i % AantalPoules + 1;
        toernooi.Lijst.push_back(std::move(d));
    }
    toernooi.Wedstrijden = Uitbreiding::ZonderUitslagen(toernooi.Lijst);
    if (document.Open(Uitbreiding::Schrijf(toernooi), QStringLiteral("/tmp/groot.txt"))) {
        std::printf("the tournament cannot be opened\n");
        return 1;
    }
    Planning::TDagInstellingen instellingen;
    instellingen.Plan.Banen = Banen;
    document.ZetDagInstellingen(instellingen);
    auto begin = std::chrono::steady_clock::now();
    document.MaakPlanning();
    std::printf("planning %zu matches on %d courts: %.0f ms\n",
                document.Dagoverzicht().Wedstrijden.size(), Banen, Sinds(begin));

    TBanenForm& form = *hoofd.BanenForm;
    form.show();
    QCoreApplication::processEvents();
    // Every court gets its first match, where the plan did not call it.
    for (int baan = 0; baan < Banen; ++baan)
        if (form.Stand().at(std::size_t(baan)).Nu < 0) {
            const int volgende = form.Stand().at(std::size_t(baan)).Volgende;
            if (volgende >= 0)
                document.RoepOp(form.Overzicht().Wedstrijden[std::size_t(volgende)].Plek, baan);
        }
    QCoreApplication::processEvents();

    std::vector<double> tijden;
    std::vector<double> document_; // the document's step alone
    bool goed = true;
    for (int i = 0; i < Herhalingen && goed; ++i) {
        // The score of the match on a court, court after court.
        const int baan = (i * 7) % Banen;
        const int nu = form.Stand().at(std::size_t(baan)).Nu;
        if (nu < 0) {
            std::printf("court %d has no match on it\n", baan + 1);
            return 1;
        }
        const Planning::TWedstrijdPlek plek = form.Overzicht().Wedstrijden[std::size_t(nu)].Plek;
        begin = std::chrono::steady_clock::now();
        goed = document.ZetPouleUitslag(plek.Poule, plek.Nummer, {{21, 15}, {21, 17}});
        document_.push_back(Sinds(begin));
        QCoreApplication::processEvents();
        tijden.push_back(Sinds(begin));
        // The court has its next match, and the window shows it.
        const int volgende = form.Stand().at(std::size_t(baan)).Nu;
        goed = goed && volgende >= 0 &&
               form.Overzicht().Wedstrijden[std::size_t(volgende)].Plek != plek &&
               form.BanenGrid->model()->index(baan, 1).data().toString() ==
                   form.Overzicht().Wedstrijden[std::size_t(volgende)].Boven +
                       QStringLiteral(" – ") +
                       form.Overzicht().Wedstrijden[std::size_t(volgende)].Onder;
    }
    if (!goed) {
        std::printf("the next match was not called to the freed court\n");
        return 1;
    }
    std::sort(tijden.begin(), tijden.end());
    std::sort(document_.begin(), document_.end());
    begin = std::chrono::steady_clock::now();
    const auto overzicht = document.Dagoverzicht();
    const double overzichtTijd = Sinds(begin);
    begin = std::chrono::steady_clock::now();
    form.Vernieuw();
    std::printf("of which the document's step (score, call): median %.1f ms; reading the day "
                "(Dagoverzicht) %.1f ms; the window reading it again %.1f ms\n",
                document_[document_.size() / 2], overzichtTijd, Sinds(begin));
    std::printf("calling the next match after a score, window included (%d courts): median "
                "%.1f ms, worst %.1f ms (target < 16 ms)\n",
                Banen, tijden[tijden.size() / 2], tijden.back());
    return 0;
}
