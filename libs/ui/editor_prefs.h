// SPDX-License-Identifier: MIT
// The styled editor's preference record: switches and a table of 24 style entries. GUI-free.
#pragma once

#include <array>
#include <cstdint>
#include <string>

/// Adds amount to each channel of a 0x00BBGGRR colour, clamping each to 0..255.
std::uint32_t shiftColor(std::uint32_t bgr, int amount);

/// One entry of the style table.
struct StyleEntry {
    static constexpr int kFaceMax = 31;
    /// fontStyle bits.
    static constexpr int kBold = 1, kItalic = 2, kUnderline = 4, kHidden = 8;

    int id = 0;
    /// Control style the entry is applied to when highlighting; -1 skips the entry.
    int lexerStyle = 0;
    std::uint32_t foreground = 0;  // 0x00BBGGRR
    std::uint32_t background = 0;  // 0x00BBGGRR
    std::array<wchar_t, kFaceMax + 1> faceName{};
    int size = 10;
    int fontStyle = 0;
    /// 0 as typed, 1 upper, 2 lower.
    int letterCase = 0;

    /// Copies at most 31 characters.
    void setFaceName(const std::wstring& face);
    std::wstring getFaceName() const { return std::wstring(faceName.data()); }
};

/// The console's look: copied by value with its copy rule (lexer backgrounds follow entry 0).
struct EditorPrefs {
    static constexpr int kStyleCount = 24;
    /// Entries with a role of their own.
    static constexpr int kDefault = 0, kNumber = 4, kFunction = 5, kString = 8, kOperator = 10, kLineNumber = 20,
                         kCaret = 21, kSelection = 22, kWhitespace = 23;
    static constexpr const wchar_t* kDefaultFace = L"Consolas";

    /// The default look.
    EditorPrefs();
    EditorPrefs(const EditorPrefs& other) { *this = other; }
    /// Copies every field; the background of entries 0..19 and 23 becomes other's entry-0 background.
    EditorPrefs& operator=(const EditorPrefs& other);

    bool highlight = true;
    bool foldMargin = false;
    bool autoIndent = true;
    bool readOnly = false;
    bool overtype = false;
    bool wrap = false;
    bool viewEol = false;
    bool indentGuides = false;
    bool lineNumbers = true;
    bool promptMargin = true;
    bool longLineEdge = true;
    bool viewWhitespace = false;
    int lineSpacing = 0;
    int tabWidth = 3;
    bool useTabs = true;
    int edgeColumn = 120;
    std::array<std::uint32_t, 4> markerColors{0x00B1E6, 0x009700, 0xC24230, 0x0000FF};
    std::array<StyleEntry, kStyleCount> styles{};
};

/// A new console font applied to the record: face, size and boldness for all
/// 24 entries (bold only when weight is 92), entry 0's foreground = colour (0x00BBGGRR).
void applyFontToPrefs(EditorPrefs& prefs, const std::wstring& face, int size, int weight, std::uint32_t colour);

/// New console colours applied to the record, colours as 0x00BBGGRR.
void applyColorsToPrefs(EditorPrefs& prefs, std::uint32_t text, std::uint32_t background, std::uint32_t function,
                        std::uint32_t op, std::uint32_t number, std::uint32_t selection);
