// Palette rows given by the game (--palette-from): each colour unit takes the
// lowest row of the given palette that holds all its colours.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pixcell {

// Colours as the console stores them: 15 bits, red in the low 5, then green,
// then blue. They are compared exactly.
using ConsoleColours = std::vector<std::uint16_t>;

struct UnitMatch {
    std::int32_t row = 0;
    // The slot of each of the unit's colours in its row, in the unit's order:
    // the lowest of slots 1 to kRowColours - 1 that holds the colour.
    std::vector<std::uint8_t> slots;
};

// A unit that no row holds whole.
struct RowMiss {
    std::size_t unit = 0;
    std::int32_t best_row = 0;  // the row holding most of its colours, the lowest of those
    ConsoleColours missing;     // its colours that row lacks, in the unit's order
};

struct MatchedRows {
    // In the units' order. A unit among `misses` has its best row, and slot 0
    // for each colour that row lacks.
    std::vector<UnitMatch> units;
    std::vector<RowMiss> misses;  // in the units' order; the palette doesn't serve if there is any
};

// Row r of `palette` is its entries kRowColours * r to kRowColours * r + 15
// (the last row may be short); entries past the console's rows are not used.
// Slot 0 of a row is transparent and holds no unit colour.
MatchedRows match_rows(const ConsoleColours& palette, const std::vector<ConsoleColours>& units);

}  // namespace pixcell
