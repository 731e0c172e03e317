// Not a benchmark: shows the pools window of a small tournament with pool
// matches, most of them played, and saves a screenshot of it; with a second
// argument "uitslag" the score dialog over it, with "indeling" the pool
// division dialog, with "eigen" that with a custom order; "afloop" shows
// pool 1 with a w.o., a retirement and a withdrawal, "afloopuitslag" the
// score dialog of that retirement.
// Usage: screenshot_pools <file.png> [poules|uitslag|indeling|eigen|afloop|afloopuitslag]
// Run it on a real display (scripts/screenshot-pools.sh uses xvfb-run).
#include "app/Application.h"
#include "app/MainForm.h"
#include "model/RandomSource.h"
#include "model/ToernooiDocument.h"
#include "pools/PouleIndelingForm.h"
#include "pools/PoulesForm.h"
#include "pools/TellingKeuze.h"

#include <QApplication>
#include <QStandardPaths>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace {

void wacht(int ms) {
    QElapsedTimer klok;
    klok.start();
    while (klok.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool bewaar(QWidget* venster, const QString& bestand) {
    QPixmap beeld;
    if (QScreen* scherm = venster->screen())
        beeld = scherm->grabWindow(venster->winId());
    if (beeld.isNull())
        beeld = venster->grab();
    if (!beeld.save(bestand, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(bestand));
        return false;
    }
    std::printf("%s: %dx%d\n", qPrintable(bestand), beeld.width(), beeld.height());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The recovery files of this tournament go to the test folders, never
    // where the program finds them at its next start.
    QStandardPaths::setTestModeEnabled(true);
    initialiseApplication(app);
    const QString bestand =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/poules.png");
    const QByteArray soort = argc > 2 ? QByteArray(argv[2]) : QByteArray("poules");
    setRandomSource(std::make_unique<ClockSeededRandomSource>([] { return std::uint64_t{13}; }));

    TMainForm hoofd;
    TToernooiDocument& document = hoofd.Document();
    const char* namen[] = {"Anna de Vries",    "Bram Jansen",  "Cor Bakker",    "Daan Visser",
                           "Eva Smit",         "Femke Mulder", "Gijs de Boer",  "Hanna Bos",
                           "Ilse Vos",         "Joost Peters", "Kees Hendriks", "Lotte Dekker",
                           "Berg, Jan van der"};
    for (const char* naam : namen) {
        const QString tekst = QString::fromUtf8(naam);
        const qsizetype spatie = tekst.indexOf(u' ');
        document.VoegDeelnemerToe(tekst.left(spatie), tekst.mid(spatie + 1));
    }
    if (soort == "indeling" || soort == "eigen") {
        if (soort == "eigen")
            hoofd.PouleIndelingForm->TellingKeuze->SysteemComboBox->setCurrentIndex(3);
        QTimer::singleShot(800, [&] {
            QWidget* dialoog = QApplication::activeModalWidget();
            const bool goed = dialoog && bewaar(dialoog, bestand);
            if (dialoog)
                dialoog->close();
            QCoreApplication::exit(goed ? 0 : 1);
        });
        hoofd.PouleIndelingForm->KiesIndeling(13);
        return 0;
    }
    // One pool of five, two of four.
    document.StartPoules(TPouleIndeling(4, 2, 5, 1));
    // Every match of pool 1 but the last; the first-named wins in two games.
    const auto& poule = document.PouleWedstrijden().Poules.front();
    for (int i = 0; i + 1 < static_cast<int>(poule.Wedstrijden.size()); ++i)
        document.ZetPouleUitslag(1, i, {{21, 15 + i % 5}, {23, 21}});
    const bool afloop = soort.startsWith("afloop");
    if (afloop) {
        document.ZetPouleAfloop(1, 1, TAfloop::Walkover, 1);
        document.ZetPouleAfloop(1, 3, TAfloop::Opgegeven, 0, {{21, 17}, {5, 3}});
        document.ZetTeruggetrokken(poule.Wedstrijden.back().A, true);
    }
    TPoulesForm& form = *hoofd.PoulesForm;
    form.show();
    form.raise();
    form.activateWindow();
    form.WedstrijdenPaneel->SelecteerWedstrijd(2);
    wacht(800);
    if (soort == "uitslag" || soort == "afloopuitslag") {
        QTimer::singleShot(800, [&] {
            QWidget* dialoog = QApplication::activeModalWidget();
            const bool goed = dialoog && bewaar(dialoog, bestand);
            if (dialoog)
                dialoog->close();
            QCoreApplication::exit(goed ? 0 : 1);
        });
        form.VraagUitslag(afloop ? 3 : 2);
        return 0;
    }
    return bewaar(&form, bestand) ? 0 : 1;
}
