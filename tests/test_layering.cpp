// SPDX-License-Identifier: MIT
// The layering rule of docs/design.md: engine/ and the GUI-free libraries include no wx GUI header.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

namespace fs = std::filesystem;

namespace {

/// Files under folder whose text includes a wx/ header.
std::vector<std::string> filesIncludingWx(const fs::path& folder, const std::vector<std::string>& except = {}) {
    std::vector<std::string> found;
    const std::regex include(R"(#\s*include\s*[<"]wx/)");
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().filename().string();
        if (std::find(except.begin(), except.end(), name.substr(0, name.find('.'))) != except.end()) continue;
        std::ifstream in(entry.path());
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (std::regex_search(text, include)) found.push_back(entry.path().string());
    }
    return found;
}

TEST(Design_Layering, EngineIsGuiFree) {
    EXPECT_EQ(filesIncludingWx(fs::path(DELVO_SOURCE_DIR) / "engine"), std::vector<std::string>{});
}

TEST(Design_Layering, MathAndSettingsStoreAreGuiFree) {
    EXPECT_EQ(filesIncludingWx(fs::path(DELVO_SOURCE_DIR) / "libs" / "math"), std::vector<std::string>{});
    EXPECT_EQ(filesIncludingWx(fs::path(DELVO_SOURCE_DIR) / "libs" / "file"), std::vector<std::string>{});
}

TEST(Design_Layering, BatchModeIsGuiFree) {
    for (const char* name : {"batch_mode.cpp", "batch_mode.h", "folders.cpp", "folders.h", "copy_string.cpp",
                             "copy_string.h", "main.cpp"}) {
        std::ifstream in(fs::path(DELVO_SOURCE_DIR) / "app" / name);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        // tallyx's main() links no toolkit at all: the window is a module it loads on demand.
        const std::regex gui(R"(#\s*include\s*[<"]wx/)");
        EXPECT_FALSE(std::regex_search(text, gui)) << name;
    }
}

}  // namespace
