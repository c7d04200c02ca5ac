// SPDX-License-Identifier: MIT
// The math library: grammar, functions, refusals, the root finder, number texts and the console helpers.
#include "libs/file/lf_path.h"
#include "libs/math/lm_math.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cwchar>
#include <limits>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
const char* const kLetters = "abcdefghijklmnopqrstuvwxyz";

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

/// One engine and parameter record as the application holds them.
struct MathFixture {
    /// init + eval; nan when init refused or eval set the error code.
    double evaluate(const std::wstring& text, const lmValues& values = lmValues{}) {
        engine.clearError();
        lmParser parser(&engine, &param);
        if (parser.init(text) <= 0) return kNan;
        const double value = parser.eval(kLetters, values);
        parser.release();
        return engine.errorCode != 0 ? kNan : value;
    }
    int init(const std::wstring& text) {
        lmParser parser(&engine, &param);
        const int result = parser.init(text);
        parser.release();
        return result;
    }
    lmDelvo engine;
    lmParam param;
};

struct ValueCase {
    const wchar_t* input;
    double expected;
};

/// Evaluates each row with a = 2, b = 3, x = 0.5; relative 0 asks for the exact double.
void expectTable(const std::vector<ValueCase>& table, double relative) {
    MathFixture math;
    lmValues values{};
    values[0] = 2;
    values[1] = 3;
    values[23] = 0.5;
    for (const ValueCase& c : table) {
        const double value = math.evaluate(c.input, values);
        SCOPED_TRACE(narrow(c.input));
        if (std::isnan(c.expected)) EXPECT_TRUE(std::isnan(value));
        else if (std::isinf(c.expected) || relative == 0) EXPECT_EQ(value, c.expected);
        else EXPECT_NEAR(value, c.expected, std::fabs(c.expected) * relative + 1e-300);
    }
}

}  // namespace

TEST(MathParser, GrammarAndPrecedence) {
    expectTable({{L"1+2*3", 7},      {L"(1+2)*3", 9},     {L"-2^2", -4},        {L"(-2)^2", 4},
                 {L"2^3^2", 512},    {L"2^-1", 0.5},      {L"2*-3", -6},        {L"7%3", 1},
                 {L"-7%3", -1},      {L"7.5%2", 1.5},     {L"2+7%3*2", 4},      {L"10/4", 2.5},
                 {L"1==1", 1},       {L"1!=1", 0},        {L"1<2", 1},          {L"2<=2", 1},
                 {L"3>4", 0},        {L"3>=4", 0},        {L"1<2&&2<3", 1},     {L"1>2||2<3", 1},
                 {L"0&&1", 0},       {L"1?2:3", 2},       {L"0?2:3", 3},        {L"0?1:0?5:6", 6},
                 {L"(1?2:3)*2", 4},  {L"a<b?a:b", 2},     {L"1E-8", 1e-8},      {L"1e-8", 1e-8},
                 {L"2.5E3", 2500},   {L".5", 0.5},        {L"a*b+x", 6.5},      {L"-a", -2},
                 {L"+a", 2},         {L"1/0", kInf},      {L"1E999", kInf},     {L"1E-400", 0},
                 {L"3-2-1", 0},      {L"2/2/2", 0.5},     {L"1<2==1", 1},       {L"1||0&&0", 1},
                 {L"1-(-2)", 3},     {L"1--2", 3},        {L"sqrt(-1)", kNan}},
                1e-12);
}

TEST(MathParser, ConstantsAreExact) {
    expectTable({{L"pi()", M_PI},              {L"2*pi()", 2 * kPi},        {L"_q()", 1.602176634e-19},
                 {L"_m()", 9.1093837015e-31},  {L"_k()", 1.380649e-23},     {L"_h()", 6.62607015e-34},
                 {L"_c()", 299792458.0},       {L"_e()", 8.8541878128e-12}, {L"_n()", 6.02214076e23}},
                0);
}

TEST(MathParser, Functions) {
    expectTable({{L"exp(1)", std::exp(1.0)},   {L"ln(10)", std::log(10.0)},     {L"log(1000)", 3},
                 {L"log2(8)", 3},              {L"pow(2,10)", 1024},            {L"sinh(1)", std::sinh(1.0)},
                 {L"cosh(1)", std::cosh(1.0)}, {L"tanh(1)", std::tanh(1.0)},    {L"asinh(1)", std::asinh(1.0)},
                 {L"acosh(2)", std::acosh(2.0)}, {L"atanh(0.5)", std::atanh(0.5)}, {L"abs(-3)", 3},
                 {L"sqrt(16)", 4},             {L"cbrt(27)", 3},                {L"ceil(1.2)", 2},
                 {L"ceil(-1.2)", -1},          {L"floor(-1.2)", -2},            {L"fmod(7,3)", 1},
                 {L"erf(0.5)", std::erf(0.5)}, {L"erfc(0.5)", std::erfc(0.5)},  {L"j0(1)", 0.7651976865579666},
                 {L"j1(1)", 0.4400505857449335}, {L"jn(2,1)", 0.1149034849319005}, {L"y0(1)", 0.08825696421567696},
                 {L"y1(1)", -0.7812128213002887}, {L"yn(2,1)", -1.650682606816254}, {L"y0(0)", -kInf},
                 {L"yn(2,0)", -kInf},          {L"y1(-1)", kNan},               {L"bern(0)", 1},
                 {L"bern(1)", -0.5},           {L"bern(2)", 1.0 / 6},           {L"bern(3)", 0},
                 {L"bern(4)", -1.0 / 30},      {L"bern(12)", -691.0 / 2730},    {L"bern(1.5)", kNan},
                 {L"bern(-2)", kNan},          {L"bern(260)", -kInf},           {L"gauss(0)", 1 / std::sqrt(2 * kPi)},
                 {L"gauss(1)", std::exp(-0.5) / std::sqrt(2 * kPi)},
                 {L"gauss(3,1,2)", std::exp(-0.5) / (2 * std::sqrt(2 * kPi))},
                 {L"lorentz(0)", 1 / kPi},     {L"lorentz(1)", 0.5 / kPi},      {L"lorentz(3,1,2)", 2 / (kPi * 8)},
                 {L"hypot(3,4)", 5},           {L"min(3,1,2)", 1},              {L"max(3,1,2)", 3},
                 {L"min(5)", 5},               {L"sign(-2)", -1},               {L"sign(0)", 0},
                 {L"sign(3)", 1},              {L"sign(0/0)", kNan},            {L"gamma(5)", 24},
                 {L"gammaln(10)", std::log(362880.0)},
                 {L"beta(2,3)", 1.0 / 12},     {L"trunc(-2.7)", -2},            {L"int(2.7)", 2},
                 {L"int(-2.7)", -2},           {L"round(2.5)", 3},              {L"round(-2.5)", -3},
                 {L"rint(2.5)", 2},            {L"rint(3.5)", 4},               {L"sin(pi()/2)", 1},
                 {L"cos(0)", 1},               {L"tan(pi()/4)", 1},             {L"asin(1)", kPi / 2},
                 {L"acos(1)", 0},              {L"atan(1)", kPi / 4},           {L"atan2(1,1)", kPi / 4},
                 {L"fact(0)", 1},              {L"fact(5)", 120},               {L"fact(20)", 2432902008176640000.0},
                 {L"fact(170)", 7.257415615307994e306}, {L"fact(171)", kInf},   {L"fact(0.5)", std::sqrt(kPi) / 2},
                 {L"fact(-1)", kNan},          {L"fact(0/0)", kNan},            {L"bern(262)", kInf},
                 {L"min(1,0/0,0)", kNan},      {L"max(1,0/0,2)", kNan},         {L"jn(1,0/0)", kNan},
                 {L"yn(1,0/0)", kNan},         {L"yn(-0.5,0)", 0},              {L"yn(2e5,-1)", kNan}},
                1e-13);
}

// Whole numbers, remainders and statistics against Python's exact integers and math.fsum.
TEST(MathParser, WholeNumbersAndStatistics) {
    expectTable({{L"gcd(12,8)", 4},                 {L"gcd(-12,18,8)", 2},           {L"gcd(0,0)", 0},
                 {L"gcd(7)", 7},                    {L"gcd(1e300,1e290)", 8.65557759812674e274},
                 {L"lcm(4,6)", 12},                 {L"lcm(-4,6,10)", 60},           {L"lcm(0,5)", 0},
                 {L"lcm(5,0)", 0},
                 {L"ncr(5,2)", 10},                 {L"ncr(50,25)", 126410606437752}, {L"ncr(5,7)", 0},
                 {L"ncr(5,0)", 1},                  {L"ncr(-5,2)", kNan},            {L"ncr(5,-2)", kNan},
                 {L"ncr(1030,515)", kInf},          {L"ncr(1e12,1e6)", kInf},        {L"npr(1e10,5e9)", kInf},
                 {L"ncr(1000,500)", 2.7028824094543655e299}, {L"ncr(1e12,3)", 1.6666666666616668e35},
                 {L"npr(10,3)", 720},               {L"npr(20,10)", 670442572800},   {L"npr(3,4)", 0},
                 {L"npr(-5,2)", kNan},              {L"npr(5,-2)", kNan},
                 {L"npr(170,170)", 7.257415615307999e306}, {L"npr(100,20)", 1.3039950182047124e39},
                 {L"mod(-7,3)", 2},                 {L"mod(7,-3)", -2},              {L"mod(-7.5,2)", 0.5},
                 {L"mod(6,3)", 0},                  {L"mod(5,0)", kNan},             {L"frac(3.75)", 0.75},
                 {L"frac(-2.5)", -0.5},             {L"sum(0.1,0.2,0.3)", 0.6},      {L"sum(1e308,1e308,-1e308)", kInf},
                 {L"avg(1,2,3,4)", 2.5},            {L"median(5,1,3)", 3},           {L"median(4,1,3,2)", 2.5},
                 {L"median(1/0,1/0)", kInf},        {L"median(1,0/0)", kNan}},
                1e-14);
    // The compensated sum is exact where the plain one loses the small terms.
    expectTable({{L"sum(0.1,0.2,0.3)", 0.6}, {L"sum(1,1e100,1,-1e100)", 2}, {L"sum(1e16,1,1)", 1.0000000000000002e16}},
                0);
}

namespace {

/// The value of text and the problem the evaluation noted.
std::pair<double, lmValueProblem> valueAndProblem(const std::wstring& text) {
    MathFixture math;
    math.engine.clearError();
    lmParser parser(&math.engine, &math.param);
    if (parser.init(text) <= 0) return {kNan, lmValueProblem::None};
    const double value = parser.eval(kLetters, lmValues{});
    return {value, math.engine.valueProblem};
}

/// A number as text with every digit it has.
std::wstring exactText(double x) {
    wchar_t buffer[40];
    std::swprintf(buffer, 40, L"%.17g", x);
    return buffer;
}

}  // namespace

// Bit operations on the 64-bit two's complement; a fraction or an operand beyond 64 bits gives nan and says why.
TEST(MathParser, BitOperationsOn64Bits) {
    using P = lmValueProblem;
    const struct {
        const wchar_t* text;
        double value;
        P problem;
    } rows[] = {
        {L"band(12,10)", 8, P::None},          {L"bor(12,3,64)", 79, P::None},       {L"bxor(6,3)", 5, P::None},
        {L"band(-1,255)", 255, P::None},       {L"bnot(0)", -1, P::None},            {L"bnot(-6)", 5, P::None},
        {L"shl(1,4)", 16, P::None},            {L"shl(1,63)", -9223372036854775808.0, P::None},
        {L"shl(3,62)", -4611686018427387904.0, P::None},                             {L"shr(-8,1)", -4, P::None},
        {L"band(2^62,-1)", 4611686018427387904.0, P::None},                          {L"shr(-1,63)", -1, P::None},
        {L"shr(2^62,62)", 1, P::None},        {L"shr(7,0)", 7, P::None},
        {L"band(2^63,-1)", -9223372036854775808.0, P::None},
        {L"bor(2^64-2^12,0)", -4096, P::None},
        {L"band(1.5,1)", kNan, P::NotWhole},   {L"shl(1,0.5)", kNan, P::NotWhole},   {L"gcd(2.5,5)", kNan, P::NotWhole},
        {L"ncr(5,1.5)", kNan, P::NotWhole},    {L"lcm(1/0,2)", kNan, P::NotWhole},   {L"npr(2.5,1)", kNan, P::NotWhole},
        {L"band(1,2.5)", kNan, P::NotWhole},   {L"shl(2.5,1)", kNan, P::NotWhole},   {L"shr(0.5,1)", kNan, P::NotWhole},
        {L"shl(1,1/0)", kNan, P::OutOfRange},
        {L"band(2^64,1)", kNan, P::OutOfRange}, {L"bnot(-2^63-2^11)", kNan, P::OutOfRange},
        {L"shl(1,64)", kNan, P::OutOfRange},   {L"shr(1,-1)", kNan, P::OutOfRange},
        {L"bnot(1/0)", kNan, P::OutOfRange},   {L"band(0/0,1)", kNan, P::None},      {L"1?5:band(0.5,1)", 5, P::None},
        {L"gcd(0/0,2)", kNan, P::None},        {L"shl(1,0/0)", kNan, P::None},
    };
    for (const auto& row : rows) {
        const auto [value, problem] = valueAndProblem(row.text);
        SCOPED_TRACE(narrow(row.text));
        if (std::isnan(row.value)) EXPECT_TRUE(std::isnan(value));
        else EXPECT_EQ(value, row.value);
        EXPECT_EQ(problem, row.problem);
    }
}

// The degree and gradian forms are exact where a table is (sin 30 = 0.5, tan 45 = 1, cos 90 = 0) and follow the
// radian functions everywhere else, in all four quadrants and beyond a full turn.
TEST(MathParser, AnglesInEachUnit) {
    expectTable({{L"sinDeg(30)", 0.5},     {L"sinDeg(150)", 0.5},    {L"sinDeg(-210)", 0.5},   {L"cosDeg(60)", 0.5},
                 {L"cosDeg(90)", 0},       {L"cosDeg(180)", -1},     {L"sinDeg(360)", 0},      {L"tanDeg(45)", 1},
                 {L"tanDeg(135)", -1},     {L"tanDeg(90)", kInf},    {L"tanDeg(-90)", -kInf},  {L"cotDeg(45)", 1},
                 {L"secDeg(60)", 2},       {L"cscDeg(30)", 2},
                 {L"sinDeg(1/0)", kNan},   {L"asinDeg(0.5)", 30},    {L"asinDeg(-1)", -90},    {L"acosDeg(-0.5)", 120},
                 {L"acosDeg(0)", 90},      {L"acosDeg(1)", 0},       {L"acosDeg(0.5)", 60},    {L"asinDeg(0)", 0},
                 {L"atanDeg(0)", 0},      {L"atanDeg(1)", 45},      {L"atanDeg(-1/0)", -90},  {L"atan2Deg(1,-1)", 135},
                 {L"atan2Deg(-1,0)", -90}, {L"atan2Deg(0,-1)", 180}, {L"sinGrad(100)", 1},     {L"cosGrad(200)", -1},
                 {L"tanGrad(50)", 1},      {L"sinGrad(50)", std::sqrt(0.5)}, {L"asinGrad(1)", 100},
                 {L"acosGrad(-1)", 200},   {L"atanGrad(1)", 50},     {L"asinGrad(0.5)", 100.0 / 3},
                 {L"degrees(pi())", 180},  {L"radians(180)", kPi},   {L"sec(0)", 1},           {L"csc(pi()/2)", 1},
                 {L"cot(0)", kInf}},
                0);
    expectTable({{L"cot(1)", std::cos(1.0) / std::sin(1.0)}, {L"sinDeg(0.1)", 0.0017453283658983088},
                 {L"sinDeg(1e20)", -0.9848077530122081},
                 {L"cosDeg(1)", 0.9998476951563913},        {L"asinDeg(0.3)", 17.457603123722095},
                 {L"atan2Deg(1,2)", 26.56505117707799}, {L"acosDeg(0.3)", 72.54239687627792},
                 {L"atanDeg(0.5)", 26.56505117707799}, {L"atan2Deg(1/0,1)", 90}, {L"atan2Deg(1,-1/0)", 180}},
                1e-15);
    MathFixture math;
    const long double pi = 3.14159265358979323846264338327950288L;
    for (double x = -730; x <= 730; x += 7.3) {
        const double g = x / 0.9;
        EXPECT_NEAR(math.evaluate(L"sinDeg(" + exactText(x) + L")"), std::sin(x * pi / 180), 4e-16) << x;
        EXPECT_NEAR(math.evaluate(L"cosGrad(" + exactText(g) + L")"), std::cos(g * pi / 200), 4e-16) << g;
    }
}

// rand() is uniform in [0, 1) and not folded into a constant; time() is the clock.
TEST(MathParser, RandAndTime) {
    MathFixture math;
    lmParser parser(&math.engine, &math.param);
    ASSERT_GT(parser.init(L"rand()"), 0);
    const double first = parser.eval(kLetters, lmValues{});
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        const double value = parser.eval(kLetters, lmValues{});
        EXPECT_TRUE(value >= 0.0 && value < 1.0) << value;
        differs = differs || value != first;
    }
    EXPECT_TRUE(differs);
    parser.release();
    const double now = math.evaluate(L"time()");
    EXPECT_GT(now, 1.7e9);
    EXPECT_NEAR(now, static_cast<double>(std::time(nullptr)), 5);
}

// The display form "name=" is accepted; what the grammar cannot read, and muParser's own constants, are refused.
TEST(MathParser, InitAcceptsAndRefuses) {
    MathFixture math;
    for (const wchar_t* text : {L"a=", L"speed=", L"v2=", L"a==b"}) EXPECT_GT(math.init(text), 0) << narrow(text);
    for (const wchar_t* text :
         {L"1,5", L"2a", L"foo(1)", L"SIN(1)", L"A", L"", L"1+", L"(", L")", L"1 2", L"sin", L"pi", L"sin()",
          L"pow(1)", L"gauss(1,2)", L"lorentz(1,2,3,4)", L"ab", L"x!", L"a=3", L"a=b=2", L"1..2", L"\u00e4",
          L"1\u00b72", L"#", L"$", L"=", L"a==", L"_pi", L"_e"})
        EXPECT_LE(math.init(text), 0) << narrow(text);
}

// A refusal tells where the reading stopped and why; the console underlines from there.
TEST(MathParser, RefusalsSayWhereAndWhy) {
    using R = lmSyntaxReason;
    MathFixture math;
    for (const auto& [text, position, reason] : {std::tuple{L"b=1", 1, R::Assignment},
                                                 std::tuple{L"a<=b=1", 4, R::Assignment},
                                                 std::tuple{L"max(1,2),3", 8, R::UnexpectedComma},
                                                 std::tuple{L"1\x7f+\u00e9", 3, R::UnexpectedCharacter},
                                                 std::tuple{L"(2)sin(1)", 3, R::OperatorExpected},
                                                 std::tuple{L"2.sin(1)", 2, R::OperatorExpected},
                                                 std::tuple{L"1+sin", 2, R::CallExpected}}) {
        SCOPED_TRACE(narrow(text));
        math.engine.clearError();
        EXPECT_LE(math.init(text), 0);
        EXPECT_EQ(math.engine.errorPosition, position);
        EXPECT_EQ(math.engine.errorReason, reason);
    }
    // "==" at the start is a comparison without its left side, not an assignment.
    math.engine.clearError();
    EXPECT_LE(math.init(L"==5"), 0);
    EXPECT_NE(math.engine.errorReason, R::Assignment);
}

// Only failures set the error code: inf and nan are values; eval after release or a refused init is an error.
TEST(MathParser, ErrorCodeOnlyForFailures) {
    MathFixture math;
    lmValues values{};
    for (int k = 0; k < 26; ++k) values[static_cast<size_t>(k)] = k + 1;
    EXPECT_EQ(math.evaluate(L"a+z", values), 27);
    EXPECT_EQ(math.evaluate(L"m*n", values), 13 * 14);
    lmParser parser(&math.engine, &math.param);
    math.engine.clearError();
    ASSERT_GT(parser.init(L"1/0"), 0);
    EXPECT_TRUE(std::isinf(parser.eval(kLetters, values)));
    ASSERT_GT(parser.init(L"ln(-1)"), 0);
    EXPECT_TRUE(std::isnan(parser.eval(kLetters, values)));
    ASSERT_GT(parser.init(L"gauss(x,y,z)"), 0);
    parser.eval(kLetters, values);
    EXPECT_EQ(math.engine.errorCode, 0);
    parser.release();
    parser.eval(kLetters, values);
    EXPECT_NE(math.engine.errorCode, 0);

    math.engine.clearError();
    lmParser refused(&math.engine, &math.param);
    EXPECT_LE(refused.init(L"1+"), 0);
    EXPECT_NE(math.engine.errorCode, 0);
    EXPECT_FALSE(math.engine.message1.empty());
    math.engine.clearError();
    refused.eval(kLetters, values);
    EXPECT_NE(math.engine.errorCode, 0);
    math.engine.clearError();
    EXPECT_TRUE(math.engine.message1.empty());
    refused.evalfx(1);
    EXPECT_NE(math.engine.errorCode, 0);
}

// evalfx sets x; the other variables come from the engine's variable source (none: 0).
TEST(MathParser, EvalfxWithVariableSource) {
    MathFixture math;
    lmParser parser(&math.engine, &math.param);
    ASSERT_GT(parser.init(L"a*x+b"), 0);
    EXPECT_EQ(parser.evalfx(3), 0);
    lmValues store{};
    store[0] = 2;
    store[1] = 5;
    store[23] = 100;  // overridden by the argument
    math.engine.setVariableSource(&store);
    EXPECT_EQ(parser.evalfx(3), 11);
    EXPECT_EQ(parser.evalfx(-1), 3);
    math.engine.setVariableSource(nullptr);
    EXPECT_EQ(parser.evalfx(3), 0);
    // Only the lower-case letters named are set; anything else in the list is passed over.
    ASSERT_GT(parser.init(L"a+b"), 0);
    EXPECT_EQ(parser.eval("A{b`", store), 5);
    EXPECT_TRUE(math.engine.knowsFunction(L"sin"));
    EXPECT_FALSE(math.engine.knowsFunction(L"s\u00efn"));
    EXPECT_FALSE(math.engine.knowsFunction(std::wstring(L"sin\0", 4)));
}

// Parsers of one engine, used in turn and interleaved, keep their own expressions.
TEST(MathParser, ParsersShareTheEngine) {
    MathFixture math;
    lmParser first(&math.engine, &math.param), second(&math.engine, &math.param);
    ASSERT_GT(first.init(L"x*2"), 0);
    ASSERT_GT(second.init(L"x+100"), 0);
    EXPECT_EQ(first.evalfx(3), 6);
    EXPECT_EQ(second.evalfx(3), 103);
    EXPECT_EQ(first.evalfx(4), 8);
    second.release();
    EXPECT_EQ(first.evalfx(5), 10);
    lmDelvo other;
    lmParser third(&other, &math.param);
    ASSERT_GT(third.init(L"x-1"), 0);
    EXPECT_EQ(third.evalfx(5), 4);
    EXPECT_EQ(first.evalfx(5), 10);
}

namespace {

double solveCallback(double x, lmParam* param) { return param->parser != nullptr ? param->parser->evalfx(x) : 0.0; }

/// Solves text over [a, b] as the interpreter does (init, guess, solve); returns x.
double solveText(MathFixture& math, const std::wstring& text, double a, double b) {
    lmParser parser(&math.engine, &math.param);
    if (parser.init(text) <= 0) return kNan;
    math.param.parser = &parser;
    math.param.iterations = 0;
    lm_guessFz(solveCallback, &a, &b, &math.param);
    const double x = lm_solveFz(solveCallback, a, b, &math.param);
    math.param.parser = nullptr;
    return x;
}

}  // namespace

TEST(MathSolver, MeetsTheRelativeTolerance) {
    MathFixture math;
    math.param.setReltol(1e-6);
    EXPECT_NEAR(solveText(math, L"x^2-2", 0, 3), std::sqrt(2.0), 2e-6 * std::sqrt(2.0));
    EXPECT_TRUE(lm_solveSucceeded(&math.param));
    EXPECT_GT(math.param.iterations, 0);
    EXPECT_LE(math.param.iterations, math.param.getMaxiter());
    math.param.setReltol(1e-14);
    EXPECT_NEAR(solveText(math, L"x^2-2", 0, 3), std::sqrt(2.0), 1e-14);
    EXPECT_TRUE(lm_solveSucceeded(&math.param));
}

// Without a sign change at the ends the guess narrows to a bracket; of two equally good ones the leftmost wins.
TEST(MathSolver, GuessFindsTheLeftmostBracket) {
    MathFixture math;
    EXPECT_NEAR(solveText(math, L"x^2-2", -10, 10), -std::sqrt(2.0), 1e-5);
    EXPECT_TRUE(lm_solveSucceeded(&math.param));
    double a = -10, b = 10;
    lmParser parser(&math.engine, &math.param);
    ASSERT_GT(parser.init(L"x^2-2"), 0);
    math.param.parser = &parser;
    EXPECT_GT(lm_guessFz(solveCallback, &a, &b, &math.param), 0);
    EXPECT_TRUE(a < b && b - a < 1) << a << " " << b;
    EXPECT_LT(solveCallback(a, &math.param) * solveCallback(b, &math.param), 0);
    math.param.parser = nullptr;
}

// Exact zeros on the grid or an end, infinite or nan parts of the interval, poles beside roots.
TEST(MathSolver, FindsRoots) {
    struct Case {
        const wchar_t* text;
        double a, b, root, tolerance;
    };
    MathFixture math;
    for (const Case& c : std::vector<Case>{{L"x", 0, 1, 0, 0},
                                           {L"x^2", -10, 10, 0, 0},  // double root, but 0 lies on the grid
                                           {L"cos(x)-x", 0, 1, 0.7390851332151607, 1e-6},
                                           {L"ln(x)-1", 0, 10, std::exp(1.0), 1e-5},   // -inf at 0
                                           {L"ln(x)-1", -10, 10, std::exp(1.0), 1e-5}, // nan below 0
                                           {L"sqrt(x)-2", -10, 10, 4, 1e-5},
                                           {L"1/x-0.25", -10, 10, 4, 1e-5},
                                           {L"tan(x)", 1, 4, kPi, 1e-5},  // the pole pi/2 changes sign too
                                           {L"ln(x)", 0, 2, 1, 0},  // -inf at 0, an exact zero half-way
                                           {L"(x-1)^2", -10, 10.3, 1, 0}}) {  // no sign change: the minimum
        SCOPED_TRACE(narrow(c.text));
        EXPECT_NEAR(solveText(math, c.text, c.a, c.b), c.root, c.tolerance);
        EXPECT_TRUE(lm_solveSucceeded(&math.param));
    }
    // An exact zero at the right end, for the guess and for the finder on its own.
    lmParser parser(&math.engine, &math.param);
    ASSERT_GT(parser.init(L"x-1"), 0);
    math.param.parser = &parser;
    double a = 0, b = 1;
    EXPECT_EQ(lm_guessFz(solveCallback, &a, &b, &math.param), 1);
    EXPECT_TRUE(a == 1 && b == 1) << a << " " << b;
    EXPECT_EQ(lm_solveFz(solveCallback, 0, 1, &math.param), 1);
    EXPECT_TRUE(lm_solveSucceeded(&math.param));
    math.param.parser = nullptr;
}

// No sign change, a sign change at a pole or only nan mark failure; the best x is still given.
TEST(MathSolver, NoRootMarksFailure) {
    MathFixture math;
    EXPECT_NEAR(solveText(math, L"x^2+1", -3, 4), 0, 1e-3);
    EXPECT_FALSE(lm_solveSucceeded(&math.param));
    EXPECT_LE(math.param.iterations, 0);
    EXPECT_NEAR(solveText(math, L"(x-1.2345)^2+1", -10, 10), 1.2345, 1e-3);
    EXPECT_FALSE(lm_solveSucceeded(&math.param));
    using Interval = std::tuple<const wchar_t*, double, double>;
    for (const auto& [text, a, b] : {Interval{L"1/x", -1, 2}, Interval{L"tan(x)", 1, 2},
                                     Interval{L"sqrt(-1-x^2)", -1, 1}, Interval{L"x^2+1", 2, 2}}) {
        solveText(math, text, a, b);
        EXPECT_FALSE(lm_solveSucceeded(&math.param)) << narrow(text);
    }
}

TEST(MathSolver, IterationLimitHonoured) {
    MathFixture math;
    math.param.setReltol(1e-15);
    math.param.setMaxiter(3);
    solveText(math, L"x^3-2*x-5", 2, 3);
    EXPECT_FALSE(lm_solveSucceeded(&math.param));
    // Three evaluations leave no room for a scan or the minimiser after the two ends.
    EXPECT_NEAR(solveText(math, L"x^2+1", -3, 4), -3, 1e-12);
    EXPECT_FALSE(lm_solveSucceeded(&math.param));
    math.param.setMaxiter(100);
    EXPECT_NEAR(solveText(math, L"x^3-2*x-5", 2, 3), 2.0945514815423265, 1e-14);
    EXPECT_TRUE(lm_solveSucceeded(&math.param));
    EXPECT_LE(math.param.iterations, 100);
    // Without a parser the callback gives 0, a root everywhere.
    lmParam bare;
    EXPECT_EQ(lm_solveFz(solveCallback, -1, 1, &bare), -1);
    EXPECT_TRUE(lm_solveSucceeded(&bare));
}

namespace {

int g_calls = 0;
double parabola(double x, lmParam*) { return ++g_calls, x * x - 2; }
double cubic(double x, lmParam*) { return ++g_calls, x * x * x - 2 * x - 5; }
double valley(double x, lmParam*) { return ++g_calls, (x - 2) * (x - 2) + 1; }

}  // namespace

// The limit and the tolerance of the parameter record: a limit of 0 or less is the default 4096, a search the
// limit cuts short says so, and f is never evaluated more often than the limit allows. The tolerance is kept
// between 2 ulp and 0.5.
TEST(MathSolver, LimitAndToleranceOfTheParameterRecord) {
    const struct {
        lmSolveCallback f;
        double a, b;
        int limit;
        bool succeeded, ranOut;
    } rows[] = {{parabola, -10, 10, 0, true, false},
                {parabola, -10, 10, -5, true, false},
                {parabola, -10, 10, 70, true, false}};
    for (const auto& row : rows) {
        lmParam param;
        param.setReltol(1e-15);
        param.setMaxiter(row.limit);
        double a = row.a, b = row.b;
        lm_guessFz(row.f, &a, &b, &param);
        lm_solveFz(row.f, a, b, &param);
        EXPECT_EQ(lm_solveSucceeded(&param), row.succeeded) << row.limit;
        EXPECT_EQ(lm_solveRanOut(&param), row.ranOut) << row.limit;
    }
    for (int limit = 5; limit <= 80; ++limit) {
        for (lmSolveCallback f : {parabola, cubic}) {
            lmParam param;
            param.setMaxiter(limit);
            g_calls = 0;
            const double x = lm_solveFz(f, -10, 10, &param);
            EXPECT_LE(g_calls, limit);
            EXPECT_NE(lm_solveSucceeded(&param), lm_solveRanOut(&param)) << limit;
            if (lm_solveSucceeded(&param)) {
                EXPECT_EQ(param.iterations, g_calls) << limit;
                EXPECT_LT(std::fabs(f(x, nullptr)), 1e-5) << limit;
            }
        }
    }
    const struct {
        double reltol, error;
    } tolerances[] = {{0, 4.5e-16}, {kNan, 4.5e-16}, {1e-3, 1.5e-3}, {10, 0.75}};
    for (const auto& row : tolerances) {
        lmParam param;
        param.setReltol(row.reltol);
        EXPECT_NEAR(lm_solveFz(parabola, 0, 3, &param), std::sqrt(2.0), row.error) << row.reltol;
        EXPECT_TRUE(lm_solveSucceeded(&param)) << row.reltol;
    }
}

// Without a parameter record the finder works with the default tolerance and limit and reports nothing; the
// minimiser finds a minimum with its ends in either order, and nothing between infinite ends.
TEST(MathSolver, WithoutParameterRecordAndTheMinimiser) {
    double a = -10, b = 10;
    EXPECT_EQ(lm_guessFz(parabola, &a, &b, nullptr), 1);
    EXPECT_TRUE(a < b && b - a < 1) << a << " " << b;
    EXPECT_NEAR(lm_solveFz(parabola, a, b, nullptr), -std::sqrt(2.0), 2e-6);
    EXPECT_FALSE(lm_solveSucceeded(nullptr));
    EXPECT_FALSE(lm_solveRanOut(nullptr));
    EXPECT_EQ(lm_guessFz(parabola, nullptr, &b, nullptr), 0);
    EXPECT_EQ(lm_guessFz(parabola, &a, nullptr, nullptr), 0);
    double infinite = kInf, two = 2, alsoTwo = 2;
    EXPECT_EQ(lm_guessFz(parabola, &a, &infinite, nullptr), 0);
    EXPECT_EQ(lm_guessFz(parabola, &infinite, &b, nullptr), 0);
    EXPECT_EQ(lm_guessFz(parabola, &two, &alsoTwo, nullptr), 0);
    EXPECT_TRUE(std::isnan(lm_solveFz(parabola, -kInf, 0, nullptr)));
    EXPECT_TRUE(std::isnan(lm_solveFz(parabola, 0, kInf, nullptr)));
    EXPECT_TRUE(std::isnan(lm_minimizeFx(valley, 0, kInf, nullptr, nullptr)));
    for (const auto& [lo, hi] : {std::pair{0.0, 5.0}, std::pair{5.0, 0.0}}) {
        double fmin = 0;
        EXPECT_NEAR(lm_minimizeFx(valley, lo, hi, nullptr, &fmin), 2, 1e-7) << lo;
        EXPECT_NEAR(fmin, 1, 1e-14) << lo;
    }
    EXPECT_NEAR(lm_minimizeFx(valley, 0, 5, nullptr, nullptr), 2, 1e-7);
    double fmin = 0;
    EXPECT_TRUE(std::isnan(lm_minimizeFx(valley, 0, kInf, nullptr, &fmin)));
    EXPECT_TRUE(std::isnan(fmin));
}

TEST(MathText, AutomaticNotation) {
    struct Case {
        double value;
        int maxLength;
        const wchar_t* expected;
    };
    for (const Case& c : std::vector<Case>{
             {0.1 + 0.2, 383, L"0.3"},         {1.0 / 3, 383, L"0.333333333333333"}, {2.0 / 3, 383, L"0.666666666666667"},
             {1e300, 383, L"1e+300"},          {1e-300, 383, L"1e-300"},            {-0.0, 383, L"0"},
             {0.0, 383, L"0"},                 {kInf, 383, L"inf"},                 {-kInf, 383, L"-inf"},
             {kNan, 383, L"nan"},              {42, 383, L"42"},                    {-3.5, 383, L"-3.5"},
             {1e21, 383, L"1e+21"},            {123456789012345.0, 383, L"123456789012345"}, {1e15, 383, L"1e+15"},
             {0.0001, 383, L"0.0001"},         {0.00001, 383, L"1e-05"},            {1.5e-7, 383, L"1.5e-07"},
             {kPi, 383, L"3.14159265358979"},  {kPi, 15, L"3.1415926535898"},      {-kPi * 1e100, 15, L"-3.1415927e+100"},
             {1e-6, 383, L"1e-06"},            {kPi, 1, L"3"},                      {1, 0, L""},
             {1e-300, 3, L"1e-"}}) {  // no precision fits: the text is cut
        std::wstring out = L"old";
        lm_reformatAuto(c.value, out, c.maxLength);
        EXPECT_EQ(out, c.expected) << c.value;
    }
}

TEST(MathText, TidiesPrintfOutput) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"3.500000000000", L"3.5"},   {L"6.000000000000", L"6"},      {L"1.50000000e+10", L"1.5e+10"},
        {L"2.00000000e-05", L"2e-05"}, {L"-0.000000000000", L"0"},     {L"0.000000000000", L"0"},
        {L"0.00000000e+00", L"0"},     {L"-2.50000000E+03", L"-2.5E+03"}, {L"100", L"100"},
        {L"100.000", L"100"},          {L"0.100", L"0.1"},             {L"-0.000001", L"-0.000001"},
        {L"inf", L"inf"},              {L"", L""},                     {L"0.0e", L"0"},
        {L"0.0E-05x", L"0x"},          {L"0.0e+5", L"0"},              {L"-.", L"-"}};
    for (const auto& [input, expected] : cases) {
        std::wstring text = input;
        lm_reformat(text, true);
        EXPECT_EQ(text, expected);
    }
    std::wstring untouched = L"3.500";
    lm_reformat(untouched, false);
    EXPECT_EQ(untouched, L"3.500");
}

TEST(MathText, RemovesBlanksAndLineEnds) {
    std::wstring text = L" 1 +\t2 \r\n", line = L"\n";
    EXPECT_EQ(lm_removeSpace(text), 3);
    EXPECT_EQ(text, L"1+2");
    EXPECT_EQ(lm_removeSpace(line), 0);
    EXPECT_EQ(line, L"");
}

// Number texts use '.' whatever the process locale (German, where installed).
TEST(MathText, ReadsNumbersInAnyLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    for (const ValueCase& c : std::vector<ValueCase>{
             {L"3.5", 3.5}, {L"-2.5e3", -2500}, {L"  +7.25xyz", 7.25}, {L"1E-8", 1e-8}, {L".5", 0.5},
             {L"3,5", 3}, {L"abc", 0}, {L"", 0}, {L"-", 0}, {L"0x1A", 26}, {L"1e400", kInf},
             {L"-1e99999", -kInf}, {L"1e-99999", 0}, {L"inf", kInf}, {L"\t\n\v 4", 4}, {L"2\u00e93", 2}, {L"+-3", 0},
             {L"0X1f", 31}, {L"0x1p-99999", 0}, {L"0x1P99999", kInf}, {L"-+3", 0}})
        EXPECT_EQ(lm_toDouble(c.input), c.expected) << narrow(c.input);
    // Beyond even long double without an exponent: overflow. A NUL ends the number.
    EXPECT_EQ(lm_toDouble(std::wstring(5000, L'9')), kInf);
    EXPECT_EQ(lm_toDouble(std::wstring(L"4\0 5", 4)), 4);
    std::setlocale(LC_NUMERIC, previous.c_str());
}

// No text, however odd, makes the library throw or crash (random texts from the grammar's alphabet).
TEST(MathParser, RandomTextNeverThrows) {
    MathFixture math;
    const std::vector<std::wstring> pieces = {
        L"1", L"2.5", L"E", L"e", L"-", L"+", L"*", L"/", L"^", L"%", L"(", L")", L",", L"?", L":", L"<",
        L"=", L"!", L"&&", L"||", L"x", L"a", L"sin(", L"pow(", L"pi()", L"fact(", L"gauss(", L"min(",
        L"rand()", L"_e()", L".", L" "};
    std::mt19937 random(12345);
    lmValues values{};
    values[23] = 0.5;
    int accepted = 0;
    for (int i = 0; i < 20000; ++i) {
        std::wstring text;
        const int count = 1 + static_cast<int>(random() % 12);
        for (int k = 0; k < count; ++k) text += pieces[random() % pieces.size()];
        lmParser parser(&math.engine, &math.param);
        if (parser.init(text) > 0) {
            ++accepted;
            parser.eval(kLetters, values);
            parser.evalfx(1.5);
        }
        parser.release();
    }
    EXPECT_GT(accepted, 100);
}
