// Finds a stored cell by its bytes in constant time, whatever the table's size.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "cells/cell_pattern.h"
#include "driver/sprite_list.h"

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

    // The stored entry one of whose variants has exactly the bytes of `cell`.
    std::optional<Match> find(const Cell& cell, const std::deque<CellPattern>& cells) const;
    // Indexes the variants of the entry just appended at `entry`.
    void insert(const std::deque<CellPattern>& cells, std::uint32_t entry);

private:
    // 8 bytes, so that the table stays small in the cache: the low bits of
    // the hash choose the slot, the high 32 are kept to skip most byte
    // comparisons.
    struct Slot {
        std::uint32_t tag = 0;
        std::uint32_t entry_and_variant = kEmpty;  // entry * 4 + variant
    };
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;

    void grow();
    void place(std::uint64_t hash, std::uint32_t entry_and_variant);

    struct Indexed {
        std::uint64_t hash;
        std::uint32_t entry_and_variant;
    };

    std::vector<Slot> slots;  // open addressing, linear probing; size a power of 2
    std::vector<Indexed> indexed;  // everything in `slots`, to place again when it grows
};

// A 64-bit hash of a cell's bytes; collisions are settled by comparing bytes.
std::uint64_t cell_hash(const Cell& cell);

}  // namespace pixcell
