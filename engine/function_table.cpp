// SPDX-License-Identifier: MIT
#include "engine/function_table.h"

#include <algorithm>

#include "engine/user_functions.h"

namespace {

using C = FunctionCategory;

/// The table in menu order: categories one after another, functions in the order a user looks for them.
const std::vector<FunctionSignature>& menuOrder() {
    static const std::vector<FunctionSignature> table = {
        {L"exp", L"exp(x)", L"e^x", false, C::Powers},
        {L"ln", L"ln(x)", L"natural logarithm", false, C::Powers},
        {L"log", L"log(x)", L"base-10 logarithm", false, C::Powers},
        {L"log2", L"log2(x)", L"base-2 logarithm", false, C::Powers},
        {L"pow", L"pow(x, y)", L"x^y", false, C::Powers},
        {L"sqrt", L"sqrt(x)", L"square root", false, C::Powers},
        {L"cbrt", L"cbrt(x)", L"cube root", false, C::Powers},
        {L"hypot", L"hypot(x, y)", L"sqrt(x^2 + y^2) without overflow", false, C::Powers},

        {L"sin", L"sin(x)", L"sine, x in the angle unit", false, C::Trigonometric},
        {L"cos", L"cos(x)", L"cosine, x in the angle unit", false, C::Trigonometric},
        {L"tan", L"tan(x)", L"tangent, x in the angle unit", false, C::Trigonometric},
        {L"cot", L"cot(x)", L"cotangent cos(x)/sin(x), x in the angle unit", false, C::Trigonometric},
        {L"sec", L"sec(x)", L"secant 1/cos(x), x in the angle unit", false, C::Trigonometric},
        {L"csc", L"csc(x)", L"cosecant 1/sin(x), x in the angle unit", false, C::Trigonometric},
        {L"asin", L"asin(x)", L"inverse sine, in the angle unit", false, C::Trigonometric},
        {L"acos", L"acos(x)", L"inverse cosine, in the angle unit", false, C::Trigonometric},
        {L"atan", L"atan(x)", L"inverse tangent, in the angle unit", false, C::Trigonometric},
        {L"atan2", L"atan2(y, x)", L"angle of the point (x, y), in the angle unit", false, C::Trigonometric},
        {L"degrees", L"degrees(x)", L"x radians in degrees", false, C::Trigonometric},
        {L"radians", L"radians(x)", L"x degrees in radians", false, C::Trigonometric},

        {L"sinh", L"sinh(x)", L"hyperbolic sine", false, C::Hyperbolic},
        {L"cosh", L"cosh(x)", L"hyperbolic cosine", false, C::Hyperbolic},
        {L"tanh", L"tanh(x)", L"hyperbolic tangent", false, C::Hyperbolic},
        {L"asinh", L"asinh(x)", L"inverse hyperbolic sine", false, C::Hyperbolic},
        {L"acosh", L"acosh(x)", L"inverse hyperbolic cosine", false, C::Hyperbolic},
        {L"atanh", L"atanh(x)", L"inverse hyperbolic tangent", false, C::Hyperbolic},

        {L"abs", L"abs(x)", L"absolute value", false, C::Rounding},
        {L"sign", L"sign(x)", L"-1, 0 or 1", false, C::Rounding},
        {L"ceil", L"ceil(x)", L"next integer up", false, C::Rounding},
        {L"floor", L"floor(x)", L"next integer down", false, C::Rounding},
        {L"int", L"int(x)", L"integer part, toward zero", false, C::Rounding},
        {L"trunc", L"trunc(x)", L"integer part, toward zero", false, C::Rounding},
        {L"round", L"round(x)", L"nearest integer, halves away from zero", false, C::Rounding},
        {L"rint", L"rint(x)", L"nearest integer, halves to even", false, C::Rounding},
        {L"frac", L"frac(x)", L"fractional part x - int(x)", false, C::Rounding},
        {L"mod", L"mod(x, y)", L"remainder of x/y with the sign of y", false, C::Rounding},
        {L"fmod", L"fmod(x, y)", L"remainder of x/y with the sign of x", false, C::Rounding},

        {L"fact", L"fact(n)", L"n!, Gamma(n+1) for non-integers", false, C::WholeNumbers},
        {L"gcd", L"gcd(a, b, ...)", L"greatest common divisor of whole numbers", false, C::WholeNumbers},
        {L"lcm", L"lcm(a, b, ...)", L"least common multiple of whole numbers", false, C::WholeNumbers},
        {L"ncr", L"ncr(n, k)", L"combinations: n choose k", false, C::WholeNumbers},
        {L"npr", L"npr(n, k)", L"permutations: n!/(n-k)!", false, C::WholeNumbers},
        {L"bern", L"bern(n)", L"Bernoulli number B_n", false, C::WholeNumbers},

        {L"sum", L"sum(x, ...)", L"sum of the arguments", false, C::Statistics},
        {L"avg", L"avg(x, ...)", L"mean of the arguments", false, C::Statistics},
        {L"median", L"median(x, ...)", L"middle value of the arguments", false, C::Statistics},
        {L"min", L"min(x, ...)", L"smallest argument", false, C::Statistics},
        {L"max", L"max(x, ...)", L"largest argument", false, C::Statistics},
        {L"gauss", L"gauss(x)  gauss(x, mu, sigma)", L"normal (Gauss) probability density", false, C::Statistics},
        {L"lorentz", L"lorentz(x)  lorentz(x, x0, g)", L"Cauchy (Lorentz) probability density", false, C::Statistics},

        {L"gamma", L"gamma(x)", L"Gamma(x)", false, C::Special},
        {L"gammaln", L"gammaln(x)", L"ln |Gamma(x)|", false, C::Special},
        {L"beta", L"beta(a, b)", L"Beta function Gamma(a)Gamma(b)/Gamma(a+b)", false, C::Special},
        {L"erf", L"erf(x)", L"error function", false, C::Special},
        {L"erfc", L"erfc(x)", L"1 - erf(x)", false, C::Special},
        {L"j0", L"j0(x)", L"Bessel function of the first kind, order 0", false, C::Special},
        {L"j1", L"j1(x)", L"Bessel function of the first kind, order 1", false, C::Special},
        {L"jn", L"jn(n, x)", L"Bessel function of the first kind, order n", false, C::Special},
        {L"y0", L"y0(x)", L"Bessel function of the second kind, order 0", false, C::Special},
        {L"y1", L"y1(x)", L"Bessel function of the second kind, order 1", false, C::Special},
        {L"yn", L"yn(n, x)", L"Bessel function of the second kind, order n", false, C::Special},

        {L"band", L"band(x, y, ...)", L"bitwise and of 64-bit whole numbers", false, C::Bitwise},
        {L"bor", L"bor(x, y, ...)", L"bitwise or of 64-bit whole numbers", false, C::Bitwise},
        {L"bxor", L"bxor(x, y, ...)", L"bitwise exclusive or of 64-bit whole numbers", false, C::Bitwise},
        {L"bnot", L"bnot(x)", L"bitwise not of a 64-bit whole number, -x-1", false, C::Bitwise},
        {L"shl", L"shl(x, n)", L"x shifted left by n bits (0 to 63)", false, C::Bitwise},
        {L"shr", L"shr(x, n)", L"x shifted right by n bits (0 to 63), sign kept", false, C::Bitwise},

        {L"rand", L"rand()", L"uniform random number in [0, 1)", false, C::Other},
        {L"time", L"time()", L"seconds since 1970-01-01 00:00 UTC", false, C::Other},

        {L"pi", L"pi", L"3.141592653589793", true, C::Constants},
        {L"_q", L"_q", L"elementary charge, 1.602176634e-19 C", true, C::Constants},
        {L"_m", L"_m", L"electron mass, 9.1093837015e-31 kg", true, C::Constants},
        {L"_k", L"_k", L"Boltzmann constant, 1.380649e-23 J/K", true, C::Constants},
        {L"_h", L"_h", L"Planck constant, 6.62607015e-34 J s", true, C::Constants},
        {L"_c", L"_c", L"speed of light in vacuum, 299792458 m/s", true, C::Constants},
        {L"_e", L"_e", L"vacuum permittivity, 8.8541878128e-12 F/m", true, C::Constants},
        {L"_n", L"_n", L"Avogadro constant, 6.02214076e23 1/mol", true, C::Constants},

        {L"plot", L"plot(f(x))  plot(f(x), xmin, xmax, points)", L"draws y = f(x) in a plot window", false,
         C::Commands},
        {L"solve", L"solve(f(x))  solve(f(x), a, b)", L"a zero of f(x) in [a, b]", false, C::Commands},
    };
    return table;
}

}  // namespace

const std::vector<FunctionCategory>& functionCategories() {
    static const std::vector<FunctionCategory> categories = {
        C::Powers,  C::Trigonometric, C::Hyperbolic, C::Rounding,  C::WholeNumbers, C::Statistics,
        C::Special, C::Bitwise,       C::Other,      C::Constants, C::Commands};
    return categories;
}

const wchar_t* functionCategoryLabel(FunctionCategory category) {
    // In the order of FunctionCategory.
    static const wchar_t* const kLabels[] = {
        L"Powers and logarithms", L"Trigonometric", L"Hyperbolic",      L"Rounding and remainders",
        L"Whole numbers",         L"Statistics",    L"Special functions", L"Bit operations",
        L"Random and time",       L"Constants",     L"Commands"};
    return kLabels[static_cast<size_t>(category)];
}

const std::vector<FunctionSignature>& functionSignatures() {
    static const std::vector<FunctionSignature> sorted = [] {
        std::vector<FunctionSignature> table = menuOrder();
        std::sort(table.begin(), table.end(), [](const FunctionSignature& a, const FunctionSignature& b) {
            return std::wstring(a.name) < std::wstring(b.name);
        });
        return table;
    }();
    return sorted;
}

std::vector<const FunctionSignature*> functionsIn(FunctionCategory category) {
    std::vector<const FunctionSignature*> entries;
    for (const FunctionSignature& entry : menuOrder())
        if (entry.category == category) entries.push_back(&entry);
    return entries;
}

const FunctionSignature* findFunctionSignature(const std::wstring& name) {
    for (const FunctionSignature& entry : functionSignatures())
        if (name == entry.name) return &entry;
    return nullptr;
}

std::vector<std::wstring> completionsFor(const std::wstring& prefix, std::size_t minLength, const UserFunctions* user) {
    std::vector<std::wstring> names;
    if (prefix.size() < minLength) return names;
    auto offer = [&](const std::wstring& name) {
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0) names.push_back(name);
    };
    for (const FunctionSignature& entry : functionSignatures()) offer(entry.name);
    if (user)
        for (const UserFunction& function : user->list()) offer(function.name);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}
