#!/usr/bin/env python3
"""Draws the pictures the control tests load from their resources.

four_states.bmp: four 8 x 6 images side by side, red, green, blue and yellow,
each with a silver bottom row (the button face the system colours map).
hand.cur: a 32 x 32 monochrome cursor, a hollow square with its hot spot at
the top left. Run it again after changing a picture; the outputs are checked in.
"""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "controls", "res")


def write_bmp(path, w, h, palette, index):
    """An 8-bit bitmap with a colour table: only such colours are mapped."""
    row = (w + 3) & ~3
    data = bytearray()
    for y in range(h - 1, -1, -1):
        line = bytes(index(x, y) for x in range(w))
        data += line + bytes(row - len(line))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(data), 2835, 2835, len(palette), 0)
    with open(path, "wb") as f:
        f.write(header + info + table + data)


STATE_COLOURS = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0), (192, 192, 192)]


def four_states(x, y):
    return 4 if y == 5 else x // 8


def write_cursor(path):
    size = 32
    stride = 4  # 32 one-bit pixels
    xor = bytearray()
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        xbits = 0
        abits = 0xFFFFFFFF
        for x in range(size):
            edge = x < 16 and y < 16 and (x in (0, 15) or y in (0, 15))
            if edge:
                abits &= ~(1 << (31 - x))  # drawn in black: mask 0, colour 0
        xor += struct.pack(">I", xbits)
        mask += struct.pack(">I", abits)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = info + palette + xor + mask
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, 0, 0, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    write_bmp(os.path.join(OUT, "four_states.bmp"), 32, 6, STATE_COLOURS, four_states)
    write_cursor(os.path.join(OUT, "hand.cur"))
