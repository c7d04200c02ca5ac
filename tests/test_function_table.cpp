// SPDX-License-Identifier: MIT
// The one table of functions, constants and commands: complete against the math library and docs/functions.md,
// every entry in one menu category, completion with the user's functions.
#include <gtest/gtest.h>

#include <cwchar>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "engine/function_table.h"
#include "engine/user_functions.h"
#include "libs/math/lm_math.h"

namespace {

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

bool hasUpperCase(const std::wstring& name) {
    for (wchar_t c : name)
        if (c >= L'A' && c <= L'Z') return true;
    return false;
}

// A function the math library gains shows in the menu, completion and call tips only through this table.
TEST(FunctionTable, MatchesTheMathLibraryAndItsDocumentation) {
    lmDelvo engine;
    for (const std::wstring& name : engine.functionNames()) {
        if (hasUpperCase(name)) continue;  // the degree and gradian forms the console writes itself
        EXPECT_NE(findFunctionSignature(name), nullptr) << narrow(name);
    }
    std::ifstream file(std::string(DELVO_SOURCE_DIR) + "/docs/functions.md");
    const std::string docs(std::istreambuf_iterator<char>(file), {});
    ASSERT_FALSE(docs.empty());
    for (const FunctionSignature& entry : functionSignatures()) {
        const std::wstring name = entry.name;
        EXPECT_EQ(std::wstring(entry.signature).rfind(name, 0), 0u) << narrow(name);
        // Constants, and only they, are inserted and shown without parentheses.
        EXPECT_EQ(entry.constant, entry.category == FunctionCategory::Constants) << narrow(name);
        EXPECT_EQ(entry.constant, std::wcschr(entry.signature, L'(') == nullptr) << narrow(name);
        EXPECT_EQ(findFunctionSignature(name), &entry) << narrow(name);
        if (entry.category == FunctionCategory::Commands) continue;
        EXPECT_TRUE(engine.knowsFunction(name)) << narrow(name);
        const bool documented = docs.find("`" + narrow(name) + "(") != std::string::npos ||
                                docs.find("`" + narrow(name) + "`") != std::string::npos;
        EXPECT_TRUE(documented) << narrow(name);
    }
    EXPECT_EQ(findFunctionSignature(L"nosuch"), nullptr);
}

// The menu's categories hold every entry exactly once.
TEST(FunctionTable, CategoriesCoverTheTable) {
    std::set<std::wstring> seen;
    for (FunctionCategory category : functionCategories()) {
        const auto entries = functionsIn(category);
        EXPECT_FALSE(entries.empty()) << narrow(functionCategoryLabel(category));
        for (const FunctionSignature* entry : entries)
            EXPECT_TRUE(seen.insert(entry->name).second) << narrow(entry->name);
    }
    EXPECT_EQ(seen.size(), functionSignatures().size());
}

TEST(FunctionTable, CompletionsIncludeTheUsersFunctions) {
    UserFunctions user;
    user.define({L"bar", {L"x"}, L"x"});
    user.define({L"band2", {L"x"}, L"x"});
    EXPECT_EQ(completionsFor(L"ba"), std::vector<std::wstring>{L"band"});
    EXPECT_EQ(completionsFor(L"ba", 2, &user), (std::vector<std::wstring>{L"band", L"band2", L"bar"}));
    EXPECT_EQ(completionsFor(L"b", 2, &user), std::vector<std::wstring>{});
}

}  // namespace
