#include "description/entry_checks.h"

#include <algorithm>
#include <iterator>

#include "common/console.h"
#include "common/messages.h"

namespace pixcell {

namespace {

// C17's keywords, sorted.
constexpr const char* kKeywords[] = {
    "_Alignas",  "_Alignof",       "_Atomic",       "_Bool",   "_Complex", "_Generic", "_Imaginary",
    "_Noreturn", "_Static_assert", "_Thread_local", "auto",    "break",    "case",     "char",
    "const",     "continue",       "default",       "do",      "double",   "else",     "enum",
    "extern",    "float",          "for",           "goto",    "if",       "inline",   "int",
    "long",      "register",       "restrict",      "return",  "short",    "signed",   "sizeof",
    "static",    "struct",         "switch",        "typedef", "union",    "unsigned", "void",
    "volatile",  "while"};

bool is_keyword(const std::string& name) {
    return std::binary_search(std::begin(kKeywords), std::end(kKeywords), name,
                              [](const std::string& a, const std::string& b) { return a < b; });
}

constexpr const char kRecordSuffix[] = "_ptn";

}  // namespace

bool is_c_identifier(const std::string& text) {
    if (text.empty() || (text[0] >= '0' && text[0] <= '9')) return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}

void check_sprite_name(const std::string& name, std::int64_t line, NameBook& names, Diagnostics& diagnostics) {
    if (!is_c_identifier(name)) {
        diagnostics.warning_at(line, messages::warn::name_not_identifier(name));
    } else if (is_keyword(name)) {
        diagnostics.warning_at(line, messages::warn::name_is_keyword(name));
    }
    const auto earlier = names.first_line.find(name);
    if (earlier != names.first_line.end()) {
        diagnostics.warning_at(line, messages::warn::name_repeated(name, earlier->second));
        diagnostics.note_at(earlier->second, messages::warn::name_first_used(name));
        return;
    }
    for (const GeneratedName& generated : names.generated) {
        if (generated.identifier == name)
            diagnostics.warning_at(line, messages::warn::name_is_generated(name, generated.what));
    }
    // Each sprite's record is NAME_ptn: it must not meet another sprite's name.
    const std::string own_record = name + kRecordSuffix;
    const auto clash = names.first_line.find(own_record);
    if (clash != names.first_line.end()) {
        diagnostics.warning_at(line, messages::warn::record_is_sprite_name(own_record, name, clash->second));
    }
    const std::size_t suffix = sizeof kRecordSuffix - 1;
    if (name.size() > suffix && name.compare(name.size() - suffix, suffix, kRecordSuffix) == 0) {
        const auto owner = names.first_line.find(name.substr(0, name.size() - suffix));
        if (owner != names.first_line.end()) {
            diagnostics.warning_at(line, messages::warn::name_is_record(name, owner->first, owner->second));
        }
    }
    names.first_line.emplace(name, line);
}

void check_part(const SpritePart& part, std::int64_t line, const std::int32_t* given_size, const std::string& sheet,
                bool placed, const SheetStore& sheets, Diagnostics& diagnostics) {
    if (given_size != nullptr && (given_size[0] != part.width || given_size[1] != part.height)) {
        diagnostics.warning_at(line,
                               messages::warn::size_rounded(given_size[0], given_size[1], part.width, part.height));
    }
    const std::int64_t columns = part.width / kCellPixels;
    const std::int64_t rows = part.height / kCellPixels;
    if (columns <= 0 || rows <= 0) {
        diagnostics.warning_at(line, messages::warn::part_without_cells(part.width, part.height));
        return;
    }
    const std::int32_t index = sheets.find(sheet);
    if (index < 0) return;  // its load failed, and said so
    const IndexedImage& image = sheets.sheet(index);
    // In 64 bits: a part may reach past 2^31.
    const std::int64_t left = part.x;
    const std::int64_t top = part.y;
    const bool overlaps = left < image.width() && left + columns * kCellPixels > 0 && top < image.height() &&
                          top + rows * kCellPixels > 0;
    if (!overlaps) {
        diagnostics.warning_at(line, messages::warn::part_off_sheet(part.x, part.y, part.width, part.height, sheet,
                                                                    image.width(), image.height(), placed));
    }
}

}  // namespace pixcell
