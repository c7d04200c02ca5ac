// SPDX-License-Identifier: MIT
#include "libs/graph/plot_expression.h"

#include <limits>

PlotExpression::PlotExpression(const lmValues& variables)
    : m_variables(variables), m_parser(&m_engine, &m_param) {
    // The engine reads the snapshot, so it lives as long as the parser.
    m_engine.setVariableSource(&m_variables);
}

PlotExpression::~PlotExpression() {
    m_parser.release();
}

double PlotExpression::evaluate(double x) {
    // A point the math library cannot evaluate breaks the line like a NaN result.
    m_engine.errorCode = 0;
    double y = m_parser.evalfx(x);
    if (m_engine.errorCode != 0) {
        m_engine.clearError();
        return std::numeric_limits<double>::quiet_NaN();
    }
    return y;
}

PlotFunction PlotExpression::create(const std::wstring& text, const lmValues& variables) {
    std::shared_ptr<PlotExpression> expression(new PlotExpression(variables));
    expression->m_engine.clearError();
    // "name=" is accepted by init to display a variable, but it is no function to plot.
    bool display = !text.empty() && text.back() == L'=' &&
                   (text.size() < 2 || std::wstring(L"=<>!").find(text[text.size() - 2]) == std::wstring::npos);
    if (text.empty() || display || expression->m_parser.init(text) <= 0)
        return PlotFunction();
    return [expression](double x) { return expression->evaluate(x); };
}
