#include "app/MainForm.h"
#include "model/Knockout.h"
#include "participants/DeelnemersForm.h"
#include "pools/PoulesForm.h"
#include "ui/Help.h"

#include "support/ModalDialogDriver.h"
#include "support/PoulesHulp.h"
#include "support/ScriptedMessageService.h"
#include "support/TestMain.h"

#include <QAccessible>
#include <QDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QToolButton>

#include <tuple>

namespace {

const QString TerugVraag = QStringLiteral(
    "De knockouts zijn reeds bezig. Wilt u die beëindigen en terugkeren naar de poulewedstrijden?");
const QString IndelenVraag =
    QStringLiteral("De knockouts zijn reeds bezig. Wilt u die beëindigen en opnieuw indelen?");

// Pool 1 of five and pool 2 of four, mixed in the list as a draw leaves
// them, with a complete result. Pool 1 in list order: Piet (A), jan (B),
// Kees (C), Zoë (D), Anna (E).
const struct {
    const char* naam;
    int poule;
    int positie;
} Spelers[] = {{"Piet", 1, 3}, {"Anna Smit", 2, 2}, {"jan", 1, 1},  {"Kees", 1, 5}, {"Bram", 2, 1},
               {"Zoë", 1, 2},  {"Emma", 2, 4},      {"Anna", 1, 4}, {"Lotte", 2, 3}};

QWidget* volgendeTab(QWidget* widget) {
    QWidget* volgende = widget->nextInFocusChain();
    while (volgende != widget && !(volgende->focusPolicy() & Qt::TabFocus))
        volgende = volgende->nextInFocusChain();
    return volgende;
}

} // namespace

class PoolsWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedMessages> m_berichten;
    std::unique_ptr<TMainForm> hoofd;
    TPoulesForm* f = nullptr;

    ScriptedMessageService& berichten() { return **m_berichten; }

    const TDeelnemer& deelnemer(const QString& naam) {
        for (const auto& d : std::as_const(hoofd->Document()).Deelnemers()) {
            if (d->Naam() == naam)
                return *d;
        }
        qFatal("no participant %s", qPrintable(naam));
    }

    // The data rows as "letter|name|position".
    QStringList rijen() {
        QStringList result;
        for (int rij = 1; rij < f->RowCount(); ++rij)
            result << f->Cel(1, rij) + u'|' + f->Cel(2, rij) + u'|' + f->Cel(3, rij);
        return result;
    }
    QString gekozen() { return f->Cel(2, f->Row()); }
    void selecteer(const QString& naam) {
        for (int rij = 1; rij < f->RowCount(); ++rij) {
            if (f->Cel(2, rij) == naam)
                f->SelecteerRij(rij);
        }
        QCOMPARE(gekozen(), naam);
    }
    void typ(Qt::Key toets) { QTest::keyClick(f->DeelnemersStringGrid, toets); }
    void klikKop(int kolom) {
        QHeaderView* kop = f->DeelnemersStringGrid->horizontalHeader();
        QTest::mouseClick(kop->viewport(), Qt::LeftButton, {},
                          {kop->sectionViewportPosition(kolom - 1) + 5, 5});
    }

    // The standard tournament in the pool stage, shown, nothing changed yet.
    void toon(bool compleet) {
        TDeelnemerLijst lijst;
        for (const auto& speler : Spelers) {
            auto& d = lijst.emplace_back(std::make_unique<TDeelnemer>());
            d->Voornaam = QString::fromUtf8(speler.naam);
            d->Poule = speler.poule;
            d->Positie = compleet ? speler.positie : -1;
        }
        PoulesHulp::OpenPoules(hoofd->Document(), lijst);
        QVERIFY(QTest::qWaitForWindowExposed(f));
    }

private Q_SLOTS:
    void init() {
        m_berichten = std::make_unique<ScriptedMessages>();
        hoofd = std::make_unique<TMainForm>();
        f = hoofd->PoulesForm;
    }
    void cleanup() {
        QCOMPARE(berichten().unexpected(), 0);
        QVERIFY(berichten().allAnswersUsed());
        hoofd.reset();
        m_berichten.reset();
    }

    void opbouwEnIndeling() {
        QVERIFY(!f->isVisible());
        QCOMPARE(helpContextOf(f), 1003);
        // Wider by the print button, beside the participant window, which
        // stands beside the main window.
        QCOMPARE(f->size(), QSize(340, 305));
        const QWidget* deelnemers = hoofd->DeelnemersForm.get();
        QCOMPARE(deelnemers->pos(), QPoint(hoofd->width() + 18, 0));
        // Moved back where the screen ends before it.
        const QRect scherm = f->screen()->availableGeometry();
        QCOMPARE(f->pos(), QPoint(std::min(deelnemers->x() + deelnemers->width() + 10,
                                           scherm.right() + 1 - f->width()),
                                  0));
        QVERIFY(scherm.contains(f->frameGeometry()));
        QVERIFY(!(f->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!f->KnockoutBitBtn->isEnabled());
        QTableWidget* grid = f->DeelnemersStringGrid;
        QCOMPARE(f->RowCount(), 2);
        QCOMPARE(volgendeTab(f->PoulesTabControl->TabBar()), grid);
        QCOMPARE(volgendeTab(grid), f->WijzigBitBtn);

        toon(false);
        f->resize(400, 330);
        // Client area 380 x 310 inside the border; w = (380 - 25) div 3 = 118.
        QCOMPARE(f->WijzigBitBtn->parentWidget()->geometry(), QRect(10, 10, 380, 310));
        // The square print button closes the row.
        QCOMPARE(f->WijzigBitBtn->geometry(), QRect(0, 285, 118, 25));
        QCOMPARE(f->ExcelBitBtn->geometry(), QRect(118, 285, 118, 25));
        QCOMPARE(f->KnockoutBitBtn->geometry(), QRect(236, 285, 118, 25));
        QCOMPARE(f->AfdrukBitBtn->geometry(), QRect(355, 285, 25, 25));
        QCOMPARE(f->PoulesTabControl->geometry(), QRect(0, 0, 380, 275));
        const QRect pagina = f->PoulesTabControl->Pagina();
        QCOMPARE(pagina, QRect(0, pagina.top(), 380, 275 - pagina.top()));
        QCOMPARE(grid->geometry(), pagina.adjusted(8, 8, -8, -8));
        // The letter and position columns are 25 wide, or wider where the
        // font needs it for "n.o."; the name takes the rest.
        const int smal = grid->columnWidth(0);
        QVERIFY(smal >= 25);
        QCOMPARE(grid->columnWidth(2), smal);
        QTRY_COMPARE(grid->columnWidth(1), grid->viewport()->width() - 2 * smal);
    }

    void toonPoules() {
        toon(false);
        QCOMPARE(f->PoulesTabControl->AantalTabs(), 2);
        QCOMPARE(f->PoulesTabControl->TabTekst(1), QStringLiteral("Poule 2"));
        QCOMPARE(rijen(), QStringList({"A|Piet|n.o.", "B|jan|n.o.", "C|Kees|n.o.", "D|Zoë|n.o.",
                                       "E|Anna|n.o."}));
        QCOMPARE(f->Cel(0, 5), QStringLiteral("7")); // the index in the list
        QCOMPARE(f->focusWidget(), f->DeelnemersStringGrid);
        TPouleTabBalk* balk = f->PoulesTabControl->TabBar();
        QTest::mouseClick(balk, Qt::LeftButton, {}, balk->tabRect(1).center());
        QCOMPARE(rijen(),
                 QStringList({"A|Anna Smit|n.o.", "B|Bram|n.o.", "C|Emma|n.o.", "D|Lotte|n.o."}));

        // A complete result: sorted on position, "Knockout -->" open, and the
        // first row's participant still selected.
        toon(true);
        QVERIFY(f->KnockoutBitBtn->isEnabled());
        QCOMPARE(f->PoulesTabControl->TabIndex(), 0);
        QCOMPARE(rijen(), QStringList({"B|jan|1", "D|Zoë|2", "A|Piet|3", "E|Anna|4", "C|Kees|5"}));
        QCOMPARE(gekozen(), QStringLiteral("Piet"));
    }

    // The index column is the window's own bookkeeping: a screen reader sees
    // the letter, the name and the position only.
    void schermlezerZietGeenIndex() {
        toon(false);
        QAccessibleTableInterface* tabel =
            QAccessible::queryAccessibleInterface(f->DeelnemersStringGrid)->tableInterface();
        QCOMPARE(tabel->columnCount(), 3);
        // Qt makes the header cells for the asker and does not keep them.
        const QList<QAccessibleInterface*> koppen =
            tabel->cellAt(0, 0)->tableCellInterface()->columnHeaderCells();
        QCOMPARE(koppen.at(0)->text(QAccessible::Name), QStringLiteral("Nr"));
        for (QAccessibleInterface* kop : koppen)
            QAccessible::deleteAccessibleInterface(QAccessible::registerAccessibleInterface(kop));
        QCOMPARE(tabel->cellAt(4, 1)->text(QAccessible::Name), QStringLiteral("Anna"));
    }

    void positiesTypen() {
        toon(true);
        selecteer(QStringLiteral("Zoë"));
        // The window sees the key whichever control has the focus.
        f->WijzigBitBtn->setFocus();
        QTest::keyClick(f->WijzigBitBtn, Qt::Key_0);
        QCOMPARE(deelnemer("Zoë").Positie, -1);
        QCOMPARE(rijen().last(), QStringLiteral("D|Zoë|n.o."));
        QCOMPARE(gekozen(), QStringLiteral("Zoë"));
        QVERIFY(!f->KnockoutBitBtn->isEnabled());
        QVERIFY(hoofd->Document().Gewijzigd());
        QCOMPARE(f->focusWidget(), f->DeelnemersStringGrid);

        typ(Qt::Key_2);
        QVERIFY(f->KnockoutBitBtn->isEnabled());
        selecteer(QStringLiteral("Piet")); // at 3
        typ(Qt::Key_2);
        QCOMPARE(rijen(), QStringList({"B|jan|1", "D|Zoë|2", "A|Piet|2", "E|Anna|4", "C|Kees|5"}));
        QVERIFY(!f->KnockoutBitBtn->isEnabled()); // two at position 2

        typ(Qt::Key_7); // pool of 5: clears without a word
        QCOMPARE(deelnemer("Piet").Positie, -1);
        hoofd->ZetGewijzigd(false);
        typ(Qt::Key_Period); // already open: nothing
        // Keys held with Ctrl belong to shortcuts.
        QTest::keyClick(f->DeelnemersStringGrid, Qt::Key_3, Qt::ControlModifier);
        QVERIFY(!hoofd->Document().Gewijzigd());
        QVERIFY(berichten().calls().isEmpty());
    }

    // Typing down the pool: each typed row re-sorts, but Down goes on to the
    // row that stood below it, and Up back.
    void positiesRijVoorRijTypen() {
        toon(false);
        QCOMPARE(gekozen(), QStringLiteral("Piet"));
        const Qt::Key toetsen[] = {Qt::Key_3, Qt::Key_Down, Qt::Key_1,    Qt::Key_Down,
                                   Qt::Key_5, Qt::Key_Up,   Qt::Key_Down, Qt::Key_Down,
                                   Qt::Key_2, Qt::Key_Down, Qt::Key_4,    Qt::Key_Down};
        for (Qt::Key toets : toetsen)
            typ(toets);
        QCOMPARE(gekozen(), QStringLiteral("Anna")); // the last row typed
        QCOMPARE(rijen(), QStringList({"B|jan|1", "D|Zoë|2", "A|Piet|3", "E|Anna|4", "C|Kees|5"}));
    }

    void invoervak() {
        toon(false);
        selecteer(QStringLiteral("Kees"));
        berichten().queueInput(QStringLiteral("6"));
        typ(Qt::Key_Return);
        QCOMPARE(berichten().calls().size(), 2);
        const MessageCall vraag = berichten().calls().at(0);
        QCOMPARE(vraag.file.title, QStringLiteral("Eindstand invoeren"));
        QCOMPARE(vraag.text, QStringLiteral("Op welke plaats is Kees geëindigd?"));
        QCOMPARE(vraag.file.fileName, QString()); // "n.o." offers nothing
        QCOMPARE(berichten().calls().at(1).text,
                 QStringLiteral(
                     "Dit is een te grote waarde. Er zitten slechts 5 deelnemers in deze poule."));
        QCOMPARE(deelnemer("Kees").Positie, -1);

        berichten().queueInput(QStringLiteral(" 3"));
        typ(Qt::Key_Enter);
        QCOMPARE(rijen().first(), QStringLiteral("C|Kees|3"));
        QVERIFY(hoofd->Document().Gewijzigd());
        hoofd->ZetGewijzigd(false);
        berichten().clear();
        berichten().queueInput(QStringLiteral("4 "));
        berichten().queueInput(std::nullopt);
        typ(Qt::Key_Return);
        QCOMPARE(berichten().calls().at(0).file.fileName, QStringLiteral("3"));
        QCOMPARE(berichten().texts().at(1), QStringLiteral("U hebt geen geldig getal ingevoerd."));
        typ(Qt::Key_Return); // Cancel answers the default
        QCOMPARE(deelnemer("Kees").Positie, 3);
        QVERIFY(!hoofd->Document().Gewijzigd());

        const QTableWidget* grid = f->DeelnemersStringGrid;
        const QPoint punt = grid->visualRect(grid->model()->index(3, 1)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, punt);
        berichten().queueInput(QString());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, punt);
        QCOMPARE(berichten().calls().last().text,
                 QStringLiteral("Op welke plaats is Zoë geëindigd?"));
        QVERIFY(hoofd->Document().Gewijzigd()); // an empty answer clears, even an open position
    }

    void kolomkoppenSorteren() {
        toon(false);
        selecteer(QStringLiteral("Kees"));
        typ(Qt::Key_2);
        selecteer(QStringLiteral("Anna"));
        typ(Qt::Key_1);
        selecteer(QStringLiteral("Zoë"));
        klikKop(2);
        QCOMPARE(f->SorteerKolom, 2);
        // Ordinal: a lower-case initial after every capital.
        QCOMPARE(rijen(),
                 QStringList({"E|Anna|1", "C|Kees|2", "A|Piet|n.o.", "D|Zoë|n.o.", "B|jan|n.o."}));
        QCOMPARE(gekozen(), QStringLiteral("Zoë"));
        klikKop(3);
        QCOMPARE(rijen().mid(0, 2), QStringList({"E|Anna|1", "C|Kees|2"}));
        klikKop(1);
        QCOMPARE(rijen(),
                 QStringList({"A|Piet|n.o.", "B|jan|n.o.", "C|Kees|2", "D|Zoë|n.o.", "E|Anna|1"}));
        QCOMPARE(gekozen(), QStringLiteral("Zoë"));
    }

    void knockoutBezig() {
        toon(false);
        hoofd->ZetProgrammastatus(psKnockout);
        selecteer(QStringLiteral("Kees"));
        berichten().queueAnswer(Answer::No);
        berichten().queueAnswer(Answer::No);
        typ(Qt::Key_3);
        typ(Qt::Key_Return); // No: no input box either
        QCOMPARE(berichten().texts(), QStringList({TerugVraag, TerugVraag}));
        QCOMPARE(deelnemer("Kees").Positie, -1);
        QCOMPARE(hoofd->Document().Programmastatus(), psKnockout);
        QVERIFY(!hoofd->Document().Gewijzigd());

        berichten().queueAnswer(Answer::Yes);
        typ(Qt::Key_3);
        QCOMPARE(hoofd->Document().Programmastatus(), psPoules);
        QVERIFY(!hoofd->KnockoutBitBtn->isEnabled()); // ZetProgrammastatus(psPoules) ran
        QCOMPARE(deelnemer("Kees").Positie, 3);
    }

    void knoppen() {
        toon(true);
        ModalDialogDriver bestuurder;
        bestuurder.click(QStringLiteral("AnnuleerBitBtn"));
        QTest::mouseClick(f->KnockoutBitBtn, Qt::LeftButton);
        QCOMPARE(bestuurder.seen().at(0).title, QStringLiteral("Knockout-indeling"));

        hoofd->ZetProgrammastatus(psKnockout);
        berichten().queueAnswer(Answer::No);
        QTest::mouseClick(f->KnockoutBitBtn, Qt::LeftButton);
        berichten().queueAnswer(Answer::Yes);
        bestuurder.then([](QWidget* dialoog) { qobject_cast<QDialog*>(dialoog)->reject(); });
        QTest::mouseClick(f->KnockoutBitBtn, Qt::LeftButton);
        QCOMPARE(berichten().texts(), QStringList({IndelenVraag, IndelenVraag}));
        // Agreed to end the knockout: cancelling the division still ends it.
        QCOMPARE(hoofd->Document().Programmastatus(), psPoules);
        QCOMPARE(hoofd->Document().OngedaanMakenOmschrijving(),
                 QStringLiteral("knockout-indeling"));

        berichten().clear();
        berichten().queueAnswer(Answer::No);
        QTest::mouseClick(f->WijzigBitBtn, Qt::LeftButton);
        berichten().queueAnswer(Answer::Yes);
        bestuurder.click(QStringLiteral("SluitBitBtn"));
        QTest::mouseClick(f->WijzigBitBtn, Qt::LeftButton);
        const QString vraag =
            QStringLiteral("Er zijn reeds 1 of meerdere poule-eindstanden "
                           "ingevuld. Weet u zeker dat u de poules wilt wijzigen?");
        QCOMPARE(berichten().texts(), QStringList({vraag, vraag}));
        QCOMPARE(bestuurder.seen().last().title, QStringLiteral("Poules wijzigen"));
        QCOMPARE(bestuurder.seen().size(), 2);
        QCOMPARE(bestuurder.pending(), 0);
        QCOMPARE(bestuurder.unexpected(), 0);
    }

    // A seeded draw that cannot complete a bracket: the draw tells nobody,
    // the window that asked for it shows why.
    void onvolledigeKnockout() {
        TDeelnemerLijst lijst;
        const std::tuple<const char*, int, int> spelers[] = {{"Jan", 1, 1},  {"Piet", 1, 2},
                                                             {"Kees", 1, 9}, {"Anna", 2, 1},
                                                             {"Bram", 2, 2}, {"Emma", 2, 3}};
        for (const auto& [naam, poule, positie] : spelers) {
            auto& d = lijst.emplace_back(std::make_unique<TDeelnemer>(naam, QString()));
            d->Poule = poule;
            d->Positie = positie; // 9: a place the seeded draw never looks for
        }
        PoulesHulp::OpenPoules(hoofd->Document(), lijst);
        ModalDialogDriver bestuurder;
        bestuurder.click(QStringLiteral("OKBitBtn")); // the best 2 to the winners' round
        QTest::mouseClick(f->KnockoutBitBtn, Qt::LeftButton);
        QCOMPARE(berichten().texts(), QStringList{TKnockout::MeldingOnvolledig(2)});
        QCOMPARE(berichten().calls().at(0).helpContext, TKnockout::HelpContextIndeling);
        QCOMPARE(hoofd->Document().Programmastatus(), psKnockout);
    }

    void veelPoules() {
        TDeelnemerLijst lijst;
        for (int i = 0; i < 180; ++i)
            lijst.emplace_back(std::make_unique<TDeelnemer>("S", QString::number(i)))->Poule =
                i % 60 + 1;
        PoulesHulp::OpenPoules(hoofd->Document(), lijst);
        QVERIFY(QTest::qWaitForWindowExposed(f));
        TPouleTabBalk* balk = f->PoulesTabControl->TabBar();
        QCOMPARE(balk->tabText(59), QStringLiteral("Poule 60"));
        QVERIFY(balk->RechtsKnop->isVisible() && !balk->LinksKnop->isEnabled());
        QTest::mouseClick(balk->RechtsKnop, Qt::LeftButton);
        QCOMPARE(balk->EersteZichtbare(), 1);
        QCOMPARE(balk->currentIndex(), 0); // scrolling chooses nothing

        balk->setFocus();
        QTest::keyClick(balk, Qt::Key_Right);
        QTest::keyClick(balk, Qt::Key_Left);
        QCOMPARE(balk->EersteZichtbare(), 0); // the chosen tab comes into view
        balk->setCurrentIndex(59);
        QVERIFY(balk->tabRect(59).right() < balk->LinksKnop->x());
        QVERIFY(!balk->RechtsKnop->isEnabled());
        QCOMPARE(f->Cel(2, 1), QStringLiteral("S 59"));
        const int eerste = balk->EersteZichtbare();
        QTest::mouseClick(balk, Qt::LeftButton, {}, balk->tabRect(eerste).center());
        QCOMPARE(f->Cel(0, 1), QString::number(eerste));
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(PoolsWindowTest)
#include "test_pools_window.moc"
