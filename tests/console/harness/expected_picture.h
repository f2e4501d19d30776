// What the console should show for one sprite, worked out from the sheet and
// the sprite's parts alone (never from the generated files).
#pragma once

#include <cstdint>
#include <vector>

#include "description/sprite_list.h"
#include "console/harness/sheet_pixels.h"

namespace pixcell::console {

// One 16x16 cell of a part that has a visible pixel.
struct ShownCell {
    std::int64_t sheet_x = 0;  // top-left pixel in the sheet
    std::int64_t sheet_y = 0;
    std::int64_t from_origin_x = 0;  // that pixel's offset from the origin, before mirroring
    std::int64_t from_origin_y = 0;
    bool hflip = false;  // the part's mirroring about the origin
    bool vflip = false;
    // Its columns and rows, from the left and top, that show: fewer than 16
    // where a part's own rectangle ends in the cell.
    std::int64_t own_columns = 16;
    std::int64_t own_rows = 16;

    // Top-left corner of the cell on screen, relative to the origin.
    std::int64_t corner_x() const;
    std::int64_t corner_y() const;
};

// With `own_only` (objects), each part shows only its own rectangle,
// own_width x own_height at x, y; so does a clipped part always.
std::vector<ShownCell> shown_cells(const SpriteObject& sprite, const SheetPixels& sheet, bool own_only = false);

// The sprite mirrored as a whole about its origin, as a game flips all its
// objects (flip: kFlipHorizontal, kFlipVertical or both). A pixel at offset
// u then lands at -u - 1, exactly where toggling its cell's own mirroring
// puts it.
std::vector<ShownCell> flipped_sprite(std::vector<ShownCell> cells, std::int32_t flip);

// The palette row the console should show the sprite in: the high 4 bits of
// its first pixel whose low 4 bits aren't 0, its parts from the last
// described to the first, each part's cells row by row, each cell's pixels
// row by row; 0 when there is none.
int palette_row(const SpriteObject& sprite, const SheetPixels& sheet);

// Cells are placed when their top-left screen corner lies in the window.
struct Window {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;
};

// A window that places every cell, wherever it lands: a game's picture.
constexpr std::int64_t kEverywhere = std::int64_t{1} << 40;
constexpr Window kAllCells{-kEverywhere, -kEverywhere, kEverywhere, kEverywhere};

struct View {
    std::int64_t origin_x = 0;  // screen position of the sprite's origin
    std::int64_t origin_y = 0;
    Window window;
};

bool in_window(const ShownCell& cell, const View& view);

// Per screen pixel, the palette entries that may show there: bit i for
// entry i, bit 0 for the backdrop. Overlapping cells allow any of theirs.
using ExpectedPicture = std::vector<std::uint16_t>;

ExpectedPicture expected_picture(const std::vector<ShownCell>& cells, const SheetPixels& sheet,
                                 const View& view);

// Per screen pixel, the colour (15 bits, red in the low 5) a sprite drawn in
// true colour shows there, as its sheet's twin holds it (sheet.colours):
// kNoColour where it shows nothing, kAnyColour where cells of different
// colours overlap.
using ExpectedColours = std::vector<std::int32_t>;
constexpr std::int32_t kNoColour = -1;
constexpr std::int32_t kAnyColour = -2;

// Adds the sprite's pixels to `colours`, which has a value for every screen pixel.
void add_expected_colours(const std::vector<ShownCell>& cells, const SheetPixels& sheet, const View& view,
                          ExpectedColours& colours);

}  // namespace pixcell::console
