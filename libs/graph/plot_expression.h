// SPDX-License-Identifier: MIT
// A plot curve's function through the math library: its own engine and parser, initialised once. GUI-free.
#pragma once

#include <memory>
#include <string>

#include "libs/graph/plot_math.h"
#include "libs/math/lm_math.h"

/// y = f(x) of one function text, with the variables a..z fixed at the values they had when it was made.
class PlotExpression {
public:
    /// The function for text, or an empty function when the math library refuses the text.
    static PlotFunction create(const std::wstring& text, const lmValues& variables);

    PlotExpression(const PlotExpression&) = delete;
    PlotExpression& operator=(const PlotExpression&) = delete;
    ~PlotExpression();

    double evaluate(double x);

private:
    explicit PlotExpression(const lmValues& variables);

    lmValues m_variables;
    lmDelvo m_engine;
    lmParam m_param;
    lmParser m_parser;
};
