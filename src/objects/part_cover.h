// The cover of one sprite part: objects whose union holds every pixel of
// its own rectangle (own_width x own_height: an 8x8 part is an 8x8 picture)
// that shows, never more of them than its 16x16 cells that show any.
#pragma once

#include <cstdint>
#include <vector>

#include "description/sprite_list.h"
#include "objects/object_cost.h"
#include "sheets/indexed_image.h"

namespace pixcell {

// An object of a part's cover: its top-left pixel on the sheet (it may lie
// off the sheet) and its index in kObjectShapes.
struct SheetObject {
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::int32_t shape = 0;
};

// The part's pixels are covered window by window, 64x64 windows laid from
// the top-left of those that show, each showing what the windows before it
// left uncovered; the objects come window by window, each window's from the
// top, left to right. A cover of more objects than the part has cells that
// show is searched again with objects made dearer, and in the end (or when
// that is cheaper) the part gets one 16x16 object on each such cell.
// `shown_cells`, when given, is set to the number of those cells. The
// objects' pictures hold nothing outside the part's own pixels.
std::vector<SheetObject> cover_part(const IndexedImage& image, const SpritePart& part, const ObjectCost& cost,
                                    std::int64_t* shown_cells = nullptr);

}  // namespace pixcell
