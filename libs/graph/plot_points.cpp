// SPDX-License-Identifier: MIT
#include "libs/graph/plot_points.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>

#include "libs/math/lm_math.h"

namespace {

// Function evaluations one refinement may use.
constexpr int kRefineIterations = 200;
// Refinements tried per marker allowed, so that a curve full of poles cannot stall a redraw.
constexpr size_t kAttemptsPerMarker = 4;
// Intersections are looked for on a common grid of at most this many points.
constexpr int kMaxIntersectionGrid = 2000;
// A root whose |f| is not this much below the bracket's ends is a jump, not a zero.
constexpr double kRootDrop = 1e-6;
// Coordinates within this fraction of the view's size from 0 are written as 0 (far below a pixel; the
// minimiser places a flat turn only to about 1e-8).
constexpr double kSnapToZero = 1e-7;
// Points of one curve closer than this fraction of the view's width are the same point.
constexpr double kSamePoint = 1e-6;

/// The root finder's callback on a std::function: the parameter record carries the function.
struct FunctionParam : lmParam {
    std::function<double(double)> f;
};

double callFunction(double x, lmParam* param) {
    return static_cast<FunctionParam*>(param)->f(x);
}

FunctionParam makeParam(std::function<double(double)> f) {
    FunctionParam param;
    param.setReltol(1e-12);
    param.setMaxiter(kRefineIterations);
    param.f = std::move(f);
    return param;
}

bool finite(double v) {
    return std::isfinite(v);
}

bool signChange(double a, double b) {
    return (a < 0 && b > 0) || (a > 0 && b < 0);
}

/// A sign change of f between x0 and x1 refined to a root; false for a pole or a jump.
bool refineRoot(const std::function<double(double)>& f, double x0, double y0, double x1, double y1, double* root) {
    FunctionParam param = makeParam(f);
    const double x = lm_solveFz(callFunction, x0, x1, &param);
    if (!lm_solveSucceeded(&param) || !finite(x))
        return false;
    const double fx = f(x);
    if (!(std::fabs(fx) <= kRootDrop * std::max(std::fabs(y0), std::fabs(y1))))
        return false;
    *root = x;
    return true;
}

/// The turn of f around samples i - 1, i, i + 1 refined to an extremum; false for a pole or a boundary.
bool refineExtremum(const PlotFunction& f, const PlotSamples& s, size_t i, bool maximum, double* xOut, double* yOut) {
    const double sign = maximum ? -1.0 : 1.0;
    FunctionParam param = makeParam([&f, sign](double x) { return sign * f(x); });
    double fmin = 0.0;
    const double a = s.x[i - 1], b = s.x[i + 1];
    const double x = lm_minimizeFx(callFunction, a, b, &param, &fmin);
    const double y = sign * fmin;
    if (!finite(x) || !finite(y) || !(x > a && x < b))
        return false;
    // A smooth turn stays near the sampled one; a pole between the samples runs away from it.
    const double rise = std::max(std::fabs(s.y[i] - s.y[i - 1]), std::fabs(s.y[i] - s.y[i + 1]));
    if (std::fabs(y - s.y[i]) > 4.0 * rise + 1e-12 * std::fabs(s.y[i]))
        return false;
    // A step between the samples is no turn. Only the steep side can hide one: on the flat side of a turn the
    // function dips between nearly equal samples, which the jump test would take for a step.
    auto jumps = [&](size_t k) {
        return std::fabs(s.y[k] - s.y[k + 1]) >= 0.5 * rise && plotIsJump(f, s.x[k], s.y[k], s.x[k + 1], s.y[k + 1]);
    };
    if (jumps(i - 1) || jumps(i))
        return false;
    *xOut = x;
    *yOut = y;
    return true;
}

/// A place to refine: a sign change between samples i and i + 1, an exact zero at i, or a turn at i.
struct Candidate {
    PlotPointKind kind;
    int curve;
    int other;
    size_t index;
    bool exact;
};

/// The samples of the difference of two curves over the part of the view both cover.
PlotSamples differenceSamples(const PlotCurve& a, const PlotCurve& b, const PlotView& view) {
    PlotSamples d;
    if (a.samples.size() < 2 || b.samples.size() < 2)
        return d;
    const double lo = std::max({a.samples.x.front(), b.samples.x.front(), view.xmin});
    const double hi = std::min({a.samples.x.back(), b.samples.x.back(), view.xmax});
    if (!(lo < hi))
        return d;
    const int n = std::clamp(std::max(a.points, b.points), 2, kMaxIntersectionGrid);
    const PlotFunction fa = a.function, fb = b.function;
    return plotSample([&fa, &fb](double x) { return fa(x) - fb(x); }, lo, hi, n);
}

/// True when the samples from..to reach into the view's x range (the samples run on into a margin beyond it).
bool reachesView(const PlotSamples& s, size_t from, size_t to, const PlotView& view) {
    return s.x[to] >= view.xmin && s.x[from] <= view.xmax;
}

/// Sign changes and exact zeros of samples in view (runs of zeros, as of coinciding curves, give none).
void collectZeros(const PlotSamples& s, const PlotView& view, PlotPointKind kind, int curve, int other,
                  std::vector<Candidate>& out) {
    const size_t n = s.size();
    for (size_t i = 0; i < n; ++i) {
        if (!reachesView(s, i, std::min(i + 1, n - 1), view))
            continue;
        const double y = s.y[i];
        if (y == 0.0) {
            const bool run = (i > 0 && s.y[i - 1] == 0.0) || (i + 1 < n && s.y[i + 1] == 0.0);
            if (!run)
                out.push_back(Candidate{kind, curve, other, i, true});
        } else if (i + 1 < n && finite(y) && finite(s.y[i + 1]) && signChange(y, s.y[i + 1])) {
            out.push_back(Candidate{kind, curve, other, i, false});
        }
    }
}

/// Turns of the samples in view: a rise then a fall (maximum) or a fall then a rise (minimum); a plateau counts once.
void collectExtrema(const PlotSamples& s, const PlotView& view, int curve, std::vector<Candidate>& out) {
    for (size_t i = 1; i + 1 < s.size(); ++i) {
        if (!reachesView(s, i - 1, i + 1, view))
            continue;
        const double y0 = s.y[i - 1], y1 = s.y[i], y2 = s.y[i + 1];
        if (!finite(y0) || !finite(y1) || !finite(y2))
            continue;
        if (y0 < y1 && y1 >= y2)
            out.push_back(Candidate{PlotPointKind::Maximum, curve, -1, i, false});
        else if (y0 > y1 && y1 <= y2)
            out.push_back(Candidate{PlotPointKind::Minimum, curve, -1, i, false});
    }
}

bool inView(const PlotView& view, double x, double y) {
    return x >= view.xmin && x <= view.xmax && y >= view.ymin && y <= view.ymax;
}

/// An extremum on the axis and a zero of the same curve at the same place are one point.
void mergeTouchingZeros(std::vector<PlotNotablePoint>& points, const PlotView& view) {
    const double near = kSamePoint * view.width();
    for (PlotNotablePoint& p : points) {
        if ((p.kind == PlotPointKind::Minimum || p.kind == PlotPointKind::Maximum) &&
            std::fabs(p.y) <= kSnapToZero * view.height())
            p.touchesZero = true;
    }
    auto duplicate = [&](const PlotNotablePoint& zero) {
        if (zero.kind != PlotPointKind::Zero)
            return false;
        return std::any_of(points.begin(), points.end(), [&](const PlotNotablePoint& p) {
            return p.touchesZero && p.curve == zero.curve && std::fabs(p.x - zero.x) <= near;
        });
    };
    points.erase(std::remove_if(points.begin(), points.end(), duplicate), points.end());
}

std::string number(double value, double scale, int digits) {
    if (std::fabs(value) <= kSnapToZero * scale)
        value = 0.0;
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return std::string(buffer, result.ptr);
}

} // namespace

PlotNotablePoints plotFindNotablePoints(const std::vector<PlotCurve>& curves, const PlotView& view, size_t limit) {
    std::vector<Candidate> candidates;
    std::vector<PlotSamples> differences;
    for (size_t c = 0; c < curves.size(); ++c)
        collectZeros(curves[c].samples, view, PlotPointKind::Zero, static_cast<int>(c), -1, candidates);
    for (size_t c = 0; c < curves.size(); ++c)
        collectExtrema(curves[c].samples, view, static_cast<int>(c), candidates);
    for (size_t a = 0; a < curves.size(); ++a) {
        for (size_t b = a + 1; b < curves.size(); ++b) {
            differences.push_back(differenceSamples(curves[a], curves[b], view));
            collectZeros(differences.back(), view, PlotPointKind::Intersection, static_cast<int>(a), static_cast<int>(b),
                         candidates);
        }
    }
    // The difference samples of a pair, by the pair's indices (the order they were made in).
    auto differenceOf = [&](int a, int b) -> const PlotSamples& {
        size_t k = 0;
        for (int i = 0; i < a; ++i)
            k += curves.size() - 1 - static_cast<size_t>(i);
        return differences[k + static_cast<size_t>(b - a - 1)];
    };

    PlotNotablePoints found;
    size_t attempts = 0, next = 0;
    for (; next < candidates.size() && found.points.size() < limit && attempts < limit * kAttemptsPerMarker; ++next) {
        const Candidate& k = candidates[next];
        const PlotCurve& curve = curves[static_cast<size_t>(k.curve)];
        ++attempts;
        PlotNotablePoint p{k.kind, 0.0, 0.0, k.curve, k.other, false};
        bool ok = false;
        if (k.kind == PlotPointKind::Minimum || k.kind == PlotPointKind::Maximum) {
            ok = refineExtremum(curve.function, curve.samples, k.index, k.kind == PlotPointKind::Maximum, &p.x, &p.y);
        } else {
            const PlotSamples& s = k.kind == PlotPointKind::Zero ? curve.samples : differenceOf(k.curve, k.other);
            std::function<double(double)> f = curve.function;
            if (k.kind == PlotPointKind::Intersection) {
                const PlotFunction g = curves[static_cast<size_t>(k.other)].function;
                f = [fa = curve.function, g](double x) { return fa(x) - g(x); };
            }
            p.x = s.x[k.index];
            ok = k.exact || refineRoot(f, s.x[k.index], s.y[k.index], s.x[k.index + 1], s.y[k.index + 1], &p.x);
            p.y = k.kind == PlotPointKind::Zero ? 0.0 : curve.function(p.x);
        }
        if (ok && inView(view, p.x, p.y))
            found.points.push_back(p);
    }
    found.more = candidates.size() - next;
    mergeTouchingZeros(found.points, view);
    return found;
}

std::string plotPointLabel(const PlotNotablePoint& point, const PlotView& view) {
    return "(" + number(point.x, view.width(), 6) + ", " + number(point.y, view.height(), 6) + ")";
}

std::string plotPointClipboardText(const PlotNotablePoint& point, const PlotView& view) {
    return number(point.x, view.width(), 15) + "; " + number(point.y, view.height(), 15);
}
