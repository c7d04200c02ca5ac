// SPDX-License-Identifier: MIT
// The settings store lfConfig / lfSection / lfRecord (spec Part 4.1, the calls of file.dll).
#include <gtest/gtest.h>

#include "libs/file/lf_config.h"

namespace {

// Spec 4.1
TEST(Part4_1_Store, NewConfigIsEmptyWithItsCapacity) {
    lfConfig config(3);
    EXPECT_EQ(config.getSectionCount(), 0);
    EXPECT_EQ(config.getCapacity(), 3);
    EXPECT_EQ(config.getSection(0), nullptr);
    EXPECT_EQ(config.getSection(-1), nullptr);
    lfConfig negative(-5);
    EXPECT_EQ(negative.getCapacity(), 0);
    EXPECT_EQ(negative.addSection(L"Font", 11), nullptr);
}

// Spec 4.1
TEST(Part4_1_Store, AddSectionUpToCapacityThenRefuses) {
    lfConfig config(2);
    lfSection* common = config.addSection(L"Common", 6);
    lfSection* history = config.addSection(L"History", 24);
    ASSERT_NE(common, nullptr);
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(config.addSection(L"Font", 11), nullptr);
    EXPECT_EQ(config.getSectionCount(), 2);
    EXPECT_EQ(config.getSection(0), common);
    EXPECT_EQ(config.getSection(1), history);
    EXPECT_EQ(config.getSection(2), nullptr);
    EXPECT_EQ(common->getName(), L"Common");
    EXPECT_EQ(common->getCapacity(), 6);
    EXPECT_EQ(config.addSection(L"", 3), nullptr);
}

// Spec 4.1: left to the implementer; a repeated name gives the existing section, regardless of case.
TEST(Part4_1_Store, AddSectionForAPresentNameGivesTheExistingOne) {
    lfConfig config(3);
    lfSection* font = config.addSection(L"Font", 11);
    ASSERT_NE(font, nullptr);
    ASSERT_TRUE(config.setValue(L"Font", L"Size", L"12"));
    EXPECT_EQ(config.addSection(L"Font", 11), font);
    EXPECT_EQ(config.addSection(L"FONT", 4), font);
    EXPECT_EQ(font->getCapacity(), 11);
    EXPECT_EQ(font->getName(), L"Font");
    EXPECT_EQ(config.getSectionCount(), 1);
    EXPECT_EQ(font->getRecordCount(), 1);
}

// Spec 4.1: a full configuration still gives a section it holds.
TEST(Part4_1_Store, AddSectionWhenFullGivesPresentSection) {
    lfConfig config(1);
    lfSection* font = config.addSection(L"Font", 11);
    EXPECT_EQ(config.addSection(L"font", 11), font);
    EXPECT_EQ(config.addSection(L"Common", 6), nullptr);
}

// Spec 4.1
TEST(Part4_1_Store, SetValueAddsNewKeysInOrderAndReplacesInPlace) {
    lfConfig config(3);
    lfSection* font = config.addSection(L"Font", 11);
    EXPECT_TRUE(config.setValue(L"Font", L"Name", L"Consolas"));
    EXPECT_TRUE(config.setValue(L"Font", L"DefColor", L"202020"));
    EXPECT_TRUE(config.setValue(L"Font", L"Size", L"10"));
    EXPECT_TRUE(config.setValue(L"Font", L"DefColor", L"FF"));
    ASSERT_EQ(font->getRecordCount(), 3);
    EXPECT_EQ(font->getRecord(0)->getKey(), L"Name");
    EXPECT_EQ(font->getRecord(1)->getKey(), L"DefColor");
    EXPECT_EQ(font->getRecord(1)->getValue(), L"FF");
    EXPECT_EQ(font->getRecord(2)->getKey(), L"Size");
    EXPECT_EQ(font->getRecord(3), nullptr);
    EXPECT_EQ(font->getRecord(-1), nullptr);
}

// Spec 4.1
TEST(Part4_1_Store, SetValueRefusedWithoutSectionOrWhenSectionFull) {
    lfConfig config(3);
    config.addSection(L"Common", 2);
    EXPECT_FALSE(config.setValue(L"Font", L"Name", L"x"));
    EXPECT_TRUE(config.setValue(L"Common", L"Width", L"1"));
    EXPECT_TRUE(config.setValue(L"Common", L"Height", L"2"));
    EXPECT_FALSE(config.setValue(L"Common", L"Verbose", L"1"));
    EXPECT_TRUE(config.setValue(L"Common", L"Width", L"3"));  // replacing needs no room
    EXPECT_FALSE(config.setValue(L"Common", L"", L"3"));
    std::wstring value;
    EXPECT_TRUE(config.getValue(L"Common", L"Width", &value));
    EXPECT_EQ(value, L"3");
}

// Spec 4.1: left to the implementer; sections and keys are found regardless of case.
TEST(Part4_1_Store, GetValueFindsSectionsAndKeysRegardlessOfCase) {
    lfConfig config(3);
    config.addSection(L"font", 11);
    config.setValue(L"font", L"size", L"14");
    std::wstring value;
    EXPECT_TRUE(config.getValue(L"Font", L"Size", &value));
    EXPECT_EQ(value, L"14");
    EXPECT_TRUE(config.getValue(L"FONT", L"SIZE", nullptr));
    // The key keeps its first spelling; a later setValue in other case replaces the value.
    config.setValue(L"Font", L"SIZE", L"16");
    const lfSection* font = config.getSection(0);
    ASSERT_EQ(font->getRecordCount(), 1);
    EXPECT_EQ(font->getRecord(0)->getKey(), L"size");
    EXPECT_EQ(font->getRecord(0)->getValue(), L"16");
}

// Spec 4.1
TEST(Part4_1_Store, GetValueMissingLeavesBufferAlone) {
    lfConfig config(3);
    config.addSection(L"Font", 11);
    config.setValue(L"Font", L"Name", L"");
    std::wstring value = L"untouched";
    EXPECT_FALSE(config.getValue(L"Font", L"Size", &value));
    EXPECT_FALSE(config.getValue(L"Common", L"Name", &value));
    EXPECT_EQ(value, L"untouched");
    EXPECT_TRUE(config.getValue(L"Font", L"Name", &value));
    EXPECT_EQ(value, L"");
    EXPECT_FALSE(config.getValue(L"Font", L"Nam", &value));
    EXPECT_FALSE(config.getValue(L"Font", L"Name ", &value));
}

// Spec 4.1
TEST(Part4_1_Store, RemoveAllEmptiesEverything) {
    lfConfig config(3);
    config.addSection(L"Common", 6);
    config.setValue(L"Common", L"Width", L"1");
    config.removeAll();
    EXPECT_EQ(config.getSectionCount(), 0);
    EXPECT_FALSE(config.getValue(L"Common", L"Width", nullptr));
    EXPECT_NE(config.addSection(L"Font", 11), nullptr);
    EXPECT_EQ(config.getSection(0)->getRecordCount(), 0);
}

// Spec 4.1: trim removes at least the line end and gives the length left.
TEST(Part4_1_Store, TrimRemovesTrailingLineEndAndBlanks) {
    struct Case {
        std::wstring in, out;
    };
    const Case cases[] = {
        {L"abc\n", L"abc"},       {L"abc\r\n", L"abc"},      {L"abc \t\r\n", L"abc"}, {L"  abc", L"  abc"},
        {L"a = b \n", L"a = b"},  {L"\n", L""},              {L"", L""},              {L"\r", L""},
        {L"x\ny\n", L"x\ny"},
    };
    for (const auto& c : cases) {
        std::wstring line = c.in;
        EXPECT_EQ(lfConfig::trim(line), static_cast<int>(c.out.size()));
        EXPECT_EQ(line, c.out);
    }
}

// Spec 4.1: case folding covers Latin-1 letters and is independent of the process locale.
TEST(Part4_1_Store, CaseFoldingIsLatin1) {
    EXPECT_TRUE(lfEqualNoCase(L"\u00C9t\u00C9", L"\u00E9t\u00E9"));
    EXPECT_FALSE(lfEqualNoCase(L"\u00D7", L"\u00F7"));
    EXPECT_FALSE(lfEqualNoCase(L"ab", L"abc"));
    EXPECT_TRUE(lfEqualNoCase(L"", L""));
}

}  // namespace
