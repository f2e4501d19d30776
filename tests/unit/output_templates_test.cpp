// The exact bytes of the generated texts: heads and tails, number formats,
// the cell data lines.
#include <gtest/gtest.h>

#include <string>

#include "support/cell_store.h"
#include "output/text_templates.h"
#include "output/render_texts.h"

namespace pixcell {
namespace {

TEST(OutputTemplates, EmptyListGivesHeadsAndTailsOnly) {
    SpriteList list;
    testing::CellStore store;
    const GeneratedTexts texts = build_texts(list, store, "hero");

    EXPECT_EQ(texts.asm_text,
              "\t.section\t.rodata\n"
              "\t.align\t2\n"
              "\t.global\thero_chr\n"
              "\t.type\thero_chr, object\n"
              "hero_chr:\n"
              "\t.ident \"pxcnv\"\n");
    EXPECT_EQ(texts.chr_header_text,
              "#ifndef hero_CHR_H\n"
              "#define hero_CHR_H\n"
              "#include <gba.h>\n"
              "#ifndef PIXCELL_CHR_PAT\n"
              "#define PIXCELL_CHR_PAT\n"
              "typedef struct { u16 chr[64]; } CHR_PAT;\n"
              "#endif\n"
              "extern const CHR_PAT hero_chr[];\n"
              "#endif\n");
    EXPECT_EQ(texts.enum_text,
              "#ifndef hero_ENUM_H\n"
              "#define hero_ENUM_H\n"
              "enum {\n"
              "};\n"
              "#endif\n");
    EXPECT_EQ(texts.pattern_source_text,
              "#include \"hero_pat.h\"\n"
              "\n"
              "const SPR_PATTERN *hero_pattern_table[] = {\n"
              "};\n");
    EXPECT_EQ(texts.pattern_header_text,
              "#ifndef hero_PAT_H\n"
              "#define hero_PAT_H\n"
              "#include <gba.h>\n"
              "#include <sprite16.h>\n"
              "#include \"hero_enum.h\"\n"
              "#include \"hero.h\"\n"
              "extern const SPR_PATTERN *hero_pattern_table[];\n"
              "#endif\n");
}

TEST(OutputTemplates, IdentBaseIsNeverChangedInCase) {
    SpriteList list;
    testing::CellStore store;
    const GeneratedTexts texts = build_texts(list, store, "Hero_x");
    EXPECT_NE(texts.asm_text.find("Hero_x_chr:\n"), std::string::npos);
    EXPECT_EQ(texts.chr_header_text.rfind("#ifndef Hero_x_CHR_H\n", 0), 0u);
    EXPECT_NE(texts.pattern_header_text.find("#include \"Hero_x.h\"\n"), std::string::npos);
}

TEST(OutputTemplates, EntryLineNumberFormats) {
    std::string out;
    append_entry_line(out, {12, -8, -112, 1});
    append_entry_line(out, {0, 0, 0, 0});
    append_entry_line(out, {9999, 999, -99, 2});
    append_entry_line(out, {123456, -2147483647 - 1, 2147483647, 3});
    EXPECT_EQ(out,
              "\t\t{   12,  -8, -112, SP_HFLIP, },\n"
              "\t\t{    0,   0,   0, SP_NOFLIP, },\n"
              "\t\t{ 9999, 999, -99, SP_VFLIP, },\n"
              "\t\t{ 123456, -2147483648, 2147483647, SP_HVFLIP, },\n");
}

TEST(OutputTemplates, RecordAndTableLines) {
    std::string source;
    append_pattern_record(source, "hero", 2,
                          "\t\t{    0, -16, -16, SP_NOFLIP, },\n\t\t{    1,   0, -16, SP_NOFLIP, },\n");
    EXPECT_EQ(source,
              "const SPR_PATTERN hero_ptn = {\n"
              "\t\t2,\n"
              "\t{\n"
              "\t\t{    0, -16, -16, SP_NOFLIP, },\n"
              "\t\t{    1,   0, -16, SP_NOFLIP, },\n"
              "\t},\n"
              "};\n");
    std::string table;
    append_table_line(table, "hero");
    EXPECT_EQ(table, "\t[hero] = &hero_ptn ,\n");
    std::string count;
    append_pattern_record(count, "x", 3000000000LL, "");
    EXPECT_EQ(count, "const SPR_PATTERN x_ptn = {\n\t\t3000000000,\n\t{\n\t},\n};\n");
}

TEST(OutputTemplates, CellDataIsFourTileLinesOfUpperCaseHex) {
    Cell cell{};
    for (std::size_t i = 0; i < cell.size(); ++i) cell[i] = static_cast<std::uint16_t>(i);
    cell[0] = 0x000A;
    cell[1] = 0xBEEF;
    cell[17] = 0xFFFF;
    cell[63] = 0x1234;
    std::string out(kCellDataLength + 1, '#');
    // Exactly kCellDataLength characters are written: the sentinel survives.
    EXPECT_EQ(put_cell_data(&out[0], cell), &out[kCellDataLength]);
    EXPECT_EQ(out.back(), '#');
    out.pop_back();
    EXPECT_EQ(out,
              "\t.short 0x000A,0xBEEF,0x0002,0x0003,0x0004,0x0005,0x0006,0x0007,"
              "0x0008,0x0009,0x000A,0x000B,0x000C,0x000D,0x000E,0x000F\n"
              "\t.short 0x0010,0xFFFF,0x0012,0x0013,0x0014,0x0015,0x0016,0x0017,"
              "0x0018,0x0019,0x001A,0x001B,0x001C,0x001D,0x001E,0x001F\n"
              "\t.short 0x0020,0x0021,0x0022,0x0023,0x0024,0x0025,0x0026,0x0027,"
              "0x0028,0x0029,0x002A,0x002B,0x002C,0x002D,0x002E,0x002F\n"
              "\t.short 0x0030,0x0031,0x0032,0x0033,0x0034,0x0035,0x0036,0x0037,"
              "0x0038,0x0039,0x003A,0x003B,0x003C,0x003D,0x003E,0x1234\n");
}

}  // namespace
}  // namespace pixcell
