// SPDX-License-Identifier: MIT
// The settings store: lfConfig holds named sections, each lfSection holds key/value records.
#include <gtest/gtest.h>

#include "libs/file/lf_config.h"

namespace {

// Sections are added up to the configuration's capacity; a present name, in any case, gives the present section.
TEST(SettingsStore, SectionsUpToCapacity) {
    lfConfig config(2);
    lfSection* common = config.addSection(L"Common", 6);
    lfSection* font = config.addSection(L"Font", 11);
    ASSERT_NE(common, nullptr);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(config.addSection(L"History", 24), nullptr);
    EXPECT_EQ(config.addSection(L"FONT", 4), font);
    EXPECT_EQ(config.addSection(L"", 3), nullptr);
    EXPECT_EQ(font->getName(), L"Font");
    EXPECT_EQ(font->getCapacity(), 11);
    EXPECT_EQ(config.getSectionCount(), 2);
    EXPECT_EQ(config.getSection(1), font);
    for (int index : {-1, 2}) EXPECT_EQ(config.getSection(index), nullptr);
    EXPECT_EQ(lfConfig(-5).addSection(L"Font", 11), nullptr);

    config.removeAll();
    EXPECT_EQ(config.getSectionCount(), 0);
    EXPECT_FALSE(config.getValue(L"Common", L"Width", nullptr));
    ASSERT_NE(config.addSection(L"History", 24), nullptr);
    EXPECT_EQ(config.getSection(0)->getRecordCount(), 0);
}

// New keys are appended up to the section's capacity; a present key, in any case, keeps its place and spelling.
TEST(SettingsStore, RecordsUpToCapacity) {
    lfConfig config(3);
    lfSection* common = config.addSection(L"common", 3);
    EXPECT_FALSE(config.setValue(L"Font", L"Name", L"x"));
    EXPECT_TRUE(config.setValue(L"Common", L"Width", L"1"));
    EXPECT_TRUE(config.setValue(L"Common", L"Height", L"2"));
    EXPECT_TRUE(config.setValue(L"Common", L"Verbose", L"1"));
    EXPECT_FALSE(config.setValue(L"Common", L"Maximized", L"1"));
    EXPECT_TRUE(config.setValue(L"COMMON", L"HEIGHT", L"3"));  // replacing needs no room
    EXPECT_FALSE(config.setValue(L"Common", L"", L"3"));
    ASSERT_EQ(common->getRecordCount(), 3);
    EXPECT_EQ(common->getRecord(1)->getKey(), L"Height");
    EXPECT_EQ(common->getRecord(1)->getValue(), L"3");
    EXPECT_EQ(common->getRecord(2)->getKey(), L"Verbose");
    for (int index : {-1, 3}) EXPECT_EQ(common->getRecord(index), nullptr);
}

// getValue finds sections and keys regardless of case, and leaves the buffer alone when nothing matches.
TEST(SettingsStore, GetValue) {
    lfConfig config(3);
    config.addSection(L"font", 11);
    config.setValue(L"font", L"size", L"14");
    config.setValue(L"font", L"Name", L"");
    const struct {
        const wchar_t *section, *key;
        bool found;
        const wchar_t* value;
    } cases[] = {{L"Font", L"Size", true, L"14"},      {L"FONT", L"SIZE", true, L"14"},  {L"Font", L"Name", true, L""},
                 {L"Font", L"Nam", false, L"untouched"}, {L"Font", L"Name ", false, L"untouched"},
                 {L"Font", L"Weight", false, L"untouched"}, {L"Common", L"Name", false, L"untouched"}};
    for (const auto& c : cases) {
        std::wstring value = L"untouched";
        EXPECT_EQ(config.getValue(c.section, c.key, &value), c.found) << c.section << L'/' << c.key;
        EXPECT_EQ(value, c.value) << c.section << L'/' << c.key;
    }
    EXPECT_TRUE(config.getValue(L"Font", L"Size", nullptr));
}

// trim removes the trailing line end and blanks and gives the length left.
TEST(SettingsStore, TrimRemovesTrailingLineEndAndBlanks) {
    const struct {
        std::wstring in, out;
    } cases[] = {
        {L"abc\n", L"abc"}, {L"abc\r\n", L"abc"}, {L"abc \t\r\n", L"abc"}, {L"  abc", L"  abc"}, {L"a = b \n", L"a = b"},
        {L"\n", L""},       {L"", L""},           {L"\r", L""},            {L"x\ny\n", L"x\ny"},
    };
    for (const auto& c : cases) {
        std::wstring line = c.in;
        EXPECT_EQ(lfConfig::trim(line), static_cast<int>(c.out.size()));
        EXPECT_EQ(line, c.out);
    }
}

// Case folding covers Latin-1 letters, not the signs U+00D7 and U+00F7, whatever the process locale.
TEST(SettingsStore, CaseFoldingIsLatin1) {
    EXPECT_TRUE(lfEqualNoCase(L"\u00C9t\u00C9", L"\u00E9t\u00E9"));
    EXPECT_FALSE(lfEqualNoCase(L"\u00D7", L"\u00F7"));
    EXPECT_FALSE(lfEqualNoCase(L"ab", L"abc"));
}

}  // namespace
