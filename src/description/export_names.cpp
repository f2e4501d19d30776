#include "description/export_names.h"

#include <algorithm>
#include <cctype>

namespace pixcell {

namespace {

bool ends_with_any_case(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(b)) == a; });
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string identifier_bytes(const std::string& name) {
    std::string identifier = name;
    for (char& c : identifier) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && !is_digit(c) && c != '_') c = '_';
    }
    return identifier;
}

std::string frame_sprite_name(const std::string& name, std::size_t index) {
    std::string kept = name;
    for (const char* extension : {".aseprite", ".ase", ".png"}) {
        if (ends_with_any_case(kept, extension)) {
            kept.resize(kept.size() - std::char_traits<char>::length(extension));
            break;
        }
    }
    if (kept.empty()) return "frame_" + std::to_string(index);
    std::string identifier = identifier_bytes(kept);
    if (is_digit(identifier[0])) identifier.insert(identifier.begin(), '_');
    if (identifier.size() == 1) identifier += '_';
    return identifier;
}

std::optional<std::string> frame_file_title(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) return std::nullopt;
    std::size_t digits = dot;
    while (digits > 0 && is_digit(name[digits - 1])) --digits;
    if (digits == dot || digits < 2 || name[digits - 1] != ' ') return std::nullopt;
    return name.substr(0, digits - 1);
}

std::string UniqueNames::take(const std::string& name) {
    std::string unique = name;
    if (taken.count(unique) != 0) {
        std::size_t& n = next_suffix.try_emplace(name, 2).first->second;
        do {
            unique = name + "_" + std::to_string(n++);
        } while (taken.count(unique) != 0);
    }
    taken.insert(unique);
    return unique;
}

}  // namespace pixcell
