#include "model/Ansi.h"
#include "model/Deelnemerslijst.h"

#include "support/ScriptedRandomSource.h"

#include <QtTest>

#include <random>

using namespace Deelnemerslijst;

namespace {
template <typename Lijst> QStringList volgorde(const Lijst& lijst) {
    QStringList result;
    for (const auto& naam : lijst) {
        if constexpr (std::is_same_v<Lijst, TNamen>)
            result << naam.Voornaam + u'|' + naam.Achternaam;
        else
            result << naam->Voornaam + u'|' + naam->Achternaam;
    }
    return result;
}
} // namespace

class DeelnemerslijstTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sorteertOpVoornaamAchternaamZonderScheiding() {
        TNamen namen{{"😀", ""},     {"Ωmega", ""},        {"anna", "Zandstra"}, {"Łukasz", ""},
                     {"émile", ""}, {"Zoë", ""},          {"Jan", "a"},         {"Jan", ""},
                     {"Éva", ""},   {"Anna", "de Vries"}, {"Šimon", ""},        {"€uro", ""}};
        QCOMPARE(Sorteer(namen, 9), qsizetype(0)); // the selection follows Anna de Vries
        // Windows-1252 byte order: Š (0x8A) before É (0xC9); characters the
        // code page lacks after all of them.
        QCOMPARE(volgorde(namen),
                 QStringList({"Anna|de Vries", "anna|Zandstra", "Jan|", "Jan|a", "Zoë|", "€uro|",
                              "Šimon|", "Éva|", "émile|", "Łukasz|", "Ωmega|", "😀|"}));
    }

    void gelijkeSleutelsBlijvenStaan() {
        TNamen namen{{"Janb", "Akker"}, {"Jan", "Bakker"}, {"JAN", "bakker"}, {"Aad", ""}};
        QCOMPARE(Sorteer(namen, 2), qsizetype(3));
        QCOMPARE(volgorde(namen), QStringList({"Aad|", "Janb|Akker", "Jan|Bakker", "JAN|bakker"}));
        QCOMPARE(Sorteer(namen, 4), qsizetype(4)); // the empty row after the list stays put
    }

    void sorteertAlsVerwisselenVanBuren() {
        // Against swapping neighbours while one is strictly greater, on lists
        // full of equal keys, with the selection anywhere.
        std::mt19937 rng(11);
        const QStringList delen{"a", "A", "b", "Š", "é", "Ł", ""};
        for (int proef = 0; proef < 300; ++proef) {
            TNamen namen(std::uniform_int_distribution<int>(0, 12)(rng));
            for (TNaam& naam : namen) {
                naam.Voornaam = delen[rng() % delen.size()] + delen[rng() % delen.size()];
                naam.Achternaam = delen[rng() % delen.size()];
            }
            const qsizetype gekozen = std::uniform_int_distribution<int>(0, 12)(rng);
            TNamen verwacht = namen;
            qsizetype volgt = gekozen;
            for (bool gewisseld = true; gewisseld;) {
                gewisseld = false;
                for (std::size_t i = 0; i + 1 < verwacht.size(); ++i) {
                    if (Ansi::compare(Sleutel(verwacht[i]), Sleutel(verwacht[i + 1])) <= 0)
                        continue;
                    std::swap(verwacht[i], verwacht[i + 1]);
                    volgt = volgt == qsizetype(i)       ? volgt + 1
                            : volgt == qsizetype(i + 1) ? volgt - 1
                                                        : volgt;
                    gewisseld = true;
                }
            }
            QCOMPARE(Sorteer(namen, gekozen), volgt);
            QCOMPARE(volgorde(namen), volgorde(verwacht));
        }
    }

    void naamBestaatAlleenExact() {
        const TNamen namen{
            {"jan", "Jansen"}, {"Jan", "Jansen"}, {"Jan", "Jansen"}, {"Ωmega", "Łoś"}};
        QCOMPARE(ZoekNaam(namen, "Jan", "Jansen"), qsizetype(1));
        QCOMPARE(ZoekNaam(namen, "jan", "Jansen"), qsizetype(0));
        QCOMPARE(ZoekNaam(namen, "Ωmega", "Łoś"), qsizetype(3));
        QCOMPARE(ZoekNaam(namen, "Jan ", "Jansen"), qsizetype(-1));
        QCOMPARE(ZoekNaam(namen, "JAN", "JANSEN"), qsizetype(-1));
        QCOMPARE(ZoekNaam(namen, "Jan", ""), qsizetype(-1));
    }

    void schudtDrieRondes() {
        ScriptedRandom toeval;
        toeval->queue({1, 3, 0, 2, 2, 1, 3, 0, 3, 3, 1, 2});
        const TDeelnemerLijst lijst = MaakLijst({{"A", "a"}, {"B", "b"}, {"C", "c"}, {"D", "d"}});
        QCOMPARE(volgorde(lijst), QStringList({"C|c", "B|b", "D|d", "A|a"}));
        QCOMPARE(toeval->seeds, 1);
        QCOMPARE(toeval->asked, std::deque<int>(12, 4));
        QCOMPARE(lijst[0]->Positie, -1);
        QVERIFY(MaakLijst({}).empty());
        QCOMPARE(volgorde(MaakLijst({{"Jan", ""}})), QStringList({"Jan|"}));
    }
};

QTEST_GUILESS_MAIN(DeelnemerslijstTest)
#include "test_deelnemerslijst.moc"
