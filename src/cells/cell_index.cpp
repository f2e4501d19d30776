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

std::uint32_t tag_of(std::uint64_t hash) { return static_cast<std::uint32_t>(hash); }

}  // namespace

std::optional<CellIndex::Match> CellIndex::find(const Cell& cell, std::uint64_t hash, const CellTable& cells) const {
    // The table keeps each entry as cut: variant v of it is this cell when
    // the entry is this cell mirrored by v (mirrors undo themselves).
    std::optional<Cell> mirrored[4];
    const std::uint32_t found = slots.find(tag_of(hash), [&](std::uint32_t entry_and_variant) {
        const std::uint32_t entry = entry_and_variant / 4;
        const auto variant = static_cast<FlipFlags>(entry_and_variant % 4);
        if (variant == 0) return cells[entry] == cell;
        std::optional<Cell>& mirror = mirrored[variant];
        if (!mirror) mirror = mirror_cell(cell, variant);
        return cells[entry] == *mirror;
    });
    if (found == TagTable::kNone) return std::nullopt;
    return Match{found / 4, static_cast<FlipFlags>(found % 4)};
}

void CellIndex::prefetch_slot(std::uint64_t hash) const {
    if (const TagTable::Slot* slot = slots.first_slot(tag_of(hash))) __builtin_prefetch(slot);
}

void CellIndex::prefetch_entry(std::uint64_t hash, const CellTable& cells) const {
    const TagTable::Slot* slot = slots.first_slot(tag_of(hash));
    if (slot == nullptr || slot->value == TagTable::kNone || slot->tag != tag_of(hash)) return;
    const Cell& stored = cells[slot->value / 4];
    __builtin_prefetch(stored.data());
    __builtin_prefetch(stored.data() + stored.size() - 1);  // 128 bytes: two cache lines or three
}

void CellIndex::insert(const CellPattern& pattern, std::uint32_t entry) {
    std::uint64_t hash[4];
    for (std::size_t v = 0; v < 4; ++v) {
        hash[v] = cell_hash(pattern.variant[v]);
        // A symmetric cell has equal variants; only the smallest flip is indexed,
        // since that is the one the search must return.
        bool seen = false;
        for (std::size_t earlier = 0; earlier < v && !seen; ++earlier) {
            seen = hash[earlier] == hash[v] && pattern.variant[earlier] == pattern.variant[v];
        }
        if (!seen) slots.insert(tag_of(hash[v]), entry * 4 + static_cast<std::uint32_t>(v));
    }
}

}  // namespace pixcell
