// SPDX-License-Identifier: MIT
#include "libs/ui/appearance.h"

#include <algorithm>

#include "libs/ui/editor_prefs.h"

namespace {

constexpr int kSmallestSize = 4;
constexpr int kLargestSize = 32;
/// The operator colour until the user picks one (the editor's own operator style is not the console's).
constexpr std::uint32_t kDefaultOperatorColor = 0x800000;

}  // namespace

void Appearance::resetToDefaults(const std::wstring& faceName) {
    const EditorPrefs defaults;
    m_font.reset();
    m_font.setFaceName(faceName);
    m_font.setColor(lmColor::fromInt(defaults.styles[EditorPrefs::kDefault].foreground));
    m_font.assignResources();
    m_syntaxColors = {defaults.styles[EditorPrefs::kDefault].background,
                      defaults.styles[EditorPrefs::kFunction].foreground, kDefaultOperatorColor,
                      defaults.styles[EditorPrefs::kNumber].foreground,
                      defaults.styles[EditorPrefs::kSelection].background};
    m_highlighting = true;
}

void Appearance::setFont(const std::wstring* faceName, const lmColor& colour, int size, int orientation, int style,
                         int weight) {
    if (faceName) m_font.setFaceName(*faceName);
    m_font.setColor(colour);
    m_font.size = std::clamp(size, kSmallestSize, kLargestSize);
    m_font.orientation = orientation;
    m_font.style = style;
    m_font.weight = weight;
    m_font.assignResources();
    notify(kFontChanged);
}

void Appearance::setColors(std::uint32_t text, std::uint32_t background, std::uint32_t function, std::uint32_t op,
                           std::uint32_t number, std::uint32_t selection) {
    if (text != m_font.color.toInt()) {
        m_font.setColor(lmColor::fromInt(text));
        m_font.assignResources();
    }
    m_syntaxColors = {background, function, op, number, selection};
    notify(kColorsChanged);
}

void Appearance::setHighlighting(bool on) {
    if (on == m_highlighting) return;
    m_highlighting = on;
    notify(kHighlightingChanged);
}

int Appearance::subscribe(Listener listener) {
    m_listeners.emplace_back(m_nextId, std::move(listener));
    return m_nextId++;
}

void Appearance::unsubscribe(int id) {
    m_listeners.erase(
        std::remove_if(m_listeners.begin(), m_listeners.end(), [id](const auto& entry) { return entry.first == id; }),
        m_listeners.end());
}

void Appearance::notify(unsigned changes) {
    // A listener may unsubscribe itself or another one (a dialog that closes): each is looked up before its call.
    std::vector<int> ids;
    for (const auto& entry : m_listeners) ids.push_back(entry.first);
    for (int id : ids) {
        auto found =
            std::find_if(m_listeners.begin(), m_listeners.end(), [id](const auto& entry) { return entry.first == id; });
        if (found == m_listeners.end()) continue;
        const Listener listener = found->second;
        listener(changes);
    }
}
