// Choosing an object's shape and place over the pixels it is to show.
#pragma once

#include <cstdint>
#include <vector>

#include "objects/object_cost.h"
#include "objects/pixel_mask.h"

namespace pixcell {

// One object of a cover: its top-left pixel relative to the window's (it may
// lie outside the window) and its index in kObjectShapes.
struct Placement {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t shape = 0;
};

// The shape of fewest tiles that holds a box of width x height (1 to 64
// each); of those, the first in the table.
std::int32_t cheapest_shape(std::int32_t width, std::int32_t height);

std::int64_t shape_cost(std::int32_t shape, const ObjectCost& cost);
std::int64_t cover_cost(const std::vector<Placement>& cover, const ObjectCost& cost);

// An object of `shape` over `box`. The room it has to spare goes outward,
// away from the centre of what the whole cover shows (given doubled, so
// that it stays whole), so that the object of a box and that of its mirror
// image about the centre are mirror images too, and objects overhang empty
// pixels rather than their neighbours' where they can.
Placement place_over(const Box& box, std::int32_t shape, std::int32_t centre_x2, std::int32_t centre_y2);

}  // namespace pixcell
