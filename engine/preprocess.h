// SPDX-License-Identifier: MIT
// Expression preprocessing: exponent letters, ans, base literals, factorials, constants.
#pragma once

#include <cstdint>
#include <string>

#include "engine/text_origin.h"

/// Terminator, tab, LF, CR, space and ! % & ( ) * + - / ; ^ | ~.
bool isDelimiter(wchar_t c);
/// Base 2: 0-1, base 8: 0-7, base 16: 0-9 a-f A-F, any other base: 0-9.
bool isBaseDigit(wchar_t c, int base);
/// Value of the digits in that base; 0 for a non-digit or a value above 0xFFFFFFFF.
std::uint32_t parseInBase(const std::wstring& digits, int base);

/// The last answer as preprocessing sees it.
struct LastAnswer {
    double value = 0;
    bool set = false;
};

/// Rewrites text in place (at most 383 characters); returns the final length. origin, when given, follows
/// every rewrite.
int preprocessExpression(const LastAnswer& ans, std::wstring& text, TextOrigin* origin = nullptr);
