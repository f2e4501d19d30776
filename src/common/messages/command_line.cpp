#include "common/messages/command_line.h"

#include <cstdio>

#include "common/console.h"
#include "common/messages/quoting.h"

namespace pixcell::messages {

using detail::print;
using detail::quoted;
using detail::unquoted;

void usage() { print("Usage: pixcell [options] input \n"); }

void option_error(const std::string& text) { print("pixcell: error: " + text + "\n"); }

std::string option_needs_value(const std::string& option, const std::string& value_name, bool may_go_bare) {
    return option + " needs a value: write " + (may_go_bare ? option + " or " : "") + option + "=" + value_name +
           ", before the input";
}

std::string option_names_input(const std::string& option, const std::string& value, const std::string& input) {
    return option + "=" + unquoted(value) + " names " + unquoted(input) + ", which the run reads: give another file";
}

std::string option_names_output(const std::string& option, const std::string& value) {
    return option + "=" + unquoted(value) + " names a file the run writes itself: give another file";
}

std::string option_not_colour(const std::string& option, const std::string& value) {
    return option + "=" + unquoted(value) + " is not a colour: write six hexadecimal digits RRGGBB, such as " + option +
           "=FF00FF (a '#' before them is allowed)";
}

std::string option_not_row(const std::string& option, const std::string& value) {
    return option + "=" + unquoted(value) + " is not a palette row: write a whole number from 0 to " +
           std::to_string(kPaletteRows - 1) + ", such as " + option + "=2";
}

std::string option_not_png(const std::string& option, const std::string& value) {
    const std::size_t dot = value.rfind('.');
    const std::size_t slash = value.rfind('/');
    const bool extension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = extension ? value.substr(0, dot) : value;
    return option + "=" + unquoted(value) + " doesn't end in .png: the picture is a PNG, give it a name that does, " +
           "such as " + option + "=" + unquoted(stem) + ".png";
}

namespace {

std::string counts_expected() {
    return "give the counts header, NAME_counts.h, that --counts wrote for the description before this one";
}

}  // namespace

std::string after_unreadable(const std::string& file) {
    return "--after=" + unquoted(file) + ": can't read " + unquoted(file) + ": " + counts_expected();
}

std::string after_not_counts(const std::string& file, std::int64_t line, const std::string& problem) {
    return "--after=" + unquoted(file) + " is not a counts header as pixcell writes one" +
           (line > 0 ? " (line " + std::to_string(line) + ": " : " (") + problem + "): " + counts_expected();
}

std::string after_rows_full(const std::string& file, std::int64_t end_row) {
    return "--after=" + unquoted(file) + ": the palette rows of the descriptions up to it end at row " +
           std::to_string(end_row) + ", and the console's last row is " + std::to_string(kPaletteRows - 1) +
           ": no row is left for this one; draw the descriptions before it with fewer rows";
}

std::string after_with_first_row() {
    return "--after and --first-row both place the palette rows: give one of them (--after places them where the "
           "description before ends)";
}

std::string option_not_cover(const std::string& option, const std::string& value) {
    return option + "=" + unquoted(value) + " is not a way to cover sprites: write " + option +
           " (balanced), " + option + "=fewest (fewest objects) or " + option + "=bytes (fewest tile bytes)";
}

std::string option_not_compression(const std::string& option, const std::string& value) {
    return option + "=" + unquoted(value) + " is not a compressed format: write " + option + " (the smallest), " +
           option + "=lz77, " + option + "=rle or " + option + "=huffman";
}

std::string option_path_make_cant_read(const std::string& option, const std::string& value, const std::string& path,
                                       char found) {
    std::string why;
    switch (found) {
    case '\n': why = "it holds a line end"; break;
    case '\t': why = "it holds a tab"; break;
    case '\\': why = "it ends in '\\'"; break;
    case ')': why = "make reads it as a member of an archive, 'ARCHIVE(MEMBER)'"; break;
    default: why = std::string("it holds '") + found + "'"; break;
    }
    return option + "=" + unquoted(value) + ": make can't read " + quoted(path) + " in a rule, " + why +
           ": give the file another name";
}

void help(const std::string& options) {
    const std::string text =
        "Usage: pixcell [options] input [output]\n"
        "\n"
        "Converts the sprite sheets a description names into 16x16 cells of 4-bit tiles for the\n"
        "Game Boy Advance, each distinct cell stored once (a mirror image becomes a flip code), and\n"
        "writes five files for the game's build: OUTPUT.s, OUTPUT.h, OUTPUT_enum.h, OUTPUT_pat.c and\n"
        "OUTPUT_pat.h. Without an output they are named after the input, in the current folder.\n"
        "\n"
        "Options (before the input):\n" +
        options +
        "\n"
        "The description (a text file):\n"
        "  *hero.bmp                    a sheet; the lines below cut from it\n"
        "  hero  0,0 32x32 [0,16] h     a sprite: name, x,y, WxH, [dx,dy] origin offset, flips h v n\n"
        "  +     32,0                   another part of the sprite above\n"
        "  coin                         placed right of the part before, same size\n"
        "  Sizes are rounded to multiples of 16; /* */ comments anywhere, // on lines of their own.\n"
        "\n"
        "Sheets: PNG or BMP. An indexed one keeps its indices: the low 4 bits give the cells, the high 4 each\n"
        "sprite's palette row. A true-colour one (RGBA PNG, 24-bit BMP...) is put in palette rows first.\n"
        "\n"
        "Exit status: 0 when the files were written (or listed); 1 otherwise.\n"
        "More: man pixcell, and the README.\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void version(const std::string& number) {
    const std::string text = "pixcell " + number + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void list_files(const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& path : paths) text += path + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
}

namespace warn {

std::string ignored_option(const std::string& option) {
    return "option " + quoted(option) + " is ignored: -d is the only single-dash option";
}

std::string unknown_option(const std::string& option) { return "unknown option " + quoted(option) + " is ignored"; }

std::string did_you_mean(const std::string& option) { return "did you mean " + quoted(option) + "?"; }

std::string see_help() { return "'pixcell --help' lists the options and the description language"; }

std::string output_starts_with_dash(const std::string& output) {
    return "the output " + quoted(output) + " starts with '-': it names the files " + quoted(output + ".s") +
           " and so on; options go before the input";
}

std::string arguments_after_output(const std::vector<std::string>& arguments) {
    std::string listed;
    for (const std::string& argument : arguments) listed += (listed.empty() ? "" : " ") + quoted(argument);
    return "arguments after the output are ignored: " + listed;
}

std::string ident_not_identifier(const std::string& ident_base, bool from_output) {
    return "the generated identifiers start with " + quoted(ident_base) + ", the " +
           (from_output ? "output's" : "input's") +
           " file name, which is not a C identifier: " + quoted(ident_base + "_chr") + " won't compile";
}

std::string ident_empty(const std::string& argument) {
    return "the output " + quoted(argument) + " ends without a file name: the files are " + quoted(argument + ".s") +
           " and so on, and the generated identifiers start with '_'";
}

std::string how_to_name_output() {
    return "name the output with letters, digits and '_', not starting with a digit, such as 'gfx/sprites'";
}

std::string failed_for_warnings() { return "--werror: the warnings fail the run, no file is written"; }

}  // namespace warn

}  // namespace pixcell::messages
