// With --stream, a game keeps in tile memory only the frames on screen and
// copies a sprite's tiles into a slot when its animation changes frame: so
// each sprite's tiles are one block of the tile array, holding only its own
// distinct object pictures, and its objects' tile numbers count from the
// block's first tile. Sprites whose blocks hold the same pictures, each up
// to a mirror image (two identical frames, a walk facing left and right),
// share one.
#pragma once

#include <cstdint>
#include <vector>

#include "cells/cell_pattern.h"
#include "objects/object_store.h"

namespace pixcell {

// A sprite's block: tiles[first_tile, first_tile + tiles) of the array.
struct SpriteBlock {
    std::uint32_t first_tile = 0;
    std::uint32_t tiles = 0;  // 0 for a sprite that shows nothing
};

struct StreamLayout {
    std::vector<SpriteBlock> blocks;  // one for each converted sprite, in that order
    std::uint32_t most_tiles = 0;     // of one sprite: the slot a game reserves
};

// Lays out the blocks, each sprite's pictures as its own store gave them
// (`sprite_pictures`, one list per sprite), in sprite order; `tiles`
// receives the array. A sprite whose block is an earlier one's gets in
// `refits[sprite]`, for each of its pictures, the flip that shows the
// shared block's picture as the sprite's own (its objects' flips change by
// it); the others get nothing there.
StreamLayout lay_out_blocks(const std::vector<std::vector<StoredPicture>>& sprite_pictures,
                            std::vector<const Tile*>& tiles, std::vector<std::vector<FlipFlags>>& refits);

}  // namespace pixcell
