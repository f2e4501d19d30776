// What the driver warns about in the command line itself, and the value
// options it refuses before anything is written.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/diagnostics.h"
#include "driver/command_line.h"

namespace pixcell {

// Ignored and unknown options, an output that looks like an option or gives
// no C identifier, arguments after the output.
void warn_about_arguments(const CommandLine& command_line, const OutputNames& names, Diagnostics& diagnostics);

// After a file couldn't be written: a note when its folder doesn't exist,
// which pixcell never makes.
void note_missing_folder(const std::string& file, Diagnostics& diagnostics);

// A value option (name, value) whose file is one the run reads (`inputs`:
// the description, the sheets) or another it writes (`outputs`), or is named
// by two options: the error text, or nothing when every one is fine.
std::optional<std::string> refuse_values(const std::vector<std::pair<std::string, std::string>>& values,
                                         const std::vector<std::string>& inputs,
                                         const std::vector<std::string>& outputs);

}  // namespace pixcell
