// The distinct object pictures of a run in the order they are first used,
// each stored once: a picture equal to a stored one of its shape, or to a
// mirror image of one, is shown with that picture's tiles and a flip.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "cells/cell_pattern.h"
#include "common/tag_table.h"
#include "description/sprite_list.h"
#include "objects/object_picture.h"

namespace pixcell {

// A stored picture: its tiles as first given, its shape and its key (the
// least of its mirror images is the picture mirrored by key.flip).
struct StoredPicture {
    const Tile* tiles;
    std::int32_t shape;
    PictureKey key;
};

class ObjectStore {
public:
    // The first tile of the stored picture that shows `tiles`, the picture
    // of an object of `shape` whose picture_key is `key`; stored now, its
    // tiles after the last ones, unless it or a mirror of it is stored.
    // `flip` comes in as the flip wanted for the picture as given and goes
    // out as the flip to show the stored picture with. A picture is kept
    // where it is given, not copied: `tiles` must last as long as the store.
    std::uint32_t add(const Tile* tiles, std::int32_t shape, const PictureKey& key, FlipFlags& flip);

    // Every stored picture's tiles, in the order stored, where they were given.
    std::vector<const Tile*> tile_places() const;

    // Every stored picture, in the order stored.
    std::vector<StoredPicture> pictures() const;

    // Forgets every picture, as a new store would.
    void clear();

private:
    struct Entry {
        const Tile* picture;
        std::uint32_t first_tile;
        std::int32_t shape;
        PictureKey key;  // its flip turns the picture into the least mirror image
    };
    std::vector<Entry> entries;
    std::size_t tiles = 0;
    TagTable index;  // entries by the low 32 bits of their key's hash
};

}  // namespace pixcell
