#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Mutation testing of the layers below the windows (engine/, libs/math, libs/file): each mutant changes one
# token of one source file (a relational or arithmetic operator, a constant by one, a condition negated, a
# call statement removed), is built in a tree of its own, and is killed when a GUI-free GoogleTest
# executable linking its library fails or runs out of time. The sources are mirrored into
# build-mutate/src, so the working tree is never changed. See docs/quality.md.
#
# Usage: scripts/mutate.py [--list] [--check]
#   --list   only print the selected mutants
#   --check  exit 1 when fewer than 90 % of the non-equivalent mutants are killed
# Environment:
#   MUTATE_FILES  paths or folders to restrict the run to ("libs/file engine/preprocess.cpp")
#   MUTATE_LIMIT  run at most this many mutants, taken across the files in turn
#   MUTATE_COUNT  mutants selected over all files (400)   MUTATE_SEED  selection seed (1)
#   MUTATE_FRESH  1: forget the results of earlier runs
import hashlib
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FOLDERS = ["engine", "libs/math", "libs/file"]
WORK = os.path.join(ROOT, "build-mutate")
MIRROR = os.path.join(WORK, "src")
TREE = os.path.join(WORK, "build")
RESULTS = os.path.join(WORK, "results.json")
SCRATCH_PARENT = os.path.join(WORK, "scratch")
SCRATCH = os.path.join(SCRATCH_PARENT, "counts")
EQUIVALENT_LIST = os.path.join(ROOT, "scripts", "mutants-equivalent.txt")
SCORE_GOAL = 90.0
# A test executable gets this many times its unmutated run time, and never less than the floor: a mutant
# that loops for ever is killed by its tests running out of time.
TIME_FACTOR = 10
TIME_FLOOR_SECONDS = 30
BUILD_TIMEOUT_SECONDS = 900

# ---------------------------------------------------------------------------------------------------------
# A C++ token scanner: enough to find operators, literals and statements, skipping comments, strings and
# preprocessor lines.

PUNCTUATORS = sorted("""<<= >>= <=> ... ->* :: -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= .*
    { } [ ] ( ) ; : ? , . + - * / % ^ & | ~ ! = < > #""".split(), key=len, reverse=True)
KEYWORDS = set("""alignas alignof asm auto bool break case catch char char16_t char32_t char8_t class const
    const_cast constexpr continue decltype default delete do double dynamic_cast else enum explicit extern
    false float for friend goto if inline int long mutable namespace new noexcept nullptr operator private
    protected public register reinterpret_cast return short signed sizeof static static_assert static_cast
    struct switch template this throw true try typedef typeid typename union unsigned using virtual void
    volatile wchar_t while""".split())
# Calls whose removal changes only speed.
CALLS_WITHOUT_EFFECT = {"reserve", "shrink_to_fit"}
NUMBER = re.compile(r"(?:0[xX][0-9a-fA-F']+|0[bB][01']+|\d[\d']*\.?[\d']*(?:[eE][+-]?\d+)?|\.\d+(?:[eE][+-]?\d+)?)"
                    r"[uUlLfF]*")
IDENT = re.compile(r"[A-Za-z_]\w*")
STRING_PREFIX = re.compile(r"(?:u8|u|U|L)?R?$")


class Token:
    __slots__ = ("kind", "text", "start", "end", "line", "col")

    def __init__(self, kind, text, start, line, col):
        self.kind, self.text, self.start, self.end = kind, text, start, start + len(text)
        self.line, self.col = line, col


def tokenize(source):
    tokens, i, line, line_start, n = [], 0, 1, 0, len(source)
    at_line_start = True
    while i < n:
        c = source[i]
        if c == "\n":
            line, line_start, at_line_start, i = line + 1, i + 1, True, i + 1
            continue
        if c in " \t\r\f\v":
            i += 1
            continue
        if source.startswith("//", i):
            i = source.find("\n", i)
            i = n if i < 0 else i
            continue
        if source.startswith("/*", i):
            end = source.find("*/", i + 2)
            end = n if end < 0 else end + 2
            line += source.count("\n", i, end)
            if "\n" in source[i:end]:
                line_start = source.rfind("\n", i, end) + 1
            i = end
            continue
        if c == "#" and at_line_start:  # a preprocessor line, with its continuations
            while True:
                j = source.find("\n", i)
                j = n if j < 0 else j
                if j > 0 and source[j - 1] == "\\" and j < n:
                    line, line_start, i = line + 1, j + 1, j + 1
                    continue
                i = j
                break
            continue
        at_line_start = False
        col = i - line_start + 1
        m = IDENT.match(source, i)
        if m and i + len(m.group()) < n and source[m.end()] in "'\"" and STRING_PREFIX.match(m.group()):
            i = m.end()  # the literal's prefix: the quote below reads the literal
            c = source[i]
            if m.group().endswith("R") and c == '"':
                delim = source[i + 1:source.index("(", i)]
                end = source.index(")" + delim + '"', i) + len(delim) + 2
                tokens.append(Token("string", source[m.start():end], m.start(), line, col))
                if "\n" in source[i:end]:  # a raw string over several lines
                    line, line_start = line + source.count("\n", i, end), source.rfind("\n", i, end) + 1
                i = end
                continue
        elif m:
            tokens.append(Token("ident", m.group(), i, line, col))
            i = m.end()
            continue
        if c in "'\"":
            j = i + 1
            while source[j] != c:
                j += 2 if source[j] == "\\" else 1
            start = m.start() if m else i
            tokens.append(Token("string" if c == '"' else "char", source[start:j + 1], start, line, col))
            i = j + 1
            continue
        m = NUMBER.match(source, i)
        if m and (c.isdigit() or c == "."):
            tokens.append(Token("number", m.group(), i, line, col))
            i = m.end()
            continue
        for p in PUNCTUATORS:
            if source.startswith(p, i):
                tokens.append(Token("punct", p, i, line, col))
                i += len(p)
                break
        else:
            i += 1
    return tokens


def template_brackets(tokens):
    """Indices of the < and > (or >>) tokens that enclose template arguments."""
    marked = set()
    allowed = {"::", ",", "*", "&", "<", ">", ">>", "(", ")", "const"}
    for i, t in enumerate(tokens):
        if t.text != "<" or i == 0 or tokens[i - 1].kind != "ident" or tokens[i - 1].text in KEYWORDS - {
                "static_cast", "reinterpret_cast", "const_cast", "dynamic_cast", "template"}:
            continue
        depth, parens = 1, 0
        for j in range(i + 1, min(len(tokens), i + 40)):
            u = tokens[j]
            if u.kind == "punct" and u.text not in allowed:
                break
            if u.text == "(":
                parens += 1
            elif u.text == ")":
                parens -= 1
                if parens < 0:
                    break
            elif u.text == "<":
                depth += 1
            elif u.text in (">", ">>"):
                depth -= len(u.text)
                if depth <= 0:
                    marked.update((i, j))
                    break
    return marked


def matching(tokens, i, open_, close):
    depth = 0
    for j in range(i, len(tokens)):
        if tokens[j].text == open_:
            depth += 1
        elif tokens[j].text == close:
            depth -= 1
            if depth == 0:
                return j
    return None


def is_value_end(t):
    """True when t can end an operand, so an operator after it is binary."""
    return (t.kind in ("number", "string", "char") or t.text in (")", "]")
            or (t.kind == "ident" and (t.text not in KEYWORDS or t.text in ("this", "true", "false", "nullptr"))))


# ---------------------------------------------------------------------------------------------------------
# Mutants.

RELATIONAL = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
ARITHMETIC = {"+": "-", "-": "+", "*": "/", "/": "*", "%": "*", "<<": ">>", ">>": "<<", "&": "|", "|": "&",
              "^": "|", "+=": "-=", "-=": "+=", "*=": "/=", "/=": "*=", "++": "--", "--": "++"}
LOGICAL = {"&&": "||", "||": "&&"}


class Mutant:
    __slots__ = ("path", "line", "col", "start", "end", "original", "mutated", "kind")

    def __init__(self, path, token, start, end, original, mutated, kind):
        self.path, self.line, self.col = path, token.line, token.col
        self.start, self.end, self.original, self.mutated, self.kind = start, end, original, mutated, kind

    def describe(self):
        flat = lambda s: " ".join(s.split())
        return "{}:{}:{} {} -> {}".format(self.path, self.line, self.col, flat(self.original), flat(self.mutated))


def off_by_one(text):
    hexadecimal = re.match(r"0[xX]", text)  # its digits include F, which elsewhere marks a float
    m = re.match(r"(.*?)([uUlL]*)$" if hexadecimal else r"(.*?)([uUlLfF]*)$", text)
    body, suffix = m.group(1), m.group(2)
    plain = body.replace("'", "")
    try:
        if re.match(r"0[xX]", plain):
            value, form = int(plain, 16), lambda v: "0x{:X}".format(v)
        elif re.match(r"0[bB]", plain):
            value, form = int(plain[2:], 2), lambda v: "0b{:b}".format(v)
        elif re.fullmatch(r"\d+", plain):
            value, form = int(plain, 8 if len(plain) > 1 and plain[0] == "0" else 10), str
        else:
            value = float(plain)
            form = lambda v: repr(float(v))
            if value + 1 == value:
                return []
            suffix = suffix.replace("l", "").replace("L", "")
    except ValueError:
        return []
    return [form(v) + suffix for v in (value + 1, value - 1) if v >= 0]


def statement_start(tokens, i):
    if i == 0:
        return True
    prev = tokens[i - 1]
    if prev.text in (";", "{", "}", "else"):
        return True
    if prev.text == ")":
        depth = 0
        for j in range(i - 1, -1, -1):
            depth += {")": 1, "(": -1}.get(tokens[j].text, 0)
            if depth == 0:
                return j > 0 and tokens[j - 1].text in ("if", "for", "while")
    return False


def call_statement(tokens, i, templates):
    """The index of the ; ending a statement that is only a call (a.b(...); f(x);), or None."""
    j = i
    if tokens[j].text == "::":
        j += 1
    while True:
        if j >= len(tokens) or tokens[j].kind != "ident" or tokens[j].text in KEYWORDS:
            return None
        name = tokens[j].text
        j += 1
        if j < len(tokens) and tokens[j].text == "<" and j in templates:
            j = next((k for k in range(j, len(tokens)) if k in templates and k != j), None)
            if j is None:
                return None
            j += 1
        if j < len(tokens) and tokens[j].text in ("::", ".", "->"):
            j += 1
            continue
        break
    if j >= len(tokens) or tokens[j].text != "(" or name in CALLS_WITHOUT_EFFECT:
        return None
    close = matching(tokens, j, "(", ")")
    if close is None or close + 1 >= len(tokens) or tokens[close + 1].text != ";":
        return None
    return close + 1


def ternary_condition(tokens, i):
    """The index of the first token of the condition before the ? at i, or None."""
    depth, j = 0, i - 1
    while j >= 0:
        text = tokens[j].text
        if text in (")", "]"):
            depth += 1
        elif text in ("(", "["):
            if depth == 0:
                break
            depth -= 1
        elif depth == 0 and (text in (";", "{", "}", ",", ":", "?", "return") or
                             (text.endswith("=") and text not in ("==", "!=", "<=", ">="))):
            break
        j -= 1
    return j + 1 if j + 1 < i else None


def mutants_of(path, source):
    tokens = tokenize(source)
    templates = template_brackets(tokens)
    found = []

    def add(token, start, end, mutated, kind):
        found.append(Mutant(path, token, start, end, source[start:end], mutated, kind))

    for i, t in enumerate(tokens):
        prev = tokens[i - 1] if i > 0 else None
        nxt = tokens[i + 1] if i + 1 < len(tokens) else None
        if t.kind == "punct" and i not in templates:
            # After "if (...)" an operator starts a statement, so it is unary: "if (p) *p = 0;".
            binary = prev is not None and is_value_end(prev) and not statement_start(tokens, i)
            if t.text in RELATIONAL and binary:
                add(t, t.start, t.end, RELATIONAL[t.text], "relational")
            elif t.text in LOGICAL:
                add(t, t.start, t.end, LOGICAL[t.text], "logical")
            elif t.text in ("++", "--"):
                add(t, t.start, t.end, ARITHMETIC[t.text], "arithmetic")
            elif t.text in ("+=", "-=") and nxt is not None and nxt.kind not in ("string", "char") and not (
                    nxt.text == "static_cast" and i + 3 < len(tokens) and tokens[i + 3].text in ("char", "wchar_t")):
                add(t, t.start, t.end, ARITHMETIC[t.text], "arithmetic")
            elif t.text in ("*=", "/="):
                add(t, t.start, t.end, ARITHMETIC[t.text], "arithmetic")
            elif t.text in ("+", "-", "/", "%", "<<", ">>", "^", "|") and binary and prev.kind != "string":
                add(t, t.start, t.end, ARITHMETIC[t.text], "arithmetic")
            elif t.text in ("*", "&") and binary and nxt is not None and (
                    prev.text in (")", "]") or prev.kind == "number" or nxt.kind == "number" or nxt.text == "("):
                add(t, t.start, t.end, ARITHMETIC[t.text], "arithmetic")
            elif t.text == "!" and nxt is not None and nxt.text != "=":
                add(t, t.start, t.end, "", "negation")
        elif t.kind == "number":
            for mutated in off_by_one(t.text):
                add(t, t.start, t.end, mutated, "constant")
        elif t.text in ("true", "false"):
            add(t, t.start, t.end, "false" if t.text == "true" else "true", "constant")
        elif t.text in ("if", "while") and nxt is not None and nxt.text == "(" and not (prev and prev.text == "#"):
            close = matching(tokens, i + 1, "(", ")")
            inner = tokens[i + 2:close] if close else []
            if inner and not any(u.text in ("=", ";") for u in inner):
                start, end = tokens[i + 2].start, tokens[close - 1].end
                add(t, start, end, "!(" + source[start:end] + ")", "negated condition")
        if t.text == "?":
            start = ternary_condition(tokens, i)
            if start is not None:
                begin, end = tokens[start].start, tokens[i - 1].end
                add(tokens[start], begin, end, "!(" + source[begin:end] + ")", "negated condition")
        if t.kind == "ident" and statement_start(tokens, i):
            end = call_statement(tokens, i, templates)
            if end is not None:
                add(t, t.start, tokens[end].end, ";", "removed call")
    return found


def source_files():
    files = []
    for folder in FOLDERS:
        for name in sorted(os.listdir(os.path.join(ROOT, folder))):
            # Another platform's file is not built here, so no test of this platform could kill its mutants.
            if name.endswith(".cpp") and not re.search(r"_(win|msw)\.cpp$", name):
                files.append(folder + "/" + name)
    return files


def select(files, count, seed):
    """A deterministic sample of about `count` mutants, each file's share after its number of candidates
    (at least a few from every file)."""
    candidates = {}
    for path in files:
        with open(os.path.join(ROOT, path), encoding="utf-8") as f:
            candidates[path] = mutants_of(path, f.read())
    total = sum(len(c) for c in candidates.values()) or 1
    chosen = []
    for path in files:
        share = max(min(len(candidates[path]), 6), round(count * len(candidates[path]) / total))
        rng = random.Random("{}:{}".format(seed, path))
        # Each kind in turn, so that the many constants of a table do not crowd out the operators.
        kinds = {}
        for m in candidates[path]:
            kinds.setdefault(m.kind, []).append(m)
        queues = [kinds[k] for k in sorted(kinds)]
        for q in queues:
            rng.shuffle(q)
        picked = []
        while len(picked) < share and any(queues):
            for q in queues:
                if q and len(picked) < share:
                    picked.append(q.pop())
        chosen.extend(sorted(picked, key=lambda m: (m.start, m.mutated)))
    return chosen


def round_robin(mutants):
    """The mutants reordered so that every file has one before any file has a second."""
    by_file = {}
    for m in mutants:
        by_file.setdefault(m.path, []).append(m)
    queues, ordered = list(by_file.values()), []
    while any(queues):
        for q in queues:
            if q:
                ordered.append(q.pop(0))
    return ordered


# ---------------------------------------------------------------------------------------------------------
# The mirror and its build tree.

def run(command, **kwargs):
    return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, **kwargs)


def sync_mirror():
    """Copies the working tree's files into the mirror; unchanged files keep their time stamps, so the tree
    rebuilds only what changed."""
    listed = run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"], cwd=ROOT, check=True)
    wanted = {p for p in listed.stdout.split("\0") if p and os.path.isfile(os.path.join(ROOT, p))}
    for path in sorted(wanted):
        source, target = os.path.join(ROOT, path), os.path.join(MIRROR, path)
        with open(source, "rb") as f:
            data = f.read()
        if os.path.isfile(target):
            with open(target, "rb") as f:
                if f.read() == data:
                    continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy2(source, target)
        os.utime(target)
    for folder, _, names in os.walk(MIRROR):
        for name in names:
            path = os.path.relpath(os.path.join(folder, name), MIRROR)
            if path not in wanted:
                os.remove(os.path.join(folder, name))


def configure():
    # No optimisation and no debug information: the fastest rebuilds. Only the tests' targets are built, so
    # the window's code is never compiled here. Coverage instrumentation tells which tests run a line. The
    # standard library's assertions stop a test at a read outside a string, vector or array, as the sanitizer
    # suite would: a mutant that reads past an end is caught, not judged by what memory happened to hold.
    command = ["cmake", "-S", MIRROR, "-B", TREE, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
               "-DCMAKE_CXX_FLAGS_DEBUG=-O0 -D_GLIBCXX_ASSERTIONS", "-DDELVO_BUILD_BENCH=OFF", "-DDELVO_COVERAGE=ON"]
    if shutil.which("ccache"):
        command.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
    result = run(command)
    if result.returncode != 0:
        sys.exit("mutate: configuring {} failed:\n{}".format(TREE, result.stdout))


def object_library(path):
    """The library target that compiles a source file and the folder of its objects, from the tree's compile
    commands."""
    with open(os.path.join(TREE, "compile_commands.json")) as f:
        commands = json.load(f)
    for entry in commands:
        if os.path.realpath(entry["file"]) == os.path.realpath(os.path.join(MIRROR, path)):
            output = entry.get("output") or re.search(r"-o (\S+)", entry["command"]).group(1)
            m = re.search(r"CMakeFiles/([^/]+)\.dir/", output)
            if m:
                return m.group(1), os.path.join(entry["directory"], os.path.dirname(output))
    return None


def test_executables():
    """For each library target, the GUI-free GoogleTest executables that link it, directly or not."""
    dot = os.path.join(TREE, "targets.dot")
    run(["cmake", "--graphviz=" + dot, "."], cwd=TREE, check=True)
    names, executables, edges = {}, set(), []
    with open(dot) as f:
        for text in f:
            m = re.match(r'\s*"(node\d+)" \[ label = "([^"]+)", shape = (\w+)', text)
            if m:
                names[m.group(1)] = m.group(2)
                if m.group(3) in ("egg", "tripleoctagon"):  # an executable or a module
                    executables.add(m.group(2))
            m = re.match(r'\s*"(node\d+)" -> "(node\d+)"', text)
            if m:
                edges.append((m.group(1), m.group(2)))
    # An edge to an executable or a module is an order of building (a test that runs tallyx), not a link.
    links = {}
    for a, b in edges:
        if names[b] not in executables:
            links.setdefault(names[a], set()).add(names[b])
    shown = json.loads(run(["ctest", "--show-only=json-v1"], cwd=TREE, check=True).stdout)
    windowed = set()
    for test in shown.get("tests", []):
        labels = next((p["value"] for p in test.get("properties", []) if p["name"] == "LABELS"), [])
        if "gui" in labels or "wine" in labels:
            windowed.add(test["name"])

    def reaches(target, library, seen):
        if target in seen:
            return False
        seen.add(target)
        return any(d == library or reaches(d, library, seen) for d in links.get(target, ()))

    tests = sorted(t for t in links if t.startswith("test_") and t not in windowed)
    return lambda library: [t for t in tests if reaches(t, library, set())]


def build(targets):
    result = run(["ninja", "-C", TREE] + targets, timeout=BUILD_TIMEOUT_SECONDS)
    return result.returncode == 0, result.stdout


def executable(target):
    return os.path.join(TREE, "tests", target)


def run_test(target, timeout, counts=False):
    """'passed', 'failed' or 'timeout'. Line counts are written beside the objects only when asked for;
    otherwise into a scratch folder, emptied after each run."""
    env = dict(os.environ)
    env.pop("DISPLAY", None)
    if not counts:
        env.update(GCOV_PREFIX=SCRATCH, GCOV_PREFIX_STRIP="99")
    try:
        proc = subprocess.Popen([executable(target), "--gtest_brief=1"], cwd=os.path.join(TREE, "tests"),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env,
                                start_new_session=True)
        return "passed" if proc.wait(timeout=timeout) == 0 else "failed"
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        return "timeout"
    finally:
        shutil.rmtree(SCRATCH, ignore_errors=True)


def lines_run(objects):
    """For each source file of the given object folders, the lines the last test run executed and the lines
    that have code at all, from the counts gcov reads."""
    ran, code = {}, {}
    data = [os.path.join(d, n) for d in objects for n in os.listdir(d) if n.endswith(".gcda")]
    if not data:
        return ran, code
    result = subprocess.run(["gcov", "--json-format", "--stdout"] + data, cwd=SCRATCH_PARENT,
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    for text in result.stdout.splitlines():
        if not text.startswith("{"):
            continue
        for entry in json.loads(text).get("files", []):
            path = os.path.relpath(os.path.realpath(os.path.join(TREE, entry["file"])), os.path.realpath(MIRROR))
            if path.startswith(".."):
                continue
            lines = entry.get("lines", [])
            code.setdefault(path, set()).update(l["line_number"] for l in lines)
            ran.setdefault(path, set()).update(l["line_number"] for l in lines if l["count"] > 0)
    return ran, code


def coverage_of_tests(tests, objects):
    """Runs each test once without a mutant: the time it takes and the lines it runs. A test that fails
    stops the run: mutants are judged against a passing suite."""
    baseline, ran, code = {}, {}, {}
    for test in tests:
        for d in objects:
            for n in os.listdir(d):
                if n.endswith(".gcda"):
                    os.remove(os.path.join(d, n))
        begun = time.time()
        if run_test(test, 600, counts=True) != "passed":
            sys.exit("mutate: {} fails without a mutant; the suite must pass first".format(test))
        baseline[test] = time.time() - begun
        ran[test], lines = lines_run(objects)
        for path, numbers in lines.items():
            code.setdefault(path, set()).update(numbers)
    return baseline, ran, code


# ---------------------------------------------------------------------------------------------------------
# The run.

def read_equivalents():
    """Descriptors of the mutants shown equivalent, each with its reason."""
    equivalent = {}
    if os.path.isfile(EQUIVALENT_LIST):
        with open(EQUIVALENT_LIST, encoding="utf-8") as f:
            for text in f:
                text = text.rstrip("\n")
                if text.strip() and not text.startswith("#"):
                    descriptor, _, why = text.partition("  #")
                    equivalent[descriptor.strip()] = why.strip()
    return equivalent


def file_hash(path):
    with open(os.path.join(ROOT, path), "rb") as f:
        return hashlib.sha1(f.read()).hexdigest()[:12]


def load_results():
    if os.environ.get("MUTATE_FRESH") == "1" or not os.path.isfile(RESULTS):
        return {}
    with open(RESULTS) as f:
        return json.load(f)


def save_results(results):
    with open(RESULTS + ".new", "w") as f:
        json.dump(results, f, indent=1, sort_keys=True)
    os.replace(RESULTS + ".new", RESULTS)


def restricted(mutants):
    wanted = os.environ.get("MUTATE_FILES", "").replace(",", " ").split()
    if wanted:
        wanted = [w.rstrip("/") for w in wanted]
        mutants = [m for m in mutants if any(m.path == w or m.path.startswith(w + "/") for w in wanted)]
    limit = os.environ.get("MUTATE_LIMIT")
    ordered = round_robin(mutants)
    return ordered[:int(limit)] if limit else ordered


def covering(m, tests, ran, code):
    """The tests that run the mutant's lines. A line without code of its own (a constant folded into its
    users) is judged by every test of the library."""
    lines = set(range(m.line, m.line + m.original.count("\n") + 1))
    if not lines & code.get(m.path, set()):
        return tests
    return [t for t in tests if lines & ran[t].get(m.path, set())]


def test_mutant(m, tests, baseline, kills, library_tests):
    """Builds the mutant and runs its tests, those that killed most of this file's mutants first. A mutant no
    test runs is still built, so one that does not compile counts as invalid, not as survived."""
    if not tests and not library_tests:
        return "not run", None
    target = os.path.join(MIRROR, m.path)
    with open(target, encoding="utf-8") as f:
        original = f.read()
    mutated = original[:m.start] + m.mutated + original[m.end:]
    try:
        with open(target, "w", encoding="utf-8") as f:
            f.write(mutated)
        if not tests:
            return ("not run" if build(library_tests[:1])[0] else "build failed"), None
        order = sorted(tests, key=lambda t: (-kills.get((m.path, t), 0), -kills.get(t, 0), baseline[t]))
        for n, test in enumerate(order):
            ok, log = build([test])
            if not ok:
                return ("build failed" if n == 0 else "killed"), test
            outcome = run_test(test, max(TIME_FLOOR_SECONDS, TIME_FACTOR * baseline[test]))
            if outcome != "passed":
                return ("killed" if outcome == "failed" else "timeout"), test
        return "survived", None
    finally:
        with open(target, "w", encoding="utf-8") as f:
            f.write(original)


def report(selected, results, equivalent, hashes):
    rows, survivors, stale = {}, [], set(equivalent)
    counted = {"killed": 0, "timeout": 0, "survived": 0, "equivalent": 0, "build failed": 0}
    for m in selected:
        r = results.get(key(m, hashes))
        if r is None:
            continue
        status = r["status"]
        # The list's lines are stripped, and a removed token leaves the description ending in "-> ".
        stale.discard(m.describe().strip())
        if status in ("survived", "not run") and m.describe().strip() in equivalent:
            status = "equivalent"
        elif status == "not run":
            status = "survived"
        counted[status] += 1
        row = rows.setdefault(m.path, dict.fromkeys(counted, 0))
        row[status] += 1
        if status == "survived":
            survivors.append((m, r["status"] == "not run"))
    print("{:<32}{:>8}{:>9}{:>11}{:>9}{:>8}".format("file", "killed", "survived", "equivalent", "invalid", "score"))
    for path in sorted(rows):
        r = rows[path]
        killed = r["killed"] + r["timeout"]
        print("{:<32}{:>8}{:>9}{:>11}{:>9}{:>8}".format(path, killed, r["survived"], r["equivalent"],
                                                      r["build failed"], score_text(killed, r["survived"])))
    killed = counted["killed"] + counted["timeout"]
    print("mutate: {} killed ({} by a time-out), {} survived, {} equivalent, {} invalid (did not build)".format(
        killed, counted["timeout"], counted["survived"], counted["equivalent"], counted["build failed"]))
    print("mutate: score {} of the {} non-equivalent mutants killed (goal {:.0f} %)".format(
        score_text(killed, counted["survived"]), killed + counted["survived"], SCORE_GOAL))
    if survivors:
        print("survivors (a test that catches the fault, or a line with the reason in "
              "scripts/mutants-equivalent.txt):")
        for m, not_run in survivors:
            print("  " + m.describe() + ("   (no GUI-free test runs this line)" if not_run else ""))
    selected_files = {m.path for m in selected}
    for descriptor in sorted(stale):
        if descriptor.split(":")[0] in selected_files and not os.environ.get("MUTATE_LIMIT"):
            print("mutate: no such mutant any more: " + descriptor)
    return killed, counted["survived"]


def score_text(killed, survived):
    return "{:.1f} %".format(100.0 * killed / (killed + survived)) if killed + survived else "-"


def key(m, hashes):
    return "{} {}".format(m.describe(), hashes[m.path])


def main(argv):
    sys.stdout.reconfigure(line_buffering=True)  # progress shows at once in a log file too
    count = int(os.environ.get("MUTATE_COUNT", "400"))
    seed = os.environ.get("MUTATE_SEED", "1")
    files = source_files()
    selected = select(files, count, seed)
    if "--list" in argv:
        for m in selected:
            print("{:<18}{}".format(m.kind, m.describe()))
        print("mutate: {} mutants of {} files".format(len(selected), len(files)))
        return 0
    hashes = {path: file_hash(path) for path in files}
    equivalent = read_equivalents()
    todo = restricted(selected)
    os.makedirs(WORK, exist_ok=True)
    results = load_results()

    started = time.time()
    sync_mirror()
    configure()
    tests_of = test_executables()
    libraries = {path: object_library(path) for path in {m.path for m in todo}}
    tests = {path: tests_of(lib[0]) if lib else [] for path, lib in libraries.items()}
    objects = sorted({lib[1] for lib in libraries.values() if lib})
    needed = sorted({t for ts in tests.values() for t in ts})
    for path in sorted(p for p, ts in tests.items() if not ts):
        print("mutate: no test links {}".format(path))
    print("mutate: building {} test executables in {}".format(len(needed), os.path.relpath(TREE, ROOT)))
    ok, log = build(needed)
    if not ok:
        sys.exit("mutate: the unmutated tree does not build:\n" + log[-4000:])
    os.makedirs(SCRATCH_PARENT, exist_ok=True)
    baseline, ran, code = coverage_of_tests(needed, objects)

    # A stop (Ctrl+C, a signal) restores the mirror's file through test_mutant's finally, and results so far stay.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("mutate: stopped"))
    kills, done = {}, 0
    pending = [m for m in todo if results.get(key(m, hashes), {}).get("status") not in ("killed", "timeout",
                                                                                         "build failed")]
    print("mutate: {} mutants to run of {} selected ({} known from earlier runs)".format(
        len(pending), len(todo), len(todo) - len(pending)))
    for m in pending:
        begun = time.time()
        status, test = test_mutant(m, covering(m, tests[m.path], ran, code), baseline, kills, tests[m.path])
        if status in ("killed", "timeout"):
            kills[(m.path, test)] = kills.get((m.path, test), 0) + 1
            kills[test] = kills.get(test, 0) + 1
        results[key(m, hashes)] = {"status": status, "test": test, "seconds": round(time.time() - begun, 1)}
        save_results(results)
        done += 1
        print("[{}/{}] {:<12} {}".format(done, len(pending), status, m.describe()), flush=True)
    build(needed)  # the unmutated objects again, for the next run

    killed, survived = report(todo, results, equivalent, hashes)
    print("mutate: {:.0f} s".format(time.time() - started))
    if "--check" in argv and killed + survived and 100.0 * killed / (killed + survived) < SCORE_GOAL:
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
