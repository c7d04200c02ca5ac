#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# The calculator as a screen reader meets it: the real program, read through the desktop's accessibility
# bus (AT-SPI) by a separate client process, as Orca reads it.
# Usage: test_gui_a11y.py path/to/tallyx. Without a display it starts its own Xvfb, then runs the cases in a
# private D-Bus session, where the accessibility bus starts on first use. Exit status 77 (skipped): the
# session or the bus cannot start here.
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

SKIPPED = 77


def start_xvfb(number):
    """Xvfb on that display, once it accepts clients; None when it cannot start. -noreset: a server that
    resets when its last client leaves turns away clients arriving meanwhile (the bus starts that way)."""
    ready, write = os.pipe()
    server = subprocess.Popen(["Xvfb", f":{number}", "-displayfd", str(write), "-screen", "0", "1280x1024x24",
                               "-nolisten", "tcp", "-noreset"], pass_fds=[write], stderr=subprocess.DEVNULL)
    os.close(write)
    answer = b""  # the display number and a line end; the pipe stays open so no later write of it fails
    while not answer.endswith(b"\n"):
        piece = os.read(ready, 32)
        if not piece:
            server.wait()
            return None
        answer += piece
    return server


def own_display():
    """Starts Xvfb on a display number no lock file and no abstract socket claims (a server in another file
    system on the same network would answer clients first); the server, or None when DISPLAY is set."""
    if os.environ.get("DISPLAY"):
        return None
    with open("/proc/net/unix") as sockets:
        taken = sockets.read()
    for number in random.sample(range(200, 900), 40):
        if os.path.exists(f"/tmp/.X{number}-lock") or f"/tmp/.X11-unix/X{number}\n" in taken:
            continue
        server = start_xvfb(number)
        if server:
            os.environ["DISPLAY"] = f":{number}"
            return server
    sys.exit("Xvfb did not start")


if __name__ == "__main__" and not os.environ.get("DELVO_A11Y_SESSION"):
    if not shutil.which("dbus-run-session"):
        print("accessibility tests skipped: dbus-run-session is missing (install dbus)")
        sys.exit(SKIPPED)
    server = own_display()
    os.environ["DELVO_A11Y_SESSION"] = "1"
    status = subprocess.call(["dbus-run-session", "--", sys.executable] + sys.argv)
    if server:
        server.terminate()
    sys.exit(status)

try:
    import pyatspi
    from gi.repository import GLib
except ImportError as missing:
    print(f"accessibility tests skipped: {missing} (install python3-pyatspi)")
    sys.exit(SKIPPED)

TALLYX = sys.argv.pop(1)
KEYS = {"Return": 0xFF0D, "plus": 0x2B, "Left": 0xFF51, "Home": 0xFF50}


def pump(seconds, until=lambda: False):
    """Runs the client's main loop until the condition holds or the time is up; the condition's result."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline and not until():
        while GLib.MainContext.default().iteration(False):
            pass
        time.sleep(0.02)
    return until()


def descendants(node):
    stack = [node]
    while stack:
        current = stack.pop()
        if current is not None:
            yield current
            try:  # a window closing under the walk loses its children, as a screen reader sees it
                stack.extend(children(current))
            except Exception:
                pass


def children(node):
    return [node.getChildAtIndex(i) for i in range(node.childCount)]


class Calculator(unittest.TestCase):
    """One calculator for all cases; each case leaves it with an empty input line."""

    @classmethod
    def setUpClass(cls):
        cls.home = home = tempfile.mkdtemp(prefix="tallyx-a11y-")
        env = dict(os.environ, HOME=home, XDG_DATA_HOME=home + "/.local/share", XDG_CONFIG_HOME=home + "/.config",
                   XDG_CACHE_HOME=home + "/.cache", NO_AT_BRIDGE="0")
        env.pop("GTK_A11Y", None)
        cls.process = subprocess.Popen([TALLYX], env=env)
        try:
            desktop = pyatspi.Registry.getDesktop(0)
            desktop.childCount
        except Exception as error:
            cls.process.kill()
            print(f"accessibility tests skipped: the AT-SPI bus cannot start ({error})")
            sys.exit(SKIPPED)
        cls.app = None

        def started():
            cls.app = next((a for a in children(desktop) if a and a.get_process_id() == cls.process.pid), None)
            return cls.app is not None or cls.process.poll() is not None

        if not pump(30, started) or cls.app is None:
            cls.process.kill()
            raise RuntimeError(f"the calculator (exit status {cls.process.poll()}) never appeared on the bus")
        cls.console = cls.find(pyatspi.ROLE_TEXT, "Console", 20)
        cls.events = []
        pyatspi.Registry.registerEventListener(cls.events.append, "object:text-changed:insert",
                                               "object:text-changed:delete", "object:text-caret-moved")

    @classmethod
    def tearDownClass(cls):
        cls.process.terminate()
        cls.process.wait(10)
        shutil.rmtree(cls.home, ignore_errors=True)

    @classmethod
    def find(cls, role, name, timeout=10.0):
        """The first object of that role whose name starts so, waiting for it to appear; or None."""
        found = []

        def look():
            found[:] = [n for n in descendants(cls.app) if n.getRole() == role and n.name.startswith(name)]
            return found

        return found[0] if pump(timeout, look) else None

    def text(self):
        text = self.console.queryText()
        return text.getText(0, text.characterCount)

    def press(self, key):
        pyatspi.Registry.generateKeyboardEvent(KEYS[key], None, pyatspi.KEY_SYM)

    def type_line(self, line):
        """Types a line on the console's input line and presses Enter; waits for the new input line."""
        self.console.queryComponent().grabFocus()
        self.assertTrue(pump(5, lambda: self.console.getState().contains(pyatspi.STATE_FOCUSED)))
        before = len(self.text())
        pyatspi.Registry.generateKeyboardEvent(0, line, pyatspi.KEY_STRING)
        self.assertTrue(pump(5, lambda: self.text().endswith(line)), repr(self.text()))
        del self.events[:]
        self.press("Return")
        self.assertTrue(pump(5, lambda: len(self.text()) > before + len(line) and self.text().endswith("\n")))
        pump(0.3)

    def open_tool(self, label):
        """Clicks the main window's menu item of that label (a tool dialog's command shows or hides it)."""
        item = next(n for n in descendants(self.app) if n.getRole() in
                    (pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM) and n.name.startswith(label))
        item.queryAction().doAction(0)

    def focused(self):
        node = next((n for n in descendants(self.app) if n.getState().contains(pyatspi.STATE_FOCUSED)), None)
        return node.name if node else None

    def plot_canvas(self):
        """The plot window's canvas with sin(x) and cos(x) drawn in it (plotted by the first case asking)."""
        if not self.find(pyatspi.ROLE_PANEL, "Plot of", 0):
            self.type_line("plot(sin(x))")
            self.type_line("plot(cos(x))")
        return self.find(pyatspi.ROLE_PANEL, "Plot of sin(x), cos(x)")

    def test_typed_lines_and_replies_read_back(self):
        for state in (pyatspi.STATE_FOCUSABLE, pyatspi.STATE_MULTI_LINE, pyatspi.STATE_EDITABLE):
            self.assertTrue(self.console.getState().contains(state), state)
        rows = [  # line typed, the console's last lines then (a failed line carries its message)
            ("6*7", ["6*7", "42"]),
            ("2^10", ["2^10", "1024"]),
            ("1+", ["1+   ! invalid expression"]),
        ]
        for line, expected in rows:
            self.type_line(line)
            text, content = self.console.queryText(), self.text()
            self.assertEqual(text.characterCount, len(content))
            self.assertEqual(text.caretOffset, len(content))
            lines, offset = [], text.caretOffset  # read back line by line from the caret, as in review
            while len(lines) < len(expected):
                piece, offset, _ = text.getTextAtOffset(offset - 1, pyatspi.TEXT_BOUNDARY_LINE_START)
                lines.insert(0, piece.rstrip("\n"))
            self.assertEqual(lines, expected, repr(content))
            # Each insertion is announced with its offsets; together they hold the reply.
            inserts = [e for e in self.events if e.type == "object:text-changed:insert"]
            for event in inserts:
                self.assertEqual(content[event.detail1:event.detail1 + event.detail2], event.any_data)
            self.assertIn(expected[-1][len(line):] if len(expected) == 1 else expected[-1],
                          "".join(e.any_data for e in inserts))
            self.assertIn(len(content), [e.detail1 for e in self.events if e.type == "object:text-caret-moved"])

    def test_every_focusable_control_has_a_name(self):
        for label in ("Numeric Pad", "Variables", "Solver", "Unit Converter", "Base Converter", "Colors"):
            self.open_tool(label)
        self.assertIsNotNone(self.plot_canvas())
        pump(1)
        self.assertLessEqual({"NumKeypad", "Variables", "Solver f(x) = 0", "Unit Converter", "Colors",
                              "Base Converter (uint 32-bit)", "DelvoCalculator Plot 1"},
                             {window.name for window in children(self.app)})
        unnamed = [f"{window.name}: {node.getRoleName()} in {node.parent.getRoleName()} {node.parent.name!r}"
                   for window in children(self.app) for node in descendants(window)
                   if node.getState().contains(pyatspi.STATE_FOCUSABLE) and not node.name]
        self.assertEqual(unnamed, [])

    def test_plot_describes_the_ranges_in_view(self):
        canvas = self.plot_canvas()
        self.assertIsNotNone(canvas, "no canvas named after its curves")

        def ranges():  # "x from A to B, y from C to D"
            return [float(canvas.description.split()[i].rstrip(",")) for i in (2, 4, 7, 9)]

        canvas.queryComponent().grabFocus()
        self.assertTrue(pump(5, lambda: canvas.getState().contains(pyatspi.STATE_FOCUSED)))
        steps = [  # key, how the new ranges relate to the old ones
            ("plus", lambda old, new: new[1] - new[0] < old[1] - old[0] and new[3] - new[2] < old[3] - old[2]),
            ("Left", lambda old, new: new[0] < old[0] and new[1] < old[1] and new[2:] == old[2:]),
            ("Home", lambda old, new: new[:2] == [-4, 4]),
        ]
        for key, moved in steps:
            before = ranges()
            self.press(key)
            self.assertTrue(pump(5, lambda: moved(before, ranges())), f"{key}: {before} -> {ranges()}")

    def test_focus_follows_the_tool_dialogs(self):
        rows = [  # menu item, dialog title, the dialog's first field
            ("Solver", "Solver f(x) = 0", "Function to find zero of"),
            ("Unit Converter", "Unit Converter", "Category"),
            ("Variables", "Variables", "Variables"),
        ]
        for label, title, first_field in rows:
            if title in [window.name for window in children(self.app)]:  # left open by another case
                self.open_tool(label)
                self.assertTrue(pump(5, lambda: title not in [window.name for window in children(self.app)]))
            self.open_tool(label)
            self.assertTrue(pump(5, lambda: self.focused() == first_field), f"{label}: focus on {self.focused()}")
            self.open_tool(label)
            self.assertTrue(pump(5, lambda: self.console.getState().contains(pyatspi.STATE_FOCUSED)),
                            f"{label} hidden: focus on {self.focused()}")


if __name__ == "__main__":
    unittest.main(verbosity=2)
