#include "cells/cut_pipeline.h"

#include <algorithm>
#include <cstring>

#include "cells/cut_cell.h"

namespace pixcell {

CutPipeline::CutPipeline(const SheetStore& sheets, CellDictionary& dictionary, const std::vector<CellToCut>& cells)
    : sheets(sheets), dictionary(dictionary), cells(cells) {
    for (std::size_t i = 0; i < kRowsAhead && i < cells.size(); ++i) prefetch_rows(i);
    for (std::size_t i = 0; i < kAhead && i < cells.size(); ++i) cut(i);
}

// Packs and hashes cell i, and starts loading the index slot its lookup
// will read first.
void CutPipeline::cut(std::size_t i) {
    const CellToCut& at = cells[i];
    CutCell& out = ring[i % kAhead];
    const IndexedImage& image = sheets.sheet(at.sheet);
    // A sheet may still be arriving, a band of rows at a time.
    image.wait_for_rows(std::clamp<std::int64_t>(std::int64_t{at.y} + kCellPixels, 0, image.height()));
    // The few cells on the edge of a clipped part are cut apart.
    const std::array<Tile, 4> tiles = at.clipped()
                                          ? cut_clipped_cell(image, at.x, at.y, at.own_columns, at.own_rows, out.span)
                                          : cut_cell_tiles(image, at.x, at.y, out.span);
    // Tested before anything else: blank cells are common and need nothing more.
    out.empty = is_empty(tiles[0]) && is_empty(tiles[1]) && is_empty(tiles[2]) && is_empty(tiles[3]);
    if (out.empty) return;
    static_assert(sizeof tiles == sizeof out.cell, "a cell is its four tiles in order");
    std::memcpy(out.cell.data(), tiles.data(), sizeof out.cell);
    out.hash = cell_hash(out.cell);
    dictionary.index.prefetch_slot(out.hash);
}

void CutPipeline::prefetch_rows(std::size_t i) const {
    const CellToCut& at = cells[i];
    prefetch_cell_rows(sheets.sheet(at.sheet), at.x, at.y);
}

std::int32_t CutPipeline::next(FlipFlags& flip, RowSpan& span) {
    const std::size_t i = position++;
    // By now the slot of this later cell was loaded: start loading the stored bytes it points at.
    if (i + kPrefetchDistance < cells.size()) {
        const CutCell& later = ring[(i + kPrefetchDistance) % kAhead];
        if (!later.empty) dictionary.index.prefetch_entry(later.hash, dictionary.table);
    }
    flip = cells[i].flip;
    const CutCell& current = ring[i % kAhead];
    span = current.span;
    const std::int32_t index = current.empty ? -1 : dictionary.add_hashed(current.cell, current.hash, flip);
    if (i + kAhead < cells.size()) cut(i + kAhead);
    if (i + kRowsAhead < cells.size()) prefetch_rows(i + kRowsAhead);
    return index;
}

}  // namespace pixcell
