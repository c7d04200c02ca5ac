// SPDX-License-Identifier: MIT
// Syntax of the plot and solve commands.
#pragma once

#include <string>

/// The point counts a plot command accepts, and those it draws with: fewer are raised, more lowered.
constexpr long long kPlotPointsAskedMax = 33554432;
constexpr int kPlotPointsMin = 4;
constexpr int kPlotPointsMax = 131072;

/// A parsed plot command.
struct PlotRequest {
    std::wstring function;
    double xmin = -2, xmax = 2;
    int points = 200;
};

/// A parsed solve command.
struct SolveRequest {
    std::wstring function;
    double a = -10, b = 10;
};

/// Where the reading of a plot or solve command stopped: the stretch [begin, end) of its text and why; on
/// success, functionAt is where the function text begins.
struct CommandStop {
    size_t begin = 0, end = 0;
    const wchar_t* reason = nullptr;
    size_t functionAt = 0;
};

/// Parses "plot(f[,xmin,xmax[,points]])" (already preprocessed); null on success, else the message. A
/// trigonometric function's default interval is [-trigHalfWidth, trigHalfWidth] (4 radians).
const wchar_t* parsePlotCommand(const std::wstring& text, PlotRequest& request, CommandStop& stop,
                                double trigHalfWidth = 4);
/// Parses "solve(f[,a,b])"; null on success, else the message.
const wchar_t* parseSolveCommand(const std::wstring& text, SolveRequest& request, CommandStop& stop);
