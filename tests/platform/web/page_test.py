#!/usr/bin/env python3
"""Varendo's page in headless Chromium, driven as a user drives it: clicks and
real key strokes through Selenium, read back from the DOM and from the
browser's accessibility tree. The decimal separator is the one the browser's
language gives (LANGUAGE=de_DE: a comma).

page_test.py VARENDO_HTML EXPECTED_ROWS_SCRIPT POWER_ROWS_TOOL
"""
import contextlib
import json
import re
import os
import subprocess
import tempfile
import sys
import unittest

from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

PAGE = os.path.abspath(sys.argv[1])
ROWS = json.loads(subprocess.run(["node", sys.argv[2]], check=True, capture_output=True, text=True).stdout)
POWER_TOOL = sys.argv[3]
GERMAN = os.environ.get("LANGUAGE", "").startswith("de")
SEPARATOR = "," if GERMAN else "."

# Where the desktop puts each control: client pixels, 15 twips to one.
MAIN_SIZE = (449, 291)
MAIN_PLACES = [
    ("box", "F VALUE", (208, 32, 49, 25)),
    ("box", "D.F.(NUMERATOR)", (208, 72, 49, 25)),
    ("box", "D.F.(DENOMINATOR)", (208, 112, 49, 25)),
    ("label", "F VALUE", (40, 40, 153, 17)),
    ("label", "D.F.(NUMERATOR)", (40, 80, 153, 17)),
    ("label", "D.F.(DENOMINATOR)", (40, 120, 153, 17)),
    ("button", "Run", (328, 32, 81, 25)),
    ("button", "Exit", (328, 72, 81, 25)),
    ("button", "About...", (328, 112, 81, 25)),
    ("prompt", "Select the statistical distribution", (96, 160, 257, 19)),
    ("button", "Chi-Sqrd.", (24, 192, 89, 33)),
    ("button", "Gauss ", (128, 192, 89, 33)),
    ("button", "t", (232, 192, 89, 33)),
    ("button", "F", (336, 192, 89, 33)),
    ("button", "Power...", (328, 248, 81, 25)),
]
RESULT_SIZE = (812, 403)
RESULT_PLACES = [
    ("picture", None, (16, 24, 377, 89)),
    ("label", "line", (0, 120, 377, 25)),
    ("button", "Back", (336, 144, 65, 25)),
    ("button", "Exit", (336, 176, 65, 25)),
    ("label", "exact", (16, 215, 225, 85)),
    ("button", "Copy", (336, 217, 65, 25)),
    ("label", "\u03b1", (16, 307, 20, 17)),
    ("box", "\u03b1", (40, 303, 100, 25)),
    ("label", "critical", (152, 307, 259, 51)),
    ("label", "verdict", (16, 361, 395, 34)),
    ("label", "note", (416, 315, 380, 102)),
    ("button", "Copy picture", (304, 249, 97, 25)),
    ("drawing", None, (416, 8, 380, 301)),
]

T_REPORT = ("Varendo: Student t\nt VALUE: 2.1\nDEGREES OF FREEDOM: 17\nquestion: t(17) = 2.1\n"
            "upper tail: P = 0.0255, exact 0.02548\nboth tails: P = 0.0510, exact 0.05096\n"
            "lower tail: exact 0.9745\nt(17) = 2.10, p = .051\n"
            "critical values at \u03b1 = 0.05: lower tail -1.73961  upper tail 1.73961  both tails \u00b12.10982\n"
            "p = 0.05096 \u2265 \u03b1 = 0.05: not significant at this level\n")
T_CRITICAL = "lower tail -1.73961\nupper tail 1.73961\nboth tails \u00b12.10982"

# Helpers in the page: the shown window, and its controls as a user finds them.
FIND = """
const shown = [...document.querySelectorAll('.form')].find((f) => f.style.display !== 'none') || null;
// The texts of the shown window that run past their element.
function clipped() {
  return [...shown.children].filter((e) => (e.tagName === 'LABEL' || e.tagName === 'INPUT') && e.offsetParent &&
                                           (e.scrollWidth > e.clientWidth + 1 || e.scrollHeight > e.clientHeight + 1))
                            .map((e) => e.value || e.textContent);
}
function control(kind, name) {
  if (!shown) return null;
  const all = [...shown.children];
  if (kind === 'button') return all.find((e) => e.tagName === 'BUTTON' && e.textContent === name) || null;
  if (kind === 'prompt') return all.find((e) => e.tagName === 'INPUT' && e.value === name) || null;
  if (kind === 'picture') return shown.querySelector('.picture');
  if (kind === 'drawing') return shown.querySelector('.drawing');
  const labels = all.filter((e) => e.tagName === 'LABEL');
  if (kind === 'label') {
    // The result window's labels in their order: the line, the exact values, α, the critical values,
    // the verdict, the note.
    if (name === 'line') return labels[0];
    if (name === 'exact') return labels[1];
    if (name === 'critical') return labels[3];
    if (name === 'verdict') return labels[4];
    if (name === 'note') return labels[5];
    // The power window's answer and the effect of a typed statistic: its last two.
    if (name === 'answer') return labels[labels.length - 2];
    if (name === 'result') return labels[labels.length - 1];
    return labels.find((e) => e.textContent === name) || null;
  }
  const label = labels.find((e) => e.textContent === name && e.htmlFor);
  return label ? document.getElementById(label.htmlFor) : null;
}
"""


# Run in the page before its own script: the engine's compilation waits for varendoRelease().
HOLD = """
const held = new Promise((go) => { window.varendoRelease = go; });
for (const name of ['compile', 'compileStreaming', 'instantiate', 'instantiateStreaming']) {
  const real = WebAssembly[name];
  WebAssembly[name] = (...args) => held.then(() => real.apply(WebAssembly, args));
}"""

# The shown window as it looks: each element's place, text, font, spacing and state, its lines, the focus.
LOOK = """
const panel = shown.getBoundingClientRect();
return [document.activeElement.id, shown.firstElementChild.innerHTML, [panel.x, panel.y, panel.width, panel.height],
        [...shown.children].map((e) => {
  const r = e.getBoundingClientRect(), s = getComputedStyle(e);
  return [e.id, r.x - panel.x, r.y - panel.y, r.width, r.height, e.value || e.textContent, s.font, s.letterSpacing,
          s.textAlign, s.display, e.disabled, e.tabIndex];
})];"""


def local(text):
    """A point between digits is the decimal separator, one that ends a sentence stays; where the
    separator is a comma, two degrees of freedom are parted by "; "."""
    if SEPARATOR == ",":
        text = re.sub(r"(?<=[0-9]), (?=[0-9])", "; ", text)
    return re.sub(r"(?<=[0-9])\.(?=[0-9])", SEPARATOR, text)


class Page(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=900,700",
                     "--force-device-scale-factor=1"):
            options.add_argument(flag)
        # The language as the desktop takes it from the environment; Chromium
        # started by its driver reads LANGUAGE only from its own flag.
        if os.environ.get("LANGUAGE"):
            language = os.environ["LANGUAGE"].split(":")[0].split(".")[0].replace("_", "-")
            options.add_argument("--lang=" + language)
            options.add_experimental_option("prefs", {"intl.accept_languages": language})
        cls.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        cls.driver.execute_cdp_cmd("Browser.grantPermissions", {
            "origin": "file://", "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def setUp(self):
        self.driver.get("file://" + PAGE)
        self.wait_live()

    # The window is painted at once; it is live when the page no longer says it is busy.
    def wait_live(self):
        WebDriverWait(self.driver, 10, poll_frequency=0.05).until(
            lambda d: self.js("return shown !== null && !shown.closest('[aria-busy]')"))

    # ---- helpers ---------------------------------------------------------

    def js(self, script, *args):
        return self.driver.execute_script(FIND + script, *args)

    def control(self, kind, name):
        element = self.js("return control(arguments[0], arguments[1])", kind, name)
        self.assertIsNotNone(element, f"no {kind} {name!r} in the shown window")
        return element

    def click(self, caption):
        self.control("button", caption).click()

    def type_into(self, box, text):
        box.click()
        box.send_keys(Keys.CONTROL, "a")
        box.send_keys(Keys.DELETE)
        box.send_keys(text)

    def focused_text(self):
        return self.driver.execute_script(
            "const e = document.activeElement; return e.tagName === 'INPUT' ? 'box:' + e.id : e.textContent")

    def dialog(self):
        return self.driver.execute_script(
            "const d = document.querySelector('dialog[open]');"
            "return d ? [d.querySelector('.caption').textContent, d.querySelector('p').textContent,"
            " document.activeElement.textContent] : null")

    @contextlib.contextmanager
    def on_each_page(self, source):
        """A script run in every page opened meanwhile, before the page's own."""
        added = self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": source})
        try:
            yield
        finally:
            self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", {"identifier": added["identifier"]})

    def open_held(self):
        """The page with the engine's code held back until release_engine()."""
        self.driver.get("file://" + PAGE)
        WebDriverWait(self.driver, 10).until(lambda d: d.execute_script(
            "return performance.getEntriesByName('first-contentful-paint').length"))
        self.assertFalse(self.driver.execute_script("return !!(window.Module && Module.varendo)"), "the engine ran")

    def release_engine(self):
        self.driver.execute_script("varendoRelease()")
        self.wait_live()

    def run_t_with_17_degrees(self):
        self.click("t")
        self.type_into(self.control("box", "t VALUE"), "2.1")
        self.type_into(self.control("box", "DEGREES OF FREEDOM"), "17")
        self.click("Run")

    def ax_names(self, role):
        nodes = self.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
        return [n.get("name", {}).get("value", "") for n in nodes
                if not n.get("ignored") and n.get("role", {}).get("value") == role]

    # ---- tests -----------------------------------------------------------

    def test_one_file_starts_as_the_desktop_does(self):
        self.assertLess(os.path.getsize(PAGE), 1_000_000)
        self.assertEqual(self.driver.title, "Varendo")
        icon = self.driver.execute_script("return document.querySelector('link[rel=icon]').href")
        self.assertTrue(icon.startswith("data:image/"))
        # Nothing was fetched: the script, the wasm and the pictures are inside.
        self.assertEqual(self.driver.execute_script("return performance.getEntriesByType('resource').length"), 0)
        self.assertEqual(self.js("return document.querySelectorAll('.form').length"), 1)
        self.assertFalse(self.control("button", "Run").is_enabled())
        self.assertEqual(self.js("return [...shown.querySelectorAll('input')].filter((e) => e.offsetParent).length"), 1)
        self.assertEqual(self.focused_text(), "About...")
        self.assertEqual(self.js("return navigator.language.startsWith('de')"), GERMAN)

    def test_the_first_paint_is_the_window_that_then_goes_live_unmoved(self):
        # Where CSS rounds each font's advance to a whole pixel, and where the page measures it.
        for measured in (False, True):
            with self.subTest(measured=measured), self.on_each_page(HOLD + ("CSS.supports = () => false;" * measured)):
                self.open_held()
                panel = self.js("const r = shown.getBoundingClientRect(); return [r.left + shown.clientLeft, r.top + shown.clientTop]")
                for kind, name, place in MAIN_PLACES:
                    if kind in ("button", "prompt"):  # the boxes and their labels show once a law is chosen
                        r = self.control(kind, name).rect
                        self.assertEqual((round(r["x"] - panel[0]), round(r["y"] - panel[1]), round(r["width"]),
                                          round(r["height"])), place, name)
                advances = self.js("return [...shown.querySelectorAll('button')].filter((b) => !/\\s/.test(b.textContent))"
                                   ".map((b) => { const r = document.createRange(); r.selectNodeContents(b);"
                                   " return r.getBoundingClientRect().width / b.textContent.length; })")
                for advance in advances:
                    self.assertAlmostEqual(advance, round(advance), delta=0.02)
                painted = self.js(LOOK)
                self.js("window.painted = [...shown.children]")
                self.release_engine()
                self.assertEqual(self.js(LOOK), painted)
                self.assertTrue(self.js("return painted.every((e) => e.parentNode === shown)"), "elements made anew")

    def test_clicks_before_the_engine_is_ready_are_acted_on_in_order(self):
        # The first label names the chosen law's statistic; a click behind a message box is dropped.
        for clicks, caption, message in ((["t"], "t VALUE", None), (["Gauss ", "F"], "F VALUE", None),
                                         (["About...", "Chi-Sqrd."], "", "Varendo")):
            with self.subTest(clicks=clicks), self.on_each_page(HOLD):
                self.open_held()
                for name in clicks:
                    self.click(name)
                self.assertEqual(self.js("return shown.querySelector('label').textContent"), "")
                self.release_engine()
                self.assertEqual(self.js("return shown.querySelector('label').textContent"), caption)
                self.assertEqual((self.dialog() or [None])[0], message)
                if caption:
                    self.assertEqual(self.focused_text(), "box:" + self.control("box", caption).get_attribute("id"))

    def test_the_page_starts_where_the_browser_cannot_gunzip(self):
        # As in Firefox before 113 or Safari before 16.4, which have no base64 decoder either.
        with self.on_each_page("delete window.DecompressionStream; delete Uint8Array.fromBase64;"):
            self.setUp()
            self.assertFalse(self.driver.execute_script("return 'DecompressionStream' in window || 'fromBase64' in Uint8Array"))
            self.run_t_with_17_degrees()
            self.assertEqual(self.js("return control('label', 'critical').textContent"), local(T_CRITICAL))

    def test_controls_stand_where_the_desktop_puts_them(self):
        def check(size, places):
            panel = self.js("const r = shown.getBoundingClientRect();"
                            "return [r.left + shown.clientLeft, r.top + shown.clientTop, shown.clientWidth, shown.clientHeight]")
            self.assertEqual(tuple(panel[2:]), size)
            for kind, name, place in places:
                with self.subTest(kind=kind, name=name):
                    r = self.control(kind, name).rect
                    got = (round(r["x"] - panel[0]), round(r["y"] - panel[1]), round(r["width"]), round(r["height"]))
                    self.assertEqual(got, place)
        self.click("F")
        check(MAIN_SIZE, MAIN_PLACES)
        self.click("t")
        self.type_into(self.control("box", "t VALUE"), "8")
        self.type_into(self.control("box", "DEGREES OF FREEDOM"), "40")
        self.click("Run")
        check(RESULT_SIZE, RESULT_PLACES)
        # 9 pt bold steps 7 px a character, so that each field stands under its panel.
        advance = self.js("const e = control('label', 'line'); const r = document.createRange();"
                          "r.selectNodeContents(e); return r.getBoundingClientRect().width / e.textContent.length")
        self.assertAlmostEqual(advance, 7, delta=0.02)
        self.assertEqual(self.js("return getComputedStyle(shown.querySelector('.picture img')).imageRendering"),
                         "pixelated")
        # At its natural size, whatever the zoom.
        self.assertTrue(self.js("const i = shown.querySelector('.picture img');"
                                "return i.naturalWidth > 0 && i.getBoundingClientRect().width === i.naturalWidth"))

    def test_tab_goes_in_the_desktop_order(self):
        self.click("F")
        order = ["box:F VALUE", "box:D.F.(NUMERATOR)", "box:D.F.(DENOMINATOR)", "Run", "About...", "Exit",
                 "Chi-Sqrd.", "Gauss ", "t", "F", "box:Select the statistical distribution", "Power...", "box:F VALUE"]
        seen = []
        for _ in order:
            seen.append(self.driver.execute_script(
                "const e = document.activeElement; if (e.tagName !== 'INPUT') return e.textContent;"
                "const l = document.querySelector('label[for=' + e.id + ']');"
                "return 'box:' + (l ? l.textContent : e.value)"))
            self.driver.switch_to.active_element.send_keys(Keys.TAB)
        self.assertEqual(seen, order)

    def test_each_row_through_the_window(self):
        # Every row in the default language; the rows the desktop drives from
        # outside under German too.
        for row in ROWS:
            if GERMAN and not row["driven"]:
                continue
            with self.subTest(row=row):
                self.setUp()
                self.click(row["button"])
                caption = self.js("return [...shown.querySelectorAll('label')][0].textContent")
                self.assertEqual(self.focused_text(), "box:" + self.control("box", caption).get_attribute("id"))
                self.assertTrue(self.control("button", "Run").is_enabled())
                self.type_into(self.control("box", caption), row["value"])
                self.assertNotIn(",", self.control("box", caption).get_attribute("value")[1:], "the comma filter")
                for key, name in (("dfnum", 1), ("dfden", 2)):
                    labels = self.js("return [...shown.querySelectorAll('label')].filter((e) => e.offsetParent)"
                                     ".map((e) => e.textContent)")
                    if row[key] is not None and len(labels) > name:
                        self.type_into(self.control("box", labels[name]), row[key])
                self.click("Run")
                if row["message"]:
                    self.assertEqual(self.dialog(), ["Varendo", local(row["message"]), "OK"])
                    self.driver.switch_to.active_element.send_keys(Keys.ENTER)
                    self.assertIsNone(self.dialog())
                    self.assertIsNotNone(self.js("return control('button', 'About...')"))
                    continue
                self.assertIsNone(self.dialog())
                # The line is repaired to points in a comma locale, as on the desktop.
                self.assertEqual(self.js("return control('label', 'line').textContent"), row["line"])
                if row["exact"]:
                    self.assertEqual(self.js("return control('label', 'exact').textContent"), local(row["exact"]))
                if row["critical"]:
                    self.assertEqual(self.js("return control('label', 'critical').textContent"), local(row["critical"]))
                self.assertEqual(self.js("return control('label', 'note').textContent").replace("\n", " "),
                                 local(row["note"]))
                self.assertTrue(self.js("return control('drawing').getAttribute('aria-label')")
                                .startswith(local(row["asked"])))
                self.assertEqual(self.js("return clipped()"), [])
                self.assertEqual(self.focused_text(), "Back")
                self.click("Back")
                self.assertEqual(self.control("box", caption).get_attribute("value"), "")
                self.assertEqual(self.focused_text(), "box:" + self.control("box", caption).get_attribute("id"))

    def test_key_strokes_pass_the_comma_filter(self):
        self.click("Gauss ")
        box = self.control("box", "z VALUE")
        for typed, held in ((",5", ",5"), ("1,96", "1.96"), ("1,,9", "1..9")):
            with self.subTest(typed=typed):
                self.type_into(box, typed)
                self.assertEqual(box.get_attribute("value"), held)
        # Pasted text does not pass the filter.
        self.driver.execute_script("navigator.clipboard.writeText('2,5')")
        self.type_into(box, "")
        box.send_keys(Keys.CONTROL, "v")
        self.assertEqual(box.get_attribute("value"), "2,5")

    def test_strip_level_critical_values_and_copy(self):
        self.run_t_with_17_degrees()
        alpha = self.control("box", "\u03b1")
        self.assertEqual(alpha.get_attribute("value"), local("0.05"))
        self.assertEqual(self.js("return control('label', 'critical').textContent"), local(T_CRITICAL))
        self.assertEqual(self.js("return control('label', 'verdict').textContent"),
                         local("p = 0.05096 \u2265 \u03b1 = 0.05: not significant at this level"))
        self.click("Copy")
        copied = self.driver.execute_async_script("navigator.clipboard.readText().then(arguments[0])")
        if GERMAN:  # the desktop's tests hold the rest of the report in a comma locale
            self.assertTrue(copied.endswith(local("p = 0.05096 \u2265 \u03b1 = 0.05: not significant at this level\n")),
                            copied)
        else:
            self.assertEqual(copied, T_REPORT)
        for typed, held, critical in (("0,01", "0.01", "lower tail -2.56693\nupper tail 2.56693\nboth tails \u00b12.89823"),
                                      ("2", "2", "\u03b1 must be between 0 and 1"),
                                      ("x", "x", "\u03b1 must be between 0 and 1"),
                                      ("0.999999", "0.999999",
                                       "lower tail 7.03649\nupper tail -7.03649\nboth tails \u00b11.27187e-06"),
                                      ("1e-10", "1e-10", "lower tail -13.3229\nupper tail 13.3229\nboth tails \u00b113.9264")):
            with self.subTest(typed=typed):
                self.type_into(alpha, typed)
                self.assertEqual(alpha.get_attribute("value"), held)
                self.assertEqual(self.js("return control('label', 'critical').textContent"), local(critical))
                self.assertEqual(self.js("return clipped()"), [])
                self.assertIsNone(self.dialog())
        # Ctrl+C anywhere in the window copies the report with the level as
        # typed; in the level box it copies the box's selection where it has one.
        read = lambda: self.driver.execute_async_script("navigator.clipboard.readText().then(arguments[0])")
        self.control("button", "Back").send_keys(Keys.CONTROL, "c")
        self.assertIn("critical values at \u03b1 = 1e-10: " + local("lower tail -13.3229  upper tail 13.3229  both tails "
                                                                  "\u00b113.9264") + "\n", read())
        for selected, copied in ((True, "1e-10"), (False, "Varendo: Student t\n")):
            with self.subTest(selected=selected):
                self.driver.execute_script("navigator.clipboard.writeText('before')")
                alpha.click()
                self.driver.execute_script("arguments[0].setSelectionRange(0, arguments[1] ? 5 : 0)", alpha, selected)
                alpha.send_keys(Keys.CONTROL, "c")
                self.assertTrue(read().startswith(copied), read())
        # The level stays through Back and the next run.
        self.click("Back")
        self.click("Chi-Sqrd.")
        self.type_into(self.control("box", "CHI-SQUARED VALUE "), "30")
        self.type_into(self.control("box", "DEGREES OF FREEDOM"), "1")
        self.click("Run")
        self.assertEqual(self.control("box", "\u03b1").get_attribute("value"), "1e-10")
        self.assertEqual(self.js("return control('label', 'critical').textContent"),
                         local("lower tail 1.57080e-20\nupper tail 41.8215"))

    def test_about_holds_the_window_until_ok(self):
        self.click("About...")
        title, text, focus = self.dialog()
        self.assertEqual((title, focus), ("Varendo", "OK"))
        lines = text.split("\n")
        self.assertEqual(len(lines), 7)
        self.assertTrue(all(line.strip() for line in lines))
        self.assertTrue(lines[0].startswith("Varendo "))
        # The window behind takes no input while the box is open.
        with self.assertRaises(WebDriverException):
            self.control("button", "t").click()
        self.driver.switch_to.active_element.send_keys(Keys.ESCAPE)
        self.assertIsNone(self.dialog())
        self.assertEqual(self.focused_text(), "About...")
        self.assertFalse(self.control("button", "Run").is_enabled())

    def test_exit_ends_the_program_from_either_window(self):
        for ending in ("main", "result"):
            with self.subTest(ending=ending):
                self.setUp()
                if ending == "result":
                    self.run_t_with_17_degrees()
                self.click("Exit")
                self.assertIsNone(self.js("return shown"))
                self.assertEqual(self.driver.execute_script(
                    "return document.querySelector('#ended p').textContent"), "Varendo has ended.")
                self.assertEqual(self.focused_text(), "Start again")
                self.driver.switch_to.active_element.click()
                WebDriverWait(self.driver, 10).until(lambda d: self.js("return control('button', 'About...') !== null"))
                self.assertIsNone(self.driver.execute_script("return document.getElementById('ended')"))

    def test_screen_readers_name_every_box_and_read_the_labels(self):
        self.click("F")
        self.assertEqual(self.ax_names("textbox")[:3], ["F VALUE", "D.F.(NUMERATOR)", "D.F.(DENOMINATOR)"])
        self.assertIn("Run", self.ax_names("button"))
        self.click("t")
        self.run_t_with_17_degrees()
        self.assertIn("\u03b1", self.ax_names("textbox"))
        texts = self.ax_names("StaticText")
        line = self.js("return control('label', 'line').textContent").strip()
        self.assertTrue(any(t.strip() == line for t in texts), texts)
        self.assertIn(local(T_CRITICAL), texts)
        self.assertEqual(self.ax_names("button"), ["Back", "Exit", "Copy", "Copy picture"])
        # Both pictures are images named in words; the plot's follow the level.
        images = self.ax_names("image")
        self.assertIn("t: upper tail shaded, left; both tails, right", images)
        self.assertIn(local("t(17) = 2.1: both tails p = 0.05096. Student t density, 17 degrees of freedom. t = 2.1 marked. "
                            "Both tails beyond \u00b12.1 shaded: p = 0.05096. Critical values at \u03b1 = 0.05: \u00b12.10982. "
                            "p = 0.05096 \u2265 \u03b1 = 0.05: not significant at this level."), images)
        self.type_into(self.control("box", "\u03b1"), "0.01")
        # The level as typed, the value in the page's separator.
        self.assertTrue(any("\u03b1 = 0.01: \u00b1" + local("2.89823.") in n for n in self.ax_names("image")))
        # Whatever Tab reaches has a name, the prompt box included.
        self.click("Back")
        self.assertIn("Select the statistical distribution", self.ax_names("textbox"))
        unnamed = self.driver.execute_script(
            "return [...document.querySelectorAll('[tabindex]')].filter((e) => e.tabIndex > 0 && e.offsetParent)"
            ".filter((e) => !(e.getAttribute('aria-label') || (e.labels && e.labels.length) || e.textContent.trim()))"
            ".map((e) => e.outerHTML)")
        self.assertEqual(unnamed, [])

    def test_plot_paints_and_copies_as_a_picture(self):
        self.run_t_with_17_degrees()
        # Dark where the statistic is marked, as the page paints it (a canvas
        # of the same SVG the panel shows).
        marker, width, dark, light = self.driver.execute_async_script('''
            const done = arguments[0];
            const svg = document.querySelector('.form:not([style*="none"]) .drawing svg');
            const mark = [...svg.querySelectorAll('polyline')].find((l) => l.getAttribute('stroke') === 'rgb(190,30,30)');
            const x = +mark.getAttribute('points').split(' ')[0].split(',')[0];
            const image = new Image();
            image.onload = () => {
                const c = document.createElement('canvas');
                c.width = svg.clientWidth; c.height = svg.clientHeight;
                const g = c.getContext('2d');
                g.drawImage(image, 0, 0);
                const grey = (px, py) => { const d = g.getImageData(px, py, 1, 1).data; return (d[0] * 299 + d[1] * 587 + d[2] * 114) / 1000; };
                done([x, c.width, grey(Math.floor(x), c.height / 2), grey(Math.floor(x) + 40, c.height / 2)]);
            };
            image.src = 'data:image/svg+xml;charset=utf-8,' + encodeURIComponent(new XMLSerializer().serializeToString(svg));
        ''')
        self.assertEqual(width, 380)
        self.assertLess(dark, 128)
        self.assertGreater(light, 128)
        # Copy picture puts a PNG twice the plot's size on the clipboard.
        self.click("Copy picture")
        size = self.driver.execute_async_script('''
            const done = arguments[0];
            const look = async (tries) => {
                const items = await navigator.clipboard.read();
                if (!items.length || !items[0].types.includes('image/png')) {
                    if (tries > 0) return setTimeout(() => look(tries - 1), 100);
                    return done(items.map((i) => i.types));
                }
                const bitmap = await createImageBitmap(await items[0].getType('image/png'));
                done([items[0].types, bitmap.width, bitmap.height]);
            };
            look(50).catch((e) => done(String(e)));
        ''')
        self.assertEqual(size, [["image/png"], 760, 602])

    def test_enter_presses_the_focused_button(self):
        self.assertEqual(self.focused_text(), "About...")
        self.driver.switch_to.active_element.send_keys(Keys.ENTER)
        self.assertEqual(self.dialog()[0], "Varendo")

    def test_the_browsers_zoom_at_200_percent_cuts_nothing_off(self):
        # The browser's zoom of 200 % in a window of 900 x 700: half the CSS
        # pixels, each of two device pixels.
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                    {"width": 450, "height": 350, "deviceScaleFactor": 2, "mobile": False})
        try:
            self.run_t_with_17_degrees()
            for window in ("result", "main", "power"):
                with self.subTest(window=window):
                    if window == "power":
                        self.click("Power...")
                        self.click("Find N")
                    left, top = self.js("const r = shown.getBoundingClientRect();"
                                        "return [r.left + window.scrollX, r.top + window.scrollY]")
                    self.assertGreaterEqual(left, 0, "the window's left part is out of reach")
                    self.assertGreaterEqual(top, 0, "the window's top is out of reach")
                    # Its far corner is within the page's reach: the page scrolls to it.
                    right, bottom = self.js("const r = shown.getBoundingClientRect();"
                                            "return [r.right + window.scrollX, r.bottom + window.scrollY]")
                    reach = self.js("return [document.documentElement.scrollWidth, document.documentElement.scrollHeight]")
                    self.assertLessEqual(right, reach[0] + 1)
                    self.assertLessEqual(bottom, reach[1] + 1)
                    self.assertEqual(self.js("return clipped()"), [])
                    self.click("Back") if window == "result" else None
        finally:
            self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})

    def test_power_window_scenarios(self):
        # The scenarios every backend runs, read here and checked by the same
        # C++ checks as the desktop's (power_rows_tool check): a row's design,
        # boxes and question, or a walk's steps, each reading what it reads.
        scenarios = json.loads(subprocess.run(["node", POWER_TOOL, "list", SEPARATOR], check=True, capture_output=True,
                                              text=True).stdout)
        escape = lambda text: text.replace("\n", "\\n").replace("\t", " ")
        read = []
        for scenario in scenarios:
            self.setUp()
            self.click("Power...")
            if scenario["steps"]:
                read.append("\t".join(escape(t) for t in [scenario["name"]] + self.walk(scenario["steps"])))
                continue
            self.click(scenario["design"])
            for caption, text in scenario["boxes"]:
                self.type_into(self.control("box", caption), text)
            self.click(scenario["question"])
            answer, result = self.js("return [control('label', 'answer').textContent, control('label', 'result').textContent]")
            words = self.js("return [...shown.querySelectorAll('.drawing')].map((d) => d.getAttribute('aria-label') || '')")
            read.append("\t".join(escape(t) for t in [scenario["name"], answer, result, words[0], words[1]]))
            self.assertEqual(self.js("return clipped()"), [], scenario["name"])
        with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False, encoding="utf-8") as f:
            f.write("\n".join(read) + "\n")
        checked = subprocess.run(["node", POWER_TOOL, "check", f.name, SEPARATOR], capture_output=True, text=True)
        os.unlink(f.name)
        self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)

    def walk(self, steps):
        """A walk's steps through the power window; what each reading step reads, in order."""
        readings = []
        for step in steps:
            kind = step["kind"]
            if kind in ("choose", "press"):
                self.click(step["text"])
            elif kind == "type":
                self.type_into(self.control("box", step["caption"]), step["text"])
            elif kind == "reopen":
                self.click("Back")
                self.click("Power...")
            elif kind == "box":
                readings.append(self.control("box", step["caption"]).get_attribute("value"))
            elif kind == "chosen":
                readings.append(", ".join(self.js(
                    "return [...shown.querySelectorAll('button[aria-pressed=\"true\"]')].map((b) => b.textContent)")))
            elif kind in ("answer", "result"):
                readings.append(self.js("return control('label', arguments[0]).textContent", kind))
            elif kind == "copy":
                self.click("Copy")
                readings.append(self.driver.execute_async_script(
                    "const done = arguments[arguments.length - 1]; navigator.clipboard.readText().then(done, () => done(''))"))
        return readings

    def test_refused_input_shows_a_modal_dialog(self):
        self.click("Chi-Sqrd.")
        self.type_into(self.control("box", "CHI-SQUARED VALUE "), "3")
        self.click("Run")
        self.assertEqual(self.dialog(), ["Varendo", "DEGREES OF FREEDOM must be greater than 0.", "OK"])
        self.assertEqual(self.ax_names("dialog"), ["Varendo"])
        self.driver.switch_to.active_element.send_keys(Keys.ENTER)
        self.assertIsNone(self.dialog())
        self.assertEqual(self.focused_text(), "Run")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
