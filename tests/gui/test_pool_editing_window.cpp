#include "ui/Help.h"
#include "app/MainForm.h"
#include "participants/DeelnemersForm.h"
#include "pools/PoulesForm.h"
#include "pools/PoulesWijzigenForm.h"

#include "support/ModalDialogDriver.h"
#include "support/PoulesHulp.h"
#include "support/ScriptedMessageService.h"
#include "support/TestMain.h"

#include <QPushButton>
#include <QTableWidget>

namespace {

// The data rows of a grid as "letter|name|position".
QStringList rijen(const QTableWidget* grid) {
    QStringList result;
    for (int rij = 1; rij < PouleRooster::RowCount(grid); ++rij)
        result << PouleRooster::Cel(grid, 1, rij) + u'|' + PouleRooster::Cel(grid, 2, rij) + u'|' +
                      PouleRooster::Cel(grid, 3, rij);
    return result;
}

QString gekozen(const QTableWidget* grid) {
    return PouleRooster::Cel(grid, 2, PouleRooster::Row(grid));
}

void selecteer(QTableWidget* grid, const QString& naam) {
    for (int rij = 1; rij < PouleRooster::RowCount(grid); ++rij) {
        if (PouleRooster::Cel(grid, 2, rij) == naam)
            PouleRooster::SelecteerRij(grid, rij);
    }
}

} // namespace

class PoolEditingWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedMessages> m_berichten;
    std::unique_ptr<TMainForm> hoofd;

    ScriptedMessageService& berichten() { return **m_berichten; }
    const TDeelnemer& deelnemer(int index) {
        return *std::as_const(hoofd->Document()).Deelnemers()[std::size_t(index)];
    }

    // Participants "<name>|<pool>|<position>" in the pool stage, shown.
    void toon(const QStringList& regels) {
        TDeelnemerLijst lijst;
        for (const QString& regel : regels) {
            const QStringList d = regel.split(u'|');
            auto& nieuw = lijst.emplace_back(std::make_unique<TDeelnemer>(d[0], ""));
            nieuw->Poule = d[1].toInt();
            nieuw->Positie = d[2].toInt();
        }
        PoulesHulp::OpenPoules(hoofd->Document(), lijst);
    }

    // Runs the window as the pools window does while `acties` play on it.
    void wijzig(const std::function<void(TPoulesWijzigenForm&, ModalDialogDriver&)>& acties) {
        TPoulesWijzigenForm venster(hoofd->Document(), hoofd->PoulesForm);
        ModalDialogDriver bestuurder;
        acties(venster, bestuurder);
        venster.WijzigPoules();
        QCOMPARE(venster.result(), int(QDialog::Accepted)); // "&Sluiten" and Escape alike
        QCOMPARE(bestuurder.unexpected(), 0);
        QCOMPARE(bestuurder.pending(), 0);
    }

    // One late registration with this name, typed into the participant dialog.
    static void lateInschrijving(TPoulesWijzigenForm& venster, ModalDialogDriver& bestuurder,
                                 const QString& voornaam, const QString& achternaam) {
        // Clicked after the driver's action returns, so it can play the dialog.
        bestuurder.then([&venster](QWidget*) {
            QMetaObject::invokeMethod(venster.LateInschrijvingBitBtn, &QPushButton::click,
                                      Qt::QueuedConnection);
        });
        bestuurder.fillAndClick({voornaam, achternaam}, QStringLiteral("OKBitBtn"));
    }

private Q_SLOTS:
    void init() {
        m_berichten = std::make_unique<ScriptedMessages>();
        hoofd = std::make_unique<TMainForm>();
    }
    void cleanup() {
        QCOMPARE(berichten().unexpected(), 0);
        QVERIFY(berichten().allAnswersUsed());
        hoofd.reset();
        m_berichten.reset();
    }

    void opbouwEnIndeling() {
        TPoulesWijzigenForm venster(hoofd->Document(), hoofd->PoulesForm);
        QCOMPARE(helpContextOf(&venster), 1008);
        QCOMPARE(venster.size(), QSize(670, 300));
        QCOMPARE(TPoulesWijzigenForm::WisselTekst,
                 QStringLiteral("W\n\ri\n\rs\n\rs\n\re\n\rl\n\re\n\rn"));
        // On screen one letter a line, without stray carriage returns.
        QCOMPARE(venster.WisselBitBtn->text().split(u'\n'),
                 QStringList({"W", "i", "s", "s", "e", "l", "e", "n"}));

        venster.show();
        QVERIFY(QTest::qWaitForWindowExposed(&venster));
        venster.resize(500, 260);
        const int wissel = venster.WisselBitBtn->width();
        QCOMPARE(venster.SluitBitBtn->pos(), QPoint(258, 260 - 25 - 8));
        QCOMPARE(venster.LateInschrijvingBitBtn->geometry().right(), 250 - 8 - 1);
        QCOMPARE(venster.WisselBitBtn->geometry(), QRect(250 - wissel / 2, 8, wissel, 227 - 16));
        const int breedte = 250 - wissel / 2 - 16;
        QCOMPARE(venster.TabControlLinks->geometry(), QRect(8, 8, breedte, 211));
        QCOMPARE(venster.TabControlRechts->geometry(),
                 QRect(250 - wissel / 2 + wissel + 8, 8, breedte, 211));
        QCOMPARE(venster.StringGridRechts->geometry(),
                 venster.TabControlRechts->Pagina().adjusted(8, 8, -8, -8));
    }

    void wisselViaDePoulesWindow() {
        toon({"Piet|1|3", "Anna|2|2", "jan|1|1", "Bram|2|1", "Zoë|1|2", "Emma|2|3"});
        TPoulesForm& poules = *hoofd->PoulesForm;
        QVERIFY(poules.KnockoutBitBtn->isEnabled());
        berichten().queueAnswer(Answer::Yes); // positions are entered already
        ModalDialogDriver bestuurder;
        bestuurder.then([&](QWidget* dialoog) {
            auto& venster = *qobject_cast<TPoulesWijzigenForm*>(dialoog);
            QCOMPARE(venster.TabControlRechts->TabIndex(), 1);
            QCOMPARE(venster.focusWidget(), venster.StringGridLinks);
            // Not sorted: list order.
            QCOMPARE(rijen(venster.StringGridLinks),
                     QStringList({"A|Piet|3", "B|jan|1", "C|Zoë|2"}));
            venster.TabControlRechts->TabBar()->setCurrentIndex(0);
            venster.WisselBitBtnClick(); // the same pool on both sides
            QVERIFY(!hoofd->Document().Gewijzigd());

            venster.TabControlRechts->TabBar()->setCurrentIndex(1);
            QCOMPARE(venster.focusWidget(), venster.StringGridRechts);
            selecteer(venster.StringGridLinks, QStringLiteral("Zoë"));
            selecteer(venster.StringGridRechts, QStringLiteral("Bram"));
            QTest::mouseClick(venster.WisselBitBtn, Qt::LeftButton);
            QCOMPARE(deelnemer(4).Poule, 2);
            QCOMPARE(deelnemer(4).Positie, 2); // the position goes along
            QCOMPARE(deelnemer(3).Poule, 1);
            QCOMPARE(rijen(venster.StringGridLinks),
                     QStringList({"A|Piet|3", "B|jan|1", "C|Bram|1"}));
            QCOMPARE(gekozen(venster.StringGridLinks), QStringLiteral("Bram"));
            QCOMPARE(gekozen(venster.StringGridRechts), QStringLiteral("Zoë"));
            QVERIFY(hoofd->Document().Gewijzigd());
            QCOMPARE(poules.Cel(2, 1), QStringLiteral("jan")); // refreshed at once
            QCOMPARE(poules.Cel(2, 2), QStringLiteral("Bram"));
            QTest::keyClick(venster.StringGridLinks, Qt::Key_Escape);
        });
        QTest::mouseClick(poules.WijzigBitBtn, Qt::LeftButton);
        QCOMPARE(bestuurder.pending(), 0);
        QVERIFY(!poules.KnockoutBitBtn->isEnabled()); // pool 1 has two at position 1
        poules.PoulesTabControl->TabBar()->setCurrentIndex(1);
        QCOMPARE(poules.Cel(2, 2) + poules.Cel(3, 2), QStringLiteral("Zoë2"));
    }

    void eenPoule() {
        toon({"a|1|-1", "b|1|-1", "c|1|-1"});
        wijzig([this](TPoulesWijzigenForm& venster, ModalDialogDriver& bestuurder) {
            bestuurder.then([this, &venster](QWidget*) {
                QCOMPARE(venster.TabControlRechts->TabIndex(), 0);
                QCOMPARE(rijen(venster.StringGridRechts), rijen(venster.StringGridLinks));
                selecteer(venster.StringGridRechts, QStringLiteral("c"));
                venster.WisselBitBtnClick();
                QCOMPARE(deelnemer(0).Poule + deelnemer(2).Poule, 2);
                QVERIFY(!hoofd->Document().Gewijzigd());
                QTest::keyClick(venster.StringGridLinks, Qt::Key_Escape);
            });
        });
    }

    void lateInschrijvingen() {
        QStringList regels;
        for (int poule : {1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4})
            regels << QStringLiteral("P%1 %2|%1|-1").arg(poule).arg(regels.size());
        toon(regels);
        QStringList linksGekozen;
        for (int i = 0; i < 4; ++i)
            berichten().queueAnswer(i < 3 ? Answer::Yes : Answer::No);
        wijzig([&](TPoulesWijzigenForm& venster, ModalDialogDriver& bestuurder) {
            for (const char* naam : {"Laat", "Later", "Laatst", "Nooit"}) {
                lateInschrijving(venster, bestuurder, naam, QStringLiteral("Komer"));
                bestuurder.then([&](QWidget*) {
                    linksGekozen << QString::number(venster.TabControlLinks->TabIndex() + 1) +
                                        u'|' + gekozen(venster.StringGridLinks);
                });
            }
            bestuurder.click(QStringLiteral("SluitBitBtn"));
        });
        QCOMPARE(berichten().texts(),
                 QStringList({"Weet u zeker dat u Laat Komer wilt toevoegen aan poule 3?",
                              "Weet u zeker dat u Later Komer wilt toevoegen aan poule 4?",
                              "Weet u zeker dat u Laatst Komer wilt toevoegen aan poule 1?",
                              "Weet u zeker dat u Nooit Komer wilt toevoegen aan poule 2?"}));
        QCOMPARE(hoofd->Document().Deelnemers().size(), std::size_t(21)); // "No" added nobody
        QCOMPARE(deelnemer(18).Poule * 100 + deelnemer(19).Poule * 10 + deelnemer(20).Poule, 341);
        QCOMPARE(deelnemer(20).Positie, -1);
        // The left side shows the chosen pool with the newcomer selected.
        QCOMPARE(linksGekozen.mid(0, 3),
                 QStringList({"3|Laat Komer", "4|Later Komer", "1|Laatst Komer"}));
        QVERIFY(hoofd->Document().NaamBestaat("Laatst", "Komer"));
        QCOMPARE(hoofd->DeelnemersForm->RowCount(), 18 + 3 + 2);
        QVERIFY(hoofd->Document().Gewijzigd());
        QCOMPARE(hoofd->PoulesForm->Cel(1, 6) + hoofd->PoulesForm->Cel(2, 6),
                 QStringLiteral("FLaatst Komer"));
    }

    void dubbeleNaam() {
        toon({"Piet|1|-1", "Anna|2|-1"});
        berichten().queueAnswer(Answer::Yes);
        berichten().queueAnswer(Answer::Yes);
        wijzig([&](TPoulesWijzigenForm& venster, ModalDialogDriver& bestuurder) {
            lateInschrijving(venster, bestuurder, "Piet", "");
            lateInschrijving(venster, bestuurder, "piet", ""); // other capitals: accepted
            lateInschrijving(venster, bestuurder, "piet", "");
            // A pasted line break is a blank, so this name is already there.
            lateInschrijving(venster, bestuurder, "Jan\r\nKees", "");
            lateInschrijving(venster, bestuurder, "Jan Kees", "");
            bestuurder.click(QStringLiteral("SluitBitBtn"));
        });
        const QString dubbel = QStringLiteral("Er bestaat reeds een deelnemer met deze naam.");
        QCOMPARE(berichten().texts(),
                 QStringList({dubbel, "Weet u zeker dat u piet wilt toevoegen aan poule 1?", dubbel,
                              "Weet u zeker dat u Jan Kees wilt toevoegen aan poule 2?", dubbel}));
        QCOMPARE(berichten().calls().at(0).kind, MessageKind::Information);
        QCOMPARE(hoofd->Document().Deelnemers().size(), std::size_t(4));
        QCOMPARE(deelnemer(3).Voornaam, QStringLiteral("Jan Kees"));
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(PoolEditingWindowTest)
#include "test_pool_editing_window.moc"
