#include "objects/object_store.h"

#include <algorithm>

#include "common/console.h"
#include "common/side_by_side.h"

namespace pixcell {

namespace {

// Below this many tiles a second thread costs more than it saves.
constexpr std::size_t kTilesForTwoThreads = std::size_t{1} << 14;

}  // namespace

std::uint32_t ObjectStore::add(const Tile* tiles_given, std::int32_t shape, const PictureKey& key, FlipFlags& flip) {
    const auto tag = static_cast<std::uint32_t>(key.hash);
    const std::uint32_t found = index.find(tag, [&](std::uint32_t e) {
        const Entry& entry = entries[e];
        return entry.shape == shape && same_picture(entry.picture, entry.flip, tiles_given, key.flip, shape);
    });
    if (found != TagTable::kNone) {
        // Both are mirror images of one least picture: the stored one
        // mirrored by its flip, then by this one's, is this one.
        const Entry& entry = entries[found];
        flip ^= entry.flip ^ key.flip;
        return entry.first_tile;
    }
    const auto first = static_cast<std::uint32_t>(tiles);
    tiles += static_cast<std::size_t>(object_tiles(static_cast<std::size_t>(shape)));
    entries.push_back({tiles_given, first, shape, key.flip});
    index.insert(tag, static_cast<std::uint32_t>(entries.size() - 1));
    return first;
}

std::vector<Tile> ObjectStore::gather_tiles() const {
    std::vector<Tile> gathered(tiles);
    const auto copy = [&](std::size_t from, std::size_t to) {
        for (std::size_t e = from; e < to; ++e) {
            const Entry& entry = entries[e];
            std::copy_n(entry.picture, object_tiles(static_cast<std::size_t>(entry.shape)),
                        gathered.begin() + entry.first_tile);
        }
    };
    if (tiles < kTilesForTwoThreads) {
        copy(0, entries.size());
    } else {
        // Entries split where their tiles are halved, so that each thread
        // writes (and first touches) half of them.
        const auto middle = std::lower_bound(entries.begin(), entries.end(), tiles / 2,
                                             [](const Entry& entry, std::size_t tile) { return entry.first_tile < tile; });
        const auto split = static_cast<std::size_t>(middle - entries.begin());
        side_by_side([&] { copy(0, split); }, [&] { copy(split, entries.size()); });
    }
    return gathered;
}

}  // namespace pixcell
