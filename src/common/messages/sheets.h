// The messages of the sheets: one line per sheet that fails to load, and why
// a file can't serve as a sheet or as the palette of --palette-from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pixcell::messages {

// One line per failed load.
void cant_open_sheet(const std::string& name);
void cant_use_sheet(const std::string& name, const std::string& reason);

// Why a file can't serve as a sheet: the reason after "Can't use file NAME: ".
namespace sheet_problem {
std::string too_large_for_memory();
std::string changed_while_read();
std::string unknown_format(std::size_t size);
std::string other_image(const std::string& kind);
std::string too_short(std::size_t size);
std::string old_bmp_header(std::uint32_t info_size);
std::string bits_per_pixel(std::uint32_t bits);
std::string bmp_not_indexed(std::uint32_t bits);
std::string compression(std::uint32_t method);
std::string rle_bits(std::uint32_t method, std::uint32_t bits);
std::string bit_fields_bits(std::uint32_t method, std::uint32_t bits);
std::string bad_mask(const std::string& channel, std::uint32_t mask);
std::string bad_width(std::int32_t width);
std::string zero_height();
std::string rle_top_down();
std::string too_many_pixels(std::int64_t width, std::int64_t height, std::int64_t limit);
std::string too_many_true_colour_pixels(std::int64_t width, std::int64_t height, std::int64_t limit);
std::string true_colour_too_wide(std::int64_t width, std::int64_t limit);
std::string pixels_cut_short(std::uint64_t needed, std::size_t size);
std::string pixels_inside_headers(std::uint64_t offset, std::uint64_t headers_end);
std::string rle_cut_short(std::size_t at);
std::string png_not_indexed(int colour_type);
std::string png_no_palette();
std::string png_bad_crc();
std::string png_cut_short();
std::string png_chunks_too_large(std::size_t chunk_limit, std::size_t total_limit);
std::string png_damaged(const std::string& detail);
}  // namespace sheet_problem

// Why a palette file (--palette-from) can't be used: the reason after
// "Can't use file NAME: ". Its images' problems are the sheets' own.
namespace palette_problem {
std::string expected_hex_colour(std::int64_t line);
std::string expected_decimal_colour(std::int64_t line);
std::string expected_jasc_header();
std::string expected_gimp_header();
std::string expected_jasc_version(std::int64_t line);
std::string expected_jasc_count(std::int64_t line);
std::string jasc_ends_early(std::int64_t given, std::int64_t announced);
std::string jasc_more_colours(std::int64_t line, std::int64_t announced);
std::string too_many_colours(std::int64_t colours);
std::string no_colours();
std::string true_colour_image();
}  // namespace palette_problem

// After a palette file's problem, at its line: the line as it reads.
namespace warn {
std::string palette_line(const std::string& text);
std::string palette_from_names(const std::string& file);
std::string sheet_named_here(const std::string& sheet);
std::string sheet_is_folder(const std::string& sheet);
}  // namespace warn

}  // namespace pixcell::messages
