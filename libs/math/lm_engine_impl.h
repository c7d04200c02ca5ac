// SPDX-License-Identifier: MIT
// Inside the math library: the engine's prepared muParser and the variable storage it is bound to.
#pragma once

#include "libs/math/lm_math.h"

#include <muParser.h>

#include <cstdint>
#include <random>
#include <string>

/// The engine's state: one muParser set up once, the 26 variables it reads, the random source of rand().
struct lmDelvo::Impl {
    Impl();

    /// Storage of a..z; the parser holds pointers into it, so Impl never moves (it lives behind unique_ptr).
    lmValues variables{};
    std::mt19937_64 random;
    mu::Parser parser;
    /// The lmParser state whose expression is currently set in parser (null: none).
    const lmParser::State* owner = nullptr;
    /// False when setting up the function table failed; every init is then refused.
    bool ready = false;
};

/// Defines our operators, functions and constants on a parser whose built-in table was cleared.
void lmDefineFunctionTable(mu::Parser& parser, std::mt19937_64* random);
