// SPDX-License-Identifier: MIT
// Root finding: a grid scan for a sign change, then TOMS 748 (Alefeld, Potra, Shi) from Boost.Math.
#include "libs/math/lm_math.h"

#include <boost/math/tools/minima.hpp>
#include <boost/math/tools/toms748_solve.hpp>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>
#include <utility>

namespace {

constexpr int kDefaultMaxiter = 4096;
constexpr int kCoarseGrid = 64;
constexpr int kFineGrid = 1024;
constexpr double kEpsilon = std::numeric_limits<double>::epsilon();

/// The callback with an evaluation counter, the point of smallest |f| seen so far and the largest finite |f|.
class CountedFunction {
public:
    CountedFunction(lmSolveCallback f, lmParam* param) : m_f(f), m_param(param) {}
    double operator()(double x) {
        ++m_count;
        const double y = m_f != nullptr ? m_f(x, m_param) : 0.0;
        m_lastAbs = std::fabs(y);
        if (std::isfinite(y)) m_largestAbs = std::max(m_largestAbs, m_lastAbs);
        if (std::fabs(y) < m_bestAbs) {
            m_bestAbs = std::fabs(y);
            m_best = x;
        }
        return y;
    }
    int count() const { return m_count; }
    double best() const { return m_best; }
    double bestAbs() const { return m_bestAbs; }
    double lastAbs() const { return m_lastAbs; }
    double largestAbs() const { return m_largestAbs; }

private:
    lmSolveCallback m_f;
    lmParam* m_param;
    int m_count = 0;
    double m_best = std::numeric_limits<double>::quiet_NaN();
    double m_bestAbs = std::numeric_limits<double>::infinity();
    double m_lastAbs = std::numeric_limits<double>::infinity();
    double m_largestAbs = 0;
};

/// Termination of TOMS 748: bracket width within reltol of the endpoints (at least a few ulps, at least DBL_MIN).
struct RelativeTolerance {
    double reltol;
    bool operator()(double a, double b) const {
        const double width = std::fabs(b - a);
        const double smaller = std::min(std::fabs(a), std::fabs(b));
        const double larger = std::max(std::fabs(a), std::fabs(b));
        return width <= std::max({reltol * smaller, 4 * kEpsilon * larger, DBL_MIN});
    }
};

int limitOf(const lmParam* param) {
    const int limit = param != nullptr ? param->getMaxiter() : kDefaultMaxiter;
    return limit > 0 ? limit : kDefaultMaxiter;
}

double reltolOf(const lmParam* param) {
    const double reltol = param != nullptr ? param->getReltol() : 1e-6;
    if (!(reltol >= 2 * kEpsilon)) return 2 * kEpsilon;  // also for nan
    return std::min(reltol, 0.5);
}

bool signChange(double fa, double fb) {
    return (fa < 0 && fb > 0) || (fa > 0 && fb < 0);
}

/// A bracket [lo, hi] with a sign change, or an exact zero at lo == hi.
struct Bracket {
    double lo = 0, hi = 0, flo = 0, fhi = 0;
    bool found = false;
};

/// Scans n equal subintervals of [a, b]; an exact zero wins, else the sign change with the smallest
/// max(|f(lo)|, |f(hi)|), which prefers true roots over poles (tan, 1/x change sign with large |f|).
Bracket scanGrid(CountedFunction& f, double a, double b, int n) {
    Bracket best;
    double bestSize = std::numeric_limits<double>::infinity();
    double x0 = a;
    double f0 = f(a);
    if (f0 == 0) return Bracket{a, a, 0, 0, true};
    for (int i = 1; i <= n; ++i) {
        const double x1 = i == n ? b : a + (b - a) * (static_cast<double>(i) / n);
        const double f1 = f(x1);
        if (f1 == 0) return Bracket{x1, x1, 0, 0, true};
        const double size = std::max(std::fabs(f0), std::fabs(f1));
        if (signChange(f0, f1) && size < bestSize) {
            bestSize = size;
            best = Bracket{x0, x1, f0, f1, true};
        }
        x0 = x1;
        f0 = f1;
    }
    return best;
}

/// Coarse then fine scan for a sign change, within the evaluations left of limit.
Bracket searchBracket(CountedFunction& f, double a, double b, int limit) {
    for (int n : {kCoarseGrid, kFineGrid}) {
        const int left = limit - f.count();
        const int grid = std::min(n, left - 1);
        if (grid < 2) break;
        Bracket bracket = scanGrid(f, a, b, grid);
        if (bracket.found) return bracket;
    }
    return Bracket{};
}

/// Bisects while an endpoint value is infinite (TOMS 748's interpolation needs finite values).
bool makeFinite(CountedFunction& f, Bracket& bracket, int limit) {
    while (std::isinf(bracket.flo) || std::isinf(bracket.fhi)) {
        if (f.count() >= limit) return false;
        const double mid = bracket.lo + (bracket.hi - bracket.lo) / 2;
        const double fmid = f(mid);
        if (fmid == 0) {
            bracket = Bracket{mid, mid, 0, 0, true};
            return true;
        }
        if (std::isnan(fmid)) return false;
        if (signChange(bracket.flo, fmid)) {
            bracket.hi = mid;
            bracket.fhi = fmid;
        } else {
            bracket.lo = mid;
            bracket.flo = fmid;
        }
    }
    return true;
}

/// TOMS 748 on a finite sign-changing bracket; the root, or nan when the limit ran out first or when the
/// sign change is a pole (|f| at the end larger than at the bracket's ends, as for 1/x or tan).
double refine(CountedFunction& f, const Bracket& bracket, double reltol, int limit) {
    if (bracket.lo == bracket.hi) return bracket.lo;
    const double startAbs = std::max(std::fabs(bracket.flo), std::fabs(bracket.fhi));
    const int left = limit - f.count();
    if (left <= 0) return std::numeric_limits<double>::quiet_NaN();
    std::uintmax_t iterations = static_cast<std::uintmax_t>(left);
    const RelativeTolerance tolerance{reltol};
    const std::pair<double, double> result = boost::math::tools::toms748_solve(
        [&f](double x) { return f(x); }, bracket.lo, bracket.hi, bracket.flo, bracket.fhi, tolerance, iterations);
    const bool converged = result.first == result.second || tolerance(result.first, result.second);
    if (converged && !(f.lastAbs() > startAbs)) {
        // Every point of the final bracket meets the tolerance; the evaluated one of smallest |f| in it
        // (usually the last interpolation) gives the smallest residual, else the midpoint.
        const double best = f.best();
        if (best >= result.first && best <= result.second) return best;
        return result.first + (result.second - result.first) / 2;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

/// No sign change: the smallest |f| near the best scanned point (Brent's minimiser on |f|).
void polishMinimum(CountedFunction& f, double a, double b, int limit) {
    const double best = f.best();
    if (std::isnan(best) || f.bestAbs() == 0) return;
    const double step = (b - a) / kFineGrid;
    const double lo = std::max(a, best - step);
    const double hi = std::min(b, best + step);
    const int left = limit - f.count();
    if (left < 4 || !(hi > lo)) return;
    std::uintmax_t iterations = static_cast<std::uintmax_t>(left);
    boost::math::tools::brent_find_minima([&f](double x) { return std::fabs(f(x)); }, lo, hi,
                                          std::numeric_limits<double>::digits / 2, iterations);
}

}  // namespace

namespace {

/// lm_guessFz's search on a finite interval.
int guessBracket(CountedFunction& counted, double* a, double* b, const lmParam* param) {
    double lo = std::min(*a, *b);
    double hi = std::max(*a, *b);
    const double flo = counted(lo);
    const double fhi = lo == hi ? flo : counted(hi);
    if (flo == 0 || fhi == 0) {
        *a = *b = flo == 0 ? lo : hi;
        return 1;
    }
    if (signChange(flo, fhi)) return 1;
    const Bracket bracket = searchBracket(counted, lo, hi, limitOf(param));
    if (!bracket.found) return 0;
    *a = bracket.lo;
    *b = bracket.hi;
    return 1;
}

}  // namespace

int lm_guessFz(lmSolveCallback f, double* a, double* b, lmParam* param) {
    if (param != nullptr) param->valueScale = 0;
    if (a == nullptr || b == nullptr || !std::isfinite(*a) || !std::isfinite(*b)) return 0;
    CountedFunction counted(f, param);
    int found = 0;
    try {
        found = guessBracket(counted, a, b, param);
    } catch (...) {  // GCOVR_EXCL_START: docs/quality.md, what no test reaches
        found = 0;
    }  // GCOVR_EXCL_STOP
    if (param != nullptr) param->valueScale = counted.largestAbs();
    return found;
}

double lm_solveFz(lmSolveCallback f, double a, double b, lmParam* param) {
    const int limit = limitOf(param);
    if (param != nullptr) param->iterations = -1;
    if (!std::isfinite(a) || !std::isfinite(b)) return std::numeric_limits<double>::quiet_NaN();
    if (a > b) std::swap(a, b);
    CountedFunction counted(f, param);
    double root = std::numeric_limits<double>::quiet_NaN();
    try {
        Bracket bracket{a, b, counted(a), 0, false};
        bracket.fhi = a == b ? bracket.flo : counted(b);
        if (bracket.flo == 0 || bracket.fhi == 0) {
            const double zero = bracket.flo == 0 ? a : b;
            bracket = Bracket{zero, zero, 0, 0, true};
        } else if (signChange(bracket.flo, bracket.fhi)) {
            bracket.found = true;
        } else if (a < b) {
            bracket = searchBracket(counted, a, b, limit);
        }
        if (bracket.found && makeFinite(counted, bracket, limit)) {
            root = refine(counted, bracket, reltolOf(param), limit);
        }
        if (std::isnan(root) && a < b) {
            polishMinimum(counted, a, b, limit);
            // An exact zero found while minimising is a root too.
            if (counted.bestAbs() == 0 && counted.count() <= limit) root = counted.best();
        }
    } catch (...) {  // GCOVR_EXCL_START: docs/quality.md, what no test reaches
        root = std::numeric_limits<double>::quiet_NaN();
    }  // GCOVR_EXCL_STOP
    if (param != nullptr) param->valueScale = std::max(param->valueScale, counted.largestAbs());
    if (std::isnan(root) || counted.count() > limit) {
        // A count above the limit tells that the limit, not the function, ended the search.
        if (param != nullptr && counted.count() >= limit) param->iterations = std::max(counted.count(), limit + 1);
        return std::isnan(counted.best()) ? a + (b - a) / 2 : counted.best();
    }
    if (param != nullptr) param->iterations = std::max(1, counted.count());
    return root;
}

bool lm_solveSucceeded(const lmParam* param) {
    return param != nullptr && param->iterations > 0 && param->iterations <= limitOf(param);
}

bool lm_solveRanOut(const lmParam* param) { return param != nullptr && param->iterations > limitOf(param); }

double lm_minimizeFx(lmSolveCallback f, double a, double b, lmParam* param, double* fmin) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    if (fmin != nullptr) *fmin = nan;
    if (!std::isfinite(a) || !std::isfinite(b)) return nan;
    if (a > b) std::swap(a, b);
    CountedFunction counted(f, param);
    try {
        std::uintmax_t iterations = static_cast<std::uintmax_t>(limitOf(param));
        // Half the mantissa's bits: Brent's minimiser cannot place a minimum closer than sqrt(epsilon).
        const std::pair<double, double> result = boost::math::tools::brent_find_minima(
            [&counted](double x) { return counted(x); }, a, b, std::numeric_limits<double>::digits / 2, iterations);
        if (fmin != nullptr) *fmin = result.second;
        return result.first;
    } catch (...) {  // GCOVR_EXCL_START: docs/quality.md, what no test reaches
        return nan;
    }  // GCOVR_EXCL_STOP
}
