// The palette row of each sprite. The console shows a 4-bit cell in one of
// the 16 rows of object palette memory, chosen per object; a sheet drawn with
// 256 colours keeps that row in the high 4 bits of its indices, which the
// cells drop. A sprite's row is the high 4 bits of its first pixel, in cut
// order, that the console shows (low 4 bits not 0); row 0 when there is none.
// What the cut can't carry over to the console (pixels from several rows,
// pixels of index 16, 32, ... that show transparent, a sprite with nothing
// to show) is found here too, for the warnings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "cells/part_cells.h"
#include "sheets/sheet_store.h"

namespace pixcell {

// The rows (index >> 4) of the pixels of a cell that aren't index 0: the
// lowest and the highest. When both are one row r, every shown pixel of the
// cell is in row r and every hidden one (16, 32, ...) is 16r, its own row's
// transparent entry: nothing to warn about. The cut works this out as it
// packs, so that a clean sheet costs no second look at its pixels.
struct RowSpan {
    static constexpr std::uint8_t kNone = 0xFF;
    std::uint8_t low = kNone;  // kNone: every pixel is index 0
    std::uint8_t high = 0;

    void add(const RowSpan& other) {
        low = other.low < low ? other.low : low;
        high = other.high > high ? other.high : high;
    }
};

// A pixel of a sheet, for the messages.
struct SheetPixel {
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::uint8_t index = 0;
};

// What is off about a sprite's colours; made only for the sprites that have
// something off, by looking at their pixels once more.
struct RowReport {
    std::size_t sprite = 0;  // in the sprite list
    // The rows its shown pixels come from, lowest first, each with its first
    // pixel in cut order: more than one, and all but the sprite's row show
    // in the wrong colours.
    std::vector<SheetPixel> rows;
    // Pixels of index 16, 32, ... other than its own row's entry 0, which
    // show transparent: how many, and the first.
    std::int64_t hidden = 0;
    SheetPixel first_hidden;
    // No shown pixel at all, though cells were cut.
    bool invisible = false;
};

// The row of a sprite whose cells, in cut order, are `cells`, given the
// span of all of them, and whether any is shown; a report added to
// `reports` when something is off (then the pixels are read once more).
std::int32_t sprite_row(const RowSpan& span, bool shown, const CellToCut* cells, std::size_t count,
                     const SheetStore& sheets, std::size_t sprite, std::vector<RowReport>& reports);

}  // namespace pixcell
