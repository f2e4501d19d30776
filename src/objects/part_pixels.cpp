#include "objects/part_pixels.h"

#include <algorithm>

#include "common/console.h"

namespace pixcell {

PartScan scan_part(const IndexedImage& image, const SpritePart& part, const PixelArea& area, bool list_cells) {
    PartScan scan;
    if (area.empty()) return scan;
    // The area starts and ends on cell edges, or on the sheet's edges.
    const CellRange columns = cells_on_sheet(part.x, part.width, image.width());
    const auto cell_left = [&](std::int64_t column) { return std::int64_t{part.x} + kCellPixels * column; };
    std::vector<std::uint8_t> shows(static_cast<std::size_t>(columns.end - columns.begin));
    PixelArea& box = scan.shown;
    box = {area.right, area.bottom, area.left, area.top};
    for (std::int64_t y = area.top; y < area.bottom; ++y) {
        const std::uint8_t* row = image.row(y);
        for (std::int64_t c = columns.begin; c < columns.end; ++c) {
            const std::int64_t left = std::max(area.left, cell_left(c));
            const std::int64_t right = std::min(area.right, cell_left(c) + kCellPixels);
            if (left >= right) continue;  // a cell beside a part's own pixels
            const std::uint64_t bits = shown_bits(row + left, static_cast<std::int32_t>(right - left));
            if (bits == 0) continue;
            shows[static_cast<std::size_t>(c - columns.begin)] = 1;
            box.left = std::min(box.left, left + __builtin_ctzll(bits));
            box.right = std::max(box.right, left + 64 - __builtin_clzll(bits));
            box.top = std::min(box.top, y);
            box.bottom = y + 1;
        }
        // The last row of a cell row (cells end 16 pixels below where they
        // start, counted from the part's top), or of the area.
        const bool band_ends = y + 1 == area.bottom || (y + 1 - part.y) % kCellPixels == 0;
        if (!band_ends) continue;
        for (std::int64_t c = columns.begin; c < columns.end; ++c) {
            std::uint8_t& shown = shows[static_cast<std::size_t>(c - columns.begin)];
            if (shown == 0) continue;
            ++scan.cells;
            if (list_cells) {
                const std::int64_t cell_top = part.y + (y - part.y) / kCellPixels * kCellPixels;
                scan.listed.push_back({cell_left(c), cell_top, cell_left(c) + kCellPixels, cell_top + kCellPixels});
            }
            shown = 0;
        }
    }
    if (scan.cells == 0) box = {};
    return scan;
}

std::int64_t shown_cells(const PixelMask& mask, const IndexedImage& image, const SpritePart& part,
                         const PixelArea& area) {
    const CellRange columns = cells_on_sheet(part.x, part.width, image.width());
    const CellRange rows = cells_on_sheet(part.y, part.height, image.height());
    // Where a cell's edge lies in the mask, clipped to it.
    const auto edge = [](std::int64_t start, std::int64_t cell, std::int64_t low, std::int64_t high) {
        return static_cast<std::int32_t>(std::clamp(start + kCellPixels * cell, low, high) - low);
    };
    std::int64_t cells = 0;
    for (std::int64_t r = rows.begin; r < rows.end; ++r) {
        const std::int32_t top = edge(part.y, r, area.top, area.bottom);
        const std::int32_t bottom = edge(part.y, r + 1, area.top, area.bottom);
        for (std::int64_t c = columns.begin; c < columns.end; ++c) {
            const std::uint64_t span =
                row_bits(edge(part.x, c, area.left, area.right), edge(part.x, c + 1, area.left, area.right));
            std::uint64_t any = 0;
            for (std::int32_t y = top; y < bottom; ++y) any |= mask.rows[static_cast<std::size_t>(y)] & span;
            cells += any != 0;
        }
    }
    return cells;
}

PixelMask window_mask(const IndexedImage& image, const PixelArea& window) {
    PixelMask mask;
    mask.width = static_cast<std::int32_t>(window.right - window.left);
    mask.height = static_cast<std::int32_t>(window.bottom - window.top);
    for (std::int32_t y = 0; y < mask.height; ++y) {
        mask.rows[static_cast<std::size_t>(y)] = shown_bits(image.row(window.top + y) + window.left, mask.width);
    }
    return mask;
}

}  // namespace pixcell
