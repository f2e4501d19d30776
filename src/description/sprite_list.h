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
};

struct SpriteObject {
    std::string name;
    std::string bitmap;             // sheet file name exactly as written
    std::vector<SpritePart> parts;  // in description order
    std::int64_t line = 0;          // of the line that named it, for messages; 0: not from a description
};

using SpriteList = std::vector<SpriteObject>;

}  // namespace pixcell
