// SPDX-License-Identifier: MIT
// End to end through DelvoApp's normal start: console lines reach the plot windows, a dark theme the console's
// pixels. Runs under Xvfb with the shared harness.
#include <algorithm>

#include "libs/graph/plot_canvas.h"
#include "libs/graph/plot_frame.h"
#include "tests/window_test_fixture.h"

namespace {

class AppEndToEnd : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        if (console) gui::focus(console);
    }
    void TearDown() override {
        PlotFrame::plotCloseAll();
        MainWindowTest::TearDown();
    }
    /// Types the line on the input line and presses Enter.
    void enter(const wxString& line) {
        gui::typeText(console, line);
        gui::sendKey(console, WXK_RETURN);
        gui::pump(20);
    }
    static size_t curvesOf(int handle) {
        PlotFrame* frame = PlotFrame::find(handle);
        return frame ? frame->canvas()->curves().size() : 0;
    }
};

// Later plot commands add their curves to the same window; closing it and plotting again opens a new one.
TEST_F(AppEndToEnd, PlotCommandsShareOneWindow) {
    enter("plot(sin(x))");
    const int first = wxGetApp().interpreter().plotId;
    ASSERT_GT(first, 0);
    EXPECT_TRUE(PlotFrame::plotExists(first));
    EXPECT_EQ(curvesOf(first), 1u);
    enter("plot(cos(x))");
    EXPECT_EQ(wxGetApp().interpreter().plotId, first);
    ASSERT_EQ(curvesOf(first), 2u);
    EXPECT_EQ(PlotFrame::find(first)->canvas()->curves()[1].label, L"cos(x)");
    EXPECT_EQ(console->GetText().Find("!"), wxNOT_FOUND) << console->GetText();

    PlotFrame::find(first)->Close(true);
    gui::pumpUntil([first] { return !PlotFrame::plotExists(first); });
    enter("plot(x^2,-1,1,50)");
    const int second = wxGetApp().interpreter().plotId;
    EXPECT_NE(second, first);
    EXPECT_TRUE(PlotFrame::plotExists(second));
    EXPECT_EQ(curvesOf(second), 1u);
}

// A function of the user's plots like any expression: f(x)=x^2-2 draws the parabola, its lowest point -2 at 0.
TEST_F(AppEndToEnd, UsersFunctionPlots) {
    enter("f(x)=x^2-2");
    enter("plot(f(x))");
    const int handle = wxGetApp().interpreter().plotId;
    ASSERT_EQ(curvesOf(handle), 1u);
    const PlotCurve& curve = PlotFrame::find(handle)->canvas()->curves()[0];
    EXPECT_EQ(curve.label, L"f(x)");
    EXPECT_EQ(curve.domain.lo, -2);
    EXPECT_EQ(curve.domain.hi, 2);
    ASSERT_FALSE(curve.samples.y.empty());
    EXPECT_NEAR(*std::min_element(curve.samples.y.begin(), curve.samples.y.end()), -2, 1e-3);
    EXPECT_NEAR(curve.samples.y.front(), 2, 1e-9);
    gui::pump(100);
    EXPECT_TRUE(gui::screenshot(PlotFrame::find(handle), gui::outputDir() + "/plot_user_function.png"));
    std::wstring reply;
    EXPECT_TRUE(wxGetApp().evaluateLine(L"reset", &reply));
}

TEST_F(AppEndToEnd, RefusedPlotFunctionIsReported) {
    enter("plot(sin(x)+)");
    EXPECT_NE(console->GetText().Find("   ! invalid plot"), wxNOT_FOUND) << console->GetText();
}

// A dark theme, all six colours changed, reaches the console's pixels.
TEST_F(AppEndToEnd, DarkThemeReachesTheConsole) {
    // 0x00BBGGRR: light grey text on near-black, blue functions, orange operators, green numbers, blue selection.
    wxGetApp().appearance().setColors(0xDCDCDC, 0x1E1E1E, 0xF0B060, 0x4CB0FF, 0x88E0A0, 0x704020);
    for (const char* line : {"1+2", "speed = 3; speed*2", "sqrt(2)*pi", "q", "max(3, 7)^2"}) enter(line);
    gui::pump(100);
    const wxImage picture = gui::grab(console);
    ASSERT_TRUE(picture.IsOk());
    // The background is dark: most pixels of the console are the dark colour (shifted by 4 towards the text).
    EXPECT_GT(gui::countPixels(picture, wxColour(0x22, 0x22, 0x22)), picture.GetWidth() * picture.GetHeight() / 3);
}

}  // namespace
