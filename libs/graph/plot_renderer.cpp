// SPDX-License-Identifier: MIT
#include "libs/graph/plot_renderer.h"

#include <algorithm>
#include <cmath>

namespace {

const wxColour kBackground(255, 255, 255);
const wxColour kMajorGrid(226, 226, 226);
const wxColour kMinorGrid(243, 243, 243);
const wxColour kAxis(64, 64, 64);
const wxColour kFrame(176, 176, 176);
const wxColour kLabel(60, 60, 60);
const wxColour kTitle(30, 30, 30);
const wxColour kLegendFill(255, 255, 255, 232);
const wxColour kLegendBorder(204, 204, 204);
const wxColour kBandFill(31, 119, 180, 36);
const wxColour kBandBorder(31, 119, 180);

// Margins and lengths in pixels at scale 1.
constexpr double kPad = 10.0;
constexpr double kTickLength = 4.0;
constexpr double kLabelGap = 5.0;
constexpr double kRightMargin = 18.0;
constexpr double kTopMargin = 14.0;
constexpr double kCurveWidth = 2.0;

// Pixel rows centred on a device pixel, so that 1-pixel lines are crisp.
double crisp(double v)
{
    return std::floor(v) + 0.5;
}

wxString fromUtf8(const std::string& text)
{
    return wxString::FromUTF8(text.c_str());
}

} // namespace

PlotRenderer::PlotRenderer(double scale) : m_scale(scale)
{
    m_labelFont = wxFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS));
    m_legendFont = wxFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS));
    m_titleFont = wxFont(wxFontInfo(11).Family(wxFONTFAMILY_SWISS).Bold());
    if (scale != 1.0) {
        m_labelFont.SetFractionalPointSize(9 * scale);
        m_legendFont.SetFractionalPointSize(9 * scale);
        m_titleFont.SetFractionalPointSize(11 * scale);
    }
}

wxColour PlotRenderer::curveColour(int index)
{
    // The "tab10" palette of scientific plotting: distinct hues that survive grey printing reasonably.
    static const unsigned long kPalette[] = {0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e, 0x9467bd,
                                             0x8c564b, 0xe377c2, 0x17becf, 0x7f7f7f, 0xbcbd22};
    unsigned long rgb = kPalette[static_cast<size_t>(std::abs(index)) % (sizeof kPalette / sizeof kPalette[0])];
    return wxColour((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

PlotLayout PlotRenderer::layout(PlotPainter& painter, const PlotScene& scene, double width, double height) const
{
    PlotLayout layout;
    painter.setFont(m_labelFont, kLabel);
    double textWidth = 0.0, textHeight = 0.0;
    painter.textExtent("0123456789", textWidth, textHeight);
    auto measureWidth = [&painter](const std::string& label) {
        double w = 0.0, h = 0.0;
        painter.textExtent(fromUtf8(label), w, h);
        return w;
    };
    auto measureHeight = [textHeight](const std::string&) { return textHeight; };

    double top = dip(kTopMargin);
    if (!scene.title.empty() || !scene.subtitle.empty()) {
        double w = 0.0, h = 0.0;
        painter.setFont(m_titleFont, kTitle);
        painter.textExtent("Ag", w, h);
        top += h + (scene.subtitle.empty() ? 0.0 : textHeight) + dip(kLabelGap);
        painter.setFont(m_labelFont, kLabel);
    }
    double bottom = dip(kTickLength + kLabelGap + kPad) + textHeight;
    double areaHeight = std::max(1.0, height - top - bottom);
    layout.yTicks = plotMakeTicks(scene.view.ymin, scene.view.ymax, areaHeight, dip(40), measureHeight,
                                  textHeight * 0.8);

    double widest = 0.0;
    for (const std::string& label : layout.yTicks.labels)
        widest = std::max(widest, measureWidth(label));
    double left = dip(kPad + kTickLength + kLabelGap) + std::max(widest, textWidth * 0.2);
    double areaWidth = std::max(1.0, width - left - dip(kRightMargin));
    layout.xTicks = plotMakeTicks(scene.view.xmin, scene.view.xmax, areaWidth, dip(70), measureWidth, dip(18));

    layout.area = PlotRect{std::round(left), std::round(top), std::round(areaWidth), std::round(areaHeight)};
    layout.transform = PlotTransform(scene.view, layout.area);
    return layout;
}

PlotLayout PlotRenderer::render(PlotPainter& painter, const PlotScene& scene, double width, double height) const
{
    PlotLayout layout = this->layout(painter, scene, width, height);
    painter.setPen(wxTransparentColour, 0.0);
    painter.setBrush(kBackground);
    painter.rectangle(PlotRect{0, 0, width, height});

    painter.clip(layout.area);
    if (scene.grid)
        drawGrid(painter, layout, scene.view);
    drawAxes(painter, layout, scene.view);
    std::vector<std::vector<PlotPoint>> lines = drawCurves(painter, layout, scene);
    drawPoints(painter, layout, scene);
    drawMarker(painter, layout, scene);
    if (scene.band.width > 0.0 && scene.band.height > 0.0) {
        painter.setPen(kBandBorder, dip(1.0), true);
        painter.setBrush(kBandFill);
        painter.rectangle(scene.band);
    }
    painter.resetClip();

    // The frame: the axes' place when the origin is out of view.
    const PlotRect& a = layout.area;
    painter.setPen(kFrame, dip(1.0));
    painter.setBrush(wxTransparentColour);
    painter.rectangle(PlotRect{crisp(a.left) - 1.0, crisp(a.top) - 1.0, a.width + 1.0, a.height + 1.0});
    drawTickLabels(painter, layout, width);
    layout.legendCorner = drawLegend(painter, layout, scene, lines);
    drawTitle(painter, scene, width);
    return layout;
}

void PlotRenderer::drawGrid(PlotPainter& painter, const PlotLayout& layout, const PlotView& view) const
{
    const PlotRect& a = layout.area;
    const PlotTransform& t = layout.transform;
    auto verticals = [&](double step) {
        for (double k = std::ceil(view.xmin / step); k * step <= view.xmax; k += 1.0) {
            double x = crisp(t.toPixelX(k * step));
            painter.line(x, a.top, x, a.bottom());
        }
    };
    auto horizontals = [&](double step) {
        for (double k = std::ceil(view.ymin / step); k * step <= view.ymax; k += 1.0) {
            double y = crisp(t.toPixelY(k * step));
            painter.line(a.left, y, a.right(), y);
        }
    };
    // Minor lines only while they stay at least 8 pixels apart.
    double minorX = layout.xTicks.step > 0 ? plotMinorStep(layout.xTicks.step) : 0.0;
    double minorY = layout.yTicks.step > 0 ? plotMinorStep(layout.yTicks.step) : 0.0;
    painter.setPen(kMinorGrid, dip(1.0));
    if (minorX > 0 && minorX / t.pixelWidth() >= dip(8) && view.width() / minorX < 2000)
        verticals(minorX);
    if (minorY > 0 && minorY / t.pixelHeight() >= dip(8) && view.height() / minorY < 2000)
        horizontals(minorY);
    painter.setPen(kMajorGrid, dip(1.0));
    for (double v : layout.xTicks.values) {
        double x = crisp(t.toPixelX(v));
        painter.line(x, a.top, x, a.bottom());
    }
    for (double v : layout.yTicks.values) {
        double y = crisp(t.toPixelY(v));
        painter.line(a.left, y, a.right(), y);
    }
}

void PlotRenderer::drawAxes(PlotPainter& painter, const PlotLayout& layout, const PlotView& view) const
{
    const PlotRect& a = layout.area;
    const PlotTransform& t = layout.transform;
    double tick = dip(3.0);
    painter.setPen(kAxis, dip(1.0));
    if (view.ymin <= 0.0 && view.ymax >= 0.0) {
        double y = crisp(t.toPixelY(0.0));
        painter.line(a.left, y, a.right(), y);
        for (double v : layout.xTicks.values) {
            double x = crisp(t.toPixelX(v));
            painter.line(x, y - tick, x, y + tick);
        }
    }
    if (view.xmin <= 0.0 && view.xmax >= 0.0) {
        double x = crisp(t.toPixelX(0.0));
        painter.line(x, a.top, x, a.bottom());
        for (double v : layout.yTicks.values) {
            double y = crisp(t.toPixelY(v));
            painter.line(x - tick, y, x + tick, y);
        }
    }
}

void PlotRenderer::drawTickLabels(PlotPainter& painter, const PlotLayout& layout, double width) const
{
    const PlotRect& a = layout.area;
    const PlotTransform& t = layout.transform;
    double frameBottom = crisp(a.bottom());
    double frameLeft = crisp(a.left) - 1.0;
    painter.setPen(kFrame, dip(1.0));
    painter.setFont(m_labelFont, kLabel);
    for (size_t i = 0; i < layout.xTicks.values.size(); ++i) {
        double x = crisp(t.toPixelX(layout.xTicks.values[i]));
        painter.line(x, frameBottom, x, frameBottom + dip(kTickLength));
        wxString label = fromUtf8(layout.xTicks.labels[i]);
        double w = 0.0, h = 0.0;
        painter.textExtent(label, w, h);
        double left = std::clamp(x - w / 2.0, 1.0, std::max(1.0, width - w - 1.0));
        painter.text(label, left, frameBottom + dip(kTickLength + kLabelGap) - 1.0);
    }
    for (size_t i = 0; i < layout.yTicks.values.size(); ++i) {
        double y = crisp(t.toPixelY(layout.yTicks.values[i]));
        painter.line(frameLeft - dip(kTickLength), y, frameLeft, y);
        wxString label = fromUtf8(layout.yTicks.labels[i]);
        double w = 0.0, h = 0.0;
        painter.textExtent(label, w, h);
        painter.text(label, frameLeft - dip(kTickLength + kLabelGap) - w, y - h / 2.0);
    }
}

std::vector<std::vector<PlotPoint>> PlotRenderer::drawCurves(PlotPainter& painter, const PlotLayout& layout,
                                                             const PlotScene& scene) const
{
    std::vector<std::vector<PlotPoint>> all;
    if (scene.curves == nullptr)
        return all;
    double margin = dip(10.0);
    for (const PlotCurve& curve : *scene.curves) {
        auto lines = plotBuildPolylines(curve.path, curve.breaks, layout.transform, layout.area.top - margin,
                                        layout.area.bottom() + margin);
        painter.setPen(curveColour(curve.colour), dip(kCurveWidth));
        for (auto& line : lines) {
            painter.polyline(line);
            all.push_back(std::move(line));
        }
    }
    return all;
}

void PlotRenderer::drawMarker(PlotPainter& painter, const PlotLayout& layout, const PlotScene& scene) const
{
    if (scene.curves == nullptr || scene.markerCurve < 0 ||
        scene.markerCurve >= static_cast<int>(scene.curves->size()))
        return;
    double x = layout.transform.toPixelX(scene.markerX), y = layout.transform.toPixelY(scene.markerY);
    if (!layout.area.contains(x, y))
        return;
    wxColour colour = curveColour((*scene.curves)[scene.markerCurve].colour);
    // Faint cross-hairs to the axes' frame, then a ringed dot on the curve.
    painter.setPen(wxColour(colour.Red(), colour.Green(), colour.Blue(), 110), dip(1.0), true);
    painter.line(x, y, x, layout.area.bottom());
    painter.line(layout.area.left, y, x, y);
    painter.setPen(kBackground, dip(1.5));
    painter.setBrush(colour);
    painter.circle(x, y, dip(4.5));
}

void PlotRenderer::drawPoints(PlotPainter& painter, const PlotLayout& layout, const PlotScene& scene) const
{
    if (scene.points == nullptr || scene.curves == nullptr)
        return;
    const std::vector<PlotNotablePoint>& points = scene.points->points;
    const double r = dip(3.5);
    // Labels first, each in the first of four places beside its marker that overlaps no marker and no label
    // placed before it; a label that finds no place shows when the pointer is on its marker.
    std::vector<PlotRect> taken;
    for (const PlotNotablePoint& p : points) {
        const double x = layout.transform.toPixelX(p.x), y = layout.transform.toPixelY(p.y);
        taken.push_back(PlotRect{x - r - 1, y - r - 1, 2 * r + 2, 2 * r + 2});
    }
    const bool all = points.size() <= kPlotMaxLabels;
    for (size_t i = 0; i < points.size(); ++i) {
        const bool hover = static_cast<int>(i) == scene.hoverPoint;
        if (all || hover)
            drawPointLabel(painter, layout, scene, points[i], hover, taken);
    }
    for (const PlotNotablePoint& p : points) {
        const double x = layout.transform.toPixelX(p.x), y = layout.transform.toPixelY(p.y);
        const wxColour colour = curveColour((*scene.curves)[static_cast<size_t>(p.curve)].colour);
        if (p.kind == PlotPointKind::Intersection) {
            // A square in the axes' grey: it belongs to two curves.
            painter.setPen(kAxis, dip(1.5));
            painter.setBrush(kBackground);
            painter.rectangle(PlotRect{x - r, y - r, 2 * r, 2 * r});
        } else if (p.kind == PlotPointKind::Zero || p.touchesZero) {
            painter.setPen(colour, dip(1.5));
            painter.setBrush(kBackground);
            painter.circle(x, y, r);
        } else {
            painter.setPen(kBackground, dip(1.0));
            painter.setBrush(colour);
            painter.circle(x, y, r);
        }
    }
}

void PlotRenderer::drawPointLabel(PlotPainter& painter, const PlotLayout& layout, const PlotScene& scene,
                                  const PlotNotablePoint& point, bool force, std::vector<PlotRect>& taken) const
{
    const wxString text = fromUtf8(plotPointLabel(point, scene.view));
    painter.setFont(m_legendFont, kLabel);
    double w = 0.0, h = 0.0;
    painter.textExtent(text, w, h);
    const double pad = dip(2.0), offset = dip(5.0);
    const double bw = w + 2 * pad, bh = h + 2 * pad;
    const double x = layout.transform.toPixelX(point.x), y = layout.transform.toPixelY(point.y);
    const PlotRect places[] = {{x + offset, y - offset - bh, bw, bh}, {x - offset - bw, y - offset - bh, bw, bh},
                               {x + offset, y + offset, bw, bh}, {x - offset - bw, y + offset, bw, bh}};
    auto overlaps = [](const PlotRect& a, const PlotRect& b) {
        return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
    };
    const PlotRect* chosen = nullptr;
    for (const PlotRect& place : places) {
        const bool inside = place.left >= layout.area.left && place.right() <= layout.area.right() &&
                            place.top >= layout.area.top && place.bottom() <= layout.area.bottom();
        const bool free = std::none_of(taken.begin(), taken.end(), [&](const PlotRect& t) {
            // The marker's own square is beside the label, not under it.
            return overlaps(place, t) && !(t.contains(x, y));
        });
        if (inside && free) {
            chosen = &place;
            break;
        }
    }
    if (chosen == nullptr && !force)
        return;
    const PlotRect box = chosen != nullptr ? *chosen : places[0];
    taken.push_back(box);
    painter.setPen(force ? kLegendBorder : wxTransparentColour, force ? dip(1.0) : 0.0);
    painter.setBrush(kLegendFill);
    painter.rectangle(box, dip(2.0));
    painter.text(text, box.left + pad, box.top + pad);
}

int PlotRenderer::drawLegend(PlotPainter& painter, const PlotLayout& layout, const PlotScene& scene,
                             const std::vector<std::vector<PlotPoint>>& lines) const
{
    if (scene.curves == nullptr || scene.curves->empty())
        return -1;
    painter.setFont(m_legendFont, kTitle);
    double rowHeight = 0.0, textWidth = 0.0;
    std::vector<wxString> labels;
    for (const PlotCurve& curve : *scene.curves) {
        wxString label(curve.label);
        if (label.length() > 48)
            label = label.Left(47) + wxString::FromUTF8("…");
        double w = 0.0, h = 0.0;
        painter.textExtent(label, w, h);
        textWidth = std::max(textWidth, w);
        rowHeight = std::max(rowHeight, h);
        labels.push_back(label);
    }
    const size_t curveRows = labels.size();
    if (scene.points != nullptr && scene.points->more > 0) {
        wxString more = wxString::Format("+%zu more points", scene.points->more);
        double w = 0.0, h = 0.0;
        painter.textExtent(more, w, h);
        textWidth = std::max(textWidth, w);
        labels.push_back(more);
    }
    double pad = dip(8.0), sample = dip(24.0), gap = dip(8.0), spacing = dip(3.0);
    rowHeight += spacing;
    double boxWidth = pad + sample + gap + textWidth + pad;
    double boxHeight = pad + rowHeight * labels.size() - spacing + pad;
    if (boxWidth > layout.area.width * 0.9 || boxHeight > layout.area.height * 0.9)
        return -1;
    double inset = dip(10.0);
    int corner = scene.legendCorner >= 0 && scene.legendCorner < 4
                     ? scene.legendCorner
                     : plotChooseLegendCorner(layout.area, boxWidth, boxHeight, lines, inset);
    double left = corner % 2 == 0 ? layout.area.right() - inset - boxWidth : layout.area.left + inset;
    double top = corner < 2 ? layout.area.top + inset : layout.area.bottom() - inset - boxHeight;
    left = std::round(left) + 0.5;
    top = std::round(top) + 0.5;
    painter.setPen(kLegendBorder, dip(1.0));
    painter.setBrush(kLegendFill);
    painter.rectangle(PlotRect{left, top, boxWidth, boxHeight}, dip(3.0));
    for (size_t i = 0; i < labels.size(); ++i) {
        double rowTop = top + pad + rowHeight * i;
        double mid = rowTop + (rowHeight - spacing) / 2.0;
        if (i < curveRows) {
            painter.setPen(curveColour((*scene.curves)[i].colour), dip(kCurveWidth));
            painter.line(left + pad, mid, left + pad + sample, mid);
        }
        painter.text(labels[i], left + pad + sample + gap, rowTop);
    }
    return corner;
}

void PlotRenderer::drawTitle(PlotPainter& painter, const PlotScene& scene, double width) const
{
    double top = dip(kTopMargin) / 2.0;
    double w = 0.0, h = 0.0;
    if (!scene.title.empty()) {
        painter.setFont(m_titleFont, kTitle);
        painter.textExtent(scene.title, w, h);
        painter.text(scene.title, (width - w) / 2.0, top);
        top += h;
    }
    if (!scene.subtitle.empty()) {
        painter.setFont(m_labelFont, kLabel);
        painter.textExtent(scene.subtitle, w, h);
        painter.text(scene.subtitle, (width - w) / 2.0, top);
    }
}
