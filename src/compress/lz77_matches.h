// The longest match at every position that the 16-bit LZ77 function can
// copy: displacement 2 to 4096, length up to 18.
#pragma once

#include <cstdint>
#include <vector>

#include "compress/bios_formats.h"

namespace pixcell {

struct LzMatch {
    std::uint8_t length = 0;      // 0 when shorter than the shortest reference
    std::uint16_t distance = 0;   // displacement of the match
};

// For each position of `data`, into `matches` (as many), the longest match
// found earlier in the window (the nearest of the longest). Every shorter
// length from the shortest up is a match at the same displacement too.
void longest_matches(const Bytes& data, LzMatch* matches);

}  // namespace pixcell
