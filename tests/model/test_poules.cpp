#include "model/Poules.h"
#include "model/Text.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>

using namespace Poules;
using TSoort = TEindstandAntwoord::TSoort;

namespace {

// Participants "<first>|<last>|<pool>|<position>".
TDeelnemerLijst lijst(const QStringList& regels) {
    TDeelnemerLijst deelnemers;
    for (const QString& regel : regels) {
        const QStringList d = regel.split(u'|');
        deelnemers.push_back(std::make_unique<TDeelnemer>(d[0], d[1]));
        deelnemers.back()->Poule = d[2].toInt();
        deelnemers.back()->Positie = d[3].toInt();
    }
    return deelnemers;
}

QStringList kolom(const TRijen& rijen, std::size_t k) {
    QStringList result;
    for (const TRij& rij : rijen)
        result << rij[k];
    return result;
}

TRijen rijenMet(const QStringList& namen, const QStringList& posities) {
    TRijen rijen;
    for (int i = 0; i < namen.size(); ++i)
        rijen.push_back({QString::number(i), Letter(i), namen[i], posities[i]});
    return rijen;
}

} // namespace

class PoulesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eindstandenCompleet_data() {
        QTest::addColumn<QStringList>("deelnemers");
        QTest::addColumn<bool>("compleet");
        QTest::newRow("compleet") << QStringList{"a|a|1|2", "b|b|1|1", "c|c|2|1"} << true;
        QTest::newRow("open plaats") << QStringList{"a|a|1|2", "b|b|1|-1"} << false;
        QTest::newRow("dubbel in poule") << QStringList{"a|a|1|2", "c|c|2|2", "b|b|1|2"} << false;
        QTest::newRow("dubbel over poules") << QStringList{"a|a|1|1", "b|b|2|1"} << true;
        QTest::newRow("0 telt als ingevuld") << QStringList{"a|a|1|0", "b|b|1|1"} << true;
    }
    void eindstandenCompleet() {
        QFETCH(QStringList, deelnemers);
        QFETCH(bool, compleet);
        QCOMPARE(EindstandenCompleet(lijst(deelnemers)), compleet);
    }

    void rijenVolgenDeLijstvolgorde() {
        const TDeelnemerLijst deelnemers =
            lijst({"Jan||3|-1", "Piet|Bakker|1|3", "|Vries|3|1", "Kees|Dijk|3|12", "X|Y|0|-1"});
        QCOMPARE(HoogstePoule(deelnemers), 3);
        const TPouleIndex index = MaakPouleIndex(deelnemers);
        QCOMPARE(index.size(), std::size_t(3));
        QVERIFY(index[0] == std::vector<int>{1} && index[1].empty());
        QVERIFY(index[2] == (std::vector<int>{0, 2, 3}));
        QVERIFY(Leden(deelnemers, 3) == index[2]);
        const TRijen rijen = Rijen(deelnemers, index[2]);
        QCOMPARE(kolom(rijen, IndexKolom), QStringList({"0", "2", "3"}));
        QCOMPARE(kolom(rijen, NrKolom), QStringList({"A", "B", "C"}));
        QCOMPARE(kolom(rijen, NaamKolom), QStringList({"Jan", "Vries", "Kees Dijk"}));
        QCOMPARE(kolom(rijen, PosKolom), QStringList({"n.o.", "1", "12"}));
    }

    void sorteren() {
        TRijen rijen = rijenMet({"a", "b", "c", "d", "e"}, {"n.o.", "3", "n.o.", "1", "2"});
        QCOMPARE(Sorteer(rijen, 0, 0), 3); // any column but 1 and 2 sorts on position
        QCOMPARE(kolom(rijen, PosKolom), QStringList({"1", "2", "3", "n.o.", "n.o."}));
        QCOMPARE(kolom(rijen, NrKolom), QStringList({"D", "E", "B", "A", "C"}));
        Sorteer(rijen, NrKolom, -1);
        QCOMPARE(kolom(rijen, NaamKolom), QStringList({"a", "b", "c", "d", "e"}));

        // By Windows-1252 byte: capitals, lower case, Š (0x8A), then É.
        rijen = rijenMet({"bram", "Zoë", "Émile", "anna", "Anna", "Šimon"},
                         {"1", "2", "3", "4", "5", "6"});
        QCOMPARE(Sorteer(rijen, NaamKolom, 1), 1);
        QCOMPARE(kolom(rijen, NaamKolom),
                 QStringList({"Anna", "Zoë", "anna", "bram", "Šimon", "Émile"}));
        QCOMPARE(kolom(rijen, PosKolom), QStringList({"5", "2", "4", "1", "6", "3"}));
    }

    void sorterenIsStabielEnHoudtDeSelectie() {
        // Compared with the library's stable sort on many random grids.
        QRandomGenerator generator(20240611);
        const QStringList waarden{"1", "2", "n.o.", "a", "B", "b", "Ab", "é"};
        for (int proef = 0; proef < 300; ++proef) {
            const int aantal = generator.bounded(1, 10);
            TRijen rijen;
            for (int i = 0; i < aantal; ++i) {
                const QString w = waarden[generator.bounded(int(waarden.size()))];
                rijen.push_back({QString::number(i), Letter(i), w, w});
            }
            const bool opNaam = generator.bounded(2) == 0;
            const std::size_t k = opNaam ? NaamKolom : PosKolom;
            TRijen verwacht = rijen;
            std::stable_sort(verwacht.begin(), verwacht.end(), [k](const TRij& a, const TRij& b) {
                return Text::compareCodePoints(a[k], b[k]) < 0;
            });
            const int gekozen = generator.bounded(aantal);
            const QString wie = rijen[std::size_t(gekozen)][IndexKolom];
            const int na = Sorteer(rijen, opNaam ? NaamKolom : PosKolom, gekozen);
            QVERIFY(rijen == verwacht);
            QCOMPARE(rijen[std::size_t(na)][IndexKolom], wie);
        }
    }

    void positieToetsen_data() {
        QTest::addColumn<QChar>("toets");
        QTest::addColumn<int>("positie");
        QTest::addColumn<int>("nieuw"); // in a pool of 5; -2 = nothing happens
        QTest::newRow("backspace") << QChar(u'\b') << 3 << -1;
        QTest::newRow("0") << QChar(u'0') << 1 << -1;
        QTest::newRow("0 op n.o.") << QChar(u'0') << -1 << -2;
        QTest::newRow("4") << QChar(u'4') << -1 << 4;
        QTest::newRow("zelfde cijfer") << QChar(u'4') << 4 << -2;
        QTest::newRow("7 in poule van 5") << QChar(u'7') << 3 << -1;
        QTest::newRow("7 op n.o.") << QChar(u'7') << -1 << -2;
        QTest::newRow("letter") << QChar(u'a') << 3 << -2;
    }
    void positieToetsen() {
        QFETCH(QChar, toets);
        QFETCH(int, positie);
        QFETCH(int, nieuw);
        QCOMPARE(PositieNaToets(toets, 5, positie).value_or(-2), nieuw);
        QCOMPARE(IsPositieToets(toets), toets != u'a');
    }

    void invoervak_data() {
        QTest::addColumn<QString>("antwoord");
        QTest::addColumn<int>("soort");
        QTest::addColumn<int>("nieuw"); // position 4 before, pool of 5
        QTest::addColumn<QString>("melding");
        const QString ongeldig = QStringLiteral("U hebt geen geldig getal ingevoerd.");
        const QString teKlein = QStringLiteral("Een eindstand onder de 1 is niet mogelijk.");
        const int zet = int(TSoort::Zet), melding = int(TSoort::Melding);
        QTest::newRow("spatie voor 3") << " 3" << zet << 3 << "";
        QTest::newRow("spatie na 3") << "3 " << melding << 4 << ongeldig;
        QTest::newRow("leeg") << "  " << int(TSoort::Wis) << -1 << "";
        QTest::newRow("zelfde") << "4" << int(TSoort::Niets) << 4 << "";
        QTest::newRow("6") << "6" << melding << 4
                           << "Dit is een te grote waarde. Er zitten slechts 5 deelnemers in deze "
                              "poule.";
        QTest::newRow("0") << "0" << melding << 4 << teKlein;
        QTest::newRow("2.0") << "2.0" << melding << 4 << ongeldig;
    }
    void invoervak() {
        QFETCH(QString, antwoord);
        QFETCH(int, soort);
        QFETCH(int, nieuw);
        QFETCH(QString, melding);
        const TEindstandAntwoord uitkomst = BeoordeelEindstand(antwoord, 5, 4);
        QCOMPARE(int(uitkomst.Soort), soort);
        QCOMPARE(uitkomst.Melding, melding);
        if (uitkomst.Soort == TSoort::Zet || uitkomst.Soort == TSoort::Niets)
            QCOMPARE(uitkomst.Positie, nieuw);
    }

    void wissel() {
        TDeelnemerLijst deelnemers = lijst({"a|a|1|2", "b|b|1|-1", "c|c|2|-1"});
        QVERIFY(!Wissel(deelnemers, 0, 1, 1, 1)); // same pool
        QVERIFY(Wissel(deelnemers, 0, 1, 2, 2));
        QCOMPARE(deelnemers[0]->Poule, 2);
        QCOMPARE(deelnemers[0]->Positie, 2); // the position goes along
        QCOMPARE(deelnemers[2]->Poule, 1);
        QCOMPARE(deelnemers[1]->Poule, 1);
    }

    void lateInschrijving() {
        TDeelnemerLijst deelnemers;
        for (int poule : {1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4})
            deelnemers.emplace_back(std::make_unique<TDeelnemer>())->Poule = poule;
        QList<int> gekozen;
        for (int i = 0; i < 3; ++i) {
            gekozen << PouleVoorLateInschrijving(deelnemers, 4);
            deelnemers.emplace_back(std::make_unique<TDeelnemer>())->Poule = gekozen.last();
        }
        QCOMPARE(gekozen, QList<int>({3, 4, 1}));
        // Pool 1 the smallest: nothing is smaller than it.
        QCOMPARE(PouleVoorLateInschrijving(lijst({"a|a|1|-1", "b|b|2|-1", "c|c|2|-1"}), 2), 1);
        QCOMPARE(PouleVoorLateInschrijving(lijst({"a|a|1|-1"}), 1), 1);

        // Same display name, split otherwise: someone else.
        const TDeelnemerLijst namen = lijst({"Jan|Jansen|1|-1"});
        QVERIFY(BestaatNaam(namen, "Jan", "Jansen"));
        QVERIFY(!BestaatNaam(namen, "Jan Jansen", ""));
    }
};

QTEST_GUILESS_MAIN(PoulesTest)
#include "test_poules.moc"
