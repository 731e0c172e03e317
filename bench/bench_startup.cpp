// Times the program's start: from starting the process to the first paint of
// the main window, against an empty Qt window started the same way by the
// same executable. Every start is a fresh process that ends at once after the
// paint; the two kinds alternate so that both meet the same machine. Reports
// the wall time and the processor time of the processes, which a busy
// machine disturbs less. Exits non-zero only when a start fails.
#include "app/Application.h"
#include "app/MainForm.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
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
int start(int argc, char** argv, bool hoofdvenster) {
    qInstallMessageHandler(stilOffscreen);
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> venster;
    if (hoofdvenster) {
        initialiseApplication(app);
        venster = std::make_unique<TMainForm>();
    } else {
        venster = std::make_unique<QWidget>();
        venster->resize(142, 175);
    }
    EersteVerf verf;
    venster->installEventFilter(&verf);
    venster->show();
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
        return start(argc, argv, false);
    if (argc > 1 && std::strcmp(argv[1], "--hoofdvenster") == 0)
        return start(argc, argv, true);

    constexpr int Rondes = 15;
    std::vector<double> leegWand, leegProcessor, hoofdWand, hoofdProcessor;
    meet(argv[0], "--hoofdvenster"); // warms the caches of the disk and the fonts
    for (int ronde = 0; ronde < Rondes; ++ronde) {
        const Meting leeg = meet(argv[0], "--leeg");
        const Meting hoofd = meet(argv[0], "--hoofdvenster");
        if (leeg.wand < 0 || hoofd.wand < 0) {
            std::printf("start to first paint: a start FAILED\n");
            return 1;
        }
        leegWand.push_back(leeg.wand);
        leegProcessor.push_back(leeg.processor);
        hoofdWand.push_back(hoofd.wand);
        hoofdProcessor.push_back(hoofd.processor);
    }
    const auto regel = [](const char* naam, double leeg, double hoofd) {
        std::printf("%-44s empty %7.2f ms  main %7.2f ms  %5.2fx (target <= 1.3x)\n", naam, leeg,
                    hoofd, hoofd / leeg);
    };
    regel("start to first paint, wall time, median", mediaan(leegWand), mediaan(hoofdWand));
    regel("start to first paint, processor time, median", mediaan(leegProcessor),
          mediaan(hoofdProcessor));
    return 0;
}
