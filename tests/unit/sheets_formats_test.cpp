// Sheets as artists save them: BMP of 1, 4 and 8 bits, uncompressed or
// run-length encoded, and indexed PNG all give the same indices; a broken
// file of any format is refused with its reason.
#include <gtest/gtest.h>
#include <zlib.h>

#include <array>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "driver/run.h"
#include "sheets/sheet_store.h"
#include "support/sheet_writer.h"
#include "support/temp_dir.h"

namespace pixcell {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::Sheet;

void put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void put32_big_endian(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

// The worked examples of Microsoft's "Bitmap Compression" page, byte for
// byte: runs, an absolute run (padded in RLE4), a delta, an end of line.
const Bytes kRle8Example = {0x03, 0x04, 0x05, 0x06, 0x00, 0x03, 0x45, 0x56, 0x67, 0x00, 0x02, 0x78,
                            0x00, 0x02, 0x05, 0x01, 0x02, 0x78, 0x00, 0x00, 0x09, 0x1E, 0x00, 0x01};
const Bytes kRle4Example = {0x03, 0x04, 0x05, 0x06, 0x00, 0x06, 0x45, 0x56, 0x67, 0x00, 0x04, 0x78,
                            0x00, 0x02, 0x05, 0x01, 0x04, 0x78, 0x00, 0x00, 0x09, 0x1E, 0x00, 0x01};

// The pixels of a loaded sheet, row 0 at the top.
std::vector<Bytes> rows_of(const IndexedImage& image) {
    std::vector<Bytes> rows;
    for (std::int64_t y = 0; y < image.height(); ++y) rows.emplace_back(image.row(y), image.row(y) + image.width());
    return rows;
}

struct Loaded {
    SheetStore store;
    std::string message;
    bool ok = false;
};

void load(Loaded& loaded, const testing::TempDir& dir, const std::string& name, const Bytes& bytes) {
    const std::string path = dir.file(name);
    testing::write_file(path, bytes);
    ::testing::internal::CaptureStderr();
    loaded.ok = loaded.store.load(path);
    loaded.message = ::testing::internal::GetCapturedStderr();
}

TEST(SheetFormats, RleExamplesExpandPixelByPixel) {
    // 19 and 25 wide, so that the last run of each example's second row
    // sticks out past the row's end; the fourth row is never reached.
    const std::vector<Bytes> rle8_rows = {
        Bytes(19, 0),
        {0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0x1E, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x78},
        {0x04, 0x04, 0x04, 0x06, 0x06, 0x06, 0x06, 0x06, 0x45, 0x56, 0x67, 0x78, 0x78, 0, 0, 0, 0, 0, 0},
    };
    const std::vector<Bytes> rle4_rows = {
        Bytes(25, 0),
        {1, 0xE, 1, 0xE, 1, 0xE, 1, 0xE, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 8},
        {0, 4, 0, 0, 6, 0, 6, 0, 4, 5, 5, 6, 6, 7, 7, 8, 7, 8, 0, 0, 0, 0, 0, 0, 0},
    };
    testing::TempDir dir;
    Loaded loaded;
    load(loaded, dir, "rle8.bmp", testing::bmp_with_pixel_data(19, 4, 8, 1, kRle8Example));
    load(loaded, dir, "rle4.bmp", testing::bmp_with_pixel_data(25, 4, 4, 2, kRle4Example));
    ASSERT_EQ(loaded.message, "");
    EXPECT_EQ(rows_of(loaded.store.sheet(0)), rle8_rows);
    EXPECT_EQ(rows_of(loaded.store.sheet(1)), rle4_rows);
    EXPECT_EQ(loaded.store.sheet(1).palette().size(), 16u);
}

// A picture of odd width and height with what encoders treat differently:
// noise (absolute runs), repeats (runs), two indices alternating (RLE4
// runs), blank stretches; its indices fit `bits`.
Sheet odd_picture(int bits, std::uint32_t seed) {
    std::mt19937 random(seed);
    Sheet sheet(45, 37);
    const int mask = (1 << bits) - 1;
    for (std::int32_t y = 0; y < sheet.height; ++y) {
        for (std::int32_t x = 0; x < sheet.width; ++x) {
            const int stretch = (x / 7 + y) % 4;
            const int value = stretch == 0   ? static_cast<int>(random())
                              : stretch == 1 ? y * 3
                              : stretch == 2 ? (x % 2 ? 5 : 10)
                                             : 0;
            sheet.at(x, y) = static_cast<std::uint8_t>(value & mask);
        }
    }
    return sheet;
}

// Runs the whole converter on one file name over and over, the file holding
// each format in turn: the listing and the five files must not change.
TEST(SheetFormats, EveryFormatConvertsToTheSameFiles) {
    testing::TempDir dir;
    const std::string sheet_name = dir.file("picture.bmp");  // the name says nothing of the content
    const std::string description = dir.file("sprites.txt");
    testing::write_file(description, "*" + sheet_name +
                                         "\nwhole 0,0 48x48 [3,-5]\ncorner 32,32 16x16 hv\n"
                                         "flat 0,0 16x32 v\n+ 17,3 32x16 h\nnext\nnext2\n");
    const char* const outputs[] = {".s", ".h", "_enum.h", "_pat.c", "_pat.h"};
    for (const int bits : {1, 4, 8}) {
        const Sheet picture = odd_picture(bits, 40u + static_cast<std::uint32_t>(bits));
        std::string expected;
        for (const testing::FormatBytes& format : testing::every_format(picture)) {
            SCOPED_TRACE(format.format + " of a picture of " + std::to_string(bits) + "-bit indices");
            testing::write_file(sheet_name, format.bytes);
            const std::string out = dir.file(std::to_string(bits) + format.format);
            std::filesystem::create_directory(out);
            const std::string base = out + "/sprites";
            const char* convert[] = {"pixcell", description.c_str(), base.c_str()};
            const char* list[] = {"pixcell", "-d", description.c_str()};
            ::testing::internal::CaptureStdout();
            ::testing::internal::CaptureStderr();
            EXPECT_EQ(run(3, convert), 0);
            EXPECT_EQ(run(3, list), 0);
            std::string result = ::testing::internal::GetCapturedStdout() + ::testing::internal::GetCapturedStderr();
            for (const char* output : outputs) result += testing::read_file(base + output);
            if (expected.empty()) {
                expected = result;  // the 8-bit BMP comes first
                EXPECT_NE(expected.find("SP_HVFLIP"), std::string::npos);
            }
            EXPECT_EQ(result, expected);

            // Each keeps its colour table: grey, as many entries as its bits index.
            SheetStore store;
            ASSERT_TRUE(store.load(sheet_name));
            const Palette& palette = store.sheet(0).palette();
            ASSERT_EQ(palette.size(), std::size_t{1} << format.bits);
            EXPECT_EQ(palette.back().red, (palette.size() - 1) % 16 * 17);
            EXPECT_EQ(palette.back().green, palette.back().blue);
        }
    }
}

// Files that were refused or are new: greyscale PNG, a PLTE longer than the
// bit depth indexes (and a tRNS longer than that), a colour table shorter
// than the header says. Each gives the indices of the 8-bit BMP of the same
// picture, and its palette as read.
TEST(SheetFormats, NewIndexedFormsGiveTheIndicesOfTheir8BitTwin) {
    struct Case {
        std::string what;
        int bits;  // of the picture's indices
        Bytes bytes;
        std::vector<std::array<std::uint8_t, 3>> palette;
        Bytes alpha;
    };
    auto grey = [](std::initializer_list<std::uint8_t> levels) {
        std::vector<std::array<std::uint8_t, 3>> palette;
        for (const std::uint8_t level : levels) palette.push_back({level, level, level});
        return palette;
    };
    std::vector<std::array<std::uint8_t, 3>> ramp4;
    std::vector<std::array<std::uint8_t, 3>> ramp8;
    for (int i = 0; i < 256; ++i) {
        const auto level = static_cast<std::uint8_t>(i);
        if (i < 16) ramp4.push_back({static_cast<std::uint8_t>(i * 17), static_cast<std::uint8_t>(i * 17), static_cast<std::uint8_t>(i * 17)});
        ramp8.push_back({level, level, level});
    }
    Sheet colours;  // 300 colours, none of them grey
    for (int i = 0; i < 300; ++i) {
        colours.colours.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i / 2), static_cast<std::uint8_t>(i * 7 + 1)});
    }
    auto drawn = [&](int bits) {
        Sheet sheet = odd_picture(bits, 70u + static_cast<std::uint32_t>(bits));
        sheet.colours = colours.colours;
        return sheet;
    };
    auto first = [&](std::size_t count) {
        return std::vector<std::array<std::uint8_t, 3>>(colours.colours.begin(), colours.colours.begin() + static_cast<std::ptrdiff_t>(count));
    };
    Bytes opaque_but_level_3(16, 255);
    opaque_but_level_3[3] = 0;
    Bytes falling(16);
    for (std::size_t i = 0; i < 16; ++i) falling[i] = static_cast<std::uint8_t>(255 - i);

    std::vector<Case> cases = {
        {"grey png1", 1, testing::grey_png_bytes(drawn(1), 1), grey({0, 255}), {}},
        {"grey png2 interlaced", 2, testing::grey_png_bytes(drawn(2), 2, true), grey({0, 85, 170, 255}), {}},
        {"grey png4", 4, testing::grey_png_bytes(drawn(4), 4), ramp4, {}},
        {"grey png4 interlaced, level 3 transparent", 4, testing::grey_png_bytes(drawn(4), 4, true, 3), ramp4,
         opaque_but_level_3},
        {"grey png8", 8, testing::grey_png_bytes(drawn(8), 8), ramp8, {}},
        {"png1 of 4 colours", 1, testing::long_palette_png_bytes(drawn(1), 1, 4), first(2), {}},
        {"png4 of 80 colours, 100 alphas", 4, testing::long_palette_png_bytes(drawn(4), 4, 80, 100), first(16), falling},
        {"png8 of 300 colours", 8, testing::long_palette_png_bytes(drawn(8), 8, 300), first(256), {}},
        {"bmp8 of 16 colours", 8, testing::short_table_bmp_bytes(drawn(8), 8, 16), first(16), {}},
        {"bmp4 of 3 colours", 4, testing::short_table_bmp_bytes(drawn(4), 4, 3), first(3), {}},
        {"rle8 of 16 colours", 8, testing::short_table_bmp_bytes(drawn(8), 8, 16, 1), first(16), {}},
    };
    testing::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Loaded twin;
        Loaded loaded;
        load(twin, dir, "twin.bmp", testing::bmp_bytes(drawn(c.bits)));
        load(loaded, dir, "sheet.bmp", c.bytes);
        ASSERT_EQ(loaded.message, "");
        const IndexedImage& image = loaded.store.sheet(0);
        EXPECT_EQ(rows_of(image), rows_of(twin.store.sheet(0)));
        std::vector<std::array<std::uint8_t, 3>> palette;
        for (const Rgb& colour : image.palette()) palette.push_back({colour.red, colour.green, colour.blue});
        EXPECT_EQ(palette, c.palette);
        EXPECT_EQ(image.palette_alpha(), c.alpha);
    }
}

TEST(SheetFormats, BrokenFilesAreRefusedWithTheReason) {
    const Bytes bmp = testing::bmp_bytes(Sheet(16, 16, 1));  // pixels at 1078, 256 bytes: 1334 bytes
    const Bytes rle = testing::bmp_with_pixel_data(19, 4, 8, 1, kRle8Example);  // stream at 1078: 1102 bytes
    const Bytes png = testing::png_bytes(Sheet(16, 16, 1), 8);
    const std::size_t ihdr = 8;  // its width at 16, height at 20, colour type at 25, CRC at 29
    const std::size_t idat = testing::png_chunk_at(png, "IDAT");
    const std::size_t iend = testing::png_chunk_at(png, "IEND");
    struct Case {
        std::string what;
        Bytes bytes;
        std::string reason;
    };
    std::vector<Case> cases;
    auto cut = [](const Bytes& bytes, std::size_t length) { return Bytes(bytes.begin(), bytes.begin() + length); };
    auto patched = [](Bytes bytes, std::size_t at, std::uint32_t value) {
        put32(bytes, at, value);
        return bytes;
    };
    auto png_of_size = [&](std::uint32_t width, std::uint32_t height) {
        Bytes bytes = png;
        put32_big_endian(bytes, 16, width);
        put32_big_endian(bytes, 20, height);
        testing::fix_png_crc(bytes, ihdr);
        return bytes;
    };

    // Neither format.
    cases.push_back({"empty", {}, "an empty file, neither a BMP nor a PNG image"});
    {
        Bytes bytes = bmp;
        bytes[0] = 'X';
        cases.push_back(
            {"signature", bytes, "neither a BMP nor a PNG image, it starts with neither \"BM\" nor the PNG signature"});
    }
    // BMP headers.
    cases.push_back({"short", cut(bmp, 53), "only 53 bytes, too short for a BMP file"});
    cases.push_back({"os2 header", patched(bmp, 14, 12), "old BMP header of 12 bytes, save it as a Windows BMP"});
    {
        Bytes bytes = bmp;
        bytes[28] = 24;  // two bytes wide, so 0x0018
        cases.push_back({"depth", bytes, "24 bits per pixel, only 1, 4 and 8 (a palette image) are supported"});
    }
    cases.push_back({"bit fields", patched(bmp, 30, 3),
                     "bit fields (compression 3) with 8 bits per pixel, they need 16 or 32"});
    cases.push_back({"rle4 of 8 bits", patched(bmp, 30, 2), "RLE4 compression with 8 bits per pixel, it needs 4"});
    cases.push_back({"no width", patched(bmp, 18, 0), "width 0, it must be at least 1"});
    cases.push_back({"negative width", patched(bmp, 18, static_cast<std::uint32_t>(-16)), "width -16, it must be at least 1"});
    cases.push_back({"no height", patched(bmp, 22, 0), "height 0, it must not be 0"});
    // Where the pixels and colours lie.
    cases.push_back({"cut short", cut(bmp, bmp.size() - 1),
                     "the pixel data needs 1334 bytes but the file has only 1333, it is cut short"});
    cases.push_back({"tallest top-down", patched(bmp, 22, 0x80000000u),
                     "the pixel data needs 34359739446 bytes but the file has only 1334, it is cut short"});
    cases.push_back({"offset past the end", patched(bmp, 10, 0xFFFFFFFFu),
                     "the pixel data needs 4294967551 bytes but the file has only 1334, it is cut short"});
    cases.push_back({"pixels in the headers", patched(bmp, 10, 50),
                     "the pixel data starts at byte 50, inside the headers, which end at byte 54"});
    // RLE.
    cases.push_back({"rle top-down", patched(rle, 22, static_cast<std::uint32_t>(-4)),
                     "RLE pixel data stored top-down (negative height), which BMP doesn't allow; save it bottom-up"});
    cases.push_back({"rle bomb", patched(patched(rle, 18, 16385), 22, 16385),
                     "16385x16385 pixels, more than the 268435456 a compressed sheet may have"});
    cases.push_back({"rle cut in an absolute run", cut(rle, 1078 + 7),
                     "the RLE pixel data ends at byte 1085 before its end-of-bitmap code, it is cut short"});
    cases.push_back({"rle cut in a delta", cut(rle, 1078 + 15),
                     "the RLE pixel data ends at byte 1093 before its end-of-bitmap code, it is cut short"});
    cases.push_back({"rle cut in a code", cut(rle, rle.size() - 1),
                     "the RLE pixel data ends at byte 1101 before its end-of-bitmap code, it is cut short"});
    cases.push_back({"rle without its end", cut(rle, rle.size() - 2),
                     "the RLE pixel data ends at byte 1100 before its end-of-bitmap code, it is cut short"});
    // PNG.
    {
        Bytes bytes = png;
        bytes[24] = 16;  // greyscale of up to 8 bits is read as indices
        bytes[25] = 0;
        testing::fix_png_crc(bytes, ihdr);
        cases.push_back({"png greyscale", bytes, "a greyscale PNG (colour type 0), save it as an indexed (palette) image"});
        bytes = png;
        bytes[29] ^= 1;
        cases.push_back({"png header crc", bytes, "a PNG chunk's CRC doesn't match its data, the file is damaged"});
        // An ancillary chunk after the image: only a check up to the file's end sees it.
        bytes = png;
        Bytes comment = testing::png_chunk("tEXt", {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 'h', 'i'});
        comment.back() ^= 1;
        bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(iend), comment.begin(), comment.end());
        cases.push_back({"png text crc", bytes, "a PNG chunk's CRC doesn't match its data, the file is damaged"});
        // A compressed text that inflates past the chunk size allowed: with
        // libspng's own limits (none) it would be inflated whole.
        bytes = png;
        const Bytes zeros(std::size_t{17} << 20, 0);
        Bytes text = {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 0};
        uLongf packed_size = compressBound(zeros.size());
        text.resize(text.size() + packed_size);
        ASSERT_EQ(compress(text.data() + 9, &packed_size, zeros.data(), zeros.size()), Z_OK);
        text.resize(9 + packed_size);
        const Bytes bomb = testing::png_chunk("zTXt", text);
        bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(idat), bomb.begin(), bomb.end());
        cases.push_back({"png text bomb", bytes,
                         "PNG text or metadata chunks larger than allowed (16 MiB a chunk, 64 MiB in all)"});
        bytes = png;
        bytes[idat + 8 + 2] ^= 0xFF;
        testing::fix_png_crc(bytes, idat);
        cases.push_back({"png damaged data", bytes, "a damaged PNG file (IDAT stream error)"});
        bytes = png;
        const std::size_t plte = testing::png_chunk_at(png, "PLTE");
        bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(plte), bytes.begin() + static_cast<std::ptrdiff_t>(idat));
        cases.push_back({"png without palette", bytes, "an indexed PNG without its palette (no PLTE chunk)"});
    }
    cases.push_back({"png cut short", cut(png, idat + 20), "the PNG data ends early, the file is cut short"});
    cases.push_back({"png bomb", png_of_size(16385, 16385),
                     "16385x16385 pixels, more than the 268435456 a compressed sheet may have"});
    cases.push_back({"png side past the limit", png_of_size(1u << 30, 16),
                     "1073741824x16 pixels, more than the 268435456 a compressed sheet may have"});

    testing::TempDir dir;
    for (const Case& c : cases) {
        Loaded loaded;
        load(loaded, dir, c.what + ".bmp", c.bytes);
        EXPECT_FALSE(loaded.ok) << c.what;
        EXPECT_EQ(loaded.message, "Can't use file " + dir.file(c.what + ".bmp") + ": " + c.reason + "\n") << c.what;
        EXPECT_EQ(loaded.store.count(), 0u) << c.what;
    }
    // The files they were made from are good.
    Loaded good;
    load(good, dir, "bmp.bmp", bmp);
    load(good, dir, "rle.bmp", rle);
    load(good, dir, "png.png", png);
    // A colour table that claims more colours than lie before the pixels.
    load(good, dir, "long colour table.bmp", patched(bmp, 46, 1000));
    EXPECT_EQ(good.message, "");
    ASSERT_EQ(good.store.count(), 4u);
    EXPECT_EQ(good.store.sheet(3).palette().size(), 256u);
}

}  // namespace
}  // namespace pixcell
