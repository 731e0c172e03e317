// The courts window as the organiser meets it on the day: a plan made for a
// small tournament, a score that frees a court and the next match appearing
// on it, a move by keyboard and by drag that the clash list answers at once,
// and the settings dialog's reading of what was typed.
#include "app/MainForm.h"
#include "app/PresentatieForm.h"
#include "courts/BanenForm.h"
#include "courts/DagInstellingenForm.h"
#include "courts/VerplaatsForm.h"
#include "model/ToernooiDocument.h"

#include "support/ModalDialogDriver.h"
#include "support/PoulesHulp.h"
#include "support/ScriptedMessageService.h"
#include "support/TestMain.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTimeEdit>

using namespace Planning;

namespace {

const char* const Namen[][2] = {{"Jeffrey", "Hoffmann"}, {"Jan van der", "Berg"},
                                {"Piet", "Bakker"},      {"Fatima", "el Amrani"},
                                {"Kees", "de Vries"},    {"Anouk", "Jansen-Smit"},
                                {"Sven", "Dijkstra"},    {"Lotte", "Meijer"}};

QString Cel(const QTableView* grid, int rij, int kolom) {
    return grid->model()->index(rij, kolom).data().toString();
}

QString Paar(const TDagWedstrijd& w) {
    return w.Boven + QStringLiteral(" – ") + w.Onder;
}

} // namespace

class CourtsWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedMessages> m_berichten;
    std::unique_ptr<TMainForm> hoofd;
    TBanenForm* f = nullptr;

    TToernooiDocument& document() { return hoofd->Document(); }

    // Two pools of four on two courts of 20 minutes from 9:00, with a
    // slot of rest, planned from the window.
    void plan() {
        TDeelnemerLijst lijst;
        for (int i = 0; i < 8; ++i) {
            auto d = std::make_unique<TDeelnemer>(QString::fromUtf8(Namen[i][0]),
                                                  QString::fromUtf8(Namen[i][1]));
            d->Poule = i % 2 + 1;
            lijst.push_back(std::move(d));
        }
        PoulesHulp::OpenPoules(document(), lijst);
        TDagInstellingen instellingen;
        instellingen.Plan.Banen = 2;
        instellingen.Plan.RustSlots = 1;
        instellingen.Baannamen = QStringList{QString(), QStringLiteral("Tafel 3")};
        document().ZetDagInstellingen(instellingen);
        hoofd->BanenBitBtn->click();
        f = hoofd->BanenForm;
        QVERIFY(QTest::qWaitForWindowExposed(f));
        f->PlanningBitBtn->click();
        QTRY_VERIFY(f->ResultaatLabel->text().startsWith(QStringLiteral("Klaar om ")));
        // Both pools' six matches, and both brackets after them.
        QCOMPARE(std::count_if(f->Overzicht().Wedstrijden.begin(), f->Overzicht().Wedstrijden.end(),
                               [](const TDagWedstrijd& w) { return w.Plek.KnockoutNr == 0; }),
                 12);
        QCOMPARE(f->PlanningGrid->model()->headerData(1, Qt::Horizontal).toString(),
                 QStringLiteral("Tafel 3"));
        QVERIFY(f->Overzicht().Botsingen.isEmpty());
    }

private Q_SLOTS:
    void init() {
        m_berichten = std::make_unique<ScriptedMessages>();
        hoofd = std::make_unique<TMainForm>();
        document().ZetKlok([] { return QDateTime(QDate(2026, 3, 14), QTime(9, 0)); });
    }

    void cleanup() {
        hoofd.reset();
        QCOMPARE((*m_berichten)->unexpected(), 0);
        m_berichten.reset();
    }

    void aScoreCallsTheNextMatchToTheFreedCourtAndOproepenShowsIt() {
        plan();
        if (QTest::currentTestFailed())
            return;
        // The first match of the day on court 1, called if the plan did not.
        int nu = f->Stand().at(0).Nu;
        if (nu < 0) {
            const int eerste = f->Stand().at(0).Volgende;
            QVERIFY(eerste >= 0);
            QVERIFY(document().RoepOp(f->Overzicht().Wedstrijden[std::size_t(eerste)].Plek, 0));
            QTRY_VERIFY(f->Stand().at(0).Nu == eerste);
            nu = eerste;
        }
        const TDagWedstrijd gespeeld = f->Overzicht().Wedstrijden[std::size_t(nu)];
        QCOMPARE(Cel(f->BanenGrid, 0, 1), Paar(gespeeld));

        QVERIFY(document().ZetPouleUitslag(gespeeld.Plek.Poule, gespeeld.Plek.Nummer,
                                           {{21, 15}, {21, 18}}));
        QTRY_VERIFY(f->Stand().at(0).Nu >= 0 &&
                    f->Overzicht().Wedstrijden[std::size_t(f->Stand().at(0).Nu)].Plek !=
                        gespeeld.Plek);
        const TDagWedstrijd volgende = f->Overzicht().Wedstrijden[std::size_t(f->Stand().at(0).Nu)];
        QCOMPARE(volgende.Toestand, TDagToestand::Opgeroepen);
        QCOMPARE(volgende.Baan, 0);
        // Nobody of the match just played plays again at once: there is rest.
        for (int speler : gespeeld.Deelnemers)
            QVERIFY(std::find(volgende.Deelnemers.begin(), volgende.Deelnemers.end(), speler) ==
                    volgende.Deelnemers.end());
        QCOMPARE(Cel(f->BanenGrid, 0, 1), Paar(volgende));

        // Without a choice, "Oproepen" puts what is on every court on the
        // presentation, court 1 first.
        f->OproepenBitBtn->click();
        QVERIFY(hoofd->PresentatieForm.Gemaakt());
        const QStringList oproep = hoofd->PresentatieForm->Oproep();
        QVERIFY(!oproep.isEmpty());
        QCOMPARE(oproep.front(), QStringLiteral("Baan 1: ") + Paar(volgende));
        hoofd->PresentatieForm->close();
    }

    void aMoveByKeyboardIntoAClashShowsItAndADragBackClearsIt() {
        plan();
        if (QTest::currentTestFailed())
            return;
        // Two matches of one participant; the later one goes onto the
        // earlier one's start, on the other court.
        const auto& wedstrijden = f->Overzicht().Wedstrijden;
        int eerste = -1, tweede = -1;
        for (std::size_t a = 0; a < wedstrijden.size() && tweede < 0; ++a)
            for (std::size_t b = a + 1; b < wedstrijden.size() && tweede < 0; ++b)
                for (int speler : wedstrijden[a].Deelnemers)
                    if (wedstrijden[b].Begin > wedstrijden[a].Begin &&
                        std::count(wedstrijden[b].Deelnemers.begin(),
                                   wedstrijden[b].Deelnemers.end(), speler)) {
                        eerste = int(a);
                        tweede = int(b);
                    }
        QVERIFY(tweede >= 0);
        const TDagWedstrijd doel = wedstrijden[std::size_t(eerste)];
        const TDagWedstrijd verplaatst = wedstrijden[std::size_t(tweede)];
        const int andereBaan = 1 - doel.Baan;
        const QString tijd = TijdTekst(document().DagInstellingen(), doel.Begin);

        QVERIFY(f->KiesWedstrijd(tweede));
        f->PlanningGrid->setFocus();
        ModalDialogDriver bestuurder;
        bestuurder.then([&](QWidget* dialoog) {
            auto* d = qobject_cast<TVerplaatsForm*>(dialoog);
            QVERIFY(d);
            QTest::keyClick(d->BaanComboBox, andereBaan ? Qt::Key_End : Qt::Key_Home);
            QTest::keyClick(d->BaanComboBox, Qt::Key_Tab);
            QTest::keyClicks(d->BeginEdit, QString(tijd).remove(u':'));
            QTest::keyClick(d->BeginEdit, Qt::Key_Return);
        });
        QTest::keyClick(f->PlanningGrid, Qt::Key_Return);
        QCOMPARE(bestuurder.pending(), 0);
        QTRY_VERIFY(!f->Overzicht().Botsingen.isEmpty());
        QVERIFY(f->BotsingenLijst->count() > 0);
        QVERIFY(f->BotsingenLabel->text().contains(QStringLiteral("dat botst")));
        const int index = f->GekozenWedstrijd();
        QVERIFY(index >= 0);
        QCOMPARE(f->Overzicht().Wedstrijden[std::size_t(index)].Plek, verplaatst.Plek);
        QCOMPARE(f->Overzicht().Wedstrijden[std::size_t(index)].Baan, andereBaan);

        // Dragged back to where it was planned, the clash is gone.
        QAbstractItemModel* model = f->PlanningGrid->model();
        const QModelIndex bron = f->PlanningGrid->currentIndex();
        std::unique_ptr<QMimeData> data(model->mimeData({bron}));
        QVERIFY(data);
        int rij = 0;
        while (rij < model->rowCount() &&
               model->headerData(rij, Qt::Vertical).toString() !=
                   TijdTekst(document().DagInstellingen(), verplaatst.Begin))
            ++rij;
        QVERIFY(model->dropMimeData(data.get(), Qt::MoveAction, -1, -1,
                                    model->index(rij, verplaatst.Baan)));
        QTRY_VERIFY(f->Overzicht().Botsingen.isEmpty());
        QCOMPARE(f->BotsingenLijst->count(), 0);
    }

    void theSettingsDialogReadsWhatWasTyped_data() {
        QTest::addColumn<QStringList>("pauze"); // from, to
        QTest::addColumn<QString>("baan2");
        QTest::addColumn<bool>("goed");
        QTest::addColumn<int>("van");
        QTest::addColumn<int>("tot");
        QTest::newRow("a break at noon")
            << QStringList{"12:30", "13.15"} << "Baan 2" << true << 210 << 255;
        QTest::newRow("past midnight")
            << QStringList{"23:45", "0:30"} << "Tafel 3" << true << 885 << 930;
        QTest::newRow("ends before it begins")
            << QStringList{"13:00", "12:00"} << "" << false << 0 << 0;
        QTest::newRow("no time") << QStringList{"half een", "13:00"} << "" << false << 0 << 0;
        QTest::newRow("two courts of one name") << QStringList{} << "baan 1" << false << 0 << 0;
    }

    void theSettingsDialogReadsWhatWasTyped() {
        QFETCH(QStringList, pauze);
        QFETCH(QString, baan2);
        QFETCH(bool, goed);
        TDagInstellingenForm dialoog(nullptr);
        TDagInstellingen basis;
        basis.Plan.Banen = 3;
        basis.Plan.Pauzes = {{60, 90}}; // 10:00 to 10:30, which overlaps nothing here
        ModalDialogDriver bestuurder;
        bestuurder.then([&](QWidget*) {
            if (!pauze.isEmpty()) {
                dialoog.PauzeToevoegenBitBtn->click();
                QTableWidget* grid = dialoog.PauzesGrid;
                grid->item(grid->rowCount() - 1, 0)->setText(pauze[0]);
                grid->item(grid->rowCount() - 1, 1)->setText(pauze[1]);
            }
            if (!baan2.isEmpty())
                dialoog.BaannamenGrid->item(1, 0)->setText(baan2);
            dialoog.OKBitBtn->click();
            if (dialoog.isVisible())
                dialoog.reject();
        });
        const auto uit = dialoog.Wijzig(basis);
        QCOMPARE(uit.has_value(), goed);
        QCOMPARE((*m_berichten)->calls().size(), goed ? 0 : 1);
        (*m_berichten)->clear();
        if (!goed)
            return;
        QCOMPARE(uit->Plan.Pauzes.size(), std::size_t(2));
        QFETCH(int, van);
        QFETCH(int, tot);
        QCOMPARE(uit->Plan.Pauzes[1], (TPauze{van, tot}));
        // Names left as offered are kept as none.
        QCOMPARE(uit->Baannamen.isEmpty(), baan2 == QStringLiteral("Baan 2"));
        QCOMPARE(BaanNaam(*uit, 1), baan2);
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(CourtsWindowTest)
#include "test_courts_window.moc"
