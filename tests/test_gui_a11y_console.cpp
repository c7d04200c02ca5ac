// SPDX-License-Identifier: MIT
// The console's ATK object, asked in the process the way GTK's accessibility bridge asks it: offsets in
// characters over UTF-8 text, lines, selection and caret, and the changes it announces.
#include <string>
#include <vector>

#include <gtk/gtk.h>
#include <wx/panel.h>

#include "tests/console_test_fixture.h"

namespace {

struct Change {
    std::string kind;
    int offset;
    int length;
};

template <char kind>
void record(AtkText*, gint offset, gint length, gpointer changes) {
    static_cast<std::vector<Change>*>(changes)->push_back({kind == 'i' ? "insert" : "delete", offset, length});
}

// The accessibility bridge still answers its clients' text-at/before/after-offset requests through these calls.
G_GNUC_BEGIN_IGNORE_DEPRECATIONS
using UnitReader = gchar* (*)(AtkText*, gint, AtkTextBoundary, gint*, gint*);
const UnitReader textAtOffset = atk_text_get_text_at_offset;
const UnitReader textBeforeOffset = atk_text_get_text_before_offset;
const UnitReader textAfterOffset = atk_text_get_text_after_offset;
G_GNUC_END_IGNORE_DEPRECATIONS

std::string owned(gchar* text) {
    std::string copy = text ? text : "";
    g_free(text);
    return copy;
}

}  // namespace

class ConsoleAccessibleText : public ConsoleTest {
protected:
    AtkObject* accessible() const { return gtk_widget_get_accessible(console->m_wxwindow); }
    AtkText* text() const { return ATK_TEXT(accessible()); }
};

TEST_F(ConsoleAccessibleText, IsANamedTextAreaAndLeavesOtherWindowsAlone) {
    ASSERT_TRUE(ATK_IS_TEXT(accessible()));
    EXPECT_EQ(atk_object_get_role(accessible()), ATK_ROLE_TEXT);
    EXPECT_STREQ(atk_object_get_name(accessible()), "Console");
    // Another window of the same widget class keeps the toolkit's own object.
    auto* panel = new wxPanel(frame);
    EXPECT_FALSE(ATK_IS_TEXT(gtk_widget_get_accessible(panel->m_wxwindow)));
}

TEST_F(ConsoleAccessibleText, OffsetsCountCharactersOverUtf8) {
    console->ClearConsole();
    console->AppendText(wxString::FromUTF8("π≈3.14159\nµ = 2e-6\n"));
    AtkText* atk = text();
    ASSERT_EQ(atk_text_get_character_count(atk), 19);
    const struct {
        int offset;
        AtkTextBoundary boundary;
        const char* piece;
        int start, end;
    } rows[] = {
        {1, ATK_TEXT_BOUNDARY_CHAR, "≈", 1, 2},
        {4, ATK_TEXT_BOUNDARY_WORD_START, "3.14159\n", 2, 10},
        {12, ATK_TEXT_BOUNDARY_LINE_START, "µ = 2e-6\n", 10, 19},
        {12, ATK_TEXT_BOUNDARY_LINE_END, "\nµ = 2e-6", 9, 18},
        {19, ATK_TEXT_BOUNDARY_LINE_START, "", 19, 19},  // the empty input line at the end
    };
    for (const auto& row : rows) {
        int start = -1, end = -1;
        EXPECT_EQ(owned(textAtOffset(atk, row.offset, row.boundary, &start, &end)), row.piece)
            << "offset " << row.offset;
        EXPECT_EQ(start, row.start) << "offset " << row.offset;
        EXPECT_EQ(end, row.end) << "offset " << row.offset;
    }
    EXPECT_EQ(atk_text_get_character_at_offset(atk, 10), 0xB5u);
    EXPECT_EQ(owned(atk_text_get_text(atk, 1, 4)), "≈3.");
    // Selection and caret set through the object land on the same characters in the console.
    ASSERT_TRUE(atk_text_set_selection(atk, 0, 1, 3));
    EXPECT_EQ(console->GetSelectedText(), wxString::FromUTF8("≈3"));
    int start = -1, end = -1;
    EXPECT_EQ(owned(atk_text_get_selection(atk, 0, &start, &end)), "≈3");
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 3);
    ASSERT_TRUE(atk_text_set_caret_offset(atk, 11));
    EXPECT_EQ(console->GetTextRange(0, console->GetCurrentPos()), wxString::FromUTF8("π≈3.14159\nµ"));
    EXPECT_EQ(atk_text_get_caret_offset(atk), 11);
}

// Reading on from a unit, and questions at and beyond the text's ends: the neighbouring unit, an empty piece
// at either end, offsets clamped to the text.
TEST_F(ConsoleAccessibleText, NeighbouringUnitsAndTheEndsOfTheText) {
    console->ClearConsole();
    console->AppendText(wxString::FromUTF8("π≈3.14159\nµ = 2e-6\n"));
    AtkText* atk = text();
    const struct {
        UnitReader read;
        int offset;
        AtkTextBoundary boundary;
        const char* piece;
        int start, end;
    } rows[] = {
        {textBeforeOffset, 4, ATK_TEXT_BOUNDARY_WORD_START, "≈", 1, 2},
        {textAfterOffset, 4, ATK_TEXT_BOUNDARY_WORD_START, "µ ", 10, 12},
        {textAfterOffset, 4, ATK_TEXT_BOUNDARY_WORD_END, "\nµ", 9, 11},
        {textBeforeOffset, 12, ATK_TEXT_BOUNDARY_LINE_START, "π≈3.14159\n", 0, 10},
        {textBeforeOffset, 4, ATK_TEXT_BOUNDARY_LINE_START, "", 0, 0},
        {textAfterOffset, 12, ATK_TEXT_BOUNDARY_LINE_START, "", 19, 19},
        {textAtOffset, -5, ATK_TEXT_BOUNDARY_CHAR, "π", 0, 1},
        {textAtOffset, 100, ATK_TEXT_BOUNDARY_CHAR, "", 19, 19},
    };
    for (const auto& row : rows) {
        int start = -1, end = -1;
        EXPECT_EQ(owned(row.read(atk, row.offset, row.boundary, &start, &end)), row.piece) << "offset " << row.offset;
        EXPECT_EQ(start, row.start) << "offset " << row.offset;
        EXPECT_EQ(end, row.end) << "offset " << row.offset;
    }
    EXPECT_EQ(owned(atk_text_get_text(atk, 0, -1)), "π≈3.14159\nµ = 2e-6\n");
    EXPECT_EQ(owned(atk_text_get_text(atk, 4, 2)), "");
    for (const int offset : {-1, 19}) EXPECT_EQ(atk_text_get_character_at_offset(atk, offset), 0u) << offset;

    // One selection at most: added when there is none, removed leaving the caret where it was.
    ASSERT_TRUE(atk_text_add_selection(atk, 2, 9));
    EXPECT_EQ(console->GetSelectedText(), wxS("3.14159"));
    EXPECT_FALSE(atk_text_add_selection(atk, 0, 1));
    EXPECT_FALSE(atk_text_set_selection(atk, 1, 0, 1));
    int start = -1, end = -1;
    EXPECT_EQ(atk_text_get_selection(atk, 1, &start, &end), nullptr);
    EXPECT_FALSE(atk_text_remove_selection(atk, 1));
    const int caret = console->GetCurrentPos();
    ASSERT_TRUE(atk_text_remove_selection(atk, 0));
    EXPECT_EQ(atk_text_get_n_selections(atk), 0);
    EXPECT_EQ(console->GetCurrentPos(), caret);
    EXPECT_FALSE(atk_text_remove_selection(atk, 0));

    // Extents step over whole characters: "≈" starts where "π" ends, "µ" opens the next line.
    struct Box {
        int x, y, width, height;
    };
    const auto extents = [atk](int offset, AtkCoordType coords) {
        Box box{-1, -1, -1, -1};
        atk_text_get_character_extents(atk, offset, &box.x, &box.y, &box.width, &box.height, coords);
        return box;
    };
    const Box pi = extents(0, ATK_XY_SCREEN), approx = extents(1, ATK_XY_SCREEN), mu = extents(10, ATK_XY_SCREEN);
    EXPECT_GT(pi.width, 0);
    EXPECT_EQ(pi.height, console->TextHeight(0));
    EXPECT_EQ(approx.x, pi.x + pi.width);
    EXPECT_EQ(approx.y, pi.y);
    EXPECT_EQ(mu.x, pi.x);
    EXPECT_EQ(mu.y, pi.y + pi.height);
    const Box inWindow = extents(0, ATK_XY_WINDOW);
    EXPECT_EQ(wxPoint(inWindow.x, inWindow.y), wxPoint(pi.x, pi.y) - frame->GetScreenPosition());

    // A word that reaches beyond the lines read around the offset is read whole.
    console->ClearConsole();
    console->AppendText(wxS("x\n\n\n\n\n\ny"));
    EXPECT_EQ(owned(textAtOffset(atk, 4, ATK_TEXT_BOUNDARY_WORD_START, &start, &end)), "x\n\n\n\n\n\n");
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 7);
}

// A client may hold the object after the console is gone: it answers for an empty text and changes nothing.
TEST_F(ConsoleAccessibleText, AnswersForAnEmptyTextOnceTheConsoleIsGone) {
    AtkObject* object = accessible();
    g_object_ref(object);
    AtkText* atk = ATK_TEXT(object);
    console->Destroy();
    gui::pump();
    EXPECT_EQ(atk_text_get_character_count(atk), 0);
    EXPECT_EQ(owned(atk_text_get_text(atk, 0, -1)), "");
    EXPECT_EQ(atk_text_get_character_at_offset(atk, 0), 0u);
    int start = -1, end = -1;
    EXPECT_EQ(owned(textAtOffset(atk, 0, ATK_TEXT_BOUNDARY_LINE_START, &start, &end)), "");
    EXPECT_EQ(start + end, 0);
    EXPECT_EQ(atk_text_get_caret_offset(atk), 0);
    EXPECT_FALSE(atk_text_set_caret_offset(atk, 1));
    EXPECT_EQ(atk_text_get_n_selections(atk), 0);
    EXPECT_FALSE(atk_text_set_selection(atk, 0, 0, 1));
    EXPECT_FALSE(atk_text_remove_selection(atk, 0));
    int x = -1, y = -1, width = -1, height = -1;
    atk_text_get_character_extents(atk, 0, &x, &y, &width, &height, ATK_XY_SCREEN);
    EXPECT_EQ(x | y | width | height, 0);
    AtkStateSet* states = atk_object_ref_state_set(object);
    EXPECT_FALSE(atk_state_set_contains_state(states, ATK_STATE_EDITABLE));
    g_object_unref(states);
    g_object_unref(object);
}

TEST_F(ConsoleAccessibleText, AnnouncesRepliesAndClearingInCharacters) {
    console->ClearConsole();
    console->AppendText(wxString::FromUTF8("µ\n"));  // two bytes, one character, before everything else
    std::vector<Change> changes;
    g_signal_connect(accessible(), "text-changed::insert", G_CALLBACK(record<'i'>), &changes);
    g_signal_connect(accessible(), "text-changed::delete", G_CALLBACK(record<'d'>), &changes);

    enter(wxS("6*7"));
    const std::wstring all = console->GetText().ToStdWstring();
    ASSERT_EQ(all, L"\u00b5\n6*7\n42\n");
    // Every insertion names the characters it added, at the place they now stand; the reply is among them.
    std::wstring inserted;
    for (const Change& change : changes) {
        ASSERT_EQ(change.kind, "insert");
        ASSERT_LE(change.offset + change.length, static_cast<int>(all.size()));
        inserted += all.substr(change.offset, change.length);
    }
    EXPECT_NE(inserted.find(L"42"), std::wstring::npos);
    EXPECT_EQ(changes.front().offset, 2);  // the first typed character, after "µ\n"

    changes.clear();
    console->ClearConsole();
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.front().kind, "delete");
    EXPECT_EQ(changes.front().offset, 0);
    EXPECT_EQ(changes.front().length, static_cast<int>(all.size()));
}
