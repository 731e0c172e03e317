// Not a benchmark: shows the knockout window of a small tournament with
// pools and saves a screenshot of it, for a look at the drawn bracket.
// Usage: screenshot_knockout <file.png> [winnaars|verliezers|afloop|dialoog]
// "afloop" shows the winners' round with a walkover, a retirement and a
// withdrawal; "dialoog" the score dialog of that walkover.
// Run it on a real display (scripts/screenshot-knockout.sh uses xvfb-run).
#include "app/Application.h"
#include "app/MainForm.h"
#include "knockout/InputEindstandDialog.h"
#include "knockout/KnockoutForm.h"
#include "model/Knockout.h"
#include "model/KnockoutIndeling.h"
#include "model/RandomSource.h"
#include "model/ToernooiDocument.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <utility>
#include <vector>

namespace {

// 13 participants in three pools (5, 4 and 4), every position known.
void vulToernooi(TDeelnemerLijst& deelnemers) {
    const char* namen[] = {"Anna de Vries",   "Bram Jansen",  "Cor Bakker",    "Daan Visser",
                           "Eva Smit",        "Femke Mulder", "Gijs de Boer",  "Hanna Bos",
                           "Ilse Vos",        "Joost Peters", "Kees Hendriks", "Lotte Dekker",
                           "Maarten van Dijk"};
    const int poule[] = {1, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3};
    const int positie[] = {3, 1, 5, 2, 4, 2, 4, 1, 3, 1, 3, 4, 2};
    for (int i = 0; i < 13; ++i) {
        const QString naam = QString::fromUtf8(namen[i]);
        const qsizetype spatie = naam.indexOf(u' ');
        auto deelnemer = std::make_unique<TDeelnemer>(naam.left(spatie), naam.mid(spatie + 1));
        deelnemer->Poule = poule[i];
        deelnemer->Positie = positie[i];
        deelnemers.push_back(std::move(deelnemer));
    }
}

// Plays the first `aantal` playable matches of a round, upper wins 3-1.
void speelRonde(TToernooiDocument& document, const TKnockout& knockout, int ronde, int aantal) {
    for (int m = 0; m < knockout.AantalWedstrijden(ronde) && aantal > 0; ++m) {
        if (knockout.Wedstrijd(ronde, m)->IsSpeelbaar()) {
            document.ZetUitslag(knockout.KnockoutNr(), ronde, m, 3, 1);
            --aantal;
        }
    }
}

void wacht(int ms) {
    QElapsedTimer klok;
    klok.start();
    while (klok.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    initialiseApplication(app);
    const QString bestand =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/knockout.png");
    const bool verliezers = argc > 2 && QByteArray(argv[2]) == "verliezers";
    setRandomSource(std::make_unique<ClockSeededRandomSource>([] { return std::uint64_t{13}; }));

    TMainForm hoofd;
    TDeelnemerLijst deelnemers;
    vulToernooi(deelnemers);
    hoofd.Document().ZetDeelnemers(std::move(deelnemers));
    hoofd.Document().StartKnockout(KnockoutIndeling::TKeuze{true, 2});
    TKnockoutForm& form = *hoofd.KnockoutForm;

    // Two first-round results and the semi-final they make playable in the
    // winners' round; one result in the losers' round.
    const TKnockout& winnaars = *form.WinnaarsKnockout();
    speelRonde(hoofd.Document(), winnaars, 0, 2);
    speelRonde(hoofd.Document(), winnaars, 1, 1);
    speelRonde(hoofd.Document(), *form.VerliezersKnockout(), 0, 1);

    const bool afloop = argc > 2 && QByteArray(argv[2]) == "afloop";
    const bool dialoog = argc > 2 && QByteArray(argv[2]) == "dialoog";
    if (afloop || dialoog) {
        // In the losers' round a walkover and a retirement; then the
        // walkover's winner withdraws, which gives its next match away.
        const TKnockout& ronde = *form.VerliezersKnockout();
        std::vector<int> open;
        for (int m = 0; m < ronde.AantalWedstrijden(0); ++m)
            if (ronde.Wedstrijd(0, m)->IsSpeelbaar() && ronde.Wedstrijd(0, m)->ScoreBoven() < 0)
                open.push_back(m);
        if (open.size() < 2) {
            std::fprintf(stderr, "no two open matches in the losers' round\n");
            return 1;
        }
        hoofd.Document().ZetAfloop(2, 0, open[0], {TAfloop::Walkover, 1});
        hoofd.Document().ZetAfloop(2, 0, open[1], {TAfloop::Opgegeven, 0, 2, 1});
        const TDeelnemer* weg = ronde.Wedstrijd(0, open[0])->Winnaar();
        const TDeelnemerLijst& lijst = hoofd.Document().Deelnemers();
        for (std::size_t i = 0; i < lijst.size(); ++i)
            if (lijst[i].get() == weg)
                hoofd.Document().ZetTeruggetrokken(static_cast<int>(i), true);
        if (dialoog) {
            TInputEindstandDialog venster(&form);
            QTimer::singleShot(800, &venster, [&venster, bestand] {
                venster.grab().save(bestand, "PNG");
                venster.reject();
            });
            venster.ToonVoorWedstrijd(*ronde.Wedstrijd(0, open[1]));
            return 0;
        }
    }
    form.PageControl->setCurrentIndex(verliezers || afloop ? 1 : 0);
    form.resize(1000, 520);
    form.show();
    form.raise();
    form.activateWindow();
    wacht(800);

    QPixmap beeld;
    if (QScreen* scherm = form.screen())
        beeld = scherm->grabWindow(form.winId());
    if (beeld.isNull()) {
        std::fprintf(stderr, "screen grab failed, rendering the window instead\n");
        beeld = form.grab();
    }
    if (!beeld.save(bestand, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(bestand));
        return 1;
    }
    std::printf("%s: %dx%d\n", qPrintable(bestand), beeld.width(), beeld.height());
    return 0;
}
