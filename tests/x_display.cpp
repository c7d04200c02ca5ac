// SPDX-License-Identifier: MIT
#include "tests/x_display.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <vector>

namespace {

constexpr int kStartSeconds = 20;

/// Reaps a child that was sent a signal, killing it if it does not end within the limit.
void reapWithin(pid_t pid, double seconds) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > limit) {
            ::kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

/// The process that shows the window as one of its ordinary windows (menus and lists are not: they bypass the
/// window manager), by its _NET_WM_PID; 0 for any other window.
unsigned long shownBy(Display* display, Window window, Atom pidAtom) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable ||
        attributes.override_redirect)
        return 0;
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const int got =
        XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after, &data);
    if (got != Success || data == nullptr) return 0;
    const unsigned long pid = items == 1 ? *reinterpret_cast<unsigned long*>(data) : 0;
    XFree(data);
    return pid;
}

}  // namespace

XServer::XServer() {
    int ready[2];
    if (pipe(ready) != 0) return;
    m_pid = fork();
    if (m_pid == 0) {
        close(ready[0]);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, 1);
        dup2(quiet, 2);
        const std::string fd = std::to_string(ready[1]);
        // -noreset: the server stays as it is when its last client leaves.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    // The server writes its display number and a line end once it accepts clients.
    std::string answer;
    pollfd wait{ready[0], POLLIN, 0};
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(kStartSeconds);
    while (answer.find('\n') == std::string::npos && std::chrono::steady_clock::now() < limit) {
        if (poll(&wait, 1, 100) <= 0) continue;
        char piece[32];
        const ssize_t n = read(ready[0], piece, sizeof piece);
        if (n <= 0) break;
        answer.append(piece, static_cast<size_t>(n));
    }
    close(ready[0]);
    if (answer.find('\n') == std::string::npos) {
        kill();
        return;
    }
    m_name = ":" + answer.substr(0, answer.find('\n'));
}

XServer::~XServer() {
    if (m_pid <= 0) return;
    ::kill(m_pid, SIGTERM);
    reapWithin(m_pid, 10);
}

void XServer::kill() {
    if (m_pid <= 0) return;
    ::kill(m_pid, SIGKILL);
    reapWithin(m_pid, 10);
    m_pid = -1;
    // A killed server leaves its lock and socket behind; the next server would have to find them stale.
    if (!m_name.empty()) {
        const std::string number = m_name.substr(1);
        unlink(("/tmp/.X" + number + "-lock").c_str());
        unlink(("/tmp/.X11-unix/X" + number).c_str());
    }
}

XClient::XClient(const std::string& display) {
    if (!display.empty()) m_display = XOpenDisplay(display.c_str());
}

XClient::~XClient() {
    if (m_display) XCloseDisplay(m_display);
}

unsigned long XClient::waitForWindows(pid_t pid, int count, double seconds) {
    if (!m_display) return 0;
    const Atom pidAtom = XInternAtom(m_display, "_NET_WM_PID", False);
    const auto limit = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < limit) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int n = 0;
        std::vector<Window> shown;
        if (XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &n)) {
            for (unsigned int i = 0; i < n; ++i)
                if (shownBy(m_display, children[i], pidAtom) == static_cast<unsigned long>(pid))
                    shown.push_back(children[i]);
            if (children) XFree(children);
        }
        // Children come bottom to top: a window shown later lies above the first one.
        if (static_cast<int>(shown.size()) >= count) return shown.front();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return 0;
}

unsigned long XClient::waitForKeyboard(pid_t pid, double seconds) {
    const unsigned long window = waitForWindows(pid, 1, seconds);
    if (window == 0) return 0;
    // A window takes the keyboard for its console once drawn; a second is plenty for that.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    XSetInputFocus(m_display, window, RevertToPointerRoot, CurrentTime);
    XSync(m_display, False);
    return window;
}

void XClient::pressKey(unsigned long keysym, bool control) {
    const KeyCode code = XKeysymToKeycode(m_display, keysym);
    if (code == 0) return;
    // A character on the key's second level ("(" on "9") takes Shift.
    const bool shift = XkbKeycodeToKeysym(m_display, code, 0, 0) != keysym;
    const KeyCode shiftCode = XKeysymToKeycode(m_display, XK_Shift_L);
    const KeyCode controlCode = XKeysymToKeycode(m_display, XK_Control_L);
    if (control) XTestFakeKeyEvent(m_display, controlCode, True, CurrentTime);
    if (shift) XTestFakeKeyEvent(m_display, shiftCode, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    if (shift) XTestFakeKeyEvent(m_display, shiftCode, False, CurrentTime);
    if (control) XTestFakeKeyEvent(m_display, controlCode, False, CurrentTime);
    XSync(m_display, False);
    // One key at a time, as fast as a quick typist: the program reads each before the next comes.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
}

void XClient::type(const std::string& text) {
    if (!m_display) return;
    for (char c : text) {
        if (c == '\n') {
            pressKey(XK_Return, false);
        } else {
            // Latin-1 characters have keysyms equal to their codes.
            pressKey(static_cast<unsigned char>(c), false);
        }
    }
}

void XClient::typeControl(char key) {
    if (m_display) pressKey(static_cast<unsigned char>(key), true);
}
