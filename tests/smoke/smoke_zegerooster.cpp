// Starts the real program, with any arguments given after it, on the X
// display it is given, waits until a window titled "Zegerooster" is on
// screen, asks that window to close the way a window manager does
// (WM_DELETE_WINDOW) and expects the program to end with exit code 0. Fails
// at once when the program ends early, and never leaves the program running:
// every time limit stays inside the ctest timeout.
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto windowLimit = 60s;
constexpr auto exitLimit = 40s;
constexpr auto pollInterval = 50ms;

// Qt creates and destroys helper windows while it starts; asking about one
// that has just gone must not end this program (Xlib's default handler exits).
int ignoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

std::string windowTitle(Display* display, Window window) {
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netWmName, 0, 1024, False, utf8, &type, &format, &count,
                           &remaining, &data) == Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return title;
}

bool isViewable(Display* display, Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

// The viewable window with this title: one that the program has shown, not
// merely created.
Window findShownWindow(Display* display, Window parent, const std::string& title) {
    if (windowTitle(display, parent) == title && isViewable(display, parent))
        return parent;
    Window rootReturn = 0, parentReturn = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &rootReturn, &parentReturn, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i)
        found = findShownWindow(display, children[i], title);
    if (children)
        XFree(children);
    return found;
}

void askToClose(Display* display, Window window) {
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

std::string describe(int status) {
    if (WIFEXITED(status))
        return "exit code " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return "signal " + std::to_string(WTERMSIG(status));
    return "status " + std::to_string(status);
}

// The child's wait status once it has ended, or nothing when it still runs.
std::optional<int> endedStatus(pid_t child) {
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child)
        return status;
    return std::nullopt;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "smoke test failed: %s\n", message.c_str());
    return 1;
}

// Ends a program that is still running; the caller has not collected it yet.
void stop(pid_t child) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

// Runs arguments[0] with the arguments that follow it.
pid_t start(char** arguments) {
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child == 0) {
        // Whatever ends this test also ends the program under test.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(126);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        execv(arguments[0], arguments);
        std::perror(arguments[0]);
        _exit(127);
    }
    return child;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <zegerooster executable> [its arguments]\n", argv[0]);
        return 2;
    }
    XSetErrorHandler(ignoreXErrors);
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
