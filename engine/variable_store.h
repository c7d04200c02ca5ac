// SPDX-License-Identifier: MIT
// The 26 variable slots a..z, read and written directly by the variables dialogs.
#pragma once

#include <array>
#include <string>

#include "libs/math/lm_math.h"

/// Slots a..z with value, name (at most 15 characters) and in-use flag, and the count.
struct VariableStore {
    static constexpr int kSlots = 26;
    static constexpr int kMaxNameLength = 15;

    lmValues varValue{};
    std::array<std::wstring, kSlots> varName;
    std::array<bool, kSlots> varSet{};
    int varCount = 0;

    VariableStore() { reset(); }
    /// Every slot named by its letter, value 0, not in use; count 0.
    void reset();
    /// Slot a is discarded, b..z move down one place named by their former letters; z emptied; count 25.
    void dropOldestVariable();
};
