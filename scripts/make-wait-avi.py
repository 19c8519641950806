#!/usr/bin/env python3
"""Writes resources/onedim/wait.avi: the animation of the JCAMP-DX wait
window, a ring of twelve dots with one bright dot going round (12 frames of
32 x 32 pixels, 8-bit uncompressed, 12 frames a second)."""
import math
import struct
import sys

W = H = 32
FRAMES = 12
BACKGROUND, DIM, BRIGHT = 0, 1, 2
PALETTE = [(255, 255, 255), (192, 192, 192), (0, 0, 160)] + [(0, 0, 0)] * 253


def frame(k):
    pixels = bytearray([BACKGROUND] * (W * H))
    for d in range(12):
        angle = 2 * math.pi * d / 12
        cx, cy = 16 + 11 * math.sin(angle), 16 - 11 * math.cos(angle)
        colour = BRIGHT if d == k else DIM
        for y in range(H):
            for x in range(W):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= 5.0:
                    pixels[(H - 1 - y) * W + x] = colour  # rows bottom-up
    return bytes(pixels)


def chunk(fourcc, data):
    pad = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + pad


def riff_list(kind, fourcc, body):
    return kind + struct.pack("<I", len(body) + 4) + fourcc + body


size = W * H
avih = struct.pack("<14I", 1000000 // 12, size * 12, 0, 0x10, FRAMES, 0, 1, size, W, H, 0, 0, 0, 0)
strh = b"vids" + b"DIB " + struct.pack("<IHHIIIIIIiI4h", 0, 0, 0, 0, 1, 12, 0, FRAMES, size, -1, 0, 0, 0, W, H)
bih = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 8, 0, size, 0, 0, 256, 0)
pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) +
                 riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", bih + pal)))
movi_body = b""
index = b""
for k in range(FRAMES):
    offset = 4 + len(movi_body)  # from the "movi" fourcc
    movi_body += chunk(b"00db", frame(k))
    index += b"00db" + struct.pack("<III", 0x10, offset, size)
movi = riff_list(b"LIST", b"movi", movi_body)
avi = riff_list(b"RIFF", b"AVI ", hdrl + movi + chunk(b"idx1", index))
out = sys.argv[1] if len(sys.argv) > 1 else "resources/onedim/wait.avi"
with open(out, "wb") as f:
    f.write(avi)
