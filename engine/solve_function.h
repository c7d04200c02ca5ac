// SPDX-License-Identifier: MIT
// Finding a zero of f(x) on an interval: the steps that the solve command and the solver dialog share. GUI-free.
#pragma once

#include <string>

#include "libs/math/lm_math.h"

/// What a search for a zero of f found.
struct ZeroSearch {
    /// Where the search ended, and f there.
    double x = 0, y = 0;
    /// f changes sign on the interval (or is 0 at one of its ends), as far as the search looked.
    bool signChange = false;
    /// The search converged within the iteration limit.
    bool converged = false;
    /// The iteration limit ended the search before it converged.
    bool ranOut = false;
    /// The largest |f| the search met: the function's size on the interval.
    double scale = 0;
    /// x is a zero: the search converged and |f(x)| is small against the function's size. Otherwise f jumps
    /// over 0 there (a pole or a step), has no sign change, or the limit ran out first.
    bool isZero() const;
};

/// A zero of the parser's function (in x) near [a, b]: the interval is first moved onto a sign change if it can
/// be, then searched with the parameter record's tolerance and iteration limit (param.iterations tells how
/// many evaluations that took).
ZeroSearch findZero(lmParser& parser, lmParam& param, double a, double b);

/// Why a search on [a, b] found no zero, for the user: "no root here: f changes no sign on [-10, 10]" and the
/// like; empty when it found one.
std::wstring noZeroNote(const ZeroSearch& search, double a, double b);
