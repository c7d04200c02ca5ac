// SPDX-License-Identifier: MIT
// DelvoApp's solve routine for the solver dialog: f(x) = 0 on an interval with the shared engine and parameters.
#include <cmath>
#include <limits>
#include <memory>
#include <new>

#include "app/delvo_app.h"

namespace {

/// Longest number text in a solver result.
constexpr int kResultNumberMax = 63;

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

double DelvoApp::solveCallback(double x, lmParam* param) {
    return param && param->parser ? param->parser->evalfx(x) : 0;
}

std::wstring DelvoApp::solveFunction(const std::wstring& function, double lower, double upper, double* x, double* y) {
    if (function.empty()) return L"! Empty function";
    if (function.find(L'x') == std::wstring::npos) return L"! No x in function";
    if (isDegenerate(lower, upper)) return L"! Invalid interval";

    lmDelvo& engine = m_interpreter.engine();
    lmParam& param = m_interpreter.param();
    engine.clearError();
    std::unique_ptr<lmParser> parser(new (std::nothrow) lmParser(&engine, &param));
    if (!parser) return L"   ! insufficient memory";
    std::wstring text = function.substr(0, kLongestFunction);
    if (lm_removeSpace(text) < 1) return L"! Empty function";
    if (parser->init(text) < 1) {
        parser->release();
        return L"! Invalid function";
    }

    if (param.getMaxiter() >= 0) param.iterations = 0;
    param.parser = parser.get();
    double a = lower, b = upper;
    lm_guessFz(solveCallback, &a, &b, &param);
    const double zero = lm_solveFz(solveCallback, a, b, &param);
    const double value = param.parser ? parser->evalfx(zero) : 0;
    param.parser = nullptr;
    parser->release();

    if (x) *x = zero;
    if (y) *y = value;
    if (param.iterations > 0) return L"x = " + formatNumber(zero) + L"\ny = " + formatNumber(value);
    return L"No real solution found\nin the specified interval";
}
