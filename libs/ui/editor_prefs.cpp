// SPDX-License-Identifier: MIT
// EditorPrefs defaults, copy rule and the main window's font and colour changes.
#include "libs/ui/editor_prefs.h"

#include <algorithm>

std::uint32_t shiftColor(std::uint32_t bgr, int amount) {
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int channel = std::clamp(static_cast<int>((bgr >> shift) & 0xFF) + amount, 0, 255);
        result |= static_cast<std::uint32_t>(channel) << shift;
    }
    return result;
}

void StyleEntry::setFaceName(const std::wstring& face) {
    faceName.fill(0);
    face.copy(faceName.data(), std::min<std::size_t>(face.size(), kFaceMax));
}

namespace {

struct DefaultStyle {
    std::uint32_t foreground;
    std::uint32_t background;
    int fontStyle;
};

// The default style table, entry by entry (colours 0x00BBGGRR).
constexpr DefaultStyle kDefaultStyles[EditorPrefs::kStyleCount] = {
    {0x202020, 0xFFFFFF, 0},                                                    // 0 default text
    {0x328C3C, 0xFFFFFF, 0}, {0x328C3C, 0xFFFFFF, 0}, {0x328C3C, 0xFFFFFF, 0},  // 1..3 comments
    {0x808000, 0xFFFFFF, 0},                                                    // 4 number
    {0xC00000, 0xFFFFFF, 1},                                                    // 5 function names, bold
    {0xC80CDC, 0xFFFFFF, 0}, {0xC80CDC, 0xFFFFFF, 0}, {0xC80CDC, 0xFFFFFF, 0},  // 6..8 strings
    {0x5431B0, 0xFFFFFF, 0},                                                    // 9 preprocessor
    {0xFF0080, 0xFFFFFF, 0},                                                    // 10 operator
    {0x202020, 0xFFFFFF, 0},                                                    // 11 identifier
    {0xC80CDC, 0xFFFFFF, 0},                                                    // 12 unterminated string
    {0xE81268, 0xFFFFFF, 0},                                                    // 13 keyword list 1
    {0xE62878, 0xFFFFFF, 0}, {0xE62878, 0xFFFFFF, 0}, {0xE62878, 0xFFFFFF, 0},  // 14..16
    {0xE62878, 0xFFFFFF, 0}, {0xE62878, 0xFFFFFF, 0}, {0xE62878, 0xFFFFFF, 0},  // 17..19
    {0x827E3E, 0xECECEC, 0},                                                    // 20 line numbers
    {0x202020, 0xF2EDEA, 0},                                                    // 21 caret, caret line
    {0x202020, 0xF6D0AB, 0},                                                    // 22 selection
    {0x817357, 0xFFFFFF, 0},                                                    // 23 white space
};

}  // namespace

EditorPrefs::EditorPrefs() {
    for (int i = 0; i < kStyleCount; ++i) {
        StyleEntry& entry = styles[i];
        entry.id = i;
        entry.lexerStyle = i;
        entry.foreground = kDefaultStyles[i].foreground;
        entry.background = kDefaultStyles[i].background;
        entry.setFaceName(kDefaultFace);
        entry.size = 10;
        entry.fontStyle = kDefaultStyles[i].fontStyle;
        entry.letterCase = 0;
    }
}

EditorPrefs& EditorPrefs::operator=(const EditorPrefs& other) {
    highlight = other.highlight;
    foldMargin = other.foldMargin;
    autoIndent = other.autoIndent;
    readOnly = other.readOnly;
    overtype = other.overtype;
    wrap = other.wrap;
    viewEol = other.viewEol;
    indentGuides = other.indentGuides;
    lineNumbers = other.lineNumbers;
    promptMargin = other.promptMargin;
    longLineEdge = other.longLineEdge;
    viewWhitespace = other.viewWhitespace;
    lineSpacing = other.lineSpacing;
    tabWidth = other.tabWidth;
    useTabs = other.useTabs;
    edgeColumn = other.edgeColumn;
    markerColors = other.markerColors;
    styles = other.styles;
    // The lexer styles always share the default background; line numbers, caret line and selection keep theirs.
    const std::uint32_t background = other.styles[kDefault].background;
    for (int i = 0; i < kStyleCount; ++i) {
        if (i != kLineNumber && i != kCaret && i != kSelection) styles[i].background = background;
    }
    return *this;
}

void applyFontToPrefs(EditorPrefs& prefs, const std::wstring& face, int size, int weight, std::uint32_t colour) {
    constexpr int kBoldWeight = 92;
    for (StyleEntry& entry : prefs.styles) {
        entry.setFaceName(face);
        entry.size = size;
        entry.fontStyle = weight == kBoldWeight ? StyleEntry::kBold : 0;
    }
    prefs.styles[EditorPrefs::kDefault].foreground = colour;
}

void applyColorsToPrefs(EditorPrefs& prefs, std::uint32_t text, std::uint32_t background, std::uint32_t function,
                        std::uint32_t op, std::uint32_t number, std::uint32_t selection) {
    for (StyleEntry& entry : prefs.styles) {
        entry.foreground = text;
        entry.background = background;
    }
    prefs.styles[EditorPrefs::kFunction].foreground = function;
    prefs.styles[EditorPrefs::kOperator].foreground = op;
    prefs.styles[EditorPrefs::kNumber].foreground = number;
    prefs.styles[EditorPrefs::kSelection].background = selection;
}
