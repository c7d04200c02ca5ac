// SPDX-License-Identifier: MIT
// The installed program opens its own manual on F1 (the desktop's viewer replaced by a recorder): installed
// by cmake --install and started through a link as /usr/bin/tallyx is, and, as root, installed from the
// Debian package and started from its desktop menu entry, then removed again without a trace.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "tests/gui_test_support.h"
#include "tests/package_test_support.h"

namespace {

using package_test::exists;
using package_test::shellQuoted;
using package_test::run;

/// A folder put first on PATH, holding an xdg-open that writes each document it is given into record.
std::string makeViewerRecorder(const std::string& root, const std::string& record) {
    const std::string folder = root + "/recorder";
    mkdir(folder.c_str(), 0755);
    {
        std::ofstream recorder(folder + "/xdg-open");
        recorder << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" << record << "'\n";
    }
    chmod((folder + "/xdg-open").c_str(), 0755);
    return folder;
}

/// Starts a command with the recorder's folder first on PATH; its process id, or 0.
long startWithRecorder(const std::string& command, const std::string& recorderFolder) {
    wxExecuteEnv env;
    wxGetEnvMap(&env.env);
    env.env[wxS("PATH")] = wxString::FromUTF8(recorderFolder + ":") + env.env[wxS("PATH")];
    return wxExecute(wxString::FromUTF8(command), wxEXEC_ASYNC, nullptr, &env);
}

/// The program's window is centred on the screen: points at it, clicks into the console and presses F1; again
/// while the window is not up yet (a sanitized build starts in seconds). Gives the first document opened.
std::string pressF1UntilOpened(const std::string& record) {
    const wxSize screen = wxGetDisplaySize();
    wxUIActionSimulator input;
    for (int attempt = 0; attempt < 20 && !exists(record); ++attempt) {
        gui::pump(1000);
        input.MouseMove(screen.x / 2, screen.y / 2);
        gui::pump(200);
        input.MouseClick();
        gui::pump(300);
        input.Char(WXK_F1);
        gui::pumpUntil([&] { return exists(record); }, 1500);
    }
    std::ifstream opened(record);
    std::string path;
    std::getline(opened, path);
    return path;
}

TEST(Install, InstalledProgramOpensItsManual) {
    if (!exists(std::string(DELVO_BINARY_DIR) + "/app/doc/tallyx.pdf")) GTEST_SKIP() << "no manual built";
    const std::string root = package_test::makeTempFolder("delvo-install");
    ASSERT_FALSE(root.empty());
    const std::string prefix = root + "/prefix";
    ASSERT_TRUE(package_test::installInto(prefix));
    for (const char* file : {"/bin/tallyx", "/lib/delvocalculator/libtallyx_window.so", "/doc/tallyx.pdf",
                             "/share/applications/delvocalculator.desktop",
                             "/share/icons/hicolor/256x256/apps/delvocalculator.png"})
        EXPECT_TRUE(exists(prefix + file)) << file;

    // The program started through a link in another folder.
    ASSERT_EQ(mkdir((root + "/usr-bin").c_str(), 0755), 0);
    ASSERT_EQ(symlink((prefix + "/bin/tallyx").c_str(), (root + "/usr-bin/tallyx").c_str()), 0);
    const std::string record = root + "/opened.txt";
    const long pid = startWithRecorder(root + "/usr-bin/tallyx", makeViewerRecorder(root, record));
    ASSERT_GT(pid, 0);
    EXPECT_EQ(pressF1UntilOpened(record), prefix + "/doc/tallyx.pdf");
    wxKill(pid, wxSIGKILL);
    run("rm -rf " + shellQuoted(root));
}

/// The processes running the program installed in /opt/delvocalculator (started here from the menu entry).
std::vector<long> installedProgramProcesses() {
    std::vector<long> found;
    DIR* proc = opendir("/proc");
    if (!proc) return found;
    while (dirent* entry = readdir(proc)) {
        const long pid = std::atol(entry->d_name);
        char target[4096];
        const std::string exe = "/proc/" + std::string(entry->d_name) + "/exe";
        const ssize_t size = pid > 0 ? readlink(exe.c_str(), target, sizeof target - 1) : -1;
        if (size > 0 && std::string(target, size) == "/opt/delvocalculator/bin/tallyx") found.push_back(pid);
    }
    closedir(proc);
    return found;
}

// Installs the package with dpkg, so only as root (CI runs so), and never over an installed one.
TEST(Package, StartsFromItsMenuEntryOpensItsManualAndIsRemovedCleanly) {
    if (geteuid() != 0) GTEST_SKIP() << "installing a package needs root";
    if (package_test::kInstrumentedBuild) GTEST_SKIP() << "packages are made from the plain build";
    if (run("dpkg-query -W -f='${Status}' delvocalculator").output.find("installed") != std::string::npos ||
        exists("/opt/delvocalculator"))
        GTEST_SKIP() << "delvocalculator is installed on this machine: left as it is";
    for (const char* tool : {"dpkg-shlibdeps", "gio"})
        if (!package_test::haveTool(tool)) GTEST_SKIP() << tool << " missing (scripts/install-deps.sh installs it)";
    if (!exists(std::string(DELVO_BINARY_DIR) + "/app/doc/tallyx.pdf")) GTEST_SKIP() << "no manual built";
    const std::string root = package_test::makeTempFolder("delvo-package-install");
    ASSERT_FALSE(root.empty());
    std::string why;
    const std::string deb = package_test::makeDebianPackage(root, &why);
    ASSERT_FALSE(deb.empty()) << why;
    // Whatever happens below, the package does not outlive the test.
    struct PurgeAtEnd {
        ~PurgeAtEnd() { run("dpkg -P delvocalculator"); }
    } purgeAtEnd;
    const package_test::Run installed = run("dpkg -i " + shellQuoted(deb));
    ASSERT_EQ(installed.status, 0) << installed.output;

    // man finds the page through the link in /usr/share/man.
    EXPECT_NE(run("LC_ALL=C man tallyx").output.find("EXIT STATUS"), std::string::npos);

    // Started as the desktop starts it: GLib reads the entry in /usr/share/applications and runs its Exec line.
    const std::string record = root + "/opened.txt";
    const long launcher = startWithRecorder("gio launch /usr/share/applications/delvocalculator.desktop",
                                            makeViewerRecorder(root, record));
    EXPECT_GT(launcher, 0);
    EXPECT_EQ(pressF1UntilOpened(record), "/opt/delvocalculator/doc/tallyx.pdf");
    for (long pid : installedProgramProcesses()) wxKill(pid, wxSIGKILL);
    gui::pumpUntil([] { return installedProgramProcesses().empty(); }, 5000);

    // Purged, the package leaves nothing: no program folder, no link in /usr, no package record.
    const package_test::Run purged = run("dpkg -P delvocalculator");
    EXPECT_EQ(purged.status, 0) << purged.output;
    for (const char* path : {"/opt/delvocalculator", "/usr/bin/tallyx", "/usr/share/applications/delvocalculator.desktop",
                             "/usr/share/man/man1/tallyx.1.gz", "/usr/share/doc/delvocalculator",
                             "/usr/share/metainfo/example.quarn.delvocalculator.metainfo.xml",
                             "/usr/share/icons/hicolor/256x256/apps/delvocalculator.png"})
        EXPECT_FALSE(exists(path)) << path;
    EXPECT_EQ(run("dpkg-query -W -f='${Status}' delvocalculator").output.find("installed"), std::string::npos);
    run("rm -rf " + shellQuoted(root));
}

}  // namespace
