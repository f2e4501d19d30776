#include "objects/mask_cover.h"

#include <algorithm>
#include <iterator>

#include "objects/guillotine_cover.h"
#include "objects/refine_cover.h"

namespace pixcell {

namespace {

// Wherever an object lies, each of its tiles holds exactly one point of a
// lattice of 8-pixel steps (in each direction), whatever the lattice's
// offset: so no cover has fewer tiles than set pixels on any such lattice.
std::int64_t least_tiles(const PixelMask& mask) {
    std::int64_t on_lattice[kTilePixels][kTilePixels] = {};
    for (std::int32_t y = 0; y < mask.height; ++y) {
        const std::uint64_t row = mask.rows[static_cast<std::size_t>(y)];
        if (row == 0) continue;
        for (std::int32_t x = 0; x < kTilePixels; ++x) {
            // The lattice's bits of the row, one a byte, summed into the top byte.
            on_lattice[y % kTilePixels][x] +=
                static_cast<std::int64_t>(((row >> x) & 0x0101010101010101ull) * 0x0101010101010101ull >> 56);
        }
    }
    std::int64_t most = 0;
    for (const auto& row : on_lattice) most = std::max(most, *std::max_element(std::begin(row), std::end(row)));
    return most;
}

// What any cover of `first_count` objects or more costs at least, when no
// cover has fewer than `tiles` tiles: each object's tiles are a power of 2
// up to 64, so k objects hold some T >= tiles tiles whose bits are k or fewer.
std::int64_t least_cost(std::int64_t tiles, std::int64_t first_count, const ObjectCost& cost) {
    std::int64_t least = -1;
    // Covers of more objects hold at least a tile each: past some k they cost more.
    for (std::int64_t k = first_count; least < 0 || k * cost.per_object + std::max(tiles, k) * cost.per_tile < least;
         ++k) {
        std::int64_t total = std::max(tiles, k);
        while (__builtin_popcountll(static_cast<std::uint64_t>(total)) > k) ++total;
        if (total > static_cast<std::int64_t>(kMostObjectTiles) * k) continue;
        const std::int64_t spent = k * cost.per_object + total * cost.per_tile;
        if (least < 0 || spent < least) least = spent;
    }
    return least;
}

}  // namespace

std::vector<Placement> cover_mask(const PixelMask& mask, const ObjectCost& cost) {
    const Box all = bounding_box(mask);
    if (all.empty()) return {};
    const std::int32_t centre_x2 = all.left + all.right;
    const std::int32_t centre_y2 = all.top + all.bottom;
    const std::int32_t single = cheapest_shape(all.width(), all.height());
    // The lattice is only counted when two objects of a tile each could cost less.
    if (shape_cost(single, cost) <= 2 * (cost.per_object + cost.per_tile))
        return {place_over(all, single, centre_x2, centre_y2)};
    const std::int64_t tiles = least_tiles(mask);
    if (shape_cost(single, cost) <= least_cost(tiles, 2, cost)) return {place_over(all, single, centre_x2, centre_y2)};

    // Cells' worth of blocks first: art drawn in whole cells needs no more,
    // which the least cost shows.
    const std::int64_t least = least_cost(tiles, 1, cost);
    std::vector<Placement> best;
    std::int64_t best_cost = 0;
    const auto search = [&](const Grid& grid) {
        std::vector<Placement> cover = guillotine_cover(mask, cost, grid);
        refine_cover(mask, cost, centre_x2, centre_y2, cover);
        const std::int64_t total = cover_cost(cover, cost);
        if (best.empty() || total < best_cost) {
            best = std::move(cover);
            best_cost = total;
        }
    };
    search({kCellPixels, false, false});
    if (best_cost == least) return best;
    // A grid ending on the far edge is the same as one from the near edge
    // when the pixels span whole blocks.
    const bool columns_differ = all.width() % kTilePixels != 0;
    const bool rows_differ = all.height() % kTilePixels != 0;
    for (const bool right : {false, true}) {
        for (const bool bottom : {false, true}) {
            if ((right && !columns_differ) || (bottom && !rows_differ)) continue;
            search({kTilePixels, right, bottom});
        }
    }
    return best;
}

}  // namespace pixcell
