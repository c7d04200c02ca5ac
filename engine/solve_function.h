// SPDX-License-Identifier: MIT
// Finding a zero of f(x) on an interval: the steps that the solve command and the solver dialog share. GUI-free.
#pragma once

#include "libs/math/lm_math.h"

/// A zero of the parser's function (in x) near [a, b]: the interval is first moved onto a sign change if it can
/// be, then searched with the parameter record's tolerance and iteration limit. Afterwards param.iterations tells
/// how the search went (0 or less: no zero found).
double findZero(lmParser& parser, lmParam& param, double a, double b);
