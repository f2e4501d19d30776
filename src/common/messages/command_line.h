// The messages of the command line and of the run as a whole: usage, options
// that can't be used, --help, --version and --list-outputs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pixcell::messages {

void usage();

// An option that can't be used: "pixcell: error: TEXT", and the run stops.
void option_error(const std::string& text);
// `may_go_bare`: the option may also be given without "=" and a value.
std::string option_needs_value(const std::string& option, const std::string& value_name, bool may_go_bare = false);
std::string option_names_input(const std::string& option, const std::string& value, const std::string& input);
std::string option_names_output(const std::string& option, const std::string& value);
std::string option_not_colour(const std::string& option, const std::string& value);
std::string option_not_row(const std::string& option, const std::string& value);
std::string option_not_cover(const std::string& option, const std::string& value);
std::string option_not_png(const std::string& option, const std::string& value);
// --after: its file can't be read, isn't a counts header (`line` 0: as a
// whole), or its rows end past the console's; and it with --first-row.
std::string after_unreadable(const std::string& file);
std::string after_not_counts(const std::string& file, std::int64_t line, const std::string& problem);
std::string after_rows_full(const std::string& file, std::int64_t end_row);
std::string after_with_first_row();
std::string option_not_compression(const std::string& option, const std::string& value);
// A file name that a make rule can't hold; `found` as name_make_cant_read gives it.
std::string option_path_make_cant_read(const std::string& option, const std::string& value, const std::string& path,
                                       char found);

// --help, --version and --list-outputs, on standard output. `options` holds
// one line per option, -d among them.
void help(const std::string& options);
void version(const std::string& number);
void list_files(const std::vector<std::string>& paths);

// The texts of warnings and notes; Diagnostics prints them in place.
namespace warn {

std::string ignored_option(const std::string& option);
std::string unknown_option(const std::string& option);
std::string see_help();
std::string did_you_mean(const std::string& option);
std::string output_starts_with_dash(const std::string& output);
std::string arguments_after_output(const std::vector<std::string>& arguments);
std::string ident_not_identifier(const std::string& ident_base, bool from_output);
std::string ident_empty(const std::string& argument);
std::string how_to_name_output();

std::string failed_for_warnings();

}  // namespace warn

}  // namespace pixcell::messages
