#include "cells/cell_dictionary.h"

#include <cstring>
#include <utility>

namespace pixcell {

std::int32_t CellDictionary::add(const Cell& cell, FlipFlags& flip) {
    if (is_empty(cell)) return -1;
    return add_hashed(cell, cell_hash(cell), flip);
}

std::int32_t CellDictionary::add_hashed(const Cell& cell, std::uint64_t hash, FlipFlags& flip) {
    // Stored entries are never mirrors of each other, so at most one entry
    // has a variant equal to this cell. The smallest such variant is the
    // smallest flip turning the entry into this cell, which is what a search
    // of the entries in order, then of their variants in order, would find:
    // the index returns it.
    if (const std::optional<CellIndex::Match> match = index.find(cell, hash, table)) {
        flip ^= match->variant;  // flips compose by exclusive-or
        return static_cast<std::int32_t>(match->entry);
    }
    std::array<Tile, 4> tiles;
    std::memcpy(tiles.data(), cell.data(), sizeof tiles);
    const auto added = table.size();
    const CellPattern pattern = make_cell_pattern(tiles);
    table.push_back(pattern.variant[0]);
    index.insert(pattern, added);
    return static_cast<std::int32_t>(added);
}

const Cell& CellDictionary::cell(std::uint32_t at) const {
    static const Cell kNone{};
    if (table.empty()) return kNone;
    return table[at < table.size() ? at : table.size() - 1];
}

CellTable CellDictionary::take_cells() {
    CellTable cells = std::move(table);
    *this = CellDictionary{};
    return cells;
}

}  // namespace pixcell
