// The cheapest cover among those that cut the pixels apart with straight
// cuts, again and again, into pieces of one object each: dynamic
// programming over the rectangles of a grid of square blocks laid over them.
#pragma once

#include <vector>

#include "objects/object_cost.h"
#include "objects/pixel_mask.h"
#include "objects/shape_choice.h"

namespace pixcell {

// The grid: its blocks' size, and where its lines lie: from the set pixels'
// left (top) edge, or ending on their right (bottom) edge, so that art drawn
// to either side's steps is cut where it is drawn.
struct Grid {
    std::int32_t block = 8;
    bool right = false;
    bool bottom = false;
};

// Each piece's object is the cheapest shape holding the set pixels of the
// piece, placed over them by place_over.
std::vector<Placement> guillotine_cover(const PixelMask& mask, const ObjectCost& cost, const Grid& grid);

}  // namespace pixcell
