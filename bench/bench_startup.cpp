// Times the program's start: from starting the process to the first paint of
// the main window, against an empty Qt window started the same way by the
// same executable. Every start is a fresh process that ends at once after the
// paint; the kinds alternate so that all meet the same machine. Reports the
// wall time and the processor time of the processes, which a busy machine
// disturbs less. Exits non-zero only when a start fails.
//
// A third kind, for reading the figures only, is the empty window with one
// line of text: the first text any Qt program draws reads the system's font
// configuration, which costs about as much as the whole empty window, and no
// window with a caption on it can avoid that. The program reads it on a
// second thread while Qt starts; that hides it where Qt waits for a display
// server (X11, Wayland), hardly offscreen, where Qt starts in a few
// milliseconds. So the figures are worth reading for both platforms.
#include "app/Application.h"
#include "app/LettertypenVooraf.h"
#include "app/MainForm.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QWidget>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Klok = std::chrono::steady_clock;

long long nuNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Klok::now().time_since_epoch())
        .count();
}

// Ends the event loop once the window's first paint has reached the screen:
// the quit is queued behind the paint and its flush.
class EersteVerf : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_gezien) {
            m_gezien = true;
            QMetaObject::invokeMethod(
                qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_gezien = false;
};

void stilOffscreen(QtMsgType, const QMessageLogContext&, const QString&) {}

// One start, in this process: prints the time at which the first paint was
// done, on the same clock the parent read when it started the process.
enum class Soort { Leeg, Tekst, Hoofdvenster };

int start(int argc, char** argv, Soort soort) {
    qInstallMessageHandler(stilOffscreen);
    // As the program does: the font configuration is read while Qt starts.
    std::optional<TLettertypenVooraf> lettertypen;
    if (soort == Soort::Hoofdvenster)
        lettertypen.emplace();
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> venster;
    if (soort == Soort::Hoofdvenster) {
        initialiseApplication(app);
        lettertypen->wacht();
        venster = std::make_unique<TMainForm>();
    } else {
        venster = std::make_unique<QWidget>();
        venster->resize(142, 175);
        if (soort == Soort::Tekst)
            (new QLabel(QStringLiteral("Zegerooster"), venster.get()))->move(8, 8);
    }
    EersteVerf verf;
    venster->installEventFilter(&verf);
    venster->show();
    // As the program does: the question about an unsaved tournament comes
    // before the first paint. There is none: the data folder is a fresh one.
    if (auto* hoofd = qobject_cast<TMainForm*>(venster.get()))
        hoofd->BiedHerstelAan();
    if (QApplication::exec() != 0)
        return 1;
    std::printf("%lld\n", nuNs());
    std::fflush(stdout);
    _exit(0); // the clean-up is no part of the start
}

struct Meting {
    double wand = -1;      // ms from starting the process to the painted window
    double processor = -1; // ms of processor time the process used
};

double ms(const timeval& tijd) {
    return static_cast<double>(tijd.tv_sec) * 1e3 + static_cast<double>(tijd.tv_usec) / 1e3;
}

// Starts this executable for one start; negative times when it failed.
Meting meet(const char* zelf, const char* soort) {
    int pijp[2];
    if (pipe(pijp) != 0)
        return {};
    posix_spawn_file_actions_t acties;
    posix_spawn_file_actions_init(&acties);
    posix_spawn_file_actions_adddup2(&acties, pijp[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&acties, pijp[0]);
    char* args[] = {const_cast<char*>(zelf), const_cast<char*>(soort), nullptr};
    const long long begin = nuNs();
    pid_t kind = 0;
    const int fout = posix_spawn(&kind, zelf, &acties, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&acties);
    close(pijp[1]);
    std::string uit;
    char buffer[64];
    for (ssize_t n; (n = read(pijp[0], buffer, sizeof buffer)) > 0;)
        uit.append(buffer, static_cast<size_t>(n));
    close(pijp[0]);
    int status = 0;
    rusage gebruik{};
    if (fout != 0 || wait4(kind, &status, 0, &gebruik) != kind || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0 || uit.empty())
        return {};
    return {static_cast<double>(std::stoll(uit) - begin) / 1e6,
            ms(gebruik.ru_utime) + ms(gebruik.ru_stime)};
}

double mediaan(std::vector<double> tijden) {
    std::sort(tijden.begin(), tijden.end());
    return tijden[tijden.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--leeg") == 0)
        return start(argc, argv, Soort::Leeg);
    if (argc > 1 && std::strcmp(argv[1], "--tekst") == 0)
        return start(argc, argv, Soort::Tekst);
    if (argc > 1 && std::strcmp(argv[1], "--hoofdvenster") == 0)
        return start(argc, argv, Soort::Hoofdvenster);

    // A fresh data folder for the starts, so that no tournament left
    // unsaved by the user or a test is offered.
    char map[] = "/tmp/zegerooster-bench-XXXXXX";
    if (!mkdtemp(map) || setenv("XDG_DATA_HOME", map, 1) != 0)
        return 1;
    const struct Opruimen {
        const char* map;
        ~Opruimen() { std::filesystem::remove_all(map); }
    } opruimen{map};

    constexpr int Rondes = 15;
    std::vector<double> leegWand, leegProcessor, tekstWand, tekstProcessor, hoofdWand,
        hoofdProcessor;
    meet(argv[0], "--hoofdvenster"); // warms the caches of the disk and the fonts
    for (int ronde = 0; ronde < Rondes; ++ronde) {
        const Meting leeg = meet(argv[0], "--leeg");
        const Meting hoofd = meet(argv[0], "--hoofdvenster");
        const Meting tekst = meet(argv[0], "--tekst");
        if (leeg.wand < 0 || hoofd.wand < 0 || tekst.wand < 0) {
            std::printf("start to first paint: a start FAILED\n");
            return 1;
        }
        leegWand.push_back(leeg.wand);
        leegProcessor.push_back(leeg.processor);
        tekstWand.push_back(tekst.wand);
        tekstProcessor.push_back(tekst.processor);
        hoofdWand.push_back(hoofd.wand);
        hoofdProcessor.push_back(hoofd.processor);
    }
    const auto regel = [](const char* naam, const char* basis, double leeg, double hoofd,
                          const char* doel) {
        std::printf("%-44s %-5s %7.2f ms  main %7.2f ms  %5.2fx%s\n", naam, basis, leeg, hoofd,
                    hoofd / leeg, doel);
    };
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    std::printf("platform: %s\n", platform.isEmpty() ? "default" : platform.constData());
    const char* doel = " (target <= 1.3x)";
    regel("start to first paint, wall time, median", "empty", mediaan(leegWand), mediaan(hoofdWand),
          doel);
    regel("start to first paint, processor time, median", "empty", mediaan(leegProcessor),
          mediaan(hoofdProcessor), doel);
    regel("the same against a window with one text line", "text", mediaan(tekstWand),
          mediaan(hoofdWand), " (wall)");
    regel("", "text", mediaan(tekstProcessor), mediaan(hoofdProcessor), " (processor)");
    return 0;
}
