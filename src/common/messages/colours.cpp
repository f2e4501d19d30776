#include "common/messages/colours.h"

#include <cstdio>

#include "common/console.h"
#include "common/messages/quoting.h"

namespace pixcell::messages {

using detail::quoted;
using detail::unquoted;

namespace warn {

std::string colour_text(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", red, green, blue);
    return text;
}

std::string partly_transparent(const std::string& sheet, std::int64_t count, std::int64_t x, std::int64_t y,
                               std::int64_t alpha) {
    return "sheet " + quoted(sheet) + " has " + std::to_string(count) + (count == 1 ? " pixel" : " pixels") +
           " neither opaque nor transparent (the first at " + std::to_string(x) + "," + std::to_string(y) + ", alpha " +
           std::to_string(alpha) +
           "), but the console shows a pixel or not: those of alpha 128 and above show opaque, the others "
           "transparent; save them with alpha 0 or 255";
}

std::string colours_shown_alike(const std::string& sheet, const std::string& first, std::int64_t first_x,
                                std::int64_t first_y, const std::string& second, std::int64_t second_x,
                                std::int64_t second_y) {
    return "sheet " + quoted(sheet) + " has colours " + first + " (at " + std::to_string(first_x) + "," +
           std::to_string(first_y) + ") and " + second + " (at " + std::to_string(second_x) + "," +
           std::to_string(second_y) +
           "), which differ only below the 5 bits a channel the console keeps: it shows them as one colour; "
           "make them one colour, or draw them further apart";
}

std::string transparent_from_corner(const std::string& sheet, const std::string& colour) {
    return "sheet " + quoted(sheet) + " has no transparency: its top-left pixel's colour " + colour +
           " is taken as transparent; name another with --transparent=RRGGBB";
}

std::string sprite_named_here(const std::string& sprite) { return "sprite " + quoted(sprite) + " is named here"; }

namespace {

// Indexed sheets keep their rows, so options for the rows of true-colour
// sheets have nothing to act on in a run without one.
std::string without_true_colour(const std::string& option) {
    return option +
           " does nothing here: no sheet of this run is true colour, and indexed sheets keep the rows they are "
           "drawn in";
}

}  // namespace

std::string palette_from_unused(const std::string& file) {
    return without_true_colour("--palette-from=" + unquoted(file));
}

std::string first_row_without_sheets(std::int32_t row) {
    return "--first-row=" + std::to_string(row) + " does nothing here: no sheet of this run loaded, so no row moves";
}

std::string first_row_with_given_rows(std::int32_t row, const std::string& palette_file) {
    return "--first-row=" + std::to_string(row) + " does nothing with --palette-from: the sprites take the rows of " +
           unquoted(palette_file) + " that hold their colours";
}

}  // namespace warn

namespace colour_problem {

namespace {

// "'a'", "'a' and 'b'", "'a', 'b' and 'c'".
std::string listed(const std::vector<std::string>& names, bool quote) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += i == 0 ? "" : i + 1 == names.size() ? " and " : ", ";
        text += quote ? quoted(names[i]) : unquoted(names[i]);
    }
    return text;
}

std::string unit(const std::vector<std::string>& sprites) {
    return sprites.size() == 1 ? "sprite " + listed(sprites, true)
                               : "sprites " + listed(sprites, true) + ", which share pixels,";
}

}  // namespace

std::string too_many_colours(const std::vector<std::string>& sprites, std::size_t colours) {
    return unit(sprites) + " " + (sprites.size() == 1 ? "has " : "have ") + std::to_string(colours) +
           " colours besides transparent, more than the 15 of a palette row: draw " +
           (sprites.size() == 1 ? "it" : "them") + " with at most 15";
}

std::string too_many_rows(const std::vector<std::string>& sheets, std::size_t rows,
                          const std::optional<std::int32_t>& first_row, bool after) {
    const std::string from = first_row ? " from row " + std::to_string(*first_row) + " on" : "";
    return "the sprites of " + std::string(sheets.size() == 1 ? "this sheet" : "the sheets " + listed(sheets, false)) +
           " need " + std::to_string(rows) + " palette rows of 15 colours" + from +
           ", more than the console's 16: draw them with fewer colours, or with more colours in common" +
           (first_row && *first_row > 0 ? (after ? ", or put this description earlier in the chain of --after"
                                                 : ", or start them at a lower --first-row")
                                        : "");
}

std::string rows_taken(const std::vector<std::string>& sheets, std::size_t rows, std::size_t from,
                       const std::vector<std::int32_t>& taken) {
    std::vector<std::string> numbers;
    for (const std::int32_t row : taken) numbers.push_back(std::to_string(row));
    return "the sprites of " + std::string(sheets.size() == 1 ? "this sheet" : "the sheets " + listed(sheets, false)) +
           (rows == 1 ? " need a palette row" : " need " + std::to_string(rows) + " palette rows one after another") +
           " from row " + std::to_string(from) +
           " on, but the sprites of the indexed sheets of this run are drawn in " +
           (numbers.size() == 1 ? "row " : "rows ") + listed(numbers, false) + ", and " +
           (rows == 1 ? "no other row is" : "no " + std::to_string(rows) + " other rows in a row are") +
           " left up to row 15: draw them with fewer colours, or the indexed sprites in fewer rows" +
           (from > 0 ? ", or start the rows lower" : "");
}

std::string row_moved_too_far(const std::string& sprite, std::int32_t drawn, const std::string& option,
                              std::int32_t moved) {
    return "sprite " + quoted(sprite) + " is drawn in palette row " + std::to_string(drawn) + ", which " +
           unquoted(option) + " moves to row " + std::to_string(moved) +
           ", past the console's last row, 15: draw it in a lower row, or move the rows less";
}

std::string no_row_holds(const std::vector<std::string>& sprites, std::size_t more_sprites,
                         const std::string& palette_file, std::int64_t best_row,
                         const std::vector<std::string>& missing) {
    const std::string others = more_sprites == 0
                                   ? ""
                                   : " nor of " + std::to_string(more_sprites) +
                                         (more_sprites == 1 ? " more sprite that lacks" : " more sprites that lack") +
                                         " the same colours";
    return "no palette row of " + unquoted(palette_file) + " holds every colour of " + unit(sprites) + others +
           ": row " + std::to_string(best_row) + " holds the most, but not " + listed(missing, false) + "; add " +
           (missing.size() == 1 ? "it" : "them") + " to a row, or draw the " +
           (more_sprites == 0 ? "sprite" : "sprites") + " with the colours of one row";
}

}  // namespace colour_problem

}  // namespace pixcell::messages
