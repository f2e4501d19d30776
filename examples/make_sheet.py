#!/usr/bin/env python3
"""Draws hero.bmp, the example sheet: 64x48 pixels, 8 bits per pixel.

The hero's right half is his left half mirrored, the left arrow is the right
arrow mirrored and the turned gem is the gem turned by half a turn, so the
converter stores those cells once and shows them with flips.
"""
import struct

W, H = 64, 48
px = [[0] * W for _ in range(H)]

HERO_LEFT = [  # 16 columns, 32 rows: the left half of the hero
    "................",
    "..........222222",
    "........22222222",
    ".......222222222",
    ".......333333333",
    "......3333434333",
    "......3333434333",
    "......3333333333",
    ".......333333355",
    "........33333333",
    "..........333333",
    "........44444444",
    "......4444444444",
    ".....44444444444",
    "....444444444444",
    "....334444444444",
    "....333444444444",
    "....333.44444444",
    ".........6666666",
    ".........6666666",
    "........66666666",
    "........66666.66",
    "........6666..66",
    "........6666....",
    "........777.....",
    ".......7777.....",
    ".......7777.....",
    "......77777.....",
    "................",
    "................",
    "................",
    "................",
]
ARROW = [
    "................",
    "................",
    ".........8......",
    ".........88.....",
    ".........898....",
    ".........8998...",
    "888888888899988.",
    "8999999999999998",
    "8999999999999998",
    "888888888899988.",
    ".........8998...",
    ".........898....",
    ".........88.....",
    ".........8......",
    "................",
    "................",
]
GEM = [
    "................",
    "....aaaaaa......",
    "...abbbbbba.....",
    "..abbccccbba....",
    ".abbcccccccba...",
    ".abccccccccba...",
    ".abcccccccccba..",
    ".abcccccccccba..",
    "..abccccccccba..",
    "..abcccccccba...",
    "...abcccccba....",
    "....abcccba.....",
    ".....abcba......",
    "......aba.......",
    ".......a........",
    "................",
]
COIN = [
    "................",
    ".....dddddd.....",
    "...ddeeeeeedd...",
    "..deeeffffeeed..",
    "..deeffeeffeed..",
    ".deeffeeeeffeed.",
    ".deeeeeeeeeeeed.",
    ".deeeeeffeeeeed.",
    ".deeeeeffeeeeed.",
    ".deeeeeeeeeeeed.",
    ".deeffeeeeffeed.",
    "..deeffeeffeed..",
    "..deeeffffeeed..",
    "...ddeeeeeedd...",
    ".....dddddd.....",
    "................",
]

def put(rows, x0, y0, hflip=False, vflip=False):
    h, w = len(rows), len(rows[0])
    for y in range(h):
        for x in range(w):
            c = rows[h - 1 - y if vflip else y][w - 1 - x if hflip else x]
            px[y0 + y][x0 + x] = 0 if c == "." else int(c, 16)

put(HERO_LEFT, 0, 0)
put(HERO_LEFT, 16, 0, hflip=True)
put(ARROW, 32, 0)
put(ARROW, 48, 0, hflip=True)
put(GEM, 32, 16)
put(GEM, 48, 16, hflip=True, vflip=True)
put(COIN, 0, 32)

palette = [
    (255, 0, 255), (0, 0, 0), (60, 40, 20), (250, 200, 160),
    (40, 80, 200), (200, 60, 60), (60, 60, 80), (90, 50, 30),
    (20, 20, 20), (255, 255, 255), (10, 60, 30), (40, 160, 80),
    (120, 240, 160), (140, 100, 0), (250, 210, 40), (255, 250, 200),
] + [(0, 0, 0)] * 240

row_size = (W + 3) // 4 * 4
pixels = b"".join(bytes(px[y]) + bytes(row_size - W) for y in reversed(range(H)))
offset = 14 + 40 + 4 * 256
header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
with open("hero.bmp", "wb") as f:
    f.write(header + info + pal + pixels)
