// Windows BMP: uncompressed, 8 bits a pixel, bottom-up or top-down. The
// pixel array is used in place, never copied.
#include <cstdint>
#include <utility>

#include "common/messages.h"
#include "sheets/decoders.h"

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
constexpr std::size_t kHeadersSize = 54;       // file header and the smallest Windows info header
constexpr std::uint32_t kInfoHeaderSize = 40;  // smaller ones are OS/2 headers with 16-bit sizes
constexpr std::uint32_t kBitsPerPixel = 8;

std::uint32_t read_u32(const FileBytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::int32_t read_i32(const FileBytes& bytes, std::size_t at) { return static_cast<std::int32_t>(read_u32(bytes, at)); }

std::uint32_t read_u16(const FileBytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

// 64 bits throughout: |height| of -2147483648 and the array size don't fit 32.
std::int64_t row_size(std::int32_t width) { return (static_cast<std::int64_t>(width) + 3) / 4 * 4; }

std::int64_t row_count(std::int32_t height) { return height < 0 ? -static_cast<std::int64_t>(height) : height; }

DecodedSheet refuse(std::string problem) { return DecodedSheet{std::nullopt, std::move(problem)}; }

}  // namespace

DecodedSheet decode_bmp(FileBytes bytes) {
    if (bytes.size() < kHeadersSize) return refuse(problem::too_short(bytes.size()));
    if (bytes[0] != 'B' || bytes[1] != 'M') return refuse(problem::not_bmp());
    const std::uint32_t info_size = read_u32(bytes, kInfoSizeField);
    if (info_size < kInfoHeaderSize) return refuse(problem::old_bmp_header(info_size));
    const std::uint32_t bits = read_u16(bytes, kBitsField);
    if (bits != kBitsPerPixel) return refuse(problem::bits_per_pixel(bits));
    if (read_u32(bytes, kCompressionField) != 0) return refuse(problem::compressed());
    const std::int32_t width = read_i32(bytes, kWidthField);
    if (width <= 0) return refuse(problem::bad_width(width));
    const std::int32_t height = read_i32(bytes, kHeightField);
    if (height == 0) return refuse(problem::zero_height());
    const std::uint32_t pixel_offset = read_u32(bytes, kPixelOffsetField);
    const std::int64_t rows = row_count(height);
    const std::int64_t stride = row_size(width);
    const std::uint64_t end = pixel_offset + static_cast<std::uint64_t>(stride * rows);
    if (end > bytes.size()) return refuse(problem::pixels_cut_short(end, bytes.size()));

    // A positive height stores the bottom row first.
    const bool top_down = height < 0;
    const std::size_t top = pixel_offset + static_cast<std::size_t>(top_down ? 0 : (rows - 1) * stride);
    return DecodedSheet{IndexedImage::view(std::move(bytes), width, rows, top, top_down ? stride : -stride, {}), {}};
}

}  // namespace pixcell
