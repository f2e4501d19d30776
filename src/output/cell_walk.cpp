#include "output/cell_walk.h"

#include <algorithm>

#include "cells/console.h"
#include "output/text_templates.h"

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

std::int32_t wrap32(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
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

std::int64_t place_part_cells(const SpritePart& part, const std::string& bitmap, BitmapStore& store,
                              std::string& entry_text) {
    const std::int64_t sheet_height = store.height(bitmap);  // negative: stored top-down
    const CellRange columns = cells_on_sheet(part.x, part.width, store.width(bitmap));
    const CellRange rows = cells_on_sheet(part.y, part.height, sheet_height < 0 ? -sheet_height : sheet_height);
    // Offsets follow the part's own flip, not the one a matched cell comes back with.
    const FlipFlags part_flip = part.flip & kFlipMask;
    const bool mirror_x = (part_flip & kFlipHorizontal) != 0;
    const bool mirror_y = (part_flip & kFlipVertical) != 0;

    std::int64_t placed = 0;
    for (std::int64_t row = rows.begin; row < rows.end; ++row) {
        const auto cell_y = static_cast<std::int32_t>(part.y + kCellPixels * row);
        for (std::int64_t column = columns.begin; column < columns.end; ++column) {
            const auto cell_x = static_cast<std::int32_t>(part.x + kCellPixels * column);
            FlipFlags flip = part_flip;
            const std::int32_t index = store.add_cell(bitmap, cell_x, cell_y, flip);
            if (index < 0) continue;  // empty cell
            ++placed;
            append_entry_line(entry_text, {index, cell_offset(part.dx, column, mirror_x),
                                           cell_offset(part.dy, row, mirror_y), flip});
        }
    }
    return placed;
}

}  // namespace pixcell
