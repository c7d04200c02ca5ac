// SPDX-License-Identifier: MIT
// Pure logic of the plot window: ticks, sampling, breaks, view fitting.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

/// y = f(x) as the plot samples it; NaN or infinite results break the line.
using PlotFunction = std::function<double(double)>;
/// Width (or height) in pixels of a UTF-8 label.
using PlotTextWidth = std::function<double(const std::string&)>;

/// A closed interval [lo, hi].
struct PlotRange {
    double lo = 0.0;
    double hi = 0.0;
    bool valid() const;
    double span() const { return hi - lo; }
};

/// The visible part of the plane.
struct PlotView {
    double xmin = -1.0, xmax = 1.0, ymin = -1.0, ymax = 1.0;
    double width() const { return xmax - xmin; }
    double height() const { return ymax - ymin; }
};

/// A point in pixel coordinates (y grows downwards).
struct PlotPoint {
    double x = 0.0;
    double y = 0.0;
};

/// A rectangle in pixel coordinates.
struct PlotRect {
    double left = 0.0, top = 0.0, width = 0.0, height = 0.0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
    bool contains(double x, double y) const { return x >= left && x <= right() && y >= top && y <= bottom(); }
};

/// Maps plane coordinates of a view onto a pixel rectangle and back.
class PlotTransform {
public:
    PlotTransform() = default;
    PlotTransform(const PlotView& view, const PlotRect& rect);
    double toPixelX(double x) const { return m_ox + x * m_sx; }
    double toPixelY(double y) const { return m_oy - y * m_sy; }
    double toPlaneX(double px) const { return (px - m_ox) / m_sx; }
    double toPlaneY(double py) const { return (m_oy - py) / m_sy; }
    /// Plane units per pixel along x and y.
    double pixelWidth() const { return 1.0 / m_sx; }
    double pixelHeight() const { return 1.0 / m_sy; }

private:
    double m_sx = 1.0, m_ox = 0.0, m_sy = 1.0, m_oy = 0.0;
};

/// How the labels of one axis are written.
enum class PlotNotation { Fixed, Scientific };

/// Tick values of one axis and their labels (UTF-8).
struct PlotTicks {
    double step = 0.0;
    PlotNotation notation = PlotNotation::Fixed;
    std::vector<double> values;
    std::vector<std::string> labels;
};

/// The smallest step of the form 1, 2 or 5 × 10^k that is not below raw.
double plotNiceStep(double raw);
/// The next step of the 1, 2, 5 × 10^k sequence above step.
double plotNextNiceStep(double step);
/// The label of one tick value for a given step: "0", "−2.5" (U+2212), "1000000000000.2", "2×10⁻¹⁰".
std::string plotFormatTick(double value, double step, PlotNotation notation);
/// Ticks over [lo, hi] on an axis `pixels` long: at least minSpacing pixels apart and labels at least gap apart.
PlotTicks plotMakeTicks(double lo, double hi, double pixels, double minSpacing, const PlotTextWidth& extent, double gap);
/// Minor grid step for a major step: a fifth of 1 and 5 × 10^k, a quarter of 2 × 10^k.
double plotMinorStep(double majorStep);
/// A coordinate for the status bar, with as many decimals as a pixel of that size needs.
std::string plotFormatCoordinate(double value, double pixelSize);

/// Samples of one curve: x ascending, y may be NaN or infinite.
struct PlotSamples {
    std::vector<double> x;
    std::vector<double> y;
    size_t size() const { return x.size(); }
};

/// f at `points` equally spaced x from xmin to xmax (both included; at least 2 points).
PlotSamples plotSample(const PlotFunction& f, double xmin, double xmax, int points);
/// The samples with, at each passage between a non-finite and a finite value, the finite point nearest the
/// gap found by bisection inserted, so that sqrt(x) reaches 0 and ln(x) dives towards its pole.
PlotSamples plotRefineEdges(const PlotFunction& f, const PlotSamples& samples);
/// True when f jumps between (x0, y0) and (x1, y1) rather than rising steeply: bisection keeps finding the jump.
bool plotIsJump(const PlotFunction& f, double x0, double y0, double x1, double y1);
/// Indices i for which the segment from sample i to i + 1 crosses a pole or jump. Only segments that cross the
/// visible rows [ymin, ymax] and rise by more than half of them are examined.
std::vector<size_t> plotFindBreaks(const PlotFunction& f, const PlotSamples& samples, double ymin, double ymax);

/// A y range that ignores the tails of poles: the 2 %-98 % quantiles, widened to min/max when those are near.
/// For a curve known to have poles, the 5 %-95 % quantiles, so that the branches between them show their shape.
/// Invalid when no y is finite.
PlotRange plotRobustRange(const std::vector<double>& y, bool hasPoles = false);
/// True when the samples have a break or a non-finite value between finite ones (a pole inside the interval).
bool plotHasPoles(const PlotSamples& samples, const std::vector<size_t>& breaks);
/// The view that shows the x ranges and y ranges given (unions), with a margin on y; [-1, 1] when empty.
PlotView plotFitView(const std::vector<PlotRange>& xRanges, const std::vector<PlotRange>& yRanges);
/// Keeps a view within what doubles can show: width and height positive, not too small or large.
PlotView plotClampView(const PlotView& view, const PlotView& fallback);
/// The view scaled by factors fx, fy (below 1 zooms in) around the plane point (cx, cy).
PlotView plotZoomAround(const PlotView& view, double cx, double cy, double fx, double fy);
/// The view moved by dx, dy plane units.
PlotView plotPan(const PlotView& view, double dx, double dy);
/// The part [lo, hi] of domain visible in view, invalid when none.
PlotRange plotVisibleDomain(const PlotRange& domain, const PlotView& view);

/// The drawn polylines of a curve: split at non-finite samples and breaks, clipped to the band
/// [top, bottom] of pixel rows and reduced to the first, lowest, highest and last point of each pixel column.
/// Only the samples first..last (inclusive, clamped to the samples) are drawn.
std::vector<std::vector<PlotPoint>> plotBuildPolylines(const PlotSamples& samples, const std::vector<size_t>& breaks,
                                                       const PlotTransform& transform, double top, double bottom,
                                                       size_t first = 0, size_t last = static_cast<size_t>(-1));

/// Which corner of `area` (0 top right, 1 top left, 2 bottom right, 3 bottom left) a box of the size given,
/// inset from the corner, covers the fewest of the points in.
int plotChooseLegendCorner(const PlotRect& area, double boxWidth, double boxHeight,
                           const std::vector<std::vector<PlotPoint>>& lines, double inset = 10.0);
