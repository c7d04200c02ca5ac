// SPDX-License-Identifier: MIT
// Spec Part 1.1: batch mode end to end: the built tallyx run as a process, with no display, on real files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct ProcessRun {
    std::string out;
    int status = -1;
};

/// Runs tallyx with the arguments, without DISPLAY or WAYLAND_DISPLAY, and collects standard output and error.
ProcessRun runTallyx(const std::vector<std::string>& args, const fs::path& workDir) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], 1);
        dup2(pipeFds[1], 2);
        close(pipeFds[0]);
        close(pipeFds[1]);
        if (chdir(workDir.c_str()) != 0) _exit(127);
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        setenv("XDG_DATA_HOME", workDir.c_str(), 1);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(TALLYX_PATH));
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(TALLYX_PATH, argv.data());
        _exit(127);
    }
    close(pipeFds[1]);
    ProcessRun run;
    char buffer[4096];
    ssize_t n;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) run.out.append(buffer, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class Part1_1_BatchMode : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("delvo_batch_" + std::to_string(getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
    std::string read(const std::string& name) {
        std::ifstream in(dir / name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    fs::path dir;
};

// Spec 1.1: "1+2;x=3;x*2" (no such file) prints a line feed, the output of x*2 and a line feed.
TEST_F(Part1_1_BatchMode, CommandTextPrintsLastOutput) {
    const ProcessRun run = runTallyx({"-run", "1+2;x=3;x*2"}, dir);
    EXPECT_EQ(run.out, "\n6\n");
    EXPECT_EQ(run.status, 0);
}

// Spec 1.1: a file whose second line is q stops there: the third line is not evaluated; # lines are skipped.
TEST_F(Part1_1_BatchMode, FileStopsAtFirstFailure) {
    write("file.txt", "# a comment that would fail if evaluated\n1+1\nq\n3+3\n");
    const ProcessRun run = runTallyx({"-run", "file.txt"}, dir);
    EXPECT_EQ(run.out, "\n   ! variable not set\n");
    EXPECT_EQ(run.status, 1);
}

// Spec 1.1: "-out res.txt" writes only the last output, as UTF-16 code units without a byte-order mark.
TEST_F(Part1_1_BatchMode, OutputFileIsUtf16) {
    write("file.txt", "a=2\nb=a*10\nb+1\n");
    const ProcessRun run = runTallyx({"-run", "file.txt", "-out", "res.txt"}, dir);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(read("res.txt"), std::string("2\0001\0", 4));
}

// Spec 1.1: an output file that cannot be created: the output goes to the console.
TEST_F(Part1_1_BatchMode, OutputFileNotCreatable) {
    const ProcessRun run = runTallyx({"-run", "2*21", "-out", "no/such/folder/res.txt"}, dir);
    EXPECT_NE(run.out.find("\n42\n"), std::string::npos) << run.out;
}

// Spec 1.1: "-h" prints usage and ends, without a display.
TEST_F(Part1_1_BatchMode, HelpPrintsUsage) {
    const ProcessRun run = runTallyx({"-h"}, dir);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("\n\n", 0), 0u);
    EXPECT_NE(run.out.find("\nUsage: tallyx -run infile [-out outfile] [-show]\n"), std::string::npos);
    EXPECT_EQ(runTallyx({"-HELP"}, dir).out, run.out);
}

// Spec 1.1: "-h extra" is not usage: the normal start follows (which needs a display).
TEST_F(Part1_1_BatchMode, HelpWithExtraStartsWindow) {
    const ProcessRun run = runTallyx({"-h", "extra"}, dir);
    EXPECT_EQ(run.out.find("Usage:"), std::string::npos);
    EXPECT_NE(run.status, 0);  // no display here
}

// Spec 1.1: batch mode uses the construction defaults: verbose on, "%.12f" / "%.8e".
TEST_F(Part1_1_BatchMode, ConstructionDefaults) {
    EXPECT_EQ(runTallyx({"-run", "1/3"}, dir).out, "\n0.333333333333\n");
    EXPECT_EQ(runTallyx({"-run", "2^40"}, dir).out, "\n1.09951163e+12\n");
    EXPECT_EQ(runTallyx({"-run", "format?"}, dir).out, "\ndouble\n");
    const ProcessRun failing = runTallyx({"-run", "1+"}, dir);
    EXPECT_EQ(failing.out, "\n   ! invalid expression\n");
    EXPECT_EQ(failing.status, 1);
}

// Spec 1.1: an empty line of the input file passes as the plain number 0 (lm_removeSpace removes line ends).
TEST_F(Part1_1_BatchMode, EmptyLineInFile) {
    write("file.txt", "5*5\n\n");
    const ProcessRun run = runTallyx({"-run", "file.txt"}, dir);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.status, 0);
    write("file2.txt", "\n5*5\n");
    EXPECT_EQ(runTallyx({"-run", "file2.txt"}, dir).out, "\n25\n");
}

// Spec 2.4: plot in batch mode checks the syntax, then cannot create a window.
TEST_F(Part1_1_BatchMode, PlotWithoutWindow) {
    EXPECT_EQ(runTallyx({"-run", "plot(sin(x))"}, dir).out, "\n   ! cannot create plot\n");
    EXPECT_EQ(runTallyx({"-run", "plot(x,0)"}, dir).out, "\n   ! invalid plot interval\n");
}

}  // namespace
