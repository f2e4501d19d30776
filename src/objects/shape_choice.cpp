#include "objects/shape_choice.h"

namespace pixcell {

namespace {

// Where an object of `size` starts over [low, high), its room to spare going
// away from the centre `centre2` (doubled).
std::int32_t start_over(std::int32_t low, std::int32_t high, std::int32_t size, std::int32_t centre2) {
    const std::int32_t spare = size - (high - low);
    if (low + high < centre2) return high - size;
    if (low + high > centre2) return low;
    return low - spare / 2;
}

}  // namespace

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
