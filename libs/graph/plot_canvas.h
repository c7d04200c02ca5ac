// SPDX-License-Identifier: MIT
// The drawing area of a plot window: curves, view, mouse and keyboard navigation, export.
#pragma once

#include <string>
#include <vector>

#include <wx/bitmap.h>
#include <wx/timer.h>
#include <wx/window.h>

#include "libs/graph/plot_curve.h"
#include "libs/graph/plot_points.h"
#include "libs/graph/plot_renderer.h"

/// Shows curves in a view the user zooms and pans; re-samples the visible range after every change.
class PlotCanvas : public wxWindow {
public:
    PlotCanvas(wxWindow* parent, wxWindowID id = wxID_ANY);
    ~PlotCanvas() override;

    /// Adds y = f(x) over [xmin, xmax] at `points` points and fits the view to all curves.
    void addCurve(const std::wstring& label, const PlotFunction& function, int points, double xmin, double xmax);
    /// The curves in the order added.
    const std::vector<PlotCurve>& curves() const { return m_curves; }

    /// The visible part of the plane.
    const PlotView& view() const { return m_view; }
    /// The curve traced under the pointer (-1 for none).
    int tracedCurve() const { return m_traceCurve; }
    /// Shows view (clamped to what doubles can show) and re-samples the curves for it.
    void setView(const PlotView& view);
    /// The view that fits all curves' intervals and robust y ranges: the first view, which Home restores.
    PlotView homeView() const;
    /// Shows homeView() (Home key, toolbar, double click).
    void resetView();
    /// Zooms by factor (below 1 in) around the pixel (px, py); fx, fy per axis.
    void zoomAt(double px, double py, double fx, double fy);
    /// Zooms around the middle of the plot area.
    void zoomCentre(double factor);
    /// Shows the pixel rectangle given.
    void zoomToRect(const PlotRect& rect);

    /// Shows or hides the grid lines.
    void setGridVisible(bool visible);
    bool gridVisible() const { return m_grid; }
    /// Draws the curves over the whole view (the default) or only over their intervals.
    void setExtendCurves(bool extend);
    bool extendCurves() const { return m_extend; }
    /// Marks the curves' zeros, extrema and intersections in view (recomputed after every change of view).
    void setPointsVisible(bool visible);
    bool pointsVisible() const { return m_showPoints; }
    /// The points marked (empty while they are hidden).
    const PlotNotablePoints& notablePoints() const { return m_points; }
    /// The marked point within a few pixels of (px, py), -1 for none.
    int pointAt(double px, double py) const;
    /// Puts "x; y" of a marked point on the clipboard; false when there is no such point.
    bool copyPoint(int index) const;
    /// The labels beside the marked points as the canvas draws them now (the one under the pointer aside).
    std::vector<PlotPointLabel> pointLabels() const;
    /// True while a curve is drawn from a draft, to be sampled in full once the view rests.
    bool drafting() const;
    /// Title and subtitle drawn above the plot (none when empty).
    void setTitles(const wxString& title, const wxString& subtitle);

    /// The plot area (inside the axes frame) at the canvas's current size.
    PlotRect plotArea() const;
    /// The picture at the canvas's size (or the size given) times scale, as a bitmap. Like the exports, it shows
    /// the view with every curve sampled in full.
    wxBitmap renderBitmap(wxSize size = wxDefaultSize, double scale = 1.0);
    /// Writes the picture as a PNG file, scale times the canvas's size; false when it cannot be written.
    bool exportPng(const wxString& path, double scale = 1.0);
    /// Writes the picture as an SVG drawing; false when the file cannot be created.
    bool exportSvg(const wxString& path);
    /// Puts the picture on the clipboard as a bitmap.
    bool copyToClipboard();
    /// Forgets the pointer: no traced curve, the status bar shows the mouse hint.
    void clearPointer();

private:
    /// What the canvas shows; exports leave out the traced point.
    PlotScene scene(bool withMarker = true) const;
    PlotLayout currentLayout() const;
    /// Shows view; while it moves (wheel, drag, keys) dense curves are drawn from a draft until it rests.
    void showView(const PlotView& view, bool moving);
    /// The view zoomed by fx, fy around the pixel (px, py), and the view moved by dx, dy pixels.
    PlotView zoomedView(double px, double py, double fx, double fy) const;
    PlotView pannedView(const PlotView& from, double dx, double dy) const;
    void resampleAll(bool moving = false);
    /// Samples in full the curves drawn from a draft.
    void finishSampling();
    /// The name screen readers announce ("Plot of sin(x), cos(x)") and the ranges in view as its description.
    void describeForScreenReaders();
    void findPoints();
    /// Shows the coordinates under the pointer and traces the curve passing nearest to it.
    void trackPointer(const wxPoint& at);
    void endDrag();

    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnDoubleClick(wxMouseEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnMouseUp(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnLeave(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnSettle(wxTimerEvent& event);

    enum class Drag { None, Pan, Box };

    std::vector<PlotCurve> m_curves;
    PlotView m_view;
    bool m_grid = true;
    bool m_extend = true;
    // Runs from a view change that left a draft until the view has rested.
    wxTimer m_settle;
    wxString m_title;
    wxString m_subtitle;
    PlotRenderer m_renderer;
    Drag m_drag = Drag::None;
    wxPoint m_dragStart;
    wxPoint m_dragNow;
    PlotView m_dragView;
    // The legend stays in its corner while the user drags.
    int m_legendCorner = -1;
    bool m_showPoints = false;
    PlotNotablePoints m_points;
    int m_hoverPoint = -1;
    int m_traceCurve = -1;
    double m_traceX = 0.0;
    double m_traceY = 0.0;

    wxDECLARE_EVENT_TABLE();
};
