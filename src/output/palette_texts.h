// The --palette files: each loaded sheet's colours in the console's 15-bit
// format, so that the game loads the palette the sheets were drawn with, and
// the palette row every sprite is drawn with.
#pragma once

#include <string>
#include <vector>

#include "cells/convert.h"
#include "common/diagnostics.h"
#include "description/sprite_list.h"
#include "sheets/sheet_store.h"

namespace pixcell {

struct PaletteTexts {
    std::string source;  // file_base + "_pal.c"
    std::string header;  // file_base + "_pal.h"
};

// One array per loaded sheet, in loading order, named ident_base + "_" + the
// sheet's file name made an identifier + "_pal" (later sheets of the same
// name get _2, _3, ...), with every entry of its colour table, so that row r
// is entries 16r to 16r + 15 (for a sheet whose rows start at a first row,
// its entries from that row on, so row r is entries 16(r - first row) on),
// and a #define NAME_FIRST_ROW of that row. A sheet without a colour table
// gets none, and a warning. Then ident_base + "_palette_row": the row of each sprite, in the
// order of the enumeration.
PaletteTexts render_palettes(const SheetStore& sheets, const SpriteList& sprites, const Conversion& conversion,
                             const std::string& ident_base, Diagnostics& diagnostics);

// The array names, in the same order (those of sheets without colours empty).
std::vector<std::string> palette_names(const SheetStore& sheets, const std::string& ident_base);

}  // namespace pixcell
