// Saving and opening tournaments through the main window: the file dialogs
// answered by the test, the real windows filled in from the file.
#include "app/Application.h"
#include "app/MainForm.h"
#include "ui/Paths.h"
#include "knockout/KnockoutForm.h"
#include "knockout/KnockoutView.h"
#include "model/Knockout.h"
#include "model/ToernooiDocument.h"
#include "participants/DeelnemersForm.h"
#include "pools/PouleControls.h"
#include "pools/PoulesForm.h"
#include "support/KnockoutViews.h"
#include "support/ModalDialogDriver.h"
#include "support/ScriptedMessageService.h"
#include "support/TestMain.h"
#include "support/ToernooiBeeld.h"

#include <QDir>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

const QString LaadFout =
    QStringLiteral("Er is een fout opgetreden bij het laden van het toernooi.");

QStringList Beeld(const TMainForm& hoofd) {
    const bool knockouts = hoofd.Document().Programmastatus() == psKnockout ||
                           hoofd.Document().Programmastatus() == psDirectKnockout;
    return ToernooiBeeld(hoofd.Document().Programmastatus(), hoofd.Document().Deelnemers(),
                         knockouts ? hoofd.KnockoutForm->WinnaarsKnockout() : nullptr,
                         knockouts ? hoofd.KnockoutForm->VerliezersKnockout() : nullptr);
}

// What the program showed besides file dialogs.
QStringList Meldingen(const ScriptedMessageService& berichten) {
    QStringList teksten;
    for (const MessageCall& call : berichten.calls())
        if (call.kind != MessageKind::OpenFile && call.kind != MessageKind::SaveFile)
            teksten << call.text;
    return teksten;
}

// The participant window's grid, which shows the names sorted.
QStringList Namen(const TMainForm& hoofd) {
    QStringList namen;
    for (int rij = 1; rij < hoofd.DeelnemersForm->RowCount() - 1; ++rij)
        namen << hoofd.DeelnemersForm->Cel(0, rij) + u'|' + hoofd.DeelnemersForm->Cel(1, rij);
    return namen;
}

QByteArray Inhoud(const QString& pad) {
    QFile bestand(pad);
    return bestand.open(QIODevice::ReadOnly) ? bestand.readAll() : QByteArray();
}

void Schrijf(const QString& pad, const QByteArray& inhoud) {
    QFile bestand(pad);
    QVERIFY(bestand.open(QIODevice::WriteOnly));
    bestand.write(inhoud);
}

// Plays the playable matches of the first `rondes` rounds, through the document.
void Speel(TToernooiDocument& document, const TKnockout& knockout, int rondes) {
    for (int r = 0; r < std::min(rondes, knockout.AantalRondes()); ++r) {
        for (int m = 0; m < knockout.AantalWedstrijden(r); ++m) {
            if (knockout.Wedstrijd(r, m)->IsSpeelbaar())
                m % 2 ? document.ZetUitslag(knockout.KnockoutNr(), r, m, 1, 4)
                      : document.ZetUitslag(knockout.KnockoutNr(), r, m, 2, 0);
        }
    }
}

// At every show of a watched window, whether each of the windows could paint.
class Tekenbaarheid : public QObject {
public:
    Tekenbaarheid(const std::vector<QWidget*>& bekeken, const std::vector<QWidget*>& vensters)
        : m_vensters(vensters) {
        for (QWidget* venster : bekeken)
            venster->installEventFilter(this);
    }
    QList<bool> Gezien;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show)
            for (QWidget* venster : m_vensters)
                Gezien << venster->updatesEnabled();
        return false;
    }

private:
    std::vector<QWidget*> m_vensters;
};

} // namespace

class TournamentFileTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedMessages> berichten;
    std::unique_ptr<TMainForm> hoofd;
    QTemporaryDir map;
    // A fresh options file per test, so no test finds a folder of another,
    // and none writes beside itself.
    std::unique_ptr<QTemporaryDir> opties;

    QString Pad(const QString& naam) const { return map.filePath(naam); }

    void voerNamenIn(int aantal) {
        for (int i = 1; i <= aantal; ++i)
            hoofd->Document().VoegDeelnemerToe(QStringLiteral("Speler"),
                                           QStringLiteral("nr %1").arg(i));
    }

    // Through the pool division dialog: its first division, or no pools.
    void start(const QString& knop) {
        ModalDialogDriver bestuurder;
        bestuurder.click(knop);
        hoofd->StartToernooi();
        QCOMPARE(bestuurder.unexpected(), 0);
    }

    void zetPosities() {
        std::map<int, int> volgende;
        TToernooiDocument& document = hoofd->Document();
        const TDeelnemerLijst& lijst = std::as_const(document).Deelnemers();
        for (std::size_t i = 0; i < lijst.size(); ++i)
            document.ZetPositie(static_cast<int>(i), ++volgende[lijst[i]->Poule]);
    }

    void stuurDoor() {
        ModalDialogDriver bestuurder;
        bestuurder.click(QStringLiteral("OKBitBtn"));
        hoofd->StartKnockout();
        QCOMPARE(bestuurder.unexpected(), 0);
    }

    // The tournament in the given stage, partly played.
    void maakToernooi(int stage) {
        voerNamenIn(13);
        if (stage == psGeen)
            return;
        start(stage == psDirectKnockout ? QStringLiteral("DirectKnockoutBitBtn")
                                        : QStringLiteral("OKBitBtn"));
        if (stage == psPoules) {
            hoofd->Document().ZetPositie(3, 2);
            return;
        }
        if (stage == psKnockout) {
            zetPosities();
            stuurDoor();
        }
        Speel(hoofd->Document(), *hoofd->KnockoutForm->WinnaarsKnockout(), 2);
        Speel(hoofd->Document(), *hoofd->KnockoutForm->VerliezersKnockout(), 1);
    }

    bool bewaarAls(const QString& pad) {
        (*berichten)->queueFileName(pad);
        return hoofd->BewaarToernooi();
    }

    bool open(const QString& pad) {
        (*berichten)->queueFileName(pad);
        return hoofd->OpenToernooi();
    }

private Q_SLOTS:
    void init() {
        QVERIFY(map.isValid());
        opties = std::make_unique<QTemporaryDir>();
        Paths::setOptionsFileOverride(opties->filePath(QStringLiteral("zegerooster.ini")));
        berichten = std::make_unique<ScriptedMessages>();
        hoofd = std::make_unique<TMainForm>();
        hoofd->show();
    }
    void cleanup() {
        hoofd.reset();
        QCOMPARE((*berichten)->unexpected(), 0);
        berichten.reset();
        Paths::setOptionsFileOverride(QString());
        opties.reset();
    }

    void everyStageSavesAndOpensBackIdentically_data() {
        QTest::addColumn<int>("stage");
        QTest::newRow("names only") << int(psGeen);
        QTest::newRow("pools") << int(psPoules);
        QTest::newRow("knockout from pools") << int(psKnockout);
        QTest::newRow("direct knockout") << int(psDirectKnockout);
    }
    void everyStageSavesAndOpensBackIdentically() {
        QFETCH(int, stage);
        maakToernooi(stage);
        QCOMPARE(int(hoofd->Document().Programmastatus()), stage);
        const QString pad = Pad(QStringLiteral("Toernooi %1.txt").arg(stage));
        QVERIFY(bewaarAls(pad));
        QCOMPARE(hoofd->Document().Bestandsnaam(), pad);
        QVERIFY(!hoofd->Document().Gewijzigd());
        QCOMPARE(hoofd->StatusBar->currentMessage(), QStringLiteral("Toernooi %1").arg(stage));
        const QStringList voor = Beeld(*hoofd);
        const QStringList namen = Namen(*hoofd);
        const QByteArray bestand = Inhoud(pad);

        hoofd = std::make_unique<TMainForm>();
        QVERIFY(open(pad));
        QCOMPARE(hoofd->Document().Bestandsnaam(), pad);
        QVERIFY(!hoofd->Document().Gewijzigd());
        QCOMPARE(int(hoofd->Document().Programmastatus()), stage);
        if (stage != psGeen)
            QCOMPARE(Beeld(*hoofd), voor);
        QCOMPARE(Namen(*hoofd), namen);
        QCOMPARE(namen.size(), 13);
        QVERIFY(hoofd->DeelnemersForm->isVisible());
        const bool poules = stage == psPoules || stage == psKnockout;
        QCOMPARE(hoofd->PoulesForm->isVisible(), poules);
        if (poules)
            QCOMPARE(hoofd->PoulesForm->PoulesTabControl->AantalTabs(), 3);
        const bool knockouts = stage >= psKnockout;
        QCOMPARE(hoofd->KnockoutForm->isVisible(), knockouts);
        if (knockouts)
            QVERIFY(WinnaarsView(*hoofd->KnockoutForm) != nullptr);

        // A list without pools is saved in a fresh shuffle every time.
        const QString opnieuw = Pad(QStringLiteral("Opnieuw %1.txt").arg(stage));
        QVERIFY(bewaarAls(opnieuw));
        if (stage != psGeen)
            QCOMPARE(Inhoud(opnieuw), bestand);
        QVERIFY(Meldingen(**berichten).isEmpty());
    }

    // A load shows and fills the windows; none paints before the tournament
    // is complete, and all paint again afterwards, also after a bad file.
    void windowsPaintOnlyTheCompleteTournament() {
        maakToernooi(psKnockout);
        const QString pad = Pad(QStringLiteral("Compleet.txt"));
        QVERIFY(bewaarAls(pad));
        const QString kapot = Pad(QStringLiteral("Zonder einde.txt"));
        Schrijf(kapot, Inhoud(pad).replace("#Einde", "#Eind"));
        hoofd = std::make_unique<TMainForm>();
        hoofd->show();
        const std::vector<QWidget*> vensters{hoofd->DeelnemersForm, hoofd->PoulesForm,
                                             hoofd->KnockoutForm};
        for (const QString& bestand : {pad, kapot}) {
            // The participant window is shown before the load starts.
            Tekenbaarheid spion({hoofd->PoulesForm, hoofd->KnockoutForm}, vensters);
            QCOMPARE(open(bestand), bestand == pad);
            // The pools and knockout windows are shown by a good file; a bad one
            // keeps the open tournament and its windows as they were.
            QCOMPARE(spion.Gezien, QList<bool>(bestand == pad ? 6 : 0, false));
            for (QWidget* venster : vensters)
                QVERIFY(venster->updatesEnabled());
        }
        QCOMPARE(Meldingen(**berichten).size(), 1); // the bad file
    }

    void theDialogsStartFromTheCurrentFile() {
        maakToernooi(psGeen);
        const QString pad = Pad(QStringLiteral("Clubkampioenschap.txt"));
        QVERIFY(bewaarAls(pad));
        QVERIFY(open(pad));
        const auto& calls = (*berichten)->calls();
        QCOMPARE(calls.size(), 2);
        const FileDialogRequest& bewaar = calls[0].file;
        QCOMPARE(bewaar.title, QStringLiteral("Toernooi bewaren"));
        QCOMPARE(bewaar.filter,
                 QStringLiteral("Toernooien (*.txt)|*.txt|Alle bestanden (*.*)|*.*"));
        QCOMPARE(bewaar.defaultSuffix, QStringLiteral("txt"));
        QCOMPARE(bewaar.helpContext, 1006);
        QVERIFY(!bewaar.directory.isEmpty());
        const FileDialogRequest& open = calls[1].file;
        QCOMPARE(open.title, QStringLiteral("Toernooi openen"));
        QVERIFY(open.mustExist);
        QCOMPARE(QDir(open.directory), QDir(map.path()));
        QCOMPARE(open.fileName, QStringLiteral("Clubkampioenschap.txt"));
    }

    // Without a current file: the folder of the last tournament, kept over a
    // restart, else the documents folder; never the program's own folder.
    void theDialogsStartInTheLastTournamentFolder() {
        maakToernooi(psGeen);
        const QString sub = Pad(QStringLiteral("Club 2026"));
        QVERIFY(QDir().mkpath(sub));
        QVERIFY(bewaarAls(sub + QStringLiteral("/Voorjaar.txt")));
        const FileDialogRequest eerste = (*berichten)->calls().constLast().file;
        QCOMPARE(eerste.directory, Paths::dialogStartFolder(QString()));
        QVERIFY(QDir(eerste.directory) != QDir(Paths::executableFolder()));

        hoofd = std::make_unique<TMainForm>();
        (*berichten)->queueFileName(QString());
        QVERIFY(!hoofd->OpenToernooi());
        QCOMPARE((*berichten)->calls().constLast().file.directory, sub);
        QCOMPARE((*berichten)->calls().constLast().file.fileName, QString());
    }

    // What a file named on the command line goes through.
    void loadingANamedFileAsksNothingAndReportsAFailure() {
        maakToernooi(psPoules);
        const QString pad = Pad(QStringLiteral("Genoemd.txt"));
        QVERIFY(bewaarAls(pad));
        hoofd = std::make_unique<TMainForm>();
        (*berichten)->clear();
        QVERIFY(hoofd->LaadToernooi(pad));
        QCOMPARE(int(hoofd->Document().Programmastatus()), int(psPoules));
        QCOMPARE(hoofd->Document().Bestandsnaam(), pad);
        QVERIFY((*berichten)->calls().isEmpty());
    }

    // A file that cannot be read at all says why, with its name.
    void aFileThatCannotBeReadSaysWhy_data() {
        QTest::addColumn<QString>("naam");
        QTest::addColumn<QString>("reden");
        QTest::newRow("missing") << "Bestaat niet.txt"
                                 << "bestaat niet.";
        QTest::newRow("a folder") << "Map.txt"
                                  << "is een map, geen bestand.";
        QTest::newRow("no permission") << "Geheim.txt"
                                       << "geen toestemming";
    }
    void aFileThatCannotBeReadSaysWhy() {
        QFETCH(QString, naam);
        QFETCH(QString, reden);
        const QString pad = Pad(naam);
        if (naam == u"Map.txt")
            QDir().mkpath(pad);
        if (naam == u"Geheim.txt") {
            if (geteuid() == 0)
                QSKIP("root reads every file");
            Schrijf(pad, "#Programmastatus\r\n");
            QFile::setPermissions(pad, QFile::WriteOwner);
        }
        hoofd = std::make_unique<TMainForm>();
        QVERIFY(!hoofd->LaadToernooi(pad));
        const QString melding = Meldingen(**berichten).value(0);
        QVERIFY2(melding.startsWith(LaadFout) && melding.contains(reden) &&
                     melding.contains(QDir::toNativeSeparators(pad)),
                 qPrintable(melding));
        QVERIFY(hoofd->Document().Deelnemers().empty());
        QVERIFY(hoofd->Document().Bestandsnaam().isEmpty());
    }

    void overwritingAsksFirst() {
        maakToernooi(psGeen);
        const QString pad = Pad(QStringLiteral("Bestaand.txt"));
        Schrijf(pad, "oud");
        (*berichten)->queueAnswer(Answer::No);
        QVERIFY(!bewaarAls(pad));
        QCOMPARE(Inhoud(pad), QByteArray("oud"));
        QVERIFY(hoofd->Document().Bestandsnaam().isEmpty());
        QCOMPARE((*berichten)->calls().last().text,
                 QStringLiteral("Wilt u het bestaande bestand overschrijven?"));
        QCOMPARE((*berichten)->calls().last().buttons, Buttons::YesNo);
        (*berichten)->queueAnswer(Answer::Yes);
        QVERIFY(bewaarAls(pad));
        QVERIFY(Inhoud(pad).startsWith("#Programmastatus\r\n0\r\n"));
    }

    void nothingToSaveAndCancelledDialogsChangeNothing() {
        QVERIFY(!hoofd->BewaarToernooi());
        QCOMPARE((*berichten)->texts(),
                 QStringList{"Het toernooi heeft nog geen enkele deelnemer."});
        QCOMPARE((*berichten)->calls().last().helpContext, 1006);

        maakToernooi(psPoules);
        const QStringList voor = Beeld(*hoofd);
        QVERIFY(!bewaarAls(QString()));
        QVERIFY(!open(QString()));
        QVERIFY(!open(Pad(QStringLiteral("bestaat niet.txt"))));
        QVERIFY((*berichten)->texts().last().startsWith(LaadFout));
        QCOMPARE((*berichten)->calls().last().helpContext, 0);
        QCOMPARE(Beeld(*hoofd), voor);
        QVERIFY(hoofd->Document().Gewijzigd());
    }

    // The tournament that was open survives a file that fails to load: the
    // organiser may well have answered "Nee" to saving it first.
    void aFailedLoadKeepsTheOpenTournament() {
        maakToernooi(psDirectKnockout);
        const QStringList voor = Beeld(*hoofd);
        const QString pad = Pad(QStringLiteral("Kapot.txt"));
        Schrijf(pad, "#Programmastatus\r\n1\r\n#Deelnemer\r\nJan\r\nJansen\r\n0\r\n-1\r\n0\r\n"
                     "#Deelnemer\r\nJan\r\nJansen\r\n");
        QVERIFY(!open(pad));
        QCOMPARE((*berichten)->texts().last(),
                 LaadFout + "\n\r\n\rRegelnummer: 11\n\rFoutmelding: Er bestaat al een "
                            "deelnemer met deze naam.");
        QCOMPARE((*berichten)->calls().last().helpContext, 1006);
        QCOMPARE(Beeld(*hoofd), voor);
        QCOMPARE(hoofd->Document().Programmastatus(), psDirectKnockout);
        QVERIFY(hoofd->Document().Bestandsnaam().isEmpty());
        QVERIFY(hoofd->Document().Gewijzigd());
        QVERIFY(hoofd->KnockoutForm->isVisible());
        QVERIFY(hoofd->KnockoutBitBtn->isEnabled());
        QVERIFY(WinnaarsView(*hoofd->KnockoutForm));
    }

    // Pool matches that cannot be read are not dropped unasked: "Nee"
    // keeps the open tournament, "Ja" opens the file without them.
    void unreadablePoolMatchesAskBeforeTheyGo() {
        maakToernooi(psDirectKnockout);
        const QStringList voor = Beeld(*hoofd);
        TToernooiDocument bron;
        bron.ImporteerNamen({{"Jeffrey", "Hoffmann"}, {"Jan van der", "Berg"}});
        bron.StartPoules(TPouleIndeling(2, 1, 0, 0));
        QVERIFY(bron.ZetPouleUitslag(1, 0, {{21, 19}, {30, 28}}));
        const QString pad = Pad(QStringLiteral("Poulewedstrijden.txt"));
        Schrijf(pad, bron.Bestand().replace("#Uitbreiding 1", "#Uitbreiding 2"));
        for (const Answer antwoord : {Answer::No, Answer::Yes}) {
            (*berichten)->queueAnswer(antwoord);
            QCOMPARE(open(pad), antwoord == Answer::Yes);
            const MessageCall vraag = (*berichten)->calls().last();
            QCOMPARE(vraag.buttons, Buttons::YesNo);
            QVERIFY2(vraag.text.contains("Regelnummer: 16") && vraag.text.contains("versie 2") &&
                         vraag.text.contains("zonder de poulewedstrijden"),
                     qPrintable(vraag.text));
            if (antwoord == Answer::No)
                QCOMPARE(Beeld(*hoofd), voor);
        }
        QCOMPARE(hoofd->Document().Programmastatus(), psPoules);
        QCOMPARE(hoofd->Document().Bestandsnaam(), pad);
        QVERIFY(!hoofd->Document().PouleWedstrijden().Poules.at(0).Wedstrijden.at(0).Gespeeld());
    }

#ifdef Q_OS_UNIX
    // A disk that fills up halfway: the file size limit (ulimit -f) makes
    // the write fail even for root, for whom permissions would not. The
    // program ignores the signal of that limit from its start, as here;
    // otherwise the signal would end it, and this test, mid-save.
    void aFailedSaveLeavesTheEarlierFileUntouched() {
        maakToernooi(psDirectKnockout);
        const QString pad = Pad(QStringLiteral("Vorige.txt"));
        Schrijf(pad, "het vorige toernooi");
        (*berichten)->queueAnswer(Answer::Yes);
        rlimit oud{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &oud), 0);
        struct sigaction vorigSignaal {};
        sigaction(SIGXFSZ, nullptr, &vorigSignaal);
        ignoreFileSizeSignal();
        rlimit klein = oud;
        klein.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &klein), 0);
        const bool bewaard = bewaarAls(pad);
        setrlimit(RLIMIT_FSIZE, &oud);
        sigaction(SIGXFSZ, &vorigSignaal, nullptr);

        QVERIFY(!bewaard);
        QCOMPARE((*berichten)->texts().last(),
                 QStringLiteral("Er is een fout opgetreden bij het bewaren van het toernooi."
                                "\n\r\n\rFoutmelding: Het bestand is te groot."));
        QCOMPARE((*berichten)->calls().last().helpContext, 1006);
        QCOMPARE(Inhoud(pad), QByteArray("het vorige toernooi"));
        // Nor does the unfinished new file stay behind.
        QCOMPARE(QDir(map.path()).entryList({"*Vorige*"}, QDir::Files | QDir::Hidden),
                 (QStringList{"Vorige.txt", "Vorige.txt.bak"}));
        QVERIFY(hoofd->Document().Gewijzigd());
        QVERIFY(hoofd->Document().Bestandsnaam().isEmpty());
    }
#endif
};

ZEGEROOSTER_GUI_TEST_MAIN(TournamentFileTest)
#include "test_tournament_file.moc"
