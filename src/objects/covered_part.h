// A part's cover with its pictures packed and hashed: what covering a part
// on any thread gives, and all that storing its objects in order needs.
#pragma once

#include <cstdint>
#include <vector>

#include "cells/cell_pattern.h"
#include "objects/object_picture.h"
#include "objects/part_cover.h"

namespace pixcell {

struct CoveredPart {
    std::vector<SheetObject> objects;
    std::vector<Tile> tiles;  // each object's picture after the one before
    std::vector<PictureKey> keys;
    std::int64_t cells = 0;  // its cells that show, as the cells stage placed them
    // Whether those cells show exactly the part's own pixels, so that they
    // may stand for its objects: nothing of theirs that shows lies outside it.
    bool cells_exact = true;
};

}  // namespace pixcell
