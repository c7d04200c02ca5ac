// SPDX-License-Identifier: MIT
#include "libs/graph/plot_canvas.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dcsvg.h>
#include <wx/frame.h>
#include <wx/image.h>

#include "libs/ui/accessible_name.h"

namespace {

// One wheel notch zooms by this factor.
constexpr double kWheelZoom = 0.85;
// A rectangle smaller than this many pixels is a click, not a zoom.
constexpr int kMinBox = 5;
// Keyboard steps: a tenth of the view, and a zoom factor.
constexpr double kKeyPan = 0.1;
constexpr double kKeyZoom = 0.8;
constexpr double kSvgOversampling = 10.0;
// The pointer traces a curve that passes within this many pixels of it.
constexpr double kTraceDistance = 8.0;
// A marked point is under the pointer within this many pixels; a press moving less is a click.
constexpr double kPointDistance = 6.0;
constexpr int kClickSlop = 3;
// While the view moves, a curve of more points per view width is drawn from a draft of this many (a few per pixel
// column), so that a frame stays short; once the view has rested this long it is sampled in full.
constexpr int kDraftPoints = 4096;
constexpr int kSettleMs = 150;
// The curves are sampled in full one at a time, this far apart, so that input in between is handled.
constexpr int kSettleStepMs = 10;
const char* const kHint = "Wheel: zoom  Drag: pan  Right-drag: zoom box  Home: reset";

std::unique_ptr<wxGraphicsContext> measuringContext() {
    return std::unique_ptr<wxGraphicsContext>(wxGraphicsRenderer::GetDefaultRenderer()->CreateMeasuringContext());
}

void ensurePngHandler() {
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
        wxImage::AddHandler(new wxPNGHandler);
}

} // namespace

wxBEGIN_EVENT_TABLE(PlotCanvas, wxWindow)
    EVT_PAINT(PlotCanvas::OnPaint)
    EVT_SIZE(PlotCanvas::OnSize)
    EVT_LEFT_DOWN(PlotCanvas::OnLeftDown)
    EVT_LEFT_DCLICK(PlotCanvas::OnDoubleClick)
    EVT_RIGHT_DOWN(PlotCanvas::OnRightDown)
    EVT_LEFT_UP(PlotCanvas::OnMouseUp)
    EVT_RIGHT_UP(PlotCanvas::OnMouseUp)
    EVT_MOTION(PlotCanvas::OnMotion)
    EVT_MOUSEWHEEL(PlotCanvas::OnWheel)
    EVT_LEAVE_WINDOW(PlotCanvas::OnLeave)
    EVT_MOUSE_CAPTURE_LOST(PlotCanvas::OnCaptureLost)
    EVT_KEY_DOWN(PlotCanvas::OnKeyDown)
    EVT_TIMER(wxID_ANY, PlotCanvas::OnSettle)
wxEND_EVENT_TABLE()

PlotCanvas::PlotCanvas(wxWindow* parent, wxWindowID id)
    : wxWindow(parent, id, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE), m_settle(this) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetCursor(wxCursor(wxCURSOR_CROSS));
}

PlotCanvas::~PlotCanvas() {
    // A window closed during a drag (Ctrl+W, or every plot closed from the console) gives the mouse back.
    if (HasCapture())
        ReleaseMouse();
}

void PlotCanvas::addCurve(const std::wstring& label, const PlotFunction& function, int points, double xmin,
                          double xmax) {
    PlotCurve curve;
    curve.label = label;
    curve.function = function;
    curve.points = points;
    curve.domain = PlotRange{xmin, xmax};
    curve.colour = static_cast<int>(m_curves.size());
    curve.sampleDomain();
    m_curves.push_back(std::move(curve));
    resetView();
}

void PlotCanvas::setView(const PlotView& view) {
    showView(view, false);
}

void PlotCanvas::showView(const PlotView& view, bool moving) {
    m_view = plotClampView(view, m_view);
    resampleAll(moving);
    Refresh();
    describeForScreenReaders();
}

void PlotCanvas::describeForScreenReaders() {
    wxString name = wxS("Plot of ");
    for (std::size_t i = 0; i < m_curves.size(); ++i)
        name << (i ? wxS(", ") : wxS("")) << m_curves[i].label;
    setAccessibleName(*this, name);
    setAccessibleDescription(*this, wxString::Format(wxS("x from %g to %g, y from %g to %g"), m_view.xmin,
                                                     m_view.xmax, m_view.ymin, m_view.ymax));
}

PlotView PlotCanvas::homeView() const {
    std::vector<PlotRange> xs, ys;
    for (const PlotCurve& curve : m_curves) {
        xs.push_back(curve.domain);
        ys.push_back(curve.homeRange);
    }
    return plotFitView(xs, ys);
}

void PlotCanvas::resetView() {
    setView(homeView());
}

PlotView PlotCanvas::zoomedView(double px, double py, double fx, double fy) const {
    const PlotTransform t = currentLayout().transform;
    return plotZoomAround(m_view, t.toPlaneX(px), t.toPlaneY(py), fx, fy);
}

PlotView PlotCanvas::pannedView(const PlotView& from, double dx, double dy) const {
    const PlotTransform t = currentLayout().transform;
    return plotPan(from, -dx * t.pixelWidth(), dy * t.pixelHeight());
}

void PlotCanvas::zoomAt(double px, double py, double fx, double fy) {
    setView(zoomedView(px, py, fx, fy));
}

void PlotCanvas::zoomCentre(double factor) {
    PlotRect a = plotArea();
    zoomAt(a.left + a.width / 2.0, a.top + a.height / 2.0, factor, factor);
}

void PlotCanvas::zoomToRect(const PlotRect& rect) {
    PlotTransform t = currentLayout().transform;
    PlotView v{t.toPlaneX(rect.left), t.toPlaneX(rect.right()), t.toPlaneY(rect.bottom()), t.toPlaneY(rect.top)};
    setView(v);
}

void PlotCanvas::setGridVisible(bool visible) {
    m_grid = visible;
    Refresh();
}

void PlotCanvas::setExtendCurves(bool extend) {
    m_extend = extend;
    resampleAll();
    Refresh();
}

void PlotCanvas::setPointsVisible(bool visible) {
    m_showPoints = visible;
    findPoints();
    Refresh();
}

void PlotCanvas::findPoints() {
    m_hoverPoint = -1;
    m_points = m_showPoints ? plotFindNotablePoints(m_curves, m_view) : PlotNotablePoints{};
}

int PlotCanvas::pointAt(double px, double py) const {
    const PlotTransform t = currentLayout().transform;
    int best = -1;
    double nearest = FromDIP(kPointDistance);
    for (size_t i = 0; i < m_points.points.size(); ++i) {
        const PlotNotablePoint& p = m_points.points[i];
        const double distance = std::hypot(t.toPixelX(p.x) - px, t.toPixelY(p.y) - py);
        if (distance <= nearest) {
            nearest = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

bool PlotCanvas::copyPoint(int index) const {
    if (index < 0 || index >= static_cast<int>(m_points.points.size()) || !wxTheClipboard->Open())
        return false;
    const std::string text = plotPointClipboardText(m_points.points[static_cast<size_t>(index)], m_view);
    const bool done = wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text.c_str())));
    wxTheClipboard->Close();
    auto* frame = wxDynamicCast(wxGetTopLevelParent(const_cast<PlotCanvas*>(this)), wxFrame);
    if (done && frame != nullptr && frame->GetStatusBar() != nullptr)
        frame->SetStatusText(wxString::FromUTF8(("Copied " + text).c_str()), 1);
    return done;
}

void PlotCanvas::setTitles(const wxString& title, const wxString& subtitle) {
    m_title = title;
    m_subtitle = subtitle;
    Refresh();
}

PlotScene PlotCanvas::scene(bool withMarker) const {
    PlotScene s;
    s.curves = &m_curves;
    s.view = m_view;
    s.grid = m_grid;
    s.title = m_title;
    s.subtitle = m_subtitle;
    s.markerCurve = withMarker ? m_traceCurve : -1;
    s.legendCorner = m_drag != Drag::None ? m_legendCorner : -1;
    s.markerX = m_traceX;
    s.markerY = m_traceY;
    s.points = m_showPoints ? &m_points : nullptr;
    s.hoverPoint = m_hoverPoint;
    return s;
}

PlotLayout PlotCanvas::currentLayout() const {
    auto gc = measuringContext();
    PlotGcPainter painter(*gc);
    wxSize size = GetClientSize();
    return m_renderer.layout(painter, scene(), size.x, size.y);
}

PlotRect PlotCanvas::plotArea() const {
    return currentLayout().area;
}

void PlotCanvas::resampleAll(bool moving) {
    bool draft = false;
    for (PlotCurve& curve : m_curves) {
        const bool dense = moving && curve.points > kDraftPoints;
        curve.resample(m_view, m_extend, dense ? kDraftPoints : curve.points);
        draft = draft || dense;
    }
    if (draft)
        m_settle.StartOnce(kSettleMs);
    if (m_showPoints)
        findPoints();
}

bool PlotCanvas::drafting() const {
    return std::any_of(m_curves.begin(), m_curves.end(),
                       [](const PlotCurve& curve) { return curve.density != curve.points; });
}

void PlotCanvas::finishSampling() {
    m_settle.Stop();
    if (!drafting())
        return;
    resampleAll();
    Refresh();
}

void PlotCanvas::OnSettle(wxTimerEvent&) {
    // One curve a step: a view moved again soon after it rested answers at once, and the next steps wait for rest.
    const auto drafted = std::find_if(m_curves.begin(), m_curves.end(),
                                      [](const PlotCurve& curve) { return curve.density != curve.points; });
    if (drafted == m_curves.end())
        return;
    drafted->resample(m_view, m_extend);
    if (m_showPoints)
        findPoints();
    Refresh();
    if (drafting())
        m_settle.StartOnce(kSettleStepMs);
}

std::vector<PlotPointLabel> PlotCanvas::pointLabels() const {
    auto gc = measuringContext();
    PlotGcPainter painter(*gc);
    const wxSize size = GetClientSize();
    return m_renderer.pointLabels(painter, scene(), size.x, size.y);
}

wxBitmap PlotCanvas::renderBitmap(wxSize size, double scale) {
    finishSampling();
    if (size == wxDefaultSize)
        size = GetClientSize();
    int width = std::max(1, static_cast<int>(std::lround(size.x * scale)));
    int height = std::max(1, static_cast<int>(std::lround(size.y * scale)));
    wxBitmap bitmap(width, height, 24);
    wxMemoryDC dc(bitmap);
    {
        std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(dc));
        gc->SetAntialiasMode(wxANTIALIAS_DEFAULT);
        PlotGcPainter painter(*gc);
        PlotRenderer renderer(scale);
        renderer.render(painter, scene(false), width, height);
    }
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

bool PlotCanvas::exportPng(const wxString& path, double scale) {
    ensurePngHandler();
    return renderBitmap(wxDefaultSize, scale).SaveFile(path, wxBITMAP_TYPE_PNG);
}

bool PlotCanvas::exportSvg(const wxString& path) {
    finishSampling();
    wxSize size = GetClientSize();
    wxSVGFileDC dc(path, size.x, size.y, 96.0, "DelvoCalculator Plot");
    if (!dc.IsOk())
        return false;
    // The SVG DC takes integer coordinates: drawing ten times larger under a scale of 1/10 keeps the curves smooth.
    dc.SetUserScale(1.0 / kSvgOversampling, 1.0 / kSvgOversampling);
    PlotDcPainter painter(dc, 1.0 / kSvgOversampling);
    PlotRenderer renderer(kSvgOversampling);
    renderer.render(painter, scene(false), size.x * kSvgOversampling, size.y * kSvgOversampling);
    return true;
}

bool PlotCanvas::copyToClipboard() {
    if (!wxTheClipboard->Open())
        return false;
    bool done = wxTheClipboard->SetData(new wxBitmapDataObject(renderBitmap()));
    wxTheClipboard->Close();
    return done;
}

void PlotCanvas::trackPointer(const wxPoint& at) {
    auto* frame = wxDynamicCast(wxGetTopLevelParent(this), wxFrame);
    PlotLayout layout = currentLayout();
    if (!layout.area.contains(at.x, at.y)) {
        clearPointer();
        return;
    }
    const PlotTransform& t = layout.transform;
    // The curve is evaluated at the x the status bar shows (rounded to what a pixel resolves).
    std::string px = plotFormatCoordinate(t.toPlaneX(at.x), t.pixelWidth());
    double x = t.toPlaneX(at.x);
    std::from_chars(px.data(), px.data() + px.size(), x);
    int traced = -1;
    double tracedY = 0.0, nearest = FromDIP(kTraceDistance);
    if (m_drag == Drag::None) {
        for (size_t i = 0; i < m_curves.size(); ++i) {
            const PlotCurve& curve = m_curves[i];
            if (!curve.covers(x, m_extend))
                continue;
            double y = curve.function(x);
            double distance = std::fabs(t.toPixelY(y) - at.y);
            if (std::isfinite(y) && distance <= nearest) {
                nearest = distance;
                traced = static_cast<int>(i);
                tracedY = y;
            }
        }
    }
    const int hover = m_drag == Drag::None ? pointAt(at.x, at.y) : -1;
    if (traced != m_traceCurve || hover != m_hoverPoint || (traced >= 0 && (x != m_traceX || tracedY != m_traceY)))
        Refresh();
    m_hoverPoint = hover;
    m_traceCurve = traced;
    m_traceX = x;
    m_traceY = tracedY;
    if (frame == nullptr || frame->GetStatusBar() == nullptr)
        return;
    std::string py = plotFormatCoordinate(t.toPlaneY(at.y), t.pixelHeight());
    frame->SetStatusText(wxString::FromUTF8(("x = " + px + "    y = " + py).c_str()), 0);
    if (hover >= 0) {
        const std::string label = plotPointLabel(m_points.points[static_cast<size_t>(hover)], m_view);
        frame->SetStatusText(wxString::FromUTF8((label + "   click to copy").c_str()), 1);
    } else if (traced >= 0) {
        // The curve's own value, a few digits finer than a pixel.
        std::string value = plotFormatCoordinate(tracedY, t.pixelHeight() / 1000.0);
        wxString text = wxString(m_curves[traced].label) + wxString::FromUTF8(("  =  " + value).c_str()) +
                        wxString::FromUTF8(("   at x = " + px).c_str());
        frame->SetStatusText(text, 1);
    } else {
        frame->SetStatusText(wxString(kHint), 1);
    }
}

void PlotCanvas::clearPointer() {
    if (m_traceCurve >= 0 || m_hoverPoint >= 0)
        Refresh();
    m_traceCurve = -1;
    m_hoverPoint = -1;
    auto* frame = wxDynamicCast(wxGetTopLevelParent(this), wxFrame);
    if (frame != nullptr && frame->GetStatusBar() != nullptr) {
        frame->SetStatusText(wxEmptyString, 0);
        frame->SetStatusText(wxString(kHint), 1);
    }
}

void PlotCanvas::endDrag() {
    if (HasCapture())
        ReleaseMouse();
    m_drag = Drag::None;
    SetCursor(wxCursor(wxCURSOR_CROSS));
    Refresh();
}

void PlotCanvas::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(dc));
    if (!gc)
        return;
    PlotGcPainter painter(*gc);
    PlotScene s = scene();
    if (m_drag == Drag::Box) {
        s.band = PlotRect{static_cast<double>(std::min(m_dragStart.x, m_dragNow.x)),
                          static_cast<double>(std::min(m_dragStart.y, m_dragNow.y)),
                          static_cast<double>(std::abs(m_dragNow.x - m_dragStart.x)),
                          static_cast<double>(std::abs(m_dragNow.y - m_dragStart.y))};
    }
    wxSize size = GetClientSize();
    m_legendCorner = m_renderer.render(painter, s, size.x, size.y).legendCorner;
}

void PlotCanvas::OnSize(wxSizeEvent& event) {
    Refresh();
    event.Skip();
}

void PlotCanvas::OnLeftDown(wxMouseEvent& event) {
    SetFocus();
    m_dragStart = m_dragNow = event.GetPosition();
    m_dragView = m_view;
    m_drag = event.ShiftDown() ? Drag::Box : Drag::Pan;
    if (m_drag == Drag::Pan)
        SetCursor(wxCursor(wxCURSOR_SIZING));
    if (!HasCapture())
        CaptureMouse();
}

void PlotCanvas::OnRightDown(wxMouseEvent& event) {
    SetFocus();
    m_dragStart = m_dragNow = event.GetPosition();
    m_drag = Drag::Box;
    if (!HasCapture())
        CaptureMouse();
}

void PlotCanvas::OnMouseUp(wxMouseEvent& event) {
    if (m_drag == Drag::Box) {
        wxPoint end = event.GetPosition();
        PlotRect area = plotArea();
        // The rectangle is limited to the plot area.
        double x0 = std::clamp<double>(std::min(m_dragStart.x, end.x), area.left, area.right());
        double x1 = std::clamp<double>(std::max(m_dragStart.x, end.x), area.left, area.right());
        double y0 = std::clamp<double>(std::min(m_dragStart.y, end.y), area.top, area.bottom());
        double y1 = std::clamp<double>(std::max(m_dragStart.y, end.y), area.top, area.bottom());
        m_drag = Drag::None;
        if (x1 - x0 >= kMinBox && y1 - y0 >= kMinBox)
            zoomToRect(PlotRect{x0, y0, x1 - x0, y1 - y0});
    } else if (m_drag == Drag::Pan) {
        // A press that did not move is a click: on a marked point it copies the point.
        const wxPoint end = event.GetPosition();
        if (std::abs(end.x - m_dragStart.x) <= kClickSlop && std::abs(end.y - m_dragStart.y) <= kClickSlop)
            copyPoint(pointAt(m_dragStart.x, m_dragStart.y));
    }
    endDrag();
}

void PlotCanvas::OnMotion(wxMouseEvent& event) {
    wxPoint at = event.GetPosition();
    trackPointer(at);
    if (m_drag == Drag::None || !event.Dragging())
        return;
    m_dragNow = at;
    if (m_drag == Drag::Pan)
        showView(pannedView(m_dragView, at.x - m_dragStart.x, at.y - m_dragStart.y), true);
    else
        Refresh();
}

void PlotCanvas::OnWheel(wxMouseEvent& event) {
    if (event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL || event.GetWheelDelta() == 0)
        return;
    double notches = static_cast<double>(event.GetWheelRotation()) / event.GetWheelDelta();
    double factor = std::pow(kWheelZoom, notches);
    // Shift zooms x only, Ctrl y only.
    double fx = event.ControlDown() ? 1.0 : factor;
    double fy = event.ShiftDown() ? 1.0 : factor;
    showView(zoomedView(event.GetX(), event.GetY(), fx, fy), true);
    trackPointer(event.GetPosition());
}

void PlotCanvas::OnLeave(wxMouseEvent&) {
    if (m_drag == Drag::None)
        clearPointer();
}

void PlotCanvas::OnDoubleClick(wxMouseEvent&) {
    resetView();
}

void PlotCanvas::OnCaptureLost(wxMouseCaptureLostEvent&) {
    m_drag = Drag::None;
    Refresh();
}

void PlotCanvas::OnKeyDown(wxKeyEvent& event) {
    // Keys repeat while held: their steps move the view like the wheel and a drag.
    const PlotRect a = plotArea();
    const double cx = a.left + a.width / 2.0, cy = a.top + a.height / 2.0;
    switch (event.GetKeyCode()) {
    case WXK_HOME:
        resetView();
        break;
    case '+':
    case '=':
    case WXK_NUMPAD_ADD:
        showView(zoomedView(cx, cy, kKeyZoom, kKeyZoom), true);
        break;
    case '-':
    case WXK_NUMPAD_SUBTRACT:
        showView(zoomedView(cx, cy, 1.0 / kKeyZoom, 1.0 / kKeyZoom), true);
        break;
    case WXK_LEFT:
        showView(pannedView(m_view, a.width * kKeyPan, 0.0), true);
        break;
    case WXK_RIGHT:
        showView(pannedView(m_view, -a.width * kKeyPan, 0.0), true);
        break;
    case WXK_UP:
        showView(pannedView(m_view, 0.0, a.height * kKeyPan), true);
        break;
    case WXK_DOWN:
        showView(pannedView(m_view, 0.0, -a.height * kKeyPan), true);
        break;
    case WXK_ESCAPE:
        if (m_drag != Drag::None)
            endDrag();
        break;
    default:
        event.Skip();
    }
}
