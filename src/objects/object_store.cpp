#include "objects/object_store.h"

#include <utility>

namespace pixcell {

std::uint32_t ObjectStore::find(const Tile* tiles, std::int32_t shape, const PictureKey& key) const {
    return index.find(static_cast<std::uint32_t>(key.hash), [&](std::uint32_t e) {
        const Entry& entry = entries[e];
        return entry.shape == shape &&
               same_picture(stored.data() + entry.first_tile, entry.flip, tiles, key.flip, shape);
    });
}

bool ObjectStore::holds(const Tile* tiles, std::int32_t shape, const PictureKey& key) const {
    return find(tiles, shape, key) != TagTable::kNone;
}

std::uint32_t ObjectStore::add(const Tile* tiles, std::int32_t shape, const PictureKey& key, FlipFlags& flip) {
    const auto tag = static_cast<std::uint32_t>(key.hash);
    const std::uint32_t found = find(tiles, shape, key);
    if (found != TagTable::kNone) {
        // Both are mirror images of one least picture: the stored one
        // mirrored by its flip, then by this one's, is this one.
        const Entry& entry = entries[found];
        flip ^= entry.flip ^ key.flip;
        return entry.first_tile;
    }
    const auto first = static_cast<std::uint32_t>(stored.size());
    stored.insert(stored.end(), tiles, tiles + object_tiles(static_cast<std::size_t>(shape)));
    entries.push_back({first, shape, key.flip});
    index.insert(tag, static_cast<std::uint32_t>(entries.size() - 1));
    return first;
}

std::vector<Tile> ObjectStore::take_tiles() {
    std::vector<Tile> tiles = std::move(stored);
    *this = ObjectStore{};
    return tiles;
}

}  // namespace pixcell
