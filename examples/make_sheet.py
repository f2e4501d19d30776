#!/usr/bin/env python3
"""Draws the example sheets, 8 bits per pixel, in the folder it runs in.

hero.bmp (64x48): the hero's right half is his left half mirrored, the left
arrow is the right arrow mirrored and the turned gem is the gem turned by
half a turn, so the converter stores those cells once and shows them with
flips. Drawn with palette row 0 (entries 1 to 15).

items.bmp (64x32): a key, a potion, a heart, a star and a chest, drawn with
palette row 1 (entries 17 to 31), as a game's second sprite sheet often is.

boss.bmp (64x64): a horned boss, its right half its left half mirrored, drawn
with palette row 15: the game shows it with objects of every shape
(--objects), the two halves as one stored picture and its mirror image. Row
15 is the far end from the rows a true-colour description is given, from row
0 (or --first-row) on, so it stays clear of them.

The three carry the same 256-entry palette, as the sheets of one game usually
do: row 0 holds the hero's colours, row 1 the items', row 15 the boss's.
"""
import struct

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

# The items, in the digits of palette row 1: "3" is entry 16 + 3 = 19.
KEY = [
    "................",
    "................",
    "...1111.........",
    "..122221........",
    ".12211221.......",
    ".121..121.......",
    ".12211221111111.",
    "..1222212222221.",
    "...111121211121.",
    ".......11..1.1..",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
]
POTION = [
    "................",
    "......3333......",
    "......4444......",
    ".......11.......",
    ".......11.......",
    "......1551......",
    ".....155551.....",
    "....15655551....",
    "...1566555551...",
    "...1565555551...",
    "...1555555551...",
    "...1555555551...",
    "....15555551....",
    ".....111111.....",
    "................",
    "................",
]
HEART = [
    "................",
    "................",
    "...111....111...",
    "..17771..17771..",
    ".1788771177777..",
    ".17877777777771.",
    ".17777777777771.",
    ".17777777777771.",
    "..177777777771..",
    "...1777777771...",
    "....17777771....",
    ".....177771.....",
    "......1771......",
    ".......11.......",
    "................",
    "................",
]
STAR = [
    ".......11.......",
    "......1991......",
    "......1991......",
    ".....19aa91.....",
    "1111119aa9111111",
    "199999aaaa99999.",
    ".19aaaaaaaaaa91.",
    "..19aaaaaaaa91..",
    "...19aaaaaa91...",
    "...19aa99aa91...",
    "..19aa9119aa91..",
    "..19a91..19a91..",
    ".19991....19991.",
    ".1111......1111.",
    "................",
    "................",
]
CHEST = [  # 32 columns, 16 rows
    "................................",
    "...11111111111111111111111111...",
    "..1bbbbbbbbbbbbbbbbbbbbbbbbbb1..",
    ".1bccccccccccccccccccccccccccb1.",
    ".1bccccccccccccccccccccccccccb1.",
    ".1dddddddddddddeedddddddddddddd1",
    ".1bccccccccccccfeccccccccccccb1.",
    ".1bccccccccccccfecccccccccccb1..",
    ".1bcccccccccccccccccccccccccb1..",
    ".1dddddddddddddddddddddddddddd1.",
    ".1bccccccccccccccccccccccccccb1.",
    ".1bccccccccccccccccccccccccccb1.",
    ".1bccccccccccccccccccccccccccb1.",
    ".1bbbbbbbbbbbbbbbbbbbbbbbbbbbb1.",
    "..1111111111111111111111111111..",
    "................................",
]


def sheet(width, height):
    return [[0] * width for _ in range(height)]


def put(px, rows, x0, y0, hflip=False, vflip=False, row=0):
    h, w = len(rows), len(rows[0])
    for y in range(h):
        for x in range(w):
            c = rows[h - 1 - y if vflip else y][w - 1 - x if hflip else x]
            px[y0 + y][x0 + x] = 0 if c == "." else 16 * row + int(c, 16)


PALETTE = [  # row 0: the hero's colours
    (255, 0, 255), (0, 0, 0), (60, 40, 20), (250, 200, 160),
    (40, 80, 200), (200, 60, 60), (60, 60, 80), (90, 50, 30),
    (20, 20, 20), (255, 255, 255), (10, 60, 30), (40, 160, 80),
    (120, 240, 160), (140, 100, 0), (250, 210, 40), (255, 250, 200),
] + [  # row 1: the items' colours, none of them one of row 0's
    (0, 255, 255), (30, 20, 70), (230, 190, 60), (120, 90, 200),
    (180, 180, 190), (60, 200, 120), (200, 255, 220), (230, 30, 80),
    (255, 170, 190), (255, 200, 0), (255, 250, 140), (110, 60, 20),
    (170, 110, 50), (80, 80, 90), (160, 160, 170), (40, 40, 40),
] + [(0, 0, 0)] * 208 + [  # row 15: the boss's colours
    (255, 0, 255), (20, 10, 30), (90, 30, 120), (140, 60, 170),
    (190, 110, 220), (230, 220, 190), (160, 150, 120), (250, 250, 250),
    (220, 30, 30), (50, 0, 20), (240, 240, 200), (60, 200, 90),
    (240, 180, 120), (200, 130, 80), (255, 200, 40), (255, 230, 255),
]


def boss_left_half():
    """The boss's left half, 32 columns by 64 rows, in the digits of row 15.

    u is a pixel's distance from the middle of the picture, so the right
    half is this one mirrored."""
    rows = []
    for y in range(64):
        row = ""
        for x in range(32):
            u = 31.5 - x
            c = "."
            body = (u / 28) ** 2 + ((y - 38) / 24) ** 2
            horn = 18 + (20 - y) * 0.45
            if body <= 1:
                c = "1" if body > 0.9 else "2" if body > 0.65 else "4" if y < 28 and u < 14 else "3"
                if (u / 14) ** 2 + ((y - 49) / 11) ** 2 <= 1:
                    c = "d" if y > 52 and (x + y) % 2 else "c"
                if (u - 11) ** 2 + (y - 30) ** 2 <= 25:
                    c = "8" if (u - 10) ** 2 + (y - 31) ** 2 <= 4 else "7"
                if 40 <= y <= 43 and u < 12:
                    c = "a" if y <= 41 and int(u) % 4 < 2 else "9"
            elif 2 <= y <= 22 and abs(u - horn) <= 0.5 + (y - 2) * 0.17:
                c = "6" if u > horn else "5"
            if ((u - 17) / 6) ** 2 + ((y - 60) / 3) ** 2 <= 1 and body > 0.85:
                c = "1" if ((u - 17) / 6) ** 2 + ((y - 60) / 3) ** 2 > 0.6 else "b"
            row += c
        rows.append(row)
    return rows


def write_bmp(name, px):
    height, width = len(px), len(px[0])
    row_size = (width + 3) // 4 * 4
    pixels = b"".join(bytes(px[y]) + bytes(row_size - width) for y in reversed(range(height)))
    offset = 14 + 40 + 4 * 256
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    with open(name, "wb") as f:
        f.write(header + info + pal + pixels)


hero = sheet(64, 48)
put(hero, HERO_LEFT, 0, 0)
put(hero, HERO_LEFT, 16, 0, hflip=True)
put(hero, ARROW, 32, 0)
put(hero, ARROW, 48, 0, hflip=True)
put(hero, GEM, 32, 16)
put(hero, GEM, 48, 16, hflip=True, vflip=True)
put(hero, COIN, 0, 32)
write_bmp("hero.bmp", hero)

items = sheet(64, 32)
for i, item in enumerate((KEY, POTION, HEART, STAR)):
    put(items, item, 16 * i, 0, row=1)
put(items, CHEST, 0, 16, row=1)
write_bmp("items.bmp", items)

boss = sheet(64, 64)
put(boss, boss_left_half(), 0, 0, row=15)
put(boss, boss_left_half(), 32, 0, hflip=True, row=15)
write_bmp("boss.bmp", boss)
