// Finds a stored cell by its bytes in constant time, whatever the table's size.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "cells/cell_pattern.h"
#include "cells/cell_table.h"
#include "common/tag_table.h"
#include "description/sprite_list.h"

namespace pixcell {

// Every distinct mirror image of every stored cell, keyed by a hash of its
// bytes. Stored cells are never mirrors of each other, so a cell as cut
// equals a mirror image of at most one stored cell.
class CellIndex {
public:
    struct Match {
        std::uint32_t entry;  // index in the cell table
        FlipFlags variant;    // the smallest flip that turns the entry into the cell
    };

    // The stored entry one of whose variants has exactly the bytes of `cell`,
    // whose cell_hash is `hash`.
    std::optional<Match> find(const Cell& cell, std::uint64_t hash, const CellTable& cells) const;
    // Hints for a walk that knows its next cells: start loading the slot a
    // find of `hash` reads first, and, once that slot is loaded, the stored
    // bytes it points at. Neither changes anything.
    void prefetch_slot(std::uint64_t hash) const;
    void prefetch_entry(std::uint64_t hash, const CellTable& cells) const;
    // Indexes the variants of `pattern`, the entry just appended at `entry`.
    void insert(const CellPattern& pattern, std::uint32_t entry);

private:
    // 8 bytes a slot, so that the table stays small in the cache: the low 32
    // bits of the hash are kept, to skip most byte comparisons and to find
    // each item's slot again when the table grows; the value is entry * 4 +
    // variant.
    TagTable slots;
};

// A 64-bit hash of a cell's bytes; collisions are settled by comparing bytes.
std::uint64_t cell_hash(const Cell& cell);

}  // namespace pixcell
