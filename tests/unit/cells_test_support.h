// What the cells tests share: reading a packed cell back as pixels without
// going through the packing code, and the CRC-32 of the reference model.
#pragma once

#include <array>
#include <cstdint>

#include "cells/cell_pattern.h"

namespace pixcell::cells_test {

// Pixel (x, y) of a 16x16 cell, read from the console's layout: quarters
// TL, TR, BL, BR of 16 halfwords, rows of 2 halfwords, leftmost pixel lowest.
inline std::uint8_t cell_pixel(const Cell& cell, int x, int y) {
    const int quarter = (y / 8) * 2 + x / 8;
    const std::uint16_t half = cell[static_cast<std::size_t>(quarter * 16 + (y % 8) * 2 + (x % 8) / 4)];
    return static_cast<std::uint8_t>(half >> (4 * (x % 4)) & 0xF);
}

// Standard CRC-32 (reflected, polynomial 0xEDB88320), a bit at a time: the
// matching the tests' reference model does by CRC before comparing bytes.
inline std::uint32_t crc32(const std::uint8_t* data, std::size_t length) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
}

inline std::uint32_t cell_crc(const Cell& cell) {
    const std::array<std::uint8_t, kCellBytes> bytes = cell_bytes(cell);
    return crc32(bytes.data(), bytes.size());
}

}  // namespace pixcell::cells_test
