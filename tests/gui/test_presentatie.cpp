#include "app/MainForm.h"
#include "app/PresentatieForm.h"
#include "courts/BanenForm.h"
#include "knockout/KnockoutForm.h"
#include "knockout/KnockoutView.h"
#include "model/Knockout.h"
#include "model/Toernooi.h"
#include "model/ToernooiDocument.h"
#include "support/KnockoutViews.h"
#include "support/ModalDialogDriver.h"
#include "support/ScriptedMessageService.h"
#include "support/ScriptedRandomSource.h"
#include "support/TestMain.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>

// The presentation as the hall sees it. ctest runs this once offscreen (one
// screen) and once in a virtual X display with two screens
// (ZEGEROOSTER_SCHERMEN=2), where it must open on the second.
class PresentatieTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedMessages> berichten;
    std::unique_ptr<TMainForm> hoofd;

    TPresentatieForm& presentatie() { return *hoofd->PresentatieForm; }

    // Pools of `grootte`, names with ascenders and descenders; in the
    // knockout stage the best half of every pool plays the winners' round,
    // its first round played when asked.
    void laad(int status, int poules, int grootte, const QString& achternaam,
              bool eersteRondeGespeeld = false) {
        TToernooi toernooi;
        toernooi.Programmastatus = status;
        for (int poule = 1; poule <= poules; ++poule)
            for (int positie = 1; positie <= grootte; ++positie) {
                auto d = std::make_unique<TDeelnemer>(QStringLiteral("Jip %1").arg(positie),
                                                      achternaam + QString::number(poule));
                d->Poule = poule;
                d->Positie = positie;
                d->KnockoutNr = positie <= grootte / 2 ? 1 : 2;
                toernooi.Lijst.push_back(std::move(d));
            }
        if (status == psKnockout) {
            toernooi.Winnaars =
                std::make_unique<TKnockout>(toernooi.Lijst, 1, TKnockout::VolgensPoules);
            toernooi.Verliezers =
                std::make_unique<TKnockout>(toernooi.Lijst, 2, TKnockout::VolgensPoules);
            for (int nummer = 0;
                 eersteRondeGespeeld && nummer < toernooi.Winnaars->AantalWedstrijden(0); ++nummer)
                toernooi.Winnaars->Wedstrijd(0, nummer)->ZetEindstand(3, 1);
        }
        QVERIFY(!hoofd->Document().Open(toernooi.Bewaar(), QString()));
    }

    // The text on the screen, read back from a PDF of its picture; raw: in
    // the order it was drawn.
    QString getoond(bool raw = false) {
        QTemporaryDir map;
        const QString pad = map.filePath(QStringLiteral("scherm.pdf"));
        {
            QPdfWriter pdf(pad);
            pdf.setPageSize(QPageSize(presentatie().size(), QPageSize::Point));
            pdf.setPageMargins({});
            pdf.setResolution(72);
            QPainter painter(&pdf);
            presentatie().render(&painter);
        }
        QProcess proces;
        proces.start(QStringLiteral("pdftotext"),
                     (raw ? QStringList{QStringLiteral("-raw")} : QStringList{})
                         << pad << QStringLiteral("-"));
        proces.waitForFinished(60000);
        return QString::fromUtf8(proces.readAllStandardOutput()).simplified();
    }

    void open() {
        QTest::keyClick(hoofd.get(), Qt::Key_F11);
        QVERIFY(QTest::qWaitForWindowExposed(&presentatie()));
    }

private Q_SLOTS:
    void init() {
        berichten = std::make_unique<ScriptedMessages>();
        hoofd = std::make_unique<TMainForm>();
        hoofd->show();
        QVERIFY(QTest::qWaitForWindowExposed(hoofd.get()));
    }
    void cleanup() {
        hoofd.reset();
        QCOMPARE((*berichten)->unexpected(), 0);
        berichten.reset();
    }

    void opensFullScreenOnTheOtherScreenAndClosesWithF11OrEsc() {
        const QList<QScreen*> schermen = QGuiApplication::screens();
        const int verwacht = qEnvironmentVariableIntValue("ZEGEROOSTER_SCHERMEN");
        if (verwacht > 0)
            QCOMPARE(schermen.size(), verwacht);
        QScreen* doel = schermen.size() > 1 ? schermen.at(1) : hoofd->screen();
        QCOMPARE(hoofd->screen(), schermen.at(0));

        open();
        QCOMPARE(presentatie().screen(), doel);
        QCOMPARE(presentatie().geometry(), doel->geometry());
        QVERIFY(presentatie().isFullScreen());
        QVERIFY(presentatie().windowFlags() & Qt::FramelessWindowHint);
        QTest::keyClick(&presentatie(), Qt::Key_Escape);
        QVERIFY(!presentatie().isVisible());

        // The glyph button after the others opens it; F11 in it closes.
        QCOMPARE(hoofd->PresentatieBitBtn->geometry(), QRect(176, 8, 25, 25));
        QVERIFY(hoofd->PresentatieBitBtn->geometry().right() < hoofd->width() - 4);
        QTest::mouseClick(hoofd->PresentatieBitBtn, Qt::LeftButton);
        QVERIFY(presentatie().isVisible());
        QTest::keyClick(&presentatie(), Qt::Key_F11);
        QVERIFY(!presentatie().isVisible());
    }

    void followsAScoreFromTheKnockoutWindowAndIgnoresClicks() {
        laad(psKnockout, 4, 4, QStringLiteral("Klaassen"));
        open();
        presentatie().ZetIntervallen(60000, 300);
        TToernooiDocument& document = hoofd->Document();
        const QByteArray voor = document.Bestand();
        // Clicks and keys on it change nothing of the tournament.
        QTest::mouseClick(&presentatie(), Qt::LeftButton, {}, presentatie().rect().center());
        QTest::mouseDClick(&presentatie(), Qt::LeftButton, {}, presentatie().rect().center());
        QTest::keyClick(&presentatie(), Qt::Key_Return);
        QCOMPARE(document.Bestand(), voor);
        QVERIFY(!document.KanOngedaanMaken());

        const QImage oud = presentatie().grab().toImage();
        TKnockoutView& view = *WinnaarsView(*hoofd->KnockoutForm);
        ModalDialogDriver bestuurder;
        bestuurder.fillAndClick({"3", "1"}, QStringLiteral("OKBitBtn"));
        view.Klik(view.WedstrijdRect(0, 1).center());
        QCOMPARE(bestuurder.pending(), 0);
        // Shown at once, without waiting for a timer: the wall clock is the
        // benchmark's business.
        QCOMPARE(presentatie().Gemarkeerd(), (TPresentatieForm::TPlaats{1, 0, 1}));
        QVERIFY(presentatie().grab().toImage() != oud);
        // The mark goes when its time is up; a cancelled dialog marks nothing.
        QTRY_VERIFY_WITH_TIMEOUT(!presentatie().Gemarkeerd().IsGeldig(), 2000);
        bestuurder.click(QStringLiteral("AnnulerenBitBtn"));
        view.Klik(view.WedstrijdRect(0, 0).center());
        QVERIFY(!presentatie().Gemarkeerd().IsGeldig());
    }

    void turnsPagesByClockAndKeysAndPausesOnSpace() {
        laad(psPoules, 20, 4, QStringLiteral("Klaassen"));
        open();
        const auto& paginas = presentatie().Paginas();
        QCOMPARE(paginas.size(), std::size_t(3));
        QCOMPARE(paginas.back().eerste, 17); // pools 17-20
        QCOMPARE(paginas.back().aantal, 4);
        presentatie().ZetIntervallen(50, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(presentatie().HuidigePagina(), 1, 2000);
        QTest::keyClick(&presentatie(), Qt::Key_Left);
        QTest::keyClick(&presentatie(), Qt::Key_Left);
        QCOMPARE(presentatie().HuidigePagina(), 2); // wraps round
        QTest::keyClick(&presentatie(), Qt::Key_Space);
        QVERIFY(presentatie().Gepauzeerd() && !presentatie().PaginaTimer().isActive());
        QTest::qWait(200);
        QCOMPARE(presentatie().HuidigePagina(), 2);
        QTest::keyClick(&presentatie(), Qt::Key_Right);
        QCOMPARE(presentatie().HuidigePagina(), 0);

        // A large knockout: the winners' round pages, then the losers'.
        laad(psKnockout, 64, 8, QStringLiteral("Klaassen"));
        std::vector<int> nummers;
        for (const auto& pagina : paginas)
            nummers.push_back(pagina.knockoutNr);
        QVERIFY(nummers.size() > 2 && nummers.front() == 1 && nummers.back() == 2);
        QVERIFY(std::is_sorted(nummers.begin(), nummers.end()));
    }

    void everyRoundStandsOnTheScreenWithItsTitle_data() {
        QTest::addColumn<int>("poules");
        QTest::addColumn<QString>("achternaam");
        QTest::addColumn<int>("rondes");
        // 8 in the winners' round: the final is "Ronde 3" as everywhere.
        QTest::newRow("8") << 4 << QStringLiteral("Klaassen") << 3;
        // Names of 32 characters in round 2 leave room for rounds 3 and 4.
        QTest::newRow("16, long names") << 8 << QStringLiteral("Klaassens-van Oppenheimer") << 4;
    }
    void everyRoundStandsOnTheScreenWithItsTitle() {
        QFETCH(int, poules);
        QFETCH(QString, achternaam);
        QFETCH(int, rondes);
        laad(psKnockout, poules, 4, achternaam, true);
        open();
        const QString tekst = getoond();
        for (int ronde = 1; ronde <= rondes; ++ronde)
            QVERIFY2(tekst.contains(QStringLiteral("Ronde %1").arg(ronde)), qPrintable(tekst));
        QVERIFY(!tekst.contains(QStringLiteral("Finale")));
    }

    // Once scores come in, the pools page shows the standings and the
    // matches each pool plays next; before, the pools as a tournament run on
    // positions alone shows them.
    void poolStandingsAndNextMatchesFollowTheScores() {
        ScriptedRandom toeval;
        TToernooiDocument& document = hoofd->Document();
        document.ZetNamen({{"Jeroen", "Hofman"},
                           {"Jan", "Berg, van der"},
                           {"Sanne", "Bakker"},
                           {"Mohamed", "El Amrani"},
                           {"Lotte", "de Vries"},
                           {"Daan", "Visser"},
                           {"Fleur", "Jansen"},
                           {"Kevin", "Smit"}},
                          QStringLiteral("namen"));
        document.StartPoules(TPouleIndeling(4, 2, 0, 0));
        open();
        QVERIFY(!getoond().contains(QStringLiteral("Volgende")));
        const auto& schema = document.PouleWedstrijden().Poules.at(0).Wedstrijden;
        QCOMPARE(schema.size(), std::size_t(6));
        const auto eerste = schema[0];
        const auto tweede = schema[1];

        QVERIFY(document.ZetPouleUitslag(1, 0, {{21, 15}, {21, 18}}));
        QCOMPARE(presentatie().GemarkeerdePoule(), 1);
        QCOMPARE(presentatie().Paginas().size(), std::size_t(1));
        const QString tekst = getoond(true);
        auto naam = [&](int lid) { return document.Deelnemers()[std::size_t(lid)]->Naam(); };
        // Place, name, played, won, game and point balance.
        for (const QString& stuk :
             {QStringLiteral("Gs W Games Punten"), "1 " + naam(eerste.A) + " 1 1 +2 +9",
              naam(eerste.B) + " 1 0 -2 -9",
              "Volgende wedstrijden " + naam(tweede.A) + " – " + naam(tweede.B)})
            QVERIFY2(tekst.contains(stuk), qPrintable(stuk + u'\n' + tekst));
        QVERIFY(!tekst.contains(naam(eerste.A) + " – " + naam(eerste.B)));
    }

    // With a plan, a page of the courts follows the others; a call covers
    // the pages until Enter.
    void aPlanAddsTheCourtsPageAndACallCoversIt() {
        ScriptedRandom toeval;
        TToernooiDocument& document = hoofd->Document();
        document.ZetNamen({{"Jeroen", "Hofman"},
                           {"Jan", "Berg, van der"},
                           {"Sanne", "Bakker"},
                           {"Mohamed", "El Amrani"},
                           {"Lotte", "de Vries"},
                           {"Daan", "Visser"}},
                          QStringLiteral("namen"));
        document.StartPoules(TPouleIndeling(3, 2, 0, 0));
        Planning::TDagInstellingen instellingen;
        instellingen.Plan.Banen = 2;
        instellingen.Baannamen = QStringList{QString(), QStringLiteral("Tafel 3")};
        document.ZetDagInstellingen(instellingen);
        document.MaakPlanning();
        open();
        QCOMPARE(presentatie().Paginas().size(), std::size_t(2));
        QCOMPARE(presentatie().Paginas().back().knockoutNr, TPresentatieForm::BanenPagina);
        presentatie().VolgendePagina();
        const QString tekst = getoond();
        const Planning::TBaanStand baan1 = document.Banen().at(0);
        const Planning::TDagoverzicht overzicht = document.Dagoverzicht();
        const auto& eerste =
            overzicht.Wedstrijden.at(std::size_t(baan1.Nu >= 0 ? baan1.Nu : baan1.Volgende));
        for (const QString& stuk : {QStringLiteral("Baan 1"), QStringLiteral("Tafel 3"),
                                    eerste.Boven + " – " + eerste.Onder})
            QVERIFY2(tekst.contains(stuk), qPrintable(stuk + u'\n' + tekst));

        const QString oproep = QStringLiteral("Tafel 3: Jan Berg, van der – Sanne Bakker");
        hoofd->BanenForm->Oproepen({oproep});
        QVERIFY(getoond().contains(oproep));
        QTest::keyClick(&presentatie(), Qt::Key_Return);
        QVERIFY(presentatie().Oproep().isEmpty());
        QVERIFY(!getoond().contains(oproep));
    }

    void aNameIsAtLeastAFortiethOfTheScreenHigh() {
        // Long names hold the text at its smallest size.
        laad(psPoules, 8, 8, QStringLiteral("Klaassen-van Oppenheimer-Pappegaaij "));
        open();
        const QImage beeld = presentatie().grab().toImage().convertToFormat(QImage::Format_RGB32);
        const double minimum = beeld.height() / 40.0;
        // Rows with white ink, the names (captions are yellow, positions
        // grey), form one band per line of text.
        auto wit = [&](int y) {
            for (int x = 0; x < beeld.width(); ++x) {
                const QRgb p = beeld.pixel(x, y);
                if (qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) > 200)
                    return true;
            }
            return false;
        };
        QList<int> banden;
        int begin = -1;
        for (int y = 0; y <= beeld.height(); ++y) {
            const bool inkt = y < beeld.height() && wit(y);
            if (inkt && begin < 0)
                begin = y;
            if (!inkt && begin >= 0) {
                banden << y - begin;
                begin = -1;
            }
        }
        QVERIFY2(banden.size() >= 8, qPrintable(QString::number(banden.size())));
        for (int hoogte : banden)
            QVERIFY2(hoogte >= minimum,
                     qPrintable(QStringLiteral("%1 < %2").arg(hoogte).arg(minimum)));
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(PresentatieTest)
#include "test_presentatie.moc"
