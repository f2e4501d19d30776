// The --preview picture: what the console would show of the conversion,
// drawn from the generated cell data and pattern records (not copied from the
// sheets), so that a wrong flip or offset in them shows in it.
//
// First the distinct cells in table order, 16 a row with a 1-pixel gap, each
// in the colours of its sheet, in the palette row of the first sprite that
// placed it; below them every sprite that has a pattern record, in
// enumeration order and in its own palette row, each in a frame, frames left
// to right 2 pixels apart, wrapping at 1024 pixels (or the widest frame).
// The frames are all of one size, the box around the origin that holds
// every sprite's cells, so the origin is at one place in each; when that box
// is wider or taller than 1024 pixels, each frame is its sprite's own box.
// The origin is marked with a plus sign of five pixels in RGBA (255, 0, 255,
// 128) over the sprite, on the pixel whose top-left corner it is; a frame
// holds the mark whole when it touches the sprite's cells, and none of it
// when it lies apart from them. Colour 0 is transparent.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cells/convert.h"
#include "description/sprite_list.h"
#include "objects/cover_sprites.h"
#include "sheets/sheet_store.h"

namespace pixcell {

struct Picture {
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::vector<std::uint8_t> rgba;  // 4 bytes a pixel, rows from the top
};

// Where a sprite's frame went, for those who check the picture.
struct Frame {
    std::size_t sprite = 0;  // in the sprite list
    std::int64_t x = 0;      // of the frame's top-left corner in the picture
    std::int64_t y = 0;
    std::int64_t origin_x = 0;  // of the sprite's origin, from the frame's corner
    std::int64_t origin_y = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
};

struct Preview {
    Picture picture;
    std::vector<Frame> frames;
};

// Nothing, with `problem` set, when the picture would be too large to make.
// With `objects` (--objects), each frame also holds the sprite's objects,
// outlined over it in RGBA (0, 255, 255, 128), under the origin's mark.
std::optional<Preview> draw_preview(const SpriteList& sprites, const Conversion& conversion, const SheetStore& sheets,
                                    std::string& problem, const ObjectConversion* objects = nullptr);

// The picture as a PNG file's bytes; false when the encoder fails (out of memory).
bool encode_png(const Picture& picture, std::string& png);

}  // namespace pixcell
