// SPDX-License-Identifier: MIT
// The settings file reader (spec Part 4.1) on real files; the writer's tests are in test_settings_writer.cpp.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "libs/file/lf_config.h"
#include "settings/settings_file.h"
#include "tests/settings_test_support.h"

namespace {

using Part4_1_Reader = SettingsFileTest;

const char kFontBody[] = "[Font]\n   Name=Mono\n   Size=14\n";

// ---------------------------------------------------------------- header and path

// Spec 4.1: the exact header is accepted; the version and time lines are not checked.
TEST_F(Part4_1_Reader, ExactHeaderAccepted) {
    FakeHost host;
    EXPECT_TRUE(load("# Quarn <Version: 9.9 Build: 1>\n# Saved: yesterday\n\n" + std::string(kFontBody), host));
    EXPECT_EQ(host.font.faceName, L"Mono");
    EXPECT_EQ(host.font.size, 14);
}

// Spec 4.1: a header differing in any character, in case or by trailing text is ignored entirely.
TEST_F(Part4_1_Reader, HeaderDifferencesIgnoreTheFile) {
    const char* headers[] = {
        "# Quarn-RC <do not change or remove this headers>",
        "# Quarn-RC <do not change or remove this header",
        "# quarn-RC <do not change or remove this header>",
        "# QUARN-RC <DO NOT CHANGE OR REMOVE THIS HEADER>",
        "# Quarn-RC <do not change or remove this header> x",
        "# Quarn-RC <do not change or remove this header>x",
        " # Quarn-RC <do not change or remove this header>",
        "#Quarn-RC <do not change or remove this header>",
        "",
    };
    for (const char* header : headers) {
        FakeHost host;
        EXPECT_FALSE(load("[Common]\n   Verbose=0\n" + std::string(kFontBody), host, header)) << header;
        EXPECT_EQ(host.font.faceName, L"Consolas");
        EXPECT_TRUE(host.verbose);
        EXPECT_EQ(host.fontCalls + host.colorCalls + host.placementCalls, 0);
    }
}

// Spec 4.1: trim removes the line end (and trailing blanks, our choice); the header is then exact.
TEST_F(Part4_1_Reader, HeaderWithLfOrTrailingBlanksAccepted) {
    FakeHost host;
    writeBytes(std::string(kHeader) + " \t\n[Font]\nName=Mono\n");
    lfConfig config(3);
    EXPECT_TRUE(loadSettings(config, path(), host));
    EXPECT_EQ(host.font.faceName, L"Mono");
}

// Spec 4.1
TEST_F(Part4_1_Reader, EmptyOrMissingFileGivesFalse) {
    FakeHost host;
    lfConfig config(3);
    EXPECT_FALSE(loadSettings(config, path(), host));  // missing
    writeBytes("");
    EXPECT_FALSE(loadSettings(config, path(), host));
    writeBytes(kHeader);  // header alone, no section
    EXPECT_FALSE(loadSettings(config, path(), host));
    EXPECT_EQ(host.placementCalls, 0);
}

// Spec 4.1: path length 9..247 and the exact extension ".quarnr".
TEST_F(Part4_1_Reader, PathChecks) {
    FakeHost host;
    lfConfig config(3);
    EXPECT_FALSE(loadSettings(config, L"", host));
    const std::string upper = m_dir + "/tallyx.QUARNR";
    std::ofstream(upper, std::ios::binary) << kHeader << "\r\n" << kFontBody;
    EXPECT_FALSE(loadSettings(config, widen(upper), host));
    const std::string other = m_dir + "/tallyx.quarnrc";
    std::ofstream(other, std::ios::binary) << kHeader << "\r\n" << kFontBody;
    EXPECT_FALSE(loadSettings(config, widen(other), host));
    // A relative path of 8 characters is too short; 9 is accepted.
    char previous[4096];
    ASSERT_NE(::getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(::chdir(m_dir.c_str()), 0);
    std::ofstream("a.quarnr", std::ios::binary) << kHeader << "\r\n" << kFontBody;
    std::ofstream("ab.quarnr", std::ios::binary) << kHeader << "\r\n" << kFontBody;
    EXPECT_FALSE(loadSettings(config, L"a.quarnr", host));
    EXPECT_TRUE(loadSettings(config, L"ab.quarnr", host));
    // Longer than 247 characters.
    std::wstring longPath = L"./";
    while (longPath.size() < 248 - 7) longPath += L'/';
    longPath += L".quarnr";
    ASSERT_EQ(longPath.size(), 248u);
    EXPECT_FALSE(loadSettings(config, longPath, host));
    ASSERT_EQ(::chdir(previous), 0);
}

// ---------------------------------------------------------------- lines

// Spec 4.1: lines beginning with "#" or ";" are comments.
TEST_F(Part4_1_Reader, CommentsIgnored) {
    FakeHost host;
    EXPECT_TRUE(load("[Font]\n   Name=Mono\n#Size=20\n   ;Size=21\n  # Size=22\n", host));
    EXPECT_EQ(host.font.size, 10);
}

// Spec 4.1: section names and keys in other capitalisation take effect.
TEST_F(Part4_1_Reader, LowerCaseNamesTakeEffect) {
    FakeHost host;
    host.verbose = false;
    EXPECT_TRUE(load("[common]\nwidth=100\nverbose=1\n[FONT]\nname=Mono\nSIZE=20\nbackcolor=ff\n"
                     "[history]\nexpr01=1+1\nfunc01=x-1\n",
                     host));
    EXPECT_EQ(host.font.faceName, L"Mono");
    EXPECT_EQ(host.font.size, 20);
    EXPECT_EQ(host.colors[0], 0xFFu);
    EXPECT_TRUE(host.verbose);
    EXPECT_EQ(host.expressions, std::vector<std::wstring>{L"1+1"});
    EXPECT_EQ(host.functions, std::vector<std::wstring>{L"x-1"});
}

// Spec 4.1: an unknown section leaves the previous section current.
TEST_F(Part4_1_Reader, UnknownSectionKeepsPreviousSectionCurrent) {
    FakeHost host;
    EXPECT_TRUE(load("[Font]\nName=Mono\n[Colours]\nSize=20\n", host));
    EXPECT_EQ(host.font.size, 20);
}

// Spec 4.1: blanks around "=" belong to the key or the value.
TEST_F(Part4_1_Reader, BlanksAroundEquals) {
    FakeHost host;
    EXPECT_TRUE(load("[Font]\nName= Mono Bold\nSize =20\nOrient= 7\n", host));
    EXPECT_EQ(host.font.faceName, L" Mono Bold");
    EXPECT_EQ(host.font.size, 10);        // "Size " is not a key
    EXPECT_EQ(host.font.orientation, 7);  // " 7" converts like strtol
}

// Spec 4.1: key before any section, "=" first, no "=", header with text after "]".
TEST_F(Part4_1_Reader, MalformedLinesIgnored) {
    FakeHost host;
    EXPECT_TRUE(load("Name=Early\n[Font] x\nSize=20\n[Font]\n=Name=X\nName\n[Font]]\nName=Mono\n", host));
    EXPECT_EQ(host.font.faceName, L"Mono");
    EXPECT_EQ(host.font.size, 10);
    FakeHost host2;
    EXPECT_FALSE(load("Name=Early\n[Font] x\nName=Mono\n", host2));  // no accepted section at all
    EXPECT_EQ(host2.font.faceName, L"Consolas");
}

// Spec 4.1: keys outside the section's table are ignored; Expr13 and Func13 are refused.
TEST_F(Part4_1_Reader, OnlyTheTwelveHistoryKeysAreRead) {
    FakeHost host;
    EXPECT_TRUE(load("[History]\nExpr13=13\nFunc13=x-13\nExpr00=0\nExpr1=1\nExpr12=12\nFunc12=x-12\n"
                     "Name=Mono\n",
                     host));
    EXPECT_EQ(host.expressions, std::vector<std::wstring>{L"12"});
    EXPECT_EQ(host.functions, std::vector<std::wstring>{L"x-12"});
    EXPECT_EQ(host.fontCalls, 0);
}

// Spec 4.1: history entries are added oldest first; entries equal regardless of case are added once.
TEST_F(Part4_1_Reader, HistoryDuplicatesAddedOnce) {
    FakeHost host;
    EXPECT_TRUE(load("[History]\nFunc02=SIN(X)\nExpr02=A*2\nExpr01=a*2\nExpr03=b\nFunc01=sin(x)\nFunc03=\n", host));
    EXPECT_EQ(host.expressions, (std::vector<std::wstring>{L"a*2", L"b"}));
    EXPECT_EQ(host.functions, std::vector<std::wstring>{L"sin(x)"});
}

// Spec 4.1: value is everything after the first "=".
TEST_F(Part4_1_Reader, ValueKeepsFurtherEquals) {
    FakeHost host;
    EXPECT_TRUE(load("[History]\nExpr01=a=2\n", host));
    EXPECT_EQ(host.expressions, std::vector<std::wstring>{L"a=2"});
}

// Spec 4.1: a line longer than 254 characters is read as two lines.
TEST_F(Part4_1_Reader, LongLineSplitAt254) {
    FakeHost host;
    const std::string first = "Expr01=" + std::string(247, 'a');  // 254 characters
    ASSERT_EQ(first.size(), 254u);
    EXPECT_TRUE(load("[History]\n" + first + "Expr02=bb\n", host));
    ASSERT_EQ(host.expressions.size(), 2u);
    EXPECT_EQ(host.expressions[0], std::wstring(247, L'a'));
    EXPECT_EQ(host.expressions[1], L"bb");
}

// Spec 4.1: a line of exactly 254 characters before its line end fills one piece; the line end alone follows.
TEST_F(Part4_1_Reader, LineOf253CharactersIsOnePiece) {
    FakeHost host;
    const std::string line = "Expr01=" + std::string(246, 'a');
    EXPECT_TRUE(load("[History]\n" + line + "\nExpr02=bb\n", host));
    ASSERT_EQ(host.expressions.size(), 2u);
    EXPECT_EQ(host.expressions[0], std::wstring(246, L'a'));
}

// Spec 4.1: at most 2049 counted lines follow the header.
TEST_F(Part4_1_Reader, LineCounterStopsAfter2049Lines) {
    std::string body = "[Font]\n";  // line 1
    for (int i = 2; i <= 2048; ++i) body += "# comment\n";
    FakeHost host;
    EXPECT_TRUE(load(body + "Name=Mono\nSize=20\n", host));  // Name is line 2049, Size line 2050
    EXPECT_EQ(host.font.faceName, L"Mono");
    EXPECT_EQ(host.font.size, 10);
    // Short lines count too, but lines of fewer than 3 characters after leading blanks do not.
    std::string shortLines = "[Font]\n";
    for (int i = 2; i <= 2048; ++i) shortLines += (i % 2) ? "x\n" : "   ab\n";
    FakeHost host2;
    EXPECT_TRUE(load(shortLines + "Name=Mono\n", host2));
    EXPECT_EQ(host2.font.faceName, L"Mono");
}

// Spec 4.1: lines of length 0..2 after trim are counted.
TEST_F(Part4_1_Reader, EmptyLinesAreCounted) {
    std::string body = "[Font]\n";
    for (int i = 2; i <= 2049; ++i) body += "\n";
    FakeHost host;
    EXPECT_TRUE(load(body + "Name=Mono\n", host));
    EXPECT_EQ(host.fontCalls, 0);
}

// Spec 4.1: reading stops when more headers than the capacity (3) were accepted; repeats count.
TEST_F(Part4_1_Reader, StopsAfterMoreHeadersThanCapacity) {
    FakeHost host;
    EXPECT_TRUE(load("[Font]\nName=Mono\n[Common]\n[History]\n[Font]\nSize=20\n", host));
    EXPECT_EQ(host.font.faceName, L"Mono");
    EXPECT_EQ(host.font.size, 10);
    FakeHost host2;
    EXPECT_TRUE(load("[Font]\nName=Mono\n[Font]\nSize=20\n[font]\nOrient=3\n", host2));
    EXPECT_EQ(host2.font.size, 20);
    EXPECT_EQ(host2.font.orientation, 3);
}

// Spec 4.1: the file is read byte by byte as Latin-1; LF alone ends a line as well.
TEST_F(Part4_1_Reader, Latin1AndLfLineEnds) {
    FakeHost host;
    writeBytes(std::string(kHeader) + "\n[Font]\nName=Caf\xE9\n");
    lfConfig config(3);
    EXPECT_TRUE(loadSettings(config, path(), host));
    EXPECT_EQ(host.font.faceName, L"Caf\u00E9");
}

// ---------------------------------------------------------------- Font

// Spec 4.1: Size 3 and 97 leave the size; 40 gives 32; 4 gives 4.
TEST_F(Part4_1_Reader, SizeRange) {
    const struct {
        const char* value;
        int size;
    } cases[] = {{"3", 12}, {"97", 12}, {"40", 32}, {"4", 4}, {"96", 32}, {"32", 32}, {"x", 12}, {"", 12}};
    for (const auto& c : cases) {
        FakeHost host;
        host.font.size = 12;
        EXPECT_TRUE(load(std::string("[Font]\nName=Mono\nSize=") + c.value + "\n", host));
        EXPECT_EQ(host.font.size, c.size) << c.value;
    }
}

// Spec 4.1: without Name nothing of the font or its colours takes effect.
TEST_F(Part4_1_Reader, FontWithoutNameChangesNothing) {
    FakeHost host;
    EXPECT_TRUE(load("[Font]\nSize=20\nDefColor=FF\nBackColor=0\nSelColor=0\n", host));
    EXPECT_EQ(host.fontCalls, 0);
    EXPECT_EQ(host.colorCalls, 0);
    EXPECT_EQ(host.font.size, 10);
    EXPECT_EQ(host.font.color, 0x202020u);
    EXPECT_EQ(host.colors[0], 0xFFFFFFu);
    EXPECT_EQ(host.placementCalls, 1);
}

// Spec 4.1: an empty Name counts as present and empties the face name.
TEST_F(Part4_1_Reader, EmptyNameEmptiesFace) {
    FakeHost host;
    EXPECT_TRUE(load("[Font]\nName=\nSize=12\n", host));
    EXPECT_EQ(host.fontCalls, 1);
    EXPECT_EQ(host.font.faceName, L"");
    EXPECT_EQ(host.font.size, 12);
}

// Spec 4.1: at most 31 characters of the face name are kept.
TEST_F(Part4_1_Reader, NameCutTo31) {
    FakeHost host;
    EXPECT_TRUE(load("[Font]\nName=" + std::string(40, 'n') + "\n", host));
    EXPECT_EQ(host.font.faceName, std::wstring(31, L'n'));
}

// Spec 4.1: DefColor FF and 0xFF give red; text not beginning with a hex digit gives black.
TEST_F(Part4_1_Reader, DefColorHexadecimal) {
    const struct {
        const char* value;
        std::uint32_t color;
    } cases[] = {{"FF", 0xFF}, {"0xFF", 0xFF}, {"zz", 0}, {"ff00", 0xFF00}, {" 0Xab", 0xAB}, {"12g4", 0x12}, {"", 0},
                 {"0x", 0},    {"0xg", 0}};
    for (const auto& c : cases) {
        FakeHost host;
        EXPECT_TRUE(load(std::string("[Font]\nName=Mono\nDefColor=") + c.value + "\n", host));
        EXPECT_EQ(host.font.color, c.color) << c.value;
    }
}

// Spec 4.1: every Font key reaches the font and the colours; Orient, Style, Weight unchecked.
TEST_F(Part4_1_Reader, AllFontKeys) {
    FakeHost host;
    EXPECT_TRUE(load("[Font]\nName=Mono\nDefColor=102030\nSize=16\nOrient=-5\nStyle=93\nWeight=92\n"
                     "BackColor=1\nFuncColor=2\nOpColor=3\nNumberColor=4\nSelColor=5\n",
                     host));
    EXPECT_EQ(host.font.color, 0x102030u);
    EXPECT_EQ(host.font.size, 16);
    EXPECT_EQ(host.font.orientation, -5);
    EXPECT_EQ(host.font.style, 93);
    EXPECT_EQ(host.font.weight, 92);
    EXPECT_EQ(host.colors, (std::array<std::uint32_t, 5>{1, 2, 3, 4, 5}));
}

// ---------------------------------------------------------------- Common

// Spec 4.1: Maximized 1 maximizes and leaves verbose alone even with Verbose=0.
TEST_F(Part4_1_Reader, Maximized1SkipsPlacementAndVerbose) {
    FakeHost host;
    EXPECT_TRUE(load("[Common]\nMaximized=1\nPositionX=10\nPositionY=10\nWidth=500\nHeight=400\nVerbose=0\n", host));
    EXPECT_TRUE(host.maximized);
    EXPECT_TRUE(host.verbose);
    EXPECT_EQ(host.x, -1);
    EXPECT_EQ(host.width, -1);
    EXPECT_EQ(host.placementCalls, 1);
}

// Spec 4.1: Maximized 2 is not maximized.
TEST_F(Part4_1_Reader, Maximized2IsNotMaximized) {
    FakeHost host;
    EXPECT_TRUE(load("[Common]\nMaximized=2\nPositionX=10\nPositionY=20\nWidth=500\nHeight=400\nVerbose=0\n", host));
    EXPECT_FALSE(host.maximized);
    EXPECT_FALSE(host.verbose);
    EXPECT_EQ(host.x, 10);
    EXPECT_EQ(host.y, 20);
    EXPECT_EQ(host.width, 500);
    EXPECT_EQ(host.height, 400);
}

// Spec 4.1: only exactly "0" turns verbose off; "" and "00" turn it on.
TEST_F(Part4_1_Reader, VerboseValues) {
    const struct {
        const char* value;
        bool on;
    } cases[] = {{"", true}, {"00", true}, {"0", false}, {"1", true}, {" 0", true}, {"no", true}};
    for (const auto& c : cases) {
        FakeHost host;
        host.verbose = !c.on;
        EXPECT_TRUE(load(std::string("[Common]\nVerbose=") + c.value + "\n", host));
        EXPECT_EQ(host.verbose, c.on) << '"' << c.value << '"';
    }
    FakeHost untouched;
    untouched.verbose = false;
    EXPECT_TRUE(load("[Common]\nWidth=3\n", untouched));
    EXPECT_FALSE(untouched.verbose);
}

// Spec 4.1: with a screen 1920 wide, PositionX 1904 is taken and 1905 is not.
TEST_F(Part4_1_Reader, PositionXLimit) {
    FakeHost host;
    EXPECT_TRUE(load("[Common]\nPositionX=1904\nPositionY=0\nWidth=1904\nHeight=1064\n", host));
    EXPECT_EQ(host.x, 1904);
    EXPECT_EQ(host.y, 0);
    EXPECT_EQ(host.width, 1904);
    EXPECT_EQ(host.height, 1064);
    FakeHost host2;
    EXPECT_TRUE(load("[Common]\nPositionX=1905\nPositionY=0\nWidth=800\nHeight=600\n", host2));
    EXPECT_EQ(host2.x, -1);
    EXPECT_EQ(host2.y, -1);
    EXPECT_EQ(host2.width, -1);
    EXPECT_EQ(host2.height, -1);
}

// Spec 4.1: an invalid PositionY keeps x and leaves y, width and height at -1.
TEST_F(Part4_1_Reader, InvalidPositionYEndsTheChain) {
    for (const char* y : {"-1", "1065", "99999999999"}) {
        FakeHost host;
        EXPECT_TRUE(load(std::string("[Common]\nPositionX=5\nPositionY=") + y + "\nWidth=800\nHeight=600\n", host));
        EXPECT_EQ(host.x, 5);
        EXPECT_EQ(host.y, -1);
        EXPECT_EQ(host.width, -1);
        EXPECT_EQ(host.height, -1);
    }
    FakeHost missing;
    EXPECT_TRUE(load("[Common]\nPositionX=5\nWidth=800\nHeight=600\n", missing));
    EXPECT_EQ(missing.x, 5);
    EXPECT_EQ(missing.width, -1);
}

// Spec 4.1: a screen metric below 400 or above 12288 counts as 12288.
TEST_F(Part4_1_Reader, OddScreenMetricsCountAs12288) {
    FakeHost host;
    host.screenWidth = 399;
    host.screenHeight = 20000;
    EXPECT_TRUE(load("[Common]\nPositionX=12272\nPositionY=12272\nWidth=5000\nHeight=12273\n", host));
    EXPECT_EQ(host.x, 12272);
    EXPECT_EQ(host.y, 12272);
    EXPECT_EQ(host.width, 5000);
    EXPECT_EQ(host.height, -1);
}

// Spec 4.1: a file without any known section applies nothing.
TEST_F(Part4_1_Reader, NoKnownSectionAppliesNothing) {
    FakeHost host;
    EXPECT_FALSE(load("[Other]\nName=Mono\nVerbose=0\n", host));
    EXPECT_EQ(host.fontCalls + host.colorCalls + host.placementCalls, 0);
}

}  // namespace
