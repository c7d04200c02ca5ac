// SPDX-License-Identifier: MIT
// Batch mode end to end: the built tallyx run as a process, with no display, on real files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/tallyx_process.h"

namespace fs = std::filesystem;

namespace {

class BatchMode : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("delvo_batch_" + std::to_string(processId()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    void write(const std::string& name, const std::string& text) { std::ofstream(dir / name, std::ios::binary) << text; }
    /// Runs tallyx and checks what it prints and its exit status.
    void expectRun(const std::vector<std::string>& args, const std::string& out, int status) {
        const ProcessRun run = runTallyx(args, dir);
        EXPECT_EQ(run.out, out) << args.back();
        EXPECT_EQ(run.status, status) << args.back();
    }
    /// A run with what it must print on each stream and its exit status.
    struct Expected {
        std::vector<std::string> args;
        const char* out;
        const char* err;
        int status;
    };
    void expectRuns(const std::vector<Expected>& rows) {
        for (const auto& row : rows) {
            const ProcessRun run = runTallyx(row.args, dir);
            EXPECT_EQ(run.out, row.out) << row.args[1];
            EXPECT_EQ(run.err, row.err) << row.args[1];
            EXPECT_EQ(run.status, row.status) << row.args[1];
        }
    }
    fs::path dir;
};

// The last output goes to the console between line feeds, with the construction defaults (verbose on,
// "%.12f" / "%.8e"); the exit status says whether the last command succeeded.
TEST_F(BatchMode, CommandTextPrintsLastOutput) {
    expectRun({"-run", "1+2;x=3;x*2"}, "\n6\n", 0);
    expectRun({"-run", "1/3"}, "\n0.333333333333\n", 0);
    expectRun({"-run", "2^40"}, "\n1.09951163e+12\n", 0);
    expectRun({"-run", "format?"}, "\ndouble\n", 0);
    expectRun({"-run", "1+"}, "\n   ! invalid expression\n", 1);
    // Without plot windows the plot syntax is checked, then no window can be made.
    expectRun({"-run", "plot(sin(x))"}, "\n   ! cannot create plot\n", 1);
    expectRun({"-run", "plot(x,0)"}, "\n   ! invalid plot interval\n", 1);
    // "-out" without a file after it is ignored.
    expectRun({"-run", "6*7", "-out"}, "\n42\n", 0);
}

// Angle units, the user's functions and the whole-number functions work in batch mode as in the console; each run
// starts in radians.
TEST_F(BatchMode, AngleUnitsAndUserFunctions) {
    expectRun({"-run", "deg;sin(90)"}, "\n1\n", 0);
    expectRun({"-run", "grad;cos(200)"}, "\n-1\n", 0);
    expectRun({"-run", "sin(90)"}, "\n0.893996663601\n", 0);
    expectRun({"-run", "f(x)=x^2+1;f(3)"}, "\n10\n", 0);
    expectRun({"-run", "area(r)=pi*r^2;area(2)"}, "\n12.566370614359\n", 0);
    expectRun({"-run", "gcd(12,8)+lcm(4,6)+ncr(5,2)"}, "\n26\n", 0);
    expectRun({"-run", "band(12,10)+shl(1,4)"}, "\n24\n", 0);
    expectRun({"-run", "band(0.5,1)"}, "\n   ! whole numbers expected\n", 1);
    write("functions.txt", "f(x) = x^2 - 2\ndeg; f(3) + cos(180)\n");
    expectRun({"-run", "functions.txt"}, "\n6\n", 0);
}

// A file stops at its first failing line; "#" lines are skipped; an empty line passes as the plain number 0.
TEST_F(BatchMode, FileLines) {
    write("stops.txt", "# a comment that would fail if evaluated\n1+1\nq\n3+3\n");
    expectRun({"-run", "stops.txt"}, "\n   ! variable not set\n", 1);
    write("empty_last.txt", "5*5\n\n");
    expectRun({"-run", "empty_last.txt"}, "", 0);
    write("empty_first.txt", "\n5*5\n");
    expectRun({"-run", "empty_first.txt"}, "\n25\n", 0);
#ifndef _WIN32
    // A file's path may be longer than commands given as text may be (383 characters; Windows paths end at 260).
    const std::string folder(100, 'd'), deep = folder + "/" + folder + "/" + folder + "/" + folder;
    fs::create_directories(dir / deep);
    write(deep + "/calc.txt", "6*7\n");
    expectRun({"-run", deep + "/calc.txt"}, "\n42\n", 0);
#endif
}

// "-out" writes only the last output, as UTF-16 code units without a byte-order mark; when the file cannot
// be created the output goes to the console.
TEST_F(BatchMode, OutputFile) {
    write("file.txt", "a=2\nb=a*10\nb+1\n");
    expectRun({"-run", "file.txt", "-out", "res.txt"}, "", 0);
    std::ifstream in(dir / "res.txt", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), std::string("2\0001\0", 4));
    const ProcessRun run = runTallyx({"-run", "2*21", "-out", "no/such/folder/res.txt"}, dir);
    EXPECT_NE(run.out.find("\n42\n"), std::string::npos) << run.out;
    // An empty name, and a folder's: the result goes to the console, and standard error says why in the
    // system's words; without a result the line ends after the reason. A second "-out" is ignored.
#ifdef _WIN32
    const std::string noFile = "Path not found", isFolder = "Access denied";
#else
    const std::string noFile = "No such file or directory", isFolder = "Is a directory";
#endif
    const std::string toConsole = "; the result went to standard output\n";
    const std::string emptyName = "tallyx: the output file  was not written: " + noFile + toConsole,
                      folderName = "tallyx: the output file folder was not written: " + isFolder + toConsole,
                      folderNoResult = "tallyx: the output file folder was not written: " + isFolder + "\n";
    fs::create_directories(dir / "folder");
    write("comment.txt", "# only a comment\n");
    expectRuns({
        {{"-run", "2*21", "-out", ""}, "\n42\n", emptyName.c_str(), 1},
        {{"-run", "2*21", "-out", "folder"},
         "DelvoCalculator: cannot create the output file\nUsage: tallyx -run inputfile -out outputfile [-show]\n\n42\n",
         folderName.c_str(),
         1},
        {{"-run", "comment.txt", "-out", "folder"}, "", folderNoResult.c_str(), 1},
        {{"-run", "6*7", "-out", "a.txt", "-out", "b.txt"}, "", "", 0},
    });
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
    EXPECT_TRUE(fs::exists(dir / "a.txt"));
    EXPECT_FALSE(fs::exists(dir / "b.txt"));
}

// A failing command is named on standard error with its file line (or "argument"); standard output and the
// output file keep exactly what they held before, and with "-out" the line still reaches the terminal.
TEST_F(BatchMode, FailureNamedOnStandardError) {
    write("calc.txt", "# totals\n1+1\n\nr = 2; 2*(r+\nq\n");
    write("fine.txt", "1+1\n");
    expectRuns({
        {{"-run", "calc.txt"}, "\n   ! invalid expression\n", "tallyx: calc.txt:4: 2*(r+: invalid expression\n", 1},
        {{"-run", "1+2; sin(;3"}, "\n   ! invalid expression\n", "tallyx: argument: sin(: invalid expression\n", 1},
        {{"-run", "2*q"}, "\n   ! variable not set\n", "tallyx: argument: 2*q: variable not set\n", 1},
        {{"-run", "plot(x,0)"}, "\n   ! invalid plot interval\n", "tallyx: argument: plot(x,0): invalid plot interval\n", 1},
        {{"-run", "fine.txt"}, "\n2\n", "", 0},
        {{"-run", "calc.txt", "-out", "res.txt"}, "", "tallyx: calc.txt:4: 2*(r+: invalid expression\n", 1},
    });
    std::ifstream in(dir / "res.txt", std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(bytes.find("tallyx"), std::string::npos);
    EXPECT_EQ(bytes.substr(0, 8), std::string(" \0 \0 \0!\0", 8));
}

// Where standard output has nothing to say, standard error does: lines after the 256th of a file, an input that
// names no file, a solve that found no root. Standard output and the exit status stay as they were.
TEST_F(BatchMode, StandardErrorTellsWhatWasNotRunOrFound) {
    std::string big, exact;
    for (int i = 1; i <= 300; ++i) big += std::to_string(i) + "\n";
    for (int i = 1; i <= 256; ++i) exact += std::to_string(i) + "\r\n";
    write("big.txt", big);
    write("exact.txt", exact);
    write("fails.txt", "q\n" + big);
    write("solve.txt", "solve(x^2+1)\nsolve(x^2-2,0,3)\nsolve(floor(x)-0.5)\n2\n");
    expectRuns({
        {{"-run", "big.txt"}, "\n256\n", "tallyx: big.txt: lines after 256 were not run\n", 0},
        {{"-run", "exact.txt"}, "\n256\n", "", 0},
        {{"-run", "fails.txt"}, "\n   ! variable not set\n", "tallyx: fails.txt:1: q: variable not set\n", 1},
        {{"-run", "nonexist.txt"}, "\n   ! invalid expression\n",
         "tallyx: no file 'nonexist.txt'; the argument was run as a command\n"
         "tallyx: argument: nonexist.txt: invalid expression\n", 1},
        {{"-run", "2.5"}, "\n2.5\n", "", 0},
        {{"-run", "solve(x^2+1)"}, "\nx = 0   y = 1\n",
         "tallyx: argument: solve(x^2+1): no root here: f changes no sign on [-10, 10]\n", 0},
        {{"-run", "solve.txt"}, "\n2\n",
         "tallyx: solve.txt:1: solve(x^2+1): no root here: f changes no sign on [-10, 10]\n"
         "tallyx: solve.txt:3: solve(floor(x)-0.5): no root here: f jumps over 0 at x = 1.00000001912691 (a pole "
         "or a step)\n", 0},
    });
}

// "-h" and "-help" print usage and end without a display; "-h extra" is the normal start, which needs one.
TEST_F(BatchMode, HelpPrintsUsage) {
    const ProcessRun run = runTallyx({"-h"}, dir);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("\n\n", 0), 0u);
    EXPECT_NE(run.out.find("\nUsage: tallyx -run infile [-out outfile] [-show]\n"), std::string::npos);
    EXPECT_NE(run.out.find("standard error: tallyx: infile:line: command: message"), std::string::npos);
    EXPECT_NE(run.out.find("more than 256 lines"), std::string::npos);
    EXPECT_EQ(runTallyx({"-HELP"}, dir).out, run.out);
    const ProcessRun extra = runTallyx({"-h", "extra"}, dir);
    EXPECT_EQ(extra.out.find("Usage:"), std::string::npos);
    EXPECT_NE(extra.status, 0);
}

}  // namespace
