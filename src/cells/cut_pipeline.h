// Cutting a run of listed cells into the dictionary, a few cells ahead of the
// one being added, so that fetching what each lookup reads overlaps the work
// before it. Private to the cells stage.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "cells/cell_dictionary.h"
#include "cells/palette_rows.h"
#include "cells/part_cells.h"
#include "sheets/sheet_store.h"

namespace pixcell {

class CutPipeline {
public:
    CutPipeline(const SheetStore& sheets, CellDictionary& dictionary, const std::vector<CellToCut>& cells);
    // The next cell's index in the dictionary (-1: empty), in `flip` the
    // flip to show it with and in `span` the palette rows of its pixels;
    // call once for each cell, in order.
    std::int32_t next(FlipFlags& flip, RowSpan& span);

private:
    // A cell packed and hashed ahead of adding it.
    struct CutCell {
        Cell cell;
        std::uint64_t hash = 0;
        RowSpan span;
        bool empty = true;
    };
    static constexpr std::size_t kAhead = 8;  // a power of 2
    static constexpr std::size_t kPrefetchDistance = kAhead / 2;
    static constexpr std::size_t kRowsAhead = 2 * kAhead;  // sheet rows are fetched this far ahead

    void cut(std::size_t i);
    void prefetch_rows(std::size_t i) const;

    const SheetStore& sheets;
    CellDictionary& dictionary;
    const std::vector<CellToCut>& cells;
    std::size_t position = 0;
    CutCell ring[kAhead];
};

}  // namespace pixcell
