// The table of distinct cells: which index and flip add_cell gives back.
#include <gtest/gtest.h>

#include <random>

#include "support/cell_store.h"
#include "cells_test_support.h"
#include "support/sheet_writer.h"
#include "support/temp_dir.h"

namespace pixcell {
namespace {

using cells_test::cell_crc;
using cells_test::cell_pixel;
using testing::Sheet;

using Pixels = std::array<std::array<std::uint8_t, 16>, 16>;

Pixels mirrored(const Pixels& p, FlipFlags flip) {
    Pixels out{};
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int from_x = (flip & kFlipHorizontal) ? 15 - x : x;
            const int from_y = (flip & kFlipVertical) ? 15 - y : y;
            out[y][x] = p[from_y][from_x];
        }
    }
    return out;
}

Pixels random_pixels(std::mt19937& random) {
    Pixels p{};
    for (auto& row : p) {
        for (auto& v : row) v = static_cast<std::uint8_t>(random() & 0xFF);
    }
    return p;
}

void put_cell(Sheet& sheet, int x0, int y0, const Pixels& p) {
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) sheet.at(x0 + x, y0 + y) = p[y][x];
    }
}

CellPattern pattern_of(const Pixels& p) {
    std::array<Tile, 4> tiles{};
    for (std::size_t y = 0; y < 16; ++y) {
        pack_tile_row(&p[y][0], y % 8, tiles[(y / 8) * 2]);
        pack_tile_row(&p[y][8], y % 8, tiles[(y / 8) * 2 + 1]);
    }
    return make_cell_pattern(tiles);
}

class CellTableTest : public ::testing::Test {
protected:
    std::string load(const std::string& file, const Sheet& sheet) {
        const std::string name = dir.file(file);
        testing::write_bmp(name, sheet);
        EXPECT_TRUE(store.load(name));
        return name;
    }

    // add_cell's index and the flip it hands back for `flip` on entry.
    std::pair<std::int32_t, FlipFlags> add(const std::string& name, int x, int y, FlipFlags flip) {
        const std::int32_t index = store.add_cell(name, x, y, flip);
        return {index, flip};
    }

    testing::TempDir dir;
    testing::CellStore store;
    std::mt19937 random{2024};
};

using Result = std::pair<std::int32_t, FlipFlags>;

TEST_F(CellTableTest, EmptyCellsAreNotStored) {
    Sheet sheet(32, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 16; x < 32; ++x) sheet.at(x, y) = static_cast<std::uint8_t>(16 * ((x + y) % 16));
    }
    const std::string name = load("blank.bmp", sheet);
    EXPECT_EQ(add(name, 0, 0, 3), Result(-1, 3));
    EXPECT_EQ(add(name, 16, 0, 2), Result(-1, 2));  // indices 16, 32, ... show as 0
    EXPECT_EQ(add("unknown.bmp", 0, 0, 1), Result(-1, 1));
    EXPECT_EQ(store.cell_count(), 0u);
}

TEST_F(CellTableTest, MirrorsOfAStoredCellGetItsIndexAndAFlip) {
    const Pixels cell = random_pixels(random);
    Sheet sheet(80, 16);
    put_cell(sheet, 0, 0, cell);
    put_cell(sheet, 16, 0, cell);
    put_cell(sheet, 32, 0, mirrored(cell, 1));
    put_cell(sheet, 48, 0, mirrored(cell, 3));
    put_cell(sheet, 64, 0, mirrored(cell, 2));
    const std::string name = load("mirrors.bmp", sheet);

    EXPECT_EQ(add(name, 0, 0, 1), Result(0, 1));  // new: flip untouched
    EXPECT_EQ(add(name, 16, 0, 2), Result(0, 2));
    EXPECT_EQ(add(name, 32, 0, 0), Result(0, 1));
    EXPECT_EQ(add(name, 32, 0, 1), Result(0, 0));
    EXPECT_EQ(add(name, 48, 0, 2), Result(0, 1));
    EXPECT_EQ(add(name, 64, 0, 0), Result(0, 2));
    EXPECT_EQ(add(name, 64, 0, 3), Result(0, 1));
    ASSERT_EQ(store.cell_count(), 1u);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) ASSERT_EQ(cell_pixel(store.cell(0), x, y), cell[y][x] & 0xF);
    }
}

TEST_F(CellTableTest, SymmetricCellKeepsTheFlipAsGiven) {
    Pixels cell = random_pixels(random);
    for (auto& row : cell) {
        for (int x = 0; x < 8; ++x) row[15 - x] = row[x];
    }
    Sheet sheet(48, 16);
    put_cell(sheet, 0, 0, random_pixels(random));
    put_cell(sheet, 16, 0, cell);
    put_cell(sheet, 32, 0, mirrored(cell, 2));
    const std::string name = load("symmetric.bmp", sheet);
    EXPECT_EQ(add(name, 0, 0, 0), Result(0, 0));
    EXPECT_EQ(add(name, 16, 0, 0), Result(1, 0));
    EXPECT_EQ(add(name, 16, 0, 0), Result(1, 0));  // mirrored it matches too, but as-is comes first
    EXPECT_EQ(add(name, 16, 0, 3), Result(1, 3));
    EXPECT_EQ(add(name, 32, 0, 0), Result(1, 2));  // not 3
}

TEST_F(CellTableTest, SameCellThroughTwoNamesOfOneSheet) {
    Sheet sheet(16, 16);
    put_cell(sheet, 0, 0, random_pixels(random));
    const std::string name = load("one.bmp", sheet);
    const std::string other = dir.path + "/./one.bmp";
    ASSERT_TRUE(store.load(other));
    EXPECT_EQ(add(name, 0, 0, 0), Result(0, 0));
    EXPECT_EQ(add(other, 0, 0, 2), Result(0, 2));
}

TEST_F(CellTableTest, IndexPastTheEndGivesTheLastCell) {
    Sheet sheet(32, 16);
    put_cell(sheet, 0, 0, random_pixels(random));
    put_cell(sheet, 16, 0, random_pixels(random));
    const std::string name = load("two.bmp", sheet);
    EXPECT_EQ(add(name, 0, 0, 0).first, 0);
    EXPECT_EQ(add(name, 16, 0, 0).first, 1);
    EXPECT_EQ(&store.cell(2), &store.cell(1));
    EXPECT_EQ(&store.cell(UINT32_MAX), &store.cell(1));
    EXPECT_NE(&store.cell(0), &store.cell(1));
}

// Bytes of a cell whose CRC-32 is `target`, made from `base` by changing the
// 4 bytes at `at`. CRC-32 is affine over GF(2): for messages of one length,
// flipping a set of bits changes the CRC by the XOR of what each bit alone
// changes it by, so the 32 free bits are found by Gaussian elimination.
Cell forge_crc(const Cell& base, std::uint32_t target, std::size_t at) {
    const std::uint32_t base_crc = cell_crc(base);
    std::array<std::uint32_t, 32> basis{};  // by pivot bit: CRC change
    std::array<std::uint32_t, 32> chosen{};  // by pivot bit: which free bits make it
    for (std::uint32_t bit = 0; bit < 32; ++bit) {
        Cell flipped = base;
        flipped[at / 2 + bit / 16] ^= static_cast<std::uint16_t>(1u << (bit % 16));
        std::uint32_t change = cell_crc(flipped) ^ base_crc;
        std::uint32_t bits = 1u << bit;
        for (int pivot = 31; pivot >= 0 && change != 0; --pivot) {
            if (!(change >> pivot & 1)) continue;
            if (basis[pivot] == 0) {
                basis[pivot] = change;
                chosen[pivot] = bits;
                change = 0;
            } else {
                change ^= basis[pivot];
                bits ^= chosen[pivot];
            }
        }
    }
    std::uint32_t wanted = base_crc ^ target;
    std::uint32_t flips = 0;
    for (int pivot = 31; pivot >= 0; --pivot) {
        if (wanted >> pivot & 1) {
            EXPECT_NE(basis[pivot], 0u) << "32 consecutive bits always reach every CRC";
            wanted ^= basis[pivot];
            flips ^= chosen[pivot];
        }
    }
    Cell forged = base;
    forged[at / 2] ^= static_cast<std::uint16_t>(flips);
    forged[at / 2 + 1] ^= static_cast<std::uint16_t>(flips >> 16);
    return forged;
}

TEST_F(CellTableTest, CrcCollisionWithDifferentPixelsIsANewCell) {
    const Pixels stored = random_pixels(random);
    const CellPattern stored_pattern = pattern_of(stored);
    Sheet sheet(80, 16);
    put_cell(sheet, 0, 0, stored);
    // One impostor per variant of the stored cell, each with that variant's CRC.
    for (std::size_t s = 0; s < 4; ++s) {
        const std::uint32_t crc = cell_crc(stored_pattern.variant[s]);
        const Cell impostor = forge_crc(pattern_of(random_pixels(random)).variant[0], crc, 40);
        ASSERT_EQ(cell_crc(impostor), crc);
        Pixels p{};
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) p[y][x] = cell_pixel(impostor, x, y);
        }
        for (const Cell& variant : stored_pattern.variant) ASSERT_NE(variant, impostor);
        put_cell(sheet, 16 * static_cast<int>(s + 1), 0, p);
    }
    const std::string name = load("collide.bmp", sheet);
    EXPECT_EQ(add(name, 0, 0, 0), Result(0, 0));
    for (int s = 0; s < 4; ++s) EXPECT_EQ(add(name, 16 * (s + 1), 0, 2), Result(s + 1, 2)) << "variant " << s;
    for (int s = 0; s < 4; ++s) EXPECT_EQ(add(name, 16 * (s + 1), 0, 0), Result(s + 1, 0)) << "variant " << s;
    EXPECT_EQ(add(name, 0, 0, 1), Result(0, 1));
}

// The plain search: every stored entry in order, every stored variant, every
// candidate variant, CRCs first and bytes to confirm.
struct OrderedScan {
    std::vector<CellPattern> cells;
    std::vector<std::array<std::uint32_t, 4>> crcs;

    static std::array<std::uint32_t, 4> crcs_of(const CellPattern& pattern) {
        std::array<std::uint32_t, 4> crc;
        for (std::size_t f = 0; f < 4; ++f) crc[f] = cell_crc(pattern.variant[f]);
        return crc;
    }

    std::int32_t add(const CellPattern& candidate, FlipFlags& flip) {
        static const FlipFlags compose[4][4] = {{0, 1, 2, 3}, {1, 0, 3, 2}, {2, 3, 0, 1}, {3, 2, 1, 0}};
        if (is_empty(candidate.variant[0])) return -1;
        const std::array<std::uint32_t, 4> crc = crcs_of(candidate);
        for (std::size_t j = 0; j < cells.size(); ++j) {
            for (std::size_t s = 0; s < 4; ++s) {
                for (std::size_t v = 0; v < 4; ++v) {
                    if (crc[v] == crcs[j][s] && candidate.variant[v] == cells[j].variant[s]) {
                        flip = compose[flip][compose[v][s]];
                        return static_cast<std::int32_t>(j);
                    }
                }
            }
        }
        cells.push_back(candidate);
        crcs.push_back(crc);
        return static_cast<std::int32_t>(cells.size() - 1);
    }
};

// Cells drawn from a small pool, so that repeats, mirrors and symmetric cells
// abound; sparse ones with two colours make accidental symmetries likely too.
Pixels pool_cell(std::mt19937& random) {
    Pixels p{};
    switch (random() % 6) {
        case 0: p = random_pixels(random); break;
        case 1: {  // left-right symmetric
            p = random_pixels(random);
            for (auto& row : p) for (int x = 0; x < 8; ++x) row[15 - x] = row[x];
            break;
        }
        case 2: {  // top-bottom symmetric
            p = random_pixels(random);
            for (int y = 0; y < 8; ++y) p[15 - y] = p[y];
            break;
        }
        case 3: {  // unchanged by a half turn only
            p = random_pixels(random);
            for (int y = 0; y < 8; ++y) p[15 - y] = mirrored(p, 3)[15 - y];
            break;
        }
        case 4:  // symmetric both ways
            p[7][7] = p[7][8] = p[8][7] = p[8][8] = static_cast<std::uint8_t>(1 + random() % 15);
            break;
        default:
            for (int n = 0; n < 3; ++n) p[random() % 16][random() % 16] = 1;
            break;
    }
    return p;
}

TEST_F(CellTableTest, MatchesAnOrderedScanOnRandomSheets) {
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        std::vector<Pixels> pool(12);
        for (Pixels& p : pool) p = pool_cell(random);
        Sheet sheet(256, 160);
        for (int y = 0; y < sheet.height; y += 16) {
            for (int x = 0; x < sheet.width; x += 16) {
                if (random() % 7 == 0) continue;
                Pixels p = mirrored(pool[random() % pool.size()], static_cast<FlipFlags>(random() % 4));
                for (auto& row : p) {
                    for (auto& v : row) v = static_cast<std::uint8_t>(v | (random() % 16) << 4);
                }
                put_cell(sheet, x, y, p);
            }
        }
        store = testing::CellStore{};
        const std::string name = load("random" + std::to_string(round) + ".bmp", sheet);
        OrderedScan scan;
        for (int call = 0; call < 400; ++call) {
            const bool aligned = call % 3 != 0;
            const std::int32_t x = aligned ? 16 * static_cast<std::int32_t>(random() % 16)
                                           : static_cast<std::int32_t>(random() % 280) - 20;
            const std::int32_t y = aligned ? 16 * static_cast<std::int32_t>(random() % 10)
                                           : static_cast<std::int32_t>(random() % 184) - 20;
            const FlipFlags flip_in = static_cast<FlipFlags>(random() % 4);
            FlipFlags expected_flip = flip_in;
            const CellPattern candidate = make_cell_pattern({store.read_tile(name, x, y),
                                                             store.read_tile(name, x + 8, y),
                                                             store.read_tile(name, x, y + 8),
                                                             store.read_tile(name, x + 8, y + 8)});
            const std::int32_t expected = scan.add(candidate, expected_flip);
            ASSERT_EQ(add(name, x, y, flip_in), Result(expected, expected_flip))
                << "call " << call << " at " << x << "," << y << " flip " << flip_in;
        }
        ASSERT_EQ(store.cell_count(), scan.cells.size());
        // Stored as cut; each mirror image worked out again is the reference's.
        for (std::uint32_t i = 0; i < store.cell_count(); ++i) {
            for (std::int32_t v = 0; v < 4; ++v) {
                EXPECT_EQ(mirror_cell(store.cell(i), v), scan.cells[i].variant[static_cast<std::size_t>(v)]);
            }
        }
    }
}

}  // namespace
}  // namespace pixcell
