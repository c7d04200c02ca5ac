// SPDX-License-Identifier: MIT
// Pictures for the manual (docs/manual/) and of the update check's outcomes (docs/screenshots/), taken
// from the real window under Xvfb. Not a test of the suite: scripts/manual-screenshots.sh runs it.
#include <cstdlib>
#include <ctime>
#include <string>

#include "tests/local_http_server.h"
#include "tests/window_test_fixture.h"

namespace {

class ManualScreenshots : public MainWindowTest {
protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
        setenv("no_proxy", "127.0.0.1", 1);
        MainWindowTest::SetUp();
        // The real boxes: the toolkit's modal message dialog and its About box.
        window->SetAboutPresenter([](const wxAboutDialogInfo& info, wxWindow* parent) { wxAboutBox(info, parent); });
        // A plain backdrop: Xvfb's root window is black.
        backdrop = new wxFrame(nullptr, wxID_ANY, wxEmptyString, wxPoint(0, 0), wxGetDisplaySize(),
                               wxBORDER_NONE | wxFRAME_NO_TASKBAR);
        backdrop->SetBackgroundColour(wxColour(0x5E, 0x81, 0xAC));
        backdrop->Show();
        gui::pump(100);
        window->Raise();
        gui::focus(console);
    }
    void TearDown() override {
        backdrop->Destroy();
        MainWindowTest::TearDown();
    }

    /// The area around the main window that a centred box covers.
    wxRect around(int width, int height) const {
        const wxRect frame = window->GetScreenRect();
        const wxPoint centre(frame.x + frame.width / 2, frame.y + frame.height / 2);
        return wxRect(centre.x - width / 2, centre.y - height / 2, width, height);
    }

    /// Runs a check against a local server with this body; the modal message box is photographed.
    void shootCheck(const std::string& body, const wxString& name, bool about = false) {
        LocalHttpServer server(LocalHttpServer::ok(body));
        setenv("TALLYX_UPDATE_HOST", ("127.0.0.1:" + std::to_string(server.port())).c_str(), 1);
        bool shot = false;
        // The message box is modal: photographed from a timer while it runs. The About box is not.
        if (!about) {
            gui::after(800, [&] {
                shot = gui::screenshot(around(560, 380), name);
                gui::gtkDialogRespond("Quarn", gui::kGtkResponseOk);
            });
        }
        command(ID_HELP_CHECK_UPDATE);
        ASSERT_TRUE(gui::pumpUntil([this] { return !window->GetUpdateCheck().busy; }, 8000));
        gui::pump(300);
        if (about) {
            gui::pump(500);
            EXPECT_TRUE(gui::screenshot(window->GetScreenRect().Inflate(8), name));
            gui::gtkDialogRespond("About DelvoCalculator", gui::kGtkResponseDeleteEvent);
            gui::pump(300);
        }
    }

    wxFrame* backdrop = nullptr;
};

TEST_F(ManualScreenshots, ConsoleAndUpdateOutcomes) {
    const wxString dir = gui::outputDir();
    window->SetClientSize(window->FromDIP(wxSize(520, 400)));
    for (const char* line : {"1+2*3", "sqrt(2)", "solve(x^2-2, 0, 2)", "speed = 12.5", "speed*4", "0x1F + 0b101",
                             "q + 1", "set?"})
        run(line);
    console->DocumentEnd();
    EXPECT_TRUE(gui::screenshot(window->GetScreenRect().Inflate(8), dir + "/manual/console.png"));

    shootCheck("1619900798\r\n", dir + "/screenshots/update_current.png");
    shootCheck("1700000000\r\n", dir + "/screenshots/update_available.png", true);
    shootCheck("<html><body>404 Not Found</body></html>", dir + "/screenshots/update_unable.png");
}

}  // namespace
