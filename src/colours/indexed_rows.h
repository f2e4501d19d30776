// The palette rows the sprites of a run's indexed sheets take, once
// --first-row moved them, so that the rows made for its true-colour sheets
// keep clear of them and each colour array stays one block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "description/sprite_list.h"
#include "sheets/sheet_store.h"

namespace pixcell {

// Bit r set: a sprite of an indexed sheet shows a pixel of row r, moved by
// its sheet's row_shift(). Every row a shown pixel is drawn in counts, not
// only the one the sprite is shown in: a sprite of several rows is warned
// about, and its stray rows are kept clear too. Rows past 15 are left out
// (the sprite fails the run later).
std::uint32_t indexed_rows(const SpriteList& sprites, const SheetStore& sheets);

// The lowest first row, `first` or above, of `count` rows in a row that are
// all clear of `used` and end by row 15; none when there is no such run.
std::optional<std::size_t> free_rows(std::uint32_t used, std::size_t first, std::size_t count);

}  // namespace pixcell
