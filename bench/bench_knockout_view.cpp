// Times the knockout window: building and painting a large winners' bracket,
// one changed first-round score with its path to the final repainted, and
// one move of the focus cursor;
// measures the peak memory with two brackets of 4,096 shown. Exits non-zero
// only on a wrong bracket or a wrong paint, never because of time.
#include "app/MainForm.h"
#include "knockout/KnockoutForm.h"
#include "knockout/KnockoutView.h"
#include "model/Knockout.h"
#include "model/RandomSource.h"
#include "model/ToernooiDocument.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QScrollArea>
#include <QTabWidget>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <set>
#include <vector>

namespace {

using Klok = std::chrono::steady_clock;

double ms(Klok::time_point begin, Klok::time_point einde) {
    return std::chrono::duration<double, std::milli>(einde - begin).count();
}

double piekMB() {
    rusage gebruik{};
    getrusage(RUSAGE_SELF, &gebruik);
    return static_cast<double>(gebruik.ru_maxrss) / 1024.0; // ru_maxrss is in kB
}

void print(const char* naam, std::vector<double> tijden, const char* doel, bool goed) {
    std::sort(tijden.begin(), tijden.end());
    std::printf("%-58s median %8.3f ms  max %8.3f ms  (target %s)%s\n", naam,
                tijden[tijden.size() / 2], tijden.back(), doel, goed ? "" : "  WRONG RESULT");
    std::fflush(stdout);
}

QtMessageHandler vorigeMelder = nullptr;

// The offscreen platform cannot raise a window and says so at every show.
void melder(QtMsgType soort, const QMessageLogContext& plaats, const QString& tekst) {
    if (!tekst.contains(QStringLiteral("does not support raise()")))
        vorigeMelder(soort, plaats, tekst);
}

// The winners' bracket as the knockout window's first tab holds it.
TKnockoutView* WinnaarsView(const TKnockoutForm& form) {
    return qobject_cast<TKnockoutView*>(form.WinnaarsFrame->widget());
}

// A fresh list of `aantal` participants for the main window; participant i
// goes to bracket knockoutNr(i). The window's brackets point into the old
// list, so they go first.
void vul(TMainForm& hoofd, int aantal, const std::function<int(int)>& knockoutNr) {
    TDeelnemerLijst lijst;
    for (int i = 0; i < aantal; ++i) {
        auto deelnemer = std::make_unique<TDeelnemer>(QStringLiteral("Speler"), QString::number(i));
        deelnemer->KnockoutNr = static_cast<std::uint8_t>(knockoutNr(i));
        lijst.push_back(std::move(deelnemer));
    }
    hoofd.Document().ZetDeelnemers(std::move(lijst));
    hoofd.KnockoutForm->hide();
}

// Every participant of the bracket stands in exactly one first-round match
// and the bracket has the rounds its size asks for.
bool volledigGeloot(const TKnockout& knockout, int aantal, int rondes) {
    if (knockout.Aantal() != aantal || knockout.AantalRondes() != rondes || !knockout.IsVolledig())
        return false;
    std::set<const TDeelnemer*> gezien;
    for (int m = 0; m < knockout.AantalWedstrijden(0); ++m) {
        const TKnockoutWedstrijd* w = knockout.Wedstrijd(0, m);
        gezien.insert(w->DeelnemerBoven());
        gezien.insert(w->DeelnemerOnder());
    }
    return gezien.size() == static_cast<std::size_t>(aantal) && !gezien.contains(nullptr);
}

// Paints the whole view through its paintEvent, band by band, into one reused
// image (QWidget::render with the band as source region). One image of the
// full view would take 430 MB for 1,024 participants and 2 GB for 4,096;
// the bands paint the same pixels and every element once (plus the few that
// straddle a band edge). Checks that every first-round box came out filled
// in the colour of a complete match.
bool tekenHeleView(TKnockoutView& view, int wedstrijden, QImage& band) {
    if (band.width() != view.width())
        band = QImage(view.width(), 2048, QImage::Format_ARGB32_Premultiplied);
    const QRgb compleet = view.palette().color(QPalette::Base).rgb();
    const int aantal = view.height() > 0 ? (view.height() + band.height() - 1) / band.height() : 0;
    int box = 0;
    bool goed = true;
    for (int i = 0; i < aantal; ++i) {
        const QRect bron(0, i * band.height(), view.width(), band.height());
        view.render(&band, QPoint(), QRegion(bron));
        for (; box < wedstrijden; ++box) {
            const QPoint punt = view.WedstrijdRect(0, box).topLeft() + QPoint(1, 1);
            if (!bron.contains(punt))
                break;
            goed = goed && band.pixel(punt - bron.topLeft()) == compleet;
        }
    }
    return goed && box == wedstrijden;
}

// Building and the first complete paint of the winners' bracket of a direct
// knockout. The old bracket is cleared before the clock starts, so the
// figure holds no deletion. The time includes the events the build leaves behind
// (the real first paint of the visible part), then the forced paint of the
// whole view.
bool meetBouw(TMainForm& hoofd, int aantal, int rondes, int herhalingen, const char* naam,
              const char* doel) {
    TKnockoutForm& form = *hoofd.KnockoutForm;
    QImage band;
    std::vector<double> tijden;
    bool goed = true;
    for (int h = 0; h < herhalingen; ++h) {
        vul(hoofd, aantal, [](int) { return 1; });
        QCoreApplication::processEvents();

        const auto begin = Klok::now();
        hoofd.Document().BouwKnockouts(TKnockout::LootWillekeurig);
        QCoreApplication::processEvents();
        const bool geschilderd = tekenHeleView(*WinnaarsView(form), aantal / 2, band);
        const auto einde = Klok::now();
        tijden.push_back(ms(begin, einde));
        goed = goed && geschilderd && form.isVisible() &&
               volledigGeloot(*form.WinnaarsKnockout(), aantal, rondes) &&
               form.VerliezersKnockout()->AantalRondes() == 0 &&
               WinnaarsView(form)->height() == 2 * TKnockoutView::Marge + 35 * aantal;
    }
    print(naam, tijden, doel, goed);
    return goed;
}

// Upper participant wins the odd matches, the lower one the even matches.
int scoreBoven(int nummer) {
    return nummer % 2 ? 3 : 1;
}
constexpr int ScoreOnder = 2;

void speel(TToernooiDocument& document, int ronde, int nummer) {
    document.ZetUitslag(1, ronde, nummer, scoreBoven(nummer), ScoreOnder);
}

// A fully played bracket of 1,024; one first-round result turned around.
// That hands the other participant on and clears every result on the path
// to the final. Timed: the new score through the document (one step of its
// history), the events it leaves (the visible
// boxes repainted through the backing store, with the match scrolled into
// view) and a forced paint of every box on the path, wherever it lies.
bool meetScore(TMainForm& hoofd) {
    constexpr int Aantal = 1024;
    constexpr int Herhalingen = 200;
    TKnockoutForm& form = *hoofd.KnockoutForm;
    vul(hoofd, Aantal, [](int) { return 1; });
    hoofd.Document().BouwKnockouts(TKnockout::LootWillekeurig);
    TToernooiDocument& document = hoofd.Document();
    const TKnockout& knockout = *form.WinnaarsKnockout();
    TKnockoutView& view = *WinnaarsView(form);
    const int rondes = knockout.AantalRondes();
    for (int r = 0; r < rondes; ++r)
        for (int m = 0; m < knockout.AantalWedstrijden(r); ++m)
            speel(document, r, m);
    const TKnockoutWedstrijd& finale = *knockout.Wedstrijd(rondes - 1, 0);
    const TDeelnemer* finaleBoven = finale.DeelnemerBoven();
    const TDeelnemer* finaleOnder = finale.DeelnemerOnder();
    // The final is an even match: the lower participant wins it.
    bool goed = rondes == 10 && finale.Winnaar() == finaleOnder && finaleBoven && finaleOnder;

    const QRgb compleet = view.palette().color(QPalette::Base).rgb();
    const QRgb onvolledig = view.palette().color(QPalette::Button).rgb();
    QImage box(TKnockoutView::WedstrijdBreedte, TKnockoutView::WedstrijdHoogte,
               QImage::Format_ARGB32_Premultiplied);
    std::vector<double> tijden;
    for (int h = 0; h < Herhalingen; ++h) {
        const int nummer = (h * 97) % knockout.AantalWedstrijden(0);
        const TKnockoutWedstrijd& eerste = *knockout.Wedstrijd(0, nummer);
        const QPoint midden = view.WedstrijdRect(0, nummer).center();
        form.WinnaarsFrame->ensureVisible(midden.x(), midden.y(), 200, 200);
        QCoreApplication::processEvents();

        const auto begin = Klok::now();
        document.ZetUitslag(1, 0, nummer, ScoreOnder, scoreBoven(nummer));
        QCoreApplication::processEvents();
        bool geschilderd = true;
        for (int r = 0; r < rondes; ++r) {
            const QRect rect = view.WedstrijdRect(r, nummer >> r);
            view.render(&box, QPoint(), QRegion(rect));
            // Round 2 on has lost a participant: the box turns incomplete.
            geschilderd = geschilderd && box.pixel(1, 1) == (r < 2 ? compleet : onvolledig);
        }
        const auto einde = Klok::now();
        tijden.push_back(ms(begin, einde));

        // The new winner stands in round 2 without a result; later on the
        // path, the slot is empty and no result is left.
        const TKnockoutWedstrijd& tweede = *knockout.Wedstrijd(1, nummer / 2);
        bool pad =
            (nummer % 2 ? tweede.DeelnemerOnder() : tweede.DeelnemerBoven()) == eerste.Winnaar() &&
            tweede.ScoreBoven() == -1;
        for (int r = 2; r < rondes; ++r) {
            const TKnockoutWedstrijd& w = *knockout.Wedstrijd(r, nummer >> r);
            const bool onder = (nummer >> (r - 1)) % 2;
            pad = pad && (onder ? w.DeelnemerOnder() : w.DeelnemerBoven()) == nullptr &&
                  w.ScoreBoven() == -1;
        }
        const bool ongemoeid = nummer < Aantal / 4 ? finale.DeelnemerOnder() == finaleOnder
                                                   : finale.DeelnemerBoven() == finaleBoven;
        goed = goed && geschilderd && pad && ongemoeid;

        // Untimed: the old result and the path played again.
        for (int r = 0; r < rondes; ++r)
            speel(document, r, nummer >> r);
        goed = goed && finale.DeelnemerBoven() == finaleBoven &&
               finale.DeelnemerOnder() == finaleOnder && finale.Winnaar() == finaleOnder;
    }
    print("one first-round score, 1024 played, path repainted", tijden, "< 5 ms", goed);
    return goed;
}

// Records the area of every paint of the view.
class Verfteller : public QObject {
public:
    QRegion geverfd;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            geverfd += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

// The focus cursor in a shown bracket of 4,096, moved by the arrow keys round
// four boxes at the top left: down, right, left, up. Timed: the key press
// and the repaint it leaves. Each move must repaint its two boxes, nothing
// else.
bool meetPijltoets(TMainForm& hoofd) {
    constexpr int Herhalingen = 400;
    TKnockoutForm& form = *hoofd.KnockoutForm;
    vul(hoofd, 4096, [](int) { return 1; });
    hoofd.Document().BouwKnockouts(TKnockout::LootWillekeurig);
    TKnockoutView& view = *WinnaarsView(form);
    form.activateWindow();
    view.setFocus();
    QCoreApplication::processEvents();
    Verfteller teller;
    view.installEventFilter(&teller);
    const Qt::Key toetsen[] = {Qt::Key_Down, Qt::Key_Right, Qt::Key_Left, Qt::Key_Up};
    std::vector<double> tijden;
    bool goed = view.Cursor() == TKnockoutView::Plaats{0, 0, -1};
    for (int h = 0; h < Herhalingen; ++h) {
        const TKnockoutView::Plaats van = view.Cursor();
        teller.geverfd = QRegion();
        QKeyEvent druk(QEvent::KeyPress, toetsen[h % 4], Qt::NoModifier);
        const auto begin = Klok::now();
        QCoreApplication::sendEvent(&view, &druk);
        QCoreApplication::processEvents();
        const auto einde = Klok::now();
        tijden.push_back(ms(begin, einde));
        const TKnockoutView::Plaats naar = view.Cursor();
        goed = goed && naar != van &&
               teller.geverfd == QRegion(view.PlaatsRect(van)) + view.PlaatsRect(naar);
    }
    view.removeEventFilter(&teller);
    print("arrow key move, 4096 shown, two boxes repainted", tijden, "< 2 ms", goed);
    return goed;
}

// Both brackets of 4,096 built and shown, each tab painted once. Runs in a
// child process of its own, so that nothing else counts in its peak.
int meetGeheugen(int argc, char** argv) {
    QApplication app(argc, argv);
    TMainForm hoofd;
    const double basis = piekMB();
    vul(hoofd, 8192, [](int i) { return i % 2 + 1; });
    TKnockoutForm& form = *hoofd.KnockoutForm;
    hoofd.Document().BouwKnockouts(TKnockout::LootWillekeurig);
    QCoreApplication::processEvents();
    form.PageControl->setCurrentIndex(1);
    QCoreApplication::processEvents();
    const bool goed = form.isVisible() && volledigGeloot(*form.WinnaarsKnockout(), 4096, 12) &&
                      volledigGeloot(*form.VerliezersKnockout(), 4096, 12) &&
                      form.VerliezersFrame->isVisible();
    const double piek = piekMB();
    std::printf("%-58s peak %8.1f MB  (after start %.1f MB)  (target < 250 MB)%s\n",
                "both brackets of 4096 shown", piek, basis, goed ? "" : "  WRONG RESULT");
    std::fflush(stdout);
    return goed ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    vorigeMelder = qInstallMessageHandler(melder);
    auto vorige =
        setRandomSource(std::make_unique<ClockSeededRandomSource>([] { return std::uint64_t{7}; }));

    std::fflush(stdout);
    const pid_t kind = fork();
    if (kind < 0) {
        std::perror("fork");
        return 1;
    }
    if (kind == 0)
        _exit(meetGeheugen(argc, argv));
    int status = 0;
    waitpid(kind, &status, 0);
    bool goed = WIFEXITED(status) && WEXITSTATUS(status) == 0;

    QApplication app(argc, argv);
    TMainForm hoofd;
    goed =
        meetBouw(hoofd, 1024, 10, 20, "Bouw + complete paint, 1024 winners' bracket", "< 150 ms") &&
        goed;
    goed =
        meetBouw(hoofd, 4096, 12, 10, "Bouw + complete paint, 4096 winners' bracket", "< 700 ms") &&
        goed;
    goed = meetScore(hoofd) && goed;
    goed = meetPijltoets(hoofd) && goed;
    setRandomSource(std::move(vorige));
    return goed ? 0 : 1;
}
