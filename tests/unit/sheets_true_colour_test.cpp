// True-colour sheets: one picture written in every form reads as the same
// colours (as the console shows them) and the same transparency; while the
// store refuses them, each is refused as before; the new refusals and limits.
#include <gtest/gtest.h>
#include <spng.h>

#include <random>
#include <string>
#include <vector>

#include "sheets/sheet_store.h"
#include "support/sheet_writer.h"
#include "support/temp_dir.h"
#include "support/true_colour_writer.h"

namespace pixcell {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::ColourSheet;
using testing::Transparency;

struct Loaded {
    bool ok = false;
    std::string message;
};

Loaded load(SheetStore& store, const std::string& path, const Bytes& bytes) {
    testing::write_file(path, bytes);
    ::testing::internal::CaptureStderr();
    Loaded loaded;
    loaded.ok = store.load(path);
    loaded.message = ::testing::internal::GetCapturedStderr();
    return loaded;
}

// Odd sizes, so that BMP rows are padded; every kind of alpha, the ones on
// either side of 128 included.
ColourSheet picture() {
    std::mt19937 random(18);
    const std::uint8_t alphas[] = {255, 255, 255, 0, 0, 1, 127, 128, 254, 200};
    ColourSheet sheet(37, 19);
    for (ColourSheet::Colour& pixel : sheet.pixels) {
        pixel = {static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
                 static_cast<std::uint8_t>(random()), alphas[random() % std::size(alphas)]};
    }
    return sheet;
}

TEST(TrueColourSheets, EveryFormReadsAsTheSameColoursAndTransparency) {
    const ColourSheet sheet = picture();
    testing::TempDir dir;
    for (const testing::ColourFormatBytes& form : testing::every_true_colour_format(sheet)) {
        SCOPED_TRACE(form.format);
        const std::string path = dir.file(form.format);

        // Refused as before while the colour stage can't index them.
        SheetStore refusing;
        const Loaded refused = load(refusing, path, form.bytes);
        EXPECT_FALSE(refused.ok);
        const bool png = form.format.compare(0, 3, "png") == 0;
        const std::string before = png ? "save it as an indexed (palette) image\n"
                                       : " bits per pixel, only 1, 4 and 8 (a palette image) are supported\n";
        ASSERT_GT(refused.message.size(), before.size());
        EXPECT_EQ(refused.message.substr(refused.message.size() - before.size()), before);

        SheetStore store(TrueColourSheets::loaded);
        const Loaded loaded = load(store, path, form.bytes);
        ASSERT_TRUE(loaded.ok) << loaded.message;
        EXPECT_EQ(store.width(path), sheet.width);
        EXPECT_EQ(store.height(path), sheet.height);
        ASSERT_NE(store.true_colour(0), nullptr);
        const TrueColourImage& image = *store.true_colour(0);
        ASSERT_EQ(image.width(), sheet.width);
        ASSERT_EQ(image.height(), sheet.height);
        EXPECT_EQ(image.has_alpha(), form.transparency != Transparency::none);

        int wrong = 0;
        for (std::int32_t y = 0; y < sheet.height; ++y) {
            for (std::int32_t x = 0; x < sheet.width && wrong < 5; ++x) {
                ColourSheet::Colour expected = sheet.at(x, y);
                if (form.grey) expected = {expected[1], expected[1], expected[1], expected[3]};
                if (form.transparency == Transparency::none) expected[3] = 255;
                if (form.transparency == Transparency::key) expected[3] = expected[3] < 128 ? 0 : 255;
                const Rgba got = image.row(y)[x];
                // A key form writes a transparent pixel in its key colour.
                const bool colour_kept = form.transparency != Transparency::key || expected[3] != 0;
                const bool same = got.alpha == expected[3] && (!colour_kept || (got.red >> 3 == expected[0] >> 3 &&
                                                                                got.green >> 3 == expected[1] >> 3 &&
                                                                                got.blue >> 3 == expected[2] >> 3));
                if (!same) {
                    ++wrong;
                    ADD_FAILURE() << "pixel " << x << "," << y << ": read " << +got.red << " " << +got.green << " "
                                  << +got.blue << " " << +got.alpha << ", drawn " << +expected[0] << " " << +expected[1]
                                  << " " << +expected[2] << " " << +expected[3];
                }
            }
        }
    }
}

// 16-bit alpha: 0 and 65535 are none and full; anything between is partial
// and stays so at 8 bits, however close to either end.
TEST(TrueColourSheets, SixteenBitAlphaKeepsItsThreeKinds) {
    const std::uint16_t alphas[] = {0, 1, 255, 256, 32768, 65279, 65280, 65534, 65535};
    const std::uint8_t expected[] = {0, 1, 1, 1, 128, 254, 254, 254, 255};
    std::vector<std::uint16_t> samples;
    for (const std::uint16_t alpha : alphas) samples.insert(samples.end(), {0x12FF, 0x3400, 0xFFFF, alpha});
    testing::TempDir dir;
    SheetStore store(TrueColourSheets::loaded);
    const Loaded loaded =
        load(store, dir.file("alpha.png"), testing::raw_png_bytes(9, 1, SPNG_COLOR_TYPE_TRUECOLOR_ALPHA, 16, samples));
    ASSERT_TRUE(loaded.ok) << loaded.message;
    for (std::size_t x = 0; x < 9; ++x) {
        const Rgba pixel = store.true_colour(0)->row(0)[x];
        EXPECT_EQ(pixel.alpha, expected[x]) << alphas[x];
        EXPECT_EQ(pixel.red, 0x12);
        EXPECT_EQ(pixel.green, 0x34);
        EXPECT_EQ(pixel.blue, 0xFF);
    }
}

TEST(TrueColourSheets, TheColourStageReplacesTheColoursByIndices) {
    testing::TempDir dir;
    SheetStore store(TrueColourSheets::loaded);
    const std::string path = dir.file("colours.png");
    ASSERT_TRUE(load(store, path, testing::every_true_colour_format(picture())[0].bytes).ok);
    EXPECT_EQ(store.sheet(0).width(), 37);
    EXPECT_EQ(store.sheet(0).height(), 19);
    IndexedImage indexed = IndexedImage::decoded(37, 19, Palette(16));
    indexed.pixels()[37 * 18 + 36] = 5;
    store.set_indexed(0, std::move(indexed));
    EXPECT_EQ(store.true_colour(0), nullptr);
    EXPECT_EQ(store.sheet(0).row(18)[36], 5);
    EXPECT_EQ(store.sheet(0).palette().size(), 16u);
    EXPECT_EQ(store.find(path), 0);
}

void put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

Bytes patched(Bytes bytes, std::size_t at, std::uint32_t value) {
    put32(bytes, at, value);
    return bytes;
}

TEST(TrueColourSheets, RefusedWithTheReason) {
    const ColourSheet small(4, 4);
    const Bytes bmp24 = testing::colour_bmp_bytes(small, {24, 0, {}, 40, false, false});
    const Bytes fields = testing::colour_bmp_bytes(small, {32, 3, {0xFF0000, 0xFF00, 0xFF, 0}, 40, false, false});
    // A 16-bit RGBA file of 8192x8193 pixels: its IHDR made to say so.
    Bytes png_bomb = testing::raw_png_bytes(1, 1, SPNG_COLOR_TYPE_TRUECOLOR_ALPHA, 16, {1, 2, 3, 4});
    for (std::size_t i = 0; i < 8; ++i) png_bomb[16 + i] = i < 4 ? "\0\0\x20\0"[i] : "\0\0\x20\x01"[i - 4];
    testing::fix_png_crc(png_bomb, 8);
    // And one 65537x1, whose rows libspng would hold at 8 bytes a pixel.
    Bytes png_strip = png_bomb;
    for (std::size_t i = 0; i < 8; ++i) png_strip[16 + i] = i < 4 ? "\0\1\0\1"[i] : "\0\0\0\1"[i - 4];
    testing::fix_png_crc(png_strip, 8);
    Bytes long_palette = testing::long_palette_png_bytes(testing::Sheet(8, 8, 1), 4, 40);
    long_palette[testing::png_chunk_at(long_palette, "PLTE") + 8 + 100] ^= 1;
    const struct {
        std::string what;
        Bytes bytes;
        std::string reason;
    } cases[] = {
        {"bit fields of 24 bits", patched(bmp24, 30, 3),
         "bit fields (compression 3) with 24 bits per pixel, they need 16 or 32"},
        {"2 bits", patched(bmp24, 28, 2), "2 bits per pixel, only 1, 4, 8, 16, 24 and 32 are supported"},
        {"jpeg in bmp", patched(bmp24, 30, 4),
         "compression 4 (JPEG), only uncompressed, RLE8, RLE4 and bit-field pixel data are supported"},
        {"mask in two runs", patched(fields, 54, 0x00F0F000),
         "the red bit-field mask 0x00F0F000 is not one run of bits"},
        {"pixels on the masks", patched(fields, 10, 60),
         "the pixel data starts at byte 60, inside the headers, which end at byte 66"},
        {"bmp bomb", patched(patched(bmp24, 18, 8193), 22, 8192),
         "8193x8192 pixels, more than the 67108864 a true-colour sheet may have"},
        {"png bomb", png_bomb, "8192x8193 pixels, more than the 67108864 a true-colour sheet may have"},
        {"png strip", png_strip, "width 65537, more than the 65536 pixels a true-colour PNG sheet may have"},
        {"long palette damaged", long_palette, "a PNG chunk's CRC doesn't match its data, the file is damaged"},
        {"gif", Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, "a GIF image: save it as PNG or BMP"},
        {"jpeg", Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F'}, "a JPEG image: save it as PNG or BMP"},
        {"webp", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'E', 'B', 'P'}, "a WebP image: save it as PNG or BMP"},
        {"icon", Bytes{0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 22, 0, 0, 0},
         "a Windows icon (ICO): save it as PNG or BMP"},
        {"text", Bytes{'h', 'e', 'r', 'o'},
         "neither a BMP nor a PNG image, it starts with neither \"BM\" nor the PNG signature"},
    };
    testing::TempDir dir;
    for (const auto& c : cases) {
        SheetStore store(TrueColourSheets::loaded);
        const std::string path = dir.file(c.what);
        const Loaded loaded = load(store, path, c.bytes);
        EXPECT_FALSE(loaded.ok) << c.what;
        EXPECT_EQ(loaded.message, "Can't use file " + path + ": " + c.reason + "\n") << c.what;
        EXPECT_EQ(store.count(), 0u) << c.what;
    }
}

}  // namespace
}  // namespace pixcell
