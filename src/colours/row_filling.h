// Rows built one at a time from the sets that share the row's colours: the
// placement that keeps together the many small sets drawn from one row of
// the artist's, however many there are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "colours/colour_sets.h"

namespace pixcell::packing {

// Each row starts with the largest set left and then takes, again and again,
// the set left that adds the fewest new colours to it (sharing the most of
// those), until none that shares a colour with it fits. Stops once it has
// more than `most` rows: the packing then has most + 1 rows and no use.
// The colours must be numbered 0, 1, 2, ... (a table is indexed by them).
Packing fill_rows(const std::vector<Colours>& sets, const std::vector<std::uint32_t>& largest, std::size_t most);

}  // namespace pixcell::packing
