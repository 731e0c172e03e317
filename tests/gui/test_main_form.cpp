#include "app/MainForm.h"
#include "app/OptiesDialog.h"
#include "knockout/KnockoutForm.h"
#include "knockout/KnockoutIndelingForm.h"
#include "model/Deelnemerslijst.h"
#include "model/Poules.h"
#include "participants/DeelnemersForm.h"
#include "pools/PouleIndelingForm.h"
#include "pools/PoulesForm.h"
#include "support/ModalDialogDriver.h"
#include "support/ScriptedMessageService.h"
#include "support/TestMain.h"
#include "ui/Help.h"

#include <QPushButton>
#include <QStatusBar>

namespace {

const QString BewarenVraag = QStringLiteral("Wilt u het huidige toernooi bewaren?");

// The main window with the file operations replaced: a save succeeds or fails
// as the test says, and the test can see whether open and save ran.
class ProefMainForm : public TMainForm {
public:
    bool BewaarToernooi() override {
        ++bewaard;
        if (bewaarLukt)
            ZetGewijzigd(false);
        return bewaarLukt;
    }
    bool OpenToernooi() override {
        ++geopend;
        return false;
    }
    bool bewaarLukt = false;
    int bewaard = 0;
    int geopend = 0;
};

QString statusTekst(const TMainForm& form) {
    return form.StatusBar->currentMessage();
}

} // namespace

class MainFormTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ProefMainForm> form;
    std::unique_ptr<ScriptedMessages> berichten;

    void voegDeelnemersToe() {
        form->Document().VoegDeelnemerToe(QStringLiteral("Jan"), QStringLiteral("Jansen"));
        form->Document().VoegDeelnemerToe(QStringLiteral("Piet"), QStringLiteral("Pietersen"));
    }

private Q_SLOTS:
    void init() {
        berichten = std::make_unique<ScriptedMessages>();
        form = std::make_unique<ProefMainForm>();
    }

    void cleanup() {
        form.reset();
        QVERIFY2((*berichten)->unexpected() == 0, "a question came that the test did not expect");
        berichten.reset();
    }

    void startsAsAnEmptyTournament() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(form->windowTitle(), QStringLiteral("Zegerooster"));
        QCOMPARE(form->height(), 156);
        QVERIFY(form->width() >= 185); // wider only where the font needs it
        QCOMPARE(form->StatusBar->height(), 19);
        QCOMPARE(form->Document().Programmastatus(), psGeen);
        QVERIFY(!form->Document().Gewijzigd());
        QVERIFY(form->Document().Bestandsnaam().isEmpty());
        QVERIFY(form->Document().Deelnemers().empty());
        QVERIFY(form->DeelnemersBitBtn->isEnabled());
        QVERIFY(!form->PoulesBitBtn->isEnabled());
        QVERIFY(!form->KnockoutBitBtn->isEnabled());
        QVERIFY(statusTekst(*form).endsWith(QStringLiteral("versie 1.0")));
        const QList<QWidget*> eigenVensters{form->DeelnemersForm, form->PouleIndelingForm,
                                            form->PoulesForm,     form->KnockoutIndelingForm,
                                            form->KnockoutForm,   form->OptiesDialog};
        for (QWidget* venster : eigenVensters) {
            QVERIFY(venster->isWindow());
            QVERIFY(!venster->isVisible());
        }
        QCOMPARE(helpContextOf(form->NieuwBitBtn), HelpContext::Hoofdvenster);
    }

    void buttonsHaveTheirCaptionsHintsAndPlaces() {
        QCOMPARE(form->DeelnemersBitBtn->text(), QStringLiteral("&Deelnemers"));
        QCOMPARE(form->PoulesBitBtn->text(), QStringLiteral("&Poules"));
        QCOMPARE(form->KnockoutBitBtn->text(), QStringLiteral("&Knockout"));
        QCOMPARE(form->DeelnemersBitBtn->geometry(), QRect(8, 40, 121, 25));
        QCOMPARE(form->KnockoutBitBtn->geometry(), QRect(8, 104, 121, 25));
        const QList<std::pair<QPushButton*, QString>> glyphs{
            {form->NieuwBitBtn, "Nieuw toernooi"},
            {form->OpenBitBtn, "Open toernooi"},
            {form->BewaarBitBtn, "Bewaar toernooi"},
            {form->OptiesBitBtn, "Opties/Instellingen"},
            {form->HelpBitBtn, "Help"}};
        int left = 8;
        for (const auto& [knop, hint] : glyphs) {
            QCOMPARE(knop->toolTip(), hint);
            QCOMPARE(knop->geometry(), QRect(left, 8, 25, 25));
            QVERIFY(!knop->icon().isNull());
            left += 24;
        }
        // Tab order: the three stage buttons first, then the glyph buttons.
        QCOMPARE(form->DeelnemersBitBtn->nextInFocusChain(), form->PoulesBitBtn);
        QCOMPARE(form->KnockoutBitBtn->nextInFocusChain(), form->NieuwBitBtn);
    }

    void stageDecidesButtonsAndWindows() {
        form->show();
        form->PoulesForm->show();
        form->KnockoutForm->show();

        form->ZetProgrammastatus(psKnockout);
        QVERIFY(form->PoulesBitBtn->isEnabled() && form->KnockoutBitBtn->isEnabled());
        QVERIFY(form->PoulesForm->isVisible() && form->KnockoutForm->isVisible());

        form->ZetProgrammastatus(psPoules);
        QVERIFY(form->PoulesBitBtn->isEnabled() && !form->KnockoutBitBtn->isEnabled());
        QVERIFY(form->PoulesForm->isVisible() && !form->KnockoutForm->isVisible());

        form->KnockoutForm->show();
        form->ZetProgrammastatus(psDirectKnockout);
        QVERIFY(!form->PoulesBitBtn->isEnabled() && form->KnockoutBitBtn->isEnabled());
        QVERIFY(!form->PoulesForm->isVisible() && form->KnockoutForm->isVisible());

        // An unknown stage is stored and changes nothing else.
        form->ZetProgrammastatus(static_cast<TProgrammastatus>(7));
        QCOMPARE(static_cast<int>(form->Document().Programmastatus()), 7);
        QVERIFY(!form->PoulesBitBtn->isEnabled() && form->KnockoutBitBtn->isEnabled());
        QVERIFY(form->KnockoutForm->isVisible());

        form->PoulesForm->show();
        form->ZetProgrammastatus(psGeen);
        QVERIFY(!form->PoulesBitBtn->isEnabled() && !form->KnockoutBitBtn->isEnabled());
        QVERIFY(!form->PoulesForm->isVisible() && !form->KnockoutForm->isVisible());
        QVERIFY(form->DeelnemersBitBtn->isEnabled());
        // The stage never shows a window by itself.
        form->ZetProgrammastatus(psKnockout);
        QVERIFY(!form->PoulesForm->isVisible() && !form->KnockoutForm->isVisible());
    }

    void statusLineShowsFileNameAndChanges() {
        form->ZetGewijzigd(true);
        QVERIFY(statusTekst(*form).endsWith(QStringLiteral("versie 1.0")));
        form->Document().Bewaard(QStringLiteral("/tmp/Toernooien/Clubkampioenschap.2026.txt"));
        form->ZetGewijzigd(false);
        QCOMPARE(statusTekst(*form), QStringLiteral("Clubkampioenschap.2026"));
        form->ZetGewijzigd(true);
        QCOMPARE(statusTekst(*form), QStringLiteral("Clubkampioenschap.2026*"));
        QVERIFY(form->Document().Gewijzigd());
        (*berichten)->queueAnswer(Answer::No);
        form->NieuwBitBtn->click();
        QVERIFY(statusTekst(*form).endsWith(QStringLiteral("versie 1.0")));
        QVERIFY(form->Document().Bestandsnaam().isEmpty());
    }

    void newTournamentWithoutChangesAsksNothing() {
        voegDeelnemersToe();
        form->ZetGewijzigd(false);
        form->ZetProgrammastatus(psPoules);
        form->NieuwBitBtn->click();
        QVERIFY((*berichten)->calls().isEmpty());
        QCOMPARE(form->Document().Programmastatus(), psGeen);
        QCOMPARE(form->DeelnemersForm->RowCount(), 2);
        QVERIFY(form->DeelnemersForm->isVisible());
        QVERIFY(!form->Document().Gewijzigd());
    }

    void saveQuestionOnNewAndOpen_data() {
        QTest::addColumn<bool>("open");
        QTest::addColumn<Answer>("antwoord");
        QTest::addColumn<bool>("bewaarLukt");
        QTest::addColumn<int>("bewaard");
        QTest::addColumn<bool>("doorgegaan");
        for (const bool open : {false, true}) {
            const char* knop = open ? "open" : "new";
            QTest::addRow("%s: yes, saved", knop) << open << Answer::Yes << true << 1 << true;
            QTest::addRow("%s: yes, save failed", knop)
                << open << Answer::Yes << false << 1 << false;
            QTest::addRow("%s: no", knop) << open << Answer::No << true << 0 << true;
            QTest::addRow("%s: cancel", knop) << open << Answer::Cancel << true << 0 << false;
        }
    }

    void saveQuestionOnNewAndOpen() {
        QFETCH(bool, open);
        QFETCH(Answer, antwoord);
        QFETCH(bool, bewaarLukt);
        QFETCH(int, bewaard);
        QFETCH(bool, doorgegaan);
        voegDeelnemersToe();
        QVERIFY(form->Document().Gewijzigd());
        form->bewaarLukt = bewaarLukt;
        (*berichten)->queueAnswer(antwoord);

        (open ? form->OpenBitBtn : form->NieuwBitBtn)->click();

        QCOMPARE((*berichten)->texts(), QStringList{BewarenVraag});
        QCOMPARE((*berichten)->calls().constFirst().buttons, Buttons::YesNoCancel);
        QCOMPARE(form->bewaard, bewaard);
        if (open) {
            QCOMPARE(form->geopend, doorgegaan ? 1 : 0);
        } else {
            // Going on means a new, empty tournament; stopping keeps the old one.
            QCOMPARE(form->DeelnemersForm->RowCount(), doorgegaan ? 2 : 4);
        }
    }

    void closingAsksToSave_data() {
        QTest::addColumn<Answer>("antwoord");
        QTest::addColumn<bool>("bewaarLukt");
        QTest::addColumn<bool>("gesloten");
        QTest::newRow("yes, saved") << Answer::Yes << true << true;
        QTest::newRow("yes, save cancelled or failed") << Answer::Yes << false << false;
        QTest::newRow("no") << Answer::No << false << true;
        QTest::newRow("cancel") << Answer::Cancel << true << false;
    }

    void closingAsksToSave() {
        QFETCH(Answer, antwoord);
        QFETCH(bool, bewaarLukt);
        QFETCH(bool, gesloten);
        form->show();
        voegDeelnemersToe();
        form->bewaarLukt = bewaarLukt;
        (*berichten)->queueAnswer(antwoord);
        QCOMPARE(form->close(), gesloten);
        QCOMPARE(form->isVisible(), !gesloten);
        QCOMPARE((*berichten)->texts(), QStringList{BewarenVraag});
        QCOMPARE(form->DeelnemersForm->RowCount(), 4);
    }

    void closingWithoutChangesAsksNothing() {
        form->show();
        QVERIFY(form->close());
        QVERIFY((*berichten)->calls().isEmpty());
    }

    void saveButtonSavesWithoutAsking() {
        voegDeelnemersToe();
        form->BewaarBitBtn->click();
        QCOMPARE(form->bewaard, 1);
        QVERIFY((*berichten)->calls().isEmpty());
    }

    void startWithoutParticipantsSaysSo() {
        form->ZetProgrammastatus(psPoules);
        form->StartToernooi();
        QCOMPARE((*berichten)->texts(), QStringList{"Er zijn geen deelnemers ingevoerd."});
        QCOMPARE((*berichten)->calls().constFirst().kind, MessageKind::Information);
        QCOMPARE(form->Document().Programmastatus(), psGeen);
        QVERIFY(!form->Document().Gewijzigd());
        QVERIFY(form->Document().Deelnemers().empty());
    }

    void cancelledDivisionKeepsStageNone() {
        voegDeelnemersToe();
        form->ZetGewijzigd(false);
        ModalDialogDriver bestuurder;
        bestuurder.click(QStringLiteral("AnnulerenBitBtn"));
        form->StartToernooi();
        QCOMPARE(bestuurder.pending(), 0);
        QCOMPARE(form->Document().Programmastatus(), psGeen);
        QVERIFY(!form->PoulesBitBtn->isEnabled() && !form->KnockoutBitBtn->isEnabled());
        QVERIFY(!form->Document().Gewijzigd());
        // The new tournament list holds fresh records of every participant.
        QCOMPARE(form->Document().Deelnemers().size(), std::size_t{2});
        for (const auto& deelnemer : form->Document().Deelnemers()) {
            QCOMPARE(deelnemer->Poule, 0);
            QCOMPARE(deelnemer->Positie, -1);
            QCOMPARE(deelnemer->KnockoutNr, 0);
        }
        QVERIFY(Poules::BestaatNaam(form->Document().Deelnemers(), QStringLiteral("Piet"),
                                    QStringLiteral("Pietersen")));
    }

    // What the fair draw could not do reaches the organiser: a club the
    // pool sizes kept together, and after the knockout draw the club
    // meetings before the semi-final (here none).
    void fairDrawTellsTheOrganiser() {
        Deelnemerslijst::TNamen namen;
        for (int i = 0; i < 12; ++i) // seeds 3 and 4 both go to pool 3 of three
            namen.push_back({QStringLiteral("Jeffrey %1").arg(i), QStringLiteral("Hoffmann"),
                             i == 2 || i == 3 ? QStringLiteral("De Shuttle") : QString(),
                             i < 4 ? i + 1 : 0});
        form->Document().ImporteerNamen(namen);
        ModalDialogDriver bestuurder;
        bestuurder.click(QStringLiteral("OKBitBtn")); // the first division: three pools of 4
        form->StartToernooi();
        QCOMPARE((*berichten)->texts(),
                 QStringList{"De poulegrootten lieten niet toe alle verenigingen gelijkmatig over "
                             "de poules te verdelen:\nVereniging De Shuttle: 2 spelers over 3 "
                             "poules, 2 in poule 3"});
        for (int poule = 1; poule <= 3; ++poule) {
            int positie = 0;
            for (int i : Poules::Leden(form->Document().Deelnemers(), poule))
                form->Document().ZetPositie(i, ++positie);
        }
        bestuurder.click(QStringLiteral("OKBitBtn")); // the best two of each
        form->StartKnockout();
        QCOMPARE(bestuurder.unexpected(), 0);
        QCOMPARE((*berichten)->texts().size(), 2);
        QCOMPARE((*berichten)->texts().constLast(),
                 QStringLiteral(
                     "De loting heeft alle clubgenoten tot de halve finale uit elkaar gehouden."));
    }

    void unconfirmedKnockoutChangesNothing() {
        form->ZetProgrammastatus(psPoules);
        ModalDialogDriver bestuurder;
        bestuurder.click(QStringLiteral("AnnuleerBitBtn"));
        form->StartKnockout();
        QCOMPARE(bestuurder.pending(), 0);
        QCOMPARE(form->Document().Programmastatus(), psPoules);
        QVERIFY(!form->Document().Gewijzigd());
    }

    void stageButtonsShowTheirWindows() {
        form->show();
        form->DeelnemersBitBtn->click();
        QVERIFY(form->DeelnemersForm->isVisible());
        form->ZetProgrammastatus(psKnockout);
        form->PoulesBitBtn->click();
        QVERIFY(form->PoulesForm->isVisible());
        form->KnockoutBitBtn->click();
        QVERIFY(form->KnockoutForm->isVisible());
    }

    void acceleratorOpensParticipants() {
        form->show();
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::keyClick(form->windowHandle(), Qt::Key_D, Qt::AltModifier);
        QTRY_VERIFY(form->DeelnemersForm->isVisible()); // a mnemonic clicks after a short flash
    }

    void helpButtonOpensHelp() {
        form->HelpBitBtn->click();
        QVERIFY(form->Help().Venster() != nullptr);
        QVERIFY(form->Help().Venster()->isVisible());
    }

    void destroysWindowsBeforeTheParticipants() {
        TDeelnemerLijst lijst;
        lijst.push_back(std::make_unique<TDeelnemer>("Jan", "Jansen"));
        form->Document().ZetDeelnemers(std::move(lijst));
        form->HelpBitBtn->click();
        QStringList volgorde;
        ProefMainForm* hoofdvenster = form.get();
        auto volg = [&](QObject* venster, const QString& naam) {
            connect(venster, &QObject::destroyed, this, [&volgorde, hoofdvenster, naam] {
                volgorde << QStringLiteral("%1:%2").arg(naam).arg(
                    hoofdvenster->Document().Deelnemers().size());
            });
        };
        volg(form->Help().Venster(), "help");
        volg(form->DeelnemersForm, "deelnemers");
        volg(form->PouleIndelingForm, "poule-indeling");
        volg(form->PoulesForm, "poules");
        volg(form->KnockoutIndelingForm, "knockout-indeling");
        volg(form->KnockoutForm, "knockout");
        volg(form->OptiesDialog, "opties");
        form.reset();
        QCOMPARE(volgorde, (QStringList{"help:1", "deelnemers:1", "poule-indeling:1", "poules:1",
                                        "knockout-indeling:1", "knockout:1", "opties:1"}));
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(MainFormTest)
#include "test_main_form.moc"
