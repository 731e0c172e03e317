#include "app/MainForm.h"
#include "participants/DeelnemersForm.h"

#include "support/ModalDialogDriver.h"
#include "support/ScriptedMessageService.h"
#include "support/ScriptedRandomSource.h"
#include "support/TestMain.h"

#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>

using Deelnemerslijst::TNaam;
using Deelnemerslijst::TNamen;

namespace {

const QString Ok = QStringLiteral("OKBitBtn");
const QString Annuleren = QStringLiteral("AnnulerenBitBtn");
const QString DubbeleNaam = QStringLiteral("Er bestaat reeds een deelnemer met deze naam.");

// The main window with its participant window, scripted messages and a user
// for the participant dialog; "Voornaam|Achternaam" names are added first.
struct Opstelling {
    explicit Opstelling(const QStringList& namen = {}) {
        for (const QString& naam : namen)
            hoofd.Document().VoegDeelnemerToe(naam.section(u'|', 0, 0), naam.section(u'|', 1));
    }
    // Every grid row below the header, the empty last row included.
    QStringList rijen() const {
        QStringList result;
        for (int rij = 1; rij < form.RowCount(); ++rij)
            result << form.Cel(0, rij) + u'|' + form.Cel(1, rij);
        return result;
    }
    QString status() const { return form.StatusBar->currentMessage(); }

    TMainForm hoofd;
    TDeelnemersForm& form = *hoofd.DeelnemersForm;
    ScriptedMessages berichten;
    ModalDialogDriver bestuurder;
};

} // namespace

class DeelnemersFormTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lijstBeheren() {
        Opstelling o;
        ScriptedRandom toeval; // only zeros: the shuffle keeps the grid's order
        QCOMPARE(o.rijen(), QStringList({"|"}));
        QCOMPARE(o.status(), QString());
        QVERIFY(!o.form.MaakPoulesBitBtn->isEnabled());
        TToernooiDocument& document = o.hoofd.Document();
        QCOMPARE(document.VoegDeelnemerToe(QString(), QString()), -1);
        QVERIFY(!document.Gewijzigd());

        document.VoegDeelnemerToe(QStringLiteral("anna"), QStringLiteral("Zandstra"));
        QCOMPARE(o.status(), QStringLiteral("1 deelnemer ingevoerd."));
        QVERIFY(o.form.MaakPoulesBitBtn->isEnabled());
        QVERIFY(o.hoofd.Document().Gewijzigd());
        const QString lang = QString(1000, u'ŵ');
        for (const QStringList& naam :
             {QStringList{"Émile", ""}, {"Зоя", "李 😀"}, {lang, lang}, {"Anna", "de Vries"}})
            o.form.SelecteerRij(document.VoegDeelnemerToe(naam[0], naam[1]) + 1);
        QCOMPARE(o.form.Row(), 1); // the window selects the newest participant
        QCOMPARE(o.rijen(), QStringList({"Anna|de Vries", "anna|Zandstra", "Émile|",
                                         lang + u'|' + lang, "Зоя|李 😀", "|"}));
        QCOMPARE(o.status(), QStringLiteral("5 deelnemers ingevoerd."));
        QCOMPARE(document.VoegDeelnemerToe(lang, lang), -1); // a double changes nothing
        QCOMPARE(o.rijen().size(), 6);

        // Undo shows the names again, from the document alone.
        for (int stap = 0; stap < 5; ++stap)
            document.MaakOngedaan();
        QCOMPARE(o.rijen(), QStringList({"|"}));
        QVERIFY(!o.form.MaakPoulesBitBtn->isEnabled());
        document.Opnieuw();
        QCOMPARE(o.rijen(), QStringList({"anna|Zandstra", "|"}));
        QVERIFY(o.form.MaakPoulesBitBtn->isEnabled());
    }

    void dubbeleNamenGeweigerd() {
        Opstelling o;
        o.bestuurder.fillAndClick({"Piet", "Zand"}, Ok)
            .fillAndClick({"jan", "jansen"}, Ok)
            .fillAndClick({"Piet", "Zand"}, Ok)
            .fillAndClick({"Jan", "Jansen"}, Ok)
            .click(Annuleren);
        QTest::mouseClick(o.form.NieuwBitBtn, Qt::LeftButton);
        QCOMPARE(o.rijen(), QStringList({"jan|jansen", "Jan|Jansen", "Piet|Zand", "|"}));
        QCOMPARE(o.berichten->texts(), QStringList({DubbeleNaam}));
        for (const auto& gezien : o.bestuurder.seen()) // reopened empty every time
            QCOMPARE(gezien.edits, QStringList({"", "", "", ""}));

        // Piet Zand becomes Jan Jansen: refused, and his own names come back.
        o.form.SelecteerRij(3);
        o.bestuurder.fillAndClick({"Jan", "Jansen"}, Ok).fillAndClick({"Aad", "Zand"}, Ok);
        QTest::mouseClick(o.form.BewerkBitBtn, Qt::LeftButton);
        QCOMPARE(o.berichten->texts(), QStringList({DubbeleNaam, DubbeleNaam}));
        QCOMPARE(o.bestuurder.seen()[6].title, QStringLiteral("Bewerk deelnemer"));
        QCOMPARE(o.bestuurder.seen()[6].edits, QStringList({"Piet", "Zand", "", ""}));
        QCOMPARE(o.rijen(), QStringList({"Aad|Zand", "jan|jansen", "Jan|Jansen", "|"}));
        QCOMPARE(o.form.Row(), 1);

        // Its own unchanged name is accepted and marks the tournament changed.
        o.hoofd.ZetGewijzigd(false);
        o.bestuurder.click(Ok);
        QTest::mouseClick(o.form.BewerkBitBtn, Qt::LeftButton);
        QVERIFY(o.hoofd.Document().Gewijzigd());
        QCOMPARE(o.berichten->texts().size(), 2);
        QCOMPARE(o.bestuurder.unexpected(), 0);
    }

    // Club and seed typed in the dialog reach the document and the grid; a
    // seed someone holds is refused in the dialog, which stays open on it.
    void verenigingEnPlaatsing() {
        Opstelling o;
        o.bestuurder.fillAndClick({"Jeffrey", "Hoffmann", " BC De Shuttle ", "1"}, Ok)
            .fillAndClick({"Anna", "de Vries", "", "1"}, Ok)
            .fillAndClick({"Anna", "de Vries", "", "0"}, Ok)
            .fillAndClick({"Anna", "de Vries", "Smash", "2"}, Ok)
            .click(Annuleren);
        QTest::mouseClick(o.form.NieuwBitBtn, Qt::LeftButton);
        const QString bezet = QStringLiteral("Plaatsing 1 is al gegeven aan Jeffrey Hoffmann. Elke "
                                             "plaatsing hoort bij één deelnemer.");
        QCOMPARE(o.berichten->texts(), QStringList({bezet, Deelnemerslijst::GeenPlaatsingTekst()}));
        QCOMPARE(o.hoofd.Document().Namen(), (TNamen{{"Anna", "de Vries", "Smash", 2},
                                                     {"Jeffrey", "Hoffmann", "BC De Shuttle", 1}}));
        QCOMPARE(o.form.Cel(2, 2), QStringLiteral("BC De Shuttle"));
        QCOMPARE(o.form.Cel(3, 2), QStringLiteral("1"));

        // Changing him shows his club and seed, and may keep his own seed.
        o.form.SelecteerRij(2);
        o.bestuurder.fillAndClick({"Jeffrey", "Hofman"}, Ok);
        QTest::mouseClick(o.form.BewerkBitBtn, Qt::LeftButton);
        QCOMPARE(o.bestuurder.seen().last().edits,
                 QStringList({"Jeffrey", "Hoffmann", "BC De Shuttle", "1"}));
        QCOMPARE(o.hoofd.Document().Namen()[1], (TNaam{"Jeffrey", "Hofman", "BC De Shuttle", 1}));
        QCOMPARE(o.berichten->texts().size(), 2);
    }

    void toetsenEnDubbelklik() {
        Opstelling o({"Anna|Bakker", "Bert|Smit", "Carla|Vos"});
        o.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&o.form));
        QTableView* grid = o.form.DeelnemersStringGrid;
        o.form.SelecteerRij(2);
        QTest::keyClick(grid, Qt::Key_Delete);
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(o.form.RowCount(), 5);
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(o.rijen(), QStringList({"Anna|Bakker", "Carla|Vos", "|"}));
        QCOMPARE(o.status(), QStringLiteral("2 deelnemers ingevoerd."));
        o.form.SelecteerRij(3);
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier); // the empty row stays
        QCOMPARE(o.form.RowCount(), 4);

        o.bestuurder.click(Annuleren).click(Annuleren).click(Annuleren).click(Annuleren);
        QTest::keyClick(grid, Qt::Key_Return); // on the empty row: a new participant
        o.form.SelecteerRij(1);
        QTest::keyClick(o.form.MaakPoulesBitBtn, Qt::Key_F2); // the window's key, not the button's
        QTest::keyClick(grid, Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier);
        const QPoint carla = grid->visualRect(grid->model()->index(1, 0)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, carla);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, carla);
        const auto& gezien = o.bestuurder.seen();
        QCOMPARE(gezien.size(), 4);
        QCOMPARE(gezien[0].title, QStringLiteral("Nieuwe deelnemer"));
        QCOMPARE(gezien[1].edits, QStringList({"Anna", "Bakker", "", ""}));
        QCOMPARE(gezien[2].edits, QStringList({"Anna", "Bakker", "", ""}));
        QCOMPARE(gezien[3].edits, QStringList({"Carla", "Vos", "", ""}));
        QVERIFY(o.hoofd.Document().Deelnemers().empty()); // "&Poules -->" did not run

        o.form.SelecteerRij(1);
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(o.rijen(), QStringList({"|"}));
        QCOMPARE(o.status(), QString());
        QVERIFY(!o.form.MaakPoulesBitBtn->isEnabled());
        QVERIFY(o.berichten->calls().isEmpty());
    }

    void lopendToernooiBeeindigen_data() {
        QTest::addColumn<int>("actie");
        QTest::addColumn<bool>("ja");
        const char* namen[] = {"toevoegen", "wijzigen", "verwijderen"};
        for (int actie = 0; actie < 3; ++actie) {
            QTest::addRow("%s ja", namen[actie]) << actie << true;
            QTest::addRow("%s nee", namen[actie]) << actie << false;
        }
    }
    void lopendToernooiBeeindigen() {
        QFETCH(int, actie);
        QFETCH(bool, ja);
        const QString zinnen[] = {"Wanneer er een nieuwe deelnemer wordt toegevoegd, dan moet "
                                  "het huidige toernooi beëindigd worden.",
                                  "Wanneer er een deelnemer wordt gewijzigd, dan moet het huidige "
                                  "toernooi beëindigd worden.",
                                  "Wanneer er een deelnemer wordt verwijderd, dan moet het huidige "
                                  "toernooi beëindigd worden."};
        const QStringList naJa[] = {{"Anna|Bakker", "Piet|Zand", "Zoë|Aarts", "|"},
                                    {"Piet|Zand", "Zoë|Aarts", "|"},
                                    {"Piet|Zand", "|"}};
        Opstelling o({"Anna|Bakker", "Piet|Zand"});
        o.form.SelecteerRij(1);
        o.hoofd.ZetProgrammastatus(psPoules);
        o.berichten->queueAnswer(ja ? Answer::Yes : Answer::No);
        o.bestuurder.fillAndClick({"Zoë", "Aarts"}, Ok).click(Annuleren);
        QPushButton* knoppen[] = {o.form.NieuwBitBtn, o.form.BewerkBitBtn, o.form.VerwijderBitBtn};
        QTest::mouseClick(knoppen[actie], Qt::LeftButton);

        QCOMPARE(o.berichten->texts(),
                 QStringList({zinnen[actie] + "\n\r\n\r Wilt u doorgaan "
                                              "en het toernooi beëindigen?"}));
        QCOMPARE(o.berichten->calls().front().buttons, Buttons::YesNo);
        QCOMPARE(o.hoofd.Document().Programmastatus(), ja ? psGeen : psPoules);
        QCOMPARE(o.rijen(), ja ? naJa[actie] : QStringList({"Anna|Bakker", "Piet|Zand", "|"}));
        QCOMPARE(o.bestuurder.seen().isEmpty(), !ja || actie == 2);
    }

    void poulesStartenToernooi() {
        Opstelling o({"Anna|Bakker", "Piet|Zand"}); // its user also cancels the pool division
        QTest::mouseClick(o.form.MaakPoulesBitBtn, Qt::LeftButton);
        QCOMPARE(o.hoofd.Document().Deelnemers().size(), std::size_t(2));
        QVERIFY(o.berichten->calls().isEmpty());

        o.hoofd.Document().ZetDeelnemers({});
        o.hoofd.ZetProgrammastatus(psKnockout);
        o.berichten->queueAnswer(Answer::No);
        QTest::mouseClick(o.form.MaakPoulesBitBtn, Qt::LeftButton);
        QVERIFY(o.hoofd.Document().Deelnemers().empty());
        QCOMPARE(o.hoofd.Document().Programmastatus(), psKnockout);
        o.berichten->queueAnswer(Answer::Yes);
        QTest::mouseClick(o.form.MaakPoulesBitBtn, Qt::LeftButton);
        QCOMPARE(o.hoofd.Document().Deelnemers().size(), std::size_t(2));
        const QString vraag("Er is momenteel een toernooi bezig. Wilt u dit beëindigen?");
        QCOMPARE(o.berichten->texts(), QStringList({vraag, vraag}));
    }

    void kolommenVullenHetRooster() {
        Opstelling o;
        const QTableView* grid = o.form.DeelnemersStringGrid;
        // The names share what the club and seed columns leave.
        auto passen = [grid] {
            const int breedte =
                grid->viewport()->width() - grid->columnWidth(2) - grid->columnWidth(3);
            return grid->columnWidth(0) == breedte * 4 / 10 &&
                   grid->columnWidth(1) == breedte - breedte * 4 / 10 - 2;
        };
        o.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&o.form));
        QVERIFY(passen());
        // Maximise and close, no minimise: the window belongs to the main one.
        QVERIFY(o.form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!o.form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        for (int i = 0; i < 40; ++i) // until a scroll bar takes room
            o.hoofd.Document().VoegDeelnemerToe(QStringLiteral("Naam%1").arg(i), QString());
        QTRY_VERIFY(grid->verticalScrollBar()->isVisible());
        QTRY_VERIFY(passen());
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(DeelnemersFormTest)
#include "test_deelnemersform.moc"
