// SPDX-License-Identifier: MIT
// The built manual tallyx.pdf documents every console command, function and constant.
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

namespace {

std::string pdfText(const std::string& path) {
    std::string text;
    FILE* pipe = popen(("pdftotext -layout '" + path + "' - 2>/dev/null").c_str(), "r");
    if (!pipe) return text;
    char chunk[4096];
    for (size_t got; (got = fread(chunk, 1, sizeof chunk, pipe)) > 0;) text.append(chunk, got);
    pclose(pipe);
    return text;
}

TEST(Manual, NamesEveryCommandFunctionAndConstant) {
    const std::string path = std::string(DELVO_BINARY_DIR) + "/app/doc/tallyx.pdf";
    if (FILE* file = std::fopen(path.c_str(), "rb")) std::fclose(file);
    else GTEST_SKIP() << "no manual built (rst2pdf missing)";
    const std::string text = pdfText(path);
    if (text.empty()) GTEST_SKIP() << "pdftotext missing";
    const char* names[] = {
        "help", "version", "release", "author", "cls", "clear", "save", "exit", "quit", "stop",
        "format long", "format double", "format short", "format single", "format int", "format auto",
        "format ?", "format?", "tol=", "tol ?", "iter=", "iter ?", "set ?", "set?", "unset", "del", "reset",
        "plot(", "solve(", "-> 0", "ans",
        "exp(", "ln(", "log(", "log2(", "pow(", "sqrt(", "cbrt(", "abs(", "sign(", "ceil(", "floor(", "int(",
        "trunc(", "round(", "rint(", "fmod(", "hypot(", "min(", "max(", "sin", "cos", "tan", "asin", "acos",
        "atan", "atan2(", "sinh", "cosh", "tanh", "asinh", "acosh", "atanh", "erf(", "erfc(", "gamma(",
        "gammaln(", "beta(", "fact(", "j0(", "j1(", "jn(", "y0(", "y1(", "yn(", "bern(", "gauss(", "lorentz(",
        "rand()", "time()", "pi", "_q", "_m", "_k", "_h", "_c", "_e", "_n",
        "-run", "-out", "-show", "tallyx.quarnr", "TALLYX_UPDATE_HOST", "F1", "F12", "Ctrl+Shift+V"};
    for (const char* name : names) EXPECT_NE(text.find(name), std::string::npos) << name;
}

}  // namespace
