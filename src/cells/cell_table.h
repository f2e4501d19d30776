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
    std::uint32_t size() const { return count; }
    bool empty() const { return count == 0; }

    const CellPattern& operator[](std::uint32_t index) const {
        const std::uint32_t biased = index + kFirstBlock;
        const auto block = static_cast<std::uint32_t>(31 - __builtin_clz(biased)) - kFirstBlockBits;
        return blocks[block][biased - (kFirstBlock << block)];
    }

    void push_back(const CellPattern& pattern);

private:
    static constexpr std::uint32_t kFirstBlockBits = 8;
    static constexpr std::uint32_t kFirstBlock = 1u << kFirstBlockBits;

    std::vector<CellPattern*> blocks;  // block b holds kFirstBlock << b entries
    std::vector<RawBlock> owned;
    std::uint32_t count = 0;
};

}  // namespace pixcell
