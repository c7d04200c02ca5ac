// SPDX-License-Identifier: MIT
// Accurate sin, cos, tan (with the long double and sincos forms), acosh, tgamma and lgamma for the Windows
// build. The mingw-w64 C runtime computes sin and cos with the x87 instructions, whose built-in 66-bit pi
// makes sin(1e22) come out with the wrong sign and costs the Bessel functions at 1e8 a thousand units in
// the last place; its acosh loses half the digits next to 1, and its tgamma and lgamma lose digits at the
// far ends of their range. These definitions replace the runtime's for the whole program (the linker takes
// a program's own definition before the runtime's).
#include <cmath>
#include <cstdint>

#include <boost/math/constants/constants.hpp>
#include <boost/math/special_functions/acosh.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <boost/multiprecision/cpp_bin_float.hpp>

namespace {

namespace bmp = boost::math::policies;
using QuietPolicy = bmp::policy<bmp::domain_error<bmp::ignore_error>, bmp::pole_error<bmp::ignore_error>,
                                bmp::overflow_error<bmp::ignore_error>, bmp::evaluation_error<bmp::ignore_error>>;

/// Enough bits for x - n pi/2 to keep 64 bits when x is the largest double (2^1024) and n pi/2 nearly equals it.
namespace mp = boost::multiprecision;
using Wide = mp::number<mp::cpp_bin_float<1200, mp::digit_base_2>>;

/// Arguments up to this size go to the x87 instructions directly: their error is below one unit there.
constexpr long double kDirectLimit = 0.785398163397448309616L;  // pi/4

long double x87Sin(long double r) {
    long double y;
    asm("fsin" : "=t"(y) : "0"(r));
    return y;
}

long double x87Cos(long double r) {
    long double y;
    asm("fcos" : "=t"(y) : "0"(r));
    return y;
}

/// x - n pi/2 with |result| <= pi/4, and n mod 4.
long double reduce(long double x, int* quadrant) {
    static const Wide halfPi = boost::math::constants::half_pi<Wide>();
    const Wide wideX = x;
    const Wide n = mp::round(wideX / halfPi);
    const Wide quarter = n - 4 * mp::floor(n / 4);
    *quadrant = static_cast<int>(quarter);
    return static_cast<long double>(wideX - n * halfPi);
}

long double preciseSin(long double x) {
    if (!std::isfinite(x)) return x - x;  // NaN, also for the infinities
    if (std::fabs(x) <= kDirectLimit) return x87Sin(x);
    int quadrant = 0;
    const long double r = reduce(x, &quadrant);
    switch (quadrant) {
        case 0: return x87Sin(r);
        case 1: return x87Cos(r);
        case 2: return -x87Sin(r);
        default: return -x87Cos(r);
    }
}

long double preciseCos(long double x) {
    if (!std::isfinite(x)) return x - x;
    if (std::fabs(x) <= kDirectLimit) return x87Cos(x);
    int quadrant = 0;
    const long double r = reduce(x, &quadrant);
    switch (quadrant) {
        case 0: return x87Cos(r);
        case 1: return -x87Sin(r);
        case 2: return -x87Cos(r);
        default: return x87Sin(r);
    }
}

}  // namespace

// The double and the long double forms: Boost.Math evaluates double functions in long double.
extern "C" double sin(double x) { return static_cast<double>(preciseSin(x)); }
extern "C" double cos(double x) { return static_cast<double>(preciseCos(x)); }
extern "C" long double sinl(long double x) { return preciseSin(x); }
extern "C" long double cosl(long double x) { return preciseCos(x); }
extern "C" double tan(double x) { return static_cast<double>(preciseSin(x) / preciseCos(x)); }
// The compiler joins sin(x) and cos(x) of one argument into a single call.
extern "C" void sincos(double x, double* s, double* c) {
    *s = static_cast<double>(preciseSin(x));
    *c = static_cast<double>(preciseCos(x));
}
// The runtime keeps the three forms in one unit: the float one is defined here too, so that unit never joins.
extern "C" void sincosf(float x, float* s, float* c) {
    *s = static_cast<float>(preciseSin(x));
    *c = static_cast<float>(preciseCos(x));
}
extern "C" void sincosl(long double x, long double* s, long double* c) {
    *s = preciseSin(x);
    *c = preciseCos(x);
}

extern "C" double acosh(double x) { return boost::math::acosh(x, QuietPolicy()); }

extern "C" double tgamma(double x) { return boost::math::tgamma(x, QuietPolicy()); }

extern "C" double lgamma(double x) { return boost::math::lgamma(x, QuietPolicy()); }
