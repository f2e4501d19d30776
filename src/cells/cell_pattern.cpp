#include "cells/cell_pattern.h"

namespace pixcell {

namespace {

constexpr std::size_t kTileRows = static_cast<std::size_t>(kTilePixels);

// The halfword with its four pixels in reverse order: one row half mirrored.
constexpr std::uint16_t reversed(std::uint16_t h) {
    return static_cast<std::uint16_t>((h & 0x000F) << 12 | (h & 0x00F0) << 4 | (h & 0x0F00) >> 4 | (h & 0xF000) >> 12);
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
    return pattern;
}

Tile mirror_tile(const Tile& tile, std::int32_t flip) {
    const bool left_right = (flip & kFlipHorizontal) != 0;
    const bool top_bottom = (flip & kFlipVertical) != 0;
    Tile mirrored;
    for (std::size_t k = 0; k < kTileRows; ++k) {
        const std::size_t source = 2 * (top_bottom ? kTileRows - 1 - k : k);
        std::uint32_t row = tile_row(tile, source / 2);
        if (left_right) row = mirrored_row(row);
        mirrored[2 * k] = static_cast<std::uint16_t>(row);
        mirrored[2 * k + 1] = static_cast<std::uint16_t>(row >> 16);
    }
    return mirrored;
}

Cell mirror_cell(const Cell& cell, std::int32_t flip) {
    const bool left_right = (flip & kFlipHorizontal) != 0;
    const bool top_bottom = (flip & kFlipVertical) != 0;
    Cell mirrored;
    for (std::size_t r = 0; r < 2; ++r) {
        for (std::size_t q = 0; q < 2; ++q) {
            Tile from;
            std::memcpy(from.data(), &cell[(2 * r + q) * kTileHalfwords], sizeof from);
            const Tile to = mirror_tile(from, flip);
            const std::size_t quarter = 2 * (top_bottom ? 1 - r : r) + (left_right ? 1 - q : q);
            std::memcpy(&mirrored[quarter * kTileHalfwords], to.data(), sizeof to);
        }
    }
    return mirrored;
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

}  // namespace pixcell
