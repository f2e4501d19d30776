#include "objects/object_store.h"

#include <utility>

namespace pixcell {

std::uint32_t ObjectStore::add(const Tile* tiles, std::int32_t shape, const PictureKey& key, FlipFlags& flip) {
    const auto tag = static_cast<std::uint32_t>(key.hash);
    if (!slots.empty()) {
        const std::size_t mask = slots.size() - 1;
        for (std::size_t i = tag & mask; slots[i].entry != kEmpty; i = (i + 1) & mask) {
            if (slots[i].tag != tag) continue;
            const Entry& entry = entries[slots[i].entry];
            if (entry.shape != shape || !same_picture(stored.data() + entry.first_tile, entry.flip, tiles, key.flip, shape)) {
                continue;
            }
            // Both are mirror images of one least picture: the stored one
            // mirrored by entry.flip, then by key.flip, is this one.
            flip ^= entry.flip ^ key.flip;
            return entry.first_tile;
        }
    }
    const auto first = static_cast<std::uint32_t>(stored.size());
    stored.insert(stored.end(), tiles, tiles + object_tiles(static_cast<std::size_t>(shape)));
    entries.push_back({first, shape, key.flip});
    if (2 * entries.size() > slots.size()) {
        std::vector<Slot> old(slots.empty() ? 1024 : 2 * slots.size());
        old.swap(slots);
        for (const Slot& item : old) {
            if (item.entry != kEmpty) place(item);
        }
    }
    place(Slot{tag, static_cast<std::uint32_t>(entries.size() - 1)});
    return first;
}

std::vector<Tile> ObjectStore::take_tiles() {
    std::vector<Tile> tiles = std::move(stored);
    *this = ObjectStore{};
    return tiles;
}

void ObjectStore::place(Slot item) {
    const std::size_t mask = slots.size() - 1;
    std::size_t i = item.tag & mask;
    while (slots[i].entry != kEmpty) i = (i + 1) & mask;
    slots[i] = item;
}

}  // namespace pixcell
