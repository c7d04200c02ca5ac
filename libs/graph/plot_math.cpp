// SPDX-License-Identifier: MIT
// Pure logic of the plot window: ticks, sampling, breaks at poles, robust view fitting, polyline building.
#include "libs/graph/plot_math.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Views narrower than this many ulps of their centre cannot place distinct pixels.
constexpr double kMinRelativeWidth = 1e-13;
constexpr double kMinWidth = 1e-280;
constexpr double kMaxWidth = 1e280;
// The share of the samples that counts as the tail of a pole on each side, without and with known poles.
constexpr double kTailQuantile = 0.02;
constexpr double kPoleTailQuantile = 0.05;
// Margin above and below the fitted y range, as a part of it.
constexpr double kYMargin = 0.06;

std::string toChars(double value, std::chars_format format, int precision) {
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    return std::string(buffer, result.ptr);
}

std::string shortest(double value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

size_t codePoints(const std::string& text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string superscript(int exponent) {
    static const char* const kDigits[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string digits = std::to_string(std::abs(exponent));
    std::string out = exponent < 0 ? "⁻" : "";
    for (char c : digits)
        out += kDigits[c - '0'];
    return out;
}

// Decimal exponent of a step of the 1, 2, 5 sequence (robust against 0.1 being 0.09999...).
int stepExponent(double step) {
    return static_cast<int>(std::floor(std::log10(step) + 1e-9));
}

std::string trimZeros(std::string text) {
    if (text.find('.') == std::string::npos)
        return text;
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

std::string scientificLabel(double value, double step) {
    int valueExponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    int precision = std::max(0, valueExponent - stepExponent(step));
    std::string text = toChars(value, std::chars_format::scientific, precision);
    size_t e = text.find('e');
    std::string mantissa = trimZeros(text.substr(0, e));
    int exponent = std::stoi(text.substr(e + 1));
    return mantissa + "×10" + superscript(exponent);
}

std::string fixedLabel(double value, double step) {
    int decimals = std::max(0, -stepExponent(step));
    std::string text = toChars(value, std::chars_format::fixed, decimals);
    if (text.find_first_not_of("-0.") == std::string::npos)
        return "0";
    return text;
}

PlotNotation chooseNotation(double maxAbs, double step) {
    if (maxAbs < 1e6 && step >= 1e-4)
        return PlotNotation::Fixed;
    if (maxAbs == 0.0)
        return PlotNotation::Fixed;
    return codePoints(fixedLabel(maxAbs, step)) <= codePoints(scientificLabel(maxAbs, step)) ? PlotNotation::Fixed
                                                                                            : PlotNotation::Scientific;
}

bool fillTicks(PlotTicks& ticks, double lo, double hi, double step) {
    // A tick on an end of the range stays when the quotient lands a rounding error short of a whole number
    // (powers of ten below 1e-22 are not exact, and some C runtimes round pow differently).
    constexpr double kWholeTolerance = 1e-9;
    double kmin = std::ceil(lo / step - kWholeTolerance);
    double kmax = std::floor(hi / step + kWholeTolerance);
    if (kmax - kmin > 10000)
        return false;
    ticks.step = step;
    ticks.values.clear();
    ticks.labels.clear();
    double maxAbs = 0.0;
    for (double k = kmin; k <= kmax; k += 1.0) {
        double v = k * step;
        if (std::fabs(v) < step * 1e-9)
            v = 0.0;
        ticks.values.push_back(v);
        maxAbs = std::max(maxAbs, std::fabs(v));
    }
    ticks.notation = chooseNotation(maxAbs, step);
    for (double v : ticks.values)
        ticks.labels.push_back(plotFormatTick(v, step, ticks.notation));
    return true;
}

PlotPoint crossing(const PlotPoint& a, const PlotPoint& b, double rowY) {
    double t = (rowY - a.y) / (b.y - a.y);
    return {a.x + t * (b.x - a.x), rowY};
}

// Builds one polyline, keeping of the points that fall into one pixel column only the first, the lowest, the
// highest and the last: the drawing is the same, and a curve of 131072 points costs a few per column.
class ColumnLine {
public:
    void add(const PlotPoint& p) {
        double column = std::floor(p.x);
        if (m_count > 0 && column == m_column) {
            if (p.y < m_low.y) {
                m_low = p;
                m_lowOrder = m_count;
            }
            if (p.y > m_high.y) {
                m_high = p;
                m_highOrder = m_count;
            }
            m_last = p;
            ++m_count;
            return;
        }
        emitColumn();
        m_column = column;
        m_first = m_low = m_high = m_last = p;
        m_lowOrder = m_highOrder = 0;
        m_count = 1;
    }

    /// Ends the polyline; one with at least two points goes to lines.
    void flush(std::vector<std::vector<PlotPoint>>& lines) {
        emitColumn();
        if (m_points.size() >= 2)
            lines.push_back(std::move(m_points));
        m_points.clear();
    }

private:
    void emitColumn() {
        if (m_count == 0)
            return;
        m_points.push_back(m_first);
        if (m_count > 1) {
            // The extremes in the order they came, each once; the first and the last are kept anyway.
            size_t last = m_count - 1;
            const PlotPoint* a = m_lowOrder <= m_highOrder ? &m_low : &m_high;
            const PlotPoint* b = m_lowOrder <= m_highOrder ? &m_high : &m_low;
            size_t aOrder = std::min(m_lowOrder, m_highOrder), bOrder = std::max(m_lowOrder, m_highOrder);
            if (aOrder != 0 && aOrder != last)
                m_points.push_back(*a);
            if (bOrder != 0 && bOrder != last && bOrder != aOrder)
                m_points.push_back(*b);
            m_points.push_back(m_last);
        }
        m_count = 0;
    }

    std::vector<PlotPoint> m_points;
    double m_column = 0.0;
    PlotPoint m_first, m_low, m_high, m_last;
    size_t m_lowOrder = 0, m_highOrder = 0, m_count = 0;
};

} // namespace

bool PlotRange::valid() const {
    return std::isfinite(lo) && std::isfinite(hi) && lo <= hi;
}

PlotTransform::PlotTransform(const PlotView& view, const PlotRect& rect) {
    m_sx = rect.width / view.width();
    m_ox = rect.left - view.xmin * m_sx;
    m_sy = rect.height / view.height();
    m_oy = rect.top + view.ymax * m_sy;
}

double plotNiceStep(double raw) {
    if (!(raw > 0.0) || !std::isfinite(raw))
        return 1.0;
    double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * power >= raw * (1.0 - 1e-12))
            return m * power;
    }
    return 10.0 * power;
}

double plotNextNiceStep(double step) {
    return plotNiceStep(step * 1.5);
}

double plotMinorStep(double majorStep) {
    double mantissa = majorStep / std::pow(10.0, stepExponent(majorStep));
    return std::fabs(mantissa - 2.0) < 0.5 ? majorStep / 4.0 : majorStep / 5.0;
}

std::string plotFormatTick(double value, double step, PlotNotation notation) {
    if (!std::isfinite(value))
        return shortest(value);
    if (!(step > 0.0) || !std::isfinite(step))
        return shortest(value);
    if (std::fabs(value) < step * 1e-9)
        return "0";
    std::string label = notation == PlotNotation::Fixed ? fixedLabel(value, step) : scientificLabel(value, step);
    // The typographic minus sign, as wide as the plus, not the hyphen.
    if (!label.empty() && label[0] == '-')
        label.replace(0, 1, "−");
    return label;
}

PlotTicks plotMakeTicks(double lo, double hi, double pixels, double minSpacing, const PlotTextWidth& extent,
                        double gap) {
    PlotTicks ticks;
    if (!std::isfinite(lo) || !std::isfinite(hi))
        return ticks;
    if (hi < lo)
        std::swap(lo, hi);
    double span = hi - lo;
    if (!(span > 0.0) || !std::isfinite(span) || !(pixels > 0.0)) {
        ticks.values.push_back(lo);
        ticks.labels.push_back(shortest(lo));
        return ticks;
    }
    int maxCount = std::max(1, static_cast<int>(pixels / std::max(minSpacing, 1.0)));
    double step = plotNiceStep(span / maxCount);
    double magnitude = std::max(std::fabs(lo), std::fabs(hi));
    for (int attempt = 0; attempt < 64; ++attempt, step = plotNextNiceStep(step)) {
        // Ticks closer than a few ulps of their values would print the same label twice.
        if (step < magnitude * 4e-15 || !fillTicks(ticks, lo, hi, step))
            continue;
        double widest = 0.0;
        for (const std::string& label : ticks.labels)
            widest = std::max(widest, extent(label));
        double pixelStep = step * pixels / span;
        if (pixelStep >= widest + gap || ticks.values.size() <= 1)
            return ticks;
    }
    return ticks;
}

std::string plotFormatCoordinate(double value, double pixelSize) {
    if (!std::isfinite(value) || !(pixelSize > 0.0))
        return shortest(value);
    int decimals = static_cast<int>(std::ceil(-std::log10(pixelSize)));
    std::string text;
    if (std::fabs(value) < 1e9 && decimals <= 12) {
        text = toChars(value, std::chars_format::fixed, std::max(0, decimals));
    } else {
        double digits = std::ceil(std::log10(std::max(std::fabs(value), pixelSize) / pixelSize));
        text = toChars(value, std::chars_format::scientific, static_cast<int>(std::clamp(digits, 1.0, 16.0)));
    }
    if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

PlotSamples plotSample(const PlotFunction& f, double xmin, double xmax, int points) {
    PlotSamples samples;
    size_t n = static_cast<size_t>(std::max(points, 2));
    samples.x.resize(n);
    samples.y.resize(n);
    double span = xmax - xmin;
    double last = static_cast<double>(n - 1);
    for (size_t i = 0; i < n; ++i) {
        double x = i + 1 == n ? xmax : xmin + span * (static_cast<double>(i) / last);
        samples.x[i] = x;
        samples.y[i] = f(x);
    }
    return samples;
}

PlotSamples plotRefineEdges(const PlotFunction& f, const PlotSamples& samples) {
    // At most this many edges are refined (a function defined only at scattered points has no edges worth it).
    constexpr int kMaxEdges = 1000;
    PlotSamples out;
    out.x.reserve(samples.size() + 8);
    out.y.reserve(samples.size() + 8);
    int edges = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        out.x.push_back(samples.x[i]);
        out.y.push_back(samples.y[i]);
        if (i + 1 == samples.size() || std::isfinite(samples.y[i]) == std::isfinite(samples.y[i + 1]) ||
            ++edges > kMaxEdges)
            continue;
        // Bisect towards the gap, keeping the finite end.
        bool leftFinite = std::isfinite(samples.y[i]);
        double finiteX = leftFinite ? samples.x[i] : samples.x[i + 1];
        double gapX = leftFinite ? samples.x[i + 1] : samples.x[i];
        double finiteY = leftFinite ? samples.y[i] : samples.y[i + 1];
        for (int k = 0; k < 60; ++k) {
            double m = finiteX + (gapX - finiteX) / 2.0;
            if (m == finiteX || m == gapX)
                break;
            double fm = f(m);
            if (std::isfinite(fm)) {
                finiteX = m;
                finiteY = fm;
            } else {
                gapX = m;
            }
        }
        if (finiteX != samples.x[i] && finiteX != samples.x[i + 1]) {
            out.x.push_back(finiteX);
            out.y.push_back(finiteY);
        }
    }
    return out;
}

bool plotIsJump(const PlotFunction& f, double x0, double y0, double x1, double y1) {
    double a = x0, fa = y0, b = x1, fb = y1;
    double jump = std::fabs(y1 - y0);
    // A continuous function's jump halves with each bisection; a pole's or a step's stays or grows.
    for (int i = 0; i < 24; ++i) {
        double m = a + (b - a) / 2.0;
        if (!(m > a && m < b))
            break;
        double fm = f(m);
        if (!std::isfinite(fm))
            return true;
        if (std::fabs(fm - fa) >= std::fabs(fb - fm)) {
            b = m;
            fb = fm;
        } else {
            a = m;
            fa = fm;
        }
    }
    return std::fabs(fb - fa) > 0.5 * jump;
}

std::vector<size_t> plotFindBreaks(const PlotFunction& f, const PlotSamples& samples, double ymin, double ymax) {
    std::vector<size_t> breaks;
    double threshold = 0.5 * (ymax - ymin);
    if (!(threshold > 0.0) || !std::isfinite(threshold))
        return breaks;
    for (size_t i = 0; i + 1 < samples.size(); ++i) {
        double y0 = samples.y[i], y1 = samples.y[i + 1];
        if (!std::isfinite(y0) || !std::isfinite(y1) || !(std::fabs(y1 - y0) > threshold))
            continue;
        // Only segments that cross the visible rows matter.
        if (std::min(y0, y1) > ymax || std::max(y0, y1) < ymin)
            continue;
        if (plotIsJump(f, samples.x[i], y0, samples.x[i + 1], y1))
            breaks.push_back(i);
    }
    return breaks;
}

PlotRange plotRobustRange(const std::vector<double>& y, bool hasPoles) {
    std::vector<double> v;
    v.reserve(y.size());
    for (double value : y) {
        if (std::isfinite(value))
            v.push_back(value);
    }
    if (v.empty())
        return {kNaN, kNaN};
    auto [mnIt, mxIt] = std::minmax_element(v.begin(), v.end());
    double mn = *mnIt, mx = *mxIt;
    auto quantile = [&v](double p) {
        auto k = v.begin() + static_cast<std::ptrdiff_t>(std::floor(p * static_cast<double>(v.size() - 1)));
        std::nth_element(v.begin(), k, v.end());
        return *k;
    };
    double tail = hasPoles ? kPoleTailQuantile : kTailQuantile;
    double qlo = quantile(tail);
    double qhi = quantile(1.0 - tail);
    double spread = qhi - qlo;
    if (hasPoles)
        return {qlo, qhi};
    // Extremes near the bulk belong to the curve (a peak); far ones are the tails of poles.
    PlotRange range;
    range.lo = mn >= qlo - spread ? mn : qlo;
    range.hi = mx <= qhi + spread ? mx : qhi;
    return range;
}

bool plotHasPoles(const PlotSamples& samples, const std::vector<size_t>& breaks) {
    if (!breaks.empty())
        return true;
    bool seenFinite = false, gap = false;
    for (double y : samples.y) {
        if (std::isfinite(y)) {
            if (gap && seenFinite)
                return true;
            seenFinite = true;
            gap = false;
        } else {
            gap = true;
        }
    }
    return false;
}

PlotView plotFitView(const std::vector<PlotRange>& xRanges, const std::vector<PlotRange>& yRanges) {
    auto unite = [](const std::vector<PlotRange>& ranges) {
        PlotRange all{kNaN, kNaN};
        for (const PlotRange& r : ranges) {
            if (!r.valid())
                continue;
            all.lo = all.valid() ? std::min(all.lo, r.lo) : r.lo;
            all.hi = all.valid() ? std::max(all.hi, r.hi) : r.hi;
        }
        if (!all.valid())
            return PlotRange{-1.0, 1.0};
        if (all.lo == all.hi) {
            double d = all.lo == 0.0 ? 1.0 : std::fabs(all.lo) * 0.1;
            return PlotRange{all.lo - d, all.hi + d};
        }
        return all;
    };
    PlotRange x = unite(xRanges);
    PlotRange y = unite(yRanges);
    // A range that nearly reaches 0 shows the axis.
    if (y.lo > 0.0 && y.lo < 0.2 * y.hi)
        y.lo = 0.0;
    if (y.hi < 0.0 && y.hi > 0.2 * y.lo)
        y.hi = 0.0;
    double margin = kYMargin * y.span();
    PlotView view{x.lo, x.hi, y.lo - margin, y.hi + margin};
    return plotClampView(view, PlotView{});
}

PlotView plotClampView(const PlotView& view, const PlotView& fallback) {
    auto clampAxis = [](double& lo, double& hi) {
        if (!std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(hi - lo) || !(hi > lo))
            return false;
        double centre = lo / 2.0 + hi / 2.0;
        double minWidth = std::max(kMinWidth, std::fabs(centre) * kMinRelativeWidth);
        double width = hi - lo;
        if (width < minWidth || width > kMaxWidth || std::fabs(centre) > kMaxWidth) {
            width = std::clamp(width, minWidth, kMaxWidth);
            centre = std::clamp(centre, -kMaxWidth, kMaxWidth);
            lo = centre - width / 2.0;
            hi = centre + width / 2.0;
        }
        return true;
    };
    PlotView v = view;
    if (!clampAxis(v.xmin, v.xmax) || !clampAxis(v.ymin, v.ymax))
        return fallback;
    return v;
}

PlotView plotZoomAround(const PlotView& view, double cx, double cy, double fx, double fy) {
    PlotView v;
    v.xmin = cx + (view.xmin - cx) * fx;
    v.xmax = cx + (view.xmax - cx) * fx;
    v.ymin = cy + (view.ymin - cy) * fy;
    v.ymax = cy + (view.ymax - cy) * fy;
    return plotClampView(v, view);
}

PlotView plotPan(const PlotView& view, double dx, double dy) {
    PlotView v{view.xmin + dx, view.xmax + dx, view.ymin + dy, view.ymax + dy};
    return plotClampView(v, view);
}

PlotRange plotVisibleDomain(const PlotRange& domain, const PlotView& view) {
    PlotRange r{std::max(domain.lo, view.xmin), std::min(domain.hi, view.xmax)};
    if (!r.valid() || !(r.lo < r.hi))
        return {kNaN, kNaN};
    return r;
}

std::vector<std::vector<PlotPoint>> plotBuildPolylines(const PlotSamples& samples, const std::vector<size_t>& breaks,
                                                       const PlotTransform& transform, double top, double bottom,
                                                       size_t first, size_t last) {
    std::vector<std::vector<PlotPoint>> lines;
    ColumnLine line;
    auto inside = [top, bottom](const PlotPoint& p) { return p.y >= top && p.y <= bottom; };
    size_t nextBreak = 0;
    bool havePrevious = false;
    PlotPoint previous;
    const size_t end = samples.size() == 0 ? 0 : std::min(last, samples.size() - 1) + 1;
    for (size_t i = first; i < end; ++i) {
        PlotPoint p{transform.toPixelX(samples.x[i]), transform.toPixelY(samples.y[i])};
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
            line.flush(lines);
            havePrevious = false;
            continue;
        }
        bool cut = false;
        while (nextBreak < breaks.size() && breaks[nextBreak] < i) {
            cut = breaks[nextBreak] + 1 == i;
            ++nextBreak;
        }
        if (!havePrevious || cut) {
            line.flush(lines);
            if (inside(p))
                line.add(p);
        } else if (inside(previous) && inside(p)) {
            line.add(p);
        } else if (inside(previous)) {
            line.add(crossing(previous, p, p.y < top ? top : bottom));
            line.flush(lines);
        } else if (inside(p)) {
            line.add(crossing(previous, p, previous.y < top ? top : bottom));
            line.add(p);
        } else if ((previous.y < top) != (p.y < top)) {
            // Both outside on opposite sides: the segment crosses the whole band.
            line.add(crossing(previous, p, previous.y < top ? top : bottom));
            line.add(crossing(previous, p, p.y < top ? top : bottom));
            line.flush(lines);
        }
        previous = p;
        havePrevious = true;
    }
    line.flush(lines);
    return lines;
}

int plotChooseLegendCorner(const PlotRect& area, double boxWidth, double boxHeight,
                           const std::vector<std::vector<PlotPoint>>& lines, double inset) {
    int best = 0;
    size_t bestCount = std::numeric_limits<size_t>::max();
    for (int corner = 0; corner < 4; ++corner) {
        PlotRect box;
        box.width = boxWidth;
        box.height = boxHeight;
        box.left = (corner % 2 == 0) ? area.right() - inset - boxWidth : area.left + inset;
        box.top = corner < 2 ? area.top + inset : area.bottom() - inset - boxHeight;
        size_t count = 0;
        for (const auto& line : lines) {
            for (size_t k = 0; k < line.size(); ++k) {
                if (box.contains(line[k].x, line[k].y))
                    ++count;
                // A long segment through the box covers it too: count its midpoint.
                if (k > 0 && box.contains((line[k].x + line[k - 1].x) / 2, (line[k].y + line[k - 1].y) / 2))
                    ++count;
            }
        }
        if (count < bestCount) {
            bestCount = count;
            best = corner;
        }
    }
    return best;
}
