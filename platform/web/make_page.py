#!/usr/bin/env python3
"""Writes the browser's Varendo as one HTML file: the page, its script with
the wasm inside, the pictures and the icon as data, nothing to fetch.

make_page.py PAGE SCRIPT ICON OUT NUMBER=BITMAP...
"""
import base64
import json
import sys


def data_url(path, kind):
    with open(path, "rb") as f:
        return "data:%s;base64,%s" % (kind, base64.b64encode(f.read()).decode("ascii"))


def main():
    page, script, icon, out = sys.argv[1:5]
    pictures = {}
    for item in sys.argv[5:]:
        number, path = item.split("=", 1)
        pictures[number] = data_url(path, "image/bmp")
    with open(page, encoding="utf-8") as f:
        html = f.read()
    with open(script, encoding="utf-8") as f:
        code = f.read()
    # A script element ends at the first "</script", wherever it stands.
    code = code.replace("</script", "<\\/script")
    html = html.replace("@ICON@", data_url(icon, "image/x-icon"))
    html = html.replace("@PICTURES@", json.dumps(pictures))
    html = html.replace("@SCRIPT@", code)
    with open(out, "w", encoding="utf-8") as f:
        f.write(html)


if __name__ == "__main__":
    main()
