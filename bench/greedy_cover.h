// The yardstick the objects stage's search is measured against: a greedy
// cover, as first tried for covering with objects. Until every pixel is
// covered, the topmost of the leftmost uncovered pixels gets the object,
// of any shape and any place that covers it from its row down, that covers
// the most uncovered pixels for its cost.
#pragma once

#include <vector>

#include "objects/object_cost.h"
#include "objects/pixel_mask.h"
#include "objects/shape_choice.h"

namespace pixcell::bench {

std::vector<Placement> greedy_cover(const PixelMask& mask, const ObjectCost& cost);

}  // namespace pixcell::bench
