// SPDX-License-Identifier: MIT
// The window half of tallyx, a module loaded only when a window is wanted (normal start or "-show").
#include <cstdio>

#include <wx/init.h>

#include "app/delvo_app.h"
#include "app/display_probe.h"
#include "app/exit_signals.h"
#include "app/window_module.h"

wxIMPLEMENT_APP_NO_MAIN(DelvoApp);

extern "C" int tallyx_window_main(int argc, char** argv) {
    auto* app = new DelvoApp;
    wxApp::SetInstance(app);
    app->startUp(argc, argv);
    // From here on an end request waits for the window's normal shutdown.
    noteExitRequests();
    if (!displayAvailable()) {
        std::fflush(stdout);
        std::fputs("tallyx: cannot open the display; batch mode needs none: tallyx -run infile [-out outfile]\n",
                   stderr);
        app->OnExit();
        wxApp::SetInstance(nullptr);
        delete app;
        return 1;
    }
    // The toolkit sees no arguments: ours are not its options ("-run", "-show").
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    return wxEntry(toolkitArgc, toolkitArgv);
}
