#include "objects/cell_covers.h"

#include <cstdint>

#include "common/console.h"
#include "common/side_by_side.h"

namespace pixcell {

namespace {

// Below this many parts a second thread costs more than it saves.
constexpr std::size_t kPartsForTwoThreads = 1024;

// How many times each 64-bit hash was counted: open addressing over a
// power of two of slots, for the lookups of every object of a large run.
class HashCounts {
public:
    explicit HashCounts(std::size_t most) {
        std::size_t slots = 16;
        while (slots < 2 * most) slots *= 2;
        entries.assign(slots, {0, 0});
    }
    void count(std::uint64_t hash) {
        Entry& entry = entries[slot(hash)];
        entry.hash = hash;
        ++entry.count;
    }
    std::uint32_t of(std::uint64_t hash) const { return entries[slot(hash)].count; }

private:
    struct Entry {
        std::uint64_t hash;
        std::uint32_t count;  // 0: a free slot
    };
    // The hash's slot, or the free one where it would go.
    std::size_t slot(std::uint64_t hash) const {
        const std::size_t mask = entries.size() - 1;
        std::size_t i = static_cast<std::size_t>(hash ^ hash >> 32) & mask;
        while (entries[i].count != 0 && entries[i].hash != hash) i = (i + 1) & mask;
        return i;
    }
    std::vector<Entry> entries;
};

// A distinct cell as one sprite shows it: a key of its own, mixed (by a
// one-to-one function, splitmix64's finaliser) so that the keys of
// neighbouring sprites and cells don't crowd into neighbouring slots.
std::uint64_t owned_cell(std::size_t sprite, std::int32_t index) {
    std::uint64_t key = static_cast<std::uint64_t>(sprite) << 32 | static_cast<std::uint32_t>(index);
    key = (key ^ key >> 30) * 0xBF58476D1CE4E5B9ull;
    key = (key ^ key >> 27) * 0x94D049BB133111EBull;
    return key ^ key >> 31;
}

}  // namespace

std::vector<char> weigh_cell_covers(const std::vector<CoveredPart>& covered,
                                    const std::vector<std::size_t>& first_placed, const Conversion& conversion,
                                    const ObjectCost& cost, const std::vector<std::uint32_t>& owners) {
    // How many placed cells show each distinct cell, and how many objects of
    // all the covers each picture (by its key's hash: a picture that shares
    // one with another is only thought more used); with owners, counted
    // within each sprite, by a key that holds the sprite.
    const bool per_sprite = !owners.empty();
    std::vector<std::uint32_t> cell_uses(per_sprite ? 0 : conversion.cells.size(), 0);
    HashCounts sprite_cell_uses(per_sprite ? conversion.placed.size() : 0);
    if (per_sprite) {
        for (std::size_t s = 0; s < conversion.sprites.size(); ++s) {
            const ConvertedSprite& sprite = conversion.sprites[s];
            for (std::size_t c = sprite.first_cell; c < sprite.first_cell + sprite.cell_count; ++c)
                sprite_cell_uses.count(owned_cell(s, conversion.placed[c].index));
        }
    } else {
        for (const PlacedCell& cell : conversion.placed) ++cell_uses[static_cast<std::size_t>(cell.index)];
    }
    const auto uses_of_cell = [&](std::size_t part, std::int32_t index) {
        return per_sprite ? sprite_cell_uses.of(owned_cell(owners[part], index))
                          : cell_uses[static_cast<std::size_t>(index)];
    };
    const auto picture_hash = [&](std::size_t part, std::uint64_t hash) {
        return per_sprite ? hash ^ (owners[part] + 1) * 0x9E3779B97F4A7C15ull : hash;
    };
    std::size_t keys = 0;
    for (const CoveredPart& part : covered) keys += part.keys.size();
    HashCounts picture_uses(keys);
    for (std::size_t i = 0; i < covered.size(); ++i) {
        for (const PictureKey& key : covered[i].keys) picture_uses.count(picture_hash(i, key.hash));
    }

    const double per_object = static_cast<double>(cost.per_object);
    const double per_tile = static_cast<double>(cost.per_tile);
    std::vector<char> use_cells(covered.size(), 0);
    const auto weigh = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            const CoveredPart& part = covered[i];
            const auto count = static_cast<std::size_t>(part.cells);
            if (count == 0 || first_placed[i] == kNoCells) continue;
            double cover_cost = 0;
            for (std::size_t k = 0; k < part.objects.size(); ++k) {
                cover_cost += per_object + per_tile * object_tiles(static_cast<std::size_t>(part.objects[k].shape)) /
                                               picture_uses.of(picture_hash(i, part.keys[k].hash));
            }
            // The cells' objects alone cost that much (as for a balanced
            // cover, as a rule): nothing to weigh.
            if (static_cast<double>(count) * per_object >= cover_cost) continue;
            double cells_cost = 0;
            for (std::size_t c = first_placed[i]; c < first_placed[i] + count; ++c) {
                cells_cost += per_object + per_tile * object_tiles(kCellShape) /
                                               uses_of_cell(i, conversion.placed[c].index);
            }
            use_cells[i] = cells_cost < cover_cost;
        }
    };
    if (covered.size() < kPartsForTwoThreads) {
        weigh(0, covered.size());
    } else {
        side_by_side([&] { weigh(0, covered.size() / 2); }, [&] { weigh(covered.size() / 2, covered.size()); });
    }
    return use_cells;
}

}  // namespace pixcell
