// What a cover of a sprite with objects pays: so much for each object and so
// much for each 8x8 tile it stores. The three ways of covering are three
// values of it; the search only ever minimises the sum.
#pragma once

#include <cstdint>

namespace pixcell {

struct ObjectCost {
    std::int64_t per_object = 0;
    std::int64_t per_tile = 0;
};

// The weights hold a tie-break too: each mode's second aim is a weight too
// small to outweigh one unit of its first (no window stores 2^16 tiles).
constexpr std::int64_t kTieBreak = std::int64_t{1} << 16;

// The fewest objects, then the fewest tiles.
constexpr ObjectCost kFewestObjects{kTieBreak << 16, 1};
// An object costs as much as 256 tile bytes, 8 tiles; between covers that
// cost the same, the one of fewer tiles.
constexpr ObjectCost kBalanced{8 * kTieBreak, kTieBreak + 1};
// The fewest tiles, then the fewest objects.
constexpr ObjectCost kFewestTileBytes{1, kTieBreak << 16};

}  // namespace pixcell
