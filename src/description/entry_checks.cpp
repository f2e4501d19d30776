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

bool is_keyword(std::string_view name) {
    return std::binary_search(std::begin(kKeywords), std::end(kKeywords), name,
                              [](std::string_view a, std::string_view b) { return a < b; });
}

constexpr const char kRecordSuffix[] = "_ptn";

}  // namespace

std::optional<std::int64_t> NameTable::find(std::string_view name) const {
    if (slots.empty()) return std::nullopt;
    const Slot* slot = slot_of(name, std::hash<std::string_view>{}(name));
    if (slot->name == nullptr) return std::nullopt;
    return slot->line;
}

std::optional<std::int64_t> NameTable::find_or_add(std::string_view name, std::int64_t line) {
    if (4 * (count + 1) > 3 * slots.size()) grow();
    const std::uint64_t hash = std::hash<std::string_view>{}(name);
    Slot* slot = const_cast<Slot*>(slot_of(name, hash));
    if (slot->name != nullptr) return slot->line;
    *slot = Slot{name.data(), static_cast<std::uint32_t>(hash), static_cast<std::uint32_t>(name.size()), line};
    ++count;
    return std::nullopt;
}

// The slot holding `name`, or the free one where it would go.
const NameTable::Slot* NameTable::slot_of(std::string_view name, std::uint64_t hash) const {
    const std::size_t mask = slots.size() - 1;
    const auto tag = static_cast<std::uint32_t>(hash);
    for (std::size_t i = tag & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots[i];
        if (slot.name == nullptr) return &slot;
        if (slot.tag == tag && std::string_view(slot.name, slot.length) == name) return &slot;
    }
}

void NameTable::grow() {
    std::vector<Slot> old(slots.empty() ? 256 : 2 * slots.size());
    old.swap(slots);
    const std::size_t mask = slots.size() - 1;
    for (const Slot& item : old) {
        if (item.name == nullptr) continue;
        std::size_t i = item.tag & mask;
        while (slots[i].name != nullptr) i = (i + 1) & mask;
        slots[i] = item;
    }
}

bool is_c_identifier(std::string_view text) {
    if (text.empty() || (text[0] >= '0' && text[0] <= '9')) return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}

void check_sprite_name(std::string_view name, std::int64_t line, NameBook& names, Diagnostics& diagnostics) {
    if (!is_c_identifier(name)) {
        diagnostics.warning_at(line, messages::warn::name_not_identifier(std::string(name)));
    } else if (is_keyword(name)) {
        diagnostics.warning_at(line, messages::warn::name_is_keyword(std::string(name)));
    }
    // One probe of the book for every name: a long description names many sprites.
    if (const std::optional<std::int64_t> earlier = names.first_line.find_or_add(name, line)) {
        diagnostics.warning_at(line, messages::warn::name_repeated(std::string(name), *earlier));
        diagnostics.note_at(*earlier, messages::warn::name_first_used(std::string(name)));
        return;
    }
    for (const GeneratedName& generated : names.generated) {
        if (generated.identifier == name) {
            diagnostics.warning_at(line, messages::warn::name_is_generated(std::string(name), generated.what));
        }
    }
    // Each sprite's record is NAME_ptn: it must not meet another sprite's name.
    if (!names.record_like.empty()) {
        const std::string own_record = std::string(name) + kRecordSuffix;
        if (const std::optional<std::int64_t> clash = names.record_like.find(own_record)) {
            diagnostics.warning_at(line, messages::warn::record_is_sprite_name(own_record, std::string(name), *clash));
        }
    }
    const std::size_t suffix = sizeof kRecordSuffix - 1;
    if (name.size() > suffix && name.substr(name.size() - suffix) == kRecordSuffix) {
        names.record_like.find_or_add(name, line);
        const std::string_view owner = name.substr(0, name.size() - suffix);
        if (const std::optional<std::int64_t> owner_line = names.first_line.find(owner)) {
            diagnostics.warning_at(line,
                                   messages::warn::name_is_record(std::string(name), std::string(owner), *owner_line));
        }
    }
}

void check_part(const SpritePart& part, EntryLine line, const std::int32_t* given_size, const std::string& sheet_name,
                const IndexedImage* sheet, bool placed, bool exact_objects, Diagnostics& diagnostics) {
    if (given_size != nullptr && (given_size[0] != part.width || given_size[1] != part.height)) {
        if (exact_objects && given_size[0] > 0 && given_size[1] > 0) {
            diagnostics.note_at(
                line(), messages::warn::size_rounded_for_cells(given_size[0], given_size[1], part.width, part.height));
        } else {
            diagnostics.warning_at(line(),
                                   messages::warn::size_rounded(given_size[0], given_size[1], part.width, part.height));
        }
    }
    const std::int64_t columns = part.width / kCellPixels;
    const std::int64_t rows = part.height / kCellPixels;
    if (columns <= 0 || rows <= 0) {
        diagnostics.warning_at(line(), messages::warn::part_without_cells(part.width, part.height));
        return;
    }
    if (sheet == nullptr) return;  // its load failed, and said so
    // In 64 bits: a part may reach past 2^31.
    const std::int64_t left = part.x;
    const std::int64_t top = part.y;
    const bool overlaps = left < sheet->width() && left + columns * kCellPixels > 0 && top < sheet->height() &&
                          top + rows * kCellPixels > 0;
    if (!overlaps) {
        diagnostics.warning_at(
            line(), messages::warn::part_off_sheet(part.x, part.y, part.width, part.height, sheet_name, sheet->width(),
                                                   sheet->height(), placed));
    }
}

}  // namespace pixcell
