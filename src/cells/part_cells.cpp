#include "cells/part_cells.h"

#include <algorithm>

#include "common/console.h"
#include "common/wrap.h"

namespace pixcell {

std::int32_t cell_offset(std::int32_t origin, std::int64_t position, bool mirrored) {
    const std::int64_t cell_start = kCellPixels * position;
    return wrap32(mirrored ? origin - cell_start - kCellPixels : cell_start - origin);
}

void list_part_cells(const SpritePart& part, std::int32_t sheet, std::int64_t width, std::int64_t rows,
                     std::vector<CellToCut>& cells) {
    const CellRange columns = cells_on_sheet(part.x, part.width, width);
    const CellRange row_range = cells_on_sheet(part.y, part.height, rows);
    // Offsets follow the part's own flip, not the one a matched cell comes back with.
    const FlipFlags part_flip = part.flip & kFlipMask;
    const bool mirror_x = (part_flip & kFlipHorizontal) != 0;
    const bool mirror_y = (part_flip & kFlipVertical) != 0;
    // Of a clipped part, how much of the cell at `start` pixels into it is
    // its own (none when its own size isn't positive).
    const auto own = [&](std::int64_t start, std::int32_t own_size) {
        if (!part.clipped) return std::uint8_t{kCellPixels};
        return static_cast<std::uint8_t>(std::clamp<std::int64_t>(own_size - start, 0, kCellPixels));
    };
    for (std::int64_t row = row_range.begin; row < row_range.end; ++row) {
        const auto cell_y = static_cast<std::int32_t>(part.y + kCellPixels * row);
        const std::uint8_t own_rows = own(kCellPixels * row, part.own_height);
        for (std::int64_t column = columns.begin; column < columns.end; ++column) {
            const auto cell_x = static_cast<std::int32_t>(part.x + kCellPixels * column);
            cells.push_back({sheet, cell_x, cell_y, cell_offset(part.dx, column, mirror_x),
                             cell_offset(part.dy, row, mirror_y), part_flip, own(kCellPixels * column, part.own_width),
                             own_rows});
        }
    }
}

}  // namespace pixcell
