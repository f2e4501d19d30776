// What a conversion is warned about in its colours: what the console, which
// shows each sprite in one palette row and entry 0 of every row transparent,
// can't show as the sheets have it.
#pragma once

#include <cstdint>
#include <vector>

#include "cells/convert.h"
#include "common/diagnostics.h"
#include "description/sprite_list.h"
#include "sheets/sheet_store.h"

namespace pixcell {

// Sheets whose PNG transparency marks another entry than entry 0 of a row,
// each at `sheet_lines[i]`, the description line that loaded sheet i; then
// the sprites of the row reports, at their lines.
void warn_about_rows(const Conversion& conversion, const SpriteList& sprites, const SheetStore& sheets,
                     const std::vector<std::int64_t>& sheet_lines, Diagnostics& diagnostics);

}  // namespace pixcell
