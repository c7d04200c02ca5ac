// SPDX-License-Identifier: MIT
// The interpreter's texts, each defined once, and the table of its messages: when each appears and what to do
// about it. The console, batch mode, the solver dialog and the manual read them from here.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace msg {
inline constexpr const wchar_t* kEmptyExpression = L"   ! empty expression";
inline constexpr const wchar_t* kTooLong = L"   ! expression too long";
inline constexpr const wchar_t* kContainsQuote = L"   ! expression contains \"";
inline constexpr const wchar_t* kVariableNotSet = L"   ! variable not set";
inline constexpr const wchar_t* kNameTooLong = L"   ! variable name too long";
inline constexpr const wchar_t* kNameReserved = L"   ! name reserved";
inline constexpr const wchar_t* kInvalidName = L"   ! invalid variable name";
inline constexpr const wchar_t* kInvalidExpression = L"   ! invalid expression";
inline constexpr const wchar_t* kAnsNotSet = L"   ! ans not set";
inline constexpr const wchar_t* kNoMemory = L"   ! insufficient memory";
inline constexpr const wchar_t* kPlotSyntax = L"   ! invalid plot syntax";
inline constexpr const wchar_t* kPlotInterval = L"   ! invalid plot interval";
inline constexpr const wchar_t* kPlotPoints = L"   ! invalid plot points";
inline constexpr const wchar_t* kCannotPlot = L"   ! cannot create plot";
inline constexpr const wchar_t* kInvalidPlot = L"   ! invalid plot";
inline constexpr const wchar_t* kSolveSyntax = L"   ! invalid solve syntax";
inline constexpr const wchar_t* kSolveInterval = L"   ! invalid solve interval";
inline constexpr const wchar_t* kUnknownFunction = L"   ! unknown function";
inline constexpr const wchar_t* kArgumentCount = L"   ! wrong number of arguments";
inline constexpr const wchar_t* kRecursiveFunction = L"   ! recursive function";
inline constexpr const wchar_t* kTooManyFunctions = L"   ! too many functions";
inline constexpr const wchar_t* kParameterCount = L"   ! a function takes 1 to 4 parameters";
inline constexpr const wchar_t* kInvalidParameter = L"   ! invalid parameter name";
inline constexpr const wchar_t* kFunctionNameTooLong = L"   ! function name too long";
inline constexpr const wchar_t* kNoFunction = L"   ! no function defined";
inline constexpr const wchar_t* kNotWhole = L"   ! whole numbers expected";
inline constexpr const wchar_t* kOutOfRange = L"   ! number out of 64-bit range";
inline constexpr const wchar_t* kDone = L"done.";
/// "{unit}": radians, degrees or gradians (fillMessage).
inline constexpr const wchar_t* kAnglesIn = L"angles in {unit}";
inline constexpr const wchar_t* kVersion = L"Version 1.8 Build 2104";
inline constexpr const wchar_t* kAuthor = L"DelvoCalculator, written by the DelvoCalculator developers";

// Why a solve found no zero: the dimmed note under the console's reply, and batch mode's standard error.
inline constexpr const wchar_t* kNoRootNoSignChange = L"no root here: f changes no sign on [{a}, {b}]";
inline constexpr const wchar_t* kNoRootAcrossPole =
    L"no root here: f changes sign on [{a}, {b}] only across a pole or a step";
inline constexpr const wchar_t* kNoRootJump = L"no root here: f jumps over 0 at x = {x} (a pole or a step)";
inline constexpr const wchar_t* kNoRootIterations =
    L"no root found: the search needs more evaluations than iter allows";

// The solver dialog's answers (besides the console's messages, which it shows as "! Unknown function").
inline constexpr const wchar_t* kEmptyFunction = L"! Empty function";
inline constexpr const wchar_t* kNoX = L"! No x in function";
inline constexpr const wchar_t* kInvalidInterval = L"! Invalid interval";
inline constexpr const wchar_t* kInvalidFunction = L"! Invalid function";
inline constexpr const wchar_t* kNoRealSolution = L"No real solution found\nin the specified interval";
}  // namespace msg

/// Where a message shows.
enum class MessagePlace {
    /// The reply to a console line or a batch command (messages only in verbose mode).
    Reply,
    /// Dimmed under a solve's reply in the console; on standard error in batch mode.
    SolveNote,
    /// The result field of the solver dialog.
    SolverDialog,
    /// Standard error of tallyx, or its standard output where it says so.
    Terminal,
};

/// One message a user can meet: its text, with "{name}" where a value goes; when it appears; what to do.
struct MessageEntry {
    std::wstring text;
    MessagePlace place;
    std::wstring when;
    std::wstring remedy;
};

/// The interpreter's and the solver's messages, the replies first.
const std::vector<MessageEntry>& engineMessages();

/// The pattern with each "{name}" replaced by the next of the values, in order.
std::wstring fillMessage(const std::wstring& pattern, std::initializer_list<std::wstring> values);
