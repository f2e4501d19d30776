#include "cells/cell_pattern.h"

namespace pixcell {

namespace {

constexpr std::size_t kTileRows = static_cast<std::size_t>(kTilePixels);

// The halfword with its four pixels in reverse order: one row half mirrored.
constexpr std::uint16_t reversed(std::uint16_t h) {
    return static_cast<std::uint16_t>((h & 0x000F) << 12 | (h & 0x00F0) << 4 |
                                      (h & 0x0F00) >> 4 | (h & 0xF000) >> 12);
}

// The standard CRC-32 table, and seven more derived from it that advance the
// CRC over 8 bytes at a time ("slicing by 8"): the same values as the
// byte-at-a-time loop, several times faster, and it runs for every new cell.
struct CrcTables {
    std::uint32_t entry[8][256];
};

constexpr CrcTables make_crc_tables() {
    CrcTables tables{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        tables.entry[0][i] = c;
    }
    for (std::size_t k = 1; k < 8; ++k) {
        for (std::size_t i = 0; i < 256; ++i) {
            const std::uint32_t previous = tables.entry[k - 1][i];
            tables.entry[k][i] = (previous >> 8) ^ tables.entry[0][previous & 0xFF];
        }
    }
    return tables;
}

constexpr CrcTables kCrc = make_crc_tables();

std::uint32_t crc_byte(std::uint32_t crc, std::uint8_t byte) {
    return (crc >> 8) ^ kCrc.entry[0][(crc ^ byte) & 0xFF];
}

// Eight bytes, the first in the low byte of `word`.
inline std::uint32_t crc_word(std::uint32_t crc, std::uint64_t word) {
    const std::uint32_t low = crc ^ static_cast<std::uint32_t>(word);
    const auto high = static_cast<std::uint32_t>(word >> 32);
    return kCrc.entry[7][low & 0xFF] ^ kCrc.entry[6][(low >> 8) & 0xFF] ^ kCrc.entry[5][(low >> 16) & 0xFF] ^
           kCrc.entry[4][low >> 24] ^ kCrc.entry[3][high & 0xFF] ^ kCrc.entry[2][(high >> 8) & 0xFF] ^
           kCrc.entry[1][(high >> 16) & 0xFF] ^ kCrc.entry[0][high >> 24];
}

// Eight bytes of a cell from halfword i on, each halfword low byte first.
inline std::uint64_t cell_word(const Cell& cell, std::size_t i) {
    return std::uint64_t{cell[i]} | std::uint64_t{cell[i + 1]} << 16 | std::uint64_t{cell[i + 2]} << 32 |
           std::uint64_t{cell[i + 3]} << 48;
}

// The CRCs of all four variants' 128 bytes, side by side: four independent
// chains of table look-ups overlap where one alone would wait on each step.
void variant_crcs(CellPattern& pattern) {
    std::uint32_t crc[4] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
    for (std::size_t i = 0; i < kCellHalfwords; i += 4) {
        for (std::size_t f = 0; f < 4; ++f) crc[f] = crc_word(crc[f], cell_word(pattern.variant[f], i));
    }
    for (std::size_t f = 0; f < 4; ++f) pattern.crc[f] = crc[f] ^ 0xFFFFFFFFu;
}

}  // namespace

CellPattern make_cell_pattern(const std::array<Tile, 4>& tiles) {
    CellPattern pattern;
    for (std::size_t r = 0; r < 2; ++r) {
        for (std::size_t q = 0; q < 2; ++q) {
            const Tile& t = tiles[2 * r + q];
            // Each variant receives this tile in the quarter its mirror moves it to.
            std::uint16_t* as_cut = &pattern.variant[0][(2 * r + q) * kTileHalfwords];
            std::uint16_t* left_right = &pattern.variant[1][(2 * r + (1 - q)) * kTileHalfwords];
            std::uint16_t* top_bottom = &pattern.variant[2][(2 * (1 - r) + q) * kTileHalfwords];
            std::uint16_t* both = &pattern.variant[3][(2 * (1 - r) + (1 - q)) * kTileHalfwords];
            for (std::size_t k = 0; k < kTileRows; ++k) {
                const std::size_t row = 2 * k;
                const std::size_t mirrored_row = 2 * (kTileRows - 1 - k);
                as_cut[row] = t[row];
                as_cut[row + 1] = t[row + 1];
                left_right[row] = reversed(t[row + 1]);
                left_right[row + 1] = reversed(t[row]);
                top_bottom[row] = t[mirrored_row];
                top_bottom[row + 1] = t[mirrored_row + 1];
                both[row] = reversed(t[mirrored_row + 1]);
                both[row + 1] = reversed(t[mirrored_row]);
            }
        }
    }
    variant_crcs(pattern);
    return pattern;
}

bool is_empty(const Cell& cell) {
    for (const std::uint16_t h : cell) {
        if (h != 0) return false;
    }
    return true;
}

bool is_empty(const Tile& tile) {
    std::uint64_t words[sizeof(Tile) / 8];
    std::memcpy(words, tile.data(), sizeof words);
    return (words[0] | words[1] | words[2] | words[3]) == 0;
}

std::array<std::uint8_t, kCellBytes> cell_bytes(const Cell& cell) {
    std::array<std::uint8_t, kCellBytes> bytes;
    for (std::size_t i = 0; i < kCellHalfwords; ++i) {
        bytes[2 * i] = static_cast<std::uint8_t>(cell[i]);
        bytes[2 * i + 1] = static_cast<std::uint8_t>(cell[i] >> 8);
    }
    return bytes;
}

std::uint32_t crc32(const std::uint8_t* data, std::int32_t length) {
    if (length <= 0) return 0;
    std::uint32_t crc = 0xFFFFFFFFu;
    std::int32_t i = 0;
    for (; i + 8 <= length; i += 8) {
        std::uint64_t word = 0;
        for (int b = 7; b >= 0; --b) word = word << 8 | data[i + b];
        crc = crc_word(crc, word);
    }
    for (; i < length; ++i) crc = crc_byte(crc, data[i]);
    return crc ^ 0xFFFFFFFFu;
}

}  // namespace pixcell
