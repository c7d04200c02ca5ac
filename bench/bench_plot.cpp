// SPDX-License-Identifier: MIT
// Plot window speed: sampling through the math library, drawing into an off-screen bitmap, and frames of a real
// window panned and zoomed with the mouse.
// Needs a display for the toolkit's bitmaps: run as  xvfb-run -a bench_plot
#include <cmath>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/init.h>

#include "libs/graph/plot_curve.h"
#include "libs/graph/plot_expression.h"
#include "libs/graph/plot_frame.h"
#include "libs/graph/plot_points.h"
#include "libs/graph/plot_renderer.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 420;

PlotCurve makeCurve(const wchar_t* text, int points, double xmin, double xmax, int colour)
{
    PlotCurve curve;
    curve.label = text;
    curve.function = PlotExpression::create(text, lmValues{});
    curve.points = points;
    curve.domain = PlotRange{xmin, xmax};
    curve.colour = colour;
    return curve;
}

PlotView homeView(const std::vector<PlotCurve>& curves)
{
    std::vector<PlotRange> xs, ys;
    for (const PlotCurve& c : curves) {
        xs.push_back(c.domain);
        ys.push_back(c.homeRange);
    }
    return plotFitView(xs, ys);
}

// Draws the scene as the canvas's paint handler does, into a bitmap.
void draw(wxBitmap& bitmap, const PlotRenderer& renderer, const PlotScene& scene)
{
    wxMemoryDC dc(bitmap);
    std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(dc));
    PlotGcPainter painter(*gc);
    renderer.render(painter, scene, kWidth, kHeight);
    gc.reset();
    dc.SelectObject(wxNullBitmap);
}

// Goal: at most 30 ms for sampling sin(x) at 131072 points through the parser and drawing it.
void BM_SampleAndDraw131072(benchmark::State& state)
{
    wxBitmap bitmap(kWidth, kHeight, 24);
    PlotRenderer renderer;
    for (auto _ : state) {
        std::vector<PlotCurve> curves{makeCurve(L"sin(x)", 131072, -4, 4, 0)};
        curves[0].sampleDomain();
        PlotScene scene;
        scene.curves = &curves;
        scene.view = homeView(curves);
        curves[0].resample(scene.view);
        draw(bitmap, renderer, scene);
    }
}
BENCHMARK(BM_SampleAndDraw131072)->Unit(benchmark::kMillisecond);

void BM_Sample131072Parser(benchmark::State& state)
{
    PlotFunction f = PlotExpression::create(L"sin(x)", lmValues{});
    for (auto _ : state)
        benchmark::DoNotOptimize(plotSample(f, -4, 4, 131072));
}
BENCHMARK(BM_Sample131072Parser)->Unit(benchmark::kMillisecond);

void BM_Draw131072(benchmark::State& state)
{
    wxBitmap bitmap(kWidth, kHeight, 24);
    PlotRenderer renderer;
    std::vector<PlotCurve> curves{makeCurve(L"sin(20*x)", 131072, -4, 4, 0)};
    curves[0].sampleDomain();
    PlotScene scene;
    scene.curves = &curves;
    scene.view = homeView(curves);
    curves[0].resample(scene.view);
    for (auto _ : state)
        draw(bitmap, renderer, scene);
}
BENCHMARK(BM_Draw131072)->Unit(benchmark::kMillisecond);

// The frame, grid, ticks and labels alone.
void BM_DrawEmpty(benchmark::State& state)
{
    wxBitmap bitmap(kWidth, kHeight, 24);
    PlotRenderer renderer;
    std::vector<PlotCurve> curves;
    PlotScene scene;
    scene.curves = &curves;
    scene.view = PlotView{-4, 4, -1.2, 1.2};
    for (auto _ : state)
        draw(bitmap, renderer, scene);
}
BENCHMARK(BM_DrawEmpty)->Unit(benchmark::kMillisecond);

// The five curves of the pan and zoom benchmarks: sin(x), cos(x), x^2, tan(x), exp(-x^2)*3 at `points` points.
std::vector<PlotCurve> fiveCurves(int points)
{
    return {makeCurve(L"sin(x)", points, -4, 4, 0), makeCurve(L"cos(x)", points, -4, 4, 1),
            makeCurve(L"x^2", points, -2, 2, 2), makeCurve(L"tan(x)", points, -5, 5, 3),
            makeCurve(L"exp(-x^2)*3", points, -4, 4, 4)};
}

// Goal: at most 16 ms for one pan step with five 200-point curves: re-sample all, redraw.
// state.range(0) = 1 marks the notable points (found again after each step) as the Points toggle does.
void BM_PanFiveCurves(benchmark::State& state)
{
    const bool points = state.range(0) != 0;
    PlotNotablePoints marked;
    wxBitmap bitmap(kWidth, kHeight, 24);
    PlotRenderer renderer;
    std::vector<PlotCurve> curves = fiveCurves(200);
    for (PlotCurve& c : curves)
        c.sampleDomain();
    PlotScene scene;
    scene.curves = &curves;
    scene.view = homeView(curves);
    // Five pixels a step, a view's width forth and back: the samples run out of their margin on the way.
    double step = 5 * scene.view.width() / kWidth;
    int i = 0;
    for (auto _ : state) {
        double dx = (i++ / 128) % 2 == 0 ? step : -step;
        scene.view = plotPan(scene.view, dx, 0.0);
        for (PlotCurve& c : curves)
            c.resample(scene.view);
        if (points) {
            marked = plotFindNotablePoints(curves, scene.view);
            scene.points = &marked;
        }
        draw(bitmap, renderer, scene);
    }
    state.counters["markers"] = static_cast<double>(marked.points.size());
}
BENCHMARK(BM_PanFiveCurves)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The notable points alone for the five curves of the pan benchmark.
void BM_FindPointsFiveCurves(benchmark::State& state)
{
    std::vector<PlotCurve> curves = fiveCurves(200);
    for (PlotCurve& c : curves)
        c.sampleDomain();
    const PlotView view = homeView(curves);
    for (PlotCurve& c : curves)
        c.resample(view);
    for (auto _ : state)
        benchmark::DoNotOptimize(plotFindNotablePoints(curves, view));
}
BENCHMARK(BM_FindPointsFiveCurves)->Unit(benchmark::kMicrosecond);

// Placing the labels of the markers of sin(x) and cos(x) over [-r, r]: 38 markers over [-12, 12], where half have room
// for a label, and 100 over [-40, 40], where none has.
void BM_PlaceLabels(benchmark::State& state)
{
    const double r = static_cast<double>(state.range(0));
    std::vector<PlotCurve> curves{makeCurve(L"sin(x)", 2000, -r, r, 0), makeCurve(L"cos(x)", 2000, -r, r, 1)};
    PlotScene scene;
    scene.curves = &curves;
    scene.view = PlotView{-r, r, -1.2, 1.2};
    for (PlotCurve& c : curves)
        c.resample(scene.view);
    const PlotNotablePoints marked = plotFindNotablePoints(curves, scene.view);
    scene.points = &marked;
    wxBitmap bitmap(kWidth, kHeight, 24);
    wxMemoryDC dc(bitmap);
    std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(dc));
    PlotGcPainter painter(*gc);
    PlotRenderer renderer;
    size_t labels = 0;
    for (auto _ : state)
        labels = renderer.pointLabels(painter, scene, kWidth, kHeight).size();
    state.counters["markers"] = static_cast<double>(marked.points.size());
    state.counters["labels"] = static_cast<double>(labels);
}
BENCHMARK(BM_PlaceLabels)->Arg(12)->Arg(40)->Unit(benchmark::kMillisecond);

// A plot window with the five curves at state.range(0) points each (and the notable points marked when
// state.range(1) is 1), on the screen, and one mouse event's frame: the event handled, the window painted.
class PlotWindowFrames {
public:
    PlotWindowFrames(int points, bool marked)
        : m_frame(PlotFrame::find(PlotFrame::plotNew(wxString(), wxString(), 640, 480)))
    {
        for (const PlotCurve& c : fiveCurves(points))
            PlotFrame::plotAdd(m_frame->handle(), c.label, points, c.domain.lo, c.domain.hi);
        m_frame->canvas()->setPointsVisible(marked);
        settle();
        const PlotRect area = m_frame->canvas()->plotArea();
        m_middle = wxPoint(static_cast<int>(area.left + area.width / 2), static_cast<int>(area.top + area.height / 2));
    }
    ~PlotWindowFrames()
    {
        PlotFrame::plotCloseAll();
        settle();
    }
    PlotCanvas* canvas() const { return m_frame->canvas(); }
    wxPoint middle() const { return m_middle; }
    void frame(wxMouseEvent& event)
    {
        event.SetEventObject(canvas());
        canvas()->GetEventHandler()->ProcessEvent(event);
        canvas()->Update();
    }
    static void settle()
    {
        for (int i = 0; i < 20; ++i) {
            wxTheApp->Yield(true);
            wxTheApp->ProcessIdle();
        }
    }

private:
    PlotFrame* m_frame;
    wxPoint m_middle;
};

// Goal: at most 16 ms a frame. A drag pans the window by five pixels a frame, a view's width forth and back.
void BM_WindowPanFiveCurves(benchmark::State& state)
{
    PlotWindowFrames window(static_cast<int>(state.range(0)), state.range(1) != 0);
    wxMouseEvent down(wxEVT_LEFT_DOWN);
    down.SetPosition(window.middle());
    down.m_leftDown = true;
    window.frame(down);
    int i = 0, dx = 0;
    for (auto _ : state) {
        dx += (i++ / 120) % 2 == 0 ? 5 : -5;
        wxMouseEvent motion(wxEVT_MOTION);
        motion.SetPosition(window.middle() + wxPoint(dx, 0));
        motion.m_leftDown = true;
        window.frame(motion);
    }
    state.counters["drafting"] = window.canvas()->drafting() ? 1 : 0;
}
BENCHMARK(BM_WindowPanFiveCurves)->Args({200, 0})->Args({200, 1})->Args({131072, 0})->Unit(benchmark::kMillisecond);

// Goal: at most 16 ms a frame. The wheel zooms out and back in around the middle, a notch a frame: every frame
// samples every curve anew.
/// Notch number i of a wheel at point: eight notches out, then eight in, and so on.
wxMouseEvent wheelNotch(const wxPoint& point, int i)
{
    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.SetPosition(point);
    wheel.m_wheelDelta = 120;
    wheel.m_wheelRotation = (i / 8) % 2 == 0 ? -120 : 120;
    wheel.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
    return wheel;
}

void BM_WindowZoomFiveCurves(benchmark::State& state)
{
    PlotWindowFrames window(static_cast<int>(state.range(0)), state.range(1) != 0);
    int i = 0;
    for (auto _ : state) {
        wxMouseEvent wheel = wheelNotch(window.middle(), i++);
        window.frame(wheel);
    }
}
BENCHMARK(BM_WindowZoomFiveCurves)->Args({200, 0})->Args({200, 1})->Args({131072, 0})->Unit(benchmark::kMillisecond);

// Once the view has rested, five 131072-point curves drawn from drafts during a wheel notch are sampled in full and
// drawn: here all at once, as an export does (the window takes one curve a step).
void BM_WindowSettleFiveDenseCurves(benchmark::State& state)
{
    PlotWindowFrames window(131072, false);
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        wxMouseEvent wheel = wheelNotch(window.middle(), i++);
        window.frame(wheel);
        state.ResumeTiming();
        benchmark::DoNotOptimize(window.canvas()->renderBitmap());
    }
}
BENCHMARK(BM_WindowSettleFiveDenseCurves)->Unit(benchmark::kMillisecond);

} // namespace
