#include "description/stop_report.h"

#include <cstring>
#include <tuple>
#include <utility>

#include "common/messages.h"
#include "description/field_stop.h"
#include "description/grammar.h"
#include "description/source_lines.h"

namespace pixcell {

namespace {

constexpr std::size_t kExcerptLength = 40;
constexpr std::size_t kFoundLength = 16;  // of what stands where the fields stop

bool is_line_end(char c) { return c == '\n' || c == '\r'; }
bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Past white space and the comments the language skips: "//" to its line
// end, "/*" to the first "*/" (one never closed is text).
const char* skip_white_and_comments(const char* at, const char* last) {
    for (;;) {
        while (at != last && grammar_detail::is_white(static_cast<unsigned char>(*at))) ++at;
        if (last - at >= 2 && at[0] == '/' && at[1] == '/') {
            at += 2;
            while (at != last && !is_line_end(*at)) ++at;
        } else if (last - at >= 2 && at[0] == '/' && at[1] == '*') {
            static const char close[] = "*/";
            const char* end = std::search(at + 2, last, close, close + 2);
            if (end == last) return at;
            at = end + 2;
        } else {
            return at;
        }
    }
}

// Counts the entry lines a text closes, and nothing else: no sheet is loaded.
struct EntryCounter : IgnoringSink {
    int entries = 0;
    void entry_end(const char*, const char*) { ++entries; }
};

// True when `line`, ended properly, would be read as one whole entry line.
bool reads_as_entry(const std::string& line) {
    const std::string text = "*s\n" + line + "\n";
    EntryCounter counter;
    const ParseResult result = parse_with(text.data(), text.data() + text.size(), counter);
    return result.matched && counter.entries == 1 &&
           skip_white_and_comments(result.stop, text.data() + text.size()) == text.data() + text.size();
}

// Where a "//" comment starts on the line, outside "/* */" comments.
const char* line_comment(const char* first, const char* last) {
    for (const char* c = first; last - c >= 2; ++c) {
        if (c[0] == '/' && c[1] == '/') return c;
        if (c[0] == '/' && c[1] == '*') {
            static const char close[] = "*/";
            const char* end = std::search(c + 2, last, close, close + 2);
            if (end == last) return nullptr;
            c = end + 1;
        }
    }
    return nullptr;
}

bool is_hex_digit(char c) { return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// A number the fields can't hold: decimal beyond the signed 32-bit range, or
// hexadecimal beyond 32 bits.
bool has_oversized_number(const char* at, const char* last) {
    while (at != last) {
        const char* start = at;
        bool hex = false;
        bool negative = false;
        if (*at == '$') {
            hex = true;
            ++at;
        } else if ((*at == '-' || *at == '+') && last - at > 1 && is_digit(at[1])) {
            negative = *at == '-';
            ++at;
        }
        if (at == last || !(hex ? is_hex_digit(*at) : is_digit(*at))) {
            at = start + 1;  // no number starts here
            continue;
        }
        std::uint64_t value = 0;
        for (; at != last && (hex ? is_hex_digit(*at) : is_digit(*at)); ++at) {
            const int digit = is_digit(*at) ? *at - '0' : (*at | 0x20) - 'a' + 10;
            value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
            if (value > 0xFFFFFFFFu) return true;
        }
        if (!hex && value > (negative ? 0x80000000u : 0x7FFFFFFFu)) return true;
    }
    return false;
}

std::string why_sheet_line(const char* at, const char* line_end, bool has_line_end) {
    const char* name = at + 1;
    if (name == line_end || is_blank(*name)) return messages::warn::cause_no_file_name();
    const char* end = name;
    while (end != line_end && grammar_detail::is_filechar(static_cast<unsigned char>(*end))) ++end;
    if (end == line_end && !has_line_end) return messages::warn::cause_no_line_end();
    return messages::warn::cause_after_file_name();
}

std::string why_entry_line(const char* at, const char* line_end, bool has_line_end) {
    // A "/*" that was skipped over would be a closed comment.
    if (line_end - at >= 2 && at[0] == '/' && at[1] == '*') return messages::warn::cause_unclosed_comment();
    const std::string line(at, line_end);
    if (!has_line_end && reads_as_entry(line)) return messages::warn::cause_no_line_end();
    if (const char* comment = line_comment(at, line_end)) {
        if (reads_as_entry(std::string(at, comment))) return messages::warn::cause_comment_joins_lines();
    }
    const char* name_end = at;
    while (name_end != line_end && !is_blank(*name_end)) ++name_end;
    const std::string name(at, name_end);
    if (name.size() == 1 && name != "+") return messages::warn::cause_short_name();
    if (is_digit(name[0]) || (name.size() > 1 && name[0] == '-' && is_digit(name[1]))) {
        return messages::warn::cause_name_starts_with_digit();
    }
    if (has_oversized_number(name_end, line_end)) return messages::warn::cause_number_too_big();
    const char* next = name_end;
    while (next != line_end && is_blank(*next)) ++next;
    // A second word that starts as no field does: the name's own continuation.
    const bool word = next != line_end && !is_digit(*next) && std::strchr("-+$[", *next) == nullptr;
    if (word && reads_as_entry(name + "_" + std::string(next, line_end))) {
        return messages::warn::cause_name_holds_blank();
    }
    return messages::warn::cause_fields();
}

// The line's text from `at`, shortened, never inside a UTF-8 character;
// the message escapes what doesn't print.
std::string excerpt_of(const char* at, const char* line_end, std::size_t length = kExcerptLength) {
    if (static_cast<std::size_t>(line_end - at) <= length) return std::string(at, line_end);
    const char* cut = at + length;
    for (int back = 0; back < 3 && cut != at && (static_cast<unsigned char>(*cut) & 0xC0) == 0x80; ++back) --cut;
    return std::string(at, cut) + "...";
}

// Where `at` stands in the text: its line and column, from 1.
std::pair<std::int64_t, std::int64_t> line_and_column(const char* first, const char* at, const char* last) {
    const char* line_start = at;
    while (line_start != first && !is_line_end(line_start[-1])) --line_start;
    return {1 + count_line_ends(first, line_start, last), 1 + (at - line_start)};
}

// A number written as C writes hexadecimal, "0x10", where the fields stop:
// the language stops at its 'x', or reads it as the size 0 by 10 and stops
// right after it. Nothing when there is none.
std::optional<StopReport::HexNumber> c_hex_number(const char* first, const char* entry, const char* stop,
                                                  const char* last) {
    const char* at = entry;
    while (at != stop && !is_blank(*at)) ++at;  // past the name
    for (; at < stop && last - at >= 3; ++at) {
        if (at[0] != '0' || (at[1] | 0x20) != 'x' || !is_hex_digit(at[2])) continue;
        if (!is_blank(at[-1]) && std::strchr(",[-+", at[-1]) == nullptr) continue;
        const char* digits_end = at + 2;
        while (digits_end != last && is_hex_digit(*digits_end)) ++digits_end;
        if (stop > digits_end) continue;
        const auto [line, column] = line_and_column(first, at, last);
        return StopReport::HexNumber{line, column, std::string(at + 2, digits_end)};
    }
    return std::nullopt;
}

// The note at the column where the fields stop; nothing when the name is at fault.
std::optional<StopReport::FieldsStop> fields_stop(const char* first, const char* at, const char* last) {
    const std::optional<FieldStop> stop = where_fields_stop(at, last);
    if (!stop) return std::nullopt;
    const char* found_end = stop->at;
    while (found_end != last && !grammar_detail::is_white(static_cast<unsigned char>(*found_end))) ++found_end;
    StopReport::FieldsStop fields;
    std::tie(fields.line, fields.column) = line_and_column(first, stop->at, last);
    fields.text =
        messages::warn::fields_stop(excerpt_of(stop->at, found_end, kFoundLength), stop->at == last, stop->expected);
    fields.at_hash = stop->at != last && *stop->at == '#';
    fields.hex = c_hex_number(first, at, stop->at, last);
    return fields;
}

}  // namespace

std::optional<StopReport> why_reading_stopped(const char* first, const char* stop, const char* last) {
    const char* at = skip_white_and_comments(stop, last);
    if (at == last) return std::nullopt;
    const char* line_start = at;
    while (line_start != first && !is_line_end(line_start[-1])) --line_start;
    const char* line_end = at;
    while (line_end != last && !is_line_end(*line_end)) ++line_end;
    const bool has_line_end = line_end != last;

    StopReport report;
    report.line = 1 + count_line_ends(first, line_start, last);
    report.lines_not_read = count_line_ends(line_start, last, last) + (is_line_end(last[-1]) ? 0 : 1);
    report.excerpt = excerpt_of(at, line_end);
    report.sheet_line = *at == '*';
    report.cause =
        report.sheet_line ? why_sheet_line(at, line_end, has_line_end) : why_entry_line(at, line_end, has_line_end);
    if (report.cause == messages::warn::cause_fields()) report.fields = fields_stop(first, at, last);
    return report;
}

std::string image_kind(const char* first, const char* last) {
    const std::size_t size = static_cast<std::size_t>(last - first);
    if (size >= 4 && std::memcmp(first, "\x89PNG", 4) == 0) return "PNG";
    if (size >= 2 && first[0] == 'B' && first[1] == 'M') {
        // A description never starts "BM"; a BMP file's header soon holds
        // control bytes (the reader has already cut what followed each NUL).
        for (const char* c = first + 2; c != last && c != first + 256; ++c) {
            const auto byte = static_cast<unsigned char>(*c);
            if (byte < 0x20 && byte != '\t' && !is_line_end(*c)) return "BMP";
        }
    }
    return "";
}

}  // namespace pixcell
