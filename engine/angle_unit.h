// SPDX-License-Identifier: MIT
// The angle unit of the trigonometric functions: radians, degrees or gradians.
#pragma once

#include <string>

#include "engine/text_origin.h"

/// The unit in which sin, cos, tan, cot, sec and csc take their argument and asin, acos, atan, atan2 give theirs.
enum class AngleUnit { Radians, Degrees, Gradians };

/// "radians", "degrees" or "gradians".
const wchar_t* angleUnitName(AngleUnit unit);
/// What the console answers when the unit is chosen: "angles in degrees".
std::wstring angleUnitNotice(AngleUnit unit);
/// Renames every call of an angle function to the math library's form for the unit (sin( -> sinDeg( in
/// degrees); radians leave the text as it is. origin, when given, follows the renaming.
void applyAngleUnit(AngleUnit unit, std::wstring& expression, TextOrigin* origin = nullptr);
/// Half the width of the default plot interval of a trigonometric function: 4 radians, 360 degrees, 400 gradians.
double trigonometricPlotHalfWidth(AngleUnit unit);
