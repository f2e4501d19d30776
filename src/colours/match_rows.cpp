#include "colours/match_rows.h"

#include <algorithm>
#include <array>
#include <limits>

#include "common/console.h"

namespace pixcell {
namespace {

static_assert(kPaletteRows <= 16, "a set of rows is 16 bits");
using RowSet = std::uint16_t;  // bit r: row r

// A colour of the palette: the rows that hold it in an opaque slot, and its
// lowest such slot in each of them.
struct PaletteColour {
    RowSet rows = 0;
    std::array<std::uint8_t, kPaletteRows> slots{};
};

// Every palette colour once, and a table from any 16-bit value to its entry
// (0 for none, else its index + 1), so that each unit colour costs one look-up.
struct PaletteIndex {
    std::vector<PaletteColour> colours;
    std::vector<std::uint16_t> entry_of;
};

PaletteIndex index_palette(const ConsoleColours& palette) {
    PaletteIndex index;
    index.entry_of.assign(std::size_t{std::numeric_limits<std::uint16_t>::max()} + 1, 0);
    const std::size_t used = std::min(palette.size(), std::size_t{kPaletteRows} * kRowColours);
    // Entries in order, so the first slot a row gets for a colour is its lowest.
    for (std::size_t entry = 0; entry < used; ++entry) {
        const std::size_t row = entry / kRowColours;
        const std::size_t slot = entry % kRowColours;
        if (slot == 0) continue;
        std::uint16_t& found = index.entry_of[palette[entry]];
        if (found == 0) {
            index.colours.emplace_back();
            found = static_cast<std::uint16_t>(index.colours.size());
        }
        PaletteColour& colour = index.colours[found - 1];
        if (colour.rows & (RowSet{1} << row)) continue;
        colour.rows = static_cast<RowSet>(colour.rows | (RowSet{1} << row));
        colour.slots[row] = static_cast<std::uint8_t>(slot);
    }
    return index;
}

// The row holding most of the unit's colours; the lowest of those.
std::int32_t best_row(const std::vector<const PaletteColour*>& found) {
    std::array<std::size_t, kPaletteRows> held{};
    for (const PaletteColour* colour : found) {
        if (!colour) continue;
        for (std::int32_t row = 0; row < kPaletteRows; ++row) held[row] += (colour->rows >> row) & 1u;
    }
    return static_cast<std::int32_t>(std::max_element(held.begin(), held.end()) - held.begin());
}

std::int32_t lowest_row(RowSet rows) {
    std::int32_t row = 0;
    while (!((rows >> row) & 1u)) ++row;
    return row;
}

}  // namespace

MatchedRows match_rows(const ConsoleColours& palette, const std::vector<ConsoleColours>& units) {
    const PaletteIndex index = index_palette(palette);
    MatchedRows result;
    result.units.reserve(units.size());
    std::vector<const PaletteColour*> found;
    for (std::size_t unit = 0; unit < units.size(); ++unit) {
        found.clear();
        RowSet rows = std::numeric_limits<RowSet>::max();
        for (const std::uint16_t colour : units[unit]) {
            const std::uint16_t entry = index.entry_of[colour];
            found.push_back(entry ? &index.colours[entry - 1] : nullptr);
            rows = entry ? static_cast<RowSet>(rows & found.back()->rows) : 0;
        }
        UnitMatch match;
        if (rows != 0) {
            match.row = lowest_row(rows);
        } else {
            RowMiss miss;
            miss.unit = unit;
            miss.best_row = match.row = best_row(found);
            for (std::size_t k = 0; k < found.size(); ++k) {
                if (!found[k] || !((found[k]->rows >> match.row) & 1u)) miss.missing.push_back(units[unit][k]);
            }
            result.misses.push_back(std::move(miss));
        }
        match.slots.reserve(found.size());
        for (const PaletteColour* colour : found) match.slots.push_back(colour ? colour->slots[match.row] : 0);
        result.units.push_back(std::move(match));
    }
    return result;
}

}  // namespace pixcell
