// The messages of the colour stage: what a true-colour sheet's colours are
// warned about, and why its sprites can't be put in palette rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pixcell::messages {

// True-colour sheets, at the sheet's line. A colour is given as its red,
// green and blue, a pixel as its place.
namespace warn {
std::string colour_text(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
std::string partly_transparent(const std::string& sheet, std::int64_t count, std::int64_t x, std::int64_t y,
                               std::int64_t alpha);
std::string colours_shown_alike(const std::string& sheet, const std::string& first, std::int64_t first_x,
                                std::int64_t first_y, const std::string& second, std::int64_t second_x,
                                std::int64_t second_y);
std::string transparent_from_corner(const std::string& sheet, const std::string& colour);
std::string sprite_named_here(const std::string& sprite);
// --palette-from and --first-row with nothing to act on.
std::string palette_from_unused(const std::string& file);
std::string first_row_without_sheets(std::int32_t row);
std::string first_row_with_given_rows(std::int32_t row, const std::string& palette_file);
}  // namespace warn

// Why the colour stage can't index a true-colour sheet: the reason after
// "Can't use file NAME: ". `sprites` names a colour unit: one sprite, or
// several that share pixels.
namespace colour_problem {
std::string too_many_colours(const std::vector<std::string>& sprites, std::size_t colours);
// `first_row`: where --first-row (or --after, `after`) starts them, if given.
std::string too_many_rows(const std::vector<std::string>& sheets, std::size_t rows,
                          const std::optional<std::int32_t>& first_row, bool after = false);
// No `rows` rows in a row from row `from` on are clear of the rows the
// indexed sheets' sprites take, `taken`.
std::string rows_taken(const std::vector<std::string>& sheets, std::size_t rows, std::size_t from,
                       const std::vector<std::int32_t>& taken);
// A sprite of an indexed sheet whose row `drawn` the option (as given, such
// as "--first-row=3") moves to `moved`, past row 15.
std::string row_moved_too_far(const std::string& sprite, std::int32_t drawn, const std::string& option,
                              std::int32_t moved);
// `more_sprites`: how many other sprites lack the same colours of the same row.
std::string no_row_holds(const std::vector<std::string>& sprites, std::size_t more_sprites,
                         const std::string& palette_file, std::int64_t best_row,
                         const std::vector<std::string>& missing);
}  // namespace colour_problem

}  // namespace pixcell::messages
