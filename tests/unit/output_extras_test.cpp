// The extra outputs: each sheet's colours for the console, and the preview,
// which must show each sprite as the console would, cell for cell.
#include <gtest/gtest.h>
#include <spng.h>

#include <filesystem>
#include <memory>

#include "cells/convert.h"
#include "console/harness/expected_picture.h"
#include "console/harness/sheet_pixels.h"
#include "description/parse_description.h"
#include "output/palette_texts.h"
#include "output/preview.h"
#include "support/sheet_writer.h"
#include "support/temp_dir.h"

namespace pixcell {
namespace {

using testing::Sheet;

// 16 colours no two alike in 15 bits, and none grey, so a swapped channel
// or a wrong entry shows.
std::vector<std::array<std::uint8_t, 3>> sixteen_colours() {
    std::vector<std::array<std::uint8_t, 3>> colours;
    for (int i = 0; i < 16; ++i) {
        colours.push_back({static_cast<std::uint8_t>(8 * i + 7), static_cast<std::uint8_t>(255 - 16 * i),
                           static_cast<std::uint8_t>(i % 2 ? 200 : 40)});
    }
    return colours;
}

TEST(Palettes, ConsoleColoursAndIdentifiers) {
    testing::TempDir dir;
    std::filesystem::create_directories(dir.file("a"));
    std::filesystem::create_directories(dir.file("b"));
    Sheet sheet(16, 16, 1);
    sheet.colours = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {8, 16, 24}};
    testing::write_file(dir.file("a/hero.bmp"), testing::indexed_bmp_bytes(sheet, 4));
    testing::write_file(dir.file("b/hero.png"), testing::png_bytes(sheet, 2));
    testing::write_file(dir.file("2x-y.v1.bmp"), testing::indexed_bmp_bytes(sheet, 1));
    testing::write_file(dir.file("hero_2.png"), testing::png_bytes(sheet, 1));
    SheetStore sheets;
    for (const char* name : {"a/hero.bmp", "b/hero.png", "2x-y.v1.bmp", "hero_2.png"}) {
        ASSERT_TRUE(sheets.load(dir.file(name)));
    }
    EXPECT_EQ(palette_names(sheets, "gfx"),
              (std::vector<std::string>{"gfx_hero_pal", "gfx_hero_2_pal", "gfx__2x_y_v1_pal", "gfx_hero_2_2_pal"}));

    Diagnostics diagnostics;
    const PaletteTexts texts = render_palettes(sheets, {}, Conversion{}, "gfx", diagnostics);
    EXPECT_EQ(texts.header,
              "#ifndef gfx_PAL_H\n#define gfx_PAL_H\n#include <gba.h>\n"
              "extern const u16 gfx_hero_pal[16];\n#define gfx_hero_pal_FIRST_ROW 0\n"
              "extern const u16 gfx_hero_2_pal[4];\n#define gfx_hero_2_pal_FIRST_ROW 0\n"
              "extern const u16 gfx__2x_y_v1_pal[2];\n#define gfx__2x_y_v1_pal_FIRST_ROW 0\n"
              "extern const u16 gfx_hero_2_2_pal[2];\n#define gfx_hero_2_2_pal_FIRST_ROW 0\n#endif\n");
    // Red in the low five bits, then green, then blue: each the top five of eight.
    EXPECT_NE(texts.source.find("const u16 gfx_hero_2_pal[4] = {\n\t0x001F, 0x03E0, 0x7C00, 0x0C41,\n};\n"),
              std::string::npos);
    EXPECT_NE(texts.source.find("const u16 gfx_hero_pal[16] = {\n\t0x001F, 0x03E0, 0x7C00, 0x0C41, 0x2108,"),
              std::string::npos);
    EXPECT_EQ(texts.source.rfind("#include \"gfx_pal.h\"\n", 0), 0u);
    EXPECT_EQ(diagnostics.warnings(), 0u);
}

// The PNG's pixels as RGBA, read back with libspng.
std::vector<std::uint8_t> decode_rgba(const std::string& png, std::uint32_t& width, std::uint32_t& height) {
    std::unique_ptr<spng_ctx, void (*)(spng_ctx*)> ctx(spng_ctx_new(0), spng_ctx_free);
    spng_set_png_buffer(ctx.get(), png.data(), png.size());
    spng_ihdr header{};
    EXPECT_EQ(spng_get_ihdr(ctx.get(), &header), 0);
    width = header.width;
    height = header.height;
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    EXPECT_EQ(spng_decode_image(ctx.get(), rgba.data(), rgba.size(), SPNG_FMT_RGBA8, 0), 0);
    return rgba;
}

TEST(Preview, EachSpriteLooksAsTheConsoleWouldShowIt) {
    testing::TempDir dir;
    // Cells with every colour, some mirror images of others, so that cells
    // are shown flipped; an asymmetric mark in each makes a wrong flip show.
    // Blocks are drawn in palette rows 1, 2 and 3, each row in colours of
    // its own, so that a sprite drawn in a wrong row shows.
    Sheet sheet(64, 48);
    for (int row = 0; row < 16; ++row) {
        for (const auto& colour : sixteen_colours()) {
            sheet.colours.push_back({colour[0], static_cast<std::uint8_t>(colour[1] ^ row * 16), colour[2]});
        }
    }
    for (std::int32_t y = 0; y < sheet.height; ++y) {
        for (std::int32_t x = 0; x < sheet.width; ++x) {
            const std::int32_t u = x % 16;
            const std::int32_t v = y % 16;
            const std::int32_t mirrored_u = (x / 16) % 2 ? 15 - u : u;
            const std::int32_t low = (mirrored_u * 3 + v * 5 + y / 16) % 16;
            sheet.at(x, y) = static_cast<std::uint8_t>(low == 0 ? 0 : (x / 16 + y / 16) % 3 * 16 + 16 + low);
            if (u < 3 && v < 2) sheet.at(x, y) = 0;
        }
    }
    const std::string path = dir.file("s.bmp");
    testing::write_bmp(path, sheet);
    const std::string text = "*" + path +
                             "\n"
                             "plain    0,0 32x32\n"
                             "turned   0,0 32x16 [4,-3] hv\n"
                             "parts    0,16 16x16 v\n"
                             "+        32,16 32x32 [-8,5] h\n"
                             "+        16,0 16x16\n";
    SheetStore sheets;
    const Description description = parse_description(text, sheets);
    ASSERT_EQ(description.sprites.size(), 3u);
    const Conversion conversion = convert(description.sprites, sheets);
    std::string problem;
    const std::optional<Preview> preview = draw_preview(description.sprites, conversion, sheets, problem);
    ASSERT_TRUE(preview) << problem;
    std::string png;
    ASSERT_TRUE(encode_png(preview->picture, png));
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    const std::vector<std::uint8_t> rgba = decode_rgba(png, width, height);
    ASSERT_EQ(width, preview->picture.width);
    ASSERT_EQ(height, preview->picture.height);

    std::string error;
    const std::optional<console::SheetPixels> pixels = console::read_sheet(path, error);
    ASSERT_TRUE(pixels) << error;
    ASSERT_EQ(preview->frames.size(), 3u);
    for (const Frame& frame : preview->frames) {
        const SpriteObject& sprite = description.sprites[frame.sprite];
        SCOPED_TRACE(sprite.name);
        console::View view;
        view.origin_x = 120;
        view.origin_y = 80;
        view.window = {-1000, -1000, 1000, 1000};
        const console::ExpectedPicture expected =
            expected_picture(console::shown_cells(sprite, *pixels), *pixels, view);
        const int row = console::palette_row(sprite, *pixels);
        int compared = 0;
        for (std::int64_t sy = 0; sy < kScreenHeight; ++sy) {
            for (std::int64_t sx = 0; sx < kScreenWidth; ++sx) {
                const std::int64_t fx = frame.origin_x + sx - view.origin_x;
                const std::int64_t fy = frame.origin_y + sy - view.origin_y;
                const std::uint16_t allowed = expected[static_cast<std::size_t>(sy * kScreenWidth + sx)];
                if (fx < 0 || fy < 0 || fx >= frame.width || fy >= frame.height) {
                    ASSERT_EQ(allowed, 1) << "shown outside the frame at " << sx << "," << sy;
                    continue;
                }
                const std::uint8_t* p =
                    &rgba[static_cast<std::size_t>(((frame.y + fy) * width + frame.x + fx) * 4)];
                // The origin's plus sign, over the sprite.
                const std::int64_t from_origin = std::abs(fx - frame.origin_x) + std::abs(fy - frame.origin_y);
                if (from_origin <= 1) {
                    EXPECT_TRUE(p[0] == 255 && p[1] == 0 && p[2] == 255 && p[3] == 128)
                        << "no mark at " << fx << "," << fy;
                    continue;
                }
                int entry = 0;
                if (p[3] != 0) {
                    entry = -1;
                    for (int e = 1; e < 16; ++e) {
                        // As the console shows it: 5 bits a channel, widened back.
                        auto c = sheet.colours[static_cast<std::size_t>(16 * row + e)];
                        for (std::uint8_t& channel : c) channel = static_cast<std::uint8_t>((channel & 0xF8) | channel >> 5);
                        if (p[0] == c[0] && p[1] == c[1] && p[2] == c[2]) entry = e;
                    }
                }
                ASSERT_GE(entry, 0) << "a colour of no entry of row " << row << " at " << fx << "," << fy;
                ASSERT_TRUE(allowed & (1u << entry)) << "entry " << entry << " at " << fx << "," << fy;
                compared += entry != 0;
            }
        }
        EXPECT_GT(compared, 200);
        // One frame for all, so the origins line up.
        EXPECT_EQ(frame.width, preview->frames[0].width);
        EXPECT_EQ(frame.height, preview->frames[0].height);
        EXPECT_EQ(frame.origin_x, preview->frames[0].origin_x);
        EXPECT_EQ(frame.origin_y, preview->frames[0].origin_y);
    }
}

// Frames that would be wider than a row fall back to each sprite's own box,
// with the mark where the origin lies in it.
TEST(Preview, FarApartOriginsFrameEachSpriteAlone) {
    testing::TempDir dir;
    Sheet sheet(32, 16);
    sheet.colours = sixteen_colours();
    for (std::int32_t x = 0; x < sheet.width; ++x) sheet.at(x, 5) = 3;
    const std::string path = dir.file("s.bmp");
    testing::write_bmp(path, sheet);
    SheetStore sheets;
    const Description description =
        parse_description("*" + path + "\nnear 0,0 32x16 [-4,2]\nfar 0,0 16x16 [-1100,0]\n", sheets);
    const Conversion conversion = convert(description.sprites, sheets);
    std::string problem;
    const std::optional<Preview> preview = draw_preview(description.sprites, conversion, sheets, problem);
    ASSERT_TRUE(preview) << problem;
    ASSERT_EQ(preview->frames.size(), 2u);
    const Frame& near = preview->frames[0];
    EXPECT_EQ(near.width, 32);
    EXPECT_EQ(near.height, 16);
    EXPECT_EQ(near.origin_x, 12);
    EXPECT_EQ(near.origin_y, 10);
    EXPECT_EQ(preview->frames[1].width, 16);
    EXPECT_EQ(preview->frames[1].origin_x, -1092);
    int marks = 0;
    const std::vector<std::uint8_t>& rgba = preview->picture.rgba;
    for (std::size_t i = 0; i < rgba.size(); i += 4) marks += rgba[i + 3] == 128;
    EXPECT_EQ(marks, 5);  // the far sprite's origin lies outside its frame
    const std::size_t centre = static_cast<std::size_t>(((near.y + 10) * preview->picture.width + near.x + 12) * 4);
    EXPECT_EQ(rgba[centre + 3], 128);
}

// With --objects each frame outlines the sprite's objects, where they lie
// from its origin, and grows to hold one that overhangs the cells.
TEST(Preview, ObjectsAreOutlinedWhereTheyFall) {
    testing::TempDir dir;
    Sheet sheet(32, 16);
    sheet.colours = sixteen_colours();
    for (std::int32_t y = 3; y < 9; ++y) sheet.at(13, y) = 2;  // a stroke at a cell's right edge
    const std::string path = dir.file("s.bmp");
    testing::write_bmp(path, sheet);
    SheetStore sheets;
    const Description description = parse_description("*" + path + "\nstroke 0,0 16x16\n", sheets);
    const Conversion conversion = convert(description.sprites, sheets);
    ObjectConversion objects;
    objects.objects = {{5, -5, 0, 0, 0}};  // an 8x8 reaching 5 pixels right of the cell
    objects.sprites = {{0, 1}};
    std::string problem;
    const std::optional<Preview> preview = draw_preview(description.sprites, conversion, sheets, problem, &objects);
    ASSERT_TRUE(preview) << problem;
    const Frame& frame = preview->frames.at(0);
    EXPECT_EQ(frame.width, 21);
    const auto alpha = [&](std::int64_t x, std::int64_t y) {
        return preview->picture.rgba[static_cast<std::size_t>(
            ((frame.y + frame.origin_y + y) * preview->picture.width + frame.x + frame.origin_x + x) * 4 + 3)];
    };
    for (const auto& corner : {std::pair{5, -5}, std::pair{12, -5}, std::pair{5, 2}, std::pair{12, 2}}) {
        EXPECT_EQ(alpha(corner.first, corner.second), 128) << corner.first << "," << corner.second;
    }
    EXPECT_EQ(alpha(8, -2), 0);  // inside the outline, off the stroke
}

}  // namespace
}  // namespace pixcell
