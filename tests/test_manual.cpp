// SPDX-License-Identifier: MIT
// The built manual tallyx.pdf documents every console command, function and constant.
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "engine/function_table.h"

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
        "-> 0", "ans", "deg", "rad", "grad", "angle?", "fun?", "f(x) =",
        "-run", "-out", "-show", "tallyx.quarnr", "TALLYX_UPDATE_HOST", "F1", "F12", "Ctrl+Shift+V"};
    // Every function, constant and command of the table that the menus and completion offer.
    for (const FunctionSignature& entry : functionSignatures()) {
        const std::wstring name = entry.name;
        EXPECT_NE(text.find(std::string(name.begin(), name.end()) + (entry.constant ? "" : "(")), std::string::npos)
            << std::string(name.begin(), name.end());
    }
    for (const char* name : names) EXPECT_NE(text.find(name), std::string::npos) << name;
}

}  // namespace
