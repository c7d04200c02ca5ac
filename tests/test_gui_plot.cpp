// SPDX-License-Identifier: MIT
// The plot windows driven as real windows under Xvfb, on a plain wxApp (the graph library needs no DelvoApp).
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/file.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "libs/graph/plot_frame.h"
#include "tests/gui_test_support.h"
#include "libs/graph/plot_labels.h"

namespace {

void pump(int rounds = 10)
{
    for (int i = 0; i < rounds; ++i, wxMilliSleep(5)) {
        wxTheApp->Yield(true);
        wxTheApp->ProcessIdle();  // deletes destroyed windows
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
    int handle = PlotFrame::plotNew(wxString(), wxString(), 640, 480);
    pump();
    return handle;
}

bool add(int handle, const wxString& function, int points = 200, double xmin = -4, double xmax = 4)
{
    return PlotFrame::plotAdd(handle, function, points, xmin, xmax);
}

void sendMouse(wxWindow* window, wxEventType type, wxPoint at, bool left, bool right = false, bool shift = false)
{
    wxMouseEvent event(type);
    event.SetPosition(at);
    event.m_leftDown = left;
    event.m_rightDown = right;
    event.SetShiftDown(shift);
    event.SetEventObject(window);
    window->GetEventHandler()->ProcessEvent(event);
}

// Presses at `from`, moves halfway and on to `to`, releases there; the left button (maybe with Shift) or the right.
void drag(wxWindow* window, wxPoint from, wxPoint to, bool right, bool shift = false)
{
    sendMouse(window, right ? wxEVT_RIGHT_DOWN : wxEVT_LEFT_DOWN, from, !right, right, shift);
    sendMouse(window, wxEVT_MOTION, (from + to) / 2, !right, right, shift);
    sendMouse(window, wxEVT_MOTION, to, !right, right, shift);
    sendMouse(window, right ? wxEVT_RIGHT_UP : wxEVT_LEFT_UP, to, false, false, shift);
}

// The pixel of the plane point (x, y) in the canvas's current view.
wxPoint pixelOf(PlotCanvas* canvas, double x, double y)
{
    PlotTransform t(canvas->view(), canvas->plotArea());
    return wxPoint(static_cast<int>(std::lround(t.toPixelX(x))), static_cast<int>(std::lround(t.toPixelY(y))));
}

// How many of a curve's samples fall within [lo, hi].
long samplesWithin(const PlotCurve& curve, double lo, double hi)
{
    const auto& x = curve.samples.x;
    return std::count_if(x.begin(), x.end(), [lo, hi](double v) { return v >= lo && v <= hi; });
}

// True when the curve is sampled across the whole width of view at its point count per width (give or take the one
// sample that a view's ends may fall on).
bool followsView(const PlotCurve& curve, const PlotView& view)
{
    const PlotSamples& s = curve.samples;
    return s.size() >= 2 && s.x.front() <= view.xmin && s.x.back() >= view.xmax &&
           std::abs(samplesWithin(curve, view.xmin, view.xmax) - curve.points) <= 1;
}

void wheel(PlotCanvas* canvas, wxPoint at, int notches, wxMouseWheelAxis axis = wxMOUSE_WHEEL_VERTICAL)
{
    wxMouseEvent event(wxEVT_MOUSEWHEEL);
    event.SetPosition(at);
    event.m_wheelDelta = 120;
    event.m_wheelRotation = 120 * notches;
    event.m_wheelAxis = axis;
    event.SetEventObject(canvas);
    canvas->GetEventHandler()->ProcessEvent(event);
}

// A key pressed on the canvas; true when the canvas took it.
bool keyDown(PlotCanvas* canvas, int code)
{
    wxKeyEvent event = gui::makeKeyEvent(wxEVT_KEY_DOWN, canvas, code, wxMOD_NONE, 0);
    return canvas->GetEventHandler()->ProcessEvent(event);
}

// Each test starts with one new, empty plot window.
class PlotWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_handle = newPlot();
        m_frame = PlotFrame::find(m_handle);
        ASSERT_NE(m_frame, nullptr);
        m_canvas = m_frame->canvas();
    }
    void TearDown() override
    {
        PlotFrame::plotCloseAll();
        pump();
    }
    void sendTool(int id)
    {
        wxCommandEvent event(wxEVT_TOOL, id);
        event.SetEventObject(m_frame->GetToolBar());
        m_frame->GetEventHandler()->ProcessEvent(event);
    }
    const PlotCurve& curve(size_t i) const { return m_canvas->curves().at(i); }

    int m_handle = 0;
    PlotFrame* m_frame = nullptr;
    PlotCanvas* m_canvas = nullptr;
};

} // namespace

// A new window of 640 × 480 shows the first curve's interval with exactly its points, and its view fits all curves;
// every curve is sampled at its point count per view width.
TEST_F(PlotWindow, PlotAddSamplesIntoANewWindow)
{
    EXPECT_TRUE(m_handle > 0 && m_frame->IsShown() && m_frame->GetParent() == nullptr);
    EXPECT_EQ(m_frame->GetSize(), wxSize(640, 480));
    EXPECT_EQ(m_frame->GetTitle(), wxString::Format("DelvoCalculator Plot %d", m_handle));
    ASSERT_TRUE(add(m_handle, "sin(x)"));
    const PlotSamples& s = curve(0).samples;
    ASSERT_EQ(samplesWithin(curve(0), -4, 4), 200);
    EXPECT_TRUE(std::count(s.x.begin(), s.x.end(), -4.0) == 1 && std::count(s.x.begin(), s.x.end(), 4.0) == 1);
    for (size_t i = 0; i < s.size(); i += 37)
        EXPECT_NEAR(s.y[i], std::sin(s.x[i]), 1e-12);
    const PlotView& v = m_canvas->view();
    EXPECT_TRUE(v.xmin == -4.0 && v.xmax == 4.0 && v.ymin < -1.0 && v.ymax > 1.0) << v.xmin << " " << v.ymin;
    ASSERT_TRUE(add(m_handle, "x^2", 200, -2, 2));
    EXPECT_TRUE(v.ymax > 4.0 && v.ymax < 5.0);  // the fit is x^2's interval's, though it is drawn across the view
    ASSERT_TRUE(add(m_handle, "x", 4, 0, 1));
    ASSERT_TRUE(add(m_handle, "x^3-x", 131072, -2, 2));
    for (size_t i = 0; i < 4; ++i)
        EXPECT_TRUE(followsView(curve(i), v)) << i << ": " << samplesWithin(curve(i), v.xmin, v.xmax);
    EXPECT_TRUE(newPlot() > m_handle && PlotFrame::plotExists(m_handle));
}

TEST_F(PlotWindow, PlotAddRefusesBadFunctionsIntervalsAndHandles)
{
    const int h = m_handle;  // the last interval's width overflows
    const struct { int handle; const char* function; double xmin, xmax; } refused[] = {
        {h, "sin(", -4, 4}, {h, "", -4, 4}, {h, "a=", -4, 4}, {h, "x", 1, 0}, {h, "x", 1, 1}, {0, "sin(x)", -4, 4},
        {-1, "sin(x)", -4, 4}, {h + 1000, "sin(x)", -4, 4}, {h, "x", -1e308, 1e308}};
    for (const auto& r : refused)
        EXPECT_FALSE(add(r.handle, r.function, 200, r.xmin, r.xmax)) << r.handle << " " << r.function << " " << r.xmin;
    EXPECT_TRUE(m_canvas->curves().empty());
    EXPECT_FALSE(PlotFrame::plotExists(0) || PlotFrame::plotExists(h + 1000));
}

// Variables a..z keep the values they had when the curve was added, also when it is re-sampled.
TEST_F(PlotWindow, PlotVariablesAreSnapshots)
{
    lmValues values{};
    for (double a : {2.0, 5.0}) {
        values[0] = a;
        PlotFrame::setVariableValues(values);
        ASSERT_TRUE(add(m_handle, "a*x", 5, 0, 4));
    }
    PlotFrame::setVariableValues(lmValues{});
    for (int zoom = 0; zoom < 2; ++zoom, m_canvas->zoomCentre(0.5)) {
        for (size_t c = 0; c < 2; ++c) {
            const PlotSamples& s = curve(c).samples;
            for (size_t i = 0; i < s.size(); ++i)
                ASSERT_DOUBLE_EQ(s.y[i], (c == 0 ? 2.0 : 5.0) * s.x[i]) << zoom << " " << c << " " << s.x[i];
        }
    }
}

// Closing (the window, Ctrl+W's command, plotCloseAll) makes plotExists false at once; plotting opens anew.
TEST_F(PlotWindow, ClosingTheWindows)
{
    ASSERT_TRUE(add(m_handle, "sin(x)"));
    m_frame->Close();
    EXPECT_FALSE(PlotFrame::plotExists(m_handle));
    pump();
    EXPECT_FALSE(PlotFrame::plotExists(m_handle) || add(m_handle, "x"));
    int next = newPlot();
    EXPECT_TRUE(next > 0 && next != m_handle && add(next, "x"));
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
TEST_F(PlotWindow, ExportAndPoles)
{
    ASSERT_TRUE(add(m_handle, "sin(x)"));
    ASSERT_TRUE(add(m_handle, "tan(x)", 200, -5, 5));
    ASSERT_TRUE(add(m_handle, "1/x", 200, -5, 5));
    pump();
    EXPECT_EQ(curve(1).breaks.size(), 4u);
    EXPECT_EQ(curve(2).breaks.size(), 1u);
    EXPECT_TRUE(m_canvas->view().ymax > 2.0 && m_canvas->view().ymax < 12.0);  // the branches, not the poles' tails
    wxString png = outputPath("export.png"), svg = outputPath("export.svg"), png2 = outputPath("export2x.png");
    for (const wxString& path : {png, svg, png2})
        wxRemoveFile(path);
    ASSERT_TRUE(m_canvas->exportPng(png) && m_canvas->exportPng(png2, 2.0) && m_canvas->exportSvg(svg));
    wxImage image(png, wxBITMAP_TYPE_PNG), twice(png2, wxBITMAP_TYPE_PNG);
    ASSERT_TRUE(image.IsOk() && twice.IsOk());
    EXPECT_EQ(image.GetSize(), m_canvas->GetClientSize());
    EXPECT_EQ(twice.GetSize(), m_canvas->GetClientSize() * 2);
    EXPECT_EQ(std::system(("xmllint --noout '" + svg.ToStdString() + "'").c_str()), 0);
    wxString content;
    ASSERT_TRUE(wxFile(svg).ReadAll(&content));
    EXPECT_TRUE(content.Contains(">sin(x)<") && content.Contains(">tan(x)<"));
    EXPECT_TRUE(m_canvas->copyToClipboard());
    // The Copy tool puts the picture on the clipboard.
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->Clear();
    wxTheClipboard->Close();
    sendTool(wxID_COPY);
    ASSERT_TRUE(wxTheClipboard->Open());
    EXPECT_TRUE(wxTheClipboard->IsSupported(wxDF_BITMAP));
    wxTheClipboard->Close();
}

// The export tools ask where to save: the picture goes there; a cancel saves nothing; a place that cannot be
// written is told.
TEST_F(PlotWindow, ExportToolsSaveWhereTheUserChooses)
{
    ASSERT_TRUE(add(m_handle, "sin(x)"));
    const wxString png = outputPath("chosen.png"), svg = outputPath("chosen.svg");
    for (const wxString& path : {png, svg})
        if (wxFileExists(path))
            wxRemoveFile(path);
    const auto exportPng = [this] { sendTool(ID_PLOT_EXPORT_PNG); };
    EXPECT_TRUE(gui::answerFileChooser("Save plot as PNG", png.ToStdString(), exportPng));
    EXPECT_TRUE(wxImage(png, wxBITMAP_TYPE_PNG).IsOk());
    const auto exportSvg = [this] { sendTool(ID_PLOT_EXPORT_SVG); };
    EXPECT_TRUE(gui::answerFileChooser("Save plot as SVG", svg.ToStdString(), exportSvg));
    EXPECT_TRUE(wxFileExists(svg));
    wxRemoveFile(png);
    EXPECT_TRUE(gui::answerFileChooser("Save plot as PNG", "", exportPng));
    EXPECT_FALSE(wxFileExists(png));
    gui::MessageBoxAnswer answer(wxOK);
    EXPECT_TRUE(gui::answerFileChooser("Save plot as PNG", "/proc/self/plot.png", exportPng));
    ASSERT_EQ(answer.requests.size(), 1u);
    EXPECT_TRUE(gui::requestText(answer.requests[0]).StartsWith("Cannot save /proc/self/plot.png|DelvoCalculator|"));
}

// The wheel zooms around the pointer, the drag pans, both re-sampling the view; the pointer traces the nearest curve
// and shows its value in the status bar.
TEST_F(PlotWindow, MouseZoomsPansAndTraces)
{
    ASSERT_TRUE(add(m_handle, "sin(x)"));
    const PlotView& v = m_canvas->view();
    const PlotSamples& s = curve(0).samples;
    PlotRect area = m_canvas->plotArea();
    wxPoint at(static_cast<int>(area.left + area.width * 0.75), static_cast<int>(area.top + area.height / 2));
    double x = PlotTransform(v, area).toPlaneX(at.x);
    wheel(m_canvas, at, 1);
    EXPECT_NEAR(v.width(), 8.0 * 0.85, 1e-9);
    EXPECT_NEAR(PlotTransform(v, m_canvas->plotArea()).toPlaneX(at.x), x, 1e-9);  // the point under the pointer stays
    EXPECT_TRUE(followsView(curve(0), v)) << s.x.front() << " " << v.xmin;
    const PlotView zoomed = v;
    double panned = 100 * v.width() / m_canvas->plotArea().width;
    drag(m_canvas, wxPoint(300, at.y), wxPoint(400, at.y + 20), false);
    EXPECT_NEAR(v.xmin, zoomed.xmin - panned, 1e-9);
    EXPECT_NEAR(v.xmax, zoomed.xmax - panned, 1e-9);
    EXPECT_TRUE(v.xmin < -4.0 && followsView(curve(0), v));  // on beyond the interval's end at -4

    ASSERT_TRUE(add(m_handle, "x^2", 200, -2, 2));  // fits the view to both again (and moves the curves)
    // Just above sin(2) (x^2 is 4 there): sin(x) is traced, its value at the x shown is in the status bar.
    sendMouse(m_canvas, wxEVT_MOTION, pixelOf(m_canvas, 2.0, std::sin(2.0)) - wxPoint(0, 3), false);
    EXPECT_EQ(m_canvas->tracedCurve(), 0);
    wxStatusBar* status = m_frame->GetStatusBar();
    wxString text = status->GetStatusText(1);
    ASSERT_TRUE(text.StartsWith("sin(x)  =  0.9")) << text;
    double value = 0, shownX = 0;
    ASSERT_TRUE(text.AfterFirst('=').BeforeFirst('a').Trim().Trim(false).ToCDouble(&value)) << text;
    ASSERT_TRUE(text.AfterLast('=').Trim(false).ToCDouble(&shownX)) << text;
    EXPECT_NEAR(shownX, 2.0, 0.03);
    EXPECT_NEAR(value, std::sin(shownX), 1e-4);  // the value at the x shown
    EXPECT_TRUE(status->GetStatusText(0).StartsWith("x = ") && status->GetStatusText(0).Contains("y = "));
    sendMouse(m_canvas, wxEVT_MOTION, pixelOf(m_canvas, 1.5, 2.25), false);
    EXPECT_EQ(m_canvas->tracedCurve(), 1);
    sendMouse(m_canvas, wxEVT_MOTION, pixelOf(m_canvas, -3.0, 3.5), false);  // far from both: no trace, the hint
    EXPECT_EQ(m_canvas->tracedCurve(), -1);
    EXPECT_TRUE(status->GetStatusText(1).StartsWith("Wheel: zoom"));
    // Outside the plot area nothing is traced; a sideways wheel zooms nothing.
    sendMouse(m_canvas, wxEVT_MOTION, pixelOf(m_canvas, 1.5, 2.25), false);
    ASSERT_EQ(m_canvas->tracedCurve(), 1);
    sendMouse(m_canvas, wxEVT_MOTION, wxPoint(1, 1), false);
    EXPECT_EQ(m_canvas->tracedCurve(), -1);
    const double width = v.width();
    wheel(m_canvas, at, 1, wxMOUSE_WHEEL_HORIZONTAL);
    EXPECT_EQ(v.width(), width);
    // A point index that names no marked point copies nothing.
    EXPECT_FALSE(m_canvas->copyPoint(-1));
    EXPECT_FALSE(m_canvas->copyPoint(1000));
    // Leaving the canvas ends the trace; a lost capture ends a drag.
    sendMouse(m_canvas, wxEVT_MOTION, pixelOf(m_canvas, 1.5, 2.25), false);
    ASSERT_EQ(m_canvas->tracedCurve(), 1);
    sendMouse(m_canvas, wxEVT_LEAVE_WINDOW, wxPoint(-1, -1), false);
    EXPECT_EQ(m_canvas->tracedCurve(), -1);
    const PlotView before = v;
    sendMouse(m_canvas, wxEVT_LEFT_DOWN, wxPoint(300, at.y), true);
    wxMouseCaptureLostEvent lost(m_canvas->GetId());
    lost.SetEventObject(m_canvas);
    m_canvas->GetEventHandler()->ProcessEvent(lost);
    sendMouse(m_canvas, wxEVT_MOTION, wxPoint(400, at.y), true);
    EXPECT_EQ(v.xmin, before.xmin);
    sendMouse(m_canvas, wxEVT_LEFT_UP, wxPoint(400, at.y), false);
    for (int i = 0; i < 20; ++i)
        m_canvas->zoomAt(at.x, at.y, 0.5, 0.5);
    EXPECT_TRUE(followsView(curve(0), v) && v.width() < 1e-5);
}

// A window's title goes into its caption and, with the subtitle, above the plot; points beyond the marked ones
// are counted in the legend. The SVG export shows what is drawn.
TEST(PlotWindowTitles, TitleSubtitleAndTheCountOfUnmarkedPoints)
{
    const int handle = PlotFrame::plotNew("Waves", "sin(50x) on [-10, 10]", 640, 480);
    pump();
    PlotFrame* frame = PlotFrame::find(handle);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->GetTitle().EndsWith(" - Waves")) << frame->GetTitle();
    ASSERT_TRUE(add(handle, "sin(50*x)", 4000, -10, 10));
    wxString longest = "x";
    while (longest.length() < 60)
        longest += "+x";
    ASSERT_TRUE(add(handle, longest, 200, -10, 10));  // its legend row is cut to 47 characters and an ellipsis
    wxCommandEvent points(wxEVT_TOOL, ID_PLOT_POINTS);
    points.SetEventObject(frame->GetToolBar());
    frame->GetEventHandler()->ProcessEvent(points);
    const size_t more = frame->canvas()->notablePoints().more;
    EXPECT_GT(more, 0u);
    const wxString svg = outputPath("titles.svg");
    wxRemoveFile(svg);
    ASSERT_TRUE(frame->canvas()->exportSvg(svg));
    wxString content;
    ASSERT_TRUE(wxFile(svg).ReadAll(&content));
    EXPECT_TRUE(content.Contains(">Waves<") && content.Contains(">sin(50x) on [-10, 10]<"));
    EXPECT_TRUE(content.Contains(wxString::Format(">+%zu more points<", more)));
    EXPECT_TRUE(content.Contains(">" + longest.Left(47) + wxString::FromUTF8("…") + "<"));
    PlotFrame::plotCloseAll();
    pump();
}

// Keys step the view: + and - zoom about the centre, the arrows pan, each undone by its opposite; Escape ends a
// drag; any other key is left to the window.
TEST_F(PlotWindow, KeysZoomAndPanTheView)
{
    ASSERT_TRUE(add(m_handle, "sin(x)"));
    const PlotView& v = m_canvas->view();
    auto key = [this](int code) { return keyDown(m_canvas, code); };
    const struct {
        int key, opposite;
        bool widthChanges, xMoves, yMoves;
    } steps[] = {{'+', '-', true, false, false},
                 {WXK_NUMPAD_SUBTRACT, WXK_NUMPAD_ADD, true, false, false},
                 {WXK_LEFT, WXK_RIGHT, false, true, false},
                 {WXK_UP, WXK_DOWN, false, false, true}};
    for (const auto& step : steps) {
        const PlotView start = v;
        EXPECT_TRUE(key(step.key));
        EXPECT_EQ(std::fabs(v.width() - start.width()) > 1e-9, step.widthChanges) << step.key;
        EXPECT_EQ(std::fabs(v.xmin - start.xmin) > 1e-9 && !step.widthChanges, step.xMoves) << step.key;
        EXPECT_EQ(std::fabs(v.ymin - start.ymin) > 1e-9 && !step.widthChanges, step.yMoves) << step.key;
        EXPECT_TRUE(key(step.opposite));
        EXPECT_NEAR(v.xmin, start.xmin, 1e-9 * start.width()) << step.key;
        EXPECT_NEAR(v.ymin, start.ymin, 1e-9 * (start.ymax - start.ymin)) << step.key;
        EXPECT_TRUE(followsView(curve(0), v)) << step.key;
    }
    // Escape in the middle of a drag: the drag ends where it was, and the release moves nothing.
    const PlotView start = v;
    sendMouse(m_canvas, wxEVT_LEFT_DOWN, wxPoint(300, 200), true);
    sendMouse(m_canvas, wxEVT_MOTION, wxPoint(350, 200), true);
    const PlotView dragged = v;
    EXPECT_NE(dragged.xmin, start.xmin);
    EXPECT_TRUE(key(WXK_ESCAPE));
    sendMouse(m_canvas, wxEVT_MOTION, wxPoint(400, 200), true);
    sendMouse(m_canvas, wxEVT_LEFT_UP, wxPoint(400, 200), false);
    EXPECT_EQ(v.xmin, dragged.xmin);
    EXPECT_TRUE(key(WXK_ESCAPE));
    EXPECT_FALSE(key('q'));
}

// Right drag or Shift + left drag zooms to a rectangle, a click does not; the toolbar, Home and a double click reset
// the view to the first one. Grid and Extend toggle with their buttons; without Extend a curve ends at its interval.
// Zoom in and out are one step.
TEST_F(PlotWindow, ViewCommands)
{
    ASSERT_TRUE(add(m_handle, "sin(x)"));
    const PlotView home = m_canvas->view();
    const PlotView& v = m_canvas->view();
    const PlotSamples& s = curve(0).samples;
    wxPoint from = pixelOf(m_canvas, -1, 0.5), to = pixelOf(m_canvas, 1, -0.5);
    drag(m_canvas, from, to, true);
    EXPECT_TRUE(std::fabs(v.xmin + 1) < 0.02 && std::fabs(v.xmax - 1) < 0.02 && std::fabs(v.ymin + 0.5) < 0.02 &&
                std::fabs(v.ymax - 0.5) < 0.02) << v.xmin << " " << v.xmax << " " << v.ymin << " " << v.ymax;
    EXPECT_TRUE(followsView(curve(0), v));
    sendTool(wxID_ZOOM_FIT);
    EXPECT_TRUE(v.xmin == home.xmin && v.xmax == home.xmax && v.ymin == home.ymin && v.ymax == home.ymax);
    EXPECT_EQ(samplesWithin(curve(0), -4, 4), 200);
    drag(m_canvas, from, to, false, true);
    EXPECT_NEAR(v.xmax, 1.0, 0.02);
    keyDown(m_canvas, WXK_HOME);
    EXPECT_EQ(v.xmin, home.xmin);
    drag(m_canvas, from, from + wxPoint(1, 1), true);
    EXPECT_EQ(v.xmin, home.xmin);
    m_canvas->zoomCentre(0.5);
    sendMouse(m_canvas, wxEVT_LEFT_DCLICK, wxPoint(100, 100), true);
    EXPECT_EQ(v.xmin, home.xmin);

    wxToolBar* bar = m_frame->GetToolBar();
    EXPECT_TRUE(m_canvas->gridVisible());
    sendTool(ID_PLOT_GRID);
    EXPECT_FALSE(m_canvas->gridVisible() || bar->GetToolState(ID_PLOT_GRID));
    sendTool(ID_PLOT_GRID);
    EXPECT_TRUE(m_canvas->gridVisible());
    m_canvas->zoomCentre(2.0);
    EXPECT_TRUE(bar->GetToolState(ID_PLOT_EXTEND) && followsView(curve(0), v));
    sendTool(ID_PLOT_EXTEND);
    EXPECT_FALSE(bar->GetToolState(ID_PLOT_EXTEND));
    EXPECT_TRUE(s.x.front() == -4.0 && s.x.back() == 4.0);
    EXPECT_NEAR(samplesWithin(curve(0), -4, 4), 100, 2);  // half the view: half the points
    m_frame->Refresh();
    m_frame->Update();  // paints the curve within its interval
    sendTool(ID_PLOT_EXTEND);
    EXPECT_TRUE(followsView(curve(0), v));
    sendTool(wxID_ZOOM_FIT);
    sendTool(wxID_ZOOM_IN);
    EXPECT_NEAR(v.width(), home.width() * 0.8, 1e-9);
    sendTool(wxID_ZOOM_OUT);
    EXPECT_NEAR(v.width(), home.width(), 1e-9);
}

// The Points toggle marks the curves' notable points in view, again after a zoom; a click on one copies it.
TEST_F(PlotWindow, PointsToggleMarksRecomputesAndCopies)
{
    ASSERT_TRUE(add(m_handle, "sin(x)", 200, -7, 7));
    sendTool(ID_PLOT_POINTS);
    // Five zeros, two maxima and two minima of sin over [-7, 7].
    EXPECT_TRUE(m_frame->GetToolBar()->GetToolState(ID_PLOT_POINTS));
    EXPECT_EQ(m_canvas->notablePoints().points.size(), 9u);
    m_canvas->zoomCentre(0.5);  // x in [-3.5, 3.5], y within +-0.6: the zeros -pi, 0 and pi only
    EXPECT_EQ(m_canvas->notablePoints().points.size(), 3u);

    const wxPoint zero = pixelOf(m_canvas, M_PI, 0);
    ASSERT_GE(m_canvas->pointAt(zero.x, zero.y), 0);
    sendMouse(m_canvas, wxEVT_LEFT_DOWN, zero, true);
    sendMouse(m_canvas, wxEVT_LEFT_UP, zero + wxPoint(1, 0), false);
    wxTextDataObject text;
    ASSERT_TRUE(wxTheClipboard->Open());
    EXPECT_TRUE(wxTheClipboard->GetData(text));
    wxTheClipboard->Close();
    EXPECT_EQ(text.GetText(), "3.14159265358979; 0");

    // Exports keep the markers: the SVG holds a ring and a label per point on top of what it had.
    const wxString with = outputPath("points.svg"), without = outputPath("no_points.svg");
    ASSERT_TRUE(m_canvas->exportSvg(with) && m_canvas->exportPng(outputPath("points.png")));
    // The key P toggles the points as the toolbar button does.
    m_frame->Raise();
    m_canvas->SetFocus();
    pump();
    wxUIActionSimulator().Char('p');
    pump(30);
    EXPECT_FALSE(m_frame->GetToolBar()->GetToolState(ID_PLOT_POINTS));
    EXPECT_TRUE(m_canvas->notablePoints().points.empty());
    ASSERT_TRUE(m_canvas->exportSvg(without));
    auto count = [](const wxString& path, const wxString& element) {
        wxString content;
        wxFile(path).ReadAll(&content);
        return static_cast<int>(content.Replace(element, element));
    };
    EXPECT_EQ(count(with, "<ellipse") - count(without, "<ellipse"), 3);
    EXPECT_EQ(count(with, "<text") - count(without, "<text"), 3);
}

// sin(x), 1/x and x^2 zoomed out with the wheel and panned: each curve reaches the view's edges at its point count per
// width, 1/x still breaks at its pole, the points beyond the first view are marked, the exported picture shows the
// curve at both edges, and Home returns to the first view.
TEST_F(PlotWindow, CurvesReachTheViewsEdgesAfterZoomAndPan)
{
    ASSERT_TRUE(add(m_handle, "sin(x)") && add(m_handle, "1/x", 200, -2, 2) && add(m_handle, "x^2", 200, -2, 2));
    const PlotView home = m_canvas->view();
    const PlotView& v = m_canvas->view();
    const PlotRect area = m_canvas->plotArea();
    const wxPoint middle(static_cast<int>(area.left + area.width / 2), static_cast<int>(area.top + area.height / 2));
    wheel(m_canvas, middle, -5);
    ASSERT_TRUE(v.xmin < -8.0 && v.xmax > 8.0);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_TRUE(followsView(curve(i), v)) << i;
    ASSERT_EQ(curve(1).breaks.size(), 1u);
    EXPECT_TRUE(curve(1).path.x[curve(1).breaks[0]] < 0.0 && curve(1).path.x[curve(1).breaks[0] + 1] > 0.0);

    sendTool(ID_PLOT_POINTS);
    const auto& points = m_canvas->notablePoints().points;
    EXPECT_TRUE(std::any_of(points.begin(), points.end(), [](const PlotNotablePoint& p) {
        return p.curve == 0 && p.kind == PlotPointKind::Zero && std::fabs(p.x + 2 * M_PI) < 1e-9;
    }));
    sendTool(ID_PLOT_POINTS);
    const wxString png = outputPath("zoomed_out.png");
    ASSERT_TRUE(m_canvas->exportPng(png));
    const wxImage image(png, wxBITMAP_TYPE_PNG);
    // sin(x)'s blue, anti-aliased, a pixel inside the plot area's left and right edges.
    const PlotRect zoomedArea = m_canvas->plotArea();  // the tick labels are wider now
    const auto blueIn = [&image, area = zoomedArea](int column) {
        for (int row = static_cast<int>(area.top); row < static_cast<int>(area.bottom()); ++row) {
            const int r = image.GetRed(column, row), g = image.GetGreen(column, row), b = image.GetBlue(column, row);
            if (std::abs(r - 31) < 40 && std::abs(g - 119) < 40 && std::abs(b - 180) < 40)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(blueIn(static_cast<int>(zoomedArea.left) + 1) && blueIn(static_cast<int>(zoomedArea.right()) - 2));

    for (int i = 0; i < 3; ++i)
        drag(m_canvas, middle, middle + wxPoint(250, 0), false);
    EXPECT_TRUE(v.xmin < -20.0);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_TRUE(followsView(curve(i), v)) << i;
    sendTool(wxID_ZOOM_FIT);
    EXPECT_TRUE(v.xmin == home.xmin && v.xmax == home.xmax && v.ymin == home.ymin && v.ymax == home.ymax);
}

// While the view moves, curves of 131072 points are drawn from drafts across the view, and a 200-point one as it is;
// once the view rests each is sampled in full in turn, and all at once when the picture is exported.
TEST_F(PlotWindow, DenseCurvesDraftWhileTheViewMoves)
{
    ASSERT_TRUE(add(m_handle, "sin(x)", 131072) && add(m_handle, "x^2") && add(m_handle, "cos(x)", 131072));
    const PlotView& v = m_canvas->view();
    const PlotRect area = m_canvas->plotArea();
    const wxPoint middle(static_cast<int>(area.left + area.width / 2), static_cast<int>(area.top + area.height / 2));
    const auto allInFull = [this, &v] {
        return !m_canvas->drafting() && followsView(curve(0), v) && followsView(curve(1), v) &&
               followsView(curve(2), v);
    };
    EXPECT_TRUE(allInFull());
    wheel(m_canvas, middle, -1);
    EXPECT_TRUE(m_canvas->drafting() && followsView(curve(1), v));
    for (size_t i : {0, 2}) {
        EXPECT_TRUE(curve(i).samples.x.front() < v.xmin && curve(i).samples.x.back() > v.xmax);
        EXPECT_LT(samplesWithin(curve(i), v.xmin, v.xmax), 10000);
    }
    for (int i = 0; i < 200 && m_canvas->drafting(); ++i)
        pump(1);
    EXPECT_TRUE(allInFull());
    keyDown(m_canvas, WXK_RIGHT);
    EXPECT_TRUE(m_canvas->drafting());
    ASSERT_TRUE(m_canvas->exportPng(outputPath("dense.png")));
    EXPECT_TRUE(allInFull());
}

// Points on with sin(x) and 1/x, and with sin(x) and x^3/20-x: the points at one place share one label; every label
// stands right beside its own marker, nearer to it than to any other, over no marker and no other label; each marker of
// sin(x) and 1/x has room and gets its label; the pointer on a marker without one shows it.
TEST_F(PlotWindow, PointLabelsOnePerPlaceBesideTheirOwnMarkers)
{
    const struct { double lo, hi; const char* second; double secondLo, secondHi; bool all; } rows[] = {
        {-4, 4, "1/x", -2, 2, true}, {-7, 7, "x^3/20-x", -7, 7, false}};
    PlotFrame* frame = nullptr;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.second);
        frame = PlotFrame::find(newPlot());
        PlotCanvas* canvas = frame->canvas();
        ASSERT_TRUE(add(frame->handle(), "sin(x)", 200, row.lo, row.hi) &&
                    add(frame->handle(), row.second, 200, row.secondLo, row.secondHi));
        canvas->setPointsVisible(true);
        const auto& points = canvas->notablePoints().points;
        const PlotRect area = canvas->plotArea();
        const PlotTransform t(canvas->view(), area);
        std::vector<PlotPoint> markers;
        for (const PlotNotablePoint& p : points)
            markers.push_back(PlotPoint{t.toPixelX(p.x), t.toPixelY(p.y)});
        const std::vector<PlotPointLabel> labels = canvas->pointLabels();
        size_t named = 0;
        for (size_t i = 0; i < labels.size(); ++i) {
            const PlotRect& box = labels[i].box;
            const double own = plotDistanceToRect(box, markers[labels[i].points.front()]);
            EXPECT_LE(own, 8.0) << labels[i].text;
            EXPECT_TRUE(box.left >= area.left && box.right() <= area.right() && box.top >= area.top &&
                        box.bottom() <= area.bottom()) << labels[i].text;
            for (size_t k = 0; k < markers.size(); ++k) {
                const auto& mine = labels[i].points;
                if (std::find(mine.begin(), mine.end(), k) == mine.end()) {
                    EXPECT_GT(plotDistanceToRect(box, markers[k]), own + 2.0) << labels[i].text << " / marker " << k;
                }
            }
            for (size_t j = i + 1; j < labels.size(); ++j) {
                const PlotRect& o = labels[j].box;
                EXPECT_FALSE(box.left < o.right() && o.left < box.right() && box.top < o.bottom() && o.top < box.bottom())
                    << labels[i].text << " / " << labels[j].text;
                const PlotPoint a = markers[labels[i].points.front()], b = markers[labels[j].points.front()];
                EXPECT_GT(std::hypot(a.x - b.x, a.y - b.y), 1.0) << labels[i].text << " / " << labels[j].text;
            }
            named += labels[i].points.size();
        }
        if (row.all) {
            EXPECT_EQ(named, points.size());
        }
        const wxString svg = outputPath("labels.svg");
        ASSERT_TRUE(canvas->exportSvg(svg));
        wxString content;
        ASSERT_TRUE(wxFile(svg).ReadAll(&content));
        EXPECT_EQ(content.Replace(">(0, 0)<", ">(0, 0)<"), 1u);
    }
    // sin(x)'s zero at -2 pi has no room beside its neighbours; under the pointer its label shows.
    PlotCanvas* canvas = frame->canvas();
    const auto& points = canvas->notablePoints().points;
    const auto zero = std::find_if(points.begin(), points.end(),
                                   [](const PlotNotablePoint& p) { return std::fabs(p.x + 2 * M_PI) < 1e-9; });
    ASSERT_NE(zero, points.end());
    const size_t index = static_cast<size_t>(zero - points.begin());
    for (const PlotPointLabel& label : canvas->pointLabels())
        EXPECT_EQ(std::find(label.points.begin(), label.points.end(), index), label.points.end()) << label.text;
    sendMouse(canvas, wxEVT_MOTION, pixelOf(canvas, -2 * M_PI, 0), false);
    EXPECT_EQ(frame->GetStatusBar()->GetStatusText(1), "(-6.28319, 0)   click to copy");
}

// Poles everywhere, nan, overflow, the narrowest interval, 200 curves in one window: each is drawn, and a full
// repaint ends in bounded time (generous for a loaded machine and sanitizer builds; a hang takes far longer).
TEST_F(PlotWindow, HostileCurvesRedrawInBoundedTime)
{
    const auto redrawTime = [](PlotFrame* frame) {
        const wxLongLong start = wxGetLocalTimeMillis();
        frame->canvas()->Refresh();
        frame->canvas()->Update();
        pump(5);
        return (wxGetLocalTimeMillis() - start).ToLong();
    };
    const struct { const char* function; double xmin, xmax; } rows[] = {
        {"1/0", -2, 2}, {"0/0", -2, 2}, {"1e308*x", -2, 2}, {"sin(1/x)", -1e-300, 1e-300}, {"tan(x)*1e300", -1e3, 1e3}};
    for (const auto& row : rows) {
        PlotFrame* frame = PlotFrame::find(newPlot());
        ASSERT_TRUE(frame && add(frame->handle(), row.function, 20000, row.xmin, row.xmax)) << row.function;
        EXPECT_LT(redrawTime(frame), 10000) << row.function;
    }
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(add(m_handle, wxString::Format("sin(x+%d)*%d+1/(x-%d)", i, i, i % 7), 2000, -10, 10)) << i;
    EXPECT_EQ(m_canvas->curves().size(), 200u);
    EXPECT_LT(redrawTime(m_frame), 10000);
}

// A failed wx assertion is a test failure, reported instead of the toolkit's modal assert dialog.
void reportAssert(const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg)
{
    ADD_FAILURE_AT(file.utf8_str().data(), line) << "wxWidgets assertion " << cond.utf8_str().data() << " in "
                                                 << func.utf8_str().data() << ": " << msg.utf8_str().data();
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv))
        return 1;
    wxTheApp->SetExitOnFrameDelete(false);
    delete wxLog::SetActiveTarget(new wxLogStderr);  // a modal log window would block the run
    wxSetAssertHandler(reportAssert);
    wxImage::AddHandler(new wxPNGHandler);
    int result = RUN_ALL_TESTS();
    wxEntryCleanup();
    return result;
}
