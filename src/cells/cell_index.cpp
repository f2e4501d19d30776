#include "cells/cell_index.h"

#include <cstring>

namespace pixcell {

std::uint64_t cell_hash(const Cell& cell) {
    std::uint64_t words[kCellBytes / 8];
    static_assert(sizeof words == sizeof(Cell), "a cell is 16 words of 64 bits");
    std::memcpy(words, cell.data(), sizeof words);
    std::uint64_t h = 0x9E3779B97F4A7C15u;
    for (const std::uint64_t w : words) {
        h = (h ^ w) * 0xFF51AFD7ED558CCDu;
        h ^= h >> 32;
    }
    return h;
}

namespace {

std::uint32_t tag_of(std::uint64_t hash) { return static_cast<std::uint32_t>(hash >> 32); }

}  // namespace

std::optional<CellIndex::Match> CellIndex::find(const Cell& cell, const std::deque<CellPattern>& cells) const {
    if (slots.empty()) return std::nullopt;
    const std::uint64_t hash = cell_hash(cell);
    const std::uint32_t tag = tag_of(hash);
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots[i];
        if (slot.entry_and_variant == kEmpty) return std::nullopt;
        if (slot.tag != tag) continue;
        const std::uint32_t entry = slot.entry_and_variant / 4;
        const auto variant = static_cast<FlipFlags>(slot.entry_and_variant % 4);
        if (cells[entry].variant[static_cast<std::size_t>(variant)] == cell) return Match{entry, variant};
    }
}

void CellIndex::insert(const std::deque<CellPattern>& cells, std::uint32_t entry) {
    const CellPattern& pattern = cells[entry];
    std::uint64_t hash[4];
    for (std::size_t v = 0; v < 4; ++v) {
        hash[v] = cell_hash(pattern.variant[v]);
        // A symmetric cell has equal variants; only the smallest flip is indexed,
        // since that is the one the search must return.
        bool seen = false;
        for (std::size_t earlier = 0; earlier < v && !seen; ++earlier) {
            seen = hash[earlier] == hash[v] && pattern.variant[earlier] == pattern.variant[v];
        }
        if (seen) continue;
        const std::uint32_t entry_and_variant = entry * 4 + static_cast<std::uint32_t>(v);
        indexed.push_back(Indexed{hash[v], entry_and_variant});
        if (2 * indexed.size() > slots.size()) {
            grow();
        } else {
            place(hash[v], entry_and_variant);
        }
    }
}

void CellIndex::grow() {
    slots.assign(slots.empty() ? 1024 : 2 * slots.size(), Slot{});
    for (const Indexed& item : indexed) place(item.hash, item.entry_and_variant);
}

void CellIndex::place(std::uint64_t hash, std::uint32_t entry_and_variant) {
    const std::size_t mask = slots.size() - 1;
    std::size_t i = hash & mask;
    while (slots[i].entry_and_variant != kEmpty) i = (i + 1) & mask;
    slots[i] = Slot{tag_of(hash), entry_and_variant};
}

}  // namespace pixcell
