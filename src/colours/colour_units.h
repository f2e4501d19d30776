// The colour units of the true-colour sheets: a sprite, or the sprites whose
// parts share pixels of their sheet, since a pixel gets one index and so one
// palette row. Each unit's opaque colours must fit one row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "colours/colour_keys.h"
#include "colours/pack_rows.h"
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

// `keyed[i]` is the keyed picture of sheet i, null for an indexed sheet;
// `sheet_of[s]` the sheet of sprite s (-1: not loaded). A sprite's pixels are
// those of its parts' cells that lie on its sheet.
ColourUnits find_colour_units(const SpriteList& sprites, const std::vector<std::int32_t>& sheet_of,
                              const std::vector<const KeyedSheet*>& keyed, const ColourNumbers& numbers);

}  // namespace pixcell
