// The cheapest cover among those that cut the pixels apart with straight
// cuts, again and again, into pieces of one object each: dynamic
// programming over the rectangles of a grid of 8x8 blocks laid over them.
#pragma once

#include <vector>

#include "objects/object_cost.h"
#include "objects/pixel_mask.h"
#include "objects/shape_choice.h"

namespace pixcell {

// Where the grid's lines lie: from the set pixels' left (top) edge, or
// ending on their right (bottom) edge, so that art drawn to either side's
// 8-pixel steps is cut where it is drawn.
struct GridAnchor {
    bool right = false;
    bool bottom = false;
};

// Each piece's object is the cheapest shape holding the set pixels of the
// piece, placed over them by place_over.
std::vector<Placement> guillotine_cover(const PixelMask& mask, const ObjectCost& cost, GridAnchor anchor);

}  // namespace pixcell
