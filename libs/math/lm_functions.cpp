// SPDX-License-Identifier: MIT
// The function and constant table of the parser; docs/functions.md lists it.
#include "libs/math/lm_engine_impl.h"

#include <boost/math/special_functions/bernoulli.hpp>
#include <boost/math/special_functions/bessel.hpp>
#include <boost/math/special_functions/cos_pi.hpp>
#include <boost/math/special_functions/beta.hpp>
#include <boost/math/special_functions/factorials.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <boost/math/special_functions/sin_pi.hpp>

#include <cmath>
#include <ctime>
#include <algorithm>
#include <limits>
#include <vector>

namespace {

namespace bmp = boost::math::policies;
// Special functions answer nan or inf instead of throwing (a calculator shows such values).
using QuietPolicy = bmp::policy<bmp::domain_error<bmp::ignore_error>, bmp::pole_error<bmp::ignore_error>,
                                bmp::overflow_error<bmp::ignore_error>, bmp::underflow_error<bmp::ignore_error>,
                                bmp::denorm_error<bmp::ignore_error>, bmp::evaluation_error<bmp::ignore_error>,
                                bmp::rounding_error<bmp::ignore_error>,
                                bmp::indeterminate_result_error<bmp::ignore_error>, bmp::promote_double<false>>;
/// The same, computing in long double: Y_n's own recurrence gathers 8 units of the last place in double by
/// the order 100.
using WidePolicy = bmp::normalise<QuietPolicy, bmp::promote_double<true>>::type;

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kPi = 3.141592653589793238462643383279502884;

// Constants (CODATA 2018, exact where the SI fixes them).
double constPi() { return kPi; }
double constCharge() { return 1.602176634e-19; }
double constElectronMass() { return 9.1093837015e-31; }
double constBoltzmann() { return 1.380649e-23; }
double constPlanck() { return 6.62607015e-34; }
double constLight() { return 299792458.0; }
double constPermittivity() { return 8.8541878128e-12; }
double constAvogadro() { return 6.02214076e23; }

double fnExp(double x) { return std::exp(x); }
double fnLn(double x) { return std::log(x); }
double fnLog10(double x) { return std::log10(x); }
double fnLog2(double x) { return std::log2(x); }
double fnPow(double x, double y) { return std::pow(x, y); }
double fnSinh(double x) { return std::sinh(x); }
double fnCosh(double x) { return std::cosh(x); }
double fnTanh(double x) { return std::tanh(x); }
double fnAsinh(double x) { return std::asinh(x); }
double fnAcosh(double x) { return std::acosh(x); }
double fnAtanh(double x) { return std::atanh(x); }
double fnAbs(double x) { return std::fabs(x); }
double fnSqrt(double x) { return std::sqrt(x); }
double fnCbrt(double x) { return std::cbrt(x); }
double fnCeil(double x) { return std::ceil(x); }
double fnFloor(double x) { return std::floor(x); }
double fnFmod(double x, double y) { return std::fmod(x, y); }
double fnErf(double x) { return std::erf(x); }
double fnErfc(double x) { return std::erfc(x); }
double fnHypot(double x, double y) { return std::hypot(x, y); }
double fnTrunc(double x) { return std::trunc(x); }
double fnRound(double x) { return std::round(x); }
double fnRint(double x) { return std::nearbyint(x); }
double fnGammaLn(double x) { return std::lgamma(x); }
double fnGamma(double x) { return std::tgamma(x); }

/// Floored remainder: the sign of y, so mod(-7, 3) = 2 (fmod and % keep the sign of x).
double fnMod(double x, double y) {
    const double r = std::fmod(x, y);
    return r != 0 && (r < 0) != (y < 0) ? r + y : r;
}

/// Fractional part with the sign of x: frac(-2.5) = -0.5.
double fnFrac(double x) { return x - std::trunc(x); }

/// Sum with Neumaier's compensation, so sum(0.1, 0.2, 0.3) is the double nearest 0.6.
double compensatedSum(const double* args, int count) {
    double sum = 0, compensation = 0;
    for (int i = 0; i < count; ++i) {
        const double t = sum + args[i];
        if (std::fabs(sum) >= std::fabs(args[i])) compensation += (sum - t) + args[i];
        else compensation += (args[i] - t) + sum;
        sum = t;
    }
    // An infinite term leaves nan in the compensation; the plain sum is then the answer.
    return std::isfinite(sum) ? sum + compensation : sum;
}

double fnSum(const double* args, int count) { return compensatedSum(args, count); }
double fnAvg(const double* args, int count) { return compensatedSum(args, count) / count; }

/// The middle value, or the mean of the two middle values for an even count (nan if any is nan).
double fnMedian(const double* args, int count) {
    std::vector<double> values(args, args + count);
    for (double v : values)
        if (std::isnan(v)) return v;
    const size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<long>(middle), values.end());
    const double upper = values[middle];
    if (values.size() % 2 == 1) return upper;
    const double lower = *std::max_element(values.begin(), values.begin() + static_cast<long>(middle));
    return lower == upper ? upper : lower + (upper - lower) / 2;
}

double fnSign(double x) {
    if (x > 0) return 1.0;
    if (x < 0) return -1.0;
    return x == 0 ? 0.0 : x;  // keeps nan, turns -0 into 0
}

// Near 0, Y_0(x) = (2/pi)(ln(x/2) + Euler's gamma) + O(x^2 ln x); Boost gives -inf for subnormal x.
constexpr double kY0SeriesLimit = 1e-8;
constexpr double kEulerGamma = 0.577215664901532860606512090082402431;
constexpr double kLn2 = 0.693147180559945309417232121458176568;
constexpr int kLongestRecurrence = 100000;

double fnBesselY(double n, double x);

// Orders beyond kLongestRecurrence are answered here: Boost counts integer orders in an int and recurs over
// far non-integer ones for seconds to hours (found by fuzz_math). For 0 < |x| <= n / 2, J_n(x) is below
// the smallest double and Y_n(x) below the most negative one; closer to the order no value is given.
bool farOrder(double n) { return std::fabs(n) > kLongestRecurrence; }

// A negative non-integer order by reflection from the order -n > 0 (Boost's own reflection loses the sign
// of values beyond the double range); a factor that is exactly zero drops its term, so 0 * inf stays out.
double reflected(double cosPart, double j, double sinPart, double y) {
    return (cosPart == 0 ? 0.0 : cosPart * j) + (sinPart == 0 ? 0.0 : sinPart * y);
}

// sin(pi v) and cos(pi v) of the order's remainder modulo 2 (exact): Boost converts the argument to int.
double sinPi(double v) { return boost::math::sin_pi(std::fmod(v, 2.0), QuietPolicy()); }
double cosPi(double v) { return boost::math::cos_pi(std::fmod(v, 2.0), QuietPolicy()); }

double fnBesselJ(double n, double x) {
    if (!std::isfinite(n) || std::isnan(x)) return kNan;  // no value for an infinite order
    if (n < 0 && n != std::floor(n)) {
        // J_-v = cos(pi v) J_v - sin(pi v) Y_v
        const double v = -n;
        return reflected(cosPi(v), fnBesselJ(v, x), -sinPi(v), fnBesselY(v, x));
    }
    if (farOrder(n)) return std::fabs(x) <= std::fabs(n) / 2 ? 0.0 : kNan;
    return boost::math::cyl_bessel_j(n, x, QuietPolicy());
}
// Y_n(x) for an integer order n >= 2 by the upward recurrence from Y_0 and Y_1, which is stable for Y. It runs
// in long double: in double, a hundred steps gather 8 to 13 units of the last place. A value beyond the double
// range is -inf or +inf with the sign the recurrence has reached.
double besselYUpward(int n, double x) {
    const long double wide = x;
    long double previous = boost::math::cyl_neumann(0, wide, QuietPolicy());
    long double current = boost::math::cyl_neumann(1, wide, QuietPolicy());
    for (int k = 1; k < n && std::isfinite(current); ++k) {
        const long double factor = 2.0L * k / wide;
        const long double next = factor * current - previous;
        if (!std::isfinite(next)) return std::signbit(current) == std::signbit(factor) ? kInf : -kInf;
        previous = current;
        current = next;
    }
    return static_cast<double>(current);  // GCOVR_EXCL_LINE: docs/quality.md, what no test reaches
}

double fnBesselY(double n, double x) {
    // An infinite order has no value (Boost would loop for ever over it).
    if (!std::isfinite(n) || std::isnan(x)) return kNan;
    const bool integerOrder = n == std::floor(n) && std::fabs(n) <= kLongestRecurrence;
    if (n < 0 && n == std::floor(n)) {
        // Y_-n = (-1)^n Y_n for integer n.
        const double value = fnBesselY(-n, x);
        return std::fmod(n, 2.0) == 0 ? value : -value;
    }
    // Y_n tends to -inf at 0 for every order n >= 0; Boost's quiet pole value would be nan for n != 0.
    if (x == 0 && n >= 0) return -kInf;
    if (n == 0 && x > 0 && x < kY0SeriesLimit) return (2 / kPi) * (std::log(x) - kLn2 + kEulerGamma);
    if (n < 0) {
        // Y_-v = sin(pi v) J_v + cos(pi v) Y_v
        const double v = -n;
        return reflected(sinPi(v), fnBesselJ(v, x), cosPi(v), fnBesselY(v, x));
    }
    // Beyond the recurrence's reach Y_n(x) ~ -(2n / (e x))^n / sqrt(pi n / 2), which is -inf for 0 < x <= n / 2.
    if (farOrder(n)) return x > 0 && x <= n / 2 ? -kInf : kNan;
    const double value = boost::math::cyl_neumann(n, x, WidePolicy());
    if (std::isnan(value) && integerOrder && n >= 2 && x > 0) return besselYUpward(static_cast<int>(n), x);
    return value;
}
double fnJ0(double x) { return fnBesselJ(0, x); }
double fnJ1(double x) { return fnBesselJ(1, x); }
double fnY0(double x) { return fnBesselY(0, x); }
double fnY1(double x) { return fnBesselY(1, x); }

// Beta works in long double inside: in double its Lanczos ratios lose up to ~100 ulp for large arguments.
using PromotingPolicy = bmp::normalise<QuietPolicy, bmp::promote_double<true>>::type;
double fnBeta(double a, double b) { return boost::math::beta(a, b, PromotingPolicy()); }

/// Bernoulli number B_n with B_1 = -1/2; nan for negative or non-integer n.
double fnBernoulli(double n) {
    if (!(n >= 0) || n != std::floor(n)) return kNan;
    if (n == 0) return 1.0;
    if (n == 1) return -0.5;
    if (std::fmod(n, 2.0) != 0) return 0.0;
    const double k = n / 2;
    // B_2k is positive for odd k, negative for even k; beyond Boost's table it overflows a double.
    if (k > boost::math::max_bernoulli_b2n<double>::value) return std::fmod(k, 2.0) != 0 ? kInf : -kInf;
    return boost::math::bernoulli_b2n<double>(static_cast<int>(k), QuietPolicy());
}

/// n! from the exact table up to 170, Gamma(n+1) for non-integers, inf above 170, nan for negative integers.
double fnFactorial(double n) {
    if (std::isnan(n)) return n;
    if (n == std::floor(n)) {
        if (n < 0) return kNan;
        if (n > 170) return kInf;
        return boost::math::unchecked_factorial<double>(static_cast<unsigned>(n));
    }
    return std::tgamma(n + 1);
}

double fnMin(const double* args, int count) {
    double best = args[0];
    for (int i = 1; i < count; ++i) {
        if (std::isnan(args[i])) return args[i];
        if (args[i] < best) best = args[i];
    }
    return best;
}

double fnMax(const double* args, int count) {
    double best = args[0];
    for (int i = 1; i < count; ++i) {
        if (std::isnan(args[i])) return args[i];
        if (args[i] > best) best = args[i];
    }
    return best;
}

/// Normal density: gauss(x) standard, gauss(x, mu, sigma).
double fnGauss(const double* args, int count) {
    if (count != 1 && count != 3) throw mu::ParserError("gauss takes 1 or 3 arguments");
    const double mu = count == 3 ? args[1] : 0.0;
    const double sigma = count == 3 ? args[2] : 1.0;
    if (!(sigma > 0)) return kNan;
    const double z = (args[0] - mu) / sigma;
    return std::exp(-0.5 * z * z) / (sigma * std::sqrt(2 * kPi));
}

/// Cauchy (Lorentz) density: lorentz(x) standard, lorentz(x, x0, gamma) with half width gamma.
double fnLorentz(const double* args, int count) {
    if (count != 1 && count != 3) throw mu::ParserError("lorentz takes 1 or 3 arguments");
    const double x0 = count == 3 ? args[1] : 0.0;
    const double gamma = count == 3 ? args[2] : 1.0;
    if (!(gamma > 0)) return kNan;
    // Scaled by the larger of |x - x0| and gamma, so that neither square overflows nor underflows.
    const double d = std::fabs(args[0] - x0);
    if (std::isinf(d)) return 0.0;
    const double scale = std::max(d, gamma);
    const double dr = d / scale, gr = gamma / scale;
    return gr / (kPi * (dr * dr + gr * gr)) / scale;
}

double fnRand(void* data) {
    auto* random = static_cast<std::mt19937_64*>(data);
    // 53 random bits: uniform in [0, 1).
    return static_cast<double>((*random)() >> 11) * 0x1.0p-53;
}

double fnTime() { return static_cast<double>(std::time(nullptr)); }

}  // namespace

void lmDefineFunctionTable(mu::ParserBase& parser, std::mt19937_64* random, lmValueProblem* problem) {
    // Binary %: fmod with the precedence of * and /.
    parser.DefineOprt("%", fnFmod, mu::prMUL_DIV, mu::oaLEFT, true);

    parser.DefineFun("pi", constPi);
    parser.DefineFun("_q", constCharge);
    parser.DefineFun("_m", constElectronMass);
    parser.DefineFun("_k", constBoltzmann);
    parser.DefineFun("_h", constPlanck);
    parser.DefineFun("_c", constLight);
    parser.DefineFun("_e", constPermittivity);
    parser.DefineFun("_n", constAvogadro);

    parser.DefineFun("exp", fnExp);
    parser.DefineFun("ln", fnLn);
    parser.DefineFun("log", fnLog10);
    parser.DefineFun("log2", fnLog2);
    parser.DefineFun("pow", fnPow);
    parser.DefineFun("sinh", fnSinh);
    parser.DefineFun("cosh", fnCosh);
    parser.DefineFun("tanh", fnTanh);
    parser.DefineFun("asinh", fnAsinh);
    parser.DefineFun("acosh", fnAcosh);
    parser.DefineFun("atanh", fnAtanh);
    parser.DefineFun("abs", fnAbs);
    parser.DefineFun("sqrt", fnSqrt);
    parser.DefineFun("cbrt", fnCbrt);
    parser.DefineFun("ceil", fnCeil);
    parser.DefineFun("floor", fnFloor);
    parser.DefineFun("fmod", fnFmod);
    parser.DefineFun("erf", fnErf);
    parser.DefineFun("erfc", fnErfc);
    parser.DefineFun("j0", fnJ0);
    parser.DefineFun("j1", fnJ1);
    parser.DefineFun("jn", fnBesselJ);
    parser.DefineFun("y0", fnY0);
    parser.DefineFun("y1", fnY1);
    parser.DefineFun("yn", fnBesselY);
    parser.DefineFun("bern", fnBernoulli);
    parser.DefineFun("gauss", fnGauss);
    parser.DefineFun("lorentz", fnLorentz);
    parser.DefineFun("hypot", fnHypot);
    parser.DefineFun("min", fnMin);
    parser.DefineFun("max", fnMax);
    parser.DefineFunUserData("rand", fnRand, random, false);
    parser.DefineFun("time", fnTime, false);
    parser.DefineFun("sign", fnSign);
    parser.DefineFun("gammaln", fnGammaLn);
    parser.DefineFun("gamma", fnGamma);
    parser.DefineFun("beta", fnBeta);
    parser.DefineFun("trunc", fnTrunc);
    parser.DefineFun("int", fnTrunc);
    parser.DefineFun("round", fnRound);
    parser.DefineFun("rint", fnRint);
    parser.DefineFun("fact", fnFactorial);
    parser.DefineFun("mod", fnMod);
    parser.DefineFun("frac", fnFrac);
    parser.DefineFun("sum", fnSum);
    parser.DefineFun("avg", fnAvg);
    parser.DefineFun("median", fnMedian);
    lmDefineAngleFunctions(parser);
    lmDefineWholeNumberFunctions(parser, problem);
}
