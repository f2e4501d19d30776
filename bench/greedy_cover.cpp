#include "greedy_cover.h"

namespace pixcell::bench {

std::vector<Placement> greedy_cover(const PixelMask& mask, const ObjectCost& cost) {
    PixelMask left = mask;
    std::vector<Placement> cover;
    for (std::int32_t y = 0; y < left.height; ++y) {
        while (left.rows[static_cast<std::size_t>(y)] != 0) {
            const std::int32_t x = __builtin_ctzll(left.rows[static_cast<std::size_t>(y)]);
            Placement best;
            std::int64_t best_gain = 0;
            std::int64_t best_cost = 1;
            for (std::size_t s = 0; s < kObjectShapeCount; ++s) {
                const ObjectShape& size = kObjectShapes[s];
                const std::int64_t spent = shape_cost(static_cast<std::int32_t>(s), cost);
                for (std::int32_t at = x - size.width + 1; at <= x; ++at) {
                    std::int64_t gain = 0;
                    for (std::int32_t v = y; v < y + size.height && v < left.height; ++v) {
                        gain += __builtin_popcountll(left.rows[static_cast<std::size_t>(v)] &
                                                     rectangle_row(at, size.width));
                    }
                    // Gain per cost, compared without dividing.
                    if (gain * best_cost > best_gain * spent) {
                        best = {at, y, static_cast<std::int32_t>(s)};
                        best_gain = gain;
                        best_cost = spent;
                    }
                }
            }
            cover.push_back(best);
            const ObjectShape& size = kObjectShapes[static_cast<std::size_t>(best.shape)];
            for (std::int32_t v = y; v < y + size.height && v < left.height; ++v) {
                left.rows[static_cast<std::size_t>(v)] &= ~rectangle_row(best.x, size.width);
            }
        }
    }
    return cover;
}

}  // namespace pixcell::bench
