// Times the pools window filling and showing 1,250 pools of 8 (10,000
// participants), and a tab change among them. Fails only on a wrong window,
// never on time.
#include "app/MainForm.h"
#include "pools/PoulesForm.h"

#include <QApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int aantalPoules = 1250;
constexpr int pouleGrootte = 8;
constexpr int herhalingen = 30;

// Pool numbers spread over the list as a draw leaves them; every position
// entered, so the whole list is checked for complete results.
TDeelnemerLijst toernooi() {
    TDeelnemerLijst deelnemers;
    const int aantal = aantalPoules * pouleGrootte;
    for (int i = 0; i < aantal; ++i) {
        auto deelnemer = std::make_unique<TDeelnemer>(QStringLiteral("Speler"), QString::number(i));
        deelnemer->Poule = i % aantalPoules + 1;
        deelnemer->Positie = pouleGrootte - i / aantalPoules;
        deelnemers.push_back(std::move(deelnemer));
    }
    return deelnemers;
}

bool klopt(const TPoulesForm& form, int tab) {
    const TPouleTabControl& tabs = *form.PoulesTabControl;
    if (!form.isVisible() || tabs.AantalTabs() != aantalPoules || tabs.TabIndex() != tab ||
        tabs.TabTekst(aantalPoules - 1) != QStringLiteral("Poule 1250") ||
        form.RowCount() != pouleGrootte + 1 || !form.KnockoutBitBtn->isEnabled())
        return false;
    // Sorted on position: row r holds position r, the participant of pool
    // tab + 1 that stands at list index (8 - r) * 1250 + tab.
    for (int rij = 1; rij <= pouleGrootte; ++rij) {
        if (form.Cel(3, rij) != QString::number(rij) ||
            form.Cel(1, rij) != QString(QChar(u'A' + pouleGrootte - rij)) ||
            form.Cel(0, rij).toInt() != (pouleGrootte - rij) * aantalPoules + tab)
            return false;
    }
    return true;
}

// Runs `voor` untimed, then times `meting` with the events it leaves behind
// (layout and the first paint), `herhalingen` times.
bool meet(const char* naam, const std::function<void()>& voor,
          const std::function<bool()>& meting) {
    std::vector<double> tijden;
    bool goed = true;
    for (int i = 0; i < herhalingen; ++i) {
        voor();
        QCoreApplication::processEvents();
        const auto begin = std::chrono::steady_clock::now();
        const bool juist = meting();
        QCoreApplication::processEvents();
        const auto einde = std::chrono::steady_clock::now();
        tijden.push_back(std::chrono::duration<double, std::milli>(einde - begin).count());
        goed = goed && juist;
    }
    std::sort(tijden.begin(), tijden.end());
    std::printf("%-52s median %8.3f ms, max %8.3f ms%s\n", naam, tijden[tijden.size() / 2],
                tijden.back(), goed ? "" : "  WRONG WINDOW");
    return goed;
}

QtMessageHandler vorigeMelder = nullptr;

// The offscreen platform cannot raise a window and says so at every show.
void melder(QtMsgType soort, const QMessageLogContext& plaats, const QString& tekst) {
    if (!tekst.contains(QStringLiteral("does not support raise()")))
        vorigeMelder(soort, plaats, tekst);
}

} // namespace

int main(int argc, char** argv) {
    vorigeMelder = qInstallMessageHandler(melder);
    QApplication app(argc, argv);
    TMainForm hoofd;
    TToernooiDocument& document = hoofd.Document();
    TPoulesForm& form = *hoofd.PoulesForm;
    hoofd.ZetProgrammastatus(psPoules);
    // The window shows what the document holds: an empty list first, then
    // the pools, which the untimed part makes.
    TDeelnemerLijst groot;
    auto leeg = [&] {
        document.ZetDeelnemers({});
        form.ToonPoules();
        groot = toernooi();
    };
    auto vul = [&] {
        document.ZetDeelnemers(std::move(groot));
        form.ToonPoules();
        return klopt(form, 0);
    };

    bool goed = meet(
        "ToonPoules 1250 x 8, hidden window shown",
        [&] {
            form.hide();
            leeg();
            form.hide();
        },
        vul);
    goed = meet("ToonPoules 1250 x 8, visible window refilled", leeg, vul) && goed;
    goed = meet(
               "ToonPoules 1250 x 8, same pools again", [] {},
               [&] {
                   form.ToonPoules();
                   return klopt(form, 0);
               }) &&
           goed;
    int tab = 0;
    goed = meet(
               "tab change among 1250 pools", [&] { tab = (tab + 617) % aantalPoules; },
               [&] {
                   form.PoulesTabControl->TabBar()->setCurrentIndex(tab);
                   return klopt(form, tab);
               }) &&
           goed;
    return goed ? 0 : 1;
}
