// SPDX-License-Identifier: MIT
// DelvoApp's start-up up to batch mode and OnExit.
#include "app/delvo_app.h"

#include "app/batch_mode.h"
#include "app/delvo_cmd_line.h"

DelvoApp::DelvoApp() = default;

DelvoApp::~DelvoApp() = default;

void DelvoApp::startUp(int argc, char** argv) {
    // The interpreter created its engine and parameter record (tolerance 1e-6, 4096).
    m_folders = Folders::forThisProcess();
    m_helpPath = m_folders.helpPath;
    m_interpreter.resetVariableStore();
    // Usage and batch mode without a window end in main, before this module loads: what comes here wants the
    // window, after the batch when "-show" follows it.
    const DelvoCmdLine args(argc, argv);
    if (chooseStartMode(args) == StartMode::Batch) runBatch(args, m_interpreter);
    installPlotHost();
}

int DelvoApp::OnExit() {
    m_interpreter.param().parser = nullptr;
    m_interpreter.setPlotHost(nullptr);
    m_interpreter.setWindowCommands(nullptr);
    return 0;
}
