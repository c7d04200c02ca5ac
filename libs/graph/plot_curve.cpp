// SPDX-License-Identifier: MIT
#include "libs/graph/plot_curve.h"

#include <algorithm>
#include <cmath>

namespace {

// Grid indices beyond this are re-anchored at the view: far from the anchor, k × step would lose the low bits of x.
constexpr double kMaxGridIndex = 1e12;
// Two view widths this close (relative) are the same width: a pan moves both ends by one rounded amount.
constexpr double kSameWidth = 1e-9;
// An x this close to a node (in steps) is on it: the interval's end is a node whatever the division rounds to.
constexpr double kOnTheGrid = 1e-9;

/// Values of old reused where x matches exactly (both sorted by x), the others evaluated.
void fillFrom(const PlotSamples& old, const PlotFunction& f, PlotSamples& fresh) {
    size_t j = 0;
    for (size_t i = 0; i < fresh.size(); ++i) {
        const double x = fresh.x[i];
        while (j < old.size() && old.x[j] < x)
            ++j;
        fresh.y[i] = j < old.size() && old.x[j] == x ? old.y[j] : f(x);
    }
}

} // namespace

void PlotCurve::sampleDomain() {
    // The interval's own `points` samples, ends included, on the grid of a view as wide as the interval: they decide
    // the home range, and such a first view shows them without sampling more (its margins follow at the first move).
    useGrid(domain.lo, domain.span(), std::max(points, 2), true);
    sampleRange(domain, true);
    const PlotRange first = plotRobustRange(samples.y);
    breaks = first.valid() ? plotFindBreaks(function, path, first.lo, first.hi) : std::vector<size_t>();
    homeRange = plotRobustRange(samples.y, plotHasPoles(path, breaks));
}

void PlotCurve::resample(const PlotView& view, bool extend, int pointsPerWidth) {
    const int n = std::max(pointsPerWidth > 0 ? pointsPerWidth : points, 2);
    const double width = view.width();
    const PlotRange visible = extend ? PlotRange{view.xmin, view.xmax} : plotVisibleDomain(domain, view);
    if (!visible.valid() || !(width > 0.0) || !std::isfinite(width)) {
        samples = path = PlotSamples{};
        breaks.clear();
        density = n;
        return;
    }
    const bool sameGrid = n == m_gridPoints && extend == m_extended &&
                          std::fabs(width - m_gridWidth) <= kSameWidth * width;
    const bool covered = sameGrid && density == n && samples.size() >= 2 && samples.x.front() <= visible.lo &&
                         samples.x.back() >= visible.hi;
    if (!covered) {
        if (!sameGrid)
            useGrid(domain.lo, width, n, extend);
        PlotRange range{view.xmin - kPlotSampleMargin * width, view.xmax + kPlotSampleMargin * width};
        if (!extend)
            range = PlotRange{std::max(range.lo, domain.lo), std::min(range.hi, domain.hi)};
        sampleRange(range, extend);
    }
    breaks = plotFindBreaks(function, path, view.ymin, view.ymax);
}

void PlotCurve::useGrid(double anchor, double width, int pointsPerWidth, bool extend) {
    m_anchor = anchor;
    m_gridWidth = width;
    m_gridPoints = pointsPerWidth;
    m_extended = extend;
}

double PlotCurve::node(double k) const {
    // The interval's end is exactly sampled where the grid is the interval's own.
    if (k == m_gridPoints - 1 && m_anchor == domain.lo && m_gridWidth == domain.span())
        return domain.hi;
    return m_anchor + m_gridWidth * (k / (m_gridPoints - 1));
}

void PlotCurve::sampleRange(const PlotRange& range, bool extend) {
    const double step = m_gridWidth / (m_gridPoints - 1);
    PlotSamples fresh;
    if (!(step > 0.0 && std::isfinite(step))) {
        // A width of a few of the smallest doubles leaves no step between its points (it rounds to 0): the
        // range's ends alone are sampled.
        fresh.x.push_back(range.lo);
        if (range.hi > range.lo)
            fresh.x.push_back(range.hi);
    } else {
        double first = std::ceil((range.lo - m_anchor) / step - kOnTheGrid);
        double last = std::floor((range.hi - m_anchor) / step + kOnTheGrid);
        if (!(std::fabs(first) <= kMaxGridIndex && std::fabs(last) <= kMaxGridIndex)) {
            m_anchor = range.lo;
            first = 0.0;
            last = std::floor((range.hi - range.lo) / step + kOnTheGrid);
        }
        // Without extend the interval's own ends are sampled too, so the curve ends exactly there.
        const bool startsAtInterval = !extend && range.lo == domain.lo && node(first) > domain.lo;
        const bool endsAtInterval = !extend && range.hi == domain.hi && node(last) < domain.hi;
        fresh.x.reserve(static_cast<size_t>(std::max(0.0, last - first + 3)));
        if (startsAtInterval)
            fresh.x.push_back(domain.lo);
        for (double k = first; k <= last; k += 1.0)
            fresh.x.push_back(node(k));
        if (endsAtInterval)
            fresh.x.push_back(domain.hi);
    }
    fresh.y.resize(fresh.x.size());
    fillFrom(samples, function, fresh);
    samples = std::move(fresh);
    path = plotRefineEdges(function, samples);
    density = m_gridPoints;
}
