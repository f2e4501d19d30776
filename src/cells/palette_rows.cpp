#include "cells/palette_rows.h"

#include <array>

#include "common/console.h"

namespace pixcell {

namespace {

// The first pixel met of each kind, by its place in cut order.
struct FirstPixel {
    std::int64_t order = -1;  // -1: none met
    SheetPixel pixel;
};

// Reads the cells pixel by pixel in cut order: each cell row by row from the
// top, left to right; pixels outside the sheet read 0, as the cut reads them.
RowReport look_again(const CellToCut* cells, std::size_t count, const IndexedImage& image, std::int32_t& row) {
    std::array<FirstPixel, kPaletteRows> shown{};   // by row
    std::array<FirstPixel, kPaletteRows> hidden{};  // by row, of the pixels of index 16 * row
    std::array<std::int64_t, kPaletteRows> hidden_count{};
    std::int64_t order = 0;
    FirstPixel first;
    for (std::size_t c = 0; c < count; ++c) {
        const CellToCut& cell = cells[c];
        for (std::int64_t y = cell.y; y < std::int64_t{cell.y} + kCellPixels; ++y) {
            if (y < 0 || y >= image.height() || y - cell.y >= cell.own_rows) {
                order += kCellPixels;
                continue;
            }
            const std::uint8_t* line = image.row(y);
            for (std::int64_t x = cell.x; x < std::int64_t{cell.x} + kCellPixels; ++x, ++order) {
                if (x < 0 || x >= image.width() || x - cell.x >= cell.own_columns) continue;
                const std::uint8_t index = line[x];
                if (index == 0) continue;
                const std::size_t pixel_row = index >> kRowShift;
                FirstPixel& slot = (index & kPixelMask) != 0 ? shown[pixel_row] : hidden[pixel_row];
                if ((index & kPixelMask) == 0) ++hidden_count[pixel_row];
                if (slot.order < 0) slot = FirstPixel{order, SheetPixel{x, y, index}};
                if (first.order < 0 && (index & kPixelMask) != 0) first = slot;
            }
        }
    }
    RowReport report;
    row = first.order < 0 ? 0 : first.pixel.index >> kRowShift;
    for (const FirstPixel& pixel : shown) {
        if (pixel.order >= 0) report.rows.push_back(pixel.pixel);
    }
    if (report.rows.size() == 1) report.rows.clear();  // one row: nothing to say
    FirstPixel first_hidden;
    for (std::size_t r = 1; r < hidden.size(); ++r) {
        // Entry 0 of the sprite's own row is its transparent colour, as meant.
        if (static_cast<std::int32_t>(r) == row || hidden[r].order < 0) continue;
        report.hidden += hidden_count[r];
        if (first_hidden.order < 0 || hidden[r].order < first_hidden.order) first_hidden = hidden[r];
    }
    report.first_hidden = first_hidden.pixel;
    report.invisible = first.order < 0;
    return report;
}

}  // namespace

std::int32_t sprite_row(const RowSpan& span, bool shown, const CellToCut* cells, std::size_t count,
                        const SheetStore& sheets, std::size_t sprite, std::vector<RowReport>& reports) {
    if (shown && span.low == span.high) return span.low;
    if (count == 0) return 0;  // no cell on its sheet: its parts are warned about
    // A sprite's parts are all cut from its one sheet.
    std::int32_t row = 0;
    RowReport report = look_again(cells, count, sheets.sheet(cells[0].sheet), row);
    report.sprite = sprite;
    reports.push_back(std::move(report));
    return row;
}

}  // namespace pixcell
