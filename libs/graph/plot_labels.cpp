// SPDX-License-Identifier: MIT
#include "libs/graph/plot_labels.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

bool overlaps(const PlotRect& a, const PlotRect& b, double padding) {
    return a.left < b.right() + padding && b.left < a.right() + padding && a.top < b.bottom() + padding &&
           b.top < a.bottom() + padding;
}

bool inside(const PlotRect& box, const PlotRect& area) {
    return box.left >= area.left && box.right() <= area.right() && box.top >= area.top &&
           box.bottom() <= area.bottom();
}

double distance(const PlotPoint& a, const PlotPoint& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

/// True when box is a place for the label of own: it covers no marker and every other marker is farther from it than
/// own by at least the gap, so the reader sees which marker it names.
bool clearOfMarkers(const PlotRect& box, const PlotPoint& own, const std::vector<PlotPoint>& markers,
                    const PlotLabelGeometry& g) {
    const double ownDistance = plotDistanceToRect(box, own);
    for (const PlotPoint& m : markers) {
        if (distance(m, own) <= g.samePlace)
            continue;
        const double d = plotDistanceToRect(box, m);
        if (d <= g.markerRadius || d < ownDistance + g.gap)
            return false;
    }
    return true;
}

/// Chooses one place per label among its valid places so that no two placed labels overlap and as many labels as
/// can be are placed, in the more preferred places.
class LabelPlacer {
public:
    LabelPlacer(std::vector<std::vector<PlotRect>> valid, double padding)
        : m_valid(std::move(valid)), m_choice(m_valid.size(), kNone), m_padding(padding) {
    }

    /// Labels with the fewest free places first (the earlier on a tie), each where it leaves the fewest labels without
    /// a place, then where it takes the fewest places from the others, then the more preferred.
    void placeGreedily() {
        const size_t n = m_valid.size();
        std::vector<std::vector<size_t>> free(n);
        for (size_t i = 0; i < n; ++i) {
            for (size_t p = 0; p < m_valid[i].size(); ++p)
                free[i].push_back(p);
        }
        for (;;) {
            size_t next = n;
            for (size_t i = 0; i < n; ++i) {
                if (m_choice[i] == kNone && !free[i].empty() && (next == n || free[i].size() < free[next].size()))
                    next = i;
            }
            if (next == n)
                return;
            size_t best = free[next].front();
            std::pair<size_t, size_t> bestCost{n + 1, 0};
            for (size_t place : free[next]) {
                std::pair<size_t, size_t> cost{0, 0};
                for (size_t j = 0; j < n; ++j) {
                    if (j == next || m_choice[j] != kNone || free[j].empty())
                        continue;
                    const auto taken = static_cast<size_t>(std::count_if(
                        free[j].begin(), free[j].end(), [&](size_t q) { return clash(next, place, j, q); }));
                    cost.first += taken == free[j].size() ? 1 : 0;
                    cost.second += taken;
                }
                if (cost < bestCost) {
                    bestCost = cost;
                    best = place;
                }
            }
            m_choice[next] = best;
            for (size_t j = 0; j < n; ++j) {
                free[j].erase(std::remove_if(free[j].begin(), free[j].end(),
                                             [&](size_t q) { return j == next || clash(next, best, j, q); }),
                              free[j].end());
            }
        }
    }

    /// Searches each group of labels whose places overlap for a choice that places more of them than the greedy one,
    /// within a budget of steps; the most preferred places are tried first.
    void placeMore() {
        for (std::vector<size_t>& group : clashingGroups()) {
            if (group.size() < 2)
                continue;
            std::stable_sort(group.begin(), group.end(),
                             [&](size_t a, size_t b) { return m_valid[a].size() < m_valid[b].size(); });
            m_group = group;
            m_best.clear();
            m_bestCount = 0;
            for (size_t i : group) {
                m_best.push_back(m_choice[i]);
                m_bestCount += m_choice[i] != kNone ? 1 : 0;
            }
            m_trial.assign(group.size(), kNone);
            m_steps = 0;
            search(0, 0);
            for (size_t k = 0; k < group.size(); ++k)
                m_choice[group[k]] = m_best[k];
        }
    }

    std::vector<std::optional<PlotRect>> placed() const {
        std::vector<std::optional<PlotRect>> boxes(m_valid.size());
        for (size_t i = 0; i < m_valid.size(); ++i) {
            if (m_choice[i] != kNone)
                boxes[i] = m_valid[i][m_choice[i]];
        }
        return boxes;
    }

private:
    static constexpr size_t kNone = static_cast<size_t>(-1);
    // Steps one group's search may take: enough for the dozen labels a crowded corner holds.
    static constexpr size_t kSearchSteps = 20000;

    bool clash(size_t i, size_t p, size_t j, size_t q) const {
        return overlaps(m_valid[i][p], m_valid[j][q], m_padding);
    }

    /// The labels connected by places that overlap.
    std::vector<std::vector<size_t>> clashingGroups() const {
        const size_t n = m_valid.size();
        std::vector<size_t> group(n);
        for (size_t i = 0; i < n; ++i)
            group[i] = i;
        auto root = [&group](size_t i) {
            while (group[i] != i)
                i = group[i] = group[group[i]];
            return i;
        };
        for (size_t i = 0; i < n; ++i) {
            for (size_t j = i + 1; j < n; ++j) {
                for (size_t p = 0; p < m_valid[i].size() && root(i) != root(j); ++p) {
                    for (size_t q = 0; q < m_valid[j].size(); ++q) {
                        if (clash(i, p, j, q)) {
                            group[root(j)] = root(i);
                            break;
                        }
                    }
                }
            }
        }
        std::vector<std::vector<size_t>> groups(n);
        for (size_t i = 0; i < n; ++i)
            groups[root(i)].push_back(i);
        groups.erase(std::remove_if(groups.begin(), groups.end(), [](const auto& g) { return g.empty(); }),
                     groups.end());
        return groups;
    }

    void search(size_t k, size_t count) {
        if (++m_steps > kSearchSteps || count + (m_group.size() - k) <= m_bestCount)
            return;
        if (k == m_group.size()) {
            m_best = m_trial;
            m_bestCount = count;
            return;
        }
        const size_t i = m_group[k];
        for (size_t p = 0; p < m_valid[i].size(); ++p) {
            bool free = true;
            for (size_t e = 0; e < k && free; ++e)
                free = m_trial[e] == kNone || !clash(i, p, m_group[e], m_trial[e]);
            if (!free)
                continue;
            m_trial[k] = p;
            search(k + 1, count + 1);
        }
        m_trial[k] = kNone;
        search(k + 1, count);
    }

    std::vector<std::vector<PlotRect>> m_valid;
    std::vector<size_t> m_choice;
    double m_padding;
    // The search of one group: its labels, the choice being tried and the best found so far.
    std::vector<size_t> m_group;
    std::vector<size_t> m_trial;
    std::vector<size_t> m_best;
    size_t m_bestCount = 0;
    size_t m_steps = 0;
};

} // namespace

double plotDistanceToRect(const PlotRect& rect, const PlotPoint& p) {
    const double dx = std::max({rect.left - p.x, 0.0, p.x - rect.right()});
    const double dy = std::max({rect.top - p.y, 0.0, p.y - rect.bottom()});
    return std::hypot(dx, dy);
}

std::vector<std::vector<size_t>> plotGroupMarkers(const std::vector<PlotPoint>& markers, double samePlace) {
    std::vector<std::vector<size_t>> groups;
    std::vector<bool> grouped(markers.size(), false);
    for (size_t i = 0; i < markers.size(); ++i) {
        if (grouped[i])
            continue;
        groups.push_back({i});
        for (size_t k = i + 1; k < markers.size(); ++k) {
            if (!grouped[k] && distance(markers[i], markers[k]) <= samePlace) {
                grouped[k] = true;
                groups.back().push_back(k);
            }
        }
    }
    return groups;
}

std::vector<PlotRect> plotLabelPlaces(const PlotLabelRequest& label, const PlotLabelGeometry& g) {
    const double x = label.marker.x, y = label.marker.y, w = label.width, h = label.height;
    // A corner of the box as far from the centre as a side: the gap from the marker's edge is the same all round.
    const double side = g.markerRadius + g.gap;
    const double corner = side / std::sqrt(2.0);
    return {
        {x + corner, y - corner - h, w, h}, {x - corner - w, y - corner - h, w, h},
        {x + corner, y + corner, w, h},     {x - corner - w, y + corner, w, h},
        {x + side, y - h / 2, w, h},        {x - side - w, y - h / 2, w, h},
        {x - w / 2, y - side - h, w, h},    {x - w / 2, y + side, w, h},
    };
}

std::vector<std::optional<PlotRect>> plotPlaceLabels(const std::vector<PlotLabelRequest>& labels,
                                                     const std::vector<PlotPoint>& markers, const PlotRect& area,
                                                     const std::vector<PlotRect>& obstacles,
                                                     const PlotLabelGeometry& g) {
    // Each label's places that no other label can spoil, most preferred first.
    std::vector<std::vector<PlotRect>> valid(labels.size());
    for (size_t i = 0; i < labels.size(); ++i) {
        for (const PlotRect& box : plotLabelPlaces(labels[i], g)) {
            const bool blocked = std::any_of(obstacles.begin(), obstacles.end(),
                                             [&](const PlotRect& o) { return overlaps(box, o, g.padding); });
            if (inside(box, area) && !blocked && clearOfMarkers(box, labels[i].marker, markers, g))
                valid[i].push_back(box);
        }
    }
    LabelPlacer placer(std::move(valid), g.padding);
    placer.placeGreedily();
    placer.placeMore();
    return placer.placed();
}
