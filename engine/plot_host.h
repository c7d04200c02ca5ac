// SPDX-License-Identifier: MIT
// The graph library's plot operations as the plot command calls them.
#pragma once

#include <string>

#include "libs/math/lm_math.h"

/// Narrow interface to the plot windows; without one, plotNew gives 0 ("cannot create plot").
class PlotHost {
public:
    virtual ~PlotHost() = default;
    /// True while the window of that handle is open.
    virtual bool plotExists(int handle) = 0;
    /// Opens a plot window (640 x 480); a handle above 0 means success.
    virtual int plotNew() = 0;
    /// Adds y = f(x) sampled at points over [xmin, xmax], named label in the legend; variables take the given
    /// values. False: refused.
    virtual bool plotAdd(int handle, const std::wstring& function, int points, double xmin, double xmax,
                         const lmValues& variables, const std::wstring& label) = 0;
};
