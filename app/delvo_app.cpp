// SPDX-License-Identifier: MIT
// DelvoApp's start-up up to batch mode and OnExit.
#include "app/delvo_app.h"

#include "app/batch_mode.h"
#include "app/delvo_cmd_line.h"
#include "app/process_console.h"

DelvoApp::DelvoApp() = default;

DelvoApp::~DelvoApp() = default;

bool DelvoApp::startUp(int argc, char** argv) {
    // The interpreter created its engine and parameter record (tolerance 1e-6, 4096).
    m_folders = Folders::forThisProcess();
    m_helpPath = m_folders.helpPath;
    m_interpreter.resetVariableStore();
    const DelvoCmdLine args(argc, argv);
    switch (chooseStartMode(args)) {
        case StartMode::Usage:
            printUsage();
            m_exitStatus = 0;
            return false;
        case StartMode::Batch: {
            const BatchResult result = runBatch(args, m_interpreter);
            m_exitStatus = result.lastSucceeded && result.outputWritten ? 0 : 1;
            if (!result.show) {
                win32SendEnterKey();
                return false;
            }
            installPlotHost();
            return true;
        }
        case StartMode::Window: installPlotHost(); return true;
    }
    return true;
}

int DelvoApp::OnExit() {
    m_interpreter.param().parser = nullptr;
    m_interpreter.setPlotHost(nullptr);
    m_interpreter.setWindowCommands(nullptr);
    return 0;
}
