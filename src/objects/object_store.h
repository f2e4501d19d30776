// The distinct object pictures of a run in the order they are first used,
// each stored once: a picture equal to a stored one of its shape, or to a
// mirror image of one, is shown with that picture's tiles and a flip.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "cells/cell_pattern.h"
#include "common/tag_table.h"
#include "description/sprite_list.h"
#include "objects/object_picture.h"

namespace pixcell {

class ObjectStore {
public:
    // The first tile of the stored picture that shows `tiles`, the picture
    // of an object of `shape` whose picture_key is `key`; stored now, its
    // tiles after the last ones, unless it or a mirror of it is stored.
    // `flip` comes in as the flip wanted for the picture as given and goes
    // out as the flip to show the stored picture with.
    std::uint32_t add(const Tile* tiles, std::int32_t shape, const PictureKey& key, FlipFlags& flip);
    // Whether add would find the picture, or a mirror of it, stored.
    bool holds(const Tile* tiles, std::int32_t shape, const PictureKey& key) const;

    // Room for `tiles` more tiles, so that the tiles of a batch of pictures
    // are not moved again and again as they come (and, as the vector would,
    // at least twice the room there was, so that batches aren't either).
    void reserve(std::size_t tiles) {
        if (stored.size() + tiles > stored.capacity())
            stored.reserve(std::max(stored.size() + tiles, 2 * stored.capacity()));
    }

    // Every stored picture's tiles, in the order stored.
    const std::vector<Tile>& tiles() const { return stored; }
    // The tiles, once no more pictures will be added; the store is left empty.
    std::vector<Tile> take_tiles();

private:
    std::uint32_t find(const Tile* tiles, std::int32_t shape, const PictureKey& key) const;

    struct Entry {
        std::uint32_t first_tile;
        std::int32_t shape;
        std::int32_t flip;  // the picture's key's: it turns the stored tiles into the least mirror image
    };
    std::vector<Entry> entries;
    std::vector<Tile> stored;
    TagTable index;  // entries by the low 32 bits of their key's hash
};

}  // namespace pixcell
