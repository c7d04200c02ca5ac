// SPDX-License-Identifier: MIT
// Functions of angles in radians, degrees and gradians. The degree and gradian forms reduce the argument
// exactly in their own unit, so sin(180 degrees) is 0 and tan(45 degrees) is 1, as a calculator user expects.
#include "libs/math/lm_engine_impl.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kPi = 3.141592653589793238462643383279502884;
constexpr double kDegreesPerRadian = 180 / kPi;
constexpr double kRadiansPerDegree = kPi / 180;

/// An angle unit by the size of its full turn.
struct Turn {
    double full;  // 360 degrees, 400 gradians
    double quarter() const { return full / 4; }
    double eighth() const { return full / 8; }
    double perRadian() const { return full / (2 * kPi); }
};

constexpr Turn kDegrees{360};
constexpr Turn kGradians{400};

/// +0 for either zero, so that tan and cot of a right angle are +inf or -inf by the sign of the other part.
double unsignedZero(double v) { return v == 0 ? 0.0 : v; }

/// sin of u in [0, eighth], with the values a table gives exactly.
double sinOctant(double u, Turn turn) {
    if (u == 0) return 0.0;
    if (u == turn.eighth()) return std::sqrt(0.5);
    if (u * 12 == turn.full) return 0.5;  // 30 degrees
    return std::sin(u / turn.perRadian());
}

/// cos of u in [0, eighth].
double cosOctant(double u, Turn turn) {
    if (u == 0) return 1.0;
    if (u == turn.eighth()) return std::sqrt(0.5);
    return std::cos(u / turn.perRadian());
}

/// sin (or cos) of x in the unit: |x| reduced modulo the full turn, then to a quadrant and an eighth of a turn;
/// every step is exact, so only the final sine or cosine rounds.
double sinCosInTurn(double x, Turn turn, bool cosine) {
    if (!std::isfinite(x)) return kNan;
    const double reduced = std::fmod(std::fabs(x), turn.full);
    // At most 3: reduced is at least one unit of the last place below the full turn, and four times that
    // relative distance is at least the spacing of doubles just below 4, so the quotient never rounds up to 4.
    int quadrant = static_cast<int>(reduced / turn.quarter());
    const double t = reduced - quadrant * turn.quarter();
    // cos(a) = sin(a + quarter turn): one quadrant further.
    if (cosine) quadrant = (quadrant + 1) % 4;
    // sin(q quarters + t): q = 0: sin t, 1: cos t, 2: -sin t, 3: -cos t; t beyond an eighth by its complement.
    const bool wide = t > turn.eighth();
    const double u = wide ? turn.quarter() - t : t;
    const bool useCos = (quadrant % 2 == 1) != wide;
    double v = useCos ? cosOctant(u, turn) : sinOctant(u, turn);
    if (quadrant >= 2) v = -v;
    if (!cosine && x < 0) v = -v;  // sin is odd
    return unsignedZero(v);
}

template <const Turn& T> double sinIn(double x) { return sinCosInTurn(x, T, false); }
template <const Turn& T> double cosIn(double x) { return sinCosInTurn(x, T, true); }
template <const Turn& T> double tanIn(double x) { return sinIn<T>(x) / cosIn<T>(x); }
template <const Turn& T> double cotIn(double x) { return cosIn<T>(x) / sinIn<T>(x); }
template <const Turn& T> double secIn(double x) { return 1 / cosIn<T>(x); }
template <const Turn& T> double cscIn(double x) { return 1 / sinIn<T>(x); }

/// Inverse functions: the exact angle for the arguments whose angle is a table value, else the radian value
/// converted.
template <const Turn& T> double asinIn(double x) {
    if (x == 0) return x;
    if (std::fabs(x) == 1) return std::copysign(T.quarter(), x);
    if (std::fabs(x) == 0.5) return std::copysign(T.full / 12, x);
    return std::asin(x) * T.perRadian();
}

template <const Turn& T> double acosIn(double x) {
    if (x == 1) return 0.0;
    if (x == -1) return T.full / 2;
    if (x == 0) return T.quarter();
    if (x == 0.5) return T.full / 6;
    if (x == -0.5) return T.full / 3;
    return std::acos(x) * T.perRadian();
}

template <const Turn& T> double atanIn(double x) {
    if (x == 0) return x;
    if (std::fabs(x) == 1) return std::copysign(T.eighth(), x);
    if (std::isinf(x)) return std::copysign(T.quarter(), x);
    return std::atan(x) * T.perRadian();
}

template <const Turn& T> double atan2In(double y, double x) {
    const double r = std::atan2(y, x);
    // On an axis or a diagonal the angle is a whole number of eighths of a turn.
    if (std::isfinite(x) && std::isfinite(y) && (x == 0 || y == 0 || std::fabs(x) == std::fabs(y)))
        return std::round(r / (kPi / 4)) * T.eighth();
    return r * T.perRadian();
}

double fnSin(double x) { return std::sin(x); }
double fnCos(double x) { return std::cos(x); }
double fnTan(double x) { return std::tan(x); }
double fnCot(double x) { return std::cos(x) / std::sin(x); }
double fnSec(double x) { return 1 / std::cos(x); }
double fnCsc(double x) { return 1 / std::sin(x); }
double fnAsin(double x) { return std::asin(x); }
double fnAcos(double x) { return std::acos(x); }
double fnAtan(double x) { return std::atan(x); }
double fnAtan2(double y, double x) { return std::atan2(y, x); }
double fnDegrees(double x) { return x * kDegreesPerRadian; }
double fnRadians(double x) { return x * kRadiansPerDegree; }

template <const Turn& T> void defineIn(mu::ParserBase& parser, const std::string& suffix) {
    parser.DefineFun("sin" + suffix, sinIn<T>);
    parser.DefineFun("cos" + suffix, cosIn<T>);
    parser.DefineFun("tan" + suffix, tanIn<T>);
    parser.DefineFun("cot" + suffix, cotIn<T>);
    parser.DefineFun("sec" + suffix, secIn<T>);
    parser.DefineFun("csc" + suffix, cscIn<T>);
    parser.DefineFun("asin" + suffix, asinIn<T>);
    parser.DefineFun("acos" + suffix, acosIn<T>);
    parser.DefineFun("atan" + suffix, atanIn<T>);
    parser.DefineFun("atan2" + suffix, atan2In<T>);
}

}  // namespace

void lmDefineAngleFunctions(mu::ParserBase& parser) {
    parser.DefineFun("sin", fnSin);
    parser.DefineFun("cos", fnCos);
    parser.DefineFun("tan", fnTan);
    parser.DefineFun("cot", fnCot);
    parser.DefineFun("sec", fnSec);
    parser.DefineFun("csc", fnCsc);
    parser.DefineFun("asin", fnAsin);
    parser.DefineFun("acos", fnAcos);
    parser.DefineFun("atan", fnAtan);
    parser.DefineFun("atan2", fnAtan2);
    parser.DefineFun("degrees", fnDegrees);
    parser.DefineFun("radians", fnRadians);
    defineIn<kDegrees>(parser, "Deg");
    defineIn<kGradians>(parser, "Grad");
}
