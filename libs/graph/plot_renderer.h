// SPDX-License-Identifier: MIT
// Draws a plot (frame, grid, axes through the origin, tick labels, curves, legend) with a PlotPainter.
#pragma once

#include <vector>

#include <wx/colour.h>
#include <wx/font.h>
#include <wx/string.h>

#include "libs/graph/plot_curve.h"
#include "libs/graph/plot_labels.h"
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

/// A label beside a marker: the points it names (indices into the scene's points, all at one place), its text and box.
struct PlotPointLabel {
    std::vector<size_t> points;
    wxString text;
    PlotRect box;
};

/// Where the plot area lies in a picture of a given size and how its ticks fall.
struct PlotLayout {
    PlotRect area;
    PlotTransform transform;
    PlotTicks xTicks;
    PlotTicks yTicks;
    /// The corner the legend was drawn in (-1: none drawn).
    int legendCorner = -1;
    /// The labels drawn beside the marked points (the one under the pointer aside).
    std::vector<PlotPointLabel> labels;
};

/// Lays out and draws plot pictures at a given scale (1 = 96 dpi).
class PlotRenderer {
public:
    explicit PlotRenderer(double scale = 1.0);

    /// The layout of a picture width × height without drawing it.
    PlotLayout layout(PlotPainter& painter, const PlotScene& scene, double width, double height) const;
    /// Draws the whole picture and returns its layout.
    PlotLayout render(PlotPainter& painter, const PlotScene& scene, double width, double height) const;
    /// The labels the picture width × height gives its marked points, without drawing it.
    std::vector<PlotPointLabel> pointLabels(PlotPainter& painter, const PlotScene& scene, double width,
                                            double height) const;

    /// Colour of the curve with this palette index (ten colours, repeating).
    static wxColour curveColour(int index);

private:
    /// The legend's rows and where its box goes.
    struct Legend {
        std::vector<wxString> rows;
        size_t curveRows = 0;
        double rowHeight = 0.0;
        int corner = -1;
        PlotRect box;
    };

    double dip(double v) const { return v * m_scale; }
    void drawGrid(PlotPainter& painter, const PlotLayout& layout, const PlotView& view) const;
    void drawAxes(PlotPainter& painter, const PlotLayout& layout, const PlotView& view) const;
    void drawTickLabels(PlotPainter& painter, const PlotLayout& layout, double width) const;
    /// The polylines of each curve, in the curves' order.
    std::vector<std::vector<std::vector<PlotPoint>>> curveLines(const PlotLayout& layout, const PlotScene& scene) const;
    void drawCurves(PlotPainter& painter, const PlotScene& scene,
                    const std::vector<std::vector<std::vector<PlotPoint>>>& lines) const;
    /// The legend in the corner where it covers the fewest curve points (corner -1: no legend, it does not fit).
    Legend layoutLegend(PlotPainter& painter, const PlotLayout& layout, const PlotScene& scene,
                        const std::vector<std::vector<std::vector<PlotPoint>>>& lines) const;
    void drawLegend(PlotPainter& painter, const PlotScene& scene, const Legend& legend) const;
    /// Sizes around markers and labels at this renderer's scale.
    PlotLabelGeometry labelGeometry() const;
    /// One label for each place with markers, where it has room (see plotPlaceLabels); the legend is in the way.
    std::vector<PlotPointLabel> placeLabels(PlotPainter& painter, const PlotLayout& layout, const PlotScene& scene,
                                            const Legend& legend) const;
    void drawTitle(PlotPainter& painter, const PlotScene& scene, double width) const;
    void drawMarker(PlotPainter& painter, const PlotLayout& layout, const PlotScene& scene) const;
    void drawPoints(PlotPainter& painter, const PlotLayout& layout, const PlotScene& scene) const;
    /// The labels, and the label of the point under the pointer framed (drawn beside its marker if it had none).
    void drawLabels(PlotPainter& painter, const PlotLayout& layout, const PlotScene& scene) const;

    double m_scale;
    wxFont m_labelFont;
    wxFont m_legendFont;
    wxFont m_titleFont;
};
