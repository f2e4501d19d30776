// What a closed entry line is warned about: names that won't compile in the
// generated C, sizes the language rounds, parts that yield no cells. The
// reading itself never changes for them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/diagnostics.h"
#include "description/source_lines.h"
#include "description/sprite_list.h"
#include "sheets/sheet_store.h"

namespace pixcell {

// An identifier the generated files declare besides the sprites' own.
struct GeneratedName {
    std::string identifier;
    std::string what;  // what it names, for the message
};

// Names with the line that gave each, found by their bytes: an open-addressing
// table, since a long description names a great many sprites and a node per
// name would cost a cache miss or two on every lookup. The names are views of
// the description's text, which outlives the reading.
class NameTable {
public:
    // The line of `name` when it is in the table; otherwise it is entered with `line`.
    std::optional<std::int64_t> find_or_add(std::string_view name, std::int64_t line);
    std::optional<std::int64_t> find(std::string_view name) const;
    bool empty() const { return count == 0; }

private:
    struct Slot {
        const char* name = nullptr;  // null: free
        std::uint32_t tag = 0;       // the hash's low bits: most mismatches end here
        std::uint32_t length = 0;
        std::int64_t line = 0;
    };
    const Slot* slot_of(std::string_view name, std::uint64_t hash) const;
    void grow();

    std::vector<Slot> slots;  // a power of 2 of them, at most three quarters in use
    std::size_t count = 0;
};

// The sprite names met so far.
struct NameBook {
    std::vector<GeneratedName> generated;
    NameTable first_line;
    // Those of them that end as a pattern record's name does ("_ptn"), the
    // only ones another sprite's record can meet: few, so looked up apart.
    NameTable record_like;
};

// Letters, digits and '_', not starting with a digit.
bool is_c_identifier(std::string_view text);

// The line of the entry being checked, counted only when a warning needs it:
// most entries draw none.
struct EntryLine {
    LineCounter* counter;
    const char* at;
    std::int64_t operator()() const { return counter->line_of(at); }
};

// A named line: is its name an identifier the generated C can declare once?
void check_sprite_name(std::string_view name, std::int64_t line, NameBook& names, Diagnostics& diagnostics);

// The part as completed from the line. `given_size`: the size the line
// wrote before rounding, when it wrote one; `sheet`: the sheet it is cut
// from, null when that isn't loaded; `exact_objects`: the run makes objects,
// which keep a size the cells round, so that the rounding is only noted.
void check_part(const SpritePart& part, EntryLine line, const std::int32_t* given_size, const std::string& sheet_name,
                const IndexedImage* sheet, bool placed, bool exact_objects, Diagnostics& diagnostics);

}  // namespace pixcell
