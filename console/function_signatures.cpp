// SPDX-License-Identifier: MIT
// The function and constant table of docs/functions.md, as the console's completion list.
#include "console/function_signatures.h"

#include <algorithm>

namespace {

std::vector<FunctionSignature> makeTable() {
    // Signatures and summaries as docs/functions.md gives them.
    std::vector<FunctionSignature> table = {
        {L"abs", L"abs(x)", L"absolute value", false},
        {L"acos", L"acos(x)", L"inverse cosine, in radians", false},
        {L"acosh", L"acosh(x)", L"inverse hyperbolic cosine", false},
        {L"asin", L"asin(x)", L"inverse sine, in radians", false},
        {L"asinh", L"asinh(x)", L"inverse hyperbolic sine", false},
        {L"atan", L"atan(x)", L"inverse tangent, in radians", false},
        {L"atan2", L"atan2(y, x)", L"angle of the point (x, y), -pi..pi", false},
        {L"atanh", L"atanh(x)", L"inverse hyperbolic tangent", false},
        {L"bern", L"bern(n)", L"Bernoulli number B_n", false},
        {L"beta", L"beta(a, b)", L"Beta function Gamma(a)Gamma(b)/Gamma(a+b)", false},
        {L"cbrt", L"cbrt(x)", L"cube root", false},
        {L"ceil", L"ceil(x)", L"next integer up", false},
        {L"cos", L"cos(x)", L"cosine, x in radians", false},
        {L"cosh", L"cosh(x)", L"hyperbolic cosine", false},
        {L"erf", L"erf(x)", L"error function", false},
        {L"erfc", L"erfc(x)", L"1 - erf(x)", false},
        {L"exp", L"exp(x)", L"e^x", false},
        {L"fact", L"fact(n)", L"n!, Gamma(n+1) for non-integers", false},
        {L"floor", L"floor(x)", L"next integer down", false},
        {L"fmod", L"fmod(x, y)", L"remainder of x/y with the sign of x", false},
        {L"gamma", L"gamma(x)", L"Gamma(x)", false},
        {L"gammaln", L"gammaln(x)", L"ln |Gamma(x)|", false},
        {L"gauss", L"gauss(x)  gauss(x, mu, sigma)", L"normal (Gauss) probability density", false},
        {L"hypot", L"hypot(x, y)", L"sqrt(x^2 + y^2) without overflow", false},
        {L"int", L"int(x)", L"integer part, toward zero", false},
        {L"j0", L"j0(x)", L"Bessel function of the first kind, order 0", false},
        {L"j1", L"j1(x)", L"Bessel function of the first kind, order 1", false},
        {L"jn", L"jn(n, x)", L"Bessel function of the first kind, order n", false},
        {L"ln", L"ln(x)", L"natural logarithm", false},
        {L"log", L"log(x)", L"base-10 logarithm", false},
        {L"log2", L"log2(x)", L"base-2 logarithm", false},
        {L"lorentz", L"lorentz(x)  lorentz(x, x0, g)", L"Cauchy (Lorentz) probability density", false},
        {L"max", L"max(x, ...)", L"largest argument", false},
        {L"min", L"min(x, ...)", L"smallest argument", false},
        {L"plot", L"plot(f(x))  plot(f(x), xmin, xmax, points)", L"draws y = f(x) in a plot window", false},
        {L"pow", L"pow(x, y)", L"x^y", false},
        {L"rand", L"rand()", L"uniform random number in [0, 1)", false},
        {L"rint", L"rint(x)", L"nearest integer, halves to even", false},
        {L"round", L"round(x)", L"nearest integer, halves away from zero", false},
        {L"sign", L"sign(x)", L"-1, 0 or 1", false},
        {L"sin", L"sin(x)", L"sine, x in radians", false},
        {L"sinh", L"sinh(x)", L"hyperbolic sine", false},
        {L"solve", L"solve(f(x))  solve(f(x), a, b)", L"a zero of f(x) in [a, b]", false},
        {L"sqrt", L"sqrt(x)", L"square root", false},
        {L"tan", L"tan(x)", L"tangent, x in radians", false},
        {L"tanh", L"tanh(x)", L"hyperbolic tangent", false},
        {L"time", L"time()", L"seconds since 1970-01-01 00:00 UTC", false},
        {L"trunc", L"trunc(x)", L"integer part, toward zero", false},
        {L"y0", L"y0(x)", L"Bessel function of the second kind, order 0", false},
        {L"y1", L"y1(x)", L"Bessel function of the second kind, order 1", false},
        {L"yn", L"yn(n, x)", L"Bessel function of the second kind, order n", false},
        {L"pi", L"pi", L"3.141592653589793", true},
        {L"_c", L"_c", L"speed of light in vacuum, 299792458 m/s", true},
        {L"_e", L"_e", L"vacuum permittivity, 8.8541878128e-12 F/m", true},
        {L"_h", L"_h", L"Planck constant, 6.62607015e-34 J s", true},
        {L"_k", L"_k", L"Boltzmann constant, 1.380649e-23 J/K", true},
        {L"_m", L"_m", L"electron mass, 9.1093837015e-31 kg", true},
        {L"_n", L"_n", L"Avogadro constant, 6.02214076e23 1/mol", true},
        {L"_q", L"_q", L"elementary charge, 1.602176634e-19 C", true},
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
