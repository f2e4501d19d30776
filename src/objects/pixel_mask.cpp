#include "objects/pixel_mask.h"

#include <algorithm>
#include <cstring>

namespace pixcell {

Box unite(const Box& a, const Box& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

Box bounding_box(const PixelMask& mask) { return bounding_box(mask, ~std::uint64_t{0}, 0, mask.height); }

Box bounding_box(const PixelMask& mask, std::uint64_t columns, std::int32_t top, std::int32_t bottom) {
    Box box;
    std::uint64_t seen = 0;
    for (std::int32_t y = top; y < bottom; ++y) {
        const std::uint64_t row = mask.rows[static_cast<std::size_t>(y)] & columns;
        if (row == 0) continue;
        if (seen == 0) box.top = y;
        box.bottom = y + 1;
        seen |= row;
    }
    if (seen == 0) return {};
    box.left = __builtin_ctzll(seen);
    box.right = 64 - __builtin_clzll(seen);
    return box;
}

std::int64_t pixel_count(const PixelMask& mask) {
    std::int64_t count = 0;
    for (std::int32_t y = 0; y < mask.height; ++y) count += __builtin_popcountll(mask.rows[static_cast<std::size_t>(y)]);
    return count;
}

std::uint64_t row_bits(std::int32_t left, std::int32_t right) {
    if (left >= right) return 0;
    const std::uint64_t upto_right = right >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << right) - 1;
    return upto_right & ~((std::uint64_t{1} << left) - 1);
}

std::uint64_t rectangle_row(std::int32_t x, std::int32_t width) {
    return row_bits(std::clamp(x, 0, kWindowPixels), std::clamp(x + width, 0, kWindowPixels));
}

std::uint64_t shown_bits(const std::uint8_t* pixels, std::int32_t count) {
    std::uint64_t bits = 0;
    std::int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, pixels + i, sizeof w);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
        w = __builtin_bswap64(w);
#endif
        // Bit 7 of each byte: its low nibble isn't 0 (adding 0x7F to at most
        // 0x0F never carries into the next byte).
        const std::uint64_t shown = ((w & 0x0F0F0F0F0F0F0F0Full) + 0x7F7F7F7F7F7F7F7Full) & 0x8080808080808080ull;
        // Byte j's bit lands on bit 56 + j; no two products share a bit.
        bits |= ((shown >> 7) * 0x0102040810204080ull) >> 56 << i;
    }
    for (; i < count; ++i) {
        if ((pixels[i] & kPixelMask) != 0) bits |= std::uint64_t{1} << i;
    }
    return bits;
}

}  // namespace pixcell
