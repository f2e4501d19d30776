#include "common/messages/description.h"

#include <cstring>
#include <vector>

#include "common/messages/quoting.h"

namespace pixcell::messages {

using detail::double_quoted;
using detail::print;
using detail::quoted;

void cant_open_input(const std::string& path) { print("Error: Can't open file '" + path + "'\n"); }

void illegal_input() { print("Illegal input file\n"); }

namespace warn {

namespace {

std::string lines(std::int64_t count) { return std::to_string(count) + (count == 1 ? " line" : " lines"); }

}  // namespace

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

std::string comments_are() { return "comments are written // to the end of the line or /* ... */, not with '#'"; }

std::string hex_after_dollar(const std::string& digits) {
    return "hexadecimal numbers are written after '$', as $" + digits + ", not 0x" + digits;
}

std::string cause_no_file_name() { return "the sheet's file name must follow the '*' directly"; }

std::string cause_fields() {
    return "an entry line is a name, then optionally x,y then WxH then [dx,dy] then flip letters, in this order";
}

std::string fields_stop(const std::string& found, bool file_end, unsigned expected) {
    static const struct {
        unsigned bit;
        const char* text;
    } kAlternatives[] = {
        {kExpectPosition, "a position x,y"},
        {kExpectSize, "a size WxH"},
        {kExpectOrigin, "an origin [dx,dy]"},
        {kExpectFlips, "flip letters"},
        {kExpectLineEnd, "the line end"},
        {kExpectNumber, "a number"},
        {kExpectHexDigits, "hexadecimal digits after '$'"},
        {kExpectComma, "','"},
        {kExpectLowerX, "'x'"},
        {kExpectCloseBracket, "']'"},
    };
    std::vector<const char*> alternatives;
    for (const auto& alternative : kAlternatives) {
        if (expected & alternative.bit) alternatives.push_back(alternative.text);
    }
    std::string text =
        "at " +
        (found.empty() ? std::string(file_end ? "the end of the file" : "the line end") : double_quoted(found)) +
        ", expected ";
    for (std::size_t i = 0; i < alternatives.size(); ++i) {
        text += i == 0 ? "" : i + 1 == alternatives.size() ? " or " : ", ";
        text += alternatives[i];
    }
    // The rule the line most likely broke, told by what stands there.
    const char first = found.empty() ? '\0' : found[0];
    const bool letter = (first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z');
    if ((first == 'X' && (expected & kExpectLowerX)) || (first == 'x' && (expected & kExpectComma))) {
        return text + ": a size is WIDTHxHEIGHT with a lower-case x and no blanks, such as 16x32";
    }
    if (first == '.' || (expected & (kExpectNumber | kExpectHexDigits))) {
        return text + ": numbers are whole, decimal (16, -8) or hexadecimal after '$' ($1F, -$10)";
    }
    if (expected & kExpectCloseBracket) return text + ": an origin is [dx,dy] and ends with ']'";
    if (letter && (expected & kExpectFlips)) {
        return text + ": flip letters are h (left-right) and v (top-bottom), and n, which clears them";
    }
    if (expected & kExpectComma) return text + ": x,y and [dx,dy] take a ',' between their two numbers";
    if (std::strchr("hvnHVN", first) != nullptr && first != '\0') {
        return text + ": flip letters stand together, with no blank between them, such as hv";
    }
    return text;
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

}  // namespace warn

}  // namespace pixcell::messages
