// Where a sprite part lies on its sheet: the cells it covers there, and the
// pixels of those cells inside the sheet. Cells outside the sheet read as
// empty, so what a part covers past the edges holds nothing.
#pragma once

#include <cstdint>

#include "description/sprite_list.h"

namespace pixcell {

// A half-open range [begin, end) of cell rows or columns of a part.
struct CellRange {
    std::int64_t begin = 0;
    std::int64_t end = 0;
};

// The cells, among the size / 16 cells from `start`, that overlap the pixels
// 0 .. extent - 1 of the sheet. Skipping the others changes nothing but the
// time a part far larger than its sheet would take.
CellRange cells_on_sheet(std::int32_t start, std::int32_t size, std::int64_t extent);

// The pixels of those cells that lie on a sheet of width x height:
// [left, right) x [top, bottom), empty when left >= right or top >= bottom.
struct PixelArea {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;
    bool empty() const { return left >= right || top >= bottom; }
};
PixelArea pixels_on_sheet(const SpritePart& part, std::int64_t width, std::int64_t height);

// The part's own pixels among those: the own_width x own_height rectangle
// at x, y that its line gave before the rounding to cells. Empty when that
// size isn't positive.
PixelArea own_pixels_on_sheet(const SpritePart& part, std::int64_t width, std::int64_t height);

}  // namespace pixcell
