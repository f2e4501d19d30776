#include "cells/cut_cell.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cstring>

#include "common/wrap.h"

namespace pixcell {

namespace {

#if defined(__SSE2__)
// The rows of 16 pixels, folded into running lowest and highest rows over
// the pixels that aren't index 0 (those count as row 0xFF for the lowest,
// 0 for the highest, so that they change neither).
struct SpanLanes {
    __m128i low = _mm_set1_epi8(static_cast<char>(RowSpan::kNone));
    __m128i high = _mm_setzero_si128();

    void add(__m128i pixels) {
        const __m128i zero = _mm_cmpeq_epi8(pixels, _mm_setzero_si128());
        const __m128i row = _mm_and_si128(_mm_srli_epi16(pixels, kRowShift), _mm_set1_epi8(kPixelMask));
        low = _mm_min_epu8(low, _mm_or_si128(row, zero));
        high = _mm_max_epu8(high, _mm_andnot_si128(zero, row));
    }

    RowSpan span() const {
        __m128i l = _mm_min_epu8(low, _mm_srli_si128(low, 8));
        __m128i h = _mm_max_epu8(high, _mm_srli_si128(high, 8));
        l = _mm_min_epu8(l, _mm_srli_si128(l, 4));
        h = _mm_max_epu8(h, _mm_srli_si128(h, 4));
        l = _mm_min_epu8(l, _mm_srli_si128(l, 2));
        h = _mm_max_epu8(h, _mm_srli_si128(h, 2));
        l = _mm_min_epu8(l, _mm_srli_si128(l, 1));
        h = _mm_max_epu8(h, _mm_srli_si128(h, 1));
        return RowSpan{static_cast<std::uint8_t>(_mm_cvtsi128_si32(l)), static_cast<std::uint8_t>(_mm_cvtsi128_si32(h))};
    }
};

// Row k of all four tiles from the cell's rows k (top) and k + 8 (bottom),
// 16 pixels each: what pack_tile_row gives for each 8, in a few vector steps.
inline void pack_row_pair(const std::uint8_t* top, const std::uint8_t* bottom, std::size_t k,
                          std::array<Tile, 4>& tiles, SpanLanes& lanes) {
    const __m128i nibble = _mm_set1_epi8(kPixelMask);
    const __m128i low_byte = _mm_set1_epi16(0x00FF);
    const __m128i top_pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(top));
    const __m128i bottom_pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bottom));
    lanes.add(top_pixels);
    lanes.add(bottom_pixels);
    __m128i a = _mm_and_si128(top_pixels, nibble);
    __m128i b = _mm_and_si128(bottom_pixels, nibble);
    // Each 16-bit lane holds pixels 2i and 2i + 1; make its low byte their pair.
    a = _mm_and_si128(_mm_or_si128(a, _mm_srli_epi16(a, kPixelBits)), low_byte);
    b = _mm_and_si128(_mm_or_si128(b, _mm_srli_epi16(b, kPixelBits)), low_byte);
    alignas(16) std::uint8_t packed[16];  // 4 bytes for each tile, in tile order
    _mm_store_si128(reinterpret_cast<__m128i*>(packed), _mm_packus_epi16(a, b));
    // x86 is little-endian: the first byte of a pair is the halfword's low byte.
    for (std::size_t t = 0; t < 4; ++t) std::memcpy(&tiles[t][2 * k], packed + 4 * t, 4);
}
#endif

// The span of `count` pixels, one at a time.
void add_to_span(const std::uint8_t* pixels, std::int64_t count, RowSpan& span) {
    for (std::int64_t i = 0; i < count; ++i) {
        if (pixels[i] == 0) continue;
        const auto row = static_cast<std::uint8_t>(pixels[i] >> kRowShift);
        span.add(RowSpan{row, row});
    }
}

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
std::array<Tile, 4> cut_cell_tiles(const IndexedImage& image, std::int32_t x, std::int32_t y, RowSpan& span) {
    span = RowSpan{};
    if (holds_cell(image, x, y)) {
        std::array<Tile, 4> tiles;
#if defined(__SSE2__)
        SpanLanes lanes;
#endif
        for (std::size_t k = 0; k < static_cast<std::size_t>(kTilePixels); ++k) {
            const std::uint8_t* top = image.row(y + static_cast<std::int64_t>(k)) + x;
            const std::uint8_t* bottom = image.row(y + kTilePixels + static_cast<std::int64_t>(k)) + x;
#if defined(__SSE2__)
            pack_row_pair(top, bottom, k, tiles, lanes);
#else
            pack_tile_row(top, k, tiles[0]);
            pack_tile_row(top + kTilePixels, k, tiles[1]);
            pack_tile_row(bottom, k, tiles[2]);
            pack_tile_row(bottom + kTilePixels, k, tiles[3]);
            add_to_span(top, kCellPixels, span);
            add_to_span(bottom, kCellPixels, span);
#endif
        }
#if defined(__SSE2__)
        span = lanes.span();
#endif
        return tiles;
    }
    // Over an edge: the rows of the pixels inside.
    for (std::int64_t k = 0; k < kCellPixels; ++k) {
        const std::int64_t sheet_y = std::int64_t{y} + k;
        if (sheet_y < 0 || sheet_y >= image.height()) continue;
        const std::int64_t left = std::max<std::int64_t>(x, 0);
        const std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + kCellPixels, image.width());
        if (left < right) add_to_span(image.row(sheet_y) + left, right - left, span);
    }
    const std::int32_t right = wrap_add(x, kTilePixels);
    const std::int32_t below = wrap_add(y, kTilePixels);
    return {cut_tile(image, x, y), cut_tile(image, right, y), cut_tile(image, x, below), cut_tile(image, right, below)};
}

std::array<Tile, 4> cut_clipped_cell(const IndexedImage& image, std::int32_t x, std::int32_t y, std::int32_t columns,
                                     std::int32_t rows, RowSpan& span) {
    span = RowSpan{};
    std::uint8_t pixels[kCellPixels][kCellPixels] = {};
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + columns, image.width());
    for (std::int64_t k = 0; k < rows; ++k) {
        const std::int64_t sheet_y = std::int64_t{y} + k;
        if (sheet_y < 0 || sheet_y >= image.height() || left >= right) continue;
        const std::uint8_t* line = image.row(sheet_y) + left;
        std::copy(line, line + (right - left), &pixels[k][left - x]);
        add_to_span(line, right - left, span);
    }
    std::array<Tile, 4> tiles{};
    for (std::size_t k = 0; k < static_cast<std::size_t>(kCellPixels); ++k) {
        Tile* half = &tiles[k < kTilePixels ? 0 : 2];
        pack_tile_row(pixels[k], k % kTilePixels, half[0]);
        pack_tile_row(pixels[k] + kTilePixels, k % kTilePixels, half[1]);
    }
    return tiles;
}

std::array<Tile, 4> cut_cell_tiles(const IndexedImage& image, std::int32_t x, std::int32_t y) {
    RowSpan span;
    return cut_cell_tiles(image, x, y, span);
}

void prefetch_cell_rows(const IndexedImage& image, std::int32_t x, std::int32_t y) {
    if (!holds_cell(image, x, y)) return;  // only whole cells are read row by row
    for (std::int64_t k = 0; k < kCellPixels; ++k) __builtin_prefetch(image.row(y + k) + x);
}

}  // namespace pixcell
