// Starts a program and measures how long it takes until a top-level window with the given title
// is mapped on the X display (no window manager: top-level windows are children of the root), and
// how much memory the program holds then and a little later.
//
// Usage: mapprobe TITLE SETTLE_MS PROGRAM [ARGUMENTS...]
// Prints: milliseconds-to-map kilobytes-resident-at-map kilobytes-resident-after-settle
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

std::string windowtitle(Display* display, Window window) {
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom netname = XInternAtom(display, "_NET_WM_NAME", False);
    for (Atom property : {netname, Atom{XA_WM_NAME}}) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType, &type,
                               &format, &count, &after, &data) == Success &&
            data != nullptr) {
            std::string title(reinterpret_cast<char*>(data), count);
            XFree(data);
            if (!title.empty() && (type == utf8 || type == XA_STRING)) {
                return title;
            }
        }
    }
    return {};
}

long residentkilobytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

pid_t startprogram(char** argv) {
    pid_t pid = fork();
    if (pid == 0) {
        int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        execv(argv[0], argv);
        _exit(127);
    }
    return pid;
}

// A window counts once it is mapped and carries the title; the title may come after the map.
bool waitformappedtitle(Display* display, const std::string& title, double timeoutms,
                        Clock::time_point start) {
    Window root = DefaultRootWindow(display);
    while (std::chrono::duration<double, std::milli>(Clock::now() - start).count() < timeoutms) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            Window window = event.type == MapNotify        ? event.xmap.window
                            : event.type == PropertyNotify ? event.xproperty.window
                                                           : 0;
            if (event.type == MapNotify) {
                XSelectInput(display, window, PropertyChangeMask);
            }
            if (window != 0 && window != root && windowtitle(display, window) == title) {
                XWindowAttributes attributes;
                if (XGetWindowAttributes(display, window, &attributes) &&
                    attributes.map_state == IsViewable) {
                    return true;
                }
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s TITLE SETTLE_MS PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "mapprobe: no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    Clock::time_point start = Clock::now();
    pid_t pid = startprogram(argv + 3);
    bool mapped = waitformappedtitle(display, argv[1], 10000, start);
    double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    long atmap = residentkilobytes(pid);
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[2])));
    long settled = residentkilobytes(pid);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    if (!mapped) {
        std::fprintf(stderr, "mapprobe: no window \"%s\" within 10 s\n", argv[1]);
        return 1;
    }
    std::printf("%.1f %ld %ld\n", elapsed, atmap, settled);
    return 0;
}
