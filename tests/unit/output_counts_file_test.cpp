// Reading back a counts header for --after: what render_counts writes reads
// back as where its description ends, and nothing else is taken for one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "colours/indexed_rows.h"
#include "output/counts_file.h"
#include "output/counts_text.h"

namespace pixcell {
namespace {

TEST(CountsFile, ReadsBackWhatTheWriterWrites) {
    Conversion conversion;
    for (int i = 0; i < 3; ++i) conversion.cells.push_back(Cell{});
    ConvertedSprite sprite;
    sprite.cell_count = 2;
    for (const std::int32_t row : {4, 6}) {
        sprite.palette_row = row;
        conversion.sprites.push_back(sprite);
    }
    // With --compress too: its sizes are defines of the header.
    CompressedTiles compressed;
    compressed.arrays.push_back(*compress_array("_chr_cmp", Bytes(96, 7), CompressFormat::lz77));
    compressed.blocks.push_back(*compress_array("_block", Bytes(64, 1), CompressFormat::run_length));
    compressed.sprite_blocks = {0, -1};
    for (const CompressedTiles* with : std::vector<const CompressedTiles*>{nullptr, &compressed}) {
        const CountsRead read = read_counts_text(render_counts(conversion, "hero", {4, 100}, 12, with));
        ASSERT_TRUE(read.valid) << read.problem;
        EXPECT_EQ(read.end.end_row, 7);
        EXPECT_EQ(read.end.end_tile, 112);
    }
}

TEST(CountsFile, TakesNothingElse) {
    const std::string head = "#ifndef a_COUNTS_H\n#define a_COUNTS_H\n";
    const std::string rows = "#define a_FIRST_ROW 2\t/* x */\n#define a_ROW_COUNT 1\n";
    const std::string tiles = "#define a_END_TILE 9\t/* y */\n";
    const std::string tail = "#endif\n";
    struct Case {
        std::string text;
        std::int64_t line;  // 0: read
        const char* problem;
    };
    const Case cases[] = {
        {head + rows + tiles + tail, 0, ""},
        {"#ifndef a_H\n" + head.substr(12) + rows + tiles + tail, 1, "include guard"},
        {head + rows + "#define b_END_TILE 9\n" + tail, 5, "isn't a #define of a_"},
        {head + rows + tiles + "#define a_SPEED 3\n" + tail, 6, "a_SPEED isn't one of its #defines"},
        {head + rows + tiles + tiles + tail, 6, "defined twice"},
        {head + rows + "#define a_END_TILE -9\n" + tail, 5, "isn't a whole number"},
        {head + rows + "#define a_END_TILE 9 /* y */\n" + tail, 5, "isn't a whole number"},
        {head + rows + "#define a_END_TILE 9\t/* y */ + 1\n" + tail, 5, "more than a comment"},
        {head + rows + tail, 5, "lacks a_END_TILE"},
        {head + rows + tiles, 5, "doesn't end with #endif"},
        {head + rows + tiles + "#endif", 6, "no line end"},
        {head + rows + tiles + "\n" + tail, 6, "isn't a #define"},
    };
    for (const Case& c : cases) {
        const CountsRead read = read_counts_text(c.text);
        EXPECT_EQ(read.valid, c.line == 0) << c.text;
        EXPECT_EQ(read.line, c.line) << c.text;
        EXPECT_NE(read.problem.find(c.problem), std::string::npos) << read.problem;
    }
}

TEST(IndexedRows, FreeRowsAreTheLowestRunClearOfTheUsed) {
    struct Case {
        std::uint32_t used;
        std::size_t first, count;
        int start;  // -1: none
    };
    const Case cases[] = {
        {0, 0, 1, 0},        {0b1, 0, 1, 1},      {0b1, 3, 2, 3}, {0b1010, 0, 2, 4}, {0b1010, 0, 1, 0},
        {0x7FFF, 0, 1, 15},  {0xFFFF, 0, 1, -1},  {0, 14, 2, 14}, {0, 15, 2, -1},    {0b0101'0101'0101'0101, 0, 2, -1},
        {0x8000, 12, 3, 12}, {0x8000, 13, 3, -1},
    };
    for (const Case& c : cases) {
        const std::optional<std::size_t> start = free_rows(c.used, c.first, c.count);
        EXPECT_EQ(start ? static_cast<int>(*start) : -1, c.start) << c.used << " " << c.first << " " << c.count;
    }
}

}  // namespace
}  // namespace pixcell
