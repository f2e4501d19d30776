// An object's picture: its 8x8 tiles in the console's 4-bit layout, row
// after row of the object, as the one-dimensional mapping reads them. A
// 16x16 object's four tiles are a cell's 64 halfwords.
#pragma once

#include <cstdint>

#include "cells/cell_pattern.h"
#include "description/part_area.h"
#include "sheets/indexed_image.h"

namespace pixcell {

// Packs the object of `shape` whose top-left pixel is (x, y) on the sheet
// into object_tiles(shape) tiles; pixels outside `area` read 0.
void pack_picture(const IndexedImage& image, const PixelArea& area, std::int64_t x, std::int64_t y,
                  std::int32_t shape, Tile* tiles);

// The picture mirrored as `flip` (0..3) says, into as many tiles.
void mirror_picture(const Tile* tiles, std::int32_t shape, std::int32_t flip, Tile* mirrored);

// A 64-bit hash of the shape and the tiles; collisions are settled by
// comparing tiles.
std::uint64_t picture_hash(const Tile* tiles, std::int32_t shape);

}  // namespace pixcell
