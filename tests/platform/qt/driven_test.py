#!/usr/bin/env python3
"""The installed kind of Varendo, the real program, driven from another
process as a screen reader or a test robot drives it: buttons pressed and
labels read through AT-SPI, the statistic typed as real key strokes (so the
comma filter acts), in the locale the environment names. The rows are the
window tests' own table.

driven_test.py VARENDO EXPECTED_ROWS_JSON_PROGRAM
Run inside a D-Bus session on an X display with a window manager
(tests/platform/qt/session does both).
"""
import json
import locale
import os
import re
import subprocess
import sys
import time
import unittest

import pyatspi

PROGRAM = sys.argv[1]
ROWS = json.loads(subprocess.run([sys.argv[2]], check=True, capture_output=True, text=True).stdout)


def wait_for(condition, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        found = condition()
        if found:
            return found
        time.sleep(0.05)
    return condition()


def children(node):
    return [c for c in node if c is not None]


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


class Driven(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # The locale must be generated: the C library falls back to C without a word.
        wanted = os.environ.get("LC_ALL", "C")
        locale.setlocale(locale.LC_ALL, "")
        cls.separator = locale.localeconv()["decimal_point"]
        if wanted != "C" and locale.setlocale(locale.LC_NUMERIC) != wanted:
            raise AssertionError(f"locale {wanted} missing: run tools/install-deps")
        desktop = pyatspi.Registry.getDesktop(0)
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        cls.process = subprocess.Popen([PROGRAM], env=env)
        cls.app = wait_for(lambda: next((a for a in children(desktop) if a.name == "varendo"), None))
        assert cls.app, "the program did not appear to the accessibility bus"

    @classmethod
    def tearDownClass(cls):
        cls.process.kill()
        cls.process.wait()

    # ---- the program as a screen reader finds it ---------------------------

    def window(self, button):
        """The shown window that has a button with this name."""
        return wait_for(lambda: next((w for w in children(self.app) if showing(w) and self.find(w, "push button", button)), None))

    def all(self, window, role):
        """The window's objects of this role, however deep, in order."""
        found = []
        for c in children(window):
            if c.getRoleName() == role:
                found.append(c)
            found += self.all(c, role)
        return found

    def find(self, window, role, name=None):
        return next((c for c in self.all(window, role) if (name is None or c.name == name) and showing(c)), None)

    def press(self, window, name):
        button = self.find(window, "push button", name)
        self.assertIsNotNone(button, f"no button {name!r}")
        button.queryAction().doAction(0)

    def type_keys(self, text):
        # Into the shown window, whose focus lies on the box.
        subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Varendo$", "windowactivate", "--sync"],
                       check=True, capture_output=True)
        subprocess.run(["xdotool", "key", "--clearmodifiers", "ctrl+a", "BackSpace"], check=True)
        subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)

    def message(self):
        """The text of a shown message box, and its OK button."""
        def box():
            for w in children(self.app):
                if showing(w) and w.getRoleName() in ("dialog", "alert"):
                    return w
            return None
        dialog = wait_for(box, 5)
        if not dialog:
            return None, None
        texts = [c.name for c in self.all(dialog, "label") if c.name]
        return texts, self.find(dialog, "push button", "OK")

    # ---- the rows --------------------------------------------------------

    def test_rows_through_the_real_windows(self):
        # A point between digits is the decimal separator; one that ends a sentence stays.
        # Where the separator is a comma, two degrees of freedom are parted by "; ".
        def local(text):
            if self.separator == ",":
                text = re.sub(r"(?<=[0-9]), (?=[0-9])", "; ", text)
            return re.sub(r"(?<=[0-9])\.(?=[0-9])", self.separator, text)
        for row in ROWS:
            if not row["driven"]:
                continue
            with self.subTest(row=row):
                main = self.window("Run")
                self.assertIsNotNone(main)
                self.press(main, row["button"])
                # A choice gives the statistic box the focus: typed into as keys.
                focused = lambda: next((b for b in self.all(main, "text")
                                        if showing(b) and b.getState().contains(pyatspi.STATE_FOCUSED)), None)
                statistic = wait_for(focused)
                self.assertIsNotNone(statistic, "no box has the focus")
                self.type_keys(row["value"])
                wait_for(lambda: statistic.queryText().characterCount == len(row["value"]))
                # The degrees boxes, named by their labels, set as a screen reader sets them.
                # A loaded machine's accessibility tree may show them a moment after the first box.
                for key, names in (("dfnum", ("DEGREES OF FREEDOM", "D.F.(NUMERATOR)")), ("dfden", ("D.F.(DENOMINATOR)",))):
                    if row[key] is None:
                        continue
                    box = wait_for(lambda: next((b for b in self.all(main, "text") if showing(b) and b.name in names), None))
                    self.assertIsNotNone(box, f"no box named {names[0]}")
                    box.queryEditableText().setTextContents(row[key])
                    wait_for(lambda: box.queryText().characterCount == len(row[key]))
                self.press(main, "Run")
                if row["message"]:
                    texts, ok = self.message()
                    self.assertIn(local(row["message"]), texts or [])
                    ok.queryAction().doAction(0)
                    continue
                result = self.window("Back")
                self.assertIsNotNone(result, f"no result window (a message instead: {self.message()[0]})")
                labels = self.all(result, "label")
                names = [l.name for l in labels]
                self.assertEqual(names[0], row["line"])
                if row["exact"]:
                    self.assertIn(local(row["exact"]), names)
                if row["critical"]:
                    self.assertIn(local(row["critical"]), names)
                # The plot is one picture to a screen reader, named in words
                # with the strip's numbers.
                plot = [i.name for i in self.all(result, "image") if " density" in i.name]
                self.assertEqual(len(plot), 1, [i.name for i in self.all(result, "image")])
                self.assertIn("shaded: p", plot[0])
                self.assertTrue(plot[0].startswith(local(row["asked"])), plot[0])
                if row["critical"]:
                    values = [v.lstrip("\u00b1-") for v in local(row["critical"]).split()]
                    self.assertTrue(any(v[:1].isdigit() and v in plot[0] for v in values), plot[0])
                # What was read of a box not read in full, in words beside the answer.
                if row["note"]:
                    self.assertIn(local(row["note"]), [n.replace("\n", " ") for n in names])
                # Whatever a screen reader reaches there has a name.
                for role in ("push button", "text"):
                    for node in self.all(result, role) + self.all(main, role):
                        if showing(node):
                            self.assertTrue(node.name, f"a {role} without a name")
                self.press(result, "Back")
                self.assertIsNotNone(self.window("Run"))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
