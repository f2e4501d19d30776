// What the description grammar's matches mean: the actions fill the parse
// state, load sheets and file finished sprites into the list.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/diagnostics.h"
#include "description/entry_checks.h"
#include "description/parse_state.h"
#include "description/source_lines.h"
#include "description/sprite_list.h"
#include "sheets/sheet_store.h"

namespace pixcell {

// What the reader warns with: the lines it reads are counted, the names
// it meets kept.
struct ReaderChecks {
    Diagnostics& diagnostics;
    LineCounter lines;
    NameBook names;
    // The sheet the last part was cut from, looked up again only when its
    // name changes or another sheet loads (-1: not loaded).
    std::string sheet_name;
    std::int32_t sheet = -1;
    std::size_t sheets_loaded = 0;
    // The line that loaded each sheet, in loading order.
    std::vector<std::int64_t> sheet_lines;
    bool exact_objects = false;  // the run makes objects, which keep the sizes the cells round
    std::set<std::pair<std::int32_t, std::int32_t>> sizes_noted;  // those sizes, once said
};

// The objects a description reading works on.
struct ReaderContext {
    ParseState& state;
    SheetStore& sheets;
    SpriteList& list;
    ReaderChecks* checks = nullptr;  // none: read without a word
};

void act_bitmap(ReaderContext& ctx, const std::string& file_name);
void act_name(ParseState& state, const std::string& name);
void act_minus(ParseState& state, char minus);
void act_number(ParseState& state, std::int32_t value);
void act_pop_x(ParseState& state);
void act_pop_y(ParseState& state);
void act_size(ParseState& state);
void act_pop_dx(ParseState& state);
void act_pop_dy(ParseState& state);
void act_flip(ParseState& state, const char* first, const char* last);
void act_entry_end(ReaderContext& ctx);
void act_file_end(ReaderContext& ctx);

// A size as the description's rounding gives it: multiples of 16 stay, others
// move away from zero to the next multiple below (so -1 becomes -32).
std::int32_t round_size(std::int32_t value);

}  // namespace pixcell
