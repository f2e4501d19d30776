// Walking the 16x16 cells of one sprite part: which of them can hold pixels of
// the sheet, where each lies relative to the sprite's origin, and cutting
// them through the store.
#pragma once

#include <cstdint>
#include <string>

#include "cells/bitmap_store.h"
#include "driver/sprite_list.h"

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

// Cuts the part's cells, rows top to bottom and each row left to right,
// through the store and appends an entry line to `entry_text` for each
// non-empty one. Returns the number of lines appended.
std::int64_t place_part_cells(const SpritePart& part, const std::string& bitmap, BitmapStore& store,
                              std::string& entry_text);

}  // namespace pixcell
