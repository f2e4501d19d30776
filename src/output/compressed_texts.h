// The --compress files: the compressed tile arrays for the GNU assembler,
// in 32-bit words, and their declarations.
#pragma once

#include <string>

#include "compress/tile_arrays.h"
#include "output/file_commit.h"

namespace pixcell {

struct CompressedTexts {
    // file_base + "_cmp.s", made as it is written (it reads `tiles`, which
    // must last until then).
    TextPieces source;
    std::string header;  // file_base + "_cmp.h"
};

CompressedTexts render_compressed(const CompressedTiles& tiles, const std::string& ident_base);

// Each array's "#define IDENT_NAME_BYTES n" for the counts header.
void append_compressed_counts(std::string& out, const CompressedTiles& tiles, const std::string& ident_base);

}  // namespace pixcell
