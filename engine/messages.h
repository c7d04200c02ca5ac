// SPDX-License-Identifier: MIT
// The interpreter's texts, each defined once.
#pragma once

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
inline constexpr const wchar_t* kVersion = L"Version 1.8 Build 2104";
inline constexpr const wchar_t* kAuthor = L"DelvoCalculator, written by the DelvoCalculator developers";
}  // namespace msg
