// The colour stage: turns each true-colour sheet, once the sprites are known,
// into the indexed sheet a careful artist would have drawn: every sprite in
// one palette row of at most 15 colours and a transparent slot 0, the index
// of a pixel being row * 16 + slot. The rows are made, as few as hold every
// unit's colours, or taken from a palette the game already has. Indexed
// sheets are left as drawn.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/diagnostics.h"
#include "description/sprite_list.h"
#include "sheets/sheet_store.h"

namespace pixcell {

struct ColourOptions {
    std::optional<Rgb> transparent;  // --transparent: the transparent colour of sheets without alpha
    // --palette-from: the rows to use instead of making them, and its file's name.
    std::optional<Palette> given_rows;
    std::string given_rows_file;
    // --first-row: the row the made rows start at, so that they don't take
    // another description's; 0 when not given.
    std::optional<std::int32_t> first_row;
    std::string rows_option;  // the option that gave it, as given, for the messages ("--first-row=3")
};

// Every true-colour sheet of `sheets` becomes indexed, its palette the rows
// (entry 0 of each its transparent colour); made rows start at the first
// row, the palette's entries before it filler that the sheet's
// first_palette_row() leaves out. False when the sprites' colours
// can't be put in rows: each reason is printed as a sheet that can't be used,
// and nothing is changed. Warnings and notes about a sheet's colours go to
// `sheet_lines[i]`, the description line that loaded sheet i.
bool index_true_colour_sheets(const SpriteList& sprites, SheetStore& sheets, const ColourOptions& options,
                              const std::vector<std::int64_t>& sheet_lines, Diagnostics& diagnostics);

}  // namespace pixcell
