// What a closed entry line is warned about: names that won't compile in the
// generated C, sizes the language rounds, parts that yield no cells. The
// reading itself never changes for them.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/diagnostics.h"
#include "description/sprite_list.h"
#include "sheets/sheet_store.h"

namespace pixcell {

// An identifier the generated files declare besides the sprites' own.
struct GeneratedName {
    std::string identifier;
    std::string what;  // what it names, for the message
};

// The sprite names met so far, with the line that named each.
struct NameBook {
    std::vector<GeneratedName> generated;
    std::unordered_map<std::string, std::int64_t> first_line;
};

// Letters, digits and '_', not starting with a digit.
bool is_c_identifier(const std::string& text);

// A named line: is its name an identifier the generated C can declare once?
void check_sprite_name(const std::string& name, std::int64_t line, NameBook& names, Diagnostics& diagnostics);

// The part as completed from the line. `given_*`: the size the line wrote
// before rounding, when it wrote one; `sheet`: the sheet it is cut from.
void check_part(const SpritePart& part, std::int64_t line, const std::int32_t* given_size, const std::string& sheet,
                bool placed, const SheetStore& sheets, Diagnostics& diagnostics);

}  // namespace pixcell
