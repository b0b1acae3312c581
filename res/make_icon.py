#!/usr/bin/env python3
"""Draw the Quillet application icon and write it next to this script.

The picture is a small white context-menu panel with grey menu lines and
one highlighted blue entry, plus a green round badge with a white plus
("add an entry") in the lower right corner.  res/quillet.ico holds 16x16,
32x32 and 48x48 images, 32-bit BGRA in classic BMP form, anti-aliased by
4x4 supersampling on a transparent background.

Run:  python3 res/make_icon.py   (from anywhere; standard library only)
"""
import math
import os
import struct

SS = 4  # supersamples per pixel along each axis

GREY_BORDER = (0x9A, 0xA3, 0xAE)
GREY_LINE = (0x8C, 0x94, 0x9E)
BLUE = (0x2F, 0x7B, 0xE0)
GREEN = (0x2E, 0xA0, 0x4A)
WHITE = (0xFF, 0xFF, 0xFF)
BLACK = (0x00, 0x00, 0x00)

# Each size is laid out by hand in whole pixels (hinting), so straight
# edges stay crisp and only the rounded parts get anti-aliased.
# Rectangles are (x0, y0, x1, y1); the badge is (cx, cy, radius).
LAYOUT = {
    16: dict(panel=(0, 1, 12, 14), corner=0, border=1, shadow=None,
             lines=[(2, 3, 9, 4), (2, 9, 7, 10)], bar=(1, 5, 11, 8),
             bar_text=(2, 6, 7, 7), badge=(12.5, 12.5, 3.5), halo=1,
             plus=(2.5, 1)),
    32: dict(panel=(1, 2, 24, 28), corner=2, border=1, shadow=(1, 2),
             lines=[(5, 7, 18, 9), (5, 21, 15, 23)], bar=(2, 12, 23, 18),
             bar_text=(5, 14, 15, 16), badge=(24, 24, 7), halo=1.5,
             plus=(4, 2)),
    48: dict(panel=(2, 3, 36, 42), corner=3, border=2, shadow=(1.5, 3),
             lines=[(8, 10, 28, 13), (8, 30, 22, 33)], bar=(4, 17, 34, 26),
             bar_text=(8, 20, 22, 23), badge=(36.5, 36.5, 10), halo=2,
             plus=(5.5, 3)),
}


def box(x0, y0, x1, y1, r=0.0):
    """Signed distance function of a rounded rectangle (negative inside)."""
    cx, cy, hw, hh = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def sdf(x, y):
        qx, qy = abs(x - cx) - hw + r, abs(y - cy) - hh + r
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r
    return sdf


def disc(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def shapes(size):
    """Back-to-front list of (sdf, colour, alpha, blur) for one size.

    A colour of None erases what is underneath instead of painting.
    """
    g = LAYOUT[size]
    x0, y0, x1, y1 = g["panel"]
    b, r = g["border"], g["corner"]
    out = []
    if g["shadow"]:
        off, blur = g["shadow"]
        out.append((box(x0 + off, y0 + off, x1 + off, y1 + off, r), BLACK, 0.3, blur))
    out.append((box(x0, y0, x1, y1, r), GREY_BORDER, 1, 0))
    out.append((box(x0 + b, y0 + b, x1 - b, y1 - b, max(r - b, 0)), WHITE, 1, 0))
    rounded = size > 16  # rounded line ends only once there is room for them
    for line in g["lines"]:
        out.append((box(*line, rounded * (line[3] - line[1]) / 2), GREY_LINE, 1, 0))
    out.append((box(*g["bar"]), BLUE, 1, 0))
    t = g["bar_text"]
    out.append((box(*t, rounded * (t[3] - t[1]) / 2), WHITE, 1, 0))
    cx, cy, br = g["badge"]
    arm, th = g["plus"]
    out.append((disc(cx, cy, br + g["halo"]), None, 1, 0))  # gap around badge
    out.append((disc(cx, cy, br), GREEN, 1, 0))
    out.append((box(cx - arm, cy - th / 2, cx + arm, cy + th / 2), WHITE, 1, 0))
    out.append((box(cx - th / 2, cy - arm, cx + th / 2, cy + arm), WHITE, 1, 0))
    return out


def render(size):
    """Return top-down rows of straight-alpha (r, g, b, a) byte tuples."""
    layers = shapes(size)
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0] * 4  # premultiplied colour and alpha, summed
            for sy in range(SS):
                for sx in range(SS):
                    x, y = px + (sx + 0.5) / SS, py + (sy + 0.5) / SS
                    c, a = [0.0] * 3, 0.0
                    for sdf, col, alpha, blur in layers:
                        d = sdf(x, y)
                        cov = min(max(0.5 - d / blur, 0), 1) if blur else d <= 0
                        k = alpha * cov
                        if k:  # premultiplied "over", or "erase"
                            ink = col or (0, 0, 0)
                            c = [ink[i] * k + c[i] * (1 - k) for i in range(3)]
                            a = (k if col else 0) + a * (1 - k)
                    acc = [acc[i] + v for i, v in enumerate(c + [a])]
            a = acc[3] / SS ** 2
            rgb = [round(v / acc[3]) if a else 0 for v in acc[:3]]
            row.append((*rgb, round(a * 255)))
        rows.append(row)
    return rows


def bmp_image(size, rows):
    """One ICO image: BITMAPINFOHEADER, bottom-up BGRA rows, 1-bpp AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytes(v for row in reversed(rows) for r, g, b, a in row for v in (b, g, r, a))
    mask = bytes((size + 31) // 32 * 4 * size)  # all zero: alpha does the work
    return header + pixels + mask


def write_ico(path, images):
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        head += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(head + b"".join(data for _, data in images))


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_ico(os.path.join(here, "quillet.ico"),
              [(n, bmp_image(n, render(n))) for n in sorted(LAYOUT)])
