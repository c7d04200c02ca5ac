// SPDX-License-Identifier: MIT
// Icons of the main window: our XPM pixel art, the same on every desktop. Not one comes from the desktop's icon
// theme: loading a theme reads its index files, and that alone cost a tenth of the start-up.
#include "libs/ui/window_icons.h"

#ifdef __WXGTK__
#include <dlfcn.h>
#endif

#include <map>

#include <wx/image.h>
#include <wx/window.h>

#include "resources/close.xpm"
#include "resources/colors.xpm"
#include "resources/copy.xpm"
#include "resources/cos.xpm"
#include "resources/cut.xpm"
#include "resources/delvo_icon.xpm"
#include "resources/execute.xpm"
#include "resources/exp.xpm"
#include "resources/functions.xpm"
#include "resources/numpad.xpm"
#include "resources/open.xpm"
#include "resources/paste.xpm"
#include "resources/pi.xpm"
#include "resources/reset.xpm"
#include "resources/save_as.xpm"
#include "resources/topmost.xpm"
#include "resources/variables.xpm"

namespace {

constexpr int kIconSize = 16;

const char* const* drawing(WindowIcon icon) {
    switch (icon) {
        case WindowIcon::SaveAs: return save_as_xpm;
        case WindowIcon::Open: return open_xpm;
        case WindowIcon::Close: return close_xpm;
        case WindowIcon::Copy: return copy_xpm;
        case WindowIcon::Cut: return cut_xpm;
        case WindowIcon::Paste: return paste_xpm;
        case WindowIcon::Reset: return reset_xpm;
        case WindowIcon::Numpad: return numpad_xpm;
        case WindowIcon::Variables: return variables_xpm;
        case WindowIcon::Functions: return functions_xpm;
        case WindowIcon::Execute: return execute_xpm;
        case WindowIcon::Topmost: return topmost_xpm;
        case WindowIcon::Colors: return colors_xpm;
        case WindowIcon::Program: return delvo_icon_xpm;
        case WindowIcon::Exp: return exp_xpm;
        case WindowIcon::Cos: return cos_xpm;
        case WindowIcon::Pi: return pi_xpm;
    }
    return delvo_icon_xpm;
}

/// The drawing decoded once per process: menus, tools and title bars share the same few drawings, and
/// decoding XPM text costs more than everything else about an icon.
const wxImage& decoded(const char* const* xpm) {
    static std::map<const char* const*, wxImage> images;
    auto found = images.find(xpm);
    if (found == images.end()) found = images.emplace(xpm, wxImage(xpm)).first;
    return found->second;
}

wxBitmap scaled(const wxImage& image, int size) {
    if (image.GetWidth() == size && image.GetHeight() == size) return wxBitmap(image);
    // Pixel art keeps its edges only with nearest-neighbour scaling.
    return wxBitmap(image.Scale(size, size, wxIMAGE_QUALITY_NEAREST));
}

}  // namespace

wxBitmapBundle pixelArtBundle(const char* const* xpm) {
    const wxImage& art = decoded(xpm);
    return wxBitmapBundle::FromBitmaps(scaled(art, kIconSize), scaled(art, 2 * kIconSize));
}

wxIconBundle pixelArtIcons(const char* const* xpm) {
    wxIconBundle bundle;
    const wxImage& art = decoded(xpm);
    for (int size : {kIconSize, 2 * kIconSize}) {
        wxIcon icon;
        icon.CopyFromBitmap(scaled(art, size));
        bundle.AddIcon(icon);
    }
    return bundle;
}

wxBitmapBundle windowIcon(WindowIcon icon) { return pixelArtBundle(drawing(icon)); }

wxIconBundle programIconBundle() {
    wxIconBundle bundle;
    for (int size : {16, 32, 48}) {
        wxIcon icon;
        icon.CopyFromBitmap(programIcon(size));
        bundle.AddIcon(icon);
    }
    return bundle;
}

wxBitmap programIcon(int size) { return scaled(decoded(delvo_icon_xpm), size); }

void enableMenuIcons() {
#ifdef __WXGTK__
    // GTK 3 hides menu images unless the "gtk-menu-images" setting is on; our menus carry icons.
    // The GTK headers are not among the build's dependencies, so the two calls are looked up in the
    // already loaded toolkit libraries.
    using SettingsGetter = void* (*)();
    using PropertySetter = void (*)(void*, const char*, ...);
    auto getSettings = reinterpret_cast<SettingsGetter>(dlsym(RTLD_DEFAULT, "gtk_settings_get_default"));
    auto setProperty = reinterpret_cast<PropertySetter>(dlsym(RTLD_DEFAULT, "g_object_set"));
    if (!getSettings || !setProperty) return;
    if (void* settings = getSettings()) setProperty(settings, "gtk-menu-images", 1, static_cast<void*>(nullptr));
#endif
}
