// The pixels a cover must show, a window of at most 64 by 64 at a time: the
// largest object's size, so that a row is one 64-bit word and a window's
// pixels always fit one object.
#pragma once

#include <array>
#include <cstdint>

#include "common/console.h"

namespace pixcell {

constexpr std::int32_t kWindowPixels = kLargestObjectPixels;

// Bit x of row y is set when pixel (x, y) must be shown.
struct PixelMask {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::array<std::uint64_t, kWindowPixels> rows{};
};

// A rectangle [left, right) x [top, bottom) of a window's pixels.
struct Box {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool empty() const { return left >= right || top >= bottom; }
    std::int32_t width() const { return right - left; }
    std::int32_t height() const { return bottom - top; }
};

// The smallest box holding both; an empty box holds nothing.
inline Box unite(const Box& a, const Box& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return {a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top, a.right > b.right ? a.right : b.right,
            a.bottom > b.bottom ? a.bottom : b.bottom};
}

// The set pixels' box, empty when none is set; the second, of those in the
// columns set in `columns` and the rows [top, bottom).
Box bounding_box(const PixelMask& mask);
Box bounding_box(const PixelMask& mask, std::uint64_t columns, std::int32_t top, std::int32_t bottom);

// The box's pixels of `mask` moved to the top-left corner and mirrored by
// `flip` (0..3) within the box.
PixelMask cut_out(const PixelMask& mask, const Box& box, std::int32_t flip = 0);

// Bits left .. right - 1 of a row, 0 <= left <= right <= 64; and the bits of
// the columns x .. x + width - 1, which may lie partly or wholly outside the
// window.
std::uint64_t row_bits(std::int32_t left, std::int32_t right);
std::uint64_t rectangle_row(std::int32_t x, std::int32_t width);

// The pixels that show among `count` (at most 64) palette indices: bit i is
// set when the low nibble of pixels[i] isn't 0.
std::uint64_t shown_bits(const std::uint8_t* pixels, std::int32_t count);

}  // namespace pixcell
