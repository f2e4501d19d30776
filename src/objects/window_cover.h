// The cover of one window of a part, the search seeing its colours too:
// a picture and its mirror image get mirrored covers, whose objects are
// then stored once, and a picture with mirrored halves is covered half by
// half.
#pragma once

#include <cstdint>
#include <vector>

#include "objects/object_cost.h"
#include "objects/pixel_mask.h"
#include "objects/shape_choice.h"
#include "sheets/indexed_image.h"

namespace pixcell {

struct WindowPixels {
    PixelMask shown;  // what the window's objects must show
    // The sheet, and where on it the window's pixel (0, 0) lies: the window
    // lies wholly on the sheet and in its part.
    const IndexedImage* image = nullptr;
    std::int64_t left = 0;
    std::int64_t top = 0;
    // Set when the window holds every pixel its part shows and nothing is
    // covered yet: then every pixel an object shows outside the window is
    // 0, and what it shows depends on the window's pixels alone.
    bool alone = false;
};

// The objects in window coordinates, in no particular order.
std::vector<Placement> cover_window(const WindowPixels& window, const ObjectCost& cost);

}  // namespace pixcell
