// SPDX-License-Identifier: MIT
// The console's look as one model: font, colours and highlighting, with change notices.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "libs/ui/lm_font.h"

/// The console's font, its five syntax colours and the highlighting switch. The console, the colours dialog
/// and the settings file share one; whoever changes it, everyone who listens hears of it.
class Appearance {
public:
    /// What a notice reports, as bits.
    enum Change : unsigned { kFontChanged = 1, kColorsChanged = 2, kHighlightingChanged = 4 };
    /// Indices of syntaxColors().
    enum SyntaxColor : int { kBackground, kFunction, kOperator, kNumber, kSelection, kSyntaxColorCount };
    /// Receives the Change bits of one change.
    using Listener = std::function<void(unsigned changes)>;

    /// The console's default look with the face faceName; highlighting on. No notice.
    void resetToDefaults(const std::wstring& faceName);

    /// The console font record (its colour is the console's default text colour).
    const lmFont& font() const { return m_font; }
    /// The default text colour, 0x00BBGGRR.
    std::uint32_t textColor() const { return m_font.color.toInt(); }
    /// Background, function, operator, number and selection colours, 0x00BBGGRR.
    const std::array<std::uint32_t, kSyntaxColorCount>& syntaxColors() const { return m_syntaxColors; }
    bool highlighting() const { return m_highlighting; }

    /// A new font: face (none keeps the face; at most 31 characters kept), colour, size (clamped to 4..32),
    /// orientation, style and weight as our settings file codes them.
    void setFont(const std::wstring* faceName, const lmColor& colour, int size, int orientation, int style, int weight);
    /// The six colours at once, 0x00BBGGRR.
    void setColors(std::uint32_t text, std::uint32_t background, std::uint32_t function, std::uint32_t op,
                   std::uint32_t number, std::uint32_t selection);
    void setHighlighting(bool on);

    /// Adds a listener; the number it returns removes it.
    int subscribe(Listener listener);
    void unsubscribe(int id);

private:
    void notify(unsigned changes);

    lmFont m_font;
    std::array<std::uint32_t, kSyntaxColorCount> m_syntaxColors{0x000000, 0xFF0000, 0x800000, 0x808000, 0xFFFF00};
    bool m_highlighting = true;
    std::vector<std::pair<int, Listener>> m_listeners;
    int m_nextId = 1;
};
