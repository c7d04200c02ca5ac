// SPDX-License-Identifier: MIT
// Spec Part 1.1: folders, copyString, the command line and the batch items (GUI-free parts).
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/batch_mode.h"
#include "app/copy_string.h"
#include "app/folders.h"

namespace fs = std::filesystem;

namespace {

DelvoCmdLine commandLine(std::initializer_list<const char*> args) {
    std::vector<const char*> argv(args);
    return DelvoCmdLine(static_cast<int>(argv.size()), argv.data());
}

fs::path tempFolder(const std::string& name) {
    const fs::path folder = fs::temp_directory_path() / ("delvo_app_core_" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

// Spec 1.1: an executable in .../bin/ gives the help path .../doc/tallyx.pdf beside the "bin" folder.
TEST(Part1_1_Folders, BinFolderGivesHelpPathBesideIt) {
    const Folders folders = Folders::locate(L"/opt/quarn/bin/tallyx", L"");
    EXPECT_EQ(folders.installDir, L"/opt/quarn/");
    EXPECT_EQ(folders.helpDir, L"/opt/quarn/doc/");
    EXPECT_EQ(folders.helpPath, L"/opt/quarn/doc/tallyx.pdf");
    const Folders plain = Folders::locate(L"/opt/quarn/tallyx", L"");
    EXPECT_EQ(plain.installDir, L"/opt/quarn/");
    EXPECT_EQ(plain.helpPath, L"/opt/quarn/doc/tallyx.pdf");
}

// Spec 1.1: paths shorter than 7 or longer than 225 characters leave the folders unset.
TEST(Part1_1_Folders, LengthLimits) {
    EXPECT_EQ(Folders::locate(L"/a/tx", L"").installDir, L"");
    EXPECT_EQ(Folders::locate(L"/" + std::wstring(230, L'a') + L"/tallyx", L"").installDir, L"");
    EXPECT_EQ(Folders::locate(L"/opt/x/tallyx", L"/b").userDataDir, L"");
}

// Spec 1.1: the per-user folder's last component becomes "Quarn", created when missing.
TEST(Part1_1_Folders, UserDataFolderIsCreated) {
    const fs::path base = tempFolder("userdata");
    const Folders folders = Folders::locate(L"", (base / "tallyx").wstring());
    EXPECT_EQ(folders.userDataDir, (base / "Quarn").wstring() + L"/");
    EXPECT_TRUE(fs::is_directory(base / "Quarn"));
    // The settings file lives in its config folder when the installation has none.
    EXPECT_EQ(folders.settingsPath(), (base / "Quarn" / "config" / "tallyx.quarnr").wstring());
    EXPECT_TRUE(fs::is_directory(base / "Quarn" / "config"));
}

// Spec 1.1: a config folder beside the program wins.
TEST(Part1_1_Folders, InstallConfigFolderWins) {
    const fs::path base = tempFolder("install");
    fs::create_directories(base / "config");
    const Folders folders = Folders::locate((base / "tallyx").wstring(), (base / "user" / "tallyx").wstring());
    EXPECT_EQ(folders.settingsPath(), (base / "config" / "tallyx.quarnr").wstring());
}

// Spec 1.1: copyString.
TEST(Part1_1_CopyString, LimitsAndCopies) {
    std::array<wchar_t, 16> small{};
    EXPECT_EQ(copyString(L"speed", small), 5);
    EXPECT_EQ(std::wstring(small.data()), L"speed");
    EXPECT_EQ(copyString(L"", small), 0);
    EXPECT_EQ(std::wstring(small.data()), L"");
    // A string that does not fit is refused, never cut or overrun (left to the implementer).
    EXPECT_EQ(copyString(std::wstring(16, L'x'), small), -1);
    std::array<wchar_t, 256> large{};
    EXPECT_EQ(copyString(L"x", large.data(), 0), -1);
    EXPECT_EQ(copyString(L"x", large.data(), 384), -1);
    EXPECT_EQ(copyString(std::wstring(384, L'x'), large.data(), 383), -1);
    EXPECT_EQ(copyString(std::wstring(255, L'x'), large), 255);
}

// Spec 1.1: "-h" alone prints usage; "-h extra" starts the window; "-run" needs an input.
TEST(Part1_1_CommandLine, StartModes) {
    EXPECT_EQ(chooseStartMode(commandLine({"tallyx", "-h"})), StartMode::Usage);
    EXPECT_EQ(chooseStartMode(commandLine({"tallyx", "-HELP"})), StartMode::Usage);
    EXPECT_EQ(chooseStartMode(commandLine({"tallyx", "-h", "extra"})), StartMode::Window);
    EXPECT_EQ(chooseStartMode(commandLine({"tallyx"})), StartMode::Window);
    EXPECT_EQ(chooseStartMode(commandLine({"tallyx", "-run"})), StartMode::Window);
    EXPECT_EQ(chooseStartMode(commandLine({"tallyx", "-Run", "1+2"})), StartMode::Batch);
    EXPECT_EQ(chooseStartMode(commandLine({"tallyx", "-run", ""})), StartMode::Window);
}

// Spec 1.3: the command line holds at most 12 entries of at most 255 characters.
TEST(Part1_1_CommandLine, SplitterLimits) {
    const std::string longArg(300, 'a');
    const char* argv[14] = {"tallyx", longArg.c_str(), "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14"};
    const DelvoCmdLine args(14, argv);
    EXPECT_EQ(args.argc, 12);
    EXPECT_EQ(args.argv[1].size(), 255u);
    EXPECT_EQ(args.argv[11], L"12");
}

// Spec 1.1: a command text is split at ";" into trimmed pieces, empty pieces dropped.
TEST(Part1_1_Batch, ItemsOfCommandText) {
    bool readable = false;
    const auto items = batchItems(L"1+2; x=3 ;;x*2 ", &readable);
    EXPECT_TRUE(readable);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], L"1+2");
    EXPECT_EQ(items[1], L"x=3");
    EXPECT_EQ(items[2], L"x*2");
    const auto single = batchItems(L" 1+2 ", &readable);
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0], L" 1+2 ");
}

// Spec 1.1: file lines keep their line end, "#" lines are skipped, at most 256 lines of 383 characters.
TEST(Part1_1_Batch, ItemsOfFile) {
    const fs::path file = tempFolder("items") / "in.txt";
    {
        std::ofstream out(file, std::ios::binary);
        out << "1+2\r\n# comment\na=1;b=2\n" << std::string(400, '1') << "\n";
        for (int i = 0; i < 300; ++i) out << "7\n";
    }
    bool readable = false;
    const auto items = batchItems(file.wstring(), &readable);
    EXPECT_TRUE(readable);
    ASSERT_GE(items.size(), 5u);
    EXPECT_EQ(items[0], L"1+2\n");
    EXPECT_EQ(items[1], L"a=1");
    EXPECT_EQ(items[2], L"b=2");
    EXPECT_EQ(items[3].size(), 383u);
    EXPECT_EQ(items[4], L"11111111111111111\n");
    // 256 lines in all (the comment and the split piece count as lines).
    EXPECT_EQ(items.size(), 256u);
}

// Spec 1.1: the output file holds UTF-16LE code units without a byte-order mark or line end.
TEST(Part1_1_Batch, Utf16Output) {
    const fs::path file = tempFolder("utf16") / "out.txt";
    ASSERT_TRUE(writeUtf16File(file.wstring(), L"6\u00e9"));
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, std::string("6\0\xe9\0", 4));
    EXPECT_FALSE(writeUtf16File(L"/nonexistent-folder/x/out.txt", L"1"));
}

}  // namespace

namespace {

// Spec 1.1, batch step 1: "-show" after the input switches the window on; "-out" takes the next argument.
TEST(Part1_1_CommandLine, ShowOption) {
    EXPECT_TRUE(batchShowsWindow(commandLine({"tallyx", "-run", "1", "-show"})));
    EXPECT_TRUE(batchShowsWindow(commandLine({"tallyx", "-run", "1", "-out", "o.txt", "-SHOW"})));
    EXPECT_FALSE(batchShowsWindow(commandLine({"tallyx", "-run", "1", "-out", "-show"})));
    EXPECT_FALSE(batchShowsWindow(commandLine({"tallyx", "-run", "-show"})));
    EXPECT_FALSE(batchShowsWindow(commandLine({"tallyx", "-run", "1"})));
}

}  // namespace
