#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# The calculator as a screen reader meets it: the real program under Xvfb, read through the desktop's
# accessibility bus (AT-SPI) by a separate client process, as Orca reads it.
# Usage: test_gui_a11y.py path/to/tallyx. Without a display it starts its own Xvfb (the server picks a free
# display number itself, so parallel runs never collide), then runs the cases in a private D-Bus session,
# where the accessibility bus starts on first use. Exit status 77: the bus cannot start here (skipped).
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

SKIPPED = 77


def display_in_use(number):
    """A display number taken here or by a server in another file system sharing our network (whose
    abstract socket clients would reach first)."""
    if os.path.exists(f"/tmp/.X{number}-lock"):
        return True
    try:
        with open("/proc/net/unix") as sockets:
            return f"/tmp/.X11-unix/X{number}\n" in sockets.read()
    except OSError:
        return False


def start_xvfb(number):
    """Xvfb on that display (kept as it is when the last client leaves, so a client that connects just
    then is not turned away); the server once it accepts clients, or None when it could not start."""
    ready, write = os.pipe()
    server = subprocess.Popen(["Xvfb", f":{number}", "-displayfd", str(write), "-screen", "0", "1280x1024x24",
                               "-nolisten", "tcp", "-noreset"], pass_fds=[write], stderr=subprocess.DEVNULL)
    os.close(write)
    # The number arrives with a line end once the server accepts clients; the pipe stays open while the
    # server runs, so none of its writes fails.
    answer = b""
    while not answer.endswith(b"\n"):
        piece = os.read(ready, 32)
        if not piece:
            server.wait()
            return None
        answer += piece
    return server


def own_display():
    """Starts Xvfb on a free display number; the server, or None when DISPLAY is set."""
    if os.environ.get("DISPLAY"):
        return None
    for number in random.sample(range(200, 900), 40):
        if display_in_use(number):
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
    os.environ.pop("GTK_A11Y", None)
    status = subprocess.call(["dbus-run-session", "--", sys.executable] + sys.argv)
    if server:
        server.terminate()
        server.wait()
    sys.exit(status)

try:
    import pyatspi
    from gi.repository import GLib
except ImportError as missing:
    print(f"accessibility tests skipped: {missing} (install python3-pyatspi)")
    sys.exit(SKIPPED)

TALLYX = sys.argv.pop(1) if len(sys.argv) > 1 else os.environ.get("TALLYX", "")
RETURN = 0xFF0D


def pump(seconds, until=lambda: False):
    """Runs the client's main loop until the condition holds or the time is up; the condition's result."""
    deadline = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < deadline:
        while context.pending():
            context.iteration(False)
        if until():
            return True
        time.sleep(0.02)
    return until()


def descendants(node):
    """The node and everything below it (a broken child is skipped, as a screen reader would)."""
    stack = [node]
    while stack:
        current = stack.pop()
        if current is None:
            continue
        yield current
        try:
            stack.extend(current.getChildAtIndex(i) for i in range(current.childCount))
        except Exception:
            pass


def find(root, role, name=None, timeout=10.0):
    found = []

    def look():
        found[:] = [n for n in descendants(root)
                    if n.getRole() == role and (name is None or n.name.startswith(name))]
        return bool(found)

    return found[0] if pump(timeout, look) else None


class Calculator(unittest.TestCase):
    """One calculator for all cases; each case leaves it with an empty input line."""

    @classmethod
    def setUpClass(cls):
        home = tempfile.mkdtemp(prefix="tallyx-a11y-")
        env = dict(os.environ, HOME=home, XDG_DATA_HOME=home + "/.local/share",
                   XDG_CONFIG_HOME=home + "/.config", XDG_CACHE_HOME=home + "/.cache", NO_AT_BRIDGE="0")
        env.pop("GTK_A11Y", None)
        cls.process = subprocess.Popen([TALLYX], env=env)
        try:
            desktop = pyatspi.Registry.getDesktop(0)
            desktop.childCount
        except Exception as error:
            cls.process.kill()
            print(f"accessibility tests skipped: the AT-SPI bus cannot start ({error})")
            sys.exit(SKIPPED)

        def started():
            cls.app = next((a for a in descendants(desktop) if a is not None and a.getRole() ==
                            pyatspi.ROLE_APPLICATION and a.get_process_id() == cls.process.pid), None)
            return cls.app is not None

        if not pump(30, lambda: started() or cls.process.poll() is not None) or cls.app is None:
            cls.process.kill()
            raise RuntimeError(f"the calculator (exit status {cls.process.poll()}) never appeared on the bus")
        cls.console = find(cls.app, pyatspi.ROLE_TEXT, "Console", 20)
        cls.events = []
        pyatspi.Registry.registerEventListener(cls.events.append, "object:text-changed:insert",
                                               "object:text-changed:delete", "object:text-caret-moved")

    @classmethod
    def tearDownClass(cls):
        cls.process.terminate()
        cls.process.wait(10)

    def text(self):
        text = self.console.queryText()
        return text.getText(0, text.characterCount)

    def type_line(self, line):
        """Types a line on the console's input line and presses Enter; waits for the reply."""
        self.console.queryComponent().grabFocus()
        self.assertTrue(pump(5, lambda: self.console.getState().contains(pyatspi.STATE_FOCUSED)))
        before = self.text()
        pyatspi.Registry.generateKeyboardEvent(0, line, pyatspi.KEY_STRING)
        self.assertTrue(pump(5, lambda: self.text().endswith(line)), repr(self.text()))
        del self.events[:]
        pyatspi.Registry.generateKeyboardEvent(RETURN, None, pyatspi.KEY_SYM)
        self.assertTrue(pump(5, lambda: len(self.text()) >= len(before) + len(line) + 1 and
                             self.text().endswith("\n")), repr(self.text()))
        pump(0.3)

    def test_console_is_a_named_text_area(self):
        self.assertIsNotNone(self.console, "no text area named Console")
        states = self.console.getState()
        for state in (pyatspi.STATE_FOCUSABLE, pyatspi.STATE_MULTI_LINE, pyatspi.STATE_EDITABLE):
            self.assertTrue(states.contains(state), state)

    def test_typed_lines_and_replies_read_back(self):
        rows = [  # line typed, the console's last lines then (a failed line carries its message)
            ("6*7", ["6*7", "42"]),
            ("2^10", ["2^10", "1024"]),
            ("1+", ["1+   ! invalid expression"]),
        ]
        for line, expected in rows:
            self.type_line(line)
            text = self.console.queryText()
            content = self.text()
            self.assertEqual(text.characterCount, len(content))
            # Read line by line backwards from the caret, as a screen reader reviews the history.
            caret = text.caretOffset
            self.assertEqual(caret, len(content))
            lines, offset = [], caret
            while len(lines) < len(expected):
                piece, offset, _ = text.getTextAtOffset(offset - 1, pyatspi.TEXT_BOUNDARY_LINE_START)
                lines.insert(0, piece.rstrip("\n"))
            self.assertEqual(lines, expected, repr(content))
            # What was inserted is announced with its offsets; together it is the reply.
            inserts = [e for e in self.events if e.type == "object:text-changed:insert"]
            for event in inserts:
                self.assertEqual(content[event.detail1:event.detail1 + event.detail2], event.any_data)
            self.assertIn(expected[-1][len(line):] if len(expected) == 1 else expected[-1],
                          "".join(e.any_data for e in inserts))
            self.assertTrue(any(e.type == "object:text-caret-moved" and e.detail1 == caret for e in self.events))

    def open_tool(self, label):
        """Clicks the main window's menu item of that label; the dialog's window once it shows."""
        item = next(n for n in descendants(self.app) if n.getRole() in
                    (pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM) and n.name.startswith(label))
        item.queryAction().doAction(0)

    def unnamed_focusable(self):
        """Every focusable control of every window that has no name, as "window: role" lines."""
        missing = []
        for window in [self.app.getChildAtIndex(i) for i in range(self.app.childCount)]:
            for node in descendants(window):
                if node.getState().contains(pyatspi.STATE_FOCUSABLE) and not node.name:
                    missing.append(f"{window.name}: {node.getRoleName()} (parent {node.parent.getRoleName()} "
                                   f"{node.parent.name!r})")
        return missing

    def plot_canvas(self):
        """The plot window's canvas, with sin(x) and cos(x) drawn in it (plotted once)."""
        canvas = find(self.app, pyatspi.ROLE_PANEL, "Plot of", 0)
        if canvas is None:
            self.type_line("plot(sin(x))")
            self.type_line("plot(cos(x))")
            canvas = find(self.app, pyatspi.ROLE_PANEL, "Plot of sin(x), cos(x)")
        return canvas

    def focused(self):
        return next((n for n in descendants(self.app) if n.getState().contains(pyatspi.STATE_FOCUSED)), None)

    def test_every_focusable_control_has_a_name(self):
        for label in ("Numeric Pad", "Variables", "Solver", "Unit Converter", "Base Converter", "Colors"):
            self.open_tool(label)
        self.assertIsNotNone(self.plot_canvas())
        pump(1)
        windows = {self.app.getChildAtIndex(i).name for i in range(self.app.childCount)}
        self.assertLessEqual({"NumKeypad", "Variables", "Solver f(x) = 0", "Unit Converter",
                              "Base Converter (uint 32-bit)", "Colors", "DelvoCalculator Plot 1"}, windows)
        self.maxDiff = None
        self.assertEqual(self.unnamed_focusable(), [])

    def test_plot_describes_the_ranges_in_view(self):
        canvas = self.plot_canvas()
        self.assertIsNotNone(canvas, "no canvas named after its curves")

        def ranges():
            words = canvas.description.split()  # "x from A to B, y from C to D"
            return [float(words[i].rstrip(",")) for i in (2, 4, 7, 9)]

        canvas.queryComponent().grabFocus()
        self.assertTrue(pump(5, lambda: canvas.getState().contains(pyatspi.STATE_FOCUSED)))
        steps = [  # key, how the new ranges relate to the old ones
            ("plus", lambda old, new: new[1] - new[0] < old[1] - old[0] and new[3] - new[2] < old[3] - old[2]),
            ("Left", lambda old, new: new[0] < old[0] and new[1] < old[1] and new[2:] == old[2:]),
            ("Home", lambda old, new: new[0] == -4 and new[1] == 4),
        ]
        for key, moved in steps:
            before = ranges()
            keysym = {"plus": 0x2B, "Left": 0xFF51, "Home": 0xFF50}[key]
            pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)
            self.assertTrue(pump(5, lambda: ranges() != before or key == "Home" and before[:2] == [-4, 4]), key)
            self.assertTrue(moved(before, ranges()), f"{key}: {before} -> {ranges()}")

    def tool_shown(self, title):
        return any(self.app.getChildAtIndex(i).name == title for i in range(self.app.childCount))

    def test_focus_follows_the_tool_dialogs(self):
        rows = [  # menu item, dialog title, the dialog's first field
            ("Solver", "Solver f(x) = 0", "Function to find zero of"),
            ("Unit Converter", "Unit Converter", "Category"),
            ("Variables", "Variables", "Variables"),
        ]
        for label, title, first_field in rows:
            if self.tool_shown(title):  # left open by another case
                self.open_tool(label)
                self.assertTrue(pump(5, lambda: not self.tool_shown(title)), title)
            self.open_tool(label)
            self.assertTrue(pump(5, lambda: self.focused() is not None and self.focused().name == first_field),
                            f"{label}: focus on {self.focused() and self.focused().name!r}")
            self.open_tool(label)  # hides it again
            self.assertTrue(pump(5, lambda: self.console.getState().contains(pyatspi.STATE_FOCUSED)),
                            f"{label} hidden: focus on {self.focused() and self.focused().name!r}")

if __name__ == "__main__":
    unittest.main(verbosity=2)
