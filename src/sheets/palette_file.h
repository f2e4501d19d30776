// The palette a game already has, given with --palette-from: the colours of
// an indexed PNG or BMP, or of a palette file as paint programs write them
// (JASC-PAL, GIMP .gpl, or a text file of hex colours). The format is told by
// the content, never by the file's name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "sheets/indexed_image.h"

namespace pixcell {

struct PaletteFile {
    bool opened = false;             // false: the file couldn't be opened (or is a folder)
    std::optional<Palette> colours;  // 1 to 256 colours, entry 16r + c being colour c of row r
    std::string problem;             // opened, but no colours: why, one line naming the line at fault
    std::int64_t problem_line = 0;   // that line, from 1; 0 when the problem is of no one line
    std::string problem_text;        // its text, without the blanks around it
};

// Reads the file whole:
// - an indexed PNG or BMP (greyscale PNG of up to 8 bits included): its
//   colour table, every entry the sheet would have;
// - "JASC-PAL", "0100", the number of colours, then a line "R G B" each;
// - "GIMP Palette", then lines "R G B" with an optional name after them,
//   among "Name:" and "Columns:" lines, "#" comments and blank lines;
// - otherwise lines of RRGGBB or #RRGGBB, blanks around them, blank lines
//   and comment lines ("#" and a blank, then anything) allowed.
// Colour numbers are decimal 0 to 255. Never throws for bad content; a file
// too large for memory is a problem like any other.
PaletteFile read_palette_file(const std::string& path);

}  // namespace pixcell
