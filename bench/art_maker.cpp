#include "art_maker.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <vector>

#include "common/console.h"
#include "random_bits.h"
#include "support/sheet_writer.h"

namespace pixcell::bench {

namespace {

constexpr std::int32_t kSheetWidth = 2048;
constexpr std::int32_t kGrid = 16;  // sprites are laid on the sheet on 16-pixel steps

// Whether pixel (u, v) of a w x h picture is inside its outline.
using Outline = std::function<bool(std::int32_t u, std::int32_t v)>;

Outline ellipse(std::int32_t w, std::int32_t h) {
    return [w, h](std::int32_t u, std::int32_t v) {
        const double x = (2.0 * u + 1 - w) / w;
        const double y = (2.0 * v + 1 - h) / h;
        return x * x + y * y <= 1.0;
    };
}

// A rectangle with its corners cut off `corner` pixels along each edge.
Outline octagon(std::int32_t w, std::int32_t h, std::int32_t corner) {
    return [w, h, corner](std::int32_t u, std::int32_t v) {
        const std::int32_t dx = std::min(u, w - 1 - u);
        const std::int32_t dy = std::min(v, h - 1 - v);
        return dx + dy >= corner;
    };
}

Outline diamond(std::int32_t w, std::int32_t h) {
    return [w, h](std::int32_t u, std::int32_t v) {
        return std::abs(2 * u + 1 - w) * h + std::abs(2 * v + 1 - h) * w <= w * h;
    };
}

// A figure seen from the side or the front: a head, a body and two legs
// whose stride `step` (0..3) changes from frame to frame.
Outline figure(std::int32_t w, std::int32_t h, std::int32_t step, std::int32_t bob) {
    return [=](std::int32_t u, std::int32_t v) {
        v -= bob;
        const std::int32_t head = h * 3 / 8;
        if (v < 0) return false;
        if (v < head) return ellipse(w * 3 / 4, head)(u - w / 8, v);
        if (v < h * 3 / 4) return u >= 1 && u < w - 1;
        const std::int32_t spread = (step % 2 == 0 ? 1 : 3) * (v - h * 3 / 4) / 4;
        const std::int32_t centre = w / 2;
        return (u >= centre - 1 - spread - 3 && u < centre - 1 - spread) ||
               (u >= centre + 1 + spread && u < centre + 4 + spread);
    };
}

// The sheet being drawn, the description being written, and where the next
// sprite goes: rows of sprites of one height, left to right.
class Art {
public:
    explicit Art(std::uint64_t seed) : random{seed} { sheet.width = kSheetWidth; }

    // Room for a w x h picture, on the grid.
    std::pair<std::int32_t, std::int32_t> place(std::int32_t w, std::int32_t h) {
        w = (w + kGrid - 1) / kGrid * kGrid;
        h = (h + kGrid - 1) / kGrid * kGrid;
        if (shelf_x + w > kSheetWidth || h > shelf_height) {
            shelf_y += shelf_height;
            shelf_x = 0;
            shelf_height = h;
        }
        const std::pair<std::int32_t, std::int32_t> at{shelf_x, shelf_y};
        shelf_x += w;
        grow(shelf_y + shelf_height);
        return at;
    }

    // Paints the outline's inside at (x, y): an outline of colour 1, shading
    // from top to bottom and dithering by `seed`; with `mirrored`, the right
    // half is the left half mirrored.
    void paint(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, const Outline& inside,
               std::uint64_t seed, bool mirrored, std::int32_t row_from = 0, std::int32_t row_to = -1) {
        // The row from high bits of the seed, so that seeds a few apart, which
        // draw parts of one sprite, paint in one row.
        const std::uint8_t palette_row = static_cast<std::uint8_t>((seed >> 32) % 16 << 4);
        if (row_to < 0) row_to = h;
        for (std::int32_t v = row_from; v < row_to; ++v) {
            for (std::int32_t u = 0; u < w; ++u) {
                const std::int32_t su = mirrored && u >= (w + 1) / 2 ? w - 1 - u : u;
                if (!inside(su, v)) continue;
                const bool edge = !inside(su - 1, v) || !inside(su + 1, v) || !inside(su, v - 1) ||
                                  !inside(su, v + 1) || su == 0 || v == 0 || su == w - 1 || v == h - 1;
                std::uint64_t dither = seed * 0x9E3779B97F4A7C15ull + static_cast<std::uint64_t>(su * 131 + v * 7919);
                dither ^= dither >> 29;
                dither *= 0xBF58476D1CE4E5B9ull;
                dither ^= dither >> 32;
                const std::int32_t shade = 2 + v * 9 / h + static_cast<std::int32_t>(dither % 4);
                sheet.at(x + u, y + v) = static_cast<std::uint8_t>(palette_row | (edge ? 1 : std::min(shade, 15)));
            }
        }
    }

    // A copy of the w x h picture at (x, y) at (to_x, to_y), mirrored by `flip`.
    void copy(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t to_x, std::int32_t to_y,
              std::int32_t flip) {
        for (std::int32_t v = 0; v < h; ++v) {
            for (std::int32_t u = 0; u < w; ++u) {
                sheet.at(to_x + u, to_y + v) = sheet.at(x + ((flip & kFlipHorizontal) ? w - 1 - u : u),
                                                        y + ((flip & kFlipVertical) ? h - 1 - v : v));
            }
        }
    }

    // A sprite of one part of part_w x part_h, its w x h picture painted
    // (at_x, at_y) into it; the part's top-left corner.
    std::pair<std::int32_t, std::int32_t> sprite(const char* kind, std::int32_t part_w, std::int32_t part_h,
                                                 std::int32_t at_x, std::int32_t at_y, std::int32_t w, std::int32_t h,
                                                 const Outline& inside, std::uint64_t seed, bool mirrored) {
        const auto [x, y] = place(part_w, part_h);
        paint(x + at_x, y + at_y, w, h, inside, seed, mirrored);
        next_sprite();
        part(kind, x, y, part_w, part_h);
        return {x, y};
    }

    // An entry line: a new sprite's name, or "+" for a further part.
    void part(const char* kind, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, const char* flip = "") {
        const std::string name = new_sprite ? kind + std::to_string(counts.sprites) : "+";
        char line[160];
        std::snprintf(line, sizeof line, "%-12s %d,%d %dx%d %s\n", name.c_str(), x, y, w, h, flip);
        text += line;
        if (new_sprite) ++counts.sprites;
        new_sprite = false;
        ++counts.parts;
    }
    void next_sprite() { new_sprite = true; }

    std::uint64_t next() { return random.next(); }
    std::int32_t below(std::int32_t bound) {
        return static_cast<std::int32_t>(random.below(static_cast<std::uint32_t>(bound)));
    }

    testing::Sheet sheet;
    std::string text;
    ArtCounts counts;

private:
    void grow(std::int32_t height) {
        if (height <= sheet.height) return;
        sheet.pixels.resize(static_cast<std::size_t>(height) * kSheetWidth);
        sheet.height = height;
    }

    RandomBits random;
    std::int32_t shelf_x = kSheetWidth;
    std::int32_t shelf_y = 0;
    std::int32_t shelf_height = 0;
    bool new_sprite = true;
};

// Battle pictures: 64x64 parts, round or with their corner cells cut away,
// a third with mirrored halves.
void battle_pictures(Art& art, int count) {
    for (int i = 0; i < count; ++i) {
        const std::int32_t w = 52 + art.below(13);
        const std::int32_t h = 52 + art.below(13);
        const Outline outline = art.below(2) ? ellipse(w, h) : octagon(w, h, 14 + art.below(8));
        art.sprite("battle", 64, 64, (64 - w) / 2, 64 - h, w, h, outline, art.next(), art.below(3) == 0);
    }
}

// Walk cycles of four 16x32 frames: the head bobs a pixel on the frames
// between, so two frames share their top cell; each cycle listed again
// mirrored to walk the other way.
void walk_cycles(Art& art, int count) {
    for (int i = 0; i < count; ++i) {
        const std::uint64_t seed = art.next();
        const std::int32_t w = 11 + art.below(5);
        const std::int32_t h = 28 + art.below(4);
        std::int32_t xs[4], ys[4];
        for (int frame = 0; frame < 4; ++frame) {
            const auto [x, y] = art.place(16, 32);
            xs[frame] = x, ys[frame] = y;
            const std::int32_t bob = frame % 2;
            const Outline body = figure(w, h - 1, frame, bob);
            // The head and body from the cycle's seed, the legs from the frame's.
            art.paint(x + (16 - w) / 2, y + 32 - h, w, h, body, seed, false, 0, h * 3 / 4);
            art.paint(x + (16 - w) / 2, y + 32 - h, w, h, body, seed + 1 + static_cast<std::uint64_t>(frame), false,
                      h * 3 / 4, h);
        }
        for (const char* flip : {"", "h"}) {
            for (int frame = 0; frame < 4; ++frame) {
                art.next_sprite();
                art.part("walk", xs[frame], ys[frame], 16, 32, flip);
            }
        }
    }
}

// Sparks and bullets of 3x3 to 8x8 in 16x16 parts, in animations of six
// frames that grow and shrink, mostly centred.
void small_effects(Art& art, int count) {
    for (int i = 0; i < count; ++i) {
        const std::uint64_t seed = art.next();
        for (int frame = 0; frame < 6; ++frame) {
            const std::int32_t size = 3 + std::min(frame, 5 - frame) * 2 + art.below(2);
            const std::int32_t at = art.below(4) == 0 ? art.below(16 - size + 1) : (16 - size) / 2;
            const Outline outline = art.below(2) ? diamond(size, size) : ellipse(size, size);
            art.sprite("spark", 16, 16, at, at, size, size, outline, seed + static_cast<std::uint64_t>(frame), false);
        }
    }
}

// Icons filling most of a 16x16 cell, a third of them symmetric.
void icons(Art& art, int count) {
    for (int i = 0; i < count; ++i) {
        const std::int32_t w = 12 + art.below(5);
        const std::int32_t h = 12 + art.below(5);
        const Outline outline = art.below(2) ? octagon(w, h, 2 + art.below(3)) : ellipse(w, h);
        art.sprite("icon", 16, 16, (16 - w) / 2, (16 - h) / 2, w, h, outline, art.next(), art.below(3) == 0);
    }
}

// Front views with mirrored halves: 32x32 characters and 16x32 figures.
void mirrored_halves(Art& art, int count) {
    for (int i = 0; i < count; ++i) {
        const bool wide = art.below(4) != 0;
        const std::int32_t part_w = wide ? 32 : 16;
        const std::int32_t w = part_w - 2 * art.below(wide ? 4 : 2);
        const std::int32_t h = 24 + art.below(9);
        const Outline outline = art.below(2) ? figure(w, h, 0, 0) : octagon(w, h, 3 + art.below(6));
        art.sprite("front", part_w, 32, (part_w - w) / 2, 32 - h, w, h, outline, art.next(), true);
    }
}

// Side views of 32x32 in four frames, not symmetric; a third of the cycles
// drawn again facing the other way, as artists do who don't list a flip.
void side_views(Art& art, int count) {
    for (int i = 0; i < count; ++i) {
        const std::uint64_t seed = art.next();
        const std::int32_t w = 20 + art.below(12);
        const std::int32_t h = 22 + art.below(10);
        const bool facing_back = art.below(3) == 0;
        for (int frame = 0; frame < 4; ++frame) {
            const auto [x, y] =
                art.sprite("side", 32, 32, (32 - w) / 2 + frame % 2, 32 - h, w, h, figure(w, h, frame, frame % 2),
                           seed + static_cast<std::uint64_t>(frame), false);
            if (!facing_back) continue;
            const auto [back_x, back_y] = art.place(32, 32);
            art.copy(x, y, 32, 32, back_x, back_y, kFlipHorizontal);
            art.next_sprite();
            art.part("back", back_x, back_y, 32, 32);
        }
    }
}

// Sprites of several parts: a body with a weapon beside or over it, or two
// wings that are one drawing, the second mirrored.
void several_parts(Art& art, int count) {
    for (int i = 0; i < count; ++i) {
        const auto [x, y] = art.place(64, 32);
        const std::int32_t w = 22 + art.below(10);
        art.paint(x + (32 - w) / 2, y + 2, w, 30, octagon(w, 30, 4 + art.below(6)), art.next(), false);
        art.next_sprite();
        art.part("multi", x, y, 32, 32);
        if (art.below(2)) {
            const std::int32_t length = 10 + art.below(20);
            art.paint(x + 32, y + 8 + art.below(8), length, 4 + art.below(5), diamond(length, 8), art.next(), false);
            art.part("", x + 32, y, 32, 16);
        } else {
            const std::int32_t span = 10 + art.below(6);
            art.paint(x + 32 + 16 - span, y + 4, span, 20, ellipse(span * 2, 20), art.next(), false);
            art.part("", x + 32, y, 16, 32);
            art.part("", x + 32, y, 16, 32, "h");
        }
    }
}

// Explosions, beams and puffs of sizes off the 16-pixel steps, in frames
// that grow.
void odd_effects(Art& art, int count) {
    for (int i = 0; i < count; ++i) {
        const std::uint64_t seed = art.next();
        const int kind = art.below(3);
        for (int frame = 0; frame < 4; ++frame) {
            const std::uint64_t frame_seed = seed + static_cast<std::uint64_t>(frame);
            if (kind == 0) {  // explosions of 12 to 44 in parts of 48
                const std::int32_t size = 12 + frame * 8 + art.below(5);
                art.sprite("boom", 48, 48, (48 - size) / 2, (48 - size) / 2, size, size, ellipse(size, size),
                           frame_seed, art.below(2) == 0);
            } else if (kind == 1) {  // beams of up to 48x8
                const std::int32_t length = 20 + frame * 8 + art.below(5);
                const std::int32_t width = 4 + art.below(5);
                art.sprite("beam", 64, 16, 0, (16 - width) / 2, length, width, diamond(length, width), frame_seed,
                           false);
            } else {  // puffs of 10 to 28 in parts of 32
                const std::int32_t w = 10 + frame * 6 + art.below(3);
                const std::int32_t h = 8 + frame * 5 + art.below(3);
                art.sprite("puff", 32, 32, (32 - w) / 2, 32 - h, w, h, ellipse(w, h), frame_seed, false);
            }
        }
    }
}

// A few large pictures: bosses of 96x96 and a 320x224 title picture.
void large_pictures(Art& art, int count) {
    for (int i = 0; i < count; ++i) {
        const std::int32_t size = 80 + art.below(17);
        art.sprite("boss", 96, 96, (96 - size) / 2, 96 - size, size, size, octagon(size, size, 20 + art.below(16)),
                   art.next(), art.below(2) == 0);
    }
    const auto [x, y] = art.place(320, 224);
    art.paint(x, y + 40, 320, 184, octagon(320, 184, 60), art.next(), false);
    art.paint(x + 100, y, 120, 64, ellipse(120, 64), art.next(), false);
    art.next_sprite();
    art.part("title", x, y, 320, 224);
}

bool write_bytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (file) return true;
    std::fprintf(stderr, "Error: Can't write file '%s'\n", path.c_str());
    return false;
}

}  // namespace

std::optional<ArtCounts> write_art(const std::string& dir, const std::string& stem, std::uint64_t seed) {
    Art art(seed);
    battle_pictures(art, 220);
    walk_cycles(art, 90);
    small_effects(art, 40);
    icons(art, 200);
    mirrored_halves(art, 400);
    side_views(art, 110);
    several_parts(art, 180);
    odd_effects(art, 90);
    large_pictures(art, 16);
    const std::vector<std::uint8_t> bmp = testing::bmp_bytes(art.sheet);
    if (!write_bytes(dir + "/" + stem + ".bmp", std::string(bmp.begin(), bmp.end()))) return std::nullopt;
    if (!write_bytes(dir + "/" + stem + ".txt", "// Art for covers with objects\n*" + stem + ".bmp\n" + art.text))
        return std::nullopt;
    return art.counts;
}

}  // namespace pixcell::bench
