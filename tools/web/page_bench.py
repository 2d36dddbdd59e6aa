#!/usr/bin/env python3
"""Time from opening the page file to its first paint in headless Chromium,
for Varendo's page and for a page of one button and one line of text, each
load in a fresh browser with an empty profile (no cached script or wasm),
rounds interleaved. Prints a Markdown section for docs/performance.md.

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

# The first paint: Varendo's page is blank until its window is built, so this
# is when the main window first shows.
FIRST_PAINT = """
const e = performance.getEntriesByType('paint').find((p) => p.name === 'first-contentful-paint');
return e ? e.startTime : null;"""


def first_paint(path):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    with tempfile.TemporaryDirectory() as profile:
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=900,700",
                     "--disable-background-networking", "--no-first-run", "--user-data-dir=" + profile):
            options.add_argument(flag)
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        try:
            driver.get("file://" + path)
            return WebDriverWait(driver, 30).until(lambda d: d.execute_script(FIRST_PAINT))
        finally:
            driver.quit()


def main():
    page, rounds = os.path.abspath(sys.argv[1]), int(sys.argv[2])
    with tempfile.NamedTemporaryFile("w", suffix=".html", delete=False) as f:
        f.write(PEER)
        peer = f.name
    times = {"Varendo's page": [], "one button and one line": []}
    for _ in range(rounds):
        times["Varendo's page"].append(first_paint(page))
        times["one button and one line"].append(first_paint(peer))
        print(".", end="", file=sys.stderr, flush=True)
    print(file=sys.stderr)
    os.unlink(peer)
    sizes = {"Varendo's page": os.path.getsize(page), "one button and one line": len(PEER.encode())}
    print(f"## The page in headless Chromium, {rounds} rounds interleaved")
    print()
    print("Time from opening the file (`file://`) to the first contentful paint, each load in a fresh")
    print("browser with an empty profile; the page is blank until its main window is built.")
    print()
    print("| Page | median ms | min–max ms | ratio | file size |")
    print("|---|---|---|---|---|")
    floor = statistics.median(times["one button and one line"])
    for name, t in times.items():
        m = statistics.median(t)
        print(f"| {name} | {m:.1f} | {min(t):.1f}–{max(t):.1f} | {m / floor:.2f} | {sizes[name]:,} bytes |")


if __name__ == "__main__":
    main()
