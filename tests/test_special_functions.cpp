// SPDX-License-Identifier: MIT
// The math library's functions at their domain edges, poles, overflow and underflow thresholds and subnormal
// arguments, against values from mpmath at 50 digits (rows from scripts/special_function_reference.py).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include <limits>

#include "engine/interpreter.h"
#include "engine/number_format.h"
#include "libs/math/lm_math.h"

namespace {

constexpr std::int64_t kMaxUlps = 4;

/// Distance in units of the last place; doubles of unlike sign are far apart.
std::int64_t ulpDistance(double a, double b) {
    auto ordered = [](double v) {
        std::int64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return bits < 0 ? std::numeric_limits<std::int64_t>::min() - bits : bits;
    };
    const std::int64_t d = ordered(a) - ordered(b);
    return d < 0 ? -d : d;
}

struct Row {
    std::string expression;
    double args[3] = {};  // a, b, c
    double expected = 0.0;
};

/// The reference rows: expression, a, b, c and the expected value, tab-separated hexadecimal doubles.
std::vector<Row> referenceRows() {
    std::vector<Row> rows;
    std::ifstream in(DELVO_SOURCE_DIR "/tests/data/special_functions.tsv");
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        Row row;
        std::string field;
        std::getline(fields, row.expression, '\t');
        for (double* target : {&row.args[0], &row.args[1], &row.args[2], &row.expected}) {
            std::getline(fields, field, '\t');
            *target = std::strtod(field.c_str(), nullptr);
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

TEST(SpecialFunctions, MatchTheHighPrecisionReferenceWithinFourUlps) {
    lmDelvo engine;
    lmParam param;
    std::int64_t worst = 0;
    const std::vector<Row> rows = referenceRows();
    ASSERT_GT(rows.size(), 100u);
    for (const Row& row : rows) {
        lmValues values{};
        for (int i = 0; i < 3; ++i) values[i] = row.args[i];
        lmParser parser(&engine, &param);
        ASSERT_GT(parser.init(std::wstring(row.expression.begin(), row.expression.end())), 0) << row.expression;
        const double value = parser.eval("abc", values);
        parser.release();
        const std::int64_t ulps = ulpDistance(value, row.expected);
        EXPECT_LE(ulps, kMaxUlps) << row.expression << " at " << row.args[0] << ", " << row.args[1] << ", "
                                  << row.args[2] << ": " << value << " instead of " << row.expected;
        if (std::isfinite(row.expected)) worst = std::max(worst, ulps);
    }
    RecordProperty("worst_ulps", static_cast<int>(worst));
}

// Boost looped for ever or for hours over an infinite or far order (found by fuzz_math); far orders overflow
// or vanish, and negative non-integer orders keep the sign of their reflection beyond the double range.
TEST(SpecialFunctions, InfiniteAndFarOrdersAnswerAtOnce) {
    const struct {
        const wchar_t* expression;
        const wchar_t* reply;
    } rows[] = {
        {L"yn(2/0,6)", L"nan"}, {L"yn(-2/0,6)", L"nan"}, {L"jn(2/0,6)", L"nan"}, {L"yn(1e6,6)", L"-inf"},
        {L"yn(-1e6-1,6)", L"inf"}, {L"yn(1e60,3)", L"-inf"}, {L"jn(1e60,3)", L"0"}, {L"jn(-1e300,3)", L"0"},
        {L"yn(799299670.5,3)", L"-inf"}, {L"jn(1e12+0.5,2e12)", L"nan"}, {L"jn(-2000.25,3)", L"inf"},
        {L"yn(-2001.25,3)", L"inf"}, {L"yn(-2000.5,3)", L"0"},
        {L"yn(-13113500000000.25,3)", L"-inf"}, {L"jn(1e6,5e5)", L"0"}, {L"yn(1e6,5e5)", L"-inf"},
        {L"jn(1e6,5e5+1)", L"nan"}, {L"yn(1e6,5e5+1)", L"nan"}, {L"yn(50000,3)", L"-inf"},
    };
    Interpreter interpreter;
    for (const auto& row : rows) {
        std::wstring out;
        interpreter.evaluateLine(row.expression, &out);
        EXPECT_EQ(out, row.reply) << row.expression;
    }
}

TEST(SpecialFunctions, NanShowsWithoutSignInEveryNotation) {
    Interpreter interpreter;
    for (int mode : {NumberFormat::kFixed, NumberFormat::kAuto}) {
        interpreter.format.mode = mode;
        for (const wchar_t* line : {L"0/0", L"-(0/0)", L"sqrt(-1)", L"yn(2.5,-1)"}) {
            std::wstring out;
            interpreter.evaluateLine(line, &out);
            EXPECT_EQ(out, L"nan") << line << " in mode " << mode;
        }
    }
}
