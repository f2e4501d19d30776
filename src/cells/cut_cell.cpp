#include "cells/cut_cell.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <cstring>

#include "common/wrap.h"

namespace pixcell {

namespace {

#if defined(__SSE2__)
// Row k of all four tiles from the cell's rows k (top) and k + 8 (bottom),
// 16 pixels each: what pack_tile_row gives for each 8, in a few vector steps.
inline void pack_row_pair(const std::uint8_t* top, const std::uint8_t* bottom, std::size_t k,
                          std::array<Tile, 4>& tiles) {
    const __m128i nibble = _mm_set1_epi8(kPixelMask);
    const __m128i low_byte = _mm_set1_epi16(0x00FF);
    __m128i a = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(top)), nibble);
    __m128i b = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bottom)), nibble);
    // Each 16-bit lane holds pixels 2i and 2i + 1; make its low byte their pair.
    a = _mm_and_si128(_mm_or_si128(a, _mm_srli_epi16(a, kPixelBits)), low_byte);
    b = _mm_and_si128(_mm_or_si128(b, _mm_srli_epi16(b, kPixelBits)), low_byte);
    alignas(16) std::uint8_t packed[16];  // 4 bytes for each tile, in tile order
    _mm_store_si128(reinterpret_cast<__m128i*>(packed), _mm_packus_epi16(a, b));
    // x86 is little-endian: the first byte of a pair is the halfword's low byte.
    for (std::size_t t = 0; t < 4; ++t) std::memcpy(&tiles[t][2 * k], packed + 4 * t, 4);
}
#endif

// True when the cell at (x, y) lies wholly inside the image.
bool holds_cell(const IndexedImage& image, std::int32_t x, std::int32_t y) {
    return x >= 0 && y >= 0 && x + std::int64_t{kCellPixels} <= image.width() &&
           y + std::int64_t{kCellPixels} <= image.height();
}

}  // namespace

Tile cut_tile(const IndexedImage& image, std::int32_t x, std::int32_t y) {
    Tile tile{};
    const std::int64_t left = x;
    const std::int64_t width = image.width();
    for (std::size_t k = 0; k < static_cast<std::size_t>(kTilePixels); ++k) {
        const std::int64_t sheet_y = std::int64_t{y} + static_cast<std::int64_t>(k);
        if (sheet_y < 0 || sheet_y >= image.height()) continue;
        const std::uint8_t* line = image.row(sheet_y);
        if (left >= 0 && left + kTilePixels <= width) {
            pack_tile_row(line + left, k, tile);
            continue;
        }
        std::uint8_t clipped[kTilePixels] = {};
        for (std::int64_t i = 0; i < kTilePixels; ++i) {
            if (left + i >= 0 && left + i < width) clipped[i] = line[left + i];
        }
        pack_tile_row(clipped, k, tile);
    }
    return tile;
}

// A cell wholly inside the image, the common case, is read row by row
// without any per-pixel test.
std::array<Tile, 4> cut_cell_tiles(const IndexedImage& image, std::int32_t x, std::int32_t y) {
    if (holds_cell(image, x, y)) {
        std::array<Tile, 4> tiles;
        for (std::size_t k = 0; k < static_cast<std::size_t>(kTilePixels); ++k) {
            const std::uint8_t* top = image.row(y + static_cast<std::int64_t>(k)) + x;
            const std::uint8_t* bottom = image.row(y + kTilePixels + static_cast<std::int64_t>(k)) + x;
#if defined(__SSE2__)
            pack_row_pair(top, bottom, k, tiles);
#else
            pack_tile_row(top, k, tiles[0]);
            pack_tile_row(top + kTilePixels, k, tiles[1]);
            pack_tile_row(bottom, k, tiles[2]);
            pack_tile_row(bottom + kTilePixels, k, tiles[3]);
#endif
        }
        return tiles;
    }
    const std::int32_t right = wrap_add(x, kTilePixels);
    const std::int32_t below = wrap_add(y, kTilePixels);
    return {cut_tile(image, x, y), cut_tile(image, right, y), cut_tile(image, x, below), cut_tile(image, right, below)};
}

void prefetch_cell_rows(const IndexedImage& image, std::int32_t x, std::int32_t y) {
    if (!holds_cell(image, x, y)) return;  // only whole cells are read row by row
    for (std::int64_t k = 0; k < kCellPixels; ++k) __builtin_prefetch(image.row(y + k) + x);
}

}  // namespace pixcell
