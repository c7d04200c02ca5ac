// SPDX-License-Identifier: MIT
// Entry point: usage and batch mode run before the toolkit starts, so they need no display.
#include <wx/init.h>

#include "app/delvo_app.h"

wxIMPLEMENT_APP_NO_MAIN(DelvoApp);

int main(int argc, char** argv) {
    auto* app = new DelvoApp;
    wxApp::SetInstance(app);
    if (!app->startUp(argc, argv)) {
        const int status = app->exitStatus();
        app->OnExit();
        wxApp::SetInstance(nullptr);
        delete app;
        return status;
    }
    // The toolkit sees no arguments: ours are not its options ("-run", "-show").
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    const int status = wxEntry(toolkitArgc, toolkitArgv);
    return status;
}
