// The command line and the names the outputs are built from.
#pragma once

#include <optional>
#include <string>

namespace pixcell {

struct CommandLine {
    bool debug_listing = false;         // -d: print the sprite list instead of writing files
    std::string input;                  // the description file
    std::optional<std::string> output;  // base path of the five files
};

// Options come before the input; of each only the second character counts.
// Nothing when no input is left.
std::optional<CommandLine> parse_command_line(int argc, const char* const* argv);

// The file name of a path without directory and extension: after the last
// "/" (or, when there is none, the last "\"), up to the last "." of the whole
// path when that stands inside the name.
std::string base_name(const std::string& path);

struct OutputNames {
    std::string ident_base;  // identifiers and include lines inside the texts
    std::string file_base;   // path prefix of the five files
};

OutputNames output_names(const CommandLine& command_line);

}  // namespace pixcell
