// make_sheet_corpus FOLDER: writes the seed sheets of fuzz_sheet: a few good
// sheets of every format and one file for every way a sheet can be broken
// that the store must refuse, or accept and read with care. run.sh writes them
// afresh before every fuzzing run.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "support/sheet_writer.h"
#include "support/true_colour_writer.h"

namespace {

using pixcell::testing::bmp_bytes;
using pixcell::testing::Sheet;
using Bytes = std::vector<std::uint8_t>;

std::string folder;

void put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void put16(Bytes& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void save(const std::string& name, const Bytes& bytes) { pixcell::testing::write_file(folder + "/" + name, bytes); }

// Cells that repeat, mirror, hold only high palette bits or nothing.
Sheet drawing(std::int32_t width, std::int32_t height) {
    Sheet sheet(width, height);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const std::int32_t cell = (x / 16) % 4;
            const std::int32_t mx = cell == 1 ? 15 - x % 16 : x % 16;
            const std::int32_t my = cell == 2 ? 15 - y % 16 : y % 16;
            sheet.at(x, y) = cell == 3 ? 0x30 : static_cast<std::uint8_t>((mx * my + mx) % 23);
        }
    }
    return sheet;
}

Sheet masked(Sheet sheet, std::uint8_t mask) {
    for (std::uint8_t& pixel : sheet.pixels) pixel &= mask;
    return sheet;
}

// A file name for a format's name: "png2 interlaced" gives "png2_interlaced".
std::string file_name(std::string format) {
    for (char& c : format) c = c == ' ' || c == '-' ? '_' : c;
    return format;
}

// The last bytes of an input choose the sprite parts fuzz_sheet cuts; these
// make a few of them for the good seeds.
Bytes with_parts(Bytes bytes) {
    const std::uint8_t tail[] = {0x00, 0x10, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0x00,
                                 0x00, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0x7F, 0x01, 0x03, 0x03};
    bytes.insert(bytes.end(), std::begin(tail), std::end(tail));
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sheet_corpus FOLDER\n");
        return 2;
    }
    folder = argv[1];

    const Bytes good = bmp_bytes(drawing(64, 32));
    save("good_64x32.bmp", with_parts(good));
    save("good_top_down.bmp", with_parts(bmp_bytes(drawing(48, 32), true)));
    save("good_30x20_padded_rows.bmp", with_parts(bmp_bytes(drawing(30, 20))));
    save("good_1x1.bmp", bmp_bytes(drawing(1, 1)));
    save("good_17x33.bmp", with_parts(bmp_bytes(drawing(17, 33))));
    save("empty_file.bmp", {});

    // Cut short inside and at the end of every header field, inside the
    // palette, at the pixel array and inside it.
    const std::size_t pixel_offset = 54 + 256 * 4;
    for (std::size_t length : {1u,  2u,  4u,  6u,  8u,  10u, 12u, 14u, 16u, 18u, 20u, 22u, 24u,
                               26u, 28u, 30u, 32u, 34u, 38u, 42u, 46u, 50u, 53u, 54u, 300u}) {
        save("cut_at_" + std::to_string(length) + ".bmp", Bytes(good.begin(), good.begin() + length));
    }
    save("cut_at_pixels.bmp", Bytes(good.begin(), good.begin() + pixel_offset));
    save("cut_in_pixels.bmp", Bytes(good.begin(), good.begin() + pixel_offset + 64 * 7 + 5));
    save("cut_one_byte_short.bmp", Bytes(good.begin(), good.end() - 1));

    for (std::uint16_t bits : {1, 4, 16, 24, 32}) {
        Bytes bytes = good;
        put16(bytes, 28, bits);
        save("bits_" + std::to_string(bits) + ".bmp", bytes);
    }
    for (std::uint32_t compression : {1u, 2u, 3u}) {
        Bytes bytes = good;
        put32(bytes, 30, compression);
        save("compression_" + std::to_string(compression) + ".bmp", bytes);
    }
    const struct {
        const char* name;
        std::size_t field;
        std::uint32_t value;
    } patches[] = {
        {"signature_BA", 0, 0x4142u | (good[2] | good[3] << 8) << 16},
        {"os2_header_12", 14, 12},
        {"v4_header_108", 14, 108},
        {"v5_header_124", 14, 124},
        {"width_zero", 18, 0},
        {"width_negative", 18, 0xFFFFFFC0u},
        {"width_max", 18, 0x7FFFFFFFu},
        {"width_min", 18, 0x80000000u},
        {"height_zero", 22, 0},
        {"height_max", 22, 0x7FFFFFFFu},
        {"height_min", 22, 0x80000000u},
        {"height_minus_one", 22, 0xFFFFFFFFu},
        {"width_65536", 18, 65536},
        {"pixel_offset_past_end", 10, static_cast<std::uint32_t>(good.size() + 100)},
        {"pixel_offset_at_end", 10, static_cast<std::uint32_t>(good.size())},
        {"pixel_offset_max", 10, 0xFFFFFFFFu},
        {"pixel_offset_zero", 10, 0},
        {"pixel_offset_in_palette", 10, 60},
    };
    for (const auto& patch : patches) {
        Bytes bytes = good;
        put32(bytes, patch.field, patch.value);
        save(std::string(patch.name) + ".bmp", bytes);
    }

    // Every other format: each of a two-colour drawing, and the 4- and 8-bit
    // ones of a 16-colour drawing too.
    for (const auto& format : pixcell::testing::every_format(masked(drawing(37, 21), 1))) {
        save("good_" + file_name(format.format) + ".bmp", with_parts(format.bytes));
    }
    const Sheet sixteen = masked(drawing(40, 18), 0xF);
    save("good_rle4_16_colours.bmp", with_parts(pixcell::testing::rle_bmp_bytes(sixteen, 4)));
    save("good_png4_16_colours_interlaced.png", with_parts(pixcell::testing::png_bytes(sixteen, 4, true)));
    save("good_rle8_256_colours.bmp", with_parts(pixcell::testing::rle_bmp_bytes(drawing(48, 20), 8)));

    // RLE: the BMP documentation's example (delta, absolute run, a run past
    // the row's end), cut inside each kind of code, without its end, stored
    // top-down, claiming a bomb's size.
    const Bytes example = {0x03, 0x04, 0x05, 0x06, 0x00, 0x03, 0x45, 0x56, 0x67, 0x00, 0x02, 0x78,
                           0x00, 0x02, 0x05, 0x01, 0x02, 0x78, 0x00, 0x00, 0x09, 0x1E, 0x00, 0x01};
    const Bytes rle = pixcell::testing::bmp_with_pixel_data(19, 4, 8, 1, example);
    save("rle8_example.bmp", rle);
    save("rle4_example.bmp", pixcell::testing::bmp_with_pixel_data(25, 4, 4, 2, example));
    for (std::size_t length : {1079u, 1085u, 1093u, 1100u, 1101u}) {
        save("rle_cut_at_" + std::to_string(length) + ".bmp", Bytes(rle.begin(), rle.begin() + length));
    }
    Bytes bytes = rle;
    put32(bytes, 22, static_cast<std::uint32_t>(-4));
    save("rle_top_down.bmp", bytes);
    bytes = rle;
    put32(bytes, 18, 16385);
    put32(bytes, 22, 16385);
    save("rle_bomb.bmp", bytes);
    bytes = rle;
    put32(bytes, 46, 100000);
    save("colour_table_past_end.bmp", bytes);

    // PNG: a chunk's CRC wrong, cut short, not indexed, a bomb's size, no palette.
    const Bytes png = pixcell::testing::png_bytes(drawing(16, 16), 8);
    const std::size_t idat = pixcell::testing::png_chunk_at(png, "IDAT");
    bytes = png;
    bytes[29] ^= 1;
    save("png_header_crc.png", bytes);
    save("png_cut_in_data.png", Bytes(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(idat + 20)));
    bytes = png;
    bytes[25] = 2;
    pixcell::testing::fix_png_crc(bytes, 8);
    save("png_truecolour.png", bytes);
    bytes = png;
    bytes[18] = 0x40;  // width 0x400010
    bytes[22] = 0x40;
    pixcell::testing::fix_png_crc(bytes, 8);
    save("png_bomb.png", bytes);
    bytes = png;
    const std::size_t plte = pixcell::testing::png_chunk_at(png, "PLTE");
    bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(plte), bytes.begin() + static_cast<std::ptrdiff_t>(idat));
    save("png_without_palette.png", bytes);

    // Indexed sheets that other readers take: greyscale PNG (with a colour
    // key), a PLTE and tRNS longer than the depth indexes, a short colour
    // table; one PLTE with a wrong CRC.
    save("good_grey_png4_key.png", with_parts(pixcell::testing::grey_png_bytes(sixteen, 4, true, 3)));
    save("good_grey_png8.png", with_parts(pixcell::testing::grey_png_bytes(drawing(24, 17), 8)));
    const Bytes long_palette = pixcell::testing::long_palette_png_bytes(sixteen, 4, 80, 100);
    save("good_png4_80_colours.png", with_parts(long_palette));
    bytes = long_palette;
    bytes[pixcell::testing::png_chunk_at(bytes, "PLTE") + 60] ^= 1;
    save("png_long_palette_crc.png", bytes);
    save("good_bmp8_16_colours.bmp", with_parts(pixcell::testing::short_table_bmp_bytes(drawing(33, 16), 8, 16)));
    save("good_rle8_16_colours.bmp", with_parts(pixcell::testing::short_table_bmp_bytes(drawing(33, 16), 8, 16, 1)));

    // True colour: a picture of every kind of alpha in every form, and the
    // forms' limits and masks broken.
    pixcell::testing::ColourSheet colours(21, 13);
    for (std::int32_t y = 0; y < colours.height; ++y) {
        for (std::int32_t x = 0; x < colours.width; ++x) {
            const std::uint8_t alphas[] = {255, 0, 1, 127, 128, 254};
            colours.at(x, y) = {static_cast<std::uint8_t>(x * 12), static_cast<std::uint8_t>(y * 19),
                                static_cast<std::uint8_t>((x ^ y) * 9), alphas[(x / 3 + y) % 6]};
        }
    }
    Bytes bmp32;
    Bytes rgba16;
    for (const auto& format : pixcell::testing::every_true_colour_format(colours)) {
        save("good_" + file_name(format.format), with_parts(format.bytes));
        if (format.format == "bmp32 bit fields v5") bmp32 = format.bytes;
        if (format.format == "png rgba16") rgba16 = format.bytes;
    }
    bytes = bmp32;
    put32(bytes, 54, 0x00F0F000);
    save("bmp32_mask_in_two_runs.bmp", bytes);
    bytes = bmp32;
    put32(bytes, 10, 60);
    save("bmp32_pixels_on_masks.bmp", bytes);
    bytes = bmp32;
    put32(bytes, 18, 8193);
    put32(bytes, 22, 8192);
    save("bmp32_bomb.bmp", bytes);
    bytes = bmp32;
    put16(bytes, 28, 24);
    save("bmp24_bit_fields.bmp", bytes);
    bytes = rgba16;
    bytes[18] = 0x20;  // 8192x8193
    bytes[19] = 0;
    bytes[22] = 0x20;
    bytes[23] = 1;
    pixcell::testing::fix_png_crc(bytes, 8);
    save("png_rgba16_bomb.png", bytes);

    // Palette files, read from the same bytes.
    const char* const palettes[][2] = {
        {"palette.jasc", "JASC-PAL\r\n0100\r\n3\r\n255 0 0\r\n0 128 255\r\n1 2 3\r\n"},
        {"palette.gpl", "GIMP Palette\nName: Hero\nColumns: 4\n# comment\n255 0 0\tRed\n 0 128 255 Sky\n\n1 2 3\n"},
        {"palette.hex", "ff0000\n  #0080FF \n\n010203"},
    };
    for (const auto& palette : palettes)
        pixcell::testing::write_file(folder + "/" + palette[0], std::string(palette[1]));
    return 0;
}
