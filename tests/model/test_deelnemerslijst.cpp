#include "model/Deelnemerslijst.h"

#include "support/ScriptedRandomSource.h"

#include <QtTest>

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
        TNamen namen{{"😀", ""},     {"Ωmega", ""},       {"anna", "Zandstra"}, {"Łukasz", ""},
                     {"émile", ""}, {"Zoë", ""},         {"Jan", "a"},         {"Jan", ""},
                     {"Éva", ""},   {"Anna", "de Vries"}};
        QCOMPARE(Sorteer(namen, 9), qsizetype(0)); // the selection follows Anna de Vries
        QCOMPARE(volgorde(namen),
                 QStringList({"Anna|de Vries", "anna|Zandstra", "Jan|", "Jan|a", "Zoë|", "Éva|",
                              "émile|", "Łukasz|", "Ωmega|", "😀|"}));
    }

    void gelijkeSleutelsBlijvenStaan() {
        TNamen namen{{"Janb", "Akker"}, {"Jan", "Bakker"}, {"JAN", "bakker"}, {"Aad", ""}};
        QCOMPARE(Sorteer(namen, 2), qsizetype(3));
        QCOMPARE(volgorde(namen), QStringList({"Aad|", "Janb|Akker", "Jan|Bakker", "JAN|bakker"}));
        QCOMPARE(Sorteer(namen, 4), qsizetype(4)); // the empty row after the list stays put
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
