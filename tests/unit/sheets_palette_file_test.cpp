// The palettes of --palette-from: each kind of file once, and each way one
// can't be used, with the line at fault.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheets/palette_file.h"
#include "support/sheet_writer.h"
#include "support/temp_dir.h"
#include "support/true_colour_writer.h"

namespace pixcell {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Colours = std::vector<std::array<std::uint8_t, 3>>;

Colours colours_of(const Palette& palette) {
    Colours colours;
    for (const Rgb& colour : palette) colours.push_back({colour.red, colour.green, colour.blue});
    return colours;
}

Bytes text(const std::string& content) { return Bytes(content.begin(), content.end()); }

TEST(PaletteFiles, EachKindGivesItsColoursInOrder) {
    testing::Sheet sheet(8, 8, 3);
    for (int i = 0; i < 20; ++i)
        sheet.colours.push_back({static_cast<std::uint8_t>(i), 7, static_cast<std::uint8_t>(200 - i)});
    const Colours first16(sheet.colours.begin(), sheet.colours.begin() + 16);
    const Colours three = {{255, 0, 0}, {0, 128, 255}, {1, 2, 3}};
    const struct {
        std::string what;
        Bytes bytes;
        Colours colours;
    } cases[] = {
        {"indexed png", testing::png_bytes(sheet, 4), first16},
        {"bmp", testing::short_table_bmp_bytes(sheet, 8, 20), sheet.colours},
        {"jasc", text("JASC-PAL\r\n0100\r\n3\r\n255 0 0\r\n0 128 255\r\n1 2 3\r\n"), three},
        {"gimp", text("GIMP Palette\nName: Hero\nColumns: 4\n#\n255   0   0\tRed\n  0 128 255 Sky blue\n\n1 2 3\n"),
         three},
        {"hex",
         text("\xEF\xBB\xBF"
              "# the game's rows\nff0000\n  #0080FF \t\n\n#\n010203"),
         three},
    };
    testing::TempDir dir;
    for (const auto& c : cases) {
        testing::write_file(dir.file(c.what), c.bytes);
        const PaletteFile file = read_palette_file(dir.file(c.what));
        EXPECT_TRUE(file.opened) << c.what;
        ASSERT_TRUE(file.colours) << c.what << ": " << file.problem;
        EXPECT_EQ(colours_of(*file.colours), c.colours) << c.what;
    }
}

TEST(PaletteFiles, RefusedWithTheLineAndWhatWasExpected) {
    std::string many;
    for (int i = 0; i < 257; ++i) many += "#102030\n";
    Bytes cut = testing::png_bytes(testing::Sheet(8, 8, 1), 4);
    cut.resize(cut.size() - 20);
    const struct {
        std::string what;
        Bytes bytes;
        std::string reason;
        std::int64_t line = 0;  // the line the run quotes
        std::string line_text = {};
    } cases[] = {
        {"hex", text("ff0000\n\nnot a colour \r\n"), "line 3: expected a colour as RRGGBB or #RRGGBB", 3,
         "not a colour"},
        {"hex of 7 digits", text("#1234567\n"), "line 1: expected a colour as RRGGBB or #RRGGBB"},
        {"jasc version", text("JASC-PAL\n0200\n"), "line 2: expected 0100, the version of a JASC-PAL file", 2, "0200"},
        {"jasc header", text("Jasc-Pal 0100\n"),
         "line 1: a JASC-PAL file starts with the line JASC-PAL, then 0100 and the number of colours", 1,
         "Jasc-Pal 0100"},
        {"gimp header", text("GIMP palette\n"), "line 1: a GIMP palette starts with the line GIMP Palette", 1,
         "GIMP palette"},
        {"jasc count", text("JASC-PAL\n0100\nmany\n"), "line 3: expected the number of colours of the JASC-PAL file"},
        {"jasc colour", text("JASC-PAL\n0100\n2\n1 2 3\n1 2 256\n"),
         "line 5: expected a colour as three numbers from 0 to 255 (red, green, blue)"},
        {"jasc short", text("JASC-PAL\n0100\n3\n1 2 3\n"),
         "the file ends after 1 of the 3 colours that its line 3 announces"},
        {"jasc long", text("JASC-PAL\n0100\n1\n1 2 3\n4 5 6\n"),
         "line 5: more colours than the 1 that line 3 announces"},
        {"gimp", text("GIMP Palette\n# two numbers\n1 2\n"),
         "line 3: expected a colour as three numbers from 0 to 255 (red, green, blue)", 3, "1 2"},
        {"257 colours", text(many), "257 colours, more than the 256 of the console's sprite palette"},
        {"empty", text(""), "no colour in the file"},
        {"blank", text("\n  \n"), "no colour in the file"},
        {"true colour", testing::every_true_colour_format(testing::ColourSheet(2, 2))[0].bytes,
         "a true-colour image, which has no colour table: give an indexed PNG or BMP, or a palette file"},
        {"gif", text("GIF89a..."), "a GIF image: save it as PNG or BMP"},
        {"cut png", cut, "the PNG data ends early, the file is cut short"},
    };
    testing::TempDir dir;
    for (const auto& c : cases) {
        testing::write_file(dir.file(c.what), c.bytes);
        const PaletteFile file = read_palette_file(dir.file(c.what));
        EXPECT_TRUE(file.opened) << c.what;
        EXPECT_FALSE(file.colours) << c.what;
        EXPECT_EQ(file.problem, c.reason) << c.what;
        if (c.line > 0) {
            EXPECT_EQ(file.problem_line, c.line) << c.what;
            EXPECT_EQ(file.problem_text, c.line_text) << c.what;
        }
    }
    EXPECT_FALSE(read_palette_file(dir.file("missing")).opened);
}

}  // namespace
}  // namespace pixcell
