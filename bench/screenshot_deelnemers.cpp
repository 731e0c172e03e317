// Not a benchmark: shows the participant window of a club list with clubs
// and seeds and saves a screenshot of it; with a second argument "dialoog"
// the participant dialog over it, changing a seeded player.
// Usage: screenshot_deelnemers <file.png> [venster|dialoog]
// Run it on a real display (scripts/screenshot-deelnemers.sh uses xvfb-run).
#include "app/Application.h"
#include "app/MainForm.h"
#include "model/ToernooiDocument.h"
#include "participants/DeelnemersForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QPushButton>
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

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The recovery files go to the test folders, never where the program
    // finds them at its next start.
    QStandardPaths::setTestModeEnabled(true);
    initialiseApplication(app);
    const QString bestand =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/deelnemers.png");
    const QByteArray soort = argc > 2 ? QByteArray(argv[2]) : QByteArray("venster");

    TMainForm hoofd;
    TToernooiDocument& document = hoofd.Document();
    const Deelnemerslijst::TNamen namen{{"Jeffrey", "Hoffmann", "BC De Shuttle '78", 1},
                                        {"Jan", "van der Berg", "Smash Zoetermeer", 2},
                                        {"Anna", "de Vries", "BC De Shuttle '78", 3},
                                        {"Émile", "Dubois", "Velo", 12},
                                        {"Carla", "Smit", "Smash Zoetermeer"},
                                        {"Bartholomeus", "van den Heuvel"},
                                        {"Zoë", "Aarts", "Badmintonvereniging Amersfoort"}};
    document.ImporteerNamen(namen);
    TDeelnemersForm& form = *hoofd.DeelnemersForm;
    form.show();
    form.raise();
    form.activateWindow();
    form.SelecteerRij(3);
    wacht(800);
    if (soort == "dialoog") {
        QTimer::singleShot(800, [&] {
            QWidget* dialoog = QApplication::activeModalWidget();
            const bool goed = dialoog && bewaar(dialoog, bestand);
            if (dialoog)
                dialoog->close();
            QCoreApplication::exit(goed ? 0 : 1);
        });
        form.BewerkBitBtn->click();
        return 0;
    }
    return bewaar(&form, bestand) ? 0 : 1;
}
