// With --stream, a game keeps in tile memory only the frames on screen and
// copies a sprite's tiles into a slot when its animation changes frame: so
// each sprite's tiles are one block of the tile array, holding only its own
// distinct object pictures, and its objects' tile numbers count from the
// block's first tile. Sprites whose blocks hold the same bytes share one.
#pragma once

#include <cstdint>
#include <vector>

#include "cells/cell_pattern.h"

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

// Lays out the blocks, each sprite's tiles as its own store gave them (in
// `sprite_tiles`, one list per sprite), in sprite order, one block for
// sprites whose tiles are the same bytes; `tiles` receives the array.
StreamLayout lay_out_blocks(const std::vector<std::vector<const Tile*>>& sprite_tiles, std::vector<const Tile*>& tiles);

}  // namespace pixcell
