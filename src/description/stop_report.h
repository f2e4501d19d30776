// Why reading ended before the end of a description: the language ends
// reading at the first line that doesn't fit it and keeps what came before,
// so the reader must say where that was, and why, when the line was meant.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pixcell {

struct StopReport {
    std::int64_t line = 0;            // where reading stopped, from 1
    std::string excerpt;              // the start of that line's text
    std::int64_t lines_not_read = 0;  // that line and those after it
    std::string cause;                // in words
    bool sheet_line = false;          // the line starts with "*"
    // An entry line whose fields don't fit: the first thing no field takes,
    // and what was expected there, in words, at its line (a comment may have
    // carried the entry over a line end) and column (a byte count from 1).
    // A number written "0x10" before that column, as C writes hexadecimal:
    // where it starts, and its digits.
    struct HexNumber {
        std::int64_t line = 0;
        std::int64_t column = 0;
        std::string digits;
    };
    struct FieldsStop {
        std::int64_t line = 0;
        std::int64_t column = 0;
        std::string text;
        bool at_hash = false;  // what stands there starts with '#', as a comment of other languages does
        std::optional<HexNumber> hex;
    };
    std::optional<FieldsStop> fields;
};

// Nothing when only white space and comments follow `stop`.
std::optional<StopReport> why_reading_stopped(const char* first, const char* stop, const char* last);

// What an input that isn't a description at all looks like: "BMP" or "PNG"
// when it starts as an image does, else empty.
std::string image_kind(const char* first, const char* last);

}  // namespace pixcell
