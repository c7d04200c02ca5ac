// SPDX-License-Identifier: MIT
// Pictures for the manual (docs/manual/pictures/) and the README and docs (docs/screenshots/), taken from the
// real windows under Xvfb. Not a test of the suite: scripts/manual-screenshots.sh runs it.
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>
#include <tuple>

#include <wx/combobox.h>
#include <wx/textctrl.h>

#include "console/about_box.h"
#include "libs/graph/plot_frame.h"
#include "settings/colors_dlg.h"
#include "tests/local_http_server.h"
#include "tests/window_test_fixture.h"
#include "tools/integer_dlg.h"
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

    static wxString manual(const char* name) { return gui::outputDir() + "/manual/" + name + ".png"; }

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

    /// Opens a menu of the menu bar with a real click at x pixels from its left end, then walks down to the
    /// item at position `down` (1 the first) and opens its submenu, and the submenu's item `subDown`, and so on.
    void openMenu(int x, std::initializer_list<int> downs) {
        const wxPoint bar = window->GetMenuBar()->GetScreenPosition();
        wxUIActionSimulator mouse;
        mouse.MouseMove(bar.x + x, bar.y + 12);
        gui::pump(100);
        mouse.MouseClick();
        gui::pump(500);
        bool first = true;
        for (int down : downs) {
            if (!first) {
                gui::simulateKey(WXK_RIGHT);
                gui::pump(300);
            }
            // A submenu opened by Right starts on its first item; the menu opened by a click on none.
            for (int i = first ? 0 : 1; i < down; ++i) gui::simulateKey(WXK_DOWN);
            gui::pump(200);
            first = false;
        }
        if (downs.size() == 0) return;
        gui::simulateKey(WXK_RIGHT);
        gui::pump(600);
    }

    void closeMenus() {
        for (int i = 0; i < 4; ++i) gui::simulateKey(WXK_ESCAPE);
        gui::pump(200);
    }

    /// The main window and the space to its right and below, where menus open.
    wxRect withMenus(int width, int height) const {
        const wxRect frame = window->GetScreenRect().Inflate(8);
        return wxRect(frame.x, frame.y, std::max(frame.width, width), std::max(frame.height, height));
    }

    wxFrame* backdrop = nullptr;
};

// The console: results, a failed line with its underline and reason, the live answer, the note under a solve
// without a root, and the question before a reset.
TEST_F(ManualScreenshots, Console) {
    window->SetClientSize(window->FromDIP(wxSize(560, 330)));
    for (const char* line : {"1+2*3", "sqrt(2)", "speed = 12.5", "speed*4", "0x1F + 0b101", "q + 1", "set?"}) run(line);
    console->DocumentEnd();
    gui::typeText(console, wxS("2*(3+4)"));
    gui::pump(200);
    const wxRect frame = window->GetScreenRect().Inflate(8);
    EXPECT_TRUE(gui::screenshot(frame, manual("main_window")));

    // F2 on the underlined q of the failed line: its reason in a call tip.
    const int failed = 10;
    console->GotoPos(console->PositionFromLine(failed));
    gui::sendKey(console, WXK_F2);
    gui::pump(300);
    EXPECT_TRUE(console->CallTipActive());
    EXPECT_TRUE(gui::screenshot(frame, manual("console_reason")));
    console->CallTipCancel();

    console->ClearConsole();
    for (const char* line : {"solve(x^2-2, 0, 3)", "solve(x^2+1)"}) run(line);
    EXPECT_TRUE(gui::screenshot(frame, manual("console_solve_note")));

    gui::after(800, [&] {
        gui::screenshot(around(520, 300), manual("reset_question"));
        gui::gtkDialogRespond("Quarn", gui::kGtkResponseNo);
    });
    command(ID_EDIT_RESET);
    gui::pump(300);
}

// The menus a reader looks for: View, Insert with More Functions and Your Functions, Options with Angle, Help.
TEST_F(ManualScreenshots, Menus) {
    window->SetClientSize(window->FromDIP(wxSize(470, 260)));
    for (const char* line : {"f(x) = x^2+1", "area(r) = pi*r^2", "f(3)", "deg"}) run(line);
    console->DocumentEnd();
    gui::pump(200);
    openMenu(92, {});
    EXPECT_TRUE(gui::screenshot(withMenus(470, 330), manual("menu_view")));
    closeMenus();
    openMenu(154, {10, 2});  // Insert > More Functions > Trigonometric
    EXPECT_TRUE(gui::screenshot(withMenus(900, 640), manual("menu_insert_more")));
    closeMenus();
    openMenu(154, {11});  // Insert > Your Functions
    EXPECT_TRUE(gui::screenshot(withMenus(700, 460), manual("menu_insert_yours")));
    closeMenus();
    openMenu(212, {9});  // Options > Angle
    EXPECT_TRUE(gui::screenshot(withMenus(620, 400), manual("menu_options_angle")));
    closeMenus();
    openMenu(311, {});
    EXPECT_TRUE(gui::screenshot(withMenus(560, 330), manual("menu_help")));
    closeMenus();
    run("rad");
}

// Each tool window alone, in a state that shows what it does.
TEST_F(ManualScreenshots, ToolWindows) {
    wxGetApp().functionHistory().add(L"x^3-2*x-5");
    for (const char* line : {"b=2.5", "speed=3", "r=2", "f(x) = x^2+1"}) run(line);
    const auto shoot = [](wxWindow* dialog, const char* name) {
        dialog->Raise();
        gui::pump(200);
        EXPECT_TRUE(gui::screenshot(dialog->GetScreenRect().Inflate(6), manual(name)));
    };
    const auto open = [this](int commandId, int dialogId) {
        command(commandId);
        gui::pump(100);
        wxWindow* dialog = wxWindow::FindWindowById(dialogId, window);
        EXPECT_NE(dialog, nullptr) << dialogId;
        return dialog;
    };
    wxWindow* numpad = open(ID_VIEW_NUMPAD, 7400);
    ASSERT_NE(numpad, nullptr);
    shoot(numpad, "tool_numpad");
    numpad->Hide();

    wxWindow* converter = open(ID_VIEW_UNIT_CONVERTER, 7800);
    ASSERT_NE(converter, nullptr);
    shoot(converter, "tool_unit_converter");
    converter->Hide();

    auto* integer = dynamic_cast<IntegerDlg*>(open(ID_VIEW_BASE_CONVERTER, 7900));
    ASSERT_NE(integer, nullptr);
    shoot(integer, "tool_base_converter");
    // One more than 32 bits hold, in decimal: "Overflow" in the result, and the input turns pink.
    const auto choose = [integer](int listId, int index) {
        auto* list = dynamic_cast<wxComboBox*>(wxWindow::FindWindowById(listId, integer));
        ASSERT_NE(list, nullptr);
        list->SetSelection(index);
        wxCommandEvent chosen(wxEVT_COMBOBOX, listId);
        integer->GetEventHandler()->ProcessEvent(chosen);
    };
    choose(ID_INTEGER_SOURCE_BASE, 2);
    choose(ID_INTEGER_TARGET_BASE, 3);
    auto* input = dynamic_cast<wxTextCtrl*>(wxWindow::FindWindowById(ID_INTEGER_INPUT, integer));
    ASSERT_NE(input, nullptr);
    input->SetValue(wxS("4294967296"));
    gui::pump(100);
    shoot(integer, "tool_base_converter_overflow");
    integer->Hide();

    auto* solver = dynamic_cast<SolverDlg*>(open(ID_VIEW_SOLVER, 7700));
    ASSERT_NE(solver, nullptr);
    wxCommandEvent solve(wxEVT_BUTTON, ID_SOLVER_SOLVE);
    solver->GetEventHandler()->ProcessEvent(solve);
    shoot(solver, "tool_solver");
    auto* function = dynamic_cast<wxComboBox*>(wxWindow::FindWindowById(ID_SOLVER_FUNCTION, solver));
    ASSERT_NE(function, nullptr);
    function->SetValue(wxS("x^2+1"));
    solver->GetEventHandler()->ProcessEvent(solve);
    shoot(solver, "tool_solver_none");
    solver->Hide();

    auto* list = dynamic_cast<VarlistDlg*>(open(ID_VIEW_VARIABLES, 7500));
    ASSERT_NE(list, nullptr);
    shoot(list, "tool_variables");
    VarsetDlg editor(list, wxGetApp().interpreter());
    editor.SetVariable(1, "speed", 3);
    editor.SetPosition(list->GetScreenRect().GetBottomLeft() + wxPoint(0, 20));
    editor.Fill();
    editor.Show();
    shoot(&editor, "tool_variable");
    editor.Hide();
    list->Hide();

    auto* colors = new ColorsDlg(window, wxGetApp().appearance(), 7600, wxS("Colors"), wxDefaultPosition);
    colors->Show();
    shoot(colors, "tool_colors");
    colors->Destroy();
}

// The plot window with two curves, their notable points and labels.
TEST_F(ManualScreenshots, PlotWindowWithPoints) {
    PlotFrame* frame = PlotFrame::find(PlotFrame::plotNew(wxString(), wxString(), 640, 480));
    ASSERT_NE(frame, nullptr);
    frame->Move(20, 20);
    for (const char* function : {"sin(x)", "x^3/20-x"})
        EXPECT_TRUE(PlotFrame::plotAdd(frame->handle(), function, 200, -7, 7));
    wxCommandEvent toggle(wxEVT_TOOL, ID_PLOT_POINTS);
    frame->GetEventHandler()->ProcessEvent(toggle);
    frame->Raise();
    gui::pump(400);
    EXPECT_TRUE(gui::screenshot(frame, manual("plot_window")));
    PlotFrame::plotCloseAll();
    gui::pump(100);
}

// The About box and the three answers of the update check.
TEST_F(ManualScreenshots, AboutAndUpdates) {
    wxAboutBox(makeAboutInfo(), window);  // GTK's About box is not modal
    gui::pump(500);
    EXPECT_TRUE(gui::screenshot(around(520, 340), manual("about")));
    gui::simulateKey(WXK_ESCAPE);
    gui::pump(300);
    shootCheck("1619900798\r\n", manual("update_current"));
    shootCheck("1700000000\r\n", manual("update_available"), true);
    shootCheck("<html><body>404 Not Found</body></html>", manual("update_unable"));
}

// For the README and docs/: the window after a few lines, with the Insert menu and its Constants submenu open,
// the Options menu, the About box (real mouse moves through XTest; the offsets are the default theme's, a miss
// leaves a menu closed).
TEST_F(ManualScreenshots, MainWindowMenusAndAbout) {
    for (const char* line : {"1+2", "x = 2^10", "sqrt(x)*pi", "q", "plot("}) run(line);
    console->DocumentEnd();
    console->AddText(wxS("2*sin("));
    const wxString dir = gui::outputDir() + "/screenshots";
    const wxRect frame = window->GetScreenRect().Inflate(12);
    EXPECT_TRUE(gui::screenshot(frame, dir + "/window_console.png"));
    const wxPoint title = window->GetMenuBar()->GetScreenPosition();
    wxUIActionSimulator mouse;
    const auto clickMenu = [&](int x) {
        mouse.MouseMove(title.x + x, title.y + 12);
        gui::pump(100);
        mouse.MouseClick();
        gui::pump(500);
    };
    clickMenu(154);
    mouse.MouseMove(title.x + 190, title.y + 241);
    gui::pump(800);
    EXPECT_TRUE(gui::screenshot(wxRect(frame.x, frame.y, std::max(frame.width, 500), frame.height + 190),
                                dir + "/window_insert_menu.png"));
    for (int i = 0; i < 3; ++i) gui::simulateKey(WXK_ESCAPE);
    clickMenu(212);
    EXPECT_TRUE(gui::screenshot(frame, dir + "/window_options_menu.png"));
    for (int i = 0; i < 2; ++i) gui::simulateKey(WXK_ESCAPE);
    wxAboutBox(makeAboutInfo(), window);
    gui::pump(500);
    EXPECT_TRUE(gui::screenshot(around(520, 340), dir + "/window_about.png"));
    gui::simulateKey(WXK_ESCAPE);
}

// For the README and docs/: the tool dialogs, each beside the console.
TEST_F(ManualScreenshots, ToolDialogsBesideTheConsole) {
    wxGetApp().functionHistory().add(L"x^3-2*x-5");
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
    VarsetDlg editor(list, wxGetApp().interpreter());
    editor.SetVariable(0, "speed", 3);
    editor.Fill();
    editor.Show();
    shoot(list, &editor, dir + "/tool_varset.png");
}

// For the README and docs/plot.md: curves, a zoom with the traced point, poles, a logarithm, notable points with
// and without labels.
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

// For the README: a dark theme, all six colours changed: the console and the colours dialog.
TEST_F(ManualScreenshots, DarkTheme) {
    // 0x00BBGGRR: light grey text on near-black, blue functions, orange operators, green numbers, blue selection.
    wxGetApp().appearance().setColors(0xDCDCDC, 0x1E1E1E, 0xF0B060, 0x4CB0FF, 0x88E0A0, 0x704020);
    for (const char* line : {"1+2", "speed = 3; speed*2", "sqrt(2)*pi", "q", "max(3, 7)^2"}) run(line);
    console->DocumentEnd();
    console->AddText(wxS("2*sin("));
    const wxString dir = gui::outputDir() + "/screenshots";
    EXPECT_TRUE(gui::screenshot(window, dir + "/console_dark.png"));
    auto* dialog = new ColorsDlg(window, wxGetApp().appearance(), 7600, wxS("Colors"), wxDefaultPosition);
    dialog->Show();
    gui::pump(100);
    EXPECT_TRUE(gui::screenshot(dialog, dir + "/colors_dialog_dark.png"));
    dialog->Destroy();
}

}  // namespace
