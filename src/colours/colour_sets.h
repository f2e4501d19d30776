// The colour sets the row packing works on: a distinct unit's colours or a
// row's, and the few operations on them that its searches repeat.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "common/console.h"

namespace pixcell::packing {

constexpr std::uint32_t kRowSize = kRowColours - 1;  // slot 0 is transparent

// Sorted colour numbers held in place: the many small lists of a hopeless
// input then cost no allocations.
struct Colours {
    std::array<std::uint32_t, kRowSize> colour{};
    std::uint32_t count = 0;
    // One bit per colour number modulo 64: the bits of a row and a set
    // together count at most the colours of their union, so most sets that
    // can't join a row are turned away without comparing lists.
    std::uint64_t bits = 0;

    const std::uint32_t* begin() const { return colour.data(); }
    const std::uint32_t* end() const { return colour.data() + count; }
};

// Rows, and the row of each distinct set.
struct Packing {
    std::vector<Colours> rows;
    std::vector<std::uint32_t> row_of_set;
};

// Without -mpopcnt, std::bitset::count is a library call, and this is in the
// inner loop of a hopeless input.
inline std::uint32_t bit_count(std::uint64_t bits) {
    bits -= (bits >> 1) & 0x5555555555555555u;
    bits = (bits & 0x3333333333333333u) + ((bits >> 2) & 0x3333333333333333u);
    bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<std::uint32_t>((bits * 0x0101010101010101u) >> 56);
}

// Colours of `set` that `row` lacks, counted up to one past `most`.
inline std::uint32_t new_colours(const Colours& row, const Colours& set, std::uint32_t most) {
    std::uint32_t added = 0;
    const std::uint32_t* in_row = row.begin();
    for (const std::uint32_t colour : set) {
        while (in_row != row.end() && *in_row < colour) ++in_row;
        if ((in_row == row.end() || *in_row != colour) && ++added > most) break;
    }
    return added;
}

// Whether `set` can join `row`: their union holds at most kRowSize colours.
inline bool fits(const Colours& row, const Colours& set) {
    return new_colours(row, set, kRowSize - row.count) <= kRowSize - row.count;
}

// Whether all of `inner`'s colours are in `outer`.
inline bool holds(const Colours& outer, const Colours& inner) {
    return (inner.bits & ~outer.bits) == 0 && std::includes(outer.begin(), outer.end(), inner.begin(), inner.end());
}

// Only for a set that fits the row.
inline void add_colours(Colours& row, const Colours& set) {
    Colours merged;
    merged.count = static_cast<std::uint32_t>(
        std::set_union(row.begin(), row.end(), set.begin(), set.end(), merged.colour.begin()) - merged.colour.begin());
    merged.bits = row.bits | set.bits;
    row = merged;
}

}  // namespace pixcell::packing
