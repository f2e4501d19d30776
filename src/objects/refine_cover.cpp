#include "objects/refine_cover.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace pixcell {

namespace {

using Rows = std::array<std::uint64_t, kWindowPixels>;

// The pixels of a window an object covers, row by row.
Rows object_rows(const Placement& object, std::int32_t height) {
    Rows rows{};
    const ObjectShape& size = kObjectShapes[static_cast<std::size_t>(object.shape)];
    const std::uint64_t span = rectangle_row(object.x, size.width);
    for (std::int32_t y = std::max(object.y, 0); y < std::min(object.y + size.height, height); ++y) {
        rows[static_cast<std::size_t>(y)] = span;
    }
    return rows;
}

// Which pixels one, two and three or more objects of the cover cover.
struct Coverage {
    std::vector<Rows> objects;
    Rows once{};  // at least once
    Rows twice{};
    Rows thrice{};

    Coverage(const std::vector<Placement>& cover, std::int32_t height) {
        for (const Placement& object : cover) {
            objects.push_back(object_rows(object, height));
            for (std::size_t y = 0; y < kWindowPixels; ++y) {
                const std::uint64_t row = objects.back()[y];
                thrice[y] |= twice[y] & row;
                twice[y] |= once[y] & row;
                once[y] |= row;
            }
        }
    }
};

// The box of the pixels of `mask` that object i alone covers, or (with j)
// that objects i and j alone cover.
Box alone_box(const PixelMask& mask, const Coverage& coverage, std::size_t i, std::size_t j) {
    PixelMask alone;
    alone.width = mask.width;
    alone.height = mask.height;
    const Rows& a = coverage.objects[i];
    const Rows& b = coverage.objects[j];
    for (std::size_t y = 0; y < static_cast<std::size_t>(mask.height); ++y) {
        const std::uint64_t by_one = (a[y] | b[y]) & ~coverage.twice[y];
        const std::uint64_t by_both = i == j ? 0 : a[y] & b[y] & ~coverage.thrice[y];
        alone.rows[y] = mask.rows[y] & (by_one | by_both);
    }
    return bounding_box(alone);
}

// One improvement, if any applies; true when the cover changed.
bool improve_once(const PixelMask& mask, const ObjectCost& cost, std::int32_t centre_x2, std::int32_t centre_y2,
                  std::vector<Placement>& cover) {
    const Coverage coverage(cover, mask.height);
    // The dearest objects first, as those are the ones worth dropping.
    std::vector<std::size_t> order(cover.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return shape_cost(cover[a].shape, cost) > shape_cost(cover[b].shape, cost);
    });
    for (const std::size_t i : order) {
        const Box box = alone_box(mask, coverage, i, i);
        if (box.empty()) {
            cover.erase(cover.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
        const std::int32_t shape = cheapest_shape(box.width(), box.height());
        if (shape_cost(shape, cost) < shape_cost(cover[i].shape, cost)) {
            cover[i] = place_over(box, shape, centre_x2, centre_y2);
            return true;
        }
    }
    for (std::size_t i = 0; i < cover.size(); ++i) {
        for (std::size_t j = i + 1; j < cover.size(); ++j) {
            const Box box = alone_box(mask, coverage, i, j);
            const std::int32_t shape = cheapest_shape(box.width(), box.height());
            if (shape_cost(shape, cost) < shape_cost(cover[i].shape, cost) + shape_cost(cover[j].shape, cost)) {
                cover[i] = place_over(box, shape, centre_x2, centre_y2);
                cover.erase(cover.begin() + static_cast<std::ptrdiff_t>(j));
                return true;
            }
        }
    }
    return false;
}

}  // namespace

void refine_cover(const PixelMask& mask, const ObjectCost& cost, std::int32_t centre_x2, std::int32_t centre_y2,
                  std::vector<Placement>& cover) {
    // Each step makes the cover strictly cheaper, so this ends.
    while (improve_once(mask, cost, centre_x2, centre_y2, cover)) {
    }
}

}  // namespace pixcell
