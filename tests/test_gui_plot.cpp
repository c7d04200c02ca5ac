// SPDX-License-Identifier: MIT
// The plot windows driven as real windows under Xvfb. Own main(): a wxApp runs GoogleTest inside its event
// loop. DELVO_PLOT_SCREENSHOTS=<folder> also writes the documentation screenshots there.
#include <cmath>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/file.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include "libs/graph/plot_frame.h"

namespace {

void pump(int rounds = 10)
{
    for (int i = 0; i < rounds; ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
}

wxString outputPath(const wxString& name)
{
    wxString folder = wxString(DELVO_BINARY_DIR) + "/test_gui_plot_out";
    wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    return folder + "/" + name;
}

int newPlot()
{
    int handle = PlotFrame::plotNew(0, wxString(), wxString(), 640, 480, nullptr, nullptr);
    pump();
    return handle;
}

bool add(int handle, const wxString& function, int points = 200, double xmin = -4, double xmax = 4)
{
    return PlotFrame::plotAdd(handle, function, points, xmin, xmax, wxString(), 0, nullptr);
}

PlotCanvas* canvasOf(int handle)
{
    return PlotFrame::find(handle)->canvas();
}

void sendMouse(wxWindow* window, wxEventType type, int x, int y, bool left, bool right = false, bool shift = false)
{
    wxMouseEvent event(type);
    event.SetPosition(wxPoint(x, y));
    event.m_leftDown = left;
    event.m_rightDown = right;
    event.SetShiftDown(shift);
    event.SetEventObject(window);
    window->GetEventHandler()->ProcessEvent(event);
}

void sendTool(wxFrame* frame, int id)
{
    wxCommandEvent event(wxEVT_TOOL, id);
    event.SetEventObject(frame->GetToolBar());
    frame->GetEventHandler()->ProcessEvent(event);
}

class PlotWindows : public ::testing::Test {
protected:
    void TearDown() override
    {
        PlotFrame::plotCloseAll();
        pump();
    }
};

} // namespace

// A new window of 640 × 480 takes curves at exactly their point counts, and its view fits all of them.
TEST_F(PlotWindows, PlotAddSamplesIntoANewWindow)
{
    int handle = newPlot();
    ASSERT_GT(handle, 0);
    PlotFrame* frame = PlotFrame::find(handle);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsShown());
    EXPECT_EQ(frame->GetParent(), nullptr);
    EXPECT_EQ(frame->GetSize(), wxSize(640, 480));
    EXPECT_EQ(frame->GetTitle(), wxString::Format("DelvoCalculator Plot %d", handle));
    ASSERT_TRUE(add(handle, "sin(x)"));
    PlotCanvas* canvas = frame->canvas();
    const PlotCurve& curve = canvas->curves()[0];
    EXPECT_EQ(curve.label, L"sin(x)");
    ASSERT_EQ(curve.samples.size(), 200u);
    EXPECT_EQ(curve.samples.x.front(), -4.0);
    EXPECT_EQ(curve.samples.x.back(), 4.0);
    for (size_t i = 0; i < curve.samples.size(); i += 37)
        EXPECT_NEAR(curve.samples.y[i], std::sin(curve.samples.x[i]), 1e-12);
    EXPECT_EQ(canvas->view().xmin, -4.0);
    EXPECT_EQ(canvas->view().xmax, 4.0);
    EXPECT_LT(canvas->view().ymin, -1.0);
    EXPECT_GT(canvas->view().ymax, 1.0);
    ASSERT_TRUE(add(handle, "x^2", 200, -2, 2));
    EXPECT_GT(canvas->view().ymax, 4.0);
    ASSERT_TRUE(add(handle, "x", 4, 0, 1));
    ASSERT_TRUE(add(handle, "x^3-x", 131072, -2, 2));
    ASSERT_EQ(canvas->curves().size(), 4u);
    EXPECT_EQ(canvas->curves()[2].samples.size(), 4u);
    EXPECT_EQ(canvas->curves()[3].samples.size(), 131072u);
    int second = newPlot();
    EXPECT_GT(second, handle);
    EXPECT_TRUE(PlotFrame::plotExists(handle));
}

TEST_F(PlotWindows, PlotAddRefusesBadFunctionsIntervalsAndHandles)
{
    int handle = newPlot();
    EXPECT_FALSE(add(handle, "sin("));
    EXPECT_FALSE(add(handle, ""));
    EXPECT_FALSE(add(handle, "a="));
    EXPECT_FALSE(add(handle, "x", 200, 1, 0));
    EXPECT_FALSE(add(handle, "x", 200, 1, 1));
    EXPECT_FALSE(add(handle, "x", 200, -1e308, 1e308));  // the width overflows
    EXPECT_FALSE(add(handle + 1000, "sin(x)"));
    EXPECT_FALSE(add(0, "sin(x)"));
    EXPECT_FALSE(add(-1, "sin(x)"));
    EXPECT_TRUE(canvasOf(handle)->curves().empty());
    EXPECT_FALSE(PlotFrame::plotExists(0));
    EXPECT_FALSE(PlotFrame::plotExists(handle + 1000));
}

// Variables a..z keep the values they had when the curve was added, also when it is re-sampled.
TEST_F(PlotWindows, PlotVariablesAreSnapshots)
{
    int handle = newPlot();
    lmValues values{};
    values[0] = 2.0;  // a
    PlotFrame::setVariableValues(values);
    ASSERT_TRUE(add(handle, "a*x", 5, 0, 4));
    values[0] = 5.0;
    PlotFrame::setVariableValues(values);
    ASSERT_TRUE(add(handle, "a*x", 5, 0, 4));
    PlotFrame::setVariableValues(lmValues{});
    const auto& curves = canvasOf(handle)->curves();
    EXPECT_DOUBLE_EQ(curves[0].samples.y[1], 2.0);
    EXPECT_DOUBLE_EQ(curves[1].samples.y[1], 5.0);
    canvasOf(handle)->zoomCentre(0.5);
    EXPECT_DOUBLE_EQ(curves[0].samples.y[1] / curves[0].samples.x[1], 2.0);
}

// Closing (the window, Ctrl+W's command, plotCloseAll) makes plotExists false at once; plotting opens anew.
TEST_F(PlotWindows, ClosingTheWindows)
{
    int handle = newPlot();
    ASSERT_TRUE(add(handle, "sin(x)"));
    PlotFrame::find(handle)->Close();
    EXPECT_FALSE(PlotFrame::plotExists(handle));
    pump();
    EXPECT_FALSE(PlotFrame::plotExists(handle));
    EXPECT_FALSE(add(handle, "x"));
    int next = newPlot();
    EXPECT_GT(next, 0);
    EXPECT_NE(next, handle);
    EXPECT_TRUE(add(next, "x"));
    wxCommandEvent close(wxEVT_MENU, wxID_CLOSE);
    PlotFrame::find(next)->GetEventHandler()->ProcessEvent(close);
    EXPECT_FALSE(PlotFrame::plotExists(next));
    int a = newPlot(), b = newPlot(), c = newPlot();
    ASSERT_TRUE(add(b, "cos(x)"));
    PlotFrame::plotCloseAll();
    EXPECT_FALSE(PlotFrame::plotExists(a) || PlotFrame::plotExists(b) || PlotFrame::plotExists(c));
    pump();
    EXPECT_TRUE(wxTopLevelWindows.IsEmpty());
    PlotFrame::plotCloseAll();  // nothing open: no effect
}

// PNG at the canvas's size or scaled, valid SVG with the legend as text, the clipboard. Poles are not joined.
TEST_F(PlotWindows, ExportAndPoles)
{
    int handle = newPlot();
    ASSERT_TRUE(add(handle, "sin(x)"));
    ASSERT_TRUE(add(handle, "tan(x)", 200, -5, 5));
    ASSERT_TRUE(add(handle, "1/x", 200, -5, 5));
    pump();
    PlotCanvas* canvas = canvasOf(handle);
    EXPECT_EQ(canvas->curves()[1].breaks.size(), 4u);
    EXPECT_EQ(canvas->curves()[2].breaks.size(), 1u);
    EXPECT_LT(canvas->view().ymax, 50.0);  // the branches show, not the poles' tails
    EXPECT_GT(canvas->view().ymax, 2.0);
    wxString png = outputPath("export.png"), svg = outputPath("export.svg"), png2 = outputPath("export2x.png");
    for (const wxString& path : {png, svg, png2})
        wxRemoveFile(path);
    ASSERT_TRUE(canvas->exportPng(png));
    ASSERT_TRUE(canvas->exportPng(png2, 2.0));
    ASSERT_TRUE(canvas->exportSvg(svg));
    wxImage image;
    ASSERT_TRUE(image.LoadFile(png, wxBITMAP_TYPE_PNG));
    EXPECT_EQ(image.GetSize(), canvas->GetClientSize());
    ASSERT_TRUE(image.LoadFile(png2, wxBITMAP_TYPE_PNG));
    EXPECT_EQ(image.GetWidth(), canvas->GetClientSize().x * 2);
    EXPECT_EQ(std::system(("xmllint --noout '" + svg.ToStdString() + "'").c_str()), 0);
    wxString content;
    ASSERT_TRUE(wxFile(svg).ReadAll(&content));
    EXPECT_NE(content.Find(">sin(x)<"), wxNOT_FOUND);
    EXPECT_NE(content.Find(">tan(x)<"), wxNOT_FOUND);
    EXPECT_TRUE(canvas->copyToClipboard());
}

// The wheel zooms around the pointer, the drag pans; both re-sample the visible part of the interval.
TEST_F(PlotWindows, WheelZoomsAndDragPansAndBothResample)
{
    int handle = newPlot();
    ASSERT_TRUE(add(handle, "sin(x)"));
    PlotCanvas* canvas = canvasOf(handle);
    const PlotView& v = canvas->view();
    const PlotCurve& curve = canvas->curves()[0];
    PlotRect area = canvas->plotArea();
    int px = static_cast<int>(area.left + area.width * 0.75), py = static_cast<int>(area.top + area.height / 2);
    double x = PlotTransform(v, area).toPlaneX(px);
    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.SetPosition(wxPoint(px, py));
    wheel.m_wheelRotation = wheel.m_wheelDelta = 120;
    wheel.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
    wheel.SetEventObject(canvas);
    canvas->GetEventHandler()->ProcessEvent(wheel);
    EXPECT_NEAR(v.width(), 8.0 * 0.85, 1e-9);
    EXPECT_NEAR(PlotTransform(v, canvas->plotArea()).toPlaneX(px), x, 1e-9);  // the point under the pointer stays
    ASSERT_EQ(curve.samples.size(), 200u);
    EXPECT_DOUBLE_EQ(curve.samples.x.front(), v.xmin);
    EXPECT_DOUBLE_EQ(curve.samples.x.back(), v.xmax);

    const PlotView before = v;
    double panned = 100 * v.width() / canvas->plotArea().width;
    sendMouse(canvas, wxEVT_LEFT_DOWN, 300, py, true);
    sendMouse(canvas, wxEVT_MOTION, 350, py, true);
    sendMouse(canvas, wxEVT_MOTION, 400, py + 20, true);
    sendMouse(canvas, wxEVT_LEFT_UP, 400, py + 20, false);
    EXPECT_NEAR(v.xmin, before.xmin - panned, 1e-9);
    EXPECT_NEAR(v.xmax, before.xmax - panned, 1e-9);
    ASSERT_LT(v.xmin, -4.0);
    ASSERT_EQ(curve.samples.size(), 200u);
    EXPECT_EQ(curve.samples.x.front(), -4.0);  // the curve's interval ends here
    EXPECT_DOUBLE_EQ(curve.samples.x.back(), v.xmax);
    sendMouse(canvas, wxEVT_MOTION, 320, py, false);
    wxString status = PlotFrame::find(handle)->GetStatusBar()->GetStatusText(0);
    EXPECT_TRUE(status.StartsWith("x = ") && status.Contains("y = ")) << status;
    for (int i = 0; i < 20; ++i)
        canvas->zoomAt(px, py, 0.5, 0.5);
    EXPECT_EQ(curve.samples.size(), 200u);
    EXPECT_DOUBLE_EQ(curve.samples.x.front(), v.xmin);
    EXPECT_LT(v.width(), 1e-5);
}

TEST_F(PlotWindows, PointerTracesTheNearestCurve)
{
    int handle = newPlot();
    ASSERT_TRUE(add(handle, "sin(x)"));
    ASSERT_TRUE(add(handle, "x^2", 200, -2, 2));
    PlotCanvas* canvas = canvasOf(handle);
    PlotTransform t(canvas->view(), canvas->plotArea());
    auto moveTo = [&](double x, double y, int dy = 0) {
        sendMouse(canvas, wxEVT_MOTION, static_cast<int>(t.toPixelX(x)), static_cast<int>(t.toPixelY(y)) + dy, false);
    };
    // Just above sin(2) (x^2 is 4 there): sin(x) is traced, its value at the x shown is in the status bar.
    moveTo(2.0, std::sin(2.0), -3);
    EXPECT_EQ(canvas->tracedCurve(), 0);
    wxStatusBar* status = PlotFrame::find(handle)->GetStatusBar();
    wxString text = status->GetStatusText(1);
    ASSERT_TRUE(text.StartsWith("sin(x)  =  0.9")) << text;
    double value = 0, shownX = 0;
    ASSERT_TRUE(text.AfterFirst('=').BeforeFirst('a').Trim().Trim(false).ToCDouble(&value)) << text;
    ASSERT_TRUE(text.AfterLast('=').Trim(false).ToCDouble(&shownX)) << text;
    EXPECT_NEAR(shownX, 2.0, 0.03);
    EXPECT_NEAR(value, std::sin(shownX), 1e-4);
    moveTo(1.5, 2.25);
    EXPECT_EQ(canvas->tracedCurve(), 1);
    moveTo(-3.0, 3.5);  // far from both: nothing traced, the hint is back
    EXPECT_EQ(canvas->tracedCurve(), -1);
    EXPECT_TRUE(status->GetStatusText(1).StartsWith("Wheel: zoom"));
}

// Right drag or Shift + left drag zooms to a rectangle; a click is no zoom. Toolbar, Home, double click reset.
TEST_F(PlotWindows, RectangleZoomAndResetView)
{
    int handle = newPlot();
    ASSERT_TRUE(add(handle, "sin(x)"));
    PlotCanvas* canvas = canvasOf(handle);
    const PlotView home = canvas->view();
    PlotTransform t(home, canvas->plotArea());
    int x0 = static_cast<int>(t.toPixelX(-1)), x1 = static_cast<int>(t.toPixelX(1));
    int y0 = static_cast<int>(t.toPixelY(0.5)), y1 = static_cast<int>(t.toPixelY(-0.5));
    sendMouse(canvas, wxEVT_RIGHT_DOWN, x0, y0, false, true);
    sendMouse(canvas, wxEVT_MOTION, (x0 + x1) / 2, (y0 + y1) / 2, false, true);
    sendMouse(canvas, wxEVT_MOTION, x1, y1, false, true);
    sendMouse(canvas, wxEVT_RIGHT_UP, x1, y1, false, false);
    EXPECT_NEAR(canvas->view().xmin, -1.0, 0.02);
    EXPECT_NEAR(canvas->view().xmax, 1.0, 0.02);
    EXPECT_NEAR(canvas->view().ymin, -0.5, 0.02);
    EXPECT_NEAR(canvas->view().ymax, 0.5, 0.02);
    EXPECT_NEAR(canvas->curves()[0].samples.x.front(), canvas->view().xmin, 1e-12);
    sendTool(PlotFrame::find(handle), wxID_ZOOM_FIT);
    EXPECT_EQ(canvas->view().xmin, home.xmin);
    EXPECT_EQ(canvas->view().ymax, home.ymax);
    EXPECT_EQ(canvas->curves()[0].samples.x.front(), -4.0);

    sendMouse(canvas, wxEVT_LEFT_DOWN, x0, y0, true, false, true);
    sendMouse(canvas, wxEVT_MOTION, x1, y1, true, false, true);
    sendMouse(canvas, wxEVT_LEFT_UP, x1, y1, false, false, true);
    EXPECT_NEAR(canvas->view().xmax, 1.0, 0.02);
    wxKeyEvent homeKey(wxEVT_KEY_DOWN);
    homeKey.m_keyCode = WXK_HOME;
    homeKey.SetEventObject(canvas);
    canvas->GetEventHandler()->ProcessEvent(homeKey);
    EXPECT_EQ(canvas->view().xmin, home.xmin);
    sendMouse(canvas, wxEVT_RIGHT_DOWN, x0, y0, false, true);
    sendMouse(canvas, wxEVT_RIGHT_UP, x0 + 1, y0 + 1, false, false);
    EXPECT_EQ(canvas->view().xmin, home.xmin);
    canvas->zoomCentre(0.5);
    sendMouse(canvas, wxEVT_LEFT_DCLICK, 100, 100, true);
    EXPECT_EQ(canvas->view().xmin, home.xmin);
}

// Grid and Extend toggle with their buttons; Extend samples the whole view; zoom in and out by the same step.
TEST_F(PlotWindows, ToolbarGridExtendAndZoomButtons)
{
    int handle = newPlot();
    ASSERT_TRUE(add(handle, "cos(x)"));
    PlotFrame* frame = PlotFrame::find(handle);
    PlotCanvas* canvas = frame->canvas();
    EXPECT_TRUE(canvas->gridVisible());
    sendTool(frame, ID_PLOT_GRID);
    EXPECT_FALSE(canvas->gridVisible());
    EXPECT_FALSE(frame->GetToolBar()->GetToolState(ID_PLOT_GRID));
    sendTool(frame, ID_PLOT_GRID);
    EXPECT_TRUE(canvas->gridVisible());
    canvas->zoomCentre(2.0);
    const PlotCurve& curve = canvas->curves()[0];
    EXPECT_EQ(curve.samples.x.front(), -4.0);
    sendTool(frame, ID_PLOT_EXTEND);
    EXPECT_TRUE(frame->GetToolBar()->GetToolState(ID_PLOT_EXTEND));
    EXPECT_DOUBLE_EQ(curve.samples.x.front(), canvas->view().xmin);
    EXPECT_EQ(curve.samples.size(), 200u);
    sendTool(frame, ID_PLOT_EXTEND);
    EXPECT_EQ(curve.samples.x.front(), -4.0);
    sendTool(frame, wxID_ZOOM_FIT);
    double width = canvas->view().width();
    sendTool(frame, wxID_ZOOM_IN);
    EXPECT_NEAR(canvas->view().width(), width * 0.8, 1e-9);
    sendTool(frame, wxID_ZOOM_OUT);
    EXPECT_NEAR(canvas->view().width(), width, 1e-9);
    frame->Refresh();
    frame->Update();
    pump();
}

namespace {

// The frame as it looks on screen, read back from the X server (wxScreenDC under GTK 3 does not follow updates).
bool grabFrame(wxFrame* frame, const wxString& path)
{
    frame->Raise();
    frame->Refresh();
    frame->Update();
    pump(30);
    wxString root = outputPath("root.png");
    wxImage screen;
    return std::system(("import -window root '" + root.ToStdString() + "'").c_str()) == 0 &&
           screen.LoadFile(root, wxBITMAP_TYPE_PNG) &&
           screen.GetSubImage(frame->GetScreenRect()).SaveFile(path, wxBITMAP_TYPE_PNG);
}

} // namespace

// Writes the screenshots of docs/screenshots when DELVO_PLOT_SCREENSHOTS names a folder.
TEST_F(PlotWindows, Screenshots)
{
    const char* folder = std::getenv("DELVO_PLOT_SCREENSHOTS");
    if (folder == nullptr)
        GTEST_SKIP() << "DELVO_PLOT_SCREENSHOTS not set";
    wxString dir(folder);
    struct Shot {
        const char* function;
        double xmin, xmax;
        const char* file;
        bool newWindow;
    };
    const Shot shots[] = {{"sin(x)", -4, 4, "plot_sin", true},
                          {"x^2", -2, 2, "plot_sin_x2", false},
                          {"tan(x)", -5, 5, "plot_tan", true},
                          {"ln(x)", 1, 11, "plot_ln", true}};
    PlotFrame* frame = nullptr;
    for (const Shot& shot : shots) {
        if (shot.newWindow) {
            if (frame != nullptr)
                frame->Close();
            frame = PlotFrame::find(newPlot());
            frame->Move(20, 20);
        }
        ASSERT_TRUE(add(frame->handle(), shot.function, 200, shot.xmin, shot.xmax));
        EXPECT_TRUE(grabFrame(frame, dir + "/" + shot.file + ".png"));
        if (std::string(shot.file) != "plot_sin_x2")
            continue;
        // Zoomed in, the pointer on sin(x) at x = 1.3: the traced point and its value show.
        PlotCanvas* canvas = frame->canvas();
        PlotTransform t(canvas->view(), canvas->plotArea());
        canvas->zoomToRect(PlotRect{t.toPixelX(0.5), t.toPixelY(1.2), t.toPixelX(2.0) - t.toPixelX(0.5),
                                    t.toPixelY(0.2) - t.toPixelY(1.2)});
        PlotTransform zoomed(canvas->view(), canvas->plotArea());
        sendMouse(canvas, wxEVT_MOTION, static_cast<int>(std::lround(zoomed.toPixelX(1.3))),
                  static_cast<int>(std::lround(zoomed.toPixelY(std::sin(1.3)))), false);
        EXPECT_TRUE(grabFrame(frame, dir + "/plot_zoom.png"));
    }
}

namespace {

class GuiTestApp : public wxApp {
public:
    bool OnInit() override
    {
        SetExitOnFrameDelete(false);
        // Log messages go to standard error: a modal log window would block the test run.
        delete wxLog::SetActiveTarget(new wxLogStderr);
        wxImage::AddHandler(new wxPNGHandler);
        return true;
    }

    // The tests run inside the event loop, so that windows get shown, painted and destroyed.
    int OnRun() override
    {
        CallAfter([this] {
            m_result = RUN_ALL_TESTS();
            ExitMainLoop();
        });
        wxApp::OnRun();
        return m_result;
    }

private:
    int m_result = 1;
};

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new GuiTestApp);
    return wxEntry(argc, argv);
}
