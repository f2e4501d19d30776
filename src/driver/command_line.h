// The command line and the names the outputs are built from.
//
// pixcell [options] input [output]: every argument before the input that
// starts with "-" is an option. A single-dash option whose second character is
// "d" asks for the listing, any other single-dash option does nothing; the
// other options are double-dash words, matched whole ("--werror") or, where
// they take a value, as a prefix of the same argument ("--deps=FILE").
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "output/extra_outputs.h"

namespace pixcell {

struct CommandLine {
    bool debug_listing = false;          // -d (or -debug...): print the sprite list instead of writing files
    bool werror = false;                 // --werror: a warning or an illegal description fails the run
    bool no_warnings = false;            // --no-warnings: print no warning and no note
    bool help = false;                   // --help
    bool version = false;                // --version
    bool palette = false;                // --palette: also write each sheet's colours (_pal.c, _pal.h)
    bool stats = false;                  // --stats: a summary line of the conversion
    bool list_outputs = false;           // --list-outputs: print the files the run writes, and exit
    std::optional<std::string> preview;  // --preview=FILE: a PNG picture of what the console would show
    std::optional<std::string> transparent;   // --transparent=RRGGBB: transparent colour of true-colour sheets
    std::optional<std::string> palette_from;  // --palette-from=FILE: the rows true-colour sheets are put in
    std::optional<std::string> first_row;     // --first-row=N: the first palette row made for true-colour sheets
    bool counts = false;                      // --counts: also write OUTPUT_counts.h, the description's budget
    // --objects[=fewest|bytes]: also write each sprite as objects of every shape ("balanced" when bare).
    std::optional<std::string> objects;
    bool stream = false;  // --stream: the objects laid out as a block of tiles a sprite, to copy at each frame change
    // --compress[=lz77|rle|huffman|auto]: also write the tile arrays as the BIOS unpacks them ("auto" when bare).
    std::optional<std::string> compress;

    std::optional<std::string> deps;  // --deps=FILE: also write a make rule for the five files
    // --after=FILE: start the rows and tiles where the counts header FILE's description ends.
    std::optional<std::string> after;

    std::optional<std::string> input;       // the description file
    std::optional<std::string> output;      // base path of the generated files
    std::vector<std::string> after_output;  // arguments after the output: ignored

    std::vector<std::string> ignored_options;  // single-dash options that do nothing
    std::vector<std::string> unknown_options;  // double-dash words no option has
    std::vector<std::string> refused;          // value options given without a value
};

// A double-dash option: a flag, or one that takes a value after "=".
struct OptionInfo {
    const char* name;                                // with its dashes
    bool CommandLine::*flag;                         // set by a flag, else null
    std::optional<std::string> CommandLine::*value;  // set by a value option, else null
    const char* value_name;                          // what the value is, for --help
    const char* help;                                // one line for --help
    const char* manual;                              // its paragraphs in the manual page, "\n" between
    // The file its value names is read: it may not be one the run writes, and
    // it is a prerequisite of the make rule.
    bool value_is_read = false;
    // The value it takes when given bare ("--objects"); null when it needs one.
    const char* bare_value = nullptr;
};

// Every double-dash option, in the order --help lists them.
const std::vector<OptionInfo>& known_options();

// How --help and the manual page show an option: -d, then the double-dash
// options of known_options(), so that each is described in one place.
struct OptionDoc {
    std::string synopsis;  // "-d", "--deps=FILE"
    const char* help;
    const char* manual;
};

std::vector<OptionDoc> option_docs();

// Every value option given whose value names a file the run reads, as
// (name, value), in the order of known_options().
std::vector<std::pair<std::string, std::string>> read_values(const CommandLine& command_line);

CommandLine parse_command_line(int argc, const char* const* argv);

struct OutputNames {
    std::string ident_base;  // identifiers and include lines inside the texts
    std::string file_base;   // path prefix of the generated files
};

// Needs an input.
OutputNames output_names(const CommandLine& command_line);

// The cost the value of --objects names: "balanced", "fewest" or "bytes".
std::optional<ObjectCost> object_cost(const std::string& mode);

// The files beyond the five that the command line asks for; an --objects
// value that names no cost, or a --compress value no format, asks for
// nothing (the run refuses it first). `animations`: the input is an export
// with tags, which asks for their files.
ExtraRequests extra_requests(const CommandLine& command_line, bool animations);

// Every file a run with this command line writes when it succeeds (unless
// it only lists, with -d), as the run names them: the five, then the extras
// in the order they are written.
std::vector<std::string> written_files(const CommandLine& command_line, const OutputNames& names, bool animations);

}  // namespace pixcell
