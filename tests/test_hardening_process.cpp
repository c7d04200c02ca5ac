// SPDX-License-Identifier: MIT
// tallyx as a process under hostile conditions: no display, over-long or too many arguments, end signals.
// Runs under Xvfb: DISPLAY is set, and rows that want no display take it away from the child.
#include <gtest/gtest.h>

#include "app/exit_signals.h"
#include "tests/tallyx_child.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

/// Seconds any run may take before the test counts it as hung.
constexpr double kPatience = 60;

struct ProcessResult {
    std::string out, err;
    int status = -1;  // exit status, or 128 + signal
};

/// Runs tallyx in workDir with its own data folder, on the test's display or on none.
ProcessResult run(const std::vector<std::string>& args, const fs::path& workDir, bool display) {
    const char* name = std::getenv("DISPLAY");
    TallyxChild child({args, workDir, display && name ? name : ""});
    EXPECT_TRUE(child.finish(kPatience)) << "hung: " << (args.empty() ? "(none)" : args[0]);
    return {child.out(), child.err(), child.status()};
}

fs::path freshFolder(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / ("tallyx_hardening_" + name + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

const char* kNoDisplay = "tallyx: cannot open the display; batch mode needs none: tallyx -run infile [-out outfile]\n";
const char* kUsage = "\nUsage: tallyx -run infile [-out outfile] [-show]\n";

}  // namespace

TEST(TallyxProcess, ArgumentsAreNeverCutAndNoDisplayIsReported) {
    const std::string ones380(380, '1'), ones384(384, '1'), longName(300, 'o');
    std::string items381;  // "1;1;...;1;2": the last item survives only when nothing is cut
    for (int i = 0; i < 190; ++i) items381 += "1;";
    items381 += "2";
    const std::vector<std::string> many{"-run", "1", "-out", "o", "5", "6", "7", "8", "9", "10", "11", "12"};
    struct Row {
        std::vector<std::string> args;
        bool display;
        std::string out, err;
        int status;
    } rows[] = {
        {{}, false, "", kNoDisplay, 1},
        {{"-run", "1+2", "-show"}, false, "\n3\n", kNoDisplay, 1},
        {{"-run", "1+2", "-out", "r.txt", "-show"}, false, "", kNoDisplay, 1},
        {{"-run", ones380}, false, "\n   ! expression too long\n",
         "tallyx: argument: " + ones380 + ": expression too long\n", 1},
        {{"-run", items381}, false, "\n2\n", "", 0},
        {{"-run", "plot(x,-1e308,1e308)"}, false, "\n   ! invalid plot interval\n",
         "tallyx: argument: plot(x,-1e308,1e308): invalid plot interval\n", 1},
        {{"-run", ones384}, false, "",
         std::string("tallyx: the input text is longer than 383 characters; put the commands in a file") + kUsage, 1},
        {{"-run", "1", "-out", longName}, false, "",
         std::string("tallyx: the output file name is longer than 255 characters") + kUsage, 1},
        {many, false, "", std::string("tallyx: too many arguments (at most 11)") + kUsage, 1},
    };
    const fs::path dir = freshFolder("args");
    for (const Row& row : rows) {
        const ProcessResult result = run(row.args, dir, row.display);
        const std::string label = row.args.empty() ? "(none)" : row.args[1].substr(0, 20);
        EXPECT_EQ(result.out, row.out) << label;
        EXPECT_EQ(result.err, row.err) << label;
        EXPECT_EQ(result.status, row.status) << label;
    }
    EXPECT_FALSE(fs::exists(dir / "o"));
    fs::remove_all(dir);
}

// In a window session an end signal runs the normal shutdown (settings saved) and exits 0; in batch mode it ends
// the process at once and removes the unfinished output file.
TEST(TallyxProcess, EndSignalsShutDownCleanly) {
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        const fs::path dir = freshFolder("signal" + std::to_string(signal));
        // "-show" after batch mode: the result file appears when batch mode is done, the window right after it.
        TallyxChild window({{"-run", "6*7", "-out", "result.txt", "-show"}, dir, std::getenv("DISPLAY")});
        for (int i = 0; i < 300 && !fs::exists(dir / "result.txt"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        std::this_thread::sleep_for(std::chrono::seconds(1));
        window.signal(signal);
        ASSERT_TRUE(window.finish(kPatience)) << "the window did not shut down: " << signal;
        EXPECT_EQ(window.status(), 0) << signal;
        EXPECT_TRUE(fs::exists(dir / "Quarn" / "config" / "tallyx.quarnr")) << signal;
        EXPECT_EQ(fileBytes(dir / "result.txt"), std::string("4\0" "2\0", 4)) << signal;
        for (const auto& entry : fs::directory_iterator(dir))
            EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();

        // The unfinished file goes; once the output is finished (the name given up), nothing does.
        const fs::path unfinished = dir / "result.txt.tmp-abcdef";
        std::ofstream(unfinished) << "half";
        for (const bool finished : {false, true}) {
            const pid_t batch = fork();
            if (batch == 0) {
                endAtOnceRemoving(unfinished.string());
                if (finished) endAtOnceRemoving({});
                ::raise(signal);
                _exit(0);  // not reached: the signal ends the process
            }
            int raw = 0;
            waitpid(batch, &raw, 0);  // the child raises the signal itself: it cannot be held up
            EXPECT_TRUE(WIFSIGNALED(raw) && WTERMSIG(raw) == signal) << signal;
            EXPECT_EQ(fs::exists(unfinished), finished) << signal;
            std::ofstream(unfinished) << "whole";
        }
        fs::remove_all(dir);
    }
}

// What tallyx cannot use is named, and nothing waits: an input file it may not read, a copy of the program
// without its window module (batch mode still runs). A start with the start-up benchmark's hook draws the window
// once and ends.
TEST(TallyxProcess, WhatCannotBeReadOrLoadedIsSaid) {
    const fs::path dir = freshFolder("unusable");
    fs::permissions(dir, fs::perms::all);
    std::ofstream(dir / "secret.txt") << "1+1\n";
    fs::permissions(dir / "secret.txt", fs::perms::none);
    TallyxChild unreadable({{"-run", "secret.txt"}, dir, "", RLIM_INFINITY, true});
    ASSERT_TRUE(unreadable.finish(kPatience));
    EXPECT_EQ(unreadable.out(),
              "DelvoCalculator: cannot open the input file\nUsage: tallyx -run infile -out outfile [-show]\n");
    EXPECT_EQ(unreadable.status(), 1);

    fs::create_directories(dir / "alone");
    fs::copy_file(TALLYX_PATH, dir / "alone" / "tallyx");
    const char* display = std::getenv("DISPLAY");
    TallyxChild alone({{}, dir, display ? display : ""}, dir / "alone" / "tallyx");
    ASSERT_TRUE(alone.finish(kPatience));
    EXPECT_EQ(alone.err().rfind("DelvoCalculator: cannot load the window module libtallyx_window.so (", 0), 0u)
        << alone.err();
    EXPECT_NE(alone.err().find(")\nBatch mode works without it: tallyx -h\n"), std::string::npos) << alone.err();
    EXPECT_EQ(alone.status(), 1);
    TallyxChild batch({{"-run", "1+2"}, dir, ""}, dir / "alone" / "tallyx");
    ASSERT_TRUE(batch.finish(kPatience));
    EXPECT_EQ(batch.out(), "\n3\n");

    TallyxChild painted({{}, dir, display ? display : ""}, {}, {"TALLYX_EXIT_AFTER_FIRST_PAINT=1"});
    ASSERT_TRUE(painted.finish(kPatience));
    EXPECT_EQ(painted.status(), 0) << painted.err();
    fs::remove_all(dir);
}
