// SPDX-License-Identifier: MIT
// The styled editor's look record and styles, the message box and the real-number field, under Xvfb.
#include <array>
#include <memory>
#include <string>

#include <wx/textctrl.h>
#include <wx/valtext.h>

#include "libs/ui/real_edit.h"
#include "tests/console_test_fixture.h"

namespace {

using ConsoleStyles = ConsoleTest;

TEST(EditorPrefs, DefaultsFollowTheStyleTable) {
    const EditorPrefs prefs;
    EXPECT_TRUE(prefs.highlight);
    EXPECT_EQ(prefs.tabWidth, 3);
    EXPECT_EQ(prefs.edgeColumn, 120);
    EXPECT_EQ(prefs.markerColors, (std::array<std::uint32_t, 4>{0x00B1E6, 0x009700, 0xC24230, 0x0000FF}));
    const struct {
        int entry;
        std::uint32_t foreground, background;
        int fontStyle;
    } rows[] = {{0, 0x202020, 0xFFFFFF, 0}, {4, 0x808000, 0xFFFFFF, 0}, {5, 0xC00000, 0xFFFFFF, 1},
                {10, 0xFF0080, 0xFFFFFF, 0}, {20, 0x827E3E, 0xECECEC, 0}, {22, 0x202020, 0xF6D0AB, 0}};
    for (const auto& row : rows) {
        EXPECT_EQ(prefs.styles[row.entry].foreground, row.foreground) << row.entry;
        EXPECT_EQ(prefs.styles[row.entry].background, row.background) << row.entry;
        EXPECT_EQ(prefs.styles[row.entry].fontStyle, row.fontStyle) << row.entry;
    }
    for (int i = 0; i < EditorPrefs::kStyleCount; ++i) {
        EXPECT_EQ(prefs.styles[i].id, i);
        EXPECT_EQ(prefs.styles[i].lexerStyle, i);
        EXPECT_EQ(prefs.styles[i].getFaceName(), L"Consolas");
        EXPECT_EQ(prefs.styles[i].size, 10);
    }
}

TEST(EditorPrefs, CopyGivesLexerEntriesTheDefaultBackground) {
    EditorPrefs source;
    const std::uint32_t backgrounds[][2] = {{0, 0x102030}, {5, 0xAAAAAA}, {23, 0xBBBBBB},
                                            {20, 0x111111}, {21, 0x222222}, {22, 0x333333}};
    for (const auto& entry : backgrounds) source.styles[entry[0]].background = entry[1];
    source.tabWidth = 7;
    EditorPrefs copy;
    copy = source;
    const EditorPrefs constructed(source);
    EXPECT_EQ(copy.tabWidth, 7);
    const std::uint32_t expected[][2] = {{5, 0x102030},  {19, 0x102030}, {23, 0x102030},
                                         {20, 0x111111}, {21, 0x222222}, {22, 0x333333}};
    for (const auto& entry : expected) {
        EXPECT_EQ(copy.styles[entry[0]].background, entry[1]) << entry[0];
        EXPECT_EQ(constructed.styles[entry[0]].background, entry[1]) << entry[0];
    }
}

TEST(EditorPrefs, ShiftColorClampsEachChannel) {
    EXPECT_EQ(shiftColor(0xFFFFFF, -4), 0xFBFBFBu);
    EXPECT_EQ(shiftColor(0x02FF10, 4), 0x06FF14u);
    EXPECT_EQ(shiftColor(0x02FF10, -40), 0x00D700u);
}

TEST_F(ConsoleStyles, ApplyPreferencesShiftsTheBackgroundAndForcesConsoleSwitches) {
    EditorPrefs prefs;
    prefs.wrap = true;
    prefs.viewEol = true;
    prefs.lineSpacing = 3;
    prefs.foldMargin = true;
    EXPECT_TRUE(console->ApplyPreferences(prefs, true));
    EditorPrefs stored;
    console->GetPreferences(stored);
    EXPECT_FALSE(stored.wrap || stored.viewEol || stored.foldMargin);
    EXPECT_EQ(stored.lineSpacing, 0);
    EXPECT_EQ(stored.styles[0].background, 0xFBFBFBu);
    EXPECT_EQ(console->StyleGetBackground(wxSTC_STYLE_DEFAULT), wxColour(0xFB, 0xFB, 0xFB));
    EXPECT_EQ(console->GetCaretLineBackground(), wxColour(0xFB, 0xFB, 0xFB));
    EXPECT_EQ(console->GetWrapMode(), wxSTC_WRAP_NONE);
    EXPECT_FALSE(console->GetViewEOL());
    EXPECT_EQ(console->GetEdgeMode(), wxSTC_EDGE_NONE);
    EXPECT_EQ(console->GetExtraAscent(), 1);
    EXPECT_EQ(console->GetExtraDescent(), 1);
    EXPECT_EQ(console->GetLexer(), wxSTC_LEX_LUA);
    EXPECT_FALSE(console->SetLanguage(CodeEdit::kLanguageNone));
    EXPECT_EQ(console->GetLexer(), wxSTC_LEX_NULL);
    EXPECT_FALSE(console->SetLanguage(3));
    EXPECT_TRUE(console->SetLanguage(CodeEdit::kLanguageLua));
    EXPECT_EQ(console->GetLexer(), wxSTC_LEX_LUA);
    // A dark record: the background grows lighter.
    prefs.styles[0].foreground = 0xE0E0E0;
    prefs.styles[0].background = 0x202020;
    console->ApplyPreferences(prefs, false);
    console->GetPreferences(stored);
    EXPECT_EQ(stored.styles[0].background, 0x242424u);
}

TEST_F(ConsoleStyles, HighlightingColoursFunctionsNumbersAndOperatorsOrNothing) {
    EXPECT_TRUE(console->StyleGetBold(5));
    EXPECT_FALSE(console->StyleGetBold(0));
    EXPECT_EQ(console->StyleGetForeground(4), CodeEdit::toColour(0x808000));
    EXPECT_EQ(console->StyleGetSize(33), 9);
    // The face: Consolas when installed, else a fixed-pitch substitute.
    EXPECT_EQ(console->StyleGetFaceName(0), CodeEdit::resolveFixedFace(wxS("Consolas")));
    gui::typeText(console, wxS("sqrt(16)+1"));
    console->Colourise(0, -1);
    EXPECT_EQ(console->GetStyleAt(0), 5);   // function name
    EXPECT_EQ(console->GetStyleAt(4), 10);  // operator
    EXPECT_EQ(console->GetStyleAt(5), 4);   // number
    console->SetHighlighting(false);
    EXPECT_FALSE(console->GetHighlighting());
    for (int style = 0; style <= 20; ++style) {
        EXPECT_EQ(console->StyleGetForeground(style), console->StyleGetForeground(0)) << style;
        EXPECT_FALSE(console->StyleGetBold(style)) << style;
    }
    EXPECT_EQ(console->StyleGetBackground(wxSTC_STYLE_BRACELIGHT), console->StyleGetBackground(0));
    EXPECT_FALSE(console->StyleGetBold(wxSTC_STYLE_BRACELIGHT));
    EXPECT_EQ(console->StyleGetForeground(wxSTC_STYLE_BRACEBAD), console->StyleGetForeground(0));
    console->SetHighlighting(true);
    EXPECT_EQ(console->StyleGetBackground(wxSTC_STYLE_BRACELIGHT), CodeEdit::toColour(0xF6D0AB));
    EXPECT_TRUE(console->StyleGetBold(5));
    // The bold bracket face is taken when a bracket is lit.
    console->GotoPos(4);
    gui::pump(100);
    EXPECT_TRUE(console->StyleGetBold(wxSTC_STYLE_BRACELIGHT));
    EXPECT_TRUE(console->StyleGetBold(wxSTC_STYLE_BRACEBAD));
}

TEST_F(ConsoleStyles, OnlyBracketsOnTheLastLineAreHighlighted) {
    const auto braceLit = [this](int caret) {
        console->GotoPos(caret < 0 ? console->GetLength() : caret);
        gui::pump(100);
        return gui::countPixels(gui::grab(console), CodeEdit::toColour(0xF6D0AB));  // the selection background
    };
    gui::typeText(console, wxS("(1+2)"));
    EXPECT_GT(braceLit(-1), 20);
    console->SetHighlighting(false);
    EXPECT_EQ(braceLit(-1), 0);
    console->SetHighlighting(true);
    gui::sendKey(console, WXK_RETURN);
    EXPECT_EQ(braceLit(5), 0);
    EXPECT_EQ(braceLit(0), 0);
}

TEST_F(ConsoleStyles, ApplyStyleIgnoresSizesOutsideFourToNinetySix) {
    console->ApplyStyle(7, 0x0000FF, 0xFFFFFF, 14, wxS("Consolas"), 6, 1);
    EXPECT_EQ(console->StyleGetSize(7), 14);
    EXPECT_FALSE(console->StyleGetBold(7));
    EXPECT_TRUE(console->StyleGetItalic(7));
    EXPECT_TRUE(console->StyleGetUnderline(7));
    EXPECT_EQ(console->StyleGetCase(7), 1);
    console->ApplyStyle(7, 0x0000FF, 0xFFFFFF, 200, wxS("Consolas"), 8, 0);
    EXPECT_EQ(console->StyleGetSize(7), 14);
    EXPECT_FALSE(console->StyleGetVisible(7));
    console->ApplyStyle(7, 0x0000FF, 0xFFFFFF, 3, wxS("Consolas"), 0, 0);
    EXPECT_EQ(console->StyleGetSize(7), 14);
}

TEST(CodeEdit, AppliesTheWholeRecord) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, wxS("CodeEdit"), wxDefaultPosition, wxSize(400, 200));
    auto* edit = new CodeEdit(frame, wxID_ANY);
    frame->Show();
    EXPECT_EQ(edit->GetCodePage(), wxSTC_CP_UTF8);
    for (int margin = 0; margin < 4; ++margin) EXPECT_EQ(edit->GetMarginWidth(margin), 0);
    EditorPrefs prefs;
    prefs.lineSpacing = 2;
    prefs.tabWidth = 5;
    prefs.useTabs = false;
    EXPECT_TRUE(edit->SetPreferences(prefs, true));
    EXPECT_EQ(edit->GetMarginWidth(0), edit->TextWidth(wxSTC_STYLE_LINENUMBER, wxS("-0000")));
    EXPECT_EQ(edit->GetMarginWidth(1) + edit->GetMarginWidth(2), 0);
    EXPECT_EQ(edit->GetEdgeMode(), wxSTC_EDGE_LINE);
    EXPECT_EQ(edit->GetEdgeColumn(), 120);
    EXPECT_EQ(edit->GetEdgeColour(), CodeEdit::toColour(shiftColor(0xF2EDEA, -40)));
    EXPECT_EQ(edit->GetTabWidth(), 5);
    EXPECT_EQ(edit->GetIndent(), 5);
    EXPECT_FALSE(edit->GetUseTabs());
    EXPECT_GT(edit->GetExtraAscent(), 3);  // h/4 + 3 with h the height of "Qy"
    EXPECT_EQ(edit->GetExtraAscent(), edit->GetExtraDescent());
    EXPECT_EQ(edit->StyleGetSize(wxSTC_STYLE_LINENUMBER), 9);
    EXPECT_EQ(edit->StyleGetBackground(wxSTC_STYLE_LINENUMBER), CodeEdit::toColour(0xECECEC));
    EXPECT_EQ(edit->GetCaretLineBackground(), CodeEdit::toColour(0xF2EDEA));
    EXPECT_EQ(edit->AutoCompGetSeparator(), '|');
    EXPECT_TRUE(edit->AutoCompGetChooseSingle() && !edit->AutoCompGetIgnoreCase());
    EXPECT_EQ(edit->GetLexer(), wxSTC_LEX_LUA);
    edit->UpdatePromptMargin();
    EXPECT_EQ(edit->GetMarginWidth(3), edit->TextWidth(wxSTC_STYLE_DEFAULT, wxS(">")) + 2);
    // The other value of every switch reaches the control too; each wider line spacing adds room.
    prefs.lineNumbers = prefs.longLineEdge = prefs.autoIndent = prefs.promptMargin = false;
    prefs.wrap = prefs.viewWhitespace = prefs.indentGuides = true;
    int extra = 0;
    for (const int spacing : {0, 1, 2, 3}) {
        prefs.lineSpacing = spacing;
        EXPECT_TRUE(edit->SetPreferences(prefs, true));
        EXPECT_GT(edit->GetExtraAscent(), extra) << spacing;
        extra = edit->GetExtraAscent();
    }
    edit->UpdatePromptMargin();
    EXPECT_EQ(edit->GetMarginWidth(0) + edit->GetMarginWidth(3), 0);
    EXPECT_EQ(edit->GetEdgeMode(), wxSTC_EDGE_NONE);
    EXPECT_EQ(edit->GetIndent(), 0);
    EXPECT_EQ(edit->GetWrapMode(), wxSTC_WRAP_WORD);
    EXPECT_EQ(edit->GetViewWhiteSpace(), wxSTC_WS_VISIBLEALWAYS);
    EXPECT_EQ(edit->GetIndentationGuides(), wxSTC_IV_LOOKBOTH);
    frame->Destroy();
    gui::pump();
}

TEST_F(ConsoleStyles, AlwaysShowCaretKeepsTheCaretWhileAnotherWindowHasTheFocus) {
    auto* other = new wxFrame(frame, wxID_ANY, wxS("NumKeypad"), wxPoint(600, 50), wxSize(200, 100));
    auto* field = new wxTextCtrl(other, wxID_ANY);
    other->Show();
    console->setAlwaysShowCaret(true);
    gui::focus(field);
    gui::pump(100);
    EXPECT_NE(wxWindow::FindFocus(), console);
    EXPECT_TRUE(console->GetSTCFocus());
    EXPECT_TRUE(console->GetCaretLineVisibleAlways());
    console->setAlwaysShowCaret(false);
    EXPECT_FALSE(console->GetSTCFocus());
    other->Destroy();
    gui::pump();
}

TEST(DelvoMessageBox, NativeDialogShowsTheLabelsAndMapsTheAnswer) {
    // The real GTK dialog, answered by a timer through GTK itself; a second timer keeps it from blocking.
    constexpr int kYes = gui::kGtkResponseYes, kNo = gui::kGtkResponseNo, kOk = gui::kGtkResponseOk,
                  kCancel = gui::kGtkResponseCancel, kClosed = gui::kGtkResponseDeleteEvent;
    const struct {
        const char* caption;
        long style;  // 0x48A yes/no, 0x104 OK, 0x1A yes/no/cancel, 0x14 OK/cancel, 0x4 OK
        const char* labels[3];
        int response, expected;
        int shownFirst, shownSecond;  // the buttons whose labels are read
        const char* shown;
    } rows[] = {
        {"Quarn", 0x48A, {"Reset", "Cancel", ""}, kYes, wxYES, kYes, kNo, "Reset|Cancel"},
        {"Quarn", 0x48A, {"", "", ""}, kClosed, wxNO, kYes, kNo, "_Yes|_No"},  // closing a yes/no box means no
        {"DelvoCalculator", 0x104, {"", "", ""}, kOk, wxOK, kOk, kOk, "_OK|_OK"},
        {"Save", 0x1A, {"Save", "Discard", "Back"}, kNo, wxNO, kYes, kCancel, "Save|Back"},
        {"Save", 0x1A, {"Save", "Discard", ""}, kCancel, wxCANCEL, kYes, kNo, "Save|Discard"},
        {"Ask", 0x14, {"Go", "", ""}, kOk, wxOK, kOk, kCancel, "Go|Cancel"},
        {"Ask", 0x14, {"", "Stop", ""}, kClosed, wxCANCEL, kOk, kCancel, "OK|Stop"},
        {"Note", 0x4, {"Understood", "", ""}, kOk, wxOK, kOk, kOk, "Understood|Understood"},
    };
    // The row whose dialog is up: a late safety timer leaves later rows, and later tests, alone.
    const auto shown = std::make_shared<int>(0);
    for (const auto& row : rows) {
        const int index = ++*shown;
        std::string first, second;
        gui::after(300, [&] {
            first = gui::gtkDialogButtonLabel(row.caption, row.shownFirst);
            second = gui::gtkDialogButtonLabel(row.caption, row.shownSecond);
            gui::gtkDialogRespond(row.caption, row.response);
        });
        gui::after(4000, [shown, index, caption = row.caption] {
            if (*shown == index) gui::gtkDialogRespond(caption, gui::kGtkResponseDeleteEvent);
        });
        EXPECT_EQ(DelvoMessageBox(wxS("Reset Math Console?"), row.caption, row.style, nullptr,
                                  wxString::FromUTF8(row.labels[0]), wxString::FromUTF8(row.labels[1]),
                                  wxString::FromUTF8(row.labels[2])),
                  row.expected)
            << row.caption << " " << row.response;
        EXPECT_EQ(first + "|" + second, row.shown) << row.caption << " " << row.response;
        gui::pump(50);
    }
    *shown = 0;
}

TEST(RealEdit, ReadsNumbersWithAFullStop) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, wxS("RealEdit"));
    auto* edit = new RealEdit(frame, wxID_ANY, wxS(" 3.25 "));
    EXPECT_DOUBLE_EQ(edit->GetValueReal(), 3.25);
    EXPECT_TRUE(edit->IsValueReal());
    edit->ChangeValue(wxS("-1.5e3"));
    EXPECT_DOUBLE_EQ(edit->GetValueReal(), -1500);
    edit->ChangeValue(wxS("abc"));
    EXPECT_DOUBLE_EQ(edit->GetValueReal(), 0);
    EXPECT_FALSE(edit->IsValueReal());
    // The shortest text of 15 to 17 digits that reads back to the same double.
    for (const auto& [value, text] : {std::pair{0.1, "0.1"}, std::pair{1.0 / 3, "0.3333333333333333"},
                                      std::pair{0.1 + 0.2, "0.30000000000000004"}}) {
        edit->SetValueReal(value);
        EXPECT_EQ(edit->GetValue(), wxString(text));
        EXPECT_EQ(edit->GetValueReal(), value);
    }
    // A caller's own validator is kept.
    auto* free = new RealEdit(frame, wxID_ANY, wxS(""), wxDefaultPosition, wxDefaultSize, 0,
                              wxTextValidator(wxFILTER_NONE));
    const auto* validator = dynamic_cast<const wxTextValidator*>(free->GetValidator());
    ASSERT_NE(validator, nullptr);
    EXPECT_EQ(validator->GetStyle(), static_cast<long>(wxFILTER_NONE));
    frame->Destroy();
    gui::pump();
}

}  // namespace
