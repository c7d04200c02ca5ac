// SPDX-License-Identifier: MIT
// Icons of the main window: wxArtProvider for standard ones, our XPM pixel art for the rest.
#include "console/window_icons.h"

#ifdef __WXGTK__
#include <dlfcn.h>
#endif

#include <map>

#include <wx/image.h>
#include <wx/window.h>

#include "resources/colors.xpm"
#include "resources/cos.xpm"
#include "resources/delvo_icon.xpm"
#include "resources/execute.xpm"
#include "resources/exp.xpm"
#include "resources/functions.xpm"
#include "resources/numpad.xpm"
#include "resources/pi.xpm"
#include "resources/topmost.xpm"
#include "resources/variables.xpm"

namespace {

constexpr int kIconSize = 16;

const char* const* ownDrawing(WindowIcon icon) {
    switch (icon) {
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
        default: return nullptr;
    }
}

wxArtID standardArt(WindowIcon icon) {
    switch (icon) {
        case WindowIcon::SaveAs: return wxART_FILE_SAVE_AS;
        case WindowIcon::Open: return wxART_FILE_OPEN;
        case WindowIcon::Close: return wxART_QUIT;
        case WindowIcon::Copy: return wxART_COPY;
        case WindowIcon::Cut: return wxART_CUT;
        case WindowIcon::Paste: return wxART_PASTE;
        case WindowIcon::Reset: return wxART_DELETE;
        default: return wxArtID();
    }
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

wxBitmap blank(int size) {
    wxImage image(size, size);
    image.InitAlpha();
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) image.SetAlpha(x, y, 0);
    return wxBitmap(image);
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

wxBitmapBundle windowIcon(WindowIcon icon) {
    if (const char* const* xpm = ownDrawing(icon)) return pixelArtBundle(xpm);
    // The size is given, so the picture is the same for menus and tools: one client lets both share the art
    // provider's cached copy instead of loading each theme icon twice.
    wxBitmapBundle art = wxArtProvider::GetBitmapBundle(standardArt(icon), wxART_MENU, wxSize(kIconSize, kIconSize));
    // A theme without the icon must not leave a toolbar tool without a bitmap.
    if (!art.IsOk()) return wxBitmapBundle::FromBitmap(blank(kIconSize));
    return art;
}

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
