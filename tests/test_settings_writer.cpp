// SPDX-License-Identifier: MIT
// The settings file writer on real files: exact bytes, round trip, failed, replaced and killed saves.
#include <gtest/gtest.h>

#include <cctype>
#include <ctime>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <csignal>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include "libs/file/lf_config.h"
#include "settings/settings_file.h"
#include "tests/settings_test_support.h"

namespace {

/// The bytes with the local time of the "# Saved: " line, which must read "YYYY-MM-DD hh:mm:ss", replaced by "T".
std::string maskSavedTime(std::string bytes) {
    const std::string start = "\r\n# Saved: ";
    const size_t time = bytes.find(start) + start.size();
    const std::string pattern = "dddd-dd-dd dd:dd:dd \r\n";
    if (time < start.size() || bytes.size() < time + pattern.size()) return "no saved time in: " + bytes;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = bytes[time + i];
        if (pattern[i] == 'd' ? !std::isdigit(static_cast<unsigned char>(c)) : c != pattern[i]) {
            return "bad saved time in: " + bytes;
        }
    }
    return bytes.replace(time, pattern.size() - 3, "T");
}

using SettingsWriter = SettingsFileTest;

// The whole file: header, CR LF line ends, sections in order, "   Key=Value" records, colours in hex.
TEST_F(SettingsWriter, WritesExactBytes) {
    FakeHost host;
    host.x = 10, host.y = 20, host.width = 800, host.height = 600;
    host.expressions = {L"1+2", L"sin(x)"};
    host.functions = {L"x^2-2"};
    host.colors[3] = 0;
    lfConfig config(3);
    ASSERT_TRUE(saveSettings(config, path(), host));
    EXPECT_EQ(maskSavedTime(readBytes()),
              "# Quarn-RC <do not change or remove this header>\r\n"
              "# Quarn <Version: 1.8 Build: 2104>\r\n"
              "# Saved: T \r\n"
              "\r\n"
              "[Common]\r\n   Maximized=0\r\n   PositionX=10\r\n   PositionY=20\r\n   Width=800\r\n   Height=600\r\n"
              "   Verbose=1\r\n"
              "\r\n"
              "[History]\r\n   Expr01=1+2\r\n   Expr02=sin(x)\r\n   Func01=x^2-2\r\n"
              "\r\n"
              "[Font]\r\n   Name=Consolas\r\n   DefColor=202020\r\n   Size=10\r\n   Orient=0\r\n   Style=90\r\n"
              "   Weight=90\r\n   BackColor=FFFFFF\r\n   FuncColor=C00000\r\n   OpColor=800000\r\n   NumberColor=0\r\n"
              "   SelColor=F6D0AB\r\n"
              "\r\n");
}

// What the host holds decides single records: placement, verbose, history limits and characters.
TEST_F(SettingsWriter, RecordsFollowTheHost) {
    const struct {
        std::function<void(FakeHost&)> setUp;
        std::string present, absent = {};
    } cases[] = {
        {[](FakeHost& h) { h.maximized = true, h.verbose = false; },
         "[Common]\r\n   Maximized=1\r\n   PositionX=-1\r\n   PositionY=-1\r\n   Width=-1\r\n   Height=-1\r\n"
         "   Verbose=0\r\n\r\n"},
        // Without a main window the placement is not maximized and -1.
        {[](FakeHost& h) { h.hasWindow = false, h.maximized = true, h.x = 5; }, "   Maximized=0\r\n   PositionX=-1\r\n"},
        {[](FakeHost&) {}, "\r\n\r\n[History]\r\n\r\n[Font]\r\n"},
        // One byte per character: above U+00FF '?', line breaks inside a value become blanks.
        {[](FakeHost& h) { h.expressions = {L"caf\u00E9", L"\u03C0*2", L"a\nb\rc"}; },
         "   Expr01=caf\xE9\r\n   Expr02=?*2\r\n   Expr03=a b c\r\n"},
        // Entries are cut to 255 characters, empty console entries left out, the face name cut to 31.
        {[](FakeHost& h) { h.functions = {std::wstring(300, L'f')}, h.expressions = {L"", L"b"}; },
         "   Expr02=b\r\n   Func01=" + std::string(255, 'f') + "\r\n\r\n", "Expr01"},
        {[](FakeHost& h) { h.font.faceName = std::wstring(40, L'n'); }, "   Name=" + std::string(31, 'n') + "\r\n",
         std::string(32, 'n')},
        // More than 12 entries write none of them.
        {[](FakeHost& h) { h.functions.assign(13, L"f"), h.expressions.assign(13, L"e"); },
         "[History]\r\n\r\n", "=f"},
    };
    for (const auto& c : cases) {
        FakeHost host;
        c.setUp(host);
        lfConfig config(3);
        ASSERT_TRUE(saveSettings(config, path(), host));
        const std::string bytes = readBytes();
        EXPECT_NE(bytes.find(c.present), std::string::npos) << c.present;
        EXPECT_TRUE(c.absent.empty() || bytes.find(c.absent) == std::string::npos) << c.absent;
    }
}

// Every value written is read back the same: saving what was loaded gives the same file.
TEST_F(SettingsWriter, LoadGivesBackWhatWasSaved) {
    FakeHost saved;
    saved.font = {L"DejaVu Sans Mono", 0x112233, 14, 2, 93, 92};
    saved.colors = {0xFEFEFE, 0x0000FF, 0x00FF00, 0xFF0000, 0xABCDEF};
    saved.verbose = false;
    saved.x = 100, saved.y = 50, saved.width = 700, saved.height = 500;
    for (int i = 1; i <= 12; ++i) saved.expressions.push_back(L"x" + std::to_wstring(i) + L"=" + std::to_wstring(i));
    saved.functions = {L"x^2-2", L"sin(x)", L"caf\u00E9"};
    lfConfig config(3);
    ASSERT_TRUE(saveSettings(config, path(), saved));
    const std::string first = maskSavedTime(readBytes());

    FakeHost loaded;
    ASSERT_TRUE(loadSettings(config, path(), loaded));
    EXPECT_EQ(loaded.expressions, saved.expressions);
    ASSERT_TRUE(saveSettings(config, path(), loaded));
    EXPECT_EQ(maskSavedTime(readBytes()), first);
}

// A save that cannot complete (no room for a section, a full disk, no folder) gives false and leaves the
// folder as it was.
TEST_F(SettingsWriter, FailedSaveLeavesOldFile) {
    FakeHost host;
    lfConfig small(2);  // refuses the third section
    writeBytes("old");
    EXPECT_FALSE(saveSettings(small, path(), host));
    EXPECT_EQ(readBytes(), "old");
    // A full disk: no file may grow beyond 64 bytes (the write fails with EFBIG instead of a signal).
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    rlimit tiny = previous;
    tiny.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &tiny);
    lfConfig config(3);
    std::string problem;
    const bool saved = saveSettings(config, path(), host, &problem);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(problem, "File too large");
    EXPECT_EQ(readBytes(), "old");
    EXPECT_EQ(filesInDir(), std::vector<std::string>{"tallyx.quarnr"}) << "no temporary file is left behind";
    std::remove(m_path.c_str());
    // Each refusal comes with the system's reason.
    ASSERT_EQ(::mkdir((m_dir + "/dir.quarnr").c_str(), 0700), 0);
    ASSERT_EQ(::symlink("loop.quarnr", (m_dir + "/loop.quarnr").c_str()), 0);
    const struct {
        std::string path, problem;
    } refusals[] = {
        {m_dir + "/missing/tallyx.quarnr", "No such file or directory"},
        {"", "No such file or directory"},
        {m_dir + "/dir.quarnr", "Is a directory"},
        {m_dir + "/loop.quarnr", "Too many levels of symbolic links"},
    };
    for (const auto& refusal : refusals) {
        problem.clear();
        EXPECT_FALSE(saveSettings(config, widen(refusal.path), host, &problem)) << refusal.path;
        EXPECT_EQ(problem, refusal.problem) << refusal.path;
    }
    // The folder and the link loop stay as they were.
    EXPECT_EQ(filesInDir().size(), 2u);
    struct stat st {};
    EXPECT_TRUE(::lstat((m_dir + "/loop.quarnr").c_str(), &st) == 0 && S_ISLNK(st.st_mode));
}

// A save replaces the old file keeping its permissions, replaces a link's target keeping the link, and removes
// temporaries of killed saves once older than a minute.
TEST_F(SettingsWriter, ReplacesFilesCleanly) {
    writeBytes("old contents that are longer than nothing");
    ASSERT_EQ(::chmod(m_path.c_str(), 0640), 0);
    const std::string stale = m_path + ".tmp-abcdef", fresh = m_path + ".tmp-123456";
    const std::string other = m_dir + "/other.tmp-abcdef";
    for (const std::string& name : {stale, fresh, other}) std::ofstream(name) << "partial";
    const struct timeval old[2] = {{std::time(nullptr) - 120, 0}, {std::time(nullptr) - 120, 0}};
    ASSERT_EQ(::utimes(stale.c_str(), old), 0);
    ASSERT_EQ(::utimes(other.c_str(), old), 0);
    FakeHost host;
    lfConfig config(3);
    ASSERT_TRUE(saveSettings(config, path(), host));
    EXPECT_EQ(readBytes().rfind(kHeader, 0), 0u);
    struct stat st {};
    ASSERT_EQ(::stat(m_path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(::access(fresh.c_str(), F_OK), 0);
    EXPECT_NE(::access(stale.c_str(), F_OK), 0);
    EXPECT_EQ(::access(other.c_str(), F_OK), 0);
    EXPECT_EQ(filesInDir().size(), 3u);

    // A link keeps pointing where it did, also at a file that is not there yet (relative to the link's folder).
    const std::string link = m_dir + "/link.quarnr", ahead = m_dir + "/ahead.quarnr";
    ASSERT_EQ(::symlink(m_path.c_str(), link.c_str()), 0);
    ASSERT_EQ(::symlink("later.quarnr", ahead.c_str()), 0);
    writeBytes("old");
    for (const std::string& through : {link, ahead}) {
        ASSERT_TRUE(saveSettings(config, widen(through), host)) << through;
        ASSERT_EQ(::lstat(through.c_str(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode)) << through;
    }
    std::ifstream later(m_dir + "/later.quarnr", std::ios::binary);
    for (const std::string& saved : {readBytes(), std::string(std::istreambuf_iterator<char>(later), {})})
        EXPECT_EQ(saved.rfind(kHeader, 0), 0u);
}

FakeHost bigHost(wchar_t fill) {
    FakeHost host;
    for (int i = 0; i < 12; ++i) host.expressions.push_back(std::to_wstring(i) + std::wstring(240, fill));
    for (int i = 0; i < 12; ++i) host.functions.push_back(L"f" + std::to_wstring(i) + std::wstring(240, fill));
    host.font.faceName = std::wstring(1, fill);
    return host;
}

// A save killed at any moment leaves either the old or the new file, complete.
TEST_F(SettingsWriter, KilledSaveLeavesCompleteFile) {
    FakeHost first = bigHost(L'a'), second = bigHost(L'b');
    lfConfig config(3);
    ASSERT_TRUE(saveSettings(config, path(), second));
    const std::string expectedB = maskSavedTime(readBytes());
    ASSERT_TRUE(saveSettings(config, path(), first));
    const std::string expectedA = maskSavedTime(readBytes());
    ASSERT_GT(expectedA.size(), 6000u);

    std::mt19937 random(12345);
    std::uniform_int_distribution<int> delayMicros(0, 30000);
    for (int round = 0; round < 40; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                lfConfig childConfig(3);
                saveSettings(childConfig, path(), (i % 2) ? first : second);
            }
        }
        ::usleep(static_cast<useconds_t>(delayMicros(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string now = maskSavedTime(readBytes());
        ASSERT_TRUE(now == expectedA || now == expectedB) << "round " << round << ": " << now.size() << " bytes";
    }
}

}  // namespace
