// The distinct cells of a run in the order they were first cut, each stored
// once: a cell equal to a stored one, or to a mirror image of one, is given
// that cell's index and the flip that shows it.
#pragma once

#include <cstdint>

#include "cells/cell_index.h"
#include "cells/cell_pattern.h"
#include "cells/cell_table.h"
#include "description/sprite_list.h"

namespace pixcell {

class CellDictionary {
public:
    // The index of `cell`, stored now unless it or a mirror of it is stored
    // already, or -1 for an empty cell (not stored). `flip` (0..3) comes in as
    // the flip wanted for the cell as given and goes out as the flip to show
    // the stored cell with; it is left alone for an empty or a new cell.
    std::int32_t add(const Cell& cell, FlipFlags& flip);

    // The stored cell, as cut. An index at or past the end gives the last
    // entry; an empty dictionary gives a blank one.
    const Cell& cell(std::uint32_t index) const;
    std::uint32_t size() const { return table.size(); }

    // The cells stored so far, in table order: they never move as more come.
    const CellTable& cells() const { return table; }

    // The cells in table order, once no more will be added; the dictionary is
    // left empty, its index freed.
    CellTable take_cells();

private:
    // The pipeline that cuts cells hashes them a few cells ahead and fetches
    // what add will read meanwhile.
    friend class CutPipeline;
    std::int32_t add_hashed(const Cell& cell, std::uint64_t hash, FlipFlags& flip);

    CellTable table;  // entries never move as it grows
    CellIndex index;
};

}  // namespace pixcell
