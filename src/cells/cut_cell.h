// Cutting one 16x16 cell out of a sheet as four packed tiles.
#pragma once

#include <array>
#include <cstdint>

#include "cells/cell_pattern.h"
#include "cells/palette_rows.h"
#include "sheets/indexed_image.h"

namespace pixcell {

// The tiles top-left, top-right, bottom-left and bottom-right of the cell
// whose top-left pixel is (x, y), y counted from the top. Pixels outside the
// image read 0, so a cell over an edge shows blank there.
std::array<Tile, 4> cut_cell_tiles(const IndexedImage& image, std::int32_t x, std::int32_t y);
// The same, and in `span` the rows its pixels come from (pixels outside the
// image are index 0).
std::array<Tile, 4> cut_cell_tiles(const IndexedImage& image, std::int32_t x, std::int32_t y, RowSpan& span);

// The same for a cell of which only the `columns` x `rows` pixels at its
// top-left are read: the others read 0 too.
std::array<Tile, 4> cut_clipped_cell(const IndexedImage& image, std::int32_t x, std::int32_t y, std::int32_t columns,
                                     std::int32_t rows, RowSpan& span);

// One 8x8 tile at (x, y), with the same rule for pixels outside.
Tile cut_tile(const IndexedImage& image, std::int32_t x, std::int32_t y);

// Starts loading the image rows that cutting the cell at (x, y) will read.
// Only a hint: it changes nothing.
void prefetch_cell_rows(const IndexedImage& image, std::int32_t x, std::int32_t y);

}  // namespace pixcell
