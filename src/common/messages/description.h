// The messages of the description: a file that can't be read or doesn't
// start as the language does, where and why reading stopped, and what its
// entry lines are warned about.
#pragma once

#include <cstdint>
#include <string>

namespace pixcell::messages {

void cant_open_input(const std::string& path);
void illegal_input();

namespace warn {

std::string reading_stopped(const std::string& excerpt, std::int64_t lines_not_read);
std::string cause_comment_joins_lines();
std::string cause_no_line_end();
std::string cause_short_name();
std::string cause_name_starts_with_digit();
std::string cause_name_holds_blank();
std::string cause_after_file_name();
std::string cause_no_file_name();
std::string comments_are();
std::string hex_after_dollar(const std::string& digits);
std::string cause_fields();
std::string cause_unclosed_comment();
std::string cause_number_too_big();
// What an entry line could have gone on with where its fields stop.
enum FieldExpected : unsigned {
    kExpectPosition = 1u << 0,
    kExpectSize = 1u << 1,
    kExpectOrigin = 1u << 2,
    kExpectFlips = 1u << 3,
    kExpectLineEnd = 1u << 4,
    kExpectNumber = 1u << 5,
    kExpectHexDigits = 1u << 6,
    kExpectComma = 1u << 7,
    kExpectLowerX = 1u << 8,
    kExpectCloseBracket = 1u << 9,
};
// `found` is the text from there to the next blank, empty at the line end
// (or, with `file_end`, the end of the file); `expected` FieldExpected bits.
std::string fields_stop(const std::string& found, bool file_end, unsigned expected);
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

}  // namespace warn

}  // namespace pixcell::messages
