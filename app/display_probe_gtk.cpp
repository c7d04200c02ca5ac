// SPDX-License-Identifier: MIT
// GTK: GDK opens the display (it becomes the default one the toolkit then uses) or reports that it cannot,
// where GTK itself would abort. GTK is not initialised here: the toolkit does that, locale settings first.
#include "app/display_probe.h"

#include <dlfcn.h>

bool displayAvailable() {
    using DisplayOpen = void* (*)(const char*);
    auto displayOpen = reinterpret_cast<DisplayOpen>(dlsym(RTLD_DEFAULT, "gdk_display_open"));
    return displayOpen && displayOpen(nullptr) != nullptr;
}
