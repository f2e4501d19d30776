// Reads the description file whole.
#pragma once

#include <optional>
#include <string>

namespace pixcell {

// Reads line by line in pieces of at most 511 bytes, each piece cut at its
// first NUL, so a NUL drops the rest of its line or piece. Nothing when the
// file can't be opened or read (a directory included).
std::optional<std::string> read_description(const std::string& path);

// An export's bytes, all of them (the JSON library says what a NUL is).
// Nothing when the file can't be opened or read (a directory included).
std::optional<std::string> read_export_text(const std::string& path);

}  // namespace pixcell
