#!/usr/bin/env python3
"""Writes the browser's Varendo as one HTML file, nothing to fetch: the main
window as HTML (prepaint.js runs the program under Node and writes what it
builds), the page's own script (start.js, inflate.js), the engine's wasm and
its runtime script gzip-compressed and in base64, the pictures as PNG and the
icon as data.

make_page.py NODE PAGE SCRIPT WASM ICON OUT NUMBER=BITMAP...
"""
import base64
import gzip
import json
import os
import re
import struct
import subprocess
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
PART = 16384


def read(path, mode="rb"):
    with open(path, mode) as f:
        return f.read()


def packed(name, data):
    """Gzip (no time stamp, so that a build repeats byte for byte) in base64, as script elements of a
    class that the browser keeps but does not run. In parts: the browser's reader may stop to paint
    between two elements, never within one."""
    text = base64.b64encode(gzip.compress(data, compresslevel=9, mtime=0)).decode("ascii")
    return "\n".join('<script type="application/octet-stream" class="%s">%s</script>' % (name, text[i:i + PART])
                     for i in range(0, len(text), PART))


def png(bitmap):
    """A 24-bit Windows bitmap as the same pixels in a PNG, some 60 times smaller."""
    if bitmap[:2] != b"BM":
        raise ValueError("not a bitmap")
    offset, = struct.unpack_from("<I", bitmap, 10)
    width, height, planes, depth, compression = struct.unpack_from("<iiHHI", bitmap, 18)
    if depth != 24 or compression != 0:
        raise ValueError("only 24-bit uncompressed bitmaps are converted")
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in range(abs(height)):
        # Rows stand bottom up where the height is positive; pixels are BGR.
        start = offset + stride * (abs(height) - 1 - y if height > 0 else y)
        row = bytearray(bitmap[start:start + width * 3])
        row[0::3], row[2::3] = row[2::3], row[0::3]
        rows.append(b"\0" + bytes(row))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, abs(height), 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


def data_url(data, kind):
    return "data:%s;base64,%s" % (kind, base64.b64encode(data).decode("ascii"))


def main():
    node, page, script, wasm, icon, out = sys.argv[1:7]
    pictures = {}
    for item in sys.argv[7:]:
        number, path = item.split("=", 1)
        pictures[number] = data_url(png(read(path)), "image/png")
    window = subprocess.run([node, os.path.join(HERE, "prepaint.js"), script, wasm], check=True,
                            stdout=subprocess.PIPE, text=True).stdout.strip()
    start, inflate = (read(os.path.join(HERE, name), "r") for name in ("start.js", "inflate.js"))
    # A script element ends at the first "</script", wherever it stands.
    if any("</script" in own.lower() or "<!--" in own for own in (start, inflate)):
        raise ValueError("the page's script holds </script or <!--")
    parts = {"ICON": data_url(read(icon), "image/x-icon"), "PICTURES": json.dumps(pictures), "WINDOW": window,
             "START": start, "INFLATE": inflate, "ENGINE": packed("varendo-engine", read(wasm)),
             "RUNTIME": packed("varendo-runtime", read(script, "rb"))}
    html, count = re.subn("@(%s)@" % "|".join(parts), lambda m: parts[m.group(1)], read(page, "r"))
    if count != len(parts):
        raise ValueError("%s holds %d of the %d marks" % (page, count, len(parts)))
    with open(out, "w", encoding="utf-8") as f:
        f.write(html)


if __name__ == "__main__":
    main()
