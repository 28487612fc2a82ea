#!/usr/bin/python3
"""Draws the application icon and the icon of action list files for the desktop.

    /usr/bin/python3 tools/make_icons.py          write the icons into resources/linux/icons/
    /usr/bin/python3 tools/make_icons.py --check  compare with the committed icons; exit 1
                                                  when they are out of date

Each icon is a list of flat shapes drawn once as SVG (the scalable icon) and once by a small
rasteriser with 4 x 4 samples per pixel (the 48 and 256 pixel icons), so the two never
disagree. Plain Python 3, no packages. The build never runs this script: its output is
committed.
"""
import math
import struct
import sys
import zlib
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
OUT = ROOT / "resources" / "linux" / "icons"
APP_ID = "com.veltraneinc.Rovalis"
MIME_ICON = "application-x-rovalis-actions"
SIZES = (48, 256)
SAMPLES = 4  # per pixel and axis
CANVAS = 256.0  # every shape is given on a 256 x 256 canvas


def rounded_rect(x, y, w, h, r, colour):
    return ("rrect", (x, y, w, h, r), colour)


def circle(cx, cy, r, colour):
    return ("circle", (cx, cy, r), colour)


def segment(x1, y1, x2, y2, width, colour):
    return ("segment", (x1, y1, x2, y2, width), colour)


def polygon(points, colour):
    return ("polygon", tuple(points), colour)


def robot(dx, dy, s):
    """The two-wheeled robot seen from above, whiskers forward, at (dx, dy) scaled by s."""

    def at(x, y):
        return dx + x * s, dy + y * s

    shapes = []
    for wheel_x in (34, 194):
        x, y = at(wheel_x, 96)
        shapes.append(rounded_rect(x, y, 28 * s, 92 * s, 10 * s, "#263238"))
    for side in (-1, 1):
        x1, y1 = at(128 + side * 40, 70)
        x2, y2 = at(128 + side * 78, 18)
        shapes.append(segment(x1, y1, x2, y2, 8 * s, "#b0bec5"))
    cx, cy = at(128, 140)
    shapes.append(circle(cx, cy, 86 * s, "#eceff1"))
    x, y = at(84, 96)
    shapes.append(rounded_rect(x, y, 88 * s, 64 * s, 8 * s, "#2e7d32"))
    x, y = at(112, 112)
    shapes.append(rounded_rect(x, y, 32 * s, 32 * s, 4 * s, "#212121"))
    for eye_x in (100, 156):
        cx, cy = at(eye_x, 74)
        shapes.append(circle(cx, cy, 11 * s, "#e53935"))
    return shapes


def application_icon():
    return [rounded_rect(8, 8, 240, 240, 44, "#1e88e5")] + robot(24, 28, 208 / 256)


def file_icon():
    page = polygon([(40, 12), (172, 12), (216, 56), (216, 244), (40, 244)], "#fafafa")
    outline = [segment(40, 12, 172, 12, 6, "#90a4ae"), segment(172, 12, 216, 56, 6, "#90a4ae"),
               segment(216, 56, 216, 244, 6, "#90a4ae"), segment(216, 244, 40, 244, 6, "#90a4ae"),
               segment(40, 244, 40, 12, 6, "#90a4ae")]
    fold = polygon([(172, 12), (172, 56), (216, 56)], "#cfd8dc")
    return [page, fold] + outline + robot(52, 72, 152 / 256)


# --- SVG ---------------------------------------------------------------------------------

def svg(shapes):
    body = []
    for kind, p, colour in shapes:
        if kind == "rrect":
            body.append('<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="%s"/>'
                        % (p[0], p[1], p[2], p[3], p[4], colour))
        elif kind == "circle":
            body.append('<circle cx="%g" cy="%g" r="%g" fill="%s"/>' % (p[0], p[1], p[2], colour))
        elif kind == "segment":
            body.append('<line x1="%g" y1="%g" x2="%g" y2="%g" stroke="%s" stroke-width="%g" '
                        'stroke-linecap="round"/>' % (p[0], p[1], p[2], p[3], colour, p[4]))
        else:
            points = " ".join("%g,%g" % xy for xy in p)
            body.append('<polygon points="%s" fill="%s"/>' % (points, colour))
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">\n  '
            + "\n  ".join(body) + "\n</svg>\n").encode()


# --- rasteriser --------------------------------------------------------------------------

def inside(kind, p, x, y):
    if kind == "circle":
        return (x - p[0]) ** 2 + (y - p[1]) ** 2 <= p[2] ** 2
    if kind == "rrect":
        rx, ry, w, h, r = p
        if not (rx <= x <= rx + w and ry <= y <= ry + h):
            return False
        nx = min(max(x, rx + r), rx + w - r)
        ny = min(max(y, ry + r), ry + h - r)
        return (x - nx) ** 2 + (y - ny) ** 2 <= r * r
    if kind == "segment":
        x1, y1, x2, y2, width = p
        dx, dy = x2 - x1, y2 - y1
        t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - (x1 + t * dx), y - (y1 + t * dy)) <= width / 2
    crossings = False  # even-odd rule
    for (ax, ay), (bx, by) in zip(p, p[1:] + p[:1]):
        if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
            crossings = not crossings
    return crossings


def rgb(colour):
    return tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))


def pixel(shapes, size, px, py):
    """Averages SAMPLES^2 samples; each sample takes the colour of the topmost shape."""
    scale = CANVAS / size
    total = [0, 0, 0, 0]
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x = (px + (sx + 0.5) / SAMPLES) * scale
            y = (py + (sy + 0.5) / SAMPLES) * scale
            for kind, p, colour in reversed(shapes):
                if inside(kind, p, x, y):
                    r, g, b = rgb(colour)
                    total[0] += r
                    total[1] += g
                    total[2] += b
                    total[3] += 255
                    break
    n = SAMPLES * SAMPLES
    alpha = total[3] // n
    if alpha == 0:
        return (0, 0, 0, 0)
    covered = total[3] // 255  # colours are averaged over the covered samples only
    return (total[0] // covered, total[1] // covered, total[2] // covered, alpha)


def png(shapes, size):
    rows = bytearray()
    for py in range(size):
        rows.append(0)  # no filter
        for px in range(size):
            rows.extend(pixel(shapes, size, px, py))

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(rows), 9))
            + chunk(b"IEND", b""))


def outputs():
    """Every icon file: (path below OUT, bytes)."""
    files = []
    for name, shapes in ((APP_ID, application_icon()), (MIME_ICON, file_icon())):
        files.append(("scalable/%s.svg" % name, svg(shapes)))
        for size in SIZES:
            files.append(("%dx%d/%s.png" % (size, size, name), png(shapes, size)))
    return files


def main():
    check = "--check" in sys.argv[1:]
    stale = []
    for relative, data in outputs():
        path = OUT / relative
        if check:
            if not path.exists() or path.read_bytes() != data:
                stale.append(relative)
            continue
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
    if stale:
        print("make_icons: out of date: " + ", ".join(stale))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
