#include "objects/object_store.h"

#include <algorithm>
#include <utility>

#include "objects/object_picture.h"

namespace pixcell {

std::uint32_t ObjectStore::add(const Tile* tiles, std::int32_t shape, std::uint64_t hash, FlipFlags& flip) {
    const auto tag = static_cast<std::uint32_t>(hash);
    std::vector<Tile> mirrored[4];  // the picture's mirror images, made when first compared
    if (!slots.empty()) {
        const std::size_t mask = slots.size() - 1;
        for (std::size_t i = tag & mask; slots[i].entry_and_variant != kEmpty; i = (i + 1) & mask) {
            if (slots[i].tag != tag || !matches(slots[i], tiles, shape, mirrored)) continue;
            flip ^= static_cast<FlipFlags>(slots[i].entry_and_variant % 4);
            return entries[slots[i].entry_and_variant / 4].first_tile;
        }
    }
    const auto first = static_cast<std::uint32_t>(stored.size());
    stored.insert(stored.end(), tiles, tiles + object_tiles(static_cast<std::size_t>(shape)));
    entries.push_back({first, shape});
    index(static_cast<std::uint32_t>(entries.size() - 1));
    return first;
}

// Variant v of an entry is the picture when the entry is the picture
// mirrored by v (mirrors undo themselves).
bool ObjectStore::matches(const Slot& slot, const Tile* tiles, std::int32_t shape,
                          std::vector<Tile> (&mirrored)[4]) const {
    const Entry& entry = entries[slot.entry_and_variant / 4];
    if (entry.shape != shape) return false;
    const std::size_t count = static_cast<std::size_t>(object_tiles(static_cast<std::size_t>(shape)));
    const std::uint32_t variant = slot.entry_and_variant % 4;
    const Tile* seen = tiles;
    if (variant != 0) {
        std::vector<Tile>& image = mirrored[variant];
        if (image.empty()) {
            image.resize(count);
            mirror_picture(tiles, shape, static_cast<std::int32_t>(variant), image.data());
        }
        seen = image.data();
    }
    return std::equal(seen, seen + count, stored.begin() + entry.first_tile);
}

void ObjectStore::index(std::uint32_t entry) {
    const Entry& added = entries[entry];
    const std::size_t tiles = static_cast<std::size_t>(object_tiles(static_cast<std::size_t>(added.shape)));
    std::vector<Tile> variants[4];
    std::uint64_t hash[4];
    for (std::uint32_t v = 0; v < 4; ++v) {
        variants[v].resize(tiles);
        mirror_picture(stored.data() + added.first_tile, added.shape, static_cast<std::int32_t>(v), variants[v].data());
        hash[v] = picture_hash(variants[v].data(), added.shape);
        // A symmetric picture has equal variants; only the smallest flip is
        // indexed, since that is the one a match must give.
        bool seen = false;
        for (std::uint32_t earlier = 0; earlier < v && !seen; ++earlier) {
            seen = hash[earlier] == hash[v] && variants[earlier] == variants[v];
        }
        if (seen) continue;
        if (2 * (count + 1) > slots.size()) {
            std::vector<Slot> old(slots.empty() ? 1024 : 2 * slots.size());
            old.swap(slots);
            for (const Slot& item : old) {
                if (item.entry_and_variant != kEmpty) place(item);
            }
        }
        place(Slot{static_cast<std::uint32_t>(hash[v]), entry * 4 + v});
        ++count;
    }
}

std::vector<Tile> ObjectStore::take_tiles() {
    std::vector<Tile> tiles = std::move(stored);
    *this = ObjectStore{};
    return tiles;
}

void ObjectStore::place(Slot item) {
    const std::size_t mask = slots.size() - 1;
    std::size_t i = item.tag & mask;
    while (slots[i].entry_and_variant != kEmpty) i = (i + 1) & mask;
    slots[i] = item;
}

}  // namespace pixcell
