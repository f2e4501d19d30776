// Every text the program prints on standard error, one function each, so
// that the wording lives in one place. Each call prints one whole line with a
// single write, so lines never interleave; names are printed byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pixcell::messages {

// The command line and the description file.
void usage();
void cant_open_input(const std::string& path);
void illegal_input();

// Sheets: one line per failed load.
void cant_open_sheet(const std::string& name);
void cant_use_sheet(const std::string& name, const std::string& reason);

// Conversion: a sprite whose sheet is not loaded is left out.
void sprite_skipped(const std::string& bitmap, const std::string& sprite);

// Writing the outputs.
void cant_write_file(const std::string& name);
void cant_remove_temporary(const std::string& name);

// Why a file can't serve as a sheet: the reason after "Can't use file NAME: ".
namespace sheet_problem {
std::string too_large_for_memory();
std::string too_short(std::size_t size);
std::string not_bmp();
std::string old_bmp_header(std::uint32_t info_size);
std::string bits_per_pixel(std::uint32_t bits);
std::string compressed();
std::string bad_width(std::int32_t width);
std::string zero_height();
std::string pixels_cut_short(std::uint64_t needed, std::size_t size);
}  // namespace sheet_problem

}  // namespace pixcell::messages
