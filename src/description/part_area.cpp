#include "description/part_area.h"

#include <algorithm>

#include "common/console.h"

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

PixelArea pixels_on_sheet(const SpritePart& part, std::int64_t width, std::int64_t height) {
    const CellRange columns = cells_on_sheet(part.x, part.width, width);
    const CellRange rows = cells_on_sheet(part.y, part.height, height);
    PixelArea area;
    area.left = std::max<std::int64_t>(0, part.x + kCellPixels * columns.begin);
    area.right = std::min<std::int64_t>(width, part.x + kCellPixels * columns.end);
    area.top = std::max<std::int64_t>(0, part.y + kCellPixels * rows.begin);
    area.bottom = std::min<std::int64_t>(height, part.y + kCellPixels * rows.end);
    return area;
}

PixelArea own_pixels_on_sheet(const SpritePart& part, std::int64_t width, std::int64_t height) {
    if (part.own_width <= 0 || part.own_height <= 0) return {};
    PixelArea area = pixels_on_sheet(part, width, height);
    area.left = std::max<std::int64_t>(area.left, part.x);
    area.top = std::max<std::int64_t>(area.top, part.y);
    area.right = std::min<std::int64_t>(area.right, std::int64_t{part.x} + part.own_width);
    area.bottom = std::min<std::int64_t>(area.bottom, std::int64_t{part.y} + part.own_height);
    return area;
}

}  // namespace pixcell
