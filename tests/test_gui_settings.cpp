// SPDX-License-Identifier: MIT
// The colours and font dialog, the appearance model, and the settings file through the real window.
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/colourdata.h>
#include <wx/cshelp.h>
#include <wx/fontdata.h>

#include "libs/ui/appearance.h"
#include "settings/choosers.h"
#include "settings/color_button.h"
#include "settings/colors_dlg.h"
#include "tests/window_test_fixture.h"

namespace {

std::uint32_t toInt(const wxColour& colour) { return colour.Blue() * 65536u + colour.Green() * 256u + colour.Red(); }

/// The console keeps its default background 4 steps per channel away from the text colour.
std::uint32_t consoleBackground(std::uint32_t background, std::uint32_t text) {
    const int amount = background > text ? -4 : 4;
    std::uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int channel = static_cast<int>((background >> shift) & 0xFF) + amount;
        out |= static_cast<std::uint32_t>(channel < 0 ? 0 : (channel > 255 ? 255 : channel)) << shift;
    }
    return out;
}

/// The main window through DelvoApp's normal start and a colours dialog on it; the choosers answer as set.
class ColorsDlgTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        setColourChooser([this](wxWindow* parent, wxColourData& data) {
            colourRequests.push_back({parent, data.GetColour(), data.GetCustomColour(1)});
            if (colourAnswer.IsOk()) data.SetColour(colourAnswer);
            return colourAnswer.IsOk();
        });
        setFontChooser([this](wxWindow*, wxFontData& data) {
            ++fontRequests;
            initialFont = data.GetInitialFont();
            initialFontColour = data.GetColour();
            if (fontAnswer.IsOk()) data.SetChosenFont(fontAnswer);
            if (fontColourAnswer.IsOk()) data.SetColour(fontColourAnswer);
            return fontAnswer.IsOk();
        });
        openDialog();
    }
    void TearDown() override {
        setColourChooser(nullptr);
        setFontChooser(nullptr);
        wxGetApp().appearance().setHighlighting(true);
        if (isAlive(dialog)) dialog->Destroy();
        MainWindowTest::TearDown();
    }

    void openDialog() {
        dialog = new ColorsDlg(window, wxGetApp().appearance(), 7600, wxS("Colors"), wxPoint(40, 30));
        dialog->Show();
        gui::pump();
    }
    using MainWindowTest::isAlive;
    static bool isAlive(wxWindow* top) {
        return std::find(wxTopLevelWindows.begin(), wxTopLevelWindows.end(), top) != wxTopLevelWindows.end();
    }
    ColorButton* button(int id) const { return dialog->GetColorButton(id); }
    void click(int id) {
        wxMouseEvent up(wxEVT_LEFT_UP);
        up.SetEventObject(button(id));
        button(id)->GetEventHandler()->ProcessEvent(up);
        gui::pump();
    }
    void send(wxEventType type, int id) {
        wxCommandEvent event(type, id);
        event.SetEventObject(dialog->FindWindow(id));
        dialog->FindWindow(id)->GetEventHandler()->ProcessEvent(event);
        gui::pump();
    }
    const EditorPrefs& prefs() const { return window->GetConsole()->preferences(); }

    ColorsDlg* dialog = nullptr;
    struct ColourRequest {
        wxWindow* parent;
        wxColour initial, custom1;
    };
    std::vector<ColourRequest> colourRequests;
    wxColour colourAnswer;  // not OK: the chooser is cancelled
    int fontRequests = 0;
    wxFont initialFont, fontAnswer;  // fontAnswer not OK: cancelled
    wxColour initialFontColour, fontColourAnswer;
};

using ColorsDialog = ColorsDlgTest;

// Title, id, fixed size, and the six colour buttons in a column, each showing the record's colours.
TEST_F(ColorsDialog, LayoutShowsTheRecord) {
    EXPECT_EQ(dialog->GetTitle(), "Colors");
    EXPECT_EQ(dialog->GetId(), 7600);
    EXPECT_EQ(dialog->GetWindowStyleFlag() & wxRESIZE_BORDER, 0);
    EXPECT_TRUE(!wxHelpProvider::Get() || dialog->GetHelpText() == "Colors");
    EXPECT_EQ(dialog->GetMinSize(), dialog->GetSize());
    const Appearance& appearance = wxGetApp().appearance();
    const std::uint32_t t = appearance.textColor();
    const auto& c = appearance.syntaxColors();
    const struct {
        int id;
        const char* label;
        bool editsBackground;
        std::uint32_t text, back;
    } rows[] = {{7601, "Fore", false, t, c[0]},        {7602, "Back", true, t, c[0]},
                {7603, "Function", false, c[1], c[0]}, {7604, "Operator", false, c[2], c[0]},
                {7605, "Number", false, c[3], c[0]},   {7607, "Selection", true, t, c[4]}};
    const wxSize text = dialog->GetTextExtent(">> BUTTON <<");
    int y = 8;
    for (const auto& row : rows) {
        ColorButton* b = button(row.id);
        ASSERT_NE(b, nullptr) << row.id;
        EXPECT_EQ(b->GetLabelText(), row.label);
        EXPECT_EQ(b->EditsBackground(), row.editsBackground) << row.label;
        EXPECT_EQ(toInt(b->GetTextColour()), row.text) << row.label;
        EXPECT_EQ(toInt(b->GetBackColour()), row.back) << row.label;
        EXPECT_EQ(b->GetCustomColourSlot(), 1);
        EXPECT_TRUE(b->HasFlag(wxBORDER_STATIC));
        EXPECT_EQ(b->GetFont().GetPointSize(), appearance.font().getFont().GetPointSize());
        EXPECT_EQ(b->GetSize(), wxSize(2 * text.x + 8, text.y + 16));
        EXPECT_EQ(b->GetPosition(), wxPoint(8, y)) << row.label;
        y += text.y + 16 + 4;
    }
    auto* box = dynamic_cast<wxCheckBox*>(dialog->FindWindow(7064));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetLabel(), "Enable Highlighting");
    EXPECT_TRUE(box->GetValue());
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

// "Back" asks with the current background, and a new one reaches the record, the console and five buttons.
TEST_F(ColorsDialog, BackChangesConsoleAndButtons) {
    const Appearance& appearance = wxGetApp().appearance();
    const std::uint32_t oldBack = appearance.syntaxColors()[0];
    click(7602);  // cancelled: nothing changes
    EXPECT_EQ(appearance.syntaxColors()[0], oldBack);
    EXPECT_EQ(toInt(button(7602)->GetBackColour()), oldBack);
    colourAnswer = wxColour(0x10, 0x20, 0x30);
    click(7602);
    ASSERT_EQ(colourRequests.size(), 2u);
    EXPECT_EQ(colourRequests[1].parent, button(7602));
    EXPECT_EQ(toInt(colourRequests[1].initial), oldBack);
    EXPECT_EQ(toInt(colourRequests[1].custom1), oldBack);
    EXPECT_EQ(appearance.syntaxColors()[0], 0x302010u);
    EXPECT_EQ(prefs().styles[0].background, consoleBackground(0x302010u, prefs().styles[0].foreground));
    for (int id : {7601, 7602, 7603, 7604, 7605}) EXPECT_EQ(toInt(button(id)->GetBackColour()), 0x302010u) << id;
    EXPECT_NE(toInt(button(7607)->GetBackColour()), 0x302010u);
    // The buttons are drawn in their colours (the screenshot is kept to look at).
    dialog->Raise();
    gui::pump(100);
    EXPECT_TRUE(gui::screenshot(dialog, gui::outputDir() + "/colors_dlg.png"));
    const wxSize size = button(7602)->GetClientSize();
    EXPECT_GT(gui::countPixels(gui::grab(button(7602)), wxColour(0x10, 0x20, 0x30)), size.x * size.y / 2);
}

// Each other button edits one colour: of its label, or for "Selection" of its background.
TEST_F(ColorsDialog, ButtonsEditTheirColour) {
    const struct {
        int id;
        int slot;  // index into syntaxColors, -1: the console's text colour
        int style;
        bool background;
        std::uint32_t colour;
    } rows[] = {{7601, -1, EditorPrefs::kDefault, false, 0x040506},
                {7603, 1, EditorPrefs::kFunction, false, 0x070809},
                {7604, 2, EditorPrefs::kOperator, false, 0x0A0B0C},
                {7605, 3, EditorPrefs::kNumber, false, 0x0D0E0F},
                {7607, 4, EditorPrefs::kSelection, true, 0x101112}};
    const Appearance& appearance = wxGetApp().appearance();
    for (const auto& row : rows) {
        const wxColour label = button(row.id)->GetTextColour();
        colourAnswer = wxColour(static_cast<unsigned long>(row.colour));
        click(row.id);
        EXPECT_EQ(row.slot < 0 ? appearance.textColor() : appearance.syntaxColors()[row.slot], row.colour) << row.id;
        const StyleEntry& style = prefs().styles[row.style];
        EXPECT_EQ(row.background ? style.background : style.foreground, row.colour) << row.id;
        ColorButton* b = button(row.id);
        EXPECT_EQ(toInt(row.background ? b->GetBackColour() : b->GetTextColour()), row.colour) << row.id;
        EXPECT_TRUE(!row.background || b->GetTextColour() == label) << row.id;
    }
    EXPECT_EQ(toInt(button(7607)->GetTextColour()), 0x040506u);  // follows "Fore"
}

// "&Font..." offers the current font; a size outside 4..32 or the same font changes nothing, a new one is applied.
TEST_F(ColorsDialog, FontChooser) {
    const lmFont& font = wxGetApp().appearance().font();
    const lmFont before = font;
    wxFont chosen = before.getFont();
    chosen.SetPointSize(40);
    fontAnswer = chosen;
    send(wxEVT_BUTTON, 7059);
    EXPECT_EQ(fontRequests, 1);
    EXPECT_EQ(initialFont.GetPointSize(), before.getFont().GetPointSize());
    EXPECT_EQ(toInt(initialFontColour), before.color.toInt());
    EXPECT_EQ(font.size, before.size);
    fontAnswer = before.getFont();
    send(wxEVT_BUTTON, 7059);
    EXPECT_EQ(font.size, before.size);
    EXPECT_EQ(font.getFaceName(), before.getFaceName());
    EXPECT_EQ(font.color.toInt(), before.color.toInt());

    chosen.SetPointSize(14);
    chosen.SetWeight(wxFONTWEIGHT_BOLD);
    fontAnswer = chosen;
    fontColourAnswer = wxColour(0x11, 0x22, 0x33);
    send(wxEVT_BUTTON, 7059);
    EXPECT_EQ(font.size, 14);
    EXPECT_EQ(font.weight, 92);
    EXPECT_EQ(font.color.toInt(), 0x332211u);
    EXPECT_EQ(prefs().styles[0].size, 14);
    EXPECT_EQ(prefs().styles[0].foreground, 0x332211u);
    EXPECT_EQ(toInt(button(7601)->GetTextColour()), 0x332211u);
    EXPECT_EQ(button(7601)->GetFont().GetPointSize(), 14);
}

// Clearing "Enable Highlighting" switches it off at once; the close box and "&OK" destroy the dialog and keep
// the changes; a new dialog shows the box cleared.
TEST_F(ColorsDialog, HighlightingAndClosing) {
    colourAnswer = wxColour(0x40, 0x50, 0x60);
    click(7604);
    dialog->GetHighlightingBox()->SetValue(false);
    send(wxEVT_CHECKBOX, 7064);
    EXPECT_FALSE(window->GetHighlighting());
    EXPECT_FALSE(wxGetApp().appearance().highlighting());
    // A change made elsewhere (Options > Highlighting) shows in the open dialog.
    command(ID_OPTIONS_HIGHLIGHTING);
    EXPECT_TRUE(window->GetHighlighting());
    EXPECT_TRUE(dialog->GetHighlightingBox()->GetValue());
    command(ID_OPTIONS_HIGHLIGHTING);
    dialog->Close();
    gui::pump();
    EXPECT_FALSE(isAlive(dialog));
    EXPECT_EQ(wxGetApp().appearance().syntaxColors()[2], 0x605040u);
    openDialog();
    EXPECT_FALSE(dialog->GetHighlightingBox()->GetValue());
    send(wxEVT_BUTTON, 15801);
    EXPECT_FALSE(isAlive(dialog));
    EXPECT_EQ(wxGetApp().appearance().syntaxColors()[2], 0x605040u);
}

// The model clamps the size to 4..32 and keeps 31 characters of the face; every change is told to every
// listener, also to those that come after one that leaves during the notice.
TEST(Appearance, KeepsItsLimitsAndTellsItsListeners) {
    Appearance appearance;
    std::vector<std::string> heard;
    int second = 0;
    const int first = appearance.subscribe([&](unsigned changes) {
        heard.push_back("first " + std::to_string(changes));
        appearance.unsubscribe(second);
    });
    second = appearance.subscribe([&](unsigned changes) { heard.push_back("second " + std::to_string(changes)); });
    appearance.subscribe([&](unsigned changes) { heard.push_back("third " + std::to_string(changes)); });
    const std::wstring longFace(40, L'F');
    appearance.setFont(&longFace, lmColor(1, 2, 3), 40, 5, 93, 92);
    const lmFont& font = appearance.font();
    EXPECT_EQ(font.getFaceName(), std::wstring(31, L'F'));
    EXPECT_EQ(std::vector<int>({font.size, font.orientation, font.style, font.weight}),
              std::vector<int>({32, 5, 93, 92}));
    EXPECT_EQ(appearance.textColor(), 0x030201u);
    appearance.unsubscribe(first);
    appearance.setFont(nullptr, lmColor(1, 2, 3), 3, 0, 90, 90);
    EXPECT_EQ(font.size, 4);
    EXPECT_EQ(font.getFaceName(), std::wstring(31, L'F'));
    appearance.setColors(0x0000FF, 1, 2, 3, 4, 5);
    EXPECT_EQ(font.color.red, 0xFF);
    EXPECT_EQ(appearance.syntaxColors(), (std::array<std::uint32_t, 5>{1, 2, 3, 4, 5}));
    appearance.setHighlighting(false);
    appearance.setHighlighting(false);  // no change, no notice
    EXPECT_EQ(heard, (std::vector<std::string>{"first 1", "third 1", "third 1", "third 2", "third 4"}));
}

/// Resets what start-up does not reset, as a fresh process would have it.
void freshRecord(DelvoApp& app) {
    app.functionHistory().clear();
    app.interpreter().verbose = true;
}

// History, functions, font, colours, size and verbose survive ShutDown and the next start.
TEST(SettingsWindow, RoundTripThroughShutDownAndStart) {
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
    EXPECT_TRUE(app.functionHistory().add(L"x^2-2"));
    const std::wstring face = L"DejaVu Sans Mono";
    Appearance& appearance = app.appearance();
    appearance.setFont(&face, lmColor(0x10, 0x20, 0x30), 13, 0, appearance.font().style, 92);
    appearance.setColors(0x302010, 0xEEEEEE, 0x0000C0, 0x008000, 0x800080, 0x00FFFF);
    app.interpreter().verbose = false;
    window->SetSize(700, 500);
    gui::pump(50);
    window->ShutDown();
    gui::pump(50);

    std::string head(48, '\0');
    FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(std::fread(&head[0], 1, head.size(), file), head.size());
    std::fclose(file);
    EXPECT_EQ(head, "# Quarn-RC <do not change or remove this header>");

    freshRecord(app);
    ASSERT_TRUE(app.OnInit());
    window = app.mainWindow();
    ASSERT_NE(window, nullptr);
    gui::pump(50);
    const ConsoleEdit* console = window->GetConsole();
    ASSERT_EQ(console->GetHistoryCount(), 2);
    EXPECT_EQ(console->GetHistoryEntry(0) + "|" + console->GetHistoryEntry(1), "1+2|sin(pi)");
    EXPECT_EQ(app.functionHistory().count(), 1);
    EXPECT_EQ(app.functionHistory().at(0), L"x^2-2");
    EXPECT_EQ(appearance.font().getFaceName(), face);
    EXPECT_EQ(appearance.font().size, 13);
    EXPECT_EQ(appearance.font().weight, 92);
    EXPECT_EQ(appearance.textColor(), 0x302010u);
    EXPECT_EQ(appearance.syntaxColors(),
              (std::array<std::uint32_t, 5>{0xEEEEEE, 0x0000C0, 0x008000, 0x800080, 0x00FFFF}));
    EXPECT_EQ(window->GetConsole()->preferences().styles[0].background, consoleBackground(0xEEEEEE, 0x302010));
    EXPECT_FALSE(app.interpreter().verbose);
    EXPECT_EQ(window->GetSize(), wxSize(700, 500));
    window->Destroy();
    gui::pump();
    std::remove(path.c_str());
    freshRecord(app);
}

}  // namespace

// Without a chooser installed the toolkit's own colour and font dialogs ask; OK hands back their choice and
// Cancel leaves the data as it was.
TEST(Choosers, NativeDialogsAnswerOkAndCancel) {
    const struct {
        bool colour;
        int response;
        bool chosen;
    } rows[] = {{true, gui::kGtkResponseOk, true}, {true, gui::kGtkResponseCancel, false},
                {false, gui::kGtkResponseOk, true}, {false, gui::kGtkResponseCancel, false}};
    // The row whose dialog is up: a late safety timer leaves later rows, and later tests, alone.
    const auto shown = std::make_shared<int>(0);
    for (const auto& row : rows) {
        const int index = ++*shown;
        std::string titles;
        gui::after(500, [&] {
            titles = gui::shownGtkTitles();
            gui::gtkDialogRespond(row.colour ? "Choose colour" : "Choose font", row.response);
        });
        gui::after(4000, [shown, index] {  // never blocks, whatever the dialog is called
            if (*shown != index) return;
            for (const char* title : {"Choose colour", "Choose font"})
                gui::gtkDialogRespond(title, gui::kGtkResponseDeleteEvent);
        });
        wxColourData colour;
        colour.SetColour(wxColour(10, 20, 30));
        wxFontData font;
        font.SetInitialFont(wxFont(wxFontInfo(11)));
        const bool chosen = row.colour ? chooseColour(nullptr, colour) : chooseFont(nullptr, font);
        EXPECT_EQ(chosen, row.chosen) << titles;
        if (row.colour) {
            EXPECT_TRUE(colour.GetColour().IsOk()) << titles;
        } else if (chosen) {
            EXPECT_TRUE(font.GetChosenFont().IsOk()) << titles;
        }
        gui::pump(50);
    }
    *shown = 0;
}
