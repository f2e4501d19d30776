#include "objects/stream_layout.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace pixcell {

namespace {

// A hash of the block's bytes, 64 bits at a time: equal blocks meet in one
// bucket, and the hashing costs little next to the cover.
std::uint64_t block_hash(const std::vector<const Tile*>& block) {
    std::uint64_t hash = block.size();
    for (const Tile* tile : block) {
        std::uint64_t words[sizeof(Tile) / 8];
        std::memcpy(words, tile->data(), sizeof words);
        for (const std::uint64_t word : words) hash = (hash ^ word) * 0x9E3779B97F4A7C15ull + (hash >> 29);
    }
    return hash;
}

bool same_tiles(const std::vector<const Tile*>& a, const std::vector<const Tile*>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t t = 0; t < a.size(); ++t) {
        if (*a[t] != *b[t]) return false;
    }
    return true;
}

}  // namespace

StreamLayout lay_out_blocks(const std::vector<std::vector<const Tile*>>& sprite_tiles,
                            std::vector<const Tile*>& tiles) {
    StreamLayout layout;
    layout.blocks.resize(sprite_tiles.size());
    // The sprites whose block is laid out, by their tiles' hash.
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> laid;
    for (std::size_t s = 0; s < sprite_tiles.size(); ++s) {
        const std::vector<const Tile*>& block = sprite_tiles[s];
        SpriteBlock& placed = layout.blocks[s];
        placed.tiles = static_cast<std::uint32_t>(block.size());
        layout.most_tiles = std::max(layout.most_tiles, placed.tiles);
        if (block.empty()) continue;
        std::vector<std::size_t>& same_hash = laid[block_hash(block)];
        const auto shared = std::find_if(same_hash.begin(), same_hash.end(),
                                         [&](std::size_t other) { return same_tiles(sprite_tiles[other], block); });
        if (shared != same_hash.end()) {
            placed.first_tile = layout.blocks[*shared].first_tile;
            continue;
        }
        same_hash.push_back(s);
        placed.first_tile = static_cast<std::uint32_t>(tiles.size());
        tiles.insert(tiles.end(), block.begin(), block.end());
    }
    return layout;
}

}  // namespace pixcell
