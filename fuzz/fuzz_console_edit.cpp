// SPDX-License-Identifier: MIT
// The console's text operations on a real ConsoleEdit (needs a display: run under Xvfb). Each input is a session of
// steps on a console started over (empty text, no history, a new interpreter): keypad text and typed characters at
// any selection, any key with any modifiers, a paste of any clipboard text, cut, delete, undo, history restored and
// recalled, execution, clear and reset, error reasons asked at any place. After each step the console's rules hold:
// only an execution, a clear, a reset or a key on a selection that reaches back changes the lines above the input
// line; a paste leaves one input line of at most 255 characters; the history keeps 12 distinct entries of 1 to 255
// characters; the input line carries the prompt; an error underline lies on a line marked as failed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>

#include <fuzzer/FuzzedDataProvider.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/menu.h>

#include "console/command_ids.h"
#include "console/console_edit.h"
#include "console/console_history.h"
#include "engine/interpreter.h"
#include "engine/window_commands.h"
#include "libs/ui/editor_prefs.h"
#include "tests/gui_test_support.h"

namespace {

constexpr int kMaxSteps = 64;
constexpr size_t kMaxText = 400;

enum Step {
    kKeypadText,
    kTypedCharacter,
    kKey,
    kSelect,
    kPaste,
    kEraseLeft,
    kDeleteForward,
    kCut,
    kCopy,
    kRestoreHistory,
    kExecute,
    kClear,
    kReset,
    kErrorReason,
    kContextMenu,
    kLastStep = kContextMenu,
};

// Keys the console treats itself, the ones Scintilla's key map binds, and the accelerators' letters.
// clang-format off
const int kKeys[] = {
    WXK_RETURN, WXK_NUMPAD_ENTER, WXK_BACK, WXK_DELETE, WXK_NUMPAD_DELETE, WXK_INSERT, WXK_ESCAPE, WXK_TAB,
    WXK_LEFT, WXK_RIGHT, WXK_UP, WXK_DOWN, WXK_HOME, WXK_END, WXK_PAGEUP, WXK_PAGEDOWN,
    WXK_NUMPAD_LEFT, WXK_NUMPAD_UP, WXK_NUMPAD_DOWN, WXK_NUMPAD_PAGEUP, WXK_NUMPAD_PAGEDOWN,
    WXK_NUMPAD_ADD, WXK_NUMPAD_SUBTRACT, WXK_NUMPAD0, WXK_F2, WXK_F10, WXK_F12, WXK_MENU,
    'A', 'C', 'D', 'J', 'K', 'L', 'T', 'U', 'V', 'X', 'Y', 'Z', '0', '+', '-', '[', ']', '/', '\\', ' ',
};
// clang-format on

bool executes(int key) { return key == WXK_RETURN || key == WXK_NUMPAD_ENTER || key == WXK_F12; }

/// "cls" and "clear" clear the console, as the main window does; the other window commands do nothing here.
class ConsoleCommands : public WindowCommands {
public:
    void clearConsole() override {
        if (console) console->ClearConsole();
        cleared = true;
    }
    void showHelp() override {}
    void saveConsole() override {}
    void shutDown() override {}

    ConsoleEdit* console = nullptr;
    bool cleared = false;
};

[[noreturn]] void broken(const char* rule) {
    std::fprintf(stderr, "console rule broken: %s\n", rule);
    std::fflush(stderr);
    std::abort();
}

// A failed toolkit assertion is a finding like a crash, not a modal dialog.
void assertionFailed(const wxString& file, int line, const wxString& function, const wxString& condition,
                     const wxString& message) {
    std::fprintf(stderr, "wxWidgets assertion %s in %s (%s:%d): %s\n", condition.utf8_str().data(),
                 function.utf8_str().data(), file.utf8_str().data(), line, message.utf8_str().data());
    std::fflush(stderr);
    std::abort();
}

/// Text from the input's bytes: UTF-8 (any character, invalid text left empty) or one character a byte
/// (line breaks, tabs and NUL included).
wxString textFrom(FuzzedDataProvider& input) {
    const bool utf8 = input.ConsumeBool();
    const std::string bytes = input.ConsumeRandomLengthString(kMaxText);
    if (utf8) return wxString::FromUTF8(bytes.data(), bytes.size());
    wxString text;
    for (const char byte : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(byte));
    return text;
}

int modifiersFrom(FuzzedDataProvider& input) {
    const int bits = input.ConsumeIntegralInRange(0, 7);
    return ((bits & 1) ? wxMOD_CONTROL : 0) | ((bits & 2) ? wxMOD_SHIFT : 0) | ((bits & 4) ? wxMOD_ALT : 0);
}

wxString aboveInput(ConsoleEdit& console) {
    return console.GetTextRange(0, console.GetInputStart(console.GetLineCount() - 1));
}

void checkHistory(const ConsoleEdit& console) {
    const int count = console.GetHistoryCount();
    if (count < 0 || count > ConsoleHistory::kCapacity) broken("history holds 0 to 12 entries");
    for (int i = 0; i < count; ++i) {
        const wxString entry = console.GetHistoryEntry(i);
        if (entry.empty() || static_cast<int>(entry.length()) > ConsoleHistory::kEntryMax)
            broken("a history entry holds 1 to 255 characters");
        for (int j = 0; j < i; ++j)
            if (entry.IsSameAs(console.GetHistoryEntry(j), false)) broken("history entries are distinct");
    }
}

void checkMarks(ConsoleEdit& console) {
    const int last = console.GetLineCount() - 1;
    if (!gui::hasMarker(&console, last, ConsoleEdit::PROMPT_MARKER)) broken("the input line carries the prompt");
    for (int pos = 0; pos < console.GetLength(); ++pos) {
        if (console.errorMarks().reasonAt(pos).empty()) continue;
        if (!gui::hasMarker(&console, console.LineFromPosition(pos), ConsoleEdit::ERROR_MARKER))
            broken("an error underline lies on a failed line");
    }
}

/// What a step may do to the lines above the input line.
enum class Effect {
    Edit,     ///< leaves them as they were
    Execute,  ///< keeps them and adds lines (an execution; "cls" and "clear" clear them)
    Free,     ///< may change them: a clear, a reset, a key or Delete on a selection that reaches back into them
};

/// With the caret on the input line, Delete and the control's standard key and character handling act on the
/// whole selection, also one that reaches back into earlier lines: such a step may change the lines above.
bool selectionReachesBack(ConsoleEdit& console) {
    return console.GetSelectionStart() < console.GetInputStart(console.GetLineCount() - 1) &&
           console.GetSelectionEnd() > console.GetSelectionStart();
}

Effect runStep(Step step, FuzzedDataProvider& input, ConsoleEdit& console) {
    switch (step) {
        case kKeypadText: {
            // The keypad types names, digits and signs, never a line break.
            wxString text = textFrom(input);
            text.Replace(wxS("\n"), wxString());
            text.Replace(wxS("\r"), wxString());
            console.typeText(text, input.ConsumeIntegralInRange(-3, 0));
            return Effect::Edit;
        }
        case kTypedCharacter: {
            const wxChar ch = static_cast<wxChar>(input.ConsumeIntegralInRange(0x20, 0x2FF));
            const bool replacesBack = selectionReachesBack(console);
            gui::sendKey(&console, ch < 0x80 ? wxToupper(ch) : WXK_NONE, wxMOD_NONE, ch);
            return replacesBack ? Effect::Free : Effect::Edit;
        }
        case kKey: {
            const int key = input.PickValueInArray(kKeys);
            const bool reachesBack = selectionReachesBack(console);
            gui::sendKey(&console, key, modifiersFrom(input));
            return executes(key) ? Effect::Execute : reachesBack ? Effect::Free : Effect::Edit;
        }
        case kSelect: {
            const int length = console.GetLength();
            // The mouse and the keys select whole characters: a position inside one moves to its start.
            const auto whole = [&console, length](int pos) {
                return pos <= 0 || pos >= length ? pos : console.PositionBefore(console.PositionAfter(pos));
            };
            const int anchor = whole(input.ConsumeIntegralInRange(-1, length + 1));
            const int caret = whole(input.ConsumeIntegralInRange(-1, length + 1));
            console.SetSelection(anchor, caret);
            return Effect::Edit;
        }
        case kPaste: {
            const wxString text = textFrom(input);
            const int lines = console.GetLineCount();
            const wxString before = console.GetText();
            // A tab typed with the Tab key may be there already; the paste must bring none.
            const auto breaks = [&console](int line) {
                const wxString t = console.GetLineText(line);
                return std::count_if(t.begin(), t.end(),
                                     [](wxUniChar c) { return c == '\t' || c == '\r' || c == '\n'; });
            };
            const auto breaksBefore = breaks(lines - 1);
            if (!gui::setClipboardText(text)) return Effect::Edit;
            if (input.ConsumeBool()) {
                console.PasteClipboard();
            } else {
                gui::sendKey(&console, 'V', wxMOD_CONTROL);
            }
            if (console.GetText() != before) {
                if (console.GetLineCount() != lines) broken("a paste adds no line");
                const wxString line = console.GetLineText(lines - 1);
                if (static_cast<int>(line.length()) > ConsoleEdit::kPasteMax)
                    broken("a paste leaves at most 255 characters on the input line");
                if (breaks(lines - 1) > breaksBefore) broken("a paste brings no tab or line break");
            }
            return Effect::Edit;
        }
        case kEraseLeft: console.eraseLeft(); return Effect::Edit;
        case kDeleteForward: {
            const bool reachesBack = selectionReachesBack(console);
            console.DeleteForward();
            return reachesBack ? Effect::Free : Effect::Edit;
        }
        case kCut: console.CutSelection(); return Effect::Edit;
        case kCopy: console.CopySelection(); return Effect::Edit;
        case kRestoreHistory: console.AddHistory(textFrom(input)); return Effect::Edit;
        case kExecute: console.ExecuteLine(); return Effect::Execute;
        case kClear: console.ClearConsole(); return Effect::Free;
        case kReset: {
            gui::MessageBoxAnswer answer(input.ConsumeBool() ? wxYES : wxNO);
            console.ResetConsole();
            return Effect::Free;
        }
        case kErrorReason:
            console.errorMarks().showReasonAt(input.ConsumeIntegralInRange(-1, console.GetLength() + 1));
            return Effect::Edit;
        case kContextMenu: delete console.CreateContextMenu(); return Effect::Edit;
    }
    return Effect::Edit;
}

/// With DELVO_FUZZ_TRACE set, each step and the lines after it (prompt ">", failed "!") go to standard error,
/// to read what a finding did.
void trace(int step, Step kind, ConsoleEdit& console) {
    std::fprintf(stderr, "step %d: %d\n", step, static_cast<int>(kind));
    for (int line = 0; line < console.GetLineCount(); ++line) {
        const char prompt = gui::hasMarker(&console, line, ConsoleEdit::PROMPT_MARKER) ? '>' : ' ';
        const char failed = gui::hasMarker(&console, line, ConsoleEdit::ERROR_MARKER) ? '!' : ' ';
        std::fprintf(stderr, "  %c%c|%s|\n", prompt, failed, console.GetLineText(line).utf8_str().data());
    }
}

/// One console and interpreter for the whole run: a new console per input would cost ten times the steps.
struct Session {
    Interpreter interpreter;
    ConsoleCommands commands;
    ConsoleEdit* console = nullptr;
};

wxFrame* g_frame = nullptr;
Session* g_session = nullptr;
bool g_trace = false;

/// The session as a new console shows it: empty text with its prompt, no history, no failure before, no popup,
/// normal zoom, a new interpreter and an empty clipboard; what one input did never reaches the next.
Session& startOver(bool verbose) {
    if (!g_session) {
        g_session = new Session;
        g_session->console = new ConsoleEdit(g_frame, g_session->interpreter);
        g_session->console->ApplyPreferences(EditorPrefs(), true);
        g_session->console->SetSize(g_frame->GetClientSize());
        g_session->commands.console = g_session->console;
    }
    ConsoleEdit& console = *g_session->console;
    console.AutoCompCancel();
    console.CallTipCancel();
    // A line that succeeds forgets a failed line before it, which would otherwise take the next line as its
    // correction; the reset then empties the history and the text.
    console.ClearConsole();
    console.typeText(wxS("0"), 0);
    console.ExecuteLine();
    {
        gui::MessageBoxAnswer reset(wxYES);
        console.ResetConsole();
    }
    console.ZoomNormal();
    // The console holds a reference to its interpreter: a new one is built in the same place.
    Interpreter& interpreter = g_session->interpreter;
    interpreter.~Interpreter();
    new (&interpreter) Interpreter();
    interpreter.verbose = verbose;
    interpreter.setWindowCommands(&g_session->commands);
    gui::setClipboardText(wxString());
    return *g_session;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Quiet and predictable under Xvfb, as in the GUI tests.
    setenv("GDK_BACKEND", "x11", 1);
    setenv("NO_AT_BRIDGE", "1", 1);
    setenv("GTK_OVERLAY_SCROLLING", "0", 1);
    wxApp::SetInstance(new wxApp);
    int toolkitArgc = 1;
    char* toolkitArgv[] = {(*argv)[0], nullptr};
    (void)argc;
    if (!wxEntryStart(toolkitArgc, toolkitArgv)) {
        std::fputs("fuzz_console_edit: no display (run under xvfb-run)\n", stderr);
        std::exit(1);
    }
    g_trace = std::getenv("DELVO_FUZZ_TRACE") != nullptr;
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxSetAssertHandler(assertionFailed);
    wxTheApp->SetExitOnFrameDelete(false);
    // The frame stays hidden: nothing is drawn, which the text rules do not need, and an input runs about five
    // times faster.
    g_frame = new wxFrame(nullptr, wxID_ANY, wxS("DelvoCalculator"), wxDefaultPosition, wxSize(560, 300));
    gui::pump();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    Session& session = startOver(input.ConsumeBool());
    ConsoleEdit* console = session.console;
    for (int step = 0; step < kMaxSteps && input.remaining_bytes() > 0; ++step) {
        const wxString above = aboveInput(*console);
        const int lines = console->GetLineCount();
        session.commands.cleared = false;
        const auto kind = static_cast<Step>(input.ConsumeIntegralInRange(0, static_cast<int>(kLastStep)));
        const Effect effect = runStep(kind, input, *console);
        if (g_trace) trace(step, kind, *console);
        if (effect == Effect::Edit && (aboveInput(*console) != above || console->GetLineCount() != lines))
            broken("editing leaves the lines above the input line as they were");
        if (effect == Effect::Execute && !session.commands.cleared && console->GetLineCount() > 1 &&
            !console->GetText().StartsWith(above))
            broken("an execution keeps the lines above the input line");
        checkHistory(*console);
        checkMarks(*console);
    }
    return 0;
}
