// SPDX-License-Identifier: MIT
// The zero finder shared by the solve command and the solver dialog, and the dialog's routine.
#include "engine/solve_function.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <limits>
#include <memory>
#include <new>

#include "engine/interpreter.h"
#include "engine/messages.h"

namespace {

/// Longest number text in a solver dialog result.
constexpr int kResultNumberMax = 63;
/// A converged search's |f(x)| counts as a zero up to this share of the function's size on the interval. A
/// smooth zero leaves far less (the search stops within its relative tolerance of x, 1e-6 by default); a jump
/// across 0 (floor(x)-0.5, a pole) leaves a good part of it.
constexpr double kZeroShare = 1e-3;

/// The root finder's function: the parser findZero stored in the parameter record, at x.
double atParser(double x, lmParam* param) { return param->parser->evalfx(x); }

/// Two ends this close (relative to their size) leave no interval to search.
bool isDegenerate(double a, double b) {
    return a == b || std::fabs(a - b) <= (std::fabs(a) + std::fabs(b)) * std::numeric_limits<double>::epsilon();
}

std::wstring formatNumber(double value) {
    std::wstring text;
    lm_reformatAuto(value, text, kResultNumberMax);
    return text;
}

/// A console message ("   ! unknown function") as the dialog words its own ("! Unknown function").
std::wstring dialogMessage(const std::wstring& message) {
    std::wstring text = message.substr(std::min(message.find_first_not_of(L" !"), message.size()));
    if (text.empty()) return msg::kInvalidFunction;
    text[0] = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(text[0])));
    return L"! " + text;
}

}  // namespace

bool ZeroSearch::isZero() const {
    return converged && (y == 0 || std::fabs(y) <= kZeroShare * scale);
}

ZeroSearch findZero(lmParser& parser, lmParam& param, double a, double b) {
    ZeroSearch search;
    param.parser = &parser;
    search.signChange = lm_guessFz(atParser, &a, &b, &param) == 1;
    search.x = lm_solveFz(atParser, a, b, &param);
    param.parser = nullptr;
    search.converged = lm_solveSucceeded(&param);
    search.ranOut = lm_solveRanOut(&param);
    search.scale = param.valueScale;
    search.y = parser.evalfx(search.x);
    return search;
}

std::wstring noZeroNote(const ZeroSearch& search, double a, double b) {
    if (search.isZero()) return {};
    if (search.ranOut) return msg::kNoRootIterations;
    if (!search.signChange) return fillMessage(msg::kNoRootNoSignChange, {formatNumber(a), formatNumber(b)});
    if (search.converged) return fillMessage(msg::kNoRootJump, {formatNumber(search.x)});
    return fillMessage(msg::kNoRootAcrossPole, {formatNumber(a), formatNumber(b)});
}

std::wstring Interpreter::solveFunction(const std::wstring& function, double lower, double upper, double* x,
                                        double* y) {
    if (function.empty()) return msg::kEmptyFunction;
    if (function.find(L'x') == std::wstring::npos) return msg::kNoX;
    if (isDegenerate(lower, upper)) return msg::kInvalidInterval;

    m_engine.clearError();
    std::unique_ptr<lmParser> parser(new (std::nothrow) lmParser(&m_engine, &m_param));  // GCOVR_EXCL_LINE
    if (!parser) return msg::kNoMemory;  // GCOVR_EXCL_LINE: docs/quality.md, what no test reaches
    std::wstring text = function.substr(0, kEntryMax);
    if (lm_removeSpace(text) < 1) return msg::kEmptyFunction;
    // The dialog reads a function as the console does: the user's functions, constants and the angle unit.
    std::wstring expanded, problem;
    if (!expandFunction(text, expanded, problem)) return dialogMessage(problem);
    if (parser->init(expanded) < 1) {
        parser->release();
        return msg::kInvalidFunction;
    }

    const ZeroSearch search = findZero(*parser, m_param, lower, upper);
    parser->release();

    if (x) *x = search.x;
    if (y) *y = search.y;
    // The console's note under a solve reply and this answer agree: both ask isZero().
    if (search.isZero()) return L"x = " + formatNumber(search.x) + L"\ny = " + formatNumber(search.y);
    return msg::kNoRealSolution;
}
