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
    if (slots.empty()) return std::nullopt;
    const std::uint32_t tag = tag_of(hash);
    const std::size_t mask = slots.size() - 1;
    // The table keeps each entry as cut: variant v of it is this cell when
    // the entry is this cell mirrored by v (mirrors undo themselves).
    std::optional<Cell> mirrored[4];
    for (std::size_t i = tag & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots[i];
        if (slot.entry_and_variant == kEmpty) return std::nullopt;
        if (slot.tag != tag) continue;
        const std::uint32_t entry = slot.entry_and_variant / 4;
        const auto variant = static_cast<FlipFlags>(slot.entry_and_variant % 4);
        if (variant == 0) {
            if (cells[entry] == cell) return Match{entry, variant};
            continue;
        }
        std::optional<Cell>& mirror = mirrored[variant];
        if (!mirror) mirror = mirror_cell(cell, variant);
        if (cells[entry] == *mirror) return Match{entry, variant};
    }
}

void CellIndex::prefetch_slot(std::uint64_t hash) const {
    if (!slots.empty()) __builtin_prefetch(&slots[tag_of(hash) & (slots.size() - 1)]);
}

void CellIndex::prefetch_entry(std::uint64_t hash, const CellTable& cells) const {
    if (slots.empty()) return;
    const Slot& slot = slots[tag_of(hash) & (slots.size() - 1)];
    if (slot.entry_and_variant == kEmpty || slot.tag != tag_of(hash)) return;
    const Cell& stored = cells[slot.entry_and_variant / 4];
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
        if (seen) continue;
        if (2 * (count + 1) > slots.size()) grow();
        place(Slot{tag_of(hash[v]), entry * 4 + static_cast<std::uint32_t>(v)});
        ++count;
    }
}

// The old table is read in order and its items placed again by their tags:
// no hash is worked out again and no entry's bytes are read.
void CellIndex::grow() {
    std::vector<Slot> old(slots.empty() ? 1024 : 2 * slots.size());
    old.swap(slots);
    for (const Slot& item : old) {
        if (item.entry_and_variant != kEmpty) place(item);
    }
}

void CellIndex::place(Slot item) {
    const std::size_t mask = slots.size() - 1;
    std::size_t i = item.tag & mask;
    while (slots[i].entry_and_variant != kEmpty) i = (i + 1) & mask;
    slots[i] = item;
}

}  // namespace pixcell
