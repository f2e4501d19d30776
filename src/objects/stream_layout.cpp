#include "objects/stream_layout.h"

#include <algorithm>
#include <unordered_map>

#include "common/console.h"

namespace pixcell {

namespace {

// The block's pictures up to their mirror images, by their keys' hashes
// (of each least image) and shapes: blocks that may be shared meet in one
// bucket, and no tile is read.
std::uint64_t block_hash(const std::vector<StoredPicture>& pictures) {
    std::uint64_t hash = pictures.size();
    for (const StoredPicture& picture : pictures) {
        hash = (hash ^ picture.key.hash ^ static_cast<std::uint64_t>(picture.shape)) * 0x9E3779B97F4A7C15ull +
               (hash >> 29);
    }
    return hash;
}

bool same_pictures(const std::vector<StoredPicture>& a, const std::vector<StoredPicture>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t p = 0; p < a.size(); ++p) {
        if (a[p].shape != b[p].shape || a[p].key.hash != b[p].key.hash ||
            !same_picture(a[p].tiles, a[p].key.flip, b[p].tiles, b[p].key.flip, a[p].shape))
            return false;
    }
    return true;
}

}  // namespace

StreamLayout lay_out_blocks(const std::vector<std::vector<StoredPicture>>& sprite_pictures,
                            std::vector<const Tile*>& tiles, std::vector<std::vector<FlipFlags>>& refits) {
    StreamLayout layout;
    layout.blocks.resize(sprite_pictures.size());
    refits.assign(sprite_pictures.size(), {});
    // The sprites whose block is laid out, by their pictures' hash.
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> laid;
    for (std::size_t s = 0; s < sprite_pictures.size(); ++s) {
        const std::vector<StoredPicture>& pictures = sprite_pictures[s];
        SpriteBlock& placed = layout.blocks[s];
        for (const StoredPicture& picture : pictures)
            placed.tiles += static_cast<std::uint32_t>(object_tiles(static_cast<std::size_t>(picture.shape)));
        layout.most_tiles = std::max(layout.most_tiles, placed.tiles);
        if (pictures.empty()) continue;
        std::vector<std::size_t>& same_hash = laid[block_hash(pictures)];
        const auto shared = std::find_if(same_hash.begin(), same_hash.end(), [&](std::size_t other) {
            return same_pictures(sprite_pictures[other], pictures);
        });
        if (shared != same_hash.end()) {
            placed.first_tile = layout.blocks[*shared].first_tile;
            // Both are mirror images of one least picture: the shared one
            // mirrored by its key's flip, then by this one's, is this one.
            const std::vector<StoredPicture>& block = sprite_pictures[*shared];
            for (std::size_t p = 0; p < pictures.size(); ++p)
                refits[s].push_back((block[p].key.flip ^ pictures[p].key.flip) & kFlipMask);
            continue;
        }
        same_hash.push_back(s);
        placed.first_tile = static_cast<std::uint32_t>(tiles.size());
        for (const StoredPicture& picture : pictures) {
            for (std::int32_t t = 0; t < object_tiles(static_cast<std::size_t>(picture.shape)); ++t)
                tiles.push_back(picture.tiles + t);
        }
    }
    return layout;
}

}  // namespace pixcell
