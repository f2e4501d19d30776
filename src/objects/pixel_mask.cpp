#include "objects/pixel_mask.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cstring>

namespace pixcell {

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

namespace {

std::uint64_t reverse_bits(std::uint64_t r) {
    r = (r >> 1 & 0x5555555555555555ull) | (r & 0x5555555555555555ull) << 1;
    r = (r >> 2 & 0x3333333333333333ull) | (r & 0x3333333333333333ull) << 2;
    r = (r >> 4 & 0x0F0F0F0F0F0F0F0Full) | (r & 0x0F0F0F0F0F0F0F0Full) << 4;
    return __builtin_bswap64(r);
}

}  // namespace

PixelMask cut_out(const PixelMask& mask, const Box& box, std::int32_t flip) {
    PixelMask out;
    out.width = box.width();
    out.height = box.height();
    const std::uint64_t columns = row_bits(0, out.width);
    for (std::int32_t y = 0; y < out.height; ++y) {
        const std::int32_t from = box.top + ((flip & kFlipVertical) ? out.height - 1 - y : y);
        std::uint64_t row = mask.rows[static_cast<std::size_t>(from)] >> box.left & columns;
        if (flip & kFlipHorizontal) row = reverse_bits(row) >> (kWindowPixels - out.width);
        out.rows[static_cast<std::size_t>(y)] = row;
    }
    return out;
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
#if defined(__SSE2__)
    const __m128i nibble = _mm_set1_epi8(kPixelMask);
    for (; i + 16 <= count; i += 16) {
        const __m128i pixels16 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + i));
        const __m128i blank = _mm_cmpeq_epi8(_mm_and_si128(pixels16, nibble), _mm_setzero_si128());
        bits |= static_cast<std::uint64_t>(~_mm_movemask_epi8(blank) & 0xFFFF) << i;
    }
#endif
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
