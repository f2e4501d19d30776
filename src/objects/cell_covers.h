// A part's cover is searched on its own pixels, but its tiles are stored
// once for the whole run (streamed, once for its sprite): a tile costs each
// object that shows it its share.
// Counted so, the part's cells (which the cells stage cut, matched and
// counted) are sometimes the cheaper cover: on a sheet whose cells repeat in
// other arrangements, where no larger picture does, say.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "cells/convert.h"
#include "objects/covered_part.h"
#include "objects/object_cost.h"

namespace pixcell {

// For each part, whether its cells cost less than its cover. The part's
// placed cells are conversion.placed[first_placed[i], + covered[i].cells);
// kNoCells where they can't be told (the part keeps its cover). With
// `owners` (each part's sprite) a tile is shared only within a sprite.
constexpr std::size_t kNoCells = static_cast<std::size_t>(-1);
std::vector<char> weigh_cell_covers(const std::vector<CoveredPart>& covered,
                                    const std::vector<std::size_t>& first_placed, const Conversion& conversion,
                                    const ObjectCost& cost, const std::vector<std::uint32_t>& owners = {});

}  // namespace pixcell
