// The writer's walk: which objects are written, the order cells are cut in,
// the offsets and flips of the entry lines, and skipping cells off the sheet.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
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

// A 16x16 picture at (cx, cy) that no other seed and no mirror repeats.
void paint_cell(Sheet& sheet, std::int32_t cx, std::int32_t cy, int seed) {
    for (std::int32_t v = 0; v < 16; ++v) {
        for (std::int32_t u = 0; u < 16; ++u) {
            sheet.at(cx + u, cy + v) = static_cast<std::uint8_t>((u + 3 * v + seed) % 15 + 1);
        }
    }
}

// A sheet of distinct cells, `columns` by `rows`, seeds 0, 1, 2, ... row by row.
Sheet distinct_cells(std::int32_t columns, std::int32_t rows) {
    Sheet sheet(16 * columns, 16 * rows);
    for (std::int32_t r = 0; r < rows; ++r) {
        for (std::int32_t c = 0; c < columns; ++c) paint_cell(sheet, 16 * c, 16 * r, r * columns + c);
    }
    return sheet;
}

std::string entry(int index, int x, int y, const char* flip) {
    char line[128];
    std::snprintf(line, sizeof line, "\t\t{ %4d, %3d, %3d, %s, },\n", index, x, y, flip);
    return line;
}

std::string record(const std::string& name, int count, const std::string& entries) {
    return "const SPR_PATTERN " + name + "_ptn = {\n\t\t" + std::to_string(count) + ",\n\t{\n" + entries +
           "\t},\n};\n";
}

std::size_t data_lines(const std::string& asm_text) {
    std::size_t count = 0;
    for (std::size_t at = asm_text.find("\t.short "); at != std::string::npos; at = asm_text.find("\t.short ", at + 1)) {
        ++count;
    }
    return count;
}

struct CellWalk : ::testing::Test {
    TempDir dir;
    testing::CellStore store;
};

TEST_F(CellWalk, OffsetsFollowThePartsFlipBits) {
    const std::string sheet = load_sheet(store, dir, "s.bmp", distinct_cells(2, 2));
    SpriteList list = {
        make_object("plain", sheet, {make_part(0, 0, 16, 16, 0, 0, 0)}),
        make_object("both", sheet, {make_part(0, 0, 16, 16, 0, 0, 3)}),
        make_object("wide", sheet, {make_part(0, 0, 32, 16, 8, 8, 0)}),
        make_object("wide_h", sheet, {make_part(0, 0, 32, 16, 8, 8, 1)}),
        make_object("square_h", sheet, {make_part(0, 0, 32, 32, 16, 16, 1 | 4)}),  // bits above 1 ignored
        make_object("square_v", sheet, {make_part(0, 0, 32, 32, 16, 16, 2)}),
    };
    const GeneratedTexts texts = build_texts(list, store, "t");
    const std::string expected =
        "#include \"t_pat.h\"\n\n" +
        record("plain", 1, entry(0, 0, 0, "SP_NOFLIP")) +
        record("both", 1, entry(0, -16, -16, "SP_HVFLIP")) +
        record("wide", 2, entry(0, -8, -8, "SP_NOFLIP") + entry(1, 8, -8, "SP_NOFLIP")) +
        record("wide_h", 2, entry(0, -8, -8, "SP_HFLIP") + entry(1, -24, -8, "SP_HFLIP")) +
        record("square_h", 4,
               entry(0, 0, -16, "SP_HFLIP") + entry(1, -16, -16, "SP_HFLIP") + entry(2, 0, 0, "SP_HFLIP") +
                   entry(3, -16, 0, "SP_HFLIP")) +
        record("square_v", 4,
               entry(0, -16, 0, "SP_VFLIP") + entry(1, 0, 0, "SP_VFLIP") + entry(2, -16, -16, "SP_VFLIP") +
                   entry(3, 0, -16, "SP_VFLIP")) +
        "const SPR_PATTERN *t_pattern_table[] = {\n"
        "\t[plain] = &plain_ptn ,\n\t[both] = &both_ptn ,\n\t[wide] = &wide_ptn ,\n"
        "\t[wide_h] = &wide_h_ptn ,\n\t[square_h] = &square_h_ptn ,\n\t[square_v] = &square_v_ptn ,\n"
        "};\n";
    EXPECT_EQ(texts.pattern_source_text, expected);
}

TEST_F(CellWalk, MatchedMirrorCombinesWithThePartsFlip) {
    Sheet picture(32, 16);
    paint_cell(picture, 0, 0, 4);
    for (std::int32_t v = 0; v < 16; ++v) {
        for (std::int32_t u = 0; u < 16; ++u) picture.at(16 + u, v) = picture.at(15 - u, v);
    }
    const std::string sheet = load_sheet(store, dir, "m.bmp", picture);
    SpriteList list = {
        make_object("a", sheet, {make_part(0, 0, 16, 16, 8, 8, 0)}),
        make_object("b", sheet, {make_part(16, 0, 16, 16, 0, 0, 0)}),
        make_object("c", sheet, {make_part(16, 0, 16, 16, 0, 0, 1)}),
    };
    const GeneratedTexts texts = build_texts(list, store, "t");
    EXPECT_EQ(store.converted.size(), 1u);
    EXPECT_NE(texts.pattern_source_text.find(record("b", 1, entry(0, 0, 0, "SP_HFLIP"))), std::string::npos);
    // The offsets mirror by the part's flip even though the cell comes back unflipped.
    EXPECT_NE(texts.pattern_source_text.find(record("c", 1, entry(0, -16, 0, "SP_NOFLIP"))), std::string::npos);
    EXPECT_EQ(data_lines(texts.asm_text), 4u);
}

TEST_F(CellWalk, TheLastDescribedPartIsCutFirst) {
    const std::string sheet = load_sheet(store, dir, "s.bmp", distinct_cells(2, 2));
    SpriteList list = {make_object("three", sheet,
                                   {make_part(0, 0, 16, 16, 1, 0), make_part(16, 0, 16, 16, 2, 0),
                                    make_part(0, 16, 16, 16, 3, 0)})};
    const GeneratedTexts texts = build_texts(list, store, "t");

    EXPECT_EQ(texts.enum_text, "#ifndef t_ENUM_H\n#define t_ENUM_H\nenum {\n\tthree,\n};\n#endif\n");
    EXPECT_NE(texts.pattern_source_text.find(record(
                  "three", 3, entry(0, -3, 0, "SP_NOFLIP") + entry(1, -2, 0, "SP_NOFLIP") + entry(2, -1, 0, "SP_NOFLIP"))),
              std::string::npos);
    // Cell 0 of the table is the one the last part cut.
    testing::CellStore fresh;
    ASSERT_TRUE(fresh.load(sheet));
    FlipFlags flip = 0;
    ASSERT_EQ(fresh.add_cell(sheet, 0, 16, flip), 0);
    EXPECT_EQ(store.converted[0], fresh.cell(0));
}

TEST_F(CellWalk, ListedObjectsWithoutCellsKeepTheirEnumeratorOnly) {
    Sheet picture = distinct_cells(2, 1);
    for (std::int32_t v = 0; v < 16; ++v) {
        for (std::int32_t u = 0; u < 16; ++u) picture.at(u, v) = static_cast<std::uint8_t>(16 * (u % 4));
    }
    const std::string sheet = load_sheet(store, dir, "s.bmp", picture);
    SpriteList list = {
        make_object("blank", sheet, {make_part(0, 0, 16, 16, 8, 8)}),
        make_object("nothing", sheet, {}),
        make_object("narrow", sheet, {make_part(16, 0, 15, 16, 0, 0)}),
        make_object("solid", sheet, {make_part(16, 0, 16, 16, 8, 8)}),
    };
    const GeneratedTexts texts = build_texts(list, store, "t");
    EXPECT_EQ(texts.enum_text,
              "#ifndef t_ENUM_H\n#define t_ENUM_H\nenum {\n\tblank,\n\tnarrow,\n\tsolid,\n};\n#endif\n");
    EXPECT_EQ(texts.pattern_source_text,
              "#include \"t_pat.h\"\n\n" + record("solid", 1, entry(0, -8, -8, "SP_NOFLIP")) +
                  "const SPR_PATTERN *t_pattern_table[] = {\n\t[solid] = &solid_ptn ,\n};\n");
}

TEST_F(CellWalk, ObjectOfAMissingSheetIsSkippedAndLeavesNoTrace) {
    const std::string sheet = load_sheet(store, dir, "s.bmp", distinct_cells(2, 1));
    SpriteList list = {
        make_object("ghost", "nope.bmp", {make_part(0, 0, 16, 16, 0, 0), make_part(16, 0, 16, 16, 0, 0)}),
        make_object("", "", {make_part(0, 0, 16, 16, 0, 0)}),
        make_object("hero", sheet, {make_part(16, 0, 16, 16, 0, 0)}),
    };
    std::vector<std::size_t> skipped;
    const GeneratedTexts texts = build_texts(list, store, "t", &skipped);
    EXPECT_EQ(skipped, (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(texts.enum_text, "#ifndef t_ENUM_H\n#define t_ENUM_H\nenum {\n\thero,\n};\n#endif\n");
    EXPECT_NE(texts.pattern_source_text.find(record("hero", 1, entry(0, 0, 0, "SP_NOFLIP"))), std::string::npos);
    EXPECT_EQ(store.converted.size(), 1u);
}

TEST_F(CellWalk, LongNamesAreWrittenWhole) {
    const std::string sheet = load_sheet(store, dir, "s.bmp", distinct_cells(1, 1));
    const std::string ident(5000, 'i');
    const std::string name = std::string(3000, 'n') + "_end";
    SpriteList list = {make_object(name, sheet, {make_part(0, 0, 16, 16, 0, 0)})};
    const GeneratedTexts texts = build_texts(list, store, ident);
    EXPECT_NE(texts.asm_text.find("\t.global\t" + ident + "_chr\n"), std::string::npos);
    EXPECT_NE(texts.chr_header_text.find("extern const CHR_PAT " + ident + "_chr[];\n"), std::string::npos);
    EXPECT_NE(texts.enum_text.find("\t" + name + ",\n"), std::string::npos);
    EXPECT_NE(texts.pattern_source_text.find("const SPR_PATTERN " + name + "_ptn = {\n"), std::string::npos);
    EXPECT_NE(texts.pattern_source_text.find("\t[" + name + "] = &" + name + "_ptn ,\n"), std::string::npos);
    EXPECT_NE(texts.pattern_header_text.find("#include \"" + ident + "_enum.h\"\n"), std::string::npos);
}

}  // namespace
}  // namespace pixcell
