// The colour units of the true-colour sheets: a sprite, or the sprites whose
// parts share pixels of their sheet, since a pixel gets one index and so one
// palette row. Each unit's opaque colours must fit one row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "colours/colour_keys.h"
#include "colours/pack_rows.h"
#include "description/part_area.h"
#include "description/sprite_list.h"

namespace pixcell {

struct ColourUnit {
    std::vector<std::size_t> sprites;  // positions in the sprite list, in list order
    ColourSet colours;                 // the colour numbers its pixels show, sorted
};

struct ColourUnits {
    static constexpr std::size_t kNoUnit = static_cast<std::size_t>(-1);
    std::vector<ColourUnit> units;            // in the order of their first sprites
    std::vector<std::size_t> unit_of_sprite;  // by sprite; kNoUnit off the true-colour sheets
};

// The pixels whose colours a part shows: those of its cells on the sheet,
// and of a clipped part only its own rectangle's, so that frames packed
// side by side don't share colours, nor rows, through their rounded cells.
PixelArea coloured_pixels(const SpritePart& part, std::int64_t width, std::int64_t height);

// When a part is clipped (an export's frame), the colours are numbered
// again as if each sprite stood alone on a sheet of its own, in list order:
// by their first appearance in the sprites' pixels, each row by row.
void number_colours_by_sprites(const SpriteList& sprites, const std::vector<std::int32_t>& sheet_of,
                               const std::vector<const KeyedSheet*>& keyed, ColourNumbers& numbers);

// `keyed[i]` is the keyed picture of sheet i, null for an indexed sheet;
// `sheet_of[s]` the sheet of sprite s (-1: not loaded). A sprite's pixels are
// those of its parts' cells that lie on its sheet.
ColourUnits find_colour_units(const SpriteList& sprites, const std::vector<std::int32_t>& sheet_of,
                              const std::vector<const KeyedSheet*>& keyed, const ColourNumbers& numbers);

}  // namespace pixcell
