// SPDX-License-Identifier: MIT
// A long session in the real main window: lines entered one after another (replies, failed lines with their
// underline, comments, solves, plots opened and closed, the variables and solver dialogs refreshed), optionally
// with a screen reader listening to the console; or a plot window zoomed with the wheel, repainted each time. At
// 100, 1,000, 10,000 and 100,000 lines (or zooms) it prints the time per line (or zoom) over the 50 before, wall
// and CPU, the resident memory, the heap in use and the console's lines and text. The 50 lines measured are typed
// key by key, each key repainted; the lines between are put on the input line at once and entered with Enter, so
// that 100,000 lines take minutes rather than hours. Needs a display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" bench_long_session console|reader|plot|plot-steady [count]
#include <malloc.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <atk/atk.h>
#include <gtk/gtk.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/toplevel.h>

#include "app/delvo_app.h"
#include "console/console_edit.h"
#include "console/console_window.h"
#include "libs/graph/plot_frame.h"
#include "tools/solver_dlg.h"
#include "tools/varlist_dlg.h"

wxIMPLEMENT_APP_NO_MAIN(DelvoApp);

namespace {

// Lines (or zooms) a checkpoint's time is averaged over: one turn of the session's mix.
constexpr int kWindow = 50;

struct Clock {
    double wall() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    }
    double cpu() const {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    }
};

double residentMegabytes() {
    long pages = 0, resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double heapMegabytes() {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
    return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0);
#else
    return 0.0;
#endif
}

// Everything the toolkit has queued: X events (expose, configure), posted events, then idle handlers.
void settle() {
    for (int i = 0; i < 50 && wxTheApp->Pending(); ++i) wxTheApp->Dispatch();
    wxTheApp->ProcessPendingEvents();
    wxTheApp->ProcessIdle();
}

// One key as the toolkit delivers it: key down, then the character when nobody took the key.
void pressKey(wxWindow* window, int keyCode, wxChar character) {
    wxKeyEvent down(wxEVT_KEY_DOWN);
    down.SetEventObject(window);
    down.m_keyCode = keyCode;
    down.m_uniChar = character;
    if (!window->GetEventHandler()->ProcessEvent(down) && character) {
        wxKeyEvent typed(wxEVT_CHAR);
        typed.SetEventObject(window);
        typed.m_keyCode = character;
        typed.m_uniChar = character;
        window->GetEventHandler()->ProcessEvent(typed);
    }
    wxKeyEvent up(wxEVT_KEY_UP);
    up.SetEventObject(window);
    up.m_keyCode = keyCode;
    window->GetEventHandler()->ProcessEvent(up);
    // What the loop does after a key: the events it posted, idle time, the repaint.
    wxTheApp->ProcessPendingEvents();
    wxTheApp->ProcessIdle();
    window->Update();
}

// Types a line key by key and presses Enter; unless typed, the line is put on the input line at once, as the
// keypad and the functions menu put text there, and entered with the same key.
void enterLine(ConsoleEdit* console, const wxString& line, bool typed = true) {
    if (typed) {
        for (wxUniChar ch : line) {
            const wxChar c = static_cast<wxChar>(ch.GetValue());
            pressKey(console, (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c, c);
        }
    } else {
        console->typeText(line, 0);
    }
    pressKey(console, WXK_RETURN, '\r');
    settle();
}

// The n-th line of the session. One turn of 50 lines: replies of several kinds, comments, failed lines (each
// with its underline), a solve, a plot opened (and closed by the caller), and refreshes of the two dialogs.
enum class Extra { None, Plot, Variables, Solver };

wxString sessionLine(int n, Extra* extra) {
    *extra = Extra::None;
    const int k = n % kWindow, v = n / kWindow;
    switch (k % 10) {
        case 0: return wxString::Format(wxS("%d*7+sin(%d)"), n, v % 90);
        case 1: return wxString::Format(wxS("2*(3+%d"), n);           // missing closing parenthesis
        case 2: return wxString::Format(wxS("%d/4 # a quarter"), n);  // a comment after a value
        case 3: return wxString::Format(wxS("x%d=%d^2"), v % 1000, k);
        case 4: return wxString::Format(wxS("%d+foo"), n);            // an unknown name
        case 5: return wxString::Format(wxS("sqrt(%d)*ln(2)"), n);
        case 6: return wxString::Format(wxS("# note %d"), n);         // a line of comment alone
        case 7:
            if (k == 7) *extra = Extra::Variables;
            if (k == 17) *extra = Extra::Solver;
            return wxString::Format(wxS("hypot(%d,%d)"), n, k);
        case 8:
            if (k == 48) {
                *extra = Extra::Plot;
                return wxString::Format(wxS("plot(sin(x)*%d)"), 1 + v % 9);
            }
            return wxString::Format(wxS("solve(x^2-%d,0,1000)"), n % 997 + 1);
        default: return wxString::Format(wxS("%d;%d*2"), n, n);
    }
}

// A screen reader in the process: what the accessibility bridge asks on each event (the changed text, to send
// with the event), then what a reader asks when the caret moves (the line it now stands on, the length).
struct Listener {
    long events = 0;
    long charactersRead = 0;
    int length = 0;
};
Listener s_listener;

gboolean onTextChanged(GSignalInvocationHint*, guint count, const GValue* values, gpointer) {
    if (count < 3) return TRUE;
    AtkText* text = ATK_TEXT(g_value_get_object(&values[0]));
    const int offset = g_value_get_int(&values[1]), length = g_value_get_int(&values[2]);
    gchar* changed = atk_text_get_text(text, offset, offset + length);
    s_listener.charactersRead += g_utf8_strlen(changed, -1);
    g_free(changed);
    ++s_listener.events;
    return TRUE;
}

gboolean onCaretMoved(GSignalInvocationHint*, guint, const GValue* values, gpointer) {
    AtkText* text = ATK_TEXT(g_value_get_object(&values[0]));
    const int caret = atk_text_get_caret_offset(text);
    int start = 0, end = 0;
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gchar* line = atk_text_get_text_at_offset(text, caret, ATK_TEXT_BOUNDARY_LINE_START, &start, &end);
    G_GNUC_END_IGNORE_DEPRECATIONS
    s_listener.charactersRead += g_utf8_strlen(line, -1);
    g_free(line);
    s_listener.length = atk_text_get_character_count(text);
    ++s_listener.events;
    return TRUE;
}

bool listenToConsole(ConsoleEdit* console) {
    AtkObject* object = gtk_widget_get_accessible(console->m_wxwindow);  // the bridge's first request
    if (!ATK_IS_TEXT(object)) return false;
    return atk_add_global_event_listener(onTextChanged, "Gtk:AtkText:text-changed") != 0 &&
           atk_add_global_event_listener(onCaretMoved, "Gtk:AtkText:text-caret-moved") != 0;
}

void closePlots() {
    for (wxWindow* top : wxTopLevelWindows)
        if (auto* plot = dynamic_cast<PlotFrame*>(top)) plot->Close(true);
    settle();
}

template <typename Dialog>
Dialog* findDialog() {
    for (wxWindow* top : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<Dialog*>(top)) return dialog;
    return nullptr;
}

void pressButton(wxWindow* dialog, int id) {
    wxCommandEvent press(wxEVT_BUTTON, id);
    press.SetEventObject(dialog->FindWindow(id));
    dialog->GetEventHandler()->ProcessEvent(press);
}

// The columns of a checkpoint's row; the console's lines and text only where the session writes into it.
void printHeader(const char* what, bool console) {
    std::printf("%10s %12s %12s %10s %10s", what, "wall us", "cpu us", "RSS MB", "heap MB");
    std::printf(console ? " %10s %12s\n" : "\n", "lines", "text KB");
}

struct Checkpoints {
    int next = 100;
    double wall = 0, cpu = 0;
    // The item is one of the window before the next checkpoint.
    bool measures(int n) const { return n > next - kWindow; }
    // Counts the item that just ended; prints a row when it closes a window that ends at a checkpoint.
    void item(int done, double wallSpent, double cpuSpent, ConsoleEdit* console) {
        if (measures(done)) {
            wall += wallSpent;
            cpu += cpuSpent;
        }
        if (done != next) return;
        std::printf("%10d %12.1f %12.1f %10.1f %10.1f", done, wall / kWindow * 1e6, cpu / kWindow * 1e6,
                    residentMegabytes(), heapMegabytes());
        if (console) std::printf(" %10d %12.1f", console->GetLineCount(), console->GetLength() / 1024.0);
        std::printf("\n");
        std::fflush(stdout);
        wall = cpu = 0;
        next *= 10;
    }
};

int runSession(ConsoleWindow* window, int lines, bool reader) {
    ConsoleEdit* console = window->GetConsole();
    if (reader && !listenToConsole(console)) {
        std::fputs("bench_long_session: the console has no accessible text\n", stderr);
        return 1;
    }
    // The two dialogs stay open; the session refreshes them now and then, the way a user glances at them.
    for (int command : {ID_VIEW_VARIABLES, ID_VIEW_SOLVER}) {
        wxCommandEvent open(wxEVT_MENU, command);
        window->GetEventHandler()->ProcessEvent(open);
    }
    settle();
    auto* variables = findDialog<VarlistDlg>();
    auto* solver = findDialog<SolverDlg>();
    if (!variables || !solver) {
        std::fputs("bench_long_session: the tool dialogs did not open\n", stderr);
        return 1;
    }
    std::printf("%s, RSS %.1f MB, heap %.1f MB before the first line\n",
                reader ? "console with a screen reader listening" : "console", residentMegabytes(), heapMegabytes());
    printHeader("lines", true);
    const Clock clock;
    Checkpoints checkpoints;
    for (int n = 1; n <= lines; ++n) {
        const double wall0 = clock.wall(), cpu0 = clock.cpu();
        Extra extra = Extra::None;
        enterLine(console, sessionLine(n, &extra), checkpoints.measures(n));
        switch (extra) {
            case Extra::Plot: closePlots(); break;
            case Extra::Variables: pressButton(variables, ID_VARLIST_REFRESH); break;
            case Extra::Solver:
                solver->GetFunctionField()->SetValue(wxString::Format(wxS("x^3-%d"), n % 50 + 2));
                pressButton(solver, ID_SOLVER_SOLVE);
                break;
            case Extra::None: break;
        }
        settle();
        checkpoints.item(n, clock.wall() - wall0, clock.cpu() - cpu0, console);
    }
    if (reader) std::printf("reader: %ld events, %ld characters read\n", s_listener.events, s_listener.charactersRead);
    return 0;
}

int runZooms(ConsoleWindow* window, int zooms, bool steady) {
    ConsoleEdit* console = window->GetConsole();
    for (const wchar_t* line : {wxS("plot(sin(x))"), wxS("plot(cos(x)*2)"), wxS("plot(x^2,-2,2)"),
                                 wxS("plot(tan(x),-5,5)"), wxS("plot(exp(-x^2)*3)")})
        enterLine(console, line);
    settle();
    PlotFrame* plot = findDialog<PlotFrame>();
    if (!plot) {
        std::fputs("bench_long_session: no plot window\n", stderr);
        return 1;
    }
    PlotCanvas* canvas = plot->canvas();
    canvas->Update();
    const PlotRect area = canvas->plotArea();
    const wxPoint middle(static_cast<int>(area.left + area.width / 2), static_cast<int>(area.top + area.height / 2));
    std::printf("a plot window of five curves zoomed %s, RSS %.1f MB, heap %.1f MB before the first notch\n",
                steady ? "in, notch after notch" : "in and out, eight notches each way", residentMegabytes(),
                heapMegabytes());
    printHeader("zooms", false);
    const Clock clock;
    Checkpoints checkpoints;
    for (int n = 1; n <= zooms; ++n) {
        const double wall0 = clock.wall(), cpu0 = clock.cpu();
        wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
        wheel.SetEventObject(canvas);
        wheel.SetPosition(middle);
        wheel.m_wheelDelta = 120;
        wheel.m_wheelRotation = steady || ((n - 1) / 8) % 2 == 0 ? 120 : -120;  // up: in
        wheel.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
        canvas->GetEventHandler()->ProcessEvent(wheel);
        canvas->Update();
        settle();
        checkpoints.item(n, clock.wall() - wall0, clock.cpu() - cpu0, nullptr);
    }
    const PlotView& view = canvas->view();
    std::printf("view after the last notch: x from %g to %g\n", view.xmin, view.xmax);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "console";
    const bool zoom = mode == "plot" || mode == "plot-steady";
    if (!zoom && mode != "console" && mode != "reader") {
        std::fputs("usage: bench_long_session console|reader|plot|plot-steady [count]\n", stderr);
        return 2;
    }
    const int count = argc > 2 ? std::atoi(argv[2]) : (zoom ? 10000 : 100000);
    // A settings folder of the run's own: the session must neither read nor write the user's.
    char home[] = "/tmp/delvo-long-session-XXXXXX";
    if (!mkdtemp(home)) return 1;
    setenv("HOME", home, 1);
    setenv("XDG_DATA_HOME", (std::string(home) + "/.local/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (std::string(home) + "/.config").c_str(), 1);
    setenv("GDK_BACKEND", "x11", 1);
    // The session listens to the console's accessible text itself, in the process (Listener above).
    setenv("NO_AT_BRIDGE", "1", 1);

    auto* app = new DelvoApp;
    wxApp::SetInstance(app);
    char program[] = "tallyx";
    char* startArgs[] = {program, nullptr};
    int toolkitArgc = 1;
    app->startUp(1, startArgs);
    if (!wxEntryStart(toolkitArgc, startArgs) || !app->OnInit()) {
        std::fputs("bench_long_session: no window (run under xvfb-run)\n", stderr);
        return 1;
    }
    delete wxLog::SetActiveTarget(new wxLogStderr);
    ConsoleWindow* window = app->mainWindow();
    // The session runs as the program's main loop runs it: X events, posted events and idle time in turn.
    wxEventLoop loop;
    wxEventLoopActivator active(&loop);
    for (int i = 0; i < 20; ++i) settle();
    const int status = zoom ? runZooms(window, count, mode == "plot-steady")
                            : runSession(window, count, mode == "reader");
    window->ShutDown();
    for (int i = 0; i < 20; ++i) settle();
    app->OnExit();
    wxEntryCleanup();
    return status;
}
