#include "cells/cell_table.h"

#include <new>
#include <type_traits>

namespace pixcell {

static_assert(std::is_trivially_copyable<Cell>::value && std::is_trivially_destructible<Cell>::value,
              "blocks hold raw entries and are freed without destructors");

void CellTable::push_back(const Cell& cell) {
    const std::uint32_t biased = count + kFirstBlock;
    const auto block = static_cast<std::uint32_t>(31 - __builtin_clz(biased)) - kFirstBlockBits;
    if (block == blocks.size()) {
        const std::size_t entries = std::size_t{kFirstBlock} << block;
        owned.push_back(allocate_block(entries * sizeof(Cell)));
        blocks.push_back(static_cast<Cell*>(owned.back().get()));
    }
    ::new (static_cast<void*>(&blocks[block][biased - (kFirstBlock << block)])) Cell(cell);
    ++count;
}

}  // namespace pixcell
