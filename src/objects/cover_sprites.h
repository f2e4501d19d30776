// The objects stage: covers every converted sprite with the console's
// objects of all twelve shapes instead of one 16x16 object a cell. Each part
// is covered on its own by objects whose union holds every pixel its cells
// show (they may overhang pixels that show nothing), never more of them
// than those cells; each distinct object picture is stored once, a mirror
// image of a stored one becoming a flip.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "cells/cell_pattern.h"
#include "cells/convert.h"
#include "description/sprite_list.h"
#include "objects/object_cost.h"
#include "objects/stream_layout.h"
#include "sheets/sheet_store.h"

namespace pixcell {

// One object of a sprite.
struct PlacedObject {
    std::int32_t x_offset = 0;  // of its top-left corner from the sprite's origin
    std::int32_t y_offset = 0;
    std::int32_t shape = 0;  // in kObjectShapes: object_attribute0 and object_attribute1 give its bits
    FlipFlags flip = 0;      // 0..3: how to mirror the stored picture
    std::int32_t tile = 0;   // its picture's first tile in `tiles` (with a stream layout, in its sprite's block)
};

// The objects of one converted sprite: objects[first, first + count).
struct ObjectSprite {
    std::size_t first = 0;
    std::size_t count = 0;  // 0 when it shows nothing
};

struct ObjectCounts {
    std::int64_t tiles = 0;
    std::int64_t bytes = 0;  // of the tiles
    std::int64_t objects = 0;
    std::int64_t most_objects = 0;  // of one sprite
};

struct ObjectConversion {
    // Every distinct picture's tiles, row after row, in order of first use:
    // each where its picture was packed, in `packed` or in the conversion's
    // cell table, which must outlive this.
    std::vector<const Tile*> tiles;
    std::shared_ptr<const void> packed;
    std::vector<PlacedObject> objects;  // sprite after sprite, each one's last-described part first
    std::vector<ObjectSprite> sprites;  // one for each of Conversion::sprites, in that order
    ObjectCounts counts;
    std::optional<StreamLayout> stream;  // when laid out for streaming: `tiles` is the blocks
};

// A sprite's palette row is that of its cells (ConvertedSprite::palette_row).
// The same input gives the same result, however many threads the machine has.
ObjectConversion cover_sprites(const SpriteList& sprites, const Conversion& conversion, const SheetStore& sheets,
                               const ObjectCost& cost, bool stream = false);

// The same in its two steps, so that the first may run beside the cells
// stage: every part's cover searched and its pictures packed, which needs
// only the sprites and their sheets' pixels (read as their rows arrive, as
// the cutting reads them); then the pictures stored in order, which weighs
// each part's cover against its cells and so needs the conversion.
// `listed` are the sprites the conversion lists (converted_sprites).
// `stream`: nothing is shared between sprites (a tile costs the objects of
// its own sprite that show it), and the tiles are laid out in blocks.
class CoveredParts {
public:
    CoveredParts();
    CoveredParts(CoveredParts&&) noexcept;
    CoveredParts& operator=(CoveredParts&&) noexcept;
    ~CoveredParts();

private:
    friend CoveredParts cover_parts(const SpriteList&, const std::vector<std::size_t>&, const SheetStore&,
                                    const ObjectCost&);
    friend ObjectConversion store_objects(CoveredParts, const Conversion&, bool);
    struct Parts;
    std::unique_ptr<Parts> parts;
    ObjectCost cost;
    std::size_t sprites = 0;
};
CoveredParts cover_parts(const SpriteList& sprites, const std::vector<std::size_t>& listed, const SheetStore& sheets,
                         const ObjectCost& cost);
ObjectConversion store_objects(CoveredParts parts, const Conversion& conversion, bool stream = false);

}  // namespace pixcell
