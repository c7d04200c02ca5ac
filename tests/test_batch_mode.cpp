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
}

// A file stops at its first failing line; "#" lines are skipped; an empty line passes as the plain number 0.
TEST_F(BatchMode, FileLines) {
    write("stops.txt", "# a comment that would fail if evaluated\n1+1\nq\n3+3\n");
    expectRun({"-run", "stops.txt"}, "\n   ! variable not set\n", 1);
    write("empty_last.txt", "5*5\n\n");
    expectRun({"-run", "empty_last.txt"}, "", 0);
    write("empty_first.txt", "\n5*5\n");
    expectRun({"-run", "empty_first.txt"}, "\n25\n", 0);
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
}

// "-h" and "-help" print usage and end without a display; "-h extra" is the normal start, which needs one.
TEST_F(BatchMode, HelpPrintsUsage) {
    const ProcessRun run = runTallyx({"-h"}, dir);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("\n\n", 0), 0u);
    EXPECT_NE(run.out.find("\nUsage: tallyx -run infile [-out outfile] [-show]\n"), std::string::npos);
    EXPECT_EQ(runTallyx({"-HELP"}, dir).out, run.out);
    const ProcessRun extra = runTallyx({"-h", "extra"}, dir);
    EXPECT_EQ(extra.out.find("Usage:"), std::string::npos);
    EXPECT_NE(extra.status, 0);
}

}  // namespace
