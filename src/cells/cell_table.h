// The table of distinct cells: entries appended one by one, read by index.
#pragma once

#include <cstdint>
#include <vector>

#include "cells/cell_pattern.h"
#include "common/large_pages.h"

namespace pixcell {

// Entries live in blocks of 256, 512, 1024, ... entries: they never move as
// the table grows, each block is contiguous (large blocks on large pages), and
// a table of a few cells stays small.
class CellTable {
public:
    // The lists of blocks never grow by copying either, so that one thread
    // may read the entries another appended before telling it so.
    CellTable() {
        blocks.reserve(kMostBlocks);
        owned.reserve(kMostBlocks);
    }

    std::uint32_t size() const { return count; }
    bool empty() const { return count == 0; }

    // The cell as cut; its mirror images are worked out where needed.
    const Cell& operator[](std::uint32_t index) const {
        const std::uint32_t biased = index + kFirstBlock;
        const auto block = static_cast<std::uint32_t>(31 - __builtin_clz(biased)) - kFirstBlockBits;
        return blocks[block][biased - (kFirstBlock << block)];
    }

    void push_back(const Cell& cell);

private:
    static constexpr std::uint32_t kFirstBlockBits = 8;
    static constexpr std::uint32_t kFirstBlock = 1u << kFirstBlockBits;
    static constexpr std::size_t kMostBlocks = 32 - kFirstBlockBits;  // enough for 2^32 entries

    std::vector<Cell*> blocks;  // block b holds kFirstBlock << b entries
    std::vector<RawBlock> owned;
    std::uint32_t count = 0;
};

}  // namespace pixcell
