// SPDX-License-Identifier: MIT
// The plot window of the graph library and the library's plot operations, as the plot command calls them.
#pragma once

#include <wx/frame.h>
#include <wx/string.h>

#include "libs/graph/plot_canvas.h"
#include "libs/math/lm_math.h"

/// Commands of the plot window's toolbar that have no stock id.
enum PlotCommandId {
    ID_PLOT_FIRST = 7200,
    ID_PLOT_GRID = ID_PLOT_FIRST,
    ID_PLOT_EXPORT_PNG,
    ID_PLOT_EXPORT_SVG,
    ID_PLOT_EXTEND,
    ID_PLOT_POINTS,
    ID_PLOT_LAST = ID_PLOT_POINTS
};

/// A top-level window that shows curves y = f(x); the static operations manage all plot windows.
class PlotFrame : public wxFrame {
public:
    /// Creates and shows a plot window of width × height (640 × 480 when not positive), with a title and a
    /// subtitle over the plot (none when empty); returns its handle (> 0), or 0 without a running application.
    static int plotNew(const wxString& title, const wxString& subtitle, int width, int height);
    /// True while the window of handle is open.
    static bool plotExists(int handle);
    /// Adds y = function(x) sampled at `points` points over [xmin, xmax] to the window of handle, named label in
    /// the legend (the function when empty); false when the handle is unknown, the math library refuses the
    /// function or the interval is empty.
    static bool plotAdd(int handle, const wxString& function, int points, double xmin, double xmax,
                        const wxString& label = wxString());
    /// Closes every plot window.
    static void plotCloseAll();
    /// The values of a..z that the functions of later plotAdd calls see (each curve keeps its own copy).
    static void setVariableValues(const lmValues& values);

    /// The open window of handle, or null (for tests and the interpreter's future use).
    static PlotFrame* find(int handle);

    /// The handle plotNew returned for this window.
    int handle() const { return m_handle; }
    /// The drawing area with the curves.
    PlotCanvas* canvas() const { return m_canvas; }

    ~PlotFrame() override;

private:
    PlotFrame(const wxString& title, const wxString& subtitle, const wxSize& size);
    void createToolBar();
    void exportWithDialog(bool svg);

    void OnClose(wxCloseEvent& event);
    void OnCloseCommand(wxCommandEvent& event);
    void OnResetView(wxCommandEvent& event);
    void OnZoomIn(wxCommandEvent& event);
    void OnZoomOut(wxCommandEvent& event);
    void OnGrid(wxCommandEvent& event);
    void OnExtend(wxCommandEvent& event);
    void OnPoints(wxCommandEvent& event);
    void OnCopy(wxCommandEvent& event);
    void OnExportPng(wxCommandEvent& event);
    void OnExportSvg(wxCommandEvent& event);

    int m_handle;
    PlotCanvas* m_canvas = nullptr;

    wxDECLARE_EVENT_TABLE();
};
