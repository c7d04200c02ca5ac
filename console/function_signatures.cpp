// SPDX-License-Identifier: MIT
// The function and constant table of docs/functions.md, as the console's completion list.
#include "console/function_signatures.h"

#include <algorithm>

namespace {

std::vector<FunctionSignature> makeTable() {
    std::vector<FunctionSignature> table = {
        {L"abs", L"abs(x)", L"absolute value", false},
        {L"acos", L"acos(x)", L"arc cosine, radians", false},
        {L"acosh", L"acosh(x)", L"inverse hyperbolic cosine", false},
        {L"asin", L"asin(x)", L"arc sine, radians", false},
        {L"asinh", L"asinh(x)", L"inverse hyperbolic sine", false},
        {L"atan", L"atan(x)", L"arc tangent, radians", false},
        {L"atan2", L"atan2(y, x)", L"angle of the point (x, y), radians", false},
        {L"atanh", L"atanh(x)", L"inverse hyperbolic tangent", false},
        {L"bern", L"bern(n)", L"Bernoulli number B(n)", false},
        {L"beta", L"beta(a, b)", L"beta function", false},
        {L"cbrt", L"cbrt(x)", L"cube root", false},
        {L"ceil", L"ceil(x)", L"smallest integer not below x", false},
        {L"cos", L"cos(x)", L"cosine, x in radians", false},
        {L"cosh", L"cosh(x)", L"hyperbolic cosine", false},
        {L"erf", L"erf(x)", L"error function", false},
        {L"erfc", L"erfc(x)", L"complementary error function", false},
        {L"exp", L"exp(x)", L"e to the power x", false},
        {L"fact", L"fact(n)", L"factorial n!", false},
        {L"floor", L"floor(x)", L"largest integer not above x", false},
        {L"fmod", L"fmod(x, y)", L"remainder of x / y", false},
        {L"gamma", L"gamma(x)", L"gamma function", false},
        {L"gammaln", L"gammaln(x)", L"logarithm of the gamma function", false},
        {L"gauss", L"gauss(x, mu, sigma)", L"normal density (standard with one argument)", false},
        {L"hypot", L"hypot(x, y)", L"sqrt(x^2 + y^2)", false},
        {L"int", L"int(x)", L"integer part (towards zero)", false},
        {L"j0", L"j0(x)", L"Bessel function J0", false},
        {L"j1", L"j1(x)", L"Bessel function J1", false},
        {L"jn", L"jn(n, x)", L"Bessel function Jn", false},
        {L"ln", L"ln(x)", L"natural logarithm", false},
        {L"log", L"log(x)", L"decimal logarithm", false},
        {L"log2", L"log2(x)", L"binary logarithm", false},
        {L"lorentz", L"lorentz(x, x0, gamma)", L"Cauchy (Lorentz) density (standard with one argument)", false},
        {L"max", L"max(x, y, ...)", L"largest argument", false},
        {L"min", L"min(x, y, ...)", L"smallest argument", false},
        {L"plot", L"plot(f(x), xmin, xmax, points)", L"draws y = f(x) in a plot window", false},
        {L"pow", L"pow(x, y)", L"x to the power y", false},
        {L"rand", L"rand()", L"random number in [0, 1)", false},
        {L"rint", L"rint(x)", L"nearest integer, ties to even", false},
        {L"round", L"round(x)", L"nearest integer, ties away from zero", false},
        {L"sign", L"sign(x)", L"-1, 0 or 1", false},
        {L"sin", L"sin(x)", L"sine, x in radians", false},
        {L"sinh", L"sinh(x)", L"hyperbolic sine", false},
        {L"solve", L"solve(f(x), a, b)", L"zero of f(x) in [a, b]", false},
        {L"sqrt", L"sqrt(x)", L"square root", false},
        {L"tan", L"tan(x)", L"tangent, x in radians", false},
        {L"tanh", L"tanh(x)", L"hyperbolic tangent", false},
        {L"time", L"time()", L"seconds since 1970", false},
        {L"trunc", L"trunc(x)", L"integer part (towards zero)", false},
        {L"y0", L"y0(x)", L"Bessel function Y0", false},
        {L"y1", L"y1(x)", L"Bessel function Y1", false},
        {L"yn", L"yn(n, x)", L"Bessel function Yn", false},
        {L"pi", L"pi", L"3.14159...", true},
        {L"_c", L"_c", L"speed of light, m/s", true},
        {L"_e", L"_e", L"vacuum permittivity, F/m", true},
        {L"_h", L"_h", L"Planck constant, J s", true},
        {L"_k", L"_k", L"Boltzmann constant, J/K", true},
        {L"_m", L"_m", L"electron mass, kg", true},
        {L"_n", L"_n", L"Avogadro constant, 1/mol", true},
        {L"_q", L"_q", L"elementary charge, C", true},
    };
    std::sort(table.begin(), table.end(), [](const FunctionSignature& a, const FunctionSignature& b) {
        return std::wstring(a.name) < std::wstring(b.name);
    });
    return table;
}

}  // namespace

const std::vector<FunctionSignature>& functionSignatures() {
    static const std::vector<FunctionSignature> table = makeTable();
    return table;
}

const FunctionSignature* findFunctionSignature(const std::wstring& name) {
    for (const FunctionSignature& entry : functionSignatures()) {
        if (name == entry.name) return &entry;
    }
    return nullptr;
}

std::vector<std::wstring> completionsFor(const std::wstring& prefix, std::size_t minLength) {
    std::vector<std::wstring> names;
    if (prefix.size() < minLength) return names;
    for (const FunctionSignature& entry : functionSignatures()) {
        const std::wstring name(entry.name);
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0) names.push_back(name);
    }
    return names;
}
