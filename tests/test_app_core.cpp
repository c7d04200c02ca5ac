// SPDX-License-Identifier: MIT
// The GUI-free parts of the application: folders, copyString, the command line and the batch items.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "app/batch_mode.h"
#include "app/copy_string.h"
#include "app/folders.h"
#include "app/process_console.h"
#include "app/unfinished_output.h"
#include "libs/file/lf_path.h"
#include "libs/file/lf_text.h"

namespace fs = std::filesystem;

namespace {

DelvoCmdLine commandLine(std::vector<const char*> argv) {
    return DelvoCmdLine(static_cast<int>(argv.size()), argv.data());
}

fs::path tempFolder(const std::string& name) {
    const fs::path folder = fs::temp_directory_path() / ("delvo_app_core_" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

/// A path written with "/" in the platform's own separators.
std::wstring native(std::wstring path) {
    for (wchar_t& c : path)
        if (c == L'/') c = kPathSeparator;
    return path;
}

// The help file lives in "doc" beside the program's folder, or beside its "bin" folder; paths shorter than 7
// or longer than 225 characters leave the folders unset.
TEST(Folders, InstallAndHelpFolders) {
    const struct {
        std::wstring program, userBase, installDir, helpPath, userDataDir;
    } rows[] = {
        {L"/opt/quarn/bin/tallyx", L"", L"/opt/quarn/", L"/opt/quarn/doc/tallyx.pdf", L""},
        {L"/opt/quarn/tallyx", L"", L"/opt/quarn/", L"/opt/quarn/doc/tallyx.pdf", L""},
        {L"/Programme/Zo\u00eb/bin/tallyx", L"", L"/Programme/Zo\u00eb/", L"/Programme/Zo\u00eb/doc/tallyx.pdf", L""},
        {L"/a/tx", L"", L"", L"", L""},
        {L"/" + std::wstring(230, L'a') + L"/tallyx", L"", L"", L"", L""},
        {L"/opt/x/tallyx", L"/b", L"/opt/x/", L"/opt/x/doc/tallyx.pdf", L""},
    };
    for (const auto& row : rows) {
        const Folders folders = Folders::locate(native(row.program), native(row.userBase));
        EXPECT_EQ(folders.installDir, native(row.installDir)) << folders.installDir;
        EXPECT_EQ(folders.helpPath, native(row.helpPath)) << folders.helpPath;
        EXPECT_EQ(folders.userDataDir, native(row.userDataDir)) << folders.userDataDir;
    }
}

// The per-user folder's last component becomes "Quarn", created when missing, also below a user name that is
// not ASCII; the settings file goes to its config folder unless the installation has a config folder of its own.
TEST(Folders, SettingsFolder) {
    const fs::path base = tempFolder("userdata") / nativePath(L"Zo\u00eb");
    const Folders folders = Folders::locate(L"", widePath(base / "tallyx"));
    EXPECT_EQ(folders.userDataDir, widePath(base / "Quarn") + kPathSeparator);
    EXPECT_EQ(folders.settingsPath(), widePath(base / "Quarn" / "config" / "tallyx.quarnr"));
    EXPECT_TRUE(fs::is_directory(base / "Quarn" / "config"));
    const std::wstring slashes(2, kPathSeparator);
    EXPECT_EQ(Folders::locate(L"", widePath(base / "tallyx") + slashes).userDataDir, folders.userDataDir);
    const fs::path install = tempFolder("install");
    fs::create_directories(install / "config");
    const Folders own = Folders::locate(widePath(install / "tallyx"), widePath(install / "user" / "tallyx"));
    EXPECT_EQ(own.settingsPath(), widePath(install / "config" / "tallyx.quarnr"));
    // Without a per-user folder the installation's config folder is the only place, even before it exists;
    // with neither folder there is no settings file.
    const fs::path bare = tempFolder("bare");
    EXPECT_EQ(Folders::locate(widePath(bare / "tallyx"), L"").settingsPath(),
              widePath(bare / "config" / "tallyx.quarnr"));
    EXPECT_EQ(Folders::locate(L"", L"").settingsPath(), L"");
}

#ifndef _WIN32
// The per-user folder comes from XDG_DATA_HOME when that is an absolute path, else from HOME's .local/share;
// with neither there is none. The executable is the running test.
TEST(Folders, ForThisProcessFollowsXdgAndHome) {
    const fs::path root = tempFolder("xdg");
    const std::string xdg = (root / "xdg").string(), home = (root / "home").string();
    const struct {
        const char* xdgValue;  // nullptr: unset
        const char* homeValue;
        std::string expected;  // the user data folder, "" for none
    } rows[] = {
        {xdg.c_str(), home.c_str(), xdg + "/Quarn/"},
        {"relative/data", home.c_str(), home + "/.local/share/Quarn/"},
        {"", home.c_str(), home + "/.local/share/Quarn/"},
        {nullptr, home.c_str(), home + "/.local/share/Quarn/"},
        {nullptr, "", ""},
        {nullptr, nullptr, ""},
    };
    const char* savedXdg = std::getenv("XDG_DATA_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string keptXdg = savedXdg ? savedXdg : "", keptHome = savedHome ? savedHome : "";
    for (const auto& row : rows) {
        if (row.xdgValue) setenv("XDG_DATA_HOME", row.xdgValue, 1);
        else unsetenv("XDG_DATA_HOME");
        if (row.homeValue) setenv("HOME", row.homeValue, 1);
        else unsetenv("HOME");
        const Folders folders = Folders::forThisProcess();
        EXPECT_EQ(folders.userDataDir, wideFromUtf8(row.expected)) << (row.xdgValue ? row.xdgValue : "(unset)");
        EXPECT_FALSE(folders.installDir.empty());
    }
    if (savedXdg) setenv("XDG_DATA_HOME", keptXdg.c_str(), 1);
    else unsetenv("XDG_DATA_HOME");
    if (savedHome) setenv("HOME", keptHome.c_str(), 1);
    else unsetenv("HOME");
}
#endif

// A string that does not fit (or a size outside 1..383) is refused, never cut or overrun.
TEST(CopyString, CopiesWhatFitsAndRefusesTheRest) {
    std::array<wchar_t, 16> small{};
    EXPECT_EQ(copyString(L"speed", small), 5);
    EXPECT_EQ(std::wstring(small.data()), L"speed");
    EXPECT_EQ(copyString(L"", small), 0);
    EXPECT_EQ(std::wstring(small.data()), L"");
    EXPECT_EQ(copyString(std::wstring(16, L'x'), small), -1);
    std::array<wchar_t, 256> large{};
    EXPECT_EQ(copyString(L"x", large.data(), 0), -1);
    EXPECT_EQ(copyString(L"x", large.data(), 384), -1);
    EXPECT_EQ(copyString(std::wstring(384, L'x'), large.data(), 383), -1);
    EXPECT_EQ(copyString(std::wstring(255, L'x'), large), 255);
}

// "-h" alone prints usage, "-run" with an input runs a batch; "-show" after the input shows the window,
// and "-out" takes the next argument as its file. At most 12 entries of at most 255 characters are kept.
TEST(CommandLine, StartModesAndOptions) {
    const std::pair<std::vector<const char*>, StartMode> modes[] = {
        {{"tallyx", "-h"}, StartMode::Usage},           {{"tallyx", "-HELP"}, StartMode::Usage},
        {{"tallyx", "-h", "extra"}, StartMode::Window}, {{"tallyx"}, StartMode::Window},
        {{"tallyx", "-run"}, StartMode::Window},        {{"tallyx", "-Run", "1+2"}, StartMode::Batch},
        {{"tallyx", "-run", ""}, StartMode::Window},    {{"", "-run", "1+2"}, StartMode::Window}};
    for (const auto& [args, mode] : modes) EXPECT_EQ(chooseStartMode(commandLine(args)), mode) << args.back();
    EXPECT_TRUE(batchShowsWindow(commandLine({"tallyx", "-run", "1", "-show"})));
    EXPECT_TRUE(batchShowsWindow(commandLine({"tallyx", "-run", "1", "-out", "o.txt", "-SHOW"})));
    EXPECT_FALSE(batchShowsWindow(commandLine({"tallyx", "-run", "1", "-out", "-show"})));
    EXPECT_FALSE(batchShowsWindow(commandLine({"tallyx", "-run", "-show"})));
    EXPECT_FALSE(batchShowsWindow(commandLine({"tallyx", "-run", "1"})));
    EXPECT_FALSE(batchShowsWindow(commandLine({"tallyx", "-run", "1", "-out"})));
    EXPECT_TRUE(batchShowsWindow(commandLine({"tallyx", "-run", "1", "-out", "a", "-out", "-show"})));
    const std::string longArg(300, 'a');
    const char* argv[14] = {"tallyx", longArg.c_str(), "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14"};
    const DelvoCmdLine args(14, argv);
    EXPECT_EQ(args.argc, 12);
    EXPECT_EQ(args.argv[1].size(), 255u);
    EXPECT_EQ(args.argv[11], L"12");
}

// A command text is split at ";" into trimmed pieces, empty pieces dropped; without ";" it stays as it is.
// File lines keep their line end, "#" lines are skipped, at most 256 lines of 383 characters.
TEST(BatchItems, CommandTextAndFileLines) {
    bool readable = false;
    EXPECT_EQ(batchItems(L"1+2; x=3 ;;x*2 ", &readable), (std::vector<std::wstring>{L"1+2", L"x=3", L"x*2"}));
    EXPECT_TRUE(readable);
    EXPECT_EQ(batchItems(L" 1+2 ", &readable), std::vector<std::wstring>{L" 1+2 "});
    const fs::path file = tempFolder("items") / "in.txt";
    {
        std::ofstream out(file, std::ios::binary);
        out << "1+2\r\n# comment\na=1;b=2\n" << std::string(400, '1') << "\n";
        for (int i = 0; i < 300; ++i) out << "7\n";
    }
    const auto items = batchItems(file.wstring(), &readable);
    EXPECT_TRUE(readable);
    ASSERT_EQ(items.size(), 256u);  // the comment and the split line count as lines
    EXPECT_EQ(items[0], L"1+2\n");
    EXPECT_EQ(items[1], L"a=1");
    EXPECT_EQ(items[2], L"b=2");
    EXPECT_EQ(items[3].size(), 383u);
    EXPECT_EQ(items[4], L"11111111111111111\n");
    // A CR alone ends no line, and the last line may lack its line end.
    std::ofstream(file, std::ios::binary) << "1\r2\n5*5\r";
    EXPECT_EQ(batchItems(file.wstring(), &readable), (std::vector<std::wstring>{L"1\r2\n", L"5*5\r"}));
}

// An input that is no file but reads like a file name (a name, a dot, an extension of letters and digits that
// starts with a letter, no ";") is noted as a missing file; it still runs as a command.
TEST(BatchItems, InputThatReadsLikeAFileName) {
    const struct {
        const wchar_t* input;
        bool missingFile;
    } rows[] = {
        {L"calc.txt", true},  {L"data.tx2", true}, {L"2.5", false},     {L".txt", false}, {L"calc.", false},
        {L"calc.t-x", false}, {L"x.2e", false},    {L"a.txt;1", false}, {L"pi", false},
    };
    for (const auto& row : rows) {
        bool readable = false;
        BatchInputNotes notes;
        const std::vector<BatchItem> items = numberedBatchItems(row.input, &readable, &notes);
        EXPECT_EQ(notes.missingFile, row.missingFile) << row.input;
        EXPECT_TRUE(readable);
        EXPECT_FALSE(items.empty()) << row.input;
    }
}

// The output file holds UTF-16LE code units without a byte-order mark or line end; a character beyond the
// 16-bit range takes a surrogate pair.
TEST(BatchItems, Utf16Output) {
    const fs::path file = tempFolder("utf16") / "out.txt";
    ASSERT_TRUE(writeUtf16File(file.wstring(), L"6\u00e9\U0001D11E"));
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), std::string("6\0\xe9\0\x34\xd8\x1e\xdd", 8));
    EXPECT_FALSE(writeUtf16File(native(L"/nonexistent-folder/x/out.txt"), L"1"));
}

#ifndef _WIN32
// With no descriptor left ("too many open files") an input file that is there cannot be read: standard output
// says so and nothing runs. With two left, the output file's temporary file is made but cannot receive the
// output: the reason comes back, the console stays, and no temporary file is left behind.
TEST(BatchItems, NoDescriptorLeft) {
    const fs::path folder = tempFolder("descriptors");
    std::ofstream(folder / "in.txt") << "1+1\n";
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    const auto leaveDescriptors = [&saved](int left) {
        const int lowest = ::open("/dev/null", O_RDONLY);
        ::close(lowest);
        const rlimit limit{static_cast<rlim_t>(lowest + left), saved.rlim_max};
        return setrlimit(RLIMIT_NOFILE, &limit) == 0;
    };
    testing::internal::CaptureStdout();
    bool readable = true;
    const bool limited = leaveDescriptors(0);
    const std::vector<BatchItem> items = numberedBatchItems(widePath(folder / "in.txt"), &readable);
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "DelvoCalculator: cannot open the input file\nUsage: tallyx -run infile -out outfile [-show]\n");
    ASSERT_TRUE(limited);
    EXPECT_FALSE(readable);
    EXPECT_TRUE(items.empty());

    std::string problem;
    {
        UnfinishedOutput unfinished;
        ASSERT_TRUE(leaveDescriptors(2));
        const bool begun = unfinished.begin(widePath(folder / "out.txt"), &problem);
        setrlimit(RLIMIT_NOFILE, &saved);
        EXPECT_FALSE(begun);
        EXPECT_TRUE(unfinished.path().empty());
    }
    EXPECT_EQ(problem, "Too many open files");
    for (const auto& entry : fs::directory_iterator(folder)) EXPECT_EQ(entry.path().filename(), "in.txt");
}
#endif

// Redirection sends standard output and error to the file (in a child process); a bad path fails.
TEST(ProcessConsole, RedirectsBothStreamsToTheFile) {
    win32EnableConsole();
    win32SendEnterKey();
    EXPECT_FALSE(lf_redirectConsole(L"/nonexistent-dir/x/out.txt"));
    EXPECT_FALSE(lf_redirectConsole(L""));
    const std::string folder = testing::TempDir();
    const std::wstring widePath = std::wstring(folder.begin(), folder.end()) + L"process_redirect_\u00e9.txt";
    std::filesystem::remove(nativePath(widePath));
    EXPECT_EXIT(
        {
            const bool ok = lf_redirectConsole(widePath);
            std::printf("to out\n");
            std::fflush(stdout);
            std::fprintf(stderr, "to err\n");
            std::exit(ok ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    std::FILE* file = openFile(widePath, "r");
    ASSERT_NE(file, nullptr);
    char buffer[64] = {};
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, file);
    std::fclose(file);
    EXPECT_EQ(std::string(buffer, n), "to out\nto err\n");
    std::filesystem::remove(nativePath(widePath));
}

}  // namespace
