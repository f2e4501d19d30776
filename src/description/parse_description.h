// Reads a description text into the sprite list, loading its sheets.
#pragma once

#include <string>

#include "description/actions.h"

namespace pixcell {

// True when the text matched the description language (from its start; text
// after the match is ignored). The text ends at its first NUL.
bool parse_description(const std::string& text, ReaderContext& ctx);

}  // namespace pixcell
