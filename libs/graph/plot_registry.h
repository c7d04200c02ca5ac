// SPDX-License-Identifier: MIT
// The graph library's record of its open plot windows and of the variable values for new curves. GUI-free.
#pragma once

#include <map>
#include <vector>

#include "libs/math/lm_math.h"

class PlotFrame;

/// Open plot windows by handle; handles count up from 1 and are never reused.
class PlotRegistry {
public:
    /// The library's one registry (the library's own state, like the windows it manages).
    static PlotRegistry& instance();

    /// Records frame under a new handle and returns the handle.
    int add(PlotFrame* frame);
    /// Forgets handle (nothing happens for an unknown one).
    void remove(int handle);
    /// The frame of handle, or null.
    PlotFrame* find(int handle) const;
    /// All open frames, by handle.
    std::vector<PlotFrame*> all() const;

    /// The values of a..z for curves added from now on.
    const lmValues& variables() const { return m_variables; }
    void setVariables(const lmValues& values) { m_variables = values; }

private:
    std::map<int, PlotFrame*> m_frames;
    int m_next = 1;
    lmValues m_variables{};
};
