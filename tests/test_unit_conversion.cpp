// SPDX-License-Identifier: MIT
// The unit converter's conversions, without a window: every unit to and from its category's base unit.
#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "tools/unit_conversion.h"

namespace {

double convert(int category, const std::wstring& source, const std::wstring& target, double value,
               bool* valid = nullptr) {
    bool ok = true;
    const double result = kCategoryRoutines[category](source, target, value, ok);
    if (valid) *valid = ok;
    return result;
}

std::wstring baseUnitOf(int category) {
    const std::wstring units = kUnitStrings[category];
    return units.substr(0, units.find(L':'));
}

// 3 of each unit in the base unit, and 3 base units in that unit, to the last bit: the operations run in
// their written order (a division stays a division, two factors stay two multiplications).
TEST(UnitConversion, EveryUnitToAndFromTheBaseUnit) {
    const struct {
        int category;
        const wchar_t* unit;
        double toBase, fromBase;
    } rows[] = {
        {0, L"km", 3000.0, 0.003},
        {0, L"cm", 0.03, 300.0},
        {0, L"mm", 0.003, 3000.0},
        {0, L"um", 3e-06, 3000000.0},
        {0, L"nm", 3.0000000000000004e-09, 3000000000.0},
        {0, L"ly", 2.83821914177424e+16, 3.1710025020738465e-16},
        {0, L"mi", 4828.032, 0.0018641135767120019},
        {0, L"yd", 2.7432, 3.2808398950131235},
        {0, L"ft", 0.9144000000000001, 9.84251968503937},
        {0, L"in", 0.07619999999999999, 118.11023622047244},
        {1, L"km2", 3000000.0, 3e-06},
        {1, L"cm2", 0.00030000000000000003, 30000.0},
        {1, L"sq mi", 7769964.331008, 1.1583064756273375e-06},
        {1, L"ha", 30000.0, 0.00030000000000000003},
        {1, L"a", 300.0, 0.03},
        {1, L"sq in", 0.0019354799999999996, 4650.009300018601},
        {2, L"dm3", 0.003, 3000.0},
        {2, L"L", 0.003, 3000.0},
        {2, L"mL", 3e-06, 3000000.0},
        {2, L"cm3", 3e-06, 3000000.0},
        {2, L"cu in", 4.916119199999999e-05, 183071.23228419689},
        {2, L"fl oz", 9e-05, 100000.0},
        {3, L"g", 0.003, 3000.0},
        {3, L"ct", 0.0006000000000000001, 15000.0},
        {3, L"oz", 0.084, 107.14285714285714},
        {3, L"lb", 1.3607771100000001, 6.613867865546327},
        {3, L"t", 3000.0, 0.003},
        {4, L"km/h", 0.8333333333333334, 10.8},
        {4, L"mph", 1.34112, 6.710808876163207},
        {5, L"dyn", 3.0000000000000004e-05, 300000.0},
        {5, L"kgf", 29.41995, 0.30591486389337846},
        {5, L"ozf", 0.8340415528613436, 10.790829268786105},
        {6, L"atm", 303975.0, 2.9607698001480386e-05},
        {6, L"bar", 300000.0, 3.0000000000000004e-05},
        {6, L"torr", 399.96719999999993, 0.022501845151302408},
        {6, L"mmHg", 399.96719999999993, 0.022501845151302408},
        {7, L"kcal", 12560.400000000001, 0.0007165376898824878},
        {7, L"eV", 4.806531989999999e-19, 1.8724519089282085e+19},
        {7, L"erg", 3e-07, 30000000.0},
        {7, L"Ry", 6.539616e-18, 1.376227595014753e+18},
        {8, L"C", 276.15, -270.15},
        {8, L"F", 257.0388888888889, -454.27000000000004},
    };
    for (const auto& row : rows) {
        const std::wstring base = baseUnitOf(row.category);
        EXPECT_EQ(convert(row.category, row.unit, base, 3.0), row.toBase) << kCategoryNames[row.category];
        EXPECT_EQ(convert(row.category, base, row.unit, 3.0), row.fromBase) << kCategoryNames[row.category];
    }
}

TEST(UnitConversion, CrossUnitsPassThroughTheBaseUnit) {
    const struct {
        int category;
        const wchar_t *source, *target;
        double value, expected;
    } rows[] = {
        {8, L"C", L"F", 1, 33.799999999999955},
        {8, L"F", L"C", 212, 100.00000000000006},
        {8, L"C", L"K", 0, 273.15},
        {0, L"mi", L"km", 1, 1.609344},
        {4, L"km/h", L"m/s", 100, 27.77777777777778},
        // Equal units: no arithmetic, so no round-trip error (0.1 F through kelvin would not come back).
        {8, L"F", L"F", 0.1, 0.1},
        {4, L"mph", L"mph", 0.3, 0.3},
    };
    for (const auto& row : rows)
        EXPECT_EQ(convert(row.category, row.source, row.target, row.value), row.expected) << row.value;
}

// Every label the lists offer is known to its routine both ways; an unknown target clears resultValid.
TEST(UnitConversion, ListedUnitsAreKnownAndUnknownTargetsInvalid) {
    EXPECT_EQ(kCategoryNames[kCategoryCount], nullptr);
    for (int category = 0; category < kCategoryCount; ++category) {
        const std::wstring units = kUnitStrings[category], base = baseUnitOf(category);
        for (std::size_t start = 0; start <= units.size();) {
            const std::size_t end = std::min(units.find(L':', start), units.size());
            const std::wstring unit = units.substr(start, end - start);
            bool toBase = false, fromBase = false;
            convert(category, unit, base, 1, &toBase);
            convert(category, base, unit, 1, &fromBase);
            EXPECT_TRUE(toBase && fromBase) << kCategoryNames[category] << " " << std::string(unit.begin(), unit.end());
            start = end + 1;
        }
        bool valid = true;
        convert(category, base, L"furlong", 1, &valid);
        EXPECT_FALSE(valid) << kCategoryNames[category];
    }
}

}  // namespace
