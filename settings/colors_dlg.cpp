// SPDX-License-Identifier: MIT
#include "settings/colors_dlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/fontdata.h>
#include <wx/sizer.h>

#include "libs/ui/appearance.h"
#include "libs/ui/dialog_row.h"
#include "libs/ui/window_icons.h"
#include "resources/colors.xpm"
#include "settings/choosers.h"
#include "settings/color_button.h"

namespace {

/// The colour buttons: label, id and whether the button edits its background colour.
struct ButtonRow {
    const wchar_t* label;
    int id;
    bool editsBackground;
};

const ButtonRow kButtonRows[6] = {
    {L"Fore", ID_COLORS_FORE, false},         {L"Back", ID_COLORS_BACK, true},
    {L"Function", ID_COLORS_FUNCTION, false}, {L"Operator", ID_COLORS_OPERATOR, false},
    {L"Number", ID_COLORS_NUMBER, false},     {L"Selection", ID_COLORS_SELECTION, true},
};

enum ButtonIndex { kFore, kBack, kFunction, kOperator, kNumber, kSelection };

// Colour integer 0x00BBGGRR.
std::uint32_t toInt(const wxColour& colour) { return colour.Blue() * 65536u + colour.Green() * 256u + colour.Red(); }
wxColour fromInt(std::uint32_t value) { return wxColour(static_cast<unsigned long>(value)); }

// The settings file's weight codes: 90 normal, 91 light, 92 bold (the console renders 92 as bold).
// A numeric toolkit weight (100..1000) is mapped onto them, so a record holding either kind compares right.
int weightCode(int weight) {
    if (weight >= 90 && weight <= 92) return weight;
    if (weight >= wxFONTWEIGHT_SEMIBOLD) return 92;
    if (weight > 0 && weight <= wxFONTWEIGHT_LIGHT) return 91;
    return 90;
}

}  // namespace

wxBEGIN_EVENT_TABLE(ColorsDlg, wxDialog)
    EVT_BUTTON(ID_COLORS_FORE, ColorsDlg::OnColorChosen)
    EVT_BUTTON(ID_COLORS_BACK, ColorsDlg::OnColorChosen)
    EVT_BUTTON(ID_COLORS_FUNCTION, ColorsDlg::OnColorChosen)
    EVT_BUTTON(ID_COLORS_OPERATOR, ColorsDlg::OnColorChosen)
    EVT_BUTTON(ID_COLORS_NUMBER, ColorsDlg::OnColorChosen)
    EVT_BUTTON(ID_COLORS_SELECTION, ColorsDlg::OnColorChosen)
    EVT_CHECKBOX(ID_COLORS_ENABLE_HIGHLIGHTING, ColorsDlg::OnHighlighting)
    EVT_BUTTON(ID_COLORS_FONT, ColorsDlg::OnFont)
    EVT_BUTTON(ID_COLORS_OK, ColorsDlg::OnOK)
    EVT_CLOSE(ColorsDlg::OnClose)
wxEND_EVENT_TABLE()

ColorsDlg::ColorsDlg(wxWindow* parent, Appearance& appearance, wxWindowID id, const wxString& title, const wxPoint& pos,
                     const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style & ~wxRESIZE_BORDER), m_appearance(appearance), m_position(pos) {
    SetHelpText(wxS("Colors"));
    SetIcons(pixelArtIcons(colors_xpm));
    CreateControls();
    SetMinSize(GetSize());
    m_subscription = m_appearance.subscribe([this](unsigned) { SyncButtons(); });
}

ColorsDlg::~ColorsDlg() { m_appearance.unsubscribe(m_subscription); }

void ColorsDlg::CreateControls() {
    const wxSize text = GetTextExtent(wxS(">> BUTTON <<"));
    const int w = text.x, h = text.y;
    auto* column = new wxBoxSizer(wxVERTICAL);
    auto row = [this, column](wxWindow* first, wxWindow* second = nullptr) {
        addDialogRow(column, this, first, second);
    };
    column->AddSpacer(FromDIP(8));
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        if (i > 0) column->AddSpacer(FromDIP(4));
        m_buttons[i] = new ColorButton(this, kButtonRows[i].id, kButtonRows[i].label, fromInt(m_appearance.textColor()),
                                       fromInt(m_appearance.syntaxColors()[Appearance::kBackground]), wxDefaultPosition,
                                       wxSize(2 * w + FromDIP(8), h + FromDIP(16)), 1);
        m_buttons[i]->SetEditsBackground(kButtonRows[i].editsBackground);
        row(m_buttons[i]);
    }
    column->AddSpacer(FromDIP(4));
    m_highlighting = new wxCheckBox(this, ID_COLORS_ENABLE_HIGHLIGHTING, wxS("Enable Highlighting"), wxDefaultPosition,
                                    wxSize(2 * w + FromDIP(8), h + FromDIP(10)));
    row(m_highlighting);
    column->AddSpacer(FromDIP(8));
    row(new wxButton(this, ID_COLORS_FONT, wxS("&Font..."), wxDefaultPosition, wxSize(w, h + FromDIP(10))),
        new wxButton(this, ID_COLORS_OK, wxS("&OK"), wxDefaultPosition, wxSize(w, h + FromDIP(10))));
    column->AddSpacer(FromDIP(8));
    SetSizerAndFit(column);
    Move(m_position);
    SyncButtons();
}

ColorButton* ColorsDlg::GetColorButton(int id) const {
    for (ColorButton* button : m_buttons) {
        if (button && button->GetId() == id) return button;
    }
    return nullptr;
}

void ColorsDlg::ApplyColors() {
    m_appearance.setColors(toInt(m_buttons[kFore]->GetTextColour()), toInt(m_buttons[kBack]->GetBackColour()),
                           toInt(m_buttons[kFunction]->GetTextColour()), toInt(m_buttons[kOperator]->GetTextColour()),
                           toInt(m_buttons[kNumber]->GetTextColour()), toInt(m_buttons[kSelection]->GetBackColour()));
}

void ColorsDlg::SyncButtons() {
    const auto& colors = m_appearance.syntaxColors();
    const wxColour text = fromInt(m_appearance.textColor());
    const wxColour back = fromInt(colors[Appearance::kBackground]);
    m_buttons[kFore]->SetColours(text, back);
    m_buttons[kBack]->SetColours(text, back);
    m_buttons[kFunction]->SetColours(fromInt(colors[Appearance::kFunction]), back);
    m_buttons[kOperator]->SetColours(fromInt(colors[Appearance::kOperator]), back);
    m_buttons[kNumber]->SetColours(fromInt(colors[Appearance::kNumber]), back);
    m_buttons[kSelection]->SetColours(text, fromInt(colors[Appearance::kSelection]));
    for (ColorButton* button : m_buttons) button->SetFont(m_appearance.font().getFont());
    m_highlighting->SetValue(m_appearance.highlighting());
    Refresh();
}

void ColorsDlg::ChooseConsoleFont() {
    const lmFont& current = m_appearance.font();
    wxFontData data;
    data.EnableEffects(true);
    data.SetInitialFont(current.getFont());
    data.SetColour(current.color.getRGB());
    if (!chooseFont(this, data)) return;
    const wxFont chosen = data.GetChosenFont();
    const wxColour colour = data.GetColour();
    const std::wstring face = chosen.GetFaceName().ToStdWstring();
    const int size = chosen.GetPointSize();
    const int style = chosen.GetStyle();
    const int weight = weightCode(chosen.GetNumericWeight());
    if (face == current.getFaceName() && size == current.size && weight == weightCode(current.weight) &&
        style == current.style && toInt(colour) == current.color.toInt()) {
        return;
    }
    if (size < 4 || size > 32) return;
    m_appearance.setFont(&face, lmColor(colour), size, current.orientation, style, weight);
    // Synchronise first, so that applying the buttons' colours keeps the colour just chosen.
    SyncButtons();
    ApplyColors();
    SyncButtons();
}

void ColorsDlg::OnColorChosen(wxCommandEvent&) {
    ApplyColors();
    SyncButtons();
}

void ColorsDlg::OnHighlighting(wxCommandEvent& event) { m_appearance.setHighlighting(event.IsChecked()); }

void ColorsDlg::OnFont(wxCommandEvent&) { ChooseConsoleFont(); }

void ColorsDlg::OnOK(wxCommandEvent&) {
    ApplyColors();
    Destroy();
}

void ColorsDlg::OnClose(wxCloseEvent&) { Destroy(); }
