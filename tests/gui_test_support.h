// SPDX-License-Identifier: MIT
// Shared helpers of the GUI tests (run under Xvfb by gui_test_main.cpp): event pumping, keys and text,
// clipboard, message-box answers and screenshots.
#pragma once

#include <dlfcn.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/accel.h>
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/stc/stc.h>
#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/window.h>

#include "libs/ui/delvo_message_box.h"

namespace gui {

/// Handles every pending event; with ms > 0 keeps doing so for that long (timers, X round trips).
inline void pump(int ms = 0) {
    const wxLongLong end = wxGetLocalTimeMillis() + ms;
    do {
        for (int i = 0; i < 50; ++i) {
            wxTheApp->ProcessPendingEvents();
            wxTheApp->ProcessIdle();
            if (!wxTheApp->Pending()) break;
            wxTheApp->Dispatch();
        }
        wxYield();
        if (ms > 0) wxMilliSleep(5);
    } while (wxGetLocalTimeMillis() < end);
}

/// Pumps until done() is true or ms pass; gives done()'s last value.
inline bool pumpUntil(const std::function<bool()>& done, int ms = 3000) {
    const wxLongLong end = wxGetLocalTimeMillis() + ms;
    while (!done()) {
        if (wxGetLocalTimeMillis() > end) return false;
        pump(10);
    }
    return true;
}

/// Gives a window the keyboard focus (its top-level window raised first) and waits until it has it.
inline bool focus(wxWindow* window) {
    wxWindow* top = wxGetTopLevelParent(window);
    if (top) {
        top->Raise();
        top->SetFocus();
    }
    window->SetFocus();
    return pumpUntil([window] { return wxWindow::FindFocus() == window; }, 2000);
}

/// Key modifiers as wxMOD_* bits.
inline wxKeyEvent makeKeyEvent(wxEventType type, wxWindow* window, int keyCode, int modifiers, wxChar unicode) {
    wxKeyEvent event(type);
    event.SetEventObject(window);
    event.m_keyCode = keyCode;
    event.m_uniChar = unicode ? unicode : (keyCode < WXK_START ? static_cast<wxChar>(keyCode) : 0);
    event.m_controlDown = (modifiers & wxMOD_CONTROL) != 0;
    event.m_shiftDown = (modifiers & wxMOD_SHIFT) != 0;
    event.m_altDown = (modifiers & wxMOD_ALT) != 0;
    event.SetId(window->GetId());
    return event;
}

/// Delivers one key to a window the way wxGTK does, without the X server: accelerator tables of the window
/// and its parents first (the first matching table wins), then key down, then (if key down was skipped)
/// the character event. Deterministic where wxUIActionSimulator is flaky. Gives true when a handler took it.
inline bool sendKey(wxWindow* window, int keyCode, int modifiers = wxMOD_NONE, wxChar unicode = 0) {
    wxKeyEvent down = makeKeyEvent(wxEVT_KEY_DOWN, window, keyCode, modifiers, unicode);
    for (wxWindow* ancestor = window; ancestor; ancestor = ancestor->GetParent()) {
        const wxAcceleratorTable* table = ancestor->GetAcceleratorTable();
        const int command = table && table->IsOk() ? table->GetCommand(down) : -1;
        if (command != -1) {
            wxCommandEvent menuEvent(wxEVT_MENU, command);
            menuEvent.SetEventObject(ancestor);
            const bool handled = ancestor->GetEventHandler()->ProcessEvent(menuEvent);
            pump();
            return handled;
        }
        if (ancestor->IsTopLevel()) break;
    }
    bool handled = window->GetEventHandler()->ProcessEvent(down);
    if (!handled) {
        wxChar ch = unicode;
        if (!ch && keyCode < WXK_START) {
            ch = static_cast<wxChar>(keyCode);
            if ((modifiers & wxMOD_SHIFT) == 0 && ch >= 'A' && ch <= 'Z') ch = ch - 'A' + 'a';
        }
        if (keyCode == WXK_RETURN || keyCode == WXK_NUMPAD_ENTER) ch = '\r';
        if (keyCode == WXK_BACK || keyCode == WXK_TAB) ch = static_cast<wxChar>(keyCode);
        if (ch && (modifiers & (wxMOD_CONTROL | wxMOD_ALT)) == 0) {
            wxKeyEvent character = makeKeyEvent(wxEVT_CHAR, window, keyCode, modifiers, ch);
            character.m_keyCode = ch;
            handled = window->GetEventHandler()->ProcessEvent(character);
        }
    }
    wxKeyEvent up = makeKeyEvent(wxEVT_KEY_UP, window, keyCode, modifiers, unicode);
    window->GetEventHandler()->ProcessEvent(up);
    pump();
    return handled;
}

/// Types printable text character by character through sendKey.
inline void typeText(wxWindow* window, const wxString& text) {
    for (wxUniChar ch : text) {
        const wxChar c = static_cast<wxChar>(ch.GetValue());
        if (c == '\n') {
            sendKey(window, WXK_RETURN);
        } else {
            const int keyCode = (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
            sendKey(window, keyCode, c >= 'A' && c <= 'Z' ? wxMOD_SHIFT : wxMOD_NONE, c);
        }
    }
}

/// Real X key strokes through XTest (wxUIActionSimulator) to the focused window; pumps afterwards.
inline void simulateText(const char* text) {
    wxUIActionSimulator().Text(text);
    pump(50);
}

inline void simulateKey(int keyCode, int modifiers = wxMOD_NONE) {
    wxUIActionSimulator().Char(keyCode, modifiers);
    pump(50);
}

/// The marker bits of one line of a styled-text control.
inline int markers(wxStyledTextCtrl* control, int line) { return control->MarkerGet(line); }
inline bool hasMarker(wxStyledTextCtrl* control, int line, int marker) {
    return (control->MarkerGet(line) & (1 << marker)) != 0;
}

/// The system clipboard (not the primary selection).
inline bool setClipboardText(const wxString& value) {
    wxTheClipboard->UsePrimarySelection(false);
    if (!wxTheClipboard->Open()) return false;
    const bool ok = wxTheClipboard->SetData(new wxTextDataObject(value));
    wxTheClipboard->Close();
    pump();
    return ok;
}

inline wxString clipboardText() {
    wxString value;
    wxTheClipboard->UsePrimarySelection(false);
    if (!wxTheClipboard->Open()) return value;
    if (wxTheClipboard->IsSupported(wxDF_UNICODETEXT) || wxTheClipboard->IsSupported(wxDF_TEXT)) {
        wxTextDataObject data;
        if (wxTheClipboard->GetData(data)) value = data.GetText();
    }
    wxTheClipboard->Close();
    return value;
}

/// Answers every DelvoMessageBox with a fixed answer while it lives, and records the requests.
class MessageBoxAnswer {
public:
    explicit MessageBoxAnswer(int answer) {
        setMessageBoxResponder([this, answer](const MessageBoxRequest& request) {
            requests.push_back(request);
            return answer;
        });
    }
    ~MessageBoxAnswer() { setMessageBoxResponder(nullptr); }
    MessageBoxAnswer(const MessageBoxAnswer&) = delete;
    MessageBoxAnswer& operator=(const MessageBoxAnswer&) = delete;
    std::vector<MessageBoxRequest> requests;
};

/// A request as "message|caption|style in hex|label1|label2|label3", to compare with one literal.
inline wxString requestText(const MessageBoxRequest& request) {
    return wxString::Format(wxS("%s|%s|%lx|%s|%s|%s"), request.message, request.caption, request.style,
                            request.label1, request.label2, request.label3);
}

// ---- Native GTK dialogs (wxMessageDialog runs gtk_dialog_run, outside wx's window list) -----------------
// Reached through the GTK library the process already links, without GTK's headers.

constexpr int kGtkResponseDeleteEvent = -4, kGtkResponseOk = -5, kGtkResponseYes = -8, kGtkResponseNo = -9;

namespace detail {
struct GtkListNode {
    void* data;
    GtkListNode* next;
    GtkListNode* prev;
};
template <typename Function>
Function gtkFunction(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
}
/// The shown GTK top-level window with this title, or null.
inline void* findGtkWindow(const char* title) {
    auto list = gtkFunction<GtkListNode* (*)()>("gtk_window_list_toplevels");
    auto getTitle = gtkFunction<const char* (*)(void*)>("gtk_window_get_title");
    auto visible = gtkFunction<int (*)(void*)>("gtk_widget_get_visible");
    auto freeList = gtkFunction<void (*)(GtkListNode*)>("g_list_free");
    if (!list || !getTitle || !visible) return nullptr;
    void* found = nullptr;
    GtkListNode* windows = list();
    for (GtkListNode* node = windows; node; node = node->next) {
        const char* windowTitle = getTitle(node->data);
        if (windowTitle && std::string(windowTitle) == title && visible(node->data)) found = node->data;
    }
    if (freeList) freeList(windows);
    return found;
}
}  // namespace detail

/// The titles of the shown GTK top-level windows, one per line (for a test's failure message).
inline std::string shownGtkTitles() {
    auto list = detail::gtkFunction<detail::GtkListNode* (*)()>("gtk_window_list_toplevels");
    auto getTitle = detail::gtkFunction<const char* (*)(void*)>("gtk_window_get_title");
    auto freeList = detail::gtkFunction<void (*)(detail::GtkListNode*)>("g_list_free");
    if (!list || !getTitle) return std::string();
    std::string titles;
    detail::GtkListNode* windows = list();
    for (detail::GtkListNode* node = windows; node; node = node->next) {
        const char* title = getTitle(node->data);
        titles += std::string(title ? title : "(none)") + "\n";
    }
    if (freeList) freeList(windows);
    return titles;
}

/// Answers the shown GTK dialog of this title as if a button was pressed; false when there is none.
inline bool gtkDialogRespond(const char* title, int response) {
    void* dialog = detail::findGtkWindow(title);
    auto respond = detail::gtkFunction<void (*)(void*, int)>("gtk_dialog_response");
    if (!dialog || !respond) return false;
    respond(dialog, response);
    return true;
}

/// The label of the button of a response in the shown GTK dialog of this title ("" when none).
inline std::string gtkDialogButtonLabel(const char* title, int response) {
    void* dialog = detail::findGtkWindow(title);
    auto button = detail::gtkFunction<void* (*)(void*, int)>("gtk_dialog_get_widget_for_response");
    auto label = detail::gtkFunction<const char* (*)(void*)>("gtk_button_get_label");
    if (!dialog || !button || !label) return std::string();
    void* widget = button(dialog, response);
    const char* text = widget ? label(widget) : nullptr;
    return text ? std::string(text) : std::string();
}

constexpr int kGtkResponseAccept = -3, kGtkResponseCancel = -6;

/// Answers the shown GTK file chooser of this title as its user would: an empty path cancels it; otherwise a
/// save dialog gets the path's folder and its name typed, an open dialog the file selected, and then it is
/// accepted once the chooser holds the path (it loads folders in the background). Runs from inside the dialog's
/// modal loop (after()); false when no such dialog is shown.
inline bool gtkFileChooserAnswer(const char* title, const std::string& path) {
    void* chooser = detail::findGtkWindow(title);
    if (!chooser) return false;
    if (path.empty()) return gtkDialogRespond(title, kGtkResponseCancel);
    auto action = detail::gtkFunction<int (*)(void*)>("gtk_file_chooser_get_action");
    auto setFolder = detail::gtkFunction<int (*)(void*, const char*)>("gtk_file_chooser_set_current_folder");
    auto setName = detail::gtkFunction<void (*)(void*, const char*)>("gtk_file_chooser_set_current_name");
    auto select = detail::gtkFunction<int (*)(void*, const char*)>("gtk_file_chooser_set_filename");
    if (!action || !setFolder || !setName || !select) return false;
    constexpr int kGtkActionSave = 1;
    const std::string::size_type slash = path.rfind('/');
    if (action(chooser) == kGtkActionSave) {
        setFolder(chooser, path.substr(0, slash).c_str());
        setName(chooser, path.substr(slash + 1).c_str());
    } else {
        select(chooser, path.c_str());
    }
    auto filename = detail::gtkFunction<char* (*)(void*)>("gtk_file_chooser_get_filename");
    auto freeText = detail::gtkFunction<void (*)(void*)>("g_free");
    const auto holdsPath = [&] {
        char* chosen = filename(chooser);
        const bool same = chosen && path == chosen;
        freeText(chosen);
        return same;
    };
    pumpUntil(holdsPath, 3000);
    return gtkDialogRespond(title, kGtkResponseAccept);
}

/// Saves the screen area of a window (or the whole screen when null) as a PNG, with everything drawn on
/// top of it (pop-up menus, call tips). Reads the X server through GDK: wxScreenDC on GTK 3 may return an
/// older picture. False when nothing could be saved.
inline bool screenshot(const wxRect& screenArea, const wxString& path) {
    pump(150);
    const wxRect area = screenArea.Intersect(wxRect(wxPoint(0, 0), wxGetDisplaySize()));
    if (area.IsEmpty()) return false;
    wxFileName::Mkdir(wxFileName(path).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);

    auto rootWindow = detail::gtkFunction<void* (*)()>("gdk_get_default_root_window");
    auto fromWindow = detail::gtkFunction<void* (*)(void*, int, int, int, int)>("gdk_pixbuf_get_from_window");
    auto save = detail::gtkFunction<int (*)(void*, const char*, const char*, char**, char**, void**)>(
        "gdk_pixbuf_savev");
    auto unref = detail::gtkFunction<void (*)(void*)>("g_object_unref");
    if (!rootWindow || !fromWindow || !save || !unref) return false;
    void* pixbuf = fromWindow(rootWindow(), area.GetX(), area.GetY(), area.GetWidth(), area.GetHeight());
    if (!pixbuf) return false;
    const bool saved = save(pixbuf, path.utf8_str(), "png", nullptr, nullptr, nullptr) != 0;
    unref(pixbuf);
    return saved;
}

inline bool screenshot(wxWindow* window, const wxString& path) {
    return screenshot(window ? window->GetScreenRect() : wxRect(wxPoint(0, 0), wxGetDisplaySize()), path);
}

/// The pixels of a window as they are on the screen now (empty image when they cannot be read).
inline wxImage grab(wxWindow* window) {
    const wxString path = wxFileName::CreateTempFileName(wxS("delvo-grab")) + wxS(".png");
    wxImage image;
    if (screenshot(window, path)) image.LoadFile(path, wxBITMAP_TYPE_PNG);
    wxRemoveFile(path);
    return image;
}

/// How many pixels of an image have exactly this colour.
inline int countPixels(const wxImage& image, const wxColour& colour) {
    int count = 0;
    const unsigned char* data = image.IsOk() ? image.GetData() : nullptr;
    const int pixels = image.IsOk() ? image.GetWidth() * image.GetHeight() : 0;
    for (int i = 0; i < pixels; ++i, data += 3) {
        if (data[0] == colour.Red() && data[1] == colour.Green() && data[2] == colour.Blue()) ++count;
    }
    return count;
}

/// Folder for screenshots and other test output: $DELVO_TEST_OUTPUT, else the build folder's "test-output".
inline wxString outputDir() {
    wxString dir;
    if (!wxGetEnv(wxS("DELVO_TEST_OUTPUT"), &dir)) dir = wxString(DELVO_BINARY_DIR) + wxS("/test-output");
    wxFileName::Mkdir(dir, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    return dir;
}

/// Runs action from inside the event loop after ms, e.g. to look at or close a modal pop-up menu.
inline void after(int ms, std::function<void()> action) {
    auto* timer = new wxTimer;
    timer->Bind(wxEVT_TIMER, [timer, action](wxTimerEvent&) {
        action();
        timer->Stop();
        wxTheApp->CallAfter([timer] { delete timer; });
    });
    timer->StartOnce(ms);
}

/// Runs action, which shows a modal file chooser of this title, and answers the chooser with path (empty:
/// cancel) once it shows; a later timer cancels it should the answer miss it, so that no test hangs. True when
/// the answer reached the chooser.
inline bool answerFileChooser(const char* title, const std::string& path, const std::function<void()>& action) {
    auto answered = std::make_shared<bool>(false);
    after(400, [answered, title, path] { *answered = gtkFileChooserAnswer(title, path); });
    after(8000, [title] { gtkDialogRespond(title, kGtkResponseCancel); });
    action();
    pump(20);
    return *answered;
}

}  // namespace gui
