#include "cells/part_cells.h"

#include <algorithm>

#include "common/console.h"
#include "common/wrap.h"

namespace pixcell {

namespace {

std::int64_t floor_div(std::int64_t value, std::int64_t divisor) {
    const std::int64_t quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

std::int64_t ceil_div(std::int64_t value, std::int64_t divisor) {
    const std::int64_t quotient = value / divisor;
    return (value % divisor != 0 && value > 0) ? quotient + 1 : quotient;
}

}  // namespace

CellRange cells_on_sheet(std::int32_t start, std::int32_t size, std::int64_t extent) {
    const std::int64_t count = size / kCellPixels;
    if (count <= 0 || extent <= 0) return {};
    // Cell i covers start + 16i .. start + 16i + 15, computed here in 64 bits
    // where it grows with i; it overlaps the sheet when it starts left of
    // `extent` and ends right of 0. A start of 2^31 or more, which 32-bit
    // arithmetic wraps to -33 or less, is outside either way (extent <= 2^31),
    // so these are the cells a 32-bit walk finds on the sheet, in one run.
    const std::int64_t first = floor_div(-kCellPixels - std::int64_t{start}, kCellPixels) + 1;
    const std::int64_t past_last = ceil_div(extent - start, kCellPixels);
    CellRange range;
    range.begin = std::max<std::int64_t>(0, first);
    range.end = std::max(range.begin, std::min(count, past_last));
    return range;
}

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
    for (std::int64_t row = row_range.begin; row < row_range.end; ++row) {
        const auto cell_y = static_cast<std::int32_t>(part.y + kCellPixels * row);
        for (std::int64_t column = columns.begin; column < columns.end; ++column) {
            const auto cell_x = static_cast<std::int32_t>(part.x + kCellPixels * column);
            cells.push_back({sheet, cell_x, cell_y, cell_offset(part.dx, column, mirror_x),
                             cell_offset(part.dy, row, mirror_y), part_flip});
        }
    }
}

}  // namespace pixcell
