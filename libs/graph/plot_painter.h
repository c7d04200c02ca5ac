// SPDX-License-Identifier: MIT
// What the plot renderer draws with: anti-aliased wxGraphicsContext on screen and in bitmaps, a wxDC for SVG.
#pragma once

#include <memory>
#include <vector>

#include <wx/colour.h>
#include <wx/dc.h>
#include <wx/font.h>
#include <wx/graphics.h>
#include <wx/string.h>

#include "libs/graph/plot_math.h"

/// Drawing operations in pixel coordinates (doubles) that the plot renderer needs.
class PlotPainter {
public:
    virtual ~PlotPainter() = default;
    /// Pen for lines and outlines; a transparent colour draws none.
    virtual void setPen(const wxColour& colour, double width, bool dashed = false) = 0;
    /// Fill of rectangles; a transparent colour fills none.
    virtual void setBrush(const wxColour& colour) = 0;
    /// Font and colour of text.
    virtual void setFont(const wxFont& font, const wxColour& colour) = 0;
    /// Strokes with the pen.
    virtual void line(double x0, double y0, double x1, double y1) = 0;
    virtual void polyline(const std::vector<PlotPoint>& points) = 0;
    /// Outlines with the pen and fills with the brush.
    virtual void rectangle(const PlotRect& rect, double radius = 0.0) = 0;
    virtual void circle(double x, double y, double radius) = 0;
    /// Text with its top left corner at (x, y).
    virtual void text(const wxString& text, double x, double y) = 0;
    /// Size of text in the current font.
    virtual void textExtent(const wxString& text, double& width, double& height) = 0;
    /// Limits drawing to rect until resetClip.
    virtual void clip(const PlotRect& rect) = 0;
    virtual void resetClip() = 0;
};

/// Draws through a wxGraphicsContext (anti-aliased); the context is not owned.
class PlotGcPainter : public PlotPainter {
public:
    explicit PlotGcPainter(wxGraphicsContext& gc) : m_gc(gc) {}
    void setPen(const wxColour& colour, double width, bool dashed) override;
    void setBrush(const wxColour& colour) override;
    void setFont(const wxFont& font, const wxColour& colour) override;
    void line(double x0, double y0, double x1, double y1) override;
    void polyline(const std::vector<PlotPoint>& points) override;
    void rectangle(const PlotRect& rect, double radius) override;
    void circle(double x, double y, double radius) override;
    void text(const wxString& text, double x, double y) override;
    void textExtent(const wxString& text, double& width, double& height) override;
    void clip(const PlotRect& rect) override;
    void resetClip() override;

private:
    wxGraphicsContext& m_gc;
    std::vector<wxPoint2DDouble> m_buffer;
};

/// Draws through a plain wxDC (integer coordinates), for wxSVGFileDC; the DC is not owned.
class PlotDcPainter : public PlotPainter {
public:
    /// clipScale multiplies clipping rectangles: wxSVGFileDC writes them unscaled by its user scale.
    explicit PlotDcPainter(wxDC& dc, double clipScale = 1.0) : m_dc(dc), m_clipScale(clipScale) {}
    void setPen(const wxColour& colour, double width, bool dashed) override;
    void setBrush(const wxColour& colour) override;
    void setFont(const wxFont& font, const wxColour& colour) override;
    void line(double x0, double y0, double x1, double y1) override;
    void polyline(const std::vector<PlotPoint>& points) override;
    void rectangle(const PlotRect& rect, double radius) override;
    void circle(double x, double y, double radius) override;
    void text(const wxString& text, double x, double y) override;
    void textExtent(const wxString& text, double& width, double& height) override;
    void clip(const PlotRect& rect) override;
    void resetClip() override;

private:
    wxDC& m_dc;
    double m_clipScale;
    std::vector<wxPoint> m_buffer;
};
