// The cells stage: cuts every sprite of the list into 16x16 cells, packs them
// into the console's 4-bit tiles and stores each distinct cell once, giving
// each sprite its placed cells (index, offset from its origin, flip).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "cells/cell_table.h"
#include "cells/palette_rows.h"
#include "description/sprite_list.h"
#include "sheets/sheet_store.h"

namespace pixcell {

// One non-empty cell of a sprite.
struct PlacedCell {
    std::int32_t index = 0;     // in the dictionary, and in the generated cell array
    std::int32_t x_offset = 0;  // of its top-left corner from the sprite's origin
    std::int32_t y_offset = 0;
    FlipFlags flip = 0;  // 0..3: how to mirror the stored cell
};

// A sprite whose sheet is loaded and that has parts: it gets an enumerator,
// and a pattern record when it has cells.
struct ConvertedSprite {
    std::size_t sprite = 0;      // position in the sprite list
    std::size_t first_cell = 0;  // its cells are placed[first_cell, first_cell + cell_count)
    std::size_t cell_count = 0;
    std::int32_t palette_row = 0;  // the row of object palette memory it is drawn with (past 15: moved too far)
};

// What the conversion went through, for its summary.
struct ConversionCounts {
    std::int64_t parts = 0;     // of the converted sprites
    std::int64_t cells = 0;     // cut from them: every 16x16 cell of their parts, empty or not
    std::int64_t mirrored = 0;  // cut cells that matched a stored cell through a flip
};

struct Conversion {
    CellTable cells;                        // the distinct cells, in table order
    std::vector<std::int32_t> cell_sheets;  // the sheet each distinct cell was first cut from
    std::vector<ConvertedSprite> sprites;   // in list order
    std::vector<PlacedCell> placed;         // every sprite's cells, its last-described part first
    std::vector<std::size_t> skipped;       // sprites whose sheet is not loaded, in list order
    std::vector<RowReport> row_reports;     // sprites whose colours the console can't show as drawn, in list order
    ConversionCounts counts;
};

// Told, on the converting thread, what is converted so far: the sprites of
// `so_far.sprites`, the placed cells they name and the distinct cells of
// `cells`. Those never move or change as more come, so another thread may
// read them meanwhile; `last` is the final call, after which `so_far` and
// `cells` go (the call may wait for that other thread to be done). A run too
// large to promise that is told only once, at the end.
using ConversionProgress = std::function<void(const Conversion& so_far, const CellTable& cells, bool last)>;

// The sprites convert() gives an enumerator, in list order: those whose
// sheet is loaded and that have parts. Known before any cell is cut, so
// that other stages may work on them beside the conversion.
std::vector<std::size_t> converted_sprites(const SpriteList& sprites, const SheetStore& sheets);

// Cells are numbered in the order they are first cut: sprites in list order,
// each one's parts from the last described to the first, and each part's
// cells row by row from the top, left to right.
Conversion convert(const SpriteList& sprites, const SheetStore& sheets, const ConversionProgress& progress = {});

}  // namespace pixcell
