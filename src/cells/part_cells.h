// The 16x16 cells of one sprite part: which of them can hold pixels of its
// sheet, and where each lies relative to the sprite's origin.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "description/sprite_list.h"

namespace pixcell {

// A half-open range [begin, end) of cell rows or columns of a part.
struct CellRange {
    std::int64_t begin = 0;
    std::int64_t end = 0;
};

// The cells, among the size / 16 cells from `start`, that overlap the pixels
// 0 .. extent - 1 of the sheet. Cells outside read as empty, so skipping them
// changes nothing but the time a part far larger than its sheet would take.
CellRange cells_on_sheet(std::int32_t start, std::int32_t size, std::int64_t extent);

// Offset of cell `position` (row or column) from the origin, which lies
// `origin` pixels into the part; mirrored about the origin when `mirrored`.
// Wraps like 32-bit two's complement arithmetic.
std::int32_t cell_offset(std::int32_t origin, std::int64_t position, bool mirrored);

// One cell a part covers on its sheet, with what its entry line needs.
struct CellToCut {
    std::int32_t sheet = 0;  // index in the sheet store
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t x_offset = 0;
    std::int32_t y_offset = 0;
    FlipFlags flip = 0;  // the part's own flip
};

// Appends the part's cells that can hold pixels of its sheet (`width` by
// `rows`), rows top to bottom and each row left to right.
void list_part_cells(const SpritePart& part, std::int32_t sheet, std::int64_t width, std::int64_t rows,
                     std::vector<CellToCut>& cells);

}  // namespace pixcell
