// Palette rows made for true-colour sheets: the colour units (a sprite, or
// the sprites that share sheet pixels) packed into as few of the console's
// rows as hold each unit's colours in one row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace pixcell {

// Colour numbers, sorted and distinct. Colours are numbered by their first
// appearance on the sheets, so a sorted row lists them in that order too.
using ColourSet = std::vector<std::uint32_t>;

struct RowPacking {
    // At most kPaletteRows rows of at most kRowColours - 1 colours: colour k
    // of a row goes in its slot k + 1, slot 0 being transparent. Rows are in
    // the order of their colours (so of their first colour; rows may share
    // colours, and two rows that start alike follow their next colours).
    std::vector<ColourSet> rows;
    std::vector<std::uint32_t> unit_rows;  // the row of each unit, in the units' order
};

struct PackedRows {
    std::optional<RowPacking> packing;  // set when the units fit the console's rows
    // The rows of the best packing found, whether it fits or not (past 64
    // rows, or 240 colours, from one quick placement only); 0 when a unit has
    // more colours than a row holds, as then no number of rows will do.
    std::size_t rows_needed = 0;
};

// Each unit's colours in one row, at most kRowColours - 1 colours a row, and
// as few rows as the search finds: never more than first-fit in the units'
// order or first-fit from the largest unit down gives. The same units give
// the same rows. A unit without colours is put in some row (an empty one
// when no unit has colours).
PackedRows pack_rows(const std::vector<ColourSet>& units);

}  // namespace pixcell
