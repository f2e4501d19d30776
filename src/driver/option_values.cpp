#include "driver/option_values.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "common/console.h"
#include "common/messages.h"
#include "compress/compress.h"
#include "objects/object_cost.h"
#include "output/counts_file.h"
#include "sheets/palette_file.h"

namespace pixcell {

namespace {

// The value of --transparent as a colour: "RRGGBB" or "#RRGGBB".
std::optional<Rgb> parse_colour(const std::string& value) {
    const std::string digits = !value.empty() && value[0] == '#' ? value.substr(1) : value;
    if (digits.size() != 6 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        return std::nullopt;
    }
    const unsigned long rgb = std::stoul(digits, nullptr, 16);
    return Rgb{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
               static_cast<std::uint8_t>(rgb)};
}

// A file name that ends in ".png", in any case.
bool names_png(const std::string& value) {
    static const std::string png = ".png";
    return value.size() >= png.size() &&
           std::equal(png.begin(), png.end(), value.end() - static_cast<std::ptrdiff_t>(png.size()),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

// The value of --first-row as a palette row: a whole number from 0 to 15.
std::optional<std::int32_t> parse_row(const std::string& value) {
    if (value.empty() || value.size() > 2 || value.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const int row = std::stoi(value);
    if (row >= kPaletteRows) return std::nullopt;
    return row;
}

// Where the description of the counts header of --after ends; nothing, said
// as an option error, when the file isn't such a header or no row is left.
std::optional<ChainEnd> read_chain_end(const std::string& path) {
    const CountsRead read = read_counts_file(path);
    if (!read.opened) {
        messages::option_error(messages::after_unreadable(path));
        return std::nullopt;
    }
    if (!read.valid) {
        messages::option_error(messages::after_not_counts(path, read.line, read.problem));
        return std::nullopt;
    }
    if (read.end.end_row >= kPaletteRows) {
        messages::option_error(messages::after_rows_full(path, read.end.end_row));
        return std::nullopt;
    }
    return read.end;
}

}  // namespace

bool read_option_values(const CommandLine& command_line, ColourOptions& colours, ChainStart& start) {
    if (command_line.transparent) {
        colours.transparent = parse_colour(*command_line.transparent);
        if (!colours.transparent) {
            messages::option_error(messages::option_not_colour("--transparent", *command_line.transparent));
            return false;
        }
    }
    if (command_line.objects && !object_cost(*command_line.objects)) {
        messages::option_error(messages::option_not_cover("--objects", *command_line.objects));
        return false;
    }
    if (command_line.compress && !compress_format(*command_line.compress)) {
        messages::option_error(messages::option_not_compression("--compress", *command_line.compress));
        return false;
    }
    // The preview is a PNG picture: under another name it would be mistaken for one of that kind.
    if (command_line.preview && !names_png(*command_line.preview)) {
        messages::option_error(messages::option_not_png("--preview", *command_line.preview));
        return false;
    }
    if (command_line.after && command_line.first_row) {
        messages::option_error(messages::after_with_first_row());
        return false;
    }
    if (command_line.first_row) {
        colours.first_row = parse_row(*command_line.first_row);
        if (!colours.first_row) {
            messages::option_error(messages::option_not_row("--first-row", *command_line.first_row));
            return false;
        }
        colours.rows_option = "--first-row=" + *command_line.first_row;
        start.first_row = *colours.first_row;
    }
    if (command_line.after) {
        const std::optional<ChainEnd> end = read_chain_end(*command_line.after);
        if (!end) return false;
        colours.first_row = static_cast<std::int32_t>(end->end_row);
        colours.rows_option = "--after=" + *command_line.after;
        start.first_row = *colours.first_row;
        start.first_tile = end->end_tile;
    }
    return true;
}

// The rows --palette-from gives, read once; nothing, with the failure said
// as a sheet's, and a note at the line at fault, when the file can't be used.
std::optional<Palette> read_given_rows(const std::string& path, Diagnostics& diagnostics) {
    PaletteFile file = read_palette_file(path);
    if (!file.opened) {
        messages::cant_open_sheet(path);
        diagnostics.note(messages::warn::palette_from_names(path));
    } else if (!file.colours) {
        messages::cant_use_sheet(path, file.problem);
        if (file.problem_line > 0) {
            diagnostics.note_in(path, file.problem_line, messages::warn::palette_line(file.problem_text));
        }
    }
    return std::move(file.colours);
}

}  // namespace pixcell
