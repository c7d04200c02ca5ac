// SPDX-License-Identifier: MIT
// The settings store: lfConfig holds named sections, each lfSection holds key/value records; lf_text converts
// the wide text it holds to and from UTF-8.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "libs/file/lf_config.h"
#include "libs/file/lf_text.h"

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

// Wide text and UTF-8 both ways at each length boundary of the encoding (1 to 4 bytes).
TEST(WideText, Utf8AtEachLengthBoundary) {
    std::vector<std::pair<std::wstring, std::string>> cases = {
        {L"", ""},
        {L"A\u007F", "A\x7F"},
        {L"\u0080\u07FF", "\xC2\x80\xDF\xBF"},
        {L"\u0800\uD7FF\uE000\uFFFF", "\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF"},
    };
    if (sizeof(wchar_t) == 4) {  // one wchar_t per code point beyond the first plane
        cases.push_back({std::wstring{wchar_t(0x10000), wchar_t(0x10FFFF)}, "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"});
    }
    for (const auto& [wide, utf8] : cases) {
        EXPECT_EQ(utf8FromWide(wide), utf8);
        EXPECT_EQ(wideFromUtf8(utf8), wide);
    }
}

// What is not Unicode becomes "?" on the way to UTF-8; a byte that does not start or continue a sequence, or a
// sequence cut short, becomes U+FFFD on the way back, and the text after it is kept.
TEST(WideText, InvalidTextIsReplaced) {
    std::vector<std::pair<std::wstring, std::string>> toUtf8 = {
        {std::wstring{L'a', wchar_t(0xD800), wchar_t(0xDFFF), L'b'}, "a??b"},
    };
    if (sizeof(wchar_t) == 4) toUtf8.push_back({std::wstring{wchar_t(0x110000)}, "?"});
    for (const auto& [wide, utf8] : toUtf8) EXPECT_EQ(utf8FromWide(wide), utf8);

    const struct {
        std::string utf8;
        std::wstring wide;
    } fromUtf8[] = {
        {"\x80x", L"\uFFFDx"},          {"\xF8x", L"\uFFFDx"},        {"\xC3(x", L"\uFFFD(x"},
        {"x\xC3", L"x\uFFFD"},          {"\xE2\x82", L"\uFFFD\uFFFD"}, {"\xF0\x90\x80(", L"\uFFFD\uFFFD\uFFFD("},
        {"\xE2\x82\xAC!", L"\u20AC!"},
    };
    for (const auto& c : fromUtf8) EXPECT_EQ(wideFromUtf8(c.utf8), c.wide) << c.utf8;
}

}  // namespace
