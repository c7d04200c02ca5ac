// SPDX-License-Identifier: MIT
// An X display of a test's own (Xvfb), which the test may kill, and a client of it that finds a process's
// windows and types into them through XTest, as a user at the keyboard would. POSIX tests only.
#pragma once

#include <sys/types.h>

#include <string>

typedef struct _XDisplay Display;

/// Xvfb on a display number it picks itself; killed (if still running) when destroyed.
class XServer {
public:
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    /// ":N", or empty when the server did not start.
    const std::string& name() const { return m_name; }
    /// Kills the server at once (SIGKILL), as a crash of the display would end it.
    void kill();

private:
    pid_t m_pid = -1;
    std::string m_name;
};

/// A connection to a display for finding windows and typing.
class XClient {
public:
    explicit XClient(const std::string& display);
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    bool connected() const { return m_display != nullptr; }
    /// Waits until the process shows count ordinary windows (menus and completion lists not counted) and gives
    /// the lowest of them, the first it showed; 0 when the limit passed first.
    unsigned long waitForWindows(pid_t pid, int count, double seconds);
    /// Waits for the process's first window, lets it draw and gives it the keyboard (there is no window manager
    /// to do it); the window, or 0 when it did not show within the limit.
    unsigned long waitForKeyboard(pid_t pid, double seconds);
    /// Types the text key by key; "\n" is Return.
    void type(const std::string& text);
    /// Presses a key with Control held ('v' for Ctrl+V).
    void typeControl(char key);

private:
    void pressKey(unsigned long keysym, bool control);

    Display* m_display = nullptr;
};
