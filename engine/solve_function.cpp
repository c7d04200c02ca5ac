// SPDX-License-Identifier: MIT
// The zero finder shared by the solve command and the solver dialog, and the dialog's routine.
#include "engine/solve_function.h"

#include <cmath>
#include <limits>
#include <memory>
#include <new>

#include "engine/interpreter.h"

namespace {

/// Longest number text in a solver dialog result.
constexpr int kResultNumberMax = 63;

/// The root finder's function: the parser stored in the parameter record at x, or 0 without one.
double atParser(double x, lmParam* param) { return param && param->parser ? param->parser->evalfx(x) : 0; }

/// Two ends this close (relative to their size) leave no interval to search.
bool isDegenerate(double a, double b) {
    return a == b || std::fabs(a - b) <= (std::fabs(a) + std::fabs(b)) * std::numeric_limits<double>::epsilon();
}

std::wstring formatNumber(double value) {
    std::wstring text;
    lm_reformatAuto(value, text, kResultNumberMax);
    return text;
}

}  // namespace

double findZero(lmParser& parser, lmParam& param, double a, double b) {
    param.parser = &parser;
    lm_guessFz(atParser, &a, &b, &param);
    const double zero = lm_solveFz(atParser, a, b, &param);
    param.parser = nullptr;
    return zero;
}

std::wstring Interpreter::solveFunction(const std::wstring& function, double lower, double upper, double* x,
                                        double* y) {
    if (function.empty()) return L"! Empty function";
    if (function.find(L'x') == std::wstring::npos) return L"! No x in function";
    if (isDegenerate(lower, upper)) return L"! Invalid interval";

    m_engine.clearError();
    std::unique_ptr<lmParser> parser(new (std::nothrow) lmParser(&m_engine, &m_param));
    if (!parser) return L"   ! insufficient memory";
    std::wstring text = function.substr(0, kEntryMax);
    if (lm_removeSpace(text) < 1) return L"! Empty function";
    if (parser->init(text) < 1) {
        parser->release();
        return L"! Invalid function";
    }

    if (m_param.getMaxiter() >= 0) m_param.iterations = 0;
    const double zero = findZero(*parser, m_param, lower, upper);
    const double value = parser->evalfx(zero);
    parser->release();

    if (x) *x = zero;
    if (y) *y = value;
    if (m_param.iterations > 0) return L"x = " + formatNumber(zero) + L"\ny = " + formatNumber(value);
    return L"No real solution found\nin the specified interval";
}
