// What the tests of the real program share: starting it so that it never
// outlives the test, and finding its windows on the X display by title.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace x11program {

// Qt creates and destroys helper windows while it starts; asking about one
// that has just gone must not end the test (Xlib's default handler exits).
inline int ignoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

inline std::string windowTitle(Display* display, Window window) {
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

inline bool isViewable(Display* display, Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

// The first viewable window with this title that also passes `accept`: one
// that the program has shown, not merely created.
inline Window findShownWindow(Display* display, Window parent, const std::string& title,
                              const std::function<bool(Window)>& accept = {}) {
    if (windowTitle(display, parent) == title && isViewable(display, parent) &&
        (!accept || accept(parent)))
        return parent;
    Window rootReturn = 0, parentReturn = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &rootReturn, &parentReturn, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i)
        found = findShownWindow(display, children[i], title, accept);
    if (children)
        XFree(children);
    return found;
}

// Asks a window to close the way a window manager does (WM_DELETE_WINDOW).
inline void askToClose(Display* display, Window window) {
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

inline std::string describe(int status) {
    if (WIFEXITED(status))
        return "exit code " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return "signal " + std::to_string(WTERMSIG(status));
    return "status " + std::to_string(status);
}

// The child's wait status once it has ended, or nothing when it still runs.
inline std::optional<int> endedStatus(pid_t child) {
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child)
        return status;
    return std::nullopt;
}

// Ends a program that is still running; the caller has not collected it yet.
inline void stop(pid_t child) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, __WALL);
}

// Runs arguments[0] with the arguments that follow it on the X display;
// `beforeExec` runs in the child, just before the program replaces it.
inline pid_t start(char** arguments, void (*beforeExec)() = nullptr) {
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child == 0) {
        // Whatever ends this test (the thread that started the program) also
        // ends the program under test.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(126);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        if (beforeExec)
            beforeExec();
        execv(arguments[0], arguments);
        std::perror(arguments[0]);
        _exit(127);
    }
    return child;
}

// A folder of its own for the run, taken as home and as every XDG folder:
// the program under test neither reads nor leaves user data, such as a
// recovery file that would make it ask a question at start.
class EigenMap {
public:
    EigenMap() {
        namespace fs = std::filesystem;
        const char* tmp = std::getenv("TMPDIR");
        std::string sjabloon = std::string(tmp && *tmp ? tmp : "/tmp") + "/zegerooster-test-XXXXXX";
        if (!mkdtemp(sjabloon.data()))
            throw std::runtime_error("cannot make a temporary folder");
        m_pad = sjabloon;
        for (const char* naam : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME",
                                 "XDG_STATE_HOME", "XDG_RUNTIME_DIR"}) {
            const fs::path map = m_pad / naam;
            fs::create_directory(map);
            fs::permissions(map, fs::perms::owner_all); // as a runtime folder must be
            setenv(naam, map.c_str(), 1);
        }
    }
    ~EigenMap() {
        std::error_code fout;
        std::filesystem::remove_all(m_pad, fout);
    }
    EigenMap(const EigenMap&) = delete;
    EigenMap& operator=(const EigenMap&) = delete;
    const std::filesystem::path& pad() const { return m_pad; }

private:
    std::filesystem::path m_pad;
};

} // namespace x11program
