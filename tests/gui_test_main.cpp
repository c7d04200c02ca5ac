// SPDX-License-Identifier: MIT
// main() of the GUI tests: a DelvoApp on a started toolkit, a private HOME so that no real settings are
// touched, then every test. Run under Xvfb: xvfb-run -a -s "-screen 0 1280x1024x24" test_gui_...
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/toplevel.h>

#include "app/delvo_app.h"

wxIMPLEMENT_APP_NO_MAIN(DelvoApp);

namespace {

// A fresh folder for HOME and the XDG folders; removed by the OS's temp cleaning, never by us.
std::string makePrivateHome() {
    char pattern[] = "/tmp/delvo-gui-test-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (!dir) return std::string();
    const std::string home(dir);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    setenv("XDG_CACHE_HOME", (home + "/.cache").c_str(), 1);
    return home;
}

// A failed wx assertion is a test failure, reported instead of the toolkit's modal assert dialog.
void reportAssert(const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg) {
    ADD_FAILURE_AT(file.utf8_str().data(), line)
        << "wxWidgets assertion " << cond.utf8_str().data() << " in " << func.utf8_str().data() << ": "
        << msg.utf8_str().data();
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (makePrivateHome().empty()) {
        std::fputs("gui tests: cannot create a private HOME\n", stderr);
        return 1;
    }
    // Quiet and predictable under Xvfb: X11 backend, no accessibility bus, no overlay scroll bars.
    setenv("GDK_BACKEND", "x11", 1);
    setenv("NO_AT_BRIDGE", "1", 1);
    setenv("GTK_OVERLAY_SCROLLING", "0", 1);

    auto* app = new DelvoApp;
    wxApp::SetInstance(app);
    // The start without arguments: folders, an empty variable store, window mode.
    char program[] = "tallyx";
    char* startArgs[] = {program, nullptr};
    int toolkitArgc = 1;
    char* toolkitArgv[] = {program, nullptr};
    app->startUp(1, startArgs);
    if (!wxEntryStart(toolkitArgc, toolkitArgv)) {
        std::fputs("gui tests: no toolkit (no display? run under xvfb-run)\n", stderr);
        return 1;
    }
    wxInitAllImageHandlers();
    // Nothing modal from the toolkit itself: log messages go to standard error, assertions to the test.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxSetAssertHandler(reportAssert);
    // Tests create and destroy frames; the process must not end when one of them closes.
    wxTheApp->SetExitOnFrameDelete(false);

    const int status = RUN_ALL_TESTS();

    // Windows left by a test are destroyed before the toolkit goes.
    const std::vector<wxWindow*> leftOver(wxTopLevelWindows.begin(), wxTopLevelWindows.end());
    for (wxWindow* top : leftOver) top->Destroy();
    for (int i = 0; i < 10 && wxTheApp->Pending(); ++i) wxTheApp->Dispatch();
    wxTheApp->ProcessPendingEvents();
    wxTheApp->ProcessIdle();  // deletes the destroyed windows
    app->OnExit();
    wxEntryCleanup();
    return status;
}
