// SPDX-License-Identifier: MIT
// Every command of the interpreter, one line per input line; the state (variables, ans, formats, base,
// plots) carries over from one input to the next as in a long console session. Windows are stubs.
// Each line is first shown to the live answer, which must leave the state as it was and, when it shows a
// value, show what Enter then prints; a failed line's error spot lies inside the line.
#include <cstddef>
#include <cstdint>

#include "engine/interpreter.h"
#include "engine/live_answer.h"
#include "engine/plot_host.h"
#include "engine/window_commands.h"
#include "libs/file/lf_text.h"

namespace {

class StubPlots : public PlotHost {
public:
    bool plotExists(int handle) override { return handle % 3 != 0; }
    int plotNew() override { return ++m_last; }
    bool plotAdd(int, const std::wstring& function, int points, double, double, const lmValues&,
                 const std::wstring&) override {
        return !function.empty() && points > 1;
    }

private:
    int m_last = 0;
};

class StubWindow : public WindowCommands {
public:
    void clearConsole() override {}
    void showHelp() override {}
    void saveConsole() override {}
    void shutDown() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Interpreter interpreter;
    static StubPlots plots;
    static StubWindow window;
    static LiveAnswer liveAnswer;
    static bool wired = false;
    if (!wired) {
        interpreter.setPlotHost(&plots);
        interpreter.setWindowCommands(&window);
        wired = true;
    }
    const std::wstring text = wideFromUtf8(std::string(reinterpret_cast<const char*>(data), size));
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring line = text.substr(start, end - start);
        std::wstring live;
        const std::uint64_t before = interpreterStateStamp(interpreter);
        const bool shown = liveAnswer.answer(interpreter, line, &live);
        if (interpreterStateStamp(interpreter) != before) __builtin_trap();
        std::wstring out;
        double value = 0;
        const bool ok = interpreter.evaluateLine(line, &out, &value);
        if (shown && line.find(L';') == std::wstring::npos && (!ok || out != live)) __builtin_trap();
        const ErrorSpot& spot = interpreter.errorSpot();
        if (!ok && spot.known() && static_cast<size_t>(spot.start) + spot.length > line.size()) __builtin_trap();
        start = end + 1;
    }
    return 0;
}
