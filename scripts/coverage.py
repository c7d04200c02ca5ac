#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Lines and branches per folder from the gcov data of a build tree built with -DDELVO_COVERAGE=ON whose suite
# has run: gcovr writes <tree>/coverage/index.html (annotated sources) and summary.json, and this prints one
# row per folder and the total. Branches the compiler adds for exceptions and branches on lines without
# useful code are not counted. Usage: scripts/coverage.py build-coverage [--files] [--check]
#   --files  one row per file as well, the least covered first
#   --check  exit 1 when a folder misses its goal
import json
import os
import subprocess
import sys

# The program's folders, each reported on its own; tests, benchmarks and fuzzers are not measured.
# The measurement's own code in the program (coverage builds write their counts early) is not counted either.
NOT_MEASURED = ["app/coverage_counts.h"]
FOLDERS = ["engine", "libs/math", "libs/file", "libs/graph", "libs/ui", "console", "tools", "settings", "app"]
LINE_GOAL = 98.0
# The layers the whole program stands on are held to more branches than the windows are.
BRANCH_GOALS = {"engine": 95.0, "libs/math": 95.0, "libs/file": 95.0}
BRANCH_GOAL_ELSEWHERE = 85.0


def percent(covered, total):
    return 100.0 * covered / total if total else 100.0


def folder_of(path):
    matches = [f for f in FOLDERS if path.startswith(f + "/")]
    return max(matches, key=len) if matches else None


def excluded_lines(root):
    """Lines marked GCOVR_EXCL per folder: the defensive code docs/quality.md lists as reached by no test."""
    counts = {f: 0 for f in FOLDERS}
    for folder in FOLDERS:
        for base, _, names in os.walk(os.path.join(root, folder)):
            for name in names:
                if not name.endswith((".cpp", ".h")):
                    continue
                path = os.path.join(base, name)
                owner = folder_of(os.path.relpath(path, root))
                inside = False
                with open(path, encoding="utf-8") as f:
                    for line in f:
                        if "GCOVR_EXCL_START" in line:
                            inside = True
                        if inside or "GCOVR_EXCL_LINE" in line:
                            counts[owner] += 1
                        if "GCOVR_EXCL_STOP" in line:
                            inside = False
    return counts


def run_gcovr(root, tree):
    out = os.path.join(tree, "coverage")
    os.makedirs(out, exist_ok=True)
    summary = os.path.join(out, "summary.json")
    roots = sorted({f.split("/")[0] for f in FOLDERS})
    command = ["gcovr", "--root", root, "--object-directory", tree, "-j", str(os.cpu_count() or 2),
               "--exclude-throw-branches", "--exclude-unreachable-branches",
               "--html-details", os.path.join(out, "index.html"), "--html-title", "DelvoCalculator coverage",
               "--json-summary", summary]
    for folder in roots:
        command += ["--filter", folder + "/"]
    for path in NOT_MEASURED:
        command += ["--exclude", path]
    subprocess.run(command, check=True, cwd=root)
    with open(summary) as f:
        return json.load(f)


def row(name, lines, branches, note=""):
    return "{:<12}{:>7.1f} %{:>12}{:>9.1f} %{:>12}  {}".format(
        name, percent(*lines), "{}/{}".format(*lines), percent(*branches), "{}/{}".format(*branches), note).rstrip()


def main(argv):
    args = [a for a in argv if not a.startswith("--")]
    if len(args) != 1:
        sys.stderr.write("usage: scripts/coverage.py BUILD_TREE [--files] [--check]\n")
        return 2
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    summary = run_gcovr(root, os.path.abspath(args[0]))

    per_folder = {f: [0, 0, 0, 0] for f in FOLDERS}
    files = []
    for entry in summary["files"]:
        folder = folder_of(entry["filename"])
        if folder is None:
            continue
        counts = (entry["line_covered"], entry["line_total"], entry["branch_covered"], entry["branch_total"])
        files.append((entry["filename"], counts))
        per_folder[folder] = [a + b for a, b in zip(per_folder[folder], counts)]

    print("coverage goals: lines {:.0f} % in every folder; branches {:.0f} % in {}, {:.0f} % elsewhere".format(
        LINE_GOAL, max(BRANCH_GOALS.values()), ", ".join(BRANCH_GOALS), BRANCH_GOAL_ELSEWHERE))
    print("{:<12}{:>21}{:>22}".format("folder", "lines", "branches"))
    missed = []
    for folder, (lc, lt, bc, bt) in per_folder.items():
        if lt == 0:
            continue
        below = []
        if percent(lc, lt) < LINE_GOAL:
            below.append("lines")
        if percent(bc, bt) < BRANCH_GOALS.get(folder, BRANCH_GOAL_ELSEWHERE):
            below.append("branches")
        if below:
            missed.append(folder)
        print(row(folder, (lc, lt), (bc, bt), "below goal: " + ", ".join(below) if below else ""))
    total = [sum(c[i] for c in per_folder.values()) for i in range(4)]
    print(row("total", total[:2], total[2:]))
    excluded = {f: n for f, n in excluded_lines(root).items() if n}
    if excluded:
        print("not counted (marked GCOVR_EXCL, reasons in docs/quality.md): " +
              ", ".join("{} {} lines".format(f, n) for f, n in excluded.items()))
    print("coverage: report in {}".format(os.path.join(args[0], "coverage", "index.html")))

    if "--files" in argv:
        print()
        files.sort(key=lambda f: (percent(f[1][0], f[1][1]), percent(f[1][2], f[1][3])))
        width = max(len(name) for name, _ in files) + 2
        for name, (lc, lt, bc, bt) in files:
            print("{:<{w}}{:>7.1f} %{:>10}{:>9.1f} %{:>10}".format(
                name, percent(lc, lt), "{}/{}".format(lc, lt), percent(bc, bt), "{}/{}".format(bc, bt), w=width))
    if "--check" in argv and missed:
        print("coverage: below goal in " + ", ".join(missed), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
