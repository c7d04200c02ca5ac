// SPDX-License-Identifier: MIT
// Where a line went wrong, in the text the user typed, and why, in one short sentence.
#pragma once

#include <string>

#include "engine/text_origin.h"
#include "libs/math/lm_math.h"

/// The stretch of the line given to evaluateLine at which it failed, and the reason; start -1 when unknown.
struct ErrorSpot {
    int start = -1;
    int length = 0;
    std::wstring reason;
    bool known() const { return start >= 0 && length > 0; }
};

/// The spot of a refusal by the math library: position and reason in expression (the text given to init),
/// mapped through origin onto typed.
ErrorSpot locateSyntaxError(const std::wstring& typed, const std::wstring& expression, const TextOrigin& origin,
                            int position, lmSyntaxReason reason);
/// A spot covering the typed stretch of expression characters [begin, end) with a fixed reason.
ErrorSpot spotOf(const TextOrigin& origin, size_t begin, size_t end, const std::wstring& reason);
