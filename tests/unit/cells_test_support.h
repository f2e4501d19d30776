// What the cell store's tests share: a scratch directory, and reading a packed
// cell back as pixels without going through the packing code.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "cells/cell_pattern.h"

namespace pixcell::cells_test {

// A fresh directory under the system's temp dir, removed with everything in it.
struct TempDir {
    std::string path;

    TempDir() {
        std::string name = (std::filesystem::temp_directory_path() / "pixcell-cells-XXXXXX").string();
        std::vector<char> buffer(name.begin(), name.end());
        buffer.push_back('\0');
        if (mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("can't make a temp dir");
        path = buffer.data();
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return path + "/" + name; }
};

// Pixel (x, y) of a 16x16 cell, read from the console's layout: quarters
// TL, TR, BL, BR of 16 halfwords, rows of 2 halfwords, leftmost pixel lowest.
inline std::uint8_t cell_pixel(const Cell& cell, int x, int y) {
    const int quarter = (y / 8) * 2 + x / 8;
    const std::uint16_t half = cell[static_cast<std::size_t>(quarter * 16 + (y % 8) * 2 + (x % 8) / 4)];
    return static_cast<std::uint8_t>(half >> (4 * (x % 4)) & 0xF);
}

inline std::uint32_t cell_crc(const Cell& cell) {
    const std::array<std::uint8_t, kCellBytes> bytes = cell_bytes(cell);
    return crc32(bytes.data(), static_cast<std::int32_t>(bytes.size()));
}

}  // namespace pixcell::cells_test
