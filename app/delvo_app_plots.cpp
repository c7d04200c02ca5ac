// SPDX-License-Identifier: MIT
// The interpreter's plot command reaches the graph library's plot windows.
#include "app/delvo_app.h"
#include "libs/graph/plot_frame.h"

namespace {

/// PlotHost on PlotFrame's static operations, with the plot command's arguments.
class GraphPlotHost : public PlotHost {
public:
    bool plotExists(int handle) override { return PlotFrame::plotExists(handle); }
    int plotNew() override { return PlotFrame::plotNew(wxEmptyString, wxEmptyString, 640, 480); }
    bool plotAdd(int handle, const std::wstring& function, int points, double xmin, double xmax,
                 const lmValues& variables, const std::wstring& label) override {
        // The curve's variables a..z are those of the moment the command runs.
        PlotFrame::setVariableValues(variables);
        return PlotFrame::plotAdd(handle, wxString(function), points, xmin, xmax, wxString(label));
    }
};

}  // namespace

void DelvoApp::installPlotHost() {
    m_plotHost = std::make_unique<GraphPlotHost>();
    m_interpreter.setPlotHost(m_plotHost.get());
}
