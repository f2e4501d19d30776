// Greedy placements of colour sets into rows, one set at a time: the plain
// first-fit the packing must never do worse than, the placement by fewest new
// colours, and placing again row by row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "colours/colour_sets.h"

namespace pixcell::packing {

// A placement past this many rows is far from fitting the console: only a
// count is wanted from it, and it looks at this many of the newest rows at
// most (see place).
constexpr std::size_t kSearchedRows = 64;

enum class Choice {
    first_fit,   // the first row the set fits
    fewest_new,  // the row the set adds the fewest new colours to, the first of those
};

// Places the sets in `order` (indices into `sets`), each in the row `choice`
// picks, or in a new row when none fits. Among many rows, only the newest
// (at least kPaletteRows of them) are looked at, to bound the time a
// hopeless input takes. Stops once it has more than `most` rows: the
// packing then has most + 1 rows and no use.
Packing place(const std::vector<Colours>& sets, const std::vector<std::uint32_t>& order, Choice choice,
              std::size_t most = SIZE_MAX);

// 0, 1, ... count - 1: the sets in order of first appearance.
std::vector<std::uint32_t> first_appearance(std::size_t count);
// `order` largest set first; sets of one size keep their order.
std::vector<std::uint32_t> largest_first(const std::vector<Colours>& sets, std::vector<std::uint32_t> order);

// Places the sets of `packing` again, row after row, in a few orders of its
// rows (fewer the more sets there are): never more rows, often fewer. Stops
// at `lower_bound` rows.
Packing repack(const std::vector<Colours>& sets, Packing packing, std::size_t lower_bound);

}  // namespace pixcell::packing
