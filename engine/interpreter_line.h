// SPDX-License-Identifier: MIT
// The working state of one evaluateLine call, shared by the interpreter's source files.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

#include "engine/interpreter.h"
#include "engine/text_origin.h"

/// How the expression is used.
enum class Mode { Expression, Assignment, Display, Solve };

/// Working state of one call.
struct Interpreter::Line {
    const std::wstring& typed;  // the line as given
    std::wstring* out;
    double* value;
    const std::wstring* format;
    std::wstring text;        // the line copy
    std::wstring expression;  // the normalised expression
    Mode mode = Mode::Expression;
    std::wstring name;        // assignment or display target name
    int target = -1;
    bool xUsed = false;
    size_t assignAt = 0;  // position of the assignment "=" in expression, 0 when none
    size_t arrowAt = 0;   // position of the solve arrow "->0", 0 when none
    TextOrigin origin;    // where each character of text, then of expression, stands in typed
    std::ptrdiff_t growth = 0;  // characters the written-out user functions added to the text

    /// The length a text had before the user functions in it were written out.
    size_t typedSize(const std::wstring& text) const {
        return static_cast<size_t>(std::max<std::ptrdiff_t>(0, static_cast<std::ptrdiff_t>(text.size()) - growth));
    }
};
