// Sheets and a cell dictionary side by side, with the by-name entry points
// the tests use to cut one cell or tile at a time; the program itself only
// cuts through the conversion.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "cells/cell_dictionary.h"
#include "cells/convert.h"
#include "cells/cut_cell.h"
#include "output/render_texts.h"
#include "sheets/sheet_store.h"

namespace pixcell::testing {

struct CellStore {
    SheetStore sheets;
    CellDictionary cells;  // what add_cell fills
    CellTable converted;   // what build_texts made

    bool load(const std::string& name) { return sheets.load(name); }
    std::int32_t find(const std::string& name) const { return sheets.find(name); }
    std::int32_t width(const std::string& name) const { return sheets.width(name); }
    std::int64_t height(const std::string& name) const { return sheets.height(name); }

    // One tile at (x, y) of a sheet; blank for a sheet that is not loaded.
    Tile read_tile(const std::string& name, std::int32_t x, std::int32_t y) const {
        const std::int32_t index = sheets.find(name);
        return index < 0 ? Tile{} : cut_tile(sheets.sheet(index), x, y);
    }

    // Cuts the cell at (x, y) of a sheet into the dictionary: -1 for an empty
    // cell or a sheet that is not loaded.
    std::int32_t add_cell(const std::string& name, std::int32_t x, std::int32_t y, FlipFlags& flip) {
        const std::int32_t index = sheets.find(name);
        if (index < 0) return -1;
        const std::array<Tile, 4> tiles = cut_cell_tiles(sheets.sheet(index), x, y);
        Cell cell;
        std::memcpy(cell.data(), tiles.data(), sizeof cell);
        return cells.add(cell, flip);
    }

    const Cell& cell(std::uint32_t index) const { return cells.cell(index); }
    std::uint32_t cell_count() const { return cells.size(); }
};

// What a run does from the sprite list to the texts; the distinct cells end
// up in `store.converted`, the sprites left out for a missing sheet in `skipped`.
inline GeneratedTexts build_texts(const SpriteList& sprites, CellStore& store, const std::string& ident_base,
                                  std::vector<std::size_t>* skipped = nullptr) {
    Conversion conversion = convert(sprites, store.sheets);
    if (skipped != nullptr) *skipped = conversion.skipped;
    GeneratedTexts texts = render_texts(sprites, conversion, ident_base);
    store.converted = std::move(conversion.cells);
    return texts;
}

// build_texts, then the five files put in place all or nothing.
inline bool write_outputs(const SpriteList& sprites, CellStore& store, const std::string& ident_base,
                          const std::string& file_base) {
    const GeneratedTexts texts = build_texts(sprites, store, ident_base);
    return commit_files(output_files(texts, file_base));
}

}  // namespace pixcell::testing
