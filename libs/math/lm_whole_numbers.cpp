// SPDX-License-Identifier: MIT
// Functions of whole numbers: gcd, lcm, ncr, npr and the bit operations on 64-bit two's complement.
// A fraction, or an operand beyond 64 bits, is not an error of the text: the value is nan and the problem is
// noted for the caller, which tells the user why.
#include "libs/math/lm_engine_impl.h"

#include <boost/math/special_functions/beta.hpp>
#include <boost/math/special_functions/binomial.hpp>
#include <boost/math/special_functions/factorials.hpp>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

namespace bmp = boost::math::policies;
using QuietPolicy = bmp::policy<bmp::domain_error<bmp::ignore_error>, bmp::pole_error<bmp::ignore_error>,
                                bmp::overflow_error<bmp::ignore_error>, bmp::underflow_error<bmp::ignore_error>,
                                bmp::evaluation_error<bmp::ignore_error>, bmp::promote_double<true>>;

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
/// Below 2^53 every whole number is a double, so products under it are exact.
constexpr double kExactLimit = 9007199254740992.0;
constexpr double kTwoTo63 = 9223372036854775808.0;
constexpr double kTwoTo64 = 18446744073709551616.0;
constexpr int kBits = 64;

bool isWhole(double x) { return std::isfinite(x) && x == std::floor(x); }

/// Notes the first problem of an evaluation and gives nan.
double refuse(void* problem, lmValueProblem why) {
    auto* noted = static_cast<lmValueProblem*>(problem);
    if (*noted == lmValueProblem::None) *noted = why;
    return kNan;
}

/// Whole arguments pass; nan passes silently (the result is nan anyway); a fraction or infinity is refused.
bool wholeArguments(void* problem, const double* args, int count, double* result) {
    for (int i = 0; i < count; ++i) {
        if (std::isnan(args[i])) {
            *result = kNan;
            return false;
        }
        if (!isWhole(args[i])) {
            *result = refuse(problem, lmValueProblem::NotWhole);
            return false;
        }
    }
    return true;
}

/// Euclid's algorithm on doubles: fmod of whole numbers is exact.
double gcdOf(double a, double b) {
    a = std::fabs(a);
    b = std::fabs(b);
    while (b != 0) {
        const double r = std::fmod(a, b);
        a = b;
        b = r;
    }
    return a;
}

double fnGcd(void* problem, const double* args, int count) {
    double result = 0;
    if (!wholeArguments(problem, args, count, &result)) return result;
    for (int i = 0; i < count; ++i) result = gcdOf(result, args[i]);
    return result;
}

double fnLcm(void* problem, const double* args, int count) {
    double result = 0;
    if (!wholeArguments(problem, args, count, &result)) return result;
    result = std::fabs(args[0]);
    for (int i = 1; i < count; ++i) {
        const double b = std::fabs(args[i]);
        result = result == 0 || b == 0 ? 0.0 : result / gcdOf(result, b) * b;
    }
    return result;
}

/// n choose k: exact by the multiplicative formula while it stays below 2^53, else Boost's Beta function.
double fnNcr(void* problem, double n, double k) {
    const double args[] = {n, k};
    double result = 0;
    if (!wholeArguments(problem, args, 2, &result)) return result;
    if (n < 0 || k < 0) return kNan;
    if (k > n) return 0.0;
    k = std::min(k, n - k);
    result = 1;
    for (double i = 1; i <= k; ++i) {
        const double product = result * (n - k + i);
        if (product >= kExactLimit) {
            if (n <= UINT_MAX) {
                return boost::math::binomial_coefficient<double>(static_cast<unsigned>(n), static_cast<unsigned>(k),
                                                                 QuietPolicy());
            }
            const double b = k * boost::math::beta(k, n - k + 1, QuietPolicy());
            return b == 0 ? kInf : std::ceil(1 / b - 0.5);
        }
        result = product / i;
    }
    return result;
}

/// Ordered selections n!/(n-k)!: exact while below 2^53, else Boost's falling factorial.
double fnNpr(void* problem, double n, double k) {
    const double args[] = {n, k};
    double result = 0;
    if (!wholeArguments(problem, args, 2, &result)) return result;
    if (n < 0 || k < 0) return kNan;
    if (k > n) return 0.0;
    result = 1;
    for (double i = 0; i < k; ++i) {
        result *= n - i;
        if (result >= kExactLimit) {
            if (k > UINT_MAX) return kInf;
            return boost::math::falling_factorial(n, static_cast<unsigned>(k), QuietPolicy());
        }
    }
    return result;
}

/// The 64-bit pattern of a whole number from -2^63 to 2^64 - 1 (two's complement below 0).
bool toBits(void* problem, double x, std::uint64_t* bits, double* result) {
    if (std::isnan(x)) {
        *result = kNan;
        return false;
    }
    if (std::isinf(x) || x < -kTwoTo63 || x >= kTwoTo64) {
        *result = refuse(problem, lmValueProblem::OutOfRange);
        return false;
    }
    if (x != std::floor(x)) {
        *result = refuse(problem, lmValueProblem::NotWhole);
        return false;
    }
    *bits = x < 0 ? static_cast<std::uint64_t>(static_cast<std::int64_t>(x)) : static_cast<std::uint64_t>(x);
    return true;
}

/// A bit pattern read as a signed 64-bit number (exact as a double up to 2^53).
double fromBits(std::uint64_t bits) {
    return bits >= (std::uint64_t{1} << 63) ? -static_cast<double>(~bits) - 1 : static_cast<double>(bits);
}

enum class BitOp { And, Or, Xor };

template <BitOp Op> double fnBitwise(void* problem, const double* args, int count) {
    std::uint64_t bits = 0, next = 0;
    double result = 0;
    if (!toBits(problem, args[0], &bits, &result)) return result;
    for (int i = 1; i < count; ++i) {
        if (!toBits(problem, args[i], &next, &result)) return result;
        if (Op == BitOp::And) bits &= next;
        else if (Op == BitOp::Or) bits |= next;
        else bits ^= next;
    }
    return fromBits(bits);
}

double fnBnot(void* problem, double x) {
    std::uint64_t bits = 0;
    double result = 0;
    return toBits(problem, x, &bits, &result) ? fromBits(~bits) : result;
}

/// A shift count: a whole number from 0 to 63.
bool toShift(void* problem, double n, int* shift, double* result) {
    if (std::isnan(n)) {
        *result = kNan;
        return false;
    }
    if (!isWhole(n) && !std::isinf(n)) {
        *result = refuse(problem, lmValueProblem::NotWhole);
        return false;
    }
    if (!(n >= 0 && n < kBits)) {
        *result = refuse(problem, lmValueProblem::OutOfRange);
        return false;
    }
    *shift = static_cast<int>(n);
    return true;
}

double fnShl(void* problem, double x, double n) {
    std::uint64_t bits = 0;
    int shift = 0;
    double result = 0;
    if (!toBits(problem, x, &bits, &result) || !toShift(problem, n, &shift, &result)) return result;
    return fromBits(bits << shift);
}

/// Arithmetic shift: the sign bit is copied in, so shr(x, n) is floor(x / 2^n).
double fnShr(void* problem, double x, double n) {
    std::uint64_t bits = 0;
    int shift = 0;
    double result = 0;
    if (!toBits(problem, x, &bits, &result) || !toShift(problem, n, &shift, &result)) return result;
    const bool negative = bits >> (kBits - 1) != 0;
    const std::uint64_t shifted = negative ? ~(~bits >> shift) : bits >> shift;
    return fromBits(shifted);
}

}  // namespace

void lmDefineWholeNumberFunctions(mu::ParserBase& parser, lmValueProblem* problem) {
    // Not folded into constants when the text is parsed: the problem is noted by the evaluation that hits it.
    constexpr bool kFold = false;
    parser.DefineFunUserData("gcd", fnGcd, problem, kFold);
    parser.DefineFunUserData("lcm", fnLcm, problem, kFold);
    parser.DefineFunUserData("ncr", fnNcr, problem, kFold);
    parser.DefineFunUserData("npr", fnNpr, problem, kFold);
    parser.DefineFunUserData("band", fnBitwise<BitOp::And>, problem, kFold);
    parser.DefineFunUserData("bor", fnBitwise<BitOp::Or>, problem, kFold);
    parser.DefineFunUserData("bxor", fnBitwise<BitOp::Xor>, problem, kFold);
    parser.DefineFunUserData("bnot", fnBnot, problem, kFold);
    parser.DefineFunUserData("shl", fnShl, problem, kFold);
    parser.DefineFunUserData("shr", fnShr, problem, kFold);
}
