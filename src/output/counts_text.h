// The --counts header: what one description takes of the console, as plain
// #defines that a game can size arrays with and add up in _Static_assert
// where several descriptions meet. It includes nothing, so the headers of
// every description of a game can stand in one C file.
#pragma once

#include <string>

#include "cells/convert.h"
#include "compress/tile_arrays.h"
#include "objects/cover_sprites.h"

namespace pixcell {

// Where the description's share of the console starts: the palette row its
// rows were placed from (--first-row, --after) and the tile its tiles are
// loaded at (--after).
struct ChainStart {
    std::int32_t first_row = 0;
    std::int64_t first_tile = 0;
};

// The tiles the description keeps in tile memory: its cells' or, with
// --objects, its objects'.
std::int64_t kept_tiles(const Conversion& conversion, const ObjectConversion* objects);

// ident_base + "_CELL_COUNT" and the rest, in an include guard of
// ident_base + "_COUNTS_H". With no sprite that has cells, FIRST_ROW is where
// its rows were placed from, so that a description after it starts there.
// With --compress, each compressed array's bytes.
std::string render_counts(const Conversion& conversion, const std::string& ident_base, const ChainStart& start,
                          std::int64_t tiles, const CompressedTiles* compressed = nullptr);

}  // namespace pixcell
