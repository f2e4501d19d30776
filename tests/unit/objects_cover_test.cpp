// Covers whose best answer is known, in each of the three ways of covering.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "objects_test_support.h"
#include "output_test_support.h"

namespace pixcell {
namespace {

using objects_test::LoadedSheet;
using output_test::make_object;
using output_test::make_part;
using testing::Sheet;

// A picture no mirror image of which equals it: colours 1..15 in a pattern
// that runs differently along each axis, with pixels 0 where `holes`.
void paint(Sheet& sheet, int x, int y, int width, int height, bool holes = false) {
    for (int v = 0; v < height; ++v) {
        for (int u = 0; u < width; ++u) {
            const bool hole = holes && (u * 5 + v * 3) % 7 == 0 && u > 0 && v > 0 && u < width - 1;
            sheet.at(x + u, y + v) = hole ? 0x30 : static_cast<std::uint8_t>(0x20 | ((u * 3 + v * v + u * v) % 15 + 1));
        }
    }
}

// The picture at (x, y) copied to (to_x, to_y), mirrored by `flip`.
void copy_mirrored(Sheet& sheet, int x, int y, int width, int height, int to_x, int to_y, int flip) {
    for (int v = 0; v < height; ++v) {
        for (int u = 0; u < width; ++u) {
            sheet.at(to_x + u, to_y + v) =
                sheet.at(x + ((flip & 1) ? width - 1 - u : u), y + ((flip & 2) ? height - 1 - v : v));
        }
    }
}

struct Expected {
    std::int64_t objects;
    std::int64_t tiles;
};

struct KnownCover {
    const char* name;
    std::function<void(Sheet&)> draw;  // on a 128x128 sheet
    std::vector<std::vector<SpritePart>> sprites;
    Expected fewest, balanced, bytes;  // for all the sprites together
    std::vector<std::int32_t> shapes;  // of the balanced cover, in order, when fixed
};

const std::vector<KnownCover>& known_covers() {
    // A case a few lines, its answers on one.
    // clang-format off
    static const std::vector<KnownCover> cases = {
        {"a 64x64 picture is one object", [](Sheet& s) { paint(s, 0, 0, 64, 64); },
         {{make_part(0, 0, 64, 64, 32, 32)}}, {1, 64}, {1, 64}, {1, 64}, {3}},
        {"an 8x8 dot inside a cell is one 8x8 object", [](Sheet& s) { paint(s, 20, 36, 8, 8); },
         {{make_part(16, 32, 16, 16, 0, 0)}}, {1, 1}, {1, 1}, {1, 1}, {0}},
        // Its lower cell is its first again: as cells, the fewest tiles.
        {"an L of three cells", [](Sheet& s) { paint(s, 0, 0, 32, 16), paint(s, 0, 16, 16, 16); },
         {{make_part(0, 0, 32, 32, 0, 0)}}, {1, 16}, {1, 16}, {3, 8}, {2}},
        {"a walking frame of 16x32", [](Sheet& s) { paint(s, 2, 1, 12, 30, true); },
         {{make_part(0, 0, 16, 32, 8, 32)}}, {1, 8}, {1, 8}, {1, 8}, {10}},
        {"halves mirrored about the middle share their tiles",
         [](Sheet& s) { paint(s, 0, 0, 32, 64, true), copy_mirrored(s, 0, 0, 32, 64, 32, 0, 1); },
         {{make_part(0, 0, 64, 64, 32, 32)}}, {1, 64}, {2, 32}, {2, 32}, {11, 11}},
        {"a picture and its mirror images share tiles",
         [](Sheet& s) {
             paint(s, 3, 5, 13, 21, true);
             for (int flip = 1; flip < 4; ++flip) copy_mirrored(s, 3, 5, 13, 21, 32 * flip + 7, 40, flip);
         },
         {{make_part(0, 0, 32, 32, 0, 0)},
          {make_part(32, 32, 32, 32, 0, 0)},
          {make_part(64, 32, 32, 32, 0, 0, 1)},
          {make_part(96, 32, 32, 32, 0, 0, 2)}},
         {4, 8}, {4, 8}, {8, 6}, {}},
        {"two parts, one off the sheet and one of no cells, show nothing",
         [](Sheet& s) { paint(s, 0, 0, 128, 128); },
         {{make_part(-64, 0, 64, 64, 0, 0), make_part(0, 0, 15, 64, 0, 0)}}, {0, 0}, {0, 0}, {0, 0}, {}},
    };
    // clang-format on
    return cases;
}

TEST(ObjectCover, KnownCovers) {
    for (const KnownCover& known : known_covers()) {
        Sheet sheet(128, 128);
        known.draw(sheet);
        const LoadedSheet loaded(sheet);
        SpriteList list;
        for (const std::vector<SpritePart>& parts : known.sprites) list.push_back(make_object("s", loaded.name, parts));
        const Conversion conversion = convert(list, loaded.sheets);
        const std::pair<ObjectCost, Expected> modes[] = {
            {kFewestObjects, known.fewest}, {kBalanced, known.balanced}, {kFewestTileBytes, known.bytes}};
        for (const auto& [cost, expected] : modes) {
            const ObjectConversion covered = cover_sprites(list, conversion, loaded.sheets, cost);
            const auto mode = "\n  " + std::string(known.name) + ", objects " + std::to_string(cost.per_object) +
                              " a tile " + std::to_string(cost.per_tile);
            EXPECT_EQ(covered.counts.objects, expected.objects) << mode;
            EXPECT_EQ(covered.counts.tiles, expected.tiles) << mode;
            ASSERT_EQ(covered.sprites.size(), list.size());
            for (std::size_t s = 0; s < list.size(); ++s) {
                EXPECT_EQ(objects_test::object_pixels(covered, covered.sprites[s]),
                          objects_test::distinct(sprite_test::cut_pixels(list[s].parts, sheet)))
                    << mode << ", sprite " << s;
            }
            if (cost.per_object != kBalanced.per_object || known.shapes.empty()) continue;
            std::vector<std::int32_t> shapes;
            for (const PlacedObject& object : covered.objects) shapes.push_back(object.shape);
            EXPECT_EQ(shapes, known.shapes) << mode;
        }
    }
}

// Streamed, each sprite's pictures are a block of its own, its objects'
// tiles counted from the block's first; a block of the same bytes as an
// earlier one is that one.
TEST(ObjectCover, KnownStreamLayouts) {
    struct KnownLayout {
        const char* name;
        std::function<void(Sheet&)> draw;
        std::vector<std::vector<SpritePart>> sprites;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> blocks;  // first tile, tiles
    };
    // clang-format off
    const KnownLayout cases[] = {
        {"a sprite of two mirrored halves stores one half",
         [](Sheet& s) { paint(s, 0, 0, 32, 64, true), copy_mirrored(s, 0, 0, 32, 64, 32, 0, 1); },
         {{make_part(0, 0, 64, 64, 32, 32)}}, {{0, 32}}},
        {"two identical frames share a block, and a block's tiles count from 0",
         [](Sheet& s) { paint(s, 0, 0, 64, 64), paint(s, 66, 1, 12, 30, true); },
         {{make_part(64, 0, 16, 32, 8, 32)}, {make_part(0, 0, 64, 64, 32, 32)}, {make_part(64, 0, 16, 32, 8, 32)}},
         {{0, 8}, {8, 64}, {0, 8}}},
        {"a picture is stored as the least of its mirror images: a sprite and its mirror image share",
         [](Sheet& s) { paint(s, 4, 4, 8, 8), copy_mirrored(s, 4, 4, 8, 8, 20, 4, 3), paint(s, 40, 40, 8, 8, true); },
         {{make_part(0, 0, 16, 16, 0, 0)}, {make_part(16, 0, 16, 16, 0, 0)},
          {make_part(16, 0, 16, 16, 0, 0), make_part(32, 32, 16, 16, 0, 0), make_part(0, 0, 16, 16, 0, 0)}},
         {{0, 1}, {0, 1}, {1, 2}}},
    };
    // clang-format on
    for (const KnownLayout& known : cases) {
        Sheet sheet(128, 128);
        known.draw(sheet);
        const LoadedSheet loaded(sheet);
        SpriteList list;
        for (const std::vector<SpritePart>& parts : known.sprites) list.push_back(make_object("s", loaded.name, parts));
        const Conversion conversion = convert(list, loaded.sheets);
        const ObjectConversion covered = cover_sprites(list, conversion, loaded.sheets, kBalanced, true);
        ASSERT_TRUE(covered.stream) << known.name;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> blocks;
        std::uint32_t past = 0;
        for (std::size_t s = 0; s < list.size(); ++s) {
            const SpriteBlock block = covered.stream->blocks[s];
            blocks.emplace_back(block.first_tile, block.tiles);
            past = std::max(past, block.first_tile + block.tiles);
            // The block's own tiles, every one shown: the objects start at its
            // first and end at its last.
            std::int32_t lowest = INT32_MAX, end = 0;
            const ObjectSprite& sprite = covered.sprites[s];
            for (std::size_t i = sprite.first; i < sprite.first + sprite.count; ++i) {
                const PlacedObject& object = covered.objects[i];
                lowest = std::min(lowest, object.tile);
                end = std::max(end, object.tile + object_tiles(static_cast<std::size_t>(object.shape)));
            }
            EXPECT_EQ(lowest, 0) << known.name << ", sprite " << s;
            EXPECT_EQ(end, static_cast<std::int32_t>(block.tiles)) << known.name << ", sprite " << s;
        }
        EXPECT_EQ(blocks, known.blocks) << known.name;
        EXPECT_EQ(covered.tiles.size(), past) << known.name;
        EXPECT_EQ(covered.counts.tiles, static_cast<std::int64_t>(past)) << known.name;
    }
}

// The 8x8 dot's object lies where the dot does, from the origin; mirrored
// with the part, it lies mirrored about the origin and shows its picture
// mirrored.
TEST(ObjectCover, OffsetsAndFlipsFollowThePart) {
    Sheet sheet(32, 32);
    paint(sheet, 20, 4, 8, 8);
    const LoadedSheet loaded(sheet);
    const SpriteList list = {make_object("plain", loaded.name, {make_part(16, 0, 16, 16, 3, 5)}),
                             make_object("turned", loaded.name, {make_part(16, 0, 16, 16, 3, 5, 3)})};
    const ObjectConversion covered = cover_sprites(list, convert(list, loaded.sheets), loaded.sheets, kBalanced);
    ASSERT_EQ(covered.objects.size(), 2u);
    const PlacedObject& plain = covered.objects[0];
    const PlacedObject& turned = covered.objects[1];
    EXPECT_EQ(std::make_tuple(plain.x_offset, plain.y_offset, plain.shape, plain.flip, plain.tile),
              std::make_tuple(4 - 3, 4 - 5, 0, 0, 0));
    EXPECT_EQ(std::make_tuple(turned.x_offset, turned.y_offset, turned.shape, turned.flip, turned.tile),
              std::make_tuple(3 - 4 - 8, 5 - 4 - 8, 0, 3, 0));
    EXPECT_EQ(object_attribute0(0), 0x0000);
    EXPECT_EQ(object_attribute1(0, 3), 0x3000);
    EXPECT_EQ(object_attribute0(11), 0x8000);
    EXPECT_EQ(object_attribute1(11, 1), 0xD000);
}

// Only the cells on the sheet count, however far the part reaches past it:
// a part of 2^31 - 16 pixels each way is covered as the sheet-sized one,
// and one that ends left of the sheet shows nothing.
TEST(ObjectCover, APartFarLargerThanItsSheetIsCoveredAsItsCellsOnIt) {
    Sheet sheet(100, 90);
    paint(sheet, 5, 7, 90, 75, true);
    const LoadedSheet loaded(sheet);
    const SpriteList list = {make_object("huge", loaded.name, {make_part(0, 0, 2147483632, 2147483632, 0, 0)}),
                             make_object("sheet", loaded.name, {make_part(0, 0, 112, 96, 0, 0)}),
                             make_object("left", loaded.name, {make_part(-2147483647 - 1, 0, 2147483632, 64, 0, 0)})};
    const ObjectConversion covered = cover_sprites(list, convert(list, loaded.sheets), loaded.sheets, kBalanced);
    ASSERT_EQ(covered.sprites.size(), 3u);
    const ObjectSprite& huge = covered.sprites[0];
    const ObjectSprite& whole = covered.sprites[1];
    ASSERT_EQ(huge.count, whole.count);
    EXPECT_GT(huge.count, 1u);
    for (std::size_t i = 0; i < huge.count; ++i) {
        const PlacedObject& a = covered.objects[huge.first + i];
        const PlacedObject& b = covered.objects[whole.first + i];
        EXPECT_EQ(std::tie(a.x_offset, a.y_offset, a.shape, a.flip, a.tile),
                  std::tie(b.x_offset, b.y_offset, b.shape, b.flip, b.tile));
    }
    EXPECT_EQ(covered.sprites[2].count, 0u);
}

}  // namespace
}  // namespace pixcell
