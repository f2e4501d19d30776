#include "console/harness/expected_picture.h"

#include <algorithm>

#include "common/console.h"

namespace pixcell::console {

namespace {

// A pixel at offset u from the origin lands at -u-1 in a mirrored direction.
std::int64_t mirrored(std::int64_t offset, bool flip) { return flip ? -offset - 1 : offset; }

// Columns (or rows) of a part that reach into [0, extent) of the sheet;
// the others read as index 0 and show nothing.
struct Range {
    std::int64_t begin = 0;
    std::int64_t end = 0;
};

Range on_sheet(std::int64_t start, std::int64_t size, std::int64_t extent) {
    const std::int64_t count = size / kCellPixels;  // truncates toward zero, like the cutting
    Range r;
    if (count <= 0) return r;
    // Cell i covers [start + 16i, start + 16i + 16).
    std::int64_t first = 0;
    if (start + kCellPixels <= 0) first = (-start - kCellPixels) / kCellPixels + 1;
    std::int64_t past = count;
    if (extent - start <= 0) past = 0;
    else past = std::min(count, (extent - start + kCellPixels - 1) / kCellPixels);
    r.begin = first;
    r.end = std::max(first, past);
    return r;
}

bool has_visible_pixel(const SheetPixels& sheet, std::int64_t x, std::int64_t y, std::int64_t columns,
                       std::int64_t rows) {
    for (std::int64_t j = 0; j < rows; ++j)
        for (std::int64_t i = 0; i < columns; ++i)
            if ((sheet.at(x + i, y + j) & kPixelMask) != 0) return true;
    return false;
}

}  // namespace

std::int64_t ShownCell::corner_x() const {
    return hflip ? mirrored(from_origin_x + kCellPixels - 1, true) : from_origin_x;
}

std::int64_t ShownCell::corner_y() const {
    return vflip ? mirrored(from_origin_y + kCellPixels - 1, true) : from_origin_y;
}

std::vector<ShownCell> shown_cells(const SpriteObject& sprite, const SheetPixels& sheet, bool own_only) {
    std::vector<ShownCell> cells;
    for (const SpritePart& part : sprite.parts) {
        const Range columns = on_sheet(part.x, part.width, sheet.width);
        const Range rows = on_sheet(part.y, part.height, sheet.height);
        const std::int64_t origin_x = std::int64_t{part.x} + part.dx;
        const std::int64_t origin_y = std::int64_t{part.y} + part.dy;
        for (std::int64_t k = rows.begin; k < rows.end; ++k) {
            for (std::int64_t l = columns.begin; l < columns.end; ++l) {
                ShownCell cell;
                cell.sheet_x = part.x + kCellPixels * l;
                cell.sheet_y = part.y + kCellPixels * k;
                if (own_only || part.clipped) {
                    cell.own_columns = std::clamp<std::int64_t>(part.own_width - kCellPixels * l, 0, kCellPixels);
                    cell.own_rows = std::clamp<std::int64_t>(part.own_height - kCellPixels * k, 0, kCellPixels);
                }
                if (!has_visible_pixel(sheet, cell.sheet_x, cell.sheet_y, cell.own_columns, cell.own_rows)) continue;
                cell.from_origin_x = cell.sheet_x - origin_x;
                cell.from_origin_y = cell.sheet_y - origin_y;
                cell.hflip = (part.flip & kFlipHorizontal) != 0;
                cell.vflip = (part.flip & kFlipVertical) != 0;
                cells.push_back(cell);
            }
        }
    }
    return cells;
}

std::vector<ShownCell> flipped_sprite(std::vector<ShownCell> cells, std::int32_t flip) {
    for (ShownCell& cell : cells) {
        cell.hflip = cell.hflip != ((flip & kFlipHorizontal) != 0);
        cell.vflip = cell.vflip != ((flip & kFlipVertical) != 0);
    }
    return cells;
}

int palette_row(const SpriteObject& sprite, const SheetPixels& sheet) {
    for (auto part = sprite.parts.rbegin(); part != sprite.parts.rend(); ++part) {
        for (std::int64_t k = 0; k < part->height / kCellPixels; ++k) {
            for (std::int64_t l = 0; l < part->width / kCellPixels; ++l) {
                for (std::int64_t j = 0; j < kCellPixels; ++j) {
                    for (std::int64_t i = 0; i < kCellPixels; ++i) {
                        const int index = sheet.at(part->x + kCellPixels * l + i, part->y + kCellPixels * k + j);
                        if ((index & kPixelMask) != 0) return index >> kRowShift;
                    }
                }
            }
        }
    }
    return 0;
}

bool in_window(const ShownCell& cell, const View& view) {
    const std::int64_t x = view.origin_x + cell.corner_x();
    const std::int64_t y = view.origin_y + cell.corner_y();
    return x >= view.window.left && x < view.window.right && y >= view.window.top &&
           y < view.window.bottom;
}

namespace {

// Calls shown(screen index, sheet index) for every pixel of the cells in the
// view's window that lands on screen and isn't transparent.
template <typename Shown>
void for_each_shown_pixel(const std::vector<ShownCell>& cells, const SheetPixels& sheet, const View& view,
                          Shown shown) {
    for (const ShownCell& cell : cells) {
        if (!in_window(cell, view)) continue;
        for (std::int64_t j = 0; j < cell.own_rows; ++j) {
            const std::int64_t sy = view.origin_y + mirrored(cell.from_origin_y + j, cell.vflip);
            if (sy < 0 || sy >= kScreenHeight) continue;
            for (std::int64_t i = 0; i < cell.own_columns; ++i) {
                const std::int64_t sx = view.origin_x + mirrored(cell.from_origin_x + i, cell.hflip);
                if (sx < 0 || sx >= kScreenWidth) continue;
                const int index = sheet.at(cell.sheet_x + i, cell.sheet_y + j);
                if ((index & kPixelMask) == 0) continue;
                shown(static_cast<std::size_t>(sy * kScreenWidth + sx), index);
            }
        }
    }
}

}  // namespace

ExpectedPicture expected_picture(const std::vector<ShownCell>& cells, const SheetPixels& sheet,
                                 const View& view) {
    constexpr std::uint16_t kBackdrop = 1;
    ExpectedPicture picture(static_cast<std::size_t>(kScreenWidth) * kScreenHeight, kBackdrop);
    for_each_shown_pixel(cells, sheet, view, [&](std::size_t at, int index) {
        std::uint16_t& allowed = picture[at];
        if (allowed == kBackdrop) allowed = 0;
        allowed = static_cast<std::uint16_t>(allowed | 1u << (index & kPixelMask));
    });
    return picture;
}

void add_expected_colours(const std::vector<ShownCell>& cells, const SheetPixels& sheet, const View& view,
                          ExpectedColours& colours) {
    for_each_shown_pixel(cells, sheet, view, [&](std::size_t at, int index) {
        const std::int32_t colour = static_cast<std::size_t>(index) < sheet.colours.size()
                                        ? sheet.colours[static_cast<std::size_t>(index)]
                                        : kAnyColour;
        colours[at] = colours[at] == kNoColour || colours[at] == colour ? colour : kAnyColour;
    });
}

}  // namespace pixcell::console
