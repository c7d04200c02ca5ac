// SPDX-License-Identifier: MIT
// The engine: error state and the one prepared parser that every lmParser of this engine reuses.
#include "libs/math/lm_engine_impl.h"

#include <charconv>
#include <chrono>
#include <exception>

namespace {

/// Decimal numbers for muParser without its per-number stringstream (the slow part of parsing a line).
/// Only digits and '.' may start a number: signs are muParser's operators, and "inf"/"nan" stay names.
/// muParser passes the text from the current position and the absolute position to advance.
int readNumber(const char* text, int* position, double* value) {
    const char* start = text;
    if (!((*start >= '0' && *start <= '9') || (*start == '.' && start[1] >= '0' && start[1] <= '9'))) return 0;
    const char* end = start;
    while (*end != '\0') ++end;  // muParser's text ends with a blank and a terminator
    // A digit, or a point and a digit, always starts a number.
    const char* stop = lmReadNumber(start, end, value, std::chars_format::general);
    *position += static_cast<int>(stop - start);
    return 1;
}

/// A seed for rand(): the system's random device, or the clock where there is none (random_device may throw).
std::uint64_t randomSeed() {
    try {
        std::random_device device;
        return (static_cast<std::uint64_t>(device()) << 32) ^ device();
    } catch (...) {  // GCOVR_EXCL_START: docs/quality.md, what no test reaches
        return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    }  // GCOVR_EXCL_STOP
}

double unaryMinus(double x) { return -x; }
double unaryPlus(double x) { return x; }

}  // namespace

DelvoMuParser::DelvoMuParser() {
    AddValIdent(readNumber);
    InitCharSets();
    InitOprt();
}

void DelvoMuParser::InitCharSets() {
    // The sets of mu::Parser: names of letters, digits and '_'; unknown upper-case names are refused by lookup.
    DefineNameChars("0123456789_abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    DefineOprtChars("+-*^/?<>=#!$%&|~");
    DefineInfixOprtChars("/+-*^?<>=#!$%&|~'_");
}

void DelvoMuParser::InitOprt() {
    // Sign operators bind less tightly than ^, so -2^2 = -(2^2) = -4.
    DefineInfixOprt("-", unaryMinus);
    DefineInfixOprt("+", unaryPlus);
}

lmDelvo::Impl::Impl() : random(randomSeed()) {
    try {
        // Built on ParserBase: muParser's own table (_pi with 12 digits, _e = Euler's number, sum...) never exists.
        lmDefineFunctionTable(parser, &random, &problem);
        for (int i = 0; i < 26; ++i) {
            parser.DefineVar(std::string(1, static_cast<char>('a' + i)), &variables[static_cast<size_t>(i)]);
        }
        ready = true;
    } catch (const mu::ParserError&) {  // GCOVR_EXCL_START: docs/quality.md, what no test reaches
        ready = false;
    } catch (const std::exception&) {
        ready = false;
    }  // GCOVR_EXCL_STOP
}

lmDelvo::lmDelvo() : m_impl(std::make_unique<Impl>()) {}

lmDelvo::~lmDelvo() = default;

bool lmDelvo::knowsFunction(const std::wstring& name) const {
    std::string narrow;
    for (wchar_t c : name) {
        if (c <= 0 || c > 127) return false;
        narrow.push_back(static_cast<char>(c));
    }
    return m_impl->parser.GetFunDef().count(narrow) != 0;
}

std::vector<std::wstring> lmDelvo::functionNames() const {
    std::vector<std::wstring> names;
    for (const auto& entry : m_impl->parser.GetFunDef()) names.emplace_back(entry.first.begin(), entry.first.end());
    return names;
}

void lmDelvo::clearError() {
    errorCode = 0;
    valueProblem = lmValueProblem::None;
    message1.clear();
    message2.clear();
    message3.clear();
    errorPosition = -1;
    errorReason = lmSyntaxReason::None;
}
