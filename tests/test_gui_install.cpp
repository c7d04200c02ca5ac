// SPDX-License-Identifier: MIT
// cmake --install into a fresh prefix; the installed program, started through a link as /usr/bin/tallyx
// is, opens its own manual on F1 (the desktop's viewer replaced by a recorder).
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include <gtest/gtest.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "tests/gui_test_support.h"

namespace {

bool exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

TEST(Install, InstalledProgramOpensItsManual) {
    if (!exists(std::string(DELVO_BINARY_DIR) + "/app/doc/tallyx.pdf")) GTEST_SKIP() << "no manual built";
    char pattern[] = "/tmp/delvo-install-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern, prefix = root + "/prefix";
    const std::string install = std::string("'") + CMAKE_COMMAND + "' --install '" + DELVO_BINARY_DIR +
                                "' --prefix '" + prefix + "' >/dev/null";
    ASSERT_EQ(std::system(install.c_str()), 0);
    for (const char* file : {"/bin/tallyx", "/lib/delvocalculator/libtallyx_window.so", "/doc/tallyx.pdf",
                             "/share/applications/delvocalculator.desktop",
                             "/share/icons/hicolor/256x256/apps/delvocalculator.png"})
        EXPECT_TRUE(exists(prefix + file)) << file;

    // The program started through a link in another folder; a recorder instead of the viewer.
    ASSERT_EQ(mkdir((root + "/usr-bin").c_str(), 0755), 0);
    ASSERT_EQ(symlink((prefix + "/bin/tallyx").c_str(), (root + "/usr-bin/tallyx").c_str()), 0);
    const std::string record = root + "/opened.txt";
    {
        std::ofstream recorder(root + "/usr-bin/xdg-open");
        recorder << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" << record << "'\n";
    }
    chmod((root + "/usr-bin/xdg-open").c_str(), 0755);
    wxExecuteEnv env;
    wxGetEnvMap(&env.env);
    env.env[wxS("PATH")] = wxString::FromUTF8(root + "/usr-bin:") + env.env[wxS("PATH")];
    const long pid = wxExecute(wxString::FromUTF8(root + "/usr-bin/tallyx"), wxEXEC_ASYNC, nullptr, &env);
    ASSERT_GT(pid, 0);

    // Its window is centred on the screen: point at it, click into the console, press F1; again while the
    // window is not up yet (a sanitized build starts in seconds). The recorder writes one line per document.
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
    wxKill(pid, wxSIGKILL);
    std::ifstream opened(record);
    std::string path;
    std::getline(opened, path);
    EXPECT_EQ(path, prefix + "/doc/tallyx.pdf");
    std::system(("rm -rf '" + root + "'").c_str());
}

}  // namespace
