// What a conversion is warned about in its colours: what the console, which
// shows each sprite in one palette row and entry 0 of every row transparent,
// can't show as the sheets have it.
#pragma once

#include <cstdint>
#include <string>
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

// False, said as a sheet that can't be used, when the rows of an indexed
// sheet were moved (`option`, as given, such as "--first-row=3") so far that
// a sprite's row passes 15; the first such sprite is named, with a note at
// its line.
bool rows_in_console(const Conversion& conversion, const SpriteList& sprites, const SheetStore& sheets,
                     const std::string& option, Diagnostics& diagnostics);

}  // namespace pixcell
