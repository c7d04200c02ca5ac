// SPDX-License-Identifier: MIT
// The unit converter's nine quantities and their conversions through each quantity's base unit.
#pragma once

#include <string>

/// Number of quantities (categories) the unit converter offers.
constexpr int kCategoryCount = 9;
/// Category names in list order, null-terminated: "Length" ... "Temperature".
extern const wchar_t* const kCategoryNames[kCategoryCount + 1];
/// The unit labels of each category, separated by ":", in list order; the first is the base unit.
extern const wchar_t* const kUnitStrings[kCategoryCount];

/// A category routine: value from the source unit to the target unit. Equal labels return the value
/// untouched; an unknown target clears resultValid (the value returned is then meaningless).
using CategoryRoutine = double (*)(const std::wstring& source, const std::wstring& target, double value,
                                   bool& resultValid);

double ConvertLength(const std::wstring& source, const std::wstring& target, double value, bool& resultValid);
double ConvertArea(const std::wstring& source, const std::wstring& target, double value, bool& resultValid);
double ConvertVolume(const std::wstring& source, const std::wstring& target, double value, bool& resultValid);
double ConvertMass(const std::wstring& source, const std::wstring& target, double value, bool& resultValid);
double ConvertSpeed(const std::wstring& source, const std::wstring& target, double value, bool& resultValid);
double ConvertForce(const std::wstring& source, const std::wstring& target, double value, bool& resultValid);
double ConvertPressure(const std::wstring& source, const std::wstring& target, double value, bool& resultValid);
double ConvertEnergy(const std::wstring& source, const std::wstring& target, double value, bool& resultValid);
double ConvertTemperature(const std::wstring& source, const std::wstring& target, double value, bool& resultValid);

/// The routines in category-list order.
extern const CategoryRoutine kCategoryRoutines[kCategoryCount];
