#include "sheets/packed_pixels.h"

namespace pixcell {

void unpack_pixels(const std::uint8_t* packed, std::uint32_t bits, std::int64_t count, std::uint8_t* out,
                   std::int64_t step) {
    const unsigned mask = (1u << bits) - 1;
    const std::uint32_t per_byte = 8 / bits;
    for (std::int64_t k = 0; k < count; ++k) {
        const std::uint32_t slot = static_cast<std::uint32_t>(k) % per_byte;
        const unsigned shift = 8 - bits * (slot + 1);
        out[k * step] = static_cast<std::uint8_t>(packed[k / per_byte] >> shift & mask);
    }
}

}  // namespace pixcell
