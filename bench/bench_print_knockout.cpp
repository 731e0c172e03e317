// Times a played-out bracket of 1,024 and one of 4,096 participants printed
// to a PDF file on A4, tiled: the layout, the drawing and the written file.
// Exits non-zero only when the file is missing or its page count is wrong,
// never because of time. With a folder as argument the PDFs stay there.
#include "model/Knockout.h"
#include "print/Afdruk.h"
#include "print/KnockoutAfdruk.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

TDeelnemerLijst Lijst(int aantal) {
    TDeelnemerLijst lijst;
    for (int i = 0; i < aantal; ++i) {
        lijst.push_back(std::make_unique<TDeelnemer>(QStringLiteral("Speler"),
                                                     QStringLiteral("Nummer %1").arg(i)));
        lijst.back()->Poule = i / 8 + 1;
        lijst.back()->Positie = i % 8 + 1;
        lijst.back()->KnockoutNr = 1;
    }
    return lijst;
}

void SpeelUit(TKnockout& knockout) {
    for (int ronde = 0; ronde < knockout.AantalRondes(); ++ronde)
        for (int nummer = 0; nummer < knockout.AantalWedstrijden(ronde); ++nummer)
            if (knockout.Wedstrijd(ronde, nummer)->IsSpeelbaar())
                knockout.Wedstrijd(ronde, nummer)->ZetEindstand(3, nummer % 3);
}

bool Meet(int aantal, int herhalingen, double doel, const QString& map) {
    TDeelnemerLijst lijst = Lijst(aantal);
    TKnockout knockout(lijst, 1, TKnockout::LootWillekeurig);
    SpeelUit(knockout);
    const Afdruk::TKop kop{QStringLiteral("Benchmark"), {}, QDateTime::currentDateTime()};
    const QString pad = QDir(map).filePath(QStringLiteral("knockout-%1.pdf").arg(aantal));
    std::vector<double> tijden;
    int bladen = 0;
    bool goed = true;
    for (int h = 0; h < herhalingen && goed; ++h) {
        const auto begin = std::chrono::steady_clock::now();
        TKnockoutAfdruk document(knockout, kop);
        goed = Afdruk::BewaarPdf(document, pad);
        const auto einde = std::chrono::steady_clock::now();
        tijden.push_back(std::chrono::duration<double, std::milli>(einde - begin).count());
        bladen = document.Opmaken(Afdruk::Romp(Afdruk::StandaardLayout()));
    }
    goed = goed && bladen > 1 && QFileInfo(pad).size() > 0;
    std::sort(tijden.begin(), tijden.end());
    std::printf("bracket of %5d, played out, to PDF (A4, tiled, %3d pages)  median %8.2f ms  "
                "max %8.2f ms  (target < %.0f ms)%s\n",
                aantal, bladen, tijden[tijden.size() / 2], tijden.back(), doel,
                goed ? "" : "  WRONG RESULT");
    return goed;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QTemporaryDir tijdelijk;
    const QString map = argc > 1 ? QString::fromLocal8Bit(argv[1]) : tijdelijk.path();
    QDir().mkpath(map);
    const bool goed = Meet(1024, 5, 1500, map) && Meet(4096, 3, 6000, map);
    return goed ? 0 : 1;
}
