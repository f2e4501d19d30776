// Packings that placing one set at a time misses: sets gathered pairwise by
// the colours they share, and a bounded search for one row fewer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "colours/colour_sets.h"

namespace pixcell::packing {

// The sets not inside another, in `largest` order (largest first): a set
// inside another joins any row that holds the other, so only these need
// placing. Empty when there are more than `most`, or too many sets to tell
// in little time.
std::vector<std::uint32_t> outer_sets(const std::vector<Colours>& sets, const std::vector<std::uint32_t>& largest,
                                      std::size_t most);

// The `outer` sets gathered into rows, two rows at a time, in a few orders,
// each result placed again row by row; the fewest rows, or `best` if none
// has fewer. Stops at `lower_bound` rows.
Packing gather_rows(const std::vector<Colours>& sets, const std::vector<std::uint32_t>& outer, Packing best,
                    std::size_t lower_bound);

// A depth-first search for one row fewer than `best` (for at most
// kPaletteRows when `best` has more), again and again down to `lower_bound`,
// within a fixed number of steps in all.
Packing search_fewer_rows(const std::vector<Colours>& sets, const std::vector<std::uint32_t>& outer, Packing best,
                          std::size_t lower_bound);

}  // namespace pixcell::packing
