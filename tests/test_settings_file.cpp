// SPDX-License-Identifier: MIT
// The settings file reader on real files, hostile ones included; the writer's tests are in test_settings_writer.cpp.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "libs/file/lf_config.h"
#include "settings/settings_file.h"
#include "tests/settings_test_support.h"

namespace {

using SettingsReader = SettingsFileTest;

const char kFontBody[] = "[Font]\n   Name=Mono\n   Size=14\n";

// Nothing is applied unless the first line is exactly the header and a known section follows. Only a file that
// is there but cannot be read has a problem to tell; a missing or a foreign file has none.
TEST_F(SettingsReader, RefusesFilesWithoutHeaderOrKnownSection) {
    FakeHost untouched;
    lfConfig config(3);
    const auto problem = [&] {
        std::string text = "not asked";
        EXPECT_FALSE(loadSettings(config, path(), untouched, &text));
        return text;
    };
    EXPECT_EQ(problem(), "");                     // no file: a first start
    ASSERT_EQ(::mkdir(m_path.c_str(), 0700), 0);  // a folder: unreadable even for root
    EXPECT_EQ(problem(), "Is a directory");
    ::rmdir(m_path.c_str());
    ASSERT_EQ(::symlink("tallyx.quarnr", m_path.c_str()), 0);  // a link to itself
    EXPECT_EQ(problem(), "Too many levels of symbolic links");
    ::unlink(m_path.c_str());
    writeBytes("");
    EXPECT_EQ(problem(), "");
    const std::string known = std::string("[Common]\nVerbose=0\n") + kFontBody;
    const struct {
        std::string header, body;
    } cases[] = {
        {"# Quarn-RC <do not change or remove this headers>", known},
        {"# Quarn-RC <do not change or remove this header", known},
        {"# quarn-RC <do not change or remove this header>", known},
        {"# QUARN-RC <DO NOT CHANGE OR REMOVE THIS HEADER>", known},
        {"# Quarn-RC <do not change or remove this header> x", known},
        {" # Quarn-RC <do not change or remove this header>", known},
        {"#Quarn-RC <do not change or remove this header>", known},
        {"", known},
        {kHeader, ""},
        {kHeader, "[Other]\nName=Mono\nVerbose=0\n"},
        {kHeader, "Name=Early\n[Font] x\nName=Mono\n"},
    };
    for (const auto& c : cases) {
        FakeHost host;
        EXPECT_FALSE(load(c.body, host, c.header)) << c.header << c.body;
        EXPECT_EQ(host.fontCalls + host.colorCalls + host.placementCalls, 0) << c.header << c.body;
    }
    EXPECT_EQ(untouched.fontCalls + untouched.colorCalls + untouched.placementCalls, 0);
}

// The path is 9 to 247 characters long and ends in ".quarnr" exactly.
TEST_F(SettingsReader, PathLengthAndExtension) {
    for (const char* name : {".quarnr", "a.quarnr", "ab.quarnr", "tallyx.QUARNR", "tallyx.quarnrc"}) {
        writeBytes(std::string(kHeader) + "\r\n" + kFontBody, name);
    }
    // "./" followed by more slashes names the file ".quarnr" in the current folder.
    const auto padded = [](size_t length) { return L"." + std::wstring(length - 8, L'/') + L".quarnr"; };
    const struct {
        std::wstring path;
        bool accepted;
    } cases[] = {{L"", false},          {L"tallyx.QUARNR", false}, {L"tallyx.quarnrc", false}, {L"a.quarnr", false},
                 {L"ab.quarnr", true},  {padded(247), true},       {padded(248), false}};
    char previous[4096];
    ASSERT_NE(::getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(::chdir(m_dir.c_str()), 0);
    for (const auto& c : cases) {
        FakeHost host;
        lfConfig config(3);
        EXPECT_EQ(loadSettings(config, c.path, host), c.accepted) << c.path.size();
    }
    ASSERT_EQ(::chdir(previous), 0);
}

std::string utf16(const std::string& latin1) {
    std::string out("\xFF\xFE", 2);
    for (char c : latin1) out += std::string{c, '\0'};
    return out;
}

// Lines may end in LF alone, the header may carry trailing blanks, each byte is one Latin-1 character. Huge,
// binary, UTF-16 or many-section files load in well under a second and leave the defaults.
TEST_F(SettingsReader, LineEndsLatin1AndHostileFiles) {
    const std::string valid = std::string(kHeader) + "\r\n# Quarn <Version: 1.8 Build: 2104>\r\n\r\n[Common]\r\n"
                              "   Verbose=0\r\n[History]\r\n   Expr1=1+2\r\n[Font]\r\n   Name=Courier\r\n   Size=12\r\n";
    std::mt19937 random(7);
    std::string binary(1 << 20, '\0');
    for (char& c : binary) c = static_cast<char>(random());
    std::string sections = std::string(kHeader) + "\r\n";
    for (int i = 0; i < 10000; ++i) sections += "[S" + std::to_string(i) + "]\r\n   Verbose=0\r\n";
    const struct {
        const char* name;
        std::string bytes;
        bool loads, verbose;
        std::wstring face;
    } rows[] = {
        {"LF line ends, Latin-1", std::string(kHeader) + " \t\n[Font]\nName=Caf\xE9\n", true, true, L"Caf\u00E9"},
        {"100 MB without a line end", std::string(kHeader) + std::string(100 << 20, 'x'), false, true, L"Consolas"},
        {"100 MB of short lines", std::string(kHeader) + "\r\n" + std::string(100 << 20, '\n'), false, true, L"Consolas"},
        {"binary bytes", binary, false, true, L"Consolas"},
        {"the same file in UTF-16", utf16(valid), false, true, L"Consolas"},
        {"10,000 sections", sections, false, true, L"Consolas"},
        {"a valid file after all that", valid, true, false, L"Courier"},
    };
    for (const auto& row : rows) {
        writeBytes(row.bytes);
        FakeHost host;
        lfConfig config(3);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(loadSettings(config, path(), host), row.loads) << row.name;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500)) << row.name;
        EXPECT_EQ(host.verbose, row.verbose) << row.name;
        EXPECT_EQ(host.font.faceName, row.face) << row.name;
    }
}

// Comments, unknown sections, blanks around "=", malformed lines, case, the face and size rules, and the
// fourth accepted section header that ends reading (repeats count).
TEST_F(SettingsReader, FontFaceAndSizeFromLines) {
    const struct {
        std::string body;
        std::wstring face;
        int size;
    } cases[] = {
        {kFontBody, L"Mono", 14},
        {"[FONT]\nname=Mono\nSIZE=20\n", L"Mono", 20},
        {"[Font]\nName=Mono\n#Size=20\n   ;Size=21\n  # Size=22\n", L"Mono", 10},
        {"[Font]\nName=Mono\n[Colours]\nSize=20\n", L"Mono", 20},
        {"[Font]\nName= Mono Bold\nSize =20\n", L" Mono Bold", 10},
        {"Name=Early\n[Font] x\nSize=20\n[Font]\n=Name=X\nName\n[Font]]\nName=Mono\n", L"Mono", 10},
        {"[Font]\nName=\nSize=12\n", L"", 12},
        {"[Font]\nName=" + std::string(40, 'n') + "\n", std::wstring(31, L'n'), 10},
        {"[Font]\nName=Mono\n[Common]\n[History]\n[Font]\nSize=20\n", L"Mono", 10},
        {"[Font]\nName=Mono\n[Font]\nSize=20\n[font]\nSize=21\n", L"Mono", 21},
        {"[Font]\nName=Mono\nSize=3\n", L"Mono", 10},
        {"[Font]\nName=Mono\nSize=4\n", L"Mono", 4},
        {"[Font]\nName=Mono\nSize=96\n", L"Mono", 96},
        {"[Font]\nName=Mono\nSize=97\n", L"Mono", 10},
        {"[Font]\nName=Mono\nSize=x\n", L"Mono", 10},
    };
    for (const auto& c : cases) {
        FakeHost host;
        EXPECT_TRUE(load(c.body, host)) << c.body;
        EXPECT_EQ(host.font.faceName, c.face) << c.body;
        EXPECT_EQ(host.font.size, c.size) << c.body;
    }
}

// History values are handed over Expr01..Expr12, then Func01..Func12, whatever the order in the file.
TEST_F(SettingsReader, HistoryEntriesInKeyOrder) {
    const struct {
        std::string body;
        std::vector<std::wstring> expressions, functions;
    } cases[] = {
        {"[history]\nexpr01=1+1\nfunc01=x-1\n", {L"1+1"}, {L"x-1"}},
        {"[History]\nFunc02=SIN(X)\nExpr02=A*2\nExpr01=a*2\nFunc01=sin(x)\n", {L"a*2", L"A*2"}, {L"sin(x)", L"SIN(X)"}},
        {"[History]\nExpr13=13\nFunc13=x-13\nExpr00=0\nExpr1=1\nExpr12=12\nFunc12=x-12\n", {L"12"}, {L"x-12"}},
        {"[History]\nExpr01=a=2\nFunc01=\n", {L"a=2"}, {L""}},
        // A line longer than 254 characters is read as two; one of 253 with its line end is one.
        {"[History]\nExpr01=" + std::string(247, 'a') + "Expr02=bb\n", {std::wstring(247, L'a'), L"bb"}, {}},
        {"[History]\nExpr01=" + std::string(246, 'a') + "\nExpr02=bb\n", {std::wstring(246, L'a'), L"bb"}, {}},
    };
    for (const auto& c : cases) {
        FakeHost host;
        EXPECT_TRUE(load(c.body, host));
        EXPECT_EQ(host.expressions, c.expressions) << c.body;
        EXPECT_EQ(host.functions, c.functions) << c.body;
    }
}

// Reading stops after 2049 counted lines; lines shorter than 3 characters count, blank-led short ones do not.
TEST_F(SettingsReader, ReadsAtMost2049Lines) {
    const struct {
        const char* filler;
        int count;
        std::wstring face;
        int size;
    } cases[] = {{"# comment", 2047, L"Mono", 10}, {"", 2048, L"Consolas", 10}, {"   ab", 2048, L"Mono", 20}};
    for (const auto& c : cases) {
        std::string body = "[Font]\n";
        for (int i = 0; i < c.count; ++i) body += c.filler + std::string("\n");
        FakeHost host;
        EXPECT_TRUE(load(body + "Name=Mono\nSize=20\n", host));
        EXPECT_EQ(host.font.faceName, c.face) << '"' << c.filler << '"';
        EXPECT_EQ(host.font.size, c.size) << '"' << c.filler << '"';
    }
}

// Every Font key reaches the font or the colours; without Name none of them does.
TEST_F(SettingsReader, FontKeysNeedName) {
    FakeHost host;
    EXPECT_TRUE(load("[Font]\nName=Mono\nDefColor=102030\nSize=16\nOrient= -5\nStyle=93\nWeight=92\n"
                     "BackColor=1\nFuncColor=2\nOpColor=3\nNumberColor=4\nSelColor=5\n",
                     host));
    const SettingsFont& f = host.font;
    EXPECT_EQ(std::make_tuple(f.color, f.size, f.orientation, f.style, f.weight),
              std::make_tuple(0x102030u, 16, -5, 93, 92));
    EXPECT_EQ(host.colors, (std::array<std::uint32_t, 5>{1, 2, 3, 4, 5}));

    FakeHost nameless;
    EXPECT_TRUE(load("[Font]\nSize=20\nDefColor=FF\nBackColor=0\nSelColor=0\n", nameless));
    EXPECT_EQ(nameless.fontCalls + nameless.colorCalls, 0);
    EXPECT_EQ(nameless.placementCalls, 1);
}

// Colours are hexadecimal with an optional "0x"; text not starting with a hex digit gives black.
TEST_F(SettingsReader, ColoursAreHexadecimal) {
    const struct {
        const char* value;
        std::uint32_t color;
    } cases[] = {{"FF", 0xFF},  {"0xFF", 0xFF}, {"zz", 0}, {"ff00", 0xFF00}, {" 0Xab", 0xAB},
                 {"12g4", 0x12}, {"", 0},        {"0x", 0}, {"0xg", 0}};
    for (const auto& c : cases) {
        FakeHost host;
        EXPECT_TRUE(load(std::string("[Font]\nName=Mono\nDefColor=") + c.value + "\n", host));
        EXPECT_EQ(host.font.color, c.color) << c.value;
    }
}

std::string placement(const FakeHost& h) {
    return (h.maximized ? "max " : "") + std::to_string(h.x) + "," + std::to_string(h.y) + " " +
           std::to_string(h.width) + "x" + std::to_string(h.height) + (h.verbose ? "" : " quiet");
}

// Maximized=1 skips placement and Verbose; the placement chain ends at the first missing or out-of-range key
// (limit: screen size less 16, an odd screen counting as 12288); only exactly "0" turns verbose off.
TEST_F(SettingsReader, CommonPlacementAndVerbose) {
    const struct {
        std::string lines, expected;
        bool verboseBefore = true;
        int screenWidth = 1920, screenHeight = 1080;
    } cases[] = {
        {"Maximized=1\nPositionX=10\nPositionY=10\nWidth=500\nHeight=400\nVerbose=0", "max -1,-1 -1x-1"},
        {"Maximized=2\nPositionX=10\nPositionY=20\nWidth=500\nHeight=400\nVerbose=0", "10,20 500x400 quiet"},
        {"PositionX=1904\nPositionY=0\nWidth=1904\nHeight=1064", "1904,0 1904x1064"},
        {"PositionX=1905\nPositionY=0\nWidth=800\nHeight=600", "-1,-1 -1x-1"},
        {"PositionX=5\nPositionY=-1\nWidth=800\nHeight=600", "5,-1 -1x-1"},
        {"PositionX=5\nPositionY=1065\nWidth=800\nHeight=600", "5,-1 -1x-1"},
        {"PositionX=5\nPositionY=99999999999\nWidth=800\nHeight=600", "5,-1 -1x-1"},
        {"PositionX=5\nWidth=800\nHeight=600", "5,-1 -1x-1"},
        {"PositionX=12272\nPositionY=12272\nWidth=5000\nHeight=12273", "12272,12272 5000x-1", true, 399, 20000},
        {"Verbose=", "-1,-1 -1x-1", false},
        {"Verbose=00", "-1,-1 -1x-1", false},
        {"Verbose= 0", "-1,-1 -1x-1", false},
        {"Verbose=1", "-1,-1 -1x-1", false},
        {"Width=3", "-1,-1 -1x-1 quiet", false},
    };
    for (const auto& c : cases) {
        FakeHost host;
        host.verbose = c.verboseBefore;
        host.screenWidth = c.screenWidth;
        host.screenHeight = c.screenHeight;
        EXPECT_TRUE(load("[Common]\n" + c.lines + "\n", host));
        EXPECT_EQ(placement(host), c.expected) << c.lines;
        EXPECT_EQ(host.placementCalls, 1);
    }
}

}  // namespace
