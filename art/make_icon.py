#!/usr/bin/env python3
"""Draws the application icon, an eyedropper, and writes it as app.ico.

One image of 32 x 32 pixels with a 256-entry palette (8 bits per pixel) and
an AND mask. Everything is computed from fixed numbers, so every run writes
the same bytes.

    python3 art/make_icon.py [--out ICO] [--preview PNG] [--check]

--preview also writes an enlarged PNG (transparent pixels shown on a grey
checkerboard) for looking at the picture. --check writes nothing and fails
when the file at --out is not what this script makes.
"""

import argparse
import math
import os
import struct
import sys
import zlib

SIZE = 32

# Colours of the picture, as (red, green, blue).
OUTLINE = (24, 24, 36)
GLASS = (196, 222, 238)
GLASS_LIGHT = (250, 252, 255)
GLASS_SHADE = (150, 180, 205)
LIQUID = (22, 118, 226)
LIQUID_LIGHT = (110, 184, 255)
LIQUID_SHADE = (12, 70, 160)
COLLAR = (150, 152, 164)
COLLAR_LIGHT = (224, 226, 234)
COLLAR_SHADE = (92, 94, 106)
BULB = (200, 34, 44)
BULB_LIGHT = (255, 128, 128)
BULB_SHADE = (128, 12, 22)

PICTURE_COLOURS = [
    OUTLINE, GLASS, GLASS_LIGHT, GLASS_SHADE, LIQUID, LIQUID_LIGHT, LIQUID_SHADE,
    COLLAR, COLLAR_LIGHT, COLLAR_SHADE, BULB, BULB_LIGHT, BULB_SHADE,
]

# The dropper lies on the diagonal: its tip at the lower left, its bulb at the
# upper right. u runs along the axis from the tip, v across it (positive
# towards the lower right, the side in shadow).
TIP = (7.0, 25.0)
AXIS = (1 / math.sqrt(2), -1 / math.sqrt(2))
ACROSS = (1 / math.sqrt(2), 1 / math.sqrt(2))

NOZZLE_END = 3.5  # the narrow tip, 0 .. NOZZLE_END
TUBE_END = 16.0  # the glass tube
COLLAR_END = 19.5  # the metal band where tube and bulb meet
BULB_END = 30.0  # the rubber bulb, rounded at its far end
LIQUID_END = 9.0  # how far up the tube the drawn-up colour reaches

NOZZLE_HALF = (0.9, 1.9)  # half widths at the very tip and where the tube begins
TUBE_HALF = 2.4
COLLAR_HALF = 4.3
BULB_HALF = 3.8

DROP_CENTRE = (4.5, 29.3)
DROP_RADIUS = 2.2
DROP_TOP = 25.6  # the drop narrows to a point above its round part


def palette():
    """256 entries: black (the colour under transparent pixels), the
    picture's colours, then a 6x6x6 colour cube and greys to fill up."""
    entries = [(0, 0, 0)] + PICTURE_COLOURS
    levels = [0, 51, 102, 153, 204, 255]
    for r in levels:
        for g in levels:
            for b in levels:
                entries.append((r, g, b))
    grey = 8
    while len(entries) < 256:
        entries.append((grey, grey, grey))
        grey += 9
    return entries[:256]


def axis_coordinates(x, y):
    dx, dy = x - TIP[0], y - TIP[1]
    return dx * AXIS[0] + dy * AXIS[1], dx * ACROSS[0] + dy * ACROSS[1]


def half_width(u):
    """Half the dropper's width at u, or None beyond its ends."""
    if u < 0:
        return None
    if u < NOZZLE_END:
        t = u / NOZZLE_END
        return NOZZLE_HALF[0] + (NOZZLE_HALF[1] - NOZZLE_HALF[0]) * t
    if u < TUBE_END:
        return TUBE_HALF
    if u < COLLAR_END:
        return COLLAR_HALF
    rounded_from = BULB_END - BULB_HALF
    if u < rounded_from:
        return BULB_HALF
    if u <= BULB_END:
        return math.sqrt(max(0.0, BULB_HALF * BULB_HALF - (u - rounded_from) ** 2))
    return None


def in_drop(x, y):
    cx, cy = DROP_CENTRE
    if math.hypot(x - cx, y - cy) <= DROP_RADIUS:
        return True
    if DROP_TOP <= y < cy:
        return abs(x - cx) <= DROP_RADIUS * (y - DROP_TOP) / (cy - DROP_TOP)
    return False


def inside(px, py):
    """Whether the pixel (px, py) belongs to the picture."""
    if not (0 <= px < SIZE and 0 <= py < SIZE):
        return False
    x, y = px + 0.5, py + 0.5
    if in_drop(x, y):
        return True
    u, v = axis_coordinates(x, y)
    w = half_width(u)
    return w is not None and abs(v) <= w


def shaded(base, light, shade, v, w):
    """Light falls from the upper left: a highlight stripe on that side,
    shadow along the other edge."""
    rel = v / w if w else 0.0
    if -0.7 <= rel <= -0.35:
        return light
    if rel >= 0.45:
        return shade
    return base


def body_colour(px, py):
    x, y = px + 0.5, py + 0.5
    if in_drop(x, y):
        # A round drop with one glint.
        if (px, py) == (int(DROP_CENTRE[0] - 0.8), int(DROP_CENTRE[1] - 0.8)):
            return LIQUID_LIGHT
        return LIQUID
    u, v = axis_coordinates(x, y)
    w = half_width(u)
    if u < LIQUID_END:
        return shaded(LIQUID, LIQUID_LIGHT, LIQUID_SHADE, v, w)
    if u < TUBE_END:
        return shaded(GLASS, GLASS_LIGHT, GLASS_SHADE, v, w)
    if u < COLLAR_END:
        return shaded(COLLAR, COLLAR_LIGHT, COLLAR_SHADE, v, w)
    return shaded(BULB, BULB_LIGHT, BULB_SHADE, v, w)


def picture():
    """Rows top to bottom of palette indices, or None for transparent."""
    index = {}
    for i, colour in enumerate(palette()):
        index.setdefault(colour, i)
    rows = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            if not inside(px, py):
                row.append(None)
                continue
            edge = any(not inside(px + dx, py + dy)
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            colour = OUTLINE if edge else body_colour(px, py)
            row.append(index[colour])
        rows.append(row)
    return rows


def ico_bytes(rows):
    colours = palette()
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0,
                         SIZE * SIZE + SIZE * 4, 0, 0, 256, 0)
    table = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in colours)
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # DIB rows run bottom-up
        xor.extend(0 if i is None else i for i in row)
        bits = 0
        for i in row:
            bits = (bits << 1) | (1 if i is None else 0)
        mask.extend(struct.pack(">I", bits))  # 32 pixels: one padded row
    image = header + table + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    # Colour count 0: the field cannot hold 256.
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


def png_bytes(rows, scale):
    colours = palette()
    side = SIZE * scale
    raw = bytearray()
    for y in range(side):
        raw.append(0)
        for x in range(side):
            i = rows[y // scale][x // scale]
            if i is None:
                c = 200 if ((x // 8) + (y // 8)) % 2 else 160
                raw.extend((c, c, c))
            else:
                raw.extend(colours[i])

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(here, "app.ico"))
    parser.add_argument("--preview", help="also write an enlarged PNG here")
    parser.add_argument("--scale", type=int, default=12)
    parser.add_argument("--check", action="store_true",
                        help="compare --out with what would be written instead")
    args = parser.parse_args()

    rows = picture()
    made = ico_bytes(rows)
    if args.check:
        with open(args.out, "rb") as f:
            stored = f.read()
        if stored == made:
            print("ok   %s: expected the %d bytes this script makes, got them" %
                  (args.out, len(made)))
            return 0
        first = next((i for i, (a, b) in enumerate(zip(stored, made)) if a != b),
                     min(len(stored), len(made)))
        print("FAIL %s: expected the %d bytes this script makes, got %d bytes "
              "differing from offset %d" % (args.out, len(made), len(stored), first))
        return 1
    with open(args.out, "wb") as f:
        f.write(made)
    if args.preview:
        with open(args.preview, "wb") as f:
            f.write(png_bytes(rows, args.scale))
    return 0


if __name__ == "__main__":
    sys.exit(main())
