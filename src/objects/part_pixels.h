// Reading a sprite part's pixels for its cover: only those of an area of
// its 16x16 cells on the sheet (its own pixels, own_pixels_on_sheet, or all
// that its cells read, pixels_on_sheet), cells still counted on its grid.
#pragma once

#include <cstdint>
#include <vector>

#include "description/part_area.h"
#include "description/sprite_list.h"
#include "objects/pixel_mask.h"
#include "sheets/indexed_image.h"

namespace pixcell {

struct PartScan {
    PixelArea shown;                // the box of the pixels that show; empty when none does
    std::int64_t cells = 0;         // the part's cells that show a pixel
    std::vector<PixelArea> listed;  // those cells, whole, rows from the top (when asked for)
};

// One pass over the part's pixels in `area`, which lies in its cells.
PartScan scan_part(const IndexedImage& image, const SpritePart& part, const PixelArea& area, bool list_cells);

// The part's cells that show a pixel of `mask`, the pixels of the whole
// area (at most 64 by 64) read by window_mask.
std::int64_t shown_cells(const PixelMask& mask, const IndexedImage& image, const SpritePart& part,
                         const PixelArea& area);

// The pixels that show in `window`, which lies in `area`, at most 64 by 64:
// bit x of row y for the pixel at (window.left + x, window.top + y).
PixelMask window_mask(const IndexedImage& image, const PixelArea& window);

}  // namespace pixcell
