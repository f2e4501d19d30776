// Random sheets and sprite lists are converted; the generated cell array and
// pattern records are read back into pixels and every sprite is compared
// with what its parts cut from its sheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "description/parse_description.h"
#include "driver/convert_and_render.h"
#include "driver/run.h"
#include "support/cell_store.h"
#include "support/true_colour_writer.h"
#include "output/render_texts.h"
#include "output_test_support.h"
#include "sprite_pixels.h"

namespace pixcell {
namespace {

using output_test::lines_of;
using output_test::load_sheet;
using output_test::make_object;
using output_test::make_part;
using output_test::TempDir;
using testing::Sheet;

using sprite_test::cut_pixels;
using sprite_test::Pixel;

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
    SpritePart part = make_part(x, y, width, height, pick(-40, 80), pick(-40, 80), pick(0, 7));
    // Some parts are clipped to a rectangle of their own, smaller than their cells.
    if (pick(0, 3) == 0) {
        part.clipped = true;
        part.own_width = width - pick(0, 15);
        part.own_height = height - pick(0, 15);
    }
    return part;
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

// A run large enough to format its texts on a second thread while it cuts
// gives the texts of one thread doing both in turn.
TEST(OutputRoundTrip, TextsFormattedAlongsideAreTheSame) {
    std::mt19937 random(4096);
    TempDir dir;
    testing::CellStore store;
    Sheet sheet = random_sheet(random);
    Sheet large(2048, 1024);
    for (std::int32_t y = 0; y < large.height; ++y) {
        for (std::int32_t x = 0; x < large.width; ++x) large.at(x, y) = sheet.at(x % sheet.width, y % sheet.height);
    }
    const std::string name = load_sheet(store, dir, "large.bmp", large);
    SpriteList list;
    for (int n = 0; n < 300; ++n) {
        std::vector<SpritePart> parts;
        for (int p = 0; p < 3; ++p) parts.push_back(random_part(random, large));
        parts.push_back(make_part(16 * (n % 128), 16 * (n / 128), 64, 48, 0, 0, n % 4));
        list.push_back(make_object("s" + std::to_string(n), name, parts));
    }
    // Twice the sheet's cells: enough for the second thread.
    list.push_back(make_object("everything", name, {make_part(0, 0, 2048, 1024, 8, 8, 1)}));
    list.push_back(make_object("everything_v", name, {make_part(0, 0, 2048, 1024, 8, 8, 2)}));
    const ConvertedTexts alongside = convert_and_render(list, store.sheets, "rt");
    const Conversion conversion = convert(list, store.sheets);
    const GeneratedTexts in_turn = render_texts(list, conversion, "rt");
    EXPECT_GT(conversion.placed.size(), 16384u);
    EXPECT_EQ(alongside.texts.asm_text, in_turn.asm_text);
    EXPECT_EQ(alongside.texts.enum_text, in_turn.enum_text);
    EXPECT_EQ(alongside.texts.pattern_source_text, in_turn.pattern_source_text);
}

// True-colour sheets: one picture of three characters, each drawn with a
// black outline and 9 colours of its own (so that no two fit one row), in
// every true-colour form, is converted by a whole run with --palette; the
// generated cells, records, rows and palette must show every sprite in the
// art's colours as the console keeps them, transparent where the art is.
namespace true_colour {

using testing::ColourSheet;

constexpr std::uint8_t kBackground[3] = {255, 200, 255};  // a green no art colour has, for the forms without alpha

int console_colour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return red >> 3 | (green >> 3) << 5 | (blue >> 3) << 10;
}

struct Art {
    ColourSheet picture{96, 32, {kBackground[0], kBackground[1], kBackground[2], 0}};
    std::vector<std::vector<ColourSheet::Colour>> characters;  // [character][colour]; colour 0 the outline
};

// Character c's two frames at (32c, 0) and (32c + 16, 0), the second with
// fewer colours; at (0, 16) the first character's first frame drawn in the
// second's colours.
Art draw_art() {
    Art art;
    std::mt19937 random(1605);
    int green = 1;  // the top 5 bits of green tell every colour apart, also in the grey forms
    for (int c = 0; c < 3; ++c) {
        std::vector<ColourSheet::Colour>& colours = art.characters.emplace_back();
        colours.push_back({0, 0, 0, 255});
        for (int k = 0; k < 9; ++k, ++green) {
            if (green == kBackground[1] >> 3) ++green;
            colours.push_back({static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(green << 3 | 5),
                               static_cast<std::uint8_t>(random()), 255});
        }
    }
    const auto frame = [&](int left, int top, const std::vector<ColourSheet::Colour>& colours, int kinds) {
        for (int j = 0; j < 16; ++j) {
            for (int i = 0; i < 16; ++i) {
                const double d = std::max(std::abs(i - 7.5), std::abs(j - 7.5));
                if (d > 7) continue;
                art.picture.at(left + i, top + j) =
                    d > 6 ? colours[0] : colours[static_cast<std::size_t>(1 + (i * 3 + j * 5) % kinds)];
            }
        }
    };
    for (int c = 0; c < 3; ++c) {
        frame(32 * c, 0, art.characters[static_cast<std::size_t>(c)], 9);
        frame(32 * c + 16, 0, art.characters[static_cast<std::size_t>(c)], 4);
    }
    frame(0, 16, art.characters[1], 9);
    return art;
}

const char* const kSprites =
    "a1 0,0 16x16\na2 16,0\nb1 32,0\nb2 48,0\nc1 64,0\nc2 80,0\n"
    "a_in_b 0,16\n"
    "a_wide 8,0 16x16 h\n";  // shares pixels with a1 and a2: one unit, one row

std::string read(const std::string& path) { return testing::read_file(path); }

// The 16 entries of each row of the first palette array, as console colours.
std::vector<int> palette_of(const std::string& pal_c) {
    std::vector<int> entries;
    const std::size_t start = pal_c.find("_pal[");
    const std::size_t end = pal_c.find("};", start);
    for (std::size_t at = pal_c.find("0x", start); at < end; at = pal_c.find("0x", at + 1)) {
        entries.push_back(std::stoi(pal_c.substr(at + 2, 4), nullptr, 16));
    }
    return entries;
}

std::map<std::string, int> rows_of(const std::string& pal_c) {
    std::map<std::string, int> rows;
    for (const std::string& line : lines_of(pal_c.substr(pal_c.find("_palette_row[")))) {
        int row = 0;
        char name[64] = {};
        if (std::sscanf(line.c_str(), "\t%d,\t/* %63s */", &row, name) == 2) rows[name] = row;
    }
    return rows;
}

int run_pixcell(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "pixcell");
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    return run(static_cast<int>(argv.size()), argv.data());
}

}  // namespace true_colour

TEST(TrueColourRoundTrip, EveryFormShowsTheArtInRowsOfItsColours) {
    using namespace true_colour;
    const Art art = draw_art();
    TempDir dir;
    const std::string description = dir.file("art.txt");
    // The same picture drawn as a 256-colour sheet, character c in row c: as
    // --palette-from, it must put the true-colour pixels where it has them.
    Sheet twin(art.picture.width, art.picture.height);
    for (std::size_t c = 0; c < 3; ++c) {
        for (std::size_t k = 0; k < 16; ++k) {
            const ColourSheet::Colour colour = k < art.characters[c].size() ? art.characters[c][k] : ColourSheet::Colour{};
            twin.colours.push_back({colour[0], colour[1], colour[2]});
        }
        std::rotate(twin.colours.end() - 16, twin.colours.end() - 1, twin.colours.end());  // slot 0 transparent
    }
    const auto slot_of = [&](std::size_t c, const ColourSheet::Colour& colour) {
        const auto& colours = art.characters[c];
        return static_cast<std::uint8_t>(16 * c + 1 + (std::find(colours.begin(), colours.end(), colour) - colours.begin()));
    };
    for (std::int32_t y = 0; y < twin.height; ++y) {
        for (std::int32_t x = 0; x < twin.width; ++x) {
            const ColourSheet::Colour& colour = art.picture.at(x, y);
            if (colour[3] == 0) continue;
            std::size_t c = static_cast<std::size_t>(y < 16 ? x / 32 : 1);
            twin.at(x, y) = slot_of(c, colour);
        }
    }
    testing::write_file(dir.file("twin.png"), testing::png_bytes(twin, 8));
    testing::write_file(description, "*" + dir.file("twin.png") + "\n" + kSprites);
    std::filesystem::create_directories(dir.file("indexed"));
    std::filesystem::create_directories(dir.file("matched"));
    ASSERT_EQ(run_pixcell({"--werror", description, dir.file("indexed/sprites")}), 0);
    SheetStore twin_sheet;
    const SpriteList sprites = parse_description(testing::read_file(description), twin_sheet).sprites;

    for (const testing::ColourFormatBytes& form : testing::every_true_colour_format(art.picture)) {
        SCOPED_TRACE(form.format);
        testing::write_file(dir.file("art"), form.bytes);
        testing::write_file(description, "*" + dir.file("art") + "\n" + kSprites);
        ASSERT_EQ(run_pixcell({"--palette", "--no-warnings", description, dir.file("out")}), 0);
        const std::string base = dir.file("out");
        const std::vector<Cell> cells = read_cells(read(base + ".s"));
        const auto records = read_records(read(base + "_pat.c"));
        const std::string pal_c = read(base + "_pal.c");
        const std::vector<int> palette = palette_of(pal_c);
        const std::map<std::string, int> rows = rows_of(pal_c);
        EXPECT_EQ(palette.size(), 48u) << "one row per character";
        EXPECT_EQ(rows.at("a1"), rows.at("a_wide"));
        EXPECT_EQ(rows.at("b1"), rows.at("a_in_b"));

        std::size_t next = 0;
        for (const SpriteObject& sprite : sprites) {
            // What the console shows: each cell's slot in the sprite's row.
            ASSERT_LT(next, records.size());
            ASSERT_EQ(records[next].first, sprite.name);
            std::vector<Pixel> shown;
            for (auto [x, y, slot] : shown_pixels(records[next++].second, cells)) {
                shown.emplace_back(x, y, palette[static_cast<std::size_t>(16 * rows.at(sprite.name) + slot)]);
            }
            // What the art has there, as the form keeps it.
            std::vector<Pixel> drawn;
            const SpritePart& part = sprite.parts.front();
            for (std::int64_t v = 0; v < 16; ++v) {
                for (std::int64_t u = 0; u < 16; ++u) {
                    const ColourSheet::Colour& c = art.picture.at(static_cast<std::int32_t>(part.x + u),
                                                                  static_cast<std::int32_t>(part.y + v));
                    if (c[3] == 0) continue;
                    const std::uint8_t red = form.grey ? c[1] : c[0];
                    const std::uint8_t blue = form.grey ? c[1] : c[2];
                    const std::int64_t px = u - part.dx;
                    const std::int64_t py = v - part.dy;
                    drawn.emplace_back((part.flip & 1) ? -1 - px : px, py, console_colour(red, c[1], blue));
                }
            }
            std::sort(shown.begin(), shown.end());
            std::sort(drawn.begin(), drawn.end());
            EXPECT_EQ(shown, drawn) << sprite.name;
        }

        // The game's own rows give the five files of the indexed twin.
        if (form.grey) continue;
        ASSERT_EQ(run_pixcell({"--palette-from=" + dir.file("twin.png"), "--no-warnings", description,
                               dir.file("matched/sprites")}),
                  0);
        for (const char* suffix : {".s", ".h", "_enum.h", "_pat.c", "_pat.h"}) {
            EXPECT_EQ(read(dir.file("matched/sprites") + suffix), read(dir.file("indexed/sprites") + suffix)) << suffix;
        }
    }
}

}  // namespace
}  // namespace pixcell
