// Packing of pixels into the console's tile layout, the mirror variants, and the CRC.
#include <gtest/gtest.h>

#include <random>

#include "cells/cell_pattern.h"
#include "cells_test_support.h"

namespace pixcell {
namespace {

using cells_test::cell_pixel;

std::array<Tile, 4> blank_tiles() {
    std::array<Tile, 4> tiles{};
    return tiles;
}

TEST(CellPacking, RowPacksLeftmostPixelIntoLowNibble) {
    const std::uint8_t row[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    std::array<Tile, 4> tiles = blank_tiles();
    pack_tile_row(row, 0, tiles[0]);
    EXPECT_EQ(tiles[0][0], 0x4321);
    EXPECT_EQ(tiles[0][1], 0x8765);

    const CellPattern pattern = make_cell_pattern(tiles);
    const std::array<std::uint8_t, kCellBytes> bytes = cell_bytes(pattern.variant[0]);
    EXPECT_EQ(bytes[0], 0x21);
    EXPECT_EQ(bytes[1], 0x43);
    EXPECT_EQ(bytes[2], 0x65);
    EXPECT_EQ(bytes[3], 0x87);
    // Mirrored left-right, the row moves to the top-right quarter, reversed.
    EXPECT_EQ(pattern.variant[1][16], 0x5678);
    EXPECT_EQ(pattern.variant[1][17], 0x1234);
}

TEST(CellPacking, OnlyLowFourBitsOfAnIndexCount) {
    const std::uint8_t row[8] = {0x1F, 0x21, 0xF0, 0xFF, 0x10, 0x80, 0x0E, 0xE7};
    Tile tile{};
    pack_tile_row(row, 3, tile);
    EXPECT_EQ(tile[6], 0xF01F);
    EXPECT_EQ(tile[7], 0x7E00);
    for (std::size_t i = 0; i < tile.size(); ++i) {
        if (i != 6 && i != 7) {
            EXPECT_EQ(tile[i], 0) << "halfword " << i;
        }
    }
}

TEST(CellPacking, VariantsAreExactMirrorsOfTheWholeCell) {
    std::mt19937 random(7);
    std::uint8_t pixels[16][16];
    for (auto& row : pixels) {
        for (auto& p : row) p = static_cast<std::uint8_t>(random() & 0xFF);
    }
    std::array<Tile, 4> tiles{};
    for (int y = 0; y < 16; ++y) {
        pack_tile_row(&pixels[y][0], static_cast<std::size_t>(y % 8), tiles[static_cast<std::size_t>((y / 8) * 2)]);
        pack_tile_row(&pixels[y][8], static_cast<std::size_t>(y % 8), tiles[static_cast<std::size_t>((y / 8) * 2 + 1)]);
    }
    const CellPattern pattern = make_cell_pattern(tiles);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            SCOPED_TRACE(::testing::Message() << "pixel " << x << "," << y);
            EXPECT_EQ(cell_pixel(pattern.variant[0], x, y), pixels[y][x] & 0xF);
            EXPECT_EQ(cell_pixel(pattern.variant[1], x, y), pixels[y][15 - x] & 0xF);
            EXPECT_EQ(cell_pixel(pattern.variant[2], x, y), pixels[15 - y][x] & 0xF);
            EXPECT_EQ(cell_pixel(pattern.variant[3], x, y), pixels[15 - y][15 - x] & 0xF);
        }
    }
}

}  // namespace
}  // namespace pixcell
