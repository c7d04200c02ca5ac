// SPDX-License-Identifier: MIT
#include "engine/angle_unit.h"

#include <cwctype>

#include "engine/messages.h"

namespace {

/// The functions whose argument or value is an angle; the math library has each with the suffix Deg and Grad.
const wchar_t* const kAngleFunctions[] = {L"sin",  L"cos",  L"tan",  L"cot",  L"sec",
                                          L"csc",  L"asin", L"acos", L"atan", L"atan2"};

bool isNameChar(wchar_t c) { return std::iswalnum(c) || c == L'_' || c == L'.'; }

/// The name at [begin, end) of text is one of the angle functions.
bool isAngleFunction(const std::wstring& text, size_t begin, size_t end) {
    for (const wchar_t* f : kAngleFunctions)
        if (text.compare(begin, end - begin, f) == 0) return true;
    return false;
}

}  // namespace

const wchar_t* angleUnitName(AngleUnit unit) {
    return unit == AngleUnit::Degrees ? L"degrees" : unit == AngleUnit::Gradians ? L"gradians" : L"radians";
}

std::wstring angleUnitNotice(AngleUnit unit) { return fillMessage(msg::kAnglesIn, {angleUnitName(unit)}); }

void applyAngleUnit(AngleUnit unit, std::wstring& expression, TextOrigin* origin) {
    if (unit == AngleUnit::Radians) return;
    const std::wstring suffix = unit == AngleUnit::Degrees ? L"Deg" : L"Grad";
    for (size_t i = 0; i < expression.size();) {
        if (!isNameChar(expression[i])) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < expression.size() && isNameChar(expression[end])) ++end;
        if (end < expression.size() && expression[end] == L'(' && isAngleFunction(expression, i, end)) {
            expression.insert(end, suffix);
            // The renamed name stands for the name typed.
            if (origin) origin->replace(i, end - i, end - i + suffix.size());
            end += suffix.size();
        }
        i = end;
    }
}

double trigonometricPlotHalfWidth(AngleUnit unit) {
    return unit == AngleUnit::Degrees ? 360 : unit == AngleUnit::Gradians ? 400 : 4;
}
