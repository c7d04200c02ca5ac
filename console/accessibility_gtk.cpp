// SPDX-License-Identifier: MIT
// GTK: the console's ATK object. The styled-text control draws its own text inside a toolkit container
// widget, whose ATK object would be an unnamed panel without text. The first time an assistive technology
// asks for that widget's object, the console's widget answers with an object of ours instead: a text area
// serving the control's text through AtkText. Every other widget of the class keeps its own object.
// The object is created on that first request only, and changes are followed from then on, so without a
// screen reader nothing is spent on it.
#include "console/accessibility.h"

#include <gtk/gtk-a11y.h>
#include <gtk/gtk.h>
#include <wx/stc/stc.h>

#include <algorithm>
#include <memory>

#include "console/text_units.h"

namespace {

struct ConsolePublisher;

// The console's ATK object: a container's object (the control's children stay reachable) with AtkText.
struct ConsoleAccessible {
    GtkContainerAccessible parent;
    ConsolePublisher* publisher;  // null once the control is gone
};
struct ConsoleAccessibleClass {
    GtkContainerAccessibleClass parent;
};

void consoleAccessibleTextInit(AtkTextIface* iface);

G_DEFINE_TYPE_WITH_CODE(ConsoleAccessible, console_accessible, GTK_TYPE_CONTAINER_ACCESSIBLE,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_TEXT, consoleAccessibleTextInit))

ConsoleAccessible* asConsole(gpointer object) {
    return G_TYPE_CHECK_INSTANCE_CAST(object, console_accessible_get_type(), ConsoleAccessible);
}

// Links the control and its ATK object; held by the control's destroy binding, so it lives as long as the
// control's event bindings.
struct ConsolePublisher {
    wxStyledTextCtrl& edit;
    wxCharBuffer name;
    GtkWidget* widget;
    ConsoleAccessible* accessible = nullptr;  // created on first request, one reference held
    int caretOffset = -1;                     // last caret offset announced
    int selectionStart = 0, selectionEnd = 0; // last selection announced (bytes; equal: none)

    int characters = 0;                       // the text's length in characters, kept with every change

    // Counting characters walks the UTF-8 text, so offsets are counted from the nearer end of the text with the
    // kept length. Replies and typing happen at the end, and so do the screen reader's questions about them (the
    // text of each change, the caret's line): none of them costs more in a long history than in a short one.
    int charOffset(int position) const {
        const int length = edit.GetLength();
        return position * 2 < length ? edit.CountCharacters(0, position)
                                     : characters - edit.CountCharacters(position, length);
    }
    int countCharacters() { return characters = edit.CountCharacters(0, edit.GetLength()); }
    // The byte position of a character offset; offsets outside the text are clamped to it.
    int position(int offset) const {
        const int length = edit.GetLength();
        if (offset <= 0) return 0;
        if (offset >= characters) return length;
        if (offset * 2 < characters) return edit.PositionRelative(0, offset);
        return edit.PositionRelative(length, offset - characters);
    }
};

// Lines read on each side of an offset to find the word or line there (more when the unit reaches beyond them).
constexpr int kLinesAround = 2;

const GQuark kPublisherQuark = g_quark_from_static_string("delvo-console-publisher");
AtkObject* (*s_classGetAccessible)(GtkWidget*) = nullptr;  // the widget class's own, for all others

ConsolePublisher* publisherOf(AtkText* text) { return asConsole(text)->publisher; }

// ---- AtkObject --------------------------------------------------------------------------------------

void consoleAccessibleInitialize(AtkObject* object, gpointer data) {
    ATK_OBJECT_CLASS(console_accessible_parent_class)->initialize(object, data);
    object->role = ATK_ROLE_TEXT;
}

AtkStateSet* consoleAccessibleStates(AtkObject* object) {
    AtkStateSet* states = ATK_OBJECT_CLASS(console_accessible_parent_class)->ref_state_set(object);
    if (asConsole(object)->publisher) {
        atk_state_set_add_state(states, ATK_STATE_MULTI_LINE);
        atk_state_set_add_state(states, ATK_STATE_EDITABLE);
    }
    return states;
}

void console_accessible_class_init(ConsoleAccessibleClass* klass) {
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->initialize = consoleAccessibleInitialize;
    atk->ref_state_set = consoleAccessibleStates;
}

void console_accessible_init(ConsoleAccessible* self) { self->publisher = nullptr; }

// ---- AtkText ----------------------------------------------------------------------------------------

gchar* textBetween(AtkText* text, gint start, gint end) {
    const ConsolePublisher* p = publisherOf(text);
    if (!p) return g_strdup("");
    const int from = p->position(start);
    const int to = end < 0 ? p->edit.GetLength() : p->position(end);
    if (to <= from) return g_strdup("");
    const wxCharBuffer bytes = p->edit.GetTextRangeRaw(from, to);
    return g_strndup(bytes.data(), to - from);
}

gunichar characterAt(AtkText* text, gint offset) {
    const ConsolePublisher* p = publisherOf(text);
    if (!p || offset < 0) return 0;
    const int from = p->position(offset);
    if (from >= p->edit.GetLength()) return 0;
    const wxString character = p->edit.GetTextRange(from, p->edit.PositionAfter(from));
    return character.empty() ? 0 : static_cast<gunichar>(character[0].GetValue());
}

gint characterCount(AtkText* text) {
    const ConsolePublisher* p = publisherOf(text);
    return p ? p->characters : 0;
}

TextUnit unitOf(AtkTextBoundary boundary) {
    switch (boundary) {
        case ATK_TEXT_BOUNDARY_CHAR: return TextUnit::Character;
        case ATK_TEXT_BOUNDARY_WORD_START: return TextUnit::WordStart;
        case ATK_TEXT_BOUNDARY_WORD_END: return TextUnit::WordEnd;
        case ATK_TEXT_BOUNDARY_LINE_END:
        case ATK_TEXT_BOUNDARY_SENTENCE_END: return TextUnit::LineEnd;
        default: return TextUnit::LineStart;  // a console line is its sentence
    }
}

using UnitFinder = TextRange (*)(const std::wstring&, int, TextUnit);

// A unit lies within a few lines of its offset (a word, a line), so only the lines around it are read: as many
// as it takes for the unit found to end inside them, or else the whole text.
gchar* textOfUnit(AtkText* text, gint offset, AtkTextBoundary boundary, gint* start, gint* end,
                  UnitFinder find) {
    *start = *end = 0;
    const ConsolePublisher* p = publisherOf(text);
    if (!p) return g_strdup("");
    offset = std::clamp(offset, 0, p->characters);
    const int length = p->edit.GetLength(), lines = p->edit.GetLineCount();
    const int line = p->edit.LineFromPosition(p->position(offset));
    for (int reach = kLinesAround;; reach *= 2) {
        const int from = p->edit.PositionFromLine(std::max(0, line - reach));
        const int to = line + reach + 1 < lines ? p->edit.PositionFromLine(line + reach + 1) : length;
        const int first = p->charOffset(from);
        const std::wstring piece = p->edit.GetTextRange(from, to).ToStdWstring();
        const TextRange range = find(piece, offset - first, unitOf(boundary));
        // A unit that reaches the edge of the lines read may go on beyond them.
        const bool cut = (from > 0 && range.start == 0) || (to < length && range.end == static_cast<int>(piece.size()));
        if (cut) continue;
        *start = first + range.start;
        *end = first + range.end;
        return g_strdup(wxString(piece.substr(range.start, range.end - range.start)).utf8_str().data());
    }
}

gchar* textAt(AtkText* text, gint offset, AtkTextBoundary boundary, gint* start, gint* end) {
    return textOfUnit(text, offset, boundary, start, end, textUnitAt);
}
gchar* textBefore(AtkText* text, gint offset, AtkTextBoundary boundary, gint* start, gint* end) {
    return textOfUnit(text, offset, boundary, start, end, textUnitBefore);
}
gchar* textAfter(AtkText* text, gint offset, AtkTextBoundary boundary, gint* start, gint* end) {
    return textOfUnit(text, offset, boundary, start, end, textUnitAfter);
}

gint caretOffset(AtkText* text) {
    const ConsolePublisher* p = publisherOf(text);
    return p ? p->charOffset(p->edit.GetCurrentPos()) : 0;
}

gboolean setCaretOffset(AtkText* text, gint offset) {
    ConsolePublisher* p = publisherOf(text);
    if (!p) return FALSE;
    p->edit.GotoPos(p->position(offset));
    return TRUE;
}

gint selectionCount(AtkText* text) {
    const ConsolePublisher* p = publisherOf(text);
    return p && p->edit.GetSelectionStart() != p->edit.GetSelectionEnd() ? 1 : 0;
}

gchar* selection(AtkText* text, gint index, gint* start, gint* end) {
    *start = *end = 0;
    if (index != 0 || selectionCount(text) == 0) return nullptr;
    const ConsolePublisher* p = publisherOf(text);
    *start = p->charOffset(p->edit.GetSelectionStart());
    *end = p->charOffset(p->edit.GetSelectionEnd());
    return textBetween(text, *start, *end);
}

gboolean setSelection(AtkText* text, gint index, gint start, gint end) {
    ConsolePublisher* p = publisherOf(text);
    if (!p || index != 0) return FALSE;
    p->edit.SetSelection(p->position(start), p->position(end));
    return TRUE;
}

gboolean addSelection(AtkText* text, gint start, gint end) {
    return selectionCount(text) == 0 && setSelection(text, 0, start, end);
}

gboolean removeSelection(AtkText* text, gint index) {
    ConsolePublisher* p = publisherOf(text);
    if (!p || index != 0 || selectionCount(text) == 0) return FALSE;
    p->edit.SetEmptySelection(p->edit.GetCurrentPos());
    return TRUE;
}

// Screen extents of the character at offset (mouse review and magnifiers).
void characterExtents(AtkText* text, gint offset, gint* x, gint* y, gint* width, gint* height,
                      AtkCoordType coords) {
    *x = *y = *width = *height = 0;
    const ConsolePublisher* p = publisherOf(text);
    if (!p) return;
    const int from = p->position(offset);
    wxPoint point = p->edit.PointFromPosition(from);
    *width = p->edit.PointFromPosition(p->edit.PositionAfter(from)).x - point.x;
    *height = p->edit.TextHeight(p->edit.LineFromPosition(from));
    point = p->edit.ClientToScreen(point);
    if (coords != ATK_XY_SCREEN) point -= wxGetTopLevelParent(&p->edit)->GetScreenPosition();
    *x = point.x;
    *y = point.y;
}

void consoleAccessibleTextInit(AtkTextIface* iface) {
    iface->get_text = textBetween;
    iface->get_character_at_offset = characterAt;
    iface->get_character_count = characterCount;
    iface->get_text_at_offset = textAt;
    iface->get_text_before_offset = textBefore;
    iface->get_text_after_offset = textAfter;
    iface->get_caret_offset = caretOffset;
    iface->set_caret_offset = setCaretOffset;
    iface->get_n_selections = selectionCount;
    iface->get_selection = selection;
    iface->add_selection = addSelection;
    iface->remove_selection = removeSelection;
    iface->set_selection = setSelection;
    iface->get_character_extents = characterExtents;
}

// ---- Creation on first request ----------------------------------------------------------------------

void announceChange(ConsolePublisher& p, wxStyledTextEvent& event);
void announceCaret(ConsolePublisher& p, wxStyledTextEvent& event);

AtkObject* widgetAccessible(GtkWidget* widget) {
    auto* p = static_cast<ConsolePublisher*>(g_object_get_qdata(G_OBJECT(widget), kPublisherQuark));
    if (!p) return s_classGetAccessible(widget);
    if (!p->accessible) {
        AtkObject* object = ATK_OBJECT(g_object_new(console_accessible_get_type(), "widget", widget, nullptr));
        p->accessible = asConsole(object);
        p->accessible->publisher = p;
        atk_object_initialize(object, widget);
        atk_object_set_name(object, p->name.data());
        p->countCharacters();
        p->caretOffset = p->charOffset(p->edit.GetCurrentPos());
        // Changes are followed from now on; deletions are announced before they happen, while the text
        // that goes can still be read.
        p->edit.SetModEventMask(p->edit.GetModEventMask() | wxSTC_MOD_BEFOREDELETE);
        p->edit.Bind(wxEVT_STC_MODIFIED, [p](wxStyledTextEvent& event) { announceChange(*p, event); });
        p->edit.Bind(wxEVT_STC_UPDATEUI, [p](wxStyledTextEvent& event) { announceCaret(*p, event); });
    }
    return ATK_OBJECT(p->accessible);
}

// ---- Announcements ----------------------------------------------------------------------------------

void announceChange(ConsolePublisher& p, wxStyledTextEvent& event) {
    event.Skip();
    if (!p.accessible) return;
    const int type = event.GetModificationType();
    const char* signal = (type & wxSTC_MOD_INSERTTEXT)    ? "text-changed::insert"
                         : (type & wxSTC_MOD_BEFOREDELETE) ? "text-changed::delete"
                                                           : nullptr;
    if (!signal) return;
    const int position = event.GetPosition();
    const int length = p.edit.CountCharacters(position, position + event.GetLength());
    const bool inserted = type & wxSTC_MOD_INSERTTEXT;
    if (inserted) p.characters += length;
    const int offset = p.charOffset(position);
    if (!inserted) p.characters -= length;
    g_signal_emit_by_name(p.accessible, signal, offset, length);
}

void announceCaret(ConsolePublisher& p, wxStyledTextEvent& event) {
    event.Skip();
    if (!p.accessible || !(event.GetUpdated() & wxSTC_UPDATE_SELECTION)) return;
    int start = p.edit.GetSelectionStart(), end = p.edit.GetSelectionEnd();
    if (start == end) start = end = 0;
    if (start != p.selectionStart || end != p.selectionEnd) {
        p.selectionStart = start;
        p.selectionEnd = end;
        g_signal_emit_by_name(p.accessible, "text-selection-changed");
    }
    const int offset = p.charOffset(p.edit.GetCurrentPos());
    if (offset == p.caretOffset) return;
    p.caretOffset = offset;
    g_signal_emit_by_name(p.accessible, "text-caret-moved", offset);
}

// The control is being destroyed: its object stays valid for clients still holding it, but answers for an
// empty text from now on, and no more changes are announced. The record itself goes with the bindings.
void forget(ConsolePublisher& p, wxWindowDestroyEvent& event) {
    event.Skip();
    if (event.GetEventObject() != &p.edit) return;
    g_object_set_qdata(G_OBJECT(p.widget), kPublisherQuark, nullptr);
    if (!p.accessible) return;
    p.accessible->publisher = nullptr;
    gtk_accessible_set_widget(GTK_ACCESSIBLE(p.accessible), nullptr);
    g_object_unref(p.accessible);
    p.accessible = nullptr;
}

}  // namespace

void publishConsoleText(wxStyledTextCtrl& console, const wxString& name) {
    GtkWidget* widget = console.m_wxwindow ? console.m_wxwindow : console.m_widget;
    GtkWidgetClass* widgetClass = GTK_WIDGET_GET_CLASS(widget);
    if (widgetClass->get_accessible != widgetAccessible) {
        s_classGetAccessible = widgetClass->get_accessible;
        widgetClass->get_accessible = widgetAccessible;
    }
    std::shared_ptr<ConsolePublisher> publisher(new ConsolePublisher{console, name.utf8_str(), widget});
    // The scrolled frame around the text area carries the same name.
    if (console.m_widget != widget)
        atk_object_set_name(gtk_widget_get_accessible(console.m_widget), publisher->name.data());
    g_object_set_qdata(G_OBJECT(widget), kPublisherQuark, publisher.get());
    console.Bind(wxEVT_DESTROY, [publisher](wxWindowDestroyEvent& event) { forget(*publisher, event); });
}
