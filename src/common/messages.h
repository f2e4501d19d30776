// Every text the program prints on standard error, one function each, so
// that the wording lives in one place. Each call prints one whole line with a
// single write, so lines never interleave. The lines whose form is fixed
// ("Can't open file NAME" and its kind) print names byte for byte; the others
// quote names and pieces of the description with C's escapes, so that a name
// holding a line end or bytes that aren't UTF-8 still makes one line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
std::string preview_too_large(std::int64_t width, std::int64_t height, std::int64_t most);
std::string preview_not_encoded();
void cant_make_preview(const std::string& name, const std::string& reason);

// An option that can't be used: "pixcell: error: TEXT", and the run stops.
void option_error(const std::string& text);
std::string option_needs_value(const std::string& option, const std::string& value_name);
std::string option_names_input(const std::string& option, const std::string& value, const std::string& input);
std::string option_names_output(const std::string& option, const std::string& value);
std::string option_not_colour(const std::string& option, const std::string& value);
std::string option_not_row(const std::string& option, const std::string& value);
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

// The command line.
std::string ignored_option(const std::string& option);
std::string unknown_option(const std::string& option);
std::string see_help();
std::string output_starts_with_dash(const std::string& output);
std::string arguments_after_output(const std::vector<std::string>& arguments);
std::string ident_not_identifier(const std::string& ident_base, bool from_output);
std::string ident_empty(const std::string& argument);
std::string how_to_name_output();

// The description.
std::string reading_stopped(const std::string& excerpt, std::int64_t lines_not_read);
std::string cause_comment_joins_lines();
std::string cause_no_line_end();
std::string cause_short_name();
std::string cause_name_starts_with_digit();
std::string cause_name_holds_blank();
std::string cause_after_file_name();
std::string cause_no_file_name();
std::string cause_fields();
std::string cause_unclosed_comment();
std::string cause_number_too_big();
std::string description_start(const std::string& found);
std::string input_is_image(const std::string& kind);
std::string size_rounded(std::int32_t width, std::int32_t height, std::int32_t rounded_width,
                         std::int32_t rounded_height);
std::string part_without_cells(std::int32_t width, std::int32_t height);
std::string part_off_sheet(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                           const std::string& sheet, std::int32_t sheet_width, std::int64_t sheet_height, bool placed);
std::string continuation_without_sprite();
std::string sheet_beside_description(const std::string& sheet, const std::string& folder, const std::string& beside);
std::string name_not_identifier(const std::string& name);
std::string name_is_keyword(const std::string& name);
std::string name_repeated(const std::string& name, std::int64_t first_line);
std::string name_first_used(const std::string& name);
std::string name_is_generated(const std::string& name, const std::string& what);
std::string name_is_record(const std::string& name, const std::string& sprite, std::int64_t sprite_line);
std::string record_is_sprite_name(const std::string& record, const std::string& sprite, std::int64_t other_line);

std::string failed_for_warnings();
std::string folder_missing(const std::string& folder);
std::string sheet_without_palette(const std::string& sheet);

// Colours the console can't show as the sheet has them. A pixel is given
// as its index and its place on the sheet.
struct PixelText {
    std::int64_t index;
    std::int64_t x;
    std::int64_t y;
};
std::string rows_mixed(const std::string& sprite, const std::string& sheet, const std::vector<PixelText>& rows,
                       std::int64_t shown_row);
std::string hidden_pixels(const std::string& sprite, const std::string& sheet, std::int64_t count,
                          const PixelText& first, std::int64_t row);
std::string sprite_invisible(const std::string& sprite, const std::string& sheet, std::int64_t x, std::int64_t y);
std::string transparent_entry(const std::string& sheet, std::int64_t entry, std::int64_t alpha,
                              std::int64_t more_entries);

// True-colour sheets, at the sheet's line. A colour is given as its red,
// green and blue, a pixel as its place.
std::string colour_text(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
std::string partly_transparent(const std::string& sheet, std::int64_t count, std::int64_t x, std::int64_t y,
                               std::int64_t alpha);
std::string colours_shown_alike(const std::string& sheet, const std::string& first, std::int64_t first_x,
                                std::int64_t first_y, const std::string& second, std::int64_t second_x,
                                std::int64_t second_y);
std::string transparent_from_corner(const std::string& sheet, const std::string& colour);
std::string sprite_named_here(const std::string& sprite);
// --first-row with nothing to act on.
std::string first_row_without_true_colour(std::int32_t row);
std::string first_row_with_given_rows(std::int32_t row, const std::string& palette_file);

// The console's limits.
std::string too_many_cells(std::size_t cells);
std::string sprite_too_many_cells(const std::string& name, std::size_t cells);

}  // namespace warn

// --stats: what a conversion did, on standard error.
void conversion_summary(std::int64_t sprites, std::int64_t parts, std::int64_t cells, std::int64_t empty,
                        std::int64_t distinct, std::int64_t mirrored);

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
std::string expected_jasc_version(std::int64_t line);
std::string expected_jasc_count(std::int64_t line);
std::string jasc_ends_early(std::int64_t given, std::int64_t announced);
std::string jasc_more_colours(std::int64_t line, std::int64_t announced);
std::string too_many_colours(std::int64_t colours);
std::string no_colours();
std::string true_colour_image();
}  // namespace palette_problem

// Why the colour stage can't index a true-colour sheet: the reason after
// "Can't use file NAME: ". `sprites` names a colour unit: one sprite, or
// several that share pixels.
namespace colour_problem {
std::string too_many_colours(const std::vector<std::string>& sprites, std::size_t colours);
// `first_row`: where --first-row starts them, if given.
std::string too_many_rows(const std::vector<std::string>& sheets, std::size_t rows,
                          const std::optional<std::int32_t>& first_row);
std::string no_row_holds(const std::vector<std::string>& sprites, const std::string& palette_file,
                         std::int64_t best_row, const std::vector<std::string>& missing);
}  // namespace colour_problem

}  // namespace pixcell::messages
