#include "objects/part_cover.h"

#include <algorithm>
#include <tuple>

#include "common/console.h"
#include "description/part_area.h"
#include "objects/part_pixels.h"
#include "objects/shape_choice.h"
#include "objects/window_cover.h"

namespace pixcell {

namespace {


// How many times a cover of too many objects is searched again, each time
// with objects twice as dear (and at least as dear as a tile).
constexpr int kSearches = 6;

// Clears from `mask`, the pixels of `window`, those `object` shows.
void clear_covered(const SheetObject& object, const PixelArea& window, PixelMask& mask) {
    const ObjectShape& size = kObjectShapes[static_cast<std::size_t>(object.shape)];
    const std::int64_t top = std::max(object.y, window.top);
    const std::int64_t bottom = std::min(object.y + size.height, window.bottom);
    if (top >= bottom || object.x >= window.right || object.x + size.width <= window.left) return;
    const std::uint64_t columns = rectangle_row(static_cast<std::int32_t>(object.x - window.left), size.width);
    for (std::int64_t y = top; y < bottom; ++y) mask.rows[static_cast<std::size_t>(y - window.top)] &= ~columns;
}

// The pixels of a part that show, read once: their box, the part's cells
// that show any, and, when the box fits one window, its pixels.
struct Shown {
    PixelArea box;
    std::int64_t cells = 0;
    bool window_read = false;
    PixelMask window;  // the box's pixels, when read
};

Shown read_shown(const IndexedImage& image, const SpritePart& part, const PixelArea& area) {
    Shown shown;
    if (area.right - area.left > kWindowPixels || area.bottom - area.top > kWindowPixels) {
        const PartScan scan = scan_part(image, part, area, false);
        shown.box = scan.shown;
        shown.cells = scan.cells;
        return shown;
    }
    const PixelMask mask = window_mask(image, {area.left, area.top, area.right, area.bottom});
    const Box box = bounding_box(mask);
    if (box.empty()) return shown;
    shown.box = {area.left + box.left, area.top + box.top, area.left + box.right, area.top + box.bottom};
    shown.cells = shown_cells(mask, image, part, area);
    shown.window_read = true;
    shown.window = cut_out(mask, box);
    return shown;
}

std::vector<SheetObject> cover_windows(const IndexedImage& image, const Shown& shown, const ObjectCost& cost) {
    std::vector<SheetObject> objects;
    const PixelArea& all = shown.box;
    const bool alone = all.right - all.left <= kWindowPixels && all.bottom - all.top <= kWindowPixels;
    // An object reaches less than a window's size past the window it was
    // placed for, so only the windows beside and above can have covered any
    // of this one: the objects from the start of the row above on.
    std::size_t row_above = 0;
    for (std::int64_t top = all.top; top < all.bottom; top += kWindowPixels) {
        const std::size_t this_row = objects.size();
        for (std::int64_t left = all.left; left < all.right; left += kWindowPixels) {
            const PixelArea window{left, top, std::min(left + kWindowPixels, all.right),
                                   std::min(top + kWindowPixels, all.bottom)};
            WindowPixels pixels{shown.window_read ? shown.window : window_mask(image, window), &image, left, top,
                                alone};
            for (std::size_t i = row_above; i < objects.size(); ++i) clear_covered(objects[i], window, pixels.shown);
            std::vector<Placement> cover = cover_window(pixels, cost);
            std::sort(cover.begin(), cover.end(), [](const Placement& a, const Placement& b) {
                return std::tie(a.y, a.x, a.shape) < std::tie(b.y, b.x, b.shape);
            });
            for (const Placement& object : cover) objects.push_back({left + object.x, top + object.y, object.shape});
        }
        row_above = this_row;
    }
    return objects;
}

std::int64_t sheet_cover_cost(const std::vector<SheetObject>& objects, const ObjectCost& cost) {
    std::int64_t total = 0;
    for (const SheetObject& object : objects) total += shape_cost(object.shape, cost);
    return total;
}

}  // namespace

std::vector<SheetObject> cover_part(const IndexedImage& image, const SpritePart& part, const ObjectCost& cost,
                                    std::int64_t* shown_cells) {
    if (shown_cells != nullptr) *shown_cells = 0;
    const PixelArea area = own_pixels_on_sheet(part, image.width(), image.height());
    if (area.empty()) return {};
    image.wait_for_rows(area.bottom);
    const Shown shown = read_shown(image, part, area);
    if (shown_cells != nullptr) *shown_cells = shown.cells;
    if (shown.cells == 0) return {};
    const std::int64_t by_cells = shown.cells * shape_cost(kCellShape, cost);
    ObjectCost trial = cost;
    for (int search = 0; search < kSearches; ++search) {
        std::vector<SheetObject> objects = cover_windows(image, shown, trial);
        if (static_cast<std::int64_t>(objects.size()) <= shown.cells) {
            if (sheet_cover_cost(objects, cost) <= by_cells) return objects;
            break;
        }
        trial.per_object = std::max(2 * trial.per_object, trial.per_tile);
    }
    std::vector<SheetObject> cells;
    for (const PixelArea& cell : scan_part(image, part, area, true).listed)
        cells.push_back({cell.left, cell.top, kCellShape});
    return cells;
}

}  // namespace pixcell
