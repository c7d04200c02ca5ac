// SPDX-License-Identifier: MIT
// The settings file writer (spec Part 4.1): exact bytes, round trip, temporaries and killed saves, on real files.
#include <gtest/gtest.h>

#include <cctype>
#include <ctime>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <signal.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include "libs/file/lf_config.h"
#include "settings/settings_file.h"
#include "tests/settings_test_support.h"

namespace {

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

using Part4_1_Writer = SettingsFileTest;
using Part4_1_RoundTrip = SettingsFileTest;
using Part4_1_SaveAtomic = SettingsFileTest;

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
