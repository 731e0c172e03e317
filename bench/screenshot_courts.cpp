// Not a benchmark: shows the courts window of a small tournament with its
// day planned and a few scores in, and saves a screenshot of it; with a
// second argument "verplaatsen" the move dialog over it, with "instellingen"
// the settings dialog, with "presentatie" the presentation's courts page and
// with "oproep" a call on it.
// Usage: screenshot_courts <file.png> [banen|verplaatsen|instellingen|presentatie|oproep]
// Run it on a real display (scripts/screenshot-courts.sh uses xvfb-run).
#include "app/Application.h"
#include "app/MainForm.h"
#include "app/PresentatieForm.h"
#include "courts/BanenForm.h"
#include "model/RandomSource.h"
#include "model/ToernooiDocument.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QStandardPaths>
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

// Saves the modal dialog that the next call opens, and closes it.
void bewaarDialoog(const QString& bestand) {
    QTimer::singleShot(800, [bestand] {
        QWidget* dialoog = QApplication::activeModalWidget();
        const bool goed = dialoog && bewaar(dialoog, bestand);
        if (dialoog)
            dialoog->close();
        QCoreApplication::exit(goed ? 0 : 1);
    });
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    initialiseApplication(app);
    const QString bestand =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/banen.png");
    const QByteArray soort = argc > 2 ? QByteArray(argv[2]) : QByteArray("banen");
    setRandomSource(std::make_unique<ClockSeededRandomSource>([] { return std::uint64_t{13}; }));

    TMainForm hoofd;
    TToernooiDocument& document = hoofd.Document();
    // The day's clock runs as the matches are played.
    int minuut = 0;
    document.ZetKlok(
        [&minuut] { return QDateTime(QDate(2026, 3, 14), QTime(9, 0).addSecs(minuut * 60)); });
    const char* namen[] = {"Jeffrey Hoffmann", "Berg, Jan van der", "Piet Bakker",   "Jan de Vries",
                           "Fatima el Amrani", "Anouk Jansen-Smit", "Sven Dijkstra", "Lotte Meijer",
                           "Kees Hendriks",    "Hanna Bos",         "Joost Peters",  "Ilse Vos"};
    for (const char* naam : namen) {
        const QString tekst = QString::fromUtf8(naam);
        const qsizetype spatie = tekst.indexOf(u' ');
        document.VoegDeelnemerToe(tekst.left(spatie), tekst.mid(spatie + 1));
    }
    document.StartPoules(TPouleIndeling(4, 3, 4, 0));
    Planning::TDagInstellingen instellingen;
    instellingen.Plan.Banen = 3;
    instellingen.Baannamen = QStringList{QString(), QString(), QStringLiteral("Tafel 3")};
    instellingen.Plan.Pauzes = {{120, 150}};
    document.ZetDagInstellingen(instellingen);
    document.MaakPlanning();

    TBanenForm& form = *hoofd.BanenForm;
    form.show();
    wacht(300);
    for (int baan = 0; baan < 3; ++baan)
        if (form.Stand().at(std::size_t(baan)).Nu < 0 &&
            form.Stand().at(std::size_t(baan)).Volgende >= 0)
            document.RoepOp(form.Overzicht()
                                .Wedstrijden[std::size_t(form.Stand()[std::size_t(baan)].Volgende)]
                                .Plek,
                            baan);
    wacht(100);
    // Two scores in: their courts have their next matches.
    for (int baan : {0, 2}) {
        const int nu = form.Stand().at(std::size_t(baan)).Nu;
        if (nu >= 0) {
            minuut = 21;
            const auto plek = form.Overzicht().Wedstrijden[std::size_t(nu)].Plek;
            document.ZetPouleUitslag(plek.Poule, plek.Nummer, {{21, 17}, {21, 19}});
            wacht(100);
        }
    }
    form.raise();
    form.activateWindow();
    wacht(800);
    if (soort == "verplaatsen" || soort == "instellingen") {
        bewaarDialoog(bestand);
        if (soort == "verplaatsen") {
            form.KiesWedstrijd(form.Stand().at(1).Volgende);
            form.VerplaatsBitBtnClick();
        } else {
            form.InstellingenBitBtnClick();
        }
        return 0;
    }
    if (soort == "presentatie" || soort == "oproep") {
        TPresentatieForm& presentatie = *hoofd.PresentatieForm;
        presentatie.Open(&hoofd);
        for (std::size_t i = 0; i < presentatie.Paginas().size(); ++i)
            if (presentatie.Paginas()[i].knockoutNr == TPresentatieForm::BanenPagina)
                while (presentatie.HuidigePagina() != static_cast<int>(i))
                    presentatie.VolgendePagina();
        if (soort == "oproep")
            form.OproepenBitBtnClick();
        wacht(800);
        return bewaar(&presentatie, bestand) ? 0 : 1;
    }
    return bewaar(&form, bestand) ? 0 : 1;
}
