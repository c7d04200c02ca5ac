// SPDX-License-Identifier: MIT
// Shared helpers of the engine tests: run a line, observe the plot calls.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "engine/interpreter.h"
#include "engine/plot_host.h"
#include "engine/window_commands.h"

/// Output text and result of one interpreter call.
struct Reply {
    std::wstring out;
    bool ok = false;
    double value = 0;
};

inline Reply runLine(Interpreter& interpreter, const std::wstring& line) {
    Reply reply;
    reply.ok = interpreter.evaluateLine(line, &reply.out, &reply.value);
    return reply;
}

/// A line, the text it shows and whether it succeeds.
struct LineCase {
    const wchar_t* line;
    const wchar_t* out;
    bool ok;
};

/// Runs the rows in order on one interpreter (later rows see what earlier ones set) and checks each reply.
inline void expectLines(Interpreter& interpreter, std::initializer_list<LineCase> rows) {
    for (const LineCase& row : rows) {
        const Reply reply = runLine(interpreter, row.line);
        EXPECT_EQ(reply.out, row.out) << row.line;
        EXPECT_EQ(reply.ok, row.ok) << row.line;
    }
}

/// The graph library seen through a test hook: which handle, function, points, xmin, xmax were passed.
class RecordingPlotHost : public PlotHost {
public:
    struct Call {
        int handle;
        std::wstring function;
        int points;
        double xmin, xmax;
        lmValues variables;
        std::wstring label;
    };
    bool plotExists(int handle) override { return handle > 0 && handle == openHandle; }
    int plotNew() override {
        ++windowsOpened;
        openHandle = failNew ? 0 : windowsOpened;
        return openHandle;
    }
    bool plotAdd(int handle, const std::wstring& function, int points, double xmin, double xmax,
                 const lmValues& variables, const std::wstring& label) override {
        calls.push_back({handle, function, points, xmin, xmax, variables, label});
        return acceptAdd;
    }
    void closeWindow() { openHandle = 0; }

    std::vector<Call> calls;
    int windowsOpened = 0;
    int openHandle = 0;
    bool failNew = false;
    bool acceptAdd = true;
};

/// Counts the main-window commands.
class RecordingWindow : public WindowCommands {
public:
    void clearConsole() override { ++clears; }
    void showHelp() override { ++helps; }
    void saveConsole() override { ++saves; }
    void shutDown() override { ++shutdowns; }
    int clears = 0, helps = 0, saves = 0, shutdowns = 0;
};
