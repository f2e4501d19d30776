// Random sheets and sprite lists are covered with objects in each way of
// covering; the tiles are read back into pixels and every sprite is
// compared with what its parts' cells show.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "objects_test_support.h"
#include "output_test_support.h"

namespace pixcell {
namespace {

using objects_test::LoadedSheet;
using output_test::make_object;
using output_test::make_part;
using testing::Sheet;

// Blobs of one picture in random flips, noise, pixels whose low nibble is 0
// and blank space, at any position (not only on 16-pixel steps).
Sheet random_sheet(std::mt19937& random) {
    std::uniform_int_distribution<int> side(1, 140);
    std::uniform_int_distribution<int> byte(0, 255);
    Sheet sheet(side(random), side(random));
    std::vector<std::uint8_t> picture(24 * 24);
    for (auto& p : picture) p = byte(random) % 4 == 0 ? 0 : static_cast<std::uint8_t>(byte(random));
    for (int blob = byte(random) % 12; blob > 0; --blob) {
        const int w = 1 + byte(random) % 24, h = 1 + byte(random) % 24, flip = byte(random) % 4;
        const int x = byte(random) % sheet.width, y = byte(random) % sheet.height;
        const bool noise = byte(random) % 4 == 0;
        for (int v = 0; v < h && y + v < sheet.height; ++v) {
            for (int u = 0; u < w && x + u < sheet.width; ++u) {
                const int pu = (flip & 1) ? w - 1 - u : u, pv = (flip & 2) ? h - 1 - v : v;
                sheet.at(x + u, y + v) = noise ? static_cast<std::uint8_t>(byte(random)) : picture[pv * 24 + pu];
            }
        }
    }
    return sheet;
}

SpritePart random_part(std::mt19937& random, const Sheet& sheet) {
    std::uniform_int_distribution<int> any(0, 1 << 20);
    const auto within = [&](int low, int high) { return low + any(random) % (high - low + 1); };
    // Sizes of no cell, of one, and up to a few more than the sheet holds.
    return make_part(within(-40, sheet.width + 8), within(-40, sheet.height + 8), within(-16, 96), within(-16, 96),
                     within(-40, 40), within(-40, 40), within(0, 7));
}

// Each stored picture is stored once: no two differ only by a flip.
std::size_t distinct_pictures(const ObjectConversion& covered) {
    std::set<std::pair<std::int32_t, std::vector<int>>> seen;
    for (const PlacedObject& object : covered.objects) {
        const ObjectShape& size = kObjectShapes[static_cast<std::size_t>(object.shape)];
        std::vector<int> least;
        for (int flip = 0; flip < 4; ++flip) {
            std::vector<int> pixels;
            for (int b = 0; b < size.height; ++b) {
                for (int a = 0; a < size.width; ++a) {
                    pixels.push_back(objects_test::picture_pixel(covered.tiles, object,
                                                                 (flip & 1) ? size.width - 1 - a : a,
                                                                 (flip & 2) ? size.height - 1 - b : b));
                }
            }
            if (flip == 0 || pixels < least) least = pixels;
        }
        seen.emplace(object.shape, least);
    }
    return seen.size();
}

// A sheet of a few distinct cells on the cells' grid, repeated, mirrored
// and left out in every arrangement, as the benchmark's sheet is: no
// picture larger than a cell repeats, so the fewest tile bytes are the
// cells' own.
Sheet repeated_cells_sheet(std::mt19937& random) {
    Sheet sheet(128, 64);
    std::vector<std::uint8_t> cells(4 * 256);
    for (auto& p : cells) p = static_cast<std::uint8_t>(1 + random() % 15);
    for (int cy = 0; cy < 4; ++cy) {
        for (int cx = 0; cx < 8; ++cx) {
            const int cell = static_cast<int>(random() % 5), flip = static_cast<int>(random() % 4);
            if (cell == 4) continue;  // an empty cell
            for (int v = 0; v < 16; ++v) {
                for (int u = 0; u < 16; ++u) {
                    const int pu = (flip & 1) ? 15 - u : u, pv = (flip & 2) ? 15 - v : v;
                    sheet.at(16 * cx + u, 16 * cy + v) = cells[static_cast<std::size_t>(cell * 256 + pv * 16 + pu)];
                }
            }
        }
    }
    return sheet;
}

// Streamed, each sprite read from its own block shows its cells, every
// tile of the block shown and each of its pictures there once; blocks laid
// out apart differ in their bytes or in the pictures their objects cut them
// into.
void check_stream_layout(const ObjectConversion& streamed, const SpriteList& list, const Conversion& conversion,
                         const Sheet& sheet, const std::string& where) {
    ASSERT_TRUE(streamed.stream) << where;
    using Block = std::pair<std::vector<Tile>, std::set<std::pair<std::int32_t, std::int32_t>>>;  // (tile, shape)s
    std::map<std::uint32_t, Block> laid_out;  // by first tile
    std::uint32_t most = 0;
    for (std::size_t s = 0; s < streamed.sprites.size(); ++s) {
        const SpriteBlock block = streamed.stream->blocks[s];
        ObjectConversion alone;  // the sprite as a game sees it, with its block in a slot at tile 0
        alone.tiles.assign(streamed.tiles.begin() + block.first_tile,
                           streamed.tiles.begin() + block.first_tile + block.tiles);
        const ObjectSprite& sprite = streamed.sprites[s];
        alone.objects.assign(streamed.objects.begin() + static_cast<std::ptrdiff_t>(sprite.first),
                             streamed.objects.begin() + static_cast<std::ptrdiff_t>(sprite.first + sprite.count));
        std::vector<char> shown(block.tiles, 0);
        for (const PlacedObject& object : alone.objects) {
            const auto first = static_cast<std::size_t>(object.tile);
            ASSERT_LE(first + static_cast<std::size_t>(object_tiles(static_cast<std::size_t>(object.shape))),
                      shown.size()) << where;
            std::fill_n(shown.begin() + static_cast<std::ptrdiff_t>(first), object_tiles(static_cast<std::size_t>(object.shape)), 1);
        }
        EXPECT_EQ(std::count(shown.begin(), shown.end(), 0), 0) << where << ", sprite " << s;
        EXPECT_EQ(objects_test::object_pixels(alone, {0, alone.objects.size()}),
                  objects_test::distinct(sprite_test::cut_pixels(list[conversion.sprites[s].sprite].parts, sheet)))
            << where << ", sprite " << s;
        std::set<std::int32_t> firsts;
        for (const PlacedObject& object : alone.objects) firsts.insert(object.tile);
        EXPECT_EQ(distinct_pictures(alone), firsts.size()) << where << ", sprite " << s;
        Block& laid = laid_out[block.first_tile];
        laid.first = objects_test::tile_values(alone);
        for (const PlacedObject& object : alone.objects) laid.second.emplace(object.tile, object.shape);
        most = std::max(most, block.tiles);
    }
    std::set<Block> blocks;
    for (const auto& [first, laid] : laid_out) {
        if (laid.first.empty()) continue;
        EXPECT_TRUE(blocks.insert(laid).second) << where << ", block at " << first;
    }
    EXPECT_EQ(streamed.stream->most_tiles, most) << where;
}

TEST(ObjectRoundTrip, EverySpriteShowsWhatItsCellsShow) {
    std::mt19937 random(25);
    for (int round = 0; round < 60; ++round) {
        const bool repeated = round % 4 == 3;
        const Sheet sheet = repeated ? repeated_cells_sheet(random) : random_sheet(random);
        const LoadedSheet loaded(sheet);
        SpriteList list;
        if (repeated) {
            for (int y = 0; y < 64; y += 32) {
                for (int x = 0; x < 128; x += 32) {
                    list.push_back(make_object("s", loaded.name, {make_part(x, y, 32, 32, 16, 16, round % 4)}));
                }
            }
        }
        for (int s = repeated ? 0 : 1 + static_cast<int>(random() % 6); s > 0; --s) {
            std::vector<SpritePart> parts;
            for (int p = 1 + static_cast<int>(random() % 3); p > 0; --p) parts.push_back(random_part(random, sheet));
            list.push_back(make_object("s", loaded.name, parts));
        }
        list.push_back(make_object("missing", loaded.dir.file("missing.bmp"), {make_part(0, 0, 16, 16, 0, 0)}));
        const Conversion conversion = convert(list, loaded.sheets);
        for (const ObjectCost& cost : {kFewestObjects, kBalanced, kFewestTileBytes}) {
            const ObjectConversion covered = cover_sprites(list, conversion, loaded.sheets, cost);
            const std::string where =
                "round " + std::to_string(round) + ", objects cost " + std::to_string(cost.per_object);
            ASSERT_EQ(covered.sprites.size(), conversion.sprites.size()) << where;
            std::int64_t objects = 0, most = 0;
            std::set<std::int32_t> firsts;
            std::int64_t tiles = 0;
            for (std::size_t s = 0; s < covered.sprites.size(); ++s) {
                const ObjectSprite& sprite = covered.sprites[s];
                EXPECT_EQ(sprite.first, static_cast<std::size_t>(objects)) << where;
                EXPECT_LE(sprite.count, conversion.sprites[s].cell_count) << where << ", sprite " << s;
                EXPECT_EQ(
                    objects_test::object_pixels(covered, sprite),
                    objects_test::distinct(sprite_test::cut_pixels(list[conversion.sprites[s].sprite].parts, sheet)))
                    << where << ", sprite " << s;
                objects += static_cast<std::int64_t>(sprite.count);
                most = std::max(most, static_cast<std::int64_t>(sprite.count));
            }
            for (const PlacedObject& object : covered.objects) {
                if (firsts.insert(object.tile).second) tiles += object_tiles(static_cast<std::size_t>(object.shape));
            }
            EXPECT_EQ(covered.counts.objects, objects) << where;
            EXPECT_EQ(covered.counts.most_objects, most) << where;
            EXPECT_EQ(covered.counts.tiles, tiles) << where;
            EXPECT_EQ(covered.counts.tiles, static_cast<std::int64_t>(covered.tiles.size())) << where;
            EXPECT_EQ(covered.counts.bytes, 32 * tiles) << where;
            EXPECT_EQ(distinct_pictures(covered), firsts.size()) << where;
            if (repeated && cost.per_tile > cost.per_object) {
                EXPECT_LE(covered.counts.bytes, static_cast<std::int64_t>(conversion.cells.size() * kCellBytes))
                    << where;
            }
            check_stream_layout(cover_sprites(list, conversion, loaded.sheets, cost, true), list, conversion, sheet,
                                where + ", streamed");
        }
    }
}

// Enough parts for the stage to share them among threads: two runs give the
// same bytes, and each sprite gets the objects it gets covered alone (by
// one thread), but for which of its mirror images is stored.
TEST(ObjectRoundTrip, ThreadsChangeNothing) {
    std::mt19937 random(64);
    Sheet sheet(512, 256);
    for (int i = 0; i < 6; ++i) {
        const Sheet part = random_sheet(random);
        for (int y = 0; y < part.height && y + 100 < sheet.height; ++y) {
            for (int x = 0; x < part.width; ++x) sheet.at(x + 80 * i, y + 40 * (i % 2)) = part.at(x, y);
        }
    }
    const LoadedSheet loaded(sheet);
    SpriteList list;
    for (int s = 0; s < 60; ++s) {
        list.push_back(make_object("s", loaded.name, {random_part(random, sheet), random_part(random, sheet)}));
    }
    const Conversion conversion = convert(list, loaded.sheets);
    const ObjectConversion first = cover_sprites(list, conversion, loaded.sheets, kBalanced);
    const ObjectConversion second = cover_sprites(list, conversion, loaded.sheets, kBalanced);
    const auto fields = [](const PlacedObject& o) { return std::tie(o.x_offset, o.y_offset, o.shape, o.flip, o.tile); };
    ASSERT_EQ(first.objects.size(), second.objects.size());
    for (std::size_t i = 0; i < first.objects.size(); ++i)
        EXPECT_EQ(fields(first.objects[i]), fields(second.objects[i]));
    EXPECT_EQ(objects_test::tile_values(first), objects_test::tile_values(second));
    for (std::size_t s = 0; s < list.size(); ++s) {
        const SpriteList alone = {list[s]};
        const ObjectConversion single = cover_sprites(alone, convert(alone, loaded.sheets), loaded.sheets, kBalanced);
        ASSERT_EQ(single.objects.size(), first.sprites[s].count) << "sprite " << s;
        for (std::size_t i = 0; i < single.objects.size(); ++i) {
            const PlacedObject& a = single.objects[i];
            const PlacedObject& b = first.objects[first.sprites[s].first + i];
            EXPECT_EQ(std::tie(a.x_offset, a.y_offset, a.shape), std::tie(b.x_offset, b.y_offset, b.shape));
        }
    }
}

}  // namespace
}  // namespace pixcell
