// The --compress files: the compressed tile arrays for the GNU assembler,
// in 32-bit words, and their declarations.
#pragma once

#include <string>

#include "compress/tile_arrays.h"

namespace pixcell {

struct CompressedTexts {
    std::string source;  // file_base + "_cmp.s"
    std::string header;  // file_base + "_cmp.h"
};

CompressedTexts render_compressed(const CompressedTiles& tiles, const std::string& ident_base);

// Each array's "#define IDENT_NAME_BYTES n" for the counts header.
void append_compressed_counts(std::string& out, const CompressedTiles& tiles, const std::string& ident_base);

}  // namespace pixcell
