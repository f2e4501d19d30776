// The output stage: formats a conversion into the five generated texts, then
// puts them in place as files, all together or not at all.
#pragma once

#include <string>
#include <vector>

#include "cells/convert.h"
#include "description/entry_checks.h"
#include "description/sprite_list.h"
#include "output/file_commit.h"

namespace pixcell {

// The five texts of one run, in the order the files are written.
struct GeneratedTexts {
    std::string asm_text;             // file_base + ".s"
    std::string chr_header_text;      // file_base + ".h"
    std::string enum_text;            // file_base + "_enum.h"
    std::string pattern_source_text;  // file_base + "_pat.c"
    std::string pattern_header_text;  // file_base + "_pat.h"
};

// `ident_base` begins every identifier and include line inside the texts.
GeneratedTexts render_texts(const SpriteList& sprites, const Conversion& conversion, const std::string& ident_base);

// The same texts built while the conversion is still being made: each call
// formats the sprites and distinct cells converted since the one before, up
// to `sprites` of conversion.sprites and `cells` of the cell table (those
// must no longer change). finish() closes the texts.
class TextBuilder {
public:
    // `most_cells` and `most_placed`: as many distinct and placed cells as
    // there may be, so that the texts are sized once.
    TextBuilder(const SpriteList& sprites, const std::string& ident_base, std::size_t most_cells,
                std::size_t most_placed);
    void add(const Conversion& conversion, std::size_t sprites, const CellTable& cells, std::uint32_t cell_count);
    GeneratedTexts finish();

private:
    const SpriteList& sprites;
    GeneratedTexts texts;
    std::string table_text;
    std::string entry_text;
    std::size_t sprites_done = 0;
    std::uint32_t cells_done = 0;
};

// The identifiers the texts declare besides the sprites' names and records,
// and those they take from gba.h and sprite16.h: no sprite may be named so.
std::vector<GeneratedName> declared_identifiers(const std::string& ident_base);

// The five files: `file_base` with their suffixes, in writing order.
std::vector<OutputFile> output_files(const GeneratedTexts& texts, const std::string& file_base);

// Their names alone, in the same order.
std::vector<std::string> output_paths(const std::string& file_base);

}  // namespace pixcell
