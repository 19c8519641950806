#!/usr/bin/env python3
"""Draws the 1D program's pictures: the toolbar strips, the icons, the
splash, the credits' picture and the hand cursor.

Writes 24-bit BMP strips (16 x 15 per button, light grey background, which
the toolbar takes as its button face) and .ico files (32 x 32 and 16 x 16,
24-bit with a transparency mask) into resources/onedim/. Run it again after
changing a glyph; the outputs are checked in.
"""
import math
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "onedim")

FACE = (192, 192, 192)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
BLUE = (0, 0, 192)
RED = (192, 0, 0)
GREEN = (0, 128, 0)
YELLOW = (224, 192, 0)
GREY = (96, 96, 96)

# A 3 x 5 pixel font for the letters the glyphs use.
FONT = {
    "A": ["010", "101", "111", "101", "101"], "B": ["110", "101", "110", "101", "110"],
    "C": ["011", "100", "100", "100", "011"], "D": ["110", "101", "101", "101", "110"],
    "E": ["111", "100", "110", "100", "111"], "F": ["111", "100", "110", "100", "100"],
    "H": ["101", "101", "111", "101", "101"], "I": ["111", "010", "010", "010", "111"],
    "J": ["001", "001", "001", "101", "010"], "L": ["100", "100", "100", "100", "111"],
    "P": ["110", "101", "110", "100", "100"], "R": ["110", "101", "110", "101", "101"],
    "S": ["011", "100", "010", "001", "110"], "T": ["111", "010", "010", "010", "010"],
    "Z": ["111", "001", "010", "100", "111"], "+": ["000", "010", "111", "010", "000"],
    "-": ["000", "000", "111", "000", "000"], "?": ["110", "001", "010", "000", "010"],
    "N": ["110", "101", "101", "101", "101"], "h": ["100", "100", "110", "101", "101"], "x": ["000", "101", "010", "101", "000"],
}


class Canvas:
    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c, fill=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                if edge:
                    self.set(x, y, c)
                elif fill is not None:
                    self.set(x, y, fill)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.set(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def curve(self, xs, f, c):
        last = None
        for x in xs:
            p = (x, int(round(f(x))))
            if last:
                self.line(last[0], last[1], p[0], p[1], c)
            last = p

    def text(self, x, y, s, c, scale=1):
        for ch in s:
            rows = FONT[ch]
            for j, row in enumerate(rows):
                for i, bit in enumerate(row):
                    if bit == "1":
                        for dy in range(scale):
                            for dx in range(scale):
                                self.set(x + i * scale + dx, y + j * scale + dy, c)
            x += 4 * scale


def fid(c, color, x0=1, x1=14, mid=7, amp=6.0):
    c.curve(range(x0, x1 + 1), lambda x: mid - amp * math.exp(-(x - x0) / 5.0) * math.cos((x - x0) * 1.3), color)


def peak(c, color, base=13, x0=1, x1=14, centre=7.5, height=10):
    c.curve(range(x0, x1 + 1), lambda x: base - height / (1 + ((x - centre) / 1.3) ** 2), color)


def g_open(c):
    c.rect(1, 4, 13, 13, BLACK, YELLOW)
    c.rect(1, 3, 6, 4, BLACK, YELLOW)
    c.line(3, 8, 15, 8, BLACK)


def g_save(c):
    c.rect(1, 1, 14, 14, BLACK, BLUE)
    c.rect(4, 1, 11, 6, BLACK, WHITE)
    c.rect(4, 9, 11, 14, BLACK, GREY)


def g_copy(c):
    c.rect(1, 1, 8, 10, BLACK, WHITE)
    c.rect(6, 4, 13, 13, BLACK, WHITE)
    peak(c, BLUE, base=12, x0=7, x1=12, centre=9.5, height=6)


def g_print(c):
    c.rect(4, 1, 11, 6, BLACK, WHITE)
    c.rect(1, 6, 14, 11, BLACK, GREY)
    c.rect(4, 10, 11, 14, BLACK, WHITE)


def g_preview(c):
    c.rect(2, 1, 11, 14, BLACK, WHITE)
    c.rect(7, 6, 12, 11, BLACK, None)
    c.line(12, 11, 14, 13, BLACK)


def g_zoom(c):
    peak(c, BLUE)
    c.rect(4, 2, 11, 13, RED, None)


def g_full(c):
    peak(c, BLUE, centre=4)
    peak(c, BLUE, centre=11, height=6)
    c.line(0, 14, 15, 14, BLACK)


def g_increase(c):
    peak(c, BLUE, x0=1, x1=9, centre=5, height=11)
    c.text(10, 2, "+", RED)


def g_decrease(c):
    peak(c, BLUE, x0=1, x1=9, centre=5, height=5)
    c.text(10, 2, "-", RED)


def g_dual(c):
    c.rect(1, 1, 14, 5, BLACK, WHITE)
    c.rect(1, 6, 14, 14, BLACK, WHITE)
    c.line(2, 4, 13, 4, BLUE)
    peak(c, BLUE, base=13, x0=2, x1=13, height=6)


def g_log(c):
    c.rect(2, 1, 13, 14, BLACK, WHITE)
    for y in (4, 7, 10):
        c.line(4, y, 11, y, GREY)


def g_about(c):
    c.text(4, 1, "?", BLUE, scale=2)


def g_shift(c):
    fid(c, BLUE, x0=4)
    c.line(0, 12, 3, 12, RED)
    c.line(1, 11, 0, 12, RED)
    c.line(1, 13, 0, 12, RED)


def g_zerofill(c):
    fid(c, BLUE, x1=8)
    c.line(8, 7, 15, 7, RED)


def g_apodize(c):
    fid(c, BLUE)
    c.curve(range(1, 15), lambda x: 7 - 6 * math.exp(-(x - 1) / 5.0), RED)


def g_fourier(c):
    c.text(1, 0, "FT", BLACK)
    peak(c, BLUE, base=14, height=7)


def g_phase(c):
    c.curve(range(1, 15), lambda x: 10 - 8 * ((x - 7.5) / 1.5) / (1 + ((x - 7.5) / 1.5) ** 2) - 2, BLUE)
    c.text(11, 10, "h", RED)


def g_autophase(c):
    peak(c, BLUE)
    c.text(0, 0, "A", RED)


def g_baseline(c):
    peak(c, BLUE, base=11, height=8)
    c.line(0, 13, 15, 13, RED)
    c.text(10, 0, "B", BLACK)


def g_reference(c):
    peak(c, BLUE)
    c.line(7, 0, 7, 14, RED)


def g_peakpick(c):
    peak(c, BLUE, base=14, height=9)
    c.line(7, 0, 7, 3, RED)
    c.line(6, 2, 8, 2, RED)


def g_integrate(c):
    peak(c, BLUE, base=14, height=9)
    c.curve(range(1, 15), lambda x: 12 - 10 / (1 + math.exp(-(x - 7.5) * 1.2)), GREEN)


def g_coupling(c):
    peak(c, BLUE, base=14, x0=0, x1=7, centre=4, height=8)
    peak(c, BLUE, base=14, x0=8, x1=15, centre=11, height=8)
    c.line(4, 2, 11, 2, RED)


STANDARD = [g_open, g_save, g_copy, g_print, g_preview, g_zoom, g_full, g_increase, g_decrease, g_dual,
            g_log, g_about]
# The tool bar of a document edited in its container's window.
SERVER_INPLACE = [g_copy, g_zoom, g_full, g_increase, g_decrease, g_about]
PROCESS = [g_shift, g_zerofill, g_apodize, g_fourier, g_phase, g_autophase, g_baseline, g_reference,
           g_peakpick, g_integrate, g_coupling]


def bmp_bytes(canvas):
    row = (canvas.w * 3 + 3) & ~3
    data = bytearray()
    for y in range(canvas.h - 1, -1, -1):
        line = bytearray()
        for x in range(canvas.w):
            r, g, b = canvas.px[y][x]
            line += bytes((b, g, r))
        line += b"\0" * (row - len(line))
        data += line
    return data


def write_bmp(path, canvas):
    pixels = bmp_bytes(canvas)
    header = struct.pack("<IiiHHIIiiII", 40, canvas.w, canvas.h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + len(header) + len(pixels), 0, 0, 14 + len(header)))
        f.write(header + pixels)


def strip(glyphs):
    c = Canvas(16 * len(glyphs), 15, FACE)
    for i, g in enumerate(glyphs):
        sub = Canvas(16, 15, FACE)
        g(sub)
        for y in range(15):
            for x in range(16):
                c.px[y][16 * i + x] = sub.px[y][x]
    return c


def icon_image(canvas, transparent):
    w, h = canvas.w, canvas.h
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 24, 0, 0, 0, 0, 0, 0)
    # Where the mask lets the background through, the colour image must be
    # black: it is XORed onto the background.
    shown = Canvas(w, h, BLACK)
    shown.px = [[BLACK if p == transparent else p for p in row] for row in canvas.px]
    xor = bmp_bytes(shown)
    mask_row = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        bits = bytearray(mask_row)
        for x in range(w):
            if canvas.px[y][x] == transparent:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + xor + mask


def write_ico(path, canvases, transparent):
    images = [icon_image(c, transparent) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, img in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.w % 256, c.h % 256, 0, 0, 1, 24, len(img), offset)
        offset += len(img)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


KEY = (255, 0, 255)  # the transparent colour of the icons


def icon(size, draw):
    c = Canvas(size, size, KEY)
    draw(c, size)
    return c


def draw_program(c, s):
    c.rect(0, 0, s - 1, s - 1, BLACK, WHITE)
    k = s / 32.0
    c.curve(range(2, s - 2), lambda x: s * 0.82 - s * 0.62 / (1 + ((x - s * 0.4) / (1.6 * k)) ** 2)
            - s * 0.3 / (1 + ((x - s * 0.7) / (1.4 * k)) ** 2), BLUE)
    c.line(1, int(s * 0.86), s - 2, int(s * 0.86), BLACK)


def draw_document(c, s):
    c.rect(s // 8, 0, s - 1 - s // 8, s - 1, BLACK, WHITE)
    c.curve(range(s // 8 + 2, s - s // 8 - 2),
            lambda x: s * 0.5 - s * 0.3 * math.exp(-(x - s / 8) / (s / 5.0)) * math.cos((x - s / 8) * 12.0 / s * 1.7),
            RED)


def draw_fid(c, s):
    c.rect(0, 0, s - 1, s - 1, BLACK, (255, 255, 224))
    c.curve(range(1, s - 1), lambda x: s / 2 - s * 0.4 * math.exp(-x / (s / 4.0)) * math.cos(x * 7.0 / s * 3), GREEN)


def draw_phase(c, s):
    c.rect(0, 0, s - 1, s - 1, BLACK, (224, 240, 255))
    c.curve(range(1, s - 1), lambda x: s / 2 - s * 0.35 * ((x - s / 2) / (s / 10)) / (1 + ((x - s / 2) / (s / 10)) ** 2), RED)


def draw_ok(c, s):
    c.line(s // 5, s // 2, s * 2 // 5, s * 4 // 5, GREEN)
    c.line(s // 5, s // 2 + 1, s * 2 // 5, s * 4 // 5 + 1, GREEN)
    c.line(s * 2 // 5, s * 4 // 5, s * 4 // 5, s // 5, GREEN)
    c.line(s * 2 // 5, s * 4 // 5 + 1, s * 4 // 5, s // 5 + 1, GREEN)


def draw_cancel(c, s):
    for d in (0, 1):
        c.line(s // 5 + d, s // 5, s * 4 // 5 + d, s * 4 // 5, RED)
        c.line(s // 5 + d, s * 4 // 5, s * 4 // 5 + d, s // 5, RED)


def draw_apply(c, s):
    """A green tick over a small page: the change taken, the dialog kept."""
    c.rect(s // 8, s // 8, s * 5 // 8, s * 7 // 8, BLACK, WHITE)
    draw_ok(c, s)


def draw_copy(c, s):
    c.rect(1, 1, s * 5 // 8, s * 5 // 8, BLACK, WHITE)
    c.rect(s * 3 // 8, s * 3 // 8, s - 2, s - 2, BLACK, WHITE)


def font_types():
    """The font kinds of the device font combo, 15 x 15 each on the mask
    colour: a printer (image 0) and a TrueType mark (image 1)."""
    c = Canvas(30, 15, KEY)
    c.rect(3, 1, 10, 5, BLACK, WHITE)
    c.rect(0, 5, 13, 10, BLACK, GREY)
    c.rect(3, 9, 10, 13, BLACK, WHITE)
    c.text(16, 1, "T", GREY, scale=2)
    c.text(21, 4, "T", BLUE, scale=2)
    return c


def stacked_traces(rightwards):
    """A Layout Type entry, 28 x 15: three small traces stacked from the lower
    left to the upper right, or from the lower right to the upper left."""
    c = Canvas(28, 15, WHITE)
    for i in range(3):
        dx = 4 * i if rightwards else 8 - 4 * i
        base = 13 - 4 * i
        c.curve(range(dx + 1, dx + 19), lambda x, dx=dx, base=base:
                base - 3.0 / (1 + ((x - dx - 10) / 1.5) ** 2), BLUE)
    return c


def active_icon(kind):
    """The marks of the active spectrum, 28 x 15: an arrow, a dot, a star."""
    c = Canvas(28, 15, WHITE)
    if kind == 0:
        c.line(4, 7, 22, 7, RED)
        c.line(22, 7, 17, 3, RED)
        c.line(22, 7, 17, 11, RED)
    elif kind == 1:
        c.rect(11, 4, 16, 9, RED, RED)
    else:
        c.line(14, 2, 14, 12, RED)
        c.line(9, 7, 19, 7, RED)
        c.line(10, 3, 18, 11, RED)
        c.line(10, 11, 18, 3, RED)
    return c


def draw_update(c, s):
    c.curve(range(s // 8, s - s // 8), lambda x: s / 2 - s * 0.3 * math.sin(math.pi * (x - s / 8) / (s * 0.75)),
            GREEN)
    c.line(s - s // 8, s // 2, s - s // 4, s // 3, GREEN)
    c.line(s - s // 8, s // 2, s - s // 3, s // 2, GREEN)


def draw_print(c, s):
    c.rect(s // 4, s // 8, s - 1 - s // 4, s // 2, BLACK, WHITE)
    c.rect(0, s * 3 // 8, s - 1, s * 3 // 4, BLACK, GREY)
    c.rect(s // 4, s * 5 // 8, s - 1 - s // 4, s - 1, BLACK, WHITE)


def draw_full(c, s):
    c.rect(0, 0, s - 1, s - 1, BLACK, WHITE)
    for y in range(2, s - 2, max(2, s // 6)):
        c.line(2, y, s - 3, y, BLUE)


def draw_fit(c, s):
    """Fit to screen: a trace stretched between two bars by a double arrow,
    on the button face (no transparent pixels)."""
    c.rect(0, 0, s - 1, s - 1, FACE, FACE)
    c.line(1, 1, 1, s - 2, BLACK)
    c.line(s - 2, 1, s - 2, s - 2, BLACK)
    m = s // 2
    c.line(3, m, s - 4, m, BLUE)
    for d in range(1, max(2, s // 6)):
        c.line(3 + d, m - d, 3 + d, m + d, BLUE)
        c.line(s - 4 - d, m - d, s - 4 - d, m + d, BLUE)
    c.curve(range(3, s - 3), lambda x: s * 0.8 - s * 0.5 / (1 + ((x - s / 2) / (s / 12.0)) ** 2), RED)


FONT.update({
    "G": ["011", "100", "101", "101", "011"], "K": ["101", "101", "110", "101", "101"],
    "M": ["101", "111", "111", "101", "101"], "N": ["111", "101", "101", "101", "101"],
    "O": ["010", "101", "101", "101", "010"], "U": ["101", "101", "101", "101", "111"],
    "V": ["101", "101", "101", "101", "010"], "W": ["101", "101", "111", "111", "101"],
    "1": ["010", "110", "010", "010", "111"], "2": ["110", "001", "010", "100", "111"],
    "3": ["110", "001", "010", "001", "110"], " ": ["000", "000", "000", "000", "000"],
    ".": ["000", "000", "000", "000", "010"], "a": ["000", "011", "101", "101", "011"],
})


def splash():
    """The picture shown while the program starts: a spectrum over its axis
    and the program's name."""
    w, h = 300, 180
    c = Canvas(w, h, (8, 32, 48))
    c.rect(0, 0, w - 1, h - 1, WHITE, None)
    lines = ((70, 40, 3.0), (95, 70, 2.5), (150, 100, 2.0), (160, 55, 2.0), (230, 85, 3.5))
    c.curve(range(20, w - 20), lambda x: 120 - sum(a / (1 + ((x - p) / wd) ** 2) for p, a, wd in lines),
            (255, 224, 96))
    c.line(20, 124, w - 20, 124, WHITE)
    for x in range(20, w - 19, 26):
        c.line(x, 124, x, 128, WHITE)
    c.text(64, 140, "BRIVANE 2.3a", WHITE, scale=5)
    return c


def credits_picture():
    """The picture that scrolls by in the credits: a FID turned into its spectrum."""
    w, h = 160, 60
    c = Canvas(w, h, BLACK)
    c.curve(range(4, 74), lambda x: 30 - 24 * math.exp(-(x - 4) / 18.0) * math.cos((x - 4) * 0.9), (0, 255, 0))
    c.line(78, 30, 86, 30, WHITE)
    c.line(86, 30, 82, 26, WHITE)
    c.line(86, 30, 82, 34, WHITE)
    c.curve(range(90, 156), lambda x: 52 - 40 / (1 + ((x - 110) / 2.0) ** 2) - 25 / (1 + ((x - 135) / 2.0) ** 2),
            (0, 255, 255))
    return c


# A pointing hand, 32 x 32: X black, o white, anything else transparent.
HAND = [
    "     XX",
    "    XooX",
    "    XooX",
    "    XooX",
    "    XooX",
    "    XooXXX",
    "    XooXooXXX",
    "    XooXooXooXX",
    " XX XooXooXooXoX",
    "XooXXooooooooXooX",
    "XoooXoooooooooooX",
    " XooXoooooooooooX",
    "  XoXoooooooooooX",
    "  XooooooooooooX",
    "   XoooooooooooX",
    "   XooooooooooX",
    "    XoooooooooX",
    "    XooooooooX",
    "     XoooooooX",
    "     XXXXXXXXX",
]


def write_cur(path, art, hotspot):
    """A 32 x 32 monochrome cursor from rows of art."""
    xor, mask = bytearray(), bytearray()
    for y in range(31, -1, -1):
        row = art[y] if y < len(art) else ""
        xbits, mbits = bytearray(4), bytearray(4)
        for x in range(32):
            ch = row[x] if x < len(row) else " "
            bit = 0x80 >> (x % 8)
            if ch == "o":
                xbits[x // 8] |= bit
            elif ch != "X":
                mbits[x // 8] |= bit
        xor += xbits
        mask += mbits
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, 0, 0, 0, 0, 0)
    image = header + bytes((0, 0, 0, 0, 255, 255, 255, 0)) + xor + mask
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 2, 1))
        f.write(struct.pack("<BBBBHHII", 32, 32, 2, 0, hotspot[0], hotspot[1], len(image), 22))
        f.write(image)


SHADOW = (128, 128, 128)


def preview_print_button():
    """The print preview's Print button: four 60 x 20 images side by side
    (up, pressed, focused, disabled) in the system's button colours, which
    the mapped bitmap button maps to the current ones."""
    w, h = 60, 20
    c = Canvas(4 * w, h, FACE)
    for state in range(4):
        x0, d = state * w, 1 if state == 1 else 0
        light, dark = (BLACK, WHITE) if state == 1 else (WHITE, BLACK)
        c.line(x0, 0, x0 + w - 1, 0, light)
        c.line(x0, 0, x0, h - 1, light)
        c.line(x0, h - 1, x0 + w - 1, h - 1, dark)
        c.line(x0 + w - 1, 0, x0 + w - 1, h - 1, dark)
        c.line(x0 + 1, h - 2, x0 + w - 2, h - 2, SHADOW)
        c.line(x0 + w - 2, 1, x0 + w - 2, h - 2, SHADOW)
        glyph = Canvas(16, 15, FACE)
        g_print(glyph)
        ink = SHADOW if state == 3 else BLACK
        for y in range(15):
            for x in range(16):
                px = glyph.px[y][x]
                if state == 3 and px == BLACK:
                    c.set(x0 + 4 + x, 2 + y, SHADOW)  # a disabled glyph keeps its outline only
                elif state != 3 and px != FACE:
                    c.set(x0 + 4 + x + d, 2 + y + d, px)
        if state == 3:
            c.text(x0 + 25, 8, "PRINT", WHITE)
        c.text(x0 + 24 + d, 7 + d, "PRINT", ink)
        if state == 2:
            for x in range(x0 + 3, x0 + w - 3, 2):
                c.set(x, 3, BLACK)
                c.set(x, h - 4, BLACK)
            for y in range(3, h - 3, 2):
                c.set(x0 + 3, y, BLACK)
                c.set(x0 + w - 4, y, BLACK)
    return c


def letter_icon(text, colour, framed):
    """A letter or sign of the 3 x 5 font, as large as the icon takes it:
    the operand marks (framed) and the add/subtract bar's buttons."""
    def draw(c, s):
        scale = max(1, s // 8)
        if framed:
            c.rect(0, 0, s - 1, s - 1, colour, WHITE)
        w = (4 * len(text) - 1) * scale
        c.text((s - w) // 2, (s - 5 * scale) // 2, text, colour, scale)
    return draw


def main():
    os.makedirs(OUT, exist_ok=True)
    write_bmp(os.path.join(OUT, "splash.bmp"), splash())
    write_bmp(os.path.join(OUT, "credits.bmp"), credits_picture())
    write_cur(os.path.join(OUT, "hand.cur"), HAND, (5, 0))
    write_bmp(os.path.join(OUT, "layout_right.bmp"), stacked_traces(True))
    write_bmp(os.path.join(OUT, "layout_left.bmp"), stacked_traces(False))
    for kind in range(3):
        write_bmp(os.path.join(OUT, "active%d.bmp" % kind), active_icon(kind))
    write_bmp(os.path.join(OUT, "toolbar.bmp"), strip(STANDARD))
    write_bmp(os.path.join(OUT, "fonttypes.bmp"), font_types())
    write_bmp(os.path.join(OUT, "process.bmp"), strip(PROCESS))
    write_bmp(os.path.join(OUT, "srvr_inplace.bmp"), strip(SERVER_INPLACE))
    write_bmp(os.path.join(OUT, "preview_print.bmp"), preview_print_button())
    for name, draw in (("brivane", draw_program), ("document", draw_document), ("fid", draw_fid),
                       ("phase", draw_phase), ("ok", draw_ok), ("cancel", draw_cancel), ("apply", draw_apply),
                       ("copy", draw_copy),
                       ("update", draw_update), ("print", draw_print), ("full", draw_full), ("fit", draw_fit),
                       ("operand_a", letter_icon("A", RED, True)), ("operand_b", letter_icon("B", BLUE, True)),
                       ("select_a", letter_icon("A", RED, False)), ("select_b", letter_icon("B", BLUE, False)),
                       ("add", letter_icon("+", GREEN, False)), ("subtract", letter_icon("-", GREEN, False)),
                       ("close", letter_icon("x", BLACK, False))):
        write_ico(os.path.join(OUT, name + ".ico"), [icon(32, draw), icon(16, draw)], KEY)


if __name__ == "__main__":
    main()
