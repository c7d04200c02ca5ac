// SPDX-License-Identifier: MIT
// The colours and font dialog (spec Part 4.2) and the settings file through the real window (Part 4.1), under Xvfb.
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/colourdata.h>
#include <wx/fontdata.h>
#include <wx/cshelp.h>

#include "app/delvo_app.h"
#include "console/console_edit.h"
#include "console/console_window.h"
#include "settings/choosers.h"
#include "settings/color_button.h"
#include "settings/colors_dlg.h"
#include "tests/gui_test_support.h"

namespace {

std::uint32_t toInt(const wxColour& colour) { return colour.Blue() * 65536u + colour.Green() * 256u + colour.Red(); }

/// The console stores its default background shifted by 4 away from the text colour (Part 3.1).
std::uint32_t consoleBackground(std::uint32_t background, std::uint32_t text) {
    const int amount = background > text ? -4 : 4;
    std::uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int channel = static_cast<int>((background >> shift) & 0xFF) + amount;
        channel = channel < 0 ? 0 : (channel > 255 ? 255 : channel);
        out |= static_cast<std::uint32_t>(channel) << shift;
    }
    return out;
}

/// One colour-chooser request as the test saw it.
struct ColourRequest {
    wxWindow* parent;
    wxColour initial;
    wxColour custom1;
};

/// Opens the main window through DelvoApp's normal start and a colours dialog on it; answers the choosers.
class ColorsDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        wxTheApp->SetExitOnFrameDelete(false);
        ASSERT_TRUE(wxGetApp().OnInit());
        window = wxGetApp().mainWindow();
        ASSERT_NE(window, nullptr);
        setColourChooser([this](wxWindow* parent, wxColourData& data) {
            colourRequests.push_back({parent, data.GetColour(), data.GetCustomColour(1)});
            if (!colourAnswer.IsOk()) return false;
            data.SetColour(colourAnswer);
            return true;
        });
        setFontChooser([this](wxWindow*, wxFontData& data) {
            ++fontRequests;
            initialFont = data.GetInitialFont();
            initialFontColour = data.GetColour();
            if (!fontAnswer.IsOk()) return false;
            data.SetChosenFont(fontAnswer);
            data.SetColour(fontColourAnswer.IsOk() ? fontColourAnswer : data.GetColour());
            return true;
        });
        openDialog();
    }

    void TearDown() override {
        setColourChooser(nullptr);
        setFontChooser(nullptr);
        if (dialogAlive()) dialog->Destroy();
        if (isAlive(window)) window->Destroy();
        gui::pump();
    }

    void openDialog() {
        dialog = new ColorsDlg(window, 7600, wxS("Colors"), wxPoint(40, 30));
        dialog->Show();
        gui::pump();
    }

    static bool isAlive(wxWindow* top) {
        for (wxWindow* w : wxTopLevelWindows)
            if (w == top) return true;
        return false;
    }
    bool dialogAlive() const { return isAlive(dialog); }

    ColorButton* button(int id) const { return dialog->GetColorButton(id); }
    void click(int id) {
        wxMouseEvent up(wxEVT_LEFT_UP);
        up.SetEventObject(button(id));
        button(id)->GetEventHandler()->ProcessEvent(up);
        gui::pump();
    }
    void pushButton(int id) {
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(dialog->FindWindow(id));
        dialog->FindWindow(id)->GetEventHandler()->ProcessEvent(event);
        gui::pump();
    }
    const EditorPrefs& prefs() const { return window->GetConsole()->preferences(); }

    ConsoleWindow* window = nullptr;
    ColorsDlg* dialog = nullptr;
    std::vector<ColourRequest> colourRequests;
    wxColour colourAnswer;  // not OK: the chooser is cancelled
    int fontRequests = 0;
    wxFont initialFont;
    wxColour initialFontColour;
    wxFont fontAnswer;  // not OK: cancelled
    wxColour fontColourAnswer;
};

using Part4_2_ColorsDlg = ColorsDlgTest;

// Spec 4.2: title, id, style, the six buttons in order with their labels and what they edit, sizes.
TEST_F(Part4_2_ColorsDlg, LayoutAndControls) {
    EXPECT_EQ(dialog->GetTitle(), "Colors");
    EXPECT_EQ(dialog->GetId(), 7600);
    EXPECT_EQ(dialog->GetWindowStyleFlag() & wxRESIZE_BORDER, 0);
    // Help texts are kept only when the application installs a help provider.
    if (wxHelpProvider::Get()) {
        EXPECT_EQ(dialog->GetHelpText(), "Colors");
    }
    EXPECT_EQ(dialog->GetMinSize(), dialog->GetSize());
    const struct {
        int id;
        const char* label;
        bool editsBackground;
    } rows[] = {{7601, "Fore", false},   {7602, "Back", true},    {7603, "Function", false},
                {7604, "Operator", false}, {7605, "Number", false}, {7607, "Selection", true}};
    const wxSize text = dialog->GetTextExtent(">> BUTTON <<");
    int lastY = -1;
    for (const auto& row : rows) {
        ColorButton* b = button(row.id);
        ASSERT_NE(b, nullptr) << row.id;
        EXPECT_EQ(b->GetLabelText(), row.label);
        EXPECT_EQ(b->EditsBackground(), row.editsBackground) << row.label;
        EXPECT_EQ(b->GetCustomColourSlot(), 1);
        EXPECT_TRUE(b->HasFlag(wxBORDER_STATIC));
        EXPECT_EQ(b->GetSize(), wxSize(2 * text.x + 8, text.y + 16));
        EXPECT_GT(b->GetPosition().y, lastY);
        EXPECT_EQ(b->GetPosition().x, 8);
        lastY = b->GetPosition().y;
    }
    EXPECT_EQ(button(7601)->GetPosition().y, 8);
    EXPECT_EQ(button(7602)->GetPosition().y, 8 + text.y + 16 + 4);
    auto* box = dynamic_cast<wxCheckBox*>(dialog->FindWindow(7064));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetLabel(), "Enable Highlighting");
    auto* font = dynamic_cast<wxButton*>(dialog->FindWindow(7059));
    auto* ok = dynamic_cast<wxButton*>(dialog->FindWindow(15801));
    ASSERT_NE(font, nullptr);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(font->GetLabel(), "&Font...");
    EXPECT_EQ(ok->GetLabel(), "&OK");
    EXPECT_EQ(font->GetSize(), wxSize(text.x, text.y + 10));
    EXPECT_EQ(ok->GetPosition().x, 8 + text.x + 8);
    EXPECT_EQ(dialog->GetClientSize().x, 8 + 2 * text.x + 8 + 8);
}

// Spec 4.2: the buttons show the settings record's colours and the console's font.
TEST_F(Part4_2_ColorsDlg, ButtonsShowTheRecord) {
    const DelvoApp& app = wxGetApp();
    const std::uint32_t t = app.consoleFont.color.toInt();
    const auto& c = app.syntaxColors;
    EXPECT_EQ(toInt(button(7601)->GetTextColour()), t);
    EXPECT_EQ(toInt(button(7601)->GetBackColour()), c[0]);
    EXPECT_EQ(toInt(button(7602)->GetTextColour()), t);
    EXPECT_EQ(toInt(button(7603)->GetTextColour()), c[1]);
    EXPECT_EQ(toInt(button(7604)->GetTextColour()), c[2]);
    EXPECT_EQ(toInt(button(7605)->GetTextColour()), c[3]);
    EXPECT_EQ(toInt(button(7605)->GetBackColour()), c[0]);
    EXPECT_EQ(toInt(button(7607)->GetTextColour()), t);
    EXPECT_EQ(toInt(button(7607)->GetBackColour()), c[4]);
    EXPECT_EQ(button(7603)->GetFont().GetPointSize(), app.consoleFont.getFont().GetPointSize());
    EXPECT_TRUE(dialog->GetHighlightingBox()->GetValue());
}

// Spec 4.2: a new colour on "Back" changes the console background at once and all six buttons.
TEST_F(Part4_2_ColorsDlg, BackChangesConsoleAndAllButtons) {
    const std::uint32_t oldBack = wxGetApp().syntaxColors[0];
    colourAnswer = wxColour(0x10, 0x20, 0x30);
    click(7602);
    ASSERT_EQ(colourRequests.size(), 1u);
    EXPECT_EQ(colourRequests[0].parent, button(7602));
    EXPECT_EQ(toInt(colourRequests[0].initial), oldBack);
    EXPECT_EQ(toInt(colourRequests[0].custom1), oldBack);
    EXPECT_EQ(wxGetApp().syntaxColors[0], 0x302010u);
    EXPECT_EQ(prefs().styles[0].background, consoleBackground(0x302010u, prefs().styles[0].foreground));
    for (int id : {7601, 7602, 7603, 7604, 7605}) EXPECT_EQ(toInt(button(id)->GetBackColour()), 0x302010u) << id;
    EXPECT_NE(toInt(button(7607)->GetBackColour()), 0x302010u);
}

// Spec 4.2: "Selection" edits the background of its button, not its label colour.
TEST_F(Part4_2_ColorsDlg, SelectionChangesBackgroundNotLabel) {
    const wxColour label = button(7607)->GetTextColour();
    colourAnswer = wxColour(0xFF, 0x00, 0x80);
    click(7607);
    EXPECT_EQ(toInt(button(7607)->GetBackColour()), 0x8000FFu);
    EXPECT_EQ(button(7607)->GetTextColour(), label);
    EXPECT_EQ(wxGetApp().syntaxColors[4], 0x8000FFu);
    EXPECT_EQ(prefs().styles[22].background, 0x8000FFu);
}

// Spec 4.2: the text colour buttons change their colour in the record and the console.
TEST_F(Part4_2_ColorsDlg, TextColourButtons) {
    colourAnswer = wxColour(1, 2, 3);
    click(7603);
    EXPECT_EQ(wxGetApp().syntaxColors[1], 0x030201u);
    EXPECT_EQ(prefs().styles[5].foreground, 0x030201u);
    colourAnswer = wxColour(4, 5, 6);
    click(7601);
    EXPECT_EQ(wxGetApp().consoleFont.color.toInt(), 0x060504u);
    EXPECT_EQ(prefs().styles[0].foreground, 0x060504u);
    EXPECT_EQ(toInt(button(7607)->GetTextColour()), 0x060504u);
}

// Spec 4.2: cancelling the colour chooser leaves everything unchanged.
TEST_F(Part4_2_ColorsDlg, CancelLeavesEverything) {
    const auto colors = wxGetApp().syntaxColors;
    const std::uint32_t text = wxGetApp().consoleFont.color.toInt();
    const std::uint32_t back = toInt(button(7602)->GetBackColour());
    click(7602);
    click(7601);
    EXPECT_EQ(colourRequests.size(), 2u);
    EXPECT_EQ(wxGetApp().syntaxColors, colors);
    EXPECT_EQ(wxGetApp().consoleFont.color.toInt(), text);
    EXPECT_EQ(toInt(button(7602)->GetBackColour()), back);
}

// Spec 4.2: a font of 40 points changes nothing; the current font and colour again change nothing.
TEST_F(Part4_2_ColorsDlg, FontOutOfRangeOrSameChangesNothing) {
    const DelvoApp& app = wxGetApp();
    const lmFont before = app.consoleFont;
    wxFont big = app.consoleFont.getFont();
    big.SetPointSize(40);
    fontAnswer = big;
    pushButton(7059);
    EXPECT_EQ(fontRequests, 1);
    EXPECT_EQ(initialFont.GetPointSize(), before.getFont().GetPointSize());
    EXPECT_EQ(toInt(initialFontColour), before.color.toInt());
    EXPECT_EQ(app.consoleFont.size, before.size);
    fontAnswer = app.consoleFont.getFont();
    pushButton(7059);
    EXPECT_EQ(app.consoleFont.size, before.size);
    EXPECT_EQ(app.consoleFont.getFaceName(), before.getFaceName());
    EXPECT_EQ(app.consoleFont.color.toInt(), before.color.toInt());
}

// Spec 4.2: a new font of 4..32 points reaches the record, the console and the buttons; its colour too.
TEST_F(Part4_2_ColorsDlg, NewFontApplied) {
    wxFont chosen = wxGetApp().consoleFont.getFont();
    chosen.SetPointSize(14);
    chosen.SetWeight(wxFONTWEIGHT_BOLD);
    fontAnswer = chosen;
    fontColourAnswer = wxColour(0x11, 0x22, 0x33);
    pushButton(7059);
    const DelvoApp& app = wxGetApp();
    EXPECT_EQ(app.consoleFont.size, 14);
    EXPECT_EQ(app.consoleFont.weight, 92);
    EXPECT_EQ(app.consoleFont.color.toInt(), 0x332211u);
    EXPECT_EQ(prefs().styles[0].size, 14);
    EXPECT_EQ(prefs().styles[0].foreground, 0x332211u);
    EXPECT_EQ(toInt(button(7601)->GetTextColour()), 0x332211u);
    EXPECT_EQ(button(7601)->GetFont().GetPointSize(), 14);
}

// Spec 4.2: the close box destroys the dialog and keeps the changes made.
TEST_F(Part4_2_ColorsDlg, CloseKeepsChanges) {
    colourAnswer = wxColour(0x40, 0x50, 0x60);
    click(7604);
    dialog->Close();
    gui::pump();
    EXPECT_FALSE(dialogAlive());
    EXPECT_EQ(wxGetApp().syntaxColors[2], 0x605040u);
}

// Spec 4.2: "&OK" applies the colours once more and destroys the dialog.
TEST_F(Part4_2_ColorsDlg, OkDestroys) {
    pushButton(15801);
    EXPECT_FALSE(dialogAlive());
}

// Spec 4.2: clearing "Enable Highlighting" switches highlighting off at once; a new dialog shows it cleared.
TEST_F(Part4_2_ColorsDlg, HighlightingBox) {
    wxCheckBox* box = dialog->GetHighlightingBox();
    box->SetValue(false);
    wxCommandEvent event(wxEVT_CHECKBOX, 7064);
    event.SetEventObject(box);
    event.SetInt(0);
    box->GetEventHandler()->ProcessEvent(event);
    gui::pump();
    EXPECT_FALSE(window->GetHighlighting());
    EXPECT_FALSE(wxGetApp().isHighlighting());
    dialog->Close();
    gui::pump();
    openDialog();
    EXPECT_FALSE(dialog->GetHighlightingBox()->GetValue());
    wxGetApp().enableHighlighting(true);
}

// Spec 4.2: the buttons are drawn with their colours (a screenshot of the dialog for the record).
TEST_F(Part4_2_ColorsDlg, ButtonsPaint) {
    colourAnswer = wxColour(0, 0, 0xFF);
    click(7602);
    dialog->Raise();
    gui::pump(100);
    EXPECT_TRUE(gui::screenshot(dialog, gui::outputDir() + "/colors_dlg.png"));
}

// ---------------------------------------------------------------- DelvoApp's operations without a window

/// Runs with no main window; restores the record afterwards.
class AppOperationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(wxGetApp().mainWindow(), nullptr);
        saved = wxGetApp().consoleFont;
        savedColors = wxGetApp().syntaxColors;
        wxGetApp().functionHistory = {};
        wxGetApp().historyCount = 0;
    }
    void TearDown() override {
        wxGetApp().consoleFont = saved;
        wxGetApp().syntaxColors = savedColors;
        wxGetApp().functionHistory = {};
        wxGetApp().historyCount = 0;
    }
    lmFont saved;
    std::array<std::uint32_t, 5> savedColors{};
};

using Part4_1_AppOperations = AppOperationsTest;

// Spec 4.1: addFunction refuses empty texts and duplicates regardless of case; when full, the 5 oldest go.
TEST_F(Part4_1_AppOperations, AddFunction) {
    DelvoApp& app = wxGetApp();
    EXPECT_FALSE(app.addFunction(L""));
    EXPECT_TRUE(app.addFunction(L"sin(x)"));
    EXPECT_FALSE(app.addFunction(L"SIN(X)"));
    for (int i = 2; i <= 12; ++i) EXPECT_TRUE(app.addFunction(L"f" + std::to_wstring(i)));
    EXPECT_EQ(app.historyCount, 12);
    // Full: entries 6..12 move to places 1..7, then the new one is appended.
    EXPECT_TRUE(app.addFunction(L"new"));
    EXPECT_EQ(app.historyCount, 8);
    EXPECT_EQ(app.getFunction(0), L"f6");
    EXPECT_EQ(app.getFunction(6), L"f12");
    EXPECT_EQ(app.getFunction(7), L"new");
    EXPECT_EQ(app.getFunction(8), L"");
    EXPECT_EQ(app.getFunction(-1), L"");
    // A duplicate offered when full still drops the oldest five first.
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(app.addFunction(L"g" + std::to_wstring(i)));
    EXPECT_EQ(app.historyCount, 12);
    EXPECT_FALSE(app.addFunction(L"NEW"));
    EXPECT_EQ(app.historyCount, 7);
}

// Spec 4.1: without a main window the console history is empty and the window operations do nothing.
TEST_F(Part4_1_AppOperations, NoMainWindow) {
    DelvoApp& app = wxGetApp();
    EXPECT_EQ(app.getExpressionCount(), 0);
    std::wstring entry = L"x";
    EXPECT_FALSE(app.getExpression(0, &entry));
    app.addExpression(L"1+1");
    EXPECT_EQ(app.getExpressionCount(), 0);
    EXPECT_TRUE(app.isHighlighting());
    bool maximized = true;
    int x = 1, y = 2, w = 3, h = 4;
    app.getWindowPlacement(&maximized, &x, &y, &w, &h);
    EXPECT_TRUE(maximized);
    EXPECT_EQ(x + y + w + h, 10);
    app.setWindowPlacement(true, 0, 0, 100, 100);
    app.enableHighlighting(false);
    EXPECT_TRUE(app.isHighlighting());
}

// Spec 4.1: setConsoleFont clamps the size to 4..32 and keeps 31 characters of the face; colours are stored.
TEST_F(Part4_1_AppOperations, FontAndColours) {
    DelvoApp& app = wxGetApp();
    const std::wstring longFace(40, L'F');
    app.setConsoleFont(&longFace, lmColor(1, 2, 3), 40, 5, 93, 92);
    EXPECT_EQ(app.consoleFont.getFaceName(), std::wstring(31, L'F'));
    EXPECT_EQ(app.consoleFont.size, 32);
    EXPECT_EQ(app.consoleFont.orientation, 5);
    EXPECT_EQ(app.consoleFont.style, 93);
    EXPECT_EQ(app.consoleFont.weight, 92);
    EXPECT_EQ(app.consoleFont.color.toInt(), 0x030201u);
    app.setConsoleFont(nullptr, lmColor(1, 2, 3), 3, 0, 90, 90);
    EXPECT_EQ(app.consoleFont.size, 4);
    EXPECT_EQ(app.consoleFont.getFaceName(), std::wstring(31, L'F'));
    app.setConsoleColors(0x0000FF, 1, 2, 3, 4, 5);
    EXPECT_EQ(app.consoleFont.color.toInt(), 0x0000FFu);
    EXPECT_EQ(app.consoleFont.color.red, 0xFF);
    EXPECT_EQ(app.syntaxColors, (std::array<std::uint32_t, 5>{1, 2, 3, 4, 5}));
}

// ---------------------------------------------------------------- the settings file through the window

/// Resets what start-up does not reset, as a fresh process would have it.
void freshRecord(DelvoApp& app) {
    app.functionHistory = {};
    app.historyCount = 0;
    app.interpreter().verbose = true;
}

// Spec 4.1: history, functions, font, colours, size and verbose survive ShutDown and the next start.
TEST(Part4_1_SettingsWindow, RoundTripThroughShutDownAndStart) {
    DelvoApp& app = wxGetApp();
    wxTheApp->SetExitOnFrameDelete(false);
    const std::string path = wxString(app.folders().settingsPath()).ToStdString();
    ASSERT_FALSE(path.empty());
    std::remove(path.c_str());
    freshRecord(app);
    ASSERT_TRUE(app.OnInit());
    ConsoleWindow* window = app.mainWindow();
    ASSERT_NE(window, nullptr);
    window->GetConsole()->AddHistory("1+2");
    window->GetConsole()->AddHistory("sin(pi)");
    EXPECT_TRUE(app.addFunction(L"x^2-2"));
    EXPECT_FALSE(app.addFunction(L"X^2-2"));
    const std::wstring face = L"DejaVu Sans Mono";
    app.setConsoleFont(&face, lmColor(0x10, 0x20, 0x30), 13, 0, app.consoleFont.style, 92);
    app.setConsoleColors(0x302010, 0xEEEEEE, 0x0000C0, 0x008000, 0x800080, 0x00FFFF);
    app.interpreter().verbose = false;
    app.setWindowPlacement(false, -1, -1, 700, 500);
    gui::pump(50);
    window->ShutDown();
    gui::pump(50);

    FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    char head[49] = {};
    EXPECT_EQ(std::fread(head, 1, 48, file), 48u);
    std::fclose(file);
    EXPECT_STREQ(head, "# Quarn-RC <do not change or remove this header>");

    freshRecord(app);
    app.interpreter().verbose = true;
    ASSERT_TRUE(app.OnInit());
    window = app.mainWindow();
    ASSERT_NE(window, nullptr);
    gui::pump(50);
    ASSERT_EQ(app.getExpressionCount(), 2);
    std::wstring entry;
    EXPECT_TRUE(app.getExpression(0, &entry));
    EXPECT_EQ(entry, L"1+2");
    EXPECT_TRUE(app.getExpression(1, &entry));
    EXPECT_EQ(entry, L"sin(pi)");
    EXPECT_EQ(app.historyCount, 1);
    EXPECT_EQ(app.getFunction(0), L"x^2-2");
    EXPECT_EQ(app.consoleFont.getFaceName(), face);
    EXPECT_EQ(app.consoleFont.size, 13);
    EXPECT_EQ(app.consoleFont.weight, 92);
    EXPECT_EQ(app.consoleFont.color.toInt(), 0x302010u);
    EXPECT_EQ(app.syntaxColors, (std::array<std::uint32_t, 5>{0xEEEEEE, 0x0000C0, 0x008000, 0x800080, 0x00FFFF}));
    EXPECT_EQ(window->GetConsole()->preferences().styles[0].background, consoleBackground(0xEEEEEE, 0x302010));
    EXPECT_FALSE(app.interpreter().verbose);
    EXPECT_EQ(window->GetSize(), wxSize(700, 500));
    window->Destroy();
    gui::pump();
    std::remove(path.c_str());
    freshRecord(app);
}

}  // namespace
