// Starts the real program, with any arguments given after it, on the X
// display it is given, waits until a window titled "Zegerooster" is on
// screen, asks that window to close the way a window manager does
// (WM_DELETE_WINDOW) and expects the program to end with exit code 0. Fails
// at once when the program ends early, and never leaves the program running:
// every time limit stays inside the ctest timeout.
#include "X11Program.h"

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;
using namespace x11program;
using Clock = std::chrono::steady_clock;

constexpr auto windowLimit = 60s;
constexpr auto exitLimit = 40s;
constexpr auto pollInterval = 50ms;

int fail(const std::string& message) {
    std::fprintf(stderr, "smoke test failed: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <zegerooster executable> [its arguments]\n", argv[0]);
        return 2;
    }
    XSetErrorHandler(ignoreXErrors);
    const EigenMap map;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return fail("cannot open X display");
    const pid_t child = start(argv + 1);
    if (child < 0) {
        XCloseDisplay(display);
        return fail("cannot start a process");
    }

    Window window = 0;
    std::optional<int> status;
    for (const auto end = Clock::now() + windowLimit; !window && Clock::now() < end;) {
        if ((status = endedStatus(child)))
            break;
        window = findShownWindow(display, DefaultRootWindow(display), "Zegerooster");
        if (!window)
            std::this_thread::sleep_for(pollInterval);
    }
    if (window)
        askToClose(display, window);
    XCloseDisplay(display);
    if (status)
        return fail("Zegerooster ended before showing its window, with " + describe(*status));
    if (!window) {
        stop(child);
        return fail("no window titled Zegerooster appeared");
    }

    for (const auto end = Clock::now() + exitLimit; !status && Clock::now() < end;)
        if (!(status = endedStatus(child)))
            std::this_thread::sleep_for(pollInterval);
    if (!status) {
        stop(child);
        return fail("Zegerooster did not end after being asked to close");
    }
    if (!WIFEXITED(*status) || WEXITSTATUS(*status) != 0)
        return fail("Zegerooster ended with " + describe(*status));
    std::printf("Zegerooster started, showed its main window and closed cleanly\n");
    return 0;
}
