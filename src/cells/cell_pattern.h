// Packed 4-bit tiles and cells in the console's layout, and their mirror images.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "common/console.h"

namespace pixcell {

using Tile = std::array<std::uint16_t, kTileHalfwords>;
using Cell = std::array<std::uint16_t, kCellHalfwords>;

// One distinct cell with its mirror images, indexed by flip code: variant 0
// is the cell as cut, the others are kept so that matching never mirrors.
struct CellPattern {
    std::array<Cell, 4> variant;
};

// Packs 8 palette indices, left to right, into row `row` (0..7) of a tile:
// the low nibble of each, the leftmost pixel lowest. Inline and branch-free,
// since it runs for every row of every cell cut.
inline void pack_tile_row(const std::uint8_t* pixels, std::size_t row, Tile& tile) {
    std::uint64_t w;
    std::memcpy(&w, pixels, sizeof w);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    w = __builtin_bswap64(w);
#endif
    // Pixel i is now byte i of w.
    w &= 0x0F0F0F0F0F0F0F0Full;
    w = (w | w >> 4) & 0x00FF00FF00FF00FFull;  // pixel pairs in one byte
    w = (w | w >> 8) & 0x0000FFFF0000FFFFull;  // pixel quads in one halfword
    tile[2 * row] = static_cast<std::uint16_t>(w);
    tile[2 * row + 1] = static_cast<std::uint16_t>(w >> 32);
}

// Builds all four variants from the tiles top-left, top-right, bottom-left,
// bottom-right.
CellPattern make_cell_pattern(const std::array<Tile, 4>& tiles);

// Row k (0..7) of a tile as one word, pixel i in bits 4i .. 4i + 3, and a
// row so held mirrored left-right.
inline std::uint32_t tile_row(const Tile& tile, std::size_t k) {
    return static_cast<std::uint32_t>(tile[2 * k]) | static_cast<std::uint32_t>(tile[2 * k + 1]) << 16;
}
inline std::uint32_t mirrored_row(std::uint32_t row) {
    return __builtin_bswap32((row & 0x0F0F0F0Fu) << 4 | (row >> 4 & 0x0F0F0F0Fu));
}

// The cell mirrored as `flip` (0..3) says: variant `flip` of its pattern.
Cell mirror_cell(const Cell& cell, std::int32_t flip);
// One tile mirrored the same way.
Tile mirror_tile(const Tile& tile, std::int32_t flip);

// True when every pixel of the cell (or tile) is 0.
bool is_empty(const Cell& cell);
bool is_empty(const Tile& tile);

// The cell's 128 bytes as they are laid out in the console's memory.
std::array<std::uint8_t, kCellBytes> cell_bytes(const Cell& cell);

}  // namespace pixcell
