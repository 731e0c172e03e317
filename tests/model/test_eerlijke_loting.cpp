// The fair draw as the tournament makes it: the pool draw through the
// document, and both knockout draws with seeds and clubs.
#include "model/Deelnemerslijst.h"
#include "model/Knockout.h"
#include "model/PouleIndeling.h"
#include "model/RandomSource.h"
#include "model/ToernooiDocument.h"
#include "support/KnockoutTestHulp.h"
#include "support/ScriptedMessageService.h"

#include <QtTest>

#include <bit>
#include <map>
#include <set>

using namespace KnockoutTestHulp;

namespace {

// Puts a random source fixed by `zaad` in place for its lifetime.
class VasteBron {
public:
    explicit VasteBron(std::uint64_t zaad)
        : m_vorige(
              setRandomSource(std::make_unique<ClockSeededRandomSource>([zaad] { return zaad; }))) {
    }
    ~VasteBron() { setRandomSource(std::move(m_vorige)); }

private:
    std::unique_ptr<RandomSource> m_vorige;
};

// Where everyone stands: list index -> first-round match (-1: nowhere).
std::vector<int> Plekken(const TDeelnemerLijst& lijst, const TKnockout& knockout) {
    std::vector<int> plek(lijst.size(), -1);
    for (int m = 0; m < knockout.AantalWedstrijden(0); ++m)
        for (std::size_t i = 0; i < lijst.size(); ++i)
            if (lijst[i]->Wedstrijd == knockout.Wedstrijd(0, m))
                plek[i] = m;
    return plek;
}

// Per round (0 = first), how many pairs of one pool, or of one club, meet in it.
std::vector<int> Ontmoetingen(const TDeelnemerLijst& lijst, const std::vector<int>& plek,
                              bool poules) {
    const auto groep = [&](std::size_t i) {
        return poules ? QString::number(lijst[i]->Poule) : lijst[i]->Vereniging;
    };
    std::vector<int> perRonde(16, 0);
    for (std::size_t a = 0; a < lijst.size(); ++a)
        for (std::size_t b = a + 1; b < lijst.size(); ++b)
            if (plek[a] >= 0 && plek[b] >= 0 && !groep(a).isEmpty() && groep(a) == groep(b))
                ++perRonde[std::size_t(std::bit_width(unsigned(plek[a] ^ plek[b])))];
    return perRonde;
}

} // namespace

class EerlijkeLotingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void poolDrawThroughTheDocument() {
        ScriptedMessages berichten;
        const auto badminton = Poulewedstrijden::Preset(Poulewedstrijden::TSysteem::Badminton);
        const TPouleIndeling indeling(3, 4, 0, 0);
        // Seeds 1 to 5; four of De Shuttle, two of them seeds 4 and 5, whom
        // the snake puts both in pool 4: the other two go to two other pools,
        // and the organiser hears of pool 4.
        Deelnemerslijst::TNamen namen;
        for (int i = 0; i < 12; ++i)
            namen.push_back({QStringLiteral("Jan%1 van der").arg(i), QStringLiteral("Berg"),
                             i >= 3 && i <= 6 ? QStringLiteral("De Shuttle") : QStringLiteral(" "),
                             i < 5 ? i + 1 : 0});
        // Blank clubs and no seeds: the draw is the one it always was, the
        // same numbers giving the same pools.
        Deelnemerslijst::TNamen zonder = namen;
        for (auto& naam : zonder) {
            naam.Vereniging = QStringLiteral("  ");
            naam.Plaatsing = 0;
        }
        for (std::uint64_t zaad : {3u, 11u}) {
            TToernooiDocument document;
            document.ImporteerNamen(zonder);
            std::vector<Loting::TKnelpunt> knelpunten{{}};
            {
                VasteBron bron(zaad);
                QCOMPARE(document.StartPoules(indeling, badminton, &knelpunten), 0);
            }
            VasteBron bron(zaad);
            TDeelnemerLijst vroeger = Deelnemerslijst::MaakLijst(document.Namen());
            PouleIndeling::VerdeelDeelnemers(vroeger, indeling);
            for (std::size_t i = 0; i < vroeger.size(); ++i) {
                QCOMPARE(document.Deelnemers()[i]->Naam(), vroeger[i]->Naam());
                QCOMPARE(document.Deelnemers()[i]->Poule, vroeger[i]->Poule);
            }
            QVERIFY(knelpunten.empty());
        }

        std::set<std::vector<int>> indelingen;
        for (std::uint64_t zaad = 1; zaad <= 10; ++zaad) {
            VasteBron bron(zaad);
            TToernooiDocument document;
            document.ImporteerNamen(namen);
            std::vector<Loting::TKnelpunt> knelpunten;
            document.StartPoules(indeling, badminton, &knelpunten);
            std::map<int, int> shuttle;
            std::vector<int> poules;
            for (const auto& d : document.Deelnemers()) {
                shuttle[d->Poule] += d->Vereniging == QStringLiteral("De Shuttle");
                poules.push_back(d->Poule);
            }
            QCOMPARE(shuttle[4], 2);
            QCOMPARE(shuttle[1] + shuttle[2] + shuttle[3], 2);
            QVERIFY(shuttle[1] <= 1 && shuttle[2] <= 1 && shuttle[3] <= 1);
            QCOMPARE(knelpunten.size(), std::size_t(1));
            QCOMPARE(
                Loting::KnelpuntTekst(knelpunten[0]),
                QStringLiteral("Vereniging De Shuttle: 4 spelers over 4 poules, 2 in poule 4"));
            indelingen.insert(poules);
        }
        QVERIFY(indelingen.size() > 5); // among the fair draws the choice stays random
    }

    void seedsOfADirectKnockoutOf32WithFiveByes() {
        std::set<int> plekkenVanDrie;
        for (std::uint64_t zaad = 1; zaad <= 12; ++zaad) {
            TDeelnemerLijst lijst;
            for (int i = 0; i < 27; ++i)
                Voeg(lijst, 0, -1, 1).Plaatsing = 27 - i > 8 ? 0 : 27 - i; // seeds last in the list
            VasteBron bron(zaad);
            const TKnockout knockout(lijst, 1, TKnockout::LootWillekeurig);
            const std::vector<int> plek = Plekken(lijst, knockout);
            std::map<int, int> zaadje; // seed -> match
            int byes = 0;
            for (std::size_t i = 0; i < lijst.size(); ++i)
                if (lijst[i]->Plaatsing > 0)
                    zaadje[lijst[i]->Plaatsing] = plek[i];
            for (int m = 0; m < 16; ++m)
                byes += knockout.Wedstrijd(0, m)->Bye();
            QCOMPARE(byes, 5);
            QCOMPARE(zaadje[1], 0);
            QCOMPARE(zaadje[2], 15);
            QCOMPARE((std::set<int>{zaadje[3], zaadje[4]}), (std::set<int>{4, 11}));
            QCOMPARE((std::set<int>{zaadje[5], zaadje[6], zaadje[7], zaadje[8]}),
                     (std::set<int>{3, 7, 8, 12}));
            for (int s = 1; s <= 8; ++s) {
                const TKnockoutWedstrijd* w = knockout.Wedstrijd(0, zaadje[s]);
                QCOMPARE(w->Bye(), s <= 5); // the byes go to the highest seeds
                QVERIFY(s > 5 || w->DeelnemerBoven()->Plaatsing == s);
                QVERIFY(w->Bye() || w->DeelnemerBoven()->Plaatsing == 0 ||
                        w->DeelnemerOnder()->Plaatsing == 0);
            }
            plekkenVanDrie.insert(zaadje[3]);
            QCOMPARE(Verbanden(lijst, knockout), QString());
        }
        QCOMPARE(plekkenVanDrie.size(), std::size_t(2)); // drawn, not fixed
    }

    // Every club of 2, 3 or 4 among 16 players, in a direct knockout and in
    // one drawn from 8 pools (the best two of each): halves for two,
    // quarters for three or four. From the pools, the pool mates meet
    // exactly as late as without clubs.
    void clubMatesApartInEveryCombination() {
        ScriptedMessages berichten;
        for (const bool uitPoules : {false, true}) {
            TDeelnemerLijst lijst = uitPoules ? Poules(8, 2, 2) : TDeelnemerLijst{};
            for (int i = 0; !uitPoules && i < 16; ++i)
                Voeg(lijst, 0, -1, 1);
            if (!uitPoules)
                lijst[5]->Plaatsing = 1;
            std::vector<int> poolRegel;
            if (uitPoules) {
                const TKnockout zonder(lijst, 1, TKnockout::VolgensPoules);
                poolRegel = Ontmoetingen(lijst, Plekken(lijst, zonder), true);
            }
            int gevallen = 0;
            for (unsigned masker = 0; masker < (1u << 16); ++masker) {
                const int leden = std::popcount(masker);
                if (leden < 2 || leden > 4 || (!uitPoules && masker % 7 != 0))
                    continue;
                ++gevallen;
                for (std::size_t i = 0; i < lijst.size(); ++i) {
                    lijst[i]->Vereniging =
                        masker >> i & 1u ? QStringLiteral("BC Smash") : QString();
                    lijst[i]->Wedstrijd = nullptr;
                }
                VasteBron bron(masker);
                const TKnockout knockout(
                    lijst, 1, uitPoules ? TKnockout::VolgensPoules : TKnockout::LootWillekeurig);
                const std::vector<int> plek = Plekken(lijst, knockout);
                const std::vector<int> club = Ontmoetingen(lijst, plek, false);
                // Two only meet in the final, three or four in the semi-final.
                const int vroegste = leden == 2 ? 3 : 2;
                if (std::any_of(club.begin(), club.begin() + vroegste, [](int n) { return n > 0; }))
                    QFAIL(qPrintable(QStringLiteral("club %1 (%2) not apart: %3")
                                         .arg(masker, 0, 2)
                                         .arg(uitPoules)
                                         .arg(EersteRonde(knockout).join(u", "))));
                QCOMPARE(knockout.ClubOntmoetingen(), club[0] + club[1]);
                if (uitPoules)
                    QCOMPARE(Ontmoetingen(lijst, plek, true), poolRegel);
                QVERIFY(knockout.IsVolledig());
            }
            QVERIFY(gevallen > 300);
        }
        QVERIFY(berichten->calls().isEmpty());
    }
};

QTEST_GUILESS_MAIN(EerlijkeLotingTest)
#include "test_eerlijke_loting.moc"
