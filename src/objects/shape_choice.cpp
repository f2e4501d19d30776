#include "objects/shape_choice.h"

#include <array>

namespace pixcell {

namespace {

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

// Where an object of `size` starts over [low, high), its room to spare going
// away from the centre `centre2` (doubled).
std::int32_t start_over(std::int32_t low, std::int32_t high, std::int32_t size, std::int32_t centre2) {
    const std::int32_t spare = size - (high - low);
    if (low + high < centre2) return high - size;
    if (low + high > centre2) return low;
    return low - spare / 2;
}

}  // namespace

std::int32_t cheapest_shape(std::int32_t width, std::int32_t height) {
    return kCheapest[static_cast<std::size_t>(size_class(width))][static_cast<std::size_t>(size_class(height))];
}

std::int64_t shape_cost(std::int32_t shape, const ObjectCost& cost) {
    return cost.per_object + cost.per_tile * object_tiles(static_cast<std::size_t>(shape));
}

std::int64_t cover_cost(const std::vector<Placement>& cover, const ObjectCost& cost) {
    std::int64_t total = 0;
    for (const Placement& object : cover) total += shape_cost(object.shape, cost);
    return total;
}

Placement place_over(const Box& box, std::int32_t shape, std::int32_t centre_x2, std::int32_t centre_y2) {
    const ObjectShape& size = kObjectShapes[static_cast<std::size_t>(shape)];
    return {start_over(box.left, box.right, size.width, centre_x2),
            start_over(box.top, box.bottom, size.height, centre_y2), shape};
}

}  // namespace pixcell
