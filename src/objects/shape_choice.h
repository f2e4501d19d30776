// Choosing an object's shape and place over the pixels it is to show.
#pragma once

#include <array>
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

namespace shape_table {

// Widths and heights come in four classes, 8, 16, 32 and 64: a box of a
// class fits exactly the shapes at least that wide (or high).
constexpr std::int32_t size_class(std::int32_t pixels) {
    return pixels <= 8 ? 0 : pixels <= 16 ? 1 : pixels <= 32 ? 2 : 3;
}

constexpr std::array<std::array<std::int32_t, 4>, 4> cheapest_by_class() {
    std::array<std::array<std::int32_t, 4>, 4> table{};
    for (std::int32_t w = 0; w < 4; ++w) {
        for (std::int32_t h = 0; h < 4; ++h) {
            std::int32_t best = -1;
            for (std::size_t s = 0; s < kObjectShapeCount; ++s) {
                if (size_class(kObjectShapes[s].width) < w || size_class(kObjectShapes[s].height) < h) continue;
                if (best < 0 || object_tiles(s) < object_tiles(static_cast<std::size_t>(best))) {
                    best = static_cast<std::int32_t>(s);
                }
            }
            table[static_cast<std::size_t>(w)][static_cast<std::size_t>(h)] = best;
        }
    }
    return table;
}

constexpr auto kCheapest = cheapest_by_class();

}  // namespace shape_table

// The shape of fewest tiles that holds a box of width x height (1 to 64
// each); of those, the first in the table. Inline, as the search asks for
// it for every rectangle it weighs.
inline std::int32_t cheapest_shape(std::int32_t width, std::int32_t height) {
    return shape_table::kCheapest[static_cast<std::size_t>(shape_table::size_class(width))]
                                 [static_cast<std::size_t>(shape_table::size_class(height))];
}

inline std::int64_t shape_cost(std::int32_t shape, const ObjectCost& cost) {
    return cost.per_object + cost.per_tile * object_tiles(static_cast<std::size_t>(shape));
}
std::int64_t cover_cost(const std::vector<Placement>& cover, const ObjectCost& cost);

// An object of `shape` over `box`. The room it has to spare goes outward,
// away from the centre of what the whole cover shows (given doubled, so
// that it stays whole), so that the object of a box and that of its mirror
// image about the centre are mirror images too, and objects overhang empty
// pixels rather than their neighbours' where they can.
Placement place_over(const Box& box, std::int32_t shape, std::int32_t centre_x2, std::int32_t centre_y2);

}  // namespace pixcell
