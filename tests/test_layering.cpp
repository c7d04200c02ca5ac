// SPDX-License-Identifier: MIT
// The layers of docs/design.md as the sources' #include lines have them: each folder includes only the folders
// below it, nothing outside app/ reaches the application object, and engine/, the GUI-free libraries and tallyx's
// own start-up code include no wx header (tallyx's main() links no toolkit: the window is a module it loads on
// demand).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& file) {
    std::ifstream in(file);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool includesWx(const fs::path& file) {
    return std::regex_search(readAll(file), std::regex(R"(#\s*include\s*[<"]wx/)"));
}

/// The source files of a folder (not its sub-folders).
std::vector<fs::path> sourcesOf(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".h" || extension == ".cpp")) files.push_back(entry.path());
    }
    return files;
}

/// The program's folders, top down, and the folders each one may include from.
const std::map<std::string, std::set<std::string>> kMayInclude = {
    {"app", {"console", "tools", "settings", "libs/ui", "libs/graph", "engine", "libs/math", "libs/file", "resources"}},
    {"console", {"libs/ui", "libs/graph", "engine", "libs/math", "libs/file", "resources"}},
    {"tools", {"libs/ui", "engine", "libs/math", "resources"}},
    {"settings", {"libs/ui", "libs/file", "resources"}},
    {"libs/graph", {"libs/ui", "libs/math", "libs/file"}},
    {"libs/ui", {"resources"}},
    {"engine", {"libs/math"}},
    {"libs/math", {"libs/file"}},
    {"libs/file", {}},
};

/// The folder part of an include such as "libs/ui/appearance.h" or "engine/interpreter.h".
std::string folderOf(const std::string& include) {
    const size_t slash = include.rfind('/');
    return slash == std::string::npos ? std::string() : include.substr(0, slash);
}

TEST(Layering, EachFolderIncludesOnlyTheFoldersBelowIt) {
    const fs::path source(DELVO_SOURCE_DIR);
    const std::regex include(R"re(#\s*include\s*"([^"]+)")re");
    std::vector<std::string> wrong;
    for (const auto& [folder, allowed] : kMayInclude)
        for (const fs::path& file : sourcesOf(source / folder)) {
            const std::string text = readAll(file);
            for (std::sregex_iterator it(text.begin(), text.end(), include), end; it != end; ++it) {
                const std::string target = folderOf((*it)[1]);
                if (target != folder && !allowed.count(target))
                    wrong.push_back(folder + "/" + file.filename().string() + " includes " + (*it)[1].str());
            }
            if (folder != "app" && text.find("wxGetApp") != std::string::npos)
                wrong.push_back(folder + "/" + file.filename().string() + " calls wxGetApp");
        }
    EXPECT_EQ(wrong, std::vector<std::string>{});
}

// The table itself has no loop: walking down from any folder never comes back to it.
TEST(Layering, TheLayersHaveNoLoop) {
    std::map<std::string, int> state;  // 1 on the walk, 2 done
    std::vector<std::string> loops;
    std::function<void(const std::string&)> walk = [&](const std::string& folder) {
        state[folder] = 1;
        const auto found = kMayInclude.find(folder);
        if (found != kMayInclude.end())
            for (const std::string& below : found->second) {
                if (state[below] == 1) loops.push_back(folder + " -> " + below);
                if (state[below] == 0) walk(below);
            }
        state[folder] = 2;
    };
    for (const auto& entry : kMayInclude)
        if (state[entry.first] == 0) walk(entry.first);
    EXPECT_EQ(loops, std::vector<std::string>{});
}

TEST(Layering, EngineLibrariesAndBatchModeAreGuiFree) {
    const fs::path source(DELVO_SOURCE_DIR);
    std::vector<std::string> found;
    for (const char* folder : {"engine", "libs/math", "libs/file"})
        for (const fs::path& file : sourcesOf(source / folder))
            if (includesWx(file)) found.push_back(file.string());
    for (const char* name : {"batch_mode.cpp", "batch_mode.h", "folders.cpp", "folders.h", "copy_string.cpp",
                             "copy_string.h", "main.cpp", "delvo_cmd_line.cpp", "process_console_posix.cpp"}) {
        ASSERT_TRUE(fs::exists(source / "app" / name)) << name;
        if (includesWx(source / "app" / name)) found.push_back(name);
    }
    EXPECT_EQ(found, std::vector<std::string>{});
}

}  // namespace
