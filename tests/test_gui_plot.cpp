// SPDX-License-Identifier: MIT
// The plot windows of the graph library (Parts 1.3, 2.4) driven as real windows under Xvfb.
// Own main(): a wxApp runs GoogleTest inside its event loop. DELVO_PLOT_SCREENSHOTS=<folder> also writes
// the documentation screenshots there.
#include <cmath>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>
#include <wx/log.h>
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/file.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
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

bool add(int handle, const wxString& function, int points, double xmin, double xmax)
{
    return PlotFrame::plotAdd(handle, function, points, xmin, xmax, wxString(), 0, nullptr);
}

PlotCanvas* canvasOf(int handle)
{
    PlotFrame* frame = PlotFrame::find(handle);
    return frame == nullptr ? nullptr : frame->canvas();
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

// Spec 1.3: plotNew returns a handle above 0 and shows a top-level window of 640 × 480.
TEST_F(PlotWindows, Part1_3_PlotNewCreatesAWindow)
{
    int handle = newPlot();
    ASSERT_GT(handle, 0);
    EXPECT_TRUE(PlotFrame::plotExists(handle));
    PlotFrame* frame = PlotFrame::find(handle);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsShown());
    EXPECT_EQ(frame->GetParent(), nullptr);
    EXPECT_EQ(frame->GetSize(), wxSize(640, 480));
    EXPECT_EQ(frame->GetTitle(), wxString::Format("DelvoCalculator Plot %d", handle));
    int second = newPlot();
    EXPECT_GT(second, handle);
    EXPECT_TRUE(PlotFrame::plotExists(handle));
}

// Spec 2.4: plot(sin(x)) plots over [-4, 4] with 200 points.
TEST_F(PlotWindows, Part1_3_PlotAddSamplesTheFunction)
{
    int handle = newPlot();
    ASSERT_TRUE(add(handle, "sin(x)", 200, -4, 4));
    PlotCanvas* canvas = canvasOf(handle);
    ASSERT_EQ(canvas->curves().size(), 1u);
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
    // A second curve joins the same window and the view fits both.
    ASSERT_TRUE(add(handle, "x^2", 200, -2, 2));
    EXPECT_EQ(canvas->curves().size(), 2u);
    EXPECT_GT(canvas->view().ymax, 4.0);
    pump();
}

// Spec 2.4: point counts arrive clamped to 4..131072.
TEST_F(PlotWindows, Part1_3_PlotAddPointCounts)
{
    int handle = newPlot();
    ASSERT_TRUE(add(handle, "x", 4, 0, 1));
    ASSERT_TRUE(add(handle, "x^3-x", 131072, -2, 2));
    EXPECT_EQ(canvasOf(handle)->curves()[0].samples.size(), 4u);
    EXPECT_EQ(canvasOf(handle)->curves()[1].samples.size(), 131072u);
    pump();
}

// Spec 1.3: false means the curve was refused.
TEST_F(PlotWindows, Part1_3_PlotAddRefusals)
{
    int handle = newPlot();
    EXPECT_FALSE(add(handle, "sin(", 200, -4, 4));
    EXPECT_FALSE(add(handle, "", 200, -4, 4));
    EXPECT_FALSE(add(handle, "a=", 200, -4, 4));
    EXPECT_FALSE(add(handle, "x", 200, 1, 0));
    EXPECT_FALSE(add(handle, "x", 200, 1, 1));
    EXPECT_FALSE(add(handle, "x", 200, -1e308, 1e308));  // the width overflows
    EXPECT_FALSE(add(handle + 1000, "sin(x)", 200, -4, 4));
    EXPECT_FALSE(add(0, "sin(x)", 200, -4, 4));
    EXPECT_FALSE(add(-1, "sin(x)", 200, -4, 4));
    EXPECT_TRUE(canvasOf(handle)->curves().empty());
    EXPECT_FALSE(PlotFrame::plotExists(0));
    EXPECT_FALSE(PlotFrame::plotExists(handle + 1000));
}

// Part 2.4: variables a..z keep the values they had when the command ran.
TEST_F(PlotWindows, Part1_3_PlotVariablesAreSnapshots)
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
    canvasOf(handle)->zoomCentre(0.5);  // re-sampling keeps each curve's own values
    EXPECT_DOUBLE_EQ(curves[0].samples.y[1] / curves[0].samples.x[1], 2.0);
}

// Spec 1.3 and 2.4: closing the window makes plotExists false; plotting again opens a new window.
TEST_F(PlotWindows, Part1_3_ClosingTheWindow)
{
    int handle = newPlot();
    ASSERT_TRUE(add(handle, "sin(x)", 200, -4, 4));
    PlotFrame::find(handle)->Close();
    EXPECT_FALSE(PlotFrame::plotExists(handle));
    pump();
    EXPECT_FALSE(PlotFrame::plotExists(handle));
    EXPECT_FALSE(add(handle, "x", 200, -2, 2));
    int next = newPlot();
    EXPECT_GT(next, 0);
    EXPECT_NE(next, handle);
    EXPECT_TRUE(add(next, "x", 200, -2, 2));
    // Ctrl+W (the close command) closes it too.
    wxCommandEvent close(wxEVT_MENU, wxID_CLOSE);
    PlotFrame::find(next)->GetEventHandler()->ProcessEvent(close);
    EXPECT_FALSE(PlotFrame::plotExists(next));
}

// Spec 1.3: plotCloseAll closes every plot window.
TEST_F(PlotWindows, Part1_3_PlotCloseAll)
{
    int a = newPlot(), b = newPlot(), c = newPlot();
    ASSERT_TRUE(add(b, "cos(x)", 200, -4, 4));
    PlotFrame::plotCloseAll();
    EXPECT_FALSE(PlotFrame::plotExists(a));
    EXPECT_FALSE(PlotFrame::plotExists(b));
    EXPECT_FALSE(PlotFrame::plotExists(c));
    pump();
    EXPECT_TRUE(wxTopLevelWindows.IsEmpty());
    PlotFrame::plotCloseAll();  // nothing open: no effect
}

TEST_F(PlotWindows, Part1_3_ExportPngAndSvg)
{
    int handle = newPlot();
    ASSERT_TRUE(add(handle, "sin(x)", 200, -4, 4));
    ASSERT_TRUE(add(handle, "tan(x)", 200, -4, 4));
    pump();
    PlotCanvas* canvas = canvasOf(handle);
    wxString png = outputPath("export.png"), svg = outputPath("export.svg"), png2 = outputPath("export2x.png");
    if (wxFileExists(png)) wxRemoveFile(png);
    if (wxFileExists(svg)) wxRemoveFile(svg);
    ASSERT_TRUE(canvas->exportPng(png));
    ASSERT_TRUE(canvas->exportPng(png2, 2.0));
    ASSERT_TRUE(canvas->exportSvg(svg));
    wxImage image;
    ASSERT_TRUE(image.LoadFile(png, wxBITMAP_TYPE_PNG));
    EXPECT_EQ(image.GetSize(), canvas->GetClientSize());
    ASSERT_TRUE(image.LoadFile(png2, wxBITMAP_TYPE_PNG));
    EXPECT_EQ(image.GetWidth(), canvas->GetClientSize().x * 2);
    ASSERT_TRUE(wxFileExists(svg));
    std::string command = "xmllint --noout '" + svg.ToStdString() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    wxFile file(svg);
    wxString content;
    ASSERT_TRUE(file.ReadAll(&content));
    EXPECT_NE(content.Find(">sin(x)<"), wxNOT_FOUND);  // the legend is text, not pixels
    EXPECT_NE(content.Find(">tan(x)<"), wxNOT_FOUND);
    EXPECT_TRUE(canvas->copyToClipboard());
}

TEST_F(PlotWindows, Part1_3_WheelZoomsAroundThePointerAndResamples)
{
    int handle = newPlot();
    ASSERT_TRUE(add(handle, "sin(x)", 200, -4, 4));
    PlotCanvas* canvas = canvasOf(handle);
    PlotRect area = canvas->plotArea();
    int px = static_cast<int>(area.left + area.width * 0.75), py = static_cast<int>(area.top + area.height / 2);
    PlotTransform before(canvas->view(), area);
    double x = before.toPlaneX(px);
    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.SetPosition(wxPoint(px, py));
    wheel.m_wheelRotation = 120;
    wheel.m_wheelDelta = 120;
    wheel.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
    wheel.SetEventObject(canvas);
    canvas->GetEventHandler()->ProcessEvent(wheel);
    const PlotView& v = canvas->view();
    EXPECT_NEAR(v.width(), 8.0 * 0.85, 1e-9);
    EXPECT_NEAR(PlotTransform(v, canvas->plotArea()).toPlaneX(px), x, 1e-9);  // the point under the pointer stays
    const PlotCurve& curve = canvas->curves()[0];
    ASSERT_EQ(curve.samples.size(), 200u);
    EXPECT_DOUBLE_EQ(curve.samples.x.front(), v.xmin);
    EXPECT_DOUBLE_EQ(curve.samples.x.back(), v.xmax);
    // Zooming in 20 times more: still 200 points, all inside the view.
    for (int i = 0; i < 20; ++i)
        canvas->zoomAt(px, py, 0.5, 0.5);
    EXPECT_EQ(curve.samples.size(), 200u);
    EXPECT_DOUBLE_EQ(curve.samples.x.front(), canvas->view().xmin);
    EXPECT_LT(canvas->view().width(), 1e-5);
    pump();
}

TEST_F(PlotWindows, Part1_3_DragPansAndResamplesTheVisibleInterval)
{
    int handle = newPlot();
    ASSERT_TRUE(add(handle, "sin(x)", 200, -4, 4));
    PlotCanvas* canvas = canvasOf(handle);
    PlotRect area = canvas->plotArea();
    double unitsPerPixel = canvas->view().width() / area.width;
    int y = static_cast<int>(area.top + area.height / 2);
    sendMouse(canvas, wxEVT_LEFT_DOWN, 300, y, true);
    sendMouse(canvas, wxEVT_MOTION, 350, y, true);
    sendMouse(canvas, wxEVT_MOTION, 400, y + 20, true);
    sendMouse(canvas, wxEVT_LEFT_UP, 400, y + 20, false);
    const PlotView& v = canvas->view();
    EXPECT_NEAR(v.xmin, -4.0 - 100 * unitsPerPixel, 1e-9);
    EXPECT_NEAR(v.xmax, 4.0 - 100 * unitsPerPixel, 1e-9);
    const PlotCurve& curve = canvas->curves()[0];
    ASSERT_EQ(curve.samples.size(), 200u);
    EXPECT_EQ(curve.samples.x.front(), -4.0);  // the curve's interval ends here
    EXPECT_DOUBLE_EQ(curve.samples.x.back(), v.xmax);
    // The coordinates under the pointer show in the status bar.
    sendMouse(canvas, wxEVT_MOTION, 320, y, false);
    wxString status = PlotFrame::find(handle)->GetStatusBar()->GetStatusText(0);
    EXPECT_TRUE(status.StartsWith("x = ")) << status;
    EXPECT_NE(status.Find("y = "), wxNOT_FOUND);
}

TEST_F(PlotWindows, Part1_3_PointerTracesTheNearestCurve)
{
    int handle = newPlot();
    ASSERT_TRUE(add(handle, "sin(x)", 200, -4, 4));
    ASSERT_TRUE(add(handle, "x^2", 200, -2, 2));
    PlotCanvas* canvas = canvasOf(handle);
    PlotTransform t(canvas->view(), canvas->plotArea());
    // Just above sin(2) (x^2 is 4 there): sin(x) is traced, its value shows in the status bar.
    sendMouse(canvas, wxEVT_MOTION, static_cast<int>(t.toPixelX(2.0)), static_cast<int>(t.toPixelY(std::sin(2.0))) - 3,
              false);
    EXPECT_EQ(canvas->tracedCurve(), 0);
    wxStatusBar* status = PlotFrame::find(handle)->GetStatusBar();
    wxString text = status->GetStatusText(1);
    ASSERT_TRUE(text.StartsWith("sin(x)  =  0.9")) << text;
    double value = 0, shownX = 0;
    ASSERT_TRUE(text.AfterFirst('=').BeforeFirst('a').Trim().Trim(false).ToCDouble(&value)) << text;
    ASSERT_TRUE(text.AfterLast('=').Trim(false).ToCDouble(&shownX)) << text;
    EXPECT_NEAR(shownX, 2.0, 0.03);
    EXPECT_NEAR(value, std::sin(shownX), 1e-4);  // the value at the x shown
    sendMouse(canvas, wxEVT_MOTION, static_cast<int>(t.toPixelX(1.5)), static_cast<int>(t.toPixelY(2.25)), false);
    EXPECT_EQ(canvas->tracedCurve(), 1);
    // Far from both curves: nothing traced, the hint is back.
    sendMouse(canvas, wxEVT_MOTION, static_cast<int>(t.toPixelX(-3.0)), static_cast<int>(t.toPixelY(3.5)), false);
    EXPECT_EQ(canvas->tracedCurve(), -1);
    EXPECT_TRUE(status->GetStatusText(1).StartsWith("Wheel: zoom"));
    // A double click resets the view.
    canvas->zoomCentre(0.5);
    sendMouse(canvas, wxEVT_LEFT_DCLICK, 100, 100, true);
    EXPECT_EQ(canvas->view().xmin, -4.0);
}

TEST_F(PlotWindows, Part1_3_RectangleZoomAndResetView)
{
    int handle = newPlot();
    ASSERT_TRUE(add(handle, "sin(x)", 200, -4, 4));
    PlotCanvas* canvas = canvasOf(handle);
    PlotView home = canvas->view();
    PlotRect area = canvas->plotArea();
    PlotTransform t(home, area);
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

    // The toolbar's reset button and the Home key both return to the fitted view.
    sendTool(PlotFrame::find(handle), wxID_ZOOM_FIT);
    EXPECT_EQ(canvas->view().xmin, home.xmin);
    EXPECT_EQ(canvas->view().ymax, home.ymax);
    EXPECT_EQ(canvas->curves()[0].samples.x.front(), -4.0);
    // Shift + left drag also draws a zoom rectangle.
    sendMouse(canvas, wxEVT_LEFT_DOWN, x0, y0, true, false, true);
    sendMouse(canvas, wxEVT_MOTION, x1, y1, true, false, true);
    sendMouse(canvas, wxEVT_LEFT_UP, x1, y1, false, false, true);
    EXPECT_NEAR(canvas->view().xmax, 1.0, 0.02);
    wxKeyEvent home_key(wxEVT_KEY_DOWN);
    home_key.m_keyCode = WXK_HOME;
    home_key.SetEventObject(canvas);
    canvas->GetEventHandler()->ProcessEvent(home_key);
    EXPECT_EQ(canvas->view().xmin, home.xmin);
    // A click without a drag is not a zoom.
    sendMouse(canvas, wxEVT_RIGHT_DOWN, x0, y0, false, true);
    sendMouse(canvas, wxEVT_RIGHT_UP, x0 + 1, y0 + 1, false, false);
    EXPECT_EQ(canvas->view().xmin, home.xmin);
}

TEST_F(PlotWindows, Part1_3_ToolbarGridAndZoomButtons)
{
    int handle = newPlot();
    ASSERT_TRUE(add(handle, "cos(x)", 200, -4, 4));
    PlotFrame* frame = PlotFrame::find(handle);
    PlotCanvas* canvas = frame->canvas();
    EXPECT_TRUE(canvas->gridVisible());
    sendTool(frame, ID_PLOT_GRID);
    EXPECT_FALSE(canvas->gridVisible());
    EXPECT_FALSE(frame->GetToolBar()->GetToolState(ID_PLOT_GRID));
    sendTool(frame, ID_PLOT_GRID);
    EXPECT_TRUE(canvas->gridVisible());
    // Extend: after a zoom out, the curve covers the whole view, not only [-4, 4].
    canvas->zoomCentre(2.0);
    EXPECT_EQ(canvas->curves()[0].samples.x.front(), -4.0);
    sendTool(frame, ID_PLOT_EXTEND);
    EXPECT_TRUE(canvas->extendCurves());
    EXPECT_TRUE(frame->GetToolBar()->GetToolState(ID_PLOT_EXTEND));
    EXPECT_DOUBLE_EQ(canvas->curves()[0].samples.x.front(), canvas->view().xmin);
    EXPECT_EQ(canvas->curves()[0].samples.size(), 200u);
    sendTool(frame, ID_PLOT_EXTEND);
    EXPECT_EQ(canvas->curves()[0].samples.x.front(), -4.0);
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

TEST_F(PlotWindows, Part1_3_PolesAreNotJoined)
{
    int handle = newPlot();
    ASSERT_TRUE(add(handle, "tan(x)", 200, -5, 5));
    ASSERT_TRUE(add(handle, "1/x", 200, -5, 5));
    const auto& curves = canvasOf(handle)->curves();
    EXPECT_EQ(curves[0].breaks.size(), 4u);
    EXPECT_EQ(curves[1].breaks.size(), 1u);
    // The robust view shows the branches, not the poles' tails.
    EXPECT_LT(canvasOf(handle)->view().ymax, 50.0);
    EXPECT_GT(canvasOf(handle)->view().ymax, 2.0);
}

namespace {

// The frame as it looks on screen (toolbar, canvas and status bar), read back from the X server.
bool grabFrame(wxFrame* frame, const wxString& path)
{
    frame->Raise();
    frame->Refresh();
    frame->Update();
    pump(30);
    // ImageMagick's import reads the X server's picture; wxScreenDC under GTK 3 does not follow updates.
    wxString root = outputPath("root.png");
    std::string command = "import -window root '" + root.ToStdString() + "'";
    if (std::system(command.c_str()) != 0)
        return false;
    wxImage screen;
    if (!screen.LoadFile(root, wxBITMAP_TYPE_PNG))
        return false;
    return screen.GetSubImage(frame->GetScreenRect()).SaveFile(path, wxBITMAP_TYPE_PNG);
}

} // namespace

TEST_F(PlotWindows, PointsToggleMarksRecomputesAndCopies)
{
    int handle = newPlot();
    ASSERT_TRUE(add(handle, "sin(x)", 200, -7, 7));
    PlotFrame* frame = PlotFrame::find(handle);
    PlotCanvas* canvas = frame->canvas();
    sendTool(frame, ID_PLOT_POINTS);
    pump();
    EXPECT_TRUE(frame->GetToolBar()->GetToolState(ID_PLOT_POINTS));
    // Five zeros, two maxima and two minima of sin over [-7, 7].
    EXPECT_EQ(canvas->notablePoints().points.size(), 9u);
    canvas->zoomCentre(0.5);  // x in [-3.5, 3.5], y within +-0.6: the zeros -pi, 0 and pi only
    EXPECT_EQ(canvas->notablePoints().points.size(), 3u);

    // A click on the marker of the zero at pi copies its coordinates; a drag from it does not.
    PlotTransform t(canvas->view(), canvas->plotArea());
    const int px = static_cast<int>(std::lround(t.toPixelX(M_PI))), py = static_cast<int>(std::lround(t.toPixelY(0)));
    ASSERT_GE(canvas->pointAt(px, py), 0);
    sendMouse(canvas, wxEVT_LEFT_DOWN, px, py, true);
    sendMouse(canvas, wxEVT_LEFT_UP, px + 1, py, false);
    wxTextDataObject text;
    ASSERT_TRUE(wxTheClipboard->Open());
    EXPECT_TRUE(wxTheClipboard->GetData(text));
    wxTheClipboard->Close();
    EXPECT_EQ(text.GetText(), "3.14159265358979; 0");

    // Exports keep the markers: the SVG holds a circle and a label per point on top of what it had.
    wxString with = outputPath("points.svg"), without = outputPath("no_points.svg");
    ASSERT_TRUE(canvas->exportSvg(with));
    ASSERT_TRUE(canvas->exportPng(outputPath("points.png")));
    // The key P toggles them as the toolbar button does.
    frame->Raise();
    canvas->SetFocus();
    pump();
    wxUIActionSimulator().Char('p');
    pump(30);
    EXPECT_FALSE(frame->GetToolBar()->GetToolState(ID_PLOT_POINTS));
    EXPECT_TRUE(canvas->notablePoints().points.empty());
    ASSERT_TRUE(canvas->exportSvg(without));
    auto count = [](const wxString& path, const wxString& element) {
        wxString content;
        wxFile(path).ReadAll(&content);
        return static_cast<int>(content.Replace(element, element));
    };
    EXPECT_EQ(count(with, "<ellipse") - count(without, "<ellipse"), 3);
    EXPECT_EQ(count(with, "<text") - count(without, "<text"), 3);
}

// Writes the screenshots of docs/screenshots when DELVO_PLOT_SCREENSHOTS names a folder.
TEST_F(PlotWindows, Screenshots)
{
    const char* folder = std::getenv("DELVO_PLOT_SCREENSHOTS");
    if (folder == nullptr)
        GTEST_SKIP() << "DELVO_PLOT_SCREENSHOTS not set";
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
        wxImage::AddHandler(new wxPNGHandler);
    wxString dir(folder);
    int handle = newPlot();
    PlotFrame* frame = PlotFrame::find(handle);
    frame->Move(20, 20);
    ASSERT_TRUE(add(handle, "sin(x)", 200, -4, 4));
    EXPECT_TRUE(grabFrame(frame, dir + "/plot_sin.png"));
    ASSERT_TRUE(add(handle, "x^2", 200, -2, 2));
    EXPECT_TRUE(grabFrame(frame, dir + "/plot_sin_x2.png"));
    PlotCanvas* canvas = frame->canvas();
    PlotRect area = canvas->plotArea();
    PlotTransform t(canvas->view(), area);
    canvas->zoomToRect(PlotRect{t.toPixelX(0.5), t.toPixelY(1.2), t.toPixelX(2.0) - t.toPixelX(0.5),
                                t.toPixelY(0.2) - t.toPixelY(1.2)});
    // The pointer on sin(x) at x = 1.3: the traced point and its value show.
    PlotTransform zoomed(canvas->view(), canvas->plotArea());
    sendMouse(canvas, wxEVT_MOTION, static_cast<int>(std::lround(zoomed.toPixelX(1.3))),
              static_cast<int>(std::lround(zoomed.toPixelY(std::sin(1.3)))), false);
    EXPECT_TRUE(grabFrame(frame, dir + "/plot_zoom.png"));
    frame->Close();
    pump();

    handle = newPlot();
    frame = PlotFrame::find(handle);
    frame->Move(20, 20);
    ASSERT_TRUE(add(handle, "tan(x)", 200, -5, 5));
    EXPECT_TRUE(grabFrame(frame, dir + "/plot_tan.png"));
    frame->Close();
    pump();

    handle = newPlot();
    frame = PlotFrame::find(handle);
    frame->Move(20, 20);
    ASSERT_TRUE(add(handle, "sin(x)", 200, -7, 7));
    ASSERT_TRUE(add(handle, "cos(x)", 200, -7, 7));
    sendTool(frame, ID_PLOT_POINTS);
    EXPECT_TRUE(grabFrame(frame, dir + "/plot_points.png"));
    frame->Close();
    pump();

    handle = newPlot();
    frame = PlotFrame::find(handle);
    frame->Move(20, 20);
    ASSERT_TRUE(add(handle, "sin(x)", 200, -7, 7));
    ASSERT_TRUE(add(handle, "x^3/20-x", 200, -7, 7));
    sendTool(frame, ID_PLOT_POINTS);
    EXPECT_TRUE(grabFrame(frame, dir + "/plot_points_labels.png"));
    frame->Close();
    pump();

    handle = newPlot();
    frame = PlotFrame::find(handle);
    frame->Move(20, 20);
    ASSERT_TRUE(add(handle, "ln(x)", 200, 1, 11));
    EXPECT_TRUE(grabFrame(frame, dir + "/plot_ln.png"));
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

    int OnRun() override
    {
        // The tests run inside the event loop, so that windows get shown, painted and destroyed.
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
