// SPDX-License-Identifier: MIT
// tallyx as a process when its surroundings fail: a settings folder that is read-only or full, a settings file
// that is a folder or a link loop, an output file on a full disk, a clipboard holder that ends or falls silent
// in the middle of a paste, a display that dies under the window. Each test makes the fault for real (a file
// system of its own, a file-size limit, an X server and a clipboard holder that it kills) and checks what the
// user sees: what the program says, that no settings it had are lost, and that it never hangs.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tests/tallyx_child.h"
#include "tests/x_display.h"

namespace fs = std::filesystem;

namespace {

/// Standard error without the lines a coverage build adds at exit: its counters cannot be written either
/// under a file size limit.
std::string programErrors(const std::string& err) {
    std::string kept;
    for (size_t start = 0; start < err.size();) {
        const size_t end = std::min(err.find('\n', start), err.size() - 1) + 1;
        if (err.compare(start, 24, "libgcov profiling error:") != 0) kept += err.substr(start, end - start);
        start = end;
    }
    return kept;
}

/// Seconds a window session may take to show its window or to end: far more than it needs on a busy machine.
constexpr double kPatience = 30;

const std::string kOldSettings =
    "# Quarn-RC <do not change or remove this header>\r\n"
    "# Quarn <Version: 1.8 Build: 2104>\r\n# Saved: 2024-05-01 12:00:00 \r\n\r\n"
    "[Common]\r\n   Verbose=0\r\n\r\n"
    "[History]\r\n   Expr01=6*7\r\n\r\n";

// ---- File systems of the test's own -------------------------------------------------------------------

/// Whether this test process may mount file systems: it moves into a mount namespace of its own once, so
/// nothing it mounts is seen outside it. False where the system refuses (no privilege, as in most containers).
bool mountsPossible() {
    static const bool possible =
        unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return possible;
}

bool mountSmallFileSystem(const fs::path& at) {
    return mountsPossible() && mount("tmpfs", at.c_str(), "tmpfs", 0, "size=64k,mode=0755") == 0;
}

/// Fills the file system that holds folder up to its last byte.
void fillUp(const fs::path& folder) {
    const int fd = open((folder / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string block(4096, 'x');
    while (write(fd, block.data(), block.size()) > 0 || write(fd, "x", 1) > 0) continue;
    close(fd);
}

/// Everything below folder: names, kinds, file contents and link targets, so that any change shows.
std::vector<std::string> snapshot(const fs::path& folder) {
    std::vector<std::string> items;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        std::string item = entry.path().lexically_relative(folder).string();
        const fs::file_type type = entry.symlink_status().type();
        if (type == fs::file_type::symlink) item += " -> " + fs::read_symlink(entry.path()).string();
        if (type == fs::file_type::directory) item += "/";
        if (type == fs::file_type::regular) item += ": " + fileBytes(entry.path());
        items.push_back(item);
    }
    std::sort(items.begin(), items.end());
    return items;
}

void writeFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// ---- A clipboard holder that never hands its text over ------------------------------------------------

/// Another program holding the clipboard: it names its formats (text among them), and when it is asked for
/// the text itself it reports that and never answers.
class ClipboardHolder {
public:
    explicit ClipboardHolder(const std::string& display) {
        int report[2] = {-1, -1};
        if (pipe(report) == 0) m_pid = fork();
        if (m_pid == 0) {
            close(report[0]);
            hold(display, report[1]);
        }
        close(report[1]);
        m_report = report[0];
    }
    ~ClipboardHolder() {
        end();
        close(m_report);
    }
    /// Waits for the holder's report: 'o' it holds the clipboard, 'a' it was asked for the text.
    bool waitFor(char event, double seconds) {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        pollfd wait{m_report, POLLIN, 0};
        while (std::chrono::steady_clock::now() < limit) {
            char got = 0;
            if (poll(&wait, 1, 100) > 0 && read(m_report, &got, 1) == 1 && got == event) return true;
        }
        return false;
    }
    /// Ends the holder at once, as a crash would.
    void end() {
        if (m_pid <= 0) return;
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);  // SIGKILL cannot be held up
        m_pid = -1;
    }

private:
    [[noreturn]] static void hold(const std::string& name, int report) {
        Display* display = XOpenDisplay(name.c_str());
        if (!display) _exit(1);
        const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
        const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
        const Atom targets = XInternAtom(display, "TARGETS", False);
        const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
        XSetSelectionOwner(display, clipboard, window, CurrentTime);
        if (XGetSelectionOwner(display, clipboard) != window || write(report, "o", 1) != 1) _exit(1);
        for (;;) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != SelectionRequest) continue;
            const XSelectionRequestEvent& request = event.xselectionrequest;
            if (request.target != targets) {
                // Asked for the text: say so, and never hand it over.
                if (write(report, "a", 1) != 1) _exit(1);
                for (;;) pause();
            }
            const Atom offered[] = {targets, utf8, XA_STRING};
            XChangeProperty(display, request.requestor, request.property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(offered), 3);
            XEvent reply{};
            reply.xselection.type = SelectionNotify;
            reply.xselection.requestor = request.requestor;
            reply.xselection.selection = request.selection;
            reply.xselection.target = request.target;
            reply.xselection.property = request.property;
            reply.xselection.time = request.time;
            XSendEvent(display, request.requestor, False, 0, &reply);
            XFlush(display);
        }
    }

    pid_t m_pid = -1;
    int m_report = -1;
};

// ---- The fixture --------------------------------------------------------------------------------------

class EnvironmentFaults : public ::testing::Test {
protected:
    void SetUp() override {
        base = fs::temp_directory_path() / ("tallyx_faults_" + std::to_string(getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(base);
        fs::create_directories(base);
    }
    void TearDown() override {
        for (const fs::path& at : mounts) umount2(at.c_str(), MNT_DETACH);
        std::error_code error;
        for (const auto& entry : fs::recursive_directory_iterator(base, error))
            if (entry.symlink_status().type() == fs::file_type::directory)
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(base, error);
    }

    /// A user data folder of its own for one case; its settings folder is made, empty.
    fs::path caseFolder(const std::string& name) {
        const fs::path dir = base / name;
        fs::create_directories(dir / "Quarn" / "config");
        return dir;
    }
    static fs::path settingsFolder(const fs::path& dir) { return dir / "Quarn" / "config"; }
    static fs::path settingsFile(const fs::path& dir) { return settingsFolder(dir) / "tallyx.quarnr"; }

    /// Starts a window session, waits for its window and asks it to end as the desktop does at logout (its
    /// normal shutdown saves the settings).
    void runSession(TallyxChild& tallyx, const XServer& server) {
        XClient client(server.name());
        ASSERT_NE(client.waitForWindows(tallyx.pid(), 1, kPatience), 0u) << tallyx.err();
        tallyx.signal(SIGTERM);
        ASSERT_TRUE(tallyx.finish(kPatience)) << "the session did not end: " << tallyx.err();
    }

    fs::path base;
    std::vector<fs::path> mounts;
};

/// One fault of the settings folder: how it is made (false: not possible here) and what the child needs.
struct FolderFault {
    const char* name;
    std::function<bool(const fs::path& folder)> make;
    const char* reason;    // the system's words the program passes on
    bool readable = true;  // the settings file can be read at start
    rlim_t fileSizeLimit = RLIM_INFINITY;
    bool unprivileged = false;
};

}  // namespace

// A settings folder that refuses the save, or a settings file that is no file: standard error says so at start
// (when the file cannot be read) and at the end, the session ends normally, and the folder stays exactly as it
// was, the old file complete and no temporary file behind. What stayed gives the next start its settings.
TEST_F(EnvironmentFaults, SettingsFolderFaultsLoseNothing) {
    const auto oldFile = [](const fs::path& folder) { writeFile(folder / "tallyx.quarnr", kOldSettings); };
    const auto smallFileSystem = [&](const fs::path& folder) {
        if (!mountSmallFileSystem(folder)) return false;
        mounts.push_back(folder);
        oldFile(folder);
        return true;
    };
    const FolderFault faults[] = {
        {"read-only file system",
         [&](const fs::path& folder) {
             return smallFileSystem(folder) &&
                    mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
         },
         "Read-only file system"},
        // Root ignores permission bits: the program then runs as an unprivileged user.
        {"folder without write permission",
         [&](const fs::path& folder) {
             oldFile(folder);
             fs::permissions(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                             fs::perm_options::remove);
             return true;
         },
         "Permission denied", true, RLIM_INFINITY, true},
        {"full file system", [&](const fs::path& folder) { return smallFileSystem(folder) && (fillUp(folder), true); },
         "No space left on device"},
        // A file-size limit fails every write beyond it, for root as well: a full disk wherever nothing can be mounted.
        {"file size limit", [&](const fs::path& folder) { return oldFile(folder), true; }, "File too large", true, 64},
        {"settings file is a folder",
         [](const fs::path& folder) {
             fs::create_directory(folder / "tallyx.quarnr");
             writeFile(folder / "tallyx.quarnr" / "notes.txt", "mine");
             return true;
         },
         "Is a directory", false},
        {"settings file is a link loop",
         [](const fs::path& folder) { return fs::create_symlink("tallyx.quarnr", folder / "tallyx.quarnr"), true; },
         "Too many levels of symbolic links", false},
    };
    XServer server;
    ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
    int made = 0, row = 0;
    for (const FolderFault& fault : faults) {
        const fs::path dir = caseFolder("row" + std::to_string(++row));
        if (!fault.make(settingsFolder(dir))) {
            std::printf("not made here (mounting is not allowed): %s\n", fault.name);
            continue;
        }
        ++made;
        const std::vector<std::string> before = snapshot(settingsFolder(dir));
        TallyxChild tallyx({{}, dir, server.name(), fault.fileSizeLimit, fault.unprivileged});
        runSession(tallyx, server);
        EXPECT_EQ(tallyx.status(), 0) << fault.name;
        const std::string where = settingsFile(dir).string() + ": " + fault.reason;
        std::vector<std::string> lines{"tallyx: the settings of this session were not saved: " + where};
        if (!fault.readable)
            lines.insert(lines.begin(), "tallyx: the settings file could not be read: " + where +
                                            "; the window starts with the default settings");
        EXPECT_EQ(tallyx.ownErrorLines(), lines) << fault.name;
        EXPECT_EQ(snapshot(settingsFolder(dir)), before) << fault.name;
    }
    EXPECT_GE(made, 4);

    const fs::path next = caseFolder("next");
    writeFile(settingsFile(next), kOldSettings);
    TallyxChild tallyx({{}, next, server.name()});
    runSession(tallyx, server);
    EXPECT_EQ(tallyx.ownErrorLines(), std::vector<std::string>{});
    const std::string saved = fileBytes(settingsFile(next));
    EXPECT_NE(saved.find("   Verbose=0\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("   Expr01=6*7\r\n"), std::string::npos) << saved;
}

// Batch mode's output file on a full disk: the result reaches standard output after the usual words, standard
// error says why, the exit status is 1, and an earlier output file stays as it was.
TEST_F(EnvironmentFaults, OutputFileOnAFullDisk) {
    const struct {
        const char* name;
        bool mounted;
        rlim_t fileSizeLimit;
        const char* reason;
    } faults[] = {
        {"full file system", true, RLIM_INFINITY, "No space left on device"},
        {"file size limit", false, 16, "File too large"},
    };
    int made = 0, row = 0;
    for (const auto& fault : faults) {
        const fs::path dir = caseFolder("row" + std::to_string(++row)), out = dir / "out";
        fs::create_directory(out);
        if (fault.mounted) {
            if (!mountSmallFileSystem(out)) {
                std::printf("not made here (mounting is not allowed): %s\n", fault.name);
                continue;
            }
            mounts.push_back(out);
        }
        writeFile(out / "res.txt", "old");
        if (fault.mounted) fillUp(out);
        ++made;
        const std::vector<std::string> before = snapshot(out);
        TallyxChild tallyx({{"-run", "1/3", "-out", "out/res.txt"}, dir, {}, fault.fileSizeLimit});
        ASSERT_TRUE(tallyx.finish(kPatience)) << fault.name;
        EXPECT_EQ(tallyx.out(),
                  "DelvoCalculator: cannot create the output file\nUsage: tallyx -run inputfile -out outputfile "
                  "[-show]\n\n0.333333333333\n")
            << fault.name;
        EXPECT_EQ(programErrors(tallyx.err()),
                  std::string("tallyx: the output file out/res.txt was not written: ") + fault.reason +
                      "; the result went to standard output\n")
            << fault.name;
        EXPECT_EQ(tallyx.status(), 1) << fault.name;
        EXPECT_EQ(snapshot(out), before) << fault.name;
    }
    EXPECT_GE(made, 1);
}

// The display dies under the window: the program ends at once with status 1, saves what the session changed
// when it can, and otherwise leaves the old file complete.
TEST_F(EnvironmentFaults, DisplayLostMidSession) {
    const struct {
        const char* name;
        rlim_t fileSizeLimit;
        bool saved;
    } faults[] = {{"writable settings", RLIM_INFINITY, true}, {"file size limit", 64, false}};
    for (const auto& fault : faults) {
        const fs::path dir = caseFolder(fault.name);
        writeFile(settingsFile(dir), kOldSettings);
        XServer server;
        ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
        TallyxChild tallyx({{}, dir, server.name(), fault.fileSizeLimit});
        {
            XClient client(server.name());
            ASSERT_NE(client.waitForKeyboard(tallyx.pid(), kPatience), 0u) << tallyx.err();
            client.type("plot(x)\n");  // a line that shows it ran: its plot window
            ASSERT_NE(client.waitForWindows(tallyx.pid(), 2, kPatience), 0u) << fault.name << ": " << tallyx.err();
        }
        server.kill();
        ASSERT_TRUE(tallyx.finish(kPatience)) << fault.name << ": the program hung without its display";
        EXPECT_EQ(tallyx.status(), 1) << fault.name;
        const std::string lost = "tallyx: lost the connection to the display";
        const std::vector<std::string> lines =
            fault.saved ? std::vector<std::string>{lost + "; the settings of this session were saved"}
                        : std::vector<std::string>{lost, "tallyx: the settings of this session were not saved: " +
                                                             settingsFile(dir).string() + ": File too large"};
        EXPECT_EQ(tallyx.ownErrorLines(), lines) << fault.name;
        const std::string file = fileBytes(settingsFile(dir));
        if (fault.saved) {
            EXPECT_NE(file.find("   Expr01=6*7\r\n   Expr02=plot(x)\r\n"), std::string::npos) << file;
        } else {
            EXPECT_EQ(file, kOldSettings);
        }
    }
}

// The program holding the clipboard ends, or falls silent, after it was asked for the text: nothing is pasted,
// standard error says why, and the window goes on working meanwhile.
TEST_F(EnvironmentFaults, ClipboardHolderGoneMidPaste) {
    const struct {
        const char* name;
        bool holderEnds;
        const char* line;
    } faults[] = {
        {"holder ends", true,
         "tallyx: nothing was pasted: the program holding the clipboard ended before it handed over the text"},
        {"holder falls silent", false,
         "tallyx: nothing was pasted: the program holding the clipboard did not hand over the text within 5 "
         "seconds"},
    };
    for (const auto& fault : faults) {
        const fs::path dir = caseFolder(fault.name);
        XServer server;
        ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
        TallyxChild tallyx({{}, dir, server.name()});
        XClient client(server.name());
        ASSERT_NE(client.waitForKeyboard(tallyx.pid(), kPatience), 0u) << tallyx.err();
        ClipboardHolder holder(server.name());
        ASSERT_TRUE(holder.waitFor('o', kPatience)) << fault.name;
        client.typeControl('v');
        ASSERT_TRUE(holder.waitFor('a', kPatience)) << fault.name << ": the paste never asked for the text";
        if (fault.holderEnds) holder.end();
        // The window answers while the text is still awaited, and nothing pasted spoils the line.
        client.type("plot(x)\n");
        EXPECT_NE(client.waitForWindows(tallyx.pid(), 2, 4), 0u) << fault.name << ": the window hung";
        EXPECT_TRUE(tallyx.waitForError(fault.line, kPatience)) << fault.name << ": " << tallyx.err();
        tallyx.signal(SIGTERM);
        ASSERT_TRUE(tallyx.finish(kPatience)) << fault.name << ": the session did not end";
        EXPECT_EQ(tallyx.status(), 0) << fault.name;
        EXPECT_EQ(tallyx.ownErrorLines(), std::vector<std::string>{fault.line}) << fault.name;
        const std::string file = fileBytes(settingsFile(dir));
        EXPECT_NE(file.find("[History]\r\n   Expr01=plot(x)\r\n\r\n"), std::string::npos) << file;
    }
}
