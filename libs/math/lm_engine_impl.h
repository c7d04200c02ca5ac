// SPDX-License-Identifier: MIT
// Inside the math library: the engine's prepared muParser and the variable storage it is bound to.
#pragma once

#include "libs/math/lm_math.h"

#include <muParserBase.h>

#include <charconv>
#include <cstdint>
#include <random>
#include <string>

/// muParser's base with our character sets and operators only: mu::Parser would add its functions,
/// constants and a stringstream number reader that is tried on every name (the slow part of a line).
class DelvoMuParser : public mu::ParserBase {
public:
    DelvoMuParser();

protected:
    void InitCharSets() override;
    void InitFun() override {}    // GCOVR_EXCL_LINE: docs/quality.md, what no test reaches
    void InitConst() override {}  // GCOVR_EXCL_LINE
    void InitOprt() override;
};

/// The engine's state: one muParser set up once, the 26 variables it reads, the random source of rand().
struct lmDelvo::Impl {
    Impl();

    /// Storage of a..z; the parser holds pointers into it, so Impl never moves (it lives behind unique_ptr).
    lmValues variables{};
    std::mt19937_64 random;
    /// Set by a function that refuses its arguments during one evaluation (lmParser clears it first).
    lmValueProblem problem = lmValueProblem::None;
    DelvoMuParser parser;
    /// The lmParser state whose expression is currently set in parser (null: none).
    const lmParser::State* owner = nullptr;
    /// False when setting up the function table failed; every init is then refused.
    bool ready = false;
};

/// Defines our operators, functions and constants on a parser whose built-in table was cleared.
void lmDefineFunctionTable(mu::ParserBase& parser, std::mt19937_64* random, lmValueProblem* problem);
/// The functions of angles: sin ... atan2 in radians and their degree and gradian forms (sinDeg, sinGrad ...),
/// cot, sec, csc, degrees and radians.
void lmDefineAngleFunctions(mu::ParserBase& parser);
/// Functions of whole numbers (gcd, lcm, ncr, npr) and the 64-bit operations (band ... shr); a refused
/// argument gives nan and is noted in *problem.
void lmDefineWholeNumberFunctions(mu::ParserBase& parser, lmValueProblem* problem);

/// Reads a number (no sign, no prefix) from [first, last) like strtod: beyond the double range gives inf or 0.
/// Returns the end of the number, or null when there is none.
const char* lmReadNumber(const char* first, const char* last, double* value, std::chars_format format);
