// A cover of the set pixels of a window: the search for one window's pixels,
// with nothing but the pixels that must show to go by.
#pragma once

#include <vector>

#include "objects/object_cost.h"
#include "objects/pixel_mask.h"
#include "objects/shape_choice.h"

namespace pixcell {

// One object when no cover of two or more could cost less; otherwise the
// cheapest of the guillotine covers from each grid anchor, each refined.
// The objects are in no particular order.
std::vector<Placement> cover_mask(const PixelMask& mask, const ObjectCost& cost);

}  // namespace pixcell
