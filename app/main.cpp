// SPDX-License-Identifier: MIT
// Entry point. Usage and batch mode run here without the toolkit: no display needed, and no GUI library
// loaded (start-up in milliseconds). A window (normal start, "-show") loads the window module.
#include <cstdio>
#include <string>
#include <vector>

#include "app/batch_mode.h"
#include "app/command_line.h"
#include "app/coverage_counts.h"
#include "app/exit_signals.h"
#include "app/process_console.h"
#include "app/window_module.h"
#include "engine/interpreter.h"

int main(int argc, char** argv) {
    keepCoverageCountsWhole();
    failWritesBeyondSizeLimit();
    // The arguments as UTF-8, whatever the platform handed over.
    std::vector<std::string> texts = utf8Arguments(argc, argv);
    std::vector<char*> utf8;
    for (std::string& text : texts) utf8.push_back(text.data());
    utf8.push_back(nullptr);
    argc = static_cast<int>(texts.size());
    argv = utf8.data();
    const DelvoCmdLine args(argc, argv);
    const StartMode mode = chooseStartMode(args);
    if (mode == StartMode::Batch) {
        const std::string problem = batchUsageError(args);
        if (!problem.empty()) {
            std::fputs(problem.c_str(), stderr);
            return 1;
        }
    }
    if (mode == StartMode::Usage) {
        printUsage();
        return 0;
    }
    if (mode == StartMode::Batch && !batchShowsWindow(args)) {
        Interpreter interpreter;
        const BatchResult result = runBatch(args, interpreter);
        win32SendEnterKey();
        return result.lastSucceeded && result.outputWritten ? 0 : 1;
    }
    return runWindowModule(argc, argv);
}
