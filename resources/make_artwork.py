#!/usr/bin/env python3
"""Draws the program's artwork: banner.bmp, Quorvex.ico and hand.cur.

Pure standard library, so the binaries can be regenerated anywhere:
    python3 resources/make_artwork.py [output folder]
The output is deterministic; rerunning it must leave git clean.
"""
import math
import os
import struct
import sys

TITLE = "QUORVEX"
BANNER_W, BANNER_H = 616, 28

# 5 x 7 glyphs for the banner title, drawn at twice their size.
GLYPHS = {
    "Q": [".XXX.", "X...X", "X...X", "X...X", "X.X.X", "X..X.", ".XX.X"],
    "U": ["X...X", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."],
    "O": [".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."],
    "R": ["XXXX.", "X...X", "X...X", "XXXX.", "X.X..", "X..X.", "X...X"],
    "V": ["X...X", "X...X", "X...X", "X...X", "X...X", ".X.X.", "..X.."],
    "E": ["XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "XXXXX"],
    "X": ["X...X", "X...X", ".X.X.", "..X..", ".X.X.", "X...X", "X...X"],
}

# 32 x 32 monochrome pointing hand: X black, . white, blank transparent.
HAND = [
    "     XX",
    "    X..X",
    "    X..X",
    "    X..X",
    "    X..X",
    "    X..XXX",
    "    X..X..XXX",
    "    X..X..X..XX",
    "    X..X..X..X.X",
    " XX X..X..X..X..X",
    "X..XX...........X",
    "X...X...........X",
    " X..............X",
    "  X.............X",
    "  X............X",
    "   X...........X",
    "   X..........X",
    "    X.........X",
    "    X.........X",
    "    XXXXXXXXXXX",
]
HAND_HOTSPOT = (5, 0)


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


# The window's banner frame is 496 pixels wide at 96 dpi and shows the
# picture from its left edge unscaled, so everything that matters lies left of
# SHOWN_W; the rest only continues the gradient for wider frames.
SHOWN_W = 496


def banner_pixels():
    """Rows top-down of (r, g, b): light on the left where the shadowed
    title labels sit, deepening to blue on the right under the title."""
    light, mid, deep = (252, 253, 255), (214, 226, 242), (44, 86, 140)
    rows = []
    for y in range(BANNER_H):
        row = []
        for x in range(BANNER_W):
            t = min(1.0, x / (SHOWN_W - 1))
            colour = lerp(light, mid, t / 0.45) if t < 0.45 else lerp(mid, deep, (t - 0.45) / 0.55)
            # A soft vertical sheen keeps the strip from looking flat.
            shade = 1.0 - 0.06 * (y / (BANNER_H - 1))
            row.append(tuple(min(255, round(c * shade)) for c in colour))
        rows.append(row)
    # Emblem at the far left: a small shield like the icon's.
    icon = render_icon(22)
    for y in range(22):
        for x in range(22):
            r, g, b, a = icon[y][x]
            if a:
                bx, by = 6 + x, 3 + y
                under = rows[by][bx]
                rows[by][bx] = tuple(round(c * a / 255 + u * (255 - a) / 255) for c, u in zip((r, g, b), under))
    # Title, right-aligned, white with a one-pixel dark shadow.
    scale, gap = 2, 2
    width = len(TITLE) * (5 * scale + gap) - gap
    left, top = SHOWN_W - 12 - width, (BANNER_H - 7 * scale) // 2
    for colour, dx in (((20, 40, 70), 1), ((255, 255, 255), 0)):
        for i, ch in enumerate(TITLE):
            gx = left + i * (5 * scale + gap)
            for gy, line in enumerate(GLYPHS[ch]):
                for gxx, cell in enumerate(line):
                    if cell == "X":
                        for sy in range(scale):
                            for sx in range(scale):
                                rows[top + gy * scale + sy + dx][gx + gxx * scale + sx + dx] = colour
    return rows


def write_bmp(path, rows):
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        data += line + bytes(stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + len(header) + len(data), 0, 0, 14 + len(header)))
        f.write(header + data)


def shield(u, v):
    """0 outside, 1 outline, 2 fill, 3 check mark; u, v in [0, 1]."""
    def inside(u, v, inset):
        if v < 0.08 + inset or v > 0.94 - inset:
            return False
        half = 0.37 - inset
        if v > 0.5:
            k = (v - 0.5) / (0.44 - inset)
            half *= math.sqrt(max(0.0, 1 - k * k))
        return abs(u - 0.5) <= half
    if not inside(u, v, 0):
        return 0
    if not inside(u, v, 0.07):
        return 1
    for (x0, y0), (x1, y1) in (((0.31, 0.50), (0.45, 0.65)), ((0.45, 0.65), (0.70, 0.32))):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((u - x0) * dx + (v - y0) * dy) / (dx * dx + dy * dy)))
        if math.hypot(u - x0 - t * dx, v - y0 - t * dy) <= 0.055:
            return 3
    return 2


def render_icon(size):
    """Rows top-down of (r, g, b, a), 4 x 4 supersampled."""
    n = 4
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            acc, hits = [0, 0, 0], 0
            for sy in range(n):
                for sx in range(n):
                    u, v = (x + (sx + 0.5) / n) / size, (y + (sy + 0.5) / n) / size
                    part = shield(u, v)
                    if part == 0:
                        continue
                    colour = {1: (15, 44, 85), 3: (255, 255, 255)}.get(part) or lerp((90, 145, 210), (28, 74, 136), v)
                    acc = [a + c for a, c in zip(acc, colour)]
                    hits += 1
            if hits:
                row.append(tuple(round(a / hits) for a in acc) + (round(255 * hits / (n * n)),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def and_mask(rows, opaque):
    stride = ((len(rows[0]) + 31) // 32) * 4
    data = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, px in enumerate(row):
            if not opaque(px):
                line[x // 8] |= 0x80 >> (x % 8)
        data += line
    return bytes(data)


def dib_header(w, h, bits, colours=0):
    return struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, bits, 0, 0, 0, 0, colours, 0)


def icon_image_32(size):
    rows = render_icon(size)
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    return dib_header(size, size, 32) + bytes(xor) + and_mask(rows, lambda p: p[3] >= 128)


CUBE = [0, 51, 102, 153, 204, 255]


def icon_image_8(size):
    """256-colour image on the 6 x 6 x 6 colour cube for old shells."""
    rows = render_icon(size)
    palette = bytearray()
    for r in CUBE:
        for g in CUBE:
            for b in CUBE:
                palette += bytes((b, g, r, 0))
    palette += bytes(4 * (256 - 216))
    near = lambda c: min(range(6), key=lambda i: abs(CUBE[i] - c))
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor.append(near(r) * 36 + near(g) * 6 + near(b) if a >= 128 else 0)
    return dib_header(size, size, 8, 256) + bytes(palette) + bytes(xor) + and_mask(rows, lambda p: p[3] >= 128)


def write_group(path, kind, images):
    """images: (width, height, colours, field1, field2, data) per entry."""
    out = bytearray(struct.pack("<HHH", 0, kind, len(images)))
    offset = 6 + 16 * len(images)
    for w, h, colours, f1, f2, data in images:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, colours, 0, f1, f2, len(data), offset)
        offset += len(data)
    for *_, data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def hand_image():
    rows = [line.ljust(32)[:32] for line in HAND] + [" " * 32] * (32 - len(HAND))
    xor, mask = bytearray(), bytearray()
    for line in reversed(rows):
        x_line, a_line = bytearray(4), bytearray(4)
        for x, cell in enumerate(line):
            bit = 0x80 >> (x % 8)
            if cell == " ":
                a_line[x // 8] |= bit
            elif cell == ".":
                x_line[x // 8] |= bit
        xor += x_line
        mask += a_line
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    return dib_header(32, 32, 1, 2) + palette + bytes(xor) + bytes(mask)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    write_bmp(os.path.join(out, "banner.bmp"), banner_pixels())
    icons = [(s, s, 0, 1, 32, icon_image_32(s)) for s in (16, 32, 48)]
    icons.insert(1, (32, 32, 0, 1, 8, icon_image_8(32)))
    write_group(os.path.join(out, "Quorvex.ico"), 1, icons)
    write_group(os.path.join(out, "hand.cur"), 2, [(32, 32, 2, HAND_HOTSPOT[0], HAND_HOTSPOT[1], hand_image())])


if __name__ == "__main__":
    main()
