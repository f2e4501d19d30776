// Turns the sprite list and the sheets into the five generated files.
#pragma once

#include <string>

#include "cells/bitmap_store.h"
#include "driver/sprite_list.h"

namespace pixcell {

// The five texts of one run, in the order the files are written.
struct GeneratedTexts {
    std::string asm_text;             // file_base + ".s"
    std::string chr_header_text;      // file_base + ".h"
    std::string enum_text;            // file_base + "_enum.h"
    std::string pattern_source_text;  // file_base + "_pat.c"
    std::string pattern_header_text;  // file_base + "_pat.h"
};

// Cuts every cell of every sprite through the store (which fills its cell
// table) and builds the texts. Reverses the parts of every written object and
// warns about objects whose sheet is not loaded.
GeneratedTexts build_texts(SpriteList& list, BitmapStore& store, const std::string& ident_base);

// build_texts, then writes the five files all or nothing. Returns false after
// printing "Error: Can't write file '...'" when any of them can't be written.
bool write_outputs(SpriteList& list, BitmapStore& store, const std::string& ident_base,
                   const std::string& file_base);

}  // namespace pixcell
