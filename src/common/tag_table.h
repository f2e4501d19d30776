// An open-addressing table of 32-bit values found by a 32-bit tag (the low
// bits of a hash): several values may share a tag, and the caller settles
// which one it looks for. Linear probing, the size a power of 2, never more
// than half full. The stores of distinct cells and of distinct object
// pictures index their entries with it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace pixcell {

class TagTable {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;  // no value; never stored

    struct Slot {
        std::uint32_t tag = 0;
        std::uint32_t value = kNone;
    };

    // The first value stored with `tag` for which `wanted(value)` is true,
    // in the order the probe meets them, or kNone.
    template <class Wanted>
    std::uint32_t find(std::uint32_t tag, Wanted&& wanted) const {
        if (slots.empty()) return kNone;
        const std::size_t mask = slots.size() - 1;
        for (std::size_t i = tag & mask; slots[i].value != kNone; i = (i + 1) & mask) {
            if (slots[i].tag == tag && wanted(slots[i].value)) return slots[i].value;
        }
        return kNone;
    }

    // The slot a find of `tag` reads first, for a prefetch hint; null while
    // the table is empty.
    const Slot* first_slot(std::uint32_t tag) const {
        return slots.empty() ? nullptr : &slots[tag & (slots.size() - 1)];
    }

    // Empty again; a small table keeps its slots, to be filled again at no
    // cost of allocation (a store a sprite, streamed, empties it often).
    void clear() {
        if (slots.size() > kKeptSlots) {
            slots = {};
        } else {
            std::fill(slots.begin(), slots.end(), Slot{});
        }
        count = 0;
    }

    void insert(std::uint32_t tag, std::uint32_t value) {
        if (2 * (count + 1) > slots.size()) grow();
        place(Slot{tag, value});
        ++count;
    }

private:
    static constexpr std::size_t kKeptSlots = 4096;

    // The old table is read in order and its items placed again by their
    // tags: no hash is worked out again.
    void grow() {
        std::vector<Slot> old(slots.empty() ? 1024 : 2 * slots.size());
        old.swap(slots);
        for (const Slot& item : old) {
            if (item.value != kNone) place(item);
        }
    }

    void place(Slot item) {
        const std::size_t mask = slots.size() - 1;
        std::size_t i = item.tag & mask;
        while (slots[i].value != kNone) i = (i + 1) & mask;
        slots[i] = item;
    }

    std::vector<Slot> slots;
    std::size_t count = 0;  // values stored
};

}  // namespace pixcell
