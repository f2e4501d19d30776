#include "common/messages.h"

#include <cstdio>

#include "common/console.h"
#include "common/error_stream.h"

namespace pixcell::messages {

namespace {

void print(const std::string& line) { write_error_stream(line); }

// How many bytes of a well-formed UTF-8 character start at `at`, 0 when none
// does (a stray continuation byte, an overlong form, a surrogate, a cut one).
std::size_t utf8_length(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned lead = byte(at);
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
    }
    // C1 control characters are well formed but act on a terminal, the line
    // and paragraph separators end a line in some editors, and a byte-order
    // mark prints as nothing: each is shown as its bytes.
    if (lead == 0xC2 && byte(at + 1) < 0xA0) return 0;
    if (lead == 0xE2 && byte(at + 1) == 0x80 && (byte(at + 2) == 0xA8 || byte(at + 2) == 0xA9)) return 0;
    if (lead == 0xEF && byte(at + 1) == 0xBB && byte(at + 2) == 0xBF) return 0;
    return length;
}

// A name or a piece of the description as it appears between `quote`s in a
// message: C's escapes for a line end, a tab, a backslash and the quote, and
// \xHH for every other control byte and every byte that isn't UTF-8, so that
// a message stays on its one line and reads the same in any terminal.
std::string escaped(const std::string& text, char quote) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) {
            if (const std::size_t length = utf8_length(text, i)) {
                out.append(text, i, length);
                i += length;
                continue;
            }
        }
        ++i;
        switch (byte) {
        case '\n': out += "\\n"; continue;
        case '\r': out += "\\r"; continue;
        case '\t': out += "\\t"; continue;
        case '\\': out += "\\\\"; continue;
        default: break;
        }
        if (byte < 0x20 || byte >= 0x7F) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else if (byte == static_cast<unsigned char>(quote)) {
            out += '\\';
            out += quote;
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

std::string quoted(const std::string& text) { return "'" + escaped(text, '\'') + "'"; }

std::string double_quoted(const std::string& text) { return "\"" + escaped(text, '"') + "\""; }

// A file name that stands in a message without quotes.
std::string unquoted(const std::string& text) { return escaped(text, '\0'); }

}  // namespace

void usage() { print("Usage: pixcell [options] input \n"); }

void cant_open_input(const std::string& path) { print("Error: Can't open file '" + path + "'\n"); }

void illegal_input() { print("Illegal input file\n"); }

void cant_open_sheet(const std::string& name) { print("Can't open file " + name + "\n"); }

void cant_use_sheet(const std::string& name, const std::string& reason) {
    print("Can't use file " + name + ": " + reason + "\n");
}

void sprite_skipped(const std::string& bitmap, const std::string& sprite) {
    print("[" + bitmap + "] not found. obj:" + sprite + " skipped...\n");
}

void cant_write_file(const std::string& name) { print("Error: Can't write file '" + name + "'\n"); }

std::string preview_too_large(std::int64_t width, std::int64_t height, std::int64_t most) {
    return "the picture would be " + std::to_string(width) + "x" + std::to_string(height) + " pixels, more than " +
           std::to_string(most) + " in all";
}

std::string preview_not_encoded() { return "the PNG encoder failed"; }

void cant_make_preview(const std::string& name, const std::string& reason) {
    print("Error: Can't write file '" + name + "': " + reason + "\n");
}

void cant_remove_temporary(const std::string& name) { print("Error: Can't remove temporary file '" + name + "'\n"); }

void option_error(const std::string& text) { print("pixcell: error: " + text + "\n"); }

std::string option_needs_value(const std::string& option, const std::string& value_name) {
    return option + " needs a value: write " + option + "=" + value_name + ", before the input";
}

std::string option_names_input(const std::string& option, const std::string& value, const std::string& input) {
    return option + "=" + unquoted(value) + " names " + unquoted(input) + ", which the run reads: give another file";
}

std::string option_names_output(const std::string& option, const std::string& value) {
    return option + "=" + unquoted(value) + " names a file the run writes itself: give another file";
}

std::string option_not_colour(const std::string& option, const std::string& value) {
    return option + "=" + unquoted(value) + " is not a colour: write six hexadecimal digits RRGGBB, such as " +
           option + "=FF00FF (a '#' before them is allowed)";
}

std::string option_not_row(const std::string& option, const std::string& value) {
    return option + "=" + unquoted(value) + " is not a palette row: write a whole number from 0 to " +
           std::to_string(kPaletteRows - 1) + ", such as " + option + "=2";
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

namespace {

std::string lines(std::int64_t count) { return std::to_string(count) + (count == 1 ? " line" : " lines"); }

}  // namespace

std::string ignored_option(const std::string& option) {
    return "option " + quoted(option) + " is ignored: -d is the only single-dash option";
}

std::string unknown_option(const std::string& option) { return "unknown option " + quoted(option) + " is ignored"; }

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

std::string reading_stopped(const std::string& excerpt, std::int64_t lines_not_read) {
    return "reading stopped here, at " + double_quoted(excerpt) + ": " + lines(lines_not_read) +
           " from here to the end " + (lines_not_read == 1 ? "is" : "are") + " not read";
}

std::string cause_comment_joins_lines() {
    return "a // comment takes the line end with it, so this entry runs on into the next line; write comments on "
           "entry lines as /* ... */";
}

std::string cause_no_line_end() { return "the last line has no line end: end the file with a new line"; }

std::string cause_short_name() { return "a name needs at least two characters"; }

std::string cause_name_starts_with_digit() { return "a name must not start with a digit"; }

std::string cause_name_holds_blank() { return "a name must not hold a blank: write '_' instead"; }

std::string cause_after_file_name() {
    return "nothing may follow a sheet's file name on its line, not even a blank or a comment";
}

std::string cause_unclosed_comment() { return "a /* comment that is never closed with */ is not a comment"; }

std::string cause_number_too_big() {
    return "a number doesn't fit 32 bits: decimals go from -2147483648 to 2147483647, hexadecimals up to $FFFFFFFF";
}

std::string cause_no_file_name() { return "the sheet's file name must follow the '*' directly"; }

std::string cause_fields() {
    return "an entry line is a name, then optionally x,y then WxH then [dx,dy] then flip letters, in this order";
}

std::string description_start(const std::string& found) {
    const std::string start = "a description starts with a sheet line such as \"*sprites.bmp\"";
    if (found.empty()) return start + "; this one has none";
    // The mark prints as nothing, so the line would seem to start right.
    if (found.rfind("\xEF\xBB\xBF", 0) == 0) {
        return start + "; it starts with a UTF-8 byte-order mark: save it without one";
    }
    return start + "; it starts with " + double_quoted(found);
}

std::string input_is_image(const std::string& kind) {
    return "the input looks like a " + kind +
           " image, not a description: give the description as the input, and name the sheet in it";
}

std::string size_rounded(std::int32_t width, std::int32_t height, std::int32_t rounded_width,
                         std::int32_t rounded_height) {
    return "size " + std::to_string(width) + "x" + std::to_string(height) + " is not a multiple of 16: it becomes " +
           std::to_string(rounded_width) + "x" + std::to_string(rounded_height);
}

std::string part_without_cells(std::int32_t width, std::int32_t height) {
    return "a part of size " + std::to_string(width) + "x" + std::to_string(height) + " has no cells";
}

std::string part_off_sheet(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                           const std::string& sheet, std::int32_t sheet_width, std::int64_t sheet_height, bool placed) {
    return "the part at " + std::to_string(x) + "," + std::to_string(y) + " (" + std::to_string(width) + "x" +
           std::to_string(height) + (placed ? ", placed after the part before it" : "") +
           ") lies wholly outside its sheet " + quoted(sheet) + " (" + std::to_string(sheet_width) + "x" +
           std::to_string(sheet_height) + "): it has no cells";
}

std::string continuation_without_sprite() {
    return "a '+' line adds a part to the sprite named above it, but no sprite is named before it: the part is "
           "left out";
}

std::string sheet_beside_description(const std::string& sheet, const std::string& folder, const std::string& beside) {
    return "sheet names are read from the folder pixcell runs in, and " + quoted(sheet) +
           " is not there but beside the description, in " + quoted(folder) + ": run pixcell in " + quoted(folder) +
           ", or write the sheet line as " + quoted("*" + beside);
}

std::string name_not_identifier(const std::string& name) {
    return "sprite name " + quoted(name) +
           " is not a C identifier (letters, digits and '_', not starting with a digit): the generated C won't "
           "compile";
}

std::string name_is_keyword(const std::string& name) {
    return "sprite name " + quoted(name) + " is a C keyword: the generated C won't compile";
}

std::string name_repeated(const std::string& name, std::int64_t first_line) {
    return "sprite name " + quoted(name) + " was already used on line " + std::to_string(first_line) +
           ": the generated C declares it twice";
}

std::string name_first_used(const std::string& name) { return quoted(name) + " is first used here"; }

std::string name_is_generated(const std::string& name, const std::string& what) {
    return "sprite name " + quoted(name) + " is also " + what + ": the generated C won't compile";
}

std::string name_is_record(const std::string& name, const std::string& sprite, std::int64_t sprite_line) {
    return "sprite name " + quoted(name) + " is also the pattern record of sprite " + quoted(sprite) + " on line " +
           std::to_string(sprite_line) + ": the generated C won't compile";
}

std::string record_is_sprite_name(const std::string& record, const std::string& sprite, std::int64_t other_line) {
    return "the pattern record " + quoted(record) + " of sprite " + quoted(sprite) +
           " has the name of the sprite on line " + std::to_string(other_line) + ": the generated C won't compile";
}

std::string failed_for_warnings() { return "--werror: the warnings fail the run, no file is written"; }

std::string folder_missing(const std::string& folder) {
    return "the folder " + quoted(folder) + " does not exist: pixcell makes no folders, create it first";
}

std::string sheet_without_palette(const std::string& sheet) {
    return "sheet " + quoted(sheet) + " has no colour table: no palette array is written for it";
}

namespace {

std::string pixel(const PixelText& at) {
    return "index " + std::to_string(at.index) + " at " + std::to_string(at.x) + "," + std::to_string(at.y);
}

// "indices 17 to 31": the colours a cell can show in `row`.
std::string row_indices(std::int64_t row) {
    return "indices " + std::to_string(row * kRowColours + 1) + " to " + std::to_string(row * kRowColours + 15);
}

}  // namespace

std::string rows_mixed(const std::string& sprite, const std::string& sheet, const std::vector<PixelText>& rows,
                       std::int64_t shown_row) {
    std::string numbers;
    std::string pixels;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const char* between = i == 0 ? "" : i + 1 == rows.size() ? " and " : ", ";
        numbers += between + std::to_string(rows[i].index >> kRowShift);
        pixels += (i == 0 ? "" : "; ") + pixel(rows[i]);
    }
    return "sprite " + quoted(sprite) + " takes its colours from palette rows " + numbers + " of sheet " +
           quoted(sheet) + " (" + pixels + "), but the console shows a sprite in one row: all of it shows in row " +
           std::to_string(shown_row) + ", the row of its first pixel; draw it with the " + row_indices(shown_row) +
           ", or those of one other row";
}

std::string hidden_pixels(const std::string& sprite, const std::string& sheet, std::int64_t count,
                          const PixelText& first, std::int64_t row) {
    return "sprite " + quoted(sprite) + " has " + std::to_string(count) + (count == 1 ? " pixel" : " pixels") +
           " of index 16, 32, ... on sheet " + quoted(sheet) + " (the first: " + pixel(first) +
           "), which the console shows transparent, as it shows index 0: draw them with the " + row_indices(row) +
           " of its row " + std::to_string(row) + ", or with 0 where they are meant to be transparent";
}

std::string sprite_invisible(const std::string& sprite, const std::string& sheet, std::int64_t x, std::int64_t y) {
    return "sprite " + quoted(sprite) + " has not one pixel the console shows on sheet " + quoted(sheet) +
           " (its part at " + std::to_string(x) + "," + std::to_string(y) +
           " is all transparent, or of index 16, 32, ...): it gets a null slot in the pattern table; draw it, or "
           "remove its lines";
}

std::string transparent_entry(const std::string& sheet, std::int64_t entry, std::int64_t alpha,
                              std::int64_t more_entries) {
    return "sheet " + quoted(sheet) + " makes palette entry " + std::to_string(entry) +
           (alpha == 0 ? " transparent" : " partly transparent") + " (alpha " + std::to_string(alpha) +
           " in its tRNS chunk" +
           (more_entries > 0 ? ", and " + std::to_string(more_entries) +
                                   (more_entries == 1 ? " more entry" : " more entries")
                             : std::string()) +
           "), but the console shows entry 0 of each row transparent and every other entry opaque: save the sheet "
           "with its transparent colour at entry 0 (or 16, 32, ... for the other rows)";
}

std::string colour_text(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", red, green, blue);
    return text;
}

std::string partly_transparent(const std::string& sheet, std::int64_t count, std::int64_t x, std::int64_t y,
                               std::int64_t alpha) {
    return "sheet " + quoted(sheet) + " has " + std::to_string(count) + (count == 1 ? " pixel" : " pixels") +
           " neither opaque nor transparent (the first at " + std::to_string(x) + "," + std::to_string(y) +
           ", alpha " + std::to_string(alpha) +
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

std::string first_row_without_true_colour(std::int32_t row) {
    return "--first-row=" + std::to_string(row) +
           " does nothing here: no sheet of this run is true colour, and indexed sheets keep the rows they are "
           "drawn in";
}

std::string first_row_with_given_rows(std::int32_t row, const std::string& palette_file) {
    return "--first-row=" + std::to_string(row) + " does nothing with --palette-from: the sprites take the rows of " +
           unquoted(palette_file) + " that hold their colours";
}

std::string too_many_cells(std::size_t cells) {
    return std::to_string(cells) + " distinct cells take " + std::to_string(cells * kCellBytes) +
           " bytes, more than the " + std::to_string(kSpriteTileMemoryBytes) + " bytes (" +
           std::to_string(kCellsInSpriteTileMemory) + " cells) of sprite tile memory in the tile modes";
}

std::string sprite_too_many_cells(const std::string& name, std::size_t cells) {
    return "sprite " + quoted(name) + " has " + std::to_string(cells) + " cells, more than the console's " +
           std::to_string(kObjectCount) + " hardware sprites";
}

}  // namespace warn

void conversion_summary(std::int64_t sprites, std::int64_t parts, std::int64_t cells, std::int64_t empty,
                        std::int64_t distinct, std::int64_t mirrored) {
    const std::int64_t bytes = distinct * static_cast<std::int64_t>(kCellBytes);
    char share[32];
    std::snprintf(share, sizeof share, "%.1f", 100.0 * static_cast<double>(bytes) / kSpriteTileMemoryBytes);
    print("pixcell: " + std::to_string(sprites) + " sprites, " + std::to_string(parts) + " parts, " +
          std::to_string(cells) + " cells cut (" + std::to_string(empty) + " empty), " + std::to_string(distinct) +
          " distinct cells stored, " + std::to_string(mirrored) + " matched as a mirror image, " +
          std::to_string(bytes) + " bytes of sprite tile memory (" + share + " % of 32 KB)\n");
}

namespace sheet_problem {

std::string too_large_for_memory() { return "too large to load into memory"; }

std::string changed_while_read() { return "the file changed while it was read, it is shorter now"; }

std::string unknown_format(std::size_t size) {
    if (size == 0) return "an empty file, neither a BMP nor a PNG image";
    return "neither a BMP nor a PNG image, it starts with neither \"BM\" nor the PNG signature";
}

std::string other_image(const std::string& kind) { return kind + ": save it as PNG or BMP"; }

std::string too_short(std::size_t size) {
    return "only " + std::to_string(size) + (size == 1 ? " byte" : " bytes") + ", too short for a BMP file";
}

std::string old_bmp_header(std::uint32_t info_size) {
    return "old BMP header of " + std::to_string(info_size) + " bytes, save it as a Windows BMP";
}

std::string bits_per_pixel(std::uint32_t bits) {
    return std::to_string(bits) + " bits per pixel, only 1, 4, 8, 16, 24 and 32 are supported";
}

std::string bmp_not_indexed(std::uint32_t bits) {
    return std::to_string(bits) + " bits per pixel, only 1, 4 and 8 (a palette image) are supported";
}

std::string compression(std::uint32_t method) {
    const char* name = method == 4 ? " (JPEG)" : method == 5 ? " (PNG)" : "";
    return "compression " + std::to_string(method) + name +
           ", only uncompressed, RLE8, RLE4 and bit-field pixel data are supported";
}

std::string rle_bits(std::uint32_t method, std::uint32_t bits) {
    const std::string rle = method == 1 ? "RLE8" : "RLE4";
    return rle + " compression with " + std::to_string(bits) + " bits per pixel, it needs " + (method == 1 ? "8" : "4");
}

std::string bit_fields_bits(std::uint32_t method, std::uint32_t bits) {
    const std::string fields = method == 3 ? "bit fields (compression 3)" : "bit fields with alpha (compression 6)";
    return fields + " with " + std::to_string(bits) + " bits per pixel, they need 16 or 32";
}

std::string bad_mask(const std::string& channel, std::uint32_t mask) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", mask);
    return "the " + channel + " bit-field mask " + hex + " is not one run of bits";
}

std::string bad_width(std::int32_t width) { return "width " + std::to_string(width) + ", it must be at least 1"; }

std::string zero_height() { return "height 0, it must not be 0"; }

std::string rle_top_down() {
    return "RLE pixel data stored top-down (negative height), which BMP doesn't allow; save it bottom-up";
}

std::string too_many_pixels(std::int64_t width, std::int64_t height, std::int64_t limit) {
    return std::to_string(width) + "x" + std::to_string(height) + " pixels, more than the " + std::to_string(limit) +
           " a compressed sheet may have";
}

std::string too_many_true_colour_pixels(std::int64_t width, std::int64_t height, std::int64_t limit) {
    return std::to_string(width) + "x" + std::to_string(height) + " pixels, more than the " + std::to_string(limit) +
           " a true-colour sheet may have";
}

std::string true_colour_too_wide(std::int64_t width, std::int64_t limit) {
    return "width " + std::to_string(width) + ", more than the " + std::to_string(limit) +
           " pixels a true-colour PNG sheet may have";
}

std::string pixels_cut_short(std::uint64_t needed, std::size_t size) {
    return "the pixel data needs " + std::to_string(needed) + " bytes but the file has only " + std::to_string(size) +
           ", it is cut short";
}

std::string pixels_inside_headers(std::uint64_t offset, std::uint64_t headers_end) {
    return "the pixel data starts at byte " + std::to_string(offset) + ", inside the headers, which end at byte " +
           std::to_string(headers_end);
}

std::string rle_cut_short(std::size_t at) {
    return "the RLE pixel data ends at byte " + std::to_string(at) + " before its end-of-bitmap code, it is cut short";
}

std::string png_not_indexed(int colour_type) {
    const char* kind = colour_type == 0   ? "greyscale"
                       : colour_type == 2 ? "truecolour"
                       : colour_type == 4 ? "greyscale with alpha"
                       : colour_type == 6 ? "truecolour with alpha"
                                          : "non-indexed";
    return std::string("a ") + kind + " PNG (colour type " + std::to_string(colour_type) +
           "), save it as an indexed (palette) image";
}

std::string png_no_palette() { return "an indexed PNG without its palette (no PLTE chunk)"; }

std::string png_bad_crc() { return "a PNG chunk's CRC doesn't match its data, the file is damaged"; }

std::string png_cut_short() { return "the PNG data ends early, the file is cut short"; }

std::string png_chunks_too_large(std::size_t chunk_limit, std::size_t total_limit) {
    return "PNG text or metadata chunks larger than allowed (" + std::to_string(chunk_limit >> 20) + " MiB a chunk, " +
           std::to_string(total_limit >> 20) + " MiB in all)";
}

std::string png_damaged(const std::string& detail) { return "a damaged PNG file (" + detail + ")"; }

}  // namespace sheet_problem

namespace palette_problem {

namespace {

std::string at_line(std::int64_t line) { return "line " + std::to_string(line) + ": "; }

}  // namespace

std::string expected_hex_colour(std::int64_t line) { return at_line(line) + "expected a colour as RRGGBB or #RRGGBB"; }

std::string expected_decimal_colour(std::int64_t line) {
    return at_line(line) + "expected a colour as three numbers from 0 to 255 (red, green, blue)";
}

std::string expected_jasc_version(std::int64_t line) {
    return at_line(line) + "expected 0100, the version of a JASC-PAL file";
}

std::string expected_jasc_count(std::int64_t line) {
    return at_line(line) + "expected the number of colours of the JASC-PAL file";
}

std::string jasc_ends_early(std::int64_t given, std::int64_t announced) {
    return "the file ends after " + std::to_string(given) + " of the " + std::to_string(announced) +
           " colours that its line 3 announces";
}

std::string jasc_more_colours(std::int64_t line, std::int64_t announced) {
    return at_line(line) + "more colours than the " + std::to_string(announced) + " that line 3 announces";
}

std::string too_many_colours(std::int64_t colours) {
    return std::to_string(colours) + " colours, more than the " + std::to_string(kPaletteRows * kRowColours) +
           " of the console's sprite palette";
}

std::string no_colours() { return "no colour in the file"; }

std::string true_colour_image() {
    return "a true-colour image, which has no colour table: give an indexed PNG or BMP, or a palette file";
}

}  // namespace palette_problem

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
                          const std::optional<std::int32_t>& first_row) {
    const std::string from = first_row ? " from row " + std::to_string(*first_row) + " on" : "";
    return "the sprites of " + std::string(sheets.size() == 1 ? "this sheet" : "the sheets " + listed(sheets, false)) +
           " need " + std::to_string(rows) + " palette rows of 15 colours" + from +
           ", more than the console's 16: draw them with fewer colours, or with more colours in common" +
           (first_row && *first_row > 0 ? ", or start them at a lower --first-row" : "");
}

std::string no_row_holds(const std::vector<std::string>& sprites, const std::string& palette_file,
                         std::int64_t best_row, const std::vector<std::string>& missing) {
    return "no palette row of " + unquoted(palette_file) + " holds every colour of " + unit(sprites) + ": row " +
           std::to_string(best_row) + " holds the most, but not " + listed(missing, false) + "; add " +
           (missing.size() == 1 ? "it" : "them") + " to a row, or draw the sprite with the colours of one row";
}

}  // namespace colour_problem

}  // namespace pixcell::messages
