#!/usr/bin/env python3
"""Draws the example sheets, 8 bits per pixel, in the folder it runs in.

hero.bmp (64x48): the hero's right half is his left half mirrored, the left
arrow is the right arrow mirrored and the turned gem is the gem turned by
half a turn, so the converter stores those cells once and shows them with
flips. Drawn with palette row 0 (entries 1 to 15).

items.bmp (64x32): a key, a potion, a heart, a star and a chest.

boss.bmp (64x64): a horned boss, its right half its left half mirrored: the
game shows it with objects of every shape (--objects), the two halves as
one stored picture and its mirror image.

hud.bmp (104x8): three hearts (full, half, empty) and the digits 0 to 9,
8x8 each, drawn tightly side by side on an 8-pixel grid, every piece
touching its neighbours: the game shows each one alone (--objects keeps a
part's own 8x8).

knight.bmp (384x384) and knight.json: 36 frames of 64x64, a knight walking
(24 frames) and swinging his sword (12), as Aseprite exports an animation
(--sheet knight.bmp --data knight.json --list-tags --list-slices): the
frames on a grid of 6 columns, their durations, the tags walk and attack,
and a slice whose pivot puts every frame's origin at the knight's feet.
More frames than object tile memory holds: the game streams them.

Every sheet is drawn in palette row 0 of a colour table of its own, as art
drawn apart usually is; hero.bmp's table also holds the other sheets'
first rows (in its rows 1 and 15), unused. The game's build chains the
descriptions (--after), which moves each sheet's colours to rows of its own.
"""
import math
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

# The items, in the digits of their palette row: "3" is entry 3.
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
    """The boss's left half, 32 columns by 64 rows, in the digits of its row.

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


# The screen's pieces, 8x8 each: hearts in entries 1-3, digits white (5) on
# a dark box (4) that fills the whole 8x8.
HEARTS = [
    [".11.11..", "1221221.", "1222221.", "1222221.", ".12221..", "..121...", "...1....", "........"],
    [".11.11..", "1221331.", "1222331.", "1222331.", ".12231..", "..131...", "...1....", "........"],
    [".11.11..", "1331331.", "1333331.", "1333331.", ".13331..", "..131...", "...1....", "........"],
]
DIGIT_SHAPES = [  # 3x5 each
    ["###", "#.#", "#.#", "#.#", "###"], [".#.", "##.", ".#.", ".#.", "###"],
    ["###", "..#", "###", "#..", "###"], ["###", "..#", "###", "..#", "###"],
    ["#.#", "#.#", "###", "..#", "..#"], ["###", "#..", "###", "..#", "###"],
    ["###", "#..", "###", "#.#", "###"], ["###", "..#", ".#.", ".#.", ".#."],
    ["###", "#.#", "###", "#.#", "###"], ["###", "#.#", "###", "..#", "###"],
]
DIGITS = []
for shape in DIGIT_SHAPES:
    rows = ["44444444"]
    for r in shape:
        rows.append("44" + "".join("5" if c == "#" else "6" for c in r) + "444")
    rows += ["44444444", "44444444"]
    DIGITS.append(rows)
HUD_PALETTE = [(255, 0, 255), (40, 0, 10), (230, 30, 50), (90, 70, 80), (30, 30, 60), (255, 255, 255),
               (60, 60, 100)]

# The knight, in the entries of its own palette.
KNIGHT_PALETTE = [
    (255, 0, 255), (16, 16, 24), (240, 190, 150), (170, 180, 200), (100, 110, 130), (200, 30, 40),
    (120, 10, 30), (50, 80, 170), (30, 45, 110), (110, 70, 40), (230, 235, 245), (240, 200, 60),
    (150, 100, 50), (90, 60, 30), (255, 255, 255), (250, 240, 140),
]
KNIGHT_FRAME = 64
KNIGHT_COLUMNS = 6
WALK_FRAMES = 24
ATTACK_DURATIONS = [80, 80, 80, 120, 60, 60, 60, 150, 100, 100, 100, 100]  # milliseconds
WALK_DURATION = 100


def paint_capsule(px, x0, y0, x1, y1, radius, colour):
    """Every pixel within `radius` of the segment from (x0, y0) to (x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1
    for y in range(int(min(y0, y1) - radius) - 1, int(max(y0, y1) + radius) + 2):
        for x in range(int(min(x0, x1) - radius) - 1, int(max(x0, x1) + radius) + 2):
            if not (0 <= x < KNIGHT_FRAME and 0 <= y < KNIGHT_FRAME):
                continue
            t = max(0.0, min(1.0, ((x + 0.5 - x0) * dx + (y + 0.5 - y0) * dy) / length2))
            ex, ey = x + 0.5 - (x0 + t * dx), y + 0.5 - (y0 + t * dy)
            if ex * ex + ey * ey <= radius * radius:
                px[y][x] = colour


def paint_ellipse(px, cx, cy, rx, ry, colour):
    for y in range(KNIGHT_FRAME):
        for x in range(KNIGHT_FRAME):
            if ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2 <= 1:
                px[y][x] = colour


def limb(px, x, y, angle1, length1, angle2, length2, radius, colour, end_colour):
    """Two segments from (x, y), each angle measured from straight down;
    returns where the second ends."""
    kx, ky = x + length1 * math.sin(angle1), y + length1 * math.cos(angle1)
    ex, ey = kx + length2 * math.sin(angle2), ky + length2 * math.cos(angle2)
    paint_capsule(px, x, y, kx, ky, radius, colour)
    paint_capsule(px, kx, ky, ex, ey, radius, colour)
    paint_ellipse(px, ex + 1.5, ey, radius + 1.5, radius, end_colour)
    return ex, ey


def knight_frame(walk_phase=None, swing=None):
    """One 64x64 frame: walking at walk_phase (0 to 1), or swinging the
    sword, swing 0 (raised behind) to 1 (struck down in front)."""
    px = sheet(KNIGHT_FRAME, KNIGHT_FRAME)
    if walk_phase is not None:
        a = 2 * math.pi * walk_phase
        stride, bob = 0.55 * math.sin(a), abs(math.cos(a))
        legs = [(-stride, 0.45 * max(0.0, math.sin(a + 1.2))), (stride, 0.45 * max(0.0, -math.sin(a + 1.2)))]
        arm_back, arm_front = 0.5 * math.sin(a), -0.5 * math.sin(a)
        sword = None
        cape = 3 * math.sin(2 * a)
    else:
        bob = 0.3
        legs = [(-0.45, 0.1), (0.5, 0.35)]
        arm_back = -0.3
        arm_front = math.pi * (1 - 1.15 * swing) - 0.2
        sword = arm_front
        cape = 4 - 5 * swing
    hip_y = 38 - bob * 1.5
    neck_y = hip_y - 16
    # The cape behind everything, fluttering.
    for y in range(int(neck_y), int(hip_y) + 10):
        reach = 4 + (y - neck_y) * 0.5 + cape * (y - neck_y) / 26
        for x in range(int(30 - reach), 33):
            if 0 <= x < 64 and 0 <= y < 64:
                px[y][x] = 6 if x < 30 - reach + 2 else 5
    limb(px, 31, neck_y + 3, arm_back, 8, arm_back - 0.6, 7, 2.2, 8, 2)
    limb(px, 31, hip_y, legs[0][0], 10, legs[0][0] - legs[0][1], 10, 2.6, 8, 13)
    paint_ellipse(px, 32, hip_y - 8, 7, 11, 7)
    paint_capsule(px, 27, hip_y - 1, 38, hip_y - 1, 1.2, 9)
    limb(px, 33, hip_y, legs[1][0], 10, legs[1][0] - legs[1][1], 10, 2.8, 4, 9)
    paint_ellipse(px, 33, neck_y - 5, 7, 7, 3)
    paint_capsule(px, 34, neck_y - 6, 39, neck_y - 6, 1.0, 1)
    paint_ellipse(px, 30, neck_y - 11, 4, 2, 5)
    hx, hy = limb(px, 33, neck_y + 3, arm_front, 8, arm_front + 0.5, 7, 2.3, 3, 2)
    if sword is not None:
        tip_x, tip_y = hx + 22 * math.sin(sword + 0.5), hy + 22 * math.cos(sword + 0.5)
        paint_capsule(px, hx, hy, tip_x, tip_y, 1.3, 10)
        paint_capsule(px, hx - 3 * math.cos(sword), hy + 3 * math.sin(sword),
                      hx + 3 * math.cos(sword), hy - 3 * math.sin(sword), 1.2, 11)
    else:
        paint_ellipse(px, 39, hip_y - 8, 5, 7, 12)
        paint_ellipse(px, 39, hip_y - 8, 2, 3, 11)
    # An outline around whatever is drawn.
    drawn = [row[:] for row in px]
    for y in range(KNIGHT_FRAME):
        for x in range(KNIGHT_FRAME):
            if drawn[y][x] == 0 and any(0 <= x + dx < 64 and 0 <= y + dy < 64 and drawn[y + dy][x + dx]
                                        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                px[y][x] = 1
    return px


def draw_knight_sheet():
    frames = [knight_frame(walk_phase=i / WALK_FRAMES) for i in range(WALK_FRAMES)]
    frames += [knight_frame(swing=i / (len(ATTACK_DURATIONS) - 1)) for i in range(len(ATTACK_DURATIONS))]
    rows = (len(frames) + KNIGHT_COLUMNS - 1) // KNIGHT_COLUMNS
    px = sheet(KNIGHT_FRAME * KNIGHT_COLUMNS, KNIGHT_FRAME * rows)
    records = []
    for i, frame in enumerate(frames):
        x, y = KNIGHT_FRAME * (i % KNIGHT_COLUMNS), KNIGHT_FRAME * (i // KNIGHT_COLUMNS)
        for fy in range(KNIGHT_FRAME):
            px[y + fy][x:x + KNIGHT_FRAME] = frame[fy]
        duration = WALK_DURATION if i < WALK_FRAMES else ATTACK_DURATIONS[i - WALK_FRAMES]
        records.append(
            '    { "filename": "knight %d.aseprite", "frame": { "x": %d, "y": %d, "w": 64, "h": 64 }, '
            '"rotated": false, "trimmed": false, "spriteSourceSize": { "x": 0, "y": 0, "w": 64, "h": 64 }, '
            '"sourceSize": { "w": 64, "h": 64 }, "duration": %d }' % (i, x, y, duration))
    write_bmp("knight.bmp", px, KNIGHT_PALETTE)
    last = len(frames) - 1
    with open("knight.json", "w") as f:
        f.write('{ "frames": [\n' + ",\n".join(records) + "\n ],\n")
        f.write(' "meta": {\n  "app": "https://www.aseprite.org/",\n  "version": "1.3.7",\n'
                '  "image": "knight.bmp",\n  "format": "I8",\n'
                '  "size": { "w": %d, "h": %d },\n  "scale": "1",\n' % (len(px[0]), len(px)))
        f.write('  "frameTags": [\n'
                '   { "name": "walk", "from": 0, "to": %d, "direction": "forward", "color": "#000000ff" },\n'
                '   { "name": "attack", "from": %d, "to": %d, "direction": "forward", "color": "#000000ff" }\n'
                '  ],\n' % (WALK_FRAMES - 1, WALK_FRAMES, last))
        f.write('  "layers": [\n   { "name": "Layer 1", "opacity": 255, "blendMode": "normal" }\n  ],\n'
                '  "slices": [\n   { "name": "feet", "color": "#0000ffff", "keys": [{ "frame": 0, '
                '"bounds": {"x": 0, "y": 0, "w": 64, "h": 64 }, "pivot": {"x": 32, "y": 58 } }] }\n  ]\n'
                ' }\n}\n')


def write_bmp(name, px, palette=None):
    height, width = len(px), len(px[0])
    row_size = (width + 3) // 4 * 4
    pixels = b"".join(bytes(px[y]) + bytes(row_size - width) for y in reversed(range(height)))
    offset = 14 + 40 + 4 * 256
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    palette = palette or PALETTE
    palette = palette + [(0, 0, 0)] * (256 - len(palette))
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
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
    put(items, item, 16 * i, 0)
put(items, CHEST, 0, 16)
write_bmp("items.bmp", items, PALETTE[16:32])

boss = sheet(64, 64)
put(boss, boss_left_half(), 0, 0)
put(boss, boss_left_half(), 32, 0, hflip=True)
write_bmp("boss.bmp", boss, PALETTE[240:256])

hud = sheet(8 * (len(HEARTS) + len(DIGITS)), 8)
for i, piece in enumerate(HEARTS + DIGITS):
    put(hud, piece, 8 * i, 0)
write_bmp("hud.bmp", hud, HUD_PALETTE)

draw_knight_sheet()
