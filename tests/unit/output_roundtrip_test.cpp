// Random sheets and sprite lists are converted; the generated cell array and
// pattern records are read back into pixels and every sprite is compared
// with what its parts cut from its sheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "support/cell_store.h"
#include "output/render_texts.h"
#include "output_test_support.h"

namespace pixcell {
namespace {

using output_test::lines_of;
using output_test::load_sheet;
using output_test::make_object;
using output_test::make_part;
using output_test::TempDir;
using testing::Sheet;

// One shown pixel of a sprite: position from the origin, and colour.
using Pixel = std::tuple<std::int64_t, std::int64_t, int>;

struct Entry {
    int index = 0;
    int x = 0;
    int y = 0;
    int flip = 0;
};

// The cell array, read from its data lines; each line must be exactly one tile.
std::vector<Cell> read_cells(const std::string& asm_text) {
    std::vector<std::uint16_t> halfwords;
    for (const std::string& line : lines_of(asm_text)) {
        if (line.rfind("\t.short ", 0) != 0) continue;
        EXPECT_EQ(line.size(), 8u + 16 * 6 + 15) << line;
        for (std::size_t i = 0; i < 16; ++i) {
            unsigned value = 0;
            char hex[5] = {};
            const std::string field = line.substr(8 + 7 * i, 6);
            EXPECT_EQ(std::sscanf(field.c_str(), "0x%4[0-9A-F]", hex), 1) << field;
            std::sscanf(hex, "%X", &value);
            halfwords.push_back(static_cast<std::uint16_t>(value));
        }
    }
    EXPECT_EQ(halfwords.size() % 64, 0u);
    std::vector<Cell> cells(halfwords.size() / 64);
    for (std::size_t i = 0; i < halfwords.size(); ++i) cells[i / 64][i % 64] = halfwords[i];
    return cells;
}

// Pattern records by name, in the order they stand.
std::vector<std::pair<std::string, std::vector<Entry>>> read_records(const std::string& source) {
    std::vector<std::pair<std::string, std::vector<Entry>>> records;
    const std::vector<std::string> lines = lines_of(source);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string opening = "const SPR_PATTERN ";
        const std::string closing = "_ptn = {";
        if (lines[i].rfind(opening, 0) != 0 || lines[i].find('*') != std::string::npos) continue;
        EXPECT_EQ(lines[i].substr(lines[i].size() - closing.size()), closing);
        const std::string name = lines[i].substr(opening.size(), lines[i].size() - opening.size() - closing.size());
        int count = -1;
        EXPECT_EQ(std::sscanf(lines[++i].c_str(), "\t\t%d,", &count), 1);
        EXPECT_EQ(lines[++i], "\t{");
        std::vector<Entry> entries;
        while (lines[++i] != "\t},") {
            Entry e;
            char flip[16] = {};
            EXPECT_EQ(std::sscanf(lines[i].c_str(), "\t\t{ %d, %d, %d, %15[A-Z_], },", &e.index, &e.x, &e.y, flip), 4);
            e.flip = static_cast<int>(std::find_if(std::begin(flip_names), std::end(flip_names),
                                                   [&](const char* n) { return std::string(n) == flip; }) -
                                      std::begin(flip_names));
            EXPECT_LT(e.flip, 4) << lines[i];
            entries.push_back(e);
        }
        EXPECT_EQ(lines[++i], "};");
        EXPECT_EQ(count, static_cast<int>(entries.size()));
        records.emplace_back(name, entries);
    }
    return records;
}

int packed_pixel(const Cell& cell, int x, int y) {
    const int quarter = (y / 8) * 2 + x / 8;
    const std::uint16_t half = cell[static_cast<std::size_t>(quarter * 16 + (y % 8) * 2 + (x % 8) / 4)];
    return half >> (4 * (x % 4)) & 0xF;
}

std::vector<Pixel> shown_pixels(const std::vector<Entry>& entries, const std::vector<Cell>& cells) {
    std::vector<Pixel> shown;
    for (const Entry& e : entries) {
        EXPECT_LT(static_cast<std::size_t>(e.index), cells.size());
        if (static_cast<std::size_t>(e.index) >= cells.size()) continue;
        for (int v = 0; v < 16; ++v) {
            for (int u = 0; u < 16; ++u) {
                const int value = packed_pixel(cells[static_cast<std::size_t>(e.index)], u, v);
                if (value == 0) continue;
                const int shown_u = (e.flip & 1) ? 15 - u : u;
                const int shown_v = (e.flip & 2) ? 15 - v : v;
                shown.emplace_back(e.x + shown_u, e.y + shown_v, value);
            }
        }
    }
    std::sort(shown.begin(), shown.end());
    return shown;
}

// What the parts cut, mirrored about the origin by each part's flip.
std::vector<Pixel> cut_pixels(const std::vector<SpritePart>& parts, const Sheet& sheet) {
    std::vector<Pixel> cut;
    for (const SpritePart& part : parts) {
        for (std::int64_t k = 0; k < part.height / 16; ++k) {
            for (std::int64_t l = 0; l < part.width / 16; ++l) {
                for (std::int64_t v = 0; v < 16; ++v) {
                    for (std::int64_t u = 0; u < 16; ++u) {
                        const std::int64_t sx = part.x + 16 * l + u;
                        const std::int64_t sy = part.y + 16 * k + v;
                        if (sx < 0 || sy < 0 || sx >= sheet.width || sy >= sheet.height) continue;
                        const int value = sheet.at(static_cast<std::int32_t>(sx), static_cast<std::int32_t>(sy)) & 0xF;
                        if (value == 0) continue;
                        const std::int64_t px = 16 * l + u - part.dx;
                        const std::int64_t py = 16 * k + v - part.dy;
                        cut.emplace_back((part.flip & 1) ? -1 - px : px, (part.flip & 2) ? -1 - py : py, value);
                    }
                }
            }
        }
    }
    std::sort(cut.begin(), cut.end());
    return cut;
}

// Sheets of 16x16 blocks drawn from a few pictures in random flips, so that
// equal and mirrored cells are common, with blank blocks and noise between.
Sheet random_sheet(std::mt19937& random) {
    std::uniform_int_distribution<std::int32_t> blocks(1, 4);
    std::uniform_int_distribution<std::int32_t> spare(0, 15);
    Sheet sheet(16 * blocks(random) + spare(random) % 9, 16 * blocks(random) + spare(random) % 9);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::vector<std::uint8_t>> pictures(3, std::vector<std::uint8_t>(256));
    for (auto& picture : pictures) {
        for (auto& p : picture) p = (byte(random) % 3 == 0) ? 0 : static_cast<std::uint8_t>(byte(random));
    }
    for (auto& p : sheet.pixels) p = static_cast<std::uint8_t>(byte(random));
    for (std::int32_t by = 0; by + 16 <= sheet.height; by += 16) {
        for (std::int32_t bx = 0; bx + 16 <= sheet.width; bx += 16) {
            const int choice = byte(random) % 6;
            if (choice == 5) continue;  // leave the noise
            const int flip = byte(random) % 4;
            for (int v = 0; v < 16; ++v) {
                for (int u = 0; u < 16; ++u) {
                    const int su = (flip & 1) ? 15 - u : u;
                    const int sv = (flip & 2) ? 15 - v : v;
                    std::uint8_t& pixel = sheet.at(bx + u, by + v);
                    if (choice < 3) pixel = pictures[static_cast<std::size_t>(choice)][static_cast<std::size_t>(sv * 16 + su)];
                    if (choice == 3) pixel = 0;
                    if (choice == 4) pixel = static_cast<std::uint8_t>(16 * (u % 3));  // blank too: high bits only
                }
            }
        }
    }
    return sheet;
}

SpritePart random_part(std::mt19937& random, const Sheet& sheet) {
    std::uniform_int_distribution<int> any(0, 1 << 20);
    const auto pick = [&](int low, int high) { return low + any(random) % (high - low + 1); };
    const bool aligned = pick(0, 9) < 7;
    const std::int32_t x = aligned ? 16 * pick(-1, sheet.width / 16) : pick(-24, sheet.width + 8);
    const std::int32_t y = aligned ? 16 * pick(-1, sheet.height / 16) : pick(-24, sheet.height + 8);
    const std::int32_t width = pick(0, 9) < 8 ? 16 * pick(0, 4) : pick(-20, 70);
    const std::int32_t height = pick(0, 9) < 8 ? 16 * pick(0, 4) : pick(-20, 70);
    return make_part(x, y, width, height, pick(-40, 80), pick(-40, 80), pick(0, 7));
}

TEST(OutputRoundTrip, EverySpriteShowsThePixelsItsPartsCut) {
    std::mt19937 random(20240611);
    std::size_t placed = 0;
    std::size_t mirrored = 0;  // matched or flipped: the test must see both kinds
    for (int round = 0; round < 150; ++round) {
        TempDir dir;
        testing::CellStore store;
        std::vector<Sheet> sheets;
        std::vector<std::string> names;
        const int sheet_count = 1 + static_cast<int>(random() % 3);
        for (int s = 0; s < sheet_count; ++s) {
            sheets.push_back(random_sheet(random));
            names.push_back(load_sheet(store, dir, "s" + std::to_string(s) + ".bmp", sheets.back(), random() % 2));
        }
        SpriteList list;
        std::vector<int> sheet_of;
        const int object_count = 1 + static_cast<int>(random() % 8);
        for (int n = 0; n < object_count; ++n) {
            const int s = static_cast<int>(random() % (sheet_count + 1));  // sheet_count: not loaded
            std::vector<SpritePart> parts;
            const int part_count = static_cast<int>(random() % 4);
            for (int p = 0; p < part_count; ++p) parts.push_back(random_part(random, sheets[s % sheet_count]));
            list.push_back(make_object("obj" + std::to_string(n), s < sheet_count ? names[s] : "gone.bmp", parts));
            sheet_of.push_back(s);
        }
        const SpriteList original = list;

        std::vector<std::size_t> skipped;
        const GeneratedTexts texts = build_texts(list, store, "rt", &skipped);

        const std::vector<Cell> cells = read_cells(texts.asm_text);
        ASSERT_EQ(cells.size(), store.converted.size());
        const auto records = read_records(texts.pattern_source_text);
        std::vector<std::size_t> expected_skipped;
        std::string expected_enum = "#ifndef rt_ENUM_H\n#define rt_ENUM_H\nenum {\n";
        std::size_t next_record = 0;
        for (std::size_t n = 0; n < original.size(); ++n) {
            const SpriteObject& object = original[n];
            if (sheet_of[n] == sheet_count) {
                expected_skipped.push_back(n);
                continue;
            }
            if (object.parts.empty()) continue;
            expected_enum += "\t" + object.name + ",\n";
            const std::vector<Pixel> cut = cut_pixels(object.parts, sheets[sheet_of[n]]);
            if (next_record < records.size() && records[next_record].first == object.name) {
                EXPECT_EQ(shown_pixels(records[next_record].second, cells), cut) << object.name << " round " << round;
                for (const Entry& e : records[next_record].second) mirrored += e.flip != 0;
                placed += records[next_record].second.size();
                ++next_record;
            } else {
                EXPECT_TRUE(cut.empty()) << object.name << " has pixels but no record, round " << round;
            }
        }
        EXPECT_EQ(next_record, records.size());
        EXPECT_EQ(texts.enum_text, expected_enum + "};\n#endif\n");
        EXPECT_EQ(skipped, expected_skipped);
    }
    EXPECT_GT(placed, 500u) << mirrored;
    EXPECT_GT(mirrored, 100u);
}

}  // namespace
}  // namespace pixcell
