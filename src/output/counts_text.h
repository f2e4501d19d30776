// The --counts header: what one description takes of the console, as plain
// #defines that a game can size arrays with and add up in _Static_assert
// where several descriptions meet. It includes nothing, so the headers of
// every description of a game can stand in one C file.
#pragma once

#include <string>

#include "cells/convert.h"
#include "compress/tile_arrays.h"

namespace pixcell {

// ident_base + "_CELL_COUNT" and the rest, in an include guard of
// ident_base + "_COUNTS_H"; with --compress, each compressed array's bytes.
std::string render_counts(const Conversion& conversion, const std::string& ident_base,
                          const CompressedTiles* compressed = nullptr);

}  // namespace pixcell
