// The values of the options that take one and shape the conversion, read
// and checked before anything is loaded: the transparent colour, the cover,
// the compression, the preview's name, and where the palette rows and tiles
// start (--first-row, or --after's counts header).
#pragma once

#include <optional>
#include <string>

#include "common/diagnostics.h"

#include "colours/index_sheets.h"
#include "driver/command_line.h"
#include "output/counts_text.h"

namespace pixcell {

// False, with the option error said, when a value is refused.
bool read_option_values(const CommandLine& command_line, ColourOptions& colours, ChainStart& start);

// The rows --palette-from gives, read once; nothing, with the failure said
// as a sheet's, and a note at the line at fault, when the file can't be used.
std::optional<Palette> read_given_rows(const std::string& path, Diagnostics& diagnostics);

}  // namespace pixcell
