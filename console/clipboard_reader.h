// SPDX-License-Identifier: MIT
// The system clipboard read without making the window wait for the program that holds it: that program may
// answer late, never, or end before it answers. One implementation per platform.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <wx/string.h>

/// How a read of the clipboard ended.
enum class ClipboardAnswer {
    Text,        ///< the clipboard's text (possibly empty)
    NoText,      ///< the clipboard offers no text
    OwnerEnded,  ///< the program holding the clipboard ended before it handed over its text
    NoAnswer,    ///< the program holding the clipboard did not answer in time
};

/// Reads the clipboard (never the primary selection). Answers come on the UI thread: at once when this program
/// holds the clipboard, otherwise once the holder answers, and at the latest after kPatienceMs. A reader that
/// is destroyed drops the answers still to come.
class ClipboardReader {
public:
    /// How long a read waits for the clipboard's holder before it gives up.
    static constexpr int kPatienceMs = 5000;
    using Done = std::function<void(ClipboardAnswer answer, const wxString& text)>;

    ClipboardReader();
    ~ClipboardReader();
    ClipboardReader(const ClipboardReader&) = delete;
    ClipboardReader& operator=(const ClipboardReader&) = delete;

    /// Asks for the clipboard's text; done receives the answer once.
    void requestText(Done done);
    /// Whether the clipboard offers text, as last learned; nothing while that is unknown (no answer yet, or the
    /// clipboard cannot be opened). The reader asks again whenever the clipboard changes hands and whenever this
    /// program holds it (then the answer is fresh), so the question never waits.
    std::optional<bool> offersText();

    /// What the platform keeps between the reader and its reads in flight.
    struct State;

private:
    std::shared_ptr<State> m_state;
};
