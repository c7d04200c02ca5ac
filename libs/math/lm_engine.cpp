// SPDX-License-Identifier: MIT
// The engine: error state and the one prepared parser that every lmParser of this engine reuses.
#include "libs/math/lm_engine_impl.h"

#include <exception>

lmDelvo::Impl::Impl() : random(std::random_device{}())
{
    try {
        // muParser's own table (_pi with 12 digits, _e = Euler's number, sum, avg...) is not ours.
        parser.ClearFun();
        parser.ClearConst();
        parser.ClearPostfixOprt();
        parser.ClearOprt();
        lmDefineFunctionTable(parser, &random);
        for (int i = 0; i < 26; ++i) {
            parser.DefineVar(std::string(1, static_cast<char>('a' + i)), &variables[static_cast<size_t>(i)]);
        }
        ready = true;
    } catch (const mu::Parser::exception_type&) {
        ready = false;
    } catch (const std::exception&) {
        ready = false;
    }
}

lmDelvo::lmDelvo() : m_impl(std::make_unique<Impl>()) {}

lmDelvo::~lmDelvo() = default;

void lmDelvo::clearError()
{
    errorCode = 0;
    message1.clear();
    message2.clear();
    message3.clear();
}
