// The 16x16 cells of one sprite part that can hold pixels of its sheet, and
// where each lies relative to the sprite's origin.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "description/part_area.h"
#include "description/sprite_list.h"

namespace pixcell {

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
    // The columns and rows of the cell, from its left and top, that are its
    // part's own pixels: fewer than 16 only on the right and bottom edges of
    // a clipped part, whose cells read nothing beyond them.
    std::uint8_t own_columns = 16;
    std::uint8_t own_rows = 16;
    bool clipped() const { return own_columns < 16 || own_rows < 16; }
};

// Appends the part's cells that can hold pixels of its sheet (`width` by
// `rows`), rows top to bottom and each row left to right.
void list_part_cells(const SpritePart& part, std::int32_t sheet, std::int64_t width, std::int64_t rows,
                     std::vector<CellToCut>& cells);

}  // namespace pixcell
