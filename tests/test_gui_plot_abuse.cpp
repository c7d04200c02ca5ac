// SPDX-License-Identifier: MIT
// Plot windows given hostile curves (poles everywhere, nan, overflow, the widest and narrowest intervals,
// 200 curves in one window): nothing hangs, every redraw stays within its time bound, refusals are reported.
// Own main(): a wxApp runs GoogleTest inside its event loop.
#include <chrono>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/utils.h>

#include "libs/graph/plot_canvas.h"
#include "libs/graph/plot_frame.h"

namespace {

// Generous for a loaded machine and sanitizer builds; a hang or a quadratic redraw takes far longer.
constexpr auto kRedrawBudget = std::chrono::milliseconds(10000);

void pump() {
    for (int i = 0; i < 5; ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
}

bool add(int handle, const char* function, double xmin, double xmax, int points = 200) {
    return PlotFrame::plotAdd(handle, function, points, xmin, xmax, wxString(), 0, nullptr);
}

/// Time of one full repaint of the plot window.
std::chrono::milliseconds redraw(int handle) {
    PlotCanvas* canvas = PlotFrame::find(handle)->canvas();
    const auto start = std::chrono::steady_clock::now();
    canvas->Refresh();
    canvas->Update();
    pump();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
}

}  // namespace

TEST(PlotAbuse, HostileCurvesDrawInBoundedTimeOrAreRefused) {
    const struct {
        const char* function;
        double xmin, xmax;
        bool accepted;
    } rows[] = {
        {"1/0", -2, 2, true},
        {"0/0", -2, 2, true},
        {"1e308*x", -2, 2, true},
        {"sin(1/x)", -1e-300, 1e-300, true},
        {"tan(x)*1e300", -1e3, 1e3, true},
        {"x", -1e308, 1e308, false},  // its width is beyond the double range
        {"x", 1, 1, false},
        {"sin(", -1, 1, false},
    };
    for (const auto& row : rows) {
        const int handle = PlotFrame::plotNew(0, wxString(), wxString(), 640, 480, nullptr, nullptr);
        ASSERT_GT(handle, 0);
        pump();
        EXPECT_EQ(add(handle, row.function, row.xmin, row.xmax, 20000), row.accepted) << row.function;
        EXPECT_LT(redraw(handle), kRedrawBudget) << row.function;
        PlotFrame::plotCloseAll();
        pump();
    }
}

TEST(PlotAbuse, TwoHundredCurvesInOneWindow) {
    const int handle = PlotFrame::plotNew(0, wxString(), wxString(), 640, 480, nullptr, nullptr);
    ASSERT_GT(handle, 0);
    pump();
    for (int i = 0; i < 200; ++i) {
        const wxString function = wxString::Format("sin(x+%d)*%d+1/(x-%d)", i, i, i % 7);
        ASSERT_TRUE(PlotFrame::plotAdd(handle, function, 2000, -10, 10, wxString(), 0, nullptr)) << i;
    }
    EXPECT_EQ(PlotFrame::find(handle)->canvas()->curves().size(), 200u);
    EXPECT_LT(redraw(handle), kRedrawBudget);
    PlotFrame::plotCloseAll();
    pump();
}

namespace {

class GuiTestApp : public wxApp {
public:
    bool OnInit() override {
        SetExitOnFrameDelete(false);
        delete wxLog::SetActiveTarget(new wxLogStderr);
        return true;
    }
    int OnRun() override {
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

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new GuiTestApp);
    return wxEntry(argc, argv);
}
