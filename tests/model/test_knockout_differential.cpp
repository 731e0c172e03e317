// The bracket's indexed draws against the step-by-step oracle, on random
// pool results divided the way the knockout division dialog divides them.
#include "model/Knockout.h"
#include "model/RandomSource.h"
#include "support/KnockoutOrakel.h"
#include "support/KnockoutTestHulp.h"
#include "support/ScriptedMessageService.h"

#include <QtTest>

#include <algorithm>
#include <random>

using namespace KnockoutTestHulp;

namespace {

// A fixed-seed source, so the bracket and the oracle see the same numbers.
class HerhaalbareBron : public RandomSource {
public:
    explicit HerhaalbareBron(std::uint64_t zaad)
        : m_engine(zaad) {}
    void seedFromClock() override {}
    int below(int count) override {
        return count <= 1 ? 0 : std::uniform_int_distribution<int>(0, count - 1)(m_engine);
    }

private:
    std::mt19937_64 m_engine;
};

class MetBron {
public:
    explicit MetBron(std::uint64_t zaad)
        : m_vorige(setRandomSource(std::make_unique<HerhaalbareBron>(zaad))) {}
    ~MetBron() { setRandomSource(std::move(m_vorige)); }

private:
    std::unique_ptr<RandomSource> m_vorige;
};

// Complete pool results in random list order, then the best or worst N of
// every pool sent to the winners' round. With `verstoord` some positions are
// damaged (outside 1..8, doubled, gaps) to check the bad-input paths too.
TDeelnemerLijst Toernooi(std::mt19937& rng, int aantalPoules, bool verstoord) {
    auto tussen = [&rng](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    TDeelnemerLijst lijst;
    std::vector<int> grootte(aantalPoules + 1);
    int hoogste = 0;
    for (int poule = 1; poule <= aantalPoules; ++poule) {
        grootte[poule] = tussen(2, 8);
        hoogste = std::max(hoogste, grootte[poule]);
        for (int positie = 1; positie <= grootte[poule]; ++positie)
            Voeg(lijst, poule, positie, 0);
    }
    std::shuffle(lijst.begin(), lijst.end(), rng);

    if (tussen(0, 1) == 0) {
        const int beste = tussen(1, hoogste);
        for (auto& d : lijst)
            d->KnockoutNr = d->Positie > beste ? 2 : 1;
    } else {
        const int slechtste = tussen(0, hoogste - 1);
        for (auto& d : lijst)
            d->KnockoutNr = d->Positie > grootte[d->Poule] - slechtste ? 2 : 1;
    }

    // Damage: positions outside 1..8 or doubled, participants without a pool.
    for (int schade = verstoord ? tussen(1, 3) : 0; schade > 0; --schade) {
        TDeelnemer& d = *lijst[tussen(0, static_cast<int>(lijst.size()) - 1)];
        const int soort = tussen(0, 3);
        if (soort == 3)
            d.Poule = 0;
        else
            d.Positie = soort == 0 ? tussen(-1, 0) : soort == 1 ? 9 : tussen(1, 8);
    }
    return lijst;
}

// A pool holding more of a bracket than its first round has matches, with
// positions doubled as a damaged file may hold them, beside a few small
// pools or none at all.
TDeelnemerLijst MetGrotePoule(std::mt19937& rng) {
    auto tussen = [&rng](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    TDeelnemerLijst lijst;
    const int kleinePoules = tussen(0, 6);
    for (int poule = 2; poule <= kleinePoules + 1; ++poule) {
        for (int positie = tussen(1, 3); positie >= 1; --positie)
            Voeg(lijst, poule, positie, 1);
    }
    for (int i = tussen(static_cast<int>(lijst.size()), 40); i >= 0; --i)
        Voeg(lijst, 1, tussen(1, 8), 1);
    std::shuffle(lijst.begin(), lijst.end(), rng);
    return lijst;
}

} // namespace

class KnockoutDifferentialTest : public QObject {
    Q_OBJECT

private:
    // Both brackets against the oracle, slot by slot, and whether each is
    // complete; counts the incomplete ones. The draw itself tells nobody.
    void vergelijk(TDeelnemerLijst& lijst, int ronde, int& onvolledig) {
        const OrakelEersteRonde orakels[] = {OrakelVolgensPoules(lijst, 1),
                                             OrakelVolgensPoules(lijst, 2)};
        ScriptedMessages meldingen;
        std::unique_ptr<TKnockout> knockouts[2];
        std::vector<int> verwacht;
        std::vector<int> onvolledige;
        for (int k = 0; k < 2; ++k) {
            knockouts[k] = std::make_unique<TKnockout>(lijst, k + 1, TKnockout::VolgensPoules);
            const QString product = Regels(Nummers(lijst, *knockouts[k]));
            const QString orakel = Regels(orakels[k].wedstrijden);
            QVERIFY2(product == orakel && Verbanden(lijst, *knockouts[k]).isEmpty(),
                     qPrintable(QStringLiteral("ronde %1, knockout %2:\n%3\n%4")
                                    .arg(ronde)
                                    .arg(k + 1)
                                    .arg(product, orakel)));
            if (!orakels[k].wedstrijden.empty() && !orakels[k].volledig)
                verwacht.push_back(k + 1);
            if (!knockouts[k]->IsVolledig())
                onvolledige.push_back(k + 1);
        }
        QCOMPARE(onvolledige, verwacht);
        QVERIFY(meldingen->calls().isEmpty());
        onvolledig += static_cast<int>(verwacht.size());
    }

private Q_SLOTS:
    void seededDrawMatchesTheOracle() {
        std::mt19937 rng(20240611);
        int onvolledig = 0;
        for (int ronde = 0; ronde < 2000; ++ronde) {
            // Mostly small tournaments: the oracle's cost grows with the cube
            // of the number of pools when every attempt fails.
            const int grens = ronde % 100 == 0 ? 64 : ronde % 10 == 0 ? 32 : 12;
            const int aantalPoules = std::uniform_int_distribution<int>(1, grens)(rng);
            TDeelnemerLijst lijst = Toernooi(rng, aantalPoules, ronde % 8 == 7);
            vergelijk(lijst, ronde, onvolledig);
            if (QTest::currentTestFailed())
                return;
        }
        // The comparison only means something when attempts fail.
        QVERIFY(onvolledig > 100);
    }

    // Draws whose failure is certain from the start (a participant never
    // looked for, or one pool with more participants than the first round
    // has matches) keep the last attempt's placement, as when every attempt
    // is run; a single pool still completes.
    void drawThatCannotSucceedMatchesTheOracle() {
        std::mt19937 rng(17);
        int onvolledig = 0;
        for (int ronde = 0; ronde < 300; ++ronde) {
            TDeelnemerLijst lijst =
                ronde % 2 == 0
                    ? MetGrotePoule(rng)
                    : Toernooi(rng, std::uniform_int_distribution<int>(1, 16)(rng), true);
            vergelijk(lijst, ronde, onvolledig);
            if (QTest::currentTestFailed())
                return;
        }
        QVERIFY(onvolledig > 150);
    }

    void randomDrawMatchesTheOracle() {
        std::mt19937 rng(7);
        for (int ronde = 0; ronde < 1000; ++ronde) {
            const int aantal =
                std::uniform_int_distribution<int>(1, ronde % 10 == 0 ? 600 : 70)(rng);
            TDeelnemerLijst lijst;
            // Mostly bracket 1, with participants of other brackets mixed in.
            for (int i = 0; i < aantal; ++i) {
                const int soort = std::uniform_int_distribution<int>(0, 9)(rng);
                Voeg(lijst, 0, -1, soort == 0 ? 0 : soort == 1 ? 2 : 1);
            }
            const std::uint64_t zaad = rng();
            OrakelEersteRonde orakel;
            {
                MetBron bron(zaad);
                orakel = OrakelWillekeurig(lijst, 1);
            }
            MetBron bron(zaad);
            ScriptedMessages meldingen;
            const TKnockout knockout(lijst, 1, TKnockout::LootWillekeurig);
            QCOMPARE(Regels(Nummers(lijst, knockout)), Regels(orakel.wedstrijden));
            QVERIFY(knockout.IsVolledig() && Verbanden(lijst, knockout).isEmpty());
            QVERIFY(meldingen->calls().isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(KnockoutDifferentialTest)
#include "test_knockout_differential.moc"
