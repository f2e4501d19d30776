#include "cells/cell_table.h"

#include <new>
#include <type_traits>

namespace pixcell {

static_assert(std::is_trivially_copyable<CellPattern>::value && std::is_trivially_destructible<CellPattern>::value,
              "blocks hold raw entries and are freed without destructors");

void CellTable::push_back(const CellPattern& pattern) {
    const std::uint32_t biased = count + kFirstBlock;
    const auto block = static_cast<std::uint32_t>(31 - __builtin_clz(biased)) - kFirstBlockBits;
    if (block == blocks.size()) {
        const std::size_t entries = std::size_t{kFirstBlock} << block;
        owned.reserve(owned.size() + 1);
        blocks.reserve(blocks.size() + 1);
        owned.push_back(allocate_block(entries * sizeof(CellPattern)));
        blocks.push_back(static_cast<CellPattern*>(owned.back().get()));
    }
    ::new (static_cast<void*>(&blocks[block][biased - (kFirstBlock << block)])) CellPattern(pattern);
    ++count;
}

}  // namespace pixcell
