// Loading sheets by name, files that can't be opened, and where each pixel
// is read from.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <utility>

#include "support/cell_store.h"
#include "cells_test_support.h"
#include "support/sheet_writer.h"
#include "support/temp_dir.h"

namespace pixcell {
namespace {

using testing::bmp_bytes;
using testing::Sheet;
using testing::write_bmp;
using testing::write_file;

struct LoadResult {
    bool loaded;
    std::string message;
};

LoadResult load_capturing(testing::CellStore& store, const std::string& name) {
    ::testing::internal::CaptureStderr();
    const bool loaded = store.load(name);
    return {loaded, ::testing::internal::GetCapturedStderr()};
}

class SheetStoreTest : public ::testing::Test {
protected:
    std::string sheet_file(const std::string& name, const Sheet& sheet, bool top_down = false) {
        const std::string path = dir.file(name);
        write_bmp(path, sheet, top_down);
        return path;
    }

    testing::TempDir dir;
    testing::CellStore store;
};

TEST_F(SheetStoreTest, SameNameTwiceIsReadOnce) {
    const std::string name = sheet_file("a.bmp", Sheet(16, 16, 1));
    ASSERT_TRUE(store.load(name));
    write_file(name, std::string("not a sheet any more"));
    const LoadResult again = load_capturing(store, name);
    EXPECT_TRUE(again.loaded);
    EXPECT_EQ(again.message, "");
    EXPECT_EQ(store.find(name), 0);
    EXPECT_EQ(store.width(name), 16);
    EXPECT_EQ(store.read_tile(name, 0, 0)[0], 0x1111);
}

TEST_F(SheetStoreTest, EachSpellingOfAPathIsItsOwnSheet) {
    const std::string plain = sheet_file("a.bmp", Sheet(16, 16));
    const std::string dotted = dir.path + "/./a.bmp";
    ASSERT_TRUE(store.load(plain));
    write_bmp(plain, Sheet(32, 16));  // the second spelling must read the disk again
    ASSERT_TRUE(store.load(dotted));
    EXPECT_EQ(store.find(plain), 0);
    EXPECT_EQ(store.find(dotted), 1);
    EXPECT_EQ(store.width(plain), 16);
    EXPECT_EQ(store.width(dotted), 32);
}

TEST_F(SheetStoreTest, NamesAreCaseSensitive) {
    const std::string lower = sheet_file("s.bmp", Sheet(16, 8));
    const std::string upper = sheet_file("S.bmp", Sheet(24, 8));
    ASSERT_TRUE(store.load(lower));
    EXPECT_EQ(store.find(upper), -1);
    ASSERT_TRUE(store.load(upper));
    EXPECT_EQ(store.width(lower), 16);
    EXPECT_EQ(store.width(upper), 24);
}

TEST_F(SheetStoreTest, IndicesFollowLoadingOrder) {
    const std::string a = sheet_file("a.bmp", Sheet(8, 8));
    const std::string b = sheet_file("b.bmp", Sheet(8, 8));
    ASSERT_TRUE(store.load(b));
    ASSERT_TRUE(store.load(a));
    ASSERT_TRUE(store.load(b));
    EXPECT_EQ(store.find(b), 0);
    EXPECT_EQ(store.find(a), 1);
}

TEST_F(SheetStoreTest, SizesInPixels) {
    const std::string wide = sheet_file("wide.bmp", Sheet(256, 128));
    const std::string top_down = sheet_file("down.bmp", Sheet(16, 8), true);
    ASSERT_TRUE(store.load(wide));
    ASSERT_TRUE(store.load(top_down));
    EXPECT_EQ(store.width(wide), 256);
    EXPECT_EQ(store.height(wide), 128);
    EXPECT_EQ(store.width(top_down), 16);
    EXPECT_EQ(store.height(top_down), 8);
    EXPECT_EQ(store.width("unknown.bmp"), 0);
    EXPECT_EQ(store.height("unknown.bmp"), 0);
}

TEST_F(SheetStoreTest, FilesThatCantBeOpened) {
    const std::string missing = dir.file("missing.bmp");
    const std::string directory = dir.file("folder.bmp");
    std::filesystem::create_directory(directory);
    // Opening this by its C string would silently open a.bmp.
    const std::string with_nul = sheet_file("a.bmp", Sheet(8, 8)) + std::string(1, '\0') + "x";
    for (const std::string& name : {missing, directory, with_nul}) {
        const LoadResult result = load_capturing(store, name);
        EXPECT_FALSE(result.loaded) << name;
        EXPECT_EQ(result.message, "Can't open file " + name + "\n");
        EXPECT_EQ(store.find(name), -1);
        EXPECT_EQ(store.width(name), 0);
    }
}

TEST_F(SheetStoreTest, RowsAreFoundPastTheirPadding) {
    Sheet sheet(30, 2);
    sheet.at(0, 0) = 1;
    sheet.at(29, 0) = 5;
    sheet.at(29, 1) = 7;
    std::vector<std::uint8_t> bytes = bmp_bytes(sheet);
    // Rows are 32 bytes apart; fill the padding so that reading it shows.
    for (std::size_t row = 0; row < 2; ++row) {
        bytes[1078 + row * 32 + 30] = 0xE;
        bytes[1078 + row * 32 + 31] = 0xE;
    }
    const std::string name = dir.file("thirty.bmp");
    write_file(name, bytes);
    ASSERT_TRUE(store.load(name));
    const Tile right = store.read_tile(name, 24, 0);
    EXPECT_EQ(right[1], 0x0050);  // (29, 0) then two pixels past the edge
    EXPECT_EQ(right[3], 0x0070);
    EXPECT_EQ(store.read_tile(name, 0, 0)[0], 0x0001);
}

TEST_F(SheetStoreTest, TopDownSheetReadsLikeBottomUp) {
    std::mt19937 random(11);
    Sheet sheet(40, 24);
    for (std::uint8_t& p : sheet.pixels) p = static_cast<std::uint8_t>(random());
    const std::string up = sheet_file("up.bmp", sheet);
    const std::string down = sheet_file("down.bmp", sheet, true);
    ASSERT_TRUE(store.load(up));
    ASSERT_TRUE(store.load(down));
    for (std::int32_t y = -8; y <= 24; y += 4) {
        for (std::int32_t x = -8; x <= 40; x += 4) {
            const Tile tile = store.read_tile(up, x, y);
            EXPECT_EQ(tile, store.read_tile(down, x, y)) << x << "," << y;
            if (x >= 0 && y >= 0 && x + 8 <= 40 && y + 8 <= 24) {
                EXPECT_EQ(tile[0] & 0xF, sheet.at(x, y) & 0xF) << x << "," << y;
            }
        }
    }
}

TEST_F(SheetStoreTest, PixelsOutsideTheSheetReadZero) {
    // 4 wide: no padding, so a read past the right edge would land in the next row.
    const std::string name = sheet_file("small.bmp", Sheet(4, 4, 0x0F));
    ASSERT_TRUE(store.load(name));
    const Tile corner = store.read_tile(name, 0, 0);
    const Tile shifted = store.read_tile(name, -2, -2);
    for (std::size_t k = 0; k < 8; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(corner[2 * k], k < 4 ? 0xFFFF : 0);
        EXPECT_EQ(corner[2 * k + 1], 0);
        const bool inside = k >= 2 && k < 6;
        EXPECT_EQ(shifted[2 * k], inside ? 0xFF00 : 0);
        EXPECT_EQ(shifted[2 * k + 1], inside ? 0x00FF : 0);
    }
    const Tile blank{};
    EXPECT_EQ(store.read_tile(name, INT32_MAX, INT32_MAX), blank);
    EXPECT_EQ(store.read_tile(name, INT32_MIN, INT32_MIN), blank);
    EXPECT_EQ(store.read_tile(name, INT32_MAX - 3, 0), blank);
    EXPECT_EQ(store.read_tile("unknown.bmp", 0, 0), blank);

    FlipFlags flip = 0;
    EXPECT_EQ(store.add_cell(name, INT32_MAX - 3, INT32_MAX - 3, flip), -1);  // x + 8 wraps
    EXPECT_EQ(store.add_cell(name, INT32_MIN, INT32_MIN, flip), -1);
    // Only the bottom-right quarter overlaps the sheet.
    ASSERT_EQ(store.add_cell(name, -8, -8, flip), 0);
    const Cell cell = store.cell(0);
    for (std::size_t i = 0; i < kCellHalfwords; ++i) {
        const bool inside = i >= 48 && i < 56 && i % 2 == 0;
        EXPECT_EQ(cell[i], inside ? 0xFFFF : 0) << "halfword " << i;
    }
}

}  // namespace
}  // namespace pixcell
