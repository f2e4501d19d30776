#include "output/preview.h"

#include <spng.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <memory>

#include "common/console.h"
#include "common/messages.h"

namespace pixcell {

namespace {

constexpr std::int64_t kCellGap = 1;
constexpr std::int64_t kCellsPerRow = 16;
constexpr std::int64_t kFrameGap = 2;
constexpr std::int64_t kRowWidth = 1024;
constexpr std::int64_t kMostPixels = std::int64_t{1} << 28;

// Pixel (x, y) of a cell as the console shows it with `flip`.
unsigned cell_pixel(const Cell& cell, int x, int y, FlipFlags flip) {
    if (flip & kFlipHorizontal) x = kCellPixels - 1 - x;
    if (flip & kFlipVertical) y = kCellPixels - 1 - y;
    const int tile = (y / kTilePixels) * 2 + x / kTilePixels;
    const std::uint16_t half =
        cell[static_cast<std::size_t>(tile * 16 + (y % kTilePixels) * 2 + (x % kTilePixels) / 4)];
    return half >> (kPixelBits * (x % 4)) & kPixelMask;
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
                at[0] = colour.red;
                at[1] = colour.green;
                at[2] = colour.blue;
                at[3] = 0xFF;
            }
        }
    }
};

const Palette& palette_of(const SheetStore& sheets, std::int32_t sheet) {
    static const Palette kNone;
    return sheet >= 0 ? sheets.sheet(sheet).palette() : kNone;
}

}  // namespace

std::optional<Preview> draw_preview(const SpriteList& sprites, const Conversion& conversion, const SheetStore& sheets,
                                    std::string& problem) {
    Preview preview;
    const std::int64_t distinct = conversion.cells.size();
    const std::int64_t table_rows = (distinct + kCellsPerRow - 1) / kCellsPerRow;
    const std::int64_t table_width = std::min(distinct, kCellsPerRow) * (kCellPixels + kCellGap) - kCellGap;
    const std::int64_t table_height = table_rows * (kCellPixels + kCellGap) - kCellGap;

    // Frames: each sprite's bounding box, laid out in rows.
    std::int64_t widest = 0;
    for (const ConvertedSprite& converted : conversion.sprites) {
        if (converted.cell_count == 0) continue;
        std::int64_t left = std::numeric_limits<std::int64_t>::max();
        std::int64_t top = left;
        std::int64_t right = std::numeric_limits<std::int64_t>::min();
        std::int64_t bottom = right;
        for (std::size_t i = 0; i < converted.cell_count; ++i) {
            const PlacedCell& cell = conversion.placed[converted.first_cell + i];
            left = std::min<std::int64_t>(left, cell.x_offset);
            top = std::min<std::int64_t>(top, cell.y_offset);
            right = std::max<std::int64_t>(right, std::int64_t{cell.x_offset} + kCellPixels);
            bottom = std::max<std::int64_t>(bottom, std::int64_t{cell.y_offset} + kCellPixels);
        }
        preview.frames.push_back({converted.sprite, 0, 0, -left, -top, right - left, bottom - top});
        widest = std::max(widest, right - left);
    }
    const std::int64_t row_limit = std::max(kRowWidth, widest);
    std::int64_t x = 0;
    std::int64_t y = distinct > 0 ? table_height + kFrameGap : 0;
    std::int64_t row_height = 0;
    std::int64_t width = std::max<std::int64_t>(table_width, 0);
    for (Frame& frame : preview.frames) {
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
    std::int64_t height = preview.frames.empty() ? std::max<std::int64_t>(table_height, 0) : y + row_height;
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
            if (row < 0) row = converted.palette_row;
        }
    }
    for (std::int64_t k = 0; k < distinct; ++k) {
        const auto index = static_cast<std::uint32_t>(k);
        canvas.draw(conversion.cells[index].variant[0], 0, palette_of(sheets, conversion.cell_sheets[index]),
                    cell_rows[index], (k % kCellsPerRow) * (kCellPixels + kCellGap),
                    (k / kCellsPerRow) * (kCellPixels + kCellGap));
    }
    std::size_t next = 0;
    for (const ConvertedSprite& converted : conversion.sprites) {
        if (converted.cell_count == 0) continue;
        const Frame& frame = preview.frames[next++];
        const Palette& palette = palette_of(sheets, sheets.find(sprites[converted.sprite].bitmap));
        // The console draws a lower-numbered object over a higher one: the
        // record's first entry ends on top.
        for (std::size_t i = converted.cell_count; i-- > 0;) {
            const PlacedCell& cell = conversion.placed[converted.first_cell + i];
            canvas.draw(conversion.cells[static_cast<std::uint32_t>(cell.index)].variant[0], cell.flip, palette,
                        converted.palette_row, frame.x + frame.origin_x + cell.x_offset,
                        frame.y + frame.origin_y + cell.y_offset);
        }
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
