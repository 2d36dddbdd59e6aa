#!/usr/bin/env python3
"""Varendo's page in headless Chromium beside a page of one button and one
line of text: the time from opening the file to the first contentful paint,
and for Varendo the time until Run answers a click, with the CPU as it is and
slowed 4 times (as on a slow school laptop). Each load in a fresh browser
with an empty profile (no cached script or wasm), rounds interleaved. Prints
a Markdown section for docs/performance.md.

page_bench.py VARENDO_HTML ROUNDS
"""
import os
import statistics
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

PEER = """<!DOCTYPE html><html lang="en"><head><meta charset="utf-8"><title>Peer</title></head>
<body><button type="button">Run</button><p>P = 0.0500</p></body></html>"""

FIRST_PAINT = """
const e = performance.getEntriesByType('paint').find((p) => p.name === 'first-contentful-paint');
return e ? e.startTime : null;"""

# A student who clicks at once: t as soon as the page is read (the page holds
# the click until its engine is ready), then 2.1 and 17 typed and Run clicked
# as soon as the boxes show. When Run has shown the result window, the time.
STUDENT = """
document.addEventListener('DOMContentLoaded', () => {
  const root = document.getElementById('varendo');
  if (!root) return;
  const shown = (selector) => [...document.querySelectorAll(selector)].filter((e) => e.offsetParent);
  const button = (name) => shown('.form button').find((b) => b.textContent === name);
  button('t').click();
  new MutationObserver((_, watch) => {
    const boxes = shown('.form input.box:not(.plain)');
    if (root.hasAttribute('aria-busy') || boxes.length < 2) return;
    watch.disconnect();
    for (const [box, text] of [[boxes[0], '2.1'], [boxes[1], '17']]) {
      box.value = text;
      box.dispatchEvent(new Event('input'));
    }
    button('Run').click();
    window.varendoAnswered = shown('.form .drawing').length ? performance.now() : -1;
  }).observe(root, {attributes: true, subtree: true});
});"""

PAGES = ("Varendo's page", "one button and one line")
RATES = (1, 4)


def load(path, rate):
    """The first contentful paint and, for Varendo's page, when Run answered; in ms."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    with tempfile.TemporaryDirectory() as profile:
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=900,700",
                     "--disable-background-networking", "--no-first-run", "--user-data-dir=" + profile):
            options.add_argument(flag)
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        try:
            driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": rate})
            driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": STUDENT})
            driver.get("file://" + path)
            wait = WebDriverWait(driver, 30, poll_frequency=0.05)
            paint = wait.until(lambda d: d.execute_script(FIRST_PAINT))
            if driver.execute_script("return !document.getElementById('varendo')"):
                return paint, None
            answered = wait.until(lambda d: d.execute_script("return window.varendoAnswered"))
            if answered < 0:
                raise RuntimeError("Run showed no result window")
            return paint, answered
        finally:
            driver.quit()


def spread(values):
    return f"{statistics.median(values):.0f} | {min(values):.0f}–{max(values):.0f}"


def main():
    page, rounds = os.path.abspath(sys.argv[1]), int(sys.argv[2])
    with tempfile.NamedTemporaryFile("w", suffix=".html", delete=False) as f:
        f.write(PEER)
        peer = f.name
    paint = {(p, r): [] for p in PAGES for r in RATES}
    answer = {r: [] for r in RATES}
    for _ in range(rounds):
        for rate in RATES:
            for name, path in zip(PAGES, (page, peer)):
                first, answered = load(path, rate)
                paint[name, rate].append(first)
                if answered is not None:
                    answer[rate].append(answered)
        print(".", end="", file=sys.stderr, flush=True)
    print(file=sys.stderr)
    os.unlink(peer)
    sizes = {PAGES[0]: os.path.getsize(page), PAGES[1]: len(PEER.encode())}
    print(f"## The page in headless Chromium, {rounds} rounds interleaved")
    print()
    print("Each load from the file (`file://`) in a fresh browser with an empty profile, with the CPU as")
    print("it is and slowed 4 times by DevTools (`Emulation.setCPUThrottlingRate`), as a slow laptop")
    print("would be. The first contentful paint is Varendo's main window, painted by the HTML before the")
    print("engine's code is unpacked and compiled. Its ratio is to the page of one button and one line")
    print("at the same speed: of the medians, and the least and greatest of the rounds' own ratios.")
    print("\"Run answers\" is the time until a click on Run shows the result, for a student who clicks t")
    print("as soon as the page is read (the page holds that click until its engine is ready), then types")
    print("2.1 and 17 and clicks Run as soon as the boxes show.")
    print()
    print("| Page | CPU | first paint median ms | min–max ms | ratio | rounds' ratios | Run answers median ms "
          "| min–max ms | file size |")
    print("|---|---|---|---|---|---|---|---|---|")
    for rate in RATES:
        floor = paint[PAGES[1], rate]
        for name in PAGES:
            t = paint[name, rate]
            ratios = [a / b for a, b in zip(t, floor)]
            run = spread(answer[rate]) if name == PAGES[0] else "– | –"
            print(f"| {name} | {'as it is' if rate == 1 else f'{rate}× slower'} | {spread(t)} | "
                  f"{statistics.median(t) / statistics.median(floor):.2f} | {min(ratios):.2f}–{max(ratios):.2f} | "
                  f"{run} | {sizes[name]:,} bytes |")


if __name__ == "__main__":
    main()
