// SPDX-License-Identifier: MIT
// The value a line would show, worked out while it is typed, without touching the interpreter.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/variable_store.h"
#include "libs/math/lm_math.h"

class Interpreter;

/// Evaluates the console's input line on its own engine, reading the interpreter through a const reference:
/// variables, last answer, history and the interpreter's engine stay as they are. Commands, assignments,
/// variable display, plot, solve, rand and time, incomplete and failing text show nothing.
class LiveAnswer {
public:
    /// Answers kept for texts typed recently (Backspace and retyping find them again).
    static constexpr int kCacheSize = 16;

    LiveAnswer();

    /// The reply Enter would print for the input line; false and an empty text when there is none to show
    /// or the reply would only repeat what is typed.
    bool answer(const Interpreter& interpreter, const std::wstring& line, std::wstring* out);

private:
    struct Entry {
        std::wstring line;
        std::uint64_t state = 0;
        bool shown = false;
        std::wstring reply;
    };

    bool compute(const Interpreter& interpreter, const std::wstring& line, std::wstring* out);
    bool peekStatement(const Interpreter& interpreter, std::wstring statement, std::wstring* out);

    lmDelvo m_engine;
    lmParam m_param;
    VariableStore m_scratch;
    std::array<Entry, kCacheSize> m_cache;
    int m_next = 0;
};

/// A fingerprint of what a reply depends on: variables, last answer, number format, output base, angle unit and
/// the user's functions.
std::uint64_t interpreterStateStamp(const Interpreter& interpreter);
