// SPDX-License-Identifier: MIT
// The built manual tallyx.pdf against the program: every function, constant, message and window title it has,
// pictures of the windows, and what its sentences claim, run through the interpreter and tallyx.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/batch_mode.h"
#include "app/folders.h"
#include "engine/function_table.h"
#include "engine/interpreter.h"
#include "engine/messages.h"
#include "libs/file/lf_text.h"
#include "tests/tallyx_process.h"

namespace fs = std::filesystem;

namespace {

std::string output(const std::string& command) {
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return text;
    char chunk[4096];
    for (size_t got; (got = fread(chunk, 1, sizeof chunk, pipe)) > 0;) text.append(chunk, got);
    pclose(pipe);
    return text;
}

/// Runs of blanks and line ends as one blank, so that a sentence reads the same wherever a line wraps.
std::string oneLine(const std::string& text) { return std::regex_replace(text, std::regex("\\s+"), " "); }

/// A message as the manual shows it: without the blanks before "!", each "{name}" as its name, on one line.
std::string asShown(const std::wstring& message) {
    std::string text = oneLine(utf8FromWide(message));
    text = std::regex_replace(text, std::regex("\\{([^}]*)\\}"), "$1");
    return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

class Manual : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        path = std::string(DELVO_BINARY_DIR) + "/app/doc/tallyx.pdf";
        if (!fs::exists(path)) return;
        squashed = withoutBlanks(output("pdftotext '" + path + "' - 2>/dev/null"));
    }
    void SetUp() override {
        if (!fs::exists(path)) GTEST_SKIP() << "no manual built (rst2pdf missing)";
        if (squashed.empty()) GTEST_SKIP() << "pdftotext missing";
    }
    /// True when the manual holds the phrase; blanks and line ends do not count, as a table cell may wrap a
    /// word at any character and italics bring blanks of their own.
    static bool has(const std::string& phrase) { return squashed.find(withoutBlanks(phrase)) != std::string::npos; }
    static std::string withoutBlanks(const std::string& text) {
        return std::regex_replace(text, std::regex("\\s+"), "");
    }

    static inline std::string path, squashed;
};

TEST_F(Manual, NamesEveryFunctionAndConstantOfTheFunctionTable) {
    for (const FunctionSignature& entry : functionSignatures()) {
        const std::string name = utf8FromWide(entry.name) + (entry.constant ? "" : "(");
        EXPECT_TRUE(has(name)) << name;
        EXPECT_TRUE(has(utf8FromWide(entry.summary))) << name;
    }
}

TEST_F(Manual, ListsEveryMessageWithWhenAndWhatToDo) {
    std::vector<MessageEntry> messages = engineMessages();
    messages.insert(messages.end(), batchMessages().begin(), batchMessages().end());
    for (const MessageEntry& entry : messages) {
        std::wstring lines = entry.text;
        for (size_t end; !lines.empty(); lines.erase(0, end == std::wstring::npos ? end : end + 1)) {
            end = lines.find(L'\n');
            EXPECT_TRUE(has(asShown(lines.substr(0, end)))) << asShown(lines.substr(0, end));
        }
        EXPECT_TRUE(has(utf8FromWide(entry.when))) << asShown(entry.text);
        EXPECT_TRUE(has(utf8FromWide(entry.remedy))) << asShown(entry.text);
    }
}

// Texts that the window shows or writes on standard error, each where a user looks it up.
TEST_F(Manual, NamesEveryWindowAndTheWindowsMessages) {
    for (const char* title : {"NumKeypad",
                              "Variables",
                              "Variable",
                              "Solver f(x) = 0",
                              "Unit Converter",
                              "Base Converter (uint 32-bit)",
                              "Colors",
                              "Reset Math Console?",
                              "Cannot save console content.",
                              "Cannot open file.",
                              "Cannot display help file: PDF associated application not found.",
                              "Cannot display help file. It is located in Quarn/doc.",
                              "Invalid variable name",
                              "tallyx: cannot open the display",
                              "tallyx: the settings file could not be read:",
                              "tallyx: the settings of this session were not saved:",
                              "tallyx: lost the connection to the display; the settings of this session were saved",
                              "tallyx: nothing was pasted: the program holding the clipboard ended",
                              "tallyx.quarnr",
                              "TALLYX_UPDATE_HOST",
                              "%LOCALAPPDATA%\\Quarn\\config\\",
                              "~/.local/share/Quarn/config/"})
        EXPECT_TRUE(has(title)) << title;
}

TEST_F(Manual, HasAPictureOfEveryWindow) {
    const std::string list = output("pdfimages -list '" + path + "' 2>/dev/null");
    if (list.empty()) GTEST_SKIP() << "pdfimages missing";
    int pictures = 0;
    for (size_t at = 0; (at = list.find(" image ", at)) != std::string::npos; ++at) ++pictures;
    EXPECT_GE(pictures, 20);
    const fs::path source = fs::path(DELVO_SOURCE_DIR) / "docs/manual/tallyx.rst";
    std::ifstream rst(source);
    const std::string document((std::istreambuf_iterator<char>(rst)), std::istreambuf_iterator<char>());
    for (const char* picture :
         {"main_window", "tool_numpad", "tool_variables", "tool_variable", "tool_solver", "tool_unit_converter",
          "tool_base_converter", "tool_colors", "plot_window", "about", "menu_view", "menu_help", "menu_options_angle",
          "menu_insert_more", "menu_insert_yours", "update_current"}) {
        EXPECT_NE(document.find(std::string("pictures/") + picture + ".png"), std::string::npos) << picture;
        EXPECT_TRUE(fs::exists(source.parent_path() / "pictures" / (std::string(picture) + ".png"))) << picture;
    }
}

/// A claim of the manual, in its words, and the lines that show it: the last one's reply is what it claims.
struct Claim {
    const char* words;
    std::vector<std::wstring> lines;
    std::wstring reply;
};

std::wstring repeated(const wchar_t* piece, size_t count) {
    std::wstring text;
    for (size_t i = 0; i < count; ++i) text += piece;
    return text;
}

TEST_F(Manual, WhatItSaysTheInterpreterDoes) {
    // A sum of ones with blanks around each "+", 379 characters (187 without the blanks); sums of 249 and 251.
    const std::wstring spaced379 = L"a =   " + repeated(L"1 + ", 93) + L"1";
    const std::wstring ones249 = L"1" + repeated(L"+1", 124), ones251 = ones249 + L"+1";
    const std::vector<Claim> claims = {
        {"reset keeps it: 5; reset; ans gives 5", {L"5", L"reset", L"ans"}, L"5"},
        {"0x1F + 0b101 36", {L"0x1F + 0b101"}, L"36"},
        {"sqrt(2) 1.4142135623731", {L"sqrt(2)"}, L"1.4142135623731"},
        {"0o17 (octal, 15)", {L"0o17"}, L"15"},
        {"a = 2; a*3 shows 6", {L"a = 2", L"a*3"}, L"6"},
        {"1 ? 5 : 6 gives 5", {L"1 ? 5 : 6"}, L"5"},
        {"2>1 && 3>2 gives 1", {L"2>1 && 3>2"}, L"1"},
        {"7 % 3 gives 1", {L"7 % 3"}, L"1"},
        {"2^3^2 gives 512; -2^2 gives -4", {L"2^3^2"}, L"512"},
        {"2^3^2 gives 512; -2^2 gives -4", {L"-2^2"}, L"-4"},
        {"1/0 is inf, sqrt(-1) is nan", {L"1/0"}, L"inf"},
        {"1/0 is inf, sqrt(-1) is nan", {L"sqrt(-1)"}, L"nan"},
        {"format long > 1/3 0.333333333333", {L"format long", L"1/3"}, L"0.333333333333"},
        {"format short > 1/3 0.333333", {L"format short", L"1/3"}, L"0.333333"},
        {"format int > 7/2 3...", {L"format int", L"7/2"}, L"3..."},
        {"2^40 is 1.09951163e+12 in the long format", {L"format long", L"2^40"}, L"1.09951163e+12"},
        {"3.50 stays 3.50", {L"format int", L"3.50"}, L"3.50"},
        {"tol=1e-9, tol ? sets or shows the solver's relative tolerance (1e-06 at start)", {L"tol ?"}, L"1e-06"},
        {"(4096 at start)", {L"iter ?"}, L"4096"},
        {"> deg angles in degrees > sin(30) + cos(60) 1", {L"deg", L"sin(30) + cos(60)"}, L"1"},
        {"> atan(1) 45", {L"deg", L"atan(1)"}, L"45"},
        {"> grad angles in gradians > cos(200) -1", {L"grad", L"cos(200)"}, L"-1"},
        {"> angle? gradians", {L"grad", L"angle?"}, L"gradians"},
        {"cos(90) is 0 and tan(45) is 1 in degrees", {L"deg", L"cos(90)"}, L"0"},
        {"cos(90) is 0 and tan(45) is 1 in degrees", {L"deg", L"tan(45)"}, L"1"},
        {"area = pi*r^2 12.5663706143592", {L"r = 2", L"area = pi*r^2"}, L"12.5663706143592"},
        {"> set? area,r", {L"r = 2", L"area = pi*r^2", L"set?"}, L"area,r"},
        {"> unset area done.", {L"area = 2", L"unset area"}, L"done."},
        {"after speed = 1 took a, a = 0 answers ! invalid variable name",
         {L"speed = 1", L"a = 0"},
         L"   ! invalid variable name"},
        {"pi = 3 answers ! name reserved", {L"pi = 3"}, L"   ! name reserved"},
        {"> f(3) 10", {L"f(x) = x^2 + 1", L"f(3)"}, L"10"},
        {"> g(3, 4) 6", {L"g(x, y) = hypot(x, y) + k", L"k = 1", L"g(3, 4)"}, L"6"},
        {"> fun? f(x)=x^2+1; g(x,y)=hypot(x,y)+k",
         {L"f(x) = x^2 + 1", L"g(x, y) = hypot(x, y) + k", L"fun?"},
         L"f(x)=x^2+1; g(x,y)=hypot(x,y)+k"},
        {"f(x) = x! is refused, write fact(x)", {L"f(x) = x!"}, L"   ! invalid expression"},
        {"gcd(2.5, 5) answers ! whole numbers expected", {L"gcd(2.5, 5)"}, L"   ! whole numbers expected"},
        {"bnot(0) is -1, shr(-8, 1) is -4", {L"bnot(0)"}, L"-1"},
        {"bnot(0) is -1, shr(-8, 1) is -4", {L"shr(-8, 1)"}, L"-4"},
        {"> solve(x^2-2, 0, 3) x = 1.41421356237309 y = -4.44089209850063e-16",
         {L"solve(x^2-2, 0, 3)"},
         L"x = 1.41421356237309   y = -4.44089209850063e-16"},
        {"> solve(cos(x)-x) x = 0.739085133215161 y = 0", {L"solve(cos(x)-x)"}, L"x = 0.739085133215161   y = 0"},
        {"a = 0; b = 2; x^3-2 -> 0 x = 1.25992104989487 y = -1.35447209004269e-14",
         {L"a = 0", L"b = 2", L"x^3-2 -> 0"},
         L"x = 1.25992104989487   y = -1.35447209004269e-14"},
        {"Each statement of a line may hold up to 379 characters, blanks included", {spaced379}, L"94"},
        {"Each statement of a line may hold up to 379 characters, blanks included",
         {spaced379 + L" "},
         L"   ! expression too long"},
        {"may hold up to 250 characters once its blanks are removed", {ones249}, L"125"},
        {"may hold up to 250 characters once its blanks are removed", {L"a = " + ones249}, L"125"},
        {"a statement of 379 characters fails when its expression is longer than 250",
         {ones251},
         L"   ! expression too long"},
    };
    for (const Claim& claim : claims) {
        EXPECT_TRUE(has(claim.words)) << "the manual does not say: " << claim.words;
        Interpreter interpreter;
        interpreter.format.mode = NumberFormat::kAuto;  // as the window starts
        std::wstring reply;
        for (const std::wstring& line : claim.lines) interpreter.evaluateLine(line, &reply);
        EXPECT_EQ(reply, claim.reply) << claim.words;
    }
}

TEST_F(Manual, WhatItSaysBatchModeDoes) {
    const fs::path dir = fs::temp_directory_path() / ("delvo-manual-" + std::to_string(processId()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const auto write = [&dir](const char* name, const std::string& content) {
        std::ofstream(dir / name, std::ios::binary) << content;
    };
    ASSERT_TRUE(has("tallyx -run \"1+2;x=3;x*2\"") && has("# prints a line feed, 6 and a line feed"));
    ProcessRun run = runTallyx({"-run", "1+2;x=3;x*2"}, dir);
    EXPECT_EQ(run.out, "\n6\n");
    EXPECT_EQ(run.status, 0);

    ASSERT_TRUE(has("tallyx: commands.txt:3: q*2: variable not set"));
    ASSERT_TRUE(has("The exit status is 0 when the last command succeeded and 1 when it failed"));
    write("commands.txt", "# a comment\n1+2\nq*2\n4\n");
    run = runTallyx({"-run", "commands.txt"}, dir);
    EXPECT_EQ(run.err, "tallyx: commands.txt:3: q*2: variable not set\n");
    EXPECT_EQ(run.out, "\n   ! variable not set\n");
    EXPECT_EQ(run.status, 1);

    ASSERT_TRUE(has("a line of more than 383 characters counts as several lines of 383"));
    // The 383rd character ends the first piece: "123" is read as "12" and "3".
    write("long.txt", "x=1;" + std::string(377, ' ') + "123\n");
    run = runTallyx({"-run", "long.txt"}, dir);
    EXPECT_EQ(run.out, "\n3\n");

    ASSERT_TRUE(has("An input file holds at most 256 lines"));
    std::string lines;
    for (int i = 1; i <= 257; ++i) lines += std::to_string(i) + "\n";
    write("big.txt", lines);
    run = runTallyx({"-run", "big.txt"}, dir);
    EXPECT_EQ(run.out, "\n256\n");
    EXPECT_EQ(run.err, "tallyx: big.txt: lines after 256 were not run\n");

    ASSERT_TRUE(has("as UTF-16 code units (little-endian) without a byte-order mark and without a line end"));
    run = runTallyx({"-run", "2*21", "-out", "result.txt"}, dir);
    EXPECT_EQ(run.out, "");
    std::ifstream result(dir / "result.txt", std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(result)), std::istreambuf_iterator<char>()),
              std::string("4\0"
                          "2\0",
                          4));

    ASSERT_TRUE(has("Batch mode starts in the long format, radians"));
    run = runTallyx({"-run", "1/3;angle?"}, dir);
    EXPECT_EQ(run.out, "\nradians\n");
    run = runTallyx({"-run", "1/3"}, dir);
    EXPECT_EQ(run.out, "\n0.333333333333\n");
    fs::remove_all(dir);
}

TEST_F(Manual, WhereItSaysTheSettingsFileLives) {
    const fs::path dir = fs::temp_directory_path() / ("delvo-manual-folders-" + std::to_string(processId()));
    fs::remove_all(dir);
    fs::create_directories(dir / "opt/bin");
    ASSERT_TRUE(has("otherwise on Linux in ~/.local/share/Quarn/config/"));
    const std::wstring base = (dir / "home/.local/share/tallyx").wstring();
    Folders folders = Folders::locate((dir / "opt/bin/tallyx").wstring(), base);
    EXPECT_EQ(folders.settingsPath(), (dir / "home/.local/share/Quarn/config/tallyx.quarnr").wstring());
    ASSERT_TRUE(has("in a folder config next to the installation's bin folder, when that folder exists"));
    fs::create_directories(dir / "opt/config");
    EXPECT_EQ(folders.settingsPath(), (dir / "opt/config/tallyx.quarnr").wstring());
    fs::remove_all(dir);
}

}  // namespace
