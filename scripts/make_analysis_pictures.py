#!/usr/bin/env python3
"""Draws the pictures of the measuring tools: the toolbars of the coupling
table and of the Reference dialog, and the icons of the relaxation bar and
of the Relaxation dialog, with the drawing helpers of
make_brivane_pictures.py. Writes into resources/onedim/; the outputs are
checked in.
"""
import math
import os

from make_brivane_pictures import (BLACK, BLUE, GREEN, GREY, KEY, OUT, RED, WHITE, g_copy, g_print, icon, peak,
                                   strip, write_bmp, write_ico)


def g_delete(c):
    for d in (0, 1):
        c.line(3 + d, 3, 12 + d, 12, RED)
        c.line(3 + d, 12, 12 + d, 3, RED)


def g_reset(c):
    peak(c, BLUE, base=14, height=9)
    c.line(2, 2, 6, 2, GREEN)
    c.line(2, 2, 2, 6, GREEN)
    c.line(2, 2, 8, 8, GREEN)


def g_add(c):
    c.rect(1, 2, 10, 13, BLACK, WHITE)
    for y in (5, 8, 11):
        c.line(3, y, 8, y, GREY)
    c.line(12, 4, 12, 10, GREEN)
    c.line(9, 7, 15, 7, GREEN)


def g_remove(c):
    c.rect(1, 2, 10, 13, BLACK, WHITE)
    for y in (5, 8, 11):
        c.line(3, y, 8, y, GREY)
    c.line(9, 7, 15, 7, RED)


def g_remove_all(c):
    c.rect(1, 2, 10, 13, BLACK, WHITE)
    c.line(2, 3, 9, 12, RED)
    c.line(2, 12, 9, 3, RED)
    c.line(9, 7, 15, 7, RED)


def scaled(s, f):
    return lambda x: f(x * 16.0 / s) * s / 16.0


def draw_select_peak(c, s):
    c.curve(range(1, s - 1), scaled(s, lambda x: 14 - 11 / (1 + ((x - 8) / 1.6) ** 2)), BLUE)
    c.line(s // 2, 0, s // 2, s // 6, RED)
    c.line(s // 2 - 2, s // 8, s // 2 + 2, s // 8, RED)


def draw_select_integral(c, s):
    c.curve(range(1, s - 1), scaled(s, lambda x: 14 - 9 / (1 + ((x - 8) / 1.6) ** 2)), BLUE)
    c.curve(range(1, s - 1), scaled(s, lambda x: 12 - 10 / (1 + math.exp(-(x - 8) * 1.2))), GREEN)


def draw_expt(c, s):
    for i in range(5):
        x = 2 + i * (s - 5) // 4
        y = s - 3 - int((s - 6) * (1 - math.exp(-i / 1.5)))
        c.rect(x - 1, y - 1, x + 1, y + 1, BLACK, WHITE)


def draw_calc(c, s):
    c.curve(range(1, s - 1), lambda x: s - 3 - (s - 6) * (1 - math.exp(-(x - 1) / (s / 4.0))), GREEN)


def draw_delete_row(c, s):
    for y in range(2, s - 2, max(3, s // 5)):
        c.line(2, y, s - 3, y, GREY)
    g = s // 4
    for d in (0, 1):
        c.line(g + d, g, s - g + d, s - g, RED)
        c.line(g + d, s - g, s - g + d, g, RED)


def draw_show_graph(c, s):
    c.rect(0, 0, s - 1, s - 1, BLACK, (192, 255, 192))
    draw_calc(c, s)


def draw_calculate(c, s):
    draw_calc(c, s)
    c.text(1, 1, "T", BLACK, scale=max(1, s // 16))


def draw_reset_data(c, s):
    draw_expt(c, s)
    c.line(1, 1, s // 3, 1, BLUE)
    c.line(1, 1, 1, s // 3, BLUE)


def main():
    write_bmp(os.path.join(OUT, "coupling.bmp"), strip([g_print, g_copy, g_delete, g_reset]))
    write_bmp(os.path.join(OUT, "reference.bmp"), strip([g_add, g_remove, g_remove_all]))
    for name, draw in (("select_peak", draw_select_peak), ("select_integral", draw_select_integral),
                       ("expt", draw_expt), ("calc", draw_calc), ("delete_row", draw_delete_row),
                       ("show_graph", draw_show_graph), ("calculate", draw_calculate),
                       ("reset_data", draw_reset_data)):
        write_ico(os.path.join(OUT, name + ".ico"), [icon(32, draw), icon(16, draw)], KEY)


if __name__ == "__main__":
    main()
