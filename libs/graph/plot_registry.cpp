// SPDX-License-Identifier: MIT
#include "libs/graph/plot_registry.h"

PlotRegistry& PlotRegistry::instance() {
    static PlotRegistry registry;
    return registry;
}

int PlotRegistry::add(PlotFrame* frame) {
    int handle = m_next++;
    m_frames[handle] = frame;
    return handle;
}

void PlotRegistry::remove(int handle) {
    m_frames.erase(handle);
}

PlotFrame* PlotRegistry::find(int handle) const {
    auto it = m_frames.find(handle);
    return it == m_frames.end() ? nullptr : it->second;
}

std::vector<PlotFrame*> PlotRegistry::all() const {
    std::vector<PlotFrame*> frames;
    for (const auto& entry : m_frames)
        frames.push_back(entry.second);
    return frames;
}
