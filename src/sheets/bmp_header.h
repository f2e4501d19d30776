// The fields of a Windows BMP file's headers that the BMP decoders read, all
// little-endian; private to this stage.
#pragma once

#include <cstddef>
#include <cstdint>

#include "sheets/decoders.h"
#include "sheets/file_bytes.h"

namespace pixcell {

constexpr std::size_t kBmpFileHeaderSize = 14;
constexpr std::size_t kBmpHeadersSize = 54;       // file header and the smallest Windows info header
constexpr std::uint32_t kBmpInfoHeaderSize = 40;  // smaller ones are OS/2 headers with 16-bit sizes

// Compression methods.
constexpr std::uint32_t kBmpUncompressed = 0;
constexpr std::uint32_t kBmpRle8 = 1;
constexpr std::uint32_t kBmpRle4 = 2;
constexpr std::uint32_t kBmpBitFields = 3;
constexpr std::uint32_t kBmpAlphaBitFields = 6;

inline std::uint32_t read_u32_le(const FileBytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

inline std::uint32_t read_u16_le(const FileBytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

struct BmpHeader {
    std::uint32_t pixel_offset = 0;  // of the pixel data from the file's start
    std::uint32_t info_size = 0;     // 40, or 52 to 124 for the V2 to V5 headers
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative: rows stored from the top
    std::uint32_t bits = 0;   // a pixel
    std::uint32_t compression = 0;
    std::uint32_t colours_used = 0;  // in the colour table; 0 means 2^bits

    // 64 bits throughout: |height| of -2147483648 and the array size don't fit 32.
    std::int64_t rows() const { return height < 0 ? -static_cast<std::int64_t>(height) : height; }
    std::int64_t row_size() const { return (static_cast<std::int64_t>(width) * bits + 31) / 32 * 4; }
    // Where the information header ends and what may follow it begins.
    std::uint64_t info_end() const { return kBmpFileHeaderSize + static_cast<std::uint64_t>(info_size); }
};

// The file must hold kBmpHeadersSize bytes.
inline BmpHeader read_bmp_header(const FileBytes& bytes) {
    BmpHeader header;
    header.pixel_offset = read_u32_le(bytes, 10);
    header.info_size = read_u32_le(bytes, 14);
    header.width = static_cast<std::int32_t>(read_u32_le(bytes, 18));
    header.height = static_cast<std::int32_t>(read_u32_le(bytes, 22));
    header.bits = read_u16_le(bytes, 28);
    header.compression = read_u32_le(bytes, 30);
    header.colours_used = read_u32_le(bytes, 46);
    return header;
}

// BMP of 16, 24 or 32 bits a pixel, its header already checked up to the
// compression method.
DecodedSheet decode_bmp_true_colour(const FileBytes& bytes, const BmpHeader& header);

}  // namespace pixcell
