// SPDX-License-Identifier: MIT
// The layering rule of docs/design.md: engine/, the GUI-free libraries and tallyx's own start-up code include
// no wx header (tallyx's main() links no toolkit: the window is a module it loads on demand).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool includesWx(const fs::path& file) {
    std::ifstream in(file);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return std::regex_search(text, std::regex(R"(#\s*include\s*[<"]wx/)"));
}

TEST(Layering, EngineLibrariesAndBatchModeAreGuiFree) {
    const fs::path source(DELVO_SOURCE_DIR);
    std::vector<std::string> found;
    for (const char* folder : {"engine", "libs/math", "libs/file"})
        for (const auto& entry : fs::recursive_directory_iterator(source / folder))
            if (entry.is_regular_file() && includesWx(entry.path())) found.push_back(entry.path().string());
    for (const char* name : {"batch_mode.cpp", "batch_mode.h", "folders.cpp", "folders.h", "copy_string.cpp",
                             "copy_string.h", "main.cpp"}) {
        ASSERT_TRUE(fs::exists(source / "app" / name)) << name;
        if (includesWx(source / "app" / name)) found.push_back(name);
    }
    EXPECT_EQ(found, std::vector<std::string>{});
}

}  // namespace
