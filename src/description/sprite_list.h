// The sprite list: what the description reader makes of a description, and
// what the listing and the conversion read. Plain values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pixcell {

// Bit 0 mirrors left-right, bit 1 top-bottom; codes combine by exclusive-or.
using FlipFlags = std::int32_t;

// One rectangle of a sheet. While an entry line is read, -1 in x, y, width or
// height marks a field the line has not given.
struct SpritePart {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t dx = 0;  // origin, counted from the rectangle's left edge
    std::int32_t dy = 0;  // origin, counted from the rectangle's top edge
    FlipFlags flip = 0;
    // The size its line gave (or carried over) before the rounding to whole
    // cells: the part's own pixels are the own_width x own_height rectangle
    // at x, y. Objects cover only those; cells cover the rounded size.
    std::int32_t own_width = 0;
    std::int32_t own_height = 0;
    // Set when the part's cells, too, read nothing outside its own pixels
    // (pixels of the rounded cells beyond them read as transparent).
    bool clipped = false;
};

struct SpriteObject {
    std::string name;
    std::string bitmap;             // sheet file name exactly as written
    std::vector<SpritePart> parts;  // in description order
    std::int64_t line = 0;          // of the line that named it, for messages; 0: not from a description
};

using SpriteList = std::vector<SpriteObject>;

}  // namespace pixcell
