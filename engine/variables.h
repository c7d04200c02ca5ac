// SPDX-License-Identifier: MIT
// Variable rules of the interpreter: reference check, names, targets, replacement, listing.
#pragma once

#include <string>

#include "engine/text_origin.h"
#include "engine/variable_store.h"
#include "libs/math/lm_math.h"

/// Result of the reference check at one position of the blank-free line.
enum class ReferenceCheck { Ok, NotSet, UnsetX };

/// Checks the letter at position i; may move a single-letter variable back to its own slot.
ReferenceCheck checkReference(VariableStore& store, const std::wstring& line, size_t i);
/// True for "pi", two-character names beginning with "_", and the reserved words (any case).
bool isReservedName(const std::wstring& name);
/// The message for a name that cannot be assigned, or null when it can.
const wchar_t* assignmentNameError(const std::wstring& name);
/// The slot of an existing variable for assignment or display, or -1; stale long names get their letter back.
int resolveTarget(VariableStore& store, const std::wstring& name);
/// Replaces every long variable name by its slot's letter; true when anything was replaced. A name directly
/// followed by "(" that is one of engine's functions is a call and stays (a variable may be named "sum").
bool replaceVariableNames(const VariableStore& store, std::wstring& expression, TextOrigin* origin = nullptr,
                          const lmDelvo* engine = nullptr);
/// "unset name" / "del name": true when a slot was removed.
bool removeVariable(VariableStore& store, const std::wstring& name);
/// Names of the variables in use separated by commas ("...," when it grows past 349 characters).
std::wstring listVariables(const VariableStore& store);
