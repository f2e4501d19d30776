#include "output/preview.h"

#include <spng.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <memory>
#include <utility>

#include "common/console.h"
#include "common/messages.h"

namespace pixcell {

namespace {

constexpr std::int64_t kCellGap = 1;
constexpr std::int64_t kCellsPerRow = 16;
constexpr std::int64_t kFrameGap = 2;
constexpr std::int64_t kRowWidth = 1024;
constexpr std::int64_t kMostPixels = std::int64_t{1} << 28;
// The origin's mark: half-transparent, so no sprite pixel (opaque or
// transparent) is ever taken for it.
constexpr std::uint8_t kOriginMark[4] = {255, 0, 255, 128};
// The outline of an object (--objects), half-transparent as the mark is.
constexpr std::uint8_t kObjectOutline[4] = {0, 255, 255, 128};

// Pixel (x, y) of a cell as the console shows it with `flip`.
unsigned cell_pixel(const Cell& cell, int x, int y, FlipFlags flip) {
    if (flip & kFlipHorizontal) x = kCellPixels - 1 - x;
    if (flip & kFlipVertical) y = kCellPixels - 1 - y;
    const int tile = (y / kTilePixels) * 2 + x / kTilePixels;
    const std::uint16_t half =
        cell[static_cast<std::size_t>(tile * 16 + (y % kTilePixels) * 2 + (x % kTilePixels) / 4)];
    return half >> (kPixelBits * (x % 4)) & kPixelMask;
}

// A channel as the console shows it: its top 5 bits, widened back to 8 as
// the screen does, so that two colours the console shows alike look alike.
std::uint8_t as_shown(std::uint8_t channel) {
    const unsigned top = channel >> 3;
    return static_cast<std::uint8_t>(top << 3 | top >> 2);
}

struct Canvas {
    Picture& picture;

    // Draws a cell with its top-left corner at (left, top) in palette row
    // `row`; colour 0 stays as it was.
    void draw(const Cell& cell, FlipFlags flip, const Palette& palette, std::int32_t row, std::int64_t left,
              std::int64_t top) {
        for (int y = 0; y < kCellPixels; ++y) {
            for (int x = 0; x < kCellPixels; ++x) {
                const unsigned colour_in_row = cell_pixel(cell, x, y, flip);
                if (colour_in_row == 0) continue;
                const std::size_t index = static_cast<std::size_t>(row) * kRowColours + colour_in_row;
                const Rgb colour = index < palette.size() ? palette[index] : Rgb{};
                std::uint8_t* at = &picture.rgba[static_cast<std::size_t>(((top + y) * picture.width + left + x) * 4)];
                at[0] = as_shown(colour.red);
                at[1] = as_shown(colour.green);
                at[2] = as_shown(colour.blue);
                at[3] = 0xFF;
            }
        }
    }
};

const Palette& palette_of(const SheetStore& sheets, std::int32_t sheet) {
    static const Palette kNone;
    return sheet >= 0 ? sheets.sheet(sheet).palette() : kNone;
}

// A rectangle of pixels relative to a sprite's origin, right and bottom excluded.
struct Box {
    std::int64_t left = std::numeric_limits<std::int64_t>::max();
    std::int64_t top = std::numeric_limits<std::int64_t>::max();
    std::int64_t right = std::numeric_limits<std::int64_t>::min();
    std::int64_t bottom = std::numeric_limits<std::int64_t>::min();

    void add(const Box& other) {
        left = std::min(left, other.left);
        top = std::min(top, other.top);
        right = std::max(right, other.right);
        bottom = std::max(bottom, other.bottom);
    }
    Frame frame(std::size_t sprite) const { return {sprite, 0, 0, -left, -top, right - left, bottom - top}; }
};

// The box of a sprite's cells, grown to hold the origin's mark whole (the
// pixel whose top-left corner is the origin, and one pixel around it) when
// the mark touches the cells: a mark at the cells' edge, as an origin at the
// feet is, would otherwise be cut to a pixel. A mark far from the cells is
// left out, so that a far origin doesn't make a vast frame.
Box object_box(const PlacedObject& object) {
    const ObjectShape& shape = kObjectShapes[static_cast<std::size_t>(object.shape)];
    return {object.x_offset, object.y_offset, std::int64_t{object.x_offset} + shape.width,
            std::int64_t{object.y_offset} + shape.height};
}

// The objects of the s-th converted sprite, none without them.
std::pair<const PlacedObject*, std::size_t> objects_of(const ObjectConversion* objects, std::size_t s) {
    if (objects == nullptr) return {nullptr, 0};
    const ObjectSprite& sprite = objects->sprites[s];
    return {objects->objects.data() + sprite.first, sprite.count};
}

// Its objects too, which may overhang its cells.
Box frame_box(const Conversion& conversion, std::size_t s, const ObjectConversion* objects) {
    const ConvertedSprite& converted = conversion.sprites[s];
    Box box;
    for (std::size_t i = 0; i < converted.cell_count; ++i) {
        const PlacedCell& cell = conversion.placed[converted.first_cell + i];
        box.add({cell.x_offset, cell.y_offset, std::int64_t{cell.x_offset} + kCellPixels,
                 std::int64_t{cell.y_offset} + kCellPixels});
    }
    const auto [first, count] = objects_of(objects, s);
    for (std::size_t i = 0; i < count; ++i) box.add(object_box(first[i]));
    const Box mark{-1, -1, 2, 2};
    if (mark.left < box.right && box.left < mark.right && mark.top < box.bottom && box.top < mark.bottom) box.add(mark);
    return box;
}

// A frame for each sprite that has cells, not yet placed: all of one size,
// the box that holds every sprite's frame box, so that each origin is at the
// same place in its frame and an origin that jumps from one animation frame
// to the next shows; each sprite's own box when that common one would be
// wider or taller than a row of frames.
std::vector<Frame> sprite_frames(const Conversion& conversion, const ObjectConversion* objects) {
    std::vector<Frame> frames;
    Box common;
    for (std::size_t s = 0; s < conversion.sprites.size(); ++s) {
        const ConvertedSprite& converted = conversion.sprites[s];
        if (converted.cell_count == 0) continue;
        const Box own = frame_box(conversion, s, objects);
        frames.push_back(own.frame(converted.sprite));
        common.add(own);
    }
    if (frames.empty() || common.right - common.left > kRowWidth || common.bottom - common.top > kRowWidth) {
        return frames;
    }
    for (Frame& frame : frames) frame = common.frame(frame.sprite);
    return frames;
}

// Places the frames left to right from `top`, wrapping at a row's width (or
// the widest frame); widens `width` to hold them and returns their bottom.
std::int64_t lay_out_frames(std::vector<Frame>& frames, std::int64_t top, std::int64_t& width) {
    std::int64_t widest = 0;
    for (const Frame& frame : frames) widest = std::max(widest, frame.width);
    const std::int64_t row_limit = std::max(kRowWidth, widest);
    std::int64_t x = 0;
    std::int64_t y = top;
    std::int64_t row_height = 0;
    for (Frame& frame : frames) {
        if (x > 0 && x + frame.width > row_limit) {
            y += row_height + kFrameGap;
            x = 0;
            row_height = 0;
        }
        frame.x = x;
        frame.y = y;
        x += frame.width + kFrameGap;
        row_height = std::max(row_height, frame.height);
        width = std::max(width, frame.x + frame.width);
    }
    return y + row_height;
}

void put_pixel(Picture& picture, const Frame& frame, std::int64_t x, std::int64_t y, const std::uint8_t (&rgba)[4]) {
    if (x < 0 || y < 0 || x >= frame.width || y >= frame.height) return;
    std::uint8_t* at = &picture.rgba[static_cast<std::size_t>(((frame.y + y) * picture.width + frame.x + x) * 4)];
    std::copy(rgba, rgba + 4, at);
}

// The edge pixels of each object's rectangle, over the sprite, so that an
// artist sees where the shapes fall.
void outline_objects(Picture& picture, const Frame& frame, const PlacedObject* objects, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const Box box = object_box(objects[i]);
        const std::int64_t left = frame.origin_x + box.left;
        const std::int64_t right = frame.origin_x + box.right - 1;
        const std::int64_t top = frame.origin_y + box.top;
        const std::int64_t bottom = frame.origin_y + box.bottom - 1;
        for (std::int64_t x = left; x <= right; ++x) {
            put_pixel(picture, frame, x, top, kObjectOutline);
            put_pixel(picture, frame, x, bottom, kObjectOutline);
        }
        for (std::int64_t y = top; y <= bottom; ++y) {
            put_pixel(picture, frame, left, y, kObjectOutline);
            put_pixel(picture, frame, right, y, kObjectOutline);
        }
    }
}

// A plus sign of five pixels on the pixel whose top-left corner is the
// sprite's origin, over the sprite, as far as it lies in the frame.
void mark_origin(Picture& picture, const Frame& frame) {
    static const std::int64_t kPlus[5][2] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (const auto& offset : kPlus) {
        put_pixel(picture, frame, frame.origin_x + offset[0], frame.origin_y + offset[1], kOriginMark);
    }
}

}  // namespace

std::optional<Preview> draw_preview(const SpriteList& sprites, const Conversion& conversion, const SheetStore& sheets,
                                    std::string& problem, const ObjectConversion* objects) {
    Preview preview;
    const std::int64_t distinct = conversion.cells.size();
    const std::int64_t table_rows = (distinct + kCellsPerRow - 1) / kCellsPerRow;
    const std::int64_t table_width = std::min(distinct, kCellsPerRow) * (kCellPixels + kCellGap) - kCellGap;
    const std::int64_t table_height = table_rows * (kCellPixels + kCellGap) - kCellGap;

    // The sprites' frames, in rows below the table.
    preview.frames = sprite_frames(conversion, objects);
    std::int64_t width = std::max<std::int64_t>(table_width, 0);
    const std::int64_t frames_bottom =
        lay_out_frames(preview.frames, distinct > 0 ? table_height + kFrameGap : 0, width);
    std::int64_t height = preview.frames.empty() ? std::max<std::int64_t>(table_height, 0) : frames_bottom;
    // An empty picture is still one transparent pixel: PNG has no 0x0.
    width = std::max<std::int64_t>(width, 1);
    height = std::max<std::int64_t>(height, 1);
    if (width > kMostPixels || height > kMostPixels / width) {
        problem = messages::preview_too_large(width, height, kMostPixels);
        return std::nullopt;
    }

    Picture& picture = preview.picture;
    picture.width = width;
    picture.height = height;
    picture.rgba.assign(static_cast<std::size_t>(width * height * 4), 0);
    Canvas canvas{picture};
    // A distinct cell is drawn in the row of the first sprite that placed it,
    // the one it was first cut from.
    std::vector<std::int32_t> cell_rows(static_cast<std::size_t>(distinct), -1);
    for (const ConvertedSprite& converted : conversion.sprites) {
        for (std::size_t i = 0; i < converted.cell_count; ++i) {
            std::int32_t& row = cell_rows[static_cast<std::size_t>(conversion.placed[converted.first_cell + i].index)];
            if (row < 0)
                row = converted.palette_row - sheets.sheet(sheets.find(sprites[converted.sprite].bitmap)).row_shift();
        }
    }
    for (std::int64_t k = 0; k < distinct; ++k) {
        const auto index = static_cast<std::uint32_t>(k);
        canvas.draw(conversion.cells[index], 0, palette_of(sheets, conversion.cell_sheets[index]),
                    cell_rows[index], (k % kCellsPerRow) * (kCellPixels + kCellGap),
                    (k / kCellsPerRow) * (kCellPixels + kCellGap));
    }
    std::size_t next = 0;
    for (std::size_t s = 0; s < conversion.sprites.size(); ++s) {
        const ConvertedSprite& converted = conversion.sprites[s];
        if (converted.cell_count == 0) continue;
        const Frame& frame = preview.frames[next++];
        const std::int32_t sheet = sheets.find(sprites[converted.sprite].bitmap);
        const Palette& palette = palette_of(sheets, sheet);
        // The console draws a lower-numbered object over a higher one: the
        // record's first entry ends on top.
        for (std::size_t i = converted.cell_count; i-- > 0;) {
            const PlacedCell& cell = conversion.placed[converted.first_cell + i];
            canvas.draw(conversion.cells[static_cast<std::uint32_t>(cell.index)], cell.flip, palette,
                        converted.palette_row - sheets.sheet(sheet).row_shift(),
                        frame.x + frame.origin_x + cell.x_offset, frame.y + frame.origin_y + cell.y_offset);
        }
        const auto [first, count] = objects_of(objects, s);
        outline_objects(picture, frame, first, count);
        mark_origin(picture, frame);
    }
    return preview;
}

bool encode_png(const Picture& picture, std::string& png) {
    const std::unique_ptr<spng_ctx, void (*)(spng_ctx*)> ctx(spng_ctx_new(SPNG_CTX_ENCODER), spng_ctx_free);
    if (!ctx) return false;
    spng_set_option(ctx.get(), SPNG_ENCODE_TO_BUFFER, 1);
    spng_ihdr header{};
    header.width = static_cast<std::uint32_t>(picture.width);
    header.height = static_cast<std::uint32_t>(picture.height);
    header.bit_depth = 8;
    header.color_type = SPNG_COLOR_TYPE_TRUECOLOR_ALPHA;
    spng_set_ihdr(ctx.get(), &header);
    if (spng_encode_image(ctx.get(), picture.rgba.data(), picture.rgba.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE) !=
        0) {
        return false;
    }
    std::size_t length = 0;
    int error = 0;
    const std::unique_ptr<void, void (*)(void*)> bytes(spng_get_png_buffer(ctx.get(), &length, &error), std::free);
    if (!bytes || error != 0) return false;
    png.assign(static_cast<const char*>(bytes.get()), length);
    return true;
}

}  // namespace pixcell
