// The yardstick the compressed tiles are measured against: LZ77 as the
// field's converters write it for tile memory, greedily: at each position
// the longest match 2 to 4096 bytes back (up to 18), else a literal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pixcell::bench {

// The stream's bytes, header included, before the padding to 4.
std::size_t greedy_lz77_size(const std::vector<std::uint8_t>& data);

}  // namespace pixcell::bench
