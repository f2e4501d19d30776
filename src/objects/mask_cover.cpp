#include "objects/mask_cover.h"

#include <algorithm>

#include "objects/guillotine_cover.h"
#include "objects/refine_cover.h"

namespace pixcell {

namespace {

constexpr std::int64_t kTilePixelCount = std::int64_t{kTilePixels} * kTilePixels;

// Two objects at least, each of a tile at least, and tiles enough to hold
// every pixel: what any cover of more than one object costs.
std::int64_t least_cost_of_two(std::int64_t pixels, const ObjectCost& cost) {
    const std::int64_t tiles = std::max<std::int64_t>(2, (pixels + kTilePixelCount - 1) / kTilePixelCount);
    return 2 * cost.per_object + tiles * cost.per_tile;
}

}  // namespace

std::vector<Placement> cover_mask(const PixelMask& mask, const ObjectCost& cost) {
    const Box all = bounding_box(mask);
    if (all.empty()) return {};
    const std::int32_t centre_x2 = all.left + all.right;
    const std::int32_t centre_y2 = all.top + all.bottom;
    const std::int32_t single = cheapest_shape(all.width(), all.height());
    if (shape_cost(single, cost) <= least_cost_of_two(pixel_count(mask), cost)) {
        return {place_over(all, single, centre_x2, centre_y2)};
    }
    // A grid ending on the far edge is the same as one from the near edge
    // when the pixels span whole blocks.
    const bool columns_differ = all.width() % 8 != 0;
    const bool rows_differ = all.height() % 8 != 0;
    std::vector<Placement> best;
    std::int64_t best_cost = 0;
    for (const GridAnchor anchor : {GridAnchor{false, false}, GridAnchor{true, false}, GridAnchor{false, true},
                                    GridAnchor{true, true}}) {
        if ((anchor.right && !columns_differ) || (anchor.bottom && !rows_differ)) continue;
        std::vector<Placement> cover = guillotine_cover(mask, cost, anchor);
        refine_cover(mask, cost, centre_x2, centre_y2, cover);
        const std::int64_t total = cover_cost(cover, cost);
        if (best.empty() || total < best_cost) {
            best = std::move(cover);
            best_cost = total;
        }
    }
    return best;
}

}  // namespace pixcell
