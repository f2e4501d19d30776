// Writes small sheets for tests, in every format the converter reads: BMP
// of 1, 4 and 8 bits a pixel, uncompressed and run-length encoded, and
// indexed PNG. Every format gets the sheet's colours, or else a grey palette,
// entry i grey level (i & 15) * 17; as many entries as its bits can index.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pixcell::testing {

// A sheet of palette indices, row 0 at the top.
struct Sheet {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> pixels;  // width * height, row-major from the top
    // Palette entry i as red, green, blue; entries past its end are grey.
    std::vector<std::array<std::uint8_t, 3>> colours;
    // PNG only: the alpha of entries 0, 1, ... as a tRNS chunk (none if empty).
    std::vector<std::uint8_t> alpha;

    Sheet() = default;
    Sheet(std::int32_t w, std::int32_t h, std::uint8_t fill = 0)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
    std::uint8_t& at(std::int32_t x, std::int32_t y) {
        return pixels[static_cast<std::size_t>(y) * width + x];
    }
    std::uint8_t at(std::int32_t x, std::int32_t y) const {
        return pixels[static_cast<std::size_t>(y) * width + x];
    }
};

// The bytes of an uncompressed 8-bit BMP with a 256-entry grey palette;
// bottom-up unless top_down is set (then the height field is negative).
std::vector<std::uint8_t> bmp_bytes(const Sheet& sheet, bool top_down = false);

// An uncompressed BMP of 1, 4 or 8 bits a pixel; every index must fit.
std::vector<std::uint8_t> indexed_bmp_bytes(const Sheet& sheet, int bits, bool top_down = false);

// An RLE8 (bits 8) or RLE4 (bits 4) BMP, bottom-up as the format wants, as
// an encoder writes it: runs where pixels repeat (in RLE4, where two
// alternate), absolute runs between them, an end of line after each row and
// an end of bitmap after the last.
std::vector<std::uint8_t> rle_bmp_bytes(const Sheet& sheet, int bits);

// An indexed-colour PNG of bit depth 1, 2, 4 or 8, written by libspng, with
// the sheet's alpha as its tRNS chunk.
std::vector<std::uint8_t> png_bytes(const Sheet& sheet, int depth, bool interlaced = false);

// A greyscale PNG of bit depth 1, 2, 4 or 8, the grey level of each pixel
// its index; with a colour key (tRNS) of that level if `transparent` >= 0.
std::vector<std::uint8_t> grey_png_bytes(const Sheet& sheet, int depth, bool interlaced = false, int transparent = -1);

// An indexed PNG whose PLTE holds `entries` colours, more than its depth
// indexes, and a tRNS of `alphas` entries (none if 0), entry i's alpha 255 - i.
std::vector<std::uint8_t> long_palette_png_bytes(const Sheet& sheet, int depth, std::size_t entries,
                                                 std::size_t alphas = 0);

// An uncompressed BMP (or RLE8 or RLE4, `compression` 1 or 2) whose colour
// table holds only `entries` colours, with the colours-used field 0, which
// says 2^bits.
std::vector<std::uint8_t> short_table_bmp_bytes(const Sheet& sheet, int bits, std::uint32_t entries,
                                                std::uint32_t compression = 0);

// A BMP's headers, grey colour table and the pixel data given, as is:
// compression 0 (uncompressed), 1 (RLE8) or 2 (RLE4).
std::vector<std::uint8_t> bmp_with_pixel_data(std::int32_t width, std::int32_t height, int bits,
                                              std::uint32_t compression, const std::vector<std::uint8_t>& data);

// For tests that break PNG files: a whole chunk with its length and CRC,
// where the first chunk of a type starts (the offset of its length field,
// or the file's size when there is none), and the CRC of the chunk at `at`
// made right again after its bytes were changed.
std::vector<std::uint8_t> png_chunk(const std::string& type, const std::vector<std::uint8_t>& data);
std::size_t png_chunk_at(const std::vector<std::uint8_t>& png, const std::string& type);
void fix_png_crc(std::vector<std::uint8_t>& png, std::size_t at);

// The sheet in every format above whose indices it fits, each named.
struct FormatBytes {
    std::string format;  // e.g. "bmp4", "rle8", "png2 interlaced"
    int bits = 8;        // a pixel, so its palette has 2^bits entries
    std::vector<std::uint8_t> bytes;
};
std::vector<FormatBytes> every_format(const Sheet& sheet);

// Writes bmp_bytes to a file; throws std::runtime_error when it can't.
void write_bmp(const std::string& path, const Sheet& sheet, bool top_down = false);

void write_file(const std::string& path, const std::vector<std::uint8_t>& bytes);
void write_file(const std::string& path, const std::string& text);
std::string read_file(const std::string& path);

}  // namespace pixcell::testing
