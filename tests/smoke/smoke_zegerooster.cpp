// Starts the real program on the X display it is given, waits for a window
// titled "Zegerooster", asks that window to close the way a window manager
// does (WM_DELETE_WINDOW) and expects the program to end with exit code 0.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::string windowTitle(Display* display, Window window) {
    Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netWmName, 0, 1024, False, utf8, &type, &format,
                           &count, &remaining, &data) == Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return title;
}

Window findWindow(Display* display, Window root, const std::string& title) {
    if (windowTitle(display, root) == title)
        return root;
    Window rootReturn, parentReturn;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, root, &rootReturn, &parentReturn, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i)
        found = findWindow(display, children[i], title);
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

bool waitForExit(pid_t child, int& status, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (waitpid(child, &status, WNOHANG) == child)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <zegerooster executable>\n", argv[0]);
        return 2;
    }
    const pid_t child = fork();
    if (child == 0) {
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        execl(argv[1], argv[1], static_cast<char*>(nullptr));
        _exit(127);
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        kill(child, SIGKILL);
        return 1;
    }
    Window window = 0;
    for (int attempt = 0; attempt < 600 && !window; ++attempt) {
        window = findWindow(display, DefaultRootWindow(display), "Zegerooster");
        if (!window)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    int status = 0;
    if (!window) {
        std::fprintf(stderr, "no window titled Zegerooster appeared\n");
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        return 1;
    }
    askToClose(display, window);
    XCloseDisplay(display);
    if (!waitForExit(child, status, std::chrono::seconds(60))) {
        std::fprintf(stderr, "Zegerooster did not end after being asked to close\n");
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        return 1;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "Zegerooster ended with status %d\n", status);
        return 1;
    }
    std::printf("Zegerooster started, showed its main window and closed cleanly\n");
    return 0;
}
