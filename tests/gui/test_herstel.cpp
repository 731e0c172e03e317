#include "app/Application.h"
#include "app/Herstel.h"
#include "app/MainForm.h"
#include "knockout/KnockoutForm.h"
#include "model/Bestand.h"
#include "model/Deelnemerslijst.h"
#include "model/ToernooiDocument.h"
#include "participants/DeelnemersForm.h"
#include "support/ScriptedMessageService.h"
#include "support/TestMain.h"

#include <QDir>
#include <QScrollArea>
#include <QStatusBar>
#include <QTemporaryDir>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

// Autosave and recovery, with the clock and the folder in the test's hands.
class HerstelTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedMessages> berichten;
    std::unique_ptr<QTemporaryDir> map;
    QDateTime nu{QDate(2026, 5, 1), QTime(10, 0)};

    std::unique_ptr<TMainForm> start() {
        auto hoofd = std::make_unique<TMainForm>();
        hoofd->Herstel().ZetMap(map->path());
        hoofd->Herstel().ZetKlok([this] { return nu; });
        return hoofd;
    }
    QStringList versies() const {
        return QDir(map->path()).entryList({"herstel-*.txt"}, QDir::Files, QDir::Name);
    }

private Q_SLOTS:
    void init() {
        nu = QDateTime(QDate(2026, 5, 1), QTime(10, 0));
        berichten = std::make_unique<ScriptedMessages>();
        map = std::make_unique<QTemporaryDir>();
    }
    void cleanup() {
        QCOMPARE((*berichten)->unexpected(), 0);
        berichten.reset();
    }

    void changesAreWrittenSoonKeptTenDeepAndACleanExitRemovesTheLast() {
        auto hoofd = start();
        hoofd->Document().VoegDeelnemerToe(QStringLiteral("Jan"), QStringLiteral("Jansen"));
        QTRY_COMPARE_WITH_TIMEOUT(versies().size(), 1, 2000); // within two seconds
        for (int i = 0; i < 12; ++i) {
            nu = nu.addSecs(1);
            hoofd->Herstel().SchrijfNu();
        }
        hoofd->Herstel().Wacht();
        QCOMPARE(versies().size(), THerstel::AantalVersies);
        const QString laatste = QFileInfo(hoofd->Herstel().HuidigBestand()).fileName();
        QCOMPARE(versies().last(), laatste);
        QCOMPARE(THerstel::Tijd(laatste), nu);
        (*berichten)->queueAnswer(Answer::No); // not saved, but closed cleanly
        QVERIFY(hoofd->close());
        QCOMPARE(versies().size(), THerstel::AantalVersies - 1);
        QVERIFY(!versies().contains(laatste));
        QVERIFY(!start()->BiedHerstelAan()); // nothing newer than the clean exit
    }

    // Two writes in one millisecond, then a clock set back: each version has
    // a name of its own, and the newest sorts last, so it is the one offered.
    void versionsSortInTheOrderWritten() {
        auto hoofd = start();
        for (const QString naam : {"Jan", "Piet", "Kees"}) {
            if (naam == QStringLiteral("Kees"))
                nu = nu.addSecs(-3600);
            hoofd->Document().VoegDeelnemerToe(naam, QStringLiteral("Jansen"));
            hoofd->Herstel().SchrijfNu();
        }
        hoofd->Herstel().Wacht();
        QCOMPARE(versies().size(), 3);
        QFile nieuwste(map->filePath(versies().last()));
        QVERIFY(nieuwste.open(QIODevice::ReadOnly));
        QVERIFY(nieuwste.readAll().contains("Kees"));
    }

    // A second copy, started while the first runs, neither offers nor
    // rotates away the first one's versions; once the first is gone
    // without a clean exit, its version is offered.
    void eachRunningCopyKeepsItsOwnVersions() {
        auto eerste = start();
        eerste->Document().VoegDeelnemerToe(QStringLiteral("Jan"), QStringLiteral("Jansen"));
        eerste->Herstel().SchrijfNu();
        eerste->Herstel().Wacht();
        const QString versie = eerste->Herstel().HuidigBestand();
        {
            auto tweede = start();
            QVERIFY(!tweede->BiedHerstelAan());
            tweede->Document().VoegDeelnemerToe(QStringLiteral("Piet"), QStringLiteral("Pietersen"));
            for (int i = 0; i < THerstel::AantalVersies + 2; ++i)
                tweede->Herstel().SchrijfNu();
            (*berichten)->queueAnswer(Answer::No);
            QVERIFY(tweede->close());
        }
        QVERIFY(QFile::exists(versie));
        eerste.reset(); // ends without the clean exit, as a crash would
        auto derde = start();
        (*berichten)->queueAnswer(Answer::Yes);
        QVERIFY(derde->BiedHerstelAan());
        QCOMPARE(derde->DeelnemersForm->RowCount(), 3);
    }

    // The clock set back an hour between two runs that both crashed: the
    // later run's tournament is the one offered.
    void theLastRunIsOfferedAfterTheClockWentBack() {
        {
            auto hoofd = start();
            hoofd->Document().VoegDeelnemerToe(QStringLiteral("Jan"), QStringLiteral("Jansen"));
            hoofd->Herstel().SchrijfNu();
        }
        nu = nu.addSecs(-3600);
        {
            auto hoofd = start();
            (*berichten)->queueAnswer(Answer::Yes);
            QVERIFY(hoofd->BiedHerstelAan());
            hoofd->Document().VoegDeelnemerToe(QStringLiteral("Piet"), QStringLiteral("Pietersen"));
            hoofd->Herstel().SchrijfNu();
        }
        auto hoofd = start();
        (*berichten)->queueAnswer(Answer::Yes);
        QVERIFY(hoofd->BiedHerstelAan());
        QCOMPARE(hoofd->DeelnemersForm->RowCount(), 4);
    }

    // Saved, or ended from outside with nothing unsaved: no question at the
    // next start. Ended from outside with changes not yet written: they are
    // written first, and offered.
    void onlyUnsavedChangesAreOffered() {
        bool gevraagd = false;
        QObject ouder;
        vangBeeindiging(&ouder, [&] { gevraagd = true; });
        ::raise(SIGTERM);
        QTRY_VERIFY(gevraagd);
        for (const bool bewaard : {true, false}) {
            map = std::make_unique<QTemporaryDir>();
            {
                auto hoofd = start();
                hoofd->Document().VoegDeelnemerToe(QStringLiteral("Jan"), QStringLiteral("Jansen"));
                hoofd->Herstel().SchrijfNu();
                if (bewaard)
                    hoofd->Document().Bewaard(map->filePath(QStringLiteral("cup.txt")));
                else
                    hoofd->Document().VoegDeelnemerToe(QStringLiteral("Piet"), QStringLiteral("Pi"));
                hoofd->Beeindig();
            }
            auto hoofd = start();
            if (!bewaard)
                (*berichten)->queueAnswer(Answer::Yes);
            QCOMPARE(hoofd->BiedHerstelAan(), !bewaard);
            QCOMPARE(hoofd->DeelnemersForm->RowCount(), bewaard ? 2 : 4);
        }
    }

    void jaRestoresTheTournamentModifiedWithItsFileName() {
        {
            auto hoofd = start();
            hoofd->Document().VoegDeelnemerToe(QStringLiteral("Jan"), QStringLiteral("Jansen"));
            hoofd->Document().Bewaard(map->filePath(QStringLiteral("cup.txt")));
            hoofd->Document().VoegDeelnemerToe(QStringLiteral("Piet"), QStringLiteral("Pietersen"));
            hoofd->Herstel().SchrijfNu();
            hoofd->Herstel().Wacht();
        } // ends without the clean exit, as a crash would
        nu = nu.addSecs(60);
        auto hoofd = start();
        (*berichten)->queueAnswer(Answer::Yes);
        QVERIFY(hoofd->BiedHerstelAan());
        const MessageCall vraag = (*berichten)->calls().last();
        QCOMPARE(vraag.helpContext, 1009);
        QVERIFY2(vraag.text.contains(QStringLiteral("1-5-2026 om 10:00:00")) &&
                     vraag.text.contains(QStringLiteral("2 deelnemers")) &&
                     vraag.text.contains(QStringLiteral("(cup.txt)")),
                 qPrintable(vraag.text));
        QCOMPARE(hoofd->DeelnemersForm->RowCount(), 4);
        QVERIFY(hoofd->Document().Gewijzigd());
        QCOMPARE(hoofd->Document().Bestandsnaam(), map->filePath(QStringLiteral("cup.txt")));
        QCOMPARE(hoofd->StatusBar->currentMessage(), QStringLiteral("cup*"));
    }

    // The knockout window is made only when the recovered stage shows it,
    // after the brackets were loaded.
    void aRecoveredKnockoutShowsItsBrackets() {
        {
            auto hoofd = start();
            for (const QString& naam : {QStringLiteral("Jan"), QStringLiteral("Piet")})
                hoofd->Document().VoegDeelnemerToe(naam, QStringLiteral("Jansen"));
            hoofd->Document().StartDirecteKnockout();
            hoofd->Herstel().SchrijfNu();
            hoofd->Herstel().Wacht();
        }
        nu = nu.addSecs(60);
        auto hoofd = start();
        (*berichten)->queueAnswer(Answer::Yes);
        QVERIFY(hoofd->BiedHerstelAan());
        QVERIFY(hoofd->KnockoutForm->isVisible());
        QVERIFY(hoofd->KnockoutForm->WinnaarsFrame->widget());
    }

    void neeStartsEmptyKeepsTheVersionAndDoesNotAskAgain() {
        {
            auto hoofd = start();
            hoofd->Document().VoegDeelnemerToe(QStringLiteral("Jan"), QStringLiteral("Jansen"));
            hoofd->Herstel().SchrijfNu();
            hoofd->Herstel().Wacht();
        }
        nu = nu.addSecs(60);
        auto hoofd = start();
        (*berichten)->queueAnswer(Answer::No);
        QVERIFY(!hoofd->BiedHerstelAan());
        QCOMPARE(hoofd->DeelnemersForm->RowCount(), 2);
        QCOMPARE(versies().size(), 1);
        QVERIFY(!start()->BiedHerstelAan());
    }

    void aDamagedVersionIsSetAsideWithAMessage() {
        QFile kapot(map->filePath(QStringLiteral("herstel-20260501-095959-000.txt")));
        QVERIFY(kapot.open(QIODevice::WriteOnly));
        kapot.write("#Programmastatus\r\n9\r\n#Deelnemer\r\nJan\r\n");
        kapot.close();
        auto hoofd = start();
        QVERIFY(!hoofd->BiedHerstelAan());
        QCOMPARE((*berichten)->calls().last().kind, MessageKind::Warning);
        QVERIFY((*berichten)->texts().last().contains(QStringLiteral(".beschadigd")));
        QVERIFY(versies().isEmpty());
        QVERIFY(QFile::exists(kapot.fileName() + QStringLiteral(".beschadigd")));
        QCOMPARE(hoofd->Document().Programmastatus(), psGeen);
    }

    // A version whose pool matches cannot be read is still offered, and
    // restored without them only when the organiser agrees.
    void aVersionWithUnreadablePoolMatchesAsksBeforeTheyGo() {
        TToernooiDocument bron;
        bron.ImporteerNamen({{"Jeffrey", "Hoffmann"}, {"Jan van der", "Berg"}});
        bron.StartPoules(TPouleIndeling(2, 1, 0, 0));
        QVERIFY(bron.ZetPouleUitslag(1, 0, {{21, 19}, {30, 28}}));
        for (const Answer antwoord : {Answer::No, Answer::Yes}) {
            map = std::make_unique<QTemporaryDir>(); // "Nee" settles the version
            QFile versie(map->filePath(QStringLiteral("herstel-20260501-095959-000.txt")));
            QVERIFY(versie.open(QIODevice::WriteOnly));
            versie.write(bron.Herstelbestand().replace("#Uitbreiding 1", "#Uitbreiding 2"));
            versie.close();
            auto hoofd = start();
            (*berichten)->queueAnswer(Answer::Yes); // restore it
            (*berichten)->queueAnswer(antwoord);    // without its pool matches
            QCOMPARE(hoofd->BiedHerstelAan(), antwoord == Answer::Yes);
            QVERIFY((*berichten)->texts().last().contains("zonder de poulewedstrijden"));
            QCOMPARE(hoofd->Document().Programmastatus(),
                     antwoord == Answer::Yes ? psPoules : psGeen);
            if (antwoord == Answer::No)
                QCOMPARE(versies().size(), 1); // kept, never dropped unasked
        }
    }

    // A program killed while it writes a version leaves the versions before
    // it whole and no half version under a recovery name.
    void aKillDuringAWriteLeavesThePreviousVersionIntact() {
        const QString vorige = map->filePath(QStringLiteral("herstel-20260501-100000-000.txt"));
        QCOMPARE(Bestand::SchrijfVeilig(vorige, "#Programmastatus\r\n0\r\n#Einde\r\n"), QString());
        const QString nieuwe = map->filePath(QStringLiteral("herstel-20260501-100001-000.txt"));
        const pid_t kind = fork();
        if (kind == 0) {
            const QByteArray groot(256 * 1024 * 1024, 'x');
            Bestand::SchrijfVeilig(nieuwe, groot);
            _exit(0);
        }
        QTRY_VERIFY_WITH_TIMEOUT(QDir(map->path()).entryList(QDir::Files | QDir::Hidden).size() > 1,
                                 5000); // the write has begun
        kill(kind, SIGKILL);
        waitpid(kind, nullptr, 0);
        // Either the whole new version or none: never half of one.
        QVERIFY(!QFile::exists(nieuwe) || QFileInfo(nieuwe).size() == 256 * 1024 * 1024);
        QFile bestand(vorige);
        QVERIFY(bestand.open(QIODevice::ReadOnly));
        QCOMPARE(bestand.readAll(), QByteArray("#Programmastatus\r\n0\r\n#Einde\r\n"));
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(HerstelTest)
#include "test_herstel.moc"
