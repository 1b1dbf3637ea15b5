#!/usr/bin/env python3
"""Draws the two 15 x 15 link pictures of the generated name pages.

arrow_200.gif   (add to the favourites): an orange arrow pointing right
button_prvs.gif (remove from them):      a red cross on a pale disc

Both are drawn here from a few shapes and written as GIF89a with a
transparent background. Standard library only; the output is checked in.

    python3 tools/pages/make_link_pictures.py [output folder]
"""
import os
import struct
import sys

SIZE = 15


def arrow():
    """Pixel rows of the add picture: 0 transparent, 1 fill, 2 outline."""
    rows = [[0] * SIZE for _ in range(SIZE)]
    for y in range(SIZE):
        for x in range(SIZE):
            # Shaft from x 1..7 across rows 5..9, head a triangle from x 7..13.
            in_shaft = 1 <= x <= 7 and 5 <= y <= 9
            in_head = 7 <= x <= 13 and abs(y - 7) <= 13 - x
            if in_shaft or in_head:
                rows[y][x] = 1
    # Outline: filled pixels with a transparent neighbour.
    out = [r[:] for r in rows]
    for y in range(SIZE):
        for x in range(SIZE):
            if not rows[y][x]:
                continue
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                nx, ny = x + dx, y + dy
                if not (0 <= nx < SIZE and 0 <= ny < SIZE) or not rows[ny][nx]:
                    out[y][x] = 2
                    break
    return out, [(255, 255, 255), (254, 160, 16), (196, 104, 0), (255, 255, 255)]


def cross():
    rows = [[0] * SIZE for _ in range(SIZE)]
    c = (SIZE - 1) / 2
    for y in range(SIZE):
        for x in range(SIZE):
            d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
            if d <= 7.0:
                rows[y][x] = 1
            if d <= 7.0 and d > 6.0:
                rows[y][x] = 2
            # The two strokes of the cross, inside the disc.
            if 3 <= x <= 11 and 3 <= y <= 11 and (abs(x - y) <= 0 or abs(x + y - 14) <= 0):
                rows[y][x] = 3
            if 4 <= x <= 10 and 4 <= y <= 10 and (abs(x - y) == 1 or abs(x + y - 14) == 1):
                rows[y][x] = 3
    return rows, [(255, 255, 255), (255, 236, 232), (204, 51, 51), (204, 51, 51)]


def lzw_literal(pixels, min_code_size=2):
    """GIF image data without compression: a clear code every two pixels
    keeps the code width at min_code_size + 1 bits."""
    clear = 1 << min_code_size
    stop = clear + 1
    width = min_code_size + 1
    codes = []
    for i, p in enumerate(pixels):
        if i % 2 == 0:
            codes.append(clear)
        codes.append(p)
    codes.append(stop)
    bits = 0
    nbits = 0
    out = bytearray()
    for code in codes:
        bits |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8
    if nbits:
        out.append(bits & 0xFF)
    data = bytearray([min_code_size])
    for i in range(0, len(out), 255):
        block = out[i:i + 255]
        data.append(len(block))
        data += block
    data.append(0)
    return bytes(data)


def gif(rows, palette):
    head = b"GIF89a" + struct.pack("<HHBBB", SIZE, SIZE, 0xF1, 0, 0)  # 4-colour global table
    table = b"".join(bytes(c) for c in palette)
    control = b"\x21\xF9\x04\x01\x00\x00\x00\x00"  # colour 0 transparent
    image = b"\x2C" + struct.pack("<HHHHB", 0, 0, SIZE, SIZE, 0)
    pixels = [p for r in rows for p in r]
    return head + table + control + image + lzw_literal(pixels) + b"\x3B"


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "data", "pages")
    for name, (rows, palette) in (("arrow_200.gif", arrow()), ("button_prvs.gif", cross())):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(gif(rows, palette))


if __name__ == "__main__":
    main()
