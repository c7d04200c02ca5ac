// SPDX-License-Identifier: MIT
// GTK: clipboard reads are requests answered by callbacks. The holder's end shows as the clipboard changing
// owner ("owner-change" with the reason "closed" or "destroyed"), long before GTK would give up on it; a
// holder that stays but never answers is given up after the reader's patience.
#include "console/clipboard_reader.h"

#include <gtk/gtk.h>

struct ClipboardReader::State {
    GtkClipboard* clipboard = nullptr;
    gulong ownerChanged = 0;
    bool alive = true;
    std::optional<bool> offersText;  // nothing until the first answer
    bool asked = false;              // an answer is known or on its way
    bool asking = false;             // a question whether text is offered is on its way
    bool askAgain = false;           // the clipboard changed hands while it was
};

namespace {

using State = ClipboardReader::State;

/// One read in flight. GTK calls its callback exactly once, however late; the read is freed there.
struct Read {
    std::shared_ptr<State> state;
    ClipboardReader::Done done;  // empty for the question whether text is offered
    bool settled = false;
    guint patience = 0;
    gulong ownerChanged = 0;
};

void askWhetherTextIsOffered(const std::shared_ptr<State>& state);

/// The read's one answer: to its caller, or into the reader's knowledge of the clipboard.
void settle(Read* read, ClipboardAnswer answer, const wxString& text) {
    if (read->settled) return;
    read->settled = true;
    if (read->patience != 0) g_source_remove(read->patience);
    g_signal_handler_disconnect(read->state->clipboard, read->ownerChanged);
    State& state = *read->state;
    if (!state.alive) return;
    if (read->done) {
        read->done(answer, text);
        return;
    }
    state.asking = false;
    if (answer == ClipboardAnswer::Text || answer == ClipboardAnswer::NoText || answer == ClipboardAnswer::OwnerEnded)
        state.offersText = answer == ClipboardAnswer::Text;
    if (state.askAgain || answer == ClipboardAnswer::OwnerEnded) {
        state.askAgain = false;
        askWhetherTextIsOffered(read->state);
    }
}

gboolean patienceOver(gpointer data) {
    auto* read = static_cast<Read*>(data);
    read->patience = 0;  // this source ends with the return below
    settle(read, ClipboardAnswer::NoAnswer, wxString());
    return G_SOURCE_REMOVE;
}

void ownerChanged(GtkClipboard*, GdkEvent* event, gpointer data) {
    const GdkOwnerChange reason = event->owner_change.reason;
    if (reason == GDK_OWNER_CHANGE_DESTROY || reason == GDK_OWNER_CHANGE_CLOSE)
        settle(static_cast<Read*>(data), ClipboardAnswer::OwnerEnded, wxString());
}

void textReceived(GtkClipboard*, const gchar* text, gpointer data) {
    auto* read = static_cast<Read*>(data);
    settle(read, text ? ClipboardAnswer::Text : ClipboardAnswer::NoText, text ? wxString::FromUTF8(text) : wxString());
    delete read;
}

void targetsReceived(GtkClipboard*, GdkAtom* targets, gint count, gpointer data) {
    auto* read = static_cast<Read*>(data);
    const bool text = targets != nullptr && count > 0 && gtk_targets_include_text(targets, count);
    settle(read, text ? ClipboardAnswer::Text : ClipboardAnswer::NoText, wxString());
    delete read;
}

/// Starts a read; GTK may answer before this returns (this program holds the clipboard).
void startRead(const std::shared_ptr<State>& state, ClipboardReader::Done done) {
    auto* read = new Read{state, std::move(done)};
    read->ownerChanged = g_signal_connect(state->clipboard, "owner-change", G_CALLBACK(ownerChanged), read);
    read->patience = g_timeout_add(ClipboardReader::kPatienceMs, patienceOver, read);
    if (read->done) {
        gtk_clipboard_request_text(state->clipboard, textReceived, read);
    } else {
        gtk_clipboard_request_targets(state->clipboard, targetsReceived, read);
    }
}

void askWhetherTextIsOffered(const std::shared_ptr<State>& state) {
    state->asked = true;
    if (state->asking) {
        state->askAgain = true;
        return;
    }
    state->asking = true;
    startRead(state, nullptr);
}

void clipboardChanged(GtkClipboard*, GdkEvent*, gpointer data) {
    // The signal is disconnected before the reader and its state go.
    auto* state = static_cast<std::shared_ptr<State>*>(data);
    askWhetherTextIsOffered(*state);
}

}  // namespace

ClipboardReader::ClipboardReader() : m_state(std::make_shared<State>()) {}

ClipboardReader::~ClipboardReader() {
    m_state->alive = false;
    if (m_state->ownerChanged != 0) g_signal_handler_disconnect(m_state->clipboard, m_state->ownerChanged);
}

void ClipboardReader::requestText(Done done) {
    if (m_state->clipboard == nullptr) m_state->clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    startRead(m_state, std::move(done));
}

std::optional<bool> ClipboardReader::offersText() {
    if (m_state->ownerChanged == 0) {
        if (m_state->clipboard == nullptr) m_state->clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
        m_state->ownerChanged =
            g_signal_connect(m_state->clipboard, "owner-change", G_CALLBACK(clipboardChanged), &m_state);
    }
    // This program's own clipboard answers inside the request, so the answer below is fresh.
    if (!m_state->asked || gdk_selection_owner_get(GDK_SELECTION_CLIPBOARD) != nullptr)
        askWhetherTextIsOffered(m_state);
    return m_state->offersText;
}
