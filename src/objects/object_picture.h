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
void pack_picture(const IndexedImage& image, const PixelArea& area, std::int64_t x, std::int64_t y, std::int32_t shape,
                  Tile* tiles);

// A picture is stored as first seen, and found again by the least of its
// mirror images (in an order of pictures fixed here): so a picture and
// each of its mirror images come to the same key. `flip` turns the picture
// into that least image, and `hash` is the least image's, with its shape.
struct PictureKey {
    std::uint64_t hash = 0;
    std::int32_t flip = 0;
};
PictureKey picture_key(const Tile* tiles, std::int32_t shape);

// Whether picture a mirrored by flip_a is picture b mirrored by flip_b,
// both of `shape`.
bool same_picture(const Tile* a, std::int32_t flip_a, const Tile* b, std::int32_t flip_b, std::int32_t shape);

}  // namespace pixcell
