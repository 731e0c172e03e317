#include "ui/Help.h"
#include "ui/HelpVenster.h"
#include "app/MainForm.h"
#include "support/ScriptedMessageService.h"
#include "support/TestMain.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTextBrowser>
#include <QTimer>

#include <memory>

namespace {

// Counts the F1 presses that reach it, to tell whether help took the key.
class ToetsTeller : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    int f1 = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_F1)
            ++f1;
        QLineEdit::keyPressEvent(event);
    }
};

QList<THelpVenster*> helpVensters() {
    QList<THelpVenster*> vensters;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* venster = qobject_cast<THelpVenster*>(widget))
            vensters.append(venster);
    }
    return vensters;
}

QString broncode(const QUrl& pagina) {
    QFile bestand(u':' + pagina.path());
    return bestand.open(QIODevice::ReadOnly) ? QString::fromUtf8(bestand.readAll()) : QString();
}

QString huidigeInhoudsregel(const THelpVenster& venster) {
    const QListWidgetItem* item = venster.InhoudLijst()->currentItem();
    return item ? item->text() : QString();
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QVERIFY(helpVensters().isEmpty()); }

    void everyContextHasItsOwnPageAndAnyOtherTheContents() {
        THelp help;
        QSet<QUrl> paginas;
        for (int context = HelpContext::Hoofdvenster; context <= HelpContext::PoulesWijzigen;
             ++context) {
            help.ToonContext(context);
            const THelpVenster& venster = *help.Venster();
            QVERIFY(venster.isVisible());
            QCOMPARE(venster.Pagina(), THelpVenster::PaginaVan(context));
            QVERIFY2(!venster.Titel().isEmpty(), qPrintable(venster.Pagina().toString()));
            QVERIFY(venster.PaginaView()->toPlainText().size() > 200);
            QCOMPARE(huidigeInhoudsregel(venster), venster.Titel());
            paginas.insert(venster.Pagina());
        }
        QCOMPARE(paginas.size(), 9);
        QVERIFY(!paginas.contains(THelpVenster::StandaardPagina()));
        QCOMPARE(helpVensters().size(), 1);

        for (int context : {0, -1, 999, 1099}) {
            help.ToonContext(HelpContext::Poules);
            help.ToonContext(context);
            QCOMPARE(help.Venster()->Pagina(), THelpVenster::StandaardPagina());
        }
        help.ToonContext(HelpContext::Poules);
        help.ToonStandaard();
        QCOMPARE(help.Venster()->Pagina(), THelpVenster::StandaardPagina());
        QVERIFY(!help.Venster()->Titel().isEmpty());
    }

    void contentsListHoldsEveryPageAndFollowsThePageShown() {
        THelp help;
        help.ToonStandaard();
        THelpVenster& venster = *help.Venster();
        QStringList inLijst;
        for (int i = 0; i < venster.InhoudLijst()->count(); ++i)
            inLijst << venster.InhoudLijst()->item(i)->data(Qt::UserRole).toUrl().fileName();
        QStringList ingebouwd =
            QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")});
        inLijst.sort();
        ingebouwd.sort();
        QCOMPARE(inLijst, ingebouwd);

        // Choosing in the list shows that page; an anchor still selects its page.
        venster.InhoudLijst()->setCurrentRow(venster.InhoudLijst()->count() - 1);
        QCOMPARE(venster.Pagina(), THelpVenster::Paginas().last());
        QVERIFY(venster.ToonPagina(QUrl(QStringLiteral("qrc:/help/hoofdvenster.html#bewaren"))));
        QCOMPARE(venster.Pagina(), THelpVenster::PaginaVan(HelpContext::Hoofdvenster));
        QCOMPARE(huidigeInhoudsregel(venster), venster.Titel());
        QVERIFY(!venster.ToonPagina(QUrl(QStringLiteral("qrc:/help/bestaat-niet.html"))));
        QCOMPARE(venster.Pagina(), THelpVenster::PaginaVan(HelpContext::Hoofdvenster));
    }

    void pagesLinkOnlyToEachOtherAndReadAsDutch() {
        const QRegularExpression link(QStringLiteral("href=\"([^\"]*)\""));
        for (const QUrl& pagina : THelpVenster::Paginas()) {
            const QString html = broncode(pagina);
            QVERIFY2(!html.isEmpty(), qPrintable(pagina.toString()));
            QVERIFY2(!html.contains(QStringLiteral("src=")), qPrintable(pagina.toString()));
            for (const QRegularExpressionMatch& match : link.globalMatch(html)) {
                const QUrl doel = pagina.resolved(QUrl(match.captured(1)));
                const QString waar = pagina.fileName() + QStringLiteral(" -> ") + doel.toString();
                QCOMPARE(doel.scheme(), QStringLiteral("qrc"));
                QVERIFY2(QFile::exists(u':' + doel.path()), qPrintable(waar));
                if (doel.hasFragment())
                    QVERIFY2(
                        broncode(doel).contains(QStringLiteral("id=\"%1\"").arg(doel.fragment())),
                        qPrintable(waar));
            }
        }
        THelp help;
        help.ToonContext(HelpContext::Deelnemers);
        const QString tekst = help.Venster()->PaginaView()->toPlainText();
        QVERIFY(tekst.contains(QStringLiteral("Wilt u dit beëindigen?")));
    }

    void backAndForwardWalkTheHistory() {
        THelp help;
        help.ToonContext(HelpContext::Hoofdvenster);
        THelpVenster& venster = *help.Venster();
        QVERIFY(!venster.TerugKnop()->isEnabled());
        help.ToonContext(HelpContext::Deelnemers);
        help.ToonContext(HelpContext::Poules);
        QVERIFY(venster.TerugKnop()->isEnabled());
        QVERIFY(!venster.VooruitKnop()->isEnabled());

        venster.TerugKnop()->click();
        QCOMPARE(venster.Pagina(), THelpVenster::PaginaVan(HelpContext::Deelnemers));
        QCOMPARE(huidigeInhoudsregel(venster), venster.Titel());
        QVERIFY(venster.VooruitKnop()->isEnabled());
        venster.TerugKnop()->click();
        QCOMPARE(venster.Pagina(), THelpVenster::PaginaVan(HelpContext::Hoofdvenster));
        QVERIFY(!venster.TerugKnop()->isEnabled());

        venster.VooruitKnop()->click();
        QCOMPARE(venster.Pagina(), THelpVenster::PaginaVan(HelpContext::Deelnemers));
        QVERIFY(venster.VooruitKnop()->isEnabled());
        // A new page drops what lay ahead.
        help.ToonContext(HelpContext::Opties);
        QVERIFY(!venster.VooruitKnop()->isEnabled());
        venster.TerugKnop()->click();
        QCOMPARE(venster.Pagina(), THelpVenster::PaginaVan(HelpContext::Deelnemers));
    }

    void f1OpensTheTopicOfTheFocusedControlsWindow() {
        THelp help;
        QWidget venster;
        setHelpContext(&venster, HelpContext::Poules);
        auto* zonderEigen = new ToetsTeller(&venster);
        auto* metEigen = new ToetsTeller(&venster);
        setHelpContext(metEigen, HelpContext::PoulesWijzigen);

        QTest::keyClick(zonderEigen, Qt::Key_F1);
        QVERIFY(help.Venster() && help.Venster()->isVisible());
        QCOMPARE(help.Venster()->Pagina(), THelpVenster::PaginaVan(HelpContext::Poules));
        QTest::keyClick(metEigen, Qt::Key_F1);
        QCOMPARE(help.Venster()->Pagina(), THelpVenster::PaginaVan(HelpContext::PoulesWijzigen));
        QCOMPARE(zonderEigen->f1 + metEigen->f1, 0);

        // Shift+F1 belongs to the control.
        QTest::keyClick(zonderEigen, Qt::Key_F1, Qt::ShiftModifier);
        QCOMPARE(zonderEigen->f1, 1);
        QCOMPARE(help.Venster()->Pagina(), THelpVenster::PaginaVan(HelpContext::PoulesWijzigen));

        ToetsTeller los;
        QTest::keyClick(&los, Qt::Key_F1);
        QCOMPARE(help.Venster()->Pagina(), THelpVenster::StandaardPagina());
    }

    void f1FromTheWindowSystemReachesTheFocusedControl() {
        THelp help;
        QWidget venster;
        setHelpContext(&venster, HelpContext::Knockout);
        auto* bewerk = new ToetsTeller(&venster);
        venster.show();
        QVERIFY(QTest::qWaitForWindowActive(&venster));
        bewerk->setFocus();
        QTest::keyClick(venster.windowHandle(), Qt::Key_F1);
        QVERIFY(help.Venster() && help.Venster()->isVisible());
        QCOMPARE(help.Venster()->Pagina(), THelpVenster::PaginaVan(HelpContext::Knockout));
        QCOMPARE(bewerk->f1, 0);
    }

    void f1InAModalWindowOpensHelpAboveIt_data() {
        QTest::addColumn<bool>("melding");
        QTest::addColumn<bool>("helpOpenLaten");
        QTest::newRow("dialoog, help gesloten") << false << false;
        QTest::newRow("melding, help gesloten") << true << false;
        QTest::newRow("dialoog, help open gelaten") << false << true;
    }

    void f1InAModalWindowOpensHelpAboveIt() {
        QFETCH(bool, melding);
        QFETCH(bool, helpOpenLaten);
        THelp help;
        help.ToonStandaard(); // already open, so it must change modality
        QCOMPARE(help.Venster()->windowModality(), Qt::NonModal);

        std::unique_ptr<QDialog> dialoog;
        QWidget* doel;
        int context;
        if (melding) {
            dialoog = std::make_unique<QMessageBox>(QMessageBox::Information, QStringLiteral("x"),
                                                    QStringLiteral("Fout"), QMessageBox::Ok);
            context = HelpContext::Toernooibestand;
            doel = dialoog.get();
        } else {
            dialoog = std::make_unique<QDialog>();
            context = HelpContext::Opties;
            doel = new QLineEdit(dialoog.get());
        }
        setHelpContext(dialoog.get(), context);

        bool zichtbaar = false;
        bool bovenaan = false;
        Qt::WindowModality modaliteit = Qt::NonModal;
        QUrl pagina;
        QTimer::singleShot(0, dialoog.get(), [&] {
            QTest::keyClick(doel, Qt::Key_F1);
            if (THelpVenster* venster = help.Venster()) {
                zichtbaar = venster->isVisible();
                modaliteit = venster->windowModality();
                bovenaan = QApplication::activeModalWidget() == venster;
                pagina = venster->Pagina();
                if (!helpOpenLaten)
                    venster->close();
            }
            dialoog->done(QDialog::Rejected);
        });
        dialoog->exec();

        QVERIFY(zichtbaar);
        QCOMPARE(modaliteit, Qt::ApplicationModal);
        QVERIFY(bovenaan);
        QCOMPARE(pagina, THelpVenster::PaginaVan(context));
        if (helpOpenLaten) {
            // Left open above a window that has gone, help must not block the program.
            QTRY_COMPARE(help.Venster()->windowModality(), Qt::NonModal);
            QVERIFY(help.Venster()->isVisible());
        } else {
            QVERIFY(!help.Venster()->isVisible());
            help.ToonStandaard();
            QCOMPARE(help.Venster()->windowModality(), Qt::NonModal);
        }
    }

    void closingAndDestroyingTheHelp() {
        auto help = std::make_unique<THelp>();
        help->ToonContext(HelpContext::Deelnemers);
        QPointer<THelpVenster> venster = help->Venster();
        help->SluitAlles();
        QVERIFY(!venster->isVisible());
        help->ToonContext(HelpContext::Deelnemers);
        QCOMPARE(help->Venster(), venster.data()); // one help window, shown again
        QVERIFY(venster->isVisible());

        help.reset();
        QVERIFY(venster.isNull());
        ToetsTeller bewerk;
        setHelpContext(&bewerk, HelpContext::Deelnemers);
        QTest::keyClick(&bewerk, Qt::Key_F1);
        QVERIFY(helpVensters().isEmpty());
        QCOMPARE(bewerk.f1, 1);
    }

    void missingPagesAreReportedAndTheProgramGoesOn() {
        ScriptedMessages berichten;
        THelp help;
        help.ToonStandaard();
        help.SluitAlles();
        Q_CLEANUP_RESOURCE(help);
        help.ToonContext(HelpContext::Poules);
        Q_INIT_RESOURCE(help);
        QCOMPARE(berichten->calls().size(), 1);
        QCOMPARE(berichten->calls().first().kind, MessageKind::Warning);
        QVERIFY(!help.Venster()->isVisible());
        help.ToonContext(HelpContext::Poules);
        QCOMPARE(help.Venster()->Pagina(), THelpVenster::PaginaVan(HelpContext::Poules));
    }

    void mainWindowOwnsTheHelp() {
        ScriptedMessages berichten;
        auto hoofdvenster = std::make_unique<TMainForm>();
        hoofdvenster->HelpBitBtn->click();
        QPointer<THelpVenster> venster = hoofdvenster->Help().Venster();
        QVERIFY(venster && venster->isVisible());
        QCOMPARE(venster->Pagina(), THelpVenster::StandaardPagina());
        QTest::keyClick(hoofdvenster->NieuwBitBtn, Qt::Key_F1);
        QCOMPARE(venster->Pagina(), THelpVenster::PaginaVan(HelpContext::Hoofdvenster));

        // A help window left open does not keep the program running.
        hoofdvenster->show();
        QVERIFY(venster->isVisible());
        QTimer::singleShot(0, hoofdvenster.get(), &QWidget::close);
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);

        hoofdvenster.reset();
        QVERIFY(venster.isNull());
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(TestHelp)
#include "test_help.moc"
