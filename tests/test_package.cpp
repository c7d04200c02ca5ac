// SPDX-License-Identifier: MIT
// The installation and the Debian package as their users' tools see them: man renders the manual page,
// appstreamcli and desktop-file-validate accept the metadata, the documents agree with the program on its
// usage and version, the package keeps its files where Debian looks for them, and lintian finds nothing but
// the /opt layout.
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "tests/package_test_support.h"

namespace {

using package_test::exists;
using package_test::haveTool;
using package_test::shellQuoted;
using package_test::run;

const char kMetainfo[] = "/share/metainfo/example.quarn.delvocalculator.metainfo.xml";

/// The installed tree, made once for the tests of this file.
class InstalledTree : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_root = package_test::makeTempFolder("delvo-package-tree");
        if (!s_root.empty() && package_test::installInto(s_root + "/prefix")) s_prefix = s_root + "/prefix";
    }
    static void TearDownTestSuite() {
        if (!s_root.empty()) run("rm -rf " + shellQuoted(s_root));
    }
    void SetUp() override { ASSERT_FALSE(s_prefix.empty()) << "cmake --install failed"; }

    /// The manual page as man renders it for a wide terminal, in plain ASCII.
    static package_test::Run manualPage() {
        return run("LC_ALL=C MANWIDTH=200 man --warnings -l " + shellQuoted(s_prefix + "/share/man/man1/tallyx.1.gz"));
    }

    static std::string s_root, s_prefix;
};

std::string InstalledTree::s_root, InstalledTree::s_prefix;

TEST_F(InstalledTree, ToolsAcceptTheManualPageAndTheMetadata) {
    if (!exists(s_prefix + "/share/man/man1/tallyx.1.gz")) GTEST_SKIP() << "no manual page built (rst2man missing)";
    struct Check {
        const char* tool;
        std::string command;
    };
    const Check checks[] = {
        {"man", "LC_ALL=C MANWIDTH=80 man --warnings -l " + shellQuoted(s_prefix + "/share/man/man1/tallyx.1.gz")},
        {"appstreamcli", "appstreamcli validate --no-net " + shellQuoted(s_prefix + kMetainfo)},
        {"desktop-file-validate",
         "desktop-file-validate " + shellQuoted(s_prefix + "/share/applications/delvocalculator.desktop")},
    };
    for (const Check& check : checks) {
        if (!haveTool(check.tool)) {
            ADD_FAILURE() << check.tool << " missing (scripts/install-deps.sh installs it)";
            continue;
        }
        const package_test::Run result = run(check.command);
        EXPECT_EQ(result.status, 0) << check.command << "\n" << result.output;
        // Warnings count as failures: groff's about the page, the validators' about the files.
        EXPECT_EQ(result.output.find("warning"), std::string::npos) << check.command << "\n" << result.output;
    }
    EXPECT_NE(manualPage().output.find("EXIT STATUS"), std::string::npos);
}

TEST_F(InstalledTree, DocumentsAgreeWithTheProgramOnUsageAndVersion) {
    const package_test::Run usage = run(shellQuoted(s_prefix + "/bin/tallyx") + " -h");
    ASSERT_EQ(usage.status, 0) << usage.output;
    // "DelvoCalculator Version 1.8 Build 2104: ..." and "Usage: tallyx -run infile [-out outfile] [-show]".
    const size_t version = usage.output.find("Version ");
    const size_t build = usage.output.find(" Build ", version);
    const size_t usageLine = usage.output.find("Usage: ");
    ASSERT_TRUE(version != std::string::npos && build != std::string::npos && usageLine != std::string::npos)
        << usage.output;
    const std::string number = usage.output.substr(version + 8, build - version - 8);
    const std::string buildNumber = usage.output.substr(build + 7, usage.output.find(':', build) - build - 7);
    const std::string synopsis = usage.output.substr(usageLine + 7, usage.output.find('\n', usageLine) - usageLine - 7);
    const std::string packageVersion = number + "." + buildNumber;

    const std::string changelog = run("zcat " + shellQuoted(s_prefix + "/share/doc/delvocalculator/changelog.gz")).output;
    const std::string copyright = run("cat " + shellQuoted(s_prefix + "/share/doc/delvocalculator/copyright")).output;
    const std::string metainfo = run("cat " + shellQuoted(s_prefix + kMetainfo)).output;
    EXPECT_EQ(changelog.rfind("delvocalculator (" + packageVersion + ") ", 0), 0u) << changelog;
    EXPECT_NE(metainfo.find("<release version=\"" + packageVersion + "\""), std::string::npos) << metainfo;
    EXPECT_EQ(copyright.rfind("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/", 0), 0u);
    if (exists(s_prefix + "/share/man/man1/tallyx.1.gz")) {
        const std::string page = manualPage().output;
        EXPECT_NE(page.find(synopsis), std::string::npos) << synopsis << "\n" << page;
        EXPECT_NE(page.find(number + " Build " + buildNumber), std::string::npos) << page;
    }
}

// Tags of the deliberate layout: the program, its window module and its manual live in /opt/delvocalculator.
const std::set<std::string> kLayoutTags = {"dir-or-file-in-opt"};

TEST(DebianPackage, KeepsItsFilesWhereDebianLooksAndLintianFindsOnlyTheOptLayout) {
    if (package_test::kInstrumentedBuild) GTEST_SKIP() << "packages are made from the plain build";
    for (const char* tool : {"dpkg-deb", "dpkg-shlibdeps", "lintian"})
        if (!haveTool(tool)) GTEST_SKIP() << tool << " missing (scripts/install-deps.sh installs it)";
    const std::string folder = package_test::makeTempFolder("delvo-package-deb");
    ASSERT_FALSE(folder.empty());
    std::string why;
    const std::string deb = package_test::makeDebianPackage(folder, &why);
    ASSERT_FALSE(deb.empty()) << why;

    const std::string contents = run("dpkg-deb -c " + shellQuoted(deb) + " | awk '{$1=$2=$3=$4=$5=\"\"; print}'").output;
    const char* present[] = {
        " ./opt/delvocalculator/bin/tallyx\n",
        " ./opt/delvocalculator/lib/delvocalculator/libtallyx_window.so\n",
        " ./usr/bin/tallyx -> /opt/delvocalculator/bin/tallyx\n",
        " ./usr/share/applications/delvocalculator.desktop -> /opt/delvocalculator/share/applications/",
        " ./usr/share/man/man1/tallyx.1.gz -> /opt/delvocalculator/share/man/man1/tallyx.1.gz\n",
        " ./usr/share/metainfo/example.quarn.delvocalculator.metainfo.xml -> /opt/delvocalculator/share/metainfo/",
        " ./usr/share/doc/delvocalculator/copyright\n",
        " ./usr/share/doc/delvocalculator/changelog.gz\n",
    };
    for (const char* entry : present) EXPECT_NE(contents.find(entry), std::string::npos) << entry << "\n" << contents;
    EXPECT_EQ(contents.find("./opt/delvocalculator/share/doc"), std::string::npos) << contents;

    // One line per finding: "E: delvocalculator: tag [detail]"; infos and overrides do not count.
    const package_test::Run lint = run("lintian --no-tag-display-limit " + shellQuoted(deb));
    size_t start = 0;
    for (size_t end; (end = lint.output.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = lint.output.substr(start, end - start);
        if (line.rfind("E: ", 0) != 0 && line.rfind("W: ", 0) != 0) continue;
        const size_t tag = line.find(": ", 3) + 2;
        const std::string name = line.substr(tag, line.find(' ', tag) - tag);
        EXPECT_TRUE(kLayoutTags.count(name)) << line;
    }
    run("rm -rf " + shellQuoted(folder));
}

}  // namespace
