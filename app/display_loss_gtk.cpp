// SPDX-License-Identifier: MIT
// GTK on X11: Xlib reports a broken connection to one handler per process, which may not return (Xlib ends the
// process when it does). Ours takes the place of GDK's, which would end the process at once. A GTK without X11
// has no such handler, and its own handling stays.
#include "app/display_loss.h"

#include "app/coverage_counts.h"

#include <cstdio>
#include <utility>

#include <dlfcn.h>
#include <unistd.h>

namespace {

using ConnectionLostHandler = int (*)(void* display);
using SetConnectionLostHandler = ConnectionLostHandler (*)(ConnectionLostHandler);

// Xlib reaches its handler through static storage only: this is the process's one such state.
std::function<void()> g_lastWords;

int connectionLost(void*) {
    g_lastWords();  // set before this handler is
    std::fflush(nullptr);
    writeCoverageCounts();
    _exit(1);  // GCOVR_EXCL_LINE: runs after the coverage counts are written
}

}  // namespace

void whenDisplayLost(std::function<void()> lastWords) {
    // Looked up like the display probe's GDK call: the toolkit's own Xlib, with no link of ours to it.
    auto setHandler = reinterpret_cast<SetConnectionLostHandler>(dlsym(RTLD_DEFAULT, "XSetIOErrorHandler"));
    if (setHandler == nullptr) return;
    g_lastWords = std::move(lastWords);
    setHandler(&connectionLost);
}
