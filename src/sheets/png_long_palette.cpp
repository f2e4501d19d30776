#include "sheets/png_long_palette.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "common/messages.h"

namespace pixcell {

namespace {

// A chunk is its data's length, its type, the data, and the CRC of type and data.
constexpr std::size_t kSignatureSize = 8;
constexpr std::size_t kChunkFraming = 12;
constexpr std::size_t kHeaderDataSize = 13;
constexpr std::size_t kDepthField = 24;  // in IHDR, the first chunk
constexpr std::size_t kColourTypeField = 25;
constexpr std::uint8_t kIndexedColour = 3;

std::uint32_t read_u32_big_endian(const FileBytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) << 24 | static_cast<std::uint32_t>(bytes[at + 1]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 8 | static_cast<std::uint32_t>(bytes[at + 3]);
}

void write_u32_big_endian(FileBytes& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

std::uint32_t crc_of(const FileBytes& bytes, std::size_t chunk, std::size_t length) {
    return static_cast<std::uint32_t>(crc32_z(0, bytes.data() + chunk + 4, 4 + length));
}

bool is_type(const FileBytes& bytes, std::size_t chunk, const char* type) {
    return std::memcmp(bytes.data() + chunk + 4, type, 4) == 0;
}

// Keeps the first `kept` bytes of the chunk's data; the bytes after it move up.
void cut_chunk(FileBytes& bytes, std::size_t chunk, std::size_t length, std::size_t kept) {
    const std::size_t data = chunk + 8;
    bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(data + kept),
                bytes.begin() + static_cast<std::ptrdiff_t>(data + length));
    write_u32_big_endian(bytes, chunk, static_cast<std::uint32_t>(kept));
    write_u32_big_endian(bytes, data + kept, crc_of(bytes, chunk, kept));
}

}  // namespace

std::string cut_long_palette(FileBytes& bytes) {
    if (bytes.size() < kSignatureSize + kChunkFraming + kHeaderDataSize) return {};
    if (read_u32_big_endian(bytes, kSignatureSize) != kHeaderDataSize || !is_type(bytes, kSignatureSize, "IHDR")) {
        return {};
    }
    const unsigned depth = bytes[kDepthField];
    if (bytes[kColourTypeField] != kIndexedColour || (depth != 1 && depth != 2 && depth != 4 && depth != 8)) return {};
    const std::size_t most = std::size_t{1} << depth;

    std::size_t palette = 0;  // entries kept; 0 until PLTE is seen
    std::size_t at = kSignatureSize + kChunkFraming + kHeaderDataSize;
    while (bytes.size() - at >= kChunkFraming) {
        const std::size_t length = read_u32_big_endian(bytes, at);
        if (length > bytes.size() - at - kChunkFraming) break;
        if (is_type(bytes, at, "IDAT") || is_type(bytes, at, "IEND")) break;
        std::size_t kept = length;
        if (is_type(bytes, at, "PLTE") && length % 3 == 0) {
            palette = std::min(length / 3, most);
            kept = palette * 3;
        } else if (is_type(bytes, at, "tRNS") && palette != 0) {
            kept = std::min(length, palette);
        }
        if (kept != length) {
            if (crc_of(bytes, at, length) != read_u32_big_endian(bytes, at + 8 + length)) {
                return messages::sheet_problem::png_bad_crc();
            }
            cut_chunk(bytes, at, length, kept);
        }
        at += kChunkFraming + kept;
    }
    return {};
}

}  // namespace pixcell
