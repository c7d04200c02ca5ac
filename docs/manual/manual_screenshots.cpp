// SPDX-License-Identifier: MIT
// Pictures for the manual (docs/manual/) and the README and docs (docs/screenshots/), taken from the real
// windows under Xvfb. Not a test of the suite: scripts/manual-screenshots.sh runs it.
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>
#include <tuple>

#include "console/about_box.h"
#include "libs/graph/plot_frame.h"
#include "settings/colors_dlg.h"
#include "tests/local_http_server.h"
#include "tests/window_test_fixture.h"
#include "tools/solver_dlg.h"
#include "tools/varlist_dlg.h"
#include "tools/varset_dlg.h"

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

// The window after a few lines, with the Insert menu and its Constants submenu open, the Options menu, the
// About box (real mouse moves through XTest; the offsets are the default theme's, a miss leaves a menu closed).
TEST_F(ManualScreenshots, MainWindowMenusAndAbout) {
    for (const char* line : {"1+2", "x = 2^10", "sqrt(x)*pi", "q", "plot("}) run(line);
    console->DocumentEnd();
    console->AddText(wxS("2*sin("));
    const wxString dir = gui::outputDir() + "/screenshots";
    const wxRect frame = window->GetScreenRect().Inflate(12);
    EXPECT_TRUE(gui::screenshot(frame, dir + "/window_console.png"));
    const wxPoint title = window->GetMenuBar()->GetScreenPosition();
    wxUIActionSimulator mouse;
    const auto openMenu = [&](int x) {
        mouse.MouseMove(title.x + x, title.y + 12);
        gui::pump(100);
        mouse.MouseClick();
        gui::pump(500);
    };
    openMenu(154);
    mouse.MouseMove(title.x + 190, title.y + 241);
    gui::pump(800);
    EXPECT_TRUE(gui::screenshot(wxRect(frame.x, frame.y, std::max(frame.width, 500), frame.height + 190),
                                dir + "/window_insert_menu.png"));
    for (int i = 0; i < 3; ++i) gui::simulateKey(WXK_ESCAPE);
    openMenu(212);
    EXPECT_TRUE(gui::screenshot(frame, dir + "/window_options_menu.png"));
    for (int i = 0; i < 2; ++i) gui::simulateKey(WXK_ESCAPE);
    wxAboutBox(makeAboutInfo(), window);  // GTK's About box is not modal
    gui::pump(500);
    EXPECT_TRUE(gui::screenshot(around(520, 340), dir + "/window_about.png"));
    gui::simulateKey(WXK_ESCAPE);
}

// The tool dialogs, each beside the console: converters, keypad, solver, variables list and edit dialog.
TEST_F(ManualScreenshots, ToolDialogs) {
    wxGetApp().addFunction(L"x^3-2*x-5");
    window->SetSize(wxRect(0, 0, 520, 360));
    for (const char* line : {"b=2.5", "speed=3"}) run(line);
    const wxString dir = gui::outputDir() + "/screenshots";
    const auto shoot = [this](wxWindow* dialog, wxWindow* below, const wxString& path) {
        dialog->Move(window->GetRect().GetRight() + 8, 60);
        if (below) below->Move(dialog->GetRect().GetBottomLeft() + wxPoint(0, 8));
        gui::pump(100);
        const wxRect area = window->GetScreenRect().Union(dialog->GetScreenRect());
        EXPECT_TRUE(gui::screenshot(below ? area.Union(below->GetScreenRect()) : area, path));
    };
    for (const auto& [commandId, dialogId, file] : {std::tuple(ID_VIEW_UNIT_CONVERTER, 7800, "/tool_converter.png"),
                                                     std::tuple(ID_VIEW_BASE_CONVERTER, 7900, "/tool_base_converter.png"),
                                                     std::tuple(ID_VIEW_NUMPAD, 7400, "/tool_numpad.png")}) {
        command(commandId);
        gui::pump(50);
        wxWindow* dialog = wxWindow::FindWindowById(dialogId, window);
        ASSERT_NE(dialog, nullptr) << file;
        shoot(dialog, nullptr, dir + file);
        dialog->Hide();
    }
    command(ID_VIEW_SOLVER);
    gui::pump(50);
    auto* solver = dynamic_cast<SolverDlg*>(wxWindow::FindWindowById(7700));
    ASSERT_NE(solver, nullptr);
    wxCommandEvent solve(wxEVT_BUTTON, ID_SOLVER_SOLVE);
    solver->GetEventHandler()->ProcessEvent(solve);
    shoot(solver, nullptr, dir + "/tool_solver.png");
    command(ID_VIEW_SOLVER);
    command(ID_VIEW_VARIABLES);
    gui::pump(50);
    auto* list = dynamic_cast<VarlistDlg*>(wxWindow::FindWindowById(7500));
    ASSERT_NE(list, nullptr);
    shoot(list, nullptr, dir + "/tool_variables.png");
    VarsetDlg editor(list, wxGetApp());
    editor.SetVariable(0, "speed", 3);
    editor.Fill();
    editor.Show();
    shoot(list, &editor, dir + "/tool_varset.png");
}

// Plot windows: curves, a zoom with the traced point, poles, a logarithm, notable points with and without labels.
TEST_F(ManualScreenshots, PlotWindows) {
    const wxString dir = gui::outputDir() + "/screenshots/";
    const auto open = [](std::initializer_list<std::tuple<const char*, double, double>> curves) {
        PlotFrame* frame = PlotFrame::find(PlotFrame::plotNew(wxString(), wxString(), 640, 480));
        frame->Move(20, 20);
        for (const auto& [function, xmin, xmax] : curves)
            EXPECT_TRUE(PlotFrame::plotAdd(frame->handle(), function, 200, xmin, xmax));
        gui::pump(200);
        return frame;
    };
    const auto shoot = [](PlotFrame* frame, const wxString& path) {
        frame->Raise();
        gui::pump(200);
        EXPECT_TRUE(gui::screenshot(frame, path));
    };
    PlotFrame* frame = open({{"sin(x)", -4, 4}});
    shoot(frame, dir + "plot_sin.png");
    PlotFrame::plotAdd(frame->handle(), "x^2", 200, -2, 2);
    shoot(frame, dir + "plot_sin_x2.png");
    // Zoomed in, the pointer on sin(x) at x = 1.3: the traced point and its value show.
    PlotCanvas* canvas = frame->canvas();
    const auto pixel = [canvas](double x, double y) {
        const PlotTransform t(canvas->view(), canvas->plotArea());
        return wxPoint(static_cast<int>(std::lround(t.toPixelX(x))), static_cast<int>(std::lround(t.toPixelY(y))));
    };
    const wxPoint topLeft = pixel(0.5, 1.2), size = pixel(2.0, 0.2) - topLeft;
    canvas->zoomToRect(PlotRect{double(topLeft.x), double(topLeft.y), double(size.x), double(size.y)});
    wxMouseEvent motion(wxEVT_MOTION);
    motion.SetPosition(pixel(1.3, std::sin(1.3)));
    motion.SetEventObject(canvas);
    canvas->GetEventHandler()->ProcessEvent(motion);
    shoot(frame, dir + "plot_zoom.png");
    frame->Close();
    shoot(open({{"tan(x)", -5, 5}}), dir + "plot_tan.png");
    shoot(open({{"ln(x)", 1, 11}}), dir + "plot_ln.png");
    // Notable points: too many for labels with sin and cos; labelled where they fit with sin and a cubic.
    for (const auto& [second, file] : {std::pair("cos(x)", "plot_points"), std::pair("x^3/20-x", "plot_points_labels")}) {
        PlotFrame* points = open({{"sin(x)", -7, 7}, {second, -7, 7}});
        wxCommandEvent toggle(wxEVT_TOOL, ID_PLOT_POINTS);
        points->GetEventHandler()->ProcessEvent(toggle);
        shoot(points, dir + file + ".png");
    }
    PlotFrame::plotCloseAll();
    gui::pump(100);
}

// A dark theme, all six colours changed: the console and the colours dialog.
TEST_F(ManualScreenshots, DarkTheme) {
    // 0x00BBGGRR: light grey text on near-black, blue functions, orange operators, green numbers, blue selection.
    wxGetApp().appearance().setColors(0xDCDCDC, 0x1E1E1E, 0xF0B060, 0x4CB0FF, 0x88E0A0, 0x704020);
    for (const char* line : {"1+2", "speed = 3; speed*2", "sqrt(2)*pi", "q", "max(3, 7)^2"}) run(line);
    console->DocumentEnd();
    console->AddText(wxS("2*sin("));
    const wxString dir = gui::outputDir() + "/screenshots";
    EXPECT_TRUE(gui::screenshot(window, dir + "/console_dark.png"));
    auto* dialog = new ColorsDlg(window, 7600, wxS("Colors"), wxDefaultPosition);
    dialog->Show();
    gui::pump(100);
    EXPECT_TRUE(gui::screenshot(dialog, dir + "/colors_dialog_dark.png"));
    dialog->Destroy();
}

}  // namespace
