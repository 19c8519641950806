#!/usr/bin/env python3
"""Draws the nD program's pictures: the toolbar strips, the splash, the
icons and the graph view's cursors, with the drawing helpers of the 1D
program's picture script.

Writes into resources/ndim/. Run it again after changing a glyph; the
outputs are checked in.
"""
import math
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_brivane_pictures as p  # noqa: E402

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "ndim")


def blob(c, cx, cy, r, color):
    for k in range(3):
        rr = r * (1 - k / 3.0)
        for a in range(0, 360, 15):
            t0, t1 = math.radians(a), math.radians(a + 15)
            c.line(int(round(cx + rr * math.cos(t0))), int(round(cy + rr * math.sin(t0) * 0.8)),
                   int(round(cx + rr * math.cos(t1))), int(round(cy + rr * math.sin(t1) * 0.8)), color)


def g_new(c):
    c.rect(3, 1, 12, 14, p.BLACK, p.WHITE)
    c.line(9, 1, 12, 4, p.BLACK)


def g_paste(c):
    c.rect(2, 2, 11, 14, p.BLACK, p.YELLOW)
    c.rect(5, 1, 8, 3, p.BLACK, p.GREY)
    c.rect(7, 6, 14, 14, p.BLACK, p.WHITE)


def g_raster(c):
    for y in range(1, 15):
        for x in range(1, 15):
            v = math.exp(-((x - 7.5) ** 2 + (y - 7.5) ** 2) / 18.0)
            c.set(x, y, (int(255 * (1 - v)), 0, int(255 * v)))


def g_contour(c):
    c.rect(0, 0, 15, 14, p.BLACK, p.WHITE)
    blob(c, 5, 5, 4, p.BLUE)
    blob(c, 11, 10, 3, p.RED)


def g_stacked(c):
    for k, y in enumerate((13, 10, 7, 4)):
        p.peak(c, p.BLUE, base=y, x0=1 + k, x1=11 + k, centre=6 + k, height=3 + k)


def g_script(c):
    c.rect(2, 1, 13, 14, p.BLACK, p.WHITE)
    c.text(4, 3, "FT", p.BLACK)
    c.line(4, 10, 11, 10, p.GREY)


def g_fullscreen(c):
    c.rect(1, 2, 14, 13, p.BLACK, p.WHITE)
    c.rect(1, 2, 14, 4, p.BLACK, p.BLUE)


def g_slices(c):
    c.rect(4, 4, 14, 14, p.BLACK, p.WHITE)
    p.peak(c, p.BLUE, base=3, x0=4, x1=14, centre=9, height=3)
    c.curve(range(4, 15), lambda y: 3 - 3 / (1 + ((y - 9) / 1.3) ** 2), p.BLUE)


def projection(c, across, color):
    c.rect(4, 4, 14, 14, p.BLACK, p.WHITE)
    if across:
        p.peak(c, color, base=3, x0=4, x1=14, centre=9, height=3)
    else:
        for y in range(4, 15):
            c.set(3 - int(round(3 / (1 + ((y - 9) / 1.3) ** 2))), y, color)


def g_f1_projection(c):
    projection(c, False, p.RED)
    c.text(6, 6, "1", p.BLACK)


def g_f2_projection(c):
    projection(c, True, p.RED)
    c.text(6, 6, "2", p.BLACK)


def g_show_f1(c):
    projection(c, False, p.GREEN)
    c.text(6, 6, "1", p.GREEN)


def g_show_f2(c):
    projection(c, True, p.GREEN)
    c.text(6, 6, "2", p.GREEN)


def g_slices_more(c):
    p.g_increase(c)


def g_slices_less(c):
    p.g_decrease(c)


def arrow(c, dx, dy):
    cx, cy = 7, 7
    c.line(cx - 5 * dx, cy - 5 * dy, cx + 5 * dx, cy + 5 * dy, p.BLACK)
    tip = (cx + 5 * dx, cy + 5 * dy)
    c.line(tip[0], tip[1], tip[0] - 3 * dx + 3 * dy, tip[1] - 3 * dy + 3 * dx, p.BLACK)
    c.line(tip[0], tip[1], tip[0] - 3 * dx - 3 * dy, tip[1] - 3 * dy - 3 * dx, p.BLACK)


def g_up(c):
    arrow(c, 0, -1)


def g_down(c):
    arrow(c, 0, 1)


def g_left(c):
    arrow(c, -1, 0)


def g_right(c):
    arrow(c, 1, 0)


def row_step(c, dy):
    c.rect(1, 1, 14, 14, p.BLACK, p.WHITE)
    c.line(2, 7, 13, 7, p.RED)
    c.line(7, 7 + 4 * dy, 7, 7 + 6 * dy, p.BLUE)


def col_step(c, dx):
    c.rect(1, 1, 14, 14, p.BLACK, p.WHITE)
    c.line(7, 2, 7, 13, p.RED)
    c.line(7 + 4 * dx, 7, 7 + 6 * dx, 7, p.BLUE)


MAIN = [g_new, p.g_open, p.g_save, p.g_copy, g_paste, p.g_print, p.g_zoom, p.g_full, p.g_increase,
        p.g_decrease, g_raster, g_contour, g_stacked, p.g_fourier, p.g_phase, g_script, p.g_about]
TRACES = [g_slices, g_f1_projection, g_f2_projection, g_show_f1, g_show_f2, g_slices_more, g_slices_less,
          g_up, g_down, g_left, g_right, lambda c: row_step(c, 1), lambda c: row_step(c, -1),
          lambda c: col_step(c, -1), lambda c: col_step(c, 1)]
FULLSCREEN = [g_fullscreen]


def splash():
    w, h = 300, 180
    c = p.Canvas(w, h, (16, 24, 64))
    c.rect(0, 0, w - 1, h - 1, p.WHITE, None)
    # A contour map of a few cross peaks, blue positive and red negative.
    for cx, cy, r, color in ((90, 80, 30, (96, 160, 255)), (170, 60, 22, (96, 160, 255)),
                             (230, 100, 26, (255, 96, 96)), (130, 115, 16, (96, 160, 255)),
                             (260, 45, 14, (255, 96, 96))):
        for k in range(5):
            rr = r * (1 - k / 5.0)
            for a in range(0, 360, 4):
                t0, t1 = math.radians(a), math.radians(a + 4)
                c.line(int(cx + rr * math.cos(t0)), int(cy + rr * math.sin(t0) * 0.7),
                       int(cx + rr * math.cos(t1)), int(cy + rr * math.sin(t1) * 0.7), color)
    c.line(20, 140, w - 20, 140, p.WHITE)
    c.text(52, 150, "BRIVANE ND", p.WHITE, scale=5)
    return c


def draw_program(c, s):
    c.rect(0, 0, s - 1, s - 1, p.BLACK, p.WHITE)
    blob(c, s * 0.35, s * 0.4, s * 0.25, p.BLUE)
    blob(c, s * 0.7, s * 0.7, s * 0.18, p.RED)


def draw_document(c, s):
    c.rect(s // 8, 0, s - 1 - s // 8, s - 1, p.BLACK, p.WHITE)
    blob(c, s * 0.5, s * 0.5, s * 0.28, p.BLUE)


def draw_script(c, s):
    c.rect(s // 8, 0, s - 1 - s // 8, s - 1, p.BLACK, p.WHITE)
    for k in range(1, 5):
        y = k * s // 5
        c.line(s // 4, y, s - s // 4 - (k % 2) * s // 8, y, p.GREY)


# Cursors: 32 x 32 monochrome, black strokes with a white edge so that they
# show on the plot's colours. Each is a crosshair with its hot spot at the
# centre and a small mark of its tool below right, or a picture of its own.
TRANSPARENT, INK, EDGE = None, p.BLACK, p.WHITE


def crosshair(c, gap=3):
    for d in range(gap, 11):
        for x, y in ((15 - d, 15), (15 + d, 15), (15, 15 - d), (15, 15 + d)):
            c.set(x, y, INK)


def mark_zoom(c):
    crosshair(c)
    c.rect(19, 19, 29, 27, INK, None)


def mark_select(c):
    c.line(15, 3, 15, 27, INK)
    c.line(3, 15, 27, 15, INK)
    for tip, dx, dy in (((15, 3), 1, 1), ((15, 27), 1, -1), ((3, 15), 1, 1), ((27, 15), -1, 1)):
        x, y = tip
        for k in range(1, 4):
            if x == 15:
                c.set(x - k, y + dy * k, INK)
                c.set(x + k, y + dy * k, INK)
            else:
                c.set(x + dx * k, y - k, INK)
                c.set(x + dx * k, y + k, INK)


def mark_magnifier(c):
    for a in range(0, 360, 5):
        t = math.radians(a)
        c.set(int(round(12 + 8 * math.cos(t))), int(round(12 + 8 * math.sin(t))), INK)
    for k in range(6):
        c.line(18 + k, 19 + k, 19 + k, 18 + k, INK)


def mark_digit(digit):
    def draw(c):
        crosshair(c)
        c.text(20, 19, digit, INK, scale=2)
    return draw


def mark_peak(c):
    crosshair(c)
    c.curve(range(18, 31), lambda x: 29 - 9 / (1 + ((x - 24) / 1.5) ** 2), INK)


def mark_integrate(c):
    crosshair(c)
    c.curve(range(18, 31), lambda x: 29 - 9 / (1 + math.exp(-(x - 24) * 1.2)), INK)
    c.rect(18, 19, 30, 29, INK, None)


def mark_blob(c):
    crosshair(c)
    for r in (2, 4):
        for a in range(0, 360, 10):
            t = math.radians(a)
            c.set(int(round(24 + r * math.cos(t))), int(round(24 + r * math.sin(t))), INK)


def write_cursor(path, draw, hotspot):
    c = p.Canvas(32, 32, TRANSPARENT)
    draw(c)
    # The white edge: every transparent pixel next to ink.
    ink = [(x, y) for y in range(32) for x in range(32) if c.px[y][x] == INK]
    for x, y in ink:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                if 0 <= x + dx < 32 and 0 <= y + dy < 32 and c.px[y + dy][x + dx] is TRANSPARENT:
                    c.px[y + dy][x + dx] = EDGE
    xor, mask = bytearray(), bytearray()
    for y in range(31, -1, -1):
        xbits, abits = 0, 0xFFFFFFFF
        for x in range(32):
            if c.px[y][x] is not TRANSPARENT:
                abits &= ~(1 << (31 - x))
                if c.px[y][x] == EDGE:
                    xbits |= 1 << (31 - x)
        xor += struct.pack(">I", xbits)
        mask += struct.pack(">I", abits)
    info = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, 0, 0, 0, 2, 0)
    image = info + bytes((0, 0, 0, 0, 255, 255, 255, 0)) + xor + mask
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 2, 1) + entry + image)


CURSORS = (("zoom", mark_zoom, (15, 15)), ("select", mark_select, (15, 15)), ("magnifier", mark_magnifier, (12, 12)),
           ("reference_f1", mark_digit("1"), (15, 15)), ("reference_f2", mark_digit("2"), (15, 15)),
           ("pick_1d", mark_peak, (15, 15)), ("integrate", mark_integrate, (15, 15)),
           ("pick_2d", mark_blob, (15, 15)))


def main():
    os.makedirs(OUT, exist_ok=True)
    p.write_bmp(os.path.join(OUT, "toolbar.bmp"), p.strip(MAIN))
    p.write_bmp(os.path.join(OUT, "traces.bmp"), p.strip(TRACES))
    p.write_bmp(os.path.join(OUT, "fullscreen.bmp"), p.strip(FULLSCREEN))
    p.write_bmp(os.path.join(OUT, "splash.bmp"), splash())
    for name, draw in (("brivanend", draw_program), ("graph", draw_document), ("script", draw_script)):
        p.write_ico(os.path.join(OUT, name + ".ico"), [p.icon(32, draw), p.icon(16, draw)], p.KEY)
    for name, draw, hotspot in CURSORS:
        write_cursor(os.path.join(OUT, name + ".cur"), draw, hotspot)


if __name__ == "__main__":
    main()
