// Cells off the sheet are skipped without being visited: the texts must be
// those of a walk over every cell, and a huge part must cost no more than the
// sheet's own cells.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <random>
#include <string>

#include "support/cell_store.h"
#include "output/render_texts.h"
#include "output_test_support.h"

namespace pixcell {
namespace {

using output_test::load_sheet;
using output_test::make_object;
using output_test::make_part;
using output_test::TempDir;
using testing::Sheet;

std::int32_t wrapped(std::uint32_t value) { return static_cast<std::int32_t>(value); }

// The pattern source as a walk over every cell of every part gives it, with
// 32-bit wrapping arithmetic and printf's formats.
std::string every_cell_pattern_source(SpriteList list, testing::CellStore& store, const std::string& ident) {
    std::string records;
    std::string table;
    char line[160];
    for (SpriteObject& object : list) {
        if (store.find(object.bitmap) < 0) continue;
        std::reverse(object.parts.begin(), object.parts.end());
        if (object.parts.empty()) continue;
        std::string entries;
        int count = 0;
        for (const SpritePart& part : object.parts) {
            const FlipFlags part_flip = part.flip & 3;
            for (std::int32_t k = 0; k < part.height / 16; ++k) {
                for (std::int32_t l = 0; l < part.width / 16; ++l) {
                    const auto column = static_cast<std::uint32_t>(16 * l);
                    const auto row = static_cast<std::uint32_t>(16 * k);
                    FlipFlags flip = part_flip;
                    const std::int32_t index =
                        store.add_cell(object.bitmap, wrapped(static_cast<std::uint32_t>(part.x) + column),
                                       wrapped(static_cast<std::uint32_t>(part.y) + row), flip);
                    if (index < 0) continue;
                    ++count;
                    const auto dx = static_cast<std::uint32_t>(part.dx);
                    const auto dy = static_cast<std::uint32_t>(part.dy);
                    const std::int32_t x_offset = wrapped((part_flip & 1) ? dx - column - 16 : column - dx);
                    const std::int32_t y_offset = wrapped((part_flip & 2) ? dy - row - 16 : row - dy);
                    std::snprintf(line, sizeof line, "\t\t{ %4d, %3d, %3d, %s, },\n", index, x_offset, y_offset,
                                  flip_names[flip]);
                    entries += line;
                }
            }
        }
        if (count == 0) continue;
        std::snprintf(line, sizeof line, "\t\t%d,\n\t{\n", count);
        records += "const SPR_PATTERN " + object.name + "_ptn = {\n" + line + entries + "\t},\n};\n";
        table += "\t[" + object.name + "] = &" + object.name + "_ptn ,\n";
    }
    return "#include \"" + ident + "_pat.h\"\n\n" + records + "const SPR_PATTERN *" + ident +
           "_pattern_table[] = {\n" + table + "};\n";
}

Sheet random_sheet(std::mt19937& random, std::int32_t width, std::int32_t height) {
    Sheet sheet(width, height);
    std::uniform_int_distribution<int> pixel(0, 255);
    std::bernoulli_distribution blank(0.5);
    for (std::uint8_t& p : sheet.pixels) p = blank(random) ? 0 : static_cast<std::uint8_t>(pixel(random));
    return sheet;
}

TEST(CellClip, SkippingOffSheetCellsChangesNothing) {
    std::mt19937 random(1234);
    for (int round = 0; round < 8; ++round) {
        TempDir dir;
        const bool top_down = round % 2 == 1;
        const Sheet picture = random_sheet(random, 24 + 8 * round, 40 - 4 * round);
        testing::CellStore store;
        testing::CellStore reference;
        const std::string sheet = load_sheet(store, dir, "s.bmp", picture, top_down);
        ASSERT_TRUE(reference.load(sheet));

        std::uniform_int_distribution<std::int32_t> place(-200, 200);
        std::uniform_int_distribution<std::int32_t> size(-40, 400);
        std::uniform_int_distribution<std::int32_t> origin(INT32_MIN, INT32_MAX);
        std::uniform_int_distribution<std::int32_t> flip(0, 7);
        SpriteList list;
        for (int n = 0; n < 6; ++n) {
            std::vector<SpritePart> parts;
            for (int p = 0; p < 3; ++p) {
                parts.push_back(make_part(place(random), place(random), size(random), size(random),
                                          n % 2 ? origin(random) : place(random), place(random), flip(random)));
            }
            list.push_back(make_object("obj" + std::to_string(n), sheet, parts));
        }
        // Hanging past every edge at once, and starts whose cells wrap in 32 bits.
        list.push_back(make_object("over", sheet, {make_part(-160, -176, 640, 640, 7, -9, 3)}));
        list.push_back(make_object("wrap", sheet,
                                   {make_part(INT32_MAX - 40, INT32_MAX - 40, 160, 160, INT32_MIN, INT32_MAX, 1),
                                    make_part(INT32_MIN, -8, 320, 48, INT32_MAX, INT32_MIN, 2),
                                    make_part(-8, INT32_MIN + 8, 48, 320, 5, 5, 0)}));

        const std::string expected = every_cell_pattern_source(list, reference, "c");
        const GeneratedTexts texts = build_texts(list, store, "c");
        EXPECT_EQ(texts.pattern_source_text, expected) << "round " << round;
        ASSERT_EQ(store.converted.size(), reference.cell_count());
        for (std::uint32_t i = 0; i < store.converted.size(); ++i) {
            EXPECT_EQ(store.converted[i], reference.cell(i));
        }
    }
}

TEST(CellClip, GiantPartsCostOnlyTheSheetsCells) {
    TempDir dir;
    Sheet picture(32, 32, 1);
    for (std::int32_t i = 0; i < 32; ++i) picture.at(i, i) = 2;  // cells: diagonal, flat, flat, diagonal
    testing::CellStore store;
    const std::string sheet = load_sheet(store, dir, "s.bmp", picture);
    constexpr std::int32_t kHuge = 2147483632;  // the largest multiple of 16
    constexpr std::int32_t kFar = INT32_MIN + 48;  // its cells 134217725 and 134217726 lie at 0 and 16
    SpriteList list = {
        make_object("far", sheet, {make_part(kFar, kFar, kHuge, kHuge, INT32_MIN, INT32_MIN, 0)}),
        make_object("far_hv", sheet, {make_part(kFar, kFar, kHuge, kHuge, INT32_MIN, INT32_MIN, 3)}),
        make_object("beyond", sheet, {make_part(kHuge, kHuge, kHuge, kHuge, 0, 0, 0)}),
        make_object("near", sheet, {make_part(-16, -16, kHuge, kHuge, 0, 0, 0)}),
    };
    const auto start = std::chrono::steady_clock::now();
    const GeneratedTexts texts = build_texts(list, store, "g");
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::seconds(1));

    // 16 * 134217725 - (-2^31) wraps to -48; -2^31 - 16 * 134217725 - 16 wraps to 32.
    const std::string source = texts.pattern_source_text;
    EXPECT_NE(source.find("far_ptn = {\n\t\t4,\n\t{\n"
                          "\t\t{    0, -48, -48, SP_NOFLIP, },\n\t\t{    1, -32, -48, SP_NOFLIP, },\n"
                          "\t\t{    1, -48, -32, SP_NOFLIP, },\n\t\t{    0, -32, -32, SP_NOFLIP, },\n"),
              std::string::npos)
        << source;
    EXPECT_NE(source.find("far_hv_ptn = {\n\t\t4,\n\t{\n"
                          "\t\t{    0,  32,  32, SP_HVFLIP, },\n\t\t{    1,  16,  32, SP_HVFLIP, },\n"
                          "\t\t{    1,  32,  16, SP_HVFLIP, },\n\t\t{    0,  16,  16, SP_HVFLIP, },\n"),
              std::string::npos)
        << source;
    EXPECT_EQ(source.find("beyond_ptn"), std::string::npos);
    EXPECT_NE(source.find("near_ptn = {\n\t\t4,\n\t{\n\t\t{    0,  16,  16, SP_NOFLIP, },\n"), std::string::npos);
    EXPECT_NE(texts.enum_text.find("\tbeyond,\n"), std::string::npos);
}

}  // namespace
}  // namespace pixcell
