// SPDX-License-Identifier: MIT
// The settings file (spec Part 4.1): reader, writer, header, round trip and interrupted saves, on real files.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include "libs/file/lf_config.h"
#include "settings/settings_file.h"
#include "settings/settings_host.h"

namespace {

const char kHeader[] = "# Quarn-RC <do not change or remove this header>";

/// Behaves like DelvoApp with a main window and console (Parts 3.1, 4.1), and records what it was given.
class FakeHost : public SettingsHost {
public:
    SettingsFont font{L"Consolas", 0x202020, 10, 0, 90, 90};
    std::array<std::uint32_t, 5> colors{0xFFFFFF, 0xC00000, 0x800000, 0x808000, 0xF6D0AB};
    bool verbose = true;
    std::vector<std::wstring> expressions;
    std::vector<std::wstring> functions;
    bool hasWindow = true;
    bool maximized = false;
    int x = -1, y = -1, width = -1, height = -1;
    int screenWidth = 1920, screenHeight = 1080;
    int fontCalls = 0, colorCalls = 0, placementCalls = 0;

    void setConsoleFont(const std::wstring* faceName, std::uint32_t colour, int size, int orientation, int style,
                        int weight) override {
        ++fontCalls;
        if (faceName) font.faceName = faceName->substr(0, 31);
        font.color = colour;
        font.size = size < 4 ? 4 : (size > 32 ? 32 : size);
        font.orientation = orientation;
        font.style = style;
        font.weight = weight;
    }
    void setConsoleColors(std::uint32_t text, std::uint32_t background, std::uint32_t function, std::uint32_t op,
                          std::uint32_t number, std::uint32_t selection) override {
        ++colorCalls;
        font.color = text;
        colors = {background, function, op, number, selection};
    }
    SettingsFont getConsoleFont() const override { return font; }
    std::array<std::uint32_t, 5> getSyntaxColors() const override { return colors; }
    void setWindowPlacement(bool max, int px, int py, int w, int h) override {
        ++placementCalls;
        maximized = max;
        x = px;
        y = py;
        width = w;
        height = h;
    }
    void getWindowPlacement(bool* max, int* px, int* py, int* w, int* h) const override {
        if (!hasWindow) return;
        *max = maximized;
        *px = x;
        *py = y;
        *w = width;
        *h = height;
    }
    int getScreenWidth() const override { return screenWidth; }
    int getScreenHeight() const override { return screenHeight; }
    bool addFunction(const std::wstring& text) override { return addEntry(functions, text); }
    int getFunctionCount() const override { return static_cast<int>(functions.size()); }
    std::wstring getFunction(int index) const override {
        return index >= 0 && index < getFunctionCount() ? functions[static_cast<size_t>(index)] : std::wstring();
    }
    int getExpressionCount() const override { return static_cast<int>(expressions.size()); }
    bool getExpression(int index, std::wstring* out) const override {
        if (index < 0 || index >= getExpressionCount()) return false;
        *out = expressions[static_cast<size_t>(index)].substr(0, 255);
        return !out->empty();
    }
    void addExpression(const std::wstring& text) override { addEntry(expressions, text); }
    bool getVerbose() const override { return verbose; }
    void setVerbose(bool on) override { verbose = on; }

private:
    static bool equalNoCase(const std::wstring& a, const std::wstring& b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i) {
            if (std::towlower(a[i]) != std::towlower(b[i])) return false;
        }
        return true;
    }
    static bool addEntry(std::vector<std::wstring>& list, const std::wstring& text) {
        if (text.empty()) return false;
        if (list.size() >= 12) list.erase(list.begin(), list.begin() + 5);
        for (const auto& entry : list) {
            if (equalNoCase(entry, text)) return false;
        }
        list.push_back(text);
        return true;
    }
};

std::wstring widen(const std::string& s) {
    std::wstring out;
    for (unsigned char c : s) out += static_cast<wchar_t>(c);
    return out;
}

/// True when text is a local time "%Y-%m-%d %H:%M:%S".
bool isSavedTime(const std::string& text) {
    const std::string pattern = "dddd-dd-dd dd:dd:dd";
    if (text.size() != pattern.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (pattern[i] == 'd' ? !std::isdigit(static_cast<unsigned char>(text[i])) : text[i] != pattern[i]) return false;
    }
    return true;
}

/// Replaces the time of the "# Saved: " line (ending in lineEnd) by "T"; false when there is no such line.
bool maskSavedTime(std::string* bytes, const std::string& lineEnd) {
    const std::string start = "\n# Saved: ";
    const size_t from = bytes->find(start);
    if (from == std::string::npos) return false;
    const size_t time = from + start.size();
    const size_t end = bytes->find(" " + lineEnd, time);
    if (end == std::string::npos || !isSavedTime(bytes->substr(time, end - time))) return false;
    bytes->replace(time, end - time, "T");
    return true;
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string base = ::testing::TempDir() + "delvo-settings-XXXXXX";
        std::vector<char> buffer(base.begin(), base.end());
        buffer.push_back('\0');
        ASSERT_NE(::mkdtemp(buffer.data()), nullptr);
        m_dir = buffer.data();
        m_path = m_dir + "/tallyx.quarnr";
    }
    void TearDown() override {
        if (DIR* dir = ::opendir(m_dir.c_str())) {
            while (dirent* entry = ::readdir(dir)) {
                const std::string name = entry->d_name;
                if (name != "." && name != "..") std::remove((m_dir + "/" + name).c_str());
            }
            ::closedir(dir);
        }
        ::rmdir(m_dir.c_str());
    }

    std::wstring path() const { return widen(m_path); }
    void writeBytes(const std::string& bytes) const {
        std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    std::string readBytes() const {
        std::ifstream in(m_path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    /// Writes the header line and body (LF line ends become CR LF) and loads it into host.
    bool load(const std::string& body, FakeHost& host, const char* header = kHeader) {
        std::string bytes = std::string(header) + "\n" + body;
        std::string crlf;
        for (char c : bytes) {
            if (c == '\n') crlf += '\r';
            crlf += c;
        }
        writeBytes(crlf);
        lfConfig config(3);
        return loadSettings(config, path(), host);
    }
    std::vector<std::string> filesInDir() const {
        std::vector<std::string> names;
        if (DIR* dir = ::opendir(m_dir.c_str())) {
            while (dirent* entry = ::readdir(dir)) {
                const std::string name = entry->d_name;
                if (name != "." && name != "..") names.push_back(name);
            }
            ::closedir(dir);
        }
        return names;
    }

    std::string m_dir;
    std::string m_path;
};

using Part4_1_Reader = SettingsFileTest;
using Part4_1_Writer = SettingsFileTest;
using Part4_1_RoundTrip = SettingsFileTest;
using Part4_1_SaveAtomic = SettingsFileTest;

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

// ---------------------------------------------------------------- writer

// Spec 4.1: exact bytes: header, CR LF, sections in order, "   Key=Value" records.
TEST_F(Part4_1_Writer, ExactBytes) {
    FakeHost host;
    host.x = 10;
    host.y = 20;
    host.width = 800;
    host.height = 600;
    host.expressions = {L"1+2", L"sin(x)"};
    host.functions = {L"x^2-2"};
    host.colors[3] = 0;
    lfConfig config(3);
    ASSERT_TRUE(saveSettings(config, path(), host));
    std::string bytes = readBytes();
    ASSERT_TRUE(maskSavedTime(&bytes, "\r\n"));
    const std::string expected =
        "# Quarn-RC <do not change or remove this header>\r\n"
        "# Quarn <Version: 1.8 Build: 2104>\r\n"
        "# Saved: T \r\n"
        "\r\n"
        "[Common]\r\n"
        "   Maximized=0\r\n"
        "   PositionX=10\r\n"
        "   PositionY=20\r\n"
        "   Width=800\r\n"
        "   Height=600\r\n"
        "   Verbose=1\r\n"
        "\r\n"
        "[History]\r\n"
        "   Expr01=1+2\r\n"
        "   Expr02=sin(x)\r\n"
        "   Func01=x^2-2\r\n"
        "\r\n"
        "[Font]\r\n"
        "   Name=Consolas\r\n"
        "   DefColor=202020\r\n"
        "   Size=10\r\n"
        "   Orient=0\r\n"
        "   Style=90\r\n"
        "   Weight=90\r\n"
        "   BackColor=FFFFFF\r\n"
        "   FuncColor=C00000\r\n"
        "   OpColor=800000\r\n"
        "   NumberColor=0\r\n"
        "   SelColor=F6D0AB\r\n"
        "\r\n";
    EXPECT_EQ(bytes, expected);
    // The lfConfig holds what was written.
    ASSERT_EQ(config.getSectionCount(), 3);
    EXPECT_EQ(config.getSection(2)->getRecordCount(), 11);
}

// Spec 4.1: maximized, verbose off, negative placement values.
TEST_F(Part4_1_Writer, CommonValues) {
    FakeHost host;
    host.maximized = true;
    host.verbose = false;
    lfConfig config(3);
    ASSERT_TRUE(saveSettings(config, path(), host));
    const std::string bytes = readBytes();
    EXPECT_NE(bytes.find("[Common]\r\n   Maximized=1\r\n   PositionX=-1\r\n   PositionY=-1\r\n   Width=-1\r\n"
                         "   Height=-1\r\n   Verbose=0\r\n\r\n"),
              std::string::npos);
}

// Spec 4.1: without a main window the placement starts from not maximized and -1.
TEST_F(Part4_1_Writer, NoWindowWritesDefaults) {
    FakeHost host;
    host.hasWindow = false;
    host.maximized = true;
    host.x = 5;
    lfConfig config(3);
    ASSERT_TRUE(saveSettings(config, path(), host));
    EXPECT_NE(readBytes().find("   Maximized=0\r\n   PositionX=-1\r\n"), std::string::npos);
}

// Spec 4.1: an empty history is written as its header line followed by the empty line.
TEST_F(Part4_1_Writer, EmptyHistoryIsHeaderAndEmptyLine) {
    FakeHost host;
    lfConfig config(3);
    ASSERT_TRUE(saveSettings(config, path(), host));
    EXPECT_NE(readBytes().find("\r\n\r\n[History]\r\n\r\n[Font]\r\n"), std::string::npos);
}

// Spec 4.1: the header text of settingsHeader.
TEST_F(Part4_1_Writer, HeaderText) {
    EXPECT_EQ(std::wstring(kSettingsHeaderLine).size(), 48u);
    const std::wstring header = settingsHeader(0);
    const std::wstring start = L"# Quarn-RC <do not change or remove this header>\n# Quarn <Version: 1.8 Build: 2104>\n# Saved: ";
    EXPECT_EQ(header.compare(0, start.size(), start), 0);
    EXPECT_EQ(header.size(), start.size() + 19 + 3);
    EXPECT_EQ(header.substr(header.size() - 3), L" \n\n");
    std::string narrow;
    for (wchar_t c : settingsHeader()) narrow += static_cast<char>(c);
    EXPECT_TRUE(maskSavedTime(&narrow, "\n"));
    EXPECT_EQ(narrow.substr(narrow.size() - 13), "# Saved: T \n\n");
}

// Spec 4.1 (our choice): one byte per character; characters above U+00FF become '?'; line breaks in values blanks.
TEST_F(Part4_1_Writer, Latin1AndReplacement) {
    FakeHost host;
    host.expressions = {L"caf\u00E9", L"\u03C0*2", L"a\nb"};
    lfConfig config(3);
    ASSERT_TRUE(saveSettings(config, path(), host));
    const std::string bytes = readBytes();
    EXPECT_NE(bytes.find("   Expr01=caf\xE9\r\n   Expr02=?*2\r\n   Expr03=a b\r\n"), std::string::npos);
}

// Spec 4.1: entries are copied through 255-character buffers; empty console entries are left out.
TEST_F(Part4_1_Writer, LongEntriesCutAndEmptyLeftOut) {
    FakeHost host;
    host.functions = {std::wstring(300, L'f')};
    host.expressions = {L"", L"b"};
    lfConfig config(3);
    ASSERT_TRUE(saveSettings(config, path(), host));
    const std::string bytes = readBytes();
    EXPECT_NE(bytes.find("   Func01=" + std::string(255, 'f') + "\r\n\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("Expr01"), std::string::npos);
    EXPECT_NE(bytes.find("   Expr02=b\r\n"), std::string::npos);
}

// Spec 4.1: counts outside 1..12 write no entries.
TEST_F(Part4_1_Writer, HistoryCountAbove12WritesNothing) {
    FakeHost host;
    for (int i = 0; i < 13; ++i) host.functions.push_back(L"f" + std::to_wstring(i));
    lfConfig config(3);
    ASSERT_TRUE(saveSettings(config, path(), host));
    const std::string bytes = readBytes();
    EXPECT_EQ(bytes.find("   Func0"), std::string::npos);
    EXPECT_EQ(bytes.find("   Func1"), std::string::npos);
}

// Spec 4.1: a configuration that refuses a section gives false and does not touch the file.
TEST_F(Part4_1_Writer, RefusedSectionLeavesFileAlone) {
    writeBytes("old");
    FakeHost host;
    lfConfig small(2);
    EXPECT_FALSE(saveSettings(small, path(), host));
    EXPECT_EQ(readBytes(), "old");
}

// Spec 4.1: a file that cannot be written gives false, the previous file stays, no temporary file remains.
TEST_F(Part4_1_Writer, UnwritablePathLeavesOldFile) {
    FakeHost host;
    lfConfig config(3);
    EXPECT_FALSE(saveSettings(config, widen(m_dir + "/missing/tallyx.quarnr"), host));
    EXPECT_FALSE(saveSettings(config, L"", host));
    ASSERT_EQ(::mkdir((m_dir + "/dir.quarnr").c_str(), 0700), 0);
    EXPECT_FALSE(saveSettings(config, widen(m_dir + "/dir.quarnr"), host));
    ::rmdir((m_dir + "/dir.quarnr").c_str());
    EXPECT_TRUE(filesInDir().empty());
}

// Spec 4.1: a save replaces the old file; nothing else is left in the folder; permissions are kept.
TEST_F(Part4_1_Writer, SaveReplacesOldFileCleanly) {
    writeBytes("old contents that are longer than nothing");
    ASSERT_EQ(::chmod(m_path.c_str(), 0640), 0);
    FakeHost host;
    lfConfig config(3);
    ASSERT_TRUE(saveSettings(config, path(), host));
    EXPECT_EQ(readBytes().rfind(kHeader, 0), 0u);
    EXPECT_EQ(filesInDir(), std::vector<std::string>{"tallyx.quarnr"});
    struct stat st {};
    ASSERT_EQ(::stat(m_path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// Spec 4.1 (our choice): temporary files left by killed saves are removed once older than a minute.
TEST_F(Part4_1_Writer, StaleTemporariesRemoved) {
    const std::string stale = m_path + ".tmp-abcdef";
    const std::string fresh = m_path + ".tmp-123456";
    const std::string other = m_dir + "/other.tmp-abcdef";
    for (const std::string& name : {stale, fresh, other}) std::ofstream(name) << "partial";
    const struct timeval old[2] = {{std::time(nullptr) - 120, 0}, {std::time(nullptr) - 120, 0}};
    ASSERT_EQ(::utimes(stale.c_str(), old), 0);
    ASSERT_EQ(::utimes(other.c_str(), old), 0);
    FakeHost host;
    lfConfig config(3);
    ASSERT_TRUE(saveSettings(config, path(), host));
    EXPECT_EQ(::access(fresh.c_str(), F_OK), 0);
    EXPECT_NE(::access(stale.c_str(), F_OK), 0);
    EXPECT_EQ(::access(other.c_str(), F_OK), 0);
}

// Spec 4.1 (our choice): saving through a symbolic link replaces its target and keeps the link.
TEST_F(Part4_1_Writer, SymbolicLinkKept) {
    const std::string target = m_dir + "/real.quarnr";
    std::ofstream(target) << "old";
    ASSERT_EQ(::symlink(target.c_str(), m_path.c_str()), 0);
    FakeHost host;
    lfConfig config(3);
    ASSERT_TRUE(saveSettings(config, path(), host));
    struct stat st {};
    ASSERT_EQ(::lstat(m_path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readBytes().rfind(kHeader, 0), 0u);
}

// ---------------------------------------------------------------- round trip

// Spec 4.1: what is saved is read back the same.
TEST_F(Part4_1_RoundTrip, SaveThenLoad) {
    FakeHost saved;
    saved.font = {L"DejaVu Sans Mono", 0x112233, 14, 2, 93, 92};
    saved.colors = {0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0xABCDEF};
    saved.verbose = false;
    saved.x = 100;
    saved.y = 50;
    saved.width = 700;
    saved.height = 500;
    for (int i = 1; i <= 12; ++i) saved.expressions.push_back(L"x" + std::to_wstring(i) + L"=" + std::to_wstring(i));
    saved.functions = {L"x^2-2", L"sin(x)", L"caf\u00E9"};
    lfConfig config(3);
    ASSERT_TRUE(saveSettings(config, path(), saved));

    FakeHost loaded;
    lfConfig config2(3);
    ASSERT_TRUE(loadSettings(config2, path(), loaded));
    EXPECT_EQ(loaded.font.faceName, saved.font.faceName);
    EXPECT_EQ(loaded.font.color, saved.font.color);
    EXPECT_EQ(loaded.font.size, saved.font.size);
    EXPECT_EQ(loaded.font.orientation, saved.font.orientation);
    EXPECT_EQ(loaded.font.style, saved.font.style);
    EXPECT_EQ(loaded.font.weight, saved.font.weight);
    EXPECT_EQ(loaded.colors, saved.colors);
    EXPECT_EQ(loaded.verbose, false);
    EXPECT_EQ(loaded.x, 100);
    EXPECT_EQ(loaded.y, 50);
    EXPECT_EQ(loaded.width, 700);
    EXPECT_EQ(loaded.height, 500);
    EXPECT_EQ(loaded.expressions, saved.expressions);
    EXPECT_EQ(loaded.functions, saved.functions);
}

// ---------------------------------------------------------------- interrupted saves

std::string maskSavedLine(std::string bytes) {
    maskSavedTime(&bytes, "\r\n");
    return bytes;
}

FakeHost bigHost(char fill) {
    FakeHost host;
    for (int i = 0; i < 12; ++i) host.expressions.push_back(std::to_wstring(i) + std::wstring(240, fill));
    for (int i = 0; i < 12; ++i) host.functions.push_back(L"f" + std::to_wstring(i) + std::wstring(240, fill));
    host.font.faceName = std::wstring(1, fill);
    return host;
}

// Spec 4.1 (saving never loses the previous file): a save killed at any moment leaves the old or the new file.
TEST_F(Part4_1_SaveAtomic, KilledSaveLeavesCompleteFile) {
    FakeHost first = bigHost('a');
    FakeHost second = bigHost('b');
    lfConfig config(3);
    ASSERT_TRUE(saveSettings(config, path(), second));
    const std::string expectedB = maskSavedLine(readBytes());
    ASSERT_TRUE(saveSettings(config, path(), first));
    const std::string expectedA = maskSavedLine(readBytes());
    ASSERT_NE(expectedA, expectedB);
    ASSERT_GT(expectedA.size(), 6000u);

    std::mt19937 random(12345);
    std::uniform_int_distribution<int> delayMicros(0, 30000);
    int seenA = 0, seenB = 0;
    for (int round = 0; round < 40; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                lfConfig childConfig(3);
                FakeHost& host = (i % 2) ? first : second;
                saveSettings(childConfig, path(), host);
            }
        }
        ::usleep(static_cast<useconds_t>(delayMicros(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string now = maskSavedLine(readBytes());
        ASSERT_TRUE(now == expectedA || now == expectedB) << "round " << round << ": " << now.size() << " bytes";
        (now == expectedA ? seenA : seenB)++;
        FakeHost loaded;
        lfConfig readBack(3);
        ASSERT_TRUE(loadSettings(readBack, path(), loaded));
        EXPECT_EQ(loaded.functions.size(), 12u);
    }
    // How often each version was found (the child saves B first, then A, B, ...).
    EXPECT_EQ(seenA + seenB, 40);
    RecordProperty("seenA", seenA);
    RecordProperty("seenB", seenB);
}

}  // namespace
