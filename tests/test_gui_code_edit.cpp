// SPDX-License-Identifier: MIT
// The styled editor (spec Part 3.2), and the message box and real field (1.3), as real controls under Xvfb.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>

#include "console/code_edit.h"
#include "console/console_edit.h"
#include "console/editor_prefs.h"
#include "libs/graph/delvo_message_box.h"
#include "libs/graph/real_edit.h"
#include "tests/console_test_fixture.h"
#include "tests/gui_test_support.h"

namespace {

// ---- Part 3.2: the styled editor -----------------------------------------------------------------------

TEST(Part3_2_EditorPrefs, DefaultsFollowTheTable) {  // Spec 3.2
    const EditorPrefs prefs;
    EXPECT_TRUE(prefs.highlight);
    EXPECT_EQ(prefs.tabWidth, 3);
    EXPECT_EQ(prefs.edgeColumn, 120);
    EXPECT_EQ(prefs.markerColors, (std::array<std::uint32_t, 4>{0x00B1E6, 0x009700, 0xC24230, 0x0000FF}));
    EXPECT_EQ(prefs.styles[0].foreground, 0x202020u);
    EXPECT_EQ(prefs.styles[4].foreground, 0x808000u);
    EXPECT_EQ(prefs.styles[5].fontStyle, 1);
    EXPECT_EQ(prefs.styles[10].foreground, 0xFF0080u);
    EXPECT_EQ(prefs.styles[20].background, 0xECECECu);
    EXPECT_EQ(prefs.styles[22].background, 0xF6D0ABu);
    for (int i = 0; i < EditorPrefs::kStyleCount; ++i) {
        EXPECT_EQ(prefs.styles[i].id, i);
        EXPECT_EQ(prefs.styles[i].lexerStyle, i);
        EXPECT_EQ(prefs.styles[i].getFaceName(), L"Consolas");
        EXPECT_EQ(prefs.styles[i].size, 10);
    }
}

TEST(Part3_2_EditorPrefs, CopyKeepsSelectionButLexerEntriesTakeTheDefaultBackground) {  // Spec 3.2
    EditorPrefs source;
    source.styles[0].background = 0x102030;
    source.styles[5].background = 0xAAAAAA;
    source.styles[23].background = 0xBBBBBB;
    source.styles[20].background = 0x111111;
    source.styles[21].background = 0x222222;
    source.styles[22].background = 0x333333;
    source.tabWidth = 7;
    EditorPrefs copy;
    copy = source;
    EXPECT_EQ(copy.tabWidth, 7);
    EXPECT_EQ(copy.styles[5].background, 0x102030u);
    EXPECT_EQ(copy.styles[19].background, 0x102030u);
    EXPECT_EQ(copy.styles[23].background, 0x102030u);
    EXPECT_EQ(copy.styles[20].background, 0x111111u);
    EXPECT_EQ(copy.styles[21].background, 0x222222u);
    EXPECT_EQ(copy.styles[22].background, 0x333333u);
    const EditorPrefs constructed(source);
    EXPECT_EQ(constructed.styles[5].background, 0x102030u);
}

TEST(Part3_2_EditorPrefs, ShiftColorClampsEachChannel) {  // Spec 3.2
    EXPECT_EQ(shiftColor(0xFFFFFF, -4), 0xFBFBFBu);
    EXPECT_EQ(shiftColor(0x02FF10, 4), 0x06FF14u);
    EXPECT_EQ(shiftColor(0x02FF10, -40), 0x00D700u);
}

TEST_F(ConsoleTest, ApplyPreferencesShiftsTheBackgroundAndForcesConsoleSwitches) {  // Spec 3.1, 3.2
    EditorPrefs prefs;
    prefs.wrap = true;
    prefs.viewEol = true;
    prefs.lineSpacing = 3;
    prefs.foldMargin = true;
    EXPECT_TRUE(console->ApplyPreferences(prefs, true));
    EditorPrefs stored;
    console->GetPreferences(stored);
    EXPECT_FALSE(stored.wrap);
    EXPECT_FALSE(stored.viewEol);
    EXPECT_FALSE(stored.foldMargin);
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
    // A dark record: the background grows lighter.
    prefs.styles[0].foreground = 0xE0E0E0;
    prefs.styles[0].background = 0x202020;
    console->ApplyPreferences(prefs, false);
    console->GetPreferences(stored);
    EXPECT_EQ(stored.styles[0].background, 0x242424u);
}

TEST_F(ConsoleTest, ConsoleColorsLeaveOnlyNumbersOperatorsAndFunctionsColoured) {  // Spec 3.2
    EditorPrefs prefs;
    console->GetPreferences(prefs);
    applyColorsToPrefs(prefs, 0x000000, 0xFFFFFF, 0xFF0000, 0x800000, 0x808000, 0xFFFF00);
    console->ApplyPreferences(prefs, true);
    const wxColour text(0, 0, 0);
    for (int style : {1, 2, 3, 6, 7, 8, 9, 11, 12, 13, 19}) EXPECT_EQ(console->StyleGetForeground(style), text) << style;
    EXPECT_EQ(console->StyleGetForeground(5), CodeEdit::toColour(0xFF0000));
    EXPECT_EQ(console->StyleGetForeground(10), CodeEdit::toColour(0x800000));
    EXPECT_EQ(console->StyleGetForeground(4), CodeEdit::toColour(0x808000));
    EXPECT_EQ(console->StyleGetBackground(5), CodeEdit::toColour(0xFBFBFB));
    console->GetPreferences(prefs);
    EXPECT_EQ(prefs.styles[22].background, 0xFFFF00u);
}

TEST_F(ConsoleTest, ConsoleFontWeightDecidesBoldness) {  // Spec 3.2
    EditorPrefs prefs;
    console->GetPreferences(prefs);
    applyFontToPrefs(prefs, L"DejaVu Sans Mono", 12, 90, 0x302010);
    console->ApplyPreferences(prefs, true);
    for (int style = 0; style <= 20; ++style) EXPECT_FALSE(console->StyleGetBold(style)) << style;
    EXPECT_EQ(console->StyleGetSize(5), 12);
    EXPECT_EQ(console->StyleGetForeground(0), CodeEdit::toColour(0x302010));
    EXPECT_EQ(console->StyleGetFaceName(5), wxS("DejaVu Sans Mono"));
    applyFontToPrefs(prefs, L"DejaVu Sans Mono", 12, 92, 0x302010);
    console->ApplyPreferences(prefs, true);
    for (int style = 0; style <= 20; ++style) EXPECT_TRUE(console->StyleGetBold(style)) << style;
}

TEST_F(ConsoleTest, DefaultStylesColourFunctionsBold) {  // Spec 3.2
    EXPECT_TRUE(console->StyleGetBold(5));
    EXPECT_FALSE(console->StyleGetBold(0));
    EXPECT_EQ(console->StyleGetForeground(4), CodeEdit::toColour(0x808000));
    EXPECT_EQ(console->StyleGetSize(33), 9);
    // The face: Consolas when installed, else the documented fixed-pitch substitute.
    EXPECT_EQ(console->StyleGetFaceName(0), CodeEdit::resolveFixedFace(wxS("Consolas")));
    gui::typeText(console, wxS("sqrt(16)+1"));
    console->Colourise(0, -1);
    EXPECT_EQ(console->GetStyleAt(0), 5);   // function name
    EXPECT_EQ(console->GetStyleAt(4), 10);  // operator
    EXPECT_EQ(console->GetStyleAt(5), 4);   // number
}

TEST_F(ConsoleTest, HighlightingOffShowsNoBracesAndOneLook) {  // Spec 3.2
    gui::typeText(console, wxS("(1+2)"));
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
    EXPECT_TRUE(console->StyleGetBold(wxSTC_STYLE_BRACELIGHT));
    EXPECT_TRUE(console->StyleGetBold(5));
}

TEST_F(ConsoleTest, BracketsOnTheLastLineAreHighlightedOnlyWithHighlighting) {  // Spec 3.2
    const wxColour braceBackground = CodeEdit::toColour(0xF6D0AB);  // entry 22's background
    gui::typeText(console, wxS("(1+2)"));
    console->DocumentEnd();
    gui::pump(100);
    EXPECT_GT(gui::countPixels(gui::grab(console), braceBackground), 20);
    console->SetHighlighting(false);
    console->DocumentEnd();
    gui::pump(100);
    EXPECT_EQ(gui::countPixels(gui::grab(console), braceBackground), 0);
    // With highlighting on again, a bracket on an earlier line is not matched.
    console->SetHighlighting(true);
    gui::sendKey(console, WXK_RETURN);
    console->GotoPos(5);
    gui::pump(100);
    EXPECT_EQ(gui::countPixels(gui::grab(console), braceBackground), 0);
    console->GotoPos(0);
    gui::pump(100);
    EXPECT_EQ(gui::countPixels(gui::grab(console), braceBackground), 0);
}

TEST_F(ConsoleTest, ApplyStyleIgnoresSizesOutsideFourToNinetySix) {  // Spec 3.2
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

TEST(Part3_2_CodeEdit, AppliesTheWholeRecord) {  // Spec 3.2
    auto* frame = new wxFrame(nullptr, wxID_ANY, wxS("CodeEdit"), wxDefaultPosition, wxSize(400, 200));
    auto* edit = new CodeEdit(frame, wxID_ANY);
    frame->Show();
    EXPECT_EQ(edit->GetModEventMask(), 3);
    EXPECT_EQ(edit->GetCodePage(), wxSTC_CP_UTF8);
    for (int margin = 0; margin < 4; ++margin) EXPECT_EQ(edit->GetMarginWidth(margin), 0);
    EditorPrefs prefs;
    prefs.lineSpacing = 2;
    prefs.tabWidth = 5;
    prefs.useTabs = false;
    EXPECT_TRUE(edit->SetPreferences(prefs, true));
    EXPECT_EQ(edit->GetMarginWidth(0), edit->TextWidth(wxSTC_STYLE_LINENUMBER, wxS("-0000")));
    EXPECT_EQ(edit->GetMarginWidth(1), 0);
    EXPECT_EQ(edit->GetMarginWidth(2), 0);
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
    EXPECT_TRUE(edit->AutoCompGetChooseSingle());
    EXPECT_FALSE(edit->AutoCompGetIgnoreCase());
    EXPECT_EQ(edit->GetMouseDwellTime(), 500);
    EXPECT_EQ(edit->GetProperty(wxS("fold.quotes.lua")), wxS("1"));
    EXPECT_EQ(edit->GetLexer(), wxSTC_LEX_LUA);
    edit->UpdatePromptMargin();
    EXPECT_EQ(edit->GetMarginWidth(3), edit->TextWidth(wxSTC_STYLE_DEFAULT, wxS(">")) + 2);
    EditorPrefs out;
    edit->GetPreferences(out);
    EXPECT_EQ(out.tabWidth, 5);
    frame->Destroy();
    gui::pump();
}

TEST_F(ConsoleTest, LanguageNoneSwitchesTheLexerOff) {  // Spec 3.2
    EXPECT_FALSE(console->SetLanguage(CodeEdit::kLanguageNone));
    EXPECT_EQ(console->GetLexer(), wxSTC_LEX_NULL);
    EXPECT_FALSE(console->SetLanguage(3));
    EXPECT_TRUE(console->SetLanguage(CodeEdit::kLanguageLua));
    EXPECT_EQ(console->GetLexer(), wxSTC_LEX_LUA);
}

TEST_F(ConsoleTest, MarkerColoursReachTheControl) {  // Spec 3.2 (setMarkersColors)
    console->setMarkersColors(0x0000FF, 0x00FF00, 0xFF0000, 0x123456);
    // Scintilla gives no getter for marker colours; the call must at least leave the console's markers alone.
    EXPECT_EQ(console->GetMarginMask(3), 0x900);
    SUCCEED();
}

TEST_F(ConsoleTest, AlwaysShowCaretKeepsTheCaretWhileAnotherWindowHasTheFocus) {  // Spec 3.3 (setAlwaysShowCaret)
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

// ---- Part 1.3: message box and real field -------------------------------------------------------------

TEST(Part1_3_MessageBox, ResponderAnswersAndRecordsTheRequest) {  // Spec 1.3
    std::vector<MessageBoxRequest> seen;
    setMessageBoxResponder([&seen](const MessageBoxRequest& request) {
        seen.push_back(request);
        return wxOK;
    });
    EXPECT_EQ(DelvoMessageBox(wxS("Cannot open file."), wxS("DelvoCalculator"), wxOK | wxICON_EXCLAMATION, nullptr),
              wxOK);
    setMessageBoxResponder(nullptr);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].style, 0x104);
    EXPECT_EQ(seen[0].caption, wxS("DelvoCalculator"));
    EXPECT_TRUE(seen[0].label1.empty());
}

TEST(Part1_3_MessageBox, DefaultDialogUsesTheLabelsAndMapsTheAnswer) {  // Spec 1.3
    // The real (native GTK) dialog, answered by a timer through GTK itself: it never blocks.
    std::string yesLabel, noLabel;
    gui::after(300, [&yesLabel, &noLabel] {
        yesLabel = gui::gtkDialogButtonLabel("Quarn", gui::kGtkResponseYes);
        noLabel = gui::gtkDialogButtonLabel("Quarn", gui::kGtkResponseNo);
        gui::gtkDialogRespond("Quarn", gui::kGtkResponseYes);
    });
    gui::after(4000, [] { gui::gtkDialogRespond("Quarn", gui::kGtkResponseNo); });
    const int answer = DelvoMessageBox(wxS("Reset Math Console?"), wxS("Quarn"), 0x48A, nullptr, wxS("Reset"),
                                       wxS("Cancel"), wxString());
    EXPECT_EQ(answer, wxYES);
    EXPECT_EQ(yesLabel, "Reset");
    EXPECT_EQ(noLabel, "Cancel");
}

TEST(Part1_3_MessageBox, ClosingAYesNoBoxMeansNo) {  // Spec 1.3
    gui::after(300, [] { gui::gtkDialogRespond("Quarn", gui::kGtkResponseDeleteEvent); });
    gui::after(4000, [] { gui::gtkDialogRespond("Quarn", gui::kGtkResponseNo); });
    EXPECT_EQ(DelvoMessageBox(wxS("Reset Math Console?"), wxS("Quarn"), 0x48A, nullptr), wxNO);
}

TEST(Part1_3_MessageBox, OkBoxAnswersOk) {  // Spec 1.3
    gui::after(300, [] { gui::gtkDialogRespond("DelvoCalculator", gui::kGtkResponseOk); });
    gui::after(4000, [] { gui::gtkDialogRespond("DelvoCalculator", gui::kGtkResponseDeleteEvent); });
    EXPECT_EQ(DelvoMessageBox(wxS("Cannot open file."), wxS("DelvoCalculator"), 0x104, nullptr), wxOK);
}

TEST(Part1_3_RealEdit, ReadsNumbersWithAFullStop) {  // Spec 1.3
    auto* frame = new wxFrame(nullptr, wxID_ANY, wxS("RealEdit"));
    auto* edit = new RealEdit(frame, wxID_ANY, wxS(" 3.25 "));
    EXPECT_DOUBLE_EQ(edit->GetValueReal(), 3.25);
    EXPECT_TRUE(edit->IsValueReal());
    edit->ChangeValue(wxS("-1.5e3"));
    EXPECT_DOUBLE_EQ(edit->GetValueReal(), -1500);
    edit->ChangeValue(wxS("abc"));
    EXPECT_DOUBLE_EQ(edit->GetValueReal(), 0);
    EXPECT_FALSE(edit->IsValueReal());
    edit->SetValueReal(0.1);
    EXPECT_EQ(edit->GetValue(), wxS("0.1"));
    frame->Destroy();
    gui::pump();
}

}  // namespace
