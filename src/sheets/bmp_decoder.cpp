// Windows BMP with a colour table: 1, 4 or 8 bits a pixel, uncompressed
// (bottom-up or top-down) or run-length encoded (RLE8, RLE4). An
// uncompressed 8-bit pixel array is used in place, never copied; the others
// are expanded to a byte a pixel.
#include <algorithm>
#include <cstdint>
#include <utility>

#include "common/messages.h"
#include "sheets/bmp_rle.h"
#include "sheets/decoders.h"
#include "sheets/packed_pixels.h"

namespace pixcell {

namespace {

namespace problem = messages::sheet_problem;

// Where the fields of a Windows BMP file lie; all little-endian.
constexpr std::size_t kPixelOffsetField = 10;
constexpr std::size_t kInfoSizeField = 14;
constexpr std::size_t kWidthField = 18;
constexpr std::size_t kHeightField = 22;
constexpr std::size_t kBitsField = 28;
constexpr std::size_t kCompressionField = 30;
constexpr std::size_t kColoursUsedField = 46;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kHeadersSize = 54;       // file header and the smallest Windows info header
constexpr std::uint32_t kInfoHeaderSize = 40;  // smaller ones are OS/2 headers with 16-bit sizes
constexpr std::uint32_t kColourEntrySize = 4;  // blue, green, red, unused

constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;

std::uint32_t read_u32(const FileBytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::int32_t read_i32(const FileBytes& bytes, std::size_t at) { return static_cast<std::int32_t>(read_u32(bytes, at)); }

std::uint32_t read_u16(const FileBytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

// 64 bits throughout: |height| of -2147483648 and the array size don't fit 32.
std::int64_t row_size(std::int32_t width, std::uint32_t bits) {
    return (static_cast<std::int64_t>(width) * bits + 31) / 32 * 4;
}

std::int64_t row_count(std::int32_t height) { return height < 0 ? -static_cast<std::int64_t>(height) : height; }

DecodedSheet refuse(std::string problem) { return DecodedSheet{std::nullopt, std::move(problem)}; }

// The colour table lies between the headers and the pixel data. It holds
// the number of colours the header gives, or 2^bits when that is 0; the
// entries that lie past the start of the pixels are left out, since writers
// that leave the number at 0 often write fewer than 2^bits.
std::string read_palette(const FileBytes& bytes, std::uint32_t info_size, std::uint32_t bits,
                         std::uint32_t pixel_offset, Palette& palette) {
    const std::uint64_t table = kFileHeaderSize + static_cast<std::uint64_t>(info_size);
    if (pixel_offset < table) return problem::pixels_inside_headers(pixel_offset, table);
    const std::uint32_t used = read_u32(bytes, kColoursUsedField);
    const std::uint64_t claimed = used != 0 ? used : std::uint64_t{1} << bits;
    if (table + claimed * kColourEntrySize > bytes.size()) {
        return problem::colour_table_past_end(claimed, table, bytes.size());
    }
    const std::uint64_t count =
        std::min({claimed, std::uint64_t{1} << bits, (pixel_offset - table) / kColourEntrySize});
    palette.resize(static_cast<std::size_t>(count));
    const std::uint8_t* entry = bytes.data() + table;
    for (Rgb& colour : palette) {
        colour = Rgb{entry[2], entry[1], entry[0]};
        entry += kColourEntrySize;
    }
    return {};
}

// Rows of 1 or 4 bits a pixel, `stride` bytes apart, spread to a byte a pixel.
IndexedImage unpack_rows(const FileBytes& bytes, std::uint32_t bits, std::int32_t width, std::int64_t rows,
                         std::size_t top, std::int64_t stride, Palette palette) {
    IndexedImage image = IndexedImage::decoded(width, rows, std::move(palette));
    for (std::int64_t y = 0; y < rows; ++y) {
        const std::uint8_t* row = bytes.data() + static_cast<std::int64_t>(top) + y * stride;
        unpack_pixels(row, bits, width, image.pixels() + y * width);
    }
    return image;
}

}  // namespace

DecodedSheet decode_bmp(FileBytes bytes) {
    if (bytes.size() < kHeadersSize) return refuse(problem::too_short(bytes.size()));
    const std::uint32_t info_size = read_u32(bytes, kInfoSizeField);
    if (info_size < kInfoHeaderSize) return refuse(problem::old_bmp_header(info_size));
    const std::uint32_t bits = read_u16(bytes, kBitsField);
    if (bits != 1 && bits != 4 && bits != 8) return refuse(problem::bits_per_pixel(bits));
    const std::uint32_t compression = read_u32(bytes, kCompressionField);
    if (compression > kRle4) return refuse(problem::compression(compression));
    if ((compression == kRle8 && bits != 8) || (compression == kRle4 && bits != 4)) {
        return refuse(problem::rle_bits(compression, bits));
    }
    const std::int32_t width = read_i32(bytes, kWidthField);
    if (width <= 0) return refuse(problem::bad_width(width));
    const std::int32_t height = read_i32(bytes, kHeightField);
    if (height == 0) return refuse(problem::zero_height());
    const bool top_down = height < 0;
    const std::int64_t rows = row_count(height);
    const std::uint32_t pixel_offset = read_u32(bytes, kPixelOffsetField);

    if (compression != kUncompressed) {
        if (top_down) return refuse(problem::rle_top_down());
        if (width * rows > kMaxDecodedPixels) return refuse(problem::too_many_pixels(width, rows, kMaxDecodedPixels));
        Palette palette;
        std::string bad_palette = read_palette(bytes, info_size, bits, pixel_offset, palette);
        if (!bad_palette.empty()) return refuse(std::move(bad_palette));
        IndexedImage image = IndexedImage::decoded(width, rows, std::move(palette));
        std::string bad_data = expand_rle(bytes, pixel_offset, bits, image);
        if (!bad_data.empty()) return refuse(std::move(bad_data));
        return DecodedSheet{std::move(image), {}};
    }

    const std::int64_t stride = row_size(width, bits);
    const std::uint64_t end = pixel_offset + static_cast<std::uint64_t>(stride * rows);
    if (end > bytes.size()) return refuse(problem::pixels_cut_short(end, bytes.size()));
    Palette palette;
    std::string bad_palette = read_palette(bytes, info_size, bits, pixel_offset, palette);
    if (!bad_palette.empty()) return refuse(std::move(bad_palette));

    // A positive height stores the bottom row first.
    const std::size_t top = pixel_offset + static_cast<std::size_t>(top_down ? 0 : (rows - 1) * stride);
    const std::int64_t step = top_down ? stride : -stride;
    if (bits != 8) {
        return DecodedSheet{unpack_rows(bytes, bits, width, rows, top, step, std::move(palette)), {}};
    }
    return DecodedSheet{IndexedImage::view(std::move(bytes), width, rows, top, step, std::move(palette)), {}};
}

}  // namespace pixcell
