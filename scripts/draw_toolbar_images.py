#!/usr/bin/env python3
"""Draws the six toolbar images of the main window as 24 by 24 PNG files, and
the program's own picture, which the picture area shows when no single game
is selected.

The images are plain shapes (a folder, a plus, a pencil, a paper clip, a bin,
sliders) painted with 4 by 4 supersampling for soft edges. Pixels outside the
shapes are see-through and carry the grey of a button's background, so that a
display that ignores alpha still shows them right. Only the standard library
is used.

    python3 scripts/draw_toolbar_images.py tbimages

writes open, add, rename, attachment, delete and prefs (no extension: the
program finds the format by the contents) into the given folder, and

    python3 scripts/draw_toolbar_images.py --program Ludex.pic

the program's picture, 80 by 64 (the picture area shows it doubled).
"""
import math
import os
import struct
import sys
import zlib

SIZE = 24
SAMPLES = 4
BACKGROUND = (0xAA, 0xAA, 0xAA)

OUTLINE = (0x22, 0x22, 0x22)


# ---- shapes: functions of a point that answer whether it lies inside ----

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def round_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def segment(x0, y0, x1, y1, width):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, cut):
    return lambda x, y: shape(x, y) and not cut(x, y)


def grown(shape, by):
    """The shape with a border of `by` around it (sampled on eight sides)."""
    offsets = [(by * math.cos(a * math.pi / 4), by * math.sin(a * math.pi / 4)) for a in range(8)]
    return lambda x, y: shape(x, y) or any(shape(x + ox, y + oy) for ox, oy in offsets)


# ---- the images: layers of (shape, colour), painted in order ----

def outlined(shape, colour):
    return [(grown(shape, 1.0), OUTLINE), (shape, colour)]


def image_open():
    back = polygon([(2, 5), (9, 5), (11, 7), (20, 7), (20, 19), (2, 19)])
    flap = polygon([(5, 10), (22.5, 10), (19.5, 19.5), (2, 19.5)])
    return outlined(back, (0xC8, 0x96, 0x32)) + outlined(flap, (0xF0, 0xC8, 0x50))


def image_add():
    plus = union(rect(10, 3, 14, 21), rect(3, 10, 21, 14))
    return outlined(plus, (0x30, 0xB0, 0x40))


def image_rename():
    line = rect(3, 19, 21, 20.5)
    body = polygon([(15, 3), (21, 9), (10, 20), (4, 20), (4, 14)])
    tip = polygon([(4, 14), (10, 20), (4, 20)])
    band = polygon([(13, 5), (19, 11), (17.5, 12.5), (11.5, 6.5)])
    return ([(line, (0x40, 0x40, 0xA0))] + outlined(body, (0xF0, 0xC0, 0x30)) +
            [(tip, (0xE8, 0xD0, 0xA8)), (circle(5.2, 18.8, 1.3), OUTLINE), (band, (0xD0, 0x50, 0x50))])


def image_attachment():
    outer = minus(round_rect(6, 2, 16, 22, 5), round_rect(8, 4, 14, 20, 3))
    inner = minus(round_rect(9, 6, 13, 17, 2), round_rect(10.6, 7.6, 11.4, 15.4, 0.4))
    clip = union(outer, minus(inner, rect(9, 5, 13, 8.5)))
    # The open end of the inner loop: the clip is one bent wire.
    clip = minus(clip, rect(10.5, 4.5, 13.5, 7.5))
    return [(grown(clip, 0.6), OUTLINE), (clip, (0xC8, 0xD0, 0xE0))]


def image_delete():
    lid = union(rect(4, 5, 20, 7), rect(9, 3, 15, 5))
    body = polygon([(5.5, 8), (18.5, 8), (17, 21), (7, 21)])
    ribs = union(rect(8.8, 10, 9.8, 19), rect(11.5, 10, 12.5, 19), rect(14.2, 10, 15.2, 19))
    return outlined(lid, (0xD0, 0x40, 0x40)) + outlined(body, (0xD0, 0x40, 0x40)) + [(ribs, (0x80, 0x18, 0x18))]


def image_prefs():
    layers = []
    for y, knob in ((6, 8), (12, 15), (18, 10)):
        layers += outlined(rect(3, y - 0.8, 21, y + 0.8), (0x90, 0x90, 0x90))
    for y, knob in ((6, 8), (12, 15), (18, 10)):
        layers += outlined(round_rect(knob - 2, y - 3, knob + 2, y + 3, 1), (0x50, 0x80, 0xD0))
    return layers


def image_program():
    """A joystick on its base, 80 by 64."""
    base = round_rect(10, 38, 70, 56, 6)
    top = round_rect(14, 34, 66, 42, 4)
    stick = segment(40, 36, 46, 12, 5)
    ball = circle(46.5, 11, 7)
    fire = round_rect(18, 35, 28, 39, 2)
    return (outlined(base, (0x38, 0x38, 0x40)) + outlined(top, (0x58, 0x58, 0x64)) +
            outlined(fire, (0xE0, 0x30, 0x30)) + outlined(stick, (0x20, 0x20, 0x24)) +
            outlined(ball, (0xD8, 0x28, 0x28)) + [(circle(44, 8.5, 2.2), (0xF4, 0xA0, 0xA0))])


PROGRAM_SIZE = (80, 64)

IMAGES = {
    "open": image_open,
    "add": image_add,
    "rename": image_rename,
    "attachment": image_attachment,
    "delete": image_delete,
    "prefs": image_prefs,
}


# ---- painting and writing ----

def paint(layers, width=SIZE, height=SIZE):
    """Rows of (r, g, b, a) pixels: each layer over what is below, weighted by coverage."""
    rows = []
    step = 1.0 / SAMPLES
    for py in range(height):
        row = []
        for px in range(width):
            colour = [0.0, 0.0, 0.0]
            alpha = 0.0
            for shape, rgb in layers:
                hits = sum(1 for sy in range(SAMPLES) for sx in range(SAMPLES)
                           if shape(px + (sx + 0.5) * step, py + (sy + 0.5) * step))
                cover = hits / (SAMPLES * SAMPLES)
                if cover == 0:
                    continue
                for i in range(3):
                    colour[i] = colour[i] * (1 - cover) + rgb[i] * cover
                alpha = alpha * (1 - cover) + cover
            if alpha == 0:
                row.append(BACKGROUND + (0,))
            else:
                # colour holds premultiplied values; a see-through part shows the background.
                rgb = tuple(round(c / alpha) for c in colour)
                row.append(rgb + (round(alpha * 255),))
        rows.append(row)
    return rows


def png(rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(v for pixel in row for v in pixel) for row in rows)
    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 6, 0, 0, 0)  # 8 bits, RGBA
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--program":
        with open(sys.argv[2], "wb") as out:
            out.write(png(paint(image_program(), *PROGRAM_SIZE)))
        return
    if len(sys.argv) != 2:
        sys.exit("usage: draw_toolbar_images.py FOLDER | --program FILE")
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, draw in IMAGES.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(png(paint(draw())))


if __name__ == "__main__":
    main()
