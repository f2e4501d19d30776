#include "console/harness/views.h"

#include <algorithm>

#include "common/console.h"

namespace pixcell::console {

namespace {

// The drawing time of one scanline covers about 75 objects 16 pixels wide;
// staying well below it keeps every placed object on screen.
constexpr std::size_t kObjectsPerLine = 60;
// Offsets beyond this are not placed: the ROM adds them in 32-bit ints.
constexpr std::int64_t kFarthest = std::int64_t{1} << 28;

// A cell is placed when any of its pixels can reach the screen.
constexpr Window kWholeScreen{-(kCellPixels - 1), -(kCellPixels - 1), kScreenWidth, kScreenHeight};

bool fits_one_run(const std::vector<const ShownCell*>& cells, const View& view) {
    if (cells.size() > static_cast<std::size_t>(kObjectCount)) return false;
    std::vector<std::size_t> per_line(kScreenHeight, 0);
    for (const ShownCell* cell : cells) {
        const std::int64_t top = view.origin_y + cell->corner_y();
        for (std::int64_t y = std::max<std::int64_t>(top, 0);
             y < std::min<std::int64_t>(top + kCellPixels, kScreenHeight); ++y)
            if (++per_line[static_cast<std::size_t>(y)] > kObjectsPerLine) return false;
    }
    return true;
}

// Halves the window along its longer side until each piece fits one run.
bool split(const std::vector<ShownCell>& all, const View& view, std::vector<View>& out,
           std::string& error) {
    std::vector<const ShownCell*> cells;
    for (const ShownCell& cell : all)
        if (in_window(cell, view)) cells.push_back(&cell);
    if (fits_one_run(cells, view)) {
        out.push_back(view);
        return true;
    }
    const Window& w = view.window;
    if (w.right - w.left <= 1 && w.bottom - w.top <= 1) {
        error = "more cells stacked on one spot than one run can show";
        return false;
    }
    View first = view;
    View second = view;
    if (w.right - w.left >= w.bottom - w.top) {
        first.window.right = second.window.left = w.left + (w.right - w.left) / 2;
    } else {
        first.window.bottom = second.window.top = w.top + (w.bottom - w.top) / 2;
    }
    return split(all, first, out, error) && split(all, second, out, error);
}

View at(std::int64_t x, std::int64_t y) { return View{x, y, kWholeScreen}; }

// The cells' extent around the origin, on screen as they are shown.
struct Bounds {
    std::int64_t left = 0, top = 0, right = 0, bottom = 0;

    std::int64_t mid_x() const { return (left + right) / 2; }
    std::int64_t mid_y() const { return (top + bottom) / 2; }
    bool fits_screen() const { return right - left <= kScreenWidth && bottom - top <= kScreenHeight; }
};

// Nothing when the cells lie too far from the origin to place.
std::optional<Bounds> bounds(const std::vector<ShownCell>& cells, std::string& error) {
    Bounds b{cells[0].corner_x(), cells[0].corner_y(), cells[0].corner_x() + kCellPixels,
             cells[0].corner_y() + kCellPixels};
    for (const ShownCell& c : cells) {
        b.left = std::min(b.left, c.corner_x());
        b.top = std::min(b.top, c.corner_y());
        b.right = std::max(b.right, c.corner_x() + kCellPixels);
        b.bottom = std::max(b.bottom, c.corner_y() + kCellPixels);
    }
    if (b.left < -kFarthest || b.top < -kFarthest || b.right > kFarthest || b.bottom > kFarthest) {
        error = "cell offsets too far from the origin to place on screen";
        return std::nullopt;
    }
    return b;
}

}  // namespace

std::optional<View> centred_view(const std::vector<ShownCell>& cells, std::string& error) {
    if (cells.empty()) return at(kScreenWidth / 2, kScreenHeight / 2);
    const std::optional<Bounds> b = bounds(cells, error);
    if (!b) return std::nullopt;
    if (!b->fits_screen()) {
        error = "larger than the screen: it can't be shown whole";
        return std::nullopt;
    }
    return View{kScreenWidth / 2 - b->mid_x(), kScreenHeight / 2 - b->mid_y(), kAllCells};
}

std::optional<std::vector<View>> choose_views(const std::vector<ShownCell>& cells, std::string& error) {
    std::vector<View> origins;
    if (cells.empty()) {
        origins.push_back(at(kScreenWidth / 2, kScreenHeight / 2));
    } else {
        const std::optional<Bounds> b = bounds(cells, error);
        if (!b) return std::nullopt;
        const std::int64_t mid_x = b->mid_x();
        const std::int64_t mid_y = b->mid_y();

        if (b->fits_screen()) {
            origins.push_back(at(kScreenWidth / 2 - mid_x, kScreenHeight / 2 - mid_y));
        } else {
            // Too big for one screen: each view puts the first cell not yet
            // seen whole at the top-left corner.
            std::vector<bool> seen(cells.size(), false);
            for (std::size_t i = 0; i < cells.size(); ++i) {
                if (seen[i]) continue;
                const View v = at(-cells[i].corner_x(), -cells[i].corner_y());
                origins.push_back(v);
                for (std::size_t j = 0; j < cells.size(); ++j) {
                    const std::int64_t x = v.origin_x + cells[j].corner_x();
                    const std::int64_t y = v.origin_y + cells[j].corner_y();
                    if (x >= 0 && y >= 0 && x + kCellPixels <= kScreenWidth &&
                        y + kCellPixels <= kScreenHeight)
                        seen[j] = true;
                }
            }
        }
        // The sprite's middle on each edge and on two corners, nudged by odd
        // amounts so cells straddle the edges at uneven pixel positions.
        origins.push_back(at(3 - mid_x, kScreenHeight / 2 - mid_y));
        origins.push_back(at(kScreenWidth - 5 - mid_x, kScreenHeight / 2 + 1 - mid_y));
        origins.push_back(at(kScreenWidth / 2 + 1 - mid_x, 2 - mid_y));
        origins.push_back(at(kScreenWidth / 2 - mid_x, kScreenHeight - 3 - mid_y));
        origins.push_back(at(5 - mid_x, 7 - mid_y));
        origins.push_back(at(kScreenWidth - 7 - mid_x, kScreenHeight - 1 - mid_y));
    }

    std::vector<View> views;
    for (const View& v : origins)
        if (!split(cells, v, views, error)) return std::nullopt;
    return views;
}

}  // namespace pixcell::console
