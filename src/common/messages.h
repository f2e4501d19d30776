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
std::string unknown_format(std::size_t size);
std::string too_short(std::size_t size);
std::string old_bmp_header(std::uint32_t info_size);
std::string bits_per_pixel(std::uint32_t bits);
std::string compression(std::uint32_t method);
std::string rle_bits(std::uint32_t method, std::uint32_t bits);
std::string bad_width(std::int32_t width);
std::string zero_height();
std::string rle_top_down();
std::string too_many_pixels(std::int64_t width, std::int64_t height, std::int64_t limit);
std::string pixels_cut_short(std::uint64_t needed, std::size_t size);
std::string pixels_inside_headers(std::uint64_t offset, std::uint64_t headers_end);
std::string colour_table_past_end(std::uint64_t colours, std::uint64_t at, std::size_t size);
std::string rle_cut_short(std::size_t at);
std::string png_not_indexed(int colour_type);
std::string png_no_palette();
std::string png_bad_crc();
std::string png_cut_short();
std::string png_chunks_too_large(std::size_t chunk_limit, std::size_t total_limit);
std::string png_damaged(const std::string& detail);
}  // namespace sheet_problem

}  // namespace pixcell::messages
