// SPDX-License-Identifier: MIT
// What publishing the console's text to screen readers costs: a reply line and a typed character added to
// (and taken from) a console holding a long history, without and with the console's accessible object.
// Needs a display: run as  xvfb-run -a bench_console_publish
#include <benchmark/benchmark.h>
#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/stc/stc.h>

#include "console/accessibility.h"

namespace {

// Executed lines with their replies already in the console: 4,000 lines, about 40 KB.
constexpr int kHistoryLines = 2000;

// How far the console is published: not at all, published (no screen reader has asked for it yet), or with
// its accessible object, as once a screen reader has asked.
enum Published { kNot, kUnasked, kAsked };

wxStyledTextCtrl* makeConsole(int published)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, wxS("Console"));
    auto* edit = new wxStyledTextCtrl(frame, wxID_ANY, wxDefaultPosition, wxSize(420, 180), wxVSCROLL | wxHSCROLL);
    edit->SetCodePage(wxSTC_CP_UTF8);
    edit->SetModEventMask(wxSTC_MOD_INSERTTEXT | wxSTC_MOD_DELETETEXT);
    if (published != kNot)
        publishConsoleText(*edit, wxS("Console"));
    if (published == kAsked)
        gtk_widget_get_accessible(edit->m_wxwindow);
    for (int i = 0; i < kHistoryLines; ++i)
        edit->AppendText(wxString::Format(wxS("%d*7+sin(%d)\n%d\n"), i, i, i * 7));
    return edit;
}

void BM_ReplyLine(benchmark::State& state)
{
    wxStyledTextCtrl* edit = makeConsole(static_cast<int>(state.range(0)));
    const wxString reply = wxS("0.841470984807897\n");
    for (auto _ : state) {
        const int end = edit->GetLength();
        edit->AppendText(reply);
        edit->DeleteRange(end, static_cast<int>(reply.length()));
    }
    edit->GetParent()->Destroy();
}
BENCHMARK(BM_ReplyLine)->ArgName("published")->DenseRange(kNot, kAsked)->Unit(benchmark::kMicrosecond);

void BM_TypedCharacter(benchmark::State& state)
{
    wxStyledTextCtrl* edit = makeConsole(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const int end = edit->GetLength();
        edit->InsertText(end, wxS("7"));
        edit->DeleteRange(end, 1);
    }
    edit->GetParent()->Destroy();
}
BENCHMARK(BM_TypedCharacter)->ArgName("published")->DenseRange(kNot, kAsked)->Unit(benchmark::kMicrosecond);

} // namespace
