#include "objects/window_cover.h"

#include <algorithm>

#include "objects/mask_cover.h"

namespace pixcell {

namespace {

// The colours inside the box of the shown pixels, as the window holds them
// and mirrored by each flip code.
class Content {
public:
    Content(const WindowPixels& window, const Box& box) : window(window), box(box) {}

    // Orders the content seen through flips f and g pixel by pixel, rows
    // from the top: negative, zero or positive.
    int compare(std::int32_t f, std::int32_t g) const {
        for (std::int32_t y = 0; y < box.height(); ++y) {
            for (std::int32_t x = 0; x < box.width(); ++x) {
                const int a = at(f, x, y);
                const int b = at(g, x, y);
                if (a != b) return a - b;
            }
        }
        return 0;
    }

private:
    int at(std::int32_t flip, std::int32_t x, std::int32_t y) const {
        const std::int32_t u = (flip & kFlipHorizontal) ? box.width() - 1 - x : x;
        const std::int32_t v = (flip & kFlipVertical) ? box.height() - 1 - y : y;
        return window.image->row(window.top + box.top + v)[window.left + box.left + u] & kPixelMask;
    }

    const WindowPixels& window;
    Box box;
};

// An object of a box `width` x `height` mirrored about the box's centre.
Placement mirrored(const Placement& object, std::int32_t flip, std::int32_t width, std::int32_t height) {
    const ObjectShape& size = kObjectShapes[static_cast<std::size_t>(object.shape)];
    return {(flip & kFlipHorizontal) ? width - object.x - size.width : object.x,
            (flip & kFlipVertical) ? height - object.y - size.height : object.y, object.shape};
}

bool same(const Placement& a, const Placement& b) { return a.x == b.x && a.y == b.y && a.shape == b.shape; }

// The mirror images a picture equals, one bit each for flip codes 1 to 3.
struct Symmetry {
    bool left_right = false;
    bool top_bottom = false;
    bool half_turn = false;
    bool any() const { return left_right || top_bottom || half_turn; }
};

// A cover of a picture that equals some of its mirror images: a half (or a
// quarter) covered, and its objects mirrored onto the rest. `total` is set
// to what it costs, its mirrored objects showing stored tiles.
std::vector<Placement> symmetric_cover(const PixelMask& mask, const ObjectCost& cost, const Symmetry& symmetry,
                                       std::int64_t& total) {
    const bool halve_columns = symmetry.left_right || !symmetry.top_bottom;
    const bool halve_rows = symmetry.top_bottom;
    std::vector<std::int32_t> flips;
    if (symmetry.left_right && symmetry.top_bottom) {
        flips = {kFlipHorizontal, kFlipVertical, kFlipHorizontal | kFlipVertical};
    } else {
        flips = {symmetry.left_right ? kFlipHorizontal : symmetry.top_bottom ? kFlipVertical : kFlipMask};
    }
    PixelMask part = mask;
    const std::uint64_t columns = halve_columns ? row_bits(0, (mask.width + 1) / 2) : ~std::uint64_t{0};
    const std::int32_t rows = halve_rows ? (mask.height + 1) / 2 : mask.height;
    for (std::int32_t y = 0; y < mask.height; ++y) part.rows[static_cast<std::size_t>(y)] &= y < rows ? columns : 0;
    std::vector<Placement> cover = cover_mask(part, cost);
    total = cover_cost(cover, cost);
    const std::size_t originals = cover.size();
    for (const std::int32_t flip : flips) {
        for (std::size_t i = 0; i < originals; ++i) {
            const Placement image = mirrored(cover[i], flip, mask.width, mask.height);
            if (std::any_of(cover.begin(), cover.end(), [&](const Placement& p) { return same(p, image); })) continue;
            cover.push_back(image);
            total += cost.per_object;
        }
    }
    return cover;
}

}  // namespace

std::vector<Placement> cover_window(const WindowPixels& window, const ObjectCost& cost) {
    if (!window.alone) return cover_mask(window.shown, cost);
    const Box box = bounding_box(window.shown);
    if (box.empty()) return {};
    // The search runs on the least of the picture's mirror images, so that a
    // picture and its mirror image are searched alike.
    const Content content(window, box);
    Symmetry symmetry;
    symmetry.left_right = content.compare(kFlipHorizontal, 0) == 0;
    symmetry.top_bottom = content.compare(kFlipVertical, 0) == 0;
    symmetry.half_turn = content.compare(kFlipMask, 0) == 0;
    std::int32_t least = 0;
    for (std::int32_t flip = 1; flip <= kFlipMask; ++flip) {
        if (content.compare(flip, least) < 0) least = flip;
    }
    const PixelMask seen = cut_out(window.shown, box, least);
    std::vector<Placement> cover = cover_mask(seen, cost);
    if (symmetry.any() && cover.size() > 0) {
        std::int64_t halves = 0;
        std::vector<Placement> mirrored_halves = symmetric_cover(seen, cost, symmetry, halves);
        if (halves < cover_cost(cover, cost)) cover = std::move(mirrored_halves);
    }
    for (Placement& object : cover) {
        object = mirrored(object, least, box.width(), box.height());
        object.x += box.left;
        object.y += box.top;
    }
    return cover;
}

}  // namespace pixcell
