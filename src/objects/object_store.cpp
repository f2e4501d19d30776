#include "objects/object_store.h"

#include <algorithm>

#include "common/console.h"

namespace pixcell {

std::uint32_t ObjectStore::add(const Tile* tiles_given, std::int32_t shape, const PictureKey& key, FlipFlags& flip) {
    const auto tag = static_cast<std::uint32_t>(key.hash);
    const std::uint32_t found = index.find(tag, [&](std::uint32_t e) {
        const Entry& entry = entries[e];
        return entry.shape == shape && same_picture(entry.picture, entry.key.flip, tiles_given, key.flip, shape);
    });
    if (found != TagTable::kNone) {
        // Both are mirror images of one least picture: the stored one
        // mirrored by its flip, then by this one's, is this one.
        const Entry& entry = entries[found];
        flip ^= entry.key.flip ^ key.flip;
        return entry.first_tile;
    }
    const auto first = static_cast<std::uint32_t>(tiles);
    tiles += static_cast<std::size_t>(object_tiles(static_cast<std::size_t>(shape)));
    entries.push_back({tiles_given, first, shape, key});
    index.insert(tag, static_cast<std::uint32_t>(entries.size() - 1));
    return first;
}

std::vector<StoredPicture> ObjectStore::pictures() const {
    std::vector<StoredPicture> pictures;
    pictures.reserve(entries.size());
    for (const Entry& entry : entries) pictures.push_back({entry.picture, entry.shape, entry.key});
    return pictures;
}

void ObjectStore::clear() {
    entries.clear();
    tiles = 0;
    index.clear();
}

std::vector<const Tile*> ObjectStore::tile_places() const {
    std::vector<const Tile*> places;
    places.reserve(tiles);
    for (const Entry& entry : entries) {
        for (std::int32_t t = 0; t < object_tiles(static_cast<std::size_t>(entry.shape)); ++t) {
            places.push_back(entry.picture + t);
        }
    }
    return places;
}

}  // namespace pixcell
