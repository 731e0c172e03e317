// Times the pool sheets of 512 pools of eight printed to a PDF file on A4:
// the layout, the drawing and the written file; then the match sheets of
// the same pools with every score entered. Exits non-zero only when
// the file is missing, never because of time. With a folder as argument
// the PDF stays there.
#include "print/Afdruk.h"
#include "print/PoulesAfdruk.h"
#include "print/WedstrijdbladAfdruk.h"

#include "model/Poules.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    constexpr int AantalPoules = 512;
    constexpr int Grootte = 8;
    constexpr int Herhalingen = 5;
    QTemporaryDir tijdelijk;
    const QString map = argc > 1 ? QString::fromLocal8Bit(argv[1]) : tijdelijk.path();
    QDir().mkpath(map);
    const QString pad = QDir(map).filePath(QStringLiteral("poules-512.pdf"));

    TDeelnemerLijst lijst;
    for (int i = 0; i < AantalPoules * Grootte; ++i) {
        lijst.push_back(std::make_unique<TDeelnemer>(QStringLiteral("Speler"), QString::number(i)));
        lijst.back()->Poule = i % AantalPoules + 1;
    }
    const Afdruk::TKop kop{QStringLiteral("Benchmark"), {}, QDateTime::currentDateTime()};
    std::vector<double> tijden;
    int bladen = 0;
    bool goed = true;
    for (int h = 0; h < Herhalingen && goed; ++h) {
        const auto begin = std::chrono::steady_clock::now();
        TPoulesAfdruk document(lijst, kop);
        goed = Afdruk::BewaarPdf(document, pad);
        const auto einde = std::chrono::steady_clock::now();
        tijden.push_back(std::chrono::duration<double, std::milli>(einde - begin).count());
        bladen = document.Opmaken(Afdruk::Romp(Afdruk::StandaardLayout()));
    }
    goed = goed && QFileInfo(pad).size() > 0;
    std::sort(tijden.begin(), tijden.end());
    std::printf(
        "pool sheets, 512 pools of 8, to PDF (A4, %3d pages)  median %8.2f ms  max %8.2f ms  "
        "(target < 2000 ms)%s\n",
        bladen, tijden[tijden.size() / 2], tijden.back(), goed ? "" : "  WRONG RESULT");

    Poulewedstrijden::TPoulewedstrijden wedstrijden;
    for (int poule = 1; poule <= AantalPoules; ++poule) {
        auto& schema = wedstrijden.Poules.emplace_back().Wedstrijden;
        schema = Poulewedstrijden::MaakSchema(Poules::Leden(lijst, poule));
        for (std::size_t w = 0; w < schema.size(); ++w)
            schema[w].Games = {{21, int(w % 20)}, {int(w % 20), 21}, {21, 19}};
    }
    const QString wedstrijdPad = QDir(map).filePath(QStringLiteral("wedstrijden-512.pdf"));
    tijden.clear();
    for (int h = 0; h < Herhalingen && goed; ++h) {
        const auto begin = std::chrono::steady_clock::now();
        TWedstrijdbladAfdruk document(lijst, wedstrijden, kop);
        goed = Afdruk::BewaarPdf(document, wedstrijdPad);
        const auto einde = std::chrono::steady_clock::now();
        tijden.push_back(std::chrono::duration<double, std::milli>(einde - begin).count());
        bladen = document.Opmaken(Afdruk::Romp(Afdruk::StandaardLayout()));
    }
    goed = goed && QFileInfo(wedstrijdPad).size() > 0;
    std::sort(tijden.begin(), tijden.end());
    std::printf(
        "match sheets, 512 pools of 8, every score (A4, %3d pages)  median %8.2f ms  max %8.2f ms"
        "%s\n",
        bladen, tijden[tijden.size() / 2], tijden.back(), goed ? "" : "  WRONG RESULT");
    return goed ? 0 : 1;
}
