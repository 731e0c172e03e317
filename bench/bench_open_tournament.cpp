// Times opening a 4,096-participant direct-knockout tournament (stage 3)
// through the main window, as the open button does once the file is chosen:
// from the call until the shown windows have painted. Exits non-zero only
// when the tournament does not come back complete, never because of time.
#include "app/MainForm.h"
#include "knockout/KnockoutForm.h"
#include "model/Knockout.h"
#include "model/MessageService.h"
#include "model/RandomSource.h"
#include "model/Toernooi.h"
#include "model/ToernooiDocument.h"
#include "participants/DeelnemersForm.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int Aantal = 4096;
constexpr int Herhalingen = 5;

// Answers the open dialog with the benchmark's file; any other box is a
// failure of the load and counted.
class Antwoorden : public MessageService {
public:
    explicit Antwoorden(QString pad)
        : m_pad(std::move(pad)) {}
    int Meldingen = 0;

    void information(const QString&, int) override { ++Meldingen; }
    void warning(const QString&, int) override { ++Meldingen; }
    void error(const QString&, int) override { ++Meldingen; }
    Answer informationOkCancel(const QString&, int) override {
        ++Meldingen;
        return Answer::Cancel;
    }
    Answer confirm(const QString&, Buttons, int) override {
        ++Meldingen;
        return Answer::No;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    QString openFile(const FileDialogRequest&) override { return m_pad; }
    QString saveFile(const FileDialogRequest&) override { return {}; }

private:
    QString m_pad;
};

// A direct knockout as the program saves it: the participants in the random
// order of the draw, the first round half played.
QByteArray MaakBestand() {
    TToernooi toernooi;
    toernooi.Programmastatus = psDirectKnockout;
    std::mt19937 rng(4096);
    std::vector<int> volgorde(Aantal);
    for (int i = 0; i < Aantal; ++i)
        volgorde[i] = i;
    std::shuffle(volgorde.begin(), volgorde.end(), rng);
    for (const int i : volgorde) {
        auto d = std::make_unique<TDeelnemer>(QStringLiteral("Speler %1").arg(i * 7919 % Aantal),
                                              QStringLiteral("van Club %1").arg(i % 97));
        d->KnockoutNr = 1;
        toernooi.Lijst.push_back(std::move(d));
    }
    toernooi.Winnaars = std::make_unique<TKnockout>(toernooi.Lijst, 1, TKnockout::LootWillekeurig);
    toernooi.Verliezers =
        std::make_unique<TKnockout>(toernooi.Lijst, 2, TKnockout::LootWillekeurig);
    for (int m = 0; m < toernooi.Winnaars->AantalWedstrijden(0); m += 2)
        toernooi.Winnaars->Wedstrijd(0, m)->ZetEindstand(3, 1);
    return toernooi.Bewaar();
}

bool IsGesorteerd(const TDeelnemersForm& form) {
    for (int rij = 2; rij <= form.RowCount() - 2; ++rij) {
        if (form.Cel(0, rij - 1) + form.Cel(1, rij - 1) > form.Cel(0, rij) + form.Cel(1, rij))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    auto vorigeBron =
        setRandomSource(std::make_unique<ClockSeededRandomSource>([] { return std::uint64_t{7}; }));

    QTemporaryDir map;
    const QString pad = map.filePath(QStringLiteral("groot.txt"));
    QFile bestand(pad);
    if (!map.isValid() || !bestand.open(QIODevice::WriteOnly) ||
        bestand.write(MaakBestand()) <= 0 || !bestand.flush())
        return 1;
    bestand.close();

    auto* antwoorden = new Antwoorden(pad);
    auto vorigeMeldingen = setMessageService(std::unique_ptr<MessageService>(antwoorden));

    bool goed = true;
    std::vector<double> tijden;
    {
        TMainForm hoofd;
        hoofd.show();
        QCoreApplication::processEvents();
        for (int h = 0; h < Herhalingen; ++h) {
            // Dropping the previous tournament is not part of the figure.
            hoofd.NieuwToernooi();
            QCoreApplication::processEvents();

            const auto begin = std::chrono::steady_clock::now();
            const bool geopend = hoofd.OpenToernooi();
            QCoreApplication::processEvents();
            const auto einde = std::chrono::steady_clock::now();
            tijden.push_back(std::chrono::duration<double, std::milli>(einde - begin).count());

            const TKnockout* winnaars = hoofd.KnockoutForm->WinnaarsKnockout();
            goed = goed && geopend && antwoorden->Meldingen == 0 &&
                   hoofd.Document().Programmastatus() == psDirectKnockout &&
                   hoofd.DeelnemersForm->isVisible() && hoofd.KnockoutForm->isVisible() &&
                   hoofd.DeelnemersForm->RowCount() == Aantal + 2 &&
                   IsGesorteerd(*hoofd.DeelnemersForm) && winnaars &&
                   winnaars->Aantal() == Aantal && winnaars->IsVolledig();
        }
    }
    std::sort(tijden.begin(), tijden.end());
    std::printf("%-58s median %8.1f ms  max %8.1f ms  (target < 300 ms)%s\n",
                "open 4096-participant stage-3 tournament, windows shown",
                tijden[tijden.size() / 2], tijden.back(), goed ? "" : "  WRONG RESULT");

    setMessageService(std::move(vorigeMeldingen));
    setRandomSource(std::move(vorigeBron));
    return goed ? 0 : 1;
}
