#include "model/Import.h"
#include "support/Geheugengrens.h"

#include <QtTest>

using namespace Import;
using Deelnemerslijst::TNamen;

Q_DECLARE_METATYPE(Deelnemerslijst::TNamen)

namespace {

// "Voornaam|Achternaam" per row that would be added, for short comparisons.
QStringList Namen(const TVoorbeeld& voorbeeld) {
    QStringList namen;
    for (const auto& naam : voorbeeld.Toevoegen())
        namen << naam.Voornaam + u'|' + naam.Achternaam;
    return namen;
}

// "Voornaam|Achternaam|Vereniging|Plaatsing" per name.
QStringList Velden(const TNamen& namen) {
    QStringList velden;
    for (const auto& naam : namen)
        velden << QStringLiteral("%1|%2|%3|%4")
                      .arg(naam.Voornaam, naam.Achternaam, naam.Vereniging,
                           QString::number(naam.Plaatsing));
    return velden;
}

} // namespace

class ImportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every layout of a text source gives the same kind of names: header or
    // not, a tussenvoegsel column, a full-name column in either order.
    void textSources_data() {
        QTest::addColumn<QString>("tekst");
        QTest::addColumn<bool>("kop");
        QTest::addColumn<QStringList>("namen");
        QTest::newRow("one name per line") << QStringLiteral("Jan van der Berg\r\nMadonna\n\n")
                                           << false << QStringList{"Jan|van der Berg", "Madonna|"};
        QTest::newRow("last name first on each line")
            << QStringLiteral("Berg, Jan van der\nJansen, Piet\n") << false
            << QStringList{"Jan|van der Berg", "Piet|Jansen"};
        QTest::newRow("last name first on a few lines")
            << QStringLiteral("Kees de Vries\nBerg,Jan\nAnna Smit\n") << false
            << QStringList{"Kees|de Vries", "Jan|Berg", "Anna|Smit"};
        QTest::newRow("tab, no header") << QStringLiteral("Jan\tBerg\nPiet\tJansen") << false
                                        << QStringList{"Jan|Berg", "Piet|Jansen"};
        QTest::newRow("semicolon, tussenvoegsel column")
            << QStringLiteral("VOORNAAM;Tussenvoegsel;achternaam;Club\nJan;van der;Berg;HZV\n"
                              "Piet;;Jansen;HZV\n")
            << true << QStringList{"Jan|van der Berg", "Piet|Jansen"};
        QTest::newRow("comma, English, quoted fields in reverse order")
            << QStringLiteral("Last name,First Name\n\"Smit, de\",\"Anne \"\"An\"\"\"\n"
                              "Berg,\"Jan\nPeter\"\n")
            << true << QStringList{"Anne \"An\"|Smit, de", "Jan Peter|Berg"};
        QTest::newRow("full-name column written last name first")
            << QStringLiteral("Naam;Club\nBerg, Jan van der;HZV\n\t Kees  de Vries ;X\n") << true
            << QStringList{"Jan|van der Berg", "Kees|de Vries"};
        QTest::newRow("Voornaam and Naam: Naam is the last name")
            << QStringLiteral("Voornaam;Naam\nJan;Berg\n") << true << QStringList{"Jan|Berg"};
        QTest::newRow("Naam over names mostly written last name first")
            << QStringLiteral("Naam\nBerg, Jan van der\nJansen, Piet\nKees de Vries\n") << true
            << QStringList{"Jan|van der Berg", "Piet|Jansen", "Kees|de Vries"};
        QTest::newRow("header below a title and a blank line, after a number column")
            << QStringLiteral("Ledenlijst HZV 2026;;\n;;\nNr;Voornaam;Achternaam\n1;Jan;Berg\n")
            << true << QStringList{"Jan|Berg"};
        QTest::newRow("header of a last-name-first list")
            << QStringLiteral("Achternaam, Voornaam\nBerg, Jan\n") << true
            << QStringList{"Jan|Berg"};
    }
    void textSources() {
        QFETCH(QString, tekst);
        QFETCH(bool, kop);
        QFETCH(QStringList, namen);
        const TImport import = TImport::UitTekst(tekst);
        QCOMPARE(import.HeeftKop(), kop);
        QCOMPARE(Namen(import.Voorbeeld({})), namen);
    }

    // Each verdict once, judged against the tournament's names exactly as
    // the participant window compares them: case counts, blanks do not.
    void verdicts() {
        const TImport import = TImport::UitTekst(
            QStringLiteral("Voornaam;Achternaam;Club\n"
                           "Jan;Jansen\n"        // added
                           " ;  ;HZV\n"          // empty name
                           " bYe ;\n"            // "Bye"
                           "Piet ; Bakker\n"     // already in the tournament
                           "Jan;Jansen\n"        // twice in the import
                           "\"Kees;de Vries\n"   // unclosed quote: only this line is lost
                           "jan;jansen\n"        // another name
                           "B;ye\n"              // no "bye" once joined
                           "Kees;Bakker;\x07\n") // no text, but not in the name
            + QString(MaxNaamLengte + 1, u'x') + QStringLiteral(";Lang\n"));
        const TNamen bestaand{{QStringLiteral("Piet"), QStringLiteral("Bakker")}};
        const TVoorbeeld voorbeeld = import.Voorbeeld(bestaand);
        QList<TOordeel> oordelen;
        QList<int> regels;
        for (const TVoorbeeldRij& rij : voorbeeld.Rijen) {
            oordelen << rij.Oordeel;
            regels << rij.Regel;
        }
        QCOMPARE(oordelen,
                 (QList<TOordeel>{TOordeel::Toevoegen, TOordeel::Leeg, TOordeel::Bye,
                                  TOordeel::AlAanwezig, TOordeel::Dubbel, TOordeel::Onleesbaar,
                                  TOordeel::Toevoegen, TOordeel::Toevoegen, TOordeel::Toevoegen,
                                  TOordeel::TeLang}));
        QCOMPARE(regels, (QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
        QCOMPARE(voorbeeld.AantalToevoegen, 4);
        QCOMPARE(Namen(voorbeeld),
                 (QStringList{"Jan|Jansen", "jan|jansen", "B|ye", "Kees|Bakker"}));
    }

    // Club and seed columns below a title: a rating orders the seeds highest
    // first, a ranking lowest first, both after the seeds the tournament
    // holds; ties keep the list's order, blanks get none. A name already in
    // the tournament only gets what it lacks.
    void clubAndSeedColumns_data() {
        QTest::addColumn<QString>("tekst");
        QTest::addColumn<TNamen>("bestaand");
        QTest::addColumn<QStringList>("toevoegen");
        QTest::addColumn<QStringList>("aanvullen");
        QTest::newRow("rating")
            << QStringLiteral("Clubkampioenschappen 2026;;;\n;;;\nNaam;Club;Rating;Opmerking\n"
                              "Berg, Jan van der;De Shuttle;1650;\n"
                              "Jeffrey Hoffmann;Smash;1834,5;invaller\n"
                              "Anna de Vries;;;\n"
                              "Piet Bakker;De Shuttle;1650;\n"
                              "Carla Smit;Smash;n.v.t.;\n"
                              "Kees Jansen;Amersfoort;1700;\n")
            << TNamen{{"Kees", "Jansen"}}
            << QStringList{"Jan|van der Berg|De Shuttle|3", "Jeffrey|Hoffmann|Smash|1",
                           "Anna|de Vries||0", "Piet|Bakker|De Shuttle|4", "Carla|Smit|Smash|0"}
            << QStringList{"Kees|Jansen|Amersfoort|2"};
        QTest::newRow("ranking")
            << QStringLiteral("VOORNAAM;Achternaam;vereniging;Ranking\nBram;Aarts;Velo;7\n"
                              "Zoë;Dubois;Velo;12\nÉmile;Smit;;3\n")
            << TNamen{{"Bram", "Aarts", "HZV", 1}}
            << QStringList{"Zoë|Dubois|Velo|3", "Émile|Smit||2"} << QStringList{};
    }
    void clubAndSeedColumns() {
        QFETCH(QString, tekst);
        QFETCH(TNamen, bestaand);
        const TVoorbeeld voorbeeld = TImport::UitBytes(tekst.toUtf8()).Voorbeeld(bestaand);
        QTEST(Velden(voorbeeld.Toevoegen()), "toevoegen");
        QTEST(Velden(voorbeeld.Aanvullen()), "aanvullen");
    }

    // Without a header the organiser names the columns; a separator chosen
    // by hand splits the text again.
    void chosenColumnsAndSeparator() {
        TImport import = TImport::UitTekst(QStringLiteral("Berg;Jan;van der\nVries;Kees;de\n"));
        QVERIFY(!import.HeeftKop());
        QCOMPARE(import.AantalKolommen(), 3);
        import.ZetKolommen({.Voornaam = 1, .Tussenvoegsel = 2, .Achternaam = 0});
        QCOMPARE(Namen(import.Voorbeeld({})), (QStringList{"Jan|van der Berg", "Kees|de Vries"}));
        import.ZetScheiding(QChar());
        QCOMPARE(import.AantalKolommen(), 1);
        QCOMPARE(Namen(import.Voorbeeld({})), (QStringList{"Berg;Jan;van|der", "Vries;Kees;de|"}));
    }

    void decoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("tekst");
        const QString accenten = QStringLiteral("José;Müller-Ørsted €");
        QTest::newRow("UTF-8") << accenten.toUtf8() << accenten;
        QTest::newRow("UTF-8 with mark") << "\xEF\xBB\xBF" + accenten.toUtf8() << accenten;
        QTest::newRow("Windows-1252") << QByteArray("Jos\xe9;M\xfcller \x80") << "José;Müller €";
        QByteArray utf16("\xFF\xFE");
        utf16.append(reinterpret_cast<const char*>(accenten.utf16()), accenten.size() * 2);
        QTest::newRow("UTF-16 with mark") << utf16 << accenten;
    }
    void decoding() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, tekst);
        QCOMPARE(DecodeerTekst(bytes), tekst);
    }

    // A file that is no text at all is refused as a whole.
    void filesThatAreNoText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("tekst");
        QTest::newRow("names") << QByteArray("Jan Jansen\nPiet\n") << true;
        QTest::newRow("UTF-16 with mark")
            << QByteArray("\xFF\xFEJ\x00\x61\x00n\x00\n\x00", 10) << true;
        QTest::newRow("UTF-16 with a NUL character")
            << QByteArray("\xFF\xFEJ\x00\x00\x00", 6) << false;
        QTest::newRow("a NUL byte") << QByteArray("Jan\0Jansen\n", 11) << false;
        QTest::newRow("PNG") << QByteArray("\x89PNG\r\n\x1A\nIHDR") << false;
        QTest::newRow("PDF") << QByteArray("%PDF-1.7\n") << false;
    }
    void filesThatAreNoText() {
        QFETCH(QByteArray, bytes);
        QTEST(IsTekst(bytes), "tekst");
    }

    // A name line with a hundred thousand commas, in linear time and memory.
    void longLinesStayLinear() {
        QString tekst = QStringLiteral("Jan de Vries\nPiet Bakker\nKees Smit\n");
        for (int i = 0; i < 100000; ++i)
            tekst += QStringLiteral("Berg, ");
        QVERIFY(BinnenGeheugen(768, [&] {
            const TVoorbeeld voorbeeld = TImport::UitTekst(tekst).Voorbeeld({});
            return voorbeeld.Rijen.size() == 4 &&
                   voorbeeld.Rijen.back().Oordeel == TOordeel::TeLang;
        }));
        QCOMPARE(SplitsNaam(QStringLiteral("Berg, van der, Jan")).Achternaam,
                 QStringLiteral("van der Berg"));
    }

    // Bytes that are no text (a binary file chosen by mistake) are not
    // guessed at.
    void binaryRowsAreUnreadable() {
        const TVoorbeeld voorbeeld =
            TImport::UitBytes(QByteArray("Jan Jansen\nPK\x03\x04\x81\x00x\n", 17)).Voorbeeld({});
        QCOMPARE(voorbeeld.Rijen.size(), 2u);
        QCOMPARE(voorbeeld.Rijen[1].Oordeel, TOordeel::Onleesbaar);
        // UTF-16 with half a surrogate pair on its own (U+D800) is broken too.
        const QByteArray kapot("\xFF\xFEJ\x00\x61\x00n\x00\n\x00\x00\xD8x\x00", 14);
        const TVoorbeeld utf16 = TImport::UitBytes(kapot).Voorbeeld({});
        QCOMPARE(utf16.Rijen.size(), 2u);
        QCOMPARE(utf16.Rijen[0].Oordeel, TOordeel::Toevoegen);
        QCOMPARE(utf16.Rijen[1].Oordeel, TOordeel::Onleesbaar);
    }
};

QTEST_GUILESS_MAIN(ImportTest)
#include "test_import.moc"
