// Pixels packed several to a byte, leftmost in the high bits, as BMP and
// PNG both store rows of 1, 2 and 4 bits a pixel.
#pragma once

#include <cstdint>

namespace pixcell {

// Spreads `count` pixels of `bits` bits each (1, 2, 4 or 8) from `packed`
// to one byte each, the k-th to out[k * step]. Reads (count * bits + 7) / 8
// bytes; the bits after the last pixel are padding and never read.
void unpack_pixels(const std::uint8_t* packed, std::uint32_t bits, std::int64_t count, std::uint8_t* out,
                   std::int64_t step = 1);

}  // namespace pixcell
