// The printouts as PDF files, made by the same drawing as the print preview,
// read back with poppler's pdftotext, pdfinfo and pdftoppm.
#include "model/Knockout.h"
#include "model/Poules.h"
#include "print/Afdruk.h"
#include "print/AfdrukKeuze.h"
#include "print/DeelnemersAfdruk.h"
#include "print/KnockoutAfdruk.h"
#include "print/PoulesAfdruk.h"
#include "print/WedstrijdbladAfdruk.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString Draai(const QString& programma, const QStringList& argumenten) {
    QProcess proces;
    proces.start(programma, argumenten);
    if (!proces.waitForFinished(60000) || proces.exitCode() != 0)
        return QStringLiteral("<%1 faalde: %2>")
            .arg(programma, QString::fromLocal8Bit(proces.readAllStandardError()));
    return QString::fromUtf8(proces.readAllStandardOutput());
}

QString Tekst(const QString& pdf, int blad = 0, bool raw = false) {
    QStringList argumenten;
    if (raw)
        argumenten << QStringLiteral("-raw");
    if (blad > 0)
        argumenten << QStringLiteral("-f") << QString::number(blad) << QStringLiteral("-l")
                   << QString::number(blad);
    return Draai(QStringLiteral("pdftotext"), argumenten << pdf << QStringLiteral("-"));
}

int Bladen(const QString& pdf) {
    const QString info = Draai(QStringLiteral("pdfinfo"), {pdf});
    return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
}

Afdruk::TKop Kop() {
    return {Afdruk::ToernooiTitel({}), {}, QDateTime(QDate(2026, 12, 7), QTime(14, 5))};
}

// Names as typed, with the letter pairs that shaping would join into one
// ligature glyph (ff, fi, fl, ffi, ffl), numbered so every one is unique.
const Deelnemerslijst::TNamen Namen = {
    {QStringLiteral("Jeffrey"), QStringLiteral("Hoffmann")},
    {QStringLiteral("Sofie"), QStringLiteral("Kieft")},
    {QStringLiteral("Floor"), QStringLiteral("Wolfling")},
    {QStringLiteral("Raffi"), QStringLiteral("Griffioen")},
    {QStringLiteral("Olaf"), QStringLiteral("Hoffland")},
};

Deelnemerslijst::TNaam Naam(int i) {
    const auto& naam = Namen[i % Namen.size()];
    return {naam.Voornaam, naam.Achternaam + QString::number(i)};
}

// Participants of Naam(i) in pools of `grootte`, all in bracket 1.
TDeelnemerLijst Lijst(int aantal, int grootte = 4) {
    TDeelnemerLijst lijst;
    for (int i = 0; i < aantal; ++i) {
        auto deelnemer = std::make_unique<TDeelnemer>(Naam(i).Voornaam, Naam(i).Achternaam);
        deelnemer->Poule = i / grootte + 1;
        deelnemer->Positie = i % grootte + 1;
        deelnemer->KnockoutNr = 1;
        lijst.push_back(std::move(deelnemer));
    }
    return lijst;
}

// Every playable match gets a result, round by round; the upper one wins.
void SpeelUit(TKnockout& knockout) {
    for (int ronde = 0; ronde < knockout.AantalRondes(); ++ronde)
        for (int nummer = 0; nummer < knockout.AantalWedstrijden(ronde); ++nummer)
            if (knockout.Wedstrijd(ronde, nummer)->IsSpeelbaar())
                knockout.Wedstrijd(ronde, nummer)->ZetEindstand(20 + nummer % 7, nummer % 5);
}

QStringList AlleRegels(const TKnockout& knockout) {
    QStringList regels;
    for (int ronde = 0; ronde < knockout.AantalRondes(); ++ronde)
        for (int nummer = 0; nummer < knockout.AantalWedstrijden(ronde); ++nummer)
            for (int plek = 0; plek < 2; ++plek)
                regels << knockout.Wedstrijd(ronde, nummer)->Regel(plek);
    return regels;
}

// Text as one line per item: pdftotext may break a long line anywhere.
QString Plat(QString tekst) {
    return tekst.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
}

} // namespace

class TestAfdruk : public QObject {
    Q_OBJECT

    QTemporaryDir m_map;

    QString Pdf(Afdruk::TDocument& document, const QString& naam,
                const QPageLayout& layout = Afdruk::StandaardLayout()) {
        const QString pad = m_map.filePath(naam);
        if (!Afdruk::BewaarPdf(document, pad, layout))
            return {};
        return pad;
    }

private Q_SLOTS:
    void smallBracketShowsEverythingOnOnePage() {
        TDeelnemerLijst lijst = Lijst(7);
        TKnockout knockout(lijst, 1, TKnockout::LootWillekeurig);
        SpeelUit(knockout);
        TKnockoutAfdruk document(knockout, Kop());
        const QString pdf = Pdf(document, QStringLiteral("acht.pdf"));
        QCOMPARE(Bladen(pdf), 1);
        const QString tekst = Plat(Tekst(pdf));
        QStringList verwacht = AlleRegels(knockout);
        verwacht << QStringLiteral("Naamloos toernooi") << QStringLiteral("Winnaarsronde")
                 << QStringLiteral("Afgedrukt op 7-12-2026 om 14:05")
                 << QStringLiteral("blad 1 van 1") << QStringLiteral("Ronde 3")
                 << QStringLiteral("Wedstrijd 4") << QStringLiteral("bye") << QStringLiteral("1p1")
                 << QStringLiteral("3p2");
        for (const QString& stuk : verwacht)
            QVERIFY2(tekst.contains(stuk), qPrintable(stuk));
    }

    void largeBracketIsTiledByHalvesAndWholeRounds() {
        TDeelnemerLijst lijst = Lijst(1024);
        TKnockout knockout(lijst, 1, TKnockout::LootWillekeurig);
        SpeelUit(knockout);
        TKnockoutAfdruk document(knockout, Kop());
        const QString pdf = Pdf(document, QStringLiteral("1024.pdf"));
        const int bladen = Bladen(pdf);
        QVERIFY(bladen > 8);
        QCOMPARE(document.Opmaken(Afdruk::Romp(Afdruk::StandaardLayout())), bladen);
        const QString alles = Plat(Tekst(pdf));
        for (const QString& regel : AlleRegels(knockout))
            QVERIFY2(alles.contains(regel), qPrintable(regel));
        // The first round is cut into halves, quarters, ...; every tile
        // repeats its captions, and every mark leads to a later page.
        int eersteRonde = 0;
        const QRegularExpression verder(QStringLiteral("→ blad (\\d+)"));
        for (int blad = 1; blad <= bladen; ++blad) {
            const QString tekst = Plat(Tekst(pdf, blad));
            QVERIFY(tekst.contains(QStringLiteral("blad %1 van %2").arg(blad).arg(bladen)));
            QVERIFY(tekst.contains(QStringLiteral("Ronde ")));
            QVERIFY(tekst.contains(QStringLiteral("Winnaarsronde")));
            QCOMPARE(document.Schaal(blad - 1), 1.0);
            if (tekst.contains(QStringLiteral("Ronde 1 ")))
                ++eersteRonde;
            for (const auto& merk : verder.globalMatch(tekst)) {
                QVERIFY(merk.captured(1).toInt() > blad);
                QVERIFY(merk.captured(1).toInt() <= bladen);
            }
        }
        QVERIFY(eersteRonde > 1 && (eersteRonde & (eersteRonde - 1)) == 0);
        QCOMPARE(document.Richting(), QPageLayout::Portrait);
        QCOMPARE(document.BladVan(0, 0), 1);
        QCOMPARE(document.BladVan(knockout.AantalRondes() - 1, 0), bladen);

        document.OpEenBlad = true;
        const QString een = Pdf(document, QStringLiteral("1024-een.pdf"));
        QCOMPARE(Bladen(een), 1);
        QVERIFY(Plat(Tekst(een)).contains(lijst[1023]->Naam()));
    }

    void longNamesAreShortenedInsideThePrintableArea() {
        TDeelnemerLijst lijst = Lijst(8);
        lijst[3]->Achternaam =
            QStringLiteral("van ") + QString(70, u'W') + QStringLiteral("-Einde");
        TKnockout knockout(lijst, 1, TKnockout::LootWillekeurig);
        SpeelUit(knockout);
        TKnockoutAfdruk document(knockout, Kop());
        const QString pdf = Pdf(document, QStringLiteral("lang.pdf"));
        const QString tekst = Plat(Tekst(pdf));
        QVERIFY(tekst.contains(QStringLiteral("Raffi van WWWWW")));
        QVERIFY(tekst.contains(QStringLiteral("W… ")) && !tekst.contains(QStringLiteral("Einde")));
        // Every page as an image: nothing but white outside the margins.
        const int bladen = Bladen(pdf);
        QVERIFY(bladen >= 1);
        const QString prefix = m_map.filePath(QStringLiteral("lang"));
        Draai(QStringLiteral("pdftoppm"),
              {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"), pdf, prefix});
        const QPageLayout layout = Afdruk::StandaardLayout();
        for (int blad = 1; blad <= bladen; ++blad) {
            const QString naam =
                bladen < 10 ? QStringLiteral("%1-%2.png").arg(prefix).arg(blad)
                            : QStringLiteral("%1-%2.png").arg(prefix).arg(blad, 2, 10, QChar(u'0'));
            const QImage beeld(naam);
            QVERIFY2(!beeld.isNull(), qPrintable(naam));
            const QRect binnen = layout.paintRectPixels(50).adjusted(-1, -1, 1, 1);
            for (int y = 0; y < beeld.height(); ++y)
                for (int x = 0; x < beeld.width(); ++x)
                    if (!binnen.contains(x, y) && qGray(beeld.pixel(x, y)) < 250)
                        QFAIL(qPrintable(
                            QStringLiteral("ink at %1,%2 of page %3").arg(x).arg(y).arg(blad)));
        }
    }

    void oneLongNameKeepsASmallBracketOnOnePageWithItsLines() {
        // The name wins every match, so it widens every round.
        const QString achternaam = QStringLiteral("Bosman-Oppenheimer van de Dijk");
        for (int aantal : {5, 8}) {
            TDeelnemerLijst lijst = Lijst(aantal);
            lijst[0]->Voornaam = QStringLiteral("Annemarie");
            lijst[0]->Achternaam = achternaam;
            QCOMPARE(lijst[0]->Naam().size(), 40);
            TKnockout knockout(lijst, 1, TKnockout::LootWillekeurig);
            for (int ronde = 0; ronde < knockout.AantalRondes(); ++ronde)
                for (int nummer = 0; nummer < knockout.AantalWedstrijden(ronde); ++nummer) {
                    TKnockoutWedstrijd& w = *knockout.Wedstrijd(ronde, nummer);
                    if (w.IsSpeelbaar())
                        w.ZetEindstand(w.DeelnemerOnder() == lijst[0].get() ? 1 : 21,
                                       w.DeelnemerOnder() == lijst[0].get() ? 21 : 1);
                }
            TKnockoutAfdruk document(knockout, Kop());
            QCOMPARE(document.Richting(), QPageLayout::Landscape);
            const QString pdf = Pdf(document, QStringLiteral("lang%1.pdf").arg(aantal));
            QCOMPARE(Bladen(pdf), 1);
            QVERIFY(!Plat(Tekst(pdf)).contains(QStringLiteral("→ blad")));
            QVERIFY(Plat(Tekst(pdf)).contains(QStringLiteral("Annemarie Bosman-")));
        }
    }

    void poolSheetsListEveryPairInOrderAndNeverSplitAPool() {
        TDeelnemerLijst lijst = Lijst(5 * 8, 8);
        for (int i = 0; i < 5; ++i)
            lijst[i]->Poule = 1; // pool 1 has 5, pool 2 3 participants
        for (int i = 5; i < 8; ++i)
            lijst[i]->Poule = 2;
        TPoulesAfdruk document(lijst, Kop());
        const QString pdf = Pdf(document, QStringLiteral("poules.pdf"));
        const QString eerste = Plat(Tekst(pdf, 1, true));
        const QStringList paren = {"A–B", "A–C", "A–D", "A–E", "B–C",
                                   "B–D", "B–E", "C–D", "C–E", "D–E"};
        QCOMPARE(TPoulesAfdruk::Paren(5), paren);
        qsizetype vanaf = eerste.indexOf(QStringLiteral("Poule 1"));
        for (const QString& paar : paren) {
            vanaf = eerste.indexOf(paar, vanaf);
            QVERIFY2(vanaf > 0, qPrintable(paar));
        }
        QVERIFY(eerste.indexOf(QStringLiteral("A–D"), eerste.indexOf(QStringLiteral("Poule 2"))) <
                0);
        const int bladen = Bladen(pdf);
        QVERIFY(bladen > 1);
        for (int blad = 1; blad <= bladen; ++blad) {
            const QString tekst = Plat(Tekst(pdf, blad));
            for (const auto& deelnemer : lijst) {
                const bool poule =
                    tekst.contains(QStringLiteral("Poule %1 ").arg(deelnemer->Poule));
                QCOMPARE(tekst.contains(deelnemer->Naam() + u' '), poule);
            }
        }
    }

    void matchSheetsShowCrossTableRoundsAndPlayedScores_data() {
        QTest::addColumn<int>("systeem");
        QTest::addColumn<QString>("uitslag"); // the first match of pool 1 as typed
        QTest::addColumn<QString>("kruisA");  // its cross table cells, A's row first
        QTest::addColumn<QString>("kruisB");
        QTest::addColumn<QString>("kolom");
        QTest::newRow("badminton")
            << int(Poulewedstrijden::TSysteem::Badminton) << "21-17 19-21 21-15"
            << "2-1"
            << "1-2"
            << "Gew.";
        QTest::newRow("tafeltennis")
            << int(Poulewedstrijden::TSysteem::Tafeltennis) << "8-11 11-9 7-11 9-11"
            << "1-3"
            << "3-1"
            << "Ptn";
        QTest::newRow("punten") << int(Poulewedstrijden::TSysteem::Punten) << "4-4"
                                << "4-4"
                                << "4-4"
                                << "Ptn";
    }
    void matchSheetsShowCrossTableRoundsAndPlayedScores() {
        QFETCH(int, systeem);
        QFETCH(QString, uitslag);
        QFETCH(QString, kruisA);
        QFETCH(QString, kruisB);
        QFETCH(QString, kolom);
        // Pool 1 has five (one sits out every round), pool 2 four, the
        // other 38 pools four, so they run over many pages.
        TDeelnemerLijst lijst = Lijst(5 + 39 * 4, 4);
        for (int i = 0; i < 5 + 39 * 4; ++i)
            lijst[std::size_t(i)]->Poule = i < 5 ? 1 : (i - 5) / 4 + 2;
        Poulewedstrijden::TPoulewedstrijden wedstrijden;
        wedstrijden.Telling = Poulewedstrijden::Preset(Poulewedstrijden::TSysteem(systeem));
        for (int poule = 1; poule <= 40; ++poule)
            wedstrijden.Poules.push_back(
                {Poulewedstrijden::MaakSchema(Poules::Leden(lijst, poule)), {}, false});
        // Round 1 of five: B-E and C-D play, A sits out.
        auto& eerste = wedstrijden.Poules[0].Wedstrijden;
        QCOMPARE(std::make_pair(eerste[0].A, eerste[0].B), std::make_pair(1, 4));
        eerste[0].Games = *Poulewedstrijden::LeesGames(uitslag);
        lijst[1]->Positie = 2;

        auto keuze = MaakPoulesAfdruk(lijst, wedstrijden, Kop());
        auto* afdruk = dynamic_cast<TAfdrukKeuze*>(keuze.get());
        QVERIFY(afdruk && afdruk->Aantal() == 2 && afdruk->Gekozen() == 0);
        const QString pdf = Pdf(*afdruk, QStringLiteral("wedstrijden.pdf"));
        const QString blad = Plat(Tekst(pdf, 1, true));
        const QStringList verwacht = {
            "Poulewedstrijden", "Poule 1", "Nr Naam A B C D E " + kolom + " Saldo Pl.",
            // B's row: the score against E, the place typed; E's row.
            "B Sofie Kieft1 " + kruisA, "E Olaf Hoffland4 " + kruisB,
            "B Sofie Kieft1 – E Olaf Hoffland4 " + uitslag,
            "C Floor Wolfling2 – D Raffi Griffioen3 vrij: A Jeffrey Hoffmann0 2 E Olaf",
            "5 D Raffi Griffioen3 – B Sofie Kieft1 E Olaf Hoffland4 – A Jeffrey Hoffmann0 vrij: C"};
        for (const QString& stuk : verwacht)
            QVERIFY2(blad.contains(stuk), qPrintable(stuk + "\n" + blad));
        QVERIFY(blad.contains(
            QRegularExpression(" Sofie Kieft1 " + kruisA + " [+-]?\\d+ [+-]?\\d+ 2 ")));

        // No pool is split: each name stands on one page only.
        const int bladen = Bladen(pdf);
        QVERIFY(bladen > 10);
        QList<qsizetype> gevonden;
        for (int nummer = 1; nummer <= bladen; ++nummer)
            if (const auto keer = Plat(Tekst(pdf, nummer)).count(lijst.back()->Naam() + " "))
                gevonden << keer;
        QCOMPARE(gevonden, QList<qsizetype>{4}); // its row and three matches, on one page

        // The pool sheets as they were, one click away.
        afdruk->Kies(1);
        QCOMPARE(Plat(Tekst(Pdf(*afdruk, QStringLiteral("poules.pdf")), 1)),
                 Plat(Tekst(Pdf(*std::make_unique<TPoulesAfdruk>(lijst, Kop()),
                                QStringLiteral("ontwerp.pdf")),
                            1)));
        QVERIFY(dynamic_cast<TPoulesAfdruk*>(MaakPoulesAfdruk(lijst, {}, Kop()).get()));
    }

    void aPoolTallerThanAPageGoesOnBetweenRounds() {
        // Sixteen players: 120 matches in 15 rounds of 8.
        TDeelnemerLijst lijst = Lijst(16, 16);
        Poulewedstrijden::TPoulewedstrijden wedstrijden;
        wedstrijden.Poules.push_back(
            {Poulewedstrijden::MaakSchema(Poules::Leden(lijst, 1)), {}, false});
        TWedstrijdbladAfdruk document(lijst, wedstrijden, Kop());
        const QString pdf = Pdf(document, QStringLiteral("zestien.pdf"));
        const int bladen = Bladen(pdf);
        QVERIFY(bladen >= 3);
        qsizetype wedstrijdRegels = 0;
        for (int blad = 1; blad <= bladen; ++blad) {
            const QString tekst = Plat(Tekst(pdf, blad, true));
            wedstrijdRegels += tekst.count(QStringLiteral(" – "));
            QCOMPARE(tekst.contains(QStringLiteral("Poule 1 (vervolg) Ronde Wedstrijd")), blad > 1);
            // Every page holds whole rounds of eight.
            QCOMPARE(tekst.count(QStringLiteral(" – ")) % 8, 0);
        }
        QCOMPARE(wedstrijdRegels, 120);
    }

    void participantListNumbersInColumnsWithPoolAndPosition() {
        TDeelnemerLijst toernooi = Lijst(3);
        toernooi[1]->Positie = -1;
        Deelnemerslijst::TNamen namen;
        for (int i = 0; i < 400; ++i)
            namen.push_back(Naam(i));
        namen[9].Achternaam = QStringLiteral("Bosman-Oppenheimer van de Dijk");
        const auto rijen = TDeelnemersAfdruk::Rijen(namen, toernooi);
        QCOMPARE(rijen[0].Poule, 1);
        QCOMPARE(rijen[2].Positie, 3);
        QCOMPARE(rijen[1].Positie, -1);
        QCOMPARE(rijen[3].Poule, 0);
        TDeelnemersAfdruk document(rijen, Kop());
        const QString pdf = Pdf(document, QStringLiteral("lijst.pdf"));
        // 400 names take two pages of columns, not eight of one, even with
        // one of 40 characters among them.
        QVERIFY(Bladen(pdf) <= 4);
        const QString tekst = Plat(Tekst(pdf));
        QVERIFY(tekst.contains(QStringLiteral("1. Jeffrey Hoffmann0 1 1")));
        QVERIFY(tekst.contains(QStringLiteral("2. Sofie Kieft1 1 3.")));
        QVERIFY(tekst.contains(QStringLiteral("400. Olaf Hoffland399")));
        QVERIFY(tekst.contains(QStringLiteral("Bosman-Oppenheimer")));
    }
};

QTEST_MAIN(TestAfdruk)
#include "test_afdruk.moc"
