// SPDX-License-Identifier: MIT
// Draws a plot (frame, grid, axes through the origin, tick labels, curves, legend) with a PlotPainter.
#pragma once

#include <vector>

#include <wx/colour.h>
#include <wx/font.h>
#include <wx/string.h>

#include "libs/graph/plot_curve.h"
#include "libs/graph/plot_math.h"
#include "libs/graph/plot_painter.h"
#include "libs/graph/plot_points.h"

/// What one picture shows.
struct PlotScene {
    const std::vector<PlotCurve>* curves = nullptr;
    PlotView view;
    bool grid = true;
    wxString title;
    wxString subtitle;
    /// The zoom rectangle being dragged, in pixels (none when its width is 0).
    PlotRect band;
    /// The traced point of a curve under the pointer (curve index, -1 for none) in plane coordinates.
    int markerCurve = -1;
    double markerX = 0.0;
    double markerY = 0.0;
    /// The legend's corner (see plotChooseLegendCorner), or -1 to choose the one that hides the least.
    int legendCorner = -1;
    /// Notable points to mark (none when null) and the one under the pointer (-1 for none).
    const PlotNotablePoints* points = nullptr;
    int hoverPoint = -1;
};

/// While at most this many points are marked, each carries its label; beyond, only the one under the pointer.
constexpr size_t kPlotMaxLabels = 20;

/// Where the plot area lies in a picture of a given size and how its ticks fall.
struct PlotLayout {
    PlotRect area;
    PlotTransform transform;
    PlotTicks xTicks;
    PlotTicks yTicks;
    /// The corner the legend was drawn in (-1: none drawn).
    int legendCorner = -1;
};

/// Lays out and draws plot pictures at a given scale (1 = 96 dpi).
class PlotRenderer {
public:
    explicit PlotRenderer(double scale = 1.0);

    /// The layout of a picture width × height without drawing it.
    PlotLayout layout(PlotPainter& painter, const PlotScene& scene, double width, double height) const;
    /// Draws the whole picture and returns its layout.
    PlotLayout render(PlotPainter& painter, const PlotScene& scene, double width, double height) const;

    /// Colour of the curve with this palette index (ten colours, repeating).
    static wxColour curveColour(int index);

private:
    double dip(double v) const { return v * m_scale; }
    void drawGrid(PlotPainter& painter, const PlotLayout& layout, const PlotView& view) const;
    void drawAxes(PlotPainter& painter, const PlotLayout& layout, const PlotView& view) const;
    void drawTickLabels(PlotPainter& painter, const PlotLayout& layout, double width) const;
    std::vector<std::vector<PlotPoint>> drawCurves(PlotPainter& painter, const PlotLayout& layout,
                                                   const PlotScene& scene) const;
    /// Returns the corner used, -1 when there is no legend.
    int drawLegend(PlotPainter& painter, const PlotLayout& layout, const PlotScene& scene,
                   const std::vector<std::vector<PlotPoint>>& lines) const;
    void drawTitle(PlotPainter& painter, const PlotScene& scene, double width) const;
    void drawMarker(PlotPainter& painter, const PlotLayout& layout, const PlotScene& scene) const;
    void drawPoints(PlotPainter& painter, const PlotLayout& layout, const PlotScene& scene) const;
    /// Draws the label beside the marker where it covers nothing in taken (always when forced); adds its box.
    void drawPointLabel(PlotPainter& painter, const PlotLayout& layout, const PlotScene& scene,
                        const PlotNotablePoint& point, bool force, std::vector<PlotRect>& taken) const;

    double m_scale;
    wxFont m_labelFont;
    wxFont m_legendFont;
    wxFont m_titleFont;
};
